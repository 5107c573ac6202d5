#pragma once
// A category named outside the window (on the command line, in a desktop shortcut):
// its names from the top-level category down, separated by "\". A "\" inside a name
// is written "\\", so "Work\Tools" is Tools under Work and "A\\B" one category "A\B".

#include <string>
#include <string_view>
#include <vector>

#include "model/CategoryTree.h"

namespace tessaly {

// The name as it stands in a category path: each "\" doubled.
std::string EscapeCategoryName(std::string_view name);

// The path of node, top-level name first.
std::string CategoryPathText(const CategoryNode& node);

struct CategoryPathReading {
  std::vector<std::string> names;
  std::string problem;  // why the text names no category; empty when it does
  bool ok() const { return problem.empty(); }
};

// Reads a path into its names. In a run of an odd number of "\" the single one
// separates and the pairs are "\" of a name: the pairs belong to the name before it,
// except at the very end of the text, where they are the last name. Empty names (a
// text that is empty, or that starts or ends with a single "\") are refused.
CategoryPathReading ParseCategoryPath(std::string_view text);

// The category that the path text names, its names compared exactly (case
// included), or nullptr. A run of "\" that reads two ways ("A\\\B": "A\" then "B", or
// "A" then "\B") is matched both ways against the tree; the first node in tree order
// wins.
CategoryNode* FindCategory(const CategoryTree& tree, std::string_view text);

}  // namespace tessaly
