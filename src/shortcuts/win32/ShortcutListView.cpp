#include "shortcuts/win32/ShortcutListView.h"

#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "base/Text.h"

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

}  // namespace

void ShortcutListView::Create(HWND parent, int id, HFONT font, int titleColumnWidth) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_ICON |
                      LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS;
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
  column.cx = titleColumnWidth;
  column.iSubItem = 1;
  ::SendMessageA(hwnd_, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
}

void ShortcutListView::AttachSystemImageLists() {
  if (imagesAttached_) return;
  imagesAttached_ = true;
  SHFILEINFOA info{};
  const auto large = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
  const auto small = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ListView_SetImageList(hwnd_, large, LVSIL_NORMAL);
  ListView_SetImageList(hwnd_, small, LVSIL_SMALL);
}

void ShortcutListView::SetViewStyle(ViewStyle style) {
  style_ = style;
  const LONG_PTR current = ::GetWindowLongPtrA(hwnd_, GWL_STYLE);
  ::SetWindowLongPtrA(hwnd_, GWL_STYLE, (current & ~LONG_PTR{LVS_TYPEMASK}) | StyleBits(style));
  if (style == ViewStyle::Report) FitTargetColumn();
}

void ShortcutListView::FitTargetColumn() {
  if (hwnd_ != nullptr) ListView_SetColumnWidth(hwnd_, 1, LVSCW_AUTOSIZE_USEHEADER);
}

void ShortcutListView::ResetImages() {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = i;
    item.iImage = I_IMAGECALLBACK;
    ::SendMessageA(hwnd_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

namespace {

// The system image list's index of target's icon; 1 when the shell has none.
int LookUpIcon(const std::string& target, bool large, bool byNameOnly) {
  SHFILEINFOA file{};
  UINT flags = SHGFI_SYSICONINDEX | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON);
  if (byNameOnly) flags |= SHGFI_USEFILEATTRIBUTES;
  const DWORD_PTR found = ::SHGetFileInfoA(target.c_str(), FILE_ATTRIBUTE_NORMAL, &file,
                                           sizeof file, flags);
  return found != 0 && file.iIcon > 0 ? file.iIcon : 1;
}

}  // namespace

void ShortcutListView::OnGetItemImage(NMLVDISPINFOA& info) {
  if ((info.item.mask & LVIF_IMAGE) == 0) return;
  const std::string target = Target(info.item.iItem);
  const bool large = style_ == ViewStyle::Thumb;
  auto& known = knownIcons_[large ? 1 : 0];
  if (const auto it = known.find(target); it != known.end()) {
    info.item.iImage = it->second;
  } else if (deferIcons_) {
    // Asked again at every redraw until the real icon is known; the icon of the kind
    // of file is looked up once per kind.
    const std::size_t dot = target.find_last_of(".\\/");
    const std::string kind =
        dot != std::string::npos && target[dot] == '.' ? LowerAscii(target.substr(dot)) : "";
    auto& kinds = kindIcons_[large ? 1 : 0];
    auto kindIcon = kinds.find(kind);
    if (kindIcon == kinds.end()) {
      kindIcon = kinds.emplace(kind, LookUpIcon("file" + kind, large, true)).first;
    }
    info.item.iImage = kindIcon->second;
    if (std::find(deferredIcons_.begin(), deferredIcons_.end(), target) == deferredIcons_.end()) {
      if (deferredIcons_.empty()) ::SetTimer(::GetParent(hwnd_), kIconTimer, 0, nullptr);
      deferredIcons_.push_back(target);
    }
    return;
  } else {
    // Index 0 stands for "not looked up yet"; a target the shell does not know still
    // counts as looked up, so it is not asked about on every redraw.
    info.item.iImage = LookUpIcon(target, large, false);
    // A target not there yet may be installed later: only found icons are kept.
    if (info.item.iImage > 1) known.emplace(target, info.item.iImage);
  }
  info.item.mask |= LVIF_DI_SETITEM;
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

int ShortcutListView::Count() const {
  return static_cast<int>(::SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

std::string ShortcutListView::ItemText(int index, int subItem) const {
  std::vector<char> buffer(512);
  for (;;) {
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(
        ::SendMessageA(hwnd_, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string ShortcutListView::Title(int index) const { return ItemText(index, 0); }
std::string ShortcutListView::Target(int index) const { return ItemText(index, 1); }

bool ShortcutListView::IsSelected(int index) const {
  return (ListView_GetItemState(hwnd_, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int ShortcutListView::FirstSelected() const {
  return static_cast<int>(ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED));
}

int ShortcutListView::SelectedCount() const {
  return static_cast<int>(ListView_GetSelectedCount(hwnd_));
}

int ShortcutListView::ImageIndex(int index) const {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  ::SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.iImage == I_IMAGECALLBACK ? 0 : item.iImage;
}

int ShortcutListView::Append(const std::string& title, const std::string& target) {
  AttachSystemImageLists();
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  // A position past the last item appends, without asking for the count first.
  item.iItem = INT_MAX;
  item.pszText = const_cast<char*>(title.c_str());
  item.iImage = I_IMAGECALLBACK;
  const int index =
      static_cast<int>(::SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (index >= 0) {
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(target.c_str());
    ::SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&sub));
  }
  return index;
}

void ShortcutListView::SetItem(int index, const std::string& title, const std::string& target) {
  LVITEMA text{};
  text.iSubItem = 0;
  text.pszText = const_cast<char*>(title.c_str());
  ::SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text));
  text.iSubItem = 1;
  text.pszText = const_cast<char*>(target.c_str());
  ::SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text));
  // The target may have changed: its icon is looked up again.
  LVITEMA image{};
  image.mask = LVIF_IMAGE;
  image.iItem = index;
  image.iImage = I_IMAGECALLBACK;
  ::SendMessageA(hwnd_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&image));
}

int ShortcutListView::InsertCopy(int at, int source) {
  AttachSystemImageLists();
  const std::string title = Title(source);
  const std::string target = Target(source);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = at;
  item.pszText = const_cast<char*>(title.c_str());
  // The icon already looked up goes along; the list asks again only for a new item.
  const int image = ImageIndex(source);
  item.iImage = image > 0 ? image : I_IMAGECALLBACK;
  const int index =
      static_cast<int>(::SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (index >= 0) {
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(target.c_str());
    ::SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&sub));
  }
  return index;
}

void ShortcutListView::Rearrange() {
  if (style_ != ViewStyle::Thumb) return;
  // A round trip through the report view lays the icons out in item order again.
  SetViewStyle(ViewStyle::Report);
  SetViewStyle(ViewStyle::Thumb);
}

void ShortcutListView::Delete(int index) { ListView_DeleteItem(hwnd_, index); }

void ShortcutListView::Clear() { ListView_DeleteAllItems(hwnd_); }

void ShortcutListView::BeginUpdate() {
  if (updateDepth_++ == 0) ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ShortcutListView::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) {
    ::SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void ShortcutListView::SortByTitle() {
  // The items are read out, ordered by title and written back in place. The
  // control's own sort hands its callback positions that shift while it sorts, so
  // the titles could not be read reliably from inside it. Icons are not read: asking
  // for one looks it up, and each item is looked up again when next drawn anyway.
  struct Row {
    std::string title;
    std::string target;
    UINT state;
  };
  const int count = Count();
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const UINT state = ListView_GetItemState(hwnd_, i, LVIS_SELECTED | LVIS_FOCUSED);
    rows.push_back({Title(i), Target(i), state});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return ::lstrcmpA(a.title.c_str(), b.title.c_str()) < 0;
  });
  for (int i = 0; i < count; ++i) {
    const Row& row = rows[static_cast<std::size_t>(i)];
    SetItem(i, row.title, row.target);
    ListView_SetItemState(hwnd_, i, row.state, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

}  // namespace tessaly::win32
