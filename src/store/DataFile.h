#pragma once
// Reading and writing a data file as a line list.

#include <string>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "store/FileStore.h"

namespace tessaly {

// The lines of the file, or no lines when it is missing or unreadable.
LineList LoadLines(FileStore& files, const std::string& path);

// Writes the lines to path (replacing the file). A failure is reported in the error
// box and returned; the caller's lines stay as they are, so nothing is lost.
bool SaveLines(FileStore& files, MessageBoxes& boxes, const std::string& path,
               const LineList& lines);

// The error text for a failed write of path.
std::string WriteFailureText(const std::string& path, const std::string& reason);

}  // namespace tessaly
