#pragma once
// The icon in the notification area: a click brings the window, its menu has Show,
// Options and Exit. The icon comes back when Explorer restarts.

#include <windows.h>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

// What the icon sends its window; wParam and lParam as the shell gives them.
inline constexpr UINT kTrayMessage = WM_APP + 50;

class TrayIcon {
 public:
  TrayIcon() = default;
  ~TrayIcon() { Hide(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Shows the icon of that window; false when the shell would not take it.
  bool Show(HWND owner, HICON icon, const char* tip);
  void Hide();
  bool shown() const { return owner_ != nullptr; }

  // For the owner's window procedure: true when the message was the icon's. A click
  // sends the owner IDM_TRAY_SHOW, the menu its commands, as WM_COMMAND.
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Opens the icon's menu at the pointer, as a right click does.
  void OpenMenu();

 private:
  bool Add();

  HWND owner_ = nullptr;
  HICON icon_ = nullptr;
  char tip_[64] = {};
  UINT taskbarCreated_ = 0;
  UniqueMenu menus_;
};

}  // namespace tessaly::win32
