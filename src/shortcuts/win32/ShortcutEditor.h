#pragma once
// The shortcut editor. One object for the whole run: its fields keep their text from
// one Add to the next.

#include <windows.h>

#include <optional>
#include <string>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"
#include "shell/ShellPorts.h"
#include "shortcuts/ShortcutCommands.h"

namespace tessaly::win32 {

class ShortcutEditor : public ModalDialog<EditorFields> {
 public:
  ShortcutEditor(MessageBoxes& boxes, Pickers& pickers, FileExistence& existence)
      : boxes_(boxes), pickers_(pickers), existence_(existence) {}

  // Shows the editor with the caption, and with fields when given (Edit) or what was
  // left in it last time (Add). The checked fields when the user pressed OK.
  std::optional<EditorFields> Ask(HWND owner, const std::string& caption,
                                  const std::optional<EditorFields>& fields);

 private:
  bool OnInit() override;
  void OnOk() override;
  void OnCancel() override;
  bool OnCommand(int id, int code) override;
  void OnPickProgram();
  void OnPickFolder();
  void ReadFields();
  void WriteFields();

  MessageBoxes& boxes_;
  Pickers& pickers_;
  FileExistence& existence_;
  std::string caption_;
  EditorFields fields_;
  UniqueBitmap applicationGlyph_;
  UniqueBitmap folderGlyph_;
};

}  // namespace tessaly::win32
