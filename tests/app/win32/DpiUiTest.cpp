// The main window on monitors of other resolutions: what the system's WM_DPICHANGED
// brings, sent here as it would come when the window is dragged to such a monitor.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/win32/MainWindowRes.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::testing {
namespace {

// What the window shows that is sized from the resolution.
struct Look {
  RECT window{};
  int treeFont = 0;
  int listFont = 0;
  int searchFont = 0;
  int treeImage = 0;
  int treeImages = 0;
  int toolbarImage = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  int listIcon = 0;
  int treePane = 0;
  int statusBar = 0;
};

int FontHeight(HWND control) {
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA shape{};
  if (font == nullptr || ::GetObjectA(font, sizeof shape, &shape) == 0) return 0;
  return shape.lfHeight < 0 ? -shape.lfHeight : shape.lfHeight;
}

int IconSide(HIMAGELIST images) {
  int width = 0;
  int height = 0;
  if (images == nullptr || !::ImageList_GetIconSize(images, &width, &height)) return 0;
  return width == height ? width : -1;
}

int Height(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  return rect.bottom - rect.top;
}

Look LookOf(AppHarness& app) {
  Look look;
  ::GetWindowRect(app.main(), &look.window);
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  const HWND toolbar = app.Child(IDC_TOOLBAR);
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  look.treeFont = FontHeight(tree);
  look.listFont = FontHeight(list);
  look.searchFont = FontHeight(app.Child(IDC_SEARCH));
  const HIMAGELIST treeImages = TreeView_GetImageList(tree, TVSIL_NORMAL);
  look.treeImage = IconSide(treeImages);
  look.treeImages = ::ImageList_GetImageCount(treeImages);
  look.toolbarImage =
      IconSide(reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)));
  const auto button = static_cast<DWORD>(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
  look.buttonWidth = LOWORD(button);
  look.buttonHeight = HIWORD(button);
  look.listIcon = IconSide(ListView_GetImageList(list, LVSIL_NORMAL));
  RECT pane{};
  ::GetWindowRect(app.Child(IDC_CATEGORY_PANE), &pane);
  look.treePane = pane.right - pane.left;
  look.statusBar = Height(app.Child(IDC_STATUS_BAR));
  return look;
}

void ChangeDpi(AppHarness& app, int dpi, RECT suggested) {
  ::SendMessageA(app.main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The image the tree shows for the item at that path, as it asks the pane for it.
int TreeImageOf(HWND tree, const std::string& path) {
  TVITEMA item{};
  item.mask = TVIF_IMAGE;
  item.hItem = FindTreeItem(tree, path);
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

TEST(MainWindowDpi, FollowsTheMonitorsResolutionAndComesBack) {
  AppHarness app;
  // "Notes" shows an icon of a program file, added to the tree's images.
  app.WriteDataFile("Categories.sts", "Work ;015\r\n    Notes ;10," + WindowsFolder() +
                                          "\\notepad.exe\r\nHome ;06\r\n");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  const HWND toolbar = app.Child(IDC_TOOLBAR);
  ASSERT_TRUE(AppHarness::WaitUntil([&] {
    return TreeView_GetImageList(tree, TVSIL_NORMAL) != nullptr &&
           ::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0) != 0 &&
           ListView_GetImageList(app.Child(IDC_SHORTCUT_LIST), LVSIL_NORMAL) != nullptr;
  }));
  ASSERT_EQ(21, TreeImageOf(tree, "Work/Notes"));
  const Look at96 = LookOf(app);
  ASSERT_EQ(24, at96.treeImage);
  ASSERT_EQ(32, at96.toolbarImage);

  for (const int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    const auto scaled = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
    const RECT suggested{40, 30, 40 + 1100, 30 + 900};
    ChangeDpi(app, dpi, suggested);
    const Look look = LookOf(app);
    EXPECT_TRUE(SameRect(suggested, look.window));
    EXPECT_EQ(scaled(at96.treeFont), look.treeFont);
    EXPECT_EQ(scaled(at96.listFont), look.listFont);
    EXPECT_EQ(scaled(at96.searchFont), look.searchFont);
    EXPECT_EQ(scaled(24), look.treeImage);
    EXPECT_EQ(scaled(32), look.toolbarImage);
    EXPECT_EQ(scaled(at96.buttonWidth), look.buttonWidth);
    EXPECT_EQ(scaled(at96.buttonHeight), look.buttonHeight);
    EXPECT_EQ(scaled(at96.treePane), look.treePane);
    EXPECT_GT(look.statusBar, at96.statusBar);
    // The shell has its icons at a few sizes only: the nearest larger one.
    EXPECT_GT(look.listIcon, at96.listIcon);
    // The program file's icon is taken again at the new size, after the tree's pictures.
    EXPECT_EQ(21, TreeImageOf(tree, "Work/Notes"));
    EXPECT_EQ(22, ::ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)));

    ChangeDpi(app, 96, at96.window);
    const Look back = LookOf(app);
    EXPECT_TRUE(SameRect(at96.window, back.window));
    EXPECT_EQ(at96.treeFont, back.treeFont);
    EXPECT_EQ(at96.listFont, back.listFont);
    EXPECT_EQ(at96.treeImage, back.treeImage);
    EXPECT_EQ(at96.toolbarImage, back.toolbarImage);
    EXPECT_EQ(at96.buttonWidth, back.buttonWidth);
    EXPECT_EQ(at96.buttonHeight, back.buttonHeight);
    EXPECT_EQ(at96.treePane, back.treePane);
    EXPECT_EQ(at96.statusBar, back.statusBar);
    EXPECT_EQ(at96.listIcon, back.listIcon);
  }
  EXPECT_TRUE(app.boxes.Shown().empty());
}

}  // namespace
}  // namespace tessaly::testing
