#include "categories/win32/IconChooser.h"

#include <shellapi.h>

#include "base/win32/Text.h"
#include "categories/IconText.h"
#include "categories/win32/IconChooserRes.h"

namespace tessaly::win32 {

namespace {

constexpr UINT_PTR kLoadTimer = 1;
constexpr UINT kLoadDelay = 100;
constexpr int kDefaultIconSize = 32;
constexpr const char* kDefaultIconFile = "SHELL32.dll";

// Icon number of file, or an empty handle when it cannot be extracted.
UniqueIcon ExtractLargeIcon(const std::string& file, int number) {
  HICON large = nullptr;
  // On failure the handle is left as it was, so it starts out null.
  const UINT extracted = ::ExtractIconExA(file.c_str(), number, &large, nullptr, 1);
  UniqueIcon icon(large);
  if (extracted == 0 || extracted == UINT_MAX) icon.reset();
  return icon;
}

SIZE IconSize(HICON icon) {
  SIZE size{kDefaultIconSize, kDefaultIconSize};
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return size;
  UniqueBitmap colour(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  BITMAP shape{};
  if (::GetObjectA(colour ? colour.get() : mask.get(), sizeof shape, &shape) != 0 &&
      shape.bmWidth > 0) {
    size.cx = shape.bmWidth;
    // A monochrome icon stacks its mask over its picture.
    size.cy = colour ? shape.bmHeight : shape.bmHeight / 2;
    if (size.cy <= 0) size.cy = size.cx;
  }
  return size;
}

// Draws the icon (or, without one, nothing) on the window colour and appends it
// without a mask, so that the image numbers stay the icon numbers.
void AppendIcon(HIMAGELIST images, HICON icon) {
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  if (!dc || !bitmap) return;
  {
    SelectObjectScope select(dc.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    if (icon != nullptr) ::DrawIconEx(dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  }
  ::ImageList_Add(images, bitmap.get(), nullptr);
}

}  // namespace

HWND IconChooser::iconList() const { return ::GetDlgItem(hwnd(), IDC_ICON_LIST); }

void IconChooser::Choose(HWND owner) {
  IconChoice.clear();
  ShowModal(::GetModuleHandleA(nullptr), IDD_ICON_CHOOSER, owner);
}

void IconChooser::OnInitDialog() {
  ++generation_;
  ::SetDlgItemTextA(hwnd(), IDC_FILE, file_.c_str());
  CenterOnOwner(hwnd());
  // What was listed when the dialog last closed is shown again without a new load.
  ShowImages();
  for (int i = 0; i < count_; ++i) AddItem(i);
  // The first load waits until the dialog is on screen.
  ::SetTimer(hwnd(), kLoadTimer, kLoadDelay, nullptr);
}

void IconChooser::ShowImages() {
  ::SendMessageA(iconList(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(iconImages_.get()));
}

void IconChooser::AddItem(int index) {
  const std::string caption = std::to_string(index);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.iImage = index;
  item.pszText = const_cast<char*>(caption.c_str());
  ::SendMessageA(iconList(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void IconChooser::OnLoadTimer() {
  ::KillTimer(hwnd(), kLoadTimer);
  if (!WindowText(::GetDlgItem(hwnd(), IDC_FILE)).empty()) {
    // A load cut short by closing the dialog is finished now.
    if (partial_ && source_ == Source::FileIcons) LoadIconsOfFile(file_);
    return;
  }
  const std::string file = folders_.SpecialFolderPath(folder_id::System) + kDefaultIconFile;
  ::SetDlgItemTextA(hwnd(), IDC_FILE, file.c_str());
  file_ = file;
  LoadIconsOfFile(file);
}

void IconChooser::LoadIconsOfFile(const std::string& file) {
  const unsigned generation = ++generation_;
  ++loads_;
  loading_ = true;
  partial_ = true;
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const UINT total = ::ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);

  ::SendMessageA(iconList(), LVM_DELETEALLITEMS, 0, 0);
  count_ = 0;
  source_ = Source::FileIcons;
  // A file whose first icon cannot be extracted lists nothing: there is no size to
  // give the images, and OK then finds nothing selected.
  UniqueIcon icon = total == UINT_MAX ? UniqueIcon() : ExtractLargeIcon(file, 0);
  const int count = icon ? static_cast<int>(total) : 0;
  const SIZE size = icon ? IconSize(icon.get()) : SIZE{kDefaultIconSize, kDefaultIconSize};
  iconImages_.reset(::ImageList_Create(size.cx, size.cy, ILC_COLOR32, count > 0 ? count : 1, 16));
  ShowImages();

  // The list redraws once per ten icons, when messages are processed, instead of
  // laying out and painting itself again for every icon added.
  ::SendMessageA(iconList(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    if (i > 0) icon = ExtractLargeIcon(file, i);
    AppendIcon(iconImages_.get(), icon.get());
    AddItem(i);
    count_ = i + 1;
    if (count_ % 10 == 0) {
      ::SendMessageA(iconList(), WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(iconList(), nullptr, TRUE);
      pump_.ProcessPendingMessages();
      if (generation_ != generation) return;
      ::SendMessageA(iconList(), WM_SETREDRAW, FALSE, 0);
    }
  }
  ::SendMessageA(iconList(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(iconList(), nullptr, TRUE);
  loading_ = false;
  partial_ = false;
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void IconChooser::OnLoad() {
  const auto file = pickers_.PickIconFile();
  if (!file) return;
  ::SetDlgItemTextA(hwnd(), IDC_FILE, file->c_str());
  file_ = *file;
  LoadIconsOfFile(*file);
}

void IconChooser::OnDefault() {
  ++generation_;
  loading_ = false;
  partial_ = false;
  ::SendMessageA(iconList(), LVM_DELETEALLITEMS, 0, 0);
  iconImages_.reset(::ImageList_Duplicate(treeImages_.get()));
  source_ = Source::TreeImages;
  ShowImages();
  count_ = iconImages_ ? ::ImageList_GetImageCount(iconImages_.get()) : 0;
  for (int i = 0; i < count_; ++i) AddItem(i);
}

void IconChooser::OnOk() {
  const int selected =
      static_cast<int>(::SendMessageA(iconList(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                      MAKELPARAM(LVNI_SELECTED, 0)));
  if (selected < 0) {
    boxes_.Information("No icon is selected.");
    return;
  }
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = selected;
  ::SendMessageA(iconList(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  // The file named in the field counts, even when it was typed without Load.
  IconChoice = source_ == Source::FileIcons
                   ? FileIconText(item.iImage, WindowText(::GetDlgItem(hwnd(), IDC_FILE)))
                   : TreeImageIconText(item.iImage);
  Close(IDOK);
}

void IconChooser::OnCancel() {
  IconChoice.clear();
  Close(IDCANCEL);
}

void IconChooser::Close(INT_PTR result) {
  // A load still running stops at its next look at the generation.
  ++generation_;
  loading_ = false;
  ::KillTimer(hwnd(), kLoadTimer);
  file_ = WindowText(::GetDlgItem(hwnd(), IDC_FILE));
  ::EndDialog(hwnd(), result);
}

INT_PTR IconChooser::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_TIMER:
      if (wp == kLoadTimer) OnLoadTimer();
      return TRUE;
    case WM_SETCURSOR:
      if (!loading_) return FALSE;
      ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
      ::SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          OnOk();
          return TRUE;
        case IDCANCEL:
          OnCancel();
          return TRUE;
        case IDC_LOAD:
          OnLoad();
          return TRUE;
        case IDC_DEFAULT:
          OnDefault();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace tessaly::win32
