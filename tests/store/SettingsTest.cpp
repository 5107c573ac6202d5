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
  Settings settings{files, boxes, kPath};
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

}  // namespace
}  // namespace tessaly
