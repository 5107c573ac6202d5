#pragma once
// The About box: the product name and version, and a Close button.

#include <windows.h>

#include "base/win32/Window.h"

namespace tessaly::win32 {

class AboutBox : public Dialog<AboutBox> {
 public:
  void Show(HWND owner);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
};

}  // namespace tessaly::win32
