#pragma once
// Base of the UI test fixtures: starts the real window over the given data files and
// keeps the handles of its main controls.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::testing {

struct WindowTest : ::testing::Test {
  explicit WindowTest(AppHarness::Launching launching = AppHarness::Launching::Recorded)
      : app(launching) {}

  AppHarness app;
  HWND tree = nullptr;
  HWND list = nullptr;
  HWND status = nullptr;
  HWND toolbar = nullptr;
  // The two panes, each the window of its controls' notifications and commands.
  HWND categoryPane = nullptr;
  HWND shortcutPane = nullptr;

  // Writes the data files (an empty text writes none) and waits for the tree.
  void StartWith(const std::string& categories, const std::string& shortcuts,
                 const std::string& settings = "") {
    // The list selects the item the pointer rests on: the pointer waits in a corner,
    // away from the window, so that only the test chooses what is selected.
    MouseTo({0, 0});
    app.WriteDataFile("Categories.sts", categories);
    if (!shortcuts.empty()) app.WriteDataFile("Shortcuts.sts", shortcuts);
    if (!settings.empty()) app.WriteDataFile("Settings.sts", settings);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForTree());
    tree = app.Child(IDC_CATEGORY_TREE);
    list = app.Child(IDC_SHORTCUT_LIST);
    status = app.Child(IDC_STATUS_BAR);
    toolbar = app.Child(IDC_TOOLBAR);
    categoryPane = app.Child(IDC_CATEGORY_PANE);
    shortcutPane = app.Child(IDC_SHORTCUT_PANE);
  }
  // A command of the list's menus or the toolbar, as a click on it sends it.
  void ShortcutCommand(int id) const {
    ::SendMessageA(app.Child(IDC_SHORTCUT_PANE), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
  void CategoryCommand(int id) const {
    ::SendMessageA(app.Child(IDC_CATEGORY_PANE), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
  // Moves the pointer over the category ("Work/Tools", or "" for empty space) and
  // releases the right button there, as the tree reports it.
  void RightClick(const std::string& path) const {
    POINT point{5, 2000};
    if (!path.empty()) {
      RECT rect{};
      const HTREEITEM item = FindTreeItem(tree, path);
      ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
      std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
      ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
      point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    ::PostMessageA(tree, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    static NMHDR click;
    click = {tree, static_cast<UINT_PTR>(::GetDlgCtrlID(tree)), static_cast<UINT>(NM_RCLICK)};
    ::PostMessageA(::GetParent(tree), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
  }
  // Picks the item at that place (separators not counted) from the popup menu that
  // opens, with the keys a user would press.
  static bool ChooseFromMenu(int item) {
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return false;
    for (int i = 0; i <= item; ++i) ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); });
  }
  // True while a drag of shortcuts or of a category runs in the window: a pane holds
  // the mouse for it.
  bool Dragging() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(app.main(), nullptr), &info)) return false;
    return info.hwndCapture != nullptr &&
           (info.hwndCapture == categoryPane || info.hwndCapture == shortcutPane);
  }
  // The category a drag would drop on, as the tree marks it.
  std::string DropHighlight() const {
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
    if (item == nullptr) return "";
    char text[256] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
  }
  // A real drag with the mouse: presses the left button at from, moves past the drag
  // threshold and on to to, waits until arrived says the window follows it there,
  // and releases. True once the drop has been handled.
  bool DragWithMouse(POINT from, POINT to, const std::function<bool()>& arrived) {
    // Two presses on the same spot in quick succession are a double-click: each drag
    // starts a few pixels beside the last one.
    from.x += (drags_++ % 2) * 6;
    ::SetForegroundWindow(app.main());
    bool started = false;
    // Under a loaded machine Wine now and then takes the press for a plain click: the
    // gesture is made once more, far enough aside not to be a double-click.
    for (int attempt = 0; attempt < 2 && !started; ++attempt) {
      const POINT press{from.x + attempt * 8, from.y};
      MouseTo(press);
      LeftButton(true);
      for (int step = 1; step <= 3; ++step) MouseTo({press.x + 4 * step, press.y + 3 * step});
      started = AppHarness::WaitUntil([&] { return Dragging(); }, 3s);
      if (!started) LeftButton(false);
    }
    for (int step = 1; started && step <= 8; ++step) {
      MouseTo({from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
    }
    // The window may not have seen the last moves yet: what is under the pointer
    // counts once the window shows the drag arrived there.
    const bool there = started && AppHarness::WaitUntil([&] {
      POINT pointer{};
      return ::GetCursorPos(&pointer) && pointer.x == to.x && pointer.y == to.y && arrived();
    });
    LeftButton(false);
    const bool ended = AppHarness::WaitUntil([&] { return !Dragging(); });
    // The mouse is let go before the drop is handled: the drop is done once the
    // window's thread has returned from it.
    if (ended) app.Flush();
    if (!started || !there || !ended) {
      ADD_FAILURE() << "drag: started " << started << ", over the target " << there << ", ended "
                    << ended;
    }
    return there && ended;
  }
  int drags_ = 0;
  bool Enabled(int button) const {
    return ::SendMessageA(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(button), 0) != 0;
  }
};

}  // namespace tessaly::testing
