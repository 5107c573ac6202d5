// The floor for memory: a window program that loads the system libraries Tessaly
// loads, with the same common-controls manifest and the shell's image lists, and
// fills a report list view with the entries memory_bench gives it. Its caption
// says "filled" once they are all in.
//   list_floor.exe <count>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  const int count = std::atoi(commandLine);
  ::OleInitialize(nullptr);
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
  wc.lpszClassName = "TessalyListFloor";
  ::RegisterClassExA(&wc);
  const HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "List floor", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 834, 637, nullptr, nullptr,
                                      instance, nullptr);
  const HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS,
                                      200, 64, 610, 500, hwnd, nullptr, instance, nullptr);
  SHFILEINFOA info{};
  ListView_SetImageList(list,
                        reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
                            "", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
                        LVSIL_SMALL);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 200;
  column.pszText = const_cast<char*>("Title");
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = const_cast<char*>("Target");
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);

  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    std::string title = "Tool " + std::to_string(i);
    std::string target = "C:\\Program Files\\Vendor " + std::to_string(i % 97) + "\\bin\\tool" +
                         std::to_string(i) + ".exe";
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = title.data();
    const auto index = ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = target.data();
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&sub));
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  ::UpdateWindow(hwnd);
  ::SetWindowTextA(hwnd, "filled");

  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::OleUninitialize();
  return 0;
}
