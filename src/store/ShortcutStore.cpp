#include "store/ShortcutStore.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/Text.h"

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

// Index of the first line containing header at or after from, or -1.
int FindSection(const LineList& lines, const std::string& header, std::size_t from = 0) {
  for (Index i = from; i < lines.size(); ++i) {
    if (LineHas(lines[i], header)) return static_cast<int>(i);
  }
  return -1;
}

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

void Insert(LineList& lines, Index at, LineList entries) {
  lines.insert(lines.begin() + Offset(at), std::make_move_iterator(entries.begin()),
               std::make_move_iterator(entries.end()));
}

// What a list read from a section is told by.
std::size_t HashOf(const std::optional<Shortcuts>& entries) {
  if (!entries) return 0x9e3779b9;
  std::size_t hash = entries->size();
  const std::hash<std::string> text;
  for (const Shortcut& entry : *entries) {
    hash = (hash * 31 + text(entry.title)) * 31 + text(entry.target);
  }
  return hash;
}

// The body of the section as a save would replace it; what a conflict is judged on.
LinePart SectionPart(const LineList& lines, const std::string& header) {
  const int found = FindSection(lines, header);
  if (found < 0) return std::nullopt;
  const auto h = static_cast<Index>(found);
  return LineList(lines.begin() + Offset(h + 1),
                  lines.begin() + Offset(BodyEndForReplace(lines, h)));
}

// Each operation of the store as a change of the lines, so that it can be made again
// to lines another program wrote.

void SaveSection(LineList& lines, const std::string& header, LineList entries) {
  const int found = FindSection(lines, header);
  if (found >= 0) {
    const auto h = static_cast<Index>(found);
    ReplaceRange(lines, h + 1, BodyEndForReplace(lines, h), std::move(entries));
  } else {
    lines.push_back(header);
    Append(lines, std::move(entries));
  }
}

void AppendToSection(LineList& lines, const std::string& header, LineList entries) {
  const int found = FindSection(lines, header);
  if (found >= 0) {
    Insert(lines, BodyEndForAppend(lines, static_cast<Index>(found)), std::move(entries));
  } else {
    lines.push_back(header);
    Append(lines, std::move(entries));
  }
}

void AddAtTop(LineList& lines, const std::string& header, LineList entries) {
  const int found = FindSection(lines, header);
  if (found >= 0) {
    Insert(lines, static_cast<Index>(found) + 1, std::move(entries));
  } else {
    lines.push_back(header);
    Append(lines, std::move(entries));
  }
}

// Puts newHeader in place of oldHeader in the line of oldHeader's section. Should a
// section already stand under newHeader (left by a deleted category), the two become
// one, the moved entries first: one path never heads two sections.
void ReplaceHeader(LineList& lines, const std::string& oldHeader, const std::string& newHeader) {
  const int found = FindSection(lines, oldHeader);
  if (found < 0) return;
  auto h = static_cast<Index>(found);
  const int taken = FindSection(lines, newHeader);
  if (taken >= 0 && static_cast<Index>(taken) != h) {
    const auto g = static_cast<Index>(taken);
    const Index end = BodyEndForReplace(lines, g);
    LineList body(std::make_move_iterator(lines.begin() + Offset(g + 1)),
                  std::make_move_iterator(lines.begin() + Offset(end)));
    lines.erase(lines.begin() + Offset(g), lines.begin() + Offset(end));
    if (g < h) h -= end - g;
    Insert(lines, BodyEndForReplace(lines, h), std::move(body));
  }
  std::string& line = lines[h];
  const std::size_t p = FindText(line, oldHeader);
  line.replace(p, oldHeader.size(), newHeader);
}

void RenameSections(LineList& lines, const std::vector<std::string>& oldHeaders,
                    const std::string& oldName, const std::string& newName) {
  const std::string oldPath = oldHeaders.front().substr(0, oldHeaders.front().size() - 1);
  const std::string newPath = oldPath.substr(0, oldPath.size() - oldName.size() - 1) + newName + "]";
  const std::string newHeader = newPath + ">";
  const int found = FindSection(lines, oldHeaders.front());
  const int taken = FindSection(lines, newHeader);
  if (found >= 0 && taken >= 0 && taken != found) {
    ReplaceHeader(lines, oldHeaders.front(), newHeader);
  } else if (found >= 0) {
    std::string& line = lines[static_cast<Index>(found)];
    const std::string oldEnd = oldName + std::string(kHeaderEnd);
    const std::size_t p = FindText(line, oldEnd);
    if (p != std::string::npos) line.replace(p, oldEnd.size(), newName + std::string(kHeaderEnd));
  }
  // The sub-categories spell the old name in the middle of their paths; without this
  // they would show none of their shortcuts under the new name.
  for (std::size_t i = 1; i < oldHeaders.size(); ++i) {
    ReplaceHeader(lines, oldHeaders[i], newPath + oldHeaders[i].substr(oldPath.size()));
  }
}

void MoveSections(LineList& lines, const std::vector<std::string>& oldHeaders,
                  const std::vector<std::string>& newHeaders) {
  const std::size_t count = std::min(oldHeaders.size(), newHeaders.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (oldHeaders[i] != newHeaders[i]) ReplaceHeader(lines, oldHeaders[i], newHeaders[i]);
  }
}

int FindDuplicate(const LineList& lines, const std::string& header, int k) {
  int found = FindSection(lines, header);
  for (int seen = 0; found >= 0 && seen < k; ++seen) {
    found = FindSection(lines, header, static_cast<Index>(found) + 1);
  }
  return found;
}

void RenameDuplicate(LineList& lines, const std::string& header, int k,
                     const std::string& newHeader) {
  const int found = FindDuplicate(lines, header, k);
  if (found < 0) return;
  std::string& line = lines[static_cast<Index>(found)];
  line.replace(FindText(line, header), header.size(), newHeader);
}

void RemoveSection(LineList& lines, const std::string& header) {
  const int found = FindSection(lines, header);
  if (found < 0) return;
  const auto h = static_cast<Index>(found);
  lines.erase(lines.begin() + Offset(h), lines.begin() + Offset(BodyEndForReplace(lines, h)));
}

}  // namespace

ShortcutStore::ShortcutStore(FileStore& files, MessageBoxes& boxes, std::string path,
                             Clock& clock)
    : boxes_(boxes), file_(files, clock, std::move(path)), changes_(SectionPart) {}

ReadResult ShortcutStore::Load() {
  LineList lines;
  ReadResult result = file_.Load(lines);
  if (result.status != ReadStatus::Failed) {
    changes_.Reset(std::move(lines));
    ++version_;
  }
  return result;
}

bool ShortcutStore::Reload() {
  DiskCheck check = file_.Check(Patience::Glance, KnownLines());
  if (check.state != DiskState::Changed) return false;
  std::string error;
  return Merge(check, &error);
}

const LineList* ShortcutStore::KnownLines() const {
  return changes_.pending() ? nullptr : &changes_.lines();
}

std::string ShortcutStore::SectionHeader(const CategoryNode& node) {
  std::string path;
  for (const CategoryNode* n = &node; n != nullptr; n = n->parent()) {
    path.insert(0, "[" + n->name + "]");
  }
  return "<" + path + ">";
}

bool ShortcutStore::Merge(DiskCheck& check, std::string* error) {
  const auto name = [](const std::string& header) {
    return "the shortcuts of " + header.substr(1, header.size() - 2);
  };
  if (!MergeOutsideChanges(changes_, file_, check, boxes_, name, error)) return false;
  ++version_;
  ++generation_;
  changedOutside_ = true;
  return true;
}

WriteResult ShortcutStore::Write(DiskCheck check) {
  if (check.state == DiskState::Unsettled) return {false, check.error, {}};
  if (check.state == DiskState::Changed) {
    std::string error;
    if (!Merge(check, &error)) return {false, error, {}};
  }
  // A file gone or emptied meanwhile has nothing to merge: the lines are written whole.
  WriteResult result = file_.Write(changes_.lines());
  if (!result) return result;
  changes_.Written();
  unsaved_ = false;
  unsavedPaths_ = false;
  if (written_) written_();
  return result;
}

bool ShortcutStore::Save(DiskCheck check) {
  // Whatever the lines hold is written whole: changes kept after a failed write go
  // along with this one.
  unsaved_ = true;
  const WriteResult result = Write(std::move(check));
  if (!result) boxes_.Error(WriteFailureText(Path(), result.error));
  return result.ok;
}

bool ShortcutStore::Change(LineChange change, bool save) {
  // The file is looked at before the change is made: while nothing is pending, the
  // lines are still the version known, and a file written again alike is no change.
  DiskCheck check;
  if (save) check = file_.Check(Patience::Wait, KnownLines());
  changes_.Make(std::move(change));
  ++version_;
  return !save || Save(std::move(check));
}

bool ShortcutStore::SaveIfUnsaved() {
  return !unsaved_ || Save(file_.Check(Patience::Wait, KnownLines()));
}

WriteResult ShortcutStore::WriteUnsaved() {
  return unsaved_ ? Write(file_.Check(Patience::Wait, KnownLines())) : WriteResult{};
}

std::optional<Shortcuts> ShortcutStore::EntriesOf(const std::string& header) const {
  const LineList& lines = changes_.lines();
  const int found = FindSection(lines, header);
  if (found < 0) return std::nullopt;
  Shortcuts entries;
  for (Index i = static_cast<Index>(found) + 1; i + 1 < lines.size(); i += 2) {
    const std::string& title = lines[i];
    if (LineHas(title, kHeaderStart) || LineHas(title, kHeaderEnd)) break;
    entries.push_back({title, lines[i + 1]});
  }
  return entries;
}

std::optional<Shortcuts> ShortcutStore::SectionEntries(const CategoryNode& node) const {
  const std::string header = SectionHeader(node);
  std::optional<Shortcuts> entries = EntriesOf(header);
  handedOut_[header] = {generation_, HashOf(entries)};
  return entries;
}

bool ShortcutStore::ShownAsItIs(const std::string& header) const {
  const auto it = handedOut_.find(header);
  // Only a merge since the list was read can have changed the section under it.
  return it == handedOut_.end() || it->second.generation == generation_ ||
         it->second.hash == HashOf(EntriesOf(header));
}

void ShortcutStore::Follow(const std::string& header, bool shownAsItWas, unsigned generation) {
  const auto it = handedOut_.find(header);
  // A list that missed another program's change of the section still misses it.
  if (it != handedOut_.end() && shownAsItWas && generation == generation_) {
    it->second = {generation_, HashOf(EntriesOf(header))};
  }
}

bool ShortcutStore::KeepOtherVersionOfStaleSection(const std::string& header) {
  if (ShownAsItIs(header)) return true;
  const DataFile::Kept kept = file_.KeepAside(changes_.lines());
  if (!kept.path) {
    boxes_.Error(WriteFailureText(
        Path(), "the version another program wrote could not be kept: " + kept.error));
    return false;
  }
  boxes_.Information(
      ConflictText(Path(), {"the shortcuts of " + header.substr(1, header.size() - 2)}, *kept.path));
  return true;
}

void ShortcutStore::SaveCategorySection(const CategoryNode& node, const Shortcuts& entries) {
  const std::string header = SectionHeader(node);
  if (!KeepOtherVersionOfStaleSection(header)) return;
  // The whole section comes from the list the user saw: another program's change of
  // it is the one a merge cannot keep.
  Change({[header, pairs = PairsOf(entries)](LineList& lines) { SaveSection(lines, header, pairs); },
          {header}},
         true);
  handedOut_[header] = {generation_, HashOf(entries)};
}

void ShortcutStore::AppendItemsToSection(const CategoryNode& node, const Shortcuts& added) {
  const std::string header = SectionHeader(node);
  const bool shown = ShownAsItIs(header);
  const unsigned generation = generation_;
  Change({[header, pairs = PairsOf(added)](LineList& lines) { AppendToSection(lines, header, pairs); },
          {}},
         true);
  Follow(header, shown, generation);
}

void ShortcutStore::AddSelectedToSection(const std::string& topLevelName,
                                         const Shortcuts& selected) {
  const std::string header = "<[" + topLevelName + "]>";
  const bool shown = ShownAsItIs(header);
  const unsigned generation = generation_;
  Change({[header, pairs = PairsOf(selected)](LineList& lines) { AddAtTop(lines, header, pairs); },
          {}},
         true);
  Follow(header, shown, generation);
}

void ShortcutStore::RenameCategorySection(const CategoryNode& node, const std::string& newName) {
  const std::vector<std::string> oldHeaders = SubtreeHeaders(node);
  for (const std::string& header : oldHeaders) handedOut_.erase(header);
  if (!Change({[oldHeaders, oldName = node.name, newName](LineList& lines) {
            RenameSections(lines, oldHeaders, oldName, newName);
          },
          {}},
         true)) {
    unsavedPaths_ = true;
  }
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

void ShortcutStore::MoveCategorySections(const std::vector<std::string>& oldHeaders,
                                         const std::vector<std::string>& newHeaders) {
  for (const std::string& header : oldHeaders) handedOut_.erase(header);
  if (!Change({[oldHeaders, newHeaders](LineList& lines) { MoveSections(lines, oldHeaders, newHeaders); },
               {}},
              true)) {
    unsavedPaths_ = true;
  }
}

bool ShortcutStore::RenameDuplicateSection(const std::string& header, int k,
                                           const std::string& newHeader) {
  if (FindDuplicate(changes_.lines(), header, k) < 0) return false;
  Change({[header, k, newHeader](LineList& lines) { RenameDuplicate(lines, header, k, newHeader); },
          {}},
         false);
  unsaved_ = true;
  unsavedPaths_ = true;
  return true;
}

void ShortcutStore::RemoveCategorySection(const CategoryNode& node) {
  const std::string header = SectionHeader(node);
  if (FindSection(changes_.lines(), header) < 0) return;
  handedOut_.erase(header);
  // Deleting a category drops whatever its section holds, another program's entries too.
  Change({[header](LineList& lines) { RemoveSection(lines, header); }, {header}}, false);
}

}  // namespace tessaly
