#pragma once
// Shortcuts.sts: sections headed "<[Top][...][Name]>", each followed by title/target
// line pairs. Every change is written to the file before the operation returns.

#include <optional>
#include <string>
#include <vector>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "shell/ListEntries.h"
#include "model/ShortcutList.h"
#include "store/FileStore.h"

namespace tessaly {

class ShortcutStore {
 public:
  ShortcutStore(FileStore& files, MessageBoxes& boxes, std::string path)
      : files_(files), boxes_(boxes), path_(std::move(path)) {}

  // Loads the file (a missing one gives an empty store); see LoadLines.
  ReadResult Load();

  // "<" + "[name]" for the node and each ancestor, top-level first, + ">".
  static std::string SectionHeader(const CategoryNode& node);

  // The title/target pairs of the node's section, read as a load reads them; nothing
  // when the node has no section.
  std::optional<LineList> SectionEntries(const CategoryNode& node) const;
  // Counts up with every change of the lines, so that what was read from them can
  // tell it is out of date.
  unsigned version() const { return version_; }

  // Fills the list from the node's section (clearing it first). False, with the list
  // untouched, when the node has no section.
  bool LoadCategorySection(const CategoryNode& node, ListEntryAdder& adder);
  // The node's section becomes exactly the list's items, in list order.
  void SaveCategorySection(const CategoryNode& node, const ShortcutList& list);
  // Adds the given items after the section's existing entries.
  void AppendItemsToSection(const CategoryNode& node, const ShortcutList& list,
                            const std::vector<int>& indexes);
  // Files the selected items at the top of the top-level section of that name.
  void AddSelectedToSection(const std::string& topLevelName, const ShortcutList& list);
  // Renames the node's own header (the node still carries its old name), and carries
  // the sections of its sub-categories to the new path, in one save.
  void RenameCategorySection(const CategoryNode& node, const std::string& newName);
  // The headers of a category and its sub-categories, node first, depth-first.
  static std::vector<std::string> SubtreeHeaders(const CategoryNode& node);
  // Each section headed by oldHeaders[i] gets newHeaders[i]; one save for all. A
  // moved category takes its shortcuts and those of its sub-categories along.
  void MoveCategorySections(const std::vector<std::string>& oldHeaders,
                            const std::vector<std::string>& newHeaders);
  // Drops the node's section from memory; the file follows with the next save.
  void RemoveCategorySection(const CategoryNode& node);

  const LineList& Lines() const { return lines_; }
  LineList& MutableLines() { return lines_; }
  const std::string& Path() const { return path_; }

 private:
  // Index of the first line containing header, or -1.
  int FindSection(const std::string& header) const;
  // Puts newHeader in place of oldHeader in the line of oldHeader's section.
  void ReplaceHeader(const std::string& oldHeader, const std::string& newHeader);
  bool Save();

  FileStore& files_;
  MessageBoxes& boxes_;
  std::string path_;
  LineList lines_;
  unsigned version_ = 0;
};

}  // namespace tessaly
