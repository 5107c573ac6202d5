#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "base/win32/SystemTheme.h"

namespace tessaly::win32 {
namespace {

// A key of the test's own in place of the apps theme's, removed afterwards.
class TestKey {
 public:
  TestKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kPath); }
  ~TestKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
  }
  void Create() {
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key_, nullptr));
  }
  void SetNumber(DWORD value) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key_, "AppsUseLightTheme", 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&value), sizeof value));
  }
  void SetText(const std::string& value) {
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key_, "AppsUseLightTheme", 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(value.c_str()),
                                              static_cast<DWORD>(value.size() + 1)));
  }
  static constexpr const char* kPath = "Software\\Tessaly Tests\\Personalize";

 private:
  HKEY key_ = nullptr;
};

TEST(SystemTheme, ReadsTheAppsThemeValueAndTakesAnyOtherStateForLight) {
  TestKey key;
  RegistryThemeSource source(TestKey::kPath);
  // No key at all, then a key without the value: the systems before the dark theme.
  EXPECT_EQ(std::nullopt, source.Read().appsUseLightTheme);
  key.Create();
  EXPECT_EQ(std::nullopt, source.Read().appsUseLightTheme);
  key.SetNumber(0);
  EXPECT_EQ(std::optional<std::uint32_t>(0u), source.Read().appsUseLightTheme);
  key.SetNumber(1);
  EXPECT_EQ(std::optional<std::uint32_t>(1u), source.Read().appsUseLightTheme);
  // A value of another type is none the system wrote: it does not make the window dark.
  key.SetText("0");
  EXPECT_EQ(std::nullopt, source.Read().appsUseLightTheme);
}

TEST(SystemTheme, OnlyTheAppsThemeAndHighContrastCountAsThemeChanges) {
  EXPECT_TRUE(IsThemeChange(0, reinterpret_cast<LPARAM>("ImmersiveColorSet")));
  EXPECT_TRUE(IsThemeChange(SPI_SETHIGHCONTRAST, 0));
  EXPECT_FALSE(IsThemeChange(0, 0));
  EXPECT_FALSE(IsThemeChange(0, reinterpret_cast<LPARAM>("Environment")));
  EXPECT_FALSE(IsThemeChange(SPI_SETWORKAREA, 0));
}

}  // namespace
}  // namespace tessaly::win32
