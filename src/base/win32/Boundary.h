#pragma once
// The error policy of the Win32 layer, in one place:
//
//   No exception ever leaves a function that the system calls: a window or dialog
//   procedure, a subclass procedure, a timer callback, a COM method. Each such entry
//   point runs its body through GuardBoundary (or GuardComCall), which catches
//   everything, reports it in an error box, and lets the system's default handling go
//   on. Window<> and ModalDialog<> (Window.h) do it for every window and dialog.
//   Failures of system calls are not exceptions: a function that can fail returns a
//   result the caller must look at ([[nodiscard]]), with GetLastError() taken at once.

#include <windows.h>

#include <exception>
#include <string>

namespace tessaly::win32 {

// Shows what escaped in the error box. Defined in Boundary.cpp.
void ReportEscapedException(const char* what) noexcept;

template <typename F>
bool GuardBoundary(F&& f) noexcept {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    ReportEscapedException(e.what());
  } catch (...) {
    ReportEscapedException("unknown error");
  }
  return false;
}

// The same for a COM method: what escaped becomes E_UNEXPECTED for the caller.
template <typename F>
HRESULT GuardComCall(F&& f) noexcept {
  HRESULT result = E_UNEXPECTED;
  GuardBoundary([&] { result = f(); });
  return result;
}

}  // namespace tessaly::win32
