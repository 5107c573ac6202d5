#include "shortcuts/win32/ShortcutDrag.h"

#include <commctrl.h>

#include "shortcuts/ShortcutDrops.h"

namespace tessaly::win32 {

namespace {

POINT ToClient(HWND window, POINT screen) {
  ::ScreenToClient(window, &screen);
  return screen;
}

}  // namespace

void ShortcutDrag::OnListBeginDrag(HWND owner, int item, POINT screen) {
  DraggedItems = SelectedIndexes(list_);
  source_ = categories_.SelectedNode();
  ListDropIndex = -1;
  DropTargetNode = nullptr;
  highlighted_ = nullptr;
  POINT corner{};
  UniqueImageList picture(ListView_CreateDragImage(list_.hwnd(), item, &corner));
  const POINT client = ToClient(list_.hwnd(), screen);
  Start(owner, std::move(picture), {client.x - corner.x, client.y - corner.y}, screen);
}

bool ShortcutDrag::OnDragOver(POINT screen) {
  const HWND under = ::WindowFromPoint(screen);
  if (under == list_.hwnd()) {
    ClearHighlight();
    return OnListDragOver(screen);
  }
  if (under == categories_.hwnd()) return OnTreeDragOver(screen);
  ClearHighlight();
  return false;
}

bool ShortcutDrag::OnListDragOver(POINT screen) {
  LVHITTESTINFO hit{};
  hit.pt = ToClient(list_.hwnd(), screen);
  ListDropIndex = static_cast<int>(ListView_HitTest(list_.hwnd(), &hit));
  if ((hit.flags & LVHT_ONITEM) == 0) ListDropIndex = -1;
  return true;
}

bool ShortcutDrag::OnTreeDragOver(POINT screen) {
  DropTargetNode = categories_.NodeAt(ToClient(categories_.hwnd(), screen));
  const CategoryNode* selected = categories_.SelectedNode();
  const bool accepted = DropTargetNode != nullptr && selected != nullptr &&
                        selected == source_ && AcceptsShortcutDrop(*DropTargetNode, *selected);
  const CategoryNode* mark = accepted ? DropTargetNode : nullptr;
  if (mark != highlighted_) {
    image().Hide();
    categories_.SetDropHighlight(mark);
    if (mark != nullptr) categories_.ExpandAll(*mark);
    ::UpdateWindow(categories_.hwnd());
    image().Show();
    highlighted_ = mark;
  }
  return accepted;
}

void ShortcutDrag::ClearHighlight() {
  if (highlighted_ == nullptr) return;
  image().Hide();
  categories_.SetDropHighlight(nullptr);
  ::UpdateWindow(categories_.hwnd());
  image().Show();
  highlighted_ = nullptr;
}

void ShortcutDrag::OnRelease(POINT screen) {
  // Where the button went up decides, whatever the last move showed.
  const bool accepted = OnDragOver(screen);
  const HWND under = ::WindowFromPoint(screen);
  CategoryNode* target = DropTargetNode;
  categories_.SetDropHighlight(nullptr);
  highlighted_ = nullptr;
  if (!accepted) return;
  if (categories_.SelectedNode() != source_) return;
  if (under == list_.hwnd()) {
    if (onListDrop) onListDrop(ListDropIndex);
  } else if (under == categories_.hwnd() && target != nullptr) {
    if (onTreeDrop) onTreeDrop(*target);
  }
}

void ShortcutDrag::OnCancelled() {
  categories_.SetDropHighlight(nullptr);
  highlighted_ = nullptr;
}

}  // namespace tessaly::win32
