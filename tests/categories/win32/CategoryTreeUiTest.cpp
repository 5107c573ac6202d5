// The category tree in the real window: built-in categories filled from a shell
// rooted in a temporary folder, user categories from the store, images, the menu.

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

struct TreeUi : WindowTest {
  void Start(const std::string& shortcuts = "") {
    // Start on a category that fills nothing, so each test chooses what is scanned.
    StartWith(AppHarness::InstalledCategories() + "Work ;015\r\n    Tools ;015\r\n", shortcuts,
              "[Treeselect]\r\n9\r\n");
    ASSERT_EQ("Work", SelectedTreeText(tree));
  }
  std::string Shell(int id) const { return app.folders.Path(id); }
};

TEST_F(TreeUi, InstalledCategoryFileHoldsEveryBuiltInAtItsLevel) {
  Start();
  const auto texts = TreeTexts(tree);
  for (const char* expected : {"Popular", "    Get All", "Recent", "Folders", "Windows", "Find", "Trash"}) {
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), expected)) << expected;
  }
}

TEST_F(TreeUi, UserCategoryShowsItsSectionInFileOrder) {
  Start("<[Work][Tools]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\nMid\r\nC:\\m.exe\r\n");
  app.SelectCategory("Work/Tools");
  EXPECT_EQ((std::vector<std::string>{"Zed", "Alpha", "Mid"}), ListTitles(list));
  EXPECT_EQ("3 items", StatusText(status));
  app.SelectCategory("Work");
  EXPECT_TRUE(ListItems(list).empty());
  EXPECT_EQ("0 items", StatusText(status));
}

TEST_F(TreeUi, GetAllListsProgramLinksOfBothStartMenusSorted) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  app.shell.Make("Common Start Menu\\Accessories\\");
  app.shell.Make("Start Menu\\Programs\\");
  WriteShellLink(Shell(22) + "Accessories\\Zed Pad.lnk", LinkTo(notepad));
  WriteShellLink(Shell(11) + "Programs\\Editor 2.1.lnk", LinkTo(notepad));
  WriteShellLink(Shell(11) + "Programs\\Uninstall Editor.lnk", LinkTo(notepad));
  WriteShellLink(Shell(11) + "Programs\\Readme.lnk", LinkTo(WindowsFolder() + "\\win.ini"));
  Start();
  app.SelectCategory("Programs/Get All");
  EXPECT_EQ((std::vector<ListItem>{{"Editor 2", Shell(11) + "Programs\\Editor 2.1.lnk"},
                                   {"Zed Pad", Shell(22) + "Accessories\\Zed Pad.lnk"}}),
            ListItems(list));
  EXPECT_EQ("2 items", StatusText(status));
}

TEST_F(TreeUi, PopularScansDesktopAndQuickLaunchOnceThenShowsTheStoredList) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  app.shell.Make("Desktop\\Projects\\");
  WriteShellLink(Shell(0) + "Notepad.lnk", LinkTo(notepad));
  app.shell.WriteFile("Desktop\\notes.txt", "x");
  app.shell.Make("AppData\\Microsoft\\Internet Explorer\\Quick Launch\\");
  WriteShellLink(Shell(26) + "Microsoft\\Internet Explorer\\Quick Launch\\Browser.lnk", LinkTo(notepad));
  Start();
  app.SelectCategory("Popular");
  EXPECT_EQ((std::vector<std::string>{"Browser", "Notepad", "Projects"}), ListTitles(list));
  const std::string stored = app.ReadDataFile("Shortcuts.sts");
  EXPECT_EQ(0u, stored.find("<[Popular]>\r\n"));

  app.shell.Make("Desktop\\Later\\");
  app.SelectCategory("Recent");
  app.SelectCategory("Popular");
  EXPECT_EQ(3u, ListItems(list).size());
  EXPECT_EQ(stored, app.ReadDataFile("Shortcuts.sts"));
}

TEST_F(TreeUi, RecentListsEveryEntryOfTheRecentFolder) {
  WriteShellLink(Shell(8) + "report.doc.lnk", LinkTo(WindowsFolder() + "\\win.ini"));
  app.shell.Make("Recent\\Old\\");
  app.shell.WriteFile("Recent\\desktop.ini", "[.ShellClassInfo]");
  ::SetFileAttributesA((Shell(8) + "desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  Start();
  app.SelectCategory("Recent");
  EXPECT_EQ((std::vector<ListItem>{{"desktop", Shell(8) + "desktop.ini"},
                                   {"Old", Shell(8) + "Old"},
                                   {"report.doc", Shell(8) + "report.doc.lnk"}}),
            ListItems(list));
}

TEST_F(TreeUi, FoldersListsSpecialFoldersAndRecentFolderLinks) {
  const std::string photos = app.shell.Make("Photos\\");
  WriteShellLink(Shell(8) + "Photos 2009.01.lnk", LinkTo(photos.substr(0, photos.size() - 1)));
  Start();
  app.SelectCategory("Folders");
  EXPECT_EQ((std::vector<std::string>{"Documents", "Favorites", "Music", "Photos 2009", "Pictures",
                                      "Profile", "Program Files"}),
            ListTitles(list));
  const auto items = ListItems(list);
  EXPECT_EQ(Shell(5), items[0].target);
  EXPECT_EQ(Shell(8) + "Photos 2009.01.lnk", items[3].target);
  EXPECT_EQ("7 items", StatusText(status));
}

TEST_F(TreeUi, WindowsListsTheSystemToolsFoundSorted) {
  Start();
  app.SelectCategory("Windows");
  const auto items = ListItems(list);
  ASSERT_FALSE(items.empty());
  auto titles = ListTitles(list);
  EXPECT_TRUE(std::is_sorted(titles.begin(), titles.end(),
                             [](const std::string& a, const std::string& b) { return ::lstrcmpA(a.c_str(), b.c_str()) < 0; }));
  const auto explorer = std::find_if(items.begin(), items.end(),
                                     [](const ListItem& i) { return i.title == "Windows Explorer"; });
  ASSERT_NE(items.end(), explorer);
  std::string lower = explorer->target;
  for (char& c : lower) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  EXPECT_TRUE(lower.size() > 13 && lower.substr(lower.size() - 13) == "\\explorer.exe") << explorer->target;
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(explorer->target.c_str()));
  EXPECT_EQ(std::to_string(items.size()) + " items", StatusText(status));
}

TEST_F(TreeUi, NewSelectionInterruptsARunningScan) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  WriteShellLink(Shell(22) + "P000.lnk", LinkTo(notepad));
  const std::string bytes = ReadWholeFile(Shell(22) + "P000.lnk");
  for (int i = 1; i < 600; ++i) app.shell.WriteFile("Common Start Menu\\P" + std::to_string(1000 + i) + ".lnk", bytes);
  app.shell.WriteFile("Recent\\one.txt", "1");
  app.shell.WriteFile("Recent\\two.txt", "2");
  Start();
  ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(FindTreeItem(tree, "Programs/Get All")));
  // Once the scan shows progress, a second selection is handled while it runs.
  std::string progress;
  ASSERT_TRUE(AppHarness::WaitUntil([&] {
    progress = StatusText(status);
    return !progress.empty() && progress != "0 items" && progress[0] != 'T';
  }));
  ASSERT_NE("600 items", progress) << "the scan ended before it could be interrupted";
  ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FindTreeItem(tree, "Recent")));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == "2 items"; }));
  app.Flush();
  EXPECT_EQ("Recent", SelectedTreeText(tree));
  EXPECT_EQ((std::vector<std::string>{"one", "two"}), ListTitles(list));
  EXPECT_EQ("2 items", StatusText(status));
}

// Mended: Down then Up in the tree during "Get All" ran the same scan inside itself; the
// outer one then added a duplicated, unsorted tail and its depth went below zero.
TEST_F(TreeUi, SelectingTheFilledCategoryAgainLeavesOneWholeSortedList) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  app.shell.Make("Common Start Menu\\Sub\\");
  WriteShellLink(Shell(22) + "Sub\\P000.lnk", LinkTo(notepad));
  const std::string bytes = ReadWholeFile(Shell(22) + "Sub\\P000.lnk");
  std::vector<std::string> expected{"P000"};
  for (int i = 1; i < 25; ++i) {
    const std::string name = "P0" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    app.shell.WriteFile("Common Start Menu\\Sub\\" + name + ".lnk", bytes);
    expected.push_back(name);
  }
  Start();
  const HTREEITEM getAll = FindTreeItem(tree, "Programs/Get All");
  const HTREEITEM recent = FindTreeItem(tree, "Recent");
  bool stepped = false;
  // As the scan starts, the user moves away and back: both selections are handled at
  // the scan's first check, and the second fills the same category inside it.
  app.folders.OnAsked([&](int id) {
    if (id != 22 || stepped) return;
    stepped = true;
    ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(recent));
    ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(getAll));
  });
  ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(getAll));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return StatusText(status) == "25 items"; }));
  app.Flush();
  EXPECT_TRUE(stepped);
  EXPECT_EQ("Get All", SelectedTreeText(tree));
  EXPECT_EQ(expected, ListTitles(list));
  EXPECT_EQ("25 items", StatusText(status));
}

int TreeImage(HWND tree, const std::string& path) {
  TVITEMA item{};
  item.mask = TVIF_IMAGE;
  item.hItem = FindTreeItem(tree, path);
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

TEST(TreeImages, IconTextsBecomeImagesOnceWithAFallbackForUnreadableOnes) {
  AppHarness app;
  const std::string shell32 = [] {
    char path[MAX_PATH] = {};
    ::GetSystemDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\shell32.dll";
  }();
  app.WriteDataFile("Categories.sts",
                    "Star ;015\r\nShell ;13," + shell32 + "\r\nMissing ;13,C:\\nowhere\\x.exe\r\n"
                    "Garbage ;0x\r\nOutOfRange ;199999," + shell32 + "\r\nPlain\r\nLogo ;00\r\n");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  EXPECT_EQ(15, TreeImage(tree, "Star"));
  EXPECT_EQ(21, TreeImage(tree, "Shell"));
  EXPECT_EQ(1, TreeImage(tree, "Missing"));
  EXPECT_EQ(1, TreeImage(tree, "Garbage"));
  EXPECT_EQ(1, TreeImage(tree, "OutOfRange"));
  EXPECT_EQ(0, TreeImage(tree, "Plain"));
  EXPECT_EQ(0, TreeImage(tree, "Logo"));
  // Asked again, nothing is extracted twice and nothing is reported.
  EXPECT_EQ(21, TreeImage(tree, "Shell"));
  EXPECT_EQ(22, ::ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)));
  EXPECT_TRUE(app.boxes.Shown().empty());
  // The icon texts are written back as they were read.
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("Star ;015\r\nShell ;13," + shell32 + "\r\nMissing ;13,C:\\nowhere\\x.exe\r\n"
            "Garbage ;0x\r\nOutOfRange ;199999," + shell32 + "\r\nPlain ;00\r\nLogo ;00\r\n",
            app.ReadDataFile("Categories.sts"));
}

struct MenuUi : TreeUi {
  std::vector<std::string> OpenMenuAndClose() {
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return {};
    const auto texts = MenuTexts(reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0)));
    app.OnUiThread([] { ::EndMenu(); });
    AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); });
    return texts;
  }
};

TEST_F(MenuUi, RightClickSelectsTheCategoryAndOffersRenameBelowTheTopLevel) {
  Start("<[Trash]>\r\nGone\r\nC:\\gone.exe\r\n");
  RightClick("Trash");
  EXPECT_EQ((std::vector<std::string>{"Add", "Insert", "Delete", "-", "Change Icon"}), OpenMenuAndClose());
  EXPECT_EQ("Trash", SelectedTreeText(tree));
  EXPECT_EQ(std::vector<std::string>{"Gone"}, ListTitles(list));

  RightClick("Work/Tools");
  EXPECT_EQ((std::vector<std::string>{"Add", "Insert", "Delete", "-", "Rename", "Change Icon"}),
            OpenMenuAndClose());
  EXPECT_EQ("Tools", SelectedTreeText(tree));
}

TEST_F(MenuUi, RightClickOnEmptySpaceOpensNothing) {
  Start();
  RightClick("");
  app.Flush();
  const HWND menu = ::FindWindowA("#32768", nullptr);
  EXPECT_FALSE(menu != nullptr && ::IsWindowVisible(menu));
  EXPECT_EQ("Work", SelectedTreeText(tree));
}

}  // namespace
}  // namespace tessaly::testing
