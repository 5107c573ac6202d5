#include "shortcuts/win32/Win32Launching.h"

#include <windows.h>
#include <shellapi.h>

namespace tessaly::win32 {

void Win32Launcher::Execute(const char* verb, const std::string& path,
                            const std::string& parameters) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.lpVerb = verb;
  info.lpFile = path.c_str();
  info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  info.nShow = SW_SHOW;
  if (window_ != nullptr && ::IsWindow(window_)) {
    info.fMask |= SEE_MASK_HMONITOR;
    info.hMonitor = ::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST);
  }
  // The outcome is not examined: the shell reports its own failures to the user.
  ::ShellExecuteExA(&info);
}

void Win32Launcher::ShellOpen(const std::string& path, const std::string& parameters) {
  Execute("open", path, parameters);
}

void Win32Launcher::ShellRunAsAdministrator(const std::string& path,
                                            const std::string& parameters) {
  Execute("runas", path, parameters);
}

void Win32Launcher::RunCommandLine(const std::string& commandLine) {
  ::WinExec(commandLine.c_str(), SW_SHOW);
}

void Win32Launcher::SendKeyEvents(const std::vector<KeyEvent>& events) {
  for (const KeyEvent& event : events) {
    ::keybd_event(event.virtualKey, 0, event.keyUp ? KEYEVENTF_KEYUP : 0, 0);
  }
}

}  // namespace tessaly::win32
