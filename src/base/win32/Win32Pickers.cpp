#include "base/win32/Win32Pickers.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

namespace tessaly::win32 {

namespace {

using OpenFileDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);

// The file dialogs' library is loaded at the first file dialog, not at start-up: it
// brings the printing libraries with it, which under Wine hold the window's first
// appearance up by tens of milliseconds.
OpenFileDialog GetOpenFileNameFunction() {
  static const OpenFileDialog function = [] {
    const HMODULE library = ::LoadLibraryA("comdlg32.dll");
    return library == nullptr ? nullptr
                              : reinterpret_cast<OpenFileDialog>(reinterpret_cast<void*>(
                                    ::GetProcAddress(library, "GetOpenFileNameA")));
  }();
  return function;
}

// The file-open dialog with its first filter chosen. filter holds NUL-separated
// name/pattern pairs and ends in two NULs.
std::optional<std::string> PickFile(const char* filter, DWORD flags) {
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = flags | OFN_EXPLORER;
  const OpenFileDialog getOpenFileName = GetOpenFileNameFunction();
  // A path too long for the buffer fails the dialog instead of coming back cut short.
  if (getOpenFileName == nullptr || !getOpenFileName(&dialog)) return std::nullopt;
  return std::string(file);
}

}  // namespace

std::optional<std::string> Win32Pickers::PickApplication() {
  return PickFile("Application(*.exe)\0*.exe\0All files(*.*)\0*.*\0",
                  OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING);
}

std::optional<std::string> Win32Pickers::PickIconFile() {
  return PickFile("Exe;Dll\0*.exe;*.dll\0All\0*.*\0", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
}

std::string Win32Pickers::BrowseForFolder(const std::string& title) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = ::GetActiveWindow();
  browse.pszDisplayName = displayName;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_NEWDIALOGSTYLE | BIF_VALIDATE | BIF_STATUSTEXT;
  PIDLIST_ABSOLUTE item = ::SHBrowseForFolderA(&browse);
  if (item == nullptr) return {};
  char path[MAX_PATH] = {};
  const bool hasPath = ::SHGetPathFromIDListA(item, path) != FALSE;
  ::CoTaskMemFree(item);
  return hasPath ? std::string(path) : std::string();
}

}  // namespace tessaly::win32
