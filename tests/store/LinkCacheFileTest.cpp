#include <gtest/gtest.h>

#include "store/LinkCacheFile.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

const std::string kPath = "C:\\Data\\Links.sts";

TEST(LinkCacheFileTest, AMissingOrUnreadableFileGivesNoLinesAndAsksNothing) {
  testing::FakeFileStore files;
  LinkCacheFile file(files, kPath);
  EXPECT_TRUE(file.LoadLines().empty());
  files.files[kPath] = "[Links 1]\r\n[End 0 cbf29ce484222325]\r\n";
  files.unreadable[kPath] = {"locked", -1};
  EXPECT_TRUE(file.LoadLines().empty());
  // Whatever a kill left of a replacement is settled before the file is read.
  EXPECT_EQ(files.recovered, (std::vector<std::string>{kPath, kPath}));
}

TEST(LinkCacheFileTest, LinesWrittenAreReadBackWhole) {
  testing::FakeFileStore files;
  LinkCacheFile file(files, kPath);
  const LineList lines{"[Links 1]", "C:\\All\\a.lnk", "1 2 1", "C:\\a.exe", "", "[End 1 x]"};
  file.SaveLines(lines);
  EXPECT_EQ(files.writes, std::vector<std::string>{kPath});
  EXPECT_EQ(file.LoadLines(), lines);
}

TEST(LinkCacheFileTest, AfterAFailedWriteTheRunStopsWriting) {
  testing::FakeFileStore files;
  files.failingPaths.insert(kPath);
  LinkCacheFile file(files, kPath);
  file.SaveLines({"[Links 1]"});
  files.failingPaths.clear();
  file.SaveLines({"[Links 1]"});
  EXPECT_EQ(files.files.count(kPath), 0u);
  EXPECT_EQ(files.writes.size(), 1u);
}

}  // namespace
}  // namespace tessaly
