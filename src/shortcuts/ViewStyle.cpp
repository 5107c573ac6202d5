#include "shortcuts/ViewStyle.h"

namespace tessaly {

ViewStyle ViewStyleFromSetting(const std::string& value) {
  if (value == "Report") return ViewStyle::Report;
  if (value == "List") return ViewStyle::List;
  return ViewStyle::Thumb;
}

const char* ViewSettingValue(ViewStyle style) {
  switch (style) {
    case ViewStyle::List:
      return "List";
    case ViewStyle::Report:
      return "Report";
    case ViewStyle::Thumb:
      break;
  }
  return "Icon";
}

}  // namespace tessaly
