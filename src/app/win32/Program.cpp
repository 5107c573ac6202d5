#include "app/win32/Program.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/Summon.h"
#include "app/win32/MainWindow.h"
#include "base/win32/LoopWaits.h"

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

int RunMessageLoop(const std::function<bool(const MSG&)>& preTranslate) {
  LoopWaits& waits = LoopWaits::ForThisThread();
  MSG msg{};
  for (;;) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      if (preTranslate && preTranslate(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    // Between messages only: a watched folder's change never runs inside a handler.
    waits.WaitForMessage();
  }
}

SingleInstance::SingleInstance(const std::string& dataDirectory)
    : dataDirectory_(dataDirectory) {
  lock_ = ::CreateMutexA(nullptr, FALSE, InstanceName(dataDirectory).c_str());
  first_ = !(lock_ != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

SingleInstance::~SingleInstance() {
  if (lock_ != nullptr) ::CloseHandle(lock_);
}

void SingleInstance::ShowTheOther() const {
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
  if (window == nullptr) return;
  if (::IsIconic(window)) ::ShowWindowAsync(window, SW_RESTORE);
  ::SetForegroundWindow(window);
}

void InitialiseControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                   ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
}

}  // namespace tessaly::win32
