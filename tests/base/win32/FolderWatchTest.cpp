// The message loop's waits: a watched folder's change runs its callback between
// messages on the same thread, and other handles can be waited on beside it.

#include "base/win32/FolderWatch.h"

#include <gtest/gtest.h>

#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

using testing::TempFolder;

// Runs the loop's wait (as RunMessageLoop does) until done() or the time is up; a timer
// wakes the wait so that a callback that never comes fails the test instead of hanging it.
bool LoopUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, nullptr);
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!done() && ::GetTickCount64() < end) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    if (done()) break;
    LoopWaits::ForThisThread().WaitForMessage();
  }
  ::KillTimer(nullptr, timer);
  return done();
}

TEST(FolderWatch, AFileWrittenInTheFolderIsToldOnTheLoopAndASubFoldersIsNot) {
  TempFolder folder;
  folder.Make("Backup");
  const DWORD thread = ::GetCurrentThreadId();
  int calls = 0;
  bool sameThread = true;
  FolderWatch watch(folder.path(), kFileChanges, [&] {
    ++calls;
    sameThread = sameThread && ::GetCurrentThreadId() == thread;
  });
  ASSERT_TRUE(watch.watching());

  folder.WriteFile("Backup\\Shortcuts 2026-12-09 11-30-00.sts", "in a sub-folder");
  folder.WriteFile("Shortcuts.sts", "<[Work]>\r\n");
  ASSERT_TRUE(LoopUntil([&] { return calls > 0; }));
  EXPECT_TRUE(sameThread);

  // Armed again: the next change is told too.
  const int before = calls;
  ASSERT_TRUE(::MoveFileExA((folder.path() + "Shortcuts.sts").c_str(),
                            (folder.path() + "Renamed.sts").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(LoopUntil([&] { return calls > before; }));
}

TEST(FolderWatch, AMissingFolderIsNotWatchedAndAnEndedWatchIsNotCalled) {
  TempFolder folder;
  FolderWatch missing(folder.path() + "missing\\", kFileChanges, [] {});
  EXPECT_FALSE(missing.watching());

  int calls = 0;
  {
    FolderWatch watch(folder.path(), kFileChanges, [&] { ++calls; });
    ASSERT_TRUE(watch.watching());
  }
  folder.WriteFile("Settings.sts", "[View]\r\nList\r\n");
  // Another handle, signalled, shows that the loop ran its waits meanwhile.
  UniqueKernelHandle event(::CreateEventA(nullptr, FALSE, TRUE, nullptr));
  bool signalled = false;
  const LoopWaits::Id id = LoopWaits::ForThisThread().Add(event.get(), [&] { signalled = true; });
  ASSERT_TRUE(LoopUntil([&] { return signalled; }));
  LoopWaits::ForThisThread().Remove(id);
  EXPECT_EQ(0, calls);
}

}  // namespace
}  // namespace tessaly::win32
