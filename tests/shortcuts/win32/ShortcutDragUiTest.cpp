// Shortcuts dragged with the real mouse: reordered in the list, moved or copied onto
// categories, refused where they cannot go. Every change is in Shortcuts.sts at once.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

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
  int ListDropIndex() {
    int index = -3;
    app.OnUiThread([&](win32::MainWindow& window) { index = window.shortcuts().drag().ListDropIndex; });
    return index;
  }
  std::string DropTarget() {
    std::string name;
    app.OnUiThread([&](win32::MainWindow& window) {
      const CategoryNode* node = window.shortcuts().drag().DropTargetNode;
      name = node != nullptr ? node->name : "";
    });
    return name;
  }
  bool DragStarted() {
    bool started = false;
    app.OnUiThread([&](win32::MainWindow& window) { started = window.shortcuts().dragStarted(); });
    return started;
  }
  bool DragToItem(int from, int onto) {
    return DragWithMouse(ListItemPoint(list, from), ListItemPoint(list, onto),
                         [&] { return ListDropIndex() == onto; });
  }
  bool DragToCategory(int from, const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    return DragWithMouse(ListItemPoint(list, from), TreeItemPoint(tree, FindTreeItem(tree, path)),
                         [&] { return DropTarget() == name; });
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
  // A drop on the list ends the drag's hold on the single-click open.
  EXPECT_FALSE(DragStarted());

  // A second drag right after the first works alike.
  SelectListItems(list, {0});
  ASSERT_TRUE(DragToItem(0, 4));
  EXPECT_EQ((std::vector<std::string>{"D", "E", "B", "A", "C"}), ListTitles(list));
}

TEST_F(DragUi, ShortcutDroppedOnEmptySpaceGoesToTheEndAndTheIconsFollowTheOrder) {
  Start("Icon");
  SelectListItems(list, {0});
  RECT client{};
  ::GetClientRect(list, &client);
  POINT empty{client.right - 10, client.bottom - 10};
  ::ClientToScreen(list, &empty);
  ASSERT_TRUE(DragWithMouse(ListItemPoint(list, 0), empty, [&] { return ListDropIndex() == -1; }));
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

TEST_F(DragUi, RefusedDropsChangeNothingAndLeaveTheDragStarted) {
  Start();
  SelectListItems(list, {0});
  const std::string before = Shortcuts();
  // "Recent" takes no shortcuts, and neither does their own category.
  for (const char* refused : {"Recent", "Work"}) {
    ASSERT_TRUE(DragWithMouse(ListItemPoint(list, 0),
                              TreeItemPoint(tree, FindTreeItem(tree, refused)),
                              [&] { return DropTarget() == refused; }))
        << refused;
    EXPECT_EQ(5u, ListItems(list).size()) << refused;
  }
  EXPECT_EQ(before, Shortcuts());
  EXPECT_EQ(std::string::npos, app.ReadDataFile("Shortcuts.sts").find("<[Recent]>"));
  EXPECT_TRUE(DragStarted());
  // The next selection change lets a single click open again.
  SelectListItems(list, {2});
  EXPECT_FALSE(DragStarted());
}

TEST_F(DragUi, ShortcutsDraggedFromGetAllAreCopied) {
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  app.shell.Make("Common Start Menu\\Accessories\\");
  WriteShellLink(app.folders.Path(22) + "Accessories\\Pad.lnk", LinkTo(notepad));
  Start();
  app.SelectCategory("Programs/Get All");
  ASSERT_EQ(std::vector<std::string>{"Pad"}, ListTitles(list));
  SelectListItems(list, {0});
  ASSERT_TRUE(DragToCategory(0, "Home"));
  EXPECT_EQ(std::vector<std::string>{"Pad"}, ListTitles(list));
  EXPECT_NE(std::string::npos,
            Shortcuts().find("<[Home]>\r\nPad\r\n" + app.folders.Path(22) + "Accessories\\Pad.lnk\r\n"));
}

}  // namespace
}  // namespace tessaly::testing
