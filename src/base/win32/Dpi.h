#pragma once
// Sizes and fonts at the resolution of the monitor a window is on: the windows are
// designed in pixels at 96 dots per inch. The program is aware of each monitor's
// resolution (the manifest says so); the functions for it came with Windows 10 and are
// looked up at run time, so that the program still starts where they are missing.

#include <windows.h>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

class Dpi {
 public:
  explicit Dpi(int value = 96) : value_(value) {}
  // The screen's resolution, which the system gave the program at its start.
  static Dpi OfScreen();
  // The resolution of the monitor the window is on; the screen's where the system
  // cannot tell it per window.
  static Dpi OfWindow(HWND window);
  int Scale(int designPixels) const { return ::MulDiv(designPixels, value_, 96); }
  // A length that was pixels at from, at this resolution.
  int Rescale(int pixels, Dpi from) const { return ::MulDiv(pixels, value_, from.value_); }
  int value() const { return value_; }
  friend bool operator==(Dpi a, Dpi b) { return a.value_ == b.value_; }

 private:
  int value_;
};

// The windows' "MS Sans Serif" of that height in design pixels.
UniqueFont CreateFormFont(Dpi dpi, int designHeight);

// A system metric (SM_CXICON, ...) as it is at that resolution.
int SystemMetricAt(Dpi dpi, int index);

// The system's status bar font at that resolution.
UniqueFont CreateStatusFont(Dpi dpi);

// At WM_NCCREATE of a top-level window: its caption and menu follow the monitor's
// resolution too where the system only does so when asked (the first Windows 10 that
// told resolutions per monitor); nothing elsewhere.
void ScaleNonClientArea(HWND window);

// The resolution a WM_DPICHANGED message brings.
inline Dpi DpiOfMessage(WPARAM wp) { return Dpi(HIWORD(wp)); }

}  // namespace tessaly::win32
