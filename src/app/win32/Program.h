#pragma once
// Pieces of the program entry shared with the UI tests.

#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/LoopWaits.h"

namespace tessaly::win32 {

// The process's current directory, read whole.
std::string CurrentDirectory();

// Posted to the main window when folders a built-in category is computed from have
// changed: wParam is the WatchedCategory (FolderWatcher.h), lParam 1 when the changes
// overflowed and everything of the category is to be read again.
inline constexpr UINT kFoldersChanged = WM_APP + 40;

// Runs the message loop until the main window has closed; returns the exit code. The
// main window's keys (PreTranslateHook) see every message first. With waits, the loop
// also waits on their handles and time between messages.
int RunMessageLoop(LoopWaits* waits = nullptr);

// One Tessaly per data directory: holds the directory's lock for the whole run.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& dataDirectory);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another Tessaly holds the lock of this data directory.
  bool first() const { return first_; }
  // Brings that other Tessaly's window to the front.
  void ShowTheOther() const;
  // Asks that other Tessaly to come to the front with the category of that path
  // selected. False when its window did not answer.
  bool ShowCategoryInTheOther(const std::string& categoryPath) const;

 private:
  // The other Tessaly's main window, waited for a moment while it starts; or null.
  HWND FindTheOther() const;

  std::string dataDirectory_;
  HANDLE lock_ = nullptr;
  bool first_ = true;
};

// The full path of a folder named on the command line, relative to the current
// directory; the text as it is when the system cannot make it whole.
std::string FullPath(const std::string& path);

// The path of the running program file.
std::string ProgramPath();

// Registers the common controls the windows use.
void InitialiseControls();

}  // namespace tessaly::win32
