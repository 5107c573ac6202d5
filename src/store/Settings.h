#pragma once
// Settings.sts: key lines "[key]" each followed by its value line.

#include <string>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "store/FileStore.h"

namespace tessaly {

namespace setting_key {
inline constexpr const char* View = "View";
inline constexpr const char* Maximize = "Maximize";
inline constexpr const char* Left = "Left";
inline constexpr const char* Top = "Top";
inline constexpr const char* Width = "Width";
inline constexpr const char* Height = "Height";
inline constexpr const char* Treeselect = "Treeselect";
inline constexpr const char* Hotkey = "Hotkey";
inline constexpr const char* Learn = "Learn";
}  // namespace setting_key

class Settings {
 public:
  Settings(FileStore& files, MessageBoxes& boxes, std::string path)
      : files_(files), boxes_(boxes), path_(std::move(path)) {}

  // Loads the file (a missing one gives no settings); see LoadLines.
  ReadResult Load();

  // The value of key, or the empty text when the key is not set.
  std::string ReadSetting(const std::string& key) const;
  // Sets key to value and writes the whole file. False when the write failed (already
  // reported); the value is kept in memory and written with the next write.
  bool WriteSetting(const std::string& key, const std::string& value);

  const LineList& Lines() const { return lines_; }
  const std::string& Path() const { return path_; }

 private:
  // Index of the first line containing "[key]", or -1.
  int FindKeyLine(const std::string& key) const;

  FileStore& files_;
  MessageBoxes& boxes_;
  std::string path_;
  LineList lines_;
};

}  // namespace tessaly
