#pragma once
// The icon chooser: every icon of a program or library file (the system's
// "SHELL32.dll" at first), or the category tree's own images, to pick a category's
// icon from. One object for the whole run: the file, the icons listed and their
// images stay from one use to the next.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "base/MessageBoxes.h"
#include "base/Pickers.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"
#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class IconChooser : public ModalDialog<std::string> {
 public:
  // treeImages is the category tree's image list, which Default shows a copy of.
  IconChooser(Folders& folders, MessageBoxes& boxes, Pickers& pickers, MessagePump& pump,
              const UniqueImageList& treeImages)
      : folders_(folders), boxes_(boxes), pickers_(pickers), pump_(pump), treeImages_(treeImages) {}

  // Shows the dialog modally, centred on owner. IconChoice: the icon text picked, or
  // nothing when the dialog was cancelled or closed.
  std::optional<std::string> Choose(HWND owner);

 private:
  enum class Source { FileIcons, TreeImages };

  bool OnInit() override;
  void OnOk() override;
  void OnCancel() override;
  bool OnCommand(int id, int code) override;
  std::optional<INT_PTR> OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // Lists every icon of the file.
  void LoadIconsOfFile(const std::string& file);
  void OnLoadTimer();
  void OnLoad();
  void OnDefault();
  void Close();
  void ShowImages();
  void AddItem(int index);
  HWND iconList() const;

  Folders& folders_;
  MessageBoxes& boxes_;
  Pickers& pickers_;
  MessagePump& pump_;
  const UniqueImageList& treeImages_;
  UniqueImageList iconImages_;
  std::string file_;
  Source source_ = Source::FileIcons;
  int count_ = 0;
  // Every load and every showing counts up; a load that sees it change while messages
  // were processed was overtaken (a second Load, Default, or the dialog closing).
  unsigned generation_ = 0;
  bool loading_ = false;
  // The file's icons are not all listed: the dialog closed while they were loading.
  bool partial_ = false;
};

}  // namespace tessaly::win32
