#pragma once
// Pictures shared by the windows: the program's picture strips and icons taken from
// program and library files.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

// A strip of square pictures from the program's bitmap resource, with magenta
// (255, 0, 255) as the transparent colour.
UniqueImageList LoadPictureStrip(int bitmapId, int size);

// Icon number of file at its large size, or an empty handle when it cannot be taken.
UniqueIcon ExtractLargeIcon(const std::string& file, int number);

// The icon's own size (32 x 32 when it cannot be read).
SIZE IconSize(HICON icon);

// The icon drawn on the window colour at its own size and scaled to size: a picture
// for an image list without a mask, so that image numbers stay icon numbers. Without
// an icon, the window colour alone.
UniqueBitmap IconPicture(HICON icon, SIZE size);

}  // namespace tessaly::win32
