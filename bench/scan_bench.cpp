// How to run: WINEPREFIX=... wine build/<dir>/bench/scan_bench.exe [links]   (Windows build only)
//
// Times the two start-menu scans of "Get All" over a generated start menu against a
// floor measured in the same run: listing the same folders and loading every link
// through the shell's link object, once with the component system entered per link
// (as the product does) and once for the whole walk. Prints medians of five runs.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/win32/Handle.h"
#include "shell/Scans.h"
#include "support/Fakes.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/StartMenuFixture.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "support/win32/TempFolder.h"

namespace tessaly::bench {

// scan_floor.cpp
int LoadAllLinks(const std::string& folder, bool comPerLink);

namespace {

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run(int totalLinks) {
  testing::TempFolder temp;
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

  testing::RecordingMessageBoxes boxes;
  win32::Win32LinkReader reader(boxes);
  win32::Win32DirectoryLister lister;
  win32::Win32FileExistence files;
  win32::Win32MessagePump pump;
  ShortcutList list;
  testing::FakeStatusLine status;
  ListEntryAdder adder(list, status, pump);
  // The folders are passed directly; special folders are not asked for here.
  class NoFolders : public Folders {
    std::string SpecialFolderPath(int) override { return {}; }
  } folders;
  ShellScans scans(folders, reader, lister, files, adder);

  int listed = 0;
  int loadedPerLink = 0;
  int loadedOnce = 0;
  auto scanGetAll = [&] {
    list.Clear();
    scans.flags.ClearAll();
    scans.flags.GetAllScanActive = true;
    scans.StartMenuDepth = 0;
    scans.ScanStartMenu(common, "Uninstall");
    scans.ScanStartMenu(user, "Uninstall");
    listed = list.Count();
  };
  // When the thread holds the component system already, each resolution's own
  // CoInitialize only counts up.
  auto scanGetAllComHeld = [&] {
    const win32::ComScope com;
    scanGetAll();
  };
  auto floorPerLink = [&] {
    loadedPerLink = LoadAllLinks(common, true) + LoadAllLinks(user, true);
  };
  auto floorOnce = [&] { loadedOnce = LoadAllLinks(common, false) + LoadAllLinks(user, false); };

  // One unmeasured round brings the files and the shell's code into memory.
  scanGetAll();
  floorPerLink();
  floorOnce();

  std::vector<double> product, productComHeld, perLink, once;
  for (int round = 0; round < 5; ++round) {
    product.push_back(Milliseconds(scanGetAll));
    productComHeld.push_back(Milliseconds(scanGetAllComHeld));
    perLink.push_back(Milliseconds(floorPerLink));
    once.push_back(Milliseconds(floorOnce));
  }

  const double p = Median(product);
  const double f = Median(perLink);
  const double o = Median(once);
  const double h = Median(productComHeld);
  std::printf("listed %d of %d links; floor loaded %d and %d; message boxes %d\n", listed,
              totalLinks, loadedPerLink, loadedOnce, static_cast<int>(boxes.shown.size()));
  std::printf("Get All scan (2 x ScanStartMenu)            median %8.1f ms  (%.1f us/link)\n", p,
              1000.0 * p / totalLinks);
  std::printf("floor, CoInitialize per link                median %8.1f ms  (%.1f us/link)\n", f,
              1000.0 * f / totalLinks);
  std::printf("floor, one CoInitialize for the walk        median %8.1f ms  (%.1f us/link)\n", o,
              1000.0 * o / totalLinks);
  std::printf("Get All scan, thread holding COM already   median %8.1f ms  (%.1f us/link)\n", h,
              1000.0 * h / totalLinks);
  std::printf(
      "ratio scan / floor per link: %.2f   scan / floor once: %.2f   held scan / floor once: "
      "%.2f\n",
      p / f, p / o, h / o);
  return listed > 0 && loadedPerLink == totalLinks ? 0 : 1;
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  const int links = argc > 1 ? std::atoi(argv[1]) : 2000;
  if (links <= 0) {
    std::fprintf(stderr, "usage: scan_bench [links]\n");
    return 2;
  }
  return tessaly::bench::Run(links);
}
