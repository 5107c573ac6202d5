// Program entry: the real platform, the main window, the message loop.

#include <windows.h>
#include <ole2.h>

#include "app/CommandLine.h"
#include "app/HeadlessOpen.h"
#include "app/Session.h"
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

using namespace tessaly;
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
  const CommandLine commandLine = ParseCommandLine(::GetCommandLineA());
  std::string directory = CurrentDirectory();
  if (!commandLine.ok()) {
    boxes.Error(CommandLineProblemText(commandLine));
    exitCode = 1;
  } else if (!commandLine.dataDirectory.empty()) {
    directory = FullPath(commandLine.dataDirectory);
    if (!existence.FolderExists(directory)) {
      boxes.Error("The data directory '" + directory + "' given with /data does not exist.");
      exitCode = 1;
    } else {
      // As if started there: launched programs start in it, as they do then.
      ::SetCurrentDirectoryA(directory.c_str());
    }
  }

  if (exitCode != 0) {
    // Nothing more: no window, no file read or written.
  } else if (commandLine.action == CommandLine::Action::OpenCategory) {
    // Needs no lock: it only reads, and the running Tessaly writes every change whole.
    const HeadlessPorts ports{files, boxes, folders, links, lister, existence, launcher,
                              [](const std::string& a, const std::string& b) {
                                return ::lstrcmpA(a.c_str(), b.c_str()) < 0;
                              }};
    exitCode = OpenCategoryWithoutWindow(ports, directory, commandLine.category) ? 0 : 1;
  } else {
    // A second start in the same data directory only brings the first to the front
    // (with the category asked for); it reads and writes nothing.
    const SingleInstance instance(tessaly::DataDirectoryFrom(directory));
    const bool showCategory = commandLine.action == CommandLine::Action::ShowCategory;
    if (!instance.first()) {
      if (!showCategory || !instance.ShowCategoryInTheOther(commandLine.category)) {
        instance.ShowTheOther();
      }
    } else if (showCategory && CategoryFileLacks(files, directory, commandLine.category)) {
      boxes.Error(UnknownCategoryText(commandLine.category, tessaly::DataDirectoryFrom(directory)));
      exitCode = 1;
    } else {
      MainWindow window(platform);
      window.SelectAtStart(commandLine.category);
      if (window.Create(directory)) {
        window.Show(showCommand);
        exitCode = RunMessageLoop([&](const MSG& msg) { return window.PreTranslateMessage(msg); });
      }
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
