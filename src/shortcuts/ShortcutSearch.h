#pragma once
// Type to find: every shortcut of every category, found by a few letters of its
// title or of its target's file name, the best matches first.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/Shortcut.h"
#include "categories/CategorySelection.h"
#include "model/CategoryTree.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// How well a title and a file name match the lower-cased text: 0 the title starts
// with it, 1 a word of the title (or the file name) starts with it, 2 the initials of
// the title's words start with it, 3 it stands anywhere in either; -1 no match.
int MatchRank(std::string_view title, std::string_view fileName, std::string_view lowerText);

class ShortcutSearch {
 public:
  // Gathers what is searched, in category order (the tree's, top down): each
  // category's stored section, or for a computed built-in category what it last
  // listed ("Get All" always the latter). "Trash" and its sub-categories are left
  // out, and each target counts once, where it comes first.
  void Index(const CategoryTree& tree, const ShortcutStore& store, const LatestResults& latest);

  // Every shortcut that matches, best first; equal matches keep category order.
  Shortcuts Find(std::string_view text) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string title;
    std::string target;
    std::string lowerTitle;
    std::string lowerName;
    std::string initials;  // of the title's words, worked out once rather than per key
  };
  void Add(const Shortcuts& shortcuts);

  std::vector<Entry> entries_;
  std::unordered_set<std::string> seenTargets_;
};

}  // namespace tessaly
