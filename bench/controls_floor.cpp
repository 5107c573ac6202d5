// The floor for start-up beside the bare window: a window program with the same
// common-controls manifest that creates the kinds of controls Tessaly's main window
// has (a tree view, a list view with the system image lists, a toolbar, an edit
// field and a status bar) and nothing else, then shows the window and runs its
// message loop. Started by ui_bench the way Tessaly is.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

HWND Child(HWND parent, DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
           int height) {
  return ::CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width,
                           height, parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                     ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                     ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "TessalyControlsFloor";
  ::RegisterClassExA(&wc);
  const HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "Controls floor",
                                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 834, 637, nullptr, nullptr, instance, nullptr);

  Child(hwnd, WS_EX_CLIENTEDGE, WC_TREEVIEWA,
        WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0, 200,
        570);
  const HWND toolbar =
      Child(hwnd, 0, TOOLBARCLASSNAMEA,
            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 205,
            0, 610, 40);
  ::SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const char* captions[] = {"Add", "Remove", "Edit", "View", "Sort", "Help"};
  for (int i = 0; i < 6; ++i) {
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = 100 + i;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    button.iString = reinterpret_cast<INT_PTR>(captions[i]);
    ::SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  }
  Child(hwnd, WS_EX_CLIENTEDGE, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, 205, 42, 610, 22);
  const HWND list =
      Child(hwnd, WS_EX_CLIENTEDGE, WC_LISTVIEWA,
            WS_TABSTOP | LVS_ICON | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE, 205, 66, 610, 500);
  SHFILEINFOA info{};
  ListView_SetImageList(
      list,
      reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX)),
      LVSIL_NORMAL);
  ListView_SetImageList(list,
                        reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
                            "", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
                        LVSIL_SMALL);
  Child(hwnd, 0, STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0, 0, 0, 0);

  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
