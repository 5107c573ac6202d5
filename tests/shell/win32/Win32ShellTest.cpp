#include <gtest/gtest.h>
#include <objbase.h>

#include <map>
#include <thread>

#include "base/Text.h"
#include "base/win32/Handle.h"
#include "shell/ShellNames.h"
#include "support/win32/LinkFixtures.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32Folders.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "support/Fakes.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

using testing::LinkFields;
using testing::WriteShellLink;

// --- Special folders ---------------------------------------------------------------------

TEST(Win32Folders, VirtualFoldersHaveNoPath) {
  Win32Folders folders;
  EXPECT_EQ(folders.SpecialFolderPath(folder_id::MyComputer), "");
  EXPECT_EQ(folders.SpecialFolderPath(folder_id::Network), "");
  EXPECT_EQ(folders.SpecialFolderPath(folder_id::ControlPanel), "");
  EXPECT_EQ(folders.SpecialFolderPath(-5), "");
}

TEST(Win32Folders, FileSystemFoldersEndInOneBackslash) {
  Win32Folders folders;
  Win32FileExistence files;
  const std::string recent = folders.SpecialFolderPath(folder_id::Recent);
  ASSERT_FALSE(recent.empty());
  EXPECT_EQ(recent.back(), '\\');
  const std::string system = folders.SpecialFolderPath(folder_id::System);
  EXPECT_TRUE(files.FolderExists(system)) << system;

  for (int id : {0, 2, 5, 6, 8, 11, 13, 22, 26, 36, 37, 38, 39, 40}) {
    const std::string path = folders.SpecialFolderPath(id);
    if (path.empty()) continue;  // a folder the shell cannot name is allowed to be missing
    EXPECT_TRUE(IsAbsolutePath(path)) << id << ": " << path;
    EXPECT_TRUE(EndsWith(path, "\\")) << id << ": " << path;
    EXPECT_FALSE(EndsWith(path, "\\\\") && path.size() > 3) << id << ": " << path;
  }
}

bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// --- Link resolution -------------------------------------------------------------------------

class LinkReaderTest : public ::testing::Test {
 protected:
  std::string Link(const std::string& name, const LinkFields& fields) {
    const std::string path = temp.path() + name;
    WriteShellLink(path, fields);
    return path;
  }

  testing::TempFolder temp;
  testing::RecordingMessageBoxes boxes;
  Win32LinkReader reader{boxes};
  std::string app = temp.WriteFile("Apps\\app.exe", "MZ");
};

TEST_F(LinkReaderTest, ReadsEveryStoredProperty) {
  LinkFields fields;
  fields.target = app;
  fields.arguments = "/x \"a b\"";
  fields.workingDirectory = temp.path() + "Apps";
  fields.description = "The app";
  fields.iconFile = temp.path() + "Apps\\icons.dll";
  fields.iconIndex = 3;
  fields.hotKey = static_cast<unsigned short>((HOTKEYF_CONTROL << 8) | 'A');
  fields.showCommand = SW_SHOWMAXIMIZED;
  const std::string path = Link("My.Tool.lnk", fields);

  LinkInfo info;
  ASSERT_TRUE(reader.ResolveLink(info, path));
  EXPECT_EQ(info.Name, "My.Tool");
  EXPECT_EQ(info.Target, app);
  EXPECT_EQ(info.Arguments, "/x \"a b\"");
  EXPECT_EQ(info.WorkingDirectory, temp.path() + "Apps");
  EXPECT_EQ(info.Description, "The app");
  EXPECT_EQ(info.IconFile, temp.path() + "Apps\\icons.dll");
  EXPECT_EQ(info.IconIndex, 3);
  EXPECT_EQ(info.HotKey, fields.hotKey);
  // NOTE: Wine's link object reports every stored show state as SW_SHOWNORMAL.
  EXPECT_EQ(info.ShowCommand, RunningUnderWine() ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinkReaderTest, ReusedRecordKeepsTheIconOfTheLinkBeforeAndNothingElse) {
  LinkFields first;
  first.target = app;
  first.arguments = "-first";
  first.description = "first";
  first.iconFile = temp.path() + "first.ico";
  first.iconIndex = 7;
  LinkFields plain;
  plain.target = temp.path() + "Apps";

  LinkInfo info;
  ASSERT_TRUE(reader.ResolveLink(info, Link("First.lnk", first)));
  ASSERT_TRUE(reader.ResolveLink(info, Link("Notes.lnk", plain)));

  EXPECT_EQ(info.Name, "Notes");
  EXPECT_EQ(info.Target, temp.path() + "Apps") << "a link to a folder gives the folder";
  EXPECT_EQ(info.Arguments, "");
  EXPECT_EQ(info.Description, "");
  EXPECT_EQ(info.IconFile, temp.path() + "first.ico");
  EXPECT_EQ(info.IconIndex, 7);
}

TEST_F(LinkReaderTest, NegativeIconIndexIsStoredAsZero) {
  LinkFields fields;
  fields.target = app;
  fields.iconFile = app;
  fields.iconIndex = -101;
  LinkInfo info;
  info.IconIndex = 9;
  ASSERT_TRUE(reader.ResolveLink(info, Link("Neg.lnk", fields)));
  EXPECT_EQ(info.IconFile, app);
  EXPECT_EQ(info.IconIndex, 0);
}

TEST_F(LinkReaderTest, LinkToAMissingTargetStillResolves) {
  LinkFields fields;
  fields.target = temp.path() + "Gone\\gone.exe";
  LinkInfo info;
  ASSERT_TRUE(reader.ResolveLink(info, Link("Gone.lnk", fields)));
  EXPECT_EQ(info.Target, temp.path() + "Gone\\gone.exe");
  EXPECT_EQ(info.Name, "Gone");
}

TEST_F(LinkReaderTest, UnloadableFilesFailSilentlyAndLeaveTheRecord) {
  const std::string corrupt = temp.WriteFile("Corrupt.lnk", std::string("L\0\0\0garbage", 11));
  const std::string empty = temp.WriteFile("Empty.lnk", "");
  const std::string folder = temp.Make("Folder.lnk");
  const std::string tooLong = temp.path() + std::string(300, 'a') + ".lnk";

  LinkInfo info;
  info.Name = "before";
  info.Target = "C:\\before.exe";
  for (const std::string& path :
       {corrupt, empty, folder, temp.path() + "Missing.lnk", tooLong, std::string()}) {
    EXPECT_FALSE(reader.ResolveLink(info, path)) << path;
  }
  EXPECT_EQ(info.Name, "before");
  EXPECT_EQ(info.Target, "C:\\before.exe");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinkReaderTest, PathOfExactlyTheLongestLengthIsLoadedWhole) {
  LinkFields fields;
  fields.target = app;
  // 259 characters: the most a buffer of MAX_PATH holds.
  std::string name(259 - temp.path().size() - 4, 'n');
  const std::string path = Link(name + ".lnk", fields);
  ASSERT_EQ(path.size(), 259u);
  LinkInfo info;
  EXPECT_TRUE(reader.ResolveLink(info, path));
  EXPECT_EQ(info.Name, name);
}

// The component system's state is per thread: each case runs on a fresh one.
template <typename F>
void OnFreshThread(F&& f) {
  std::thread thread(std::forward<F>(f));
  thread.join();
}

TEST_F(LinkReaderTest, LeavesTheThreadsComponentSystemAsItFoundIt) {
  LinkFields fields;
  fields.target = app;
  const std::string path = Link("App.lnk", fields);

  OnFreshThread([&] {
    LinkInfo info;
    EXPECT_TRUE(reader.ResolveLink(info, path));
    const HRESULT after = ::CoInitialize(nullptr);
    EXPECT_EQ(after, S_OK) << "uninitialised again after the resolution";
    ::CoUninitialize();
  });
  OnFreshThread([&] {
    ASSERT_EQ(::CoInitialize(nullptr), S_OK);
    LinkInfo info;
    EXPECT_TRUE(reader.ResolveLink(info, path));
    const HRESULT after = ::CoInitialize(nullptr);
    EXPECT_EQ(after, S_FALSE) << "still initialised";
    ::CoUninitialize();
    ::CoUninitialize();
  });
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinkReaderTest, FailedInitialisationIsTheOneReportedFailure) {
  LinkFields fields;
  fields.target = app;
  const std::string path = Link("App.lnk", fields);
  OnFreshThread([&] {
    // A thread of the multi-threaded apartment cannot enter a single-threaded one.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    LinkInfo info;
    EXPECT_FALSE(reader.ResolveLink(info, path));
    EXPECT_FALSE(reader.ResolveLink(info, path));
    EXPECT_EQ(info.Target, "");
    ::CoUninitialize();
  });
  const std::string message = "Plain: Error occured when get info from " + path;
  EXPECT_EQ(boxes.shown, (std::vector<std::string>{message, message}));
}

// --- Folder listing and existence ----------------------------------------------------------

TEST(Win32DirectoryLister, GivesEveryEntryTheFirstIncluded) {
  testing::TempFolder temp;
  temp.WriteFile("b.txt", "b");
  const std::string ini = temp.WriteFile("desktop.ini", "[x]");
  ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  temp.Make("Sub");

  Win32DirectoryLister lister;
  auto listing = lister.List(temp.path() + "*.*");
  std::map<std::string, bool> entries;
  DirectoryEntry entry;
  while (listing->Next(entry)) entries[entry.name] = entry.directory;
  EXPECT_FALSE(listing->Next(entry)) << "stays at the end";

  EXPECT_EQ(
      entries,
      (std::map<std::string, bool>{
          {".", true}, {"..", true}, {"Sub", true}, {"b.txt", false}, {"desktop.ini", false}}));
}

TEST(Win32DirectoryLister, FolderThatCannotBeListedGivesNoEntries) {
  testing::TempFolder temp;
  Win32DirectoryLister lister;
  DirectoryEntry entry;
  EXPECT_FALSE(lister.List(temp.path() + "Missing\\*.*")->Next(entry));
  EXPECT_FALSE(lister.List(temp.path() + std::string(300, 'x') + "\\*.*")->Next(entry));
}

TEST(Win32FileExistence, TellsFilesFromFolders) {
  testing::TempFolder temp;
  const std::string file = temp.WriteFile("a.txt", "a");
  const std::string folder = temp.Make("Sub");
  Win32FileExistence files;
  EXPECT_TRUE(files.FileOrFolderExists(file));
  EXPECT_FALSE(files.FolderExists(file));
  EXPECT_TRUE(files.FileOrFolderExists(folder));
  EXPECT_TRUE(files.FolderExists(folder));
  EXPECT_TRUE(files.FolderExists(folder + "\\"));
  EXPECT_FALSE(files.FileOrFolderExists(temp.path() + "none"));
  EXPECT_FALSE(files.FolderExists(temp.path() + "none"));
  EXPECT_FALSE(files.FileOrFolderExists(""));
  EXPECT_FALSE(files.FolderExists(""));
}

// --- Message pump ----------------------------------------------------------------------------

class MessageWindow {
 public:
  MessageWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TessalyPumpTest";
    ::RegisterClassA(&wc);
    hwnd_ = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  }
  ~MessageWindow() { ::DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static inline int received = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
      ++received;
      return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
  HWND hwnd_;
};

TEST(Win32MessagePump, DispatchesEveryWaitingMessage) {
  MessageWindow window;
  ASSERT_NE(window.hwnd(), nullptr);
  MessageWindow::received = 0;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(::PostMessageA(window.hwnd(), WM_APP, 0, 0));
  Win32MessagePump pump;
  pump.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 3);
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(Win32MessagePump, WithAQuietTimeLooksAgainOnlyOnceItHasPassed) {
  MessageWindow window;
  MessageWindow::received = 0;
  ASSERT_TRUE(::PostMessageA(window.hwnd(), WM_APP, 0, 0));
  Win32MessagePump rarely(60000);
  rarely.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 1) << "the first call always looks";
  ASSERT_TRUE(::PostMessageA(window.hwnd(), WM_APP, 0, 0));
  rarely.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 1);

  Win32MessagePump often(1);
  often.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 2);
  ASSERT_TRUE(::PostMessageA(window.hwnd(), WM_APP, 0, 0));
  const ULONGLONG start = ::GetTickCount64();
  while (::GetTickCount64() < start + 2) {
  }
  often.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 3);
}

TEST(Win32MessagePump, HandsAQuitOnToTheMainLoop) {
  MessageWindow window;
  MessageWindow::received = 0;
  ASSERT_TRUE(::PostMessageA(window.hwnd(), WM_APP, 0, 0));
  ::PostQuitMessage(7);
  Win32MessagePump pump;
  pump.ProcessPendingMessages();
  EXPECT_EQ(MessageWindow::received, 1);

  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
}  // namespace tessaly::win32
