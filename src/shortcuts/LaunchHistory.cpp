#include "shortcuts/LaunchHistory.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "base/LineList.h"
#include "base/Text.h"

namespace tessaly {

namespace {

using namespace std::chrono;

constexpr UnixSeconds kDay = 24 * 60 * 60;

std::string TimeText(UnixSeconds time) {
  const sys_seconds at{seconds{time}};
  const sys_days day = floor<days>(at);
  const auto second = (at - day).count();
  const year_month_day date{day};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(second / 3600), static_cast<int>(second / 60 % 60),
                static_cast<int>(second % 60));
  return text;
}

// Digits only, no sign: ParseDecimal would take "+1" and " 1" as well.
std::optional<int> Digits(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<UnixSeconds> ParseTime(std::string_view text) {
  // "YYYY-MM-DD HH:MM:SS"
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
      text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const auto y = Digits(text.substr(0, 4));
  const auto mo = Digits(text.substr(5, 2));
  const auto d = Digits(text.substr(8, 2));
  const auto h = Digits(text.substr(11, 2));
  const auto mi = Digits(text.substr(14, 2));
  const auto s = Digits(text.substr(17, 2));
  if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)},
                            day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return sys_days{date}.time_since_epoch().count() * kDay + *h * 3600 + *mi * 60 + *s;
}

}  // namespace

UnixSeconds SystemWallClock() {
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::string SearchKey(std::string_view text) {
  std::string key = LowerAscii(TrimCodesUpTo(text, 32));
  // A pasted line break would end the record's line in the file.
  std::replace_if(key.begin(), key.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return key;
}

std::string LaunchLine(const Launch& launch) {
  return TimeText(launch.time) + '\t' + launch.target + '\t' + launch.text;
}

std::optional<Launch> ParseLaunchLine(std::string_view line) {
  const std::size_t first = line.find('\t');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find('\t', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto time = ParseTime(line.substr(0, first));
  const std::string_view target = line.substr(first + 1, second - first - 1);
  if (!time || target.empty()) return std::nullopt;
  // Lowered again: a line written by hand may have kept the case of the path.
  return Launch{*time, LowerAscii(target), SearchKey(line.substr(second + 1))};
}

bool LearningOn(const Settings& settings) { return settings.ReadSetting(setting_key::Learn) != "0"; }

void LaunchHistory::Load() {
  launches_.clear();
  lines_.clear();
  // Leftovers of a write cut short would otherwise be taken for no file at all.
  readFailed_ = !files_.RecoverInterruptedWrite(path_).ok;
  if (readFailed_) return;
  const ReadResult read = files_.ReadFile(path_);
  readFailed_ = read.failed();
  if (read.status != ReadStatus::Read) return;
  for (const std::string& line : SplitLines(read.bytes)) {
    if (auto launch = ParseLaunchLine(line)) {
      launches_.push_back(std::move(*launch));
      // Written back as it would be written now: what was lowered or trimmed reads the same.
      lines_.push_back(LaunchLine(launches_.back()));
    }
  }
  if (launches_.size() > kMaxLaunches) {
    const auto extra = static_cast<std::ptrdiff_t>(launches_.size() - kMaxLaunches);
    launches_.erase(launches_.begin(), launches_.begin() + extra);
    lines_.erase(lines_.begin(), lines_.begin() + extra);
  }
}

bool LaunchHistory::Record(std::string_view target, std::string_view text) {
  if (!learning_) return true;
  // A target holding a tab or a line break could not be read back from its line.
  if (target.empty() || target.find_first_of("\t\r\n") != std::string_view::npos) return false;
  launches_.push_back({clock_(), LowerAscii(target), SearchKey(text)});
  lines_.push_back(LaunchLine(launches_.back()));
  if (launches_.size() > kMaxLaunches) {
    launches_.erase(launches_.begin());
    lines_.erase(lines_.begin());
  }
  return Save();
}

bool LaunchHistory::Forget() {
  launches_.clear();
  lines_.clear();
  readFailed_ = false;
  return Save();
}

bool LaunchHistory::Save() {
  // Written over, an unreadable file would lose launches that were never read.
  if (readFailed_) return false;
  return files_.WriteLines(path_, lines_).ok;
}

}  // namespace tessaly
