#include "categories/win32/CategoryPane.h"

#include <windowsx.h>

#include <utility>

#include "base/win32/AccessibleName.h"
#include "base/win32/Pictures.h"
#include "categories/win32/CategoryPaneRes.h"
#include "categories/win32/TreeImages.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch.
constexpr int kTreeImage = 24;
constexpr int kTreeIndent = 28;
constexpr int kTreeFontHeight = 20;
constexpr UINT_PTR kTreeSubclassId = 1;

}  // namespace

CategoryPane::CategoryPane(CategoryTree& model, const Services& services)
    : model_(model),
      services_(services),
      nameDialog_(services.boxes),
      iconChooser_(services.folders, services.boxes, services.pickers, services.pump,
                   treeImages_) {
  drag_.onDrop = [this](CategoryNode& moving, CategoryNode& target, CategoryDropPlace place) {
    OnCategoryDrop(moving, target, place);
  };
}

void CategoryPane::Create(HWND parent, int id, Dpi dpi) {
  RegisterClassOnce(kCategoryPaneClass);
  CreateAs(kCategoryPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, parent, id);
  dpi_ = dpi;
  treeFont_ = CreateFormFont(dpi, kTreeFontHeight);
  categoryTree_.Create(hwnd(), IDC_CATEGORY_TREE, treeFont_.get(), dpi.Scale(kTreeIndent));
  ::SetWindowSubclass(categoryTree_.hwnd(), &CategoryPane::TreeSubclass, kTreeSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
  GiveAccessibleName(categoryTree_.hwnd(), "Categories");

  menus_.reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CATEGORY_MENU)));
  categoryMenu_ = ::GetSubMenu(menus_.get(), 0);
}

void CategoryPane::LoadPictures() {
  if (picturesLoaded_) return;
  picturesLoaded_ = true;
  treeImages_ = LoadPictureStrip(IDB_TREE, kTreeImage, dpi_);
  categoryTree_.SetImageList(treeImages_.get());
}

void CategoryPane::ApplyPalette(const Palette& palette) {
  palette_ = palette;
  const HWND tree = categoryTree_.hwnd();
  TreeView_SetBkColor(tree, palette.window);
  TreeView_SetTextColor(tree, palette.windowText);
  TreeView_SetLineColor(tree, palette.grayText);
  ::InvalidateRect(tree, nullptr, TRUE);
}

void CategoryPane::OnDpiChanged(Dpi dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  // The control lets go of the old font before it is deleted.
  UniqueFont font = CreateFormFont(dpi_, kTreeFontHeight);
  categoryTree_.SetFontAndIndent(font.get(), dpi_.Scale(kTreeIndent));
  treeFont_ = std::move(font);
  if (!picturesLoaded_) return;
  UniqueImageList images = LoadPictureStrip(IDB_TREE, kTreeImage, dpi_);
  categoryTree_.SetImageList(images.get());
  treeImages_ = std::move(images);
  // Icons taken from files were added to the old images: each category with an icon of
  // its own finds its image again, at the new size, when it is next drawn.
  model_.ForEach([this](CategoryNode& node) {
    if (!node.iconText) return;
    node.imageIndex = 0;
    categoryTree_.RefreshImage(node);
  });
}

void CategoryPane::ShowTree() {
  // Before the first item: the images set the height of every row.
  LoadPictures();
  categoryTree_.Rebuild(model_);
  if (!model_.empty()) categoryTree_.Expand(*model_.roots().front());
}

void CategoryPane::SelectAt(std::optional<int> absoluteIndex) {
  if (!absoluteIndex) return;
  if (CategoryNode* node = model_.NodeAt(*absoluteIndex)) categoryTree_.Select(*node);
  RunPendingSelection();
}

void CategoryPane::RunPendingSelection() {
  if (!selectionPending_) return;
  selectionPending_ = false;
  services_.selection.Select(categoryTree_.SelectedNode());
}

LRESULT CALLBACK CategoryPane::TreeSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR self) noexcept {
  if (msg == WM_MOUSEMOVE) {
    GuardBoundary([&] {
      reinterpret_cast<CategoryPane*>(self)->OnTreeMouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    });
  } else if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &CategoryPane::TreeSubclass, kTreeSubclassId);
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void CategoryPane::OnTreeMouseMove(POINT clientPoint) {
  HoveredNode = categoryTree_.NodeAt(clientPoint);
}

void CategoryPane::OnTreeMouseUp(bool rightButton, POINT screenPoint) {
  if (!rightButton || HoveredNode == nullptr) return;
  ShowMenu(*HoveredNode, screenPoint);
}

void CategoryPane::ShowMenuAtSelection() {
  CategoryNode* node = categoryTree_.SelectedNode();
  if (node == nullptr) return;
  RECT label{};
  TreeView_GetItemRect(categoryTree_.hwnd(), categoryTree_.ItemOf(*node), &label, TRUE);
  POINT below{label.left, label.bottom};
  ::ClientToScreen(categoryTree_.hwnd(), &below);
  ShowMenu(*node, below);
}

void CategoryPane::ShowMenu(CategoryNode& node, POINT screenPoint) {
  // A top-level category cannot be renamed, so its menu does not offer it.
  const bool showRename = !node.isTopLevel();
  if (showRename && !renameShown_) {
    ::InsertMenuA(categoryMenu_, IDM_CHANGE_ICON, MF_BYCOMMAND | MF_STRING, IDM_RENAME_CATEGORY,
                  "Rename");
  } else if (!showRename && renameShown_) {
    ::RemoveMenu(categoryMenu_, IDM_RENAME_CATEGORY, MF_BYCOMMAND);
  }
  renameShown_ = showRename;
  categoryTree_.Select(node);
  // The category's list is filled before its menu opens.
  RunPendingSelection();
  ::TrackPopupMenu(categoryMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenPoint.x,
                   screenPoint.y, 0, hwnd(), nullptr);
}

void CategoryPane::NameCommand(NameDialogMode mode) {
  CategoryNode* node = categoryTree_.SelectedNode();
  if (node == nullptr) return;
  const auto check = [&](std::string& name) {
    const NameCheck storable = CheckCategoryName(name);
    return storable.ok ? CheckNameIsFree(model_, *node, mode, name) : storable;
  };
  const auto name = nameDialog_.Ask(hwnd(), NameDialogTextsFor(mode, *node), check);
  // The dialog lets messages run: the category may be gone by now.
  if (!name || categoryTree_.SelectedNode() != node) return;
  CategoryNode* created = ApplyCategoryName(model_, services_.store, *node, mode, *name);
  if (created == nullptr) {
    categoryTree_.UpdateText(*node);
  } else {
    // New categories are not selected; the list stays as it was.
    categoryTree_.InsertNode(model_, *created);
    if (mode == NameDialogMode::Add) categoryTree_.ExpandAll(*node);
  }
  services_.treeSaver.SaveTree();
}

void CategoryPane::OnRenameCategory() {
  const CategoryNode* node = categoryTree_.SelectedNode();
  if (node == nullptr) return;
  if (KeepsNameAndPlace(*node)) {
    services_.boxes.Information(kRenameRefusedText);
    return;
  }
  NameCommand(NameDialogMode::Rename);
}

void CategoryPane::OnDeleteCategory() {
  CategoryNode* node = categoryTree_.SelectedNode();
  if (node == nullptr || !services_.boxes.Confirm(DeleteQuestion(*node))) return;
  if (categoryTree_.SelectedNode() != node) return;
  if (HoveredNode != nullptr && CategoryTree::IsSelfOrAncestor(*node, *HoveredNode)) {
    HoveredNode = nullptr;
  }
  // The list lets go of the branch before it goes; the control chooses the next
  // selection as the item goes, and the list is filled for it at once.
  services_.selection.Forget(*node);
  categoryTree_.RemoveNode(*node);
  DeleteCategory(model_, services_.store, *node);
  selectionPending_ = true;
  RunPendingSelection();
  services_.treeSaver.SaveTree();
}

void CategoryPane::OnChangeIcon() {
  CategoryNode* node = categoryTree_.SelectedNode();
  if (node == nullptr) return;
  const std::optional<std::string> choice = iconChooser_.Choose(hwnd());
  if (!choice || categoryTree_.SelectedNode() != node) return;
  if (!ApplyIconChoice(*node, *choice)) return;
  categoryTree_.RefreshImage(*node);
  services_.treeSaver.SaveTree();
}

void CategoryPane::OnCategoryDrop(CategoryNode& moving, CategoryNode& target,
                                  CategoryDropPlace place) {
  MoveCategory(model_, services_.store, moving, target, place);
  categoryTree_.ShowMoved(model_, moving);
  services_.treeSaver.SaveTree();
}

void CategoryPane::OnCommand(int id) {
  switch (id) {
    case IDM_ADD_CATEGORY:
      NameCommand(NameDialogMode::Add);
      return;
    case IDM_INSERT_CATEGORY:
      NameCommand(NameDialogMode::Insert);
      return;
    case IDM_DELETE_CATEGORY:
      OnDeleteCategory();
      return;
    case IDM_RENAME_CATEGORY:
      OnRenameCategory();
      return;
    case IDM_CHANGE_ICON:
      OnChangeIcon();
      return;
    case IDM_SHOW_CATEGORY_MENU:
      ShowMenuAtSelection();
      return;
    case IDM_OPEN_ALL:
    case IDM_CATEGORY_LINK:
      // They open and launch, which is above this pane: the main window's.
      ::SendMessageA(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, 0), 0);
      return;
    default:
      return;
  }
}

LRESULT CategoryPane::OnTreeCustomDraw(NMTVCUSTOMDRAW& draw) const {
  if (!palette_.ownText()) return CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  // The tree shows its selection without the focus on the system's light face, in
  // the palette's light text.
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED) != 0 &&
      ::GetFocus() != categoryTree_.hwnd()) {
    draw.clrText = palette_.windowText;
    draw.clrTextBk = palette_.inactiveSelection;
  }
  return CDRF_DODEFAULT;
}

LRESULT CategoryPane::OnNotify(NMHDR& header) {
  if (header.hwndFrom != categoryTree_.hwnd()) return 0;
  switch (header.code) {
    case NM_CUSTOMDRAW:
      return OnTreeCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
    case TVN_BEGINDRAGA: {
      POINT screen{};
      ::GetCursorPos(&screen);
      drag_.OnTreeBeginDrag(hwnd(), reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.hItem,
                            screen);
      return 0;
    }
    case TVN_KEYDOWN:
      if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_ESCAPE) drag_.Cancel();
      return 0;
    case TVN_SELCHANGEDA:
      // The list is filled once the tree has finished changing its selection: a
      // filling lets pending messages run, and a selection made meanwhile must not
      // re-enter the tree control while it is still inside this notification.
      if (!categoryTree_.rebuilding() && !selectionPending_) {
        selectionPending_ = true;
        ::PostMessageA(hwnd(), kRunSelection, 0, 0);
      }
      return 0;
    case TVN_GETDISPINFOA: {
      auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
      if ((info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) == 0) return 0;
      CategoryNode* node = reinterpret_cast<CategoryNode*>(info.item.lParam);
      if (node == nullptr) return 0;
      const int image = ResolveTreeImage(*node, treeImages_.get());
      info.item.iImage = image;
      info.item.iSelectedImage = image;
      // A resolved image is kept by the control; index 0 is looked at again.
      if (image > 0) info.item.mask |= TVIF_DI_SETITEM;
      return 0;
    }
    case NM_RCLICK: {
      const DWORD position = ::GetMessagePos();
      OnTreeMouseUp(true, {GET_X_LPARAM(position), GET_Y_LPARAM(position)});
      return TRUE;
    }
    default:
      return 0;
  }
}

LRESULT CategoryPane::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // While a drag runs the pane holds the mouse for it.
  if (drag_.OnMouseMessage(hwnd(), msg, wp, lp)) return 0;
  switch (msg) {
    case WM_SIZE:
      ::MoveWindow(categoryTree_.hwnd(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_COMMAND:
      OnCommand(LOWORD(wp));
      return 0;
    case WM_CONTEXTMENU:
      // The keyboard's menu is opened by the main window's keys; the system's second
      // request for it is not answered (see the shortcut pane).
      return 0;
    case kRunSelection:
      RunPendingSelection();
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
