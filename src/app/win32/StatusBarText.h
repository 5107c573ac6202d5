#pragma once
// The status bar's text, drawn at most every few hundredths of a second.

#include <windows.h>

#include <string>

namespace tessaly::win32 {

class StatusBarText {
 public:
  void Attach(HWND statusBar) { hwnd_ = statusBar; }
  // The text is the bar's at once (reading it back gives it); drawing a text that
  // follows closely on the last drawn one waits for a timer.
  void Set(const std::string& text);

 private:
  static void CALLBACK OnDrawTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) noexcept;
  void Draw();

  HWND hwnd_ = nullptr;
  ULONGLONG drawnAt_ = 0;
  bool held_ = false;
};

}  // namespace tessaly::win32
