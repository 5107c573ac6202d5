#include "app/win32/MainWindow.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app/win32/res/resource.h"
#include "base/win32/Text.h"
#include "categories/BuiltinCategories.h"
#include "categories/win32/TreeImages.h"
#include "shell/ListEntries.h"
#include "shortcuts/ShortcutNames.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch; scaled to the screen's resolution.
constexpr int kTreeWidth = 193;
constexpr int kSplitterWidth = 3;
constexpr int kToolbarHeight = 64;
constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 62;
constexpr int kToolbarGlyph = 32;
constexpr int kTreeImage = 24;
constexpr int kTreeIndent = 28;
constexpr int kTitleColumnWidth = 106;
constexpr int kFormFontHeight = 13;
constexpr int kTreeFontHeight = 20;
constexpr int kMinimumPane = 40;
constexpr UINT kTimer1Interval = 120;
constexpr UINT kTimer2Interval = 200;
constexpr UINT_PTR kTreeSubclassId = 1;
constexpr COLORREF kKeyColour = RGB(255, 0, 255);

struct ToolButton {
  int id;
  int image;
  const char* caption;
  bool enabled;
};

// Left to right, as the user sees them.
constexpr ToolButton kToolButtons[] = {
    {IDC_SPEEDBUTTON2, 0, "Add", true},     {IDC_SPEEDBUTTON3, 1, "Edit", false},
    {IDC_SPEEDBUTTON1, 2, "Remove", false}, {IDC_SPEEDBUTTON9, 3, "View", true},
    {IDC_SPEEDBUTTON10, 4, "About", true},  {IDC_SPEEDBUTTON4, 5, "Exit", true},
};

UniqueImageList LoadMaskedStrip(int bitmapId, int size) {
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 8, 8));
  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0,
                                                       0, LR_CREATEDIBSECTION)));
  if (list && strip) ::ImageList_AddMasked(list.get(), strip.get(), kKeyColour);
  return list;
}

RECT PrimaryWorkArea() {
  RECT area{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

}  // namespace

TForm1::TForm1(Platform& platform) : platform_(platform) {}

TForm1::~TForm1() {
  if (hwnd() != nullptr) ::DestroyWindow(hwnd());
}

HMENU TForm1::popupMenu(int index) const {
  switch (index) {
    case 1:
      return PopupMenu1;
    case 2:
      return PopupMenu2;
    default:
      return PopupMenu3;
  }
}

int TForm1::Scale(int designPixels) const { return ::MulDiv(designPixels, dpi_, 96); }

bool TForm1::Create(const std::string& currentDirectory) {
  {
    WindowDc screen(nullptr);
    dpi_ = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    if (dpi_ <= 0) dpi_ = 96;
  }
  session_ = std::make_unique<Session>(platform_.files, platform_.boxes, currentDirectory);
  adder_ = std::make_unique<ListEntryAdder>(ListView1, static_cast<StatusLine&>(*this),
                                            platform_.pump);
  scans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                        platform_.existence, *adder_);
  selection_ = std::make_unique<CategorySelection>(session_->shortcuts(), *scans_, *adder_,
                                                   platform_.folders, platform_.existence,
                                                   static_cast<BusyCursor&>(*this));
  commands_ = std::make_unique<ShortcutCommands>(ListView1, session_->shortcuts(), platform_.links,
                                                 platform_.existence, platform_.launcher,
                                                 platform_.boxes);

  static const ATOM registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TForm1::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_TESSALY));
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return ::RegisterClassExA(&wc);
  }();
  (void)registered;

  treeWidth_ = Scale(kTreeWidth);
  const HWND created = ::CreateWindowExA(
      0, kMainWindowClass, "Tessaly", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
      CW_USEDEFAULT, CW_USEDEFAULT, Scale(kDesignWidth), Scale(kDesignHeight), nullptr, nullptr,
      ::GetModuleHandleA(nullptr), this);
  if (created == nullptr) {
    platform_.boxes.Error("Tessaly could not create its window: " +
                          SystemErrorText(::GetLastError()) + ".");
    return false;
  }

  Form2 = std::make_unique<TForm2>(ListView1, platform_.boxes, platform_.pickers,
                                   platform_.existence, [this] { SaveSelectedSection(); });
  if (!session_->Open()) {
    ::DestroyWindow(hwnd());
    return false;
  }
  ApplyViewStyle(session_->StoredView());
  ApplyPlacement(session_->StoredWindowPlacement());
  ::SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
  ::DragAcceptFiles(hwnd(), TRUE);
  ListView1.AttachSystemImageLists();
  return true;
}

void TForm1::Show(int showCommand) {
  ::ShowWindow(hwnd(), showMaximized_ ? SW_SHOWMAXIMIZED : showCommand);
  ::UpdateWindow(hwnd());
}

void TForm1::OnCreateChildren() {
  formFont_.reset(::CreateFontA(-Scale(kFormFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  treeFont_.reset(::CreateFontA(-Scale(kTreeFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  LoadImageLists();

  TreeView1.Create(hwnd(), IDC_TREEVIEW1, treeFont_.get(), Scale(kTreeIndent));
  TreeView1.SetImageList(ImageList1.get());
  ::SetWindowSubclass(TreeView1.hwnd(), &TForm1::TreeSubclass, kTreeSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
  Splitter1.Create(hwnd(), IDC_SPLITTER1);

  Panel3 = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT |
                                 TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                                 CCS_NOPARENTALIGN,
                             0, 0, 0, 0, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PANEL3)),
                             ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(Panel3, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
  ::SendMessageA(Panel3, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageA(Panel3, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));
  for (const ToolButton& tool : kToolButtons) {
    TBBUTTON button{};
    button.iBitmap = tool.image;
    button.idCommand = tool.id;
    button.fsState = tool.enabled ? TBSTATE_ENABLED : 0;
    button.fsStyle = BTNS_BUTTON;
    button.iString = reinterpret_cast<INT_PTR>(tool.caption);
    ::SendMessageA(Panel3, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
  ::SendMessageA(Panel3, TB_SETBUTTONSIZE, 0, MAKELPARAM(Scale(kButtonWidth), Scale(kButtonHeight)));

  ListView1.Create(hwnd(), IDC_LISTVIEW1, formFont_.get(), Scale(kTitleColumnWidth));

  StatusBar1 = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                 0, 0, 0, 0, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR1)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  // One panel; as the last panel it reaches the right edge, so a long target fits.
  int edges[] = {-1};
  ::SendMessageA(StatusBar1, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));

  menus_.reset(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUPMENUS)));
  PopupMenu1 = ::GetSubMenu(menus_.get(), 0);
  PopupMenu2 = ::GetSubMenu(menus_.get(), 1);
  PopupMenu3 = ::GetSubMenu(menus_.get(), 2);
  ::SetMenuDefaultItem(PopupMenu1, IDM_OPEN1, FALSE);
}

void TForm1::LoadImageLists() {
  ImageList1 = LoadMaskedStrip(IDB_TREE, kTreeImage);
  toolbarImages_ = LoadMaskedStrip(IDB_TOOLBAR, kToolbarGlyph);
}

void TForm1::Layout() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  ::SendMessageA(StatusBar1, WM_SIZE, 0, 0);
  RECT status{};
  ::GetWindowRect(StatusBar1, &status);
  const int width = client.right;
  const int height = client.bottom - (status.bottom - status.top);
  const int splitter = Scale(kSplitterWidth);
  const int toolbar = Scale(kToolbarHeight);

  treeWidth_ = std::max(Scale(kMinimumPane), std::min(treeWidth_, width - splitter - Scale(kMinimumPane)));
  const int right = treeWidth_ + splitter;
  HDWP positions = ::BeginDeferWindowPos(4);
  positions = ::DeferWindowPos(positions, TreeView1.hwnd(), nullptr, 0, 0, treeWidth_, height,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, Splitter1.hwnd(), nullptr, treeWidth_, 0, splitter,
                               height, SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, Panel3, nullptr, right, 0, std::max(0, width - right),
                               toolbar, SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, ListView1.hwnd(), nullptr, right, toolbar,
                               std::max(0, width - right), std::max(0, height - toolbar),
                               SWP_NOZORDER | SWP_NOACTIVATE);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
  ListView1.FitTargetColumn();
}

void TForm1::ApplyViewStyle(ViewStyle style) {
  ::CheckMenuItem(PopupMenu2, IDM_THUMB1, MF_BYCOMMAND | (style == ViewStyle::Thumb ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(PopupMenu2, IDM_LIST1, MF_BYCOMMAND | (style == ViewStyle::List ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(PopupMenu2, IDM_REPORT1, MF_BYCOMMAND | (style == ViewStyle::Report ? MF_CHECKED : MF_UNCHECKED));
  ListView1.SetViewStyle(style);
}

void TForm1::ApplyPlacement(const Placement& placement) {
  const RECT area = PrimaryWorkArea();
  const int width = Scale(kDesignWidth);
  const int height = Scale(kDesignHeight);
  RECT target{area.left + (area.right - area.left - width) / 2,
              area.top + (area.bottom - area.top - height) / 2, 0, 0};
  target.right = target.left + width;
  target.bottom = target.top + height;

  if (placement.kind == Placement::Kind::Maximized) showMaximized_ = true;
  if (placement.kind == Placement::Kind::Stored) {
    const RECT stored{placement.left, placement.top, placement.left + placement.width,
                      placement.top + placement.height};
    // A window wholly off every monitor could never be reached: open centred instead.
    if (::MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) != nullptr) target = stored;
  }
  ::SetWindowPos(hwnd(), nullptr, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::SetStatusText(const std::string& text) {
  ::SendMessageA(StatusBar1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::SetBusy(bool busy) {
  // Nested fillings each set and restore the cursor; the last restore wins, as it
  // does for the application's one cursor.
  busyDepth_ = busy ? busyDepth_ + 1 : 0;
  ::SetCursor(::LoadCursor(nullptr, busyDepth_ > 0 ? IDC_WAIT : IDC_ARROW));
}

void TForm1::SetButtonEnabled(int id, bool enabled) {
  ::SendMessageA(Panel3, TB_ENABLEBUTTON, static_cast<WPARAM>(id), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void TForm1::Timer1Timer() {
  ::KillTimer(hwnd(), kTimer1);
  session_->LoadTree();
  CategoryTree& tree = session_->tree();
  TreeView1.Rebuild(tree);
  if (tree.empty()) return;
  TreeView1.Expand(*tree.roots().front());
  if (const auto index = session_->InitialSelection()) {
    if (CategoryNode* node = tree.NodeAt(*index)) TreeView1.Select(*node);
  }
  RunPendingSelection();
}

bool TForm1::FormClose() { return session_->Close(TreeView1.SelectedNode()); }

void TForm1::TreeView1Change(CategoryNode* node) { selection_->TreeView1Change(node); }

void TForm1::RunPendingSelection() {
  if (!selectionPending_) return;
  selectionPending_ = false;
  TreeView1Change(TreeView1.SelectedNode());
}

LRESULT CALLBACK TForm1::TreeSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                      DWORD_PTR self) noexcept {
  if (msg == WM_MOUSEMOVE) {
    GuardBoundary([&] {
      reinterpret_cast<TForm1*>(self)->TreeView1MouseMove({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    });
  } else if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &TForm1::TreeSubclass, kTreeSubclassId);
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

void TForm1::TreeView1MouseMove(POINT clientPoint) { HoveredNode = TreeView1.NodeAt(clientPoint); }

void TForm1::TreeView1MouseUp(bool rightButton, POINT screenPoint) {
  if (!rightButton || HoveredNode == nullptr) return;
  CategoryNode* node = HoveredNode;
  // A top-level category cannot be renamed, so its menu does not offer it.
  const bool showRename = !node->isTopLevel();
  if (showRename && !renameShown_) {
    ::InsertMenuA(PopupMenu3, IDM_ICON1, MF_BYCOMMAND | MF_STRING, IDM_RENAME1, "Rename");
  } else if (!showRename && renameShown_) {
    ::RemoveMenu(PopupMenu3, IDM_RENAME1, MF_BYCOMMAND);
  }
  renameShown_ = showRename;
  TreeView1.Select(*node);
  // The category's list is filled before its menu opens.
  RunPendingSelection();
  ::TrackPopupMenu(PopupMenu3, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screenPoint.x,
                   screenPoint.y, 0, hwnd(), nullptr);
}

void TForm1::ListView1SelectItem(int item) {
  SetButtonEnabled(IDC_SPEEDBUTTON1, true);
  SetButtonEnabled(IDC_SPEEDBUTTON3, true);
  DragStarted = false;
  SetStatusText("Target: " + DisplayTarget(ListView1.Target(item), platform_.links));
}

void TForm1::ListView1MouseUp(bool leftButton) {
  if (ListView1.SelectedCount() > 0) {
    SetButtonEnabled(IDC_SPEEDBUTTON1, true);
    SetButtonEnabled(IDC_SPEEDBUTTON3, true);
    // Only a left click opens: a right click brings up the context menu, and the item
    // must not start behind it.
    if (leftButton) ::SetTimer(hwnd(), kTimer2, kTimer2Interval, nullptr);
  } else {
    SetButtonEnabled(IDC_SPEEDBUTTON1, false);
    SetButtonEnabled(IDC_SPEEDBUTTON3, false);
    SetStatusText(ItemCountText(ListView1.Count()));
  }
}

void TForm1::Timer2Timer() {
  ::KillTimer(hwnd(), kTimer2);
  if (DragStarted) return;
  lastSingleClickOpen_ = ::GetTickCount();
  singleClickOpened_ = true;
  Open1Click();
}

void TForm1::ListView1KeyPress(char key) {
  if (key == '\r') Open1Click();
}

void TForm1::ListView1DblClick() {
  // The double-click's first click has started the single-click timer: the item is
  // opened once, by whichever comes first.
  if (::KillTimer(hwnd(), kTimer2)) {
    Open1Click();
    return;
  }
  const bool openedByFirstClick =
      singleClickOpened_ && ::GetTickCount() - lastSingleClickOpen_ <= ::GetDoubleClickTime();
  if (!openedByFirstClick) Open1Click();
}

void TForm1::PopupMenu1Popup() {
  const UINT state = MF_BYCOMMAND | (ListView1.SelectedCount() > 0 ? MF_ENABLED : MF_GRAYED);
  for (const int id : {IDM_OPEN1, IDM_LOCATION1, IDM_EDIT1, IDM_REMOVE1}) {
    ::EnableMenuItem(PopupMenu1, static_cast<UINT>(id), state);
  }
}

void TForm1::ShowListMenu(LPARAM screenPoint) {
  POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (point.x == -1 && point.y == -1) {
    // From the keyboard: below the focused item, or at the list's corner.
    RECT item{};
    const int focused = static_cast<int>(ListView_GetNextItem(ListView1.hwnd(), -1, LVNI_FOCUSED));
    if (focused < 0 || !ListView_GetItemRect(ListView1.hwnd(), focused, &item, LVIR_LABEL)) {
      item = {};
    }
    point = {item.left, item.bottom};
    ::ClientToScreen(ListView1.hwnd(), &point);
  }
  PopupMenu1Popup();
  ::TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   hwnd(), nullptr);
}

void TForm1::Open1Click() { commands_->Open1Click(); }

void TForm1::Location1Click() { commands_->Location1Click(); }

void TForm1::SpeedButton2Click() {
  Form2->SetCaption("Add New Shortcut");
  Form2->ShortcutEditMode = false;
  Form2->ShowModal(hwnd());
}

void TForm1::SpeedButton3Click() {
  const int item = ListView1.FirstSelected();
  if (item < 0) return;
  Form2->SetCaption("Edit the Shortcut");
  Form2->fields() = {ListView1.Target(item), ListView1.Title(item)};
  Form2->ShortcutEditMode = true;
  Form2->ShowModal(hwnd());
}

void TForm1::SpeedButton1Click() {
  if (commands_->SpeedButton1Click(TreeView1.SelectedNode())) {
    SetButtonEnabled(IDC_SPEEDBUTTON1, false);
  }
}

void TForm1::Sort1Click() {
  ListView1.SortByTitle();
  SaveSelectedSection();
}

void TForm1::Clear1Click() {
  if (commands_->Clear1Click(TreeView1.SelectedNode())) SetButtonEnabled(IDC_SPEEDBUTTON1, false);
}

void TForm1::WMDropFiles(HDROP drop) {
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
  commands_->AddDroppedFiles(paths, TreeView1.SelectedNode());
}

void TForm1::SaveSelectedSection() {
  if (const CategoryNode* node = TreeView1.SelectedNode()) {
    session_->shortcuts().SaveCategorySection(*node, ListView1);
  }
}

void TForm1::SpeedButton10Click() { AboutBox.Show(hwnd()); }

void TForm1::SpeedButton4Click() { ::PostMessageA(hwnd(), WM_CLOSE, 0, 0); }

void TForm1::ChooseView(ViewStyle style) {
  if (ListView1.viewStyle() == style) return;
  ::CheckMenuItem(PopupMenu2, IDM_THUMB1, MF_BYCOMMAND | (style == ViewStyle::Thumb ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(PopupMenu2, IDM_LIST1, MF_BYCOMMAND | (style == ViewStyle::List ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuItem(PopupMenu2, IDM_REPORT1, MF_BYCOMMAND | (style == ViewStyle::Report ? MF_CHECKED : MF_UNCHECKED));
  session_->settings().WriteSetting(setting_key::View, ViewSettingValue(style));
  ListView1.SetViewStyle(style);
  ListView1.ResetImages();
}

void TForm1::Thumb1Click() { ChooseView(ViewStyle::Thumb); }
void TForm1::List1Click() { ChooseView(ViewStyle::List); }
void TForm1::Report1Click() { ChooseView(ViewStyle::Report); }

void TForm1::SpeedButton9MouseUp() {
  RECT button{};
  ::SendMessageA(Panel3, TB_GETRECT, IDC_SPEEDBUTTON9, reinterpret_cast<LPARAM>(&button));
  ::MapWindowPoints(Panel3, hwnd(), reinterpret_cast<POINT*>(&button), 2);
  RECT window{};
  ::GetWindowRect(hwnd(), &window);
  // The window's outer corner plus the button's place in the client area, as the
  // menu has always opened, just below and right of the button's middle.
  const int x = window.left + button.left + Scale(72);
  const int y = window.top + button.top + Scale(65);
  ::TrackPopupMenu(PopupMenu2, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hwnd(),
                   nullptr);
}

void TForm1::OnCommand(int id) {
  switch (id) {
    case IDC_SPEEDBUTTON10:
      SpeedButton10Click();
      break;
    case IDC_SPEEDBUTTON4:
      SpeedButton4Click();
      break;
    case IDC_SPEEDBUTTON9:
      SpeedButton9MouseUp();
      break;
    case IDM_THUMB1:
      Thumb1Click();
      break;
    case IDM_LIST1:
      List1Click();
      break;
    case IDM_REPORT1:
      Report1Click();
      break;
    case IDM_OPEN1:
      Open1Click();
      break;
    case IDM_LOCATION1:
      Location1Click();
      break;
    case IDC_SPEEDBUTTON2:
    case IDM_ADD1:
      SpeedButton2Click();
      break;
    case IDC_SPEEDBUTTON3:
    case IDM_EDIT1:
      SpeedButton3Click();
      break;
    case IDC_SPEEDBUTTON1:
    case IDM_REMOVE1:
      SpeedButton1Click();
      break;
    case IDM_SORT1:
      Sort1Click();
      break;
    case IDM_CLEAR1:
      Clear1Click();
      break;
    default:
      break;
  }
}

LRESULT TForm1::OnNotify(NMHDR& header) {
  if (header.hwndFrom == TreeView1.hwnd()) {
    switch (header.code) {
      case TVN_SELCHANGEDA:
        // The list is filled once the tree has finished changing its selection: a
        // filling lets pending messages run, and a selection made meanwhile must not
        // re-enter the tree control while it is still inside this notification.
        if (!TreeView1.rebuilding() && !selectionPending_) {
          selectionPending_ = true;
          ::PostMessageA(hwnd(), kRunSelection, 0, 0);
        }
        return 0;
      case TVN_GETDISPINFOA: {
        auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
        if ((info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) == 0) return 0;
        CategoryNode* node = reinterpret_cast<CategoryNode*>(info.item.lParam);
        if (node == nullptr) return 0;
        const int image = TreeView1GetImageIndex(*node, ImageList1.get());
        info.item.iImage = image;
        info.item.iSelectedImage = image;
        // A resolved image is kept by the control; index 0 is looked at again.
        if (image > 0) info.item.mask |= TVIF_DI_SETITEM;
        return 0;
      }
      case NM_RCLICK: {
        const DWORD position = ::GetMessagePos();
        TreeView1MouseUp(true, {GET_X_LPARAM(position), GET_Y_LPARAM(position)});
        return TRUE;
      }
      default:
        return 0;
    }
  }
  if (header.hwndFrom == Panel3) {
    if (header.code == NM_RCLICK &&
        reinterpret_cast<const NMMOUSE&>(header).dwItemSpec == IDC_SPEEDBUTTON9) {
      SpeedButton9MouseUp();
      return TRUE;
    }
    return 0;
  }
  if (header.code == TTN_GETDISPINFOA && header.idFrom == IDC_SPEEDBUTTON9) {
    auto& tip = reinterpret_cast<NMTTDISPINFOA&>(header);
    tip.lpszText = const_cast<char*>("View Style");
    return 0;
  }
  if (header.hwndFrom == ListView1.hwnd()) {
    switch (header.code) {
      case LVN_GETDISPINFOA:
        ListView1.ListView1GetImageIndex(reinterpret_cast<NMLVDISPINFOA&>(header));
        return 0;
      case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selectionChanged =
            (change.uChanged & LVIF_STATE) != 0 &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
        if (selectionChanged && change.iItem >= 0) ListView1SelectItem(change.iItem);
        return 0;
      }
      case NM_CLICK:
        ListView1MouseUp(true);
        return 0;
      case NM_RCLICK:
        ListView1MouseUp(false);
        return 0;
      case NM_DBLCLK:
        ListView1DblClick();
        return 0;
      case NM_RETURN:
        ListView1KeyPress('\r');
        return 0;
      case LVN_BEGINDRAG:
        DragStarted = true;
        return 0;
      default:
        return 0;
    }
  }
  return 0;
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreateChildren();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case kRunSelection:
      RunPendingSelection();
      return 0;
    case kSplitterMoved:
      treeWidth_ = static_cast<int>(static_cast<INT_PTR>(wp));
      Layout();
      return 0;
    case WM_TIMER:
      if (wp == kTimer1) Timer1Timer();
      if (wp == kTimer2) Timer2Timer();
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wp) == ListView1.hwnd()) {
        ShowListMenu(lp);
        return 0;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_SETCURSOR:
      if (busyDepth_ > 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_COMMAND:
      OnCommand(LOWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lp);
      limits.ptMinTrackSize = {Scale(320), Scale(240)};
      return 0;
    }
    case WM_CLOSE:
      if (FormClose()) ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
