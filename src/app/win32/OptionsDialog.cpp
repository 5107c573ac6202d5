#include "app/win32/OptionsDialog.h"

#include <commctrl.h>

#include "app/win32/OptionsDialogRes.h"

namespace tessaly::win32 {

std::optional<Options> OptionsDialog::Ask(HWND owner, const Options& current) {
  current_ = current;
  return Run(owner, IDD_OPTIONS);
}

bool OptionsDialog::Checked(int id) const {
  return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
}

void OptionsDialog::Check(int id, bool on) {
  ::CheckDlgButton(hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED);
}

void OptionsDialog::EnableCloseHides() {
  // Without the icon a hidden window could only come back by the hotkey.
  ::EnableWindow(::GetDlgItem(hwnd(), IDC_OPTIONS_CLOSE_HIDES), Checked(IDC_OPTIONS_TRAY_ICON));
}

bool OptionsDialog::OnInit() {
  const HWND field = ::GetDlgItem(hwnd(), IDC_OPTIONS_HOTKEY);
  // A key alone would take that key from every program: Ctrl+Alt is added to it.
  ::SendMessageA(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  shownHotkey_ = current_.hotkey ? ControlValueOf(*current_.hotkey) : 0;
  ::SendMessageA(field, HKM_SETHOTKEY, shownHotkey_, 0);
  if (current_.hotkey && shownHotkey_ == 0) {
    // The control knows no Win key; the hotkey stays unless another is pressed.
    const std::string hint = "Now " + HotkeyText(*current_.hotkey) + "; press other keys to change it.";
    ::SetDlgItemTextA(hwnd(), IDC_OPTIONS_HOTKEY_HINT, hint.c_str());
  }
  Check(IDC_OPTIONS_HIDE_WHEN_LEFT, current_.hideWhenLeft);
  Check(IDC_OPTIONS_TRAY_ICON, current_.trayIcon);
  Check(IDC_OPTIONS_CLOSE_HIDES, current_.closeHides);
  Check(IDC_OPTIONS_START_WITH_WINDOWS, current_.startWithWindows);
  Check(IDC_OPTIONS_LEARN, current_.learn);
  EnableCloseHides();
  return true;
}

bool OptionsDialog::OnCommand(int id, int code) {
  if (id == IDC_OPTIONS_TRAY_ICON && code == BN_CLICKED) {
    EnableCloseHides();
    return true;
  }
  return false;
}

void OptionsDialog::OnOk() {
  Options chosen = current_;
  const auto value = static_cast<unsigned>(
      ::SendDlgItemMessageA(hwnd(), IDC_OPTIONS_HOTKEY, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
  if (value != shownHotkey_) chosen.hotkey = HotkeyFromControl(value);
  chosen.hideWhenLeft = Checked(IDC_OPTIONS_HIDE_WHEN_LEFT);
  chosen.trayIcon = Checked(IDC_OPTIONS_TRAY_ICON);
  chosen.closeHides = chosen.trayIcon && Checked(IDC_OPTIONS_CLOSE_HIDES);
  chosen.startWithWindows = Checked(IDC_OPTIONS_START_WITH_WINDOWS);
  chosen.learn = Checked(IDC_OPTIONS_LEARN);
  if (chosen.hotkey != current_.hotkey && claim_) {
    if (const std::string refused = claim_(chosen.hotkey); !refused.empty()) {
      boxes_.Error("Tessaly cannot take the hotkey " + HotkeyText(*chosen.hotkey) + ": " +
                   refused + ".");
      ::SetFocus(::GetDlgItem(hwnd(), IDC_OPTIONS_HOTKEY));
      return;
    }
  }
  Accept(chosen);
}

}  // namespace tessaly::win32
