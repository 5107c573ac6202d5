// Start-up and close decisions over files in memory.

#include "app/Session.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

TEST(DataDirectory, EndsInExactlyOneBackslash) {
  EXPECT_EQ("C:\\", DataDirectoryFrom("C:\\"));
  EXPECT_EQ("C:\\Data\\", DataDirectoryFrom("C:\\Data"));
  EXPECT_EQ("\\\\server\\share\\", DataDirectoryFrom("\\\\server\\share\\"));
}

struct SessionFixture : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  testing::FakeClock clock;
  Session session{files, boxes, "C:\\Data", clock};

  void Write(const std::string& name, const std::string& bytes) { files.files["C:\\Data\\" + name] = bytes; }
  std::string Read(const std::string& name) { return files.files["C:\\Data\\" + name]; }
};

TEST_F(SessionFixture, DataFilesAreLookedUpInTheDataDirectory) {
  Write("Settings.sts", "[View]\r\nReport\r\n");
  Write("Shortcuts.sts", "<[A]>\r\nx\r\ny\r\n");
  Write("Categories.sts", "A ;00\r\n");
  ASSERT_TRUE(session.Open());
  EXPECT_EQ("C:\\Data\\", session.DataDirectory());
  EXPECT_EQ(ViewStyle::Report, session.StoredView());
  EXPECT_EQ(3u, session.shortcuts().Lines().size());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(files.writes.empty());  // nothing is written at start-up
}

TEST_F(SessionFixture, MissingCategoryFileAsksBacksUpAndEnds) {
  Write("Shortcuts.sts", "<[A]>\nx\ry\r\n\xE4");
  Write("Shortcuts_backup.sts", "old backup");
  EXPECT_FALSE(session.Open());
  EXPECT_EQ(std::vector<std::string>{"Confirm: Missing a necessary file, reinstall the program please."},
            boxes.shown);
  EXPECT_EQ(Read("Shortcuts.sts"), Read("Shortcuts_backup.sts"));
  EXPECT_EQ(std::vector<std::string>{"C:\\Data\\Shortcuts_backup.sts"}, files.writes);
}

TEST_F(SessionFixture, MissingCategoryAndShortcutFilesWriteNothing) {
  EXPECT_FALSE(session.Open());
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(SessionFixture, FailedBackupIsReported) {
  Write("Shortcuts.sts", "x\r\n");
  files.failingPaths.insert("C:\\Data\\Shortcuts_backup.sts");
  EXPECT_FALSE(session.Open());
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(0u, boxes.shown[1].find("Error: Could not save the file 'C:\\Data\\Shortcuts_backup.sts'"));
}

Placement PlacementOf(const std::string& settings) {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  files.files["S"] = settings;
  Settings s(files, boxes, "S");
  s.Load();
  return StoredPlacement(s);
}

TEST(StoredPlacement, MaximizeRulesAndUnreadableValuesOpenCentred) {
  EXPECT_EQ(Placement::Kind::Centered, PlacementOf("").kind);
  EXPECT_EQ(Placement::Kind::Centered, PlacementOf("[Maximize]\r\n\r\n[Left]\r\n1\r\n").kind);
  EXPECT_EQ(Placement::Kind::Maximized, PlacementOf("[Maximize]\r\n1\r\n[Left]\r\nzz\r\n").kind);
  const Placement stored = PlacementOf(
      "[Maximize]\r\n0\r\n[Left]\r\n-10\r\n[Top]\r\n20\r\n[Width]\r\n500\r\n[Height]\r\n400\r\n");
  EXPECT_EQ(Placement::Kind::Stored, stored.kind);
  EXPECT_EQ(-10, stored.left);
  EXPECT_EQ(20, stored.top);
  EXPECT_EQ(500, stored.width);
  EXPECT_EQ(400, stored.height);
  // One value missing, unreadable, or a size without area: centred, never a failure.
  EXPECT_EQ(Placement::Kind::Centered,
            PlacementOf("[Maximize]\r\nyes\r\n[Left]\r\n1\r\n[Top]\r\n2\r\n[Width]\r\n3\r\n").kind);
  EXPECT_EQ(Placement::Kind::Centered,
            PlacementOf("[Maximize]\r\n0\r\n[Left]\r\n1.5\r\n[Top]\r\n2\r\n[Width]\r\n3\r\n[Height]\r\n4\r\n").kind);
  EXPECT_EQ(Placement::Kind::Centered,
            PlacementOf("[Maximize]\r\n0\r\n[Left]\r\n1\r\n[Top]\r\n2\r\n[Width]\r\n0\r\n[Height]\r\n4\r\n").kind);
  EXPECT_EQ(Placement::Kind::Centered,
            PlacementOf("[Maximize]\r\n0\r\n[Left]\r\n99999999999\r\n[Top]\r\n2\r\n[Width]\r\n3\r\n[Height]\r\n4\r\n").kind);
}

TEST_F(SessionFixture, InitialSelectionFollowsTreeselect) {
  Write("Categories.sts", "A ;00\r\n    B ;00\r\nC ;00\r\n");
  const std::pair<std::string, std::optional<int>> cases[] = {
      {"", 0}, {"2", 2}, {"3", 0}, {"-1", 0}, {"1", 1}};
  for (const auto& [stored, expected] : cases) {
    FakeFileStore f;
    RecordingMessageBoxes b;
    f.files = files.files;
    if (!stored.empty()) f.files["C:\\Data\\Settings.sts"] = "[Treeselect]\r\n" + stored + "\r\n";
    Session s(f, b, "C:\\Data\\");
    ASSERT_TRUE(s.Open());
    s.LoadTree();
    EXPECT_EQ(expected, s.InitialSelection()) << stored;
    EXPECT_TRUE(b.shown.empty());
  }
}

TEST_F(SessionFixture, TreeselectThatIsNotANumberIsReportedAndSelectsNothing) {
  Write("Categories.sts", "A ;00\r\n");
  Write("Settings.sts", "[Treeselect]\r\n1x\r\n");
  ASSERT_TRUE(session.Open());
  session.LoadTree();
  EXPECT_EQ(std::nullopt, session.InitialSelection());
  EXPECT_EQ(std::vector<std::string>{"Error: '1x' is not a valid integer value."}, boxes.shown);
}

TEST_F(SessionFixture, EmptyTreeSelectsNothingAndClosesCleanly) {
  Write("Categories.sts", "");
  ASSERT_TRUE(session.Open());
  session.LoadTree();
  EXPECT_EQ(std::nullopt, session.InitialSelection());
  EXPECT_TRUE(session.Close(nullptr));
  EXPECT_EQ("[Treeselect]\r\n0\r\n", Read("Settings.sts"));
  EXPECT_EQ("", Read("Categories.sts"));
}

TEST_F(SessionFixture, CloseWritesTreeselectThenTheTree) {
  Write("Categories.sts", "A ;015\r\n    B ;113,C:\\x.exe\r\nC\r\n");
  Write("Settings.sts", "[View]\r\nList\r\n");
  ASSERT_TRUE(session.Open());
  session.LoadTree();
  ASSERT_TRUE(session.Close(session.tree().NodeAt(2)));
  EXPECT_EQ((std::vector<std::string>{"C:\\Data\\Settings.sts", "C:\\Data\\Categories.sts"}),
            files.DataWrites());
  EXPECT_EQ("[View]\r\nList\r\n[Treeselect]\r\n2\r\n", Read("Settings.sts"));
  EXPECT_EQ("A ;015\r\n    B ;113,C:\\x.exe\r\nC ;00\r\n", Read("Categories.sts"));
}

TEST_F(SessionFixture, FailedTreeWriteRetriesOrStaysOpenOrGivesUpAsAsked) {
  Write("Categories.sts", "A ;015\r\n");
  ASSERT_TRUE(session.Open());
  session.LoadTree();
  session.tree().AddTopLevel("New").imageIndex = 15;
  files.failingPaths.insert("C:\\Data\\Categories.sts");

  boxes.saveFailureAnswers = {SaveFailureChoice::Retry, SaveFailureChoice::StayOpen};
  EXPECT_FALSE(session.Close(session.tree().NodeAt(0)));
  EXPECT_EQ(2, std::count_if(boxes.shown.begin(), boxes.shown.end(), [](const std::string& s) {
              return s.find("AskAfterFailedSave: The categories could not be saved") == 0;
            }));
  EXPECT_EQ("A ;015\r\n", Read("Categories.sts"));

  files.failingPaths.clear();
  EXPECT_TRUE(session.Close(session.tree().NodeAt(0)));
  EXPECT_EQ("A ;015\r\nNew ;015\r\n", Read("Categories.sts"));
}

TEST_F(SessionFixture, FailedTreeWriteCanBeGivenUp) {
  Write("Categories.sts", "A ;015\r\n");
  ASSERT_TRUE(session.Open());
  session.LoadTree();
  files.failingPaths.insert("C:\\Data\\Categories.sts");
  boxes.saveFailureAnswers = {SaveFailureChoice::CloseAnyway};
  EXPECT_TRUE(session.Close(nullptr));
  EXPECT_EQ("A ;015\r\n", Read("Categories.sts"));
}

// Mended: a data file that exists but cannot be read was taken for an empty one, and
// the next write replaced it.
TEST_F(SessionFixture, UnreadableFileIsAskedAboutAndCancelEndsWithoutWriting) {
  for (const char* name : {"Settings.sts", "Shortcuts.sts"}) {
    FakeFileStore f;
    RecordingMessageBoxes b;
    f.files["C:\\Data\\Categories.sts"] = "A ;00\r\n";
    f.files[std::string("C:\\Data\\") + name] = "[View]\r\nList\r\n";
    f.unreadable[std::string("C:\\Data\\") + name] = {"Access is denied", -1};
    b.readFailureAnswers = {ReadFailureChoice::Retry, ReadFailureChoice::Cancel};
    Session s(f, b, "C:\\Data");
    EXPECT_FALSE(s.Open()) << name;
    ASSERT_EQ(2u, b.shown.size()) << name;
    EXPECT_EQ("AskAfterFailedRead: Tessaly could not read the file 'C:\\Data\\" + std::string(name) +
                  "': Access is denied.\n\nTry Again: read it again (close the program that holds "
                  "it first).\nCancel: end Tessaly without changing any file.",
              b.shown[0]);
    EXPECT_TRUE(f.writes.empty()) << name;
  }
}

TEST_F(SessionFixture, RetryAfterAFailedReadLoadsTheWholeFile) {
  Write("Categories.sts", "A ;00\r\n");
  Write("Shortcuts.sts", "<[A]>\r\nx\r\ny\r\n");
  files.unreadable["C:\\Data\\Shortcuts.sts"] = {"Sharing violation", 2};
  boxes.readFailureAnswers = {ReadFailureChoice::Retry, ReadFailureChoice::Retry};
  ASSERT_TRUE(session.Open());
  EXPECT_EQ(2u, boxes.shown.size());
  EXPECT_EQ((LineList{"<[A]>", "x", "y"}), session.shortcuts().Lines());
}

TEST_F(SessionFixture, InterruptedWritesAreRecoveredBeforeAnythingIsRead) {
  Write("Categories.sts", "A ;00\r\n");
  files.unreadable["C:\\Data\\Settings.sts"] = {"x", 1};  // a read that went first would show
  boxes.readFailureAnswers = {ReadFailureChoice::Retry};
  ASSERT_TRUE(session.Open());
  EXPECT_EQ((std::vector<std::string>{"C:\\Data\\Settings.sts", "C:\\Data\\Shortcuts.sts",
                                      "C:\\Data\\Categories.sts", "C:\\Data\\Shortcuts_backup.sts",
                                      "C:\\Data\\History.sts"}),
            files.recovered);
}

// Mended: a close before the delayed start wrote an empty tree and "Treeselect" 0.
TEST_F(SessionFixture, CloseBeforeTheTreeIsLoadedWritesNothing) {
  Write("Categories.sts", "A ;00\r\n    B ;00\r\n");
  Write("Settings.sts", "[Treeselect]\r\n1\r\n");
  ASSERT_TRUE(session.Open());
  EXPECT_TRUE(session.Close(nullptr));
  EXPECT_FALSE(session.SaveTree());
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(SessionFixture, UnreadableOrVanishedTreeIsAskedAboutAndNeverWritten) {
  Write("Categories.sts", "A ;00\r\n");
  ASSERT_TRUE(session.Open());
  files.unreadable["C:\\Data\\Categories.sts"] = {"Access is denied", 1};
  boxes.readFailureAnswers = {ReadFailureChoice::Retry};
  ASSERT_TRUE(session.LoadTree());
  EXPECT_EQ(1, session.tree().Count());

  Session second(files, boxes, "C:\\Data");
  ASSERT_TRUE(second.Open());
  files.files.erase("C:\\Data\\Categories.sts");
  EXPECT_FALSE(second.LoadTree());  // no answer queued: Cancel
  EXPECT_NE(std::string::npos, boxes.shown.back().find("cannot find the file"));
  EXPECT_TRUE(second.Close(nullptr));
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(SessionFixture, SaveTreeWritesTheTreeAtOnceAndKeepsItWhenTheWriteFails) {
  Write("Categories.sts", "A ;015\r\n");
  ASSERT_TRUE(session.Open());
  ASSERT_TRUE(session.LoadTree());
  session.tree().AddTopLevel("New").iconText = "06";
  EXPECT_TRUE(session.SaveTree());
  EXPECT_EQ("A ;015\r\nNew ;06\r\n", Read("Categories.sts"));

  files.failingPaths.insert("C:\\Data\\Categories.sts");
  session.tree().AddTopLevel("Later").iconText = "07";
  EXPECT_FALSE(session.SaveTree());
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(0u, boxes.shown[0].find("Error: Could not save the file 'C:\\Data\\Categories.sts': "));
  EXPECT_EQ("A ;015\r\nNew ;06\r\n", Read("Categories.sts"));
  EXPECT_EQ(3, session.tree().Count());

  files.failingPaths.clear();
  EXPECT_TRUE(session.Close(session.tree().NodeAt(2)));
  EXPECT_EQ("A ;015\r\nNew ;06\r\nLater ;07\r\n", Read("Categories.sts"));
}

// Mended: a failed write of Shortcuts.sts was forgotten; after a rename the tree was
// written anyway, and at the next start the category's shortcuts stood under its old
// path.
TEST_F(SessionFixture, ATreeWhosePathsTheShortcutFileDoesNotFollowWaitsForIt) {
  Write("Categories.sts", "Work ;015\r\n    Tools ;015\r\n");
  Write("Shortcuts.sts", "<[Work][Tools]>\r\nT\r\nt\r\n");
  ASSERT_TRUE(session.Open());
  ASSERT_TRUE(session.LoadTree());
  CategoryNode& tools = *session.tree().NodeAt(1);
  files.failingPaths.insert("C:\\Data\\Shortcuts.sts");
  session.shortcuts().RenameCategorySection(tools, "Kit");
  tools.name = "Kit";
  EXPECT_FALSE(session.SaveTree());
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n", Read("Categories.sts"));

  // The next write of the shortcuts brings the tree along.
  files.failingPaths.clear();
  session.shortcuts().SaveCategorySection(*session.tree().NodeAt(0), {});
  EXPECT_EQ("<[Work][Kit]>\r\nT\r\nt\r\n<[Work]>\r\n", Read("Shortcuts.sts"));
  EXPECT_EQ("Work ;015\r\n    Kit ;015\r\n", Read("Categories.sts"));
}

TEST_F(SessionFixture, CloseWritesTheShortcutsThatAFailedWriteKeptOrAsks) {
  Write("Categories.sts", "Work ;015\r\n    Tools ;015\r\n");
  Write("Shortcuts.sts", "<[Work][Tools]>\r\nT\r\nt\r\n");
  ASSERT_TRUE(session.Open());
  ASSERT_TRUE(session.LoadTree());
  CategoryNode& tools = *session.tree().NodeAt(1);
  files.failingPaths.insert("C:\\Data\\Shortcuts.sts");
  session.shortcuts().RenameCategorySection(tools, "Kit");
  tools.name = "Kit";

  boxes.saveFailureAnswers = {SaveFailureChoice::Retry, SaveFailureChoice::StayOpen};
  EXPECT_FALSE(session.Close(&tools));
  EXPECT_EQ(2, std::count_if(boxes.shown.begin(), boxes.shown.end(), [](const std::string& s) {
              return s.find("AskAfterFailedSave: The shortcuts could not be saved") == 0;
            }));
  // Given up, neither the tree nor the selection is written: both files keep the paths
  // they share.
  boxes.saveFailureAnswers = {SaveFailureChoice::CloseAnyway};
  EXPECT_TRUE(session.Close(&tools));
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n", Read("Categories.sts"));
  EXPECT_EQ("<[Work][Tools]>\r\nT\r\nt\r\n", Read("Shortcuts.sts"));

  files.failingPaths.clear();
  EXPECT_TRUE(session.Close(&tools));
  EXPECT_EQ("<[Work][Kit]>\r\nT\r\nt\r\n", Read("Shortcuts.sts"));
  EXPECT_EQ("Work ;015\r\n    Kit ;015\r\n", Read("Categories.sts"));
}

TEST_F(SessionFixture, TwinsFromAnOlderFileAreSeparatedAndBothFilesWritten) {
  Write("Categories.sts", "Work ;015\r\n    Tools ;015\r\n    Tools ;06\r\n");
  Write("Shortcuts.sts", "<[Work][Tools]>\r\nA\r\na\r\n<[Work][Tools]>\r\nB\r\nb\r\n");
  ASSERT_TRUE(session.Open());
  ASSERT_TRUE(session.LoadTree());
  EXPECT_EQ("<[Work][Tools]>\r\nA\r\na\r\n<[Work][Tools (2)]>\r\nB\r\nb\r\n", Read("Shortcuts.sts"));
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n    Tools (2) ;06\r\n", Read("Categories.sts"));
}

// Another program wrote the data files while Tessaly ran.
struct AnotherWriterSession : SessionFixture {
  void SetUp() override {
    Write("Categories.sts", "Work ;015\r\n    Tools ;015\r\nTrash ;020\r\n");
    Write("Shortcuts.sts", "<[Work]>\r\nEditor\r\nC:\\ed.exe\r\n");
    Write("Settings.sts", "[View]\r\nList\r\n");
    ASSERT_TRUE(session.Open());
    ASSERT_TRUE(session.LoadTree());
  }
  void WriteBehind(const std::string& name, const std::string& bytes) {
    files.WriteBehind("C:\\Data\\" + name, bytes);
  }
};

TEST_F(AnotherWriterSession, AReloadSaysWhatChangedAndWritesNothing) {
  EXPECT_FALSE(session.ReloadChangedFiles().any());
  WriteBehind("Settings.sts", "[View]\r\nReport\r\n");
  OutsideChanges changes = session.ReloadChangedFiles();
  EXPECT_TRUE(changes.settings && !changes.shortcuts && !changes.categories);
  EXPECT_EQ(ViewStyle::Report, session.StoredView());

  WriteBehind("Shortcuts.sts", "<[Work]>\r\nEditor\r\nC:\\ed.exe\r\nMore\r\nC:\\more.exe\r\n");
  WriteBehind("Categories.sts", "Work ;015\r\n    Tools ;015\r\n    Hand ;015\r\nTrash ;020\r\n");
  CategoryNode* tools = session.tree().FindPath({"Work", "Tools"});
  changes = session.ReloadChangedFiles();
  EXPECT_TRUE(!changes.settings && changes.shortcuts && changes.categories);
  EXPECT_EQ(4, session.tree().Count());
  EXPECT_EQ(tools, session.tree().FindPath({"Work", "Tools"}));  // what stayed is the same node
  EXPECT_EQ(2u, session.shortcuts().SectionEntries(*session.tree().NodeAt(0))->size());
  EXPECT_FALSE(session.ReloadChangedFiles().any());
  EXPECT_TRUE(files.writes.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

// Mended: a category added by hand while Tessaly ran was lost at the next change of
// the tree in the window.
TEST_F(AnotherWriterSession, ACategoryAddedByHandSurvivesACategoryAddedInTheWindow) {
  WriteBehind("Categories.sts", "Work ;015\r\n    Tools ;015\r\n    Hand ;06\r\nTrash ;020\r\n");
  CategoryNode& work = *session.tree().FindPath({"Work"});
  session.tree().AddChild(work, "Mine").imageIndex = 15;
  ASSERT_TRUE(session.SaveTree());
  EXPECT_EQ("Work ;015\r\n    Tools ;015\r\n    Hand ;06\r\n    Mine ;015\r\nTrash ;020\r\n",
            Read("Categories.sts"));
  // The tree in memory took theirs in; the window is told to show it again.
  EXPECT_NE(nullptr, session.tree().FindPath({"Work", "Hand"}));
  EXPECT_EQ(&work, session.tree().FindPath({"Work"}));
  EXPECT_TRUE(session.ReloadChangedFiles().categories);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AnotherWriterSession, ACategoryBothChangedIsTheUsersWithTheirFileKeptAndOneMessage) {
  const std::string theirs = "Work ;015\r\n    Tools ;06\r\nTrash ;020\r\n";
  WriteBehind("Categories.sts", theirs);
  session.tree().FindPath({"Work", "Tools"})->iconText = "07";
  ASSERT_TRUE(session.SaveTree());
  EXPECT_EQ("Work ;015\r\n    Tools ;07\r\nTrash ;020\r\n", Read("Categories.sts"));
  const std::string kept = "C:\\Data\\Backup\\Categories 2026-12-09 11-30-00.sts";
  EXPECT_EQ(theirs, files.files.at(kept));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Information: Another program changed 'C:\\Data\\Categories.sts' while Tessaly had it open, in a "
            "place you changed too: the category [Work][Tools].\n\nYour change stands. The other version of "
            "the file is kept as '" + kept + "'.",
            boxes.shown[0]);
}

TEST_F(AnotherWriterSession, TheSelectionStoredAtCloseCountsInTheTreeThatIsWritten) {
  WriteBehind("Categories.sts", "Hand ;015\r\nWork ;015\r\n    Tools ;015\r\nTrash ;020\r\n");
  ASSERT_TRUE(session.Close(session.tree().FindPath({"Work", "Tools"})));
  EXPECT_EQ("Hand ;015\r\nWork ;015\r\n    Tools ;015\r\nTrash ;020\r\n", Read("Categories.sts"));
  EXPECT_EQ("[View]\r\nList\r\n[Treeselect]\r\n2\r\n", Read("Settings.sts"));
}

TEST_F(AnotherWriterSession, ANameBothGaveOnePathIsToldApartAsAtStart) {
  // They added Kit with a shortcut; the user renamed Tools to Kit.
  WriteBehind("Categories.sts", "Work ;015\r\n    Tools ;015\r\n    Kit ;06\r\nTrash ;020\r\n");
  WriteBehind("Shortcuts.sts", "<[Work]>\r\nEditor\r\nC:\\ed.exe\r\n<[Work][Kit]>\r\nK\r\nC:\\k.exe\r\n");
  CategoryNode& tools = *session.tree().FindPath({"Work", "Tools"});
  session.shortcuts().RenameCategorySection(tools, "Kit");
  tools.name = "Kit";
  ASSERT_TRUE(session.SaveTree());
  EXPECT_EQ("Work ;015\r\n    Kit ;015\r\n    Kit (2) ;06\r\nTrash ;020\r\n", Read("Categories.sts"));
  EXPECT_NE(std::string::npos, Read("Shortcuts.sts").find("K\r\nC:\\k.exe\r\n"));
  EXPECT_TRUE(session.ReloadChangedFiles().categories);
}

// Two Tessalys on one folder (two computers through a sync tool, or one folder started
// by two paths): each command of either is kept, whichever saves last.
TEST_F(AnotherWriterSession, TwoTessalysOnOneFolderKeepEachOthersChanges) {
  RecordingMessageBoxes otherBoxes;
  Session other(files, otherBoxes, "C:\\Data", clock);
  ASSERT_TRUE(other.Open());
  ASSERT_TRUE(other.LoadTree());

  CategoryNode& games = session.tree().AddTopLevel("Games");
  games.imageIndex = 15;
  ASSERT_TRUE(session.SaveTree());
  session.shortcuts().AppendItemsToSection(games, {{"Chess", "C:\\chess.exe"}});

  // The other has not looked at the files since it started.
  CategoryNode& tools = *other.tree().FindPath({"Work", "Tools"});
  other.shortcuts().RenameCategorySection(tools, "Kit");
  tools.name = "Kit";
  ASSERT_TRUE(other.SaveTree());
  other.shortcuts().AppendItemsToSection(*other.tree().FindPath({"Work"}), {{"Mail", "C:\\mail.exe"}});
  ASSERT_TRUE(other.Close(other.tree().FindPath({"Games"})));

  EXPECT_TRUE(session.ReloadChangedFiles().categories);
  ASSERT_TRUE(session.Close(session.tree().FindPath({"Work", "Kit"})));
  EXPECT_EQ("Work ;015\r\n    Kit ;015\r\nTrash ;020\r\nGames ;015\r\n", Read("Categories.sts"));
  EXPECT_EQ("<[Work]>\r\nEditor\r\nC:\\ed.exe\r\nMail\r\nC:\\mail.exe\r\n<[Games]>\r\nChess\r\nC:\\chess.exe\r\n",
            Read("Shortcuts.sts"));
  EXPECT_EQ("[View]\r\nList\r\n[Treeselect]\r\n1\r\n", Read("Settings.sts"));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(otherBoxes.shown.empty());
}

TEST_F(SessionFixture, CopiesASyncToolMadeAreNamedOnceAtStartAndNeverRead) {
  Write("Categories.sts", "A ;00\r\n");
  Write("Shortcuts.sts", "<[A]>\r\nx\r\ny\r\n");
  Write("Shortcuts (Anna's conflicted copy 2026-12-09).sts", "<[B]>\r\n");
  Write("Categories-LAPTOP.sts", "B ;00\r\n");
  ASSERT_TRUE(session.Open());
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Information: The data folder 'C:\\Data\\' holds copies of Tessaly's files that a sync program "
            "made when the same file was changed in two places:\n\n    Categories-LAPTOP.sts\n    "
            "Shortcuts (Anna's conflicted copy 2026-12-09).sts\n\nTessaly does not read them. To keep what "
            "they hold, close Tessaly, copy it into Shortcuts.sts, Categories.sts or Settings.sts, and "
            "delete the copies.",
            boxes.shown[0]);
  ASSERT_TRUE(session.LoadTree());
  EXPECT_EQ(1, session.tree().Count());
  EXPECT_EQ((LineList{"<[A]>", "x", "y"}), session.shortcuts().Lines());
  session.ReloadChangedFiles();
  EXPECT_EQ(1u, boxes.shown.size());
}

}  // namespace
}  // namespace tessaly
