// The window in the user's apps theme: dark colours on every pane when it is dark,
// the system's colours when it is light or high contrast is on, and a switch while
// the window runs.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/win32/MainWindowRes.h"
#include "base/Theme.h"
#include "base/win32/Handle.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::testing {
namespace {

const std::string kTree = "Work ;015\r\nHome ;06\r\n";

// What the window shows, each read from the control or its parent as a message.
struct ShownColours {
  Colour treeBack, treeText, listBack, listText, listTextBack;
  Colour searchText, searchBack, searchBrush;
  friend bool operator==(const ShownColours&, const ShownColours&) = default;
};

ShownColours Expected(const Palette& palette) {
  return {palette.window, palette.windowText, palette.window, palette.windowText,
          palette.window, palette.windowText, palette.window, palette.window};
}

std::ostream& operator<<(std::ostream& out, const ShownColours& c) {
  return out << std::hex << "tree " << c.treeBack << "/" << c.treeText << " list " << c.listBack
             << "/" << c.listText << "/" << c.listTextBack << " search " << c.searchBack << "/"
             << c.searchText << " brush " << c.searchBrush;
}

ShownColours Shown(const AppHarness& app) {
  ShownColours shown{};
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  shown.treeBack = static_cast<Colour>(::SendMessageA(tree, TVM_GETBKCOLOR, 0, 0));
  shown.treeText = static_cast<Colour>(::SendMessageA(tree, TVM_GETTEXTCOLOR, 0, 0));
  shown.listBack = static_cast<Colour>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
  shown.listText = static_cast<Colour>(::SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0));
  shown.listTextBack = static_cast<Colour>(::SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0));
  // The search field draws with what its parent answers.
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(app.Child(IDC_SHORTCUT_PANE), WM_CTLCOLOREDIT,
                     reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(app.Child(IDC_SEARCH))));
  shown.searchText = ::GetTextColor(dc.get());
  shown.searchBack = ::GetBkColor(dc.get());
  LOGBRUSH fill{};
  shown.searchBrush = brush != nullptr && ::GetObjectA(brush, sizeof fill, &fill) == sizeof fill
                          ? fill.lbColor
                          : CLR_INVALID;
  return shown;
}

// The share of a window's pixels on screen that have this colour.
double ShareOfColour(HWND window, Colour colour) {
  RECT area{};
  ::GetClientRect(window, &area);
  const int width = area.right;
  const int height = area.bottom;
  if (width <= 0 || height <= 0) return 0;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::UniqueMemoryDc memory(::CreateCompatibleDC(nullptr));
  win32::UniqueBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    win32::SelectObjectScope select(memory.get(), bitmap.get());
    win32::WindowDc screen(window);
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  ::GdiFlush();
  // A DIB's pixels are 0x00RRGGBB.
  const std::uint32_t wanted = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  int matching = 0;
  for (int i = 0; i < width * height; ++i) matching += (pixels[i] & 0xFFFFFF) == wanted ? 1 : 0;
  return static_cast<double>(matching) / (width * height);
}

bool MostlyOfColour(HWND window, Colour colour) {
  return AppHarness::WaitUntil([&] { return ShareOfColour(window, colour) > 0.5; }, 5s);
}

void SendThemeChange(HWND main, WPARAM what, const char* area) {
  ::SendMessageA(main, WM_SETTINGCHANGE, what, reinterpret_cast<LPARAM>(area));
}

const Palette kDark = PaletteFor(Theme::Dark, SystemColours{});

Palette SystemPalette(Theme theme) {
  return PaletteFor(theme, {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT),
                            ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT),
                            ::GetSysColor(COLOR_GRAYTEXT)});
}

TEST(ThemeUi, ADarkAppsThemeDarkensEveryPaneAndALightOneBringsTheSystemColoursBack) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.theme.Set({0u, false});
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  EXPECT_EQ(Expected(kDark), Shown(app));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_STATUS_BAR), kDark.face));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_SPLITTER), kDark.face));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_TOOLBAR), kDark.face));
  // The tree's selection, with the focus elsewhere, is not the system's light face.
  const HWND tree = app.Child(IDC_CATEGORY_TREE);
  app.OnUiThread([&] { ::SetFocus(app.Child(IDC_SEARCH)); });
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return ShareOfColour(tree, kDark.inactiveSelection) > 0; }, 5s));
  EXPECT_EQ(0, ShareOfColour(tree, ::GetSysColor(COLOR_BTNFACE)));

  // A setting that is not the theme's leaves the colours as they are.
  app.theme.Set({1u, false});
  SendThemeChange(app.main(), 0, "Environment");
  SendThemeChange(app.main(), 0, nullptr);
  EXPECT_EQ(Expected(kDark), Shown(app));

  SendThemeChange(app.main(), 0, "ImmersiveColorSet");
  const Palette light = SystemPalette(Theme::Light);
  EXPECT_EQ(Expected(light), Shown(app));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_STATUS_BAR), light.face));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_SPLITTER), light.face));

  // And back again: the window follows every switch, not only the first.
  app.theme.Set({0u, false});
  SendThemeChange(app.main(), 0, "ImmersiveColorSet");
  EXPECT_EQ(Expected(kDark), Shown(app));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_STATUS_BAR), kDark.face));
  EXPECT_TRUE(app.boxes.Shown().empty());
}

TEST(ThemeUi, HighContrastUsesTheSystemColoursEvenWithADarkAppsTheme) {
  AppHarness app;
  app.WriteDataFile("Categories.sts", kTree);
  app.theme.Set({0u, true});
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  const Palette contrast = SystemPalette(Theme::HighContrast);
  EXPECT_EQ(Expected(contrast), Shown(app));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_SPLITTER), contrast.face));

  // High contrast turned off comes as its own setting; the dark apps theme shows then.
  app.theme.Set({0u, false});
  SendThemeChange(app.main(), SPI_SETHIGHCONTRAST, nullptr);
  EXPECT_EQ(Expected(kDark), Shown(app));

  // Turned on again, the system tells it by its colours changing as well.
  app.theme.Set({0u, true});
  ::SendMessageA(app.main(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(Expected(contrast), Shown(app));
  EXPECT_TRUE(MostlyOfColour(app.Child(IDC_STATUS_BAR), contrast.face));
}

}  // namespace
}  // namespace tessaly::testing
