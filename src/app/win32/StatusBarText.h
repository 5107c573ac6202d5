#pragma once
// The status bar's text, drawn at most every few hundredths of a second, in the
// window's colours.

#include <windows.h>

#include <string>

#include "base/Theme.h"
#include "base/win32/SystemTheme.h"

namespace tessaly::win32 {

class StatusBarText {
 public:
  void Attach(HWND statusBar) { hwnd_ = statusBar; }
  // The text is the bar's at once (reading it back gives it); drawing a text that
  // follows closely on the last drawn one waits for a timer.
  void Set(const std::string& text);
  // The bar's face, and with a dark one its text, which the bar itself would draw in
  // the system's dark text colour.
  void ApplyPalette(const Palette& palette);

 private:
  static void CALLBACK OnDrawTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) noexcept;
  void Draw();
  static LRESULT CALLBACK PaintSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                        DWORD_PTR self) noexcept;
  void Paint();

  HWND hwnd_ = nullptr;
  ULONGLONG drawnAt_ = 0;
  bool held_ = false;
  Palette palette_;
  bool painting_ = false;
  SolidBrush faceBrush_;
};

}  // namespace tessaly::win32
