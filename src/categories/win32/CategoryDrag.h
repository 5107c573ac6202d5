#pragma once
// A drag of the selected category with the mouse inside the tree: dropped on the
// indent left of another category it goes just before it, dropped anywhere else on
// that category's row it becomes its last child.

#include <windows.h>

#include <functional>

#include "base/win32/DragImage.h"
#include "categories/CategoryEditing.h"
#include "categories/win32/CategoryTreeView.h"
#include "model/ShortcutList.h"

namespace tessaly::win32 {

class CategoryDrag : public MouseDrag {
 public:
  CategoryDrag(CategoryTreeView& tree, const CategoryTree& model, StatusLine& status)
      : tree_(tree), model_(model), status_(status) {}

  // Starts with the category of item, which the tree selects first: the selected
  // category is the one that moves.
  void OnTreeBeginDrag(HWND owner, HTREEITEM item, POINT screen);

  // Released on a category that takes the moving one, at that place.
  std::function<void(CategoryNode& moving, CategoryNode& target, CategoryDropPlace place)> onDrop;

 private:
  bool OnDragOver(POINT screen) override;
  void OnRelease(POINT screen) override;
  void OnCancelled() override;
  void Highlight(const CategoryNode* node);
  void End();

  CategoryTreeView& tree_;
  const CategoryTree& model_;
  StatusLine& status_;
  std::string hint_;
  CategoryNode* DropTargetNode = nullptr;
  CategoryDropPlace place_ = CategoryDropPlace::LastChild;
  const CategoryNode* highlighted_ = nullptr;
};

}  // namespace tessaly::win32
