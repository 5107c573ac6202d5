// Program entry: the real platform, the main window, the message loop.

#include <windows.h>
#include <ole2.h>

#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/HeadlessOpen.h"
#include "app/Session.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Program.h"
#include "app/win32/Win32Startup.h"
#include "app/win32/Win32MessageBoxes.h"
#include "base/win32/Boundary.h"
#include "base/win32/Text.h"
#include "base/win32/Win32Pickers.h"
#include "shell/LinkCache.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32Folders.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "shortcuts/win32/Win32Launching.h"
#include "store/LinkCacheFile.h"
#include "store/win32/Win32FileStore.h"

namespace {

using namespace tessaly;
using namespace tessaly::win32;

// The data directory the command line names (or the current directory), made whole;
// nothing when it is no folder, which the user is told.
std::optional<std::string> DataDirectoryOf(const CommandLine& commandLine,
                                           FileExistence& existence, MessageBoxes& boxes) {
  if (commandLine.dataDirectory.empty()) return CurrentDirectory();
  const std::string directory = FullPath(commandLine.dataDirectory);
  if (!existence.FolderExists(directory)) {
    boxes.Error("The data directory '" + directory + "' given with /data does not exist.");
    return std::nullopt;
  }
  // As if started there: launched programs start in it, as they do then.
  ::SetCurrentDirectoryA(directory.c_str());
  return directory;
}

// The main window, or for a second start in the same data directory only the first
// one brought to the front (showing the category asked for); that reads and writes
// nothing.
int RunWindow(Platform& platform, Win32Launcher& launcher, const CommandLine& commandLine,
              const std::string& directory, int showCommand) {
  const SingleInstance instance(DataDirectoryFrom(directory));
  const bool showCategory = commandLine.action == CommandLine::Action::ShowCategory;
  if (!instance.first()) {
    if (!showCategory || !instance.ShowCategoryInTheOther(commandLine.category)) {
      instance.ShowTheOther();
    }
    return 0;
  }
  if (showCategory && CategoryFileLacks(platform.files, directory, commandLine.category)) {
    platform.boxes.Error(UnknownCategoryText(commandLine.category, DataDirectoryFrom(directory)));
    return 1;
  }
  MainWindow window(platform);
  window.SelectAtStart(commandLine.category);
  if (!window.Create(directory)) return 0;
  launcher.OpenOnMonitorOf(window.hwnd());
  if (commandLine.hidden) {
    window.StartHidden();
  } else {
    window.Show(showCommand);
  }
  const int exitCode = RunMessageLoop(&window.waits());
  if (platform.linkCache != nullptr) platform.linkCache->SaveIfChanged();
  return exitCode;
}

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

  // A command line that cannot be followed is said once; then nothing is read or
  // written and no window opens.
  int exitCode = 1;
  const CommandLine commandLine = ParseCommandLine(::GetCommandLineA());
  if (!commandLine.ok()) {
    boxes.Error(CommandLineProblemText(commandLine));
  } else if (const auto directory = DataDirectoryOf(commandLine, existence, boxes)) {
    // The scans read the start menus' links through the cache: only new or changed
    // links are opened. Links.sts is read at the first walk, not at start-up.
    LinkCacheFile linkFile(files, DataDirectoryFrom(*directory) + kLinkCacheFileName);
    CachingLinkReader links(shellLinks, &linkFile);
    if (commandLine.action == CommandLine::Action::OpenCategory) {
      // Needs no lock: it only reads, and a running Tessaly writes every change whole.
      const HeadlessPorts ports{files, boxes, folders, links, lister, existence, launcher,
                                [](const std::string& a, const std::string& b) {
                                  return ::lstrcmpA(a.c_str(), b.c_str());
                                }};
      exitCode = OpenCategoryWithoutWindow(ports, *directory, commandLine.category) ? 0 : 1;
    } else {
      Win32StartupRegistration startup;
      Platform platform{files,     boxes, folders,  links,   lister,
                        existence, pump,  launcher, pickers, &links, &startup};
      exitCode = RunWindow(platform, launcher, commandLine, *directory, showCommand);
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
