#include "base/win32/Text.h"

#include <cstring>
#include <vector>

#include "base/Text.h"

namespace tessaly::win32 {

bool CopyToBuffer(const std::string& text, char* buffer, std::size_t n) {
  if (n == 0 || text.size() >= n) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

std::string WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetWindowTextA(hwnd, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

std::string SystemErrorText(DWORD error) {
  char* message = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  std::string text = length > 0 && message != nullptr ? std::string(message, length)
                                                      : "error " + std::to_string(error);
  if (message != nullptr) ::LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                           text.back() == '.')) {
    text.pop_back();
  }
  return text;
}

namespace {
bool IsAnsiLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }
}  // namespace

void InstallLeadByteTest() { SetLeadByteTest(&IsAnsiLeadByte); }

}  // namespace tessaly::win32
