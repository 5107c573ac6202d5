#pragma once
// Shortcuts.sts: sections headed "<[Top][...][Name]>", each followed by title/target
// line pairs. Every change is written to the file before the operation returns; a
// change another program made to the file meanwhile is kept (see LineChanges).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "model/Shortcut.h"
#include "store/DataFile.h"
#include "store/FileStore.h"
#include "store/LineChanges.h"

namespace tessaly {

class ShortcutStore {
 public:
  ShortcutStore(FileStore& files, MessageBoxes& boxes, std::string path,
                Clock& clock = SystemClock());

  // Loads the file (a missing one gives an empty store); see LoadLines.
  ReadResult Load();
  // Reads the file again if another program changed it since it was last read or
  // written; changes not yet written are made again on top. True when the lines
  // changed. A file that is in the middle of being written is left for a later look.
  bool Reload();

  // "<" + "[name]" for the node and each ancestor, top-level first, + ">".
  static std::string SectionHeader(const CategoryNode& node);

  // The shortcuts of the node's section, read as a load reads them; nothing when the
  // node has no section. The store notes what it handed out: a save of that section
  // from a list read before another program changed the section is told as a conflict
  // (the other version is kept), even when what shows it was not read again.
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

  // True once (then false until it happens again) when the lines took in another
  // program's changes, at a reload or at a save: what shows them must read them again.
  bool TakeOutsideChange() { return std::exchange(changedOutside_, false); }

  const LineList& Lines() const { return changes_.lines(); }
  const std::string& Path() const { return file_.path(); }

 private:
  // Makes the change in memory, then (when save) writes the file; false when that
  // write failed (reported).
  bool Change(LineChange change, bool save);
  bool Save(DiskCheck check);
  // Writes the lines, after taking in what check found another program wrote.
  WriteResult Write(DiskCheck check);
  // Takes the lines another program left and makes the pending changes again on top;
  // a part both changed is the user's, and the other version goes to the backup
  // folder with one message. False when that version could not be kept.
  bool Merge(DiskCheck& check, std::string* error);
  // The lines of the version on disk as last read or written, while nothing is pending.
  const LineList* KnownLines() const;
  // The entries of the section now, without noting them as handed out.
  std::optional<Shortcuts> EntriesOf(const std::string& header) const;
  // True unless a list read from the section before the last merge misses what another
  // program changed in it.
  bool ShownAsItIs(const std::string& header) const;
  // After a change of the store's own: what shows the section follows it, if it showed
  // the section as it was and no merge came with the change.
  void Follow(const std::string& header, bool shownAsItWas, unsigned generation);
  // False when a list read from the section before another program changed it may not
  // be saved: the other version could not be kept (reported).
  bool KeepOtherVersionOfStaleSection(const std::string& header);

  MessageBoxes& boxes_;
  DataFile file_;
  LineChanges changes_;
  unsigned version_ = 0;
  // Counts the merges of another program's lines.
  unsigned generation_ = 0;
  struct HandedOut {
    unsigned generation;
    std::size_t hash;
  };
  mutable std::map<std::string, HandedOut> handedOut_;
  bool unsaved_ = false;
  bool unsavedPaths_ = false;
  bool changedOutside_ = false;
  std::function<void()> written_;
};

}  // namespace tessaly
