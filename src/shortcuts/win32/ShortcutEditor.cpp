#include "shortcuts/win32/ShortcutEditor.h"

#include <commctrl.h>

#include "app/win32/res/resource.h"
#include "base/win32/Text.h"
#include "shortcuts/ShortcutNames.h"

namespace tessaly::win32 {

namespace {

constexpr int kGlyph = 32;
constexpr COLORREF kKeyColour = RGB(255, 0, 255);

// One glyph of the editor's strip drawn on the button face.
UniqueBitmap GlyphFromStrip(HIMAGELIST glyphs, int index) {
  WindowDc screen(nullptr);
  UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
  UniqueBitmap glyph(::CreateCompatibleBitmap(screen.get(), kGlyph, kGlyph));
  if (!target || !glyph) return glyph;
  SelectObjectScope selectTarget(target.get(), glyph.get());
  const RECT all{0, 0, kGlyph, kGlyph};
  ::FillRect(target.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
  ::ImageList_Draw(glyphs, index, target.get(), 0, 0, ILD_TRANSPARENT);
  return glyph;
}

void AddHint(HWND tooltip, HWND dialog, int controlId, const char* text) {
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = dialog;
  info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, controlId));
  info.lpszText = const_cast<char*>(text);
  ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

void TForm2::ShowModal(HWND owner) {
  Dialog<TForm2>::ShowModal(::GetModuleHandleA(nullptr), IDD_SHORTCUT_EDITOR, owner);
}

void TForm2::OnInitDialog() {
  ::SetWindowTextA(hwnd(), caption_.c_str());
  const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TESSALY));
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  WriteFields();

  UniqueBitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(IDB_EDITOR), IMAGE_BITMAP,
                                                       0, 0, LR_CREATEDIBSECTION)));
  UniqueImageList glyphs(::ImageList_Create(kGlyph, kGlyph, ILC_COLOR24 | ILC_MASK, 2, 0));
  if (strip && glyphs) {
    ::ImageList_AddMasked(glyphs.get(), strip.get(), kKeyColour);
    applicationGlyph_ = GlyphFromStrip(glyphs.get(), 0);
    folderGlyph_ = GlyphFromStrip(glyphs.get(), 1);
    ::SendDlgItemMessageA(hwnd(), IDC_SPEEDBUTTON8, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(applicationGlyph_.get()));
    ::SendDlgItemMessageA(hwnd(), IDC_BITBTN1, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(folderGlyph_.get()));
  }
  tooltip_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                               hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  AddHint(tooltip_, hwnd(), IDC_SPEEDBUTTON8, "Add an application");
  AddHint(tooltip_, hwnd(), IDC_BITBTN1, "Add a folder shortcut");
}

void TForm2::ReadFields() {
  fields_.target = WindowText(::GetDlgItem(hwnd(), IDC_EDITOR_EDIT1));
  fields_.title = WindowText(::GetDlgItem(hwnd(), IDC_EDITOR_EDIT2));
}

void TForm2::WriteFields() {
  ::SetDlgItemTextA(hwnd(), IDC_EDITOR_EDIT1, fields_.target.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_EDITOR_EDIT2, fields_.title.c_str());
}

void TForm2::SpeedButton8Click() {
  const auto path = pickers_.PickApplication();
  if (!path) return;
  fields_.target = *path;
  fields_.title = DefaultTitle(*path, existence_);
  WriteFields();
}

void TForm2::BitBtn1Click() {
  const std::string path = pickers_.BrowseForFolder("Select a folder");
  if (path.empty()) return;
  fields_.target = path;
  fields_.title = DefaultTitle(path, existence_);
  WriteFields();
}

void TForm2::Button1Click() {
  ReadFields();
  const EditorCheck check = CheckEditorFields(fields_);
  WriteFields();
  if (!check.ok()) {
    boxes_.Information(check.message);
    const int field =
        check.failed == EditorCheck::Field::Target ? IDC_EDITOR_EDIT1 : IDC_EDITOR_EDIT2;
    ::SetFocus(::GetDlgItem(hwnd(), field));
    return;
  }
  ApplyEditorFields(list_, ShortcutEditMode, fields_);
  ::EndDialog(hwnd(), IDOK);
  saveSection_();
}

void TForm2::Button2Click() {
  ReadFields();
  ::EndDialog(hwnd(), IDCANCEL);
}

INT_PTR TForm2::HandleMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDOK:
          Button1Click();
          return TRUE;
        case IDCANCEL:
          Button2Click();
          return TRUE;
        case IDC_SPEEDBUTTON8:
          SpeedButton8Click();
          return TRUE;
        case IDC_BITBTN1:
          BitBtn1Click();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace tessaly::win32
