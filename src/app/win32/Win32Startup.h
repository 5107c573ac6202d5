#pragma once
// The value "Tessaly" under the user's own Run key, which the system starts at logon.

#include <string>

#include "app/Options.h"

namespace tessaly::win32 {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Tessaly";

class Win32StartupRegistration : public StartupRegistration {
 public:
  // Under HKEY_CURRENT_USER; tests give a key of their own.
  explicit Win32StartupRegistration(std::string key = kRunKey, std::string value = kRunValue)
      : key_(std::move(key)), value_(std::move(value)) {}

  std::optional<std::string> Read() override;
  std::string Write(const std::string& command) override;
  std::string Remove() override;

 private:
  std::string key_;
  std::string value_;
};

}  // namespace tessaly::win32
