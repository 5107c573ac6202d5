// Type to find in the real window, with real keys: what is found, in which order,
// what Enter, Down and Esc do, and that nothing found is ever stored.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {

namespace {

const char* const kTree = "Work ;015\r\nHome ;06\r\nPrograms ;00\r\n    Get All ;013\r\nTrash ;020\r\n";

struct SearchUi : WindowTest {
  void Start() {
    shortcuts = "<[Work]>\r\nNotepad\r\n" + notepad + "\r\nNotes\r\nC:\\notes.txt\r\n"
                "<[Home]>\r\nMy Notes\r\nC:\\my notes.txt\r\nPaint\r\n" + regedit + "\r\n"
                "Pad again\r\n" + notepad + "\r\n"
                "<[Trash]>\r\nNote old\r\nC:\\old.txt\r\n";
    StartWith(kTree, shortcuts);
    search = app.Child(IDC_SEARCH);
    ::SetForegroundWindow(app.main());
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return ::GetForegroundWindow() == app.main(); }));
  }
  // Ctrl+F, then the text typed key by key.
  void Find(const std::string& text) {
    PressKeys({VK_CONTROL, 'F'});
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return FocusOf(app.main()) == search; }));
    TypeText(text);
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return WindowText(search) == text; }));
    // The first search may scan the start menus and so let messages run: a flush
    // alone could be answered before the list is filled.
    ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status).ends_with(" found"); }));
    app.Flush();
  }
  static std::string WindowText(HWND hwnd) {
    char text[256] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }
  std::string notepad = WindowsFolder() + "\\notepad.exe";
  std::string regedit = WindowsFolder() + "\\regedit.exe";
  std::string shortcuts;
  HWND search = nullptr;
};

TEST_F(SearchUi, TypingFindsInEveryCategoryBestFirstAndEnterOpensTheFirst) {
  Start();
  Find("not");
  // Titles that start with the text, in category order, then one where a word does;
  // each target once ("Pad again" opens Notepad too), nothing from the trash.
  EXPECT_EQ((std::vector<std::string>{"Notepad", "Notes", "My Notes"}), ListTitles(list));
  EXPECT_EQ("3 found", StatusText(status));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !app.launcher.Calls().empty(); }));
  EXPECT_EQ("open " + notepad, app.launcher.Calls().front());
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));

  // Esc empties the field and shows the selected category again.
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return WindowText(search).empty(); }));
  app.Flush();
  EXPECT_EQ((std::vector<std::string>{"Notepad", "Notes"}), ListTitles(list));
  EXPECT_EQ("2 items", StatusText(status));
}

TEST_F(SearchUi, ResultsAreOpenedButNeverEditedSortedOrStored) {
  Start();
  Find("paint");
  ASSERT_EQ(std::vector<std::string>{"Paint"}, ListTitles(list));
  // Down goes into the results with the first one selected; the commands that change
  // a category stay away from them.
  PressKeys({VK_DOWN});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return FocusOf(app.main()) == list; }));
  app.Flush();
  EXPECT_EQ(1, ListView_GetSelectedCount(list));
  EXPECT_FALSE(Enabled(IDC_EDIT));
  EXPECT_FALSE(Enabled(IDC_REMOVE));
  PressKeys({VK_DELETE});
  ShortcutCommand(IDM_SORT);
  ShortcutCommand(IDM_CLEAR);
  app.Flush();
  EXPECT_TRUE(app.boxes.Shown().empty());
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));

  // Ctrl+Shift+Enter starts the selected one as administrator.
  PressKeys({VK_CONTROL, VK_SHIFT, VK_RETURN});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !app.launcher.Calls().empty(); }));
  EXPECT_EQ("runas " + regedit, app.launcher.Calls().front());

  // Picking a category ends the search.
  app.SelectCategory("Home");
  EXPECT_TRUE(WindowText(search).empty());
  EXPECT_EQ((std::vector<std::string>{"My Notes", "Paint", "Pad again"}), ListTitles(list));
}

TEST_F(SearchUi, GetAllIsScannedOnceWhenItNeverRan) {
  app.shell.Make("Common Start Menu\\Tools\\");
  WriteShellLink(app.folders.Path(22) + "Tools\\Zebra Notebook.lnk", LinkTo(notepad));
  Start();
  Find("zeb");
  EXPECT_EQ(std::vector<std::string>{"Zebra Notebook"}, ListTitles(list));
  EXPECT_EQ("1 found", StatusText(status));
}

TEST_F(SearchUi, ManyResultsAreAllListedAfterTheFirstScreen) {
  std::string many = "<[Work]>\r\n";
  for (int i = 0; i < 600; ++i) {
    many += "Tool " + std::to_string(i) + "\r\nC:\\tools\\tool" + std::to_string(i) + ".exe\r\n";
  }
  StartWith(kTree, many);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == "600 items"; }));
  search = app.Child(IDC_SEARCH);
  // Set as a whole: what is tested is the filling after the first screen, not the keys.
  ::SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("tool"));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == "600 found"; }));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ListView_GetItemCount(list) == 600; }));
  const std::vector<std::string> titles = ListTitles(list);
  EXPECT_EQ("Tool 0", titles.front());
  EXPECT_EQ("Tool 599", titles.back());
  // Another search starts over: nothing of the longer list is left behind.
  ::SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("toolx"));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == "0 found"; }));
  app.Flush();
  EXPECT_EQ(0, ListView_GetItemCount(list));
}

}  // namespace
}  // namespace tessaly::testing
