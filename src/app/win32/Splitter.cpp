#include "app/win32/Splitter.h"

#include <windowsx.h>

namespace tessaly::win32 {

namespace {
constexpr const char* kClassName = "TessalySplitter";
}

void Splitter::Create(HWND parent, int id) {
  static const ATOM registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Splitter::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExA(&wc);
  }();
  (void)registered;
  ::CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                    this);
}

void Splitter::ApplyPalette(const Palette& palette) {
  face_ = palette.face;
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT Splitter::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      if (face_) {
        RECT area{};
        ::GetClientRect(hwnd(), &area);
        ::FillRect(reinterpret_cast<HDC>(wp), &area, brush_.Get(*face_));
        return TRUE;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_LBUTTONDOWN:
      dragging_ = true;
      grabOffset_ = GET_X_LPARAM(lp);
      ::SetCapture(hwnd());
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const HWND parent = ::GetParent(hwnd());
        ::MapWindowPoints(hwnd(), parent, &point, 1);
        ::SendMessageA(parent, kSplitterMoved, static_cast<WPARAM>(point.x - grabOffset_), 0);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ::ReleaseCapture();
      }
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
