#pragma once
// Shell link files read through the shell's link object.

#include <string>

#include "base/MessageBoxes.h"
#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class Win32LinkReader : public LinkReader {
 public:
  explicit Win32LinkReader(MessageBoxes& boxes) : boxes_(boxes) {}

  // Initialises the component system around this one resolution only, so the thread
  // is left as it was found. A path too long for the shell's buffer fails.
  bool ResolveLink(LinkInfo& info, const std::string& linkPath) override;

 private:
  MessageBoxes& boxes_;
};

}  // namespace tessaly::win32
