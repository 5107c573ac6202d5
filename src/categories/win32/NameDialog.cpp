#include "categories/win32/NameDialog.h"

#include "base/win32/Text.h"
#include "categories/win32/NameDialogRes.h"

namespace tessaly::win32 {

std::optional<std::string> NameDialog::Ask(HWND owner, const NameDialogTexts& texts) {
  texts_ = texts;
  if (ShowModal(::GetModuleHandleA(nullptr), IDD_NAME_DIALOG, owner) != IDOK) return std::nullopt;
  return text_;
}

void NameDialog::OnInitDialog() {
  ::SetWindowTextA(hwnd(), texts_.caption.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_INFO, texts_.info.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_NAME, text_.c_str());
  CenterOnOwner(hwnd());
  ::SetFocus(::GetDlgItem(hwnd(), IDC_NAME));
}

void NameDialog::OnOk() {
  text_ = WindowText(::GetDlgItem(hwnd(), IDC_NAME));
  const NameCheck check = CheckCategoryName(text_);
  ::SetDlgItemTextA(hwnd(), IDC_NAME, text_.c_str());
  if (!check.ok) {
    boxes_.Information(check.message);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_NAME));
    return;
  }
  ::EndDialog(hwnd(), IDOK);
}

void NameDialog::OnCancel() {
  text_ = WindowText(::GetDlgItem(hwnd(), IDC_NAME));
  ::EndDialog(hwnd(), IDCANCEL);
}

INT_PTR NameDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      OnInitDialog();
      // The focus is set: the dialog manager must not move it.
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          OnOk();
          return TRUE;
        case IDCANCEL:
          OnCancel();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace tessaly::win32
