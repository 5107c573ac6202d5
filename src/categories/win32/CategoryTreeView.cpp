#include "categories/win32/CategoryTreeView.h"

#include <algorithm>

#include "base/ScopedFlag.h"

namespace tessaly::win32 {

void CategoryTreeView::Create(HWND parent, int id, HFONT font, int indent) {
  // No lines, no root lines, no in-place editing; selecting a node expands it and
  // collapses the branch selected before.
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TVS_HASBUTTONS |
                      TVS_SINGLEEXPAND | TVS_SHOWSELALWAYS;
  hwnd_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  indent_ = indent;
  TreeView_SetIndent(hwnd_, indent_);
}

void CategoryTreeView::SetImageList(HIMAGELIST images) {
  TreeView_SetImageList(hwnd_, images, TVSIL_NORMAL);
  // A new image list makes some tree controls fit the indent to the images again.
  TreeView_SetIndent(hwnd_, indent_);
}

void CategoryTreeView::SetFontAndIndent(HFONT font, int indent) {
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  indent_ = indent;
  TreeView_SetIndent(hwnd_, indent_);
}

HTREEITEM CategoryTreeView::Insert(const CategoryNode& node, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(node.name.c_str());
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  insert.item.iImage = I_IMAGECALLBACK;
  insert.item.iSelectedImage = I_IMAGECALLBACK;
  const auto item = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  items_[&node] = item;
  return item;
}

void CategoryTreeView::InsertSubtree(const CategoryNode& node, HTREEITEM parent, HTREEITEM after) {
  const HTREEITEM item = Insert(node, parent, after);
  for (const auto& child : node.children()) InsertSubtree(*child, item, TVI_LAST);
}

void CategoryTreeView::Rebuild(const CategoryTree& tree) {
  ScopedFlag scope(rebuilding_);
  // Hundreds of items: the control lays out and paints once, not after each of them.
  ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(hwnd_);
  items_.clear();
  for (const auto& root : tree.roots()) InsertSubtree(*root, TVI_ROOT, TVI_LAST);
  ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CategoryTreeView::InsertNode(const CategoryTree& tree, const CategoryNode& node) {
  const HTREEITEM parent = node.parent() != nullptr ? ItemOf(*node.parent()) : TVI_ROOT;
  const auto& siblings = node.parent() != nullptr ? node.parent()->children() : tree.roots();
  // The new item follows the item of the model sibling just before the node.
  HTREEITEM after = TVI_FIRST;
  for (const auto& sibling : siblings) {
    if (sibling.get() == &node) break;
    after = ItemOf(*sibling);
  }
  InsertSubtree(node, parent, after);
}

void CategoryTreeView::Forget(const CategoryNode& node) {
  items_.erase(&node);
  for (const auto& child : node.children()) Forget(*child);
}

void CategoryTreeView::RemoveNode(const CategoryNode& node) {
  const HTREEITEM item = ItemOf(node);
  Forget(node);
  if (item != nullptr) TreeView_DeleteItem(hwnd_, item);
}

void CategoryTreeView::UpdateText(const CategoryNode& node) {
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = ItemOf(node);
  item.pszText = const_cast<char*>(node.name.c_str());
  ::SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CategoryTreeView::RefreshImage(const CategoryNode& node) {
  TVITEMA item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = ItemOf(node);
  item.iImage = I_IMAGECALLBACK;
  item.iSelectedImage = I_IMAGECALLBACK;
  ::SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void CategoryTreeView::Select(const CategoryNode& node) {
  const HTREEITEM item = ItemOf(node);
  if (item == nullptr) return;
  TreeView_SelectItem(hwnd_, item);
  TreeView_EnsureVisible(hwnd_, item);
}

CategoryNode* CategoryTreeView::NodeOf(HTREEITEM item) const {
  if (item == nullptr) return nullptr;
  TVITEMA data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!::SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  return reinterpret_cast<CategoryNode*>(data.lParam);
}

CategoryNode* CategoryTreeView::SelectedNode() const { return NodeOf(TreeView_GetSelection(hwnd_)); }

HTREEITEM CategoryTreeView::ItemOf(const CategoryNode& node) const {
  const auto it = items_.find(&node);
  return it == items_.end() ? nullptr : it->second;
}

CategoryNode* CategoryTreeView::NodeAt(POINT clientPoint) const {
  TVHITTESTINFO hit{};
  hit.pt = clientPoint;
  const HTREEITEM item = TreeView_HitTest(hwnd_, &hit);
  if ((hit.flags & TVHT_ONITEM) == 0) return nullptr;
  return NodeOf(item);
}

CategoryNode* CategoryTreeView::HitTest(POINT clientPoint, UINT& flags) const {
  TVHITTESTINFO hit{};
  hit.pt = clientPoint;
  const HTREEITEM item = TreeView_HitTest(hwnd_, &hit);
  flags = hit.flags;
  return NodeOf(item);
}

namespace {

// NOTE: Wine's tree applies its single-expand rule to every TVM_SELECTITEM and
// TVM_EXPAND, the drop highlight and plain expansions included: it collapses the
// branch of the selected category, and the selection then silently moves to the
// collapsed parent. Windows applies the rule only when the selection changes. The
// style is taken off for such calls, so both behave alike.
class WithoutSingleExpand {
 public:
  explicit WithoutSingleExpand(HWND tree)
      : tree_(tree), style_(::GetWindowLongPtrA(tree, GWL_STYLE)) {
    if ((style_ & TVS_SINGLEEXPAND) != 0) {
      ::SetWindowLongPtrA(tree_, GWL_STYLE, style_ & ~LONG_PTR{TVS_SINGLEEXPAND});
    }
  }
  ~WithoutSingleExpand() {
    if ((style_ & TVS_SINGLEEXPAND) != 0) ::SetWindowLongPtrA(tree_, GWL_STYLE, style_);
  }
  WithoutSingleExpand(const WithoutSingleExpand&) = delete;
  WithoutSingleExpand& operator=(const WithoutSingleExpand&) = delete;

 private:
  HWND tree_;
  LONG_PTR style_;
};

}  // namespace

void CategoryTreeView::SetDropHighlight(const CategoryNode* node) {
  const WithoutSingleExpand plain(hwnd_);
  TreeView_SelectDropTarget(hwnd_, node != nullptr ? ItemOf(*node) : nullptr);
}

void CategoryTreeView::ShowMoved(const CategoryTree& tree, const CategoryNode& node) {
  {
    // The items go and come back; the control's selection changes meanwhile mean
    // nothing.
    ScopedFlag scope(rebuilding_);
    RemoveNode(node);
    InsertNode(tree, node);
  }
  Select(node);
}

void CategoryTreeView::Expand(const CategoryNode& node) {
  if (const HTREEITEM item = ItemOf(node)) TreeView_Expand(hwnd_, item, TVE_EXPAND);
}

void CategoryTreeView::ExpandAll(const CategoryNode& node) {
  const WithoutSingleExpand plain(hwnd_);
  Expand(node);
  for (const auto& child : node.children()) ExpandAll(*child);
}

bool CategoryTreeView::IsExpanded(const CategoryNode& node) const {
  const HTREEITEM item = ItemOf(node);
  if (item == nullptr) return false;
  return (TreeView_GetItemState(hwnd_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

}  // namespace tessaly::win32
