// The main window's life: start-up over a data directory, layout, placement, the
// restored selection, and what the close writes.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "base/win32/Handle.h"
#include "base/win32/Text.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::testing {
namespace {

const std::string kTree =
    "Work ;015\r\n"
    "    Tools ;113,C:\\x.exe\r\n"
    "        Old ;06\r\n"
    "Home ;06\r\n"
    "Trash ;020\r\n";

std::string Settings(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

RECT WindowRect(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  return rect;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool IsCentredAtDesignSize(HWND hwnd) {
  RECT area{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const RECT r = WindowRect(hwnd);
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  const int width = ::MulDiv(834, dpi, 96);
  const int height = ::MulDiv(637, dpi, 96);
  return r.right - r.left == width && r.bottom - r.top == height &&
         r.left == area.left + (area.right - area.left - width) / 2 &&
         r.top == area.top + (area.bottom - area.top - height) / 2;
}

TEST(MainWindowStartup, OpensTitledWindowAndBuildsTreeFromDataDirectory) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());

  char caption[64] = {};
  ::GetWindowTextA(app.main(), caption, sizeof caption);
  EXPECT_STREQ("Tessaly", caption);
  EXPECT_TRUE(::IsWindowVisible(app.main()));
  EXPECT_EQ((std::vector<std::string>{"Work", "    Tools", "        Old", "Home", "Trash"}),
            TreeTexts(app.Child(IDC_CATEGORY_TREE)));
  // No "Treeselect": the first category is selected.
  EXPECT_EQ("Work", SelectedTreeText(app.Child(IDC_CATEGORY_TREE)));
  EXPECT_TRUE(IsCentredAtDesignSize(app.main()));
  EXPECT_TRUE(app.boxes.Shown().empty());
}

int ImageCount(HIMAGELIST images, int* side = nullptr) {
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  if (side != nullptr) *side = width == height ? width : -1;
  return images == nullptr ? -1 : ::ImageList_GetImageCount(images);
}

// The pictures are loaded after the first paint; whatever the order, the filled
// window shows every one of them.
TEST(MainWindowStartup, FilledWindowHasItsPicturesAndIcons) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", AppHarness::InstalledCategories());
  app.WriteDataFile("Shortcuts.sts", "<[My Shortcuts]>\r\nEditor\r\n" + WindowsFolder() +
                                         "\\notepad.exe\r\n");
  app.WriteDataFile("Settings.sts", "[Treeselect]\r\n6\r\n");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  const HWND toolbar = app.Child(IDC_TOOLBAR);
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ListTitles(list).size() == 1; }));

  int side = 0;
  EXPECT_EQ(21, ImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL), &side));
  EXPECT_EQ(24, side);
  TVITEMA popular{};
  popular.mask = TVIF_IMAGE;
  popular.hItem = FindTreeItem(tree, "Popular");
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&popular));
  EXPECT_EQ(16, popular.iImage);

  const auto toolbarImages =
      reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(6, ImageCount(toolbarImages, &side));
  EXPECT_EQ(32, side);
  // The late image list leaves the buttons at their size.
  const auto buttonSize = static_cast<DWORD>(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
  EXPECT_EQ(65, LOWORD(buttonSize));
  EXPECT_EQ(62, HIWORD(buttonSize));

  SHFILEINFOA info{};
  const auto large = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
  const auto small = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(nullptr, large);
  EXPECT_EQ(large, ListView_GetImageList(list, LVSIL_NORMAL));
  EXPECT_EQ(small, ListView_GetImageList(list, LVSIL_SMALL));
  LVITEMA editor{};
  editor.mask = LVIF_IMAGE;
  ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&editor));
  EXPECT_GT(editor.iImage, 1);
  EXPECT_TRUE(app.boxes.Shown().empty());
}

TEST(MainWindowStartup, WithoutCategoryFileBacksUpShortcutsAndEnds) {
  AppHarness app;
  const std::string shortcuts = "<[Work]>\r\nEditor\r\nC:\\e.exe\n\xE9t\xE9\r";
  app.WriteDataFile("Shortcuts.sts", shortcuts);
  app.WriteDataFile("Settings.sts", "[View]\r\nList\r\n");
  app.boxes.AnswerConfirm(true);

  EXPECT_FALSE(app.Start());
  EXPECT_EQ(std::vector<std::string>{
                "Confirm: Missing a necessary file, reinstall the program please."},
            app.boxes.Shown());
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts_backup.sts"));
  EXPECT_EQ("[View]\r\nList\r\n", app.ReadDataFile("Settings.sts"));
  auto names = app.DataFileNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Settings.sts", "Shortcuts.sts", "Shortcuts_backup.sts"}),
            names);
  EXPECT_EQ(nullptr, ::FindWindowA(win32::kMainWindowClass, nullptr));
}

TEST(MainWindowStartup, WithoutCategoryOrShortcutFileWritesNothing) {
  AppHarness app;
  EXPECT_FALSE(app.Start());
  EXPECT_TRUE(app.DataFileNames().empty());
}

TEST(MainWindowLayout, HasTreeSplitterToolbarListAndStatusBar) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());

  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  const HWND toolbar = app.Child(IDC_TOOLBAR);
  const HWND status = app.Child(IDC_STATUS_BAR);
  ASSERT_NE(nullptr, tree);
  ASSERT_NE(nullptr, list);
  ASSERT_NE(nullptr, toolbar);
  ASSERT_NE(nullptr, status);

  const RECT treeRect = ChildRect(app.main(), tree);
  const RECT listRect = ChildRect(app.main(), list);
  const RECT barRect = ChildRect(app.main(), toolbar);
  EXPECT_EQ(0, treeRect.left);
  EXPECT_EQ(193, treeRect.right - treeRect.left);
  EXPECT_EQ(196, barRect.left);  // tree, then the 3-pixel splitter
  EXPECT_EQ(64, barRect.bottom - barRect.top);
  // The search field stands between the toolbar and the list.
  const RECT searchRect = ChildRect(app.main(), app.Child(IDC_SEARCH));
  EXPECT_EQ(barRect.bottom, searchRect.top);
  EXPECT_EQ(searchRect.bottom, listRect.top);
  EXPECT_EQ(barRect.left, searchRect.left);
  EXPECT_EQ(28, ::SendMessageA(tree, TVM_GETINDENT, 0, 0));

  // The toolbar's six buttons, their captions and which start enabled.
  const std::pair<int, const char*> buttons[] = {
      {IDC_ADD, "Add"},  {IDC_EDIT, "Edit"},   {IDC_REMOVE, "Remove"},
      {IDC_VIEW, "View"}, {IDC_ABOUT, "About"}, {IDC_EXIT, "Exit"}};
  ASSERT_EQ(6, ::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < 6; ++i) {
    TBBUTTON button{};
    ::SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(buttons[i].first, button.idCommand);
    char text[32] = {};
    ::SendMessageA(toolbar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                   reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(buttons[i].second, text);
    const bool enabled = ::SendMessageA(toolbar, TB_ISBUTTONENABLED,
                                        static_cast<WPARAM>(button.idCommand), 0) != 0;
    const bool startsDisabled =
        button.idCommand == IDC_EDIT || button.idCommand == IDC_REMOVE;
    EXPECT_EQ(!startsDisabled, enabled) << buttons[i].second;
  }

  // The list's two columns.
  HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(2, ::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  char columnText[32] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = columnText;
  column.cchTextMax = sizeof columnText;
  ::SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ("Title", columnText);
  EXPECT_EQ(106, column.cx);
  ::SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ("Target", columnText);
}

TEST(MainWindowLayout, DraggingTheSplitterMovesTheBorder) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND splitter = app.Child(IDC_SPLITTER);
  // In one go on the window's thread: a move of the real pointer delivered in between
  // would go to the splitter, which holds the mouse while it is dragged.
  app.OnUiThread([&] {
    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(61, 12));
    ::SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(61, 12));
  });

  const RECT treeRect = ChildRect(app.main(), app.Child(IDC_CATEGORY_TREE));
  const RECT listRect = ChildRect(app.main(), app.Child(IDC_SHORTCUT_LIST));
  EXPECT_EQ(253, treeRect.right);
  EXPECT_EQ(256, listRect.left);
}

struct PlacementCase {
  const char* name;
  std::vector<std::string> settings;
  enum { Centred, Maximised, At } expected;
  RECT rect;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class MainWindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(MainWindowPlacement, FollowsTheSettings) {
  const PlacementCase& c = GetParam();
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.WriteDataFile("Settings.sts", Settings(c.settings));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  EXPECT_TRUE(app.boxes.Shown().empty());
  switch (c.expected) {
    case PlacementCase::Maximised:
      EXPECT_TRUE(::IsZoomed(app.main()));
      break;
    case PlacementCase::Centred:
      EXPECT_FALSE(::IsZoomed(app.main()));
      EXPECT_TRUE(IsCentredAtDesignSize(app.main()));
      break;
    case PlacementCase::At: {
      const RECT r = WindowRect(app.main());
      EXPECT_EQ(c.rect.left, r.left);
      EXPECT_EQ(c.rect.top, r.top);
      EXPECT_EQ(c.rect.right, r.right - r.left);
      EXPECT_EQ(c.rect.bottom, r.bottom - r.top);
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MainWindowPlacement,
    ::testing::Values(
        PlacementCase{"NoMaximize", {"[Left]", "10"}, PlacementCase::Centred, {}},
        PlacementCase{"EmptyMaximize", {"[Maximize]", "", "[Left]", "10"}, PlacementCase::Centred, {}},
        PlacementCase{"MaximizeWithGarbage",
                      {"[Maximize]", "1", "[Left]", "x", "[Width]", "-5"},
                      PlacementCase::Maximised, {}},
        PlacementCase{"Stored",
                      {"[Maximize]", "0", "[Left]", "10", "[Top]", "20", "[Width]", "500",
                       "[Height]", "400"},
                      PlacementCase::At, {10, 20, 500, 400}},
        PlacementCase{"MissingHeight",
                      {"[Maximize]", "0", "[Left]", "10", "[Top]", "20", "[Width]", "500"},
                      PlacementCase::Centred, {}},
        PlacementCase{"NotANumber",
                      {"[Maximize]", "0", "[Left]", "ten", "[Top]", "20", "[Width]", "500",
                       "[Height]", "400"},
                      PlacementCase::Centred, {}},
        PlacementCase{"OffEveryMonitor",
                      {"[Maximize]", "0", "[Left]", "-5000", "[Top]", "-5000", "[Width]", "500",
                       "[Height]", "400"},
                      PlacementCase::Centred, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(MainWindowView, StoredViewIsAppliedAtStart) {
  const std::pair<const char*, LONG> cases[] = {
      {"Report", LVS_REPORT}, {"List", LVS_LIST}, {"Icon", LVS_ICON}, {"", LVS_ICON}};
  for (const auto& [value, style] : cases) {
    AppHarness app;
    app.WriteDataFile("Categories.sts", kTree);
    app.WriteDataFile("Settings.sts", Settings({"[View]", value}));
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(app.WaitForTree());
    const LONG_PTR bits = ::GetWindowLongPtrA(app.Child(IDC_SHORTCUT_LIST), GWL_STYLE) & LVS_TYPEMASK;
    EXPECT_EQ(style, bits) << value;
  }
}

struct SelectionCase {
  const char* stored;
  const char* selected;
  const char* written;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << "Treeselect " << c.stored; }

class MainWindowTreeselect : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(MainWindowTreeselect, RestoresAndWritesTheSelection) {
  const SelectionCase& c = GetParam();
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.WriteDataFile("Settings.sts", Settings({"[View]", "List", "[Treeselect]", c.stored}));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  EXPECT_EQ(c.selected, SelectedTreeText(app.Child(IDC_CATEGORY_TREE)));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Settings({"[View]", "List", "[Treeselect]", c.written}), app.ReadDataFile("Settings.sts"));
}

INSTANTIATE_TEST_SUITE_P(Values, MainWindowTreeselect,
                         ::testing::Values(SelectionCase{"3", "Home", "3"},
                                           SelectionCase{"2", "Old", "2"},  // in a collapsed sub-tree
                                           SelectionCase{"7", "Work", "0"},
                                           SelectionCase{"-1", "Work", "0"},
                                           SelectionCase{"4", "Trash", "4"}),
                         [](const auto& testInfo) {
                           const std::string stored = testInfo.param.stored;
                           return stored[0] == '-' ? "Minus" + stored.substr(1) : "Index" + stored;
                         });

TEST(MainWindowClose, WritesTreeselectThenTheCategoryFileExactly) {
  AppHarness app;
  // LF-only input with a stray blank line: nothing after it may be lost.
  app.WriteDataFile("Categories.sts", "Work ;015\n    Tools\n\nHome ;06\n");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  EXPECT_EQ((std::vector<std::string>{"Work", "    Tools", "Home"}), TreeTexts(tree));
  app.SelectCategory("Home");
  ASSERT_TRUE(app.Close());
  EXPECT_EQ("[Treeselect]\r\n2\r\n", app.ReadDataFile("Settings.sts"));
  // A node without icon text is written with the image it shows; Tools shows image 0.
  EXPECT_EQ("Work ;015\r\n    Tools ;00\r\nHome ;06\r\n", app.ReadDataFile("Categories.sts"));
}

TEST(MainWindowClose, TreeselectThatIsNotANumberIsReportedAndNothingSelected) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.WriteDataFile("Settings.sts", Settings({"[Treeselect]", "abc"}));
  ASSERT_TRUE(app.Start());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !app.boxes.Shown().empty(); }));
  EXPECT_EQ(std::vector<std::string>{"Error: 'abc' is not a valid integer value."}, app.boxes.Shown());
  EXPECT_EQ(5, ::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
  EXPECT_EQ("", SelectedTreeText(tree));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(Settings({"[Treeselect]", "0"}), app.ReadDataFile("Settings.sts"));
}

TEST(MainWindowClose, FailedCategoryWriteOffersRetryAndKeepsTheEdits) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());

  // The category file is held open without sharing, so it cannot be replaced: the
  // deletion stays in memory.
  const std::string path = app.data.path() + "Categories.sts";
  HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  app.SelectCategory("Home");
  app.boxes.AnswerConfirm(true);
  ::SendMessageA(app.Child(IDC_CATEGORY_PANE), WM_COMMAND, MAKEWPARAM(IDM_DELETE_CATEGORY, 0), 0);
  ASSERT_EQ(2u, app.boxes.Shown().size());
  EXPECT_EQ(0u, app.boxes.Shown()[1].find("Error: Could not save the file"));
  app.boxes.AnswerSaveFailure(SaveFailureChoice::StayOpen);
  ::PostMessageA(app.main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 3; }));
  EXPECT_EQ(0u, app.boxes.Shown()[2].find("AskAfterFailedSave: The categories could not be saved"));
  EXPECT_TRUE(app.running());

  // Second close: the first try fails again, the retry finds the file free.
  std::string afterFailure;
  app.boxes.AnswerSaveFailure(SaveFailureChoice::Retry, [&] {
    ::CloseHandle(lock);
    afterFailure = ReadWholeFile(path);
  });
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(kTree, afterFailure);
  EXPECT_EQ("Work ;015\r\n    Tools ;113,C:\\x.exe\r\n        Old ;06\r\nTrash ;020\r\n",
            ReadWholeFile(path));
}

// Mended: a data file held open without sharing (by a backup or sync tool) was read as
// empty, and the next save or the close replaced it.
struct UnreadableCase {
  const char* file;
  bool windowOpens;  // Categories.sts is read at the delayed start, the others before
};

void PrintTo(const UnreadableCase& c, std::ostream* os) { *os << c.file; }

class MainWindowUnreadable : public ::testing::TestWithParam<UnreadableCase> {
 protected:
  AppHarness app;
  const std::string settings = Settings({"[View]", "List", "[Treeselect]", "3"});
  const std::string shortcuts = "<[Home]>\r\nEditor\r\nC:\\ed.exe\r\n<[Trash]>\r\n";

  void SetUp() override {
    app.WriteDataFile("Categories.sts", kTree);
    app.WriteDataFile("Settings.sts", settings);
    app.WriteDataFile("Shortcuts.sts", shortcuts);
  }
  win32::UniqueFile Hold() const {
    const std::string path = app.data.path() + GetParam().file;
    return win32::UniqueFile(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
  void ExpectFilesUnchanged() const {
    auto names = app.DataFileNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"Categories.sts", "Settings.sts", "Shortcuts.sts"}), names);
    EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
    EXPECT_EQ(settings, app.ReadDataFile("Settings.sts"));
    EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));
  }
};

TEST_P(MainWindowUnreadable, NamesTheFileAndTheReasonAndCancelEndsWithoutWriting) {
  win32::UniqueFile holder = Hold();
  ASSERT_TRUE(holder);
  app.boxes.AnswerReadFailure(ReadFailureChoice::Retry);
  app.boxes.AnswerReadFailure(ReadFailureChoice::Cancel);
  EXPECT_EQ(GetParam().windowOpens, app.Start());
  ASSERT_TRUE(app.WaitForExit());
  ASSERT_EQ(2u, app.boxes.Shown().size());
  const std::string question = "AskAfterFailedRead: Tessaly could not read the file '" + app.data.path() +
                               GetParam().file + "': " + win32::SystemErrorText(ERROR_SHARING_VIOLATION) + ".";
  EXPECT_EQ(0u, app.boxes.Shown()[0].find(question)) << app.boxes.Shown()[0];
  EXPECT_EQ(app.boxes.Shown()[0], app.boxes.Shown()[1]);
  holder.reset();
  ExpectFilesUnchanged();
}

TEST_P(MainWindowUnreadable, TryAgainOnceTheFileIsFreeReadsItWhole) {
  win32::UniqueFile holder = Hold();
  ASSERT_TRUE(holder);
  app.boxes.AnswerReadFailure(ReadFailureChoice::Retry, [&] { holder.reset(); });
  const bool started = app.Start();
  std::string shown;
  for (const std::string& box : app.boxes.Shown()) shown += box + "\n";
  ASSERT_TRUE(started) << shown;
  ASSERT_TRUE(app.WaitForTree());
  EXPECT_EQ(1u, app.boxes.Shown().size());
  EXPECT_EQ("Home", SelectedTreeText(app.Child(IDC_CATEGORY_TREE)));
  EXPECT_EQ(std::vector<std::string>{"Editor"}, ListTitles(app.Child(IDC_SHORTCUT_LIST)));
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));
  EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
  EXPECT_EQ(settings, app.ReadDataFile("Settings.sts"));
}

INSTANTIATE_TEST_SUITE_P(HeldOpen, MainWindowUnreadable,
                         ::testing::Values(UnreadableCase{"Settings.sts", false},
                                           UnreadableCase{"Shortcuts.sts", false},
                                           UnreadableCase{"Categories.sts", true}),
                         [](const auto& testInfo) {
                           std::string name = testInfo.param.file;
                           return name.substr(0, name.find('.'));
                         });

// Mended: a close before the delayed start wrote an empty Categories.sts and
// "Treeselect" 0.
TEST(MainWindowClose, CloseBeforeTheTreeIsLoadedWritesNothing) {
  AppHarness app;
  const std::string settings = Settings({"[Treeselect]", "3"});
  app.WriteDataFile("Categories.sts", kTree);
  app.WriteDataFile("Settings.sts", settings);
  app.beforeMessageLoop = [](HWND main) { ::PostMessageA(main, WM_CLOSE, 0, 0); };
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
  EXPECT_EQ(settings, app.ReadDataFile("Settings.sts"));
  EXPECT_EQ(2u, app.DataFileNames().size());
}

// Mended: a close handled inside a filling destroyed the window under it; the filling
// went on against the dead list, and "Popular" stored an empty section for good.
TEST(MainWindowClose, CloseDuringAFillingStopsItStoresNothingOfItAndThenCloses) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", "Work ;015\r\nPopular ;016\r\n");
  for (int i = 0; i < 15; ++i) app.shell.Make("Desktop\\F" + std::to_string(i) + "\\");
  app.shell.Make("AppData\\Microsoft\\Internet Explorer\\Quick Launch\\");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  // Asked for Quick Launch's folder, the filling has listed the desktop: the close is
  // the first message it meets after that.
  app.folders.OnAsked([&](int id) {
    if (id == 26) ::PostMessageA(app.main(), WM_CLOSE, 0, 0);
  });
  ::PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(FindTreeItem(tree, "Popular")));
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_EQ("<missing>", app.ReadDataFile("Shortcuts.sts"));
  EXPECT_EQ("[Treeselect]\r\n1\r\n", app.ReadDataFile("Settings.sts"));
  EXPECT_EQ("Work ;015\r\nPopular ;016\r\n", app.ReadDataFile("Categories.sts"));
}

TEST(MainWindowAbout, AboutButtonShowsProductAndVersionAndCloses) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  ::PostMessageA(app.main(), WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED), 0);
  const HWND about = AppHarness::WaitForWindow("About Tessaly");
  ASSERT_NE(nullptr, about);
  char product[64] = {};
  ::GetDlgItemTextA(about, IDC_ABOUT_PRODUCT, product, sizeof product);
  EXPECT_STREQ("Tessaly1.2", product);
  char group[64] = {};
  ::GetDlgItemTextA(about, IDC_ABOUT_GROUP, group, sizeof group);
  EXPECT_STREQ("Version Info", group);
  ::PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindow(about); }));
  EXPECT_TRUE(app.running());
}

TEST(MainWindowExit, ExitButtonClosesAndWritesTheFiles) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  ::PostMessageA(app.main(), WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !app.running(); }));
  EXPECT_EQ("[Treeselect]\r\n0\r\n", app.ReadDataFile("Settings.sts"));
  EXPECT_EQ(kTree, app.ReadDataFile("Categories.sts"));
}

}  // namespace
}  // namespace tessaly::testing
