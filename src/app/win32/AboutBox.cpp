#include "app/win32/AboutBox.h"

#include "app/win32/MainWindowRes.h"

namespace tessaly::win32 {

void AboutBox::Show(HWND owner) { Run(owner, IDD_ABOUTBOX); }

}  // namespace tessaly::win32
