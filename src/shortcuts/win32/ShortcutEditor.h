#pragma once
// The shortcut editor. One object for the whole run: its fields keep their
// text from one Add or Edit to the next.

#include <windows.h>

#include <functional>
#include <string>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "shortcuts/ShortcutCommands.h"

namespace tessaly::win32 {

class ShortcutEditor : public Dialog<ShortcutEditor> {
 public:
  // accept gets the checked fields at OK, and whether they edit the selected shortcut.
  using Accept = std::function<void(const EditorFields& fields, bool editMode)>;
  ShortcutEditor(MessageBoxes& boxes, Pickers& pickers, FileExistence& existence, Accept accept)
      : boxes_(boxes), pickers_(pickers), existence_(existence), accept_(std::move(accept)) {}

  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  const std::string& caption() const { return caption_; }
  EditorFields& fields() { return fields_; }
  bool ShortcutEditMode = false;

  void ShowModal(HWND owner);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  void OnPickProgram();
  void OnPickFolder();
  void OnOk();
  void OnCancel();

 private:
  void OnInitDialog();
  void ReadFields();
  void WriteFields();

  MessageBoxes& boxes_;
  Pickers& pickers_;
  FileExistence& existence_;
  Accept accept_;
  std::string caption_ = "New Shortcut";
  EditorFields fields_;
  UniqueBitmap applicationGlyph_;
  UniqueBitmap folderGlyph_;
  HWND tooltip_ = nullptr;
};

}  // namespace tessaly::win32
