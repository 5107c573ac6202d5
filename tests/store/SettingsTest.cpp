#include <gtest/gtest.h>

#include "store/Settings.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

const std::string kPath = "C:\\Data\\Settings.sts";

class SettingsTest : public ::testing::Test {
 protected:
  void StartWith(const LineList& lines) {
    files.files[kPath] = JoinLines(lines);
    settings.Load();
  }
  LineList OnDisk() const { return SplitLines(files.files.at(kPath)); }

  FakeFileStore files;
  RecordingMessageBoxes boxes;
  testing::FakeClock clock;
  Settings settings{files, boxes, kPath, clock};
};

TEST_F(SettingsTest, NoFileReadsEmptyAndTheFirstWriteCreatesIt) {
  settings.Load();
  EXPECT_EQ(settings.ReadSetting("View"), "");
  EXPECT_TRUE(files.writes.empty());
  ASSERT_TRUE(settings.WriteSetting("View", "List"));
  EXPECT_EQ(files.files.at(kPath), "[View]\r\nList\r\n");
  ASSERT_TRUE(settings.WriteSetting("View", "Report"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report"}));
  ASSERT_TRUE(settings.WriteSetting("Treeselect", "3"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Treeselect]", "3"}));
}

TEST_F(SettingsTest, ReadTakesTheLineAfterTheFirstLineContainingTheKey) {
  StartWith({"[Other]", "x[View]y", "[View]", "Icon", "[Left]", "[Top]", "7", "[Treeselect]"});
  EXPECT_EQ(settings.ReadSetting("View"), "[View]");
  EXPECT_EQ(settings.ReadSetting("Left"), "[Top]");  // the value line is missing
  EXPECT_EQ(settings.ReadSetting("Top"), "7");
  EXPECT_EQ(settings.ReadSetting("Treeselect"), "");  // key on the last line
  EXPECT_EQ(settings.ReadSetting("view"), "");        // keys are case-sensitive
  EXPECT_EQ(settings.ReadSetting("Width"), "");
}

TEST_F(SettingsTest, WriteKeepsAFollowingKeyLine) {
  StartWith({"[Left]", "[Top]", "7"});
  ASSERT_TRUE(settings.WriteSetting("Left", "10"));
  EXPECT_EQ(OnDisk(), (LineList{"[Left]", "10", "[Top]", "7"}));
}

TEST_F(SettingsTest, AValueThatLooksLikeAKeyLineStaysBehind) {
  settings.Load();
  ASSERT_TRUE(settings.WriteSetting("View", "[odd"));
  EXPECT_EQ(settings.ReadSetting("View"), "[odd");
  ASSERT_TRUE(settings.WriteSetting("View", "List"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "List", "[odd"}));
  EXPECT_EQ(settings.ReadSetting("View"), "List");
}

TEST_F(SettingsTest, EmptyValuesAreStoredAndReplaced) {
  StartWith({"[Maximize]"});
  ASSERT_TRUE(settings.WriteSetting("Maximize", ""));
  EXPECT_EQ(OnDisk(), (LineList{"[Maximize]", ""}));
  ASSERT_TRUE(settings.WriteSetting("Maximize", "1"));
  EXPECT_EQ(OnDisk(), (LineList{"[Maximize]", "1"}));
}

TEST_F(SettingsTest, LfOnlyFileIsReadAndWrittenBackWithCrLf) {
  files.files[kPath] = "[View]\nList\n[Treeselect]\n2";
  settings.Load();
  EXPECT_EQ(settings.ReadSetting("Treeselect"), "2");
  ASSERT_TRUE(settings.WriteSetting("View", "Icon"));
  EXPECT_EQ(files.files.at(kPath), "[View]\r\nIcon\r\n[Treeselect]\r\n2\r\n");
}

TEST_F(SettingsTest, FailedWriteReportsAnErrorAndKeepsTheValue) {
  StartWith({"[View]", "List"});
  files.failingPaths.insert(kPath);
  EXPECT_FALSE(settings.WriteSetting("Treeselect", "4"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].rfind("Error: ", 0), 0u);
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "List"}));
  EXPECT_EQ(settings.ReadSetting("Treeselect"), "4");

  files.failingPaths.clear();
  ASSERT_TRUE(settings.WriteSetting("View", "Report"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Treeselect]", "4"}));
}

// Another program wrote the file after it was read: one setting changes, the others
// stay as they are on disk.
TEST_F(SettingsTest, AWriteChangesOnlyItsOwnSettingOfWhatIsOnDiskNow) {
  StartWith({"[View]", "List", "[Left]", "10"});
  files.WriteBehind(kPath, JoinLines({"[View]", "List", "[Left]", "20", "[Hotkey]", "Win+X"}));
  ASSERT_TRUE(settings.WriteSetting("View", "Report"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Left]", "20", "[Hotkey]", "Win+X"}));
  EXPECT_EQ(settings.ReadSetting("Hotkey"), "Win+X");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(settings.TakeOutsideChange());
}

TEST_F(SettingsTest, TheSameSettingChangedOnBothSidesIsTheUsersAndTheirsIsKept) {
  StartWith({"[View]", "List", "[Treeselect]", "1"});
  const std::string theirs = JoinLines({"[View]", "Icon", "[Treeselect]", "7"});
  files.WriteBehind(kPath, theirs);
  ASSERT_TRUE(settings.WriteSetting("View", "Report"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Treeselect]", "7"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].find("the setting [View]"), std::string::npos);
  const auto backups = files.FilesIn("C:\\Data\\Backup\\");
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups.begin()->second, theirs);
  EXPECT_NE(boxes.shown[0].find(backups.begin()->first), std::string::npos);

  // Where the selection was at close is not worth a message: the last to close wins.
  files.WriteBehind(kPath, JoinLines({"[View]", "Report", "[Treeselect]", "9"}));
  ASSERT_TRUE(settings.WriteSetting("Treeselect", "2"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Treeselect]", "2"}));
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(SettingsTest, AReloadTakesTheirValuesAndKeepsOneNotYetWritten) {
  StartWith({"[View]", "List"});
  files.failingPaths.insert(kPath);
  EXPECT_FALSE(settings.WriteSetting("Treeselect", "4"));
  files.failingPaths.clear();
  files.WriteBehind(kPath, JoinLines({"[View]", "Report"}));
  ASSERT_TRUE(settings.Reload());
  EXPECT_EQ(settings.ReadSetting("View"), "Report");
  EXPECT_EQ(settings.ReadSetting("Treeselect"), "4");
  EXPECT_FALSE(settings.Reload());
  ASSERT_TRUE(settings.WriteSetting("Left", "3"));
  EXPECT_EQ(OnDisk(), (LineList{"[View]", "Report", "[Treeselect]", "4", "[Left]", "3"}));
}

}  // namespace
}  // namespace tessaly
