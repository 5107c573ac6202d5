#pragma once
// What the user opened, when, and after typing what: type to find learns from it.
//
// History.sts in the data directory holds one launch a line, oldest first, each line
// three fields separated by a tab:
//   2024-05-01 13:45:10<TAB>c:\windows\notepad.exe<TAB>note
// the time (UTC), the lower-cased target, and the lower-cased text that stood in the
// search field when the launch came from its results (empty otherwise; it may itself
// hold tabs, being last). Lines that do not read as such are dropped, the rest kept.
// The file is a convenience: a missing or unreadable one is an empty history, and a
// failed write is not reported.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/LineList.h"
#include "store/FileStore.h"
#include "store/Settings.h"

namespace tessaly {

// The file's name in the data directory.
inline constexpr const char* kHistoryFileName = "History.sts";

// Seconds since 1970-01-01 00:00 UTC.
using UnixSeconds = std::int64_t;
using WallClock = std::function<UnixSeconds()>;
UnixSeconds SystemWallClock();

struct Launch {
  UnixSeconds time = 0;
  std::string target;  // lower-cased, as the search tells shortcuts apart
  std::string text;    // the search text, as SearchKey gives it; empty when not searched
  friend bool operator==(const Launch&, const Launch&) = default;
};

// The search text as it is compared: control codes and blanks trimmed, A to Z lowered.
std::string SearchKey(std::string_view text);

// A launch line of History.sts and back; nullopt for a line that is not one.
std::string LaunchLine(const Launch& launch);
std::optional<Launch> ParseLaunchLine(std::string_view line);

// "Learn" "0" turns learning off; anything else, or nothing, leaves it on.
bool LearningOn(const Settings& settings);

class LaunchHistory {
 public:
  static constexpr std::size_t kMaxLaunches = 1000;
  // How long until a launch counts half.
  static constexpr UnixSeconds kHalfLife = 30 * 24 * 60 * 60;

  LaunchHistory(FileStore& files, std::string path, WallClock clock = SystemWallClock)
      : files_(files), path_(std::move(path)), clock_(std::move(clock)) {}

  // Reads the file; never fails. A file that exists but cannot be read is not
  // written over afterwards (except by Forget): the launches it holds are kept.
  void Load();

  // With learning off nothing is recorded or written, and the search ranks without
  // the history, as if it were empty.
  void SetLearning(bool on) { learning_ = on; }
  bool learning() const { return learning_; }

  // Appends a launch of target now, after typing text in the search field (empty when
  // it was started otherwise), drops the oldest beyond kMaxLaunches and writes the
  // file. False when the write failed or was held back; the launch is kept in memory.
  bool Record(std::string_view target, std::string_view text);

  // Empties the history and writes the empty file, whether learning is on or off.
  bool Forget();

  // Oldest first.
  const std::vector<Launch>& launches() const { return launches_; }
  UnixSeconds Now() const { return clock_(); }
  const std::string& Path() const { return path_; }

 private:
  bool Save();

  FileStore& files_;
  std::string path_;
  WallClock clock_;
  std::vector<Launch> launches_;
  LineList lines_;  // the launches' lines, kept so that a launch writes without formatting all
  bool learning_ = true;
  bool readFailed_ = false;
};

}  // namespace tessaly
