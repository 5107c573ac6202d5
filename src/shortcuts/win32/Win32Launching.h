#pragma once
// Launching through the shell.

#include <windows.h>

#include "shortcuts/Launching.h"

namespace tessaly::win32 {

class Win32Launcher : public Launcher {
 public:
  // What is opened appears on that window's monitor, where the system lets it choose.
  void OpenOnMonitorOf(HWND window) { window_ = window; }

  void ShellOpen(const std::string& path, const std::string& parameters) override;
  void ShellRunAsAdministrator(const std::string& path, const std::string& parameters) override;
  void RunCommandLine(const std::string& commandLine) override;
  void SendKeyEvents(const std::vector<KeyEvent>& events) override;

 private:
  void Execute(const char* verb, const std::string& path, const std::string& parameters);

  HWND window_ = nullptr;
};

}  // namespace tessaly::win32
