#pragma once
// A drag of the selected category with the mouse inside the tree: dropped on another
// category's label or icon it becomes that category's last child, dropped on the
// indent left of one it goes just before it.

#include <windows.h>

#include <functional>

#include "base/win32/DragImage.h"
#include "categories/CategoryEditing.h"
#include "categories/win32/CategoryTreeView.h"

namespace tessaly::win32 {

class CategoryDrag : public MouseDrag {
 public:
  explicit CategoryDrag(CategoryTreeView& tree) : tree_(tree) {}

  // Starts with the category of item, which the tree selects first: the selected
  // category is the one that moves.
  void OnTreeBeginDrag(HWND owner, HTREEITEM item, POINT screen);

  // Released on a category that takes the moving one, at that place.
  std::function<void(CategoryNode& moving, CategoryNode& target, CategoryDropPlace place)> onDrop;

  CategoryNode* DropTargetNode = nullptr;

 private:
  bool OnDragOver(POINT screen) override;
  void OnRelease(POINT screen) override;
  void OnCancelled() override;
  void Highlight(const CategoryNode* node);

  CategoryTreeView& tree_;
  const CategoryNode* highlighted_ = nullptr;
  UINT flags_ = 0;
};

}  // namespace tessaly::win32
