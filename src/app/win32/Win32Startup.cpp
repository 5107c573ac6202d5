#include "app/win32/Win32Startup.h"

#include <windows.h>

#include <vector>

#include "base/win32/Handle.h"
#include "base/win32/Text.h"

namespace tessaly::win32 {

std::optional<std::string> Win32StartupRegistration::Read() {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueRegistryKey key(opened);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExA(key.get(), value_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::vector<char> text(size + 1, '\0');
  if (::RegQueryValueExA(key.get(), value_.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // The stored text need not end in a NUL.
  return std::string(text.data());
}

std::string Win32StartupRegistration::Write(const std::string& command) {
  HKEY created = nullptr;
  LSTATUS status = ::RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) return SystemErrorText(static_cast<DWORD>(status));
  const UniqueRegistryKey key(created);
  status = ::RegSetValueExA(key.get(), value_.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>(command.size() + 1));
  return status == ERROR_SUCCESS ? std::string() : SystemErrorText(static_cast<DWORD>(status));
}

std::string Win32StartupRegistration::Remove() {
  HKEY opened = nullptr;
  LSTATUS status = ::RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS) return SystemErrorText(static_cast<DWORD>(status));
  const UniqueRegistryKey key(opened);
  status = ::RegDeleteValueA(key.get(), value_.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND
             ? std::string()
             : SystemErrorText(static_cast<DWORD>(status));
}

}  // namespace tessaly::win32
