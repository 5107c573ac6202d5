#include "app/win32/MainWindow.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "app/CategoryLink.h"
#include "app/HeadlessOpen.h"
#include "app/win32/MainWindowRes.h"
#include "app/win32/Program.h"
#include "base/win32/AccessibleName.h"
#include "base/win32/Text.h"
#include "categories/CategoryPath.h"
#include "categories/win32/CategoryPaneRes.h"
#include "categories/win32/TreeIconsRes.h"
#include "model/BuiltinCategories.h"
#include "shell/win32/Win32LinkWriter.h"
#include "shortcuts/OpenAll.h"
#include "shortcuts/win32/ShortcutPaneRes.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch; scaled to the screen's resolution.
constexpr int kTreeWidth = 193;
constexpr int kSplitterWidth = 3;
constexpr int kToolbarHeight = 64;
constexpr int kFormFontHeight = 13;
constexpr int kMinimumPane = 40;
constexpr UINT kStartDelay = 120;
// A category path sent by another start is a few names; more is not one.
constexpr DWORD kLongestCategoryPath = 32768;

RECT PrimaryWorkArea() {
  RECT area{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return area;
}

}  // namespace

MainWindow::MainWindow(Platform& platform) : platform_(platform) {}

MainWindow::~MainWindow() {
  if (hwnd() != nullptr) ::DestroyWindow(hwnd());
}

bool MainWindow::Create(const std::string& currentDirectory) {
  dpi_ = Dpi::OfScreen();
  session_ = std::make_unique<Session>(platform_.files, platform_.boxes, currentDirectory);
  categories_ = std::make_unique<CategoryPane>(
      session_->tree(), CategoryPane::Services{session_->shortcuts(), platform_.boxes,
                                               platform_.folders, platform_.pickers,
                                               platform_.pump});
  // Every change of the tree reaches Categories.sts when it is made, not only at close.
  categories_->OnTreeChanged([this] { session_->SaveTree(); });
  shortcuts_ = std::make_unique<ShortcutPane>(
      ShortcutPane::Services{session_->shortcuts(), session_->settings(), platform_.links,
                             platform_.existence, platform_.launcher, platform_.pickers,
                             platform_.boxes, static_cast<StatusLine&>(*this),
                             static_cast<ListFilling&>(*this)},
      categories_->tree());
  adder_ = std::make_unique<ListEntryAdder>(shortcuts_->list(), static_cast<StatusLine&>(*this),
                                            platform_.pump);
  scans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                        platform_.existence, *adder_);
  selection_ = std::make_unique<CategorySelection>(session_->shortcuts(), *scans_, *adder_,
                                                   platform_.folders, platform_.existence,
                                                   static_cast<BusyCursor&>(*this));
  searchAdder_ = std::make_unique<ListEntryAdder>(searchList_, silentStatus_, platform_.pump);
  searchScans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                              platform_.existence, *searchAdder_);
  shortcuts_->SetSearchSources({&session_->tree(), selection_.get(), [this] { ScanGetAllOnce(); },
                                [this] { selection_->StopFilling(); },
                                [this] { categories_->ShowSelected(); }});

  static const ATOM registered = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::WindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = ::LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_TESSALY));
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return ::RegisterClassExA(&wc);
  }();
  (void)registered;

  treeWidth_ = dpi_.Scale(kTreeWidth);
  const HWND created = ::CreateWindowExA(
      0, kMainWindowClass, "Tessaly", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
      CW_USEDEFAULT, dpi_.Scale(kDesignWidth), dpi_.Scale(kDesignHeight), nullptr, nullptr,
      ::GetModuleHandleA(nullptr), this);
  if (created == nullptr) {
    platform_.boxes.Error("Tessaly could not create its window: " +
                          SystemErrorText(::GetLastError()) + ".");
    return false;
  }

  if (!session_->Open()) {
    ::DestroyWindow(hwnd());
    return false;
  }
  shortcuts_->ApplyStoredView(session_->StoredView());
  ApplyPlacement(session_->StoredWindowPlacement());
  // A second start in the same data directory finds this window by it.
  ::SetPropA(hwnd(), kInstanceProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(InstanceKey(session_->DataDirectory()))));
  RegisterSummonHotkey();
  ::SetTimer(hwnd(), kStartTimer, kStartDelay, nullptr);
  ::DragAcceptFiles(hwnd(), TRUE);
  return true;
}

void MainWindow::Show(int showCommand) {
  ::ShowWindow(hwnd(), showMaximized_ ? SW_SHOWMAXIMIZED : showCommand);
  ::UpdateWindow(hwnd());
  // The keyboard starts in the tree, the first of the panes.
  if (::GetActiveWindow() == hwnd()) ::SetFocus(categories_->hwnd());
  focusBeforeLeaving_ = categories_->hwnd();
}

void MainWindow::OnCreate() {
  formFont_.reset(::CreateFontA(-dpi_.Scale(kFormFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  categories_->Create(hwnd(), dpi_, *selection_);
  splitter_.Create(hwnd(), IDC_SPLITTER);
  shortcuts_->Create(hwnd(), dpi_, formFont_.get());
  categories_->OnTreeDropped([this] { shortcuts_->ClearDragStarted(); });
  categories_->OnSelecting([this] { shortcuts_->LeaveSearch(); });

  statusBar_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                 0, 0, 0, 0, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  // One panel; as the last panel it reaches the right edge, so a long target fits.
  int edges[] = {-1};
  ::SendMessageA(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));
  GiveAccessibleName(statusBar_, "Status");
  GiveAccessibleName(splitter_.hwnd(), "Border between the panes");
  statusText_.Attach(statusBar_);
}

void MainWindow::Layout() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  ::SendMessageA(statusBar_, WM_SIZE, 0, 0);
  RECT status{};
  ::GetWindowRect(statusBar_, &status);
  const int width = client.right;
  const int height = client.bottom - (status.bottom - status.top);
  const int splitter = dpi_.Scale(kSplitterWidth);

  treeWidth_ = std::max(dpi_.Scale(kMinimumPane),
                        std::min(treeWidth_, width - splitter - dpi_.Scale(kMinimumPane)));
  const int right = treeWidth_ + splitter;
  HDWP positions = ::BeginDeferWindowPos(2);
  positions = ::DeferWindowPos(positions, categories_->hwnd(), nullptr, 0, 0, treeWidth_, height,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, splitter_.hwnd(), nullptr, treeWidth_, 0, splitter,
                               height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
  shortcuts_->Layout({right, 0, std::max(right, width), std::max(0, height)},
                     dpi_.Scale(kToolbarHeight));
}

void MainWindow::ApplyPlacement(const Placement& placement) {
  const RECT area = PrimaryWorkArea();
  const int width = dpi_.Scale(kDesignWidth);
  const int height = dpi_.Scale(kDesignHeight);
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

void MainWindow::SetStatusText(const std::string& text) {
  statusText_.Set(text);
}

void MainWindow::SetBusy(bool busy) {
  // Nested fillings each set and restore the cursor; the last restore wins, as it
  // does for the application's one cursor.
  busyDepth_ = busy ? busyDepth_ + 1 : 0;
  ::SetCursor(::LoadCursor(nullptr, busyDepth_ > 0 ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::FinishFilling() { selection_->FinishFilling(); }

void MainWindow::OnPaint() {
  if (painted_) return;
  painted_ = true;
  // Posted messages come before the paint of the children still to be drawn, but
  // Show draws them all at once.
  ::PostMessageA(hwnd(), kAfterFirstPaint, 0, 0);
}

void MainWindow::LoadPictures() {
  categories_->LoadPictures();
  shortcuts_->LoadPictures();
}

void MainWindow::OnStartTimer() {
  ::KillTimer(hwnd(), kStartTimer);
  // A window started hidden or minimised has not been painted yet.
  LoadPictures();
  if (!session_->LoadTree()) {
    // The user gave up on an unreadable category file: end without writing anything.
    ::DestroyWindow(hwnd());
    return;
  }
  categories_->ShowTree();
  if (!session_->tree().empty()) categories_->SelectAt(StartSelection());
  // Said once, where it does not stop the start: why the summon hotkey is off.
  if (!hotkeyProblem_.empty()) SetStatusText(hotkeyProblem_);
}

std::optional<int> MainWindow::StartSelection() {
  const std::string path = std::exchange(startCategory_, {});
  if (!path.empty()) {
    if (const CategoryNode* node = FindCategory(session_->tree(), path)) {
      return session_->tree().AbsoluteIndex(*node);
    }
    platform_.boxes.Error(UnknownCategoryText(path, session_->DataDirectory()));
  }
  return session_->InitialSelection();
}

LRESULT MainWindow::OnCopyData(const COPYDATASTRUCT& data) {
  if (data.dwData != kSelectCategoryData || data.lpData == nullptr || data.cbData == 0 ||
      data.cbData > kLongestCategoryPath) {
    return FALSE;
  }
  // The sender waits until this returns: the selection, which may fill for a while or
  // show a message, runs after it.
  requestedCategory_.assign(static_cast<const char*>(data.lpData), data.cbData);
  ::PostMessageA(hwnd(), kSelectRequested, 0, 0);
  return TRUE;
}

void MainWindow::OnSelectRequested() {
  const std::string path = std::exchange(requestedCategory_, {});
  if (path.empty()) return;
  Summon();
  if (!session_->treeLoaded()) {
    // Before the delayed start: it selects this one instead of the stored one.
    startCategory_ = path;
    return;
  }
  CategoryNode* node = FindCategory(session_->tree(), path);
  if (node == nullptr) {
    platform_.boxes.Error(UnknownCategoryText(path, session_->DataDirectory()));
    return;
  }
  ::SetFocus(categories_->hwnd());
  // Already selected, it is shown again: the list may show the search's results.
  if (categories_->tree().SelectedNode() == node) {
    categories_->ShowSelected();
  } else {
    categories_->SelectAt(session_->tree().AbsoluteIndex(*node));
  }
}

void MainWindow::OnOpenAll() {
  const CategoryNode* node = categories_->tree().SelectedNode();
  if (node == nullptr) return;
  // All of the category opens, not the part listed so far.
  selection_->FinishFilling();
  auto entries = ShownEntries(*node, session_->shortcuts(), selection_->latestResults());
  if (!entries) {
    // A computed category whose filling a search stopped: it is filled again.
    categories_->ShowSelected();
    selection_->FinishFilling();
    if (categories_->tree().SelectedNode() != node) return;
    entries = ShownEntries(*node, session_->shortcuts(), selection_->latestResults());
  }
  // The boxes below let messages run, which may delete the category.
  const std::string name = node->name;
  OpenAllShortcuts(name, entries.value_or(LineList{}), platform_.links, platform_.existence,
                   platform_.launcher, platform_.boxes);
}

void MainWindow::OnCreateCategoryLink() {
  const CategoryNode* node = categories_->tree().SelectedNode();
  if (node == nullptr) return;
  Win32LinkWriter writer;
  CreateCategoryLink(CategoryLinkSubjectOf(*node), session_->DataDirectory(),
                     {ProgramPath(), IDI_TREE_FIRST}, platform_.folders, writer, platform_.boxes);
}

void MainWindow::RegisterSummonHotkey() {
  const HotkeyChoice choice = ReadHotkey(session_->settings().ReadSetting(setting_key::Hotkey));
  if (!choice.hotkey) {
    if (!choice.problem.empty()) hotkeyProblem_ = "The hotkey is off: " + choice.problem + ".";
    return;
  }
  hotkeyRegistered_ = ::RegisterHotKey(hwnd(), kSummonHotkey, choice.hotkey->modifiers | MOD_NOREPEAT,
                                       choice.hotkey->key) != FALSE;
  if (!hotkeyRegistered_) {
    hotkeyProblem_ = "The hotkey is off: " + HotkeyText(*choice.hotkey) +
                     " is taken by another program.";
  }
}

void MainWindow::OnHotkey() {
  // Pressed while Tessaly is in front, it puts Tessaly away again.
  if (::GetForegroundWindow() == hwnd() && !::IsIconic(hwnd())) {
    ::ShowWindow(hwnd(), SW_MINIMIZE);
    return;
  }
  Summon();
}

void MainWindow::Summon() {
  if (::IsIconic(hwnd())) {
    ::ShowWindow(hwnd(), SW_RESTORE);
  } else {
    ::ShowWindow(hwnd(), SW_SHOW);
  }
  ::SetForegroundWindow(hwnd());
  shortcuts_->FocusSearch();
}

void MainWindow::ScanGetAllOnce() {
  const CategoryTree& tree = session_->tree();
  bool hasGetAll = false;
  tree.ForEach([&](CategoryNode& node) { hasGetAll = hasGetAll || IsGetAll(node); });
  const auto& latest = selection_->latestResults();
  if (!hasGetAll || latest.find(std::string(builtin::GetAll)) != latest.end()) return;
  searchList_.Clear();
  ScanGetAll(*searchScans_, platform_.folders, [] { return true; });
  LineList entries;
  for (const auto& item : searchList_.items()) {
    entries.push_back(item.title);
    entries.push_back(item.target);
  }
  searchList_.Clear();
  selection_->RememberLatest(std::string(builtin::GetAll), std::move(entries));
}

FocusPane MainWindow::PaneWithFocus() const {
  const HWND focus = ::GetFocus();
  if (focus == nullptr) return FocusPane::Elsewhere;
  if (focus == categories_->hwnd()) return FocusPane::Tree;
  if (focus == shortcuts_->searchField()) return FocusPane::Search;
  if (focus == shortcuts_->list().hwnd()) return FocusPane::List;
  return FocusPane::Elsewhere;
}

void MainWindow::Focus(FocusPane pane) {
  switch (pane) {
    case FocusPane::Tree:
      ::SetFocus(categories_->hwnd());
      break;
    case FocusPane::Search:
      shortcuts_->FocusSearch();
      break;
    case FocusPane::List:
      ::SetFocus(shortcuts_->list().hwnd());
      break;
    case FocusPane::Elsewhere:
      break;
  }
}

bool MainWindow::PreTranslateMessage(const MSG& msg) {
  // Only keys meant for this window; a dialog or menu runs its own loop anyway.
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  keyMenuShown_ = false;
  KeyPress key;
  key.key = static_cast<unsigned>(msg.wParam);
  key.ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  key.shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
  key.alt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
  const FocusPane focus = PaneWithFocus();
  const KeyAction action = DecideKey(key, focus);
  if (action == KeyAction::None) return false;
  if (action == KeyAction::NextPane || action == KeyAction::PreviousPane) {
    Focus(NextPane(focus, action == KeyAction::PreviousPane));
    return true;
  }
  // NOTE: the system asks for the context menu of these keys on its own as well (Wine
  // at the key's release, whatever took the key before): that second request is not
  // answered.
  keyMenuShown_ = OpensMenu(key);
  DoKeyAction(action);
  return true;
}

void MainWindow::DoKeyAction(KeyAction action) {
  switch (action) {
    case KeyAction::FocusSearch:
      shortcuts_->FocusSearch();
      return;
    case KeyAction::AddCategory:
      categories_->OnCommand(IDM_ADD_CATEGORY);
      return;
    case KeyAction::RenameCategory:
      categories_->OnCommand(IDM_RENAME_CATEGORY);
      return;
    case KeyAction::DeleteCategory:
      categories_->OnCommand(IDM_DELETE_CATEGORY);
      return;
    case KeyAction::CategoryMenu:
      categories_->ShowMenuAtSelection();
      return;
    case KeyAction::OpenAllOfCategory:
      OnOpenAll();
      return;
    case KeyAction::AddShortcut:
      shortcuts_->OnCommand(IDC_ADD, 0);
      return;
    case KeyAction::EditShortcut:
      shortcuts_->OnCommand(IDC_EDIT, 0);
      return;
    case KeyAction::RemoveShortcuts:
      shortcuts_->OnCommand(IDC_REMOVE, 0);
      return;
    case KeyAction::ShortcutMenu:
      shortcuts_->OnContextMenu(shortcuts_->list().hwnd(), MAKELPARAM(-1, -1));
      return;
    case KeyAction::RunAsAdministrator:
      shortcuts_->OnRunAsAdministrator();
      return;
    case KeyAction::OpenFound:
      shortcuts_->OpenFound(false);
      return;
    case KeyAction::RunFoundAsAdministrator:
      shortcuts_->OpenFound(true);
      return;
    case KeyAction::EnterResults:
      shortcuts_->EnterResults();
      return;
    case KeyAction::EndSearch:
      shortcuts_->EndSearch();
      return;
    case KeyAction::None:
    case KeyAction::NextPane:
    case KeyAction::PreviousPane:
      return;
  }
}

bool MainWindow::OnClose() { return session_->Close(categories_->tree().SelectedNode()); }

void MainWindow::OnAbout() { aboutBox_.Show(hwnd()); }

void MainWindow::OnExit() { ::PostMessageA(hwnd(), WM_CLOSE, 0, 0); }

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case IDC_ABOUT:
      OnAbout();
      return;
    case IDC_EXIT:
      OnExit();
      return;
    case IDM_OPEN_ALL:
      OnOpenAll();
      return;
    case IDM_CATEGORY_LINK:
      OnCreateCategoryLink();
      return;
    default:
      if (!shortcuts_->OnCommand(id, code)) categories_->OnCommand(id);
      return;
  }
}

LRESULT MainWindow::OnNotify(NMHDR& header) {
  if (header.hwndFrom == categories_->hwnd()) return categories_->OnNotify(header);
  return shortcuts_->OnNotify(header);
}

void MainWindow::OnCloseMessage() {
  // Whatever filling runs stops first, as a new selection would, and stores nothing.
  selection_->StopFilling();
  if (handling_ > 1) {
    // Another handler of this window waits below this one: a filling or a message box
    // let the close in. Closing now would pull the window out from under it; the
    // close comes back once that handler has returned.
    closePending_ = true;
    return;
  }
  if (OnClose()) ::DestroyWindow(hwnd());
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  struct Handling {
    MainWindow& window;
    explicit Handling(MainWindow& w) : window(w) { ++window.handling_; }
    ~Handling() {
      if (--window.handling_ > 0 || !window.closePending_ || window.hwnd() == nullptr) return;
      window.closePending_ = false;
      ::PostMessageA(window.hwnd(), WM_CLOSE, 0, 0);
    }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;
  } handling(*this);
  return Dispatch(msg, wp, lp);
}

LRESULT MainWindow::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // While a drag runs the main window holds the mouse for it.
      if (shortcuts_->OnDragMessage(msg, wp, lp) || categories_->OnDragMessage(msg, wp, lp)) {
        return 0;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_PAINT:
      OnPaint();
      return DefaultHandling(msg, wp, lp);
    case kAfterFirstPaint:
      LoadPictures();
      return 0;
    case kRunSelection:
      categories_->RunPendingSelection();
      return 0;
    case WM_COPYDATA:
      return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case kSelectRequested:
      OnSelectRequested();
      return 0;
    case kSplitterMoved:
      treeWidth_ = static_cast<int>(static_cast<INT_PTR>(wp));
      Layout();
      return 0;
    case WM_TIMER:
      if (wp == kStartTimer) OnStartTimer();
      if (wp == kClickTimer) shortcuts_->OnClickTimer();
      if (wp == kResultsTimer) shortcuts_->OnResultsTimer();
      if (wp == kIconTimer) shortcuts_->OnIconTimer();
      return 0;
    case WM_CONTEXTMENU:
      if (lp == -1 && keyMenuShown_) {
        keyMenuShown_ = false;
        return 0;
      }
      if (shortcuts_->OnContextMenu(reinterpret_cast<HWND>(wp), lp)) return 0;
      if (reinterpret_cast<HWND>(wp) == categories_->hwnd() && lp == -1) {
        categories_->ShowMenuAtSelection();
        return 0;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again
      // (after a dialog, a message box, another program).
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(hwnd(), focus)) focusBeforeLeaving_ = focus;
        return 0;
      }
      if (focusBeforeLeaving_ != nullptr && ::IsWindow(focusBeforeLeaving_) &&
          ::IsChild(hwnd(), focusBeforeLeaving_)) {
        ::SetFocus(focusBeforeLeaving_);
        return 0;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_HOTKEY:
      if (wp == kSummonHotkey) OnHotkey();
      return 0;
    case WM_SETCURSOR:
      if (busyDepth_ > 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_DROPFILES:
      shortcuts_->OnDropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lp);
      limits.ptMinTrackSize = {dpi_.Scale(320), dpi_.Scale(240)};
      return 0;
    }
    case WM_CLOSE:
      OnCloseMessage();
      return 0;
    case WM_DESTROY:
      if (hotkeyRegistered_) ::UnregisterHotKey(hwnd(), kSummonHotkey);
      ::RemovePropA(hwnd(), kInstanceProperty);
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
