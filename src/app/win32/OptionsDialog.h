#pragma once
// The Options dialog: the summon hotkey in a hotkey control and the window's options as
// check boxes. A hotkey that cannot be had is refused with the system's reason and the
// dialog stays open.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/Options.h"
#include "base/MessageBoxes.h"
#include "base/win32/Window.h"

namespace tessaly::win32 {

class OptionsDialog : public ModalDialog<Options> {
 public:
  // Takes the hotkey for the window (or gives it up, for none): the empty text, or why
  // the system refused it; the hotkey in use is then kept.
  using ClaimHotkey = std::function<std::string(const std::optional<Hotkey>& hotkey)>;

  OptionsDialog(MessageBoxes& boxes, ClaimHotkey claim)
      : boxes_(boxes), claim_(std::move(claim)) {}

  // The options chosen, the hotkey already taken; nothing when cancelled.
  std::optional<Options> Ask(HWND owner, const Options& current);

 private:
  bool OnInit() override;
  void OnOk() override;
  bool OnCommand(int id, int code) override;
  bool Checked(int id) const;
  void Check(int id, bool on);
  void EnableCloseHides();

  MessageBoxes& boxes_;
  ClaimHotkey claim_;
  Options current_;
  unsigned shownHotkey_ = 0;
};

}  // namespace tessaly::win32
