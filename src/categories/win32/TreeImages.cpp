#include "categories/win32/TreeImages.h"

#include <shellapi.h>

#include "base/win32/Handle.h"
#include "categories/IconText.h"

namespace tessaly::win32 {

namespace {

// Appends icon number of file to images; -1 when it cannot be extracted.
int AppendFileIcon(HIMAGELIST images, int number, const std::string& file) {
  HICON large = nullptr;
  // On failure the handle is left as it was, so it starts out null.
  const UINT extracted = ::ExtractIconExA(file.c_str(), number, &large, nullptr, 1);
  UniqueIcon icon(large);
  if (extracted == 0 || extracted == UINT_MAX || !icon) return -1;

  ICONINFO info{};
  if (!::GetIconInfo(icon.get(), &info)) return -1;
  UniqueBitmap colour(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  BITMAP shape{};
  ::GetObjectA(colour ? colour.get() : mask.get(), sizeof shape, &shape);
  const int width = shape.bmWidth > 0 ? shape.bmWidth : 32;
  const int height = colour ? shape.bmHeight : shape.bmHeight / 2;

  int side = 0;
  int sideY = 0;
  ::ImageList_GetIconSize(images, &side, &sideY);

  WindowDc screen(nullptr);
  UniqueMemoryDc drawDc(::CreateCompatibleDC(screen.get()));
  UniqueMemoryDc scaleDc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap drawn(::CreateCompatibleBitmap(screen.get(), width, height > 0 ? height : width));
  UniqueBitmap scaled(::CreateCompatibleBitmap(screen.get(), side, sideY));
  if (!drawDc || !scaleDc || !drawn || !scaled) return -1;
  {
    SelectObjectScope selectDrawn(drawDc.get(), drawn.get());
    const RECT all{0, 0, width, height > 0 ? height : width};
    ::FillRect(drawDc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    ::DrawIconEx(drawDc.get(), 0, 0, icon.get(), width, all.bottom, 0, nullptr, DI_NORMAL);
    SelectObjectScope selectScaled(scaleDc.get(), scaled.get());
    ::SetStretchBltMode(scaleDc.get(), HALFTONE);
    ::SetBrushOrgEx(scaleDc.get(), 0, 0, nullptr);
    ::StretchBlt(scaleDc.get(), 0, 0, side, sideY, drawDc.get(), 0, 0, width, all.bottom, SRCCOPY);
  }
  return ::ImageList_Add(images, scaled.get(), nullptr);
}

}  // namespace

int ResolveTreeImage(CategoryNode& node, HIMAGELIST images) {
  if (node.imageIndex > 0 || !node.iconText) return node.imageIndex;
  const IconSource source = ParseIconText(*node.iconText);
  int index = -1;
  switch (source.kind) {
    case IconSource::Kind::TreeImage:
      if (source.imageIndex < ::ImageList_GetImageCount(images)) index = source.imageIndex;
      break;
    case IconSource::Kind::FileIcon:
      index = AppendFileIcon(images, source.iconNumber, source.file);
      break;
    case IconSource::Kind::Unreadable:
      break;
  }
  node.imageIndex = index >= 0 ? index : kFallbackTreeImage;
  return node.imageIndex;
}

}  // namespace tessaly::win32
