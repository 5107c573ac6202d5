#include "shortcuts/ShortcutSearch.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

bool IsLetterOrDigit(char c) {
  const auto u = static_cast<unsigned char>(c);
  // Bytes of the code page above 127 count as letters: they start words too.
  return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u > 127;
}

bool WordStartsWith(std::string_view lower, std::string_view text) {
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const bool start = i == 0 || !IsLetterOrDigit(lower[i - 1]);
    if (start && IsLetterOrDigit(lower[i]) && lower.substr(i, text.size()) == text) return true;
  }
  return false;
}

std::string Initials(std::string_view lower) {
  std::string initials;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (IsLetterOrDigit(lower[i]) && (i == 0 || !IsLetterOrDigit(lower[i - 1]))) {
      initials += lower[i];
    }
  }
  return initials;
}

int RankOf(std::string_view title, std::string_view initials, std::string_view fileName,
           std::string_view text) {
  if (text.empty()) return -1;
  if (StartsWith(title, text)) return 0;
  if (WordStartsWith(title, text) || StartsWith(fileName, text)) return 1;
  if (text.size() > 1 && StartsWith(initials, text)) return 2;
  if (title.find(text) != std::string_view::npos || fileName.find(text) != std::string_view::npos) {
    return 3;
  }
  return -1;
}

}  // namespace

int MatchRank(std::string_view title, std::string_view fileName, std::string_view text) {
  return RankOf(title, Initials(title), fileName, text);
}

void ShortcutSearch::Add(const Shortcuts& shortcuts) {
  for (const Shortcut& shortcut : shortcuts) {
    // The same program often stands in several categories: it is found once.
    if (!seenTargets_.insert(LowerAscii(shortcut.target)).second) continue;
    std::string lowerTitle = LowerAscii(shortcut.title);
    std::string initials = Initials(lowerTitle);
    entries_.push_back({shortcut.title, shortcut.target, std::move(lowerTitle),
                        LowerAscii(FileNamePart(shortcut.target)), std::move(initials)});
  }
}

void ShortcutSearch::Index(const CategoryTree& tree, const ShortcutStore& store,
                           const LatestResults& latest) {
  entries_.clear();
  seenTargets_.clear();
  const CategoryNode* trash = nullptr;
  tree.ForEach([&](CategoryNode& node) {
    if (IsNamedAt(node, builtin::Trash, 0)) trash = &node;
    if (trash != nullptr && CategoryTree::IsSelfOrAncestor(*trash, node)) return;
    // A stored section wins, as it does when the category is shown; "Get All" is
    // always computed afresh.
    if (!IsGetAll(node)) {
      if (const auto stored = store.SectionEntries(node)) {
        Add(*stored);
        return;
      }
    }
    if (!IsComputedCategory(node)) return;
    if (const auto computed = latest.find(node.name); computed != latest.end()) {
      Add(computed->second);
    }
  });
}

Shortcuts ShortcutSearch::Find(std::string_view text) const {
  const std::string lower = LowerAscii(TrimCodesUpTo(text, 32));
  std::vector<std::pair<int, std::size_t>> ranked;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    const int rank = RankOf(entry.lowerTitle, entry.initials, entry.lowerName, lower);
    if (rank >= 0) ranked.emplace_back(rank, i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Shortcuts found;
  found.reserve(ranked.size());
  for (const auto& [rank, i] : ranked) found.push_back({entries_[i].title, entries_[i].target});
  return found;
}

}  // namespace tessaly
