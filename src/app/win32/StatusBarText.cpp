#include "app/win32/StatusBarText.h"

#include <commctrl.h>

#include "base/win32/Boundary.h"

namespace tessaly::win32 {

namespace {

// Quicker than the eye reads a changing count.
constexpr ULONGLONG kDrawInterval = 30;

}  // namespace

void StatusBarText::Set(const std::string& text) {
  // NOTE: Wine's status bar draws itself inside SB_SETTEXT, about 0.7 ms; a filling
  // writes its count every tenth entry, which made that drawing ten times the cost
  // of the filling itself. Held from drawing, the bar only stores the text.
  const ULONGLONG now = ::GetTickCount64();
  if (!held_ && now - drawnAt_ < kDrawInterval) {
    held_ = true;
    ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    // The id names this object: a timer of a window may carry any id.
    ::SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this),
               static_cast<UINT>(kDrawInterval - (now - drawnAt_)), &StatusBarText::OnDrawTimer);
  }
  ::SendMessageA(hwnd_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (!held_) drawnAt_ = now;
}

void CALLBACK StatusBarText::OnDrawTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) noexcept {
  ::KillTimer(hwnd, id);
  GuardBoundary([&] { reinterpret_cast<StatusBarText*>(id)->Draw(); });
}

void StatusBarText::Draw() {
  held_ = false;
  drawnAt_ = ::GetTickCount64();
  ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace tessaly::win32
