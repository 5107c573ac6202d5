#pragma once
// A category's icon text: "0" + an image index of the tree's image list, or
// "1" + an icon number + "," + the file that holds the icon.

#include <string>

namespace tessaly {

struct IconSource {
  enum class Kind { TreeImage, FileIcon, Unreadable };
  Kind kind = Kind::Unreadable;
  int imageIndex = 0;  // TreeImage
  int iconNumber = 0;  // FileIcon
  std::string file;    // FileIcon
};

// Any first character other than "0" means the file form.
IconSource ParseIconText(const std::string& iconText);

// The pictures of the tree's own strip, indexes 0 to 20 of its image list.
inline constexpr int kTreePictureCount = 21;

// The tree image shown for an icon text that cannot be turned into an image: a blank
// page, so the category stays visible and is not looked at again.
inline constexpr int kFallbackTreeImage = 1;

// The icon text that names a tree image, and one that names icon n of a file.
std::string TreeImageIconText(int imageIndex);
std::string FileIconText(int iconNumber, const std::string& file);

}  // namespace tessaly
