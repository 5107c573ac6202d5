#pragma once
// The right pane of the main window: the toolbar, the shortcut list with its context
// menu and view menu, the shortcut commands and the shortcut editor. The main window
// hands it the list's and the toolbar's notifications and their commands.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <memory>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/win32/Handle.h"
#include "base/win32/Pictures.h"
#include "categories/win32/CategoryTreeView.h"
#include "model/ShortcutList.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "categories/CategorySelection.h"
#include "model/CategoryTree.h"
#include "shortcuts/ShortcutCommands.h"
#include "shortcuts/ShortcutSearch.h"
#include "shortcuts/ViewStyle.h"
#include "shortcuts/win32/ShortcutDrag.h"
#include "shortcuts/win32/ShortcutEditor.h"
#include "shortcuts/win32/ShortcutListView.h"
#include "store/Settings.h"
#include "store/ShortcutStore.h"

namespace tessaly::win32 {

// The main window's timer of the delayed single-click open.
inline constexpr UINT_PTR kClickTimer = 2;
// The main window's timer that adds the results below the first screen.
inline constexpr UINT_PTR kResultsTimer = 3;

class ShortcutPane {
 public:
  struct Services {
    ShortcutStore& store;
    Settings& settings;
    LinkReader& links;
    FileExistence& existence;
    Launcher& launcher;
    Pickers& pickers;
    MessageBoxes& boxes;
    StatusLine& status;
    // Every command that stores the list finishes a filling still running first.
    ListFilling& filling;
  };

  // What the search field searches, and how it gives the list back.
  struct SearchSources {
    const CategoryTree* tree = nullptr;
    const CategorySelection* selection = nullptr;
    // Fills "Get All"'s latest results if it never ran.
    std::function<void()> scanGetAllOnce;
    // Stops a filling of the list that is still running.
    std::function<void()> stopFilling;
    // Fills the list for the selected category again.
    std::function<void()> showCategory;
  };

  // The shortcuts listed belong to the category selected in categories.
  ShortcutPane(const Services& services, CategoryTreeView& categories);
  ShortcutPane(const ShortcutPane&) = delete;
  ShortcutPane& operator=(const ShortcutPane&) = delete;

  // Creates the toolbar, the search field and the list as children of owner.
  void Create(HWND owner, Dpi dpi, HFONT font);
  void SetSearchSources(SearchSources sources) { sources_ = std::move(sources); }
  // The toolbar's pictures and the list's icons, which the window loads after its
  // first paint: the shell's image lists take longer to set up than the whole
  // window. Runs once.
  void LoadPictures();
  // The toolbar along the top of the area, the search field and the list below it.
  void Layout(const RECT& area, int toolbarHeight);
  // The view stored in the settings, applied at start without storing it again.
  void ApplyStoredView(ViewStyle style);

  // Notifications from the list, the toolbar and its tooltips.
  LRESULT OnNotify(NMHDR& header);
  // Toolbar buttons, menu commands and the search field's notifications; false for a
  // command that is not the pane's.
  bool OnCommand(int id, int code);
  // The context menu asked for over window; false when it is not the list.
  bool OnContextMenu(HWND window, LPARAM screenPoint);
  void OnClickTimer();
  void OnResultsTimer();
  void OnIconTimer();
  void OnDropFiles(HDROP drop);
  // The main window's mouse messages while a drag of shortcuts runs; true when taken.
  bool OnDragMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Every drop on the list or the tree ends what a drag started.
  void ClearDragStarted() { DragStarted = false; }

  // The keyboard path.
  void FocusSearch();
  void OpenFound(bool elevated);
  void EnterResults();
  void EndSearch();
  void OnRunAsAdministrator();
  // The list is about to show a category: whatever was found is gone from it.
  void LeaveSearch();
  bool searching() const { return searchMode_; }

  ShortcutListView& list() { return shortcutList_; }
  HWND searchField() const { return searchField_; }
  HWND toolbar() const { return toolbar_; }
  HMENU listMenu() const { return listMenu_; }
  HMENU viewMenu() const { return viewMenu_; }
  ShortcutEditor& editor() { return editor_; }
  const ShortcutDrag& drag() const { return drag_; }
  bool dragStarted() const { return DragStarted; }

 private:
  void OnShortcutSelected(int item);
  void OnListMouseUp(bool leftButton);
  void OnListKeyPress(char key);
  void OnListDoubleClick();
  void OnListMenuOpening();
  void OnListBeginDrag(int item);
  void OnListDrop(int listDropIndex);
  void OnTreeDrop(CategoryNode& target);
  void OnViewButton();
  void OnViewThumb();
  void OnViewList();
  void OnViewReport();
  void OnOpen();
  void OnLocation();
  void OnAdd();
  void OnEdit();
  void OnRemove();
  void OnSort();
  void OnClear();

  void OnSearchChanged();
  void SetSearchText(const std::string& text);
  void AppendResults(std::size_t count, std::chrono::milliseconds budget);
  void DropPendingResults();
  void ChooseView(ViewStyle style);
  void CheckView(ViewStyle style);
  void SaveSelectedSection();
  // The target of the first selected shortcut, or the count when none is selected.
  void ShowSelectionStatus();
  void OnEditorAccepted(const EditorFields& fields, bool editMode);
  void SetButtonEnabled(int id, bool enabled);

  Services services_;
  CategoryTreeView& categories_;
  ShortcutListView shortcutList_;
  ShortcutCommands commands_;
  ShortcutEditor editor_;
  ShortcutDrag drag_;
  HWND owner_ = nullptr;
  Dpi dpi_;
  HWND toolbar_ = nullptr;
  HWND searchField_ = nullptr;
  SearchSources sources_;
  ShortcutSearch search_;
  // The versions of what the search index was built from.
  unsigned indexedStore_ = ~0u;
  unsigned indexedResults_ = ~0u;
  bool searchMode_ = false;
  // What was found and is not in the list yet, from pendingNext_ on.
  std::vector<FoundShortcut> pendingResults_;
  std::size_t pendingNext_ = 0;
  bool settingSearchText_ = false;
  bool indexing_ = false;
  UniqueImageList toolbarImages_;
  UniqueMenu menus_;
  HMENU listMenu_ = nullptr;
  HMENU viewMenu_ = nullptr;
  bool DragStarted = false;
  bool sorting_ = false;
  DWORD lastSingleClickOpen_ = 0;
  bool singleClickOpened_ = false;
};

}  // namespace tessaly::win32
