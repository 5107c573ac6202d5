#pragma once
// The About box: the product name and version, and a Close button.

#include <windows.h>

#include "base/win32/Window.h"

namespace tessaly::win32 {

class AboutBox : public ModalDialog<bool> {
 public:
  void Show(HWND owner);

 private:
  void OnOk() override { Accept(true); }
};

}  // namespace tessaly::win32
