#include "app/win32/StatusBarText.h"

#include <commctrl.h>

#include <vector>

#include "base/win32/Boundary.h"

namespace tessaly::win32 {

namespace {

// Quicker than the eye reads a changing count.
constexpr ULONGLONG kDrawInterval = 30;
constexpr UINT_PTR kPaintSubclassId = 1;

}  // namespace

void StatusBarText::Set(const std::string& text) {
  // NOTE: Wine's status bar draws itself inside SB_SETTEXT, about 0.7 ms; a filling
  // writes its count every tenth entry, which made that drawing ten times the cost
  // of the filling itself. Held from drawing, the bar only stores the text.
  const ULONGLONG now = ::GetTickCount64();
  if (!held_ && now - drawnAt_ < kDrawInterval) {
    held_ = true;
    ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    // The id names this object: a timer of a window may carry any id.
    ::SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this),
               static_cast<UINT>(kDrawInterval - (now - drawnAt_)), &StatusBarText::OnDrawTimer);
  }
  ::SendMessageA(hwnd_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (!held_) drawnAt_ = now;
}

void CALLBACK StatusBarText::OnDrawTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) noexcept {
  ::KillTimer(hwnd, id);
  GuardBoundary([&] { reinterpret_cast<StatusBarText*>(id)->Draw(); });
}

void StatusBarText::Draw() {
  held_ = false;
  drawnAt_ = ::GetTickCount64();
  ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void StatusBarText::ApplyPalette(const Palette& palette) {
  palette_ = palette;
  const bool paint = palette.ownText();
  if (paint && !painting_) {
    ::SetWindowSubclass(hwnd_, &StatusBarText::PaintSubclass, kPaintSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
  } else if (!paint && painting_) {
    ::RemoveWindowSubclass(hwnd_, &StatusBarText::PaintSubclass, kPaintSubclassId);
  }
  painting_ = paint;
  ::SendMessageA(hwnd_, SB_SETBKCOLOR, 0, paint ? static_cast<LPARAM>(palette.face) : CLR_DEFAULT);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK StatusBarText::PaintSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                              DWORD_PTR self) noexcept {
  if (msg == WM_PAINT) {
    GuardBoundary([&] { reinterpret_cast<StatusBarText*>(self)->Paint(); });
    return 0;
  }
  // The face is filled with the text, in one go: no flicker of an erase before it.
  if (msg == WM_ERASEBKGND) return TRUE;
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void StatusBarText::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  if (dc == nullptr) return;
  RECT area{};
  ::GetClientRect(hwnd_, &area);
  ::FillRect(dc, &area, faceBrush_.Get(palette_.face));
  // In simple mode the bar shows the hint; the panel's text is kept behind it.
  const WPARAM part = ::SendMessageA(hwnd_, SB_ISSIMPLE, 0, 0) ? SB_SIMPLEID : 0;
  const auto length = LOWORD(::SendMessageA(hwnd_, SB_GETTEXTLENGTHA, part, 0));
  std::vector<char> text(length + 1u, '\0');
  ::SendMessageA(hwnd_, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text.data()));
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(hwnd_, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, palette_.faceText);
  // Where the bar's own drawing puts it: inside the panel's border.
  RECT line = area;
  line.left += 2 * ::GetSystemMetrics(SM_CXEDGE);
  line.right -= ::GetSystemMetrics(SM_CXVSCROLL);
  ::DrawTextA(dc, text.data(), -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old != nullptr) ::SelectObject(dc, old);
  ::EndPaint(hwnd_, &paint);
}

}  // namespace tessaly::win32
