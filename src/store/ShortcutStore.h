#pragma once
// Shortcuts.sts: sections headed "<[Top][...][Name]>", each followed by title/target
// line pairs. Every change is written to the file before the operation returns.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "model/Shortcut.h"
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

  // The shortcuts of the node's section, read as a load reads them; nothing when the
  // node has no section.
  std::optional<Shortcuts> SectionEntries(const CategoryNode& node) const;
  // Counts up with every change of the lines, so that what was read from them can
  // tell it is out of date.
  unsigned version() const { return version_; }

  // The node's section becomes exactly these entries, in this order.
  void SaveCategorySection(const CategoryNode& node, const Shortcuts& entries);
  // Adds the entries after the section's existing ones.
  void AppendItemsToSection(const CategoryNode& node, const Shortcuts& entries);
  // Files the entries at the top of the top-level section of that name.
  void AddSelectedToSection(const std::string& topLevelName, const Shortcuts& entries);
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

  // True while the lines hold changes that a failed write could not bring to the
  // file; every later save writes them too.
  bool unsaved() const { return unsaved_; }
  // True while among those changes are sections carried to other paths: a category
  // file written now would name paths that the shortcut file on disk does not have.
  bool unsavedPaths() const { return unsavedPaths_; }
  // Writes the lines if they hold unsaved changes. False when that failed (reported).
  bool SaveIfUnsaved();
  // The same without reporting a failure: the caller asks the user what to do.
  [[nodiscard]] WriteResult WriteUnsaved();
  // Runs after every write that brought the file up to date.
  void OnWritten(std::function<void()> written) { written_ = std::move(written); }
  // Gives the k-th section headed header (counted from 0, the first being the one
  // every lookup finds) the header newHeader; false when there is no such section.
  bool RenameDuplicateSection(const std::string& header, int k, const std::string& newHeader);

  const LineList& Lines() const { return lines_; }
  const std::string& Path() const { return path_; }

 private:
  // Index of the first line containing header at or after from, or -1.
  int FindSection(const std::string& header, std::size_t from = 0) const;
  // Puts newHeader in place of oldHeader in the line of oldHeader's section. Should a
  // section already stand under newHeader (left by a deleted category), the two become
  // one, the moved entries first: one path never heads two sections.
  void ReplaceHeader(const std::string& oldHeader, const std::string& newHeader);
  bool Save();
  WriteResult Write();

  FileStore& files_;
  MessageBoxes& boxes_;
  std::string path_;
  LineList lines_;
  unsigned version_ = 0;
  bool unsaved_ = false;
  bool unsavedPaths_ = false;
  std::function<void()> written_;
};

}  // namespace tessaly
