#pragma once
// Settings.sts: key lines "[key]" each followed by its value line.

#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "store/DataFile.h"
#include "store/FileStore.h"
#include "store/LineChanges.h"

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
inline constexpr const char* HideWhenLeft = "HideWhenLeft";
inline constexpr const char* TrayIcon = "TrayIcon";
inline constexpr const char* CloseHides = "CloseHides";
}  // namespace setting_key

class Settings {
 public:
  Settings(FileStore& files, MessageBoxes& boxes, std::string path, Clock& clock = SystemClock());

  // Loads the file (a missing one gives no settings); see LoadLines.
  ReadResult Load();
  // Reads the file again if another program changed it; a value set but not yet
  // written is set again on top. True when the lines changed.
  bool Reload();

  // The value of key, or the empty text when the key is not set.
  std::string ReadSetting(const std::string& key) const;
  // Sets key to value and writes the whole file; every other setting stays as it is
  // in the file, whoever wrote it. False when the write failed (already reported); the
  // value is kept in memory and written with the next write.
  bool WriteSetting(const std::string& key, const std::string& value);
  // Several settings in one write, in the same way.
  bool WriteSettings(const std::vector<std::pair<std::string, std::string>>& values);

  // True once when the lines took in another program's changes (see ShortcutStore).
  bool TakeOutsideChange() { return std::exchange(changedOutside_, false); }

  const LineList& Lines() const { return changes_.lines(); }
  const std::string& Path() const { return file_.path(); }

 private:
  bool Merge(DiskCheck& check, std::string* error);

  MessageBoxes& boxes_;
  DataFile file_;
  LineChanges changes_;
  bool changedOutside_ = false;
};

}  // namespace tessaly
