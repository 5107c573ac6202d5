#pragma once
// A drag of the selected shortcuts with the mouse: onto another item of the list (a
// reorder) or onto a category of the tree (a move, or from "Get All" a copy). The pane
// model decides what a drop does; this follows the mouse.

#include <windows.h>

#include <optional>

#include "base/win32/DragImage.h"
#include "categories/win32/CategoryTreeView.h"
#include "shortcuts/ShortcutPaneModel.h"
#include "shortcuts/win32/ShortcutListView.h"

namespace tessaly::win32 {

class ShortcutDrag : public MouseDrag {
 public:
  ShortcutDrag(ShortcutPaneModel& model, ShortcutListView& list, CategoryTreeView& categories,
               StatusLine& status)
      : model_(model), list_(list), categories_(categories), status_(status) {}

  // Starts with what the model took for the drag; item is the one the mouse took hold of.
  void Begin(HWND owner, ShortcutDragging dragging, int item, POINT screen);

 private:
  bool OnDragOver(POINT screen) override;
  void OnRelease(POINT screen) override;
  void OnCancelled() override;
  bool OnListDragOver(POINT screen);
  bool OnTreeDragOver(POINT screen);
  void Highlight(const CategoryNode* node);
  void Hint(const std::string& text);
  void End();

  ShortcutPaneModel& model_;
  ShortcutListView& list_;
  CategoryTreeView& categories_;
  StatusLine& status_;
  std::optional<ShortcutDragging> dragging_;
  std::string hint_;
  int ListDropIndex = -1;
  CategoryNode* DropTargetNode = nullptr;
  // The category last found to take the drop; it is opened once, not on every move.
  const CategoryNode* highlighted_ = nullptr;
};

}  // namespace tessaly::win32
