#include "base/win32/Window.h"

namespace tessaly::win32 {

void CenterOnOwner(HWND dialog) {
  const HWND owner = ::GetWindow(dialog, GW_OWNER);
  if (owner == nullptr) return;
  RECT outer{};
  RECT self{};
  ::GetWindowRect(owner, &outer);
  ::GetWindowRect(dialog, &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int left = outer.left + (outer.right - outer.left - width) / 2;
  int top = outer.top + (outer.bottom - outer.top - height) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = left + width > work.right ? work.right - width : left;
    top = top + height > work.bottom ? work.bottom - height : top;
    left = left < work.left ? work.left : left;
    top = top < work.top ? work.top : top;
  }
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tessaly::win32
