#include "shortcuts/win32/Win32Launching.h"

#include <windows.h>
#include <shellapi.h>

namespace tessaly::win32 {

void Win32Launcher::ShellOpen(const std::string& path, const std::string& parameters) {
  // The outcome is not examined: the shell reports its own failures to the user.
  ::ShellExecuteA(nullptr, "open", path.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  nullptr, SW_SHOW);
}

void Win32Launcher::ShellRunAsAdministrator(const std::string& path,
                                            const std::string& parameters) {
  ::ShellExecuteA(nullptr, "runas", path.c_str(),
                  parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
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
