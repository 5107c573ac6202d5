#pragma once
// A drag of the selected shortcuts with the mouse: onto another item of the list (a
// reorder) or onto a category of the tree (a move, or from "Get All" a copy).

#include <windows.h>

#include <functional>
#include <vector>

#include "base/win32/DragImage.h"
#include "categories/win32/CategoryTreeView.h"
#include "shortcuts/win32/ShortcutListView.h"

namespace tessaly::win32 {

class ShortcutDrag : public MouseDrag {
 public:
  ShortcutDrag(ShortcutListView& list, CategoryTreeView& categories)
      : list_(list), categories_(categories) {}

  // Starts with the items now selected; item is the one the mouse took hold of.
  void OnListBeginDrag(HWND owner, int item, POINT screen);

  // Released over the list, on the item at that index or on empty space (-1).
  std::function<void(int listDropIndex)> onListDrop;
  // Released over a category that takes the shortcuts.
  std::function<void(CategoryNode& target)> onTreeDrop;

  // The selected items' indexes at the drag's start, in list order.
  std::vector<int> DraggedItems;
  int ListDropIndex = -1;
  CategoryNode* DropTargetNode = nullptr;

 private:
  bool OnDragOver(POINT screen) override;
  void OnRelease(POINT screen) override;
  void OnCancelled() override;
  bool OnListDragOver(POINT screen);
  bool OnTreeDragOver(POINT screen);
  void ClearHighlight();

  ShortcutListView& list_;
  CategoryTreeView& categories_;
  // The category whose shortcuts are dragged: a drop counts only while it is still
  // the one selected.
  const CategoryNode* source_ = nullptr;
  // The category last found to take the drop; it is opened once, not on every move.
  const CategoryNode* highlighted_ = nullptr;
};

}  // namespace tessaly::win32
