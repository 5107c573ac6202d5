// The category menu's commands through the real menu, the name dialog and the icon
// chooser, and what they leave in the files.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>


#include "app/win32/MainWindow.h"
#include "base/LineList.h"
#include "categories/win32/IconChooserRes.h"
#include "categories/win32/NameDialogRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

// The category menu's items, in order, as shown below the top level.
enum MenuItem { kAdd = 0, kInsert = 1, kDelete = 2, kRename = 3, kChangeIcon = 4 };

const char* const kTree = "Work ;015\r\n    Tools ;015\r\n        Old ;06\r\nHome ;06\r\n";

struct EditingUi : WindowTest {
  void Start(const std::string& shortcuts = "") { StartWith(kTree, shortcuts); }
  // The top level has no "Rename": the items after it move up by one.
  static int TopLevel(MenuItem item) { return item > kRename ? item - 1 : item; }

  HWND Command(const std::string& category, int item, const char* dialogCaption) {
    RightClick(category);
    if (!ChooseFromMenu(item)) return nullptr;
    return AppHarness::WaitForWindow(dialogCaption);
  }
  static std::string Text(HWND dialog, int id) {
    char text[1024] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  static void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  // Returns once the dialog is gone and the command it ran is done.
  bool PressAndWaitClosed(HWND dialog, int id) {
    Press(dialog, id);
    if (!AppHarness::WaitUntil([&] { return !::IsWindow(dialog); })) return false;
    app.Flush();
    return true;
  }
  bool Name(const std::string& category, int item, const char* caption, const std::string& name) {
    const HWND dialog = Command(category, item, caption);
    if (dialog == nullptr) return false;
    ::SetDlgItemTextA(dialog, IDC_NAME, name.c_str());
    return PressAndWaitClosed(dialog, IDOK);
  }
  bool WaitForBoxes(std::size_t count) const {
    return AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == count; });
  }
  // The icon text of the category at the path ("Work/Tools"), as the category file
  // that every change of the tree rewrites holds it.
  std::string IconTextOf(const std::string& path) const {
    std::string indent;
    std::string name = path;
    for (std::size_t slash; (slash = name.find('/')) != std::string::npos; name = name.substr(slash + 1)) {
      indent += "    ";
    }
    for (const std::string& line : SplitLines(app.ReadDataFile("Categories.sts"))) {
      if (line.rfind(indent + name + " ;", 0) == 0) return line.substr(indent.size() + name.size() + 2);
    }
    return "(none)";
  }
  static int Items(HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_ICON_LIST, LVM_GETITEMCOUNT, 0, 0));
  }
  static void SelectIcon(HWND dialog, int index) {
    SelectListItems(::GetDlgItem(dialog, IDC_ICON_LIST), {index});
  }
};

TEST_F(EditingUi, AddAndInsertPlaceNewCategoriesThatTheNextStartReadsBack) {
  Start("<[Work]>\r\nA\r\nC:\\a.exe\r\n");
  const HWND add = Command("Work", TopLevel(kAdd), "Add");
  ASSERT_NE(nullptr, add);
  EXPECT_EQ("Present: Work", Text(add, IDC_INFO));
  ::SetDlgItemTextA(add, IDC_NAME, "  Kit \t");
  ASSERT_TRUE(PressAndWaitClosed(add, IDOK));
  ASSERT_TRUE(Name("Home", TopLevel(kInsert), "Insert", "First"));

  // New categories are not selected, and the list stays as it was.
  EXPECT_EQ((std::vector<std::string>{"Work", "    Tools", "        Old", "    Kit", "First", "Home"}),
            TreeTexts(tree));
  EXPECT_EQ("Home", SelectedTreeText(tree));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n        Old ;06\r\n    Kit ;015\r\nFirst ;015\r\nHome ;06\r\n",
            app.ReadDataFile("Categories.sts"));

  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND again = app.Child(IDC_CATEGORY_TREE);
  EXPECT_NE(nullptr, FindTreeItem(again, "Work/Kit"));
  EXPECT_NE(nullptr, FindTreeItem(again, "First"));
}

TEST_F(EditingUi, NameDialogRefusesBlankAndUnstorableNamesAndKeepsItsText) {
  Start();
  const HWND dialog = Command("Work", TopLevel(kAdd), "Add");
  ASSERT_NE(nullptr, dialog);
  ::SetDlgItemTextA(dialog, IDC_NAME, "   ");
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitForBoxes(1));
  EXPECT_EQ("Information: No inputted text", app.boxes.Shown()[0]);
  EXPECT_EQ("", Text(dialog, IDC_NAME));
  EXPECT_TRUE(::IsWindow(dialog));

  ::SetDlgItemTextA(dialog, IDC_NAME, "Games [old]");
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ("Information: A category name cannot contain \"[\".", app.boxes.Shown()[1]);
  ASSERT_TRUE(PressAndWaitClosed(dialog, IDCANCEL));
  EXPECT_EQ(4u, TreeTexts(tree).size());

  // The field starts the next use with the text left in it.
  const HWND next = Command("Work", TopLevel(kInsert), "Insert");
  ASSERT_NE(nullptr, next);
  EXPECT_EQ("Games [old]", Text(next, IDC_NAME));
  ASSERT_TRUE(PressAndWaitClosed(next, IDCANCEL));
}

TEST_F(EditingUi, RenameCarriesTheSubCategoriesShortcutsAndIsRefusedAtTheTopLevel) {
  Start("<[Work][Tools]>\r\nT\r\nC:\\t.exe\r\n<[Work][Tools][Old]>\r\nO\r\nC:\\o.exe\r\n");
  const HWND dialog = Command("Work/Tools", kRename, "Rename");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("Old name: Tools", Text(dialog, IDC_INFO));
  ::SetDlgItemTextA(dialog, IDC_NAME, "Kit");
  ASSERT_TRUE(PressAndWaitClosed(dialog, IDOK));
  EXPECT_EQ("<[Work][Kit]>\r\nT\r\nC:\\t.exe\r\n<[Work][Kit][Old]>\r\nO\r\nC:\\o.exe\r\n",
            app.ReadDataFile("Shortcuts.sts"));
  app.SelectCategory("Work/Kit/Old");
  EXPECT_EQ(std::vector<std::string>{"O"}, ListTitles(list));

  // The menu offers no Rename on the top level; the command refuses it all the same.
  app.SelectCategory("Home");
  CategoryCommand(IDM_RENAME_CATEGORY);
  ASSERT_TRUE(WaitForBoxes(1));
  EXPECT_EQ("Information: Can not rename this name.", app.boxes.Shown()[0]);
  EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "Rename"));
}

TEST_F(EditingUi, DeleteAsksRemovesTheBranchAndItsSectionWithTheNextSave) {
  const std::string shortcuts =
      "<[Work][Tools]>\r\nT\r\nC:\\t.exe\r\n<[Home]>\r\nH\r\nC:\\h.exe\r\n";
  Start(shortcuts);
  app.boxes.AnswerConfirm(false);
  RightClick("Work/Tools");
  ASSERT_TRUE(ChooseFromMenu(kDelete));
  ASSERT_TRUE(WaitForBoxes(1));
  EXPECT_EQ("Confirm: Do you want to delete 'Tools' ?", app.boxes.Shown()[0]);
  app.Flush();
  EXPECT_EQ(4u, TreeTexts(tree).size());

  app.boxes.AnswerConfirm(true);
  RightClick("Work/Tools");
  ASSERT_TRUE(ChooseFromMenu(kDelete));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return TreeTexts(tree).size() == 2; }));
  EXPECT_EQ((std::vector<std::string>{"Work", "Home"}), TreeTexts(tree));
  app.Flush();
  // Another category is selected and listed; the file changes with the next save.
  const std::string selected = SelectedTreeText(tree);
  EXPECT_TRUE(selected == "Work" || selected == "Home") << selected;
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));
  app.SelectCategory("Home");
  ShortcutCommand(IDM_SORT);
  EXPECT_EQ("<[Home]>\r\nH\r\nC:\\h.exe\r\n", app.ReadDataFile("Shortcuts.sts"));
}

// Tree changes reach Categories.sts when they are made: a kill or a power cut after
// them loses nothing, and a failed write keeps the change for the next one.
TEST_F(EditingUi, EveryTreeChangeIsOnDiskAtOnceAndAFailedWriteKeepsIt) {
  Start();
  ASSERT_TRUE(Name("Work", TopLevel(kAdd), "Add", "Kit"));
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n        Old ;06\r\n    Kit ;015\r\nHome ;06\r\n",
            app.ReadDataFile("Categories.sts"));
  ASSERT_TRUE(Name("Work/Kit", kRename, "Rename", "Gear"));
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n        Old ;06\r\n    Gear ;015\r\nHome ;06\r\n",
            app.ReadDataFile("Categories.sts"));

  const std::string path = app.data.path() + "Categories.sts";
  HANDLE holder = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, holder);
  app.boxes.AnswerConfirm(true);
  RightClick("Work/Tools");
  ASSERT_TRUE(ChooseFromMenu(kDelete));
  ASSERT_TRUE(WaitForBoxes(2));
  EXPECT_EQ(0u, app.boxes.Shown()[1].find("Error: Could not save the file '" + path + "'"));
  ::CloseHandle(holder);
  EXPECT_EQ((std::vector<std::string>{"Work", "    Gear", "Home"}), TreeTexts(tree));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("Work ;015\r\n    Gear ;015\r\nHome ;06\r\n", app.ReadDataFile("Categories.sts"));
}

TEST_F(EditingUi, IconChooserListsAFilesIconsAndGivesTheChosenOne) {
  Start();
  const HWND dialog = Command("Work/Tools", kChangeIcon, "Choose an icon");
  ASSERT_NE(nullptr, dialog);
  // The first showing loads the system's library after a moment.
  char system[MAX_PATH] = {};
  ::GetSystemDirectoryA(system, MAX_PATH);
  const std::string shell32 = std::string(system) + "\\SHELL32.dll";
  const int shellIcons = static_cast<int>(::ExtractIconExA(shell32.c_str(), -1, nullptr, nullptr, 0));
  ASSERT_GT(shellIcons, 10);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return Items(dialog) == shellIcons; }));
  EXPECT_EQ(shell32, Text(dialog, IDC_FILE));

  const std::string sixIcons = AppHarness::TestProgramFolder() + "six_icons.exe";
  app.pickers.AnswerIconFile(sixIcons);
  Press(dialog, IDC_LOAD);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return Items(dialog) == 6; }));
  EXPECT_EQ(sixIcons, Text(dialog, IDC_FILE));
  SelectIcon(dialog, 4);
  ASSERT_TRUE(PressAndWaitClosed(dialog, IDOK));
  EXPECT_EQ("14," + sixIcons, IconTextOf("Work/Tools"));
  // The tree resolves the new icon when it draws the category again.
  ASSERT_TRUE(AppHarness::WaitUntil([&] {
    return ::ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)) == 22;
  }));

  // Opened again, it shows the same file and icons without loading them again.
  const HWND again = Command("Work/Tools", kChangeIcon, "Choose an icon");
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(6, Items(again));
  EXPECT_EQ(sixIcons, Text(again, IDC_FILE));
  // Default lists the tree's images, the one just resolved included.
  Press(again, IDC_DEFAULT);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return Items(again) == 22; }));
  SelectIcon(again, 16);
  ASSERT_TRUE(PressAndWaitClosed(again, IDOK));
  EXPECT_EQ("016", IconTextOf("Work/Tools"));

  // Cancel and the close box give nothing; the icon stays.
  const HWND third = Command("Home", TopLevel(kChangeIcon), "Choose an icon");
  ASSERT_NE(nullptr, third);
  SelectIcon(third, 3);
  ::PostMessageA(third, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindow(third); }));
  app.Flush();

  ASSERT_TRUE(app.Close());
  EXPECT_EQ("Work ;015\r\n    Tools ;016\r\n        Old ;06\r\nHome ;06\r\n",
            app.ReadDataFile("Categories.sts"));
}

TEST_F(EditingUi, IconChooserWithoutIconsOrSelectionSaysNoIconIsSelected) {
  Start();
  const HWND dialog = Command("Work/Tools", kChangeIcon, "Choose an icon");
  ASSERT_NE(nullptr, dialog);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return Items(dialog) > 10; }));
  // A file whose first icon cannot be extracted lists nothing.
  app.data.WriteFile("plain.txt", "no icons here");
  app.pickers.AnswerIconFile(app.data.path() + "plain.txt");
  Press(dialog, IDC_LOAD);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return Items(dialog) == 0; }));
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitForBoxes(1));
  EXPECT_EQ("Information: No icon is selected.", app.boxes.Shown()[0]);
  EXPECT_TRUE(::IsWindow(dialog));
  // A cancelled file dialog changes nothing.
  Press(dialog, IDC_LOAD);
  app.Flush();
  EXPECT_EQ(app.data.path() + "plain.txt", Text(dialog, IDC_FILE));
  ASSERT_TRUE(PressAndWaitClosed(dialog, IDCANCEL));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
}

struct CategoryDragUi : EditingUi {
  // Drags the category at from onto the label of the one at onto, or (for one two
  // levels down) onto the indent left of it; refused, the drag ends where nothing is
  // marked and the pointer says no.
  bool DragCategory(const std::string& from, const std::string& onto, bool indent = false,
                    bool refused = false) {
    // A drag selects the category first, and the tree opens and closes branches for
    // that: the places are taken once it is selected.
    app.SelectCategory(from);
    const HTREEITEM target = FindTreeItem(tree, onto);
    POINT to = TreeItemPoint(tree, target);
    if (indent) {
      // A category two levels down has the indent of one level at the row's left
      // edge; its button area and its icon follow.
      POINT edge{6, 0};
      ::ClientToScreen(tree, &edge);
      to.x = edge.x;
    }
    const std::string name = onto.substr(onto.rfind('/') + 1);
    const std::string hint = refused  ? std::string("Cannot be dropped here")
                             : indent ? "Move before '" + name + "'"
                                      : "Move into '" + name + "'";
    return DragWithMouse(TreeItemPoint(tree, FindTreeItem(tree, from)), to, [&] {
      return StatusText(status) == hint && (refused || DropHighlight() == name);
    });
  }
};

TEST_F(CategoryDragUi, MovedCategoriesKeepTheirBranchAndTheirShortcuts) {
  StartWith("Work ;015\r\n    Tools ;015\r\n        Old ;06\r\n        New ;06\r\nHome ;06\r\n",
            "<[Work][Tools]>\r\nT\r\nC:\\t\r\n<[Work][Tools][Old]>\r\nO\r\nC:\\o\r\n");
  // Onto a label: the last child of that category.
  ASSERT_TRUE(DragCategory("Work/Tools", "Home"));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return FindTreeItem(tree, "Home/Tools/Old") != nullptr; }));
  EXPECT_EQ("<[Home][Tools]>\r\nT\r\nC:\\t\r\n<[Home][Tools][Old]>\r\nO\r\nC:\\o\r\n",
            app.ReadDataFile("Shortcuts.sts"));
  app.Flush();
  EXPECT_EQ("Tools", SelectedTreeText(tree));
  EXPECT_EQ(std::vector<std::string>{"T"}, ListTitles(list));

  // Onto the indent left of a category: just before it, at its level.
  ASSERT_TRUE(DragCategory("Home/Tools/New", "Home/Tools/Old", true));
  ASSERT_TRUE(AppHarness::WaitUntil([&] {
    return TreeTexts(tree) ==
           std::vector<std::string>{"Work", "Home", "    Tools", "        New", "        Old"};
  }));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("Work ;015\r\nHome ;06\r\n    Tools ;015\r\n        New ;06\r\n        Old ;06\r\n",
            app.ReadDataFile("Categories.sts"));
}

TEST_F(CategoryDragUi, CategoriesNeverMoveIntoTheirOwnBranchAndTheTopLevelStays) {
  Start();
  ASSERT_TRUE(DragCategory("Work/Tools", "Work/Tools/Old", false, true));
  ASSERT_TRUE(DragCategory("Work", "Home", false, true));
  app.Flush();
  EXPECT_EQ((std::vector<std::string>{"Work", "    Tools", "        Old", "Home"}), TreeTexts(tree));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
}

}  // namespace
}  // namespace tessaly::testing
