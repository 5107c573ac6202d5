#include "shortcuts/win32/ShortcutListView.h"

#include <shellapi.h>
#include <commoncontrols.h>

#include <algorithm>

#include "base/Text.h"
#include "base/win32/Text.h"
#include "shortcuts/IconSizes.h"

namespace tessaly::win32 {

namespace {

constexpr int kHoverTimeMs = 200;

LONG StyleBits(ViewStyle style) {
  switch (style) {
    case ViewStyle::List:
      return LVS_LIST;
    case ViewStyle::Report:
      return LVS_REPORT;
    case ViewStyle::Thumb:
      break;
  }
  return LVS_ICON;
}

// The system image list's index of target's icon; 1 when the shell has none.
int LookUpIcon(const std::string& target, bool large, bool byNameOnly) {
  SHFILEINFOA file{};
  UINT flags = SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
  if (byNameOnly) flags |= SHGFI_USEFILEATTRIBUTES;
  const DWORD_PTR found = ::SHGetFileInfoA(target.c_str(), FILE_ATTRIBUTE_NORMAL, &file,
                                           sizeof file, flags);
  return found != 0 && file.iIcon > 0 ? file.iIcon : 1;
}

// Temporarily counts a programmatic change of the selection.
class Counting {
 public:
  explicit Counting(int& counter) : counter_(counter) { ++counter_; }
  ~Counting() { --counter_; }
  Counting(const Counting&) = delete;
  Counting& operator=(const Counting&) = delete;

 private:
  int& counter_;
};

}  // namespace

void ShortcutListView::Create(HWND parent, int id, HFONT font, Dpi dpi, int titleColumnWidth) {
  dpi_ = dpi;
  // Owner data: the model is the list, the control only draws it.
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_ICON |
                      LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
  hwnd_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const DWORD exStyle = LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE |
                        LVS_EX_UNDERLINEHOT | LVS_EX_FLATSB;
  ListView_SetExtendedListViewStyle(hwnd_, exStyle);
  ListView_SetHoverTime(hwnd_, kHoverTimeMs);

  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  char title[] = "Title";
  column.pszText = title;
  column.cx = titleColumnWidth;
  column.iSubItem = 0;
  ::SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  char target[] = "Target";
  column.pszText = target;
  column.iSubItem = 1;
  ::SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
}

void ShortcutListView::AttachSystemImageLists() {
  if (imagesAttached_) return;
  imagesAttached_ = true;
  ShowSystemImageLists();
}

void ShortcutListView::ShowSystemImageLists() {
  SHFILEINFOA info{};
  auto large = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
  auto small = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  // The shell's lists are made once, at the screen's resolution; a monitor of another
  // one gets those of the nearest size. An icon has the same number in all of them.
  if (dpi_ != Dpi::OfScreen()) {
    std::vector<HIMAGELIST> lists;
    std::vector<int> sides;
    for (const int kind : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE}) {
      void* list = nullptr;
      int side = 0;
      if (SUCCEEDED(::SHGetImageList(kind, __uuidof(IImageList), &list)) && list != nullptr) {
        int height = 0;
        ::ImageList_GetIconSize(static_cast<HIMAGELIST>(list), &side, &height);
        // The shell keeps its lists for the whole run, as it does those SHGetFileInfo gives.
        static_cast<IImageList*>(list)->Release();
      }
      lists.push_back(static_cast<HIMAGELIST>(list));
      sides.push_back(side);
    }
    if (const auto nearest = NearestIconSize(SystemMetricAt(dpi_, SM_CXICON), sides)) {
      large = lists[*nearest];
    }
    if (const auto nearest = NearestIconSize(SystemMetricAt(dpi_, SM_CXSMICON), sides)) {
      small = lists[*nearest];
    }
  }
  ListView_SetImageList(hwnd_, large, LVSIL_NORMAL);
  ListView_SetImageList(hwnd_, small, LVSIL_SMALL);
}

void ShortcutListView::OnDpiChanged(Dpi dpi, HFONT font) {
  const Dpi old = dpi_;
  dpi_ = dpi;
  ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ListView_SetColumnWidth(hwnd_, 0, dpi_.Rescale(ListView_GetColumnWidth(hwnd_, 0), old));
  if (imagesAttached_) ShowSystemImageLists();
  FitTargetColumn();
  // The icon view places its items again for the new icon size and font.
  if (style_ == ViewStyle::Thumb) ListView_Arrange(hwnd_, LVA_DEFAULT);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ShortcutListView::SetViewStyle(ViewStyle style) {
  style_ = style;
  const LONG_PTR current = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
  ::SetWindowLongPtrA(hwnd_, GWL_STYLE, (current & ~LONG_PTR{LVS_TYPEMASK}) | StyleBits(style));
  if (style == ViewStyle::Report) FitTargetColumn();
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ShortcutListView::FitTargetColumn() {
  if (hwnd_ != nullptr) ListView_SetColumnWidth(hwnd_, 1, LVSCW_AUTOSIZE_USEHEADER);
}

int ShortcutListView::IconOf(const std::string& target) {
  const bool large = style_ == ViewStyle::Thumb;
  auto& known = knownIcons_[large ? 1 : 0];
  if (const auto it = known.find(target); it != known.end()) return it->second;
  if (!deferIcons_) {
    const int icon = LookUpIcon(target, large, false);
    // A target not there yet may be installed later: only found icons are kept.
    if (icon > 1) known.emplace(target, icon);
    return icon;
  }
  // The icon of the kind of file stands in until the real one is known; it is looked
  // up once per kind.
  const std::size_t dot = target.find_last_of(".\\/");
  const std::string kind =
      dot != std::string::npos && target[dot] == '.' ? LowerAscii(target.substr(dot)) : "";
  auto& kinds = kindIcons_[large ? 1 : 0];
  auto kindIcon = kinds.find(kind);
  if (kindIcon == kinds.end()) kindIcon = kinds.emplace(kind, LookUpIcon("file" + kind, large, true)).first;
  if (std::find(deferredIcons_.begin(), deferredIcons_.end(), target) == deferredIcons_.end()) {
    if (deferredIcons_.empty()) ::SetTimer(::GetParent(hwnd_), kIconTimer, 0, nullptr);
    deferredIcons_.push_back(target);
  }
  return kindIcon->second;
}

void ShortcutListView::OnGetDispInfo(NMLVDISPINFOA& info) {
  const int index = info.item.iItem;
  if (index < 0 || index >= model_.Count()) return;
  const Shortcut& entry = model_.At(index);
  if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr && info.item.cchTextMax > 0) {
    const std::string& text = info.item.iSubItem == 0 ? entry.title : entry.target;
    // The control's buffer holds what it draws; a longer text is drawn cut short.
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    text.copy(info.item.pszText, n);
    info.item.pszText[n] = '\0';
  }
  if ((info.item.mask & LVIF_IMAGE) != 0) {
    AttachSystemImageLists();
    info.item.iImage = IconOf(entry.target);
  }
}

int ShortcutListView::OnFindItem(const NMLVFINDITEMA& find) const {
  if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr) return -1;
  const std::string wanted = LowerAscii(find.lvfi.psz);
  const int count = model_.Count();
  if (count == 0) return -1;
  const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
  for (int i = start; i < start + count; ++i) {
    if (i >= count && (find.lvfi.flags & LVFI_WRAP) == 0) break;
    if (StartsWith(LowerAscii(model_.At(i % count).title), wanted)) return i % count;
  }
  return -1;
}

Selection ShortcutListView::Selected() const {
  Selection selected;
  for (int i = static_cast<int>(ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED)); i >= 0;
       i = static_cast<int>(ListView_GetNextItem(hwnd_, i, LVNI_SELECTED))) {
    selected.push_back(i);
  }
  return selected;
}

int ShortcutListView::SelectedCount() const {
  return static_cast<int>(ListView_GetSelectedCount(hwnd_));
}

void ShortcutListView::Select(const Selection& selection) {
  const Counting counting(changingSelection_);
  ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  for (const int i : selection) ListView_SetItemState(hwnd_, i, LVIS_SELECTED, LVIS_SELECTED);
  if (!selection.empty()) {
    ListView_SetItemState(hwnd_, selection.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, selection.front(), FALSE);
  }
}

void ShortcutListView::OnListChanged(const ListChange& change) {
  const int count = model_.Count();
  switch (change.kind) {
    case ListChange::Kind::Replaced: {
      const Counting counting(changingSelection_);
      ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_SetItemCountEx(hwnd_, count, 0);
      if (count > 0) ListView_EnsureVisible(hwnd_, 0, FALSE);
      break;
    }
    case ListChange::Kind::Grown:
      ListView_SetItemCountEx(hwnd_, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
      break;
    case ListChange::Kind::Edited:
      ListView_SetItemCountEx(hwnd_, count, LVSICF_NOSCROLL);
      Select(change.selection);
      break;
  }
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ShortcutListView::OnUpdateHeld(bool held) {
  ::SendMessageA(hwnd_, WM_SETREDRAW, held ? FALSE : TRUE, 0);
  if (!held) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ShortcutListView::DeferIconLookups(bool defer) {
  deferIcons_ = defer;
  if (defer) return;
  deferredIcons_.clear();
  // As outside the search, a target the shell had no icon for is asked about again.
  for (auto& known : knownIcons_) std::erase_if(known, [](const auto& icon) { return icon.second <= 1; });
}

bool ShortcutListView::LookUpDeferredIcons(std::chrono::milliseconds budget) {
  const auto start = std::chrono::steady_clock::now();
  const bool large = style_ == ViewStyle::Thumb;
  auto& known = knownIcons_[large ? 1 : 0];
  std::size_t done = 0;
  while (done < deferredIcons_.size() && std::chrono::steady_clock::now() - start < budget) {
    const std::string& target = deferredIcons_[done++];
    known.emplace(target, LookUpIcon(target, large, false));
  }
  deferredIcons_.erase(deferredIcons_.begin(), deferredIcons_.begin() + static_cast<long>(done));
  // The list asks again for what it shows, and now finds the icons known.
  if (done > 0) ::InvalidateRect(hwnd_, nullptr, FALSE);
  return !deferredIcons_.empty();
}

}  // namespace tessaly::win32
