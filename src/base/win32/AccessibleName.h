#pragma once
// Names a screen reader speaks for a control: the system's own accessible object of
// the control, with the name given here (and, for a toolbar, the names of its
// buttons) in place of what the system would guess.

#include <windows.h>

#include <string>

namespace tessaly::win32 {

// From now on the control answers accessibility clients with this name. A toolbar's
// buttons are named by their captions.
void GiveAccessibleName(HWND control, const std::string& name);

}  // namespace tessaly::win32
