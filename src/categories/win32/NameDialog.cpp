#include "categories/win32/NameDialog.h"

#include "base/win32/Text.h"
#include "categories/win32/NameDialogRes.h"

namespace tessaly::win32 {

std::optional<std::string> NameDialog::Ask(HWND owner, const NameDialogTexts& texts, Check check) {
  texts_ = texts;
  check_ = std::move(check);
  return Run(owner, IDD_NAME_DIALOG);
}

bool NameDialog::OnInit() {
  ::SetWindowTextA(hwnd(), texts_.caption.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_INFO, texts_.info.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_NAME, text_.c_str());
  ::SetFocus(::GetDlgItem(hwnd(), IDC_NAME));
  // The focus is set: the dialog manager must not move it.
  return false;
}

void NameDialog::OnOk() {
  text_ = WindowText(::GetDlgItem(hwnd(), IDC_NAME));
  const NameCheck check = check_ ? check_(text_) : CheckCategoryName(text_);
  ::SetDlgItemTextA(hwnd(), IDC_NAME, text_.c_str());
  if (!check.ok) {
    boxes_.Information(check.message);
    ::SetFocus(::GetDlgItem(hwnd(), IDC_NAME));
    return;
  }
  Accept(text_);
}

void NameDialog::OnCancel() {
  text_ = WindowText(::GetDlgItem(hwnd(), IDC_NAME));
  Cancel();
}

}  // namespace tessaly::win32
