#include "shortcuts/win32/ShortcutPane.h"

#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "base/ScopedFlag.h"
#include "base/Text.h"
#include "base/win32/AccessibleName.h"
#include "base/win32/Pictures.h"
#include "base/win32/Text.h"
#include "shortcuts/win32/ShortcutPaneRes.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch.
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 62;
constexpr int kToolbarHeight = 64;
constexpr int kToolbarGlyph = 32;
constexpr int kTitleColumnWidth = 106;
constexpr int kSearchHeight = 24;
constexpr UINT kClickInterval = 200;
// The time each tick of the icon timer may spend looking icons up.
constexpr std::chrono::milliseconds kIconTurn{4};

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

ShortcutPane::ShortcutPane(ShortcutPaneModel& model, CategoryTreeView& categories,
                           const Services& services)
    : model_(model),
      services_(services),
      list_(model.list()),
      editor_(services.boxes, services.pickers, services.existence),
      drag_(model, list_, categories, services.status) {}

void ShortcutPane::Create(HWND parent, int id, Dpi dpi, HFONT font) {
  dpi_ = dpi;
  RegisterClassOnce(kShortcutPaneClass);
  CreateAs(kShortcutPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, parent, id);
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  toolbar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                   TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                                   CCS_NOPARENTALIGN,
                               0, 0, 0, 0, hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), instance,
                               nullptr);
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
  SizeToolbarButtons();

  searchField_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                   hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCH)),
                                   instance, nullptr);
  ::SendMessageA(searchField_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The hint stays while the field is empty, focused or not.
  ::SendMessageW(searchField_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find a shortcut"));

  list_.Create(hwnd(), IDC_SHORTCUT_LIST, font, dpi, dpi.Scale(kTitleColumnWidth));
  model_.list().SetObserver(this);

  GiveAccessibleName(toolbar_, "Toolbar");
  GiveAccessibleName(searchField_, "Find a shortcut");
  GiveAccessibleName(list_.hwnd(), "Shortcuts");

  menus_.reset(::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_LIST_MENUS)));
  listMenu_ = ::GetSubMenu(menus_.get(), 0);
  viewMenu_ = ::GetSubMenu(menus_.get(), 1);
  ::SetMenuDefaultItem(listMenu_, IDM_OPEN, FALSE);
}

void ShortcutPane::LoadPictures() {
  list_.AttachSystemImageLists();
  if (toolbarImages_) return;
  ShowToolbarPictures();
}

void ShortcutPane::ShowToolbarPictures() {
  UniqueImageList images = LoadPictureStrip(IDB_TOOLBAR, kToolbarGlyph, dpi_);
  ::SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  toolbarImages_ = std::move(images);
  // A new image list makes the toolbar measure its buttons again.
  SizeToolbarButtons();
  ::InvalidateRect(toolbar_, nullptr, TRUE);
}

void ShortcutPane::SizeToolbarButtons() {
  ::SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(dpi_.Scale(kButtonWidth), dpi_.Scale(kButtonHeight)));
}

void ShortcutPane::ApplyPalette(const Palette& palette) {
  palette_ = palette;
  const HWND list = list_.hwnd();
  ListView_SetBkColor(list, palette.window);
  ListView_SetTextBkColor(list, palette.window);
  ListView_SetTextColor(list, palette.windowText);
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT ShortcutPane::OnSearchFieldColours(HDC dc) {
  ::SetTextColor(dc, palette_->windowText);
  ::SetBkColor(dc, palette_->window);
  return reinterpret_cast<LRESULT>(searchBrush_.Get(palette_->window));
}

LRESULT ShortcutPane::OnToolbarCustomDraw(NMTBCUSTOMDRAW& draw) {
  // The toolbar's own drawing puts the system's button text on it, unreadable on a
  // dark face.
  if (!palette_ || !palette_->ownText()) return CDRF_DODEFAULT;
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      ::FillRect(draw.nmcd.hdc, &draw.nmcd.rc, faceBrush_.Get(palette_->face));
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      draw.clrBtnFace = palette_->face;
      draw.clrTextHighlight = palette_->faceText;
      if ((draw.nmcd.uItemState & CDIS_DISABLED) != 0) {
        // The etched look of a disabled caption is made for a light face.
        draw.clrText = palette_->grayText;
        return TBCDRF_USECDCOLORS | TBCDRF_NOETCHEDEFFECT;
      }
      draw.clrText = palette_->faceText;
      return TBCDRF_USECDCOLORS;
    default:
      return CDRF_DODEFAULT;
  }
}

void ShortcutPane::OnDpiChanged(Dpi dpi, HFONT font) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  ::SendMessageA(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageA(searchField_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (toolbarImages_) {
    ShowToolbarPictures();
  } else {
    SizeToolbarButtons();
  }
  list_.OnDpiChanged(dpi_, font);
  Layout();
}

void ShortcutPane::Layout() {
  RECT area{};
  ::GetClientRect(hwnd(), &area);
  const int width = area.right;
  const int height = area.bottom;
  const int toolbar = std::min(dpi_.Scale(kToolbarHeight), height);
  const int search = std::min(dpi_.Scale(kSearchHeight), height - toolbar);
  HDWP positions = ::BeginDeferWindowPos(3);
  positions = ::DeferWindowPos(positions, toolbar_, nullptr, 0, 0, width, toolbar,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, searchField_, nullptr, 0, toolbar, width, search,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, list_.hwnd(), nullptr, 0, toolbar + search, width,
                               height - toolbar - search, SWP_NOZORDER | SWP_NOACTIVATE);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
  list_.FitTargetColumn();
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
  list_.SetViewStyle(style);
}

void ShortcutPane::ChooseView(ViewStyle style) {
  if (list_.viewStyle() == style) return;
  CheckView(style);
  services_.settings.WriteSetting(setting_key::View, ViewSettingValue(style));
  list_.SetViewStyle(style);
}

void ShortcutPane::OnViewButton() {
  RECT button{};
  ::SendMessageA(toolbar_, TB_GETRECT, IDC_VIEW, reinterpret_cast<LPARAM>(&button));
  ::MapWindowPoints(toolbar_, ::GetAncestor(hwnd(), GA_ROOT), reinterpret_cast<POINT*>(&button), 2);
  RECT window{};
  ::GetWindowRect(::GetAncestor(hwnd(), GA_ROOT), &window);
  // The window's outer corner plus the button's place in the client area, as the
  // menu has always opened, just below and right of the button's middle.
  const int x = window.left + button.left + dpi_.Scale(72);
  const int y = window.top + button.top + dpi_.Scale(65);
  ::TrackPopupMenu(viewMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd(),
                   nullptr);
}

void ShortcutPane::ShowAvailability() {
  const Availability available = model_.Available(list_.SelectedCount());
  const auto enable = [&](int id, bool enabled) {
    ::SendMessageA(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enabled ? TRUE : FALSE, 0));
  };
  enable(IDC_ADD, available.add);
  enable(IDC_EDIT, available.edit);
  enable(IDC_REMOVE, available.remove);
}

void ShortcutPane::OnListChanged(const ListChange& change) {
  list_.OnListChanged(change);
  if (change.kind == ListChange::Kind::Grown) return;
  if (change.kind == ListChange::Kind::Replaced) {
    // A drag ends with the list it started in.
    drag_.Cancel();
    model_.ClearDragStarted();
    if (!model_.searching()) {
      list_.DeferIconLookups(false);
      // The category is shown again: what was typed is gone with what it found.
      if (::GetWindowTextLengthA(searchField_) > 0) SetSearchText("");
    }
  } else {
    services_.status.SetStatusText(model_.SelectionStatus(change.selection));
  }
  ShowAvailability();
}

void ShortcutPane::OnUpdateHeld(bool held) { list_.OnUpdateHeld(held); }

void ShortcutPane::OnShortcutSelected(int item) {
  model_.ClearDragStarted();
  if (item < model_.list().Count()) services_.status.SetStatusText(model_.SelectionStatus({item}));
}

void ShortcutPane::OnListMouseUp(bool leftButton) {
  ShowAvailability();
  if (list_.SelectedCount() > 0) {
    // Only a left click opens: a right click brings up the context menu, and the item
    // must not start behind it.
    if (leftButton) ::SetTimer(hwnd(), kClickTimer, kClickInterval, nullptr);
  } else if (!model_.searching()) {
    services_.status.SetStatusText(model_.SelectionStatus({}));
  }
}

void ShortcutPane::OnClickTimer() {
  ::KillTimer(hwnd(), kClickTimer);
  if (model_.dragStarted()) return;
  lastSingleClickOpen_ = ::GetTickCount();
  singleClickOpened_ = true;
  OnOpen(false);
}

void ShortcutPane::OnListDoubleClick() {
  // The double-click's first click has started the single-click timer: the item is
  // opened once, by whichever comes first.
  if (::KillTimer(hwnd(), kClickTimer)) {
    OnOpen(false);
    return;
  }
  const bool openedByFirstClick =
      singleClickOpened_ && ::GetTickCount() - lastSingleClickOpen_ <= ::GetDoubleClickTime();
  if (!openedByFirstClick) OnOpen(false);
}

void ShortcutPane::ShowListMenu(POINT screen) {
  const Availability available = model_.Available(list_.SelectedCount());
  const auto enable = [&](int id, bool enabled) {
    ::EnableMenuItem(listMenu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  };
  for (const int id : {IDM_OPEN, IDM_RUN_AS_ADMINISTRATOR, IDM_LOCATION}) enable(id, available.open);
  enable(IDM_ADD, available.add);
  enable(IDM_EDIT, available.edit);
  enable(IDM_REMOVE, available.remove);
  enable(IDM_SORT, available.sort);
  enable(IDM_CLEAR, available.clear);
  ::TrackPopupMenu(listMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                   hwnd(), nullptr);
}

void ShortcutPane::OnContextMenu(HWND window, LPARAM screenPoint) {
  // NOTE: the system asks for the context menu of Shift+F10 and the menu key on its own
  // (Wine at the key's release, whatever took the key before). The main window's keys
  // open it already, from the keyboard's own request: this one is not answered.
  if (window != list_.hwnd() || screenPoint == -1) return;
  ShowListMenu({GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)});
}

void ShortcutPane::OnOpen(bool elevated) { model_.Open(list_.Selected(), elevated); }

void ShortcutPane::OnAdd() {
  const std::optional<EditorSession> session = model_.StartAdd();
  if (!session) return;
  if (const auto fields = editor_.Ask(hwnd(), "Add New Shortcut", std::nullopt)) {
    model_.AcceptEditor(*session, *fields);
  }
}

void ShortcutPane::OnEdit() {
  const std::optional<EditorSession> session = model_.StartEdit(list_.Selected());
  if (!session) return;
  const EditorFields current{session->original.target, session->original.title};
  if (const auto fields = editor_.Ask(hwnd(), "Edit the Shortcut", current)) {
    model_.AcceptEditor(*session, *fields);
  }
}

void ShortcutPane::OnSort() {
  model_.Sort(list_.Selected());
  services_.status.SetStatusText(model_.SelectionStatus(list_.Selected()));
}

void ShortcutPane::OnDropFiles(HDROP drop) {
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
  model_.AddDroppedFiles(paths);
}

void ShortcutPane::OnListBeginDrag(int item) {
  std::optional<ShortcutDragging> dragging = model_.BeginDrag(list_.Selected());
  if (!dragging) return;
  POINT screen{};
  ::GetCursorPos(&screen);
  drag_.Begin(hwnd(), std::move(*dragging), item, screen);
}

// ---- Type to find ----

void ShortcutPane::SetSearchText(const std::string& text) {
  const ScopedFlag quiet(settingSearchText_);
  ::SetWindowTextA(searchField_, text.c_str());
}

void ShortcutPane::OnSearchChanged() {
  // A key typed while the index is built is read by the search that builds it, once
  // the index is whole; searched now it would find nothing.
  if (settingSearchText_ || model_.indexing()) return;
  std::string text = WindowText(searchField_);
  for (;;) {
    list_.DeferIconLookups(true);
    model_.Search(text);
    // Building the index let messages run: keys typed meanwhile are read now.
    const std::string now = WindowText(searchField_);
    if (now == text) break;
    text = now;
  }
  ShowAvailability();
}

void ShortcutPane::FocusSearch() {
  ::SetFocus(searchField_);
  ::SendMessageA(searchField_, EM_SETSEL, 0, -1);
}

void ShortcutPane::StartSearch() {
  FocusSearch();
  // With nothing typed yet the list offers what was opened most lately.
  if (::GetWindowTextLengthA(searchField_) == 0) OnSearchChanged();
}

void ShortcutPane::OnEnterResults() {
  if (model_.list().Count() > 0 && list_.SelectedCount() == 0) list_.Select({0});
  ::SetFocus(list_.hwnd());
}

void ShortcutPane::OnOpenFound(bool elevated) {
  if (!model_.searching() || model_.list().Count() == 0) return;
  if (list_.SelectedCount() == 0) list_.Select({0});
  OnOpen(elevated);
}

void ShortcutPane::OnEndSearch() {
  if (::GetWindowTextLengthA(searchField_) > 0) SetSearchText("");
  model_.EndSearch();
}

void ShortcutPane::OnIconTimer() {
  ::KillTimer(hwnd(), kIconTimer);
  if (list_.LookUpDeferredIcons(kIconTurn)) ::SetTimer(hwnd(), kIconTimer, 0, nullptr);
}

// ---- Messages ----

void ShortcutPane::OnCommand(int id, int code) {
  switch (id) {
    case IDC_SEARCH:
      if (code == EN_CHANGE) OnSearchChanged();
      return;
    case IDC_ABOUT:
    case IDC_EXIT:
      // The toolbar shows them; they are the main window's.
      ::SendMessageA(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, code), 0);
      return;
    case IDC_VIEW:
      OnViewButton();
      return;
    case IDM_VIEW_THUMB:
      ChooseView(ViewStyle::Thumb);
      return;
    case IDM_VIEW_LIST:
      ChooseView(ViewStyle::List);
      return;
    case IDM_VIEW_REPORT:
      ChooseView(ViewStyle::Report);
      return;
    case IDM_OPEN:
      OnOpen(false);
      return;
    case IDM_RUN_AS_ADMINISTRATOR:
      OnOpen(true);
      return;
    case IDM_LOCATION:
      model_.Location(list_.Selected());
      return;
    case IDC_ADD:
    case IDM_ADD:
      OnAdd();
      return;
    case IDC_EDIT:
    case IDM_EDIT:
      OnEdit();
      return;
    case IDC_REMOVE:
    case IDM_REMOVE:
      model_.Remove(list_.Selected());
      return;
    case IDM_SORT:
      OnSort();
      return;
    case IDM_CLEAR:
      model_.Clear();
      return;
    case IDM_FORGET_HISTORY:
      model_.ForgetHistory();
      return;
    case IDM_OPEN_FOUND:
      OnOpenFound(false);
      return;
    case IDM_RUN_FOUND_ELEVATED:
      OnOpenFound(true);
      return;
    case IDM_ENTER_RESULTS:
      OnEnterResults();
      return;
    case IDM_END_SEARCH:
      OnEndSearch();
      return;
    case IDM_SHOW_LIST_MENU: {
      // From the keyboard: below the focused item, or at the list's corner.
      RECT item{};
      const int focused = static_cast<int>(ListView_GetNextItem(list_.hwnd(), -1, LVNI_FOCUSED));
      if (focused < 0 || !ListView_GetItemRect(list_.hwnd(), focused, &item, LVIR_LABEL)) item = {};
      POINT point{item.left, item.bottom};
      ::ClientToScreen(list_.hwnd(), &point);
      ShowListMenu(point);
      return;
    }
    default:
      return;
  }
}

LRESULT ShortcutPane::OnNotify(NMHDR& header) {
  if (header.hwndFrom == toolbar_) {
    if (header.code == NM_CUSTOMDRAW) {
      return OnToolbarCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW&>(header));
    }
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
  if (header.hwndFrom != list_.hwnd()) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOA:
      list_.OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA&>(header));
      return 0;
    case LVN_ODFINDITEMA:
      return list_.OnFindItem(reinterpret_cast<const NMLVFINDITEMA&>(header));
    case LVN_ITEMCHANGED: {
      if (list_.changingSelection()) return 0;
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool selectionChanged = (change.uChanged & LVIF_STATE) != 0 &&
                                    ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
      if (selectionChanged && change.iItem >= 0) OnShortcutSelected(change.iItem);
      if (selectionChanged) ShowAvailability();
      return 0;
    }
    case LVN_ODSTATECHANGED:
      if (!list_.changingSelection()) ShowAvailability();
      return 0;
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
      OnOpen(false);
      return 0;
    case LVN_BEGINDRAG:
      OnListBeginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem);
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_ESCAPE) drag_.Cancel();
      return 0;
    default:
      return 0;
  }
}

LRESULT ShortcutPane::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // While a drag runs the pane holds the mouse for it.
  if (drag_.OnMouseMessage(hwnd(), msg, wp, lp)) return 0;
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wp), lp);
      return 0;
    case WM_TIMER:
      if (wp == kClickTimer) OnClickTimer();
      if (wp == kIconTimer) OnIconTimer();
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_CTLCOLOREDIT:
      if (palette_ && reinterpret_cast<HWND>(lp) == searchField_) {
        return OnSearchFieldColours(reinterpret_cast<HDC>(wp));
      }
      return DefaultHandling(msg, wp, lp);
    case WM_ERASEBKGND: {
      if (!palette_) return DefaultHandling(msg, wp, lp);
      RECT area{};
      ::GetClientRect(hwnd(), &area);
      ::FillRect(reinterpret_cast<HDC>(wp), &area, faceBrush_.Get(palette_->face));
      return TRUE;
    }
    case WM_DESTROY:
      model_.list().SetObserver(nullptr);
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
