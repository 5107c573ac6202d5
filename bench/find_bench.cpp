// How to run: build the find_bench target, then `build/<dir>/bench/find_bench [runs]` (under
// wine for Windows).
//
// Ranking for type to find, without a window: 12,000 shortcuts in 20 categories and a
// history of 1,000 launches; each key's Find with the history is timed against a plain
// substring scan of the same lower-cased titles (the least any search does), and against
// Find without the history. Each figure is the median of several runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Text.h"
#include "bench/Summary.h"
#include "model/CategoryTree.h"
#include "shortcuts/LaunchHistory.h"
#include "shortcuts/ShortcutSearch.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

#ifdef _WIN32
#include "base/win32/Text.h"
#endif

namespace {

using namespace tessaly;
using Steady = std::chrono::steady_clock;

constexpr int kCategories = 20;
constexpr int kShortcuts = 12000;
const char* const kFirst[] = {"Blue", "Quick", "Open", "Smart", "Little", "Power", "Easy",
                              "Super", "Free", "Net", "Micro", "Total", "Ultra", "Mega",
                              "Deep", "Clear", "Simple"};
const char* const kSecond[] = {"Notepad", "Studio", "Editor", "Player", "Viewer", "Backup",
                               "Commander", "Mail", "Browser", "Paint", "Writer", "Calc",
                               "Terminal", "Recorder", "Scanner", "Tuner", "Sync", "Reader",
                               "Builder", "Manager", "Monitor", "Office", "Shell"};

std::string Title(int i) {
  return std::string(kFirst[i % std::size(kFirst)]) + " " +
         kSecond[(i / std::size(kFirst)) % std::size(kSecond)] + " " + std::to_string(i);
}

std::string Target(int i) {
  return std::string("C:\\Programs\\") + kSecond[(i / std::size(kFirst)) % std::size(kSecond)] +
         "\\" + kFirst[i % std::size(kFirst)] + std::to_string(i) + ".exe";
}

double MsSince(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
#ifdef _WIN32
  win32::InstallLeadByteTest();
#endif
  testing::FakeFileStore files;
  testing::RecordingMessageBoxes boxes;
  const std::string path = "C:\\Data\\Shortcuts.sts";
  CategoryTree tree;
  LineList lines;
  for (int c = 0; c < kCategories; ++c) {
    tree.AddTopLevel("Group " + std::to_string(c));
    lines.push_back("<[Group " + std::to_string(c) + "]>");
    for (int k = 0; k < kShortcuts / kCategories; ++k) {
      const int i = c * (kShortcuts / kCategories) + k;
      lines.push_back(Title(i));
      lines.push_back(Target(i));
    }
  }
  files.files[path] = JoinLines(lines);
  ShortcutStore store(files, boxes, path);
  store.Load();
  ShortcutSearch search;
  std::vector<double> index;
  for (int r = 0; r < 5; ++r) {
    const auto t = Steady::now();
    search.Index(tree, store, LatestResults{});
    index.push_back(MsSince(t));
  }

  // A thousand launches over the last year, a third of them after a search.
  UnixSeconds now = 1714571110;
  LaunchHistory history(files, "C:\\Data\\History.sts", [&] { return now; });
  const UnixSeconds start = now - 365 * 24 * 3600;
  for (int n = 0; n < 1000; ++n) {
    now = start + n * (365 * 24 * 36);
    const int i = (n * 7919) % kShortcuts;
    (void)history.Record(Target(i), n % 3 == 0 ? LowerAscii(Title(i)).substr(0, 1 + n % 5) : "");
  }

  std::vector<std::string> lowerTitles;
  for (int i = 0; i < kShortcuts; ++i) lowerTitles.push_back(LowerAscii(Title(i)));

  std::printf("type to find over %zu shortcuts, %zu launches; median of %d runs\n", search.size(),
              history.launches().size(), runs);
  std::printf("  building the index: %.2f ms\n", bench::Median(index));
  std::printf("  %-10s %8s %10s %10s %10s %8s\n", "key", "found", "history", "without",
              "substring", "ratio");
#ifdef _WIN32
  const std::string where = "Wine";
#else
  const std::string where = "native";
#endif
  // One letter finds nearly all; "note" a few tiers; "ntoepad" and "zqxw" go down to
  // the one-edit tier for every shortcut.
  for (const char* key : {"n", "no", "note", "studio 1", "ntoepad", "zqxw"}) {
    std::vector<double> withHistory, without, floor;
    std::size_t found = 0;
    std::size_t scanned = 0;
    for (int r = 0; r < runs; ++r) {
      auto t = Steady::now();
      found = search.Find(key, history).size();
      withHistory.push_back(MsSince(t));
      t = Steady::now();
      (void)search.Find(key).size();
      without.push_back(MsSince(t));
      t = Steady::now();
      // The floor: lower the key, scan every title, keep what matches.
      const std::string lower = LowerAscii(key);
      std::vector<std::size_t> hits;
      for (std::size_t i = 0; i < lowerTitles.size(); ++i) {
        if (lowerTitles[i].find(lower) != std::string::npos) hits.push_back(i);
      }
      scanned = hits.size();
      floor.push_back(MsSince(t));
    }
    const double value = bench::Median(withHistory);
    const double base = bench::Median(floor);
    std::printf("  %-10s %8zu %7.3f ms %7.3f ms %7.3f ms %7.1fx   (substring found %zu)\n", key,
                found, value, bench::Median(without), base, value / base, scanned);
    bench::PrintRow("Find \"" + std::string(key) + "\", 12,000 shortcuts, history (" + where + ")",
                    bench::Format("%.2f ms", value),
                    "substring scan " + bench::Format("%.2f ms", base),
                    bench::Ratio(value / base), "<= 1.5 ms", value <= 1.5);
  }
  return 0;
}
