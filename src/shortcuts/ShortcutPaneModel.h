#pragma once
// The right pane as the core sees it: what the list shows and where it comes from, the
// search session, a drag of shortcuts, and every command on them with whether it is
// available now. The window draws the list and hands this model the user's input
// together with the items selected in the control.

#include <optional>
#include <string>
#include <vector>

#include "base/MessageBoxes.h"
#include "categories/CategorySelection.h"
#include "model/CategoryTree.h"
#include "model/Shortcut.h"
#include "model/ShortcutList.h"
#include "shell/ShellPorts.h"
#include "shortcuts/LaunchHistory.h"
#include "shortcuts/Launching.h"
#include "shortcuts/ShortcutCommands.h"
#include "shortcuts/ShortcutSearch.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// Indexes of the selected items, ascending.
using Selection = std::vector<int>;

inline constexpr const char* kNoCategoryText =
    "Select a category first: new shortcuts go into the selected category.";
inline constexpr const char* kNoDropText = "Cannot be dropped here";
inline constexpr const char* kGetAllKeepsNothingText =
    "'Get All' lists the programs of the Start menus afresh each time and cannot keep "
    "shortcuts. Put them into another category.";

// Which commands the pane offers now.
struct Availability {
  bool add = false;
  bool edit = false;
  bool remove = false;
  bool open = false;  // Open, Location and Run as administrator
  bool sort = false;
  bool clear = false;
  bool drag = false;     // out of the list, onto categories
  bool reorder = false;  // within the list
  friend bool operator==(const Availability&, const Availability&) = default;
};

// A drag of shortcuts out of the list, from its start to its drop.
struct ShortcutDragging {
  unsigned generation = 0;  // of the list it started in
  const CategoryNode* source = nullptr;
  Selection items;          // DraggedItems: the selected indexes at the start
  Shortcuts values;         // what those items were, should the list be filled again
};

// The editor's OK, and what it edits.
struct EditorSession {
  bool editMode = false;  // ShortcutEditMode
  const CategoryNode* category = nullptr;
  unsigned generation = 0;
  int item = -1;          // the edited item
  Shortcut original;
};

class ShortcutPaneModel {
 public:
  struct Services {
    ShortcutStore& store;
    CategorySelection& selection;
    ShortcutList& list;
    LinkReader& links;
    FileExistence& existence;
    Launcher& launcher;
    MessageBoxes& boxes;
    StatusLine& status;
    // What was opened, after typing what: the search learns from it.
    LaunchHistory& history;
  };
  // What the search reads besides the store: the tree, and a hidden list with its own
  // scans for "Get All" when it never ran.
  struct SearchSources {
    const CategoryTree& tree;
    ShellScans& hiddenScans;
    ShortcutList& hiddenList;
  };

  ShortcutPaneModel(const Services& services, const SearchSources& sources)
      : services_(services), sources_(sources) {}

  ShortcutList& list() { return services_.list; }
  const ShortcutList& list() const { return services_.list; }
  Availability Available(int selectedCount) const;

  // The status text for a selection: the first selected item's target, or the count.
  std::string SelectionStatus(const Selection& selection) const;

  void Open(const Selection& selection, bool elevated);
  void Location(const Selection& selection);
  // Asks, then files the selected items in the trash (or, in "Trash", deletes them)
  // and stores the category. True when items were removed.
  bool Remove(const Selection& selection);
  // Asks, then files every item in the trash (in "Trash": discards them), empties the
  // list and stores the empty category. True when cleared.
  bool Clear();
  // Orders the list by title and stores that order; the selection goes along.
  void Sort(const Selection& selection);

  // Starts the editor for Add (a search ends first) or Edit; nothing when the command
  // is refused (a message said why, where one is due).
  std::optional<EditorSession> StartAdd();
  std::optional<EditorSession> StartEdit(const Selection& selection);
  // The editor's checked fields: appended, or put in place of the edited item, and
  // stored. False when the list no longer holds what the editor was opened for.
  bool AcceptEditor(const EditorSession& session, const EditorFields& fields);
  // Files dropped from the shell: each path not yet a target in the list becomes a
  // shortcut titled by DefaultTitle; then the category is stored.
  void AddDroppedFiles(const std::vector<std::string>& paths);

  // Type to find. A blank text shows what was opened most lately, or, when nothing
  // was, ends the search.
  void Search(const std::string& text);
  // Builds the search's index ahead of the first key, when that needs no scan (the
  // store and "Get All", if the tree has one, are known). Returns at once when the
  // index is current.
  void PrepareSearch();
  // Forgets what was opened, after asking; a list of it shown goes back to the category.
  void ForgetHistory();
  // Shows the selected category again.
  void EndSearch();
  bool searching() const { return list().source() == ShortcutList::Source::Results; }
  // True while the search builds its index: that lets messages run, and a key typed
  // meanwhile is read by the search that builds it.
  bool indexing() const { return indexing_; }

  // Drags. DragStarted: set when a drag starts, cleared by every drop and by every
  // selection of an item, so that the single-click open does not follow a drag.
  std::optional<ShortcutDragging> BeginDrag(const Selection& selection);
  bool AcceptsListDrop(const ShortcutDragging& drag) const;
  bool AcceptsCategoryDrop(const ShortcutDragging& drag, const CategoryNode& target) const;
  // Reorders: the dragged items go before the item at dropIndex, or to the end (-1).
  // Returns the selection afterwards.
  void DropOnList(const ShortcutDragging& drag, int dropIndex);
  // Files the dragged items at the end of target's section; from "Get All" they are
  // copied, from elsewhere they leave the list. True when they left it.
  bool DropOnCategory(const ShortcutDragging& drag, const CategoryNode& target);
  // What a release would do, shown while the drag runs: over the list at dropIndex
  // (-1 for empty space), or over target (null: over neither).
  std::string ListDropText(const ShortcutDragging& drag, int dropIndex) const;
  std::string CategoryDropText(const ShortcutDragging& drag, const CategoryNode* target) const;
  bool dragStarted() const { return dragStarted_; }
  void ClearDragStarted() { dragStarted_ = false; }

 private:
  // The list holds its category whole and may be stored; a filling still running or
  // stopped runs again first. Then the picked entries (taken from the list as it was
  // at generation) are looked up again, since a list filled again has other indexes.
  bool EnsureStorable();
  Selection Retake(const Shortcuts& picked, const Selection& was, unsigned generation) const;
  void StoreList();
  bool RefuseForAdding();
  void Launch(const Selection& selection, bool elevated);
  void BuildIndex();

  Services services_;
  SearchSources sources_;
  ShortcutSearch search_;
  // The versions of what the search index was built from.
  unsigned indexedStore_ = ~0u;
  unsigned indexedResults_ = ~0u;
  bool indexing_ = false;
  // The text the results on show were found for: a launch from them is learned with it.
  std::string searchText_;
  bool dragStarted_ = false;
};

}  // namespace tessaly
