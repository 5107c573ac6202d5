#pragma once
// The one message-dispatch idiom of every window: the object's pointer is stored at
// WM_NCCREATE (dialogs: WM_INITDIALOG) and every message goes to the derived class's
// HandleMessage. Nothing thrown inside may cross the window procedure.

#include <windows.h>

#include "base/win32/Boundary.h"

namespace tessaly::win32 {

template <typename Derived>
class Window {
 public:
  HWND hwnd() const noexcept { return hwnd_; }

 protected:
  Window() = default;
  ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
      self = static_cast<Derived*>(create->lpCreateParams);
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (!GuardBoundary([&] { result = self->HandleMessage(msg, wp, lp); })) {
      result = ::DefWindowProcA(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) {
    return ::DefWindowProcA(hwnd_, msg, wp, lp);
  }

 private:
  HWND hwnd_ = nullptr;
};

// Modal dialogs from .rc templates. HandleMessage returns TRUE when the message was
// handled, FALSE to let the dialog manager do its default.
template <typename Derived>
class Dialog {
 public:
  HWND hwnd() const noexcept { return hwnd_; }

  // Runs the dialog modally; returns the value given to EndDialog, or -1.
  INT_PTR ShowModal(HINSTANCE instance, int templateId, HWND owner) {
    return ::DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &DialogProc,
                             reinterpret_cast<LPARAM>(static_cast<Derived*>(this)));
  }

 protected:
  Dialog() = default;
  ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_INITDIALOG) {
      self = reinterpret_cast<Derived*>(lp);
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    INT_PTR result = FALSE;
    if (!GuardBoundary([&] { result = self->HandleMessage(msg, wp, lp); })) result = FALSE;
    if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;
    return result;
  }

 private:
  HWND hwnd_ = nullptr;
};

// Centres a dialog over its owner window, kept on the owner's monitor.
inline void CenterOnOwner(HWND dialog) {
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
