#pragma once
// What the list shows when a category is selected: its stored section, or for a
// built-in category a list computed from the shell, or nothing.

#include <functional>
#include <map>
#include <string>

#include "base/LineList.h"
#include "model/CategoryTree.h"
#include "model/ShortcutList.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shell/ShellPorts.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// What the computed built-in categories listed the last time a filling of theirs ran
// to its end, by the category's name: title and target lines in list order.
using LatestResults = std::map<std::string, LineList>;

// True for the built-in categories whose list is computed from the shell.
bool IsComputedCategory(const CategoryNode& node);

// "Get All"'s two start-menu scans into the scans' list. stillCurrent says whether
// the filling still owns the list once the first scan is done.
void ScanGetAll(ShellScans& scans, Folders& folders, const std::function<bool()>& stillCurrent);

class CategorySelection : public ListFilling {
 public:
  CategorySelection(ShortcutStore& store, ShellScans& scans, ListEntryAdder& adder,
                    Folders& folders, FileExistence& existence, BusyCursor& cursor)
      : store_(store),
        scans_(scans),
        adder_(adder),
        folders_(folders),
        existence_(existence),
        cursor_(cursor) {}

  // The tree's selection-change handler. Re-entrant: the fillings process pending
  // messages, and a selection made meanwhile runs nested inside this one. node is
  // null when no category is selected any more.
  void Select(const CategoryNode* node);

  const LatestResults& latestResults() const { return latest_; }
  // Keeps what a filling done elsewhere found for a computed category of that name.
  void RememberLatest(const std::string& name, LineList entries) {
    latest_[name] = std::move(entries);
    ++resultsVersion_;
  }
  // Counts up whenever the latest results change.
  unsigned resultsVersion() const { return resultsVersion_; }
  // A stored section gets the rest of its entries; a scan runs again to its end.
  void FinishFilling() override;
  // Stops a filling still running, as a new selection would: it stores nothing and
  // leaves the list alone from then on.
  void StopFilling();
  // True from the start of a selection's filling until it ends or is overtaken.
  bool Filling() const { return filling_ != nullptr; }

 private:
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
  // The category whose filling runs and owns the list, or null.
  const CategoryNode* filling_ = nullptr;
};

}  // namespace tessaly
