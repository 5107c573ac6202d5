#include "app/win32/Program.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/Summon.h"
#include "app/win32/MainWindow.h"

namespace tessaly::win32 {

std::string CurrentDirectory() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

int RunMessageLoop() {
  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (const auto& hook = PreTranslateHook(); hook && hook(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

SingleInstance::SingleInstance(const std::string& dataDirectory)
    : dataDirectory_(dataDirectory) {
  lock_ = ::CreateMutexA(nullptr, FALSE, InstanceName(dataDirectory).c_str());
  first_ = !(lock_ != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

SingleInstance::~SingleInstance() {
  if (lock_ != nullptr) ::CloseHandle(lock_);
}

HWND SingleInstance::FindTheOther() const {
  const auto key = static_cast<UINT_PTR>(InstanceKey(dataDirectory_));
  HWND window = nullptr;
  // The other one may still be creating its window: look for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    for (HWND found = ::FindWindowExA(nullptr, nullptr, kMainWindowClass, nullptr); found != nullptr;
         found = ::FindWindowExA(nullptr, found, kMainWindowClass, nullptr)) {
      if (reinterpret_cast<UINT_PTR>(::GetPropA(found, kInstanceProperty)) == key) window = found;
    }
    if (window != nullptr) break;
    ::Sleep(20);
  }
  return window;
}

void SingleInstance::ShowTheOther() const {
  const HWND window = FindTheOther();
  if (window == nullptr) return;
  if (::IsIconic(window)) ::ShowWindowAsync(window, SW_RESTORE);
  ::SetForegroundWindow(window);
}

bool SingleInstance::ShowCategoryInTheOther(const std::string& categoryPath) const {
  const HWND window = FindTheOther();
  if (window == nullptr) return false;
  // The system lets only the program in front put a window in front; this one was
  // just started by the user and passes that on.
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  ::AllowSetForegroundWindow(process);
  COPYDATASTRUCT data{};
  data.dwData = kSelectCategoryData;
  data.cbData = static_cast<DWORD>(categoryPath.size());
  data.lpData = const_cast<char*>(categoryPath.data());
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 10000, &answer) != 0 &&
         answer == TRUE;
}

std::string FullPath(const std::string& path) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()),
                                            buffer.data(), nullptr);
    if (length == 0) return path;
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

std::string ProgramPath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

void InitialiseControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                   ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
}

}  // namespace tessaly::win32
