#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "categories/CachedGetAll.h"
#include "categories/CategorySelection.h"
#include "shell/CachedStartMenus.h"
#include "shell/LinkCache.h"
#include "shell/Scans.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using Entry = std::pair<std::string, std::string>;
using Entries = std::vector<Entry>;

// The links of MakeStartMenus that the reader cannot read, in the order a walk meets them.
const std::vector<std::string> kUnreadable{"C:\\All\\Broken.lnk", "C:\\All\\unins002.lnk"};

class MemoryStorage : public LinkCacheStorage {
 public:
  LineList LoadLines() override {
    ++loads;
    return lines;
  }
  void SaveLines(const LineList& saved) override {
    lines = saved;
    ++saves;
  }
  LineList lines;
  int loads = 0;
  int saves = 0;
};

// Start menus in a fake file system whose entries carry sizes and times, scanned
// through a caching reader over the fake link reader, which records every link it
// opens.
class LinkCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.paths[folder_id::CommonStartMenu] = "C:\\All\\";
    folders.paths[folder_id::StartMenu] = "C:\\User\\";
  }

  void AddLink(const std::string& path, const std::string& target,
               const std::string& arguments = "") {
    dirs.AddFile(path);
    Touch(path, target.size() + arguments.size() + 100);
    reader.links[path] = {target, arguments};
  }
  // A file written again: a new time (and size).
  void Touch(const std::string& path, std::uint64_t size) {
    DirectoryEntry* entry = dirs.Find(path);
    ASSERT_NE(entry, nullptr) << path;
    entry->size = size;
    entry->writeTime = ++clock;
  }
  void Rewrite(const std::string& path, const std::string& target) {
    reader.links[path] = {target, ""};
    Touch(path, 100 + target.size());
  }
  void Delete(const std::string& path) {
    dirs.Remove(path);
    reader.links.erase(path);
  }

  // "Get All" as the selection fills it, before the list sorts it.
  Entries ScanGetAllWith(LinkReader& links) {
    ShortcutList list;
    ListEntryAdder adder{list, status, pump};
    ShellScans scans{folders, links, dirs, dirs, adder};
    tessaly::ScanGetAll(scans, folders, [] { return true; });
    Entries entries;
    for (const auto& item : list.entries()) entries.emplace_back(item.title, item.target);
    return entries;
  }
  Entries ScanGetAll() { return ScanGetAllWith(cached); }
  // The same, reading every link afresh.
  Entries ScanGetAllPlain() {
    testing::FakeLinkReader plain = reader;
    return ScanGetAllWith(plain);
  }
  Entries FromCache() {
    const LineList lines = GetAllFromCache(cached.cache(), folders).value_or(LineList{});
    Entries entries;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
      entries.emplace_back(lines[i], lines[i + 1]);
    return entries;
  }
  std::vector<std::string> Opened() { return std::exchange(reader.resolved, {}); }
  // A start menu of every kind of link the scan treats in its own way.
  void MakeStartMenus() {
    AddLink("C:\\All\\Editor.lnk", "C:\\Ed\\ed.exe");
    AddLink("C:\\All\\Tools\\Foo 1.5.lnk", "C:\\Foo\\foo.exe");
    AddLink("C:\\All\\Tools\\Uninstall Foo.lnk", "C:\\Foo\\foo.exe");
    AddLink("C:\\All\\Tools\\Remove.lnk", "C:\\Foo\\unins000.exe");
    AddLink("C:\\All\\Tools\\Safe.lnk", "C:\\Foo\\foo.exe", "-p");
    AddLink("C:\\All\\Tools\\Via.lnk", "C:\\Tools\\launch.exe", "C:\\Bar\\bar.exe");
    AddLink("C:\\All\\Tools\\Manual.lnk", "C:\\Foo\\manual.pdf");
    dirs.AddFile("C:\\All\\Broken.lnk");  // not a link the reader can read
    Touch("C:\\All\\Broken.lnk", 7);
    dirs.AddFile("C:\\All\\unins002.lnk");
    Touch("C:\\All\\unins002.lnk", 7);
    AddLink("C:\\All\\.hidden\\Secret.lnk", "C:\\S\\s.exe");
    AddLink("C:\\User\\Games\\Chess.lnk", "C:\\Games\\chess.exe");
    AddLink("C:\\User\\Editor.lnk", "C:\\Ed\\ed.exe");
    std::string deep = "C:\\User";
    for (int level = 1; level <= 7; ++level) {
      deep += "\\L" + std::to_string(level);
      AddLink(deep + "\\Deep" + std::to_string(level) + ".lnk", "C:\\D\\d.exe");
    }
  }

  testing::FakeFolders folders;
  testing::FakeLinkReader reader;
  testing::FakeDirectories dirs;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  MemoryStorage storage;
  CachingLinkReader cached{reader, &storage};
  std::uint64_t clock = 1000;
};

TEST_F(LinkCacheTest, AWarmWalkOpensNoLinkAndListsWhatAFreshReadingLists) {
  MakeStartMenus();
  const Entries fresh = ScanGetAllPlain();
  Opened();
  ASSERT_EQ(fresh.size(), 12u);

  EXPECT_EQ(ScanGetAll(), fresh);
  // The two links too deep or below a dot folder are never read.
  EXPECT_EQ(Opened().size(), 17u);
  EXPECT_EQ(ScanGetAll(), fresh);
  // Only the links that cannot be read are tried again.
  EXPECT_EQ(Opened(), kUnreadable);
  EXPECT_EQ(FromCache(), fresh);
}

TEST_F(LinkCacheTest, NewChangedGoneAndRenamedLinksAreFollowed) {
  MakeStartMenus();
  ScanGetAll();
  Opened();

  AddLink("C:\\User\\Games\\Go.lnk", "C:\\Games\\go.exe");       // new
  Rewrite("C:\\All\\Tools\\Manual.lnk", "C:\\Foo\\viewer.exe");  // now a program
  Rewrite("C:\\User\\Editor.lnk", "C:\\Ed\\readme.txt");         // no longer one
  Delete("C:\\User\\Games\\Chess.lnk");                          // gone
  Delete("C:\\All\\Editor.lnk");                                 // renamed
  AddLink("C:\\All\\Writer.lnk", "C:\\Ed\\ed.exe");

  const Entries warm = ScanGetAll();
  std::vector<std::string> opened = Opened();
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<std::string>{"C:\\All\\Broken.lnk", "C:\\All\\Tools\\Manual.lnk",
                                              "C:\\All\\Writer.lnk", "C:\\All\\unins002.lnk",
                                              "C:\\User\\Editor.lnk", "C:\\User\\Games\\Go.lnk"}));
  EXPECT_EQ(warm, ScanGetAllPlain());
  EXPECT_EQ(FromCache(), warm);
  EXPECT_EQ(cached.cache().size(), 17u);
  EXPECT_EQ(cached.cache().LinksBelow("C:\\User\\Games\\").size(), 1u);
}

TEST_F(LinkCacheTest, SameSizeButANewTimeIsAChange) {
  AddLink("C:\\All\\A.lnk", "C:\\A\\a.exe");
  ScanGetAll();
  Opened();
  reader.links["C:\\All\\A.lnk"] = {"C:\\A\\a.txt", ""};
  dirs.Find("C:\\All\\A.lnk")->writeTime = ++clock;
  EXPECT_TRUE(ScanGetAll().empty());
  EXPECT_EQ(Opened().size(), 1u);
}

TEST_F(LinkCacheTest, AListingWithoutTimesNeverAnswersFromTheCache) {
  dirs.AddFile("C:\\All\\A.lnk");
  reader.links["C:\\All\\A.lnk"] = {"C:\\A\\a.exe", ""};
  ScanGetAll();
  ScanGetAll();
  EXPECT_EQ(Opened().size(), 2u);
  EXPECT_TRUE(cached.cache().empty());
}

TEST_F(LinkCacheTest, AStoppedWalkForgetsNothingItDidNotReach) {
  MakeStartMenus();
  ScanGetAll();
  const std::size_t known = cached.cache().size();
  Delete("C:\\User\\Games\\Chess.lnk");

  // The selection moves on while the first start menu is listed.
  ShortcutList list;
  ListEntryAdder adder{list, status, pump};
  ShellScans scans{folders, cached, dirs, dirs, adder};
  const int before = pump.calls;
  pump.hook = [&] {
    if (pump.calls == before + 3) scans.flags.ClearAll();
  };
  tessaly::ScanGetAll(scans, folders, [] { return true; });
  pump.hook = nullptr;
  EXPECT_EQ(cached.cache().size(), known);

  ScanGetAll();
  EXPECT_EQ(cached.cache().size(), known - 1);
}

TEST_F(LinkCacheTest, AScanOfALowerFolderDoesNotForgetTheLinksBeyondItsDepth) {
  MakeStartMenus();
  ScanGetAll();
  const std::size_t known = cached.cache().size();
  ShortcutList list;
  ListEntryAdder adder{list, status, pump};
  ShellScans scans{folders, cached, dirs, dirs, adder};
  scans.flags.GetAllScanActive = true;
  scans.StartMenuDepth = 5;
  scans.ScanStartMenu("C:\\User\\", "Uninstall");
  EXPECT_EQ(cached.cache().size(), known);
}

TEST_F(LinkCacheTest, TheCacheIsSavedAfterAWholeWalkAndReadOnceByTheNextRun) {
  MakeStartMenus();
  const Entries first = ScanGetAll();
  EXPECT_EQ(storage.saves, 2);  // once per start menu
  ScanGetAll();
  EXPECT_EQ(storage.saves, 2);  // nothing changed
  Opened();

  CachingLinkReader nextRun{reader, &storage};
  EXPECT_EQ(GetAllFromCache(nextRun.cache(), folders)->size(), first.size() * 2);
  EXPECT_EQ(ScanGetAllWith(nextRun), first);
  EXPECT_EQ(Opened(), kUnreadable);
  EXPECT_EQ(storage.loads, 2);
}

TEST_F(LinkCacheTest, AFolderOrderChangeReachesTheListFromTheCache) {
  AddLink("C:\\All\\A.lnk", "C:\\A\\a.exe");
  AddLink("C:\\All\\B.lnk", "C:\\B\\b.exe");
  ScanGetAll();
  auto& entries = dirs.folders["C:\\All\\"];
  std::reverse(entries.begin(), entries.end());
  const std::uint64_t version = cached.cache().version();
  const Entries scanned = ScanGetAll();
  EXPECT_EQ(scanned, (Entries{{"B", "C:\\All\\B.lnk"}, {"A", "C:\\All\\A.lnk"}}));
  EXPECT_EQ(FromCache(), scanned);
  EXPECT_NE(cached.cache().version(), version);
}

// --- The file ------------------------------------------------------------------------

LineList SampleLines() {
  LinkCache cache;
  DirectoryEntry entry;
  LinkInfo info;
  entry.size = 452;
  entry.writeTime = 133000000000000000ULL;
  info.Target = "C:\\Program Files\\Ed\\ed.exe";
  cache.Store("C:\\All\\Editor.lnk", entry, true, info);
  info.Target = "C:\\Tools\\launch.exe";
  info.Arguments = "\"C:\\Bar\\bar.exe\" -x";
  entry.size = 600;
  cache.Store("C:\\All\\Tools\\Via.lnk", entry, true, info);
  cache.Store("C:\\All\\Broken.lnk", entry, false, info);
  return cache.ToLines();
}

// The lines between header and end line, sealed as the writer seals them.
LineList Sealed(const LineList& body) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  auto add = [&](unsigned char c) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  };
  for (const std::string& line : body) {
    for (const char c : line) add(static_cast<unsigned char>(c));
    add('\n');
  }
  char sum[17];
  std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(hash));
  LineList lines{"[Links 1]"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.push_back("[End " + std::to_string(body.size() / 4) + " " + sum + "]");
  return lines;
}

TEST(LinkCacheFileFormatTest, RoundTripKeepsEveryLinkTheirStampsAndTheirOrder) {
  const LineList lines = SampleLines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines.front(), "[Links 1]");
  EXPECT_EQ(lines[2], "452 133000000000000000 1");

  LinkCache read;
  read.FromLines(lines);
  EXPECT_EQ(read.ToLines(), lines);
  DirectoryEntry entry;
  entry.size = 600;
  entry.writeTime = 133000000000000000ULL;
  const CachedLink* via = read.Find("C:\\All\\Tools\\Via.lnk", entry);
  ASSERT_NE(via, nullptr);
  EXPECT_TRUE(via->resolved);
  EXPECT_EQ(via->arguments, "\"C:\\Bar\\bar.exe\" -x");
  const CachedLink* broken = read.Find("C:\\All\\Broken.lnk", entry);
  ASSERT_NE(broken, nullptr);
  EXPECT_FALSE(broken->resolved);
  EXPECT_TRUE(broken->target.empty());
  entry.size = 601;
  EXPECT_EQ(read.Find("C:\\All\\Tools\\Via.lnk", entry), nullptr);
}

TEST(LinkCacheFileFormatTest, AnythingButAWholeIntactFileGivesAnEmptyCache) {
  const LineList good = SampleLines();
  std::vector<std::pair<std::string, LineList>> bad;
  bad.push_back({"empty", {}});
  bad.push_back({"header only", {good.front()}});
  bad.push_back({"other header", good});
  bad.back().second.front() = "[Links 2]";
  for (std::size_t cut = 1; cut < good.size(); ++cut) {
    bad.push_back({"cut after line " + std::to_string(cut),
                   LineList(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut))});
  }
  bad.push_back({"a line lost", good});
  bad.back().second.erase(bad.back().second.begin() + 7);
  for (std::size_t line = 1; line < good.size(); ++line) {
    LineList changed = good;
    changed[line] += "x";
    bad.push_back({"line " + std::to_string(line) + " changed", changed});
  }
  for (const auto& [what, lines] : bad) {
    LinkCache cache;
    cache.FromLines(SampleLines());
    ASSERT_EQ(cache.size(), 3u);
    cache.FromLines(lines);
    EXPECT_TRUE(cache.empty()) << what;
  }
}

TEST(LinkCacheFileFormatTest, SealedLinesThatDoNotMakeSenseAreNotACache) {
  const LineList good = SampleLines();
  const LineList body(good.begin() + 1, good.end() - 1);
  {
    LinkCache cache;
    cache.FromLines(Sealed(body));
    ASSERT_EQ(cache.size(), 3u) << "the test's own sealing is the writer's";
  }
  std::vector<std::pair<std::string, LineList>> bad;
  for (const char* stamp : {"452 133 2", "452 133", "452  133 1", "-1 133 1", "452 1x3 1",
                            "99999999999999999999 1 1", "452 133 1 ", ""}) {
    LineList changed = body;
    changed[1] = stamp;
    bad.push_back({std::string("stamp '") + stamp + "'", changed});
  }
  LineList doubled = body;
  std::copy(body.begin(), body.begin() + 4, doubled.begin() + 8);
  bad.push_back({"a path twice", doubled});
  LineList unreadWithTarget = body;
  unreadWithTarget[10] = "C:\\x.exe";
  bad.push_back({"a link not read with a target", unreadWithTarget});
  LineList noPath = body;
  noPath[0].clear();
  bad.push_back({"an empty path", noPath});

  for (const auto& [what, lines] : bad) {
    LinkCache cache;
    cache.FromLines(Sealed(lines));
    EXPECT_TRUE(cache.empty()) << what;
  }
}

TEST(LinkCacheFileFormatTest, TextsThatWouldBreakTheLinesStayInMemoryOnly) {
  LinkCache cache;
  DirectoryEntry entry;
  entry.size = 1;
  entry.writeTime = 2;
  LinkInfo info;
  info.Target = "C:\\a.exe";
  info.Arguments = "one\r\ntwo";
  cache.Store("C:\\All\\Odd.lnk", entry, true, info);
  info.Arguments.clear();
  cache.Store("C:\\All\\Plain.lnk", entry, true, info);
  EXPECT_EQ(cache.size(), 2u);

  LinkCache read;
  read.FromLines(SplitLines(JoinLines(cache.ToLines())));
  EXPECT_EQ(read.size(), 1u);
  EXPECT_NE(read.Find("C:\\All\\Plain.lnk", entry), nullptr);
}

// --- The check at idle ---------------------------------------------------------------

TEST_F(LinkCacheTest, TheCheckWalksInSmallStepsAndLeavesTheCacheAsAScanWould) {
  MakeStartMenus();
  auto check = StartGetAllCheck(cached, dirs, folders);
  int steps = 0;
  std::size_t mostOpened = 0;
  while (check->Step()) {
    ++steps;
    mostOpened = std::max(mostOpened, Opened().size());
    ASSERT_LT(steps, 100);
  }
  EXPECT_TRUE(check->done());
  EXPECT_TRUE(check->changed());
  EXPECT_LE(mostOpened, static_cast<std::size_t>(StartMenuCheck::kReadsPerStep));
  EXPECT_GT(steps, 5);
  EXPECT_FALSE(check->Step());

  Opened();
  const Entries fresh = ScanGetAllPlain();
  EXPECT_EQ(FromCache(), fresh);
  EXPECT_EQ(ScanGetAll(), fresh);
  EXPECT_EQ(Opened(), kUnreadable);
}

TEST_F(LinkCacheTest, ACheckOfUnchangedMenusOpensNothingButTheUnreadable) {
  MakeStartMenus();
  ScanGetAll();
  Opened();
  auto check = StartGetAllCheck(cached, dirs, folders);
  while (check->Step()) {
  }
  EXPECT_FALSE(check->changed());
  EXPECT_EQ(Opened(), kUnreadable);
}

TEST_F(LinkCacheTest, ACheckFollowsChangesAndAScanBetweenItsStepsLosesNothing) {
  MakeStartMenus();
  ScanGetAll();
  AddLink("C:\\User\\Games\\Go.lnk", "C:\\Games\\go.exe");
  Delete("C:\\All\\Tools\\Via.lnk");

  auto check = StartGetAllCheck(cached, dirs, folders);
  ASSERT_TRUE(check->Step());
  ASSERT_TRUE(check->Step());
  // A scan runs to its end while the check is half way.
  const Entries scanned = ScanGetAll();
  while (check->Step()) {
  }
  EXPECT_TRUE(check->changed());
  EXPECT_EQ(FromCache(), scanned);
  EXPECT_EQ(scanned, ScanGetAllPlain());
}

TEST_F(LinkCacheTest, AnEmptyCacheKnowsNothingButAnEmptyStartMenuIsKnown) {
  EXPECT_FALSE(GetAllFromCache(cached.cache(), folders).has_value());
  AddLink("C:\\All\\Editor.lnk", "C:\\Ed\\ed.exe");
  ScanGetAll();
  ASSERT_TRUE(GetAllFromCache(cached.cache(), folders).has_value());
  Delete("C:\\All\\Editor.lnk");
  AddLink("C:\\All\\Editor Help.lnk", "C:\\Ed\\help.chm");
  ScanGetAll();
  const auto known = GetAllFromCache(cached.cache(), folders);
  ASSERT_TRUE(known.has_value());
  EXPECT_TRUE(known->empty());
}

TEST_F(LinkCacheTest, AMissingStartMenuGivesNothingFromTheCacheAndEndsTheCheck) {
  AddLink("C:\\All\\Editor.lnk", "C:\\Ed\\ed.exe");
  ScanGetAll();
  folders.paths.clear();
  dirs.listed.clear();
  EXPECT_TRUE(FromCache().empty());
  auto check = StartGetAllCheck(cached, dirs, folders);
  EXPECT_FALSE(check->Step());
  EXPECT_TRUE(dirs.listed.empty());
}

}  // namespace
}  // namespace tessaly
