#include "base/Theme.h"

namespace tessaly {

namespace {

// Near the system's own dark surfaces: text stays well above 7:1 against them.
constexpr Colour kDarkWindow = 0x00202020;
constexpr Colour kDarkWindowText = 0x00F0F0F0;
constexpr Colour kDarkFace = 0x002B2B2B;
constexpr Colour kDarkFaceText = 0x00E6E6E6;
constexpr Colour kDarkGrayText = 0x00808080;
constexpr Colour kDarkInactiveSelection = 0x00464646;

}  // namespace

Theme DecideTheme(const ThemeSettings& settings) {
  // The user chose high contrast for a reason: a dark palette of ours would undo it.
  if (settings.highContrastOn) return Theme::HighContrast;
  if (settings.appsUseLightTheme && *settings.appsUseLightTheme == 0) return Theme::Dark;
  return Theme::Light;
}

Palette PaletteFor(Theme theme, const SystemColours& system) {
  if (theme == Theme::Dark) {
    return {theme, kDarkWindow, kDarkWindowText, kDarkFace, kDarkFaceText, kDarkGrayText,
            kDarkInactiveSelection};
  }
  // Light follows the system's colours too, so that a classic colour scheme still shows.
  return {theme,         system.window,   system.windowText, system.face,
          system.faceText, system.grayText, system.face};
}

}  // namespace tessaly
