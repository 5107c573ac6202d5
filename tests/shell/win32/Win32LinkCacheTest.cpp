#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "base/win32/Handle.h"
#include "categories/CachedGetAll.h"
#include "categories/CategorySelection.h"
#include "shell/LinkCache.h"
#include "shell/Scans.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32LinkReader.h"
#include "store/LinkCacheFile.h"
#include "store/win32/Win32FileStore.h"
#include "support/Fakes.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

using Entry = std::pair<std::string, std::string>;
using Entries = std::vector<Entry>;

// Counts the links a walk of the wrapped reader really opens.
class CountingReader : public LinkReader {
 public:
  explicit CountingReader(LinkReader& reader) : reader_(reader) {}
  bool ResolveLink(LinkInfo& info, const std::string& linkPath) override {
    return reader_.ResolveLink(info, linkPath);
  }
  std::unique_ptr<LinkWalk> StartWalk(const std::string& folder) override {
    struct Walk : LinkWalk {
      Walk(std::unique_ptr<LinkWalk> walk, int& count) : inner(std::move(walk)), opened(count) {}
      bool ResolveListedLink(LinkInfo& info, const std::string& path,
                             const DirectoryEntry& entry) override {
        ++opened;
        return inner->ResolveListedLink(info, path, entry);
      }
      std::unique_ptr<LinkWalk> inner;
      int& opened;
    };
    return std::make_unique<Walk>(reader_.StartWalk(folder), opened);
  }
  int opened = 0;

 private:
  LinkReader& reader_;
};

// Sets a file's last write, so that a rewrite is seen whatever the clock's grain.
void SetWriteTime(const std::string& path, std::uint64_t ticks) {
  UniqueFile file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(file)) << path;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
}

TEST(Win32DirectoryLister, GivesEachFilesSizeAndLastWrite) {
  testing::TempFolder temp;
  const std::string file = temp.WriteFile("five.txt", "12345");
  const std::uint64_t ticks = 133000000000000000ULL;
  SetWriteTime(file, ticks);

  Win32DirectoryLister lister;
  auto listing = lister.List(temp.path() + "*.*");
  DirectoryEntry entry;
  bool found = false;
  while (listing->Next(entry)) {
    if (entry.name != "five.txt") continue;
    found = true;
    EXPECT_EQ(entry.size, 5u);
    EXPECT_EQ(entry.writeTime, ticks);
  }
  EXPECT_TRUE(found);
}

// "Get All" over real start menus in a temporary folder, read through the cache that
// the program uses, with Links.sts in a temporary data directory.
class Win32LinkCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.paths[folder_id::CommonStartMenu] = temp.Make("All\\");
    folders.paths[folder_id::StartMenu] = temp.Make("User\\");
  }
  std::string Link(const std::string& relative, const std::string& target,
                   const std::string& arguments = "") {
    const std::string path = temp.path() + relative;
    temp.Make(relative.substr(0, relative.find_last_of('\\') + 1));
    testing::WriteShellLink(path, testing::LinkTo(target, arguments));
    SetWriteTime(path, ++clock);
    return path;
  }

  // One run of the program: a fresh cache over the same Links.sts.
  struct Run {
    explicit Run(Win32LinkCacheTest& test)
        : reader(test.shell), file(test.store, test.cacheFile), cached(reader, &file) {}
    CountingReader reader;
    LinkCacheFile file;
    CachingLinkReader cached;
  };
  Entries GetAll(Run& run) {
    ShortcutList list;
    ListEntryAdder adder{list, status, pump};
    ShellScans scans{folders, run.cached, lister, existence, adder};
    ScanGetAll(scans, folders, [] { return true; });
    Entries entries;
    for (const auto& item : list.entries()) entries.emplace_back(item.title, item.target);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  testing::TempFolder temp;
  testing::TempFolder data;
  const std::string cacheFile = data.path() + kLinkCacheFileName;
  const std::string app = temp.WriteFile("Apps\\app.exe", "MZ");
  const std::string tool = temp.WriteFile("Apps\\tool.exe", "MZ");
  testing::FakeFolders folders;
  testing::RecordingMessageBoxes boxes;
  Win32LinkReader shell{boxes};
  Win32DirectoryLister lister;
  Win32FileExistence existence;
  Win32FileStore store;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  std::uint64_t clock = 133000000000000000ULL;
};

TEST_F(Win32LinkCacheTest, ANewRunListsFromLinksStsAndOpensOnlyWhatChanged) {
  const std::string editor = Link("All\\Editor.lnk", app);
  const std::string manual = Link("All\\Docs\\Manual.lnk", temp.path() + "Apps\\manual.pdf");
  const std::string chess = Link("User\\Games\\Chess.lnk", tool);
  const std::string old = Link("User\\Old.lnk", tool);
  {
    Run first(*this);
    EXPECT_EQ(GetAll(first), (Entries{{"Chess", chess}, {"Editor", editor}, {"Old", old}}));
    EXPECT_EQ(first.reader.opened, 4);
  }
  ASSERT_TRUE(testing::PathExists(cacheFile));

  Run second(*this);
  EXPECT_EQ(GetAll(second), (Entries{{"Chess", chess}, {"Editor", editor}, {"Old", old}}));
  EXPECT_EQ(second.reader.opened, 0);

  // An edited link, a new one, a gone one.
  testing::WriteShellLink(manual, testing::LinkTo(tool));
  SetWriteTime(manual, ++clock);
  testing::WriteShellLink(editor, testing::LinkTo(temp.path() + "Apps\\readme.txt"));
  SetWriteTime(editor, ++clock);
  const std::string go = Link("User\\Games\\Go.lnk", app);
  ASSERT_TRUE(::DeleteFileA(old.c_str()));

  EXPECT_EQ(GetAll(second), (Entries{{"Chess", chess}, {"Go", go}, {"Manual", manual}}));
  EXPECT_EQ(second.reader.opened, 3);
  const std::string saved = testing::ReadWholeFile(cacheFile);
  EXPECT_EQ(saved.find(old), std::string::npos) << "a gone link leaves the file";
  EXPECT_NE(saved.find(go), std::string::npos);

  // What the search shows before any scan of the next run.
  Run third(*this);
  const LineList lines = GetAllFromCache(third.cached.cache(), folders).value_or(LineList{});
  Entries cachedEntries;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
    cachedEntries.emplace_back(lines[i], lines[i + 1]);
  std::sort(cachedEntries.begin(), cachedEntries.end());
  EXPECT_EQ(cachedEntries, (Entries{{"Chess", chess}, {"Go", go}, {"Manual", manual}}));
  EXPECT_EQ(third.reader.opened, 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Win32LinkCacheTest, ADamagedOrDeletedLinksStsIsBuiltAgainSilently) {
  const std::string editor = Link("All\\Editor.lnk", app);
  const std::string chess = Link("User\\Chess.lnk", tool);
  const Entries expected{{"Chess", chess}, {"Editor", editor}};
  {
    Run first(*this);
    ASSERT_EQ(GetAll(first), expected);
  }
  const std::string whole = testing::ReadWholeFile(cacheFile);
  for (const std::string& damaged :
       {whole.substr(0, whole.size() / 2), std::string("\x01\xff garbage\r\n\r\n", 14),
        whole.substr(0, whole.find(editor)) + "C:\\Elsewhere\\Editor.lnk" +
            whole.substr(whole.find(editor) + editor.size()),
        std::string()}) {
    data.WriteFile(kLinkCacheFileName, damaged);
    Run run(*this);
    EXPECT_EQ(GetAll(run), expected);
    EXPECT_EQ(run.reader.opened, 2);
    EXPECT_EQ(testing::ReadWholeFile(cacheFile), whole);
  }
  ASSERT_TRUE(::DeleteFileA(cacheFile.c_str()));
  Run afterDelete(*this);
  EXPECT_EQ(GetAll(afterDelete), expected);
  EXPECT_EQ(testing::ReadWholeFile(cacheFile), whole);
  EXPECT_TRUE(boxes.shown.empty());
}

// The component system's state is per thread: each case runs on a fresh one.
template <typename F>
void OnFreshThread(F&& f) {
  std::thread thread(std::forward<F>(f));
  thread.join();
}

TEST_F(Win32LinkCacheTest, AWalkEntersTheComponentSystemOnceAndLeavesItAsItFoundIt) {
  const std::string a = Link("All\\A.lnk", app);
  const std::string b = Link("All\\B.lnk", tool, "-x");
  DirectoryEntry entry;
  OnFreshThread([&] {
    {
      auto walk = shell.StartWalk(temp.path() + "All\\");
      LinkInfo info;
      ASSERT_TRUE(walk->ResolveListedLink(info, a, entry));
      EXPECT_EQ(info.Target, app);
      EXPECT_EQ(info.Name, "A");
      // Inside the walk the thread holds it: entering again only counts up.
      EXPECT_EQ(::CoInitialize(nullptr), S_FALSE);
      ::CoUninitialize();
      ASSERT_TRUE(walk->ResolveListedLink(info, b, entry));
      EXPECT_EQ(info.Target, tool);
      EXPECT_EQ(info.Arguments, "-x");
      EXPECT_FALSE(walk->ResolveListedLink(info, temp.WriteFile("All\\Bad.lnk", "junk"), entry));
    }
    EXPECT_EQ(::CoInitialize(nullptr), S_OK) << "left again after the walk";
    ::CoUninitialize();
  });
  OnFreshThread([&] {
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    {
      auto walk = shell.StartWalk(temp.path() + "All\\");
      LinkInfo info;
      EXPECT_FALSE(walk->ResolveListedLink(info, a, entry));
      EXPECT_FALSE(walk->ResolveListedLink(info, b, entry));
    }
    ::CoUninitialize();
  });
  // As without a walk: one message per link tried.
  EXPECT_EQ(boxes.shown,
            (std::vector<std::string>{"Plain: Error occured when get info from " + a,
                                      "Plain: Error occured when get info from " + b}));
}

}  // namespace
}  // namespace tessaly::win32
