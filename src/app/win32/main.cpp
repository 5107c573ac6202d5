// Program entry: the real platform, the main window, the message loop.

#include <windows.h>
#include <ole2.h>

#include "app/win32/MainWindow.h"
#include "app/win32/Program.h"
#include "app/win32/Win32MessageBoxes.h"
#include "base/win32/Boundary.h"
#include "base/win32/Text.h"
#include "base/win32/Win32Pickers.h"
#include "shell/LinkCache.h"
#include "shell/win32/FolderWatcher.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32Folders.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "shortcuts/win32/Win32Launching.h"
#include "store/LinkCacheFile.h"
#include "store/win32/Win32FileStore.h"

namespace {

using namespace tessaly::win32;

// The folders are watched once the start's own work is done.
constexpr DWORD kWatchDelay = 2000;

int Run(int showCommand) {
  // The folder browser needs OLE on this thread; link reading initialises COM again
  // around each link or walk of links, which then only counts up and down.
  const HRESULT ole = ::OleInitialize(nullptr);
  InitialiseControls();
  InstallLeadByteTest();

  Win32MessageBoxes boxes;
  Win32FileStore files;
  Win32Folders folders;
  Win32LinkReader shellLinks(boxes);
  Win32DirectoryLister lister;
  Win32FileExistence existence;
  Win32MessagePump pump(kProgramPumpQuietTime);
  Win32Launcher launcher;
  Win32Pickers pickers;

  int exitCode = 0;
  const std::string currentDirectory = CurrentDirectory();
  const std::string dataDirectory = tessaly::DataDirectoryFrom(currentDirectory);
  // The scans read the start menus' links through the cache: only new or changed
  // links are opened. Links.sts is read at the first walk, not at start-up.
  tessaly::LinkCacheFile linkFile(files, dataDirectory + tessaly::kLinkCacheFileName);
  tessaly::CachingLinkReader links(shellLinks, &linkFile);
  Platform platform{files,     boxes, folders,  links,   lister,
                    existence, pump,  launcher, pickers, &links};

  // A second start in the same data directory only brings the first to the front; it
  // reads and writes nothing.
  const SingleInstance instance(dataDirectory);
  if (!instance.first()) {
    instance.ShowTheOther();
  } else {
    MainWindow window(platform);
    if (window.Create(currentDirectory)) {
      window.Show(showCommand);
      FolderWatcher watcher([&](const FolderChange& change) {
        ::PostMessageA(window.hwnd(), kFoldersChanged, static_cast<WPARAM>(change.category),
                       change.overflow ? 1 : 0);
      });
      watcher.WatchBuiltinFoldersLater(folders, kWatchDelay);
      exitCode =
          RunMessageLoop([&](const MSG& msg) { return window.PreTranslateMessage(msg); }, &watcher);
    }
    links.SaveIfChanged();
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  int exitCode = 1;
  GuardBoundary([&] { exitCode = Run(showCommand); });
  return exitCode;
}
