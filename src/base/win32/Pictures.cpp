#include "base/win32/Pictures.h"

#include <shellapi.h>

namespace tessaly::win32 {

namespace {
constexpr COLORREF kKeyColour = RGB(255, 0, 255);
constexpr int kDefaultIconSize = 32;
}  // namespace

UniqueImageList LoadPictureStrip(int bitmapId, int size) {
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 8, 8));
  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0,
                                                       0, LR_CREATEDIBSECTION)));
  if (list && strip) ::ImageList_AddMasked(list.get(), strip.get(), kKeyColour);
  return list;
}

UniqueIcon ExtractLargeIcon(const std::string& file, int number) {
  HICON large = nullptr;
  // On failure the handle is left as it was, so it starts out null.
  const UINT extracted = ::ExtractIconExA(file.c_str(), number, &large, nullptr, 1);
  UniqueIcon icon(large);
  if (extracted == 0 || extracted == UINT_MAX) icon.reset();
  return icon;
}

SIZE IconSize(HICON icon) {
  SIZE size{kDefaultIconSize, kDefaultIconSize};
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return size;
  UniqueBitmap colour(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  BITMAP shape{};
  if (::GetObjectA(colour ? colour.get() : mask.get(), sizeof shape, &shape) != 0 &&
      shape.bmWidth > 0) {
    size.cx = shape.bmWidth;
    // A monochrome icon stacks its mask over its picture.
    size.cy = colour ? shape.bmHeight : shape.bmHeight / 2;
    if (size.cy <= 0) size.cy = size.cx;
  }
  return size;
}

UniqueBitmap IconPicture(HICON icon, SIZE size) {
  const SIZE own = icon != nullptr ? IconSize(icon) : size;
  WindowDc screen(nullptr);
  UniqueMemoryDc drawDc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap drawn(::CreateCompatibleBitmap(screen.get(), own.cx, own.cy));
  if (!drawDc || !drawn) return {};
  {
    SelectObjectScope select(drawDc.get(), drawn.get());
    const RECT all{0, 0, own.cx, own.cy};
    ::FillRect(drawDc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    if (icon != nullptr) ::DrawIconEx(drawDc.get(), 0, 0, icon, own.cx, own.cy, 0, nullptr, DI_NORMAL);
  }
  if (own.cx == size.cx && own.cy == size.cy) return drawn;
  UniqueMemoryDc scaleDc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap scaled(::CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  if (!scaleDc || !scaled) return {};
  SelectObjectScope selectDrawn(drawDc.get(), drawn.get());
  SelectObjectScope selectScaled(scaleDc.get(), scaled.get());
  ::SetStretchBltMode(scaleDc.get(), HALFTONE);
  ::SetBrushOrgEx(scaleDc.get(), 0, 0, nullptr);
  ::StretchBlt(scaleDc.get(), 0, 0, size.cx, size.cy, drawDc.get(), 0, 0, own.cx, own.cy, SRCCOPY);
  return scaled;
}

}  // namespace tessaly::win32
