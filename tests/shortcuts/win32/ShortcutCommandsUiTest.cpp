// The shortcut commands and the shortcut editor in the real window: every change is
// in Shortcuts.sts when the command returns.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

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

struct CommandsUi : WindowTest {
  using WindowTest::WindowTest;

  void Start(const std::string& shortcuts) {
    StartWith("Work ;015\r\n    Tools ;015\r\nTrash ;020\r\n", shortcuts);
  }
  void Post(int id) { ::PostMessageA(shortcutPane, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Send(int id) { ShortcutCommand(id); }
  std::string Shortcuts() const { return app.ReadDataFile("Shortcuts.sts"); }

  // Opens the editor with the toolbar button and waits for it.
  HWND OpenEditor(int button, const char* caption) {
    Post(button);
    return AppHarness::WaitForWindow(caption);
  }
  static std::string Field(HWND editor, int id) {
    char text[1024] = {};
    ::GetDlgItemTextA(editor, id, text, sizeof text);
    return text;
  }
  static void Type(HWND editor, const std::string& target, const std::string& title) {
    ::SetDlgItemTextA(editor, IDC_TARGET, target.c_str());
    ::SetDlgItemTextA(editor, IDC_TITLE, title.c_str());
  }
  static bool Press(HWND editor, int id) {
    ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return AppHarness::WaitUntil([&] { return !::IsWindow(editor); });
  }
};

TEST_F(CommandsUi, AddAppendsTheTrimmedShortcutAndSavesTheSection) {
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\n<[Trash]>\r\n");
  const HWND editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("", Field(editor, IDC_TARGET));
  Type(editor, "  C:\\Tools\\app.exe\t", "  Alpha  ");
  ASSERT_TRUE(Press(editor, IDOK));
  EXPECT_EQ((std::vector<ListItem>{{"Zed", "C:\\z.exe"}, {"Alpha", "C:\\Tools\\app.exe"}}), ListItems(list));
  EXPECT_EQ("<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\Tools\\app.exe\r\n<[Trash]>\r\n", Shortcuts());
}

TEST_F(CommandsUi, EditorRefusesEmptyAndUnstorableFieldsAndStaysOpen) {
  Start("<[Work]>\r\n");
  const HWND editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);
  Type(editor, "   ", "");
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ("Information: Target box is empty", app.boxes.Shown()[0]);
  EXPECT_EQ("", Field(editor, IDC_TARGET));
  EXPECT_TRUE(::IsWindow(editor));

  Type(editor, " C:\\a.exe ", " \t ");
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 2; }));
  EXPECT_EQ("Information: Title box is empty", app.boxes.Shown()[1]);
  EXPECT_EQ("C:\\a.exe", Field(editor, IDC_TARGET));

  Type(editor, "C:\\a.exe", "Break <[Work]> here");
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 3; }));
  EXPECT_NE(std::string::npos, app.boxes.Shown()[2].find("cannot contain"));
  EXPECT_TRUE(::IsWindow(editor));
  ASSERT_TRUE(Press(editor, IDCANCEL));
  EXPECT_TRUE(ListItems(list).empty());
  EXPECT_EQ("<[Work]>\r\n", Shortcuts());
}

TEST_F(CommandsUi, CancelKeepsTheTypedTextForTheNextUse) {
  Start("<[Work]>\r\n");
  HWND editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);
  Type(editor, "typed target", "typed title");
  ASSERT_TRUE(Press(editor, IDCANCEL));
  EXPECT_TRUE(ListItems(list).empty());
  editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("typed target", Field(editor, IDC_TARGET));
  EXPECT_EQ("typed title", Field(editor, IDC_TITLE));
  ASSERT_TRUE(Press(editor, IDCANCEL));
  EXPECT_EQ("<[Work]>\r\n", Shortcuts());
}

TEST_F(CommandsUi, EditChangesTheSelectedItemInPlaceAndAddThenShowsItsFields) {
  Start("<[Work]>\r\nA\r\na\r\nB\r\nb\r\nC\r\nc\r\n");
  SelectListItems(list, {1});
  HWND editor = OpenEditor(IDC_EDIT, "Edit the Shortcut");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("b", Field(editor, IDC_TARGET));
  EXPECT_EQ("B", Field(editor, IDC_TITLE));
  Type(editor, "C:\\new.exe", "New B");
  ASSERT_TRUE(Press(editor, IDOK));
  EXPECT_EQ((std::vector<std::string>{"A", "New B", "C"}), ListTitles(list));
  EXPECT_EQ("<[Work]>\r\nA\r\na\r\nNew B\r\nC:\\new.exe\r\nC\r\nc\r\n", Shortcuts());

  editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("C:\\new.exe", Field(editor, IDC_TARGET));
  EXPECT_EQ("New B", Field(editor, IDC_TITLE));
  ASSERT_TRUE(Press(editor, IDCANCEL));
}

TEST_F(CommandsUi, PickersFillTargetAndTitle) {
  Start("<[Work]>\r\n");
  const std::string folder = app.shell.Make("Photos\\");
  app.pickers.AnswerApplication(std::string("C:\\Program Files\\Tool\\tool.exe"));
  app.pickers.AnswerFolder(folder.substr(0, folder.size() - 1));
  app.pickers.AnswerFolder("");  // cancelled, or a virtual folder
  const HWND editor = OpenEditor(IDC_ADD, "Add New Shortcut");
  ASSERT_NE(nullptr, editor);

  ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PICK_PROGRAM, BN_CLICKED), 0);
  EXPECT_EQ("C:\\Program Files\\Tool\\tool.exe", Field(editor, IDC_TARGET));
  EXPECT_EQ("tool", Field(editor, IDC_TITLE));
  ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PICK_FOLDER, BN_CLICKED), 0);
  EXPECT_EQ(folder.substr(0, folder.size() - 1), Field(editor, IDC_TARGET));
  EXPECT_EQ("Photos", Field(editor, IDC_TITLE));
  ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PICK_FOLDER, BN_CLICKED), 0);
  EXPECT_EQ("Photos", Field(editor, IDC_TITLE));
  ::SendMessageA(editor, WM_COMMAND, MAKEWPARAM(IDC_PICK_PROGRAM, BN_CLICKED), 0);  // cancelled
  EXPECT_EQ("Photos", Field(editor, IDC_TITLE));
  EXPECT_EQ((std::vector<std::string>{"application", "folder: Select a folder", "folder: Select a folder",
                                      "application"}),
            app.pickers.Asked());
  ASSERT_TRUE(Press(editor, IDCANCEL));
}

TEST_F(CommandsUi, RemoveAsksAndOnYesFilesTheItemsAtTheTopOfTheTrash) {
  Start("<[Work]>\r\nA\r\na\r\nB\r\nb\r\nC\r\nc\r\n<[Trash]>\r\nOld\r\nold\r\n");
  SelectListItems(list, {0, 2});
  app.boxes.AnswerConfirm(false);
  Send(IDC_REMOVE);
  EXPECT_EQ(std::vector<std::string>{"Confirm: Do you want to delete the 2 items ?"}, app.boxes.Shown());
  EXPECT_EQ(3u, ListItems(list).size());
  EXPECT_TRUE(Enabled(IDC_REMOVE));

  app.boxes.AnswerConfirm(true);
  Send(IDC_REMOVE);
  EXPECT_EQ(std::vector<std::string>{"B"}, ListTitles(list));
  EXPECT_EQ("<[Work]>\r\nB\r\nb\r\n<[Trash]>\r\nA\r\na\r\nC\r\nc\r\nOld\r\nold\r\n", Shortcuts());
  // Nothing is selected any more: there is nothing to edit either.
  EXPECT_FALSE(Enabled(IDC_REMOVE));
  EXPECT_FALSE(Enabled(IDC_EDIT));
}

TEST_F(CommandsUi, RemoveInTrashDeletesForGood) {
  Start("<[Trash]>\r\nOld\r\nold\r\nKeep\r\nkeep\r\n");
  app.SelectCategory("Trash");
  SelectListItems(list, {0});
  app.boxes.AnswerConfirm(true);
  Send(IDM_REMOVE);
  EXPECT_EQ("Confirm: Do you want to delete 'Old' ?", app.boxes.Shown().back());
  EXPECT_EQ("<[Trash]>\r\nKeep\r\nkeep\r\n", Shortcuts());
}

TEST_F(CommandsUi, OpenSendsRunBoxKeysAndReportsMissingPaths) {
  std::string section = "<[Work]>\r\nRun\r\nwin+r\r\nOther\r\nWin+R\r\nMissing\r\nC:\\nowhere\\x.exe\r\n";
  const std::string link = app.shell.path() + "Deleted.lnk";
  const std::string doomed = app.shell.WriteFile("doomed.exe", "MZ");
  WriteShellLink(link, LinkTo(doomed));
  ::DeleteFileA(doomed.c_str());
  Start(section + "Deleted\r\n" + link + "\r\n");
  for (int i = 0; i < 4; ++i) {
    SelectListItems(list, {i});
    Send(IDM_OPEN);
  }
  EXPECT_EQ((std::vector<KeyEvent>{{0x5B, false}, {0x52, false}, {0x52, true}, {0x5B, true}}), app.launcher.Keys());
  EXPECT_EQ((std::vector<std::string>{"Information: The file: 'Win+R' does not exist.",
                                      "Information: The file: 'C:\\nowhere\\x.exe' does not exist.",
                                      "Information: The target: '" + doomed + "' does not exist."}),
            app.boxes.Shown());
  EXPECT_EQ(std::vector<std::string>{"keys"}, app.launcher.Calls());
}

TEST_F(CommandsUi, LocationOpensTheFileManagerOnExistingFoldersOnly) {
  const std::string report = app.shell.WriteFile("Data\\report.txt", "r");
  Start("<[Work]>\r\nReport\r\n" + report + "\r\nGone\r\nC:\\Gone\\report.txt\r\n");
  SelectListItems(list, {0});
  Send(IDM_LOCATION);
  SelectListItems(list, {1});
  Send(IDM_LOCATION);
  EXPECT_EQ(std::vector<std::string>{"run Explorer /select, " + report}, app.launcher.Calls());
  EXPECT_EQ(std::vector<std::string>{"Information: The target: 'C:\\Gone\\' does not exist."}, app.boxes.Shown());
}

// A drop from the shell: a DROPFILES block followed by the ANSI names, double-NUL ended.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  std::string names;
  for (const auto& path : paths) names += path + '\0';
  names += '\0';
  const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  ::GlobalUnlock(memory);
  return memory;
}

TEST_F(CommandsUi, FilesDroppedFromTheShellBecomeShortcutsOfTheSelectedCategory) {
  const std::string folder = app.shell.Make("Music\\");
  const std::string file = app.shell.WriteFile("Tools\\app.exe", "MZ");
  Start("<[Work]>\r\nApp\r\n" + file + "\r\n");
  ::SendMessageA(app.main(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({file, folder.substr(0, folder.size() - 1)})), 0);
  EXPECT_EQ((std::vector<ListItem>{{"App", file}, {"Music", folder.substr(0, folder.size() - 1)}}),
            ListItems(list));
  EXPECT_EQ("<[Work]>\r\nApp\r\n" + file + "\r\nMusic\r\n" + folder.substr(0, folder.size() - 1) + "\r\n",
            Shortcuts());
}

// Mended: a command that stores the list, handled while a long section was still being
// loaded, stored the entries loaded so far, and the rest never reached the file. A
// section is now shown whole at once; the command queued behind it still stores it all.
enum class MidLoadCommand { Sort, Clear, Drop, Add };

std::string CommandName(MidLoadCommand c) {
  static const char* const kNames[] = {"Sort", "Clear", "Drop", "Add"};
  return kNames[static_cast<int>(c)];
}

void PrintTo(MidLoadCommand c, std::ostream* os) { *os << CommandName(c); }

struct MidLoadUi : CommandsUi, ::testing::WithParamInterface<MidLoadCommand> {
  static std::string Pairs(int from, int to, int step) {
    std::string pairs;
    for (int i = from; i != to + step; i += step) {
      const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
      pairs += "T" + n + "\r\nt" + n + "\r\n";
    }
    return pairs;
  }
  // Selects Work/Tools and queues the message behind the filling it starts.
  void SelectToolsThenPost(UINT msg, WPARAM wp, LPARAM lp) {
    const HTREEITEM item = FindTreeItem(tree, "Work/Tools");
    const HWND target = msg == WM_DROPFILES ? app.main() : shortcutPane;
    app.OnUiThread([&] {
      ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
      ::PostMessageA(target, msg, wp, lp);
    });
  }
};

TEST_P(MidLoadUi, CommandStoresTheWholeSection) {
  const std::string trash = "<[Trash]>\r\nOld\r\nold\r\n";
  const std::string loaded = Pairs(29, 0, -1);
  Start("<[Work][Tools]>\r\n" + loaded + trash);
  const std::string file = app.shell.WriteFile("Tools\\app.exe", "MZ");
  std::string expected;
  switch (GetParam()) {
    case MidLoadCommand::Sort:
      SelectToolsThenPost(WM_COMMAND, IDM_SORT, 0);
      expected = "<[Work][Tools]>\r\n" + Pairs(0, 29, 1) + trash;
      break;
    case MidLoadCommand::Clear:
      app.boxes.AnswerConfirm(true);
      SelectToolsThenPost(WM_COMMAND, IDM_CLEAR, 0);
      expected = "<[Work][Tools]>\r\n<[Trash]>\r\n" + loaded + "Old\r\nold\r\n";
      break;
    case MidLoadCommand::Drop:
      SelectToolsThenPost(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({file})), 0);
      expected = "<[Work][Tools]>\r\n" + loaded + "app\r\n" + file + "\r\n" + trash;
      break;
    case MidLoadCommand::Add: {
      SelectToolsThenPost(WM_COMMAND, IDC_ADD, 0);
      const HWND editor = AppHarness::WaitForWindow("Add New Shortcut");
      ASSERT_NE(nullptr, editor);
      Type(editor, "C:\\new.exe", "New");
      ASSERT_TRUE(Press(editor, IDOK));
      expected = "<[Work][Tools]>\r\n" + loaded + "New\r\nC:\\new.exe\r\n" + trash;
      break;
    }
  }
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return Shortcuts() == expected; })) << Shortcuts();
  app.Flush();
  const std::size_t listed = GetParam() == MidLoadCommand::Clear ? 0
                             : GetParam() == MidLoadCommand::Sort ? 30 : 31;
  EXPECT_EQ(listed, ListItems(list).size());
  EXPECT_EQ(std::to_string(listed) + " items", StatusText(status));
}

INSTANTIATE_TEST_SUITE_P(Commands, MidLoadUi,
                         ::testing::Values(MidLoadCommand::Sort, MidLoadCommand::Clear,
                                           MidLoadCommand::Drop, MidLoadCommand::Add),
                         [](const auto& testInfo) { return CommandName(testInfo.param); });

struct LaunchUi : CommandsUi {
  LaunchUi() : CommandsUi(AppHarness::Launching::Real) {}
};

TEST_F(LaunchUi, LinkIsLaunchedAsItsOwnTargetWithItsArguments) {
  const std::string program = AppHarness::TestProgramFolder() + "record_args.exe";
  const std::string record = app.shell.path() + "args.txt";
  ::SetEnvironmentVariableA("TESSALY_RECORD_FILE", record.c_str());
  const std::string link = app.shell.path() + "Recorder.lnk";
  WriteShellLink(link, LinkTo(program, "-x \"two words\""));
  Start("<[Work]>\r\nRecorder\r\n" + link + "\r\n");
  SelectListItems(list, {0});
  Send(IDM_OPEN);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return PathExists(record); }, 20s));
  const std::string commandLine = ReadWholeFile(record);
  EXPECT_NE(std::string::npos, commandLine.find("record_args.exe")) << commandLine;
  EXPECT_EQ(" -x \"two words\"", commandLine.substr(commandLine.find(".exe") + 4 + (commandLine[commandLine.find(".exe") + 4] == '"' ? 1 : 0)))
      << commandLine;
  EXPECT_TRUE(app.boxes.Shown().empty());
}

TEST_F(CommandsUi, SortStoresTheSortedListAndShowsTheSelectedShortcutsTarget) {
  Start("<[Work]>\r\nZed\r\nC:\\z.exe\r\nbeta\r\nC:\\b.exe\r\nAlpha\r\nC:\\a.exe\r\n");
  // Rows whose selection flips while sorting must not leave their target behind.
  SelectListItems(list, {2});
  Send(IDM_SORT);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "Zed"}), ListTitles(list));
  EXPECT_EQ("Target: C:\\a.exe", StatusText(status));
  EXPECT_EQ("<[Work]>\r\nAlpha\r\nC:\\a.exe\r\nbeta\r\nC:\\b.exe\r\nZed\r\nC:\\z.exe\r\n", Shortcuts());

  SelectListItems(list, {});
  Send(IDM_SORT);
  EXPECT_EQ("3 items", StatusText(status));
}

}  // namespace
}  // namespace tessaly::testing
