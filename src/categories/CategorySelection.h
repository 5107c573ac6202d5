#pragma once
// What the list shows when a category is selected: its stored section, or for a
// built-in category a list computed from the shell, or nothing.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "base/LineList.h"
#include "model/CategoryTree.h"
#include "model/Shortcut.h"
#include "model/ShortcutList.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shell/ShellPorts.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// What the computed built-in categories listed the last time a filling of theirs ran
// to its end, by the category's name, in list order.
using LatestResults = std::map<std::string, Shortcuts>;

// True for the built-in categories whose list is computed from the shell.
bool IsComputedCategory(const CategoryNode& node);

// "Get All"'s two start-menu scans into the scans' list. stillCurrent says whether
// the filling still owns the list once the first scan is done.
void ScanGetAll(ShellScans& scans, Folders& folders, const std::function<bool()>& stillCurrent);

class CategorySelection {
 public:
  CategorySelection(ShortcutStore& store, ShellScans& scans, ListEntryAdder& adder,
                    Folders& folders, FileExistence& existence, BusyCursor& cursor)
      : store_(store),
        scans_(scans),
        adder_(adder),
        folders_(folders),
        existence_(existence),
        cursor_(cursor) {}

  // The tree's selection-change handler. Re-entrant: the scans process pending
  // messages, and a selection made meanwhile runs nested inside this one. node is
  // null when no category is selected any more.
  void Select(const CategoryNode* node);
  // The category selected last, whose content the list shows (or showed before a
  // search took the list); null when none is.
  const CategoryNode* selected() const { return selected_; }
  // Shows the selected category again.
  void ShowSelected() { Select(selected_); }

  // Makes the list hold the selected category's content whole before it is stored: a
  // filling still running or one that was stopped runs again at once, without letting
  // messages in. False when the list does not hold the category's content (nothing
  // is selected, or it shows what a search found).
  bool EnsureWhole();
  // Stops a filling still running, as a new selection would: it stores nothing and
  // leaves the list alone from then on. The list is then not whole.
  void StopFilling();
  // True from the start of a selection's filling until it ends or is overtaken.
  bool Filling() const { return filling_ != nullptr; }
  // The category and its sub-categories are leaving the tree: the list lets go of
  // their content first.
  void Forget(const CategoryNode& node);

  const LatestResults& latestResults() const { return latest_; }
  // Counts up whenever the latest results change.
  unsigned resultsVersion() const { return resultsVersion_; }
  // Scans "Get All" into hiddenList (through hiddenScans, which fill it) when the tree
  // has one and it never ran, so that the search finds its programs too.
  void ScanGetAllOnce(const CategoryTree& tree, ShellScans& hiddenScans, ShortcutList& hiddenList);
  // "Get All" as the link cache gives it (title and target lines), for the search,
  // which then needs no scan of its own. False when it holds what was known already.
  bool RememberGetAll(const LineList& lines);
  // Folders that the built-in category of that name reads have changed (for "Get All"
  // any top-level category's). The category, when the list shows it, is listed again;
  // true when it was. A list that shows search results, or a filling that still runs,
  // is left alone.
  bool FollowFolderChange(std::string_view name);
  // Lists the selected category again when the list shows it (another program changed
  // its section); true when it did. Search results and a running filling stay.
  bool ShowShownAgain();

 private:
  void RememberLatest(const std::string& name, Shortcuts entries);
  void Fill(const CategoryNode& node, unsigned generation);
  void FillFolders(unsigned generation);
  void FillWindowsTools(unsigned generation);
  bool Current(unsigned generation) const { return adder_.generation() == generation; }

  ShortcutStore& store_;
  ShellScans& scans_;
  ListEntryAdder& adder_;
  Folders& folders_;
  FileExistence& existence_;
  BusyCursor& cursor_;
  LatestResults latest_;
  unsigned resultsVersion_ = 0;
  const CategoryNode* selected_ = nullptr;
  // The category whose filling runs and owns the list, or null.
  const CategoryNode* filling_ = nullptr;
};

}  // namespace tessaly
