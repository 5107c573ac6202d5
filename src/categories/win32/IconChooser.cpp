#include "categories/win32/IconChooser.h"

#include <shellapi.h>

#include "base/win32/Pictures.h"
#include "base/win32/Text.h"
#include "categories/IconText.h"
#include "categories/win32/IconChooserRes.h"

namespace tessaly::win32 {

namespace {

constexpr UINT_PTR kLoadTimer = 1;
constexpr UINT kLoadDelay = 100;
constexpr int kDefaultIconSize = 32;
constexpr const char* kDefaultIconFile = "SHELL32.dll";

}  // namespace

HWND IconChooser::iconList() const { return ::GetDlgItem(hwnd(), IDC_ICON_LIST); }

std::optional<std::string> IconChooser::Choose(HWND owner) { return Run(owner, IDD_ICON_CHOOSER); }

bool IconChooser::OnInit() {
  ++generation_;
  ::SetDlgItemTextA(hwnd(), IDC_FILE, file_.c_str());
  // What was listed when the dialog last closed is shown again without a new load.
  ShowImages();
  for (int i = 0; i < count_; ++i) AddItem(i);
  // The first load waits until the dialog is on screen.
  ::SetTimer(hwnd(), kLoadTimer, kLoadDelay, nullptr);
  return true;
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
  loading_ = true;
  partial_ = true;
  ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const UINT total = ::ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0);

  ::SendMessageA(iconList(), LVM_DELETEALLITEMS, 0, 0);
  count_ = 0;
  source_ = Source::FileIcons;
  // A file whose first icon cannot be extracted lists nothing: there is no size to
  // give the images, and OK then finds nothing selected.
  // The icons' size on the monitor the dialog is on, which may not be the screen's.
  const int side = SystemMetricAt(Dpi::OfWindow(hwnd()), SM_CXICON);
  UniqueIcon icon = total == UINT_MAX ? UniqueIcon() : ExtractIconAt(file, 0, side);
  const int count = icon ? static_cast<int>(total) : 0;
  const SIZE size = icon ? IconSize(icon.get()) : SIZE{kDefaultIconSize, kDefaultIconSize};
  iconImages_.reset(::ImageList_Create(size.cx, size.cy, ILC_COLOR32, count > 0 ? count : 1, 16));
  ShowImages();

  // The list redraws once per ten icons, when messages are processed, instead of
  // laying out and painting itself again for every icon added.
  ::SendMessageA(iconList(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    if (i > 0) icon = ExtractIconAt(file, i, side);
    // Without a mask, so that the image numbers stay the icon numbers.
    if (const UniqueBitmap picture = IconPicture(icon.get(), size)) {
      ::ImageList_Add(iconImages_.get(), picture.get(), nullptr);
    }
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
  const std::string choice =
      source_ == Source::FileIcons
          ? FileIconText(item.iImage, WindowText(::GetDlgItem(hwnd(), IDC_FILE)))
          : TreeImageIconText(item.iImage);
  Close();
  Accept(choice);
}

void IconChooser::OnCancel() {
  Close();
  Cancel();
}

void IconChooser::Close() {
  // A load still running stops at its next look at the generation.
  ++generation_;
  loading_ = false;
  ::KillTimer(hwnd(), kLoadTimer);
  file_ = WindowText(::GetDlgItem(hwnd(), IDC_FILE));
}

bool IconChooser::OnCommand(int id, int) {
  switch (id) {
    case IDC_LOAD:
      OnLoad();
      return true;
    case IDC_DEFAULT:
      OnDefault();
      return true;
    default:
      return false;
  }
}

std::optional<INT_PTR> IconChooser::OnMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kLoadTimer) OnLoadTimer();
      return TRUE;
    case WM_SETCURSOR:
      if (!loading_) return std::nullopt;
      ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
      ::SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return std::nullopt;
  }
}

}  // namespace tessaly::win32
