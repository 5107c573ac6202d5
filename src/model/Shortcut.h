#pragma once
// A shortcut as the lists, the store and the search pass it around: a title and a
// target (a path, a link, or whatever the user typed).

#include <string>
#include <vector>

namespace tessaly {

struct Shortcut {
  std::string title;
  std::string target;
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

using Shortcuts = std::vector<Shortcut>;

}  // namespace tessaly
