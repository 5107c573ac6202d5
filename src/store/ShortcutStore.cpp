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

LineList PairsOf(const Shortcuts& entries) {
  LineList lines;
  lines.reserve(entries.size() * 2);
  for (const Shortcut& entry : entries) {
    lines.push_back(entry.title);
    lines.push_back(entry.target);
  }
  return lines;
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

int ShortcutStore::FindSection(const std::string& header, std::size_t from) const {
  for (Index i = from; i < lines_.size(); ++i) {
    if (LineHas(lines_[i], header)) return static_cast<int>(i);
  }
  return -1;
}

WriteResult ShortcutStore::Write() {
  const WriteResult result = files_.WriteLines(path_, lines_);
  if (!result) return result;
  unsaved_ = false;
  unsavedPaths_ = false;
  if (written_) written_();
  return result;
}

bool ShortcutStore::Save() {
  ++version_;
  // Whatever the lines hold is written whole: changes kept after a failed write go
  // along with this one.
  unsaved_ = true;
  const WriteResult result = Write();
  if (!result) boxes_.Error(WriteFailureText(path_, result.error));
  return result.ok;
}

bool ShortcutStore::SaveIfUnsaved() { return !unsaved_ || Save(); }

WriteResult ShortcutStore::WriteUnsaved() { return unsaved_ ? Write() : WriteResult{}; }

std::optional<Shortcuts> ShortcutStore::SectionEntries(const CategoryNode& node) const {
  const int found = FindSection(SectionHeader(node));
  if (found < 0) return std::nullopt;
  Shortcuts entries;
  for (Index i = static_cast<Index>(found) + 1; i + 1 < lines_.size(); i += 2) {
    const std::string& title = lines_[i];
    if (LineHas(title, kHeaderStart) || LineHas(title, kHeaderEnd)) break;
    entries.push_back({title, lines_[i + 1]});
  }
  return entries;
}

void ShortcutStore::SaveCategorySection(const CategoryNode& node, const Shortcuts& entries) {
  const std::string header = SectionHeader(node);
  const int found = FindSection(header);
  if (found >= 0) {
    const auto h = static_cast<Index>(found);
    ReplaceRange(lines_, h + 1, BodyEndForReplace(lines_, h), PairsOf(entries));
  } else {
    lines_.push_back(header);
    Append(lines_, PairsOf(entries));
  }
  Save();
}

void ShortcutStore::AppendItemsToSection(const CategoryNode& node, const Shortcuts& added) {
  LineList entries = PairsOf(added);
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
                                         const Shortcuts& selected) {
  const std::string header = "<[" + topLevelName + "]>";
  LineList entries = PairsOf(selected);
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
  const std::string oldPath = oldHeaders.front().substr(0, oldHeaders.front().size() - 1);
  const std::string newPath =
      oldPath.substr(0, oldPath.size() - node.name.size() - 1) + newName + "]";
  const std::string newHeader = newPath + ">";
  const int found = FindSection(oldHeaders.front());
  const int taken = FindSection(newHeader);
  if (found >= 0 && taken >= 0 && taken != found) {
    ReplaceHeader(oldHeaders.front(), newHeader);
  } else if (found >= 0) {
    std::string& line = lines_[static_cast<Index>(found)];
    const std::string oldEnd = node.name + std::string(kHeaderEnd);
    const std::size_t p = FindText(line, oldEnd);
    if (p != std::string::npos) line.replace(p, oldEnd.size(), newName + std::string(kHeaderEnd));
  }
  // The sub-categories spell the old name in the middle of their paths; without this
  // they would show none of their shortcuts under the new name.
  for (std::size_t i = 1; i < oldHeaders.size(); ++i) {
    ReplaceHeader(oldHeaders[i], newPath + oldHeaders[i].substr(oldPath.size()));
  }
  if (!Save()) unsavedPaths_ = true;
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
  auto h = static_cast<Index>(found);
  const int taken = FindSection(newHeader);
  if (taken >= 0 && static_cast<Index>(taken) != h) {
    const auto g = static_cast<Index>(taken);
    const Index end = BodyEndForReplace(lines_, g);
    LineList body(std::make_move_iterator(lines_.begin() + Offset(g + 1)),
                  std::make_move_iterator(lines_.begin() + Offset(end)));
    lines_.erase(lines_.begin() + Offset(g), lines_.begin() + Offset(end));
    if (g < h) h -= end - g;
    const Index at = BodyEndForReplace(lines_, h);
    lines_.insert(lines_.begin() + Offset(at), std::make_move_iterator(body.begin()),
                  std::make_move_iterator(body.end()));
  }
  std::string& line = lines_[h];
  const std::size_t p = FindText(line, oldHeader);
  line.replace(p, oldHeader.size(), newHeader);
}

void ShortcutStore::MoveCategorySections(const std::vector<std::string>& oldHeaders,
                                         const std::vector<std::string>& newHeaders) {
  const std::size_t count = std::min(oldHeaders.size(), newHeaders.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (oldHeaders[i] != newHeaders[i]) ReplaceHeader(oldHeaders[i], newHeaders[i]);
  }
  if (!Save()) unsavedPaths_ = true;
}

bool ShortcutStore::RenameDuplicateSection(const std::string& header, int k,
                                           const std::string& newHeader) {
  int found = FindSection(header);
  for (int seen = 0; found >= 0 && seen < k; ++seen) {
    found = FindSection(header, static_cast<Index>(found) + 1);
  }
  if (found < 0) return false;
  std::string& line = lines_[static_cast<Index>(found)];
  line.replace(FindText(line, header), header.size(), newHeader);
  ++version_;
  unsaved_ = true;
  unsavedPaths_ = true;
  return true;
}

void ShortcutStore::RemoveCategorySection(const CategoryNode& node) {
  const int found = FindSection(SectionHeader(node));
  if (found < 0) return;
  ++version_;
  const auto h = static_cast<Index>(found);
  lines_.erase(lines_.begin() + Offset(h), lines_.begin() + Offset(BodyEndForReplace(lines_, h)));
}

}  // namespace tessaly
