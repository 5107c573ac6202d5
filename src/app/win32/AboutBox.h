#pragma once
// TAboutBox: the product name and version, and a Close button.

#include <windows.h>

#include "base/win32/Window.h"

namespace tessaly::win32 {

class TAboutBox : public Dialog<TAboutBox> {
 public:
  void Show(HWND owner);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
};

}  // namespace tessaly::win32
