#pragma once
// The target shown for a list item.

#include <string>

#include "shell/ShellPorts.h"

namespace tessaly {

// The target shown after "Target: ": for a link file its own target and arguments,
// otherwise the target itself.
std::string DisplayTarget(const std::string& target, LinkReader& links);

}  // namespace tessaly
