// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/open_bench.exe [shortcuts] [runs] [sections of 2,000])
//
// "/open" of a category of shell links to a small program, over a shortcut store of
// 100,000 lines (25 sections of 2,000 shortcuts): from process start to its end, against a floor
// program started the same way that only hands the links' targets to the shell. The difference is
// what Tessaly adds: reading the two data files, finding the category, reading each link and
// checking its target. The started programs write one line each and end; their own run is not
// counted. Medians of several runs.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Summary.h"
#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/TempFolder.h"

namespace tessaly::bench {
namespace {

using Steady = std::chrono::steady_clock;

// From process start to its end, in milliseconds.
double Run(const std::string& program, const std::string& arguments, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\" " + arguments;
  const Steady::time_point start = Steady::now();
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "%s did not end\n", program.c_str());
    ::TerminateProcess(process.hProcess, 1);
    std::exit(1);
  }
  const double ms = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (code != 0) {
    std::fprintf(stderr, "%s ended with %lu\n", program.c_str(), code);
    std::exit(1);
  }
  return ms;
}

int Main(int shortcuts, int runs, int padSections) {
  const std::string here = testing::AppHarness::TestProgramFolder();
  const std::string tessaly = here + "..\\tessaly.exe";
  const std::string floor = here + "open_floor.exe";
  const std::string recorder = here + "..\\tests\\record_args.exe";
  testing::TempFolder data;
  testing::TempFolder links;
  const std::string log = links.path() + "runs.log";
  ::SetEnvironmentVariableA("TESSALY_RECORD_LOG", log.c_str());

  std::string store;
  for (int s = 0; s < padSections; ++s) {
    store += "<[Pad][S" + std::to_string(s) + "]>\r\n";
    for (int e = 0; e < 2000; ++e) {
      store += "Pad entry " + std::to_string(e) + "\r\nC:\\Programs\\Pad\\app" + std::to_string(e) +
               ".exe\r\n";
    }
  }
  std::string targets;
  store += "<[Work][Tools]>\r\n";
  for (int i = 0; i < shortcuts; ++i) {
    const std::string link = links.path() + "Tool " + std::to_string(i) + ".lnk";
    testing::WriteShellLink(link, testing::LinkTo(recorder, std::to_string(i)));
    store += "Tool " + std::to_string(i) + "\r\n" + link + "\r\n";
    targets += recorder + "\t" + std::to_string(i) + "\n";
  }
  data.WriteFile("Shortcuts.sts", store);
  data.WriteFile("Categories.sts", "Pad ;015\r\nWork ;015\r\n    Tools ;015\r\n");
  const std::string list = links.WriteFile("targets.txt", targets);

  std::vector<double> tessalyMs;
  std::vector<double> floorMs;
  std::vector<double> added;
  const std::string arguments = "/data \"" + data.path() + "\\\" /open \"Work\\Tools\"";
  for (int i = 0; i < runs; ++i) {
    // Side by side, so that a change of the machine's load falls on both.
    tessalyMs.push_back(Run(tessaly, arguments, links.path()));
    floorMs.push_back(Run(floor, list, links.path()));
    added.push_back(tessalyMs.back() - floorMs.back());
  }
  const double t = Median(tessalyMs);
  const double f = Median(floorMs);
  const double more = Median(added);
  std::printf(
      "/open of %d links over a store of %d lines: Tessaly %s, floor %s, "
      "difference of each pair %s (median of %d runs)\n",
      shortcuts, padSections * 4000, Ms(t).c_str(), Ms(f).c_str(), Ms(more).c_str(), runs);
  // What Tessaly adds is reading the data and the links: a small part of starting the
  // programs, which is the floor's whole cost.
  PrintRow("/open of " + std::to_string(shortcuts) + " links, process start to end", Ms(t),
           "shell open of the targets " + Ms(f), Ms(more) + " more (pairs)", "at most 25 % more",
           more <= f / 4);
  // The started programs end on their own; wait for them, so the folders can go.
  testing::AppHarness::WaitUntil(
      [&] {
        const std::string text = testing::ReadWholeFile(log);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n')) >= 2 * runs * shortcuts;
      },
      std::chrono::seconds(60));
  return 0;
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  const int shortcuts = argc > 1 ? std::atoi(argv[1]) : 5;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  const int padSections = argc > 3 ? std::atoi(argv[3]) : 25;
  return tessaly::bench::Main(shortcuts, runs, padSections);
}
