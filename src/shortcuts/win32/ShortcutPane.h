#pragma once
// The right pane of the main window, a window of its own: the toolbar, the search
// field and the shortcut list with its context menu and view menu. It draws the pane
// model and hands it the user's input; its controls' notifications, its timers, its
// menus and a drag's mouse messages all come to this window.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/Theme.h"
#include "base/win32/Dpi.h"
#include "base/win32/Handle.h"
#include "base/win32/SystemTheme.h"
#include "base/win32/Window.h"
#include "categories/win32/CategoryTreeView.h"
#include "model/ShortcutList.h"
#include "shell/ShellPorts.h"
#include "shortcuts/ShortcutPaneModel.h"
#include "shortcuts/ViewStyle.h"
#include "shortcuts/win32/ShortcutDrag.h"
#include "shortcuts/win32/ShortcutEditor.h"
#include "shortcuts/win32/ShortcutListView.h"
#include "store/Settings.h"

namespace tessaly::win32 {

inline constexpr const char* kShortcutPaneClass = "TessalyShortcutPane";
// The pane's timer of the delayed single-click open.
inline constexpr UINT_PTR kClickTimer = 2;

class ShortcutPane : public Window<ShortcutPane>, private ListObserver {
 public:
  struct Services {
    Settings& settings;
    LinkReader& links;
    FileExistence& existence;
    Pickers& pickers;
    MessageBoxes& boxes;
    StatusLine& status;
  };

  // The pane draws model's list; drops of shortcuts land on categories' categories.
  ShortcutPane(ShortcutPaneModel& model, CategoryTreeView& categories, const Services& services);

  // Creates the pane with its toolbar, search field and list as a child of parent.
  void Create(HWND parent, int id, Dpi dpi, HFONT font);
  // The toolbar's pictures and the list's icons, which the window loads after its
  // first paint: the shell's image lists take longer to set up than the whole
  // window. Runs once.
  void LoadPictures();
  // The window has moved to a monitor of another resolution: the toolbar, the search
  // field and the list take font, which the window made for it, and pictures and sizes
  // at it; the font must outlive the pane or the next change.
  void OnDpiChanged(Dpi dpi, HFONT font);
  // The view stored in the settings, applied at start without storing it again.
  void ApplyStoredView(ViewStyle style);
  void FocusSearch();
  // The focus in the search field and, when it is empty, what was opened most lately
  // in the list: where a summon lands.
  void StartSearch();

  // The colours of the list, the search field, the toolbar and the pane behind them.
  void ApplyPalette(const Palette& palette);

  HWND searchField() const { return searchField_; }
  HWND listWindow() const { return list_.hwnd(); }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  void Layout();
  void ShowToolbarPictures();
  // The buttons' size at the pane's resolution.
  void SizeToolbarButtons();
  LRESULT OnNotify(NMHDR& header);
  void OnCommand(int id, int code);
  void OnContextMenu(HWND window, LPARAM screenPoint);
  void ShowListMenu(POINT screen);
  void OnClickTimer();
  void OnIconTimer();
  void OnDropFiles(HDROP drop);
  LRESULT OnToolbarCustomDraw(NMTBCUSTOMDRAW& draw);
  LRESULT OnSearchFieldColours(HDC dc);

  void OnShortcutSelected(int item);
  void OnListMouseUp(bool leftButton);
  void OnListDoubleClick();
  void OnListBeginDrag(int item);
  void OnViewButton();
  void ChooseView(ViewStyle style);
  void CheckView(ViewStyle style);
  void OnOpen(bool elevated);
  void OnAdd();
  void OnEdit();
  void OnSort();
  void OnSearchChanged();
  void OnOpenFound(bool elevated);
  void OnEnterResults();
  void OnEndSearch();
  void SetSearchText(const std::string& text);
  // The toolbar's buttons and the selection's status follow what is available.
  void ShowAvailability();

  // ListObserver: the list control draws the change; the pane follows it.
  void OnListChanged(const ListChange& change) override;
  void OnUpdateHeld(bool held) override;

  ShortcutPaneModel& model_;
  Services services_;
  ShortcutListView list_;
  ShortcutEditor editor_;
  ShortcutDrag drag_;
  Dpi dpi_;
  HWND toolbar_ = nullptr;
  HWND searchField_ = nullptr;
  UniqueImageList toolbarImages_;
  UniqueMenu menus_;
  HMENU listMenu_ = nullptr;
  HMENU viewMenu_ = nullptr;
  // The system's own drawing until the window gives a palette.
  std::optional<Palette> palette_;
  SolidBrush faceBrush_;
  SolidBrush searchBrush_;
  bool settingSearchText_ = false;
  DWORD lastSingleClickOpen_ = 0;
  bool singleClickOpened_ = false;
};

}  // namespace tessaly::win32
