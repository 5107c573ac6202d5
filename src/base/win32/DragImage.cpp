#include "base/win32/DragImage.h"

#include <windowsx.h>

namespace tessaly::win32 {

POINT DragImage::InWindow(POINT screen) const {
  // The picture is drawn in the top-level window's coordinates, frame included.
  RECT window{};
  ::GetWindowRect(drawnOn_, &window);
  return {screen.x - window.left, screen.y - window.top};
}

void DragImage::Begin(HWND owner, UniqueImageList image, POINT hotspot, POINT screen) {
  End();
  owner_ = owner;
  drawnOn_ = ::GetAncestor(owner, GA_ROOT);
  image_ = std::move(image);
  if (image_) {
    ::ImageList_BeginDrag(image_.get(), 0, hotspot.x, hotspot.y);
    const POINT at = InWindow(screen);
    ::ImageList_DragEnter(drawnOn_, at.x, at.y);
  }
  ::SetCapture(owner_);
}

void DragImage::Move(POINT screen) {
  if (!active() || !image_) return;
  const POINT at = InWindow(screen);
  ::ImageList_DragMove(at.x, at.y);
}

void DragImage::Hide() {
  if (active() && image_) ::ImageList_DragShowNolock(FALSE);
}

void DragImage::Show() {
  if (active() && image_) ::ImageList_DragShowNolock(TRUE);
}

void DragImage::End() {
  if (!active()) return;
  const HWND owner = owner_;
  // Cleared first: releasing the mouse reports the lost capture to the owner, which
  // must then see no drag running.
  owner_ = nullptr;
  if (image_) {
    ::ImageList_DragLeave(drawnOn_);
    ::ImageList_EndDrag();
    image_.reset();
  }
  if (::GetCapture() == owner) ::ReleaseCapture();
}

void DragImage::ShowAccepted(bool accepted) {
  ::SetCursor(::LoadCursor(nullptr, accepted ? IDC_ARROW : IDC_NO));
}

void MouseDrag::Start(HWND owner, UniqueImageList image, POINT hotspot, POINT screen) {
  image_.Begin(owner, std::move(image), hotspot, screen);
  pointer_ = screen;
  DragImage::ShowAccepted(OnDragOver(screen));
}

void MouseDrag::Cancel() {
  if (!active()) return;
  image_.End();
  OnCancelled();
}

bool MouseDrag::OnMouseMessage(HWND owner, UINT msg, WPARAM, LPARAM lp) {
  if (!active()) return false;
  POINT screen{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_MOUSEMOVE:
      ::ClientToScreen(owner, &screen);
      pointer_ = screen;
      image_.Move(screen);
      DragImage::ShowAccepted(OnDragOver(screen));
      return true;
    case WM_LBUTTONUP:
      ::ClientToScreen(owner, &screen);
      image_.End();
      OnRelease(screen);
      return true;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      Cancel();
      return true;
    default:
      return false;
  }
}

}  // namespace tessaly::win32
