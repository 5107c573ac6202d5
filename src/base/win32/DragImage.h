#pragma once
// The picture that follows the mouse while the user drags something inside a window,
// with the mouse captured by that window until the drag ends.

#include <windows.h>
#include <commctrl.h>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

class DragImage {
 public:
  DragImage() = default;
  DragImage(const DragImage&) = delete;
  DragImage& operator=(const DragImage&) = delete;
  ~DragImage() { End(); }

  // Shows image (a control's drag image) at the screen point, hotspot being the
  // point's place in the image, and captures the mouse for owner. The picture is
  // drawn over owner's whole top-level window: a drag may cross into a sibling pane.
  void Begin(HWND owner, UniqueImageList image, POINT hotspot, POINT screen);
  bool active() const { return owner_ != nullptr; }
  void Move(POINT screen);
  // Hides the picture while the window below it changes, so that no trace is left.
  void Hide();
  void Show();
  // Removes the picture and releases the mouse; nothing when no drag runs.
  void End();
  // The no-drop pointer over a place that refuses the drop, the arrow elsewhere.
  static void ShowAccepted(bool accepted);

 private:
  POINT InWindow(POINT screen) const;

  HWND owner_ = nullptr;
  HWND drawnOn_ = nullptr;
  UniqueImageList image_;
};

// One drag with the mouse inside a window: the window hands it its mouse messages
// while it runs; the drag says what lies under the pointer and what a release does.
class MouseDrag {
 public:
  virtual ~MouseDrag() = default;
  bool active() const { return image_.active(); }
  // Where the drag last saw the pointer, in screen coordinates.
  POINT pointer() const { return pointer_; }
  // Takes the messages that belong to a running drag; true when it took msg.
  bool OnMouseMessage(HWND owner, UINT msg, WPARAM wp, LPARAM lp);
  // Ends the drag without a drop (Esc, or the window losing the mouse).
  void Cancel();

 protected:
  void Start(HWND owner, UniqueImageList image, POINT hotspot, POINT screen);
  DragImage& image() { return image_; }
  // The pointer is at screen: true when a release there would be taken.
  virtual bool OnDragOver(POINT screen) = 0;
  // Released at screen, the picture and the capture already gone.
  virtual void OnRelease(POINT screen) = 0;
  // Ended without a release; the default does nothing.
  virtual void OnCancelled() {}

 private:
  DragImage image_;
  POINT pointer_{};
};

}  // namespace tessaly::win32
