#include "shell/win32/Win32MessagePump.h"

#include <windows.h>

#include "base/win32/Window.h"

namespace tessaly::win32 {

void Win32MessagePump::ProcessPendingMessages() {
  if (quietTime_ != 0) {
    const ULONGLONG now = ::GetTickCount64();
    if (lastLook_ != 0 && now - lastLook_ < quietTime_) return;
    lastLook_ = now;
  }
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Posting it again hands it to the main loop; reading on would only take it
      // straight back out of the queue.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (const auto& hook = PreTranslateHook(); hook && hook(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace tessaly::win32
