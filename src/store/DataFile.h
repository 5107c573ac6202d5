#pragma once
// Reading and writing a data file as a line list.

#include <string>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "store/FileStore.h"

namespace tessaly {

// Reads the file into lines: no lines when it is missing. When it exists but cannot be
// read, lines stay as they were and the result says why.
ReadResult LoadLines(FileStore& files, const std::string& path, LineList& lines);

// The text of the question after a failed read of path.
std::string ReadFailureText(const std::string& path, const std::string& reason);

// Writes the lines to path (replacing the file). A failure is reported in the error
// box and returned; the caller's lines stay as they are, so nothing is lost.
bool SaveLines(FileStore& files, MessageBoxes& boxes, const std::string& path,
               const LineList& lines);

// The error text for a failed write of path.
std::string WriteFailureText(const std::string& path, const std::string& reason);

}  // namespace tessaly
