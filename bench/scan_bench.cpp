// How to run: WINEPREFIX=... wine build/<dir>/bench/scan_bench.exe [links]   (Windows build only)
//
// "Get All" (ScanGetAll, both start menus) over a generated start menu of [links]
// links in folders down to six levels, against floors measured in the same run:
//  - warm: the link cache holds every link; floor: listing the same folders without
//    opening a link;
//  - cold: no cache (Links.sts deleted, read and written again); floor: listing the
//    folders and loading every link through the shell's link object, with the
//    component system entered once for the whole walk;
//  - the first walk of a run (Links.sts read, then the walk) and "Get All" from the
//    cache alone, against the listing floor;
//  - the size of Links.sts and the memory the cache takes per 1,000 links, against
//    the bytes of the texts it holds.
// Prints medians of five rounds, and the summary rows that tools/bench.sh gathers.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench/Summary.h"
#include "categories/CachedGetAll.h"
#include "categories/CategorySelection.h"
#include "shell/LinkCache.h"
#include "shell/Scans.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "store/LinkCacheFile.h"
#include "store/win32/Win32FileStore.h"
#include "support/Fakes.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/StartMenuFixture.h"
#include "support/win32/TempFolder.h"

namespace tessaly::bench {

// scan_floor.cpp
int LoadAllLinks(const std::string& folder, bool comPerLink);
int ListAllLinks(const std::string& folder);

namespace {

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The heap this program holds, as its own operator new counts it (below): what it
// asked for, and a block header of kHeapHeader bytes for every block.
std::atomic<long long> heapBytes{0};
std::atomic<long long> heapBlocks{0};
constexpr std::size_t kHeapHeader = 16;

double HeapBytes() {
  return static_cast<double>(heapBytes.load() +
                             heapBlocks.load() * static_cast<long long>(kHeapHeader));
}

std::string Kb(double bytes) { return Format("%.0f KB", bytes / 1024); }

int Run(int totalLinks) {
  testing::TempFolder temp;
  testing::TempFolder data;
  std::vector<std::string> programs;
  for (int i = 0; i < 25; ++i) {
    programs.push_back(temp.WriteFile(
        "Apps\\App" + std::to_string(i) + "\\app" + std::to_string(i) + ".exe", "MZ"));
  }
  const std::string uninstaller = temp.WriteFile("Apps\\App0\\unins000.exe", "MZ");
  const std::string document = temp.WriteFile("Apps\\App0\\readme.txt", "read me");

  testing::LinkWriter writer(temp);
  const auto made = Milliseconds([&] {
    testing::MakeStartMenu(temp, writer, "Common", totalLinks / 2, programs, uninstaller, document);
    testing::MakeStartMenu(temp, writer, "User", totalLinks - totalLinks / 2, programs, uninstaller,
                           document);
  });
  std::printf("start menu: %d links in two halves, folders 0-6 deep, written in %.0f ms\n",
              totalLinks, made);

  const std::string common = temp.path() + "Common\\";
  const std::string user = temp.path() + "User\\";
  testing::FakeFolders folders;
  folders.paths[folder_id::CommonStartMenu] = common;
  folders.paths[folder_id::StartMenu] = user;

  testing::RecordingMessageBoxes boxes;
  win32::Win32LinkReader shellLinks(boxes);
  win32::Win32DirectoryLister lister;
  win32::Win32FileExistence files;
  win32::Win32MessagePump pump(win32::kProgramPumpQuietTime);
  win32::Win32FileStore store;
  const std::string cachePath = data.path() + kLinkCacheFileName;
  ShortcutList list;
  testing::FakeStatusLine status;
  ListEntryAdder adder(list, status, pump);

  int listed = 0;
  auto getAll = [&](LinkReader& reader) {
    list.Clear();
    ShellScans scans(folders, reader, lister, files, adder);
    ScanGetAll(scans, folders, [] { return true; });
    listed = list.Count();
  };

  LinkCacheFile warmFile(store, cachePath);
  CachingLinkReader warm(shellLinks, &warmFile);
  getAll(warm);  // fills the cache and writes Links.sts
  const int expected = listed;

  auto runWarm = [&] { getAll(warm); };
  auto runCold = [&] {
    ::DeleteFileA(cachePath.c_str());
    LinkCacheFile file(store, cachePath);
    CachingLinkReader cold(shellLinks, &file);
    getAll(cold);
  };
  auto runFirstOfRun = [&] {
    LinkCacheFile file(store, cachePath);
    CachingLinkReader next(shellLinks, &file);
    getAll(next);
  };
  std::size_t fromCache = 0;
  auto runFromCache = [&] {
    LinkCacheFile file(store, cachePath);
    CachingLinkReader next(shellLinks, &file);
    fromCache = GetAllFromCache(next.cache(), folders).value_or(LineList{}).size() / 2;
  };
  int floorListed = 0;
  int floorLoaded = 0;
  auto floorList = [&] { floorListed = ListAllLinks(common) + ListAllLinks(user); };
  auto floorLoad = [&] { floorLoaded = LoadAllLinks(common, false) + LoadAllLinks(user, false); };

  // One unmeasured round brings the files and the shell's code into memory.
  runCold();
  floorList();
  floorLoad();

  std::vector<double> warmTimes, coldTimes, firstTimes, cacheTimes, listTimes, loadTimes;
  bool same = true;
  for (int round = 0; round < 5; ++round) {
    warmTimes.push_back(Milliseconds(runWarm));
    same = same && listed == expected;
    listTimes.push_back(Milliseconds(floorList));
    coldTimes.push_back(Milliseconds(runCold));
    same = same && listed == expected;
    loadTimes.push_back(Milliseconds(floorLoad));
    firstTimes.push_back(Milliseconds(runFirstOfRun));
    same = same && listed == expected;
    cacheTimes.push_back(Milliseconds(runFromCache));
  }
  // For the record: every link read afresh, with the component system entered around
  // each one, as the scans did before the cache.
  struct PerLinkReader : LinkReader {
    explicit PerLinkReader(LinkReader& reader) : shell(reader) {}
    bool ResolveLink(LinkInfo& info, const std::string& path) override {
      return shell.ResolveLink(info, path);
    }
    LinkReader& shell;
  } perLink(shellLinks);
  std::vector<double> perLinkTimes;
  for (int round = 0; round < 3; ++round) {
    perLinkTimes.push_back(Milliseconds([&] { getAll(perLink); }));
    same = same && listed == expected;
  }

  const double w = Median(warmTimes);
  const double c = Median(coldTimes);
  const double l = Median(listTimes);
  const double o = Median(loadTimes);
  const double f = Median(firstTimes);
  const double k = Median(cacheTimes);
  std::printf(
      "listed %d of %d links (the same in every round: %s); from the cache alone %d; "
      "floors listed %d, loaded %d; message boxes %d\n",
      expected, totalLinks, same ? "yes" : "NO", static_cast<int>(fromCache), floorListed,
      floorLoaded, static_cast<int>(boxes.shown.size()));
  std::printf("Get All, cache warm                          median %8.1f ms\n", w);
  std::printf("floor, listing the folders                   median %8.1f ms\n", l);
  std::printf("Get All, no cache (read, written)            median %8.1f ms  (%.1f us/link)\n", c,
              1000.0 * c / totalLinks);
  std::printf("floor, listing and loading every link        median %8.1f ms  (%.1f us/link)\n", o,
              1000.0 * o / totalLinks);
  std::printf("Get All, first of a run (Links.sts read)     median %8.1f ms\n", f);
  std::printf("Get All as before: no cache, COM per link     median %8.1f ms  (3 rounds)\n",
              Median(perLinkTimes));
  std::printf("Get All from the cache alone (Links.sts read) median %8.1f ms\n", k);
  PrintRow("Get All over " + std::to_string(totalLinks) + " links, cache warm", Ms(w),
           "listing the folders " + Ms(l), Ratio(w / l), "<= 1.2x", w / l <= 1.2);
  PrintRow("Get All over " + std::to_string(totalLinks) + " links, no cache", Ms(c),
           "listing, loading every link " + Ms(o), Ratio(c / o), "<= 1.15x", c / o <= 1.15);
  PrintRow("Get All, first of a run, Links.sts read", Ms(f), "listing the folders " + Ms(l),
           Ratio(f / l), "<= 1.5x", f / l <= 1.5);

  // The file and the memory, against the texts the cache holds.
  const LineList lines = warm.cache().ToLines();
  double texts = 0;
  for (const auto& ref : warm.cache().LinksBelow(common)) {
    texts += static_cast<double>(ref.path->size() + ref.link->target.size() +
                                 ref.link->arguments.size());
  }
  for (const auto& ref : warm.cache().LinksBelow(user)) {
    texts += static_cast<double>(ref.path->size() + ref.link->target.size() +
                                 ref.link->arguments.size());
  }
  const double links = static_cast<double>(warm.cache().size());
  const double fileBytes = static_cast<double>(JoinLines(lines).size());
  constexpr int kCopies = 20;
  std::vector<std::unique_ptr<LinkCache>> copies;
  const double before = HeapBytes();
  for (int i = 0; i < kCopies; ++i) {
    copies.push_back(std::make_unique<LinkCache>());
    copies.back()->FromLines(lines);
  }
  const double memory = (HeapBytes() - before) / kCopies;
  const double per = 1000.0 / links;
  std::printf(
      "cache: %.0f links, Links.sts %.0f bytes, on the heap %.0f bytes (each of %d "
      "copies), texts %.0f bytes\n",
      links, fileBytes, memory, kCopies, texts);
  PrintRow("Links.sts per 1,000 links", Kb(fileBytes * per),
           "the texts it holds " + Kb(texts * per), Ratio(fileBytes / texts), "<= 1.3x",
           fileBytes / texts <= 1.3);
  PrintRow("link cache in memory per 1,000 links", Kb(memory * per),
           "the texts it holds " + Kb(texts * per), Ratio(memory / texts), "<= 3x",
           memory / texts <= 3);
  return same && expected > 0 && floorLoaded == totalLinks ? 0 : 1;
}

}  // namespace
}  // namespace tessaly::bench

// Counting every allocation of the program: the size asked for sits in front of the
// block, so that delete can take it off again.
void* operator new(std::size_t size) {
  void* block = std::malloc(size + tessaly::bench::kHeapHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  tessaly::bench::heapBytes += static_cast<long long>(size);
  ++tessaly::bench::heapBlocks;
  return static_cast<char*>(block) + tessaly::bench::kHeapHeader;
}
void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  void* block = static_cast<char*>(memory) - tessaly::bench::kHeapHeader;
  tessaly::bench::heapBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
  --tessaly::bench::heapBlocks;
  std::free(block);
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }

int main(int argc, char** argv) {
  const int links = argc > 1 ? std::atoi(argv[1]) : 2000;
  if (links <= 0) {
    std::fprintf(stderr, "usage: scan_bench [links]\n");
    return 2;
  }
  return tessaly::bench::Run(links);
}
