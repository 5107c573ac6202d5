#include "categories/CategoryPath.h"

#include <memory>

#include "base/Text.h"

namespace tessaly {

namespace {

constexpr char kSeparator = '\\';

CategoryNode* MatchFrom(const std::vector<std::unique_ptr<CategoryNode>>& nodes,
                        std::string_view text, std::size_t at) {
  for (const auto& node : nodes) {
    const std::string escaped = EscapeCategoryName(node->name);
    if (escaped.empty() || text.compare(at, escaped.size(), escaped) != 0) continue;
    const std::size_t after = at + escaped.size();
    if (after == text.size()) return node.get();
    // The escaped name ends on a whole character, so a "\" right after it is one.
    if (text[after] != kSeparator || after + 1 == text.size()) continue;
    if (CategoryNode* found = MatchFrom(node->children(), text, after + 1)) return found;
  }
  return nullptr;
}

}  // namespace

std::string EscapeCategoryName(std::string_view name) {
  std::string escaped;
  escaped.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t size = CharacterSizeAt(name, i);
    // The second byte of a double-byte character may be the code of "\"; it is not one.
    if (size == 1 && name[i] == kSeparator) escaped += kSeparator;
    escaped.append(name.substr(i, size));
    i += size;
  }
  return escaped;
}

std::string CategoryPathText(const CategoryNode& node) {
  std::vector<const CategoryNode*> chain;
  for (const CategoryNode* at = &node; at != nullptr; at = at->parent()) chain.push_back(at);
  std::string text;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!text.empty()) text += kSeparator;
    text += EscapeCategoryName((*it)->name);
  }
  return text;
}

CategoryPathReading ParseCategoryPath(std::string_view text) {
  CategoryPathReading reading;
  const std::string quoted = "'" + std::string(text) + "'";
  if (text.empty()) {
    reading.problem = "The category path is empty.";
    return reading;
  }
  reading.names.emplace_back();
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t size = CharacterSizeAt(text, i);
    if (size == 2 || text[i] != kSeparator) {
      reading.names.back().append(text.substr(i, size));
      i += size;
      continue;
    }
    std::size_t run = 0;
    while (i + run < text.size() && text[i + run] == kSeparator) ++run;
    const std::string pairs(run / 2, kSeparator);
    if (run % 2 == 0) {
      reading.names.back() += pairs;
    } else if (i + run == text.size()) {
      reading.names.emplace_back(pairs);
    } else {
      reading.names.back() += pairs;
      reading.names.emplace_back();
    }
    i += run;
  }

  if (reading.names.front().empty()) {
    reading.problem = "The category path " + quoted +
                      " starts with a single \"\\\": the name before it is missing.";
  } else if (reading.names.back().empty()) {
    reading.problem = "The category path " + quoted +
                      " ends in a single \"\\\": the name after it is missing. A name that "
                      "ends in \"\\\" is written with \"\\\\\".";
  }
  if (!reading.ok()) reading.names.clear();
  return reading;
}

CategoryNode* FindCategory(const CategoryTree& tree, std::string_view text) {
  if (text.empty()) return nullptr;
  return MatchFrom(tree.roots(), text, 0);
}

}  // namespace tessaly
