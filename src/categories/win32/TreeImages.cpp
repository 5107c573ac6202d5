#include "categories/win32/TreeImages.h"

#include "base/win32/Handle.h"
#include "base/win32/Pictures.h"
#include "categories/IconText.h"

namespace tessaly::win32 {

namespace {

// Appends icon number of file to images, scaled to their size; -1 when it cannot be
// extracted.
int AppendFileIcon(HIMAGELIST images, int number, const std::string& file) {
  SIZE side{};
  ::ImageList_GetIconSize(images, reinterpret_cast<int*>(&side.cx), reinterpret_cast<int*>(&side.cy));
  // Made at the images' size where the file has it, rather than scaled up or down.
  const UniqueIcon icon = ExtractIconAt(file, number, static_cast<int>(side.cx));
  if (!icon) return -1;
  const UniqueBitmap picture = IconPicture(icon.get(), side);
  return picture ? ::ImageList_Add(images, picture.get(), nullptr) : -1;
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
