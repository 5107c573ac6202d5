#include "shortcuts/win32/ShortcutDrag.h"

#include <commctrl.h>

namespace tessaly::win32 {

namespace {

POINT ToClient(HWND window, POINT screen) {
  ::ScreenToClient(window, &screen);
  return screen;
}

// Shows where dropped shortcuts would go: before the item at index, after the last
// one for the end (index -1 with count items), or nowhere (count 0 and index -1, or
// a refused drop).
void MarkInsertion(HWND list, int index, int count, bool shown) {
  LVINSERTMARK mark{};
  mark.cbSize = sizeof mark;
  mark.iItem = -1;
  if (shown && index >= 0) {
    mark.iItem = index;
  } else if (shown && count > 0) {
    mark.iItem = count - 1;
    mark.dwFlags = LVIM_AFTER;
  }
  ListView_SetInsertMark(list, &mark);
}

}  // namespace

void ShortcutDrag::Begin(HWND owner, ShortcutDragging dragging, int item, POINT screen) {
  dragging_ = std::move(dragging);
  ListDropIndex = -1;
  DropTargetNode = nullptr;
  highlighted_ = nullptr;
  hint_.clear();
  POINT corner{};
  UniqueImageList picture(ListView_CreateDragImage(list_.hwnd(), item, &corner));
  const POINT client = ToClient(list_.hwnd(), screen);
  Start(owner, std::move(picture), {client.x - corner.x, client.y - corner.y}, screen);
}

bool ShortcutDrag::OnDragOver(POINT screen) {
  const HWND under = ::WindowFromPoint(screen);
  if (under != list_.hwnd()) MarkInsertion(list_.hwnd(), -1, 0, false);
  if (under == categories_.hwnd()) return OnTreeDragOver(screen);
  Highlight(nullptr);
  if (under == list_.hwnd()) return OnListDragOver(screen);
  Hint(kNoDropText);
  return false;
}

void ShortcutDrag::Hint(const std::string& text) {
  if (text == hint_) return;
  hint_ = text;
  status_.ShowHint(text);
}

bool ShortcutDrag::OnListDragOver(POINT screen) {
  LVHITTESTINFO hit{};
  hit.pt = ToClient(list_.hwnd(), screen);
  ListDropIndex = static_cast<int>(ListView_HitTest(list_.hwnd(), &hit));
  if ((hit.flags & LVHT_ONITEM) == 0) ListDropIndex = -1;
  const bool accepted = dragging_ && model_.AcceptsListDrop(*dragging_);
  // NOTE: Wine's list control keeps no insertion mark; the hint says the same there.
  MarkInsertion(list_.hwnd(), ListDropIndex, model_.list().Count(), accepted);
  if (dragging_) Hint(model_.ListDropText(*dragging_, ListDropIndex));
  return accepted;
}

bool ShortcutDrag::OnTreeDragOver(POINT screen) {
  // The whole row is the category's, as it is for a dragged category.
  UINT flags = 0;
  DropTargetNode = categories_.HitTest(ToClient(categories_.hwnd(), screen), flags);
  const bool accepted = DropTargetNode != nullptr && dragging_ &&
                        model_.AcceptsCategoryDrop(*dragging_, *DropTargetNode);
  Highlight(accepted ? DropTargetNode : nullptr);
  if (dragging_) Hint(model_.CategoryDropText(*dragging_, DropTargetNode));
  return accepted;
}

void ShortcutDrag::Highlight(const CategoryNode* node) {
  if (node == highlighted_) return;
  image().Hide();
  categories_.SetDropHighlight(node);
  if (node != nullptr) categories_.ExpandAll(*node);
  ::UpdateWindow(categories_.hwnd());
  image().Show();
  highlighted_ = node;
}

void ShortcutDrag::OnRelease(POINT screen) {
  // Where the button went up decides, whatever the last move showed.
  const bool accepted = OnDragOver(screen);
  const HWND under = ::WindowFromPoint(screen);
  CategoryNode* target = DropTargetNode;
  End();
  const std::optional<ShortcutDragging> dragging = std::move(dragging_);
  dragging_.reset();
  // A drop where nothing takes it is never delivered; DragStarted stays up until the
  // next selection, so the single-click open does not follow it.
  if (!dragging || !accepted) return;
  if (under == list_.hwnd()) {
    model_.DropOnList(*dragging, ListDropIndex);
  } else if (under == categories_.hwnd() && target != nullptr) {
    model_.DropOnCategory(*dragging, *target);
  }
}

void ShortcutDrag::OnCancelled() {
  End();
  dragging_.reset();
}

void ShortcutDrag::End() {
  categories_.SetDropHighlight(nullptr);
  highlighted_ = nullptr;
  MarkInsertion(list_.hwnd(), -1, 0, false);
  if (!hint_.empty()) status_.EndHint();
  hint_.clear();
}

}  // namespace tessaly::win32
