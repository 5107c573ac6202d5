#include "base/win32/Pictures.h"

#include <shellapi.h>
#include <shlobj.h>

namespace tessaly::win32 {

namespace {
constexpr COLORREF kKeyColour = RGB(255, 0, 255);
constexpr int kDefaultIconSize = 32;
}  // namespace

namespace {

// The strip with every picture side-by-side at size instead of designSize.
UniqueBitmap ScaledStrip(HBITMAP strip, int designSize, int size) {
  BITMAP shape{};
  if (::GetObjectA(strip, sizeof shape, &shape) == 0 || shape.bmWidth <= 0) return {};
  const int width = ::MulDiv(shape.bmWidth, size, designSize);
  const int height = ::MulDiv(shape.bmHeight, size, designSize);
  WindowDc screen(nullptr);
  UniqueMemoryDc fromDc(::CreateCompatibleDC(screen.get()));
  UniqueMemoryDc toDc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap scaled(::CreateCompatibleBitmap(screen.get(), width, height));
  if (!fromDc || !toDc || !scaled) return {};
  SelectObjectScope selectFrom(fromDc.get(), strip);
  SelectObjectScope selectTo(toDc.get(), scaled.get());
  ::SetStretchBltMode(toDc.get(), COLORONCOLOR);
  ::StretchBlt(toDc.get(), 0, 0, width, height, fromDc.get(), 0, 0, shape.bmWidth, shape.bmHeight,
               SRCCOPY);
  return scaled;
}

}  // namespace

UniqueImageList LoadPictureStrip(int bitmapId, int designSize, Dpi dpi) {
  const int size = dpi.Scale(designSize);
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 8, 8));
  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0,
                                                       0, LR_CREATEDIBSECTION)));
  if (strip && size != designSize) strip = ScaledStrip(strip.get(), designSize, size);
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

UniqueIcon ExtractIconAt(const std::string& file, int number, int size) {
  HICON made = nullptr;
  const auto side = static_cast<UINT>(size);
  if (::SHDefExtractIconA(file.c_str(), number, 0, &made, nullptr, MAKELONG(side, side)) == S_OK &&
      made != nullptr) {
    return UniqueIcon(made);
  }
  return ExtractLargeIcon(file, number);
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
