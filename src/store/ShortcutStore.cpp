#include "store/ShortcutStore.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/Text.h"
#include "store/DataFile.h"

namespace tessaly {

namespace {

constexpr std::string_view kHeaderStart = "<[";
constexpr std::string_view kHeaderEnd = "]>";

using Index = LineList::size_type;

// Every operation scans the whole list, so the byte-wise search that respects
// double-byte characters runs only on lines that hold the bytes at all: it can reject
// a plain match, never add one.
bool LineHas(std::string_view line, std::string_view word) {
  return line.find(word) != std::string_view::npos && ContainsText(line, word);
}

std::ptrdiff_t Offset(Index i) { return static_cast<std::ptrdiff_t>(i); }

// Replacing and removing a section end its body at the first later line that holds
// "<[" anywhere, a title or target included.
Index BodyEndForReplace(const LineList& lines, Index header) {
  Index k = header + 1;
  while (k < lines.size() && !LineHas(lines[k], kHeaderStart)) ++k;
  return k;
}

// Appending ends the body only at a line that begins with "<[".
Index BodyEndForAppend(const LineList& lines, Index header) {
  Index k = header + 1;
  while (k < lines.size() && !StartsWith(lines[k], kHeaderStart)) ++k;
  return k;
}

// Puts entries in place of lines [first, last) with one move of the tail at most:
// a save of a large file must not shift the lines behind the section once per line.
void ReplaceRange(LineList& lines, Index first, Index last, LineList entries) {
  const Index oldCount = last - first;
  const Index common = std::min(oldCount, entries.size());
  std::move(entries.begin(), entries.begin() + Offset(common), lines.begin() + Offset(first));
  if (oldCount > entries.size()) {
    lines.erase(lines.begin() + Offset(first + common), lines.begin() + Offset(last));
  } else {
    lines.insert(lines.begin() + Offset(last),
                 std::make_move_iterator(entries.begin() + Offset(common)),
                 std::make_move_iterator(entries.end()));
  }
}

void AddPair(LineList& entries, const ShortcutList& list, int index) {
  entries.push_back(list.Title(index));
  entries.push_back(list.Target(index));
}

LineList AllItems(const ShortcutList& list) {
  LineList entries;
  const int count = list.Count();
  entries.reserve(static_cast<Index>(count > 0 ? count : 0) * 2);
  for (int i = 0; i < count; ++i) AddPair(entries, list, i);
  return entries;
}

LineList SelectedItems(const ShortcutList& list) {
  LineList entries;
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    if (list.IsSelected(i)) AddPair(entries, list, i);
  }
  return entries;
}

void Append(LineList& lines, LineList entries) {
  lines.insert(lines.end(), std::make_move_iterator(entries.begin()),
               std::make_move_iterator(entries.end()));
}

}  // namespace

ReadResult ShortcutStore::Load() { return LoadLines(files_, path_, lines_); }

std::string ShortcutStore::SectionHeader(const CategoryNode& node) {
  std::string path;
  for (const CategoryNode* n = &node; n != nullptr; n = n->parent()) {
    path.insert(0, "[" + n->name + "]");
  }
  return "<" + path + ">";
}

int ShortcutStore::FindSection(const std::string& header) const {
  for (Index i = 0; i < lines_.size(); ++i) {
    if (LineHas(lines_[i], header)) return static_cast<int>(i);
  }
  return -1;
}

bool ShortcutStore::Save() {
  ++version_;
  return SaveLines(files_, boxes_, path_, lines_);
}

std::optional<LineList> ShortcutStore::SectionEntries(const CategoryNode& node) const {
  const int found = FindSection(SectionHeader(node));
  if (found < 0) return std::nullopt;
  LineList pairs;
  for (Index i = static_cast<Index>(found) + 1; i + 1 < lines_.size(); i += 2) {
    const std::string& title = lines_[i];
    if (LineHas(title, kHeaderStart) || LineHas(title, kHeaderEnd)) break;
    pairs.push_back(title);
    pairs.push_back(lines_[i + 1]);
  }
  return pairs;
}

bool ShortcutStore::LoadCategorySection(const CategoryNode& node, ListEntryAdder& adder) {
  // The pairs are taken first: AddListEntry lets pending messages run, and a nested
  // selection may save another section and so reshape the line list meanwhile.
  const std::optional<LineList> entries = SectionEntries(node);
  if (!entries) return false;
  const LineList& pairs = *entries;

  adder.list().Clear();
  adder.AddEntries(std::move(pairs));
  return true;
}

void ShortcutStore::SaveCategorySection(const CategoryNode& node, const ShortcutList& list) {
  const std::string header = SectionHeader(node);
  const int found = FindSection(header);
  if (found >= 0) {
    const auto h = static_cast<Index>(found);
    ReplaceRange(lines_, h + 1, BodyEndForReplace(lines_, h), AllItems(list));
  } else {
    lines_.push_back(header);
    Append(lines_, AllItems(list));
  }
  Save();
}

void ShortcutStore::AppendItemsToSection(const CategoryNode& node, const ShortcutList& list,
                                         const std::vector<int>& indexes) {
  LineList entries;
  const int count = list.Count();
  for (const int index : indexes) {
    // A drag's indexes can outlive the items they named; such an index adds nothing.
    if (index >= 0 && index < count) AddPair(entries, list, index);
  }

  const std::string header = SectionHeader(node);
  const int found = FindSection(header);
  if (found >= 0) {
    const Index k = BodyEndForAppend(lines_, static_cast<Index>(found));
    lines_.insert(lines_.begin() + Offset(k), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  } else {
    lines_.push_back(header);
    Append(lines_, std::move(entries));
  }
  Save();
}

void ShortcutStore::AddSelectedToSection(const std::string& topLevelName,
                                         const ShortcutList& list) {
  const std::string header = "<[" + topLevelName + "]>";
  LineList entries = SelectedItems(list);
  const int found = FindSection(header);
  if (found >= 0) {
    const Index at = static_cast<Index>(found) + 1;
    lines_.insert(lines_.begin() + Offset(at), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  } else {
    lines_.push_back(header);
    Append(lines_, std::move(entries));
  }
  Save();
}

void ShortcutStore::RenameCategorySection(const CategoryNode& node, const std::string& newName) {
  const std::vector<std::string> oldHeaders = SubtreeHeaders(node);
  const int found = FindSection(oldHeaders.front());
  if (found >= 0) {
    std::string& line = lines_[static_cast<Index>(found)];
    const std::string oldEnd = node.name + std::string(kHeaderEnd);
    const std::size_t p = FindText(line, oldEnd);
    if (p != std::string::npos) line.replace(p, oldEnd.size(), newName + std::string(kHeaderEnd));
  }
  // The sub-categories spell the old name in the middle of their paths; without this
  // they would show none of their shortcuts under the new name.
  const std::string oldPath = oldHeaders.front().substr(0, oldHeaders.front().size() - 1);
  const std::string newPath =
      oldPath.substr(0, oldPath.size() - node.name.size() - 1) + newName + "]";
  for (std::size_t i = 1; i < oldHeaders.size(); ++i) {
    ReplaceHeader(oldHeaders[i], newPath + oldHeaders[i].substr(oldPath.size()));
  }
  Save();
}

std::vector<std::string> ShortcutStore::SubtreeHeaders(const CategoryNode& node) {
  std::vector<std::string> headers{SectionHeader(node)};
  // The path of a child is its parent's path with one more name.
  const auto visit = [&](const auto& self, const CategoryNode& parent,
                         const std::string& path) -> void {
    for (const auto& child : parent.children()) {
      const std::string childPath = path + "[" + child->name + "]";
      headers.push_back("<" + childPath + ">");
      self(self, *child, childPath);
    }
  };
  visit(visit, node, headers.front().substr(1, headers.front().size() - 2));
  return headers;
}

void ShortcutStore::ReplaceHeader(const std::string& oldHeader, const std::string& newHeader) {
  const int found = FindSection(oldHeader);
  if (found < 0) return;
  std::string& line = lines_[static_cast<Index>(found)];
  const std::size_t p = FindText(line, oldHeader);
  line.replace(p, oldHeader.size(), newHeader);
}

void ShortcutStore::MoveCategorySections(const std::vector<std::string>& oldHeaders,
                                         const std::vector<std::string>& newHeaders) {
  const std::size_t count = std::min(oldHeaders.size(), newHeaders.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (oldHeaders[i] != newHeaders[i]) ReplaceHeader(oldHeaders[i], newHeaders[i]);
  }
  Save();
}

void ShortcutStore::RemoveCategorySection(const CategoryNode& node) {
  const int found = FindSection(SectionHeader(node));
  if (found < 0) return;
  ++version_;
  const auto h = static_cast<Index>(found);
  lines_.erase(lines_.begin() + Offset(h), lines_.begin() + Offset(BodyEndForReplace(lines_, h)));
}

}  // namespace tessaly
