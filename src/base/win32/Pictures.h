#pragma once
// Pictures and sizes shared by the windows.

#include <windows.h>
#include <commctrl.h>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

// Sizes are designed in pixels at 96 dots per inch and scaled to the screen's.
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

// A strip of square pictures from the program's bitmap resource, with magenta
// (255, 0, 255) as the transparent colour.
UniqueImageList LoadPictureStrip(int bitmapId, int size);

}  // namespace tessaly::win32
