#pragma once
// The shortcut list control. Each item's caption is the title and its
// first sub-item the target; the icons come from the shell's system image lists.

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ShortcutList.h"
#include "shortcuts/ViewStyle.h"

namespace tessaly::win32 {

// The timer of the list's window's parent that looks deferred icons up.
inline constexpr UINT_PTR kIconTimer = 4;

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
  // While set, an icon not looked up yet is drawn as its kind of file at first and
  // looked up by LookUpDeferredIcons, so that a list refilled at every key typed
  // never waits for files to be read.
  void DeferIconLookups(bool defer);
  // Looks deferred icons up for about budget; true while some are left.
  bool LookUpDeferredIcons(std::chrono::milliseconds budget);
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
  // Icons already looked up, by size and target: the same targets come back with
  // every selection and every key typed into the search field, and a lookup reads
  // the file.
  std::unordered_map<std::string, int> knownIcons_[2];
  std::unordered_map<std::string, int> kindIcons_[2];  // by file name extension
  bool deferIcons_ = false;
  std::vector<std::string> deferredIcons_;
  bool imagesAttached_ = false;
};

}  // namespace tessaly::win32
