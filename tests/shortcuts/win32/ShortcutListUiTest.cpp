// The shortcut list in the real window: views, icons, the status line, the buttons
// and the context menu it enables, and the three ways of opening an item.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

struct ListUi : WindowTest {
  std::string notepad = WindowsFolder() + "\\notepad.exe";

  void Start(const std::string& section, const std::string& settings = "") {
    StartWith("Work ;015\r\nTrash ;020\r\n", "<[Work]>\r\n" + section, settings);
  }
  void Command(int id) { ShortcutCommand(id); }
  void Notify(UINT code) {
    NMHDR header{list, IDC_SHORTCUT_LIST, code};
    ::SendMessageA(shortcutPane, WM_NOTIFY, IDC_SHORTCUT_LIST, reinterpret_cast<LPARAM>(&header));
  }
  int Image(int index) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  }
  // The state of an item of the view menu, as the View button opens it.
  UINT ViewMenuState(int id) {
    ::PostMessageA(shortcutPane, WM_COMMAND, MAKEWPARAM(IDC_VIEW, 0), 0);
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return ~0u;
    const auto popup = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    const UINT state = ::GetMenuState(popup, static_cast<UINT>(id), MF_BYCOMMAND);
    app.OnUiThread([] { ::EndMenu(); });
    AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); });
    return state;
  }
};

TEST_F(ListUi, ViewMenuSwitchesStyleStoresItOnlyWhenItChangesAndChecksOneItem) {
  Start("A\r\nC:\\a.exe\r\n");
  EXPECT_EQ(LVS_ICON, ::GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK);
  EXPECT_TRUE(ViewMenuState(IDM_VIEW_THUMB) & MF_CHECKED);

  Command(IDM_VIEW_LIST);
  EXPECT_EQ(LVS_LIST, ::GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK);
  EXPECT_EQ("[View]\r\nList\r\n", app.ReadDataFile("Settings.sts"));
  EXPECT_TRUE(ViewMenuState(IDM_VIEW_LIST) & MF_CHECKED);
  EXPECT_FALSE(ViewMenuState(IDM_VIEW_THUMB) & MF_CHECKED);

  // Choosing the checked style again writes nothing.
  ::DeleteFileA((app.data.path() + "Settings.sts").c_str());
  Command(IDM_VIEW_LIST);
  EXPECT_EQ("<missing>", app.ReadDataFile("Settings.sts"));

  Command(IDM_VIEW_REPORT);
  EXPECT_EQ(LVS_REPORT, ::GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK);
  Command(IDM_VIEW_THUMB);
  EXPECT_EQ("[View]\r\nIcon\r\n", app.ReadDataFile("Settings.sts"));
  EXPECT_EQ(LVS_ICON, ::GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK);
  EXPECT_TRUE(ViewMenuState(IDM_VIEW_THUMB) & MF_CHECKED);
  EXPECT_FALSE(ViewMenuState(IDM_VIEW_REPORT) & MF_CHECKED);
}

TEST_F(ListUi, EveryItemGetsAShellIconIndexAboveZero) {
  Start("Editor\r\n" + notepad + "\r\nGone\r\nC:\\gone\\x.exe\r\nRun\r\nwin+r\r\nWindows\r\n" + WindowsFolder() + "\r\n");
  for (const int view : {IDM_VIEW_THUMB, IDM_VIEW_REPORT}) {
    Command(view);
    for (int i = 0; i < 4; ++i) EXPECT_GT(Image(i), 0) << i;
  }
  EXPECT_EQ(1, Image(1));  // a target the shell does not know
}

TEST_F(ListUi, SelectingALinkShowsItsOwnTargetAndArgumentsAndEnablesTheButtons) {
  const std::string link = app.shell.path() + "Tool.LNK";
  WriteShellLink(link, LinkTo(notepad, "-x \"my file\""));
  Start("Plain\r\nC:\\plain.txt\r\nTool\r\n" + link + "\r\n");
  EXPECT_FALSE(Enabled(IDC_REMOVE));
  EXPECT_FALSE(Enabled(IDC_EDIT));
  SelectListItems(list, {1});
  EXPECT_EQ("Target: " + notepad + " -x \"my file\"", StatusText(status));
  EXPECT_TRUE(Enabled(IDC_REMOVE));
  EXPECT_TRUE(Enabled(IDC_EDIT));
  SelectListItems(list, {0});
  EXPECT_EQ("Target: C:\\plain.txt", StatusText(status));

  // A click that leaves nothing selected disables both and shows the count.
  SelectListItems(list, {});
  Notify(NM_CLICK);
  EXPECT_FALSE(Enabled(IDC_REMOVE));
  EXPECT_FALSE(Enabled(IDC_EDIT));
  EXPECT_EQ("2 items", StatusText(status));
}

TEST_F(ListUi, ContextMenuEnablesItemCommandsOnlyWithASelection) {
  Start("A\r\nC:\\a.exe\r\n");
  for (const bool selected : {false, true}) {
    SelectListItems(list, selected ? std::vector<int>{0} : std::vector<int>{});
    ::PostMessageA(shortcutPane, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(300, 300));
    const HWND menu = WaitForPopupMenu();
    ASSERT_NE(nullptr, menu);
    const auto popup = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"Open", "Run as administrator", "Location", "-", "Add", "Edit",
                                        "Remove", "-", "Sort", "Clear"}),
              MenuTexts(popup));
    for (const int id : {IDM_OPEN, IDM_RUN_AS_ADMINISTRATOR, IDM_LOCATION, IDM_EDIT, IDM_REMOVE}) {
      EXPECT_EQ(!selected, (::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0) << id;
    }
    for (const int id : {IDM_ADD, IDM_SORT, IDM_CLEAR}) {
      EXPECT_EQ(0u, ::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    }
    EXPECT_EQ(static_cast<UINT>(IDM_OPEN), ::GetMenuDefaultItem(popup, FALSE, GMDI_USEDISABLED));
    app.OnUiThread([] { ::EndMenu(); });
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); }));
  }
}

TEST_F(ListUi, DoubleClickEnterAndSingleClickOpenTheFirstSelectedItemOnce) {
  Start("A\r\n" + notepad + "\r\nB\r\n" + WindowsFolder() + "\r\n");
  SelectListItems(list, {1});
  Notify(NM_DBLCLK);
  Notify(NM_RETURN);
  EXPECT_EQ((std::vector<std::string>{"open " + WindowsFolder(), "open " + WindowsFolder()}), app.launcher.Calls());

  // A click opens 200 ms later; the double-click that follows it opens nothing more.
  SelectListItems(list, {0});
  Notify(NM_CLICK);
  Notify(NM_DBLCLK);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.launcher.Calls().size() == 3; }));
  Notify(NM_CLICK);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.launcher.Calls().size() == 4; }));
  EXPECT_EQ("open " + notepad, app.launcher.Calls()[3]);
  // The double-click after a click whose timer has already opened the item.
  Notify(NM_DBLCLK);
  EXPECT_EQ(4u, app.launcher.Calls().size());
}

TEST_F(ListUi, RightClickDoesNotOpenTheItemBehindItsMenu) {
  Start("A\r\n" + notepad + "\r\n");
  SelectListItems(list, {0});
  Notify(NM_RCLICK);
  bool timerWasRunning = true;
  app.OnUiThread([&] { timerWasRunning = ::KillTimer(shortcutPane, win32::kClickTimer) != 0; });
  EXPECT_FALSE(timerWasRunning);
  EXPECT_TRUE(Enabled(IDC_REMOVE));
}

}  // namespace
}  // namespace tessaly::testing
