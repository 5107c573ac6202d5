// The keyboard path in the real window: Tab between the panes, the keys of the tree
// and of the list, the summon hotkey, one Tessaly per data directory, and the names
// a screen reader speaks.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "base/win32/Handle.h"
#include "support/win32/AppHarness.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

const char* const kTree = "Work ;015\r\n    Tools ;015\r\nHome ;06\r\n";
const char* const kShortcuts = "<[Work]>\r\nAlpha\r\nC:\\a.exe\r\nBeta\r\nC:\\b.exe\r\n";

struct KeyboardUi : WindowTest {
  void Start(const std::string& settings = "") {
    StartWith(kTree, kShortcuts, settings);
    search = app.Child(IDC_SEARCH);
    ::SetForegroundWindow(app.main());
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return ::GetForegroundWindow() == app.main(); }));
  }
  bool FocusIs(HWND hwnd) {
    return AppHarness::WaitUntil([&] { return FocusOf(app.main()) == hwnd; });
  }
  void FocusOn(HWND hwnd) {
    app.OnUiThread([&] { ::SetFocus(hwnd); });
  }
  // Presses the keys and waits for the dialog they open; then cancels it.
  bool OpensDialog(std::initializer_list<WORD> keys, const char* caption) {
    PressKeys(keys);
    const HWND dialog = AppHarness::WaitForWindow(caption);
    if (dialog == nullptr) return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return AppHarness::WaitUntil([&] { return !::IsWindow(dialog); });
  }
  bool OpensMenu(std::initializer_list<WORD> keys) {
    PressKeys(keys);
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return false;
    app.OnUiThread([] { ::EndMenu(); });
    return AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); });
  }
  HWND search = nullptr;
};

TEST_F(KeyboardUi, TabAndShiftTabGoRoundTreeSearchFieldAndList) {
  Start();
  FocusOn(tree);
  for (const HWND next : {search, list, tree}) {
    PressKeys({VK_TAB});
    ASSERT_TRUE(FocusIs(next));
  }
  for (const HWND previous : {list, search, tree}) {
    PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(FocusIs(previous));
  }
}

TEST_F(KeyboardUi, TreeKeysRunTheCategoryCommands) {
  Start();
  app.SelectCategory("Work/Tools");
  FocusOn(tree);
  EXPECT_TRUE(OpensDialog({VK_F2}, "Rename"));
  EXPECT_TRUE(OpensDialog({VK_INSERT}, "Add"));
  EXPECT_TRUE(OpensMenu({VK_SHIFT, VK_F10}));
  EXPECT_TRUE(OpensMenu({VK_APPS}));
  app.boxes.AnswerConfirm(false);
  PressKeys({VK_DELETE});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ("Confirm: Do you want to delete 'Tools' ?", app.boxes.Shown()[0]);
  // On the top level F2 gives the refusal, as the menu's command does.
  app.SelectCategory("Home");
  PressKeys({VK_F2});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 2; }));
  EXPECT_EQ("Information: Can not rename this name.", app.boxes.Shown()[1]);
}

TEST_F(KeyboardUi, ListKeysRunTheShortcutCommands) {
  Start();
  SelectListItems(list, {1});
  FocusOn(list);
  EXPECT_TRUE(OpensDialog({VK_F2}, "Edit the Shortcut"));
  EXPECT_TRUE(OpensDialog({VK_INSERT}, "Add New Shortcut"));
  EXPECT_TRUE(OpensMenu({VK_SHIFT, VK_F10}));
  app.boxes.AnswerConfirm(false);
  PressKeys({VK_DELETE});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ("Confirm: Do you want to delete 'Beta' ?", app.boxes.Shown()[0]);
  PressKeys({VK_CONTROL, VK_SHIFT, VK_RETURN});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 2; }));
  // The target does not exist: the same message as Open gives, and nothing started.
  EXPECT_EQ("Information: The file: 'C:\\b.exe' does not exist.", app.boxes.Shown()[1]);
  EXPECT_TRUE(app.launcher.Calls().empty());
  EXPECT_EQ(kShortcuts, app.ReadDataFile("Shortcuts.sts"));
}

TEST_F(KeyboardUi, SummonHotkeyBringsTheWindowBackAndPutsItAway) {
  Start("[Hotkey]\r\nWin+Shift+L\r\n");
  // The combination of the setting is Tessaly's now: nobody else can have it.
  EXPECT_FALSE(::RegisterHotKey(nullptr, 7, MOD_WIN | MOD_SHIFT, 'L'));
  EXPECT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_SPACE));
  ::UnregisterHotKey(nullptr, 7);

  ::PostMessageA(app.main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ::IsIconic(app.main()) != FALSE; }));
  ::PostMessageA(app.main(), WM_HOTKEY, win32::kSummonHotkey, 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsIconic(app.main()); }));
  EXPECT_TRUE(FocusIs(search));
  EXPECT_EQ(app.main(), ::GetForegroundWindow());
  // Pressed while Tessaly is in front, it puts it away: hidden, the hotkey brings it.
  ::PostMessageA(app.main(), WM_HOTKEY, win32::kSummonHotkey, 0);
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindowVisible(app.main()); }));
  ::PostMessageA(app.main(), WM_HOTKEY, win32::kSummonHotkey, 0);
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return ::IsWindowVisible(app.main()) != FALSE; }));
}

struct HotkeyCase {
  const char* settings;
  const char* status;  // what the status bar says once the category is listed
};

class HotkeyOff : public ::testing::TestWithParam<HotkeyCase> {};

TEST_P(HotkeyOff, SaysWhyInTheStatusBarWithoutABox) {
  // Taken by another program: this test holds Ctrl+Alt+Space itself.
  ASSERT_TRUE(::RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, VK_SPACE));
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.WriteDataFile("Settings.sts", GetParam().settings);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND status = app.Child(IDC_STATUS_BAR);
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == GetParam().status; }))
      << StatusText(status);
  EXPECT_TRUE(app.boxes.Shown().empty());
  ::UnregisterHotKey(nullptr, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, HotkeyOff,
    ::testing::Values(
        HotkeyCase{"[View]\r\nIcon\r\n",
                   "The hotkey is off: Ctrl+Alt+Space is taken by another program."},
        HotkeyCase{"[Hotkey]\r\nCtrl+Nope\r\n",
                   "The hotkey is off: \"Ctrl+Nope\" is not a key combination."},
        HotkeyCase{"[Hotkey]\r\nnone\r\n", "0 items"}));

TEST(SingleInstance, ASecondStartInTheSameFolderEndsWritingNothing) {
  TempFolder data;
  data.WriteFile("Categories.sts", kTree);
  data.WriteFile("Settings.sts", "[View]\r\nReport\r\n");
  const std::string program = AppHarness::TestProgramFolder() + "..\\tessaly.exe";
  const auto start = [&] {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    EXPECT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, data.path().c_str(), &startup, &process));
    ::CloseHandle(process.hThread);
    return process.hProcess;
  };
  const HANDLE first = start();
  HWND window = nullptr;
  ASSERT_TRUE(AppHarness::WaitUntil([&] {
    window = ::FindWindowA(win32::kMainWindowClass, "Tessaly");
    return window != nullptr && ::IsWindowVisible(window);
  }, std::chrono::seconds(20)));
  const std::string settings = ReadWholeFile(data.path() + "Settings.sts");

  const HANDLE second = start();
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(second, 20000));
  DWORD code = 1;
  ::GetExitCodeProcess(second, &code);
  EXPECT_EQ(0u, code);
  EXPECT_EQ(settings, ReadWholeFile(data.path() + "Settings.sts"));
  EXPECT_EQ(kTree, ReadWholeFile(data.path() + "Categories.sts"));
  EXPECT_TRUE(::IsWindow(window));

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first, 20000));
  ::CloseHandle(first);
  ::CloseHandle(second);
}

// What a screen reader asks the control for, as it asks: through the system's
// accessibility library.
std::string AccessibleName(HWND control, long child = CHILDID_SELF) {
  const win32::ComScope com;
  using FromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
  static const auto fromWindow = reinterpret_cast<FromWindow>(reinterpret_cast<void*>(
      ::GetProcAddress(::LoadLibraryA("oleacc.dll"), "AccessibleObjectFromWindow")));
  IAccessible* accessible = nullptr;
  if (fromWindow == nullptr ||
      FAILED(fromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                        reinterpret_cast<void**>(&accessible)))) {
    return "(no object)";
  }
  VARIANT which{};
  which.vt = VT_I4;
  which.lVal = child;
  BSTR name = nullptr;
  std::string text = "(no name)";
  if (accessible->get_accName(which, &name) == S_OK && name != nullptr) {
    char buffer[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, sizeof buffer, nullptr, nullptr);
    text = buffer;
    ::SysFreeString(name);
  }
  accessible->Release();
  return text;
}

TEST_F(KeyboardUi, EveryControlAndToolbarButtonHasAName) {
  Start();
  EXPECT_EQ("Categories", AccessibleName(tree));
  EXPECT_EQ("Find a shortcut", AccessibleName(search));
  EXPECT_EQ("Shortcuts", AccessibleName(list));
  EXPECT_EQ("Toolbar", AccessibleName(toolbar));
  EXPECT_EQ("Status", AccessibleName(status));
  EXPECT_EQ("Border between the panes", AccessibleName(app.Child(IDC_SPLITTER)));
  long child = 1;
  for (const char* caption : {"Add", "Edit", "Remove", "View", "About", "Exit"}) {
    EXPECT_EQ(caption, AccessibleName(toolbar, child++));
  }
}

}  // namespace
}  // namespace tessaly::testing
