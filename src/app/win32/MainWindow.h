#pragma once
// The main window: the category pane on the left, the splitter, the shortcut pane
// (toolbar and list) on the right, the status bar at the bottom. It starts and closes
// the program and routes every other message to the pane it belongs to.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/Session.h"
#include "app/win32/AboutBox.h"
#include "app/win32/Platform.h"
#include "app/win32/Splitter.h"
#include "app/win32/StatusBarText.h"
#include "base/win32/Handle.h"
#include "base/win32/Pictures.h"
#include "base/win32/Window.h"
#include "categories/CategorySelection.h"
#include "categories/win32/CategoryPane.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shortcuts/win32/ShortcutPane.h"

namespace tessaly::win32 {

inline constexpr const char* kMainWindowClass = "TessalyMainWindow";
// The delayed start; the single-click open's timer is the shortcut pane's.
inline constexpr UINT_PTR kStartTimer = 1;
// Posted by the first paint: what the first frame does not show is loaded then.
inline constexpr UINT kAfterFirstPaint = WM_APP + 3;

class MainWindow : public Window<MainWindow>, private StatusLine, private BusyCursor {
 public:
  explicit MainWindow(Platform& platform);
  ~MainWindow();

  // Builds the window and loads the data files. False when the program is to end at
  // once (no Categories.sts); the window is then gone.
  bool Create(const std::string& currentDirectory);
  // Shows the window as the settings place it.
  void Show(int showCommand);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  Session& session() { return *session_; }
  ShellScans& scans() { return *scans_; }
  CategoryPane& categories() { return *categories_; }
  ShortcutPane& shortcuts() { return *shortcuts_; }

 private:
  void OnCreate();
  void OnStartTimer();
  void OnPaint();
  void LoadPictures();
  bool OnClose();
  void OnAbout();
  void OnExit();
  void OnCommand(int id);
  LRESULT OnNotify(NMHDR& header);
  void Layout();
  void ApplyPlacement(const Placement& placement);

  // StatusLine
  void SetStatusText(const std::string& text) override;
  // BusyCursor
  void SetBusy(bool busy) override;

  Platform& platform_;
  Dpi dpi_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<CategoryPane> categories_;
  std::unique_ptr<ShortcutPane> shortcuts_;
  std::unique_ptr<ListEntryAdder> adder_;
  std::unique_ptr<ShellScans> scans_;
  std::unique_ptr<CategorySelection> selection_;
  int busyDepth_ = 0;
  int treeWidth_ = 0;
  bool showMaximized_ = false;
  bool painted_ = false;

  UniqueFont formFont_;
  Splitter splitter_;
  HWND statusBar_ = nullptr;
  StatusBarText statusText_;
  AboutBox aboutBox_;
};

}  // namespace tessaly::win32
