#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "shell/win32/FolderWatcher.h"
#include "support/Fakes.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

constexpr DWORD kSettle = 100;

// The watcher on real folders, waited on as the program's message loop waits on it.
class FolderWatcherTest : public ::testing::Test {
 protected:
  // Waits on the watcher's handles and time until done() or the time limit.
  bool WaitUntil(const std::function<bool()>& done, DWORD limit = 10000) {
    const ULONGLONG end = ::GetTickCount64() + limit;
    for (;;) {
      watcher.OnIdle();
      if (done()) return true;
      const ULONGLONG now = ::GetTickCount64();
      if (now >= end) return false;
      const std::vector<HANDLE>& handles = watcher.Handles();
      const DWORD timeout = static_cast<DWORD>(std::min<ULONGLONG>(watcher.Timeout(), end - now));
      const DWORD woken = ::MsgWaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                      handles.data(), FALSE, timeout, QS_ALLINPUT);
      if (woken < WAIT_OBJECT_0 + handles.size()) {
        watcher.OnSignalled(woken - WAIT_OBJECT_0);
      } else if (woken == WAIT_TIMEOUT) {
        watcher.OnTimeout();
      }
    }
  }
  // Everything the folders did has been told: no handle is signalled, no report waits.
  bool Settled() {
    const std::vector<HANDLE>& handles = watcher.Handles();
    const bool signalled =
        !handles.empty() &&
        ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 0) <
            WAIT_OBJECT_0 + handles.size();
    return !signalled && watcher.Timeout() == INFINITE;
  }
  int Told(WatchedCategory category) const {
    int count = 0;
    for (const FolderChange& change : changes) count += change.category == category ? 1 : 0;
    return count;
  }
  bool ToldOf(WatchedCategory category, int times = 1) {
    return WaitUntil([&] { return Told(category) >= times; });
  }

  testing::TempFolder temp;
  const std::string app = temp.WriteFile("Apps\\app.exe", "MZ");
  std::vector<FolderChange> changes;
  FolderWatcher watcher{[this](const FolderChange& change) { changes.push_back(change); }, kSettle};
};

TEST_F(FolderWatcherTest, ALinkMadeOrChangedAnywhereBelowAStartMenuIsTold) {
  const std::string menu = temp.Make("Menu\\Vendor\\Tools\\");
  ASSERT_TRUE(watcher.Watch(temp.path() + "Menu\\", true, WatchedCategory::GetAll));

  const std::string link = menu + "Tool.lnk";
  testing::WriteShellLink(link, testing::LinkTo(app));
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll));
  ASSERT_TRUE(WaitUntil([&] { return Settled(); }));
  const std::size_t afterMaking = changes.size();

  testing::WriteShellLink(link, testing::LinkTo(app, "-x"));
  ASSERT_TRUE(WaitUntil([&] { return changes.size() > afterMaking; }));
  EXPECT_EQ(changes.back().category, WatchedCategory::GetAll);
  EXPECT_FALSE(changes.back().overflow);
}

TEST_F(FolderWatcherTest, ABurstOfChangesIsToldOnce) {
  ASSERT_TRUE(watcher.Watch(temp.Make("Menu\\"), true, WatchedCategory::GetAll));
  const std::string model = temp.path() + "model.lnk";
  testing::WriteShellLink(model, testing::LinkTo(app));
  for (int i = 0; i < 20; ++i) {
    const std::string folder = temp.Make("Menu\\Group" + std::to_string(i % 4) + "\\");
    ASSERT_TRUE(
        ::CopyFileA(model.c_str(), (folder + "P" + std::to_string(i) + ".lnk").c_str(), TRUE));
  }
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll));
  ASSERT_TRUE(WaitUntil([&] { return Settled(); }));
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(FolderWatcherTest, TheBuiltInFoldersAreToldByTheirCategory) {
  testing::FakeFolders folders;
  folders.paths[folder_id::CommonStartMenu] = temp.Make("All\\");
  folders.paths[folder_id::StartMenu] = temp.Make("User\\");
  folders.paths[folder_id::Recent] = temp.Make("Recent\\");
  folders.paths[folder_id::Desktop] = temp.Make("Desktop\\");
  folders.paths[folder_id::AppData] = temp.Make("AppData\\");
  temp.Make("AppData\\Microsoft\\Internet Explorer\\Quick Launch\\");
  watcher.WatchBuiltinFoldersLater(folders, 0);
  EXPECT_EQ(watcher.count(), 0u) << "nothing is opened before the loop is idle";
  ASSERT_TRUE(WaitUntil([&] { return watcher.count() > 0; }));
  EXPECT_EQ(watcher.count(), 5u);

  temp.WriteFile("Recent\\report.doc.lnk", "x");
  ASSERT_TRUE(ToldOf(WatchedCategory::Recent));
  temp.WriteFile("AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Web.lnk", "x");
  ASSERT_TRUE(ToldOf(WatchedCategory::Popular));
  temp.WriteFile("Desktop\\Notes.lnk", "x");
  ASSERT_TRUE(ToldOf(WatchedCategory::Popular, 2));
  temp.WriteFile("User\\Sub\\Deep\\Game.lnk", "x");
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll));
  EXPECT_EQ(Told(WatchedCategory::Recent), 1);
  EXPECT_EQ(CategoryName(WatchedCategory::GetAll), "Get All");
  EXPECT_EQ(CategoryName(WatchedCategory::Recent), "Recent");
  EXPECT_EQ(CategoryName(WatchedCategory::Popular), "Popular");
}

TEST_F(FolderWatcherTest, FoldersThatCannotBeWatchedAreLeftOut) {
  testing::FakeFolders folders;  // the shell names none of them
  folders.paths[folder_id::Recent] = temp.path() + "Missing\\";
  folders.paths[folder_id::Desktop] = "Desktop\\";
  watcher.WatchBuiltinFolders(folders);
  EXPECT_EQ(watcher.count(), 0u);
  EXPECT_FALSE(watcher.Watch(temp.WriteFile("file.txt", "x"), false, WatchedCategory::Recent));
  EXPECT_EQ(watcher.Timeout(), INFINITE);
}

TEST_F(FolderWatcherTest, FoldersMadeLaterAndTheDeepestLevelAreWatchedToo) {
  const std::string deepest = temp.Make("Menu\\1\\2\\3\\4\\5\\6\\");
  ASSERT_TRUE(watcher.Watch(temp.path() + "Menu", true, WatchedCategory::GetAll));
  testing::WriteShellLink(deepest + "Deep.lnk", testing::LinkTo(app));
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll, 1));

  const std::string later = temp.Make("Menu\\Vendor\\");
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll, 2));
  ASSERT_TRUE(WaitUntil([&] { return Settled(); }));
  testing::WriteShellLink(later + "Tool.lnk", testing::LinkTo(app));
  ASSERT_TRUE(ToldOf(WatchedCategory::GetAll, 3));
}

}  // namespace
}  // namespace tessaly::win32
