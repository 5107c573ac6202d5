#include "base/win32/Dpi.h"

namespace tessaly::win32 {

Dpi Dpi::OfScreen() {
  WindowDc screen(nullptr);
  const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  return Dpi(dpi > 0 ? dpi : 96);
}

UniqueFont CreateFormFont(Dpi dpi, int designHeight) {
  return UniqueFont(::CreateFontA(-dpi.Scale(designHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

}  // namespace tessaly::win32
