// The version check before every write, the patience with a file that another program
// is in the middle of writing, the backup folder and the names of sync conflict copies.

#include "store/DataFile.h"

#include <gtest/gtest.h>

#include "store/Backups.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeClock;
using testing::FakeFileStore;

const std::string kPath = "C:\\Data\\Shortcuts.sts";
const std::string kBackups = "C:\\Data\\Backup\\";

class DataFileTest : public ::testing::Test {
 protected:
  LineList Loaded(const std::string& bytes) {
    files.files[kPath] = bytes;
    LineList lines;
    EXPECT_EQ(ReadStatus::Read, file.Load(lines).status);
    return lines;
  }

  FakeFileStore files;
  FakeClock clock;
  DataFile file{files, clock, kPath};
};

TEST_F(DataFileTest, OnlyAnotherWritersNewLinesCountAsAChange) {
  const LineList known = Loaded("<[Work]>\r\nA\r\nB\r\n");
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait).state);

  // Written again with the same lines, other line ends, or only touched: no change
  // to whoever still has the lines of the version known.
  files.WriteBehind(kPath, "<[Work]>\nA\nB\n");
  EXPECT_EQ(DiskState::Changed, file.Check(Patience::Wait).state);
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait, &known).state);
  files.WriteBehind(kPath, "<[Work]>\nA\nB\n");
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait, &known).state);
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait).state);  // the stamp is known now

  files.WriteBehind(kPath, "<[Work]>\r\nA\r\nC\r\n");
  const DiskCheck check = file.Check(Patience::Wait, &known);
  ASSERT_EQ(DiskState::Changed, check.state);
  EXPECT_EQ((LineList{"<[Work]>", "A", "C"}), check.lines);
  // Until it is adopted the old version is what the file is measured against.
  EXPECT_EQ(DiskState::Changed, file.Check(Patience::Wait).state);
  file.Adopt(check);
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait).state);
  EXPECT_TRUE(clock.pauses.empty());
}

TEST_F(DataFileTest, OwnWriteIsTheVersionKnownAndAMissingFileStaysUnchanged) {
  LineList lines;
  ASSERT_EQ(ReadStatus::Missing, file.Load(lines).status);
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait).state);
  ASSERT_TRUE(file.Write({"<[Work]>"}));
  EXPECT_EQ(DiskState::Unchanged, file.Check(Patience::Wait).state);
  // A file made by the first write had nothing to keep: no backup within the hour.
  ASSERT_TRUE(file.Write({"<[Work]>", "<[Trash]>"}));
  EXPECT_TRUE(files.FilesIn(kBackups).empty());
  files.WriteBehind(kPath, "<[Work]>\r\n<[Games]>\r\n");
  EXPECT_EQ(DiskState::Changed, file.Check(Patience::Wait).state);
}

// A sync tool or an editor that writes in place shows, for a moment, an empty file, a
// file without its end, or no file at all.
TEST_F(DataFileTest, AFileInTheMiddleOfBeingWrittenIsReadAgainUntilItIsWhole) {
  const struct {
    const char* what;
    std::vector<std::optional<std::string>> middle;
  } cases[] = {
      {"empty", {std::string()}},
      {"cut short, twice", {std::string("<[Work]>\r\nA\r\nB"), std::string("<[Work]>\r\nA\r\nB\r\nC")}},
      {"cut at a line end while the writer is still at it", {std::string("<[Work]>\r\nA\r\n")}},
      {"missing, then empty", {std::nullopt, std::string()}},
  };
  for (const auto& c : cases) {
    Loaded("<[Work]>\r\nA\r\n");
    files.WriteBehind(kPath, "<[Work]>\r\nA\r\nB\r\nC\r\n");
    files.readsInTheMiddle[kPath] = c.middle;
    clock.pauses.clear();
    const DiskCheck check = file.Check(Patience::Wait);
    EXPECT_EQ(DiskState::Changed, check.state) << c.what;
    EXPECT_EQ((LineList{"<[Work]>", "A", "B", "C"}), check.lines) << c.what;
    EXPECT_EQ(c.middle.size(), clock.pauses.size()) << c.what;
  }
}

TEST_F(DataFileTest, AFileThatStaysEmptyOrMissingIsNeverTakenForTheData) {
  for (const std::optional<std::string>& left : {std::optional<std::string>(""), std::optional<std::string>()}) {
    Loaded("<[Work]>\r\nA\r\n");
    files.WriteBehind(kPath, left);
    clock.pauses.clear();
    EXPECT_EQ(DiskState::Gone, file.Check(Patience::Wait).state);
    // About a second of patience, then no more.
    int waited = 0;
    for (const int pause : clock.pauses) waited += pause;
    EXPECT_GE(waited, 800);
    EXPECT_LE(waited, 1500);
    // An idle look does not wait again for the same state; a write does.
    clock.pauses.clear();
    EXPECT_EQ(DiskState::Unsettled, file.Check(Patience::Glance).state);
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(DiskState::Gone, file.Check(Patience::Wait).state);
  }
}

TEST_F(DataFileTest, AFileCutShortForGoodIsAHandEditWithoutALastLineEnd) {
  Loaded("<[Work]>\r\nA\r\n");
  files.WriteBehind(kPath, "<[Work]>\r\nA\r\nB");
  const DiskCheck check = file.Check(Patience::Wait);
  EXPECT_EQ(DiskState::Changed, check.state);
  EXPECT_EQ((LineList{"<[Work]>", "A", "B"}), check.lines);
  EXPECT_FALSE(clock.pauses.empty());

  // Read that way, the file did not end with a line end: the next one without is not
  // waited for.
  file.Adopt(check);
  clock.pauses.clear();
  files.WriteBehind(kPath, "<[Work]>\r\nA\r\nC");
  EXPECT_EQ(DiskState::Changed, file.Check(Patience::Wait).state);
  EXPECT_TRUE(clock.pauses.empty());
}

TEST_F(DataFileTest, AFileThatCannotBeReadIsUnsettledWithTheReason) {
  Loaded("<[Work]>\r\n");
  files.WriteBehind(kPath, "<[Work]>\r\n<[Trash]>\r\n");
  files.unreadable[kPath] = {"The process cannot access the file", -1};
  const DiskCheck check = file.Check(Patience::Wait);
  EXPECT_EQ(DiskState::Unsettled, check.state);
  EXPECT_EQ("The process cannot access the file", check.error);
  // Idle looks leave it be until it changes again; a write looks again.
  files.unreadable.clear();
  EXPECT_EQ(DiskState::Unsettled, file.Check(Patience::Glance).state);
  EXPECT_EQ(DiskState::Changed, file.Check(Patience::Wait).state);
}

TEST_F(DataFileTest, TheFirstWriteOfARunAndThenOneAnHourKeepTheFileAsItWas) {
  Loaded("first\r\n");
  ASSERT_TRUE(file.Write({"second"}));
  ASSERT_TRUE(file.Write({"third"}));
  EXPECT_EQ((std::map<std::string, std::string>{{"Shortcuts 2026-12-09 11-30-00.sts", "first\r\n"}}),
            files.FilesIn(kBackups));

  clock.milliseconds = kBackupSpacingMs - 1;
  ASSERT_TRUE(file.Write({"fourth"}));
  EXPECT_EQ(1u, files.FilesIn(kBackups).size());
  clock.milliseconds = kBackupSpacingMs;
  ASSERT_TRUE(file.Write({"fifth"}));
  EXPECT_EQ("fourth\r\n", files.FilesIn(kBackups)["Shortcuts 2026-12-09 12-30-00.sts"]);
}

TEST_F(DataFileTest, BackupsRotateAndTwoInOneSecondBothStay) {
  Loaded("v0\r\n");
  files.files[kBackups + "Shortcuts notes.sts"] = "the user's";
  files.files[kBackups + "Settings 2026-01-01 00-00-00.sts"] = "another file's";
  for (int i = 1; i <= 12; ++i) {
    clock.milliseconds = i * kBackupSpacingMs;
    ASSERT_TRUE(file.Write({"v" + std::to_string(i)}));
  }
  // The other version of a conflict, in the same second as the last backup.
  const DataFile::Kept kept = file.KeepAside({"theirs"});
  ASSERT_TRUE(kept.path);
  EXPECT_EQ(kBackups + "Shortcuts 2026-12-09 23-30-00 (2).sts", *kept.path);

  auto backups = files.FilesIn(kBackups);
  EXPECT_EQ("the user's", backups["Shortcuts notes.sts"]);
  EXPECT_EQ("another file's", backups["Settings 2026-01-01 00-00-00.sts"]);
  EXPECT_EQ(kKeptBackups + 2, backups.size());
  EXPECT_EQ("theirs\r\n", backups["Shortcuts 2026-12-09 23-30-00 (2).sts"]);
  EXPECT_EQ("v11\r\n", backups["Shortcuts 2026-12-09 23-30-00.sts"]);
  // Thirteen were made, an hour apart from 12:30; the three oldest went.
  EXPECT_EQ(0u, backups.count("Shortcuts 2026-12-09 14-30-00.sts"));
  EXPECT_EQ("v3\r\n", backups["Shortcuts 2026-12-09 15-30-00.sts"]);
}

TEST_F(DataFileTest, ABackupThatCannotBeMadeDoesNotStopTheWrite) {
  Loaded("old\r\n");
  files.failingPaths.insert(kBackups);
  ASSERT_TRUE(file.Write({"new"}));
  EXPECT_EQ("new\r\n", files.files[kPath]);
  EXPECT_FALSE(file.KeepAside({"theirs"}).path);
  // Tried again with the next write.
  files.failingPaths.clear();
  ASSERT_TRUE(file.Write({"newer"}));
  EXPECT_EQ(1u, files.FilesIn(kBackups).size());
}

TEST(BackupNames, OnlyTheFilesOwnBackupsAreEverRemoved) {
  std::vector<std::string> names = {"Shortcuts 2026-12-09 11-30-00.sts", "shortcuts 2026-12-09 11-30-01.STS",
                                    "Shortcuts 2026-12-09 11-30-01 (2).sts", "Shortcuts 2026-12-09 11-30-02.sts",
                                    "Shortcuts 2026-12-09 11-30.sts",         "Shortcuts 2026-12-09 11-30-00 (1).sts",
                                    "Shortcuts 2026-12-09 11-30-00 (x).sts",  "Shortcuts 2026-12-09 11-30-00.txt",
                                    "Categories 2026-12-09 11-30-00.sts",      "Shortcuts.sts"};
  EXPECT_EQ((std::vector<std::string>{"shortcuts 2026-12-09 11-30-01.STS", "Shortcuts 2026-12-09 11-30-00.sts"}),
            BackupsToRemove("Shortcuts.sts", names, 2));
  EXPECT_TRUE(BackupsToRemove("Shortcuts.sts", names, 10).empty());
  EXPECT_EQ("Settings 2027-01-02 03-04-05 (3).sts", BackupName("Settings.sts", {2027, 1, 2, 3, 4, 5}, 3));
  EXPECT_EQ("C:\\Data\\Backup\\", BackupFolderOf("C:\\Data\\Settings.sts"));
}

TEST(BackupNames, WhatAKillLeftOfACopyIsRecoveredBeforeTheNextBackup) {
  EXPECT_EQ((std::vector<std::string>{"Shortcuts 2026-12-09 11-30-00.sts", "Shortcuts 2026-12-09 12-30-00 (2).sts"}),
            InterruptedBackups("Shortcuts.sts", {"Shortcuts 2026-12-09 11-30-00.sts.~0badf00d",
                                                 "Shortcuts 2026-12-09 11-30-00.sts.~1a2b3c4d.bak",
                                                 "Shortcuts 2026-12-09 12-30-00 (2).sts.~00000001",
                                                 "Shortcuts 2026-12-09 13-30-00.sts",
                                                 "Settings 2026-12-09 11-30-00.sts.~0badf00d",
                                                 "Shortcuts notes.sts.~0badf00d"}));
  FakeFileStore files;
  FakeClock clock;
  DataFile file(files, clock, kPath);
  files.files[kPath] = "old\r\n";
  files.files[kBackups + "Shortcuts 2026-12-09 10-30-00.sts.~0badf00d"] = "ol";
  ASSERT_TRUE(file.Write({"new"}));
  EXPECT_EQ(std::vector<std::string>{kBackups + "Shortcuts 2026-12-09 10-30-00.sts"}, files.recovered);
}

TEST(SyncConflictCopies, TheCopiesSyncToolsMakeAreNamedAndNothingElse) {
  const std::vector<std::string> names = {
      "Shortcuts.sts",
      "Categories.sts",
      "Settings.sts",
      "Shortcuts_backup.sts",
      "Shortcuts (Anna's conflicted copy 2026-12-09).sts",
      "Categories (conflicted copy 2026-12-09 113000).sts",
      "SETTINGS (Case Conflict).sts",
      "Shortcuts-LAPTOP.sts",
      "Settings-DESKTOP-7Q2.sts",
      "Categories.sync-conflict-20261209-113000-ABCDEFG.sts",
      "Shortcuts (2).sts",
      "Shortcuts-.sts",
      "Shortcuts-LAPTOP.txt",
      "Notes (conflicted copy).sts",
      "Shortcuts.sts.~0badf00d",
  };
  EXPECT_EQ((std::vector<std::string>{"Shortcuts (Anna's conflicted copy 2026-12-09).sts",
                                      "Categories (conflicted copy 2026-12-09 113000).sts",
                                      "SETTINGS (Case Conflict).sts", "Shortcuts-LAPTOP.sts",
                                      "Settings-DESKTOP-7Q2.sts",
                                      "Categories.sync-conflict-20261209-113000-ABCDEFG.sts"}),
            SyncConflictCopies(names));
}

}  // namespace
}  // namespace tessaly
