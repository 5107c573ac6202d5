#pragma once
// Pieces of the program entry shared with the UI tests.

#include <string>

namespace tessaly::win32 {

// The process's current directory, read whole.
std::string CurrentDirectory();

// Runs the message loop until the main window has closed; returns the exit code.
int RunMessageLoop();

// Registers the common controls the windows use.
void InitialiseControls();

}  // namespace tessaly::win32
