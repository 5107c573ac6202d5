#include "app/win32/AboutBox.h"

#include "app/win32/MainWindowRes.h"

namespace tessaly::win32 {

void AboutBox::Show(HWND owner) {
  ShowModal(::GetModuleHandleA(nullptr), IDD_ABOUTBOX, owner);
}

INT_PTR AboutBox::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) {
        ::EndDialog(hwnd(), LOWORD(wp));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tessaly::win32
