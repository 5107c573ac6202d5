#pragma once
// The list's three view styles and their stored names.

#include <string>

namespace tessaly {

enum class ViewStyle { Thumb, List, Report };

// "Report" and "List" name those styles; anything else is the large-icon view.
ViewStyle ViewStyleFromSetting(const std::string& value);
// The value stored under the setting "View".
const char* ViewSettingValue(ViewStyle style);

}  // namespace tessaly
