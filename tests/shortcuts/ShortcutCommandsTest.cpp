// The decisions of the shortcut commands and the editor's checks.

#include "shortcuts/ShortcutCommands.h"

#include <gtest/gtest.h>

#include "base/Text.h"
#include "shortcuts/ShortcutNames.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;

class RecordingLauncher : public Launcher {
 public:
  void ShellOpen(const std::string& path, const std::string& parameters) override {
    calls.push_back("open " + path + "|" + parameters);
  }
  void ShellRunAsAdministrator(const std::string& path, const std::string& parameters) override {
    calls.push_back("runas " + path + "|" + parameters);
  }
  void RunCommandLine(const std::string& commandLine) override { calls.push_back("run " + commandLine); }
  void SendKeyEvents(const std::vector<KeyEvent>& events) override {
    keys = events;
    calls.push_back("keys");
  }
  std::vector<std::string> calls;
  std::vector<KeyEvent> keys;
};

struct CommandsTest : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, "S"};
  FakeShortcutList list;
  FakeLinkReader links;
  FakeDirectories dirs;
  RecordingLauncher launcher;
  ShortcutCommands commands{list, store, links, dirs, launcher, boxes};
  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& trash = tree.AddTopLevel("Trash");

  void OpenOnly(const std::string& target) {
    list.Clear();
    list.Add("x", target, true);
    commands.Open();
  }
};

TEST_F(CommandsTest, RunBoxTargetSendsFourKeyEventsAndTouchesNothing) {
  OpenOnly("win+r");
  EXPECT_EQ((std::vector<KeyEvent>{{0x5B, false}, {0x52, false}, {0x52, true}, {0x5B, true}}),
            launcher.keys);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(links.resolved.empty());
}

TEST_F(CommandsTest, OtherCaseOfRunBoxIsAnOrdinaryMissingPath) {
  OpenOnly("Win+R");
  EXPECT_EQ(std::vector<std::string>{"Information: The file: 'Win+R' does not exist."}, boxes.shown);
  EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(CommandsTest, OpenLaunchesFilesFoldersAndLinkTargetsWithArguments) {
  dirs.AddFile("C:\\Data\\notes.txt");
  dirs.AddFolder("C:\\Data\\Old");
  dirs.AddFile("C:\\Tools\\app.exe");
  links.links["C:\\L\\App.LNK"] = {"C:\\Tools\\app.exe", "-x \"a b\""};
  dirs.AddFile("C:\\L\\App.LNK");
  OpenOnly("C:\\Data\\notes.txt");
  OpenOnly("C:\\Data\\Old");
  OpenOnly("C:\\L\\App.LNK");
  EXPECT_EQ((std::vector<std::string>{"open C:\\Data\\notes.txt|", "open C:\\Data\\Old|",
                                      "open C:\\Tools\\app.exe|-x \"a b\""}),
            launcher.calls);
}

TEST_F(CommandsTest, LinksWithoutPathOrUnreadableAreOpenedAsThemselves) {
  dirs.AddFile("C:\\L\\Shell.lnk");
  links.links["C:\\L\\Shell.lnk"] = {"", "ignored"};
  dirs.AddFile("C:\\L\\Broken.lnk");  // not readable
  OpenOnly("C:\\L\\Shell.lnk");
  OpenOnly("C:\\L\\Broken.lnk");
  EXPECT_EQ((std::vector<std::string>{"open C:\\L\\Shell.lnk|", "open C:\\L\\Broken.lnk|"}),
            launcher.calls);
}

TEST_F(CommandsTest, LinkToDeletedTargetIsReported) {
  dirs.AddFile("C:\\L\\Gone.lnk");
  links.links["C:\\L\\Gone.lnk"] = {"C:\\Tools\\gone.exe", ""};
  OpenOnly("C:\\L\\Gone.lnk");
  EXPECT_EQ(std::vector<std::string>{"Information: The target: 'C:\\Tools\\gone.exe' does not exist."},
            boxes.shown);
  EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(CommandsTest, OpenUsesTheFirstSelectedItemAndNothingWithoutSelection) {
  dirs.AddFile("C:\\b.txt");
  list.Add("a", "C:\\a.txt");
  list.Add("b", "C:\\b.txt", true);
  list.Add("c", "C:\\c.txt", true);
  commands.Open();
  EXPECT_EQ(std::vector<std::string>{"open C:\\b.txt|"}, launcher.calls);
  // As administrator the same target is started, with the elevated verb.
  commands.RunAsAdministrator();
  EXPECT_EQ("runas C:\\b.txt|", launcher.calls.back());
  launcher.calls.pop_back();
  list.items[1].selected = list.items[2].selected = false;
  commands.RunAsAdministrator();
  commands.Open();
  commands.Location();
  EXPECT_EQ(1u, launcher.calls.size());
}

TEST_F(CommandsTest, LaunchesAreRecordedWithTheSearchTextButNotMissingTargets) {
  LaunchHistory history(files, "H", [] { return UnixSeconds{86400}; });
  std::string searchText = "Note ";
  commands.RecordLaunchesIn(history, [&] { return searchText; });
  dirs.AddFile("C:\\Notepad.exe");
  OpenOnly("C:\\Notepad.exe");
  OpenOnly("C:\\gone.exe");
  searchText.clear();
  list.items[0] = {"x", "win+r", true};
  commands.RunAsAdministrator();
  EXPECT_EQ((std::vector<Launch>{{86400, "c:\\notepad.exe", "note"}, {86400, "win+r", ""}}),
            history.launches());
}

TEST_F(CommandsTest, LocationRunsTheFileManagerOrReportsTheMissingFolder) {
  dirs.AddFolder("C:\\Data");
  list.Add("r", "C:\\Data\\report.txt", true);
  commands.Location();
  EXPECT_EQ(std::vector<std::string>{"run Explorer /select, C:\\Data\\report.txt"}, launcher.calls);
  list.items[0].target = "C:\\Gone\\report.txt";
  commands.Location();
  EXPECT_EQ(std::vector<std::string>{"Information: The target: 'C:\\Gone\\' does not exist."},
            boxes.shown);
  EXPECT_EQ("C:\\", LocationFolder("C:\\x"));
  EXPECT_EQ("", LocationFolder("win+r"));
  // A double-byte character whose second byte is "\\" is part of the file name.
  SetLeadByteTest([](unsigned char c) { return c == 0x95; });
  EXPECT_EQ("C:\\", LocationFolder("C:\\\x95\\"));
  SetLeadByteTest(nullptr);
}

TEST_F(CommandsTest, RemoveAsksInBothFormsAndNoLeavesEverything) {
  list.Add("Notes", "n", true);
  list.Add("Other", "o");
  boxes.confirmAnswers = {false};
  EXPECT_FALSE(commands.Remove(&work));
  EXPECT_EQ(std::vector<std::string>{"Confirm: Do you want to delete 'Notes' ?"}, boxes.shown);
  EXPECT_EQ(2u, list.items.size());
  EXPECT_TRUE(files.writes.empty());
  for (auto& item : list.items) item.selected = true;
  list.Add("Third", "t", true);
  list.Add("Fourth", "f", true);
  EXPECT_EQ("Do you want to delete the 4 items ?", RemoveQuestion(list));
}

TEST_F(CommandsTest, RemoveFilesSelectedItemsAtTheTopOfTheTrash) {
  files.files["S"] = "<[Work]>\r\nA\r\na\r\nB\r\nb\r\nC\r\nc\r\n<[Trash]>\r\nOld\r\nold\r\n";
  store.Load();
  list.Add("A", "a", true);
  list.Add("B", "b");
  list.Add("C", "c", true);
  EXPECT_TRUE(commands.Remove(&work));
  EXPECT_EQ(std::vector<std::string>{"B"}, list.Titles());
  EXPECT_EQ("<[Work]>\r\nB\r\nb\r\n<[Trash]>\r\nA\r\na\r\nC\r\nc\r\nOld\r\nold\r\n", files.files["S"]);
}

TEST_F(CommandsTest, RemoveInTrashDeletesForGood) {
  files.files["S"] = "<[Trash]>\r\nA\r\na\r\nB\r\nb\r\n";
  store.Load();
  list.Add("A", "a", true);
  list.Add("B", "b");
  EXPECT_TRUE(commands.Remove(&trash));
  EXPECT_EQ("<[Trash]>\r\nB\r\nb\r\n", files.files["S"]);
}

TEST_F(CommandsTest, ClearFilesEveryItemInTheTrashOrDiscardsThemInTrash) {
  files.files["S"] = "<[Trash]>\r\nOld\r\nold\r\n";
  store.Load();
  list.Add("A", "a");
  list.Add("B", "b", true);
  EXPECT_TRUE(commands.Clear(&work));
  EXPECT_EQ(std::vector<std::string>{"Confirm: Do you want to clear all shortcuts of Work ?"}, boxes.shown);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ("<[Trash]>\r\nA\r\na\r\nB\r\nb\r\nOld\r\nold\r\n<[Work]>\r\n", files.files["S"]);

  list.Add("X", "x");
  EXPECT_TRUE(commands.Clear(&trash));
  EXPECT_EQ("<[Trash]>\r\n<[Work]>\r\n", files.files["S"]);
}

TEST_F(CommandsTest, DroppedFilesBecomeShortcutsOnceEach) {
  dirs.AddFolder("D:\\Music");
  list.Add("Old", "C:\\Tools\\app.exe");
  commands.AddDroppedFiles({"C:\\Tools\\app.exe", "D:\\Music", "C:\\x\\notes.txt", "D:\\Music"}, &work);
  EXPECT_EQ((std::vector<std::string>{"Old", "Music", "notes"}), list.Titles());
  EXPECT_EQ("<[Work]>\r\nOld\r\nC:\\Tools\\app.exe\r\nMusic\r\nD:\\Music\r\nnotes\r\nC:\\x\\notes.txt\r\n",
            files.files["S"]);
}

TEST(EditorCheck, TrimsAndChecksTargetBeforeTitle) {
  EditorFields fields{"   ", ""};
  EditorCheck check = CheckEditorFields(fields);
  EXPECT_EQ(EditorCheck::Field::Target, check.failed);
  EXPECT_EQ("Target box is empty", check.message);
  EXPECT_EQ("", fields.target);

  fields = {"\t C:\\a.exe \r", "  \x01 "};
  check = CheckEditorFields(fields);
  EXPECT_EQ("Title box is empty", check.message);
  EXPECT_EQ("C:\\a.exe", fields.target);
  EXPECT_EQ("", fields.title);

  fields = {"win+r", "  Run box  "};
  EXPECT_TRUE(CheckEditorFields(fields).ok());
  EXPECT_EQ("Run box", fields.title);
  // Characters above 127 are text, not blanks.
  fields = {"C:\\caf\xE9", "\xE9t\xE9"};
  EXPECT_TRUE(CheckEditorFields(fields).ok());
  EXPECT_EQ("\xE9t\xE9", fields.title);
}

TEST(EditorCheck, RefusesWhatTheStoreCannotCarry) {
  const std::pair<EditorFields, EditorCheck::Field> cases[] = {
      {{"C:\\a\r\nb", "t"}, EditorCheck::Field::Target},
      {{"C:\\<[x", "t"}, EditorCheck::Field::Target},
      {{"C:\\a", "x]>"}, EditorCheck::Field::Title},
      {{"C:\\a", "two\nlines"}, EditorCheck::Field::Title},
  };
  for (auto [fields, field] : cases) {
    const EditorCheck check = CheckEditorFields(fields);
    EXPECT_EQ(field, check.failed) << fields.target << "/" << fields.title;
    EXPECT_NE(std::string::npos, check.message.find("cannot contain"));
  }
  EditorFields ordinary{"C:\\[x]\\<y>.exe", "a [b] <c>"};
  EXPECT_TRUE(CheckEditorFields(ordinary).ok());
}

TEST(EditorApply, EditChangesTheFirstSelectedInPlaceAddAppends) {
  FakeShortcutList list;
  list.Add("A", "a");
  list.Add("B", "b", true);
  list.Add("C", "c", true);
  ApplyEditorFields(list, true, {"new", "N"});
  EXPECT_EQ((std::vector<std::string>{"A", "N", "C"}), list.Titles());
  EXPECT_EQ("new", list.Target(1));
  ApplyEditorFields(list, false, {"z", "Z"});
  EXPECT_EQ((std::vector<std::string>{"A", "N", "C", "Z"}), list.Titles());
}

TEST(ShortcutNames, DisplayTargetOfLinks) {
  FakeLinkReader links;
  links.links["C:\\a.LNK"] = {"C:\\Tools\\app.exe", "-x"};
  links.links["C:\\b.lnk"] = {"C:\\b.exe", ""};
  links.links["C:\\shell.lnk"] = {"", "-x"};
  EXPECT_EQ("C:\\Tools\\app.exe -x", DisplayTarget("C:\\a.LNK", links));
  EXPECT_EQ("C:\\b.exe", DisplayTarget("C:\\b.lnk", links));
  EXPECT_EQ("C:\\shell.lnk", DisplayTarget("C:\\shell.lnk", links));
  EXPECT_EQ("C:\\broken.lnk", DisplayTarget("C:\\broken.lnk", links));
  EXPECT_EQ("C:\\doc.txt", DisplayTarget("C:\\doc.txt", links));
  // Only link files are read.
  EXPECT_EQ(4u, links.resolved.size());
}

}  // namespace
}  // namespace tessaly
