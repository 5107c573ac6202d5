#pragma once
// The built-in categories: ordinary nodes of the category file, recognised by their
// exact name at their level.

#include <string_view>

#include "model/CategoryTree.h"

namespace tessaly {

namespace builtin {
inline constexpr std::string_view GetAll = "Get All";      // level 1
inline constexpr std::string_view Popular = "Popular";     // level 0
inline constexpr std::string_view Recent = "Recent";       // level 0
inline constexpr std::string_view Folders = "Folders";     // level 0
inline constexpr std::string_view Windows = "Windows";     // level 0
inline constexpr std::string_view Trash = "Trash";         // level 0
inline constexpr std::string_view Find = "Find";           // any level
}  // namespace builtin

inline bool IsNamedAt(const CategoryNode& node, std::string_view name, int level) {
  return node.level() == level && node.name == name;
}

// "Get All" counts only directly below a top-level category.
inline bool IsGetAll(const CategoryNode& node) { return IsNamedAt(node, builtin::GetAll, 1); }

inline bool HasGetAll(const CategoryTree& tree) {
  bool found = false;
  tree.ForEach([&](const CategoryNode& node) { found = found || IsGetAll(node); });
  return found;
}

}  // namespace tessaly
