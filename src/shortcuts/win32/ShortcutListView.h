#pragma once
// The shortcut list control. Each item's caption is the title and its
// first sub-item the target; the icons come from the shell's system image lists.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "model/ShortcutList.h"
#include "shortcuts/ViewStyle.h"

namespace tessaly::win32 {

class ShortcutListView : public ShortcutList {
 public:
  ShortcutListView() = default;
  ShortcutListView(const ShortcutListView&) = delete;
  ShortcutListView& operator=(const ShortcutListView&) = delete;

  void Create(HWND parent, int id, HFONT font, int titleColumnWidth);
  HWND hwnd() const { return hwnd_; }

  // The shell's system image lists; the shell owns them, the list only shares them.
  // Attached once, at the latest when the first item is added: the icons' size lays
  // the items out.
  void AttachSystemImageLists();
  void SetViewStyle(ViewStyle style);
  ViewStyle viewStyle() const { return style_; }
  // Every icon is looked up again when next drawn.
  void ResetImages();
  // Lays the icons of the Thumb view out again in item order.
  void Rearrange();
  // The "Target" column takes the width the "Title" column leaves.
  void FitTargetColumn();

  // Answers the control's request for an item's icon.
  void OnGetItemImage(NMLVDISPINFOA& info);

  int FirstSelected() const;
  int SelectedCount() const;
  int ImageIndex(int index) const;

  // ShortcutList
  int Count() const override;
  std::string Title(int index) const override;
  std::string Target(int index) const override;
  bool IsSelected(int index) const override;
  int Append(const std::string& title, const std::string& target) override;
  void SetItem(int index, const std::string& title, const std::string& target) override;
  int InsertCopy(int at, int source) override;
  void Delete(int index) override;
  void Clear() override;
  void BeginUpdate() override;
  void EndUpdate() override;
  void SortByTitle() override;

 private:
  std::string ItemText(int index, int subItem) const;

  HWND hwnd_ = nullptr;
  ViewStyle style_ = ViewStyle::Thumb;
  int updateDepth_ = 0;
  bool imagesAttached_ = false;
};

}  // namespace tessaly::win32
