#include "base/win32/Pictures.h"

namespace tessaly::win32 {

namespace {
constexpr COLORREF kKeyColour = RGB(255, 0, 255);
}

Dpi Dpi::OfScreen() {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  return Dpi(dpi > 0 ? dpi : 96);
}

UniqueImageList LoadPictureStrip(int bitmapId, int size) {
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 8, 8));
  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0,
                                                       0, LR_CREATEDIBSECTION)));
  if (list && strip) ::ImageList_AddMasked(list.get(), strip.get(), kKeyColour);
  return list;
}

}  // namespace tessaly::win32
