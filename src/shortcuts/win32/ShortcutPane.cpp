#include "shortcuts/win32/ShortcutPane.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/ScopedFlag.h"
#include "base/Text.h"
#include "base/win32/AccessibleName.h"
#include "base/win32/Text.h"
#include "shell/ListEntries.h"
#include "shortcuts/ShortcutDrops.h"
#include "shortcuts/ShortcutNames.h"
#include "shortcuts/win32/ShortcutPaneRes.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch.
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 62;
constexpr int kToolbarGlyph = 32;
constexpr int kTitleColumnWidth = 106;
constexpr int kSearchHeight = 24;
constexpr UINT kClickInterval = 200;

struct ToolButton {
  int id;
  int image;
  const char* caption;
  bool enabled;
};

// Left to right, as the user sees them.
constexpr ToolButton kToolButtons[] = {
    {IDC_ADD, 0, "Add", true},   {IDC_EDIT, 1, "Edit", false}, {IDC_REMOVE, 2, "Remove", false},
    {IDC_VIEW, 3, "View", true}, {IDC_ABOUT, 4, "About", true}, {IDC_EXIT, 5, "Exit", true},
};

}  // namespace

ShortcutPane::ShortcutPane(const Services& services, CategoryTreeView& categories)
    : services_(services),
      categories_(categories),
      commands_(shortcutList_, services.store, services.links, services.existence,
                services.launcher, services.boxes),
      editor_(services.boxes, services.pickers, services.existence,
              [this](const EditorFields& fields, bool editMode) { OnEditorAccepted(fields, editMode); }),
      drag_(shortcutList_, categories) {
  drag_.onListDrop = [this](int index) { OnListDrop(index); };
  drag_.onTreeDrop = [this](CategoryNode& target) { OnTreeDrop(target); };
}

void ShortcutPane::Create(HWND owner, Dpi dpi, HFONT font) {
  owner_ = owner;
  dpi_ = dpi;
  toolbar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                   TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                                   CCS_NOPARENTALIGN,
                               0, 0, 0, 0, owner,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                               ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  for (const ToolButton& tool : kToolButtons) {
    TBBUTTON button{};
    button.iBitmap = tool.image;
    button.idCommand = tool.id;
    button.fsState = tool.enabled ? TBSTATE_ENABLED : 0;
    button.fsStyle = BTNS_BUTTON;
    button.iString = reinterpret_cast<INT_PTR>(tool.caption);
    ::SendMessageA(toolbar_, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
  ::SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(dpi.Scale(kButtonWidth), dpi.Scale(kButtonHeight)));

  searchField_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                   owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCH)),
                                   ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(searchField_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The hint stays while the field is empty, focused or not.
  ::SendMessageW(searchField_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find a shortcut"));

  shortcutList_.Create(owner, IDC_SHORTCUT_LIST, font, dpi.Scale(kTitleColumnWidth));

  GiveAccessibleName(toolbar_, "Toolbar");
  GiveAccessibleName(searchField_, "Find a shortcut");
  GiveAccessibleName(shortcutList_.hwnd(), "Shortcuts");

  menus_.reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_LIST_MENUS)));
  listMenu_ = ::GetSubMenu(menus_.get(), 0);
  viewMenu_ = ::GetSubMenu(menus_.get(), 1);
  ::SetMenuDefaultItem(listMenu_, IDM_OPEN, FALSE);
}

void ShortcutPane::LoadPictures() {
  shortcutList_.AttachSystemImageLists();
  if (toolbarImages_) return;
  toolbarImages_ = LoadPictureStrip(IDB_TOOLBAR, kToolbarGlyph);
  ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));
  // A new image list makes the toolbar measure its buttons again.
  ::SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(dpi_.Scale(kButtonWidth), dpi_.Scale(kButtonHeight)));
  ::InvalidateRect(toolbar_, nullptr, TRUE);
}

void ShortcutPane::Layout(const RECT& area, int toolbarHeight) {
  const int width = std::max(0, static_cast<int>(area.right - area.left));
  const int height = std::max(0, static_cast<int>(area.bottom - area.top));
  const int toolbar = std::min(toolbarHeight, height);
  const int search = std::min(dpi_.Scale(kSearchHeight), height - toolbar);
  HDWP positions = ::BeginDeferWindowPos(3);
  positions = ::DeferWindowPos(positions, toolbar_, nullptr, area.left, area.top, width, toolbar,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, searchField_, nullptr, area.left, area.top + toolbar,
                               width, search, SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, shortcutList_.hwnd(), nullptr, area.left,
                               area.top + toolbar + search, width, height - toolbar - search,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
  shortcutList_.FitTargetColumn();
}

void ShortcutPane::CheckView(ViewStyle style) {
  const auto check = [&](int id, ViewStyle itemStyle) {
    ::CheckMenuItem(viewMenu_, static_cast<UINT>(id),
                    MF_BYCOMMAND | (style == itemStyle ? MF_CHECKED : MF_UNCHECKED));
  };
  check(IDM_VIEW_THUMB, ViewStyle::Thumb);
  check(IDM_VIEW_LIST, ViewStyle::List);
  check(IDM_VIEW_REPORT, ViewStyle::Report);
}

void ShortcutPane::ApplyStoredView(ViewStyle style) {
  CheckView(style);
  shortcutList_.SetViewStyle(style);
}

void ShortcutPane::ChooseView(ViewStyle style) {
  if (shortcutList_.viewStyle() == style) return;
  CheckView(style);
  services_.settings.WriteSetting(setting_key::View, ViewSettingValue(style));
  shortcutList_.SetViewStyle(style);
  shortcutList_.ResetImages();
}

void ShortcutPane::OnViewThumb() { ChooseView(ViewStyle::Thumb); }
void ShortcutPane::OnViewList() { ChooseView(ViewStyle::List); }
void ShortcutPane::OnViewReport() { ChooseView(ViewStyle::Report); }

void ShortcutPane::OnViewButton() {
  RECT button{};
  ::SendMessageA(toolbar_, TB_GETRECT, IDC_VIEW, reinterpret_cast<LPARAM>(&button));
  ::MapWindowPoints(toolbar_, owner_, reinterpret_cast<POINT*>(&button), 2);
  RECT window{};
  ::GetWindowRect(owner_, &window);
  // The window's outer corner plus the button's place in the client area, as the
  // menu has always opened, just below and right of the button's middle.
  const int x = window.left + button.left + dpi_.Scale(72);
  const int y = window.top + button.top + dpi_.Scale(65);
  ::TrackPopupMenu(viewMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, owner_,
                   nullptr);
}

void ShortcutPane::SetButtonEnabled(int id, bool enabled) {
  ::SendMessageA(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id),
                 MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void ShortcutPane::OnShortcutSelected(int item) {
  // What was found belongs to many categories: it is opened, never edited here.
  SetButtonEnabled(IDC_REMOVE, !searchMode_);
  SetButtonEnabled(IDC_EDIT, !searchMode_);
  DragStarted = false;
  services_.status.SetStatusText("Target: " +
                                 DisplayTarget(shortcutList_.Target(item), services_.links));
}

void ShortcutPane::OnListMouseUp(bool leftButton) {
  if (shortcutList_.SelectedCount() > 0) {
    SetButtonEnabled(IDC_REMOVE, !searchMode_);
    SetButtonEnabled(IDC_EDIT, !searchMode_);
    // Only a left click opens: a right click brings up the context menu, and the item
    // must not start behind it.
    if (leftButton) ::SetTimer(owner_, kClickTimer, kClickInterval, nullptr);
  } else {
    SetButtonEnabled(IDC_REMOVE, false);
    SetButtonEnabled(IDC_EDIT, false);
    if (!searchMode_) services_.status.SetStatusText(ItemCountText(shortcutList_.Count()));
  }
}

void ShortcutPane::OnClickTimer() {
  ::KillTimer(owner_, kClickTimer);
  if (DragStarted) return;
  lastSingleClickOpen_ = ::GetTickCount();
  singleClickOpened_ = true;
  OnOpen();
}

void ShortcutPane::OnListKeyPress(char key) {
  if (key == '\r') OnOpen();
}

void ShortcutPane::OnListDoubleClick() {
  // The double-click's first click has started the single-click timer: the item is
  // opened once, by whichever comes first.
  if (::KillTimer(owner_, kClickTimer)) {
    OnOpen();
    return;
  }
  const bool openedByFirstClick =
      singleClickOpened_ && ::GetTickCount() - lastSingleClickOpen_ <= ::GetDoubleClickTime();
  if (!openedByFirstClick) OnOpen();
}

void ShortcutPane::OnListMenuOpening() {
  const bool selected = shortcutList_.SelectedCount() > 0;
  const auto enable = [&](int id, bool enabled) {
    ::EnableMenuItem(listMenu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  for (const int id : {IDM_OPEN, IDM_RUN_AS_ADMINISTRATOR, IDM_LOCATION}) enable(id, selected);
  enable(IDM_EDIT, selected && !searchMode_);
  enable(IDM_REMOVE, selected && !searchMode_);
  enable(IDM_SORT, !searchMode_);
  enable(IDM_CLEAR, !searchMode_);
}

bool ShortcutPane::OnContextMenu(HWND window, LPARAM screenPoint) {
  if (window != shortcutList_.hwnd()) return false;
  POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: below the focused item, or at the list's corner.
    RECT item{};
    const int focused =
        static_cast<int>(ListView_GetNextItem(shortcutList_.hwnd(), -1, LVNI_FOCUSED));
    if (focused < 0 || !ListView_GetItemRect(shortcutList_.hwnd(), focused, &item, LVIR_LABEL)) {
      item = {};
    }
    point = {item.left, item.bottom};
    ::ClientToScreen(shortcutList_.hwnd(), &point);
  }
  OnListMenuOpening();
  ::TrackPopupMenu(listMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   owner_, nullptr);
  return true;
}

void ShortcutPane::OnOpen() { commands_.Open(); }

void ShortcutPane::OnLocation() { commands_.Location(); }

void ShortcutPane::OnAdd() {
  // A new shortcut goes into the selected category, shown again for it.
  EndSearch();
  services_.filling.FinishFilling();
  editor_.SetCaption("Add New Shortcut");
  editor_.ShortcutEditMode = false;
  editor_.ShowModal(owner_);
}

void ShortcutPane::OnEdit() {
  if (searchMode_) return;
  services_.filling.FinishFilling();
  const int item = shortcutList_.FirstSelected();
  if (item < 0) return;
  editor_.SetCaption("Edit the Shortcut");
  editor_.fields() = {shortcutList_.Target(item), shortcutList_.Title(item)};
  editor_.ShortcutEditMode = true;
  editor_.ShowModal(owner_);
}

void ShortcutPane::OnRemove() {
  if (searchMode_) return;
  services_.filling.FinishFilling();
  if (commands_.Remove(categories_.SelectedNode())) SetButtonEnabled(IDC_REMOVE, false);
}

void ShortcutPane::OnSort() {
  if (searchMode_) return;
  services_.filling.FinishFilling();
  {
    // The sort writes the items back in place, and every row whose selection flips
    // reports itself; none of them is a selection the user made.
    const ScopedFlag quiet(sorting_);
    shortcutList_.SortByTitle();
  }
  ShowSelectionStatus();
  SaveSelectedSection();
}

void ShortcutPane::ShowSelectionStatus() {
  const int selected = shortcutList_.FirstSelected();
  services_.status.SetStatusText(
      selected >= 0 ? "Target: " + DisplayTarget(shortcutList_.Target(selected), services_.links)
                    : ItemCountText(shortcutList_.Count()));
}

void ShortcutPane::OnClear() {
  if (searchMode_) return;
  services_.filling.FinishFilling();
  if (commands_.Clear(categories_.SelectedNode())) SetButtonEnabled(IDC_REMOVE, false);
}

void ShortcutPane::OnDropFiles(HDROP drop) {
  // Dropped files join the selected category, shown again for it.
  EndSearch();
  std::vector<std::string> paths;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    // A name too long for the buffer is left out rather than stored cut short.
    const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    if (length == 0 || length >= MAX_PATH) continue;
    ::DragQueryFileA(drop, i, path, MAX_PATH);
    paths.emplace_back(path, length);
  }
  ::DragFinish(drop);
  services_.filling.FinishFilling();
  commands_.AddDroppedFiles(paths, categories_.SelectedNode());
}

void ShortcutPane::OnListBeginDrag(int item) {
  if (searchMode_) return;
  DragStarted = true;
  POINT screen{};
  ::GetCursorPos(&screen);
  drag_.OnListBeginDrag(owner_, item, screen);
}

bool ShortcutPane::OnDragMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return drag_.OnMouseMessage(owner_, msg, wp, lp);
}

void ShortcutPane::OnListDrop(int listDropIndex) {
  DragStarted = false;
  services_.filling.FinishFilling();
  ReorderDrop(shortcutList_, drag_.DraggedItems, listDropIndex, [this] { SaveSelectedSection(); });
  shortcutList_.Rearrange();
}

void ShortcutPane::OnTreeDrop(CategoryNode& target) {
  DragStarted = false;
  const CategoryNode* selected = categories_.SelectedNode();
  if (selected == nullptr) return;
  services_.filling.FinishFilling();
  if (!DropShortcutsOnCategory(shortcutList_, services_.store, *selected, target,
                               drag_.DraggedItems)) {
    return;
  }
  SetButtonEnabled(IDC_REMOVE, false);
  SetButtonEnabled(IDC_EDIT, false);
  services_.status.SetStatusText(ItemCountText(shortcutList_.Count()));
}

void ShortcutPane::OnRunAsAdministrator() { commands_.RunAsAdministrator(); }

void ShortcutPane::OnEditorAccepted(const EditorFields& fields, bool editMode) {
  // A filling may have started while the editor was open (its messages run meanwhile).
  services_.filling.FinishFilling();
  ApplyEditorFields(shortcutList_, editMode, fields);
  SaveSelectedSection();
}

void ShortcutPane::SaveSelectedSection() {
  // A list of what was found is never stored as a category's section.
  if (searchMode_) return;
  if (const CategoryNode* node = categories_.SelectedNode()) {
    services_.store.SaveCategorySection(*node, shortcutList_);
  }
}

bool ShortcutPane::OnCommand(int id, int code) {
  switch (id) {
    case IDC_SEARCH:
      if (code == EN_CHANGE) OnSearchChanged();
      return true;
    case IDM_RUN_AS_ADMINISTRATOR:
      OnRunAsAdministrator();
      return true;
    case IDC_VIEW:
      OnViewButton();
      return true;
    case IDM_VIEW_THUMB:
      OnViewThumb();
      return true;
    case IDM_VIEW_LIST:
      OnViewList();
      return true;
    case IDM_VIEW_REPORT:
      OnViewReport();
      return true;
    case IDM_OPEN:
      OnOpen();
      return true;
    case IDM_LOCATION:
      OnLocation();
      return true;
    case IDC_ADD:
    case IDM_ADD:
      OnAdd();
      return true;
    case IDC_EDIT:
    case IDM_EDIT:
      OnEdit();
      return true;
    case IDC_REMOVE:
    case IDM_REMOVE:
      OnRemove();
      return true;
    case IDM_SORT:
      OnSort();
      return true;
    case IDM_CLEAR:
      OnClear();
      return true;
    default:
      return false;
  }
}

LRESULT ShortcutPane::OnNotify(NMHDR& header) {
  if (header.hwndFrom == toolbar_) {
    if (header.code == NM_RCLICK &&
        reinterpret_cast<const NMMOUSE&>(header).dwItemSpec == IDC_VIEW) {
      OnViewButton();
      return TRUE;
    }
    return 0;
  }
  if (header.code == TTN_GETDISPINFOA && header.idFrom == IDC_VIEW) {
    auto& tip = reinterpret_cast<NMTTDISPINFOA&>(header);
    tip.lpszText = const_cast<char*>("View Style");
    return 0;
  }
  if (header.hwndFrom != shortcutList_.hwnd()) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      shortcutList_.OnGetItemImage(reinterpret_cast<NMLVDISPINFOA&>(header));
      return 0;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool selectionChanged = (change.uChanged & LVIF_STATE) != 0 &&
                                    ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
      if (selectionChanged && change.iItem >= 0 && !sorting_) OnShortcutSelected(change.iItem);
      return 0;
    }
    case NM_CLICK:
      OnListMouseUp(true);
      return 0;
    case NM_RCLICK:
      OnListMouseUp(false);
      return 0;
    case NM_DBLCLK:
      OnListDoubleClick();
      return 0;
    case NM_RETURN:
      OnListKeyPress('\r');
      return 0;
    case LVN_BEGINDRAG:
      OnListBeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) drag_.Cancel();
      return 0;
    case LVN_DELETEALLITEMS:
      // Nothing is kept per item, so the control need not report each one it deletes.
      return TRUE;
    default:
      return 0;
  }
}

}  // namespace tessaly::win32
