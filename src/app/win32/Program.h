#pragma once
// Pieces of the program entry shared with the UI tests.

#include <windows.h>

#include <functional>
#include <string>

namespace tessaly::win32 {

// The process's current directory, read whole.
std::string CurrentDirectory();

// Runs the message loop until the main window has closed; returns the exit code.
// preTranslate sees every message first and takes it by returning true. While the queue
// is empty the loop waits on the thread's LoopWaits too (watched folders).
int RunMessageLoop(const std::function<bool(const MSG&)>& preTranslate = {});

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

 private:
  std::string dataDirectory_;
  HANDLE lock_ = nullptr;
  bool first_ = true;
};

// Registers the common controls the windows use.
void InitialiseControls();

}  // namespace tessaly::win32
