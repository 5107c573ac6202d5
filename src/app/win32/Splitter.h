#pragma once
// The splitter: a thin bar between the panes; dragging it moves the border.

#include <windows.h>

#include <optional>

#include "base/Theme.h"
#include "base/win32/SystemTheme.h"
#include "base/win32/Window.h"

namespace tessaly::win32 {

// Sent to the parent while the bar is dragged; wParam is the new border position in
// the parent's client coordinates.
inline constexpr UINT kSplitterMoved = WM_APP + 1;

class Splitter : public Window<Splitter> {
 public:
  void Create(HWND parent, int id);
  void ApplyPalette(const Palette& palette);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  friend class Window<Splitter>;
  bool dragging_ = false;
  int grabOffset_ = 0;
  // The class's face until a palette is applied.
  std::optional<Colour> face_;
  SolidBrush brush_;
};

}  // namespace tessaly::win32
