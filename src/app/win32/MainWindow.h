#pragma once
// TForm1: the main window. The category tree on the left, the toolbar and the
// shortcut list on the right, the status bar at the bottom.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/Session.h"
#include "app/win32/AboutBox.h"
#include "app/win32/Platform.h"
#include "app/win32/Splitter.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"
#include "categories/CategorySelection.h"
#include "categories/win32/CategoryTreeView.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shortcuts/ShortcutCommands.h"
#include "shortcuts/win32/ShortcutEditor.h"
#include "shortcuts/win32/ShortcutListView.h"

namespace tessaly::win32 {

inline constexpr const char* kMainWindowClass = "TessalyMainWindow";
inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT_PTR kTimer2 = 2;
// Posted when the tree's selection has changed; sending it runs a pending selection
// at once.
inline constexpr UINT kRunSelection = WM_APP + 2;

class TForm1 : public Window<TForm1>, private StatusLine, private BusyCursor {
 public:
  explicit TForm1(Platform& platform);
  ~TForm1();

  // Builds the window and loads the data files. False when the program is to end at
  // once (no Categories.sts); the window is then gone.
  bool Create(const std::string& currentDirectory);
  // Shows the window as the settings place it.
  void Show(int showCommand);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  Session& session() { return *session_; }
  CategoryTreeView& treeView() { return TreeView1; }
  ShortcutListView& listView() { return ListView1; }
  ShellScans& scans() { return *scans_; }
  TForm2& shortcutEditor() { return *Form2; }
  HMENU popupMenu(int index) const;
  CategoryNode* hoveredNode() const { return HoveredNode; }

  // Event handlers, named after their controls.
  void Timer1Timer();
  bool FormClose();
  void TreeView1Change(CategoryNode* node);
  // Fills the list for the tree's selection if it changed since the last filling.
  void RunPendingSelection();
  void TreeView1MouseMove(POINT clientPoint);
  void TreeView1MouseUp(bool rightButton, POINT screenPoint);
  void SpeedButton10Click();
  void SpeedButton4Click();
  void Thumb1Click();
  void List1Click();
  void Report1Click();
  void SpeedButton9MouseUp();
  void ListView1SelectItem(int item);
  void ListView1MouseUp(bool leftButton);
  void ListView1KeyPress(char key);
  void ListView1DblClick();
  void Timer2Timer();
  void PopupMenu1Popup();
  void Open1Click();
  void Location1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton1Click();
  void Sort1Click();
  void Clear1Click();
  void WMDropFiles(HDROP drop);

 private:
  static LRESULT CALLBACK TreeSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
  void SaveSelectedSection();
  void ShowListMenu(LPARAM screenPoint);
  void OnCreateChildren();
  void Layout();
  void LoadImageLists();
  void ApplyViewStyle(ViewStyle style);
  void ApplyPlacement(const Placement& placement);
  void ChooseView(ViewStyle style);
  void SetButtonEnabled(int id, bool enabled);
  LRESULT OnNotify(NMHDR& header);
  void OnCommand(int id);
  int Scale(int designPixels) const;

  // StatusLine
  void SetStatusText(const std::string& text) override;
  // BusyCursor
  void SetBusy(bool busy) override;

  Platform& platform_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<ListEntryAdder> adder_;
  std::unique_ptr<ShellScans> scans_;
  std::unique_ptr<CategorySelection> selection_;
  std::unique_ptr<ShortcutCommands> commands_;
  std::unique_ptr<TForm2> Form2;
  CategoryNode* HoveredNode = nullptr;
  bool DragStarted = false;
  bool renameShown_ = true;
  bool selectionPending_ = false;
  int busyDepth_ = 0;
  DWORD lastSingleClickOpen_ = 0;
  bool singleClickOpened_ = false;
  int dpi_ = 96;
  int treeWidth_ = 0;
  bool showMaximized_ = false;

  UniqueFont formFont_;
  UniqueFont treeFont_;
  UniqueImageList ImageList1;
  UniqueImageList toolbarImages_;
  UniqueMenu menus_;
  HMENU PopupMenu1 = nullptr;
  HMENU PopupMenu2 = nullptr;
  HMENU PopupMenu3 = nullptr;

  CategoryTreeView TreeView1;
  Splitter Splitter1;
  HWND Panel3 = nullptr;
  ShortcutListView ListView1;
  HWND StatusBar1 = nullptr;

  TAboutBox AboutBox;
};

}  // namespace tessaly::win32
