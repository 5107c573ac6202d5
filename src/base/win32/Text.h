#pragma once
// Conversions at the edge of the Win32 layer.

#include <windows.h>

#include <string>

namespace tessaly::win32 {

// The ANSI text in a fixed buffer of n characters, terminator included. Returns
// false instead of cutting the text short when it does not fit.
bool CopyToBuffer(const std::string& text, char* buffer, std::size_t n);

// The text of a window (control), read whole.
std::string WindowText(HWND hwnd);

// The system's message for an error code, without trailing line breaks.
std::string SystemErrorText(DWORD error);

// Installs the code page's lead-byte test into the core's text search.
void InstallLeadByteTest();

}  // namespace tessaly::win32
