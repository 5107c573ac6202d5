#pragma once
// Titles from paths, and the target shown for a list item.

#include <string>

#include "shell/ShellPorts.h"

namespace tessaly {

// For an existing folder its last name (a trailing "\" dropped first); otherwise the
// last name of the path without its extension.
std::string DefaultTitle(const std::string& path, FileExistence& existence);

// The target shown after "Target: ": for a link file its own target and arguments,
// otherwise the target itself.
std::string DisplayTarget(const std::string& target, LinkReader& links);

}  // namespace tessaly
