#include "shortcuts/win32/ShortcutEditor.h"

#include <commctrl.h>

#include "base/win32/Pictures.h"
#include "base/win32/Text.h"
#include "shell/ShellNames.h"
#include "shortcuts/win32/ShortcutEditorRes.h"

namespace tessaly::win32 {

namespace {

constexpr int kGlyph = 32;

// One glyph of the editor's strip drawn on the button face.
UniqueBitmap GlyphFromStrip(HIMAGELIST glyphs, int index) {
  int side = kGlyph;
  int height = kGlyph;
  ::ImageList_GetIconSize(glyphs, &side, &height);
  WindowDc screen(nullptr);
  UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
  UniqueBitmap glyph(::CreateCompatibleBitmap(screen.get(), side, side));
  if (!target || !glyph) return glyph;
  SelectObjectScope selectTarget(target.get(), glyph.get());
  const RECT all{0, 0, side, side};
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

std::optional<EditorFields> ShortcutEditor::Ask(HWND owner, const std::string& caption,
                                                const std::optional<EditorFields>& fields) {
  caption_ = caption;
  if (fields) fields_ = *fields;
  return Run(owner, IDD_SHORTCUT_EDITOR);
}

bool ShortcutEditor::OnInit() {
  ::SetWindowTextA(hwnd(), caption_.c_str());
  // The program's icon, as its main window's class carries it.
  const auto icon = ::GetClassLongPtrA(::GetAncestor(::GetParent(hwnd()), GA_ROOT), GCLP_HICON);
  ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
  WriteFields();

  // The buttons are sized in dialog units, which the system scales to the monitor the
  // dialog is on; their pictures are made for that monitor too.
  const UniqueImageList glyphs = LoadPictureStrip(IDB_EDITOR, kGlyph, Dpi::OfWindow(hwnd()));
  if (glyphs && ::ImageList_GetImageCount(glyphs.get()) >= 2) {
    applicationGlyph_ = GlyphFromStrip(glyphs.get(), 0);
    folderGlyph_ = GlyphFromStrip(glyphs.get(), 1);
    ::SendDlgItemMessageA(hwnd(), IDC_PICK_PROGRAM, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(applicationGlyph_.get()));
    ::SendDlgItemMessageA(hwnd(), IDC_PICK_FOLDER, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(folderGlyph_.get()));
  }
  // The tooltip is the dialog's child window: it goes with it.
  const HWND tooltip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                                         0, 0, hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  AddHint(tooltip, hwnd(), IDC_PICK_PROGRAM, "Add an application");
  AddHint(tooltip, hwnd(), IDC_PICK_FOLDER, "Add a folder shortcut");
  return true;
}

void ShortcutEditor::ReadFields() {
  fields_.target = WindowText(::GetDlgItem(hwnd(), IDC_TARGET));
  fields_.title = WindowText(::GetDlgItem(hwnd(), IDC_TITLE));
}

void ShortcutEditor::WriteFields() {
  ::SetDlgItemTextA(hwnd(), IDC_TARGET, fields_.target.c_str());
  ::SetDlgItemTextA(hwnd(), IDC_TITLE, fields_.title.c_str());
}

void ShortcutEditor::OnPickProgram() {
  const auto path = pickers_.PickApplication();
  if (!path) return;
  fields_.target = *path;
  fields_.title = DefaultTitle(*path, existence_);
  WriteFields();
}

void ShortcutEditor::OnPickFolder() {
  const std::string path = pickers_.BrowseForFolder("Select a folder");
  if (path.empty()) return;
  fields_.target = path;
  fields_.title = DefaultTitle(path, existence_);
  WriteFields();
}

void ShortcutEditor::OnOk() {
  ReadFields();
  const EditorCheck check = CheckEditorFields(fields_);
  WriteFields();
  if (!check.ok()) {
    boxes_.Information(check.message);
    const int field = check.failed == EditorCheck::Field::Target ? IDC_TARGET : IDC_TITLE;
    ::SetFocus(::GetDlgItem(hwnd(), field));
    return;
  }
  Accept(fields_);
}

void ShortcutEditor::OnCancel() {
  ReadFields();
  Cancel();
}

bool ShortcutEditor::OnCommand(int id, int) {
  switch (id) {
    case IDC_PICK_PROGRAM:
      OnPickProgram();
      return true;
    case IDC_PICK_FOLDER:
      OnPickFolder();
      return true;
    default:
      return false;
  }
}

}  // namespace tessaly::win32
