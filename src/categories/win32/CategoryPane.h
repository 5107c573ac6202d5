#pragma once
// The left pane of the main window: the category tree, its images and the category
// menu. The main window hands it the tree's notifications and the menu's commands.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/win32/Handle.h"
#include "base/win32/Pictures.h"
#include "categories/CategorySelection.h"
#include "categories/win32/CategoryDrag.h"
#include "categories/win32/CategoryTreeView.h"
#include "categories/win32/IconChooser.h"
#include "categories/win32/NameDialog.h"
#include "model/CategoryTree.h"
#include "shell/ShellPorts.h"
#include "store/ShortcutStore.h"

namespace tessaly::win32 {

// Posted to the main window when the tree's selection has changed; the main window
// hands it to RunPendingSelection.
inline constexpr UINT kRunSelection = WM_APP + 2;

class CategoryPane {
 public:
  struct Services {
    ShortcutStore& store;
    MessageBoxes& boxes;
    Folders& folders;
    Pickers& pickers;
    MessagePump& pump;
  };

  CategoryPane(CategoryTree& model, const Services& services);
  CategoryPane(const CategoryPane&) = delete;
  CategoryPane& operator=(const CategoryPane&) = delete;

  // Creates the tree control as a child of owner; selections fill the list through
  // selection.
  void Create(HWND owner, Dpi dpi, CategorySelection& selection);
  // The tree's images. An empty tree draws none, so the window loads them after its
  // first paint; the tree loads them itself if it is filled before. Runs once.
  void LoadPictures();

  // Shows the model's nodes, the first top-level category expanded.
  void ShowTree();
  // Selects the node at that absolute index, if there is one, and fills the list.
  void SelectAt(std::optional<int> absoluteIndex);

  // Notifications from the tree control.
  LRESULT OnNotify(NMHDR& header);
  // The category menu's commands; false for a command that is not the pane's.
  bool OnCommand(int id);
  // Fills the list for the tree's selection if it changed since the last filling.
  void RunPendingSelection();
  // Fills the list for the selected category again.
  void ShowSelected();
  // Opens the category menu for the selected category, below its name: the keyboard's
  // way to the menu.
  void ShowMenuAtSelection();
  // Runs before every filling of the list for a category.
  void OnSelecting(std::function<void()> selecting) { selecting_ = std::move(selecting); }
  // The main window's mouse messages while a category is dragged; true when taken.
  bool OnDragMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Runs after every drop on the tree.
  void OnTreeDropped(std::function<void()> dropped) { treeDropped_ = std::move(dropped); }

  CategoryTreeView& tree() { return categoryTree_; }
  HWND hwnd() const { return categoryTree_.hwnd(); }
  HMENU categoryMenu() const { return categoryMenu_; }
  CategoryNode* hoveredNode() const { return HoveredNode; }
  NameDialog& nameDialog() { return nameDialog_; }
  IconChooser& iconChooser() { return iconChooser_; }
  const CategoryDrag& drag() const { return drag_; }
  // Runs after every change of the tree's shape, names or icons.
  void OnTreeChanged(std::function<void()> changed) { treeChanged_ = std::move(changed); }

 private:
  static LRESULT CALLBACK TreeSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
  void OnCategorySelected(CategoryNode* node);
  void OnTreeMouseMove(POINT clientPoint);
  void OnTreeMouseUp(bool rightButton, POINT screenPoint);
  void ShowMenu(CategoryNode& node, POINT screenPoint);
  void OnAddCategory();
  void OnInsertCategory();
  void OnDeleteCategory();
  void OnRenameCategory();
  void OnChangeIcon();
  // Asks for a name and carries out the command on the selected category.
  void NameCommand(NameDialogMode mode);
  void TreeChanged();
  void OnCategoryDrop(CategoryNode& moving, CategoryNode& target, CategoryDropPlace place);

  CategoryTree& model_;
  Services services_;
  CategorySelection* selection_ = nullptr;
  HWND owner_ = nullptr;
  CategoryTreeView categoryTree_;
  UniqueFont treeFont_;
  UniqueImageList treeImages_;
  NameDialog nameDialog_;
  IconChooser iconChooser_;
  std::function<void()> treeChanged_;
  std::function<void()> treeDropped_;
  std::function<void()> selecting_;
  CategoryDrag drag_{categoryTree_};
  UniqueMenu menus_;
  HMENU categoryMenu_ = nullptr;
  CategoryNode* HoveredNode = nullptr;
  bool renameShown_ = true;
  bool picturesLoaded_ = false;
  bool selectionPending_ = false;
};

}  // namespace tessaly::win32
