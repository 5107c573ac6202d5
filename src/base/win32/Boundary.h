#pragma once
// Runs code at a boundary the operating system calls into (window procedures, COM
// callbacks) and turns any exception into a report instead of letting it unwind into
// foreign frames.

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

}  // namespace tessaly::win32
