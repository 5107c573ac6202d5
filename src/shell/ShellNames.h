#pragma once
// Name rules shared by the scans, the list and the commands.

#include <string>
#include <string_view>

#include "shell/ShellPorts.h"

namespace tessaly {

// The text without its last dotted part: cut at the last "." anywhere in the text;
// unchanged when there is none.
std::string StripExtension(std::string_view text);

// The part after the last "\" or ":" (the whole text when there is neither).
std::string FileNamePart(std::string_view path);

// The part of the file name from its last "." on ("" when the name has no ".").
std::string NameExtension(std::string_view path);

// The extension lower-cased (A to Z only): ".lnk" marks a link, ".exe" a program.
bool HasExtension(std::string_view path, std::string_view lowerExtension);

// The title a path gets as a new shortcut: for an existing folder its last name (a
// trailing "\" dropped first); otherwise the last name without its extension.
std::string DefaultTitle(const std::string& path, FileExistence& existence);

// True for a drive path "X:\..." and a UNC path "\\server\...": the only folder paths
// that name the same folder whatever the working directory is.
bool IsAbsolutePath(std::string_view path);

}  // namespace tessaly
