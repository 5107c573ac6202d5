#include "shortcuts/win32/Win32Launching.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

namespace tessaly::win32 {

void Win32Launcher::ShellOpen(const std::string& path, const std::string& parameters) {
  // The outcome is not examined: the shell reports its own failures to the user.
  ::ShellExecuteA(nullptr, "open", path.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  nullptr, SW_SHOW);
}

void Win32Launcher::RunCommandLine(const std::string& commandLine) {
  ::WinExec(commandLine.c_str(), SW_SHOW);
}

void Win32Launcher::SendKeyEvents(const std::vector<KeyEvent>& events) {
  for (const KeyEvent& event : events) {
    ::keybd_event(event.virtualKey, 0, event.keyUp ? KEYEVENTF_KEYUP : 0, 0);
  }
}

std::optional<std::string> Win32Pickers::PickApplication() {
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ::GetActiveWindow();
  dialog.lpstrFilter = "Application(*.exe)\0*.exe\0All files(*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER;
  // A path too long for the buffer fails the dialog instead of coming back cut short.
  if (!::GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file);
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
