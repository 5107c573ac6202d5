// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/memory_bench.exe [shortcuts] [runs])
//
// Resident (working set) and private memory of Tessaly with 0 and with 5,000
// shortcuts listed (report view), against a floor program that loads the same system
// libraries and fills a report list view with the same entries. Each process is
// started afresh and measured once its list is filled and it is idle; medians.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Summary.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "app/win32/MainWindowRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/TempFolder.h"

namespace tessaly::bench {
namespace {

using Steady = std::chrono::steady_clock;

struct Memory {
  double resident = 0;  // MB
  double priv = 0;      // MB
};

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  ::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, nullptr);
  return text;
}

// Starts program in folder, waits until done says its window is filled, lets it
// settle and reads its memory; ends it again.
template <typename Done>
Memory Measure(const std::string& program, const std::string& arguments,
               const std::string& folder, const char* windowClass, Done done) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\" " + arguments;
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  HWND window = nullptr;
  const bool filled = testing::AppHarness::WaitUntil(
      [&] {
        window = ::FindWindowA(windowClass, nullptr);
        return window != nullptr && done(window);
      },
      std::chrono::seconds(60));
  if (!filled) {
    std::fprintf(stderr, "%s did not fill its list\n", program.c_str());
    std::exit(1);
  }
  // Idle: a message goes through, and again after the drawing it set off.
  for (int i = 0; i < 3; ++i) {
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    ::WaitForInputIdle(process.hProcess, 1000);
  }
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  constexpr double kMb = 1024.0 * 1024.0;
  return {static_cast<double>(counters.WorkingSetSize) / kMb,
          static_cast<double>(counters.PrivateUsage) / kMb};
}

Memory MedianOf(const std::vector<Memory>& runs) {
  std::vector<double> resident, priv;
  for (const Memory& m : runs) {
    resident.push_back(m.resident);
    priv.push_back(m.priv);
  }
  return {Median(resident), Median(priv)};
}

std::string ShortcutFile(int count) {
  std::string text = "<[My Shortcuts]>\r\n";
  for (int i = 0; i < count; ++i) {
    text += "Tool " + std::to_string(i) + "\r\nC:\\Program Files\\Vendor " +
            std::to_string(i % 97) + "\\bin\\tool" + std::to_string(i) + ".exe\r\n";
  }
  return text;
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  using namespace tessaly;
  using namespace tessaly::bench;
  const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 5000;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const std::string here = testing::AppHarness::TestProgramFolder();
  const std::string tessalyExe = here + "..\\tessaly.exe";
  const std::string floorExe = here + "list_floor.exe";
  testing::TempFolder data;

  const auto tessaly = [&](int shortcuts) {
    data.WriteFile("Categories.sts", testing::AppHarness::InstalledCategories());
    data.WriteFile("Shortcuts.sts", ShortcutFile(shortcuts));
    data.WriteFile("Settings.sts", "[View]\r\nReport\r\n[Treeselect]\r\n6\r\n");  // "My Shortcuts"
    const std::string expected = std::to_string(shortcuts) + " items";
    return Measure(tessalyExe, "", data.path(), "TessalyMainWindow", [&](HWND window) {
      return WindowText(::GetDlgItem(window, IDC_STATUS_BAR)) == expected;
    });
  };
  const auto floor = [&](int entries) {
    return Measure(floorExe, std::to_string(entries), data.path(), "TessalyListFloor",
                   [](HWND window) { return WindowText(window) == "filled"; });
  };

  std::vector<Memory> t0, tn, f0, fn;
  for (int run = 0; run < runs; ++run) {
    t0.push_back(tessaly(0));
    tn.push_back(tessaly(count));
    f0.push_back(floor(0));
    fn.push_back(floor(count));
  }
  const Memory a = MedianOf(t0), b = MedianOf(tn), c = MedianOf(f0), d = MedianOf(fn);
  const double per = 1000.0 / count;
  const double tessalyGrowth = (b.resident - a.resident) * per;
  const double floorGrowth = (d.resident - c.resident) * per;
  const double tessalyPrivate = (b.priv - a.priv) * per;
  const double floorPrivate = (d.priv - c.priv) * per;
  std::printf("Memory with 0 and %d shortcuts listed (report view), median of %d runs:\n", count,
              runs);
  std::printf("  %-22s %12s %12s %12s %12s\n", "", "resident 0", "resident N", "private 0",
              "private N");
  std::printf("  %-22s %9.1f MB %9.1f MB %9.1f MB %9.1f MB\n", "Tessaly", a.resident, b.resident,
              a.priv, b.priv);
  std::printf("  %-22s %9.1f MB %9.1f MB %9.1f MB %9.1f MB\n", "floor (list program)", c.resident,
              d.resident, c.priv, d.priv);
  std::printf("  growth per 1,000 shortcuts: resident %.2f MB against %.2f MB (%.2fx)\n",
              tessalyGrowth, floorGrowth, tessalyGrowth / floorGrowth);
  if (d.priv > 0) {
    std::printf("                              private  %.2f MB against %.2f MB (%.2fx)\n",
                tessalyPrivate, floorPrivate, tessalyPrivate / floorPrivate);
  } else {
    // NOTE: Wine 8 gives another process's private bytes as 0.
    std::printf("  (private memory: not reported for another process here)\n");
  }
  PrintRow("resident memory, " + std::to_string(count) + " shortcuts listed", Format("%.1f MB", b.resident),
           "list program " + Format("%.1f MB", d.resident), "-", "-", true);
  const double ratio = tessalyGrowth / floorGrowth;
  PrintRow("resident growth per 1,000 shortcuts", Format("%.2f MB", tessalyGrowth),
           "list program " + Format("%.2f MB", floorGrowth), Ratio(ratio), "<= 1.5x",
           ratio <= 1.5);
  return 0;
}
