#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/Theme.h"

namespace tessaly {
namespace {

// A classic scheme far from the defaults, so that a palette of system colours is told
// apart from a built-in one.
SystemColours Classic() { return {0x00101080, 0x0000FFFF, 0x00008000, 0x00FF00FF, 0x00C0C0C0}; }

TEST(ThemeTest, TheAppsThemeValueDecidesUnlessHighContrastIsOn) {
  EXPECT_EQ(DecideTheme({0u, false}), Theme::Dark);
  EXPECT_EQ(DecideTheme({1u, false}), Theme::Light);
  // Older systems have no value at all: they are light.
  EXPECT_EQ(DecideTheme({std::nullopt, false}), Theme::Light);
  // Any value but 0 is light, as the system reads it.
  EXPECT_EQ(DecideTheme({2u, false}), Theme::Light);
  // High contrast wins over a dark apps theme, and over a light or absent one.
  EXPECT_EQ(DecideTheme({0u, true}), Theme::HighContrast);
  EXPECT_EQ(DecideTheme({1u, true}), Theme::HighContrast);
  EXPECT_EQ(DecideTheme({std::nullopt, true}), Theme::HighContrast);
}

TEST(ThemeTest, LightAndHighContrastUseTheSystemColoursAndDarkItsOwn) {
  const SystemColours system = Classic();
  for (const Theme theme : {Theme::Light, Theme::HighContrast}) {
    const Palette palette = PaletteFor(theme, system);
    EXPECT_EQ(palette.theme, theme);
    EXPECT_EQ(palette.window, system.window);
    EXPECT_EQ(palette.windowText, system.windowText);
    EXPECT_EQ(palette.face, system.face);
    EXPECT_EQ(palette.faceText, system.faceText);
    EXPECT_EQ(palette.grayText, system.grayText);
    EXPECT_EQ(palette.inactiveSelection, system.face);
    EXPECT_FALSE(palette.ownText());
  }
  const Palette dark = PaletteFor(Theme::Dark, system);
  EXPECT_EQ(dark.theme, Theme::Dark);
  EXPECT_TRUE(dark.ownText());
  // Nothing of the classic scheme leaks into the dark palette.
  for (const Colour colour : {dark.window, dark.windowText, dark.face, dark.faceText, dark.grayText}) {
    for (const Colour systemColour : {system.window, system.windowText, system.face, system.faceText}) {
      EXPECT_NE(colour, systemColour);
    }
  }
  EXPECT_EQ(PaletteFor(ThemeSettings{0u, true}, system), PaletteFor(Theme::HighContrast, system));
}

// The relative luminance of WCAG 2, from 0x00BBGGRR.
double Luminance(Colour colour) {
  const auto channel = [](unsigned value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF) +
         0.0722 * channel((colour >> 16) & 0xFF);
}

double Contrast(Colour a, Colour b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ThemeTest, TheDarkPaletteIsDarkAndItsTextReadable) {
  const Palette dark = PaletteFor(Theme::Dark, SystemColours{});
  EXPECT_LT(Luminance(dark.window), 0.05);
  EXPECT_LT(Luminance(dark.face), 0.05);
  EXPECT_GE(Contrast(dark.windowText, dark.window), 7.0);
  EXPECT_GE(Contrast(dark.faceText, dark.face), 7.0);
  // The tree's lines and disabled captions are seen but quieter than the text.
  EXPECT_GE(Contrast(dark.grayText, dark.window), 3.0);
  EXPECT_LT(Contrast(dark.grayText, dark.window), Contrast(dark.windowText, dark.window));
  // The unfocused selection stands out from the tree and its text stays readable.
  EXPECT_GE(Contrast(dark.inactiveSelection, dark.window), 1.5);
  EXPECT_GE(Contrast(dark.windowText, dark.inactiveSelection), 7.0);
}

}  // namespace
}  // namespace tessaly
