#pragma once
// The one message-dispatch idiom of every window: the object's pointer is stored at
// WM_NCCREATE (dialogs: WM_INITDIALOG) and every message goes to the derived class's
// HandleMessage. Nothing thrown inside may cross the window procedure (Boundary.h).

#include <windows.h>

#include <optional>

#include "base/win32/Boundary.h"

namespace tessaly::win32 {

// How many handlers of the program's windows run on this thread, nested ones
// included. A handler that lets messages run (a filling, a message box) is still
// below the ones those messages reach.
inline thread_local int tHandlersRunning = 0;
// The window that asked to be closed once no handler runs any more.
inline thread_local HWND tCloseWhenAtRest = nullptr;

// Counts one handler for as long as it runs; the last one to return delivers a close
// that had to wait.
class HandlerScope {
 public:
  HandlerScope() noexcept { ++tHandlersRunning; }
  ~HandlerScope() {
    if (--tHandlersRunning > 0 || tCloseWhenAtRest == nullptr) return;
    const HWND window = tCloseWhenAtRest;
    tCloseWhenAtRest = nullptr;
    if (::IsWindow(window)) ::PostMessageA(window, WM_CLOSE, 0, 0);
  }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

template <typename Derived>
class Window {
 public:
  HWND hwnd() const noexcept { return hwnd_; }

 protected:
  Window() = default;
  ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Registers the window class of this kind of window, once per run.
  static void RegisterClassOnce(const char* className, HICON icon = nullptr) {
    static const ATOM registered = [&] {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = &Window::WindowProc;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.hIcon = icon;
      wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = className;
      return ::RegisterClassExA(&wc);
    }();
    (void)registered;
  }

  // Creates the window of this object; the class must be registered.
  HWND CreateAs(const char* className, const char* title, DWORD style, HWND parent, int id = 0,
                int width = 0, int height = 0, int left = 0, int top = 0) {
    return ::CreateWindowExA(0, className, title, style, left, top, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleA(nullptr), static_cast<Derived*>(this));
  }

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
    {
      const HandlerScope handling;
      if (!GuardBoundary([&] { result = self->HandleMessage(msg, wp, lp); })) {
        result = ::DefWindowProcA(hwnd, msg, wp, lp);
      }
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

// Centres a dialog over its owner window, kept on the owner's monitor.
void CenterOnOwner(HWND dialog);

// Every dialog has this one shape: a .rc template run modally, OnInit when it opens,
// OnOk and OnCancel for its two buttons (Enter, Esc and the close box included),
// OnCommand for its other controls and OnMessage for anything else. Its result comes
// back one way: Run gives the value the dialog was accepted with, or nothing when it
// was cancelled or closed.
template <typename Result>
class ModalDialog {
 public:
  HWND hwnd() const noexcept { return hwnd_; }

  std::optional<Result> Run(HWND owner, int templateId) {
    result_.reset();
    ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                      &ModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return std::move(result_);
  }

 protected:
  ModalDialog() = default;
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // False when OnInit has put the focus where it belongs itself.
  virtual bool OnInit() { return true; }
  virtual void OnOk() = 0;
  virtual void OnCancel() { Cancel(); }
  // True when the command was the dialog's.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  // The dialog procedure's answer for other messages, or nothing for the default.
  virtual std::optional<INT_PTR> OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/) {
    return std::nullopt;
  }

  // Closes the dialog with its result.
  void Accept(Result result) {
    result_ = std::move(result);
    ::EndDialog(hwnd_, IDOK);
  }
  void Cancel() {
    result_.reset();
    ::EndDialog(hwnd_, IDCANCEL);
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    ModalDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
      self = reinterpret_cast<ModalDialog*>(lp);
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    INT_PTR result = FALSE;
    {
      const HandlerScope handling;
      if (!GuardBoundary([&] { result = self->HandleMessage(msg, wp, lp); })) result = FALSE;
    }
    if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;
    return result;
  }

  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_INITDIALOG: {
        const bool defaultFocus = OnInit();
        // A template that asks to be centred on the screen has been already.
        if ((::GetWindowLongPtrA(hwnd_, GWL_STYLE) & DS_CENTER) == 0) CenterOnOwner(hwnd_);
        return defaultFocus ? TRUE : FALSE;
      }
      case WM_COMMAND:
        switch (LOWORD(wp)) {
          case IDOK:
            OnOk();
            return TRUE;
          case IDCANCEL:
            OnCancel();
            return TRUE;
          default:
            return OnCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        }
      default:
        if (const std::optional<INT_PTR> answer = OnMessage(msg, wp, lp)) return *answer;
        return FALSE;
    }
  }

  HWND hwnd_ = nullptr;
  std::optional<Result> result_;
};

}  // namespace tessaly::win32
