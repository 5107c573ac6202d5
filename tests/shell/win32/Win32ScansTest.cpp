#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "base/win32/Handle.h"
#include "shell/Scans.h"
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
using Entry = std::pair<std::string, std::string>;
using Entries = std::vector<Entry>;

// The scans over real folders, real link files and the real reader, lister and pump;
// only the special folders point into a temporary folder.
class Win32ScansTest : public ::testing::Test {
 protected:
  std::string Link(const std::string& relative, const std::string& target,
                   const std::string& arguments = "") {
    const std::string path = temp.path() + relative;
    temp.Make(relative.substr(0, relative.find_last_of('\\') + 1));
    LinkFields fields;
    fields.target = target;
    fields.arguments = arguments;
    testing::WriteShellLink(path, fields);
    return path;
  }
  std::string Corrupt(const std::string& relative) {
    return temp.WriteFile(relative, std::string("L\0\0\0\x01\x14\x02", 7) + "not a link");
  }
  // Entries in a fixed order: the file system chooses the scans' order.
  Entries Sorted() const {
    Entries entries;
    for (const auto& item : list.entries()) entries.emplace_back(item.title, item.target);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  testing::TempFolder temp;
  const std::string root = temp.path();
  const std::string app = temp.WriteFile("Programs\\Foo\\foo.exe", "MZ");
  const std::string uninstaller = temp.WriteFile("Programs\\Foo\\unins000.exe", "MZ");
  const std::string helper = temp.WriteFile("Programs\\Bar\\bar.exe", "MZ");

  testing::FakeFolders folders;
  testing::RecordingMessageBoxes boxes;
  Win32LinkReader reader{boxes};
  Win32DirectoryLister lister;
  Win32FileExistence files;
  ShortcutList list;
  testing::FakeStatusLine status;
  Win32MessagePump pump;
  ListEntryAdder adder{list, status, pump};
  ShellScans scans{folders, reader, lister, files, adder};
};

TEST_F(Win32ScansTest, RecentListsEveryEntryHiddenOnesIncluded) {
  const std::string recent = temp.Make("Recent\\");
  folders.paths[folder_id::Recent] = recent;
  Link("Recent\\report.doc.lnk", temp.WriteFile("Docs\\report.doc", "doc"));
  temp.Make("Recent\\Old");
  const std::string ini = temp.WriteFile("Recent\\desktop.ini", "[.ShellClassInfo]");
  ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  scans.flags.RecentScanActive = true;
  scans.ScanRecentFolder(folder_id::Recent);

  EXPECT_EQ(Sorted(), (Entries{{"Old", recent + "Old"},
                               {"desktop", recent + "desktop.ini"},
                               {"report.doc", recent + "report.doc.lnk"}}));
}

TEST_F(Win32ScansTest, RecentFolderLinksListAndCacheLinksToExistingFolders) {
  const std::string recent = temp.Make("Recent\\");
  folders.paths[folder_id::Recent] = recent;
  Link("Recent\\Photos 2009.01.lnk", temp.Make("Data\\Photos"));
  Link("Recent\\Work.lnk", temp.Make("Data\\Work"));
  Link("Recent\\plan.txt.lnk", temp.WriteFile("Data\\Work\\plan.txt", "plan"));
  Link("Recent\\Gone.lnk", root + "Data\\Gone");
  temp.Make("Recent\\Archive.lnk");
  Corrupt("Recent\\Corrupt.lnk");
  temp.WriteFile("Recent\\notes.txt", "n");

  scans.flags.FoldersScanActive = true;
  scans.ScanRecentFolderLinks(folder_id::Recent);

  EXPECT_EQ(Sorted(), (Entries{{"Archive", recent + "Archive.lnk"},
                               {"Photos 2009", recent + "Photos 2009.01.lnk"},
                               {"Work", recent + "Work.lnk"}}));
  Entries cached;
  for (std::size_t i = 0; i + 1 < scans.FolderCache.size(); i += 2) {
    cached.emplace_back(scans.FolderCache[i], scans.FolderCache[i + 1]);
  }
  EXPECT_EQ(scans.FolderCache.size(), 6u);
  Entries listed;
  for (const auto& item : list.entries()) listed.emplace_back(item.title, item.target);
  EXPECT_EQ(cached, listed) << "the cache holds exactly what was listed, in order";
  EXPECT_TRUE(boxes.shown.empty());

  list.Clear();
  scans.ReplayFolderCache(scans.FolderCache);
  Entries replayed;
  for (const auto& item : list.entries()) replayed.emplace_back(item.title, item.target);
  EXPECT_EQ(replayed, listed);
}

TEST_F(Win32ScansTest, DesktopListsLinksAndSubFoldersOnly) {
  const std::string desk = temp.Make("Desktop");
  temp.WriteFile("Desktop\\notes.txt", "n");
  Link("Desktop\\Work\\inside.lnk", app);
  Link("Desktop\\Foo.lnk", app);
  Corrupt("Desktop\\Broken.lnk");
  Link("Desktop\\.hidden.lnk", app);

  scans.flags.PopularScanActive = true;
  scans.ScanFolderLinks(desk);  // no trailing "\"

  EXPECT_EQ(Sorted(), (Entries{{"Broken", desk + "\\Broken.lnk"},
                               {"Foo", desk + "\\Foo.lnk"},
                               {"Work", desk + "\\Work"}}));
}

class Win32StartMenuTest : public Win32ScansTest {
 protected:
  void Scan(const std::string& folder) {
    scans.StartMenuDepth = 0;
    scans.ScanStartMenu(folder, "Uninstall");
  }
};

TEST_F(Win32StartMenuTest, ListsProgramsAndLeavesUninstallersOut) {
  const std::string menu = temp.Make("Menu\\");
  Link("Menu\\Foo 1.5.lnk", app);
  Link("Menu\\Uninstall Foo.lnk", app);
  Link("Menu\\Remove Foo.lnk", uninstaller);
  Link("Menu\\Foo Safe.lnk", app, "-p");
  Link("Menu\\Bar Via Foo.lnk", app, helper);
  Link("Menu\\Data.lnk", temp.Make("Data"));
  Link("Menu\\Missing.lnk", root + "Programs\\Gone\\gone.exe");
  Link("Menu\\Tools\\Bar.lnk", helper);
  Corrupt("Menu\\Broken 2.0.lnk");
  Corrupt("Menu\\unins001.lnk");
  temp.WriteFile("Menu\\readme.txt", "r");

  scans.flags.GetAllScanActive = true;
  Scan(menu);

  EXPECT_EQ(Sorted(), (Entries{{"Bar", menu + "Tools\\Bar.lnk"},
                               {"Bar Via Foo", menu + "Bar Via Foo.lnk"},
                               {"Broken 2.0", menu + "Broken 2.0.lnk"},
                               {"Foo 1", menu + "Foo 1.5.lnk"},
                               {"Missing", menu + "Missing.lnk"}}));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Win32StartMenuTest, SearchesSixLevelsBelowEachStartMenu) {
  std::string relative = "Common";
  for (int level = 1; level <= 7; ++level) {
    relative += "\\L" + std::to_string(level);
    Link(relative + "\\App" + std::to_string(level) + ".lnk", app);
  }
  Link("User\\Mine.lnk", app);

  scans.flags.GetAllScanActive = true;
  Scan(root + "Common");
  Scan(root + "User\\");

  std::vector<std::string> titles = testing::Titles(list);
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles,
            (std::vector<std::string>{"App1", "App2", "App3", "App4", "App5", "App6", "Mine"}));
  EXPECT_EQ(scans.StartMenuDepth, 0);
}

// A window whose message handler stands in for a selection of another category.
class SelectionWindow {
 public:
  explicit SelectionWindow(std::function<void()> onSelect) : onSelect_(std::move(onSelect)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TessalyScanSelection";
    ::RegisterClassA(&wc);
    hwnd_ = ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, this);
  }
  ~SelectionWindow() { ::DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SelectionWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_APP && self != nullptr) {
      self->onSelect_();
      return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
  std::function<void()> onSelect_;
  HWND hwnd_ = nullptr;
};

// Posts the selection's message once the list has reached a given length, then
// processes messages the way the program does.
class ClickingPump : public MessagePump {
 public:
  ClickingPump(const ShortcutList& list, HWND target, int afterItems)
      : list_(list), target_(target), afterItems_(afterItems) {}
  void ProcessPendingMessages() override {
    if (!posted_ && list_.Count() >= afterItems_) {
      posted_ = ::PostMessageA(target_, WM_APP, 0, 0) != FALSE;
    }
    real_.ProcessPendingMessages();
  }

 private:
  const ShortcutList& list_;
  HWND target_;
  int afterItems_;
  bool posted_ = false;
  Win32MessagePump real_;
};

TEST_F(Win32StartMenuTest, ASelectionHandledDuringTheScanEndsBothHalves) {
  const std::string model = Link("Common\\P100.lnk", app);
  for (int i = 1; i < 40; ++i) {
    const std::string copy = root + "Common\\P" + std::to_string(100 + i) + ".lnk";
    ASSERT_TRUE(::CopyFileA(model.c_str(), copy.c_str(), TRUE));
  }
  Link("User\\Mine.lnk", app);

  ShellScans* running = nullptr;
  SelectionWindow window([&] {
    running->flags.ClearAll();
    list.Clear();
    list.Append("report", "C:\\Recent\\report.lnk");
  });
  ASSERT_NE(window.hwnd(), nullptr);
  ClickingPump clicking(list, window.hwnd(), 12);
  ListEntryAdder clickingAdder(list, status, clicking);
  ShellScans interrupted{folders, reader, lister, files, clickingAdder};
  running = &interrupted;

  interrupted.flags.GetAllScanActive = true;
  interrupted.StartMenuDepth = 0;
  interrupted.ScanStartMenu(root + "Common", "Uninstall");
  interrupted.ScanStartMenu(root + "User", "Uninstall");

  EXPECT_EQ(testing::Titles(list), std::vector<std::string>{"report"});
}

TEST_F(Win32ScansTest, ToolSearchTakesTheFirstFolderAndTheExactName) {
  temp.WriteFile("Sys\\tool.exe", "MZ");
  temp.WriteFile("Win\\tool.exe", "MZ");
  temp.WriteFile("Win\\other.exe", "MZ");
  folders.paths[folder_id::System] = root + "Sys\\";
  folders.paths[folder_id::Windows] = root + "Win\\";

  scans.flags.WindowsScanActive = true;
  EXPECT_EQ(scans.FindSystemTool("tool.exe"), root + "Sys\\tool.exe");
  EXPECT_EQ(scans.FindSystemTool("other.exe"), root + "Win\\other.exe");
  EXPECT_EQ(scans.FindSystemTool("OTHER.EXE"), "");
  EXPECT_EQ(scans.ToolFolders, (LineList{root + "Sys\\", root + "Win\\", ""}));
}

TEST(Win32ToolSearch, FindsTheSystemsOwnTools) {
  Win32Folders folders;
  testing::RecordingMessageBoxes boxes;
  Win32LinkReader reader(boxes);
  Win32DirectoryLister lister;
  Win32FileExistence files;
  ShortcutList list;
  testing::FakeStatusLine status;
  Win32MessagePump pump;
  ListEntryAdder adder(list, status, pump);
  ShellScans scans(folders, reader, lister, files, adder);
  scans.flags.WindowsScanActive = true;

  const std::string system = folders.SpecialFolderPath(folder_id::System);
  ASSERT_FALSE(system.empty());
  const std::string notepad = scans.FindSystemTool("notepad.exe");
  EXPECT_EQ(notepad, system + "notepad.exe") << "the System directory comes before Windows";
  EXPECT_TRUE(files.FileOrFolderExists(notepad));
  EXPECT_EQ(scans.FindSystemTool("NOTEPAD.EXE"), "");
}

}  // namespace
}  // namespace tessaly::win32
