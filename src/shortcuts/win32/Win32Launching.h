#pragma once
// Launching through the shell.

#include "shortcuts/Launching.h"

namespace tessaly::win32 {

class Win32Launcher : public Launcher {
 public:
  void ShellOpen(const std::string& path, const std::string& parameters) override;
  void ShellRunAsAdministrator(const std::string& path, const std::string& parameters) override;
  void RunCommandLine(const std::string& commandLine) override;
  void SendKeyEvents(const std::vector<KeyEvent>& events) override;
};

}  // namespace tessaly::win32
