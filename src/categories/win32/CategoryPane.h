#pragma once
// The left pane of the main window, a window of its own: the category tree, its
// images and the category menu. The tree's notifications, the menu's commands, the
// posted selection and a drag's mouse messages all come to this window.

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/Theme.h"
#include "base/win32/Dpi.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"
#include "categories/CategorySelection.h"
#include "categories/win32/CategoryDrag.h"
#include "categories/win32/CategoryTreeView.h"
#include "categories/win32/IconChooser.h"
#include "categories/win32/NameDialog.h"
#include "model/CategoryTree.h"
#include "shell/ShellPorts.h"
#include "store/CategoryStore.h"
#include "store/ShortcutStore.h"

namespace tessaly::win32 {

inline constexpr const char* kCategoryPaneClass = "TessalyCategoryPane";
// Posted to the pane when the tree's selection has changed; the list is filled then.
inline constexpr UINT kRunSelection = WM_APP + 2;

class CategoryPane : public Window<CategoryPane> {
 public:
  struct Services {
    ShortcutStore& store;
    CategorySelection& selection;
    TreeSaver& treeSaver;
    StatusLine& status;
    MessageBoxes& boxes;
    Folders& folders;
    Pickers& pickers;
    MessagePump& pump;
  };

  CategoryPane(CategoryTree& model, const Services& services);

  // Creates the pane with its tree as a child of parent.
  void Create(HWND parent, int id, Dpi dpi);
  // The tree's images. An empty tree draws none, so the window loads them after its
  // first paint; the tree loads them itself if it is filled before. Runs once.
  void LoadPictures();
  // The window has moved to a monitor of another resolution: the tree's font, indent
  // and images are made again at it.
  void OnDpiChanged(Dpi dpi);

  // Shows the model's nodes, the first top-level category expanded.
  void ShowTree();
  // Selects the node at that absolute index, if there is one, and fills the list.
  void SelectAt(std::optional<int> absoluteIndex);

  // The tree's colours.
  void ApplyPalette(const Palette& palette);

  HWND treeWindow() const { return categoryTree_.hwnd(); }
  CategoryTreeView& tree() { return categoryTree_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK TreeSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
  LRESULT OnNotify(NMHDR& header);
  LRESULT OnTreeCustomDraw(NMTVCUSTOMDRAW& draw) const;
  void OnCommand(int id);
  // Fills the list for the tree's selection if it changed since the last filling.
  void RunPendingSelection();
  void OnTreeMouseMove(POINT clientPoint);
  void OnTreeMouseUp(bool rightButton, POINT screenPoint);
  void ShowMenu(CategoryNode& node, POINT screenPoint);
  void ShowMenuAtSelection();
  void OnRenameCategory();
  void OnDeleteCategory();
  void OnChangeIcon();
  // Asks for a name and carries out the command on the selected category.
  void NameCommand(NameDialogMode mode);
  void OnCategoryDrop(CategoryNode& moving, CategoryNode& target, CategoryDropPlace place);

  CategoryTree& model_;
  Services services_;
  CategoryTreeView categoryTree_;
  Palette palette_;
  Dpi dpi_;
  UniqueFont treeFont_;
  UniqueImageList treeImages_;
  NameDialog nameDialog_;
  IconChooser iconChooser_;
  CategoryDrag drag_{categoryTree_, model_, services_.status};
  UniqueMenu menus_;
  HMENU categoryMenu_ = nullptr;
  CategoryNode* HoveredNode = nullptr;
  bool renameShown_ = true;
  bool picturesLoaded_ = false;
  bool selectionPending_ = false;
};

}  // namespace tessaly::win32
