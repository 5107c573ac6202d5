#pragma once
// The real file-open dialog and folder browser.

#include "base/Pickers.h"

namespace tessaly::win32 {

class Win32Pickers : public Pickers {
 public:
  std::optional<std::string> PickApplication() override;
  std::string BrowseForFolder(const std::string& title) override;
  std::optional<std::string> PickIconFile() override;
};

}  // namespace tessaly::win32
