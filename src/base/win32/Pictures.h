#pragma once
// Pictures shared by the windows: the program's picture strips and icons taken from
// program and library files.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/win32/Dpi.h"
#include "base/win32/Handle.h"

namespace tessaly::win32 {

// A strip of square pictures from the program's bitmap resource, with magenta
// (255, 0, 255) as the transparent colour. The pictures are designSize pixels; at
// another resolution each pixel is repeated (or left out), never blended, so that
// they stay sharp and keep their transparent colour.
UniqueImageList LoadPictureStrip(int bitmapId, int designSize, Dpi dpi = Dpi());

// Icon number of file at its large size, or an empty handle when it cannot be taken.
UniqueIcon ExtractLargeIcon(const std::string& file, int number);

// Icon number of file made at size x size pixels, or its large icon where the system
// cannot make it at that size.
UniqueIcon ExtractIconAt(const std::string& file, int number, int size);

// The icon's own size (32 x 32 when it cannot be read).
SIZE IconSize(HICON icon);

// The icon drawn on the window colour at its own size and scaled to size: a picture
// for an image list without a mask, so that image numbers stay icon numbers. Without
// an icon, the window colour alone.
UniqueBitmap IconPicture(HICON icon, SIZE size);

}  // namespace tessaly::win32
