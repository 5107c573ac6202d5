#pragma once
// The category tree control: shows the category tree model. Every item carries its model node; the
// model stays the one truth, the control only mirrors it.

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "base/win32/Handle.h"
#include "model/CategoryTree.h"

namespace tessaly::win32 {

class CategoryTreeView {
 public:
  CategoryTreeView() = default;
  CategoryTreeView(const CategoryTreeView&) = delete;
  CategoryTreeView& operator=(const CategoryTreeView&) = delete;

  void Create(HWND parent, int id, HFONT font, int indent);
  HWND hwnd() const { return hwnd_; }
  // The tree's own images, owned by the category pane.
  void SetImageList(HIMAGELIST images);
  // The font and indent of another resolution.
  void SetFontAndIndent(HFONT font, int indent);

  // Replaces every item with the nodes of tree, in order. No selection event fires.
  void Rebuild(const CategoryTree& tree);
  // Adds the item of a node that is already in the model at its place.
  void InsertNode(const CategoryTree& tree, const CategoryNode& node);
  // Removes the item of node and those of its sub-tree.
  void RemoveNode(const CategoryNode& node);
  void UpdateText(const CategoryNode& node);
  // Asks for the node's image again when it is next drawn.
  void RefreshImage(const CategoryNode& node);

  // Selects node (firing the selection event) and reveals it.
  void Select(const CategoryNode& node);
  CategoryNode* SelectedNode() const;
  CategoryNode* NodeOf(HTREEITEM item) const;
  HTREEITEM ItemOf(const CategoryNode& node) const;
  CategoryNode* NodeAt(POINT clientPoint) const;
  // The category whose row holds the point, whatever part of the row it is on, with
  // the tree's hit-test flags telling which part.
  CategoryNode* HitTest(POINT clientPoint, UINT& flags) const;
  // Marks the category a drag would drop on; nullptr clears the mark.
  void SetDropHighlight(const CategoryNode* node);
  // Shows a node the model has moved at its new place, selected.
  void ShowMoved(const CategoryTree& tree, const CategoryNode& node);
  void Expand(const CategoryNode& node);
  void ExpandAll(const CategoryNode& node);
  bool IsExpanded(const CategoryNode& node) const;

  // True while items are being added or removed in bulk: selection events then are
  // the control's own and mean nothing.
  bool rebuilding() const { return rebuilding_; }

 private:
  HTREEITEM Insert(const CategoryNode& node, HTREEITEM parent, HTREEITEM after);
  void InsertSubtree(const CategoryNode& node, HTREEITEM parent, HTREEITEM after);
  void Forget(const CategoryNode& node);

  HWND hwnd_ = nullptr;
  int indent_ = 0;
  std::unordered_map<const CategoryNode*, HTREEITEM> items_;
  bool rebuilding_ = false;
};

}  // namespace tessaly::win32
