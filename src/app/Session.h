#pragma once
// The program's data for one run: the data directory, the three files and the
// category tree, with the decisions taken at start-up and at close.

#include <optional>
#include <string>

#include "base/Clock.h"
#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "shortcuts/LaunchHistory.h"
#include "shortcuts/ViewStyle.h"
#include "store/CategoryStore.h"
#include "store/FileStore.h"
#include "store/Settings.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// The process's current directory with "\" appended unless it already ends in one.
std::string DataDirectoryFrom(const std::string& currentDirectory);

// Where the main window opens.
struct Placement {
  enum class Kind { Centered, Maximized, Stored };
  Kind kind = Kind::Centered;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// "Maximize" "1" maximises; any other non-empty value uses "Left", "Top", "Width" and
// "Height". A stored placement that cannot be read opens centred instead: a settings
// file must never keep the program from starting.
Placement StoredPlacement(const Settings& settings);

// The main window's design size, in pixels at 96 dots per inch.
inline constexpr int kDesignWidth = 834;
inline constexpr int kDesignHeight = 637;

inline constexpr const char* kMissingCategoriesText =
    "Missing a necessary file, reinstall the program please.";

// Which data in memory took in what another program wrote to the files (a hand edit,
// a sync tool, a second Tessaly), by a reload or by a write that merged.
struct OutsideChanges {
  bool settings = false;    // settings() holds other values: the view may differ
  bool shortcuts = false;   // shortcuts() holds other sections: the list must be read again
  bool categories = false;  // tree() was reshaped: the tree must be shown again
  bool any() const { return settings || shortcuts || categories; }
};

class Session : public TreeSaver {
 public:
  Session(FileStore& files, MessageBoxes& boxes, const std::string& currentDirectory,
          Clock& clock = SystemClock());

  // Finishes writes that a kill cut short, then loads the settings and the shortcut
  // store, and names the copies sync tools left of the files, once. False when the
  // program is to end: the user gave up on an unreadable file (nothing is written), or
  // Categories.sts is missing (reinstall message, backup).
  bool Open();

  ViewStyle StoredView() const;
  Placement StoredWindowPlacement() const { return StoredPlacement(settings_); }

  // Builds the category tree. False when the user gave up on an unreadable file.
  // Categories that share a path with an earlier sibling get names of their own, and
  // both files are written at once so that they agree.
  bool LoadTree();
  bool treeLoaded() const { return treeLoaded_; }

  // The absolute index of the category to select after the tree is built, or nothing
  // when no category is to be selected (an empty tree, or a "Treeselect" that is not
  // a number, which is reported).
  std::optional<int> InitialSelection();

  // Writes what the shortcut store could not write before, stores the selection and
  // writes the tree (nothing before the tree was loaded). False when the user chose to
  // keep the program open after a failed write.
  bool Close(const CategoryNode* selected);

  // Writes Categories.sts from the tree, unless the shortcut file on disk still has
  // the paths the tree had before (its write failed): the tree then waits in memory
  // and is written with the shortcut file's next write, so the two never disagree.
  // False when the tree is not on disk now. Categories another program changed in the
  // file meanwhile are kept: the tree in memory takes them in (ReloadChangedFiles
  // tells the window).
  bool SaveTree() override;

  // Reads again each data file that another program changed since Tessaly last read
  // or wrote it; changes of the user's that are not written yet stay on top. A file in
  // the middle of being written is left for a later call. Says what in memory changed
  // other than by the user's commands since the last call, by this reload or by a
  // write that merged another program's changes. Writes nothing unless a merged tree
  // holds two categories of one path (they are told apart, as at start-up).
  OutsideChanges ReloadChangedFiles();

  const std::string& DataDirectory() const { return dataDirectory_; }
  Settings& settings() { return settings_; }
  ShortcutStore& shortcuts() { return shortcuts_; }
  LaunchHistory& history() { return history_; }
  CategoryTree& tree() { return tree_; }

 private:
  FileStore& files_;
  MessageBoxes& boxes_;
  std::string dataDirectory_;
  Settings settings_;
  ShortcutStore shortcuts_;
  CategoryFile categoryFile_;
  CategoryTree tree_;
  LaunchHistory history_;
  bool treeLoaded_ = false;
  bool treeWaiting_ = false;
  bool treeChangedOutside_ = false;
  bool settlingTwins_ = false;

  // Shows the one message of a merge in which both changed a category, and notes a
  // tree that took in another program's changes.
  void Tell(const TreeMergeReport& report);
  // Categories that a merge left with one path between them get names of their own;
  // both files are written.
  void SettleTwins();

  // False when the user gave up on reading path.
  template <typename Attempt>
  bool ReadOrGiveUp(const std::string& path, Attempt attempt);
};

}  // namespace tessaly
