#pragma once
// Which colours the main window draws with: the user's apps theme (light or dark)
// and high contrast, as the system reports them. High contrast always wins, and then
// the system's own colours are used, never a palette of ours.

#include <cstdint>
#include <optional>

namespace tessaly {

// A colour as GDI takes it: 0x00BBGGRR.
using Colour = std::uint32_t;

enum class Theme { Light, Dark, HighContrast };

// What the system says about the theme.
struct ThemeSettings {
  // The apps theme's "AppsUseLightTheme"; absent (older systems) means light.
  std::optional<std::uint32_t> appsUseLightTheme;
  bool highContrastOn = false;
  friend bool operator==(const ThemeSettings&, const ThemeSettings&) = default;
};

// The system's colours of the kinds the window uses.
struct SystemColours {
  Colour window = 0x00FFFFFF;
  Colour windowText = 0x00000000;
  Colour face = 0x00F0F0F0;
  Colour faceText = 0x00000000;
  Colour grayText = 0x006D6D6D;
};

struct Palette {
  Theme theme = Theme::Light;
  // The tree, the list and the search field.
  Colour window = 0x00FFFFFF;
  Colour windowText = 0x00000000;
  // The backgrounds around them: the panes, the toolbar, the splitter, the status bar.
  Colour face = 0x00F0F0F0;
  Colour faceText = 0x00000000;
  // Quieter than text: the tree's lines, the captions of disabled buttons.
  Colour grayText = 0x006D6D6D;
  // Behind the tree's selected item while the focus is elsewhere, under windowText.
  Colour inactiveSelection = 0x00F0F0F0;
  // Whether the window draws the status bar, the toolbar's captions and the tree's
  // unfocused selection itself: the controls' own drawing puts the system's dark
  // text, or its light face, there.
  bool ownText() const { return theme == Theme::Dark; }
  friend bool operator==(const Palette&, const Palette&) = default;
};

// Where the window reads the theme from; tests give one of their own.
class ThemeSource {
 public:
  virtual ~ThemeSource() = default;
  virtual ThemeSettings Read() = 0;
};

Theme DecideTheme(const ThemeSettings& settings);
Palette PaletteFor(Theme theme, const SystemColours& system);
inline Palette PaletteFor(const ThemeSettings& settings, const SystemColours& system) {
  return PaletteFor(DecideTheme(settings), system);
}

}  // namespace tessaly
