#pragma once
// Sizes and fonts at the screen's resolution: the windows are designed in pixels at
// 96 dots per inch.

#include <windows.h>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

class Dpi {
 public:
  explicit Dpi(int value = 96) : value_(value) {}
  // The screen's resolution.
  static Dpi OfScreen();
  int Scale(int designPixels) const { return ::MulDiv(designPixels, value_, 96); }
  int value() const { return value_; }

 private:
  int value_;
};

// The windows' "MS Sans Serif" of that height in design pixels.
UniqueFont CreateFormFont(Dpi dpi, int designHeight);

}  // namespace tessaly::win32
