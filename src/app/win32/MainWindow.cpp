#include "app/win32/MainWindow.h"

#include <shellapi.h>

#include <algorithm>

#include "app/win32/MainWindowRes.h"
#include "base/win32/AccessibleName.h"
#include "base/win32/Text.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"

namespace tessaly::win32 {

namespace {

// Sizes in pixels at 96 dots per inch; scaled to the screen's resolution.
constexpr int kTreeWidth = 193;
constexpr int kSplitterWidth = 3;
constexpr int kFormFontHeight = 13;
constexpr int kMinimumPane = 40;
constexpr UINT kStartDelay = 120;

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
  list_ = std::make_unique<ShortcutList>([](const std::string& a, const std::string& b) {
    // The order the list control's own sort used: the locale's word sort.
    return ::lstrcmpA(a.c_str(), b.c_str());
  });
  adder_ = std::make_unique<ListEntryAdder>(*list_, static_cast<StatusLine&>(*this), platform_.pump);
  scans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                        platform_.existence, *adder_);
  selection_ = std::make_unique<CategorySelection>(session_->shortcuts(), *scans_, *adder_,
                                                   platform_.folders, platform_.existence,
                                                   static_cast<BusyCursor&>(*this));
  searchAdder_ = std::make_unique<ListEntryAdder>(searchList_, silentStatus_, platform_.pump);
  searchScans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                              platform_.existence, *searchAdder_);
  paneModel_ = std::make_unique<ShortcutPaneModel>(
      ShortcutPaneModel::Services{session_->shortcuts(), *selection_, *list_, platform_.links,
                                  platform_.existence, platform_.launcher, platform_.boxes,
                                  static_cast<StatusLine&>(*this)},
      ShortcutPaneModel::SearchSources{session_->tree(), *searchScans_, searchList_});
  categories_ = std::make_unique<CategoryPane>(
      session_->tree(),
      CategoryPane::Services{session_->shortcuts(), *selection_, *session_,
                             static_cast<StatusLine&>(*this), platform_.boxes,
                             platform_.folders, platform_.pickers, platform_.pump});
  shortcuts_ = std::make_unique<ShortcutPane>(
      *paneModel_, categories_->tree(),
      ShortcutPane::Services{session_->settings(), platform_.links, platform_.existence,
                             platform_.pickers, platform_.boxes, static_cast<StatusLine&>(*this)});

  RegisterClassOnce(kMainWindowClass,
                    ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TESSALY)));
  treeWidth_ = dpi_.Scale(kTreeWidth);
  if (::CreateWindowExA(0, kMainWindowClass, "Tessaly", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, dpi_.Scale(kDesignWidth),
                        dpi_.Scale(kDesignHeight), nullptr, nullptr, ::GetModuleHandleA(nullptr),
                        this) == nullptr) {
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
  if (::GetActiveWindow() == hwnd()) ::SetFocus(categories_->treeWindow());
  focusBeforeLeaving_ = categories_->treeWindow();
}

void MainWindow::OnCreate() {
  formFont_ = CreateFormFont(dpi_, kFormFontHeight);
  categories_->Create(hwnd(), IDC_CATEGORY_PANE, dpi_);
  splitter_.Create(hwnd(), IDC_SPLITTER);
  shortcuts_->Create(hwnd(), IDC_SHORTCUT_PANE, dpi_, formFont_.get());

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
  const int height = std::max(0, static_cast<int>(client.bottom - (status.bottom - status.top)));
  const int splitter = dpi_.Scale(kSplitterWidth);

  treeWidth_ = std::max(dpi_.Scale(kMinimumPane),
                        std::min(treeWidth_, width - splitter - dpi_.Scale(kMinimumPane)));
  const int right = treeWidth_ + splitter;
  HDWP positions = ::BeginDeferWindowPos(3);
  positions = ::DeferWindowPos(positions, categories_->hwnd(), nullptr, 0, 0, treeWidth_, height,
                               SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, splitter_.hwnd(), nullptr, treeWidth_, 0, splitter,
                               height, SWP_NOZORDER | SWP_NOACTIVATE);
  positions = ::DeferWindowPos(positions, shortcuts_->hwnd(), nullptr, right, 0,
                               std::max(0, width - right), height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (positions != nullptr) ::EndDeferWindowPos(positions);
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

void MainWindow::SetStatusText(const std::string& text) { statusText_.Set(text); }

void MainWindow::ShowHint(const std::string& text) {
  // The bar's simple mode shows the hint and keeps the panel's text for afterwards.
  ::SendMessageA(statusBar_, SB_SIMPLE, TRUE, 0);
  ::SendMessageA(statusBar_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::EndHint() { ::SendMessageA(statusBar_, SB_SIMPLE, FALSE, 0); }

void MainWindow::SetBusy(bool busy) {
  // Nested fillings each set and restore the cursor; the last restore wins, as it
  // does for the application's one cursor.
  busyDepth_ = busy ? busyDepth_ + 1 : 0;
  ::SetCursor(::LoadCursor(nullptr, busyDepth_ > 0 ? IDC_WAIT : IDC_ARROW));
}

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
  if (!session_->tree().empty()) categories_->SelectAt(session_->InitialSelection());
  // Said once, where it does not stop the start: why the summon hotkey is off.
  if (!hotkeyProblem_.empty()) SetStatusText(hotkeyProblem_);
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
  ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(hwnd());
  shortcuts_->FocusSearch();
}

FocusPane MainWindow::PaneWithFocus() const {
  const HWND focus = ::GetFocus();
  if (focus == nullptr) return FocusPane::Elsewhere;
  if (focus == categories_->treeWindow()) return FocusPane::Tree;
  if (focus == shortcuts_->searchField()) return FocusPane::Search;
  if (focus == shortcuts_->listWindow()) return FocusPane::List;
  return FocusPane::Elsewhere;
}

void MainWindow::Focus(FocusPane pane) {
  switch (pane) {
    case FocusPane::Tree:
      ::SetFocus(categories_->treeWindow());
      break;
    case FocusPane::Search:
      shortcuts_->FocusSearch();
      break;
    case FocusPane::List:
      ::SetFocus(shortcuts_->listWindow());
      break;
    case FocusPane::Elsewhere:
      break;
  }
}

bool MainWindow::PreTranslateMessage(const MSG& msg) {
  // Only keys meant for this window; a dialog or menu runs its own loop anyway.
  if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
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
  DoKeyAction(action);
  return true;
}

void MainWindow::DoKeyAction(KeyAction action) {
  // Each key is a command of the pane it belongs to, handled where the menus' are.
  const auto command = [](HWND pane, int id) {
    ::SendMessageA(pane, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  };
  switch (action) {
    case KeyAction::FocusSearch:
      shortcuts_->FocusSearch();
      return;
    case KeyAction::AddCategory:
      return command(categories_->hwnd(), IDM_ADD_CATEGORY);
    case KeyAction::RenameCategory:
      return command(categories_->hwnd(), IDM_RENAME_CATEGORY);
    case KeyAction::DeleteCategory:
      return command(categories_->hwnd(), IDM_DELETE_CATEGORY);
    case KeyAction::CategoryMenu:
      return command(categories_->hwnd(), IDM_SHOW_CATEGORY_MENU);
    case KeyAction::AddShortcut:
      return command(shortcuts_->hwnd(), IDC_ADD);
    case KeyAction::EditShortcut:
      return command(shortcuts_->hwnd(), IDC_EDIT);
    case KeyAction::RemoveShortcuts:
      return command(shortcuts_->hwnd(), IDC_REMOVE);
    case KeyAction::ShortcutMenu:
      return command(shortcuts_->hwnd(), IDM_SHOW_LIST_MENU);
    case KeyAction::RunAsAdministrator:
      return command(shortcuts_->hwnd(), IDM_RUN_AS_ADMINISTRATOR);
    case KeyAction::OpenFound:
      return command(shortcuts_->hwnd(), IDM_OPEN_FOUND);
    case KeyAction::RunFoundAsAdministrator:
      return command(shortcuts_->hwnd(), IDM_RUN_FOUND_ELEVATED);
    case KeyAction::EnterResults:
      return command(shortcuts_->hwnd(), IDM_ENTER_RESULTS);
    case KeyAction::EndSearch:
      return command(shortcuts_->hwnd(), IDM_END_SEARCH);
    case KeyAction::None:
    case KeyAction::NextPane:
    case KeyAction::PreviousPane:
      return;
  }
}

void MainWindow::OnCloseMessage() {
  // Whatever filling runs stops first, as a new selection would, and stores nothing.
  selection_->StopFilling();
  if (tHandlersRunning > 1) {
    // Another handler waits below this one: a filling or a message box let the close
    // in. Closing now would pull the windows out from under it; the close comes back
    // once every handler has returned.
    tCloseWhenAtRest = hwnd();
    return;
  }
  if (session_->Close(selection_->selected())) ::DestroyWindow(hwnd());
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_PAINT:
      OnPaint();
      return DefaultHandling(msg, wp, lp);
    case kAfterFirstPaint:
      LoadPictures();
      return 0;
    case kSplitterMoved:
      treeWidth_ = static_cast<int>(static_cast<INT_PTR>(wp));
      Layout();
      return 0;
    case WM_TIMER:
      if (wp == kStartTimer) OnStartTimer();
      return 0;
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
      if (LOWORD(wp) == IDC_ABOUT) aboutBox_.Show(hwnd());
      if (LOWORD(wp) == IDC_EXIT) ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case WM_DROPFILES:
      // Dropped anywhere on the window, files go to the shortcuts.
      return ::SendMessageA(shortcuts_->hwnd(), WM_DROPFILES, wp, lp);
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
