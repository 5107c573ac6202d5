// The launch history: its file, its bound, and what happens when the file is bad.

#include "shortcuts/LaunchHistory.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

struct TimeCase {
  UnixSeconds time;
  const char* text;
};

class LaunchTime : public ::testing::TestWithParam<TimeCase> {};

TEST_P(LaunchTime, IsWrittenAsUtcDateAndTimeAndReadBack) {
  const Launch launch{GetParam().time, "c:\\a.exe", "a"};
  const std::string line = LaunchLine(launch);
  EXPECT_EQ(std::string(GetParam().text) + "\tc:\\a.exe\ta", line);
  EXPECT_EQ(launch, ParseLaunchLine(line));
}

INSTANTIATE_TEST_SUITE_P(Times, LaunchTime,
                         ::testing::Values(TimeCase{0, "1970-01-01 00:00:00"},
                                           TimeCase{1714571110, "2024-05-01 13:45:10"},
                                           TimeCase{1709251199, "2024-02-29 23:59:59"},
                                           TimeCase{-1, "1969-12-31 23:59:59"},
                                           TimeCase{4107542400, "2100-03-01 00:00:00"}));

TEST(LaunchLines, ThatAreNotLaunchesAreDroppedAndTheRestReadAsWritten) {
  for (const char* bad :
       {"", "garbage", "2024-05-01 13:45:10", "2024-05-01 13:45:10\tc:\\a.exe",
        "2024-05-01 13:45:10\t\tnote", "2023-02-29 10:00:00\tc:\\a.exe\t", "2024-13-01 10:00:00\tc:\\a.exe\t",
        "2024-05-01 24:00:00\tc:\\a.exe\t", "2024-05-01T13:45:10\tc:\\a.exe\t",
        "+024-05-01 13:45:10\tc:\\a.exe\t", "2024-05-01 13:45:1\tc:\\a.exe\t"}) {
    EXPECT_EQ(std::nullopt, ParseLaunchLine(bad)) << bad;
  }
  // Lowered and trimmed as written; a tab after the second belongs to the text.
  EXPECT_EQ((Launch{1714571110, "c:\\win\\notepad.exe", "a\tb"}),
            ParseLaunchLine("2024-05-01 13:45:10\tC:\\Win\\Notepad.exe\t A\tB "));
}

TEST(LaunchLines, LearningIsOffOnlyForZero) {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  Settings settings(files, boxes, "C:\\Data\\Settings.sts");
  EXPECT_TRUE(LearningOn(settings));
  for (const auto& [value, on] : {std::pair{"0", false}, {"1", true}, {"", true}, {"no", true}}) {
    ASSERT_TRUE(settings.WriteSetting(setting_key::Learn, value));
    EXPECT_EQ(on, LearningOn(settings)) << value;
  }
}

struct LaunchHistoryTest : ::testing::Test {
  static constexpr UnixSeconds kStart = 1714571110;  // 2024-05-01 13:45:10
  static inline const std::string kPath = "C:\\Data\\History.sts";

  LaunchHistory Fresh() { return LaunchHistory(files, kPath, [this] { return now; }); }
  LineList FileLines() { return SplitLines(files.files.at(kPath)); }

  FakeFileStore files;
  UnixSeconds now = kStart;
  LaunchHistory history = Fresh();
};

TEST_F(LaunchHistoryTest, RecordsEachLaunchInTheFileAndReadsItBack) {
  history.Load();
  EXPECT_TRUE(history.launches().empty());
  // Recovery of a cut-short write comes before the read.
  EXPECT_EQ(std::vector<std::string>{kPath}, files.recovered);
  EXPECT_TRUE(history.Record("C:\\Windows\\Notepad.exe", "  Note "));
  now += 61;
  EXPECT_TRUE(history.Record("C:\\Tools\\x.exe", ""));
  EXPECT_EQ(
      "2024-05-01 13:45:10\tc:\\windows\\notepad.exe\tnote\r\n"
      "2024-05-01 13:46:11\tc:\\tools\\x.exe\t\r\n",
      files.files.at(kPath));

  LaunchHistory again = Fresh();
  again.Load();
  EXPECT_EQ(history.launches(), again.launches());
}

TEST_F(LaunchHistoryTest, KeepsTheLastThousandLaunches) {
  LineList lines;
  for (std::size_t i = 0; i < LaunchHistory::kMaxLaunches - 2; ++i) {
    lines.push_back(LaunchLine({++now, "c:\\" + std::to_string(i) + ".exe", ""}));
  }
  files.files[kPath] = JoinLines(lines);
  history.Load();
  for (std::size_t i = lines.size(); i < LaunchHistory::kMaxLaunches + 5; ++i) {
    ++now;
    ASSERT_TRUE(history.Record("C:\\" + std::to_string(i) + ".exe", ""));
  }
  ASSERT_EQ(LaunchHistory::kMaxLaunches, history.launches().size());
  EXPECT_EQ("c:\\5.exe", history.launches().front().target);
  lines = FileLines();
  ASSERT_EQ(LaunchHistory::kMaxLaunches, lines.size());
  EXPECT_EQ(LaunchLine(history.launches().front()), lines.front());

  // A longer file, written by hand, is read down to the same bound, the oldest first.
  LineList longer;
  for (int i = 0; i < 1200; ++i) longer.push_back(LaunchLine({kStart + i, "c:\\x.exe", ""}));
  files.files[kPath] = JoinLines(longer);
  history.Load();
  ASSERT_EQ(LaunchHistory::kMaxLaunches, history.launches().size());
  EXPECT_EQ(kStart + 200, history.launches().front().time);
}

TEST_F(LaunchHistoryTest, AMissingOrCorruptFileIsAnEmptyHistoryAndAHalfCorruptOneKeepsWhatReads) {
  history.Load();  // missing
  EXPECT_TRUE(history.launches().empty());

  files.files[kPath] = std::string("\x00\xff\x13garbage\r\n\n\r", 13) + std::string(100000, 'x');
  history.Load();
  EXPECT_TRUE(history.launches().empty());
  // The next launch writes a whole file again.
  ASSERT_TRUE(history.Record("C:\\a.exe", "a"));
  EXPECT_EQ(1u, FileLines().size());

  files.files[kPath] =
      "2024-05-01 13:45:10\tc:\\a.exe\ta\r\nnonsense\r\n2024-05-01 99:45:10\tc:\\b.exe\tb\n"
      "2024-05-02 08:00:00\tc:\\c.exe\tc\r";
  history.Load();
  ASSERT_EQ(2u, history.launches().size());
  EXPECT_EQ("c:\\a.exe", history.launches()[0].target);
  EXPECT_EQ("c:\\c.exe", history.launches()[1].target);
}

TEST_F(LaunchHistoryTest, AnUnreadableFileIsNeverWrittenOverButForgetStillEmptiesIt) {
  files.files[kPath] = LaunchLine({kStart, "c:\\a.exe", ""}) + "\r\n";
  files.unreadable[kPath] = {"The process cannot access the file", -1};
  history.Load();
  EXPECT_TRUE(history.launches().empty());
  EXPECT_FALSE(history.Record("C:\\b.exe", "b"));
  EXPECT_EQ(1u, history.launches().size());  // learnt for this session
  EXPECT_TRUE(files.writes.empty());

  files.unreadable.clear();
  EXPECT_TRUE(history.Forget());
  EXPECT_TRUE(history.launches().empty());
  EXPECT_EQ("", files.files.at(kPath));
}

TEST_F(LaunchHistoryTest, AFailedWriteKeepsTheOldFileAndTheLaunchForTheNextWrite) {
  ASSERT_TRUE(history.Record("C:\\a.exe", ""));
  const std::string before = files.files.at(kPath);
  files.failingPaths.insert(kPath);
  EXPECT_FALSE(history.Record("C:\\b.exe", ""));
  EXPECT_EQ(before, files.files.at(kPath));
  files.failingPaths.clear();
  ASSERT_TRUE(history.Record("C:\\c.exe", ""));
  EXPECT_EQ(3u, FileLines().size());
}

TEST_F(LaunchHistoryTest, WithLearningOffNothingIsRecordedAndTheFileIsLeftAlone) {
  ASSERT_TRUE(history.Record("C:\\a.exe", "a"));
  const std::size_t writes = files.writes.size();
  history.SetLearning(false);
  history.Record("C:\\b.exe", "b");
  EXPECT_EQ(1u, history.launches().size());
  EXPECT_EQ(writes, files.writes.size());

  // Forget is asked for: it empties the file even with learning off.
  EXPECT_TRUE(history.Forget());
  EXPECT_EQ("", files.files.at(kPath));
  LaunchHistory again = Fresh();
  again.Load();
  EXPECT_TRUE(again.launches().empty());
}

TEST_F(LaunchHistoryTest, WhatCouldNotBeReadBackFromItsLineIsNotWritten) {
  EXPECT_FALSE(history.Record("C:\\a\tb.exe", ""));
  EXPECT_FALSE(history.Record("", "x"));
  ASSERT_TRUE(history.Record("C:\\a.exe", "one\r\ntwo"));
  history.Load();
  ASSERT_EQ(1u, history.launches().size());
  EXPECT_EQ("one  two", history.launches()[0].text);
}

}  // namespace
}  // namespace tessaly
