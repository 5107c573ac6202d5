#pragma once
// The platform's pickers, as the dialogs ask for them. The Win32 layer shows the real
// file dialog and folder browser; tests answer them.

#include <optional>
#include <string>

namespace tessaly {

class Pickers {
 public:
  virtual ~Pickers() = default;
  // The file-open dialog for a program; nothing when cancelled.
  virtual std::optional<std::string> PickApplication() = 0;
  // The shell's folder browser; "" when cancelled or for a folder without a path.
  virtual std::string BrowseForFolder(const std::string& title) = 0;
  // The file-open dialog for a file holding icons (programs and libraries first);
  // nothing when cancelled.
  virtual std::optional<std::string> PickIconFile() = 0;
};

}  // namespace tessaly
