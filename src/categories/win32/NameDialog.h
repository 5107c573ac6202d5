#pragma once
// The name dialog: asks for one category name for Rename, Insert and Add. One object
// for the whole run: the name field keeps its text from one use to the next.

#include <windows.h>

#include <optional>
#include <string>

#include "base/MessageBoxes.h"
#include "base/win32/Window.h"
#include "categories/CategoryEditing.h"

namespace tessaly::win32 {

class NameDialog : public Dialog<NameDialog> {
 public:
  explicit NameDialog(MessageBoxes& boxes) : boxes_(boxes) {}

  // Shows the dialog modally, centred on owner, with the command's texts. The checked
  // name when the user pressed OK, nothing when the dialog was cancelled or closed.
  std::optional<std::string> Ask(HWND owner, const NameDialogTexts& texts);

  // The name field's text, as it was left.
  const std::string& text() const { return text_; }

  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  void OnInitDialog();
  void OnOk();
  void OnCancel();

  MessageBoxes& boxes_;
  NameDialogTexts texts_;
  std::string text_;
};

}  // namespace tessaly::win32
