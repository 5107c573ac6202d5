#pragma once
// The main window: the category pane on the left, the splitter, the shortcut pane
// (toolbar, search field and list) on the right, the status bar at the bottom. It
// starts and closes the program, lays the panes out, takes the keys that act wherever
// the focus is, and summons itself; each pane handles its own messages.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/Keyboard.h"
#include "app/Options.h"
#include "app/Session.h"
#include "app/Summon.h"
#include "app/win32/AboutBox.h"
#include "app/win32/Platform.h"
#include "app/win32/Splitter.h"
#include "app/win32/StatusBarText.h"
#include "app/win32/TrayIcon.h"
#include "base/win32/Dpi.h"
#include "base/win32/Handle.h"
#include "base/win32/SystemTheme.h"
#include "base/win32/Window.h"
#include "categories/CategorySelection.h"
#include "categories/win32/CategoryPane.h"
#include "model/ShortcutList.h"
#include "shell/CachedStartMenus.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shell/win32/FolderWatcher.h"
#include "shortcuts/ShortcutPaneModel.h"
#include "shortcuts/win32/ShortcutPane.h"

namespace tessaly::win32 {

inline constexpr const char* kMainWindowClass = "TessalyMainWindow";
// The delayed start.
inline constexpr UINT_PTR kStartTimer = 1;
// The check of the link cache against the start menus, a step at a time while idle.
inline constexpr UINT_PTR kLinkCheckTimer = 2;
// Folder changes that came while something else ran, handled once it is over.
inline constexpr UINT_PTR kFolderChangeTimer = 3;
// The search's index, built ahead of the first key.
inline constexpr UINT_PTR kPrepareSearchTimer = 4;
// Posted by the first paint: what the first frame does not show is loaded then.
inline constexpr UINT kAfterFirstPaint = WM_APP + 3;
// The summon hotkey's identifier with the system.
inline constexpr int kSummonHotkey = 1;
// "Options..." in the window's system menu (the system keeps the low four bits).
inline constexpr UINT kOptionsSystemCommand = 0x0110;
// The window property that tells which data directory a running Tessaly uses.
inline constexpr const char* kInstanceProperty = "Tessaly.Instance";
// WM_COPYDATA from a second start with "/category": the data is the category's path.
inline constexpr ULONG_PTR kSelectCategoryData = 0x54534331;
// Posted to itself once such a path has come: it is selected outside the sender's call.
inline constexpr UINT kSelectRequested = WM_APP + 4;

class MainWindow : public Window<MainWindow>, private StatusLine, private BusyCursor {
 public:
  explicit MainWindow(Platform& platform);
  ~MainWindow();

  // Builds the window and loads the data files. False when the program is to end at
  // once (no Categories.sts); the window is then gone.
  bool Create(const std::string& currentDirectory);
  // Shows the window as the settings place it.
  void Show(int showCommand);
  // Leaves the window hidden for the hotkey or the icon to bring ("/hidden"); with
  // neither, it starts minimised.
  void StartHidden();
  // The category of that path ("/category") is selected at the delayed start instead
  // of the stored one.
  void SelectAtStart(std::string categoryPath) { startCategory_ = std::move(categoryPath); }
  // Whether the window takes in, while it runs, what other programs write to the data
  // files (on by default; before Create). Off, their changes are still kept: each
  // write is made to the file as it is on disk.
  void FollowOtherWriters(bool follow) { followOtherWriters_ = follow; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Keys that do something wherever the focus is in the window, before the control
  // with the focus sees them. True when the key was taken.
  bool PreTranslateMessage(const MSG& msg);
  // Brings the window to the front on the monitor under the pointer, restored, with
  // the focus in the search field and its text selected.
  void Summon();
  // Hides the window (minimises it when nothing could bring it back) and gives the
  // focus back to the window that had it before the summon.
  void PutAway();
  // What the message loop waits on for the window beside its messages: the folders
  // the built-in categories read.
  LoopWaits& waits() { return *watcher_; }
  // How many folders are watched for the built-in categories: none until a moment
  // after the start.
  std::size_t watchedFolders() const { return watcher_->count(); }

 private:
  // The silent status of the search's own scan, which nobody sees.
  struct SilentStatus : StatusLine {
    void SetStatusText(const std::string&) override {}
  };

  void OnCreate();
  void OnStartTimer();
  // The search gets "Get All" from the link cache, and the cache is checked at idle.
  void WarmGetAll();
  void StartLinkCheck();
  void OnLinkCheckTimer();
  void OnPrepareSearchTimer();
  // No handler, filling or mouse capture runs and the user has not been at work in the
  // window for a moment: time for work in the background.
  bool Idle() const;
  void OnFoldersChanged(unsigned categories);
  // Takes in what another program wrote to the data files.
  void FollowDataFiles();
  std::optional<int> StartSelection();
  LRESULT OnCopyData(const COPYDATASTRUCT& data);
  void OnSelectRequested();
  void OnOpenAll();
  void OnCreateCategoryLink();
  void OnPaint();
  void LoadPictures();
  void OnCloseMessage();
  void OnHotkey();
  void RegisterSummonHotkey();
  // Takes that hotkey (or none) in place of the one in use: the empty text, or the
  // system's reason, the hotkey in use then kept.
  std::string ClaimHotkey(const std::optional<Hotkey>& hotkey);
  void OnOptions();
  // The icon, learning and the rest follow options_.
  void ApplyOptions();
  HICON TrayPicture();
  // The user chose another program's window: hidden, when the user asked for that.
  void OnLeft();
  void PlaceOnMonitorUnderPointer();
  std::string StartupCommandOfThis() const;
  FocusPane PaneWithFocus() const;
  void Focus(FocusPane pane);
  void DoKeyAction(KeyAction action);
  void Layout();
  void ApplyPlacement(const Placement& placement);
  // Reads the theme again and gives every pane its colours.
  void ApplyTheme();
  void OnThemeMessage(UINT msg, WPARAM wp, LPARAM lp);
  // The window is on a monitor of another resolution: it takes the rectangle the
  // system suggests and everything sized from the resolution is made again at it.
  void OnDpiChanged(Dpi dpi, const RECT& suggested);
  // The status bar's font at the window's resolution, when it is not the screen's.
  void ShowStatusFont();

  // StatusLine
  void SetStatusText(const std::string& text) override;
  void ShowHint(const std::string& text) override;
  void EndHint() override;
  // BusyCursor
  void SetBusy(bool busy) override;

  Platform& platform_;
  Dpi dpi_;
  std::unique_ptr<Session> session_;
  // What the list shows, and the fillings and scans that fill it.
  std::unique_ptr<ShortcutList> list_;
  std::unique_ptr<ListEntryAdder> adder_;
  std::unique_ptr<ShellScans> scans_;
  std::unique_ptr<CategorySelection> selection_;
  // The search's own scan of the start menus, into a list nobody sees.
  ShortcutList searchList_;
  SilentStatus silentStatus_;
  std::unique_ptr<ListEntryAdder> searchAdder_;
  std::unique_ptr<ShellScans> searchScans_;
  std::unique_ptr<ShortcutPaneModel> paneModel_;
  std::unique_ptr<CategoryPane> categories_;
  std::unique_ptr<ShortcutPane> shortcuts_;
  std::unique_ptr<FolderWatcher> watcher_;
  std::unique_ptr<StartMenuCheck> linkCheck_;
  // WatchedCategory bits of the folder changes still to follow.
  unsigned pendingFolderChanges_ = 0;
  bool followOtherWriters_ = true;
  // When a key or a mouse button was last used in the window.
  ULONGLONG lastInput_ = 0;

  std::string hotkeyProblem_;
  Options options_;
  std::optional<Hotkey> registeredHotkey_;
  TrayIcon tray_;
  UniqueIcon trayPicture_;
  // The window that was in front when the summon came; it gets the focus back.
  HWND summonedFrom_ = nullptr;
  // "/category" of this start, and one sent by a later start, until selected.
  std::string startCategory_;
  std::string requestedCategory_;
  HWND focusBeforeLeaving_ = nullptr;
  int busyDepth_ = 0;
  int treeWidth_ = 0;
  bool showMaximized_ = false;
  bool painted_ = false;
  // While the stored placement is applied: it is in the pixels of its monitor already.
  bool placing_ = false;

  UniqueFont formFont_;
  UniqueFont statusFont_;
  Splitter splitter_;
  HWND statusBar_ = nullptr;
  StatusBarText statusText_;
  AboutBox aboutBox_;
  RegistryThemeSource systemTheme_;
  bool darkTitleBar_ = false;
};

}  // namespace tessaly::win32
