#pragma once
// Shell link files read through the shell's link object.

#include <memory>
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
  // Holds the component system and the link class for the whole walk.
  std::unique_ptr<LinkWalk> StartWalk(const std::string& folder) override;

 private:
  class Walk;

  MessageBoxes& boxes_;
};

}  // namespace tessaly::win32
