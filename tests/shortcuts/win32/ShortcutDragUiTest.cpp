// Shortcuts dragged with the real mouse: reordered in the list, moved or copied onto
// categories, refused where they cannot go. Every change is in Shortcuts.sts at once.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

const char* const kTree = "Work ;015\r\nHome ;06\r\nRecent ;02\r\nPrograms ;00\r\n    Get All ;013\r\n";
const char* const kWork = "<[Work]>\r\nA\r\nC:\\a\r\nB\r\nC:\\b\r\nC\r\nC:\\c\r\nD\r\nC:\\d\r\nE\r\nC:\\e\r\n";

struct DragUi : WindowTest {
  void Start(const char* view = "Report", const std::string& shortcuts = kWork) {
    StartWith(kTree, shortcuts, std::string("[View]\r\n") + view + "\r\n");
  }
  // The status bar says what a release would do while the drag runs.
  bool DragToItem(int from, int onto) {
    const std::string hint = "Put before '" + ListTitles(list)[static_cast<std::size_t>(onto)] + "'";
    return DragWithMouse(ListItemPoint(list, from), ListItemPoint(list, onto),
                         [&] { return StatusText(status) == hint; });
  }
  bool DragToCategory(int from, const std::string& path, const char* verb = "Move") {
    const std::string name = path.substr(path.rfind('/') + 1);
    return DragWithMouse(ListItemPoint(list, from), TreeItemPoint(tree, FindTreeItem(tree, path)), [&] {
      return DropHighlight() == name && StatusText(status) == verb + std::string(" to '") + name + "'";
    });
  }
  // Over a category that takes nothing: no mark, and the hint says no.
  bool DragToRefusingCategory(int from, const std::string& name) {
    return DragWithMouse(ListItemPoint(list, from), TreeItemPoint(tree, FindTreeItem(tree, name)), [&] {
      return DropHighlight().empty() && StatusText(status) == "Cannot be dropped here";
    });
  }
  std::string Shortcuts() const { return app.ReadDataFile("Shortcuts.sts"); }
};

TEST_F(DragUi, DraggedShortcutsLandBeforeTheItemDroppedOnInTheirOrder) {
  Start();
  SelectListItems(list, {3, 4});
  ASSERT_TRUE(DragToItem(3, 1));
  EXPECT_EQ((std::vector<std::string>{"A", "D", "E", "B", "C"}), ListTitles(list));
  EXPECT_EQ(0, ListView_GetSelectedCount(list));
  EXPECT_EQ("<[Work]>\r\nA\r\nC:\\a\r\nD\r\nC:\\d\r\nE\r\nC:\\e\r\nB\r\nC:\\b\r\nC\r\nC:\\c\r\n",
            Shortcuts());
  // The hint is gone with the drag.
  EXPECT_EQ("5 items", StatusText(status));

  // A second drag right after the first works alike.
  SelectListItems(list, {0});
  ASSERT_TRUE(DragToItem(0, 4));
  EXPECT_EQ((std::vector<std::string>{"D", "E", "B", "A", "C"}), ListTitles(list))
      << StatusText(status) << " / launched " << app.launcher.Calls().size();
}

TEST_F(DragUi, ShortcutDroppedOnEmptySpaceGoesToTheEndAndTheIconsFollowTheOrder) {
  Start("Icon");
  SelectListItems(list, {0});
  RECT client{};
  ::GetClientRect(list, &client);
  POINT empty{client.right - 10, client.bottom - 10};
  ::ClientToScreen(list, &empty);
  ASSERT_TRUE(DragWithMouse(ListItemPoint(list, 0), empty,
                            [&] { return StatusText(status) == "Put at the end"; }));
  EXPECT_EQ((std::vector<std::string>{"B", "C", "D", "E", "A"}), ListTitles(list));
  // Laid out again in item order: each icon stands after the one before it.
  for (int i = 1; i < 5; ++i) {
    POINT before{}, after{};
    ListView_GetItemPosition(list, i - 1, &before);
    ListView_GetItemPosition(list, i, &after);
    EXPECT_TRUE(after.y > before.y || (after.y == before.y && after.x > before.x)) << i;
  }
  EXPECT_NE(std::string::npos, Shortcuts().find("E\r\nC:\\e\r\nA\r\nC:\\a\r\n"));
}

TEST_F(DragUi, ShortcutsDroppedOnACategoryMoveToTheEndOfItsSection) {
  Start("Report", std::string(kWork) + "<[Home]>\r\nH\r\nC:\\h\r\n");
  SelectListItems(list, {1, 3});
  ASSERT_TRUE(DragToCategory(1, "Home"));
  EXPECT_EQ((std::vector<std::string>{"A", "C", "E"}), ListTitles(list));
  EXPECT_EQ("3 items", StatusText(status));
  EXPECT_FALSE(Enabled(IDC_REMOVE));
  EXPECT_FALSE(Enabled(IDC_EDIT));
  EXPECT_EQ("<[Work]>\r\nA\r\nC:\\a\r\nC\r\nC:\\c\r\nE\r\nC:\\e\r\n"
            "<[Home]>\r\nH\r\nC:\\h\r\nB\r\nC:\\b\r\nD\r\nC:\\d\r\n",
            Shortcuts());
  EXPECT_EQ("Work", SelectedTreeText(tree));
}

TEST_F(DragUi, RefusedDropsChangeNothing) {
  Start();
  SelectListItems(list, {0});
  const std::string before = Shortcuts();
  // "Recent" and "Get All" take no shortcuts, and neither does their own category.
  for (const char* refused : {"Recent", "Programs/Get All", "Work"}) {
    ASSERT_TRUE(DragToRefusingCategory(0, refused)) << refused;
    EXPECT_EQ(5u, ListItems(list).size()) << refused;
  }
  EXPECT_EQ(before, Shortcuts());
  EXPECT_EQ(std::string::npos, app.ReadDataFile("Shortcuts.sts").find("<[Recent]>"));
  EXPECT_EQ(std::string::npos, app.ReadDataFile("Shortcuts.sts").find("Get All"));
}

// Mended: the category at the pointer was only its icon and label for shortcuts,
// while a dragged category took the whole row.
TEST_F(DragUi, TheWholeRowOfACategoryTakesShortcuts) {
  Start("Report", std::string(kWork) + "<[Home]>\r\n");
  SelectListItems(list, {0});
  RECT row{};
  const HTREEITEM home = FindTreeItem(tree, "Home");
  std::memcpy(&row, &home, sizeof home);  // the message takes the item in the rectangle
  ::SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row));
  POINT right{row.right - 4, (row.top + row.bottom) / 2};
  ::ClientToScreen(tree, &right);
  ASSERT_TRUE(DragWithMouse(ListItemPoint(list, 0), right, [&] {
    return DropHighlight() == "Home" && StatusText(status) == "Move to 'Home'";
  }));
  EXPECT_NE(std::string::npos, Shortcuts().find("<[Home]>\r\nA\r\nC:\\a\r\n")) << Shortcuts() << StatusText(status);
}

TEST_F(DragUi, ShortcutsDraggedFromGetAllAreCopied) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  app.shell.Make("Common Start Menu\\Accessories\\");
  WriteShellLink(app.folders.Path(22) + "Accessories\\Pad.lnk", LinkTo(notepad));
  Start();
  app.SelectCategory("Programs/Get All");
  ASSERT_EQ(std::vector<std::string>{"Pad"}, ListTitles(list));
  SelectListItems(list, {0});
  ASSERT_TRUE(DragToCategory(0, "Home", "Copy"));
  EXPECT_EQ(std::vector<std::string>{"Pad"}, ListTitles(list));
  EXPECT_NE(std::string::npos,
            Shortcuts().find("<[Home]>\r\nPad\r\n" + app.folders.Path(22) + "Accessories\\Pad.lnk\r\n"));
}

}  // namespace
}  // namespace tessaly::testing
