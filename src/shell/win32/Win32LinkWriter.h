#pragma once
// Shell link files written through the shell's link object.

#include <string>

#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class Win32LinkWriter : public LinkWriter {
 public:
  // Initialises the component system around this one write only.
  std::string WriteLink(const std::string& linkPath, const LinkInfo& link,
                        const std::string& taskbarId) override;
};

}  // namespace tessaly::win32
