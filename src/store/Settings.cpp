#include "store/Settings.h"

#include "base/Text.h"
#include "store/DataFile.h"

namespace tessaly {

ReadResult Settings::Load() { return LoadLines(files_, path_, lines_); }

int Settings::FindKeyLine(const std::string& key) const {
  const std::string keyLine = "[" + key + "]";
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (ContainsText(lines_[i], keyLine)) return static_cast<int>(i);
  }
  return -1;
}

std::string Settings::ReadSetting(const std::string& key) const {
  const int i = FindKeyLine(key);
  if (i < 0 || static_cast<std::size_t>(i) + 1 >= lines_.size()) return {};
  return lines_[static_cast<std::size_t>(i) + 1];
}

bool Settings::WriteSetting(const std::string& key, const std::string& value) {
  const int found = FindKeyLine(key);
  if (found >= 0) {
    const auto i = static_cast<std::size_t>(found);
    // A following line that looks like a key line is kept: it may be another key.
    if (i + 1 < lines_.size() && !StartsWith(lines_[i + 1], "[")) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(i) + 1, value);
  } else {
    lines_.push_back("[" + key + "]");
    lines_.push_back(value);
  }
  return SaveLines(files_, boxes_, path_, lines_);
}

}  // namespace tessaly
