#include "app/win32/MainWindow.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/CategoryLink.h"
#include "app/HeadlessOpen.h"
#include "app/win32/MainWindowRes.h"
#include "app/win32/OptionsDialog.h"
#include "app/win32/TrayIconRes.h"
#include "app/win32/Program.h"
#include "base/ScopedFlag.h"
#include "base/win32/AccessibleName.h"
#include "base/win32/Text.h"
#include "categories/CachedGetAll.h"
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
constexpr int kFormFontHeight = 13;
constexpr int kMinimumPane = 40;
constexpr UINT kStartDelay = 120;
// The folders of the built-in categories are watched once the start's own work is done.
constexpr DWORD kWatchDelay = 2000;
// A category path sent by another start is a few names; more is not one.
constexpr DWORD kLongestCategoryPath = 32768;

ScreenRect ScreenRectOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The monitors' whole areas and work areas, in the system's order.
struct Monitors {
  std::vector<ScreenRect> areas;
  std::vector<ScreenRect> workAreas;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoA(monitor, &info)) {
    auto& monitors = *reinterpret_cast<Monitors*>(data);
    monitors.areas.push_back(ScreenRectOf(info.rcMonitor));
    monitors.workAreas.push_back(ScreenRectOf(info.rcWork));
  }
  return TRUE;
}

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
                                  static_cast<StatusLine&>(*this), session_->history()},
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
  options_ = ReadOptions(session_->settings());
  RegisterSummonHotkey();
  ApplyOptions();
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

void MainWindow::StartHidden() {
  if (!CanHide(registeredHotkey_.has_value(), tray_.shown())) {
    ::ShowWindow(hwnd(), SW_SHOWMINNOACTIVE);
  }
  focusBeforeLeaving_ = categories_->treeWindow();
}

void MainWindow::OnCreate() {
  watcher_ = std::make_unique<FolderWatcher>([this](const FolderChange& change) {
    ::PostMessageA(hwnd(), kFoldersChanged, static_cast<WPARAM>(change.category),
                   change.overflow ? 1 : 0);
  });
  watcher_->WatchBuiltinFoldersLater(platform_.folders, kWatchDelay);
  // A hand edit, a sync tool or a second Tessaly: the window follows their changes.
  if (followOtherWriters_) {
    watcher_->Watch(session_->DataDirectory(), false, WatchedCategory::DataFiles);
  }
  // The monitor the window was made on may have another resolution than the screen's.
  dpi_ = Dpi::OfWindow(hwnd());
  treeWidth_ = dpi_.Scale(kTreeWidth);
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
  ShowStatusFont();
  GiveAccessibleName(statusBar_, "Status");
  GiveAccessibleName(splitter_.hwnd(), "Border between the panes");
  statusText_.Attach(statusBar_);

  // The window's own menu opens the options, where a window without a menu bar has one.
  if (const HMENU system = ::GetSystemMenu(hwnd(), FALSE)) {
    ::AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(system, MF_STRING, kOptionsSystemCommand, "&Options...");
  }

  ApplyTheme();
}

void MainWindow::ApplyTheme() {
  const Palette palette = CurrentPalette(platform_.theme != nullptr ? *platform_.theme : systemTheme_);
  // High contrast leaves the title to the system; one made dark before is put back.
  const bool dark = palette.theme == Theme::Dark;
  if (dark || darkTitleBar_) {
    // Older systems have no dark title: it stays light there.
    SetDarkTitleBar(hwnd(), dark);
    darkTitleBar_ = dark;
  }
  categories_->ApplyPalette(palette);
  shortcuts_->ApplyPalette(palette);
  splitter_.ApplyPalette(palette);
  statusText_.ApplyPalette(palette);
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void MainWindow::OnThemeMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETTINGCHANGE && !IsThemeChange(wp, lp)) return;
  if (msg == WM_SYSCOLORCHANGE) {
    // The common controls take the new colours only when told.
    for (const HWND control : {categories_->treeWindow(), shortcuts_->listWindow(), statusBar_}) {
      ::SendMessageA(control, msg, wp, lp);
    }
  }
  ApplyTheme();
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
  // At a large scale on a small screen the designed size is more than the screen has.
  const int width = std::min(dpi_.Scale(kDesignWidth), static_cast<int>(area.right - area.left));
  const int height = std::min(dpi_.Scale(kDesignHeight), static_cast<int>(area.bottom - area.top));
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
  const ScopedFlag placing(placing_);
  ::SetWindowPos(hwnd(), nullptr, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnDpiChanged(Dpi dpi, const RECT& suggested) {
  const Dpi old = dpi_;
  dpi_ = dpi;
  if (dpi_ != old) {
    // The border keeps its place in proportion.
    treeWidth_ = dpi_.Rescale(treeWidth_, old);
    // The controls let go of the old font before it is deleted.
    UniqueFont font = CreateFormFont(dpi_, kFormFontHeight);
    categories_->OnDpiChanged(dpi_);
    shortcuts_->OnDpiChanged(dpi_, font.get());
    formFont_ = std::move(font);
    ShowStatusFont();
  }
  if (!placing_) {
    ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Layout();
}

void MainWindow::ShowStatusFont() {
  if (!statusFont_ && dpi_ == Dpi::OfScreen()) return;
  UniqueFont font = CreateStatusFont(dpi_);
  ::SendMessageA(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  statusFont_ = std::move(font);
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
  if (!session_->tree().empty()) categories_->SelectAt(StartSelection());
  // Said once, where it does not stop the start: why the summon hotkey is off.
  if (!hotkeyProblem_.empty()) SetStatusText(hotkeyProblem_);
  WarmGetAll();
}

namespace {

// Below a step of the link check the window takes its messages again.
constexpr ULONGLONG kLinkCheckSlice = 8;
constexpr UINT kLinkCheckInterval = 20;
constexpr ULONGLONG kQuietForBackground = 1000;
constexpr UINT kPrepareSearchDelay = 300;
constexpr UINT kFolderChangeRetry = 300;

// Inside another handler (a scan's pump, a dialog, a menu) the lists and the link
// cache are in use; with the mouse held a drag or a selection may be under way.
bool AtRest() { return tHandlersRunning <= 1 && ::GetCapture() == nullptr; }

}  // namespace

void MainWindow::WarmGetAll() {
  // The index is built at the first quiet moment, so that the first key finds it.
  ::SetTimer(hwnd(), kPrepareSearchTimer, kPrepareSearchDelay, nullptr);
  if (platform_.linkCache == nullptr || !HasGetAll(session_->tree())) return;
  // Unless a scan already gave the search a fresher one.
  if (selection_->latestResults().count(std::string(builtin::GetAll)) == 0) {
    if (auto lines = GetAllFromCache(platform_.linkCache->cache(), platform_.folders)) {
      selection_->RememberGetAll(*lines);
    }
  }
  StartLinkCheck();
}

bool MainWindow::Idle() const {
  // Typing and clicking go first.
  return AtRest() && !selection_->Filling() && ::GetTickCount64() - lastInput_ >= kQuietForBackground;
}

void MainWindow::OnPrepareSearchTimer() {
  if (!Idle()) return;
  ::KillTimer(hwnd(), kPrepareSearchTimer);
  paneModel_->PrepareSearch();
}

void MainWindow::StartLinkCheck() {
  if (platform_.linkCache == nullptr || !HasGetAll(session_->tree())) return;
  linkCheck_ = StartGetAllCheck(*platform_.linkCache, platform_.lister, platform_.folders);
  ::SetTimer(hwnd(), kLinkCheckTimer, kLinkCheckInterval, nullptr);
}

void MainWindow::OnLinkCheckTimer() {
  if (linkCheck_ == nullptr) {
    ::KillTimer(hwnd(), kLinkCheckTimer);
    return;
  }
  if (!Idle()) return;
  const ULONGLONG until = ::GetTickCount64() + kLinkCheckSlice;
  while (linkCheck_->Step() && ::GetTickCount64() < until) {
  }
  if (!linkCheck_->done()) return;
  ::KillTimer(hwnd(), kLinkCheckTimer);
  const bool changed = linkCheck_->changed();
  linkCheck_.reset();
  if (!changed) return;
  // Kept at once: a killed Tessaly need not read the changed links again.
  platform_.linkCache->SaveIfChanged();
  // A shown "Get All" is listed again only when what it lists changed: the user's
  // selection in it stays otherwise.
  if (auto lines = GetAllFromCache(platform_.linkCache->cache(), platform_.folders);
      lines && selection_->RememberGetAll(*lines)) {
    selection_->FollowFolderChange(builtin::GetAll);
    ::SetTimer(hwnd(), kPrepareSearchTimer, kPrepareSearchDelay, nullptr);
  }
}

void MainWindow::FollowDataFiles() {
  const CategoryNode* selected = selection_->selected();
  const std::vector<std::string> path = selected != nullptr ? PathOf(*selected) : std::vector<std::string>{};
  const OutsideChanges changes = session_->ReloadChangedFiles();
  if (changes.settings) {
    shortcuts_->ApplyStoredView(session_->StoredView());
    Options options = ReadOptions(session_->settings());
    options.startWithWindows = options_.startWithWindows;
    ClaimHotkey(options.hotkey);
    options_ = options;
    ApplyOptions();
  }
  if (changes.categories) {
    // Categories whose path is gone are gone from memory too: nothing may point to
    // them any more. The rest are the same nodes.
    const CategoryNode* now = path.empty() ? nullptr : session_->tree().FindPath(path);
    if (now != selected) selection_->Select(nullptr);
    categories_->ShowTree();
    if (now != nullptr) categories_->SelectAt(session_->tree().AbsoluteIndex(*now));
  } else if (changes.shortcuts) {
    selection_->ShowShownAgain();
  }
}

void MainWindow::OnFoldersChanged(unsigned categories) {
  pendingFolderChanges_ |= categories;
  if (!AtRest() || selection_->Filling() || !session_->treeLoaded()) {
    ::SetTimer(hwnd(), kFolderChangeTimer, kFolderChangeRetry, nullptr);
    return;
  }
  ::KillTimer(hwnd(), kFolderChangeTimer);
  const unsigned changed = std::exchange(pendingFolderChanges_, 0);
  if ((changed & (1u << static_cast<unsigned>(WatchedCategory::DataFiles))) != 0) {
    FollowDataFiles();
  }
  for (const WatchedCategory category :
       {WatchedCategory::GetAll, WatchedCategory::Recent, WatchedCategory::Popular}) {
    if ((changed & (1u << static_cast<unsigned>(category))) == 0) continue;
    // A shown "Get All" is scanned again through the cache, which brings both up to
    // date; otherwise the check does it at idle, for the search.
    if (!selection_->FollowFolderChange(CategoryName(category)) &&
        category == WatchedCategory::GetAll) {
      StartLinkCheck();
    }
  }
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
  ::SetFocus(categories_->treeWindow());
  // Already selected, it is shown again: the list may show the search's results.
  if (selection_->selected() == node) {
    selection_->ShowSelected();
  } else {
    categories_->SelectAt(session_->tree().AbsoluteIndex(*node));
  }
}

void MainWindow::OnOpenAll() {
  const CategoryNode* node = selection_->selected();
  if (node == nullptr) return;
  std::optional<Shortcuts> entries;
  if (list_->category() != node) {
    entries = ShownEntries(*node, session_->shortcuts(), selection_->latestResults());
  }
  if (!entries) {
    // All of the category opens, as the list shows it whole: a search's results give
    // way to it, a filling still running or stopped runs to its end.
    if (list_->category() != node) selection_->ShowSelected();
    if (!selection_->EnsureWhole() || list_->category() != node) return;
    entries = list_->entries();
  }
  // The boxes below let messages run, which may delete the category.
  const std::string name = node->name;
  OpenAllShortcuts(name, *entries, platform_.links, platform_.existence, platform_.launcher,
                   platform_.boxes);
}

void MainWindow::OnCreateCategoryLink() {
  const CategoryNode* node = selection_->selected();
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
  if (!ClaimHotkey(choice.hotkey).empty()) {
    hotkeyProblem_ = "The hotkey is off: " + HotkeyText(*choice.hotkey) +
                     " is taken by another program.";
  }
}

std::string MainWindow::ClaimHotkey(const std::optional<Hotkey>& hotkey) {
  if (hotkey == registeredHotkey_) return {};
  const std::optional<Hotkey> before = std::exchange(registeredHotkey_, std::nullopt);
  if (before) ::UnregisterHotKey(hwnd(), kSummonHotkey);
  if (!hotkey) return {};
  if (::RegisterHotKey(hwnd(), kSummonHotkey, hotkey->modifiers | MOD_NOREPEAT, hotkey->key)) {
    registeredHotkey_ = hotkey;
    hotkeyProblem_.clear();
    return {};
  }
  const DWORD error = ::GetLastError();
  if (before &&
      ::RegisterHotKey(hwnd(), kSummonHotkey, before->modifiers | MOD_NOREPEAT, before->key)) {
    registeredHotkey_ = before;
  }
  return SystemErrorText(error);
}

std::string MainWindow::StartupCommandOfThis() const {
  return StartupCommand(ProgramPath(), session_->DataDirectory());
}

void MainWindow::OnOptions() {
  if (!::IsWindowVisible(hwnd()) || ::IsIconic(hwnd())) Summon();
  Options current = options_;
  if (platform_.startup != nullptr) {
    current.startWithWindows = StartsWithWindows(*platform_.startup, StartupCommandOfThis());
  }
  OptionsDialog dialog(platform_.boxes,
                       [this](const std::optional<Hotkey>& hotkey) { return ClaimHotkey(hotkey); });
  std::optional<Options> chosen = dialog.Ask(hwnd(), current);
  if (!chosen || hwnd() == nullptr) return;
  // A failed write is reported and kept in memory for the next one; the options apply
  // all the same.
  session_->settings().WriteSettings(ChangedSettings(current, *chosen));
  if (platform_.startup != nullptr && chosen->startWithWindows != current.startWithWindows) {
    const std::string problem =
        SetStartWithWindows(*platform_.startup, chosen->startWithWindows, StartupCommandOfThis());
    if (!problem.empty()) {
      platform_.boxes.Error(std::string("Tessaly could not ") +
                            (chosen->startWithWindows ? "add itself to" : "remove itself from") +
                            " the programs that start with Windows: " + problem + ".");
      chosen->startWithWindows = current.startWithWindows;
    }
  }
  options_ = *chosen;
  ApplyOptions();
}

HICON MainWindow::TrayPicture() {
  // The notification area shows small icons at the system's resolution; the shared
  // icon LoadIcon gives is the large one.
  if (!trayPicture_) {
    trayPicture_.reset(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TESSALY), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
  }
  return trayPicture_.get();
}

void MainWindow::ApplyOptions() {
  session_->history().SetLearning(options_.learn);
  if (!options_.trayIcon) {
    tray_.Hide();
  } else if (!tray_.shown() && !tray_.Show(hwnd(), TrayPicture(), "Tessaly")) {
    SetStatusText("The notification area did not take Tessaly's icon.");
  }
  // Hidden with no way back, the window comes back itself.
  if (!::IsWindowVisible(hwnd()) && painted_ && !CanHide(registeredHotkey_.has_value(), tray_.shown())) {
    Summon();
  }
}

void MainWindow::OnHotkey() {
  // Pressed while Tessaly is in front, it puts Tessaly away again.
  if (::GetForegroundWindow() == hwnd() && ::IsWindowVisible(hwnd()) && !::IsIconic(hwnd())) {
    PutAway();
    return;
  }
  Summon();
}

void MainWindow::PlaceOnMonitorUnderPointer() {
  Monitors monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  POINT pointer{};
  if (monitors.areas.empty() || !::GetCursorPos(&pointer)) return;
  const ScreenRect workArea =
      monitors.workAreas[MonitorUnder({pointer.x, pointer.y}, monitors.areas)];
  // The restored rectangle is placed, so that a maximised or minimised window comes
  // back on that monitor too. It is kept in workspace coordinates: the primary work
  // area's corner is their origin.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(hwnd(), &placement)) return;
  const RECT primary = PrimaryWorkArea();
  const bool workspace = (::GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
  const int dx = workspace ? primary.left : 0;
  const int dy = workspace ? primary.top : 0;
  RECT& normal = placement.rcNormalPosition;
  const ScreenRect window{normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy};
  const ScreenRect placed = SummonedPlacement(window, workArea);
  if (placed == window) return;
  normal = {placed.left - dx, placed.top - dy, placed.right - dx, placed.bottom - dy};
  // Only the place changes here; showing is the summon's. A maximised window is
  // maximised again at once, on the monitor of its new restored rectangle.
  const bool visible = ::IsWindowVisible(hwnd()) != FALSE;
  placement.showCmd = ::IsZoomed(hwnd()) ? SW_SHOWMAXIMIZED
                      : !visible         ? SW_HIDE
                      : ::IsIconic(hwnd()) ? SW_SHOWMINNOACTIVE
                                           : SW_SHOWNOACTIVATE;
  // Kept: whether a minimised window comes back maximised.
  placement.flags &= WPF_RESTORETOMAXIMIZED;
  ::SetWindowPlacement(hwnd(), &placement);
}

void MainWindow::Summon() {
  const HWND front = ::GetForegroundWindow();
  if (front != nullptr && front != hwnd() && ::GetAncestor(front, GA_ROOTOWNER) != hwnd()) {
    summonedFrom_ = front;
  }
  PlaceOnMonitorUnderPointer();
  ::ShowWindow(hwnd(), ::IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(hwnd());
  shortcuts_->StartSearch();
}

void MainWindow::PutAway() {
  // The window before goes to the front while this one still may put it there; hidden
  // first, the system would choose which window is next.
  const HWND back = std::exchange(summonedFrom_, nullptr);
  if (back != nullptr && ::IsWindow(back) && ::IsWindowVisible(back)) ::SetForegroundWindow(back);
  const bool hide = CanHide(registeredHotkey_.has_value(), tray_.shown());
  ::ShowWindow(hwnd(), hide ? SW_HIDE : SW_MINIMIZE);
}

void MainWindow::OnLeft() {
  if (!options_.hideWhenLeft || !::IsWindowVisible(hwnd()) || ::IsIconic(hwnd())) return;
  // A dialog, a message box or a menu of this window is still open: the user comes back.
  if (tHandlersRunning > 1) return;
  summonedFrom_ = nullptr;
  ::ShowWindow(hwnd(), CanHide(registeredHotkey_.has_value(), tray_.shown()) ? SW_HIDE : SW_MINIMIZE);
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
  if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
      (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSELAST)) {
    lastInput_ = ::GetTickCount64();
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  KeyPress key;
  key.key = static_cast<unsigned>(msg.wParam);
  key.ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  key.shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
  key.alt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
  const FocusPane focus = PaneWithFocus();
  const KeyAction action =
      DecideKey(key, focus, ::GetWindowTextLengthA(shortcuts_->searchField()) == 0);
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
    case KeyAction::OpenAllOfCategory:
      OnOpenAll();
      return;
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
    case KeyAction::PutAway:
      PutAway();
      return;
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
  if (tray_.HandleMessage(msg, wp, lp)) return 0;
  switch (msg) {
    case WM_NCCREATE:
      ScaleNonClientArea(hwnd());
      return DefaultHandling(msg, wp, lp);
    case WM_CREATE:
      OnCreate();
      PreTranslateHook() = [this](const MSG& message) { return PreTranslateMessage(message); };
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
    case WM_COPYDATA:
      return OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case kFoldersChanged:
      OnFoldersChanged(1u << static_cast<unsigned>(wp));
      return 0;
    case kSelectRequested:
      OnSelectRequested();
      return 0;
    case kSplitterMoved:
      treeWidth_ = static_cast<int>(static_cast<INT_PTR>(wp));
      Layout();
      return 0;
    case WM_TIMER:
      if (wp == kStartTimer) OnStartTimer();
      if (wp == kLinkCheckTimer) OnLinkCheckTimer();
      if (wp == kPrepareSearchTimer) OnPrepareSearchTimer();
      if (wp == kFolderChangeTimer) OnFoldersChanged(0);
      return 0;
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again
      // (after a dialog, a message box, another program).
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(hwnd(), focus)) focusBeforeLeaving_ = focus;
        return 0;
      }
      // Changes of the data files that no notification told are taken in now.
      if (followOtherWriters_) {
        ::PostMessageA(hwnd(), kFoldersChanged, static_cast<WPARAM>(WatchedCategory::DataFiles), 0);
      }
      if (focusBeforeLeaving_ != nullptr && ::IsWindow(focusBeforeLeaving_) &&
          ::IsChild(hwnd(), focusBeforeLeaving_)) {
        ::SetFocus(focusBeforeLeaving_);
        return 0;
      }
      return DefaultHandling(msg, wp, lp);
    case WM_ACTIVATEAPP:
      if (wp == FALSE) OnLeft();
      return 0;
    case WM_HOTKEY:
      if (wp == kSummonHotkey) OnHotkey();
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == kOptionsSystemCommand) {
        OnOptions();
        return 0;
      }
      // With the icon shown the close box may only hide the window; Exit still ends it.
      if ((wp & 0xFFF0) == SC_CLOSE && options_.closeHides && tray_.shown()) {
        PutAway();
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
      // Commands the panes show but that reach above them.
      switch (LOWORD(wp)) {
        case IDC_ABOUT:
          aboutBox_.Show(hwnd());
          return 0;
        case IDC_EXIT:
        case IDM_TRAY_EXIT:
          ::PostMessageA(hwnd(), WM_CLOSE, 0, 0);
          return 0;
        case IDM_TRAY_SHOW:
          Summon();
          return 0;
        case IDM_TRAY_OPTIONS:
          OnOptions();
          return 0;
        case IDM_OPEN_ALL:
          OnOpenAll();
          return 0;
        case IDM_CATEGORY_LINK:
          OnCreateCategoryLink();
          return 0;
        default:
          return 0;
      }
    case WM_DROPFILES:
      // Dropped anywhere on the window, files go to the shortcuts.
      return ::SendMessageA(shortcuts_->hwnd(), WM_DROPFILES, wp, lp);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      OnThemeMessage(msg, wp, lp);
      return DefaultHandling(msg, wp, lp);
    case WM_DPICHANGED:
      OnDpiChanged(DpiOfMessage(wp), *reinterpret_cast<const RECT*>(lp));
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
      PreTranslateHook() = nullptr;
      if (registeredHotkey_) ::UnregisterHotKey(hwnd(), kSummonHotkey);
      tray_.Hide();
      ::RemovePropA(hwnd(), kInstanceProperty);
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultHandling(msg, wp, lp);
  }
}

}  // namespace tessaly::win32
