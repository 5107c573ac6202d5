#include "store/CategoryStore.h"

#include "base/Text.h"
#include "store/DataFile.h"

namespace tessaly {

namespace {

constexpr std::string_view kSeparator = " ;";
constexpr std::size_t kBlanksPerLevel = 4;

void AttachNameAndIcon(CategoryNode& node, const std::string& rest) {
  const std::size_t p = FindText(rest, kSeparator);
  if (p == std::string::npos) return;
  node.name = rest.substr(0, p);
  node.iconText = rest.substr(p + kSeparator.size());
}

// A name cut at the separator always ends on a whole character; a whole line taken as
// the name may end in half of one, which the blank of the written " ;" would complete.
std::string NamePart(const std::string& rest) {
  const std::size_t p = FindText(rest, kSeparator);
  return p == std::string::npos ? WithWholeLastCharacter(rest) : rest.substr(0, p);
}

bool IsBlank(const std::string& line) {
  return line.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

CategoryLoadReport LoadCategoryTree(CategoryTree& tree, const LineList& lines) {
  CategoryLoadReport report;
  CategoryNode* current = nullptr;
  int previousLevel = 0;
  for (const std::string& line : lines) {
    if (current == nullptr) {
      // The first line is always a top-level node, however it is indented; what ends
      // it belongs to the name or the icon text.
      const std::string rest = TrimLeadingCodesUpTo(line, 32);
      if (rest.empty()) {
        ++report.blankLinesSkipped;
        continue;
      }
      current = &tree.AddTopLevel(NamePart(rest));
      AttachNameAndIcon(*current, rest);
      previousLevel = 0;
      ++report.nodesRead;
      continue;
    }
    // A stray blank line must not end the load: everything after it would be lost
    // at the next close, when the tree is written back.
    if (IsBlank(line)) {
      ++report.blankLinesSkipped;
      continue;
    }
    const std::size_t blanks = line.find_first_not_of(' ');
    const std::string rest = line.substr(blanks);
    const int level = static_cast<int>(blanks / kBlanksPerLevel);

    CategoryNode* node = nullptr;
    if (level == previousLevel + 1) {
      node = &tree.AddChild(*current, NamePart(rest));
    } else if (current->isTopLevel()) {
      node = &tree.AddTopLevel(NamePart(rest));
    } else {
      for (CategoryNode* ancestor = current->parent(); ancestor != nullptr;
           ancestor = ancestor->parent()) {
        if (ancestor->level() == level - 1) {
          node = &tree.AddChild(*ancestor, NamePart(rest));
          break;
        }
      }
      if (node == nullptr) node = &tree.AddTopLevel(NamePart(rest));
    }
    AttachNameAndIcon(*node, rest);
    current = node;
    previousLevel = level;
    ++report.nodesRead;
  }
  return report;
}

std::string IconFieldOf(const CategoryNode& node) {
  return node.iconText ? *node.iconText : "0" + std::to_string(node.imageIndex);
}

std::string WriteCategoryLine(const CategoryNode& node) {
  std::string line(static_cast<std::size_t>(node.level()) * kBlanksPerLevel, ' ');
  line += WithWholeLastCharacter(node.name);
  line += kSeparator;
  line += IconFieldOf(node);
  return line;
}

LineList SaveCategoryTree(const CategoryTree& tree) {
  LineList lines;
  tree.ForEach([&](CategoryNode& node) { lines.push_back(WriteCategoryLine(node)); });
  return lines;
}

ReadResult CategoryFile::Load(CategoryTree& tree, CategoryLoadReport* report) {
  LineList lines;
  ReadResult result = file_.Load(lines);
  if (result.status != ReadStatus::Read) return result;
  const CategoryLoadReport loaded = LoadCategoryTree(tree, lines);
  base_ = TreeSnapshot::Of(tree);
  if (report != nullptr) *report = loaded;
  return result;
}

bool CategoryFile::Merge(const CategoryTree& tree, const DiskCheck& check, CategoryTree& merged,
                         TreeSnapshot& found, TreeMergeReport& report, std::string& error) {
  LoadCategoryTree(merged, check.lines);
  found = TreeSnapshot::Of(merged);
  report.conflicts = MergeTreeChanges(base_, tree, merged);
  if (!report.conflicts.empty()) {
    const DataFile::Kept kept = file_.KeepAside(check.lines);
    if (!kept.path) {
      error = "the version another program wrote could not be kept: " + kept.error;
      return false;
    }
    report.keptAt = *kept.path;
  }
  report.changed = true;
  return true;
}

// The tree in memory becomes the merged one; as last read it counts as the file was
// found, so that the changes not yet written still tell from it.
void CategoryFile::TakeMerged(CategoryTree& tree, const CategoryTree& merged, TreeSnapshot found) {
  std::map<std::uint64_t, std::uint64_t> ids;
  for (const auto& [from, to] : ReconcileTree(tree, merged)) ids[from->id()] = to->id();
  found.Renumber(ids);
  base_ = std::move(found);
}

WriteResult CategoryFile::Save(CategoryTree& tree, TreeMergeReport* report) {
  TreeMergeReport merging;
  const DiskCheck check = file_.Check(Patience::Wait, &base_.lines);
  if (check.state == DiskState::Unsettled) return {false, check.error, {}};
  if (check.state != DiskState::Changed) {
    WriteResult written = file_.Write(SaveCategoryTree(tree));
    if (written) base_ = TreeSnapshot::Of(tree);
    return written;
  }
  CategoryTree merged;
  TreeSnapshot found;
  std::string error;
  if (!Merge(tree, check, merged, found, merging, error)) return {false, error, {}};
  WriteResult written = file_.Write(SaveCategoryTree(merged));
  // A failed write leaves the tree as it was: the next write merges again.
  if (written) {
    ReconcileTree(tree, merged);
    base_ = TreeSnapshot::Of(tree);
  } else {
    merging.changed = false;
  }
  if (report != nullptr) *report = std::move(merging);
  return written;
}

TreeMergeReport CategoryFile::Reload(CategoryTree& tree) {
  TreeMergeReport report;
  const DiskCheck check = file_.Check(Patience::Glance, &base_.lines);
  if (check.state != DiskState::Changed) return report;
  CategoryTree merged;
  TreeSnapshot found;
  std::string error;
  if (!Merge(tree, check, merged, found, report, error)) return {};
  TakeMerged(tree, merged, std::move(found));
  file_.Adopt(check);
  return report;
}

}  // namespace tessaly
