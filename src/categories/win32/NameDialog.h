#pragma once
// The name dialog: asks for one category name for Rename, Insert and Add. One object
// for the whole run: the name field keeps its text from one use to the next.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/MessageBoxes.h"
#include "base/win32/Window.h"
#include "categories/CategoryEditing.h"

namespace tessaly::win32 {

class NameDialog : public ModalDialog<std::string> {
 public:
  // Trims the name in place and says whether it may be taken.
  using Check = std::function<NameCheck(std::string& name)>;

  explicit NameDialog(MessageBoxes& boxes) : boxes_(boxes) {}

  // Shows the dialog modally, centred on owner, with the command's texts. The checked
  // name when the user pressed OK, nothing when the dialog was cancelled or closed.
  std::optional<std::string> Ask(HWND owner, const NameDialogTexts& texts, Check check);

 private:
  bool OnInit() override;
  void OnOk() override;
  void OnCancel() override;

  MessageBoxes& boxes_;
  NameDialogTexts texts_;
  Check check_;
  std::string text_;
};

}  // namespace tessaly::win32
