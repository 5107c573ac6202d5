#pragma once
// What the shortcut commands ask of the platform: launching, the file manager and
// synthetic keys.

#include <string>
#include <vector>

namespace tessaly {

struct KeyEvent {
  unsigned char virtualKey = 0;
  bool keyUp = false;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // The shell's "open" on path, with parameters when not empty, shown normally.
  virtual void ShellOpen(const std::string& path, const std::string& parameters) = 0;
  // The same, with the administrator's rights the system asks the user for.
  virtual void ShellRunAsAdministrator(const std::string& path, const std::string& parameters) = 0;
  // Starts a command line, shown normally.
  virtual void RunCommandLine(const std::string& commandLine) = 0;
  virtual void SendKeyEvents(const std::vector<KeyEvent>& events) = 0;
};

}  // namespace tessaly
