#include "categories/win32/CategoryDrag.h"

#include <commctrl.h>

#include <cstring>

namespace tessaly::win32 {

void CategoryDrag::OnTreeBeginDrag(HWND owner, HTREEITEM item, POINT screen) {
  CategoryNode* node = tree_.NodeOf(item);
  if (node == nullptr) return;
  tree_.Select(*node);
  DropTargetNode = nullptr;
  highlighted_ = nullptr;
  hint_.clear();
  UniqueImageList picture(TreeView_CreateDragImage(tree_.hwnd(), item));
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
  ::SendMessageA(tree_.hwnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
  POINT client = screen;
  ::ScreenToClient(tree_.hwnd(), &client);
  // The picture holds the icon left of the label.
  int iconWidth = 0;
  int iconHeight = 0;
  ::ImageList_GetIconSize(TreeView_GetImageList(tree_.hwnd(), TVSIL_NORMAL), &iconWidth, &iconHeight);
  Start(owner, std::move(picture), {client.x - rect.left + iconWidth, client.y - rect.top}, screen);
}

void CategoryDrag::Highlight(const CategoryNode* node) {
  if (node == highlighted_) return;
  image().Hide();
  tree_.SetDropHighlight(node);
  if (node != nullptr) tree_.ExpandAll(*node);
  ::UpdateWindow(tree_.hwnd());
  image().Show();
  highlighted_ = node;
}

bool CategoryDrag::OnDragOver(POINT screen) {
  DropTargetNode = nullptr;
  UINT flags = 0;
  if (::WindowFromPoint(screen) == tree_.hwnd()) {
    POINT client = screen;
    ::ScreenToClient(tree_.hwnd(), &client);
    DropTargetNode = tree_.HitTest(client, flags);
  }
  place_ = (flags & TVHT_ONITEMINDENT) != 0 ? CategoryDropPlace::Before : CategoryDropPlace::LastChild;
  const CategoryNode* moving = tree_.SelectedNode();
  const bool accepted = DropTargetNode != nullptr && moving != nullptr &&
                        AcceptsCategoryDrop(model_, *moving, *DropTargetNode, place_);
  Highlight(accepted ? DropTargetNode : nullptr);
  const std::string hint =
      moving != nullptr ? CategoryDropText(model_, *moving, DropTargetNode, place_) : "";
  if (hint != hint_) {
    hint_ = hint;
    status_.ShowHint(hint);
  }
  return accepted;
}

void CategoryDrag::End() {
  Highlight(nullptr);
  if (!hint_.empty()) status_.EndHint();
  hint_.clear();
}

void CategoryDrag::OnRelease(POINT screen) {
  const bool accepted = OnDragOver(screen);
  End();
  CategoryNode* moving = tree_.SelectedNode();
  if (!accepted || moving == nullptr || DropTargetNode == nullptr || !onDrop) return;
  onDrop(*moving, *DropTargetNode, place_);
}

void CategoryDrag::OnCancelled() { End(); }

}  // namespace tessaly::win32
