#include "app/win32/MainWindow.h"

#include <shellapi.h>

#include <algorithm>

#include "app/win32/MainWindowRes.h"
#include "base/win32/Text.h"
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
  shortcuts_ = std::make_unique<ShortcutPane>(
      ShortcutPane::Services{session_->shortcuts(), session_->settings(), platform_.links,
                             platform_.existence, platform_.launcher, platform_.pickers,
                             platform_.boxes, static_cast<StatusLine&>(*this)},
      categories_->tree());
  adder_ = std::make_unique<ListEntryAdder>(shortcuts_->list(), static_cast<StatusLine&>(*this),
                                            platform_.pump);
  scans_ = std::make_unique<ShellScans>(platform_.folders, platform_.links, platform_.lister,
                                        platform_.existence, *adder_);
  selection_ = std::make_unique<CategorySelection>(session_->shortcuts(), *scans_, *adder_,
                                                   platform_.folders, platform_.existence,
                                                   static_cast<BusyCursor&>(*this));

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
  ::SetTimer(hwnd(), kStartTimer, kStartDelay, nullptr);
  ::DragAcceptFiles(hwnd(), TRUE);
  return true;
}

void MainWindow::Show(int showCommand) {
  ::ShowWindow(hwnd(), showMaximized_ ? SW_SHOWMAXIMIZED : showCommand);
  ::UpdateWindow(hwnd());
}

void MainWindow::OnCreate() {
  formFont_.reset(::CreateFontA(-dpi_.Scale(kFormFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  categories_->Create(hwnd(), dpi_, *selection_);
  splitter_.Create(hwnd(), IDC_SPLITTER);
  shortcuts_->Create(hwnd(), dpi_, formFont_.get());
  categories_->OnTreeDropped([this] { shortcuts_->ClearDragStarted(); });

  statusBar_ = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                                 0, 0, 0, 0, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  // One panel; as the last panel it reaches the right edge, so a long target fits.
  int edges[] = {-1};
  ::SendMessageA(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(edges));
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
  session_->LoadTree();
  categories_->ShowTree();
  if (session_->tree().empty()) return;
  categories_->SelectAt(session_->InitialSelection());
}

bool MainWindow::OnClose() { return session_->Close(categories_->tree().SelectedNode()); }

void MainWindow::OnAbout() { aboutBox_.Show(hwnd()); }

void MainWindow::OnExit() { ::PostMessageA(hwnd(), WM_CLOSE, 0, 0); }

void MainWindow::OnCommand(int id) {
  switch (id) {
    case IDC_ABOUT:
      OnAbout();
      return;
    case IDC_EXIT:
      OnExit();
      return;
    default:
      if (!shortcuts_->OnCommand(id)) categories_->OnCommand(id);
      return;
  }
}

LRESULT MainWindow::OnNotify(NMHDR& header) {
  if (header.hwndFrom == categories_->hwnd()) return categories_->OnNotify(header);
  return shortcuts_->OnNotify(header);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
    case kSplitterMoved:
      treeWidth_ = static_cast<int>(static_cast<INT_PTR>(wp));
      Layout();
      return 0;
    case WM_TIMER:
      if (wp == kStartTimer) OnStartTimer();
      if (wp == kClickTimer) shortcuts_->OnClickTimer();
      return 0;
    case WM_CONTEXTMENU:
      if (shortcuts_->OnContextMenu(reinterpret_cast<HWND>(wp), lp)) return 0;
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
      shortcuts_->OnDropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_GETMINMAXINFO: {
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lp);
      limits.ptMinTrackSize = {dpi_.Scale(320), dpi_.Scale(240)};
      return 0;
    }
    case WM_CLOSE:
      if (OnClose()) ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
