#include "store/Settings.h"

#include "base/Text.h"

namespace tessaly {

namespace {

// Index of the first line containing "[key]", or -1.
int FindKeyLine(const LineList& lines, const std::string& key) {
  const std::string keyLine = "[" + key + "]";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (ContainsText(lines[i], keyLine)) return static_cast<int>(i);
  }
  return -1;
}

std::string ValueOf(const LineList& lines, const std::string& key) {
  const int i = FindKeyLine(lines, key);
  if (i < 0 || static_cast<std::size_t>(i) + 1 >= lines.size()) return {};
  return lines[static_cast<std::size_t>(i) + 1];
}

LinePart SettingPart(const LineList& lines, const std::string& key) {
  if (FindKeyLine(lines, key) < 0) return std::nullopt;
  return LineList{ValueOf(lines, key)};
}

void SetValue(LineList& lines, const std::string& key, const std::string& value) {
  const int found = FindKeyLine(lines, key);
  if (found >= 0) {
    const auto i = static_cast<std::size_t>(found);
    // A following line that looks like a key line is kept: it may be another key.
    if (i + 1 < lines.size() && !StartsWith(lines[i + 1], "[")) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, value);
  } else {
    lines.push_back("[" + key + "]");
    lines.push_back(value);
  }
}

// The selection stored at close only says where this Tessaly was; another one's is not
// worth a backup and a message, the last to close simply wins.
bool IsOwnState(const std::string& key) { return key == setting_key::Treeselect; }

}  // namespace

Settings::Settings(FileStore& files, MessageBoxes& boxes, std::string path, Clock& clock)
    : boxes_(boxes), file_(files, clock, std::move(path)), changes_(SettingPart) {}

ReadResult Settings::Load() {
  LineList lines;
  ReadResult result = file_.Load(lines);
  if (result.status != ReadStatus::Failed) changes_.Reset(std::move(lines));
  return result;
}

std::string Settings::ReadSetting(const std::string& key) const {
  return ValueOf(changes_.lines(), key);
}

bool Settings::Merge(DiskCheck& check, std::string* error) {
  const auto name = [](const std::string& key) { return "the setting [" + key + "]"; };
  if (!MergeOutsideChanges(changes_, file_, check, boxes_, name, error)) return false;
  changedOutside_ = true;
  return true;
}

bool Settings::Reload() {
  DiskCheck check = file_.Check(Patience::Glance, changes_.pending() ? nullptr : &changes_.lines());
  if (check.state != DiskState::Changed) return false;
  std::string error;
  return Merge(check, &error);
}

bool Settings::WriteSetting(const std::string& key, const std::string& value) {
  return WriteSettings({{key, value}});
}

bool Settings::WriteSettings(const std::vector<std::pair<std::string, std::string>>& values) {
  if (values.empty()) return true;
  DiskCheck check = file_.Check(Patience::Wait, changes_.pending() ? nullptr : &changes_.lines());
  std::vector<std::string> touched;
  for (const auto& [key, value] : values) {
    if (!IsOwnState(key)) touched.push_back(key);
  }
  changes_.Make({[values](LineList& lines) {
                   for (const auto& [key, value] : values) SetValue(lines, key, value);
                 },
                 std::move(touched)});
  WriteResult result;
  if (check.state == DiskState::Unsettled) {
    result = {false, check.error, {}};
  } else if (check.state == DiskState::Changed && !Merge(check, &result.error)) {
    result.ok = false;
  }
  if (result) result = file_.Write(changes_.lines());
  if (!result) {
    boxes_.Error(WriteFailureText(Path(), result.error));
    return false;
  }
  changes_.Written();
  return true;
}

}  // namespace tessaly
