#include "categories/IconText.h"

#include "base/Text.h"

namespace tessaly {

IconSource ParseIconText(const std::string& iconText) {
  IconSource source;
  if (iconText.empty()) return source;
  if (iconText.front() == '0') {
    const auto index = ParseDecimal(std::string_view(iconText).substr(1));
    if (!index || *index < 0) return source;
    source.kind = IconSource::Kind::TreeImage;
    source.imageIndex = *index;
    return source;
  }
  const std::size_t comma = iconText.find(',');
  if (comma == std::string::npos) return source;
  const auto number = ParseDecimal(std::string_view(iconText).substr(1, comma - 1));
  if (!number || *number < 0) return source;
  source.kind = IconSource::Kind::FileIcon;
  source.iconNumber = *number;
  source.file = iconText.substr(comma + 1);
  return source;
}

std::string TreeImageIconText(int imageIndex) { return "0" + std::to_string(imageIndex); }

std::string FileIconText(int iconNumber, const std::string& file) {
  return "1" + std::to_string(iconNumber) + "," + file;
}

}  // namespace tessaly
