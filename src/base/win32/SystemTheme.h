#pragma once
// The theme as the system keeps it: the apps theme in the user's registry, high
// contrast, the system colours, and the window manager's dark title bar.

#include <windows.h>

#include <string>

#include "base/Theme.h"
#include "base/win32/Handle.h"

namespace tessaly::win32 {

// Under HKEY_CURRENT_USER.
inline constexpr const char* kPersonalizeKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class RegistryThemeSource : public ThemeSource {
 public:
  // The key under HKEY_CURRENT_USER that holds "AppsUseLightTheme".
  explicit RegistryThemeSource(std::string key = kPersonalizeKey) : key_(std::move(key)) {}
  ThemeSettings Read() override;

 private:
  std::string key_;
};

SystemColours ReadSystemColours();
// The palette of the theme that source tells, over the system's colours.
Palette CurrentPalette(ThemeSource& source);

// Asks the window manager for a dark or a light title bar. False where it has no
// such attribute (before Windows 10 20H1, or no window manager at all): the title
// then stays as the system draws it.
bool SetDarkTitleBar(HWND window, bool dark);

// Whether a WM_SETTINGCHANGE may have changed the theme: the apps theme
// ("ImmersiveColorSet") or high contrast.
bool IsThemeChange(WPARAM wp, LPARAM lp);

// A solid brush of one colour, made again only when the colour changes.
class SolidBrush {
 public:
  HBRUSH Get(Colour colour);

 private:
  UniqueBrush brush_;
  Colour colour_ = 0;
};

}  // namespace tessaly::win32
