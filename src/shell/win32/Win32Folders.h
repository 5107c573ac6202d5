#pragma once
// Special-folder paths from the shell.

#include <string>

#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class Win32Folders : public Folders {
 public:
  // Asks the shell afresh on every call; virtual folders give "".
  std::string SpecialFolderPath(int folderId) override;
};

}  // namespace tessaly::win32
