#include "app/win32/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

#include "app/win32/TrayIconRes.h"

namespace tessaly::win32 {

namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAA IconData(HWND owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = kIconId;
  return data;
}

}  // namespace

bool TrayIcon::Show(HWND owner, HICON icon, const char* tip) {
  if (shown()) return true;
  owner_ = owner;
  icon_ = icon;
  ::lstrcpynA(tip_, tip, sizeof tip_);
  // Explorer tells every top-level window when it has started again, its icons gone.
  taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
  if (!menus_) menus_.reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
  if (!Add()) {
    owner_ = nullptr;
    return false;
  }
  return true;
}

bool TrayIcon::Add() {
  NOTIFYICONDATAA data = IconData(owner_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = icon_;
  ::lstrcpynA(data.szTip, tip_, sizeof data.szTip);
  return ::Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void TrayIcon::Hide() {
  if (!shown()) return;
  NOTIFYICONDATAA data = IconData(owner_);
  ::Shell_NotifyIconA(NIM_DELETE, &data);
  owner_ = nullptr;
}

bool TrayIcon::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!shown()) return false;
  if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
    Add();
    return true;
  }
  if (msg != kTrayMessage || wp != kIconId) return false;
  switch (LOWORD(lp)) {
    case WM_LBUTTONUP:
      ::SendMessageA(owner_, WM_COMMAND, MAKEWPARAM(IDM_TRAY_SHOW, 0), 0);
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      OpenMenu();
      break;
    default:
      break;
  }
  return true;
}

void TrayIcon::OpenMenu() {
  if (!menus_) return;
  POINT at{};
  ::GetCursorPos(&at);
  const HMENU menu = ::GetSubMenu(menus_.get(), 0);
  ::SetMenuDefaultItem(menu, IDM_TRAY_SHOW, FALSE);
  // Without the owner in front the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(owner_);
  const UINT command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                        at.x, at.y, 0, owner_, nullptr);
  ::PostMessageA(owner_, WM_NULL, 0, 0);
  if (command != 0) ::PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace tessaly::win32
