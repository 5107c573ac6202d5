#include "app/win32/Program.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
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

namespace {

void Dispatch(const MSG& msg) {
  if (const auto& hook = PreTranslateHook(); hook && hook(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

}  // namespace

int RunMessageLoop(LoopWaits* waits) {
  MSG msg{};
  if (waits == nullptr) {
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    return static_cast<int>(msg.wParam);
  }
  for (;;) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      Dispatch(msg);
    }
    const bool more = waits->OnIdle();
    const std::vector<HANDLE>& handles = waits->Handles();
    const auto count = static_cast<DWORD>(
        std::min<std::size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS - 1));
    // MWMO_INPUTAVAILABLE: a message that came while the queue was being emptied
    // ends the wait too, not only one that comes after it.
    const DWORD timeout = waits->Timeout();
    const DWORD woken = ::MsgWaitForMultipleObjectsEx(count, handles.data(), more ? 0 : timeout,
                                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count) {
      waits->OnSignalled(woken - WAIT_OBJECT_0);
    } else if (woken == WAIT_TIMEOUT && (!more || timeout == 0)) {
      waits->OnTimeout();
    } else if (woken == WAIT_FAILED) {
      // Handles that went bad must not make the loop spin: wait for messages alone.
      ::WaitMessage();
    }
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
  // Put away into the notification area or left for the hotkey, it is hidden.
  if (!::IsWindowVisible(window)) ::ShowWindowAsync(window, SW_SHOW);
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
