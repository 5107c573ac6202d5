#include "base/win32/SystemTheme.h"

#include <cstring>

namespace tessaly::win32 {

namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE; older SDKs do not name it.
constexpr DWORD kDarkModeAttribute = 20;

using SetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

SetWindowAttributeFunction SetWindowAttribute() {
  // Looked up, not linked: the program starts where dwmapi.dll is missing.
  static const SetWindowAttributeFunction function = []() -> SetWindowAttributeFunction {
    const HMODULE module = ::LoadLibraryA("dwmapi.dll");
    if (module == nullptr) return nullptr;
    return reinterpret_cast<SetWindowAttributeFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DwmSetWindowAttribute")));
  }();
  return function;
}

}  // namespace

ThemeSettings RegistryThemeSource::Read() {
  ThemeSettings settings;
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
    const UniqueRegistryKey key(opened);
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key.get(), "AppsUseLightTheme", nullptr, &type,
                           reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value) {
      settings.appsUseLightTheme = value;
    }
  }
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof contrast;
  settings.highContrastOn = ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                            (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return settings;
}

SystemColours ReadSystemColours() {
  return {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_BTNFACE),
          ::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_GRAYTEXT)};
}

Palette CurrentPalette(ThemeSource& source) { return PaletteFor(source.Read(), ReadSystemColours()); }

bool SetDarkTitleBar(HWND window, bool dark) {
  const SetWindowAttributeFunction function = SetWindowAttribute();
  if (function == nullptr) return false;
  const BOOL value = dark ? TRUE : FALSE;
  return SUCCEEDED(function(window, kDarkModeAttribute, &value, sizeof value));
}

bool IsThemeChange(WPARAM wp, LPARAM lp) {
  if (wp == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const char*>(lp);
  return area != nullptr && std::strcmp(area, "ImmersiveColorSet") == 0;
}

HBRUSH SolidBrush::Get(Colour colour) {
  if (!brush_ || colour != colour_) {
    brush_.reset(::CreateSolidBrush(colour));
    colour_ = colour;
  }
  return brush_.get();
}

}  // namespace tessaly::win32
