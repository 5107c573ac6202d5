#include "base/win32/Boundary.h"

#include <windows.h>

namespace tessaly::win32 {

void ReportEscapedException(const char* what) noexcept {
  try {
    const std::string text = std::string("An unexpected error occurred: ") + what;
    ::MessageBoxA(nullptr, text.c_str(), "Tessaly", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    ::MessageBoxA(nullptr, "An unexpected error occurred.", "Tessaly",
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

}  // namespace tessaly::win32
