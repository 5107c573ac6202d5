// Program entry: the real platform, the main window, the message loop.

#include <windows.h>
#include <ole2.h>

#include "app/win32/MainWindow.h"
#include "app/win32/Program.h"
#include "app/win32/Win32MessageBoxes.h"
#include "base/win32/Boundary.h"
#include "base/win32/Text.h"
#include "base/win32/Win32Pickers.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32Folders.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "shortcuts/win32/Win32Launching.h"
#include "store/win32/Win32FileStore.h"

namespace {

using namespace tessaly::win32;

int Run(int showCommand) {
  // The folder browser needs OLE on this thread; link reading initialises COM again
  // around each link, which then only counts up and down.
  const HRESULT ole = ::OleInitialize(nullptr);
  InitialiseControls();
  InstallLeadByteTest();

  Win32MessageBoxes boxes;
  Win32FileStore files;
  Win32Folders folders;
  Win32LinkReader links(boxes);
  Win32DirectoryLister lister;
  Win32FileExistence existence;
  Win32MessagePump pump;
  Win32Launcher launcher;
  Win32Pickers pickers;
  Platform platform{files, boxes, folders, links, lister, existence, pump, launcher, pickers};

  int exitCode = 0;
  const std::string currentDirectory = CurrentDirectory();
  // A second start in the same data directory only brings the first to the front; it
  // reads and writes nothing.
  const SingleInstance instance(tessaly::DataDirectoryFrom(currentDirectory));
  if (!instance.first()) {
    instance.ShowTheOther();
  } else {
    MainWindow window(platform);
    if (window.Create(currentDirectory)) {
      window.Show(showCommand);
      exitCode = RunMessageLoop();
    }
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
