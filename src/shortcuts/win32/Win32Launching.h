#pragma once
// Launching through the shell, and the editor's two pickers.

#include "shortcuts/Launching.h"

namespace tessaly::win32 {

class Win32Launcher : public Launcher {
 public:
  void ShellOpen(const std::string& path, const std::string& parameters) override;
  void RunCommandLine(const std::string& commandLine) override;
  void SendKeyEvents(const std::vector<KeyEvent>& events) override;
};

class Win32Pickers : public Pickers {
 public:
  std::optional<std::string> PickApplication() override;
  std::string BrowseForFolder(const std::string& title) override;
};

}  // namespace tessaly::win32
