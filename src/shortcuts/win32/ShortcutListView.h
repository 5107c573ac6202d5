#pragma once
// The shortcut list control: a virtual list view that draws the core's list model.
// The control keeps no items, only their count and which are selected; it asks for
// the title, the target and the icon of what it draws. Icons come from the shell's
// system image lists.

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/win32/Dpi.h"
#include "model/ShortcutList.h"
#include "shortcuts/ShortcutPaneModel.h"
#include "shortcuts/ViewStyle.h"

namespace tessaly::win32 {

// The timer of the list's parent window that looks deferred icons up.
inline constexpr UINT_PTR kIconTimer = 4;

class ShortcutListView : public ListObserver {
 public:
  explicit ShortcutListView(const ShortcutList& model) : model_(model) {}
  ShortcutListView(const ShortcutListView&) = delete;
  ShortcutListView& operator=(const ShortcutListView&) = delete;

  void Create(HWND parent, int id, HFONT font, Dpi dpi, int titleColumnWidth);
  HWND hwnd() const { return hwnd_; }

  // The shell's system image lists; the shell owns them, the list only shares them.
  // Attached once, at the latest when the list first has items: the icons' size lays
  // the items out.
  void AttachSystemImageLists();
  // The window has moved to a monitor of another resolution: the list takes the font
  // made for it, widens its columns and shows the icons of the nearest size.
  void OnDpiChanged(Dpi dpi, HFONT font);
  void SetViewStyle(ViewStyle style);
  ViewStyle viewStyle() const { return style_; }
  // While set, an icon not looked up yet is drawn as its kind of file at first and
  // looked up by LookUpDeferredIcons, so that a list refilled at every key typed
  // never waits for files to be read.
  void DeferIconLookups(bool defer);
  // Looks deferred icons up for about budget; true while some are left.
  bool LookUpDeferredIcons(std::chrono::milliseconds budget);
  // The "Target" column takes the width the "Title" column leaves.
  void FitTargetColumn();

  // What the control asks of the model.
  void OnGetDispInfo(NMLVDISPINFOA& info);
  // Typing in the list finds the next item whose title starts with what was typed.
  int OnFindItem(const NMLVFINDITEMA& find) const;

  Selection Selected() const;
  int SelectedCount() const;
  // Selects exactly these items; the first one also gets the focus, if any.
  void Select(const Selection& selection);
  // True while the list itself changes the selection: those are no user's choices.
  bool changingSelection() const { return changingSelection_ > 0; }

  // ListObserver
  void OnListChanged(const ListChange& change) override;
  void OnUpdateHeld(bool held) override;

 private:
  int IconOf(const std::string& target);
  // The shell's icon lists whose sizes are nearest to the icon sizes at dpi_.
  void ShowSystemImageLists();

  const ShortcutList& model_;
  HWND hwnd_ = nullptr;
  Dpi dpi_;
  ViewStyle style_ = ViewStyle::Thumb;
  // Icons already looked up, by size and target: the same targets come back with
  // every selection and every key typed into the search field, and a lookup reads
  // the file.
  std::unordered_map<std::string, int> knownIcons_[2];
  std::unordered_map<std::string, int> kindIcons_[2];  // by file name extension
  bool deferIcons_ = false;
  std::vector<std::string> deferredIcons_;
  bool imagesAttached_ = false;
  int changingSelection_ = 0;
};

}  // namespace tessaly::win32
