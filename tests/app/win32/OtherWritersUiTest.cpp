// The real window while another program (an editor, a sync tool, a second Tessaly)
// writes the data files: each command of the window is made to the file as it is on
// disk, and what the other program wrote elsewhere stays.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <thread>

#include "app/win32/MainWindow.h"
#include "base/win32/Handle.h"
#include "categories/win32/NameDialogRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

const char* const kTree = "Work ;015\r\n    Tools ;015\r\nTrash ;020\r\n";

bool TreeHas(HWND tree, const std::string& text) {
  const std::vector<std::string> texts = TreeTexts(tree);
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct OtherWritersUi : WindowTest {
  void Start(const std::string& shortcuts) { StartWith(kTree, shortcuts); }
  std::string Shortcuts() const { return app.ReadDataFile("Shortcuts.sts"); }
  // The file named in a message as where the other version is kept.
  std::string KeptIn(const std::string& message) const {
    const std::size_t at = message.find("kept as '");
    if (at == std::string::npos) return "<no file named>";
    return ReadWholeFile(message.substr(at + 9, message.find('\'', at + 9) - at - 9));
  }
  bool Add(const std::string& target, const std::string& title) {
    ::PostMessageA(shortcutPane, WM_COMMAND, MAKEWPARAM(IDC_ADD, 0), 0);
    const HWND editor = AppHarness::WaitForWindow("Add New Shortcut");
    if (editor == nullptr) return false;
    ::SetDlgItemTextA(editor, IDC_TARGET, target.c_str());
    ::SetDlgItemTextA(editor, IDC_TITLE, title.c_str());
    ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return AppHarness::WaitUntil([&] { return !::IsWindow(editor); });
  }
};

// Mended: a section added to Shortcuts.sts by hand while Tessaly ran was gone after
// the next shortcut added in the window.
TEST_F(OtherWritersUi, AShortcutAddedInTheWindowKeepsASectionAddedByHand) {
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\n<[Trash]>\r\n");
  app.WriteDataFile("Shortcuts.sts", "<[Work]>\r\nZed\r\nC:\\z.exe\r\n<[Trash]>\r\n<[Hand]>\r\nH\r\nC:\\h.exe\r\n");
  ASSERT_TRUE(Add("C:\\Tools\\app.exe", "Alpha"));
  EXPECT_EQ((std::vector<ListItem>{{"Zed", "C:\\z.exe"}, {"Alpha", "C:\\Tools\\app.exe"}}), ListItems(list));
  EXPECT_EQ("<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\Tools\\app.exe\r\n<[Trash]>\r\n<[Hand]>\r\nH\r\nC:\\h.exe\r\n",
            Shortcuts());
  EXPECT_TRUE(app.boxes.Shown().empty());
}

TEST_F(OtherWritersUi, ASortOfACategoryChangedByHandWinsAndTheHandVersionIsKept) {
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\n");
  const std::string byHand = "<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\nMid\r\nC:\\m.exe\r\n";
  app.WriteDataFile("Shortcuts.sts", byHand);
  ShortcutCommand(IDM_SORT);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Zed"}), ListTitles(list));
  EXPECT_EQ("<[Work]>\r\nAlpha\r\nC:\\a.exe\r\nZed\r\nC:\\z.exe\r\n", Shortcuts());
  ASSERT_EQ(1u, app.boxes.Shown().size());
  EXPECT_NE(std::string::npos, app.boxes.Shown()[0].find("Information: Another program changed"));
  EXPECT_NE(std::string::npos, app.boxes.Shown()[0].find("the shortcuts of [Work]"));
  EXPECT_EQ(byHand, KeptIn(app.boxes.Shown()[0]));
}

TEST_F(OtherWritersUi, ACategoryAddedInTheWindowKeepsOneAddedByHand) {
  Start("<[Work]>\r\n");
  app.WriteDataFile("Categories.sts", std::string(kTree) + "Hand ;06\r\n");
  RightClick("Work");
  ASSERT_TRUE(ChooseFromMenu(0));  // Add
  const HWND dialog = AppHarness::WaitForWindow("Add");
  ASSERT_NE(nullptr, dialog);
  ::SetDlgItemTextA(dialog, IDC_NAME, "Kit");
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindow(dialog); }));
  app.Flush();
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n    Kit ;015\r\nTrash ;020\r\nHand ;06\r\n",
            app.ReadDataFile("Categories.sts"));
  EXPECT_NE(nullptr, FindTreeItem(tree, "Work/Kit"));
  EXPECT_TRUE(app.boxes.Shown().empty());
}

// Mended: a sync tool or a virus scanner that had the file open for a moment made the
// command fail with a message.
TEST_F(OtherWritersUi, ASaveWaitsForAFileHeldForAMoment) {
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\n");
  const std::string path = app.data.path() + "Shortcuts.sts";
  win32::UniqueKernelHandle held(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread holder([&] {
    win32::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ::SetEvent(held.get());
    // The scanner's moment: it lets go whatever the window does meanwhile.
    ::Sleep(100);
  });
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(held.get(), 5000));
  ShortcutCommand(IDM_SORT);
  holder.join();
  EXPECT_EQ("<[Work]>\r\nAlpha\r\nC:\\a.exe\r\nZed\r\nC:\\z.exe\r\n", Shortcuts());
  EXPECT_TRUE(app.boxes.Shown().empty());
}

// While the window is idle it follows the files: a category added by hand shows in the
// tree, a section edited by hand in the list, and the selection stays.
TEST_F(OtherWritersUi, TheWindowFollowsFilesEditedByHandWhileItRuns) {
  app.followOtherWriters = true;
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\n<[Trash]>\r\n");
  ASSERT_EQ(std::vector<std::string>{"Zed"}, ListTitles(list));
  app.WriteDataFile("Shortcuts.sts",
                    "<[Work]>\r\nZed\r\nC:\\z.exe\r\nHand\r\nC:\\h.exe\r\n<[Trash]>\r\n");
  EXPECT_TRUE(AppHarness::WaitUntil(
      [&] { return ListTitles(list) == std::vector<std::string>{"Zed", "Hand"}; }))
      << ::testing::PrintToString(ListTitles(list));

  app.WriteDataFile("Categories.sts", "Work ;015\r\n    Tools ;015\r\nByHand ;015\r\nTrash ;020\r\n");
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return TreeHas(tree, "ByHand"); }));
  EXPECT_EQ("Work", SelectedTreeText(tree));
  EXPECT_EQ((std::vector<std::string>{"Zed", "Hand"}), ListTitles(list));

  // The selected category deleted by hand: nothing points to it any more.
  app.WriteDataFile("Categories.sts", "ByHand ;015\r\nTrash ;020\r\n");
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return !TreeHas(tree, "Work"); }));
  EXPECT_TRUE(ListItems(list).empty());
  EXPECT_TRUE(app.boxes.Shown().empty());
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("ByHand ;015\r\nTrash ;020\r\n", app.ReadDataFile("Categories.sts"));
}

}  // namespace
}  // namespace tessaly::testing
