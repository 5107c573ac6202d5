// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/ui_bench.exe [links])
//
// 1. Start-up: from process start to the filled category tree and to the first filled
//    list, against a bare window program started the same way in the same run.
// 2. "Get All" over a generated start menu: from the selection to the final count, and
//    the longest time the window left a message waiting during the filling.
// Prints medians of five runs.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/StartMenuFixture.h"

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string WindowText(HWND hwnd) {
  char text[256] = {};
  ::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, nullptr);
  return text;
}

struct Started {
  double window = 0;  // a responsive top-level window
  double tree = 0;    // the category tree holds its categories
  double list = 0;    // the list of the restored category is filled
};

// Starts program in folder and waits for what ready says; ends it again.
Started Launch(const std::string& program, const std::string& folder, const char* windowClass,
               bool tessaly) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  const auto start = Clock::now();
  if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    std::exit(1);
  }
  Started times;
  HWND window = nullptr;
  for (;;) {
    if (window == nullptr) {
      window = ::FindWindowA(windowClass, nullptr);
      if (window != nullptr && ::IsWindowVisible(window) &&
          ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr)) {
        times.window = Since(start);
        if (!tessaly) break;
      } else {
        window = nullptr;
      }
    } else {
      if (times.tree == 0 &&
          ::SendMessageA(::GetDlgItem(window, IDC_CATEGORY_TREE), TVM_GETCOUNT, 0, 0) > 0) {
        times.tree = Since(start);
      }
      if (!WindowText(::GetDlgItem(window, IDC_STATUS_BAR)).empty()) {
        times.list = Since(start);
        if (times.tree == 0) times.tree = times.list;
        break;
      }
    }
    if (Since(start) > 30000) {
      std::fprintf(stderr, "%s did not come up\n", program.c_str());
      std::exit(1);
    }
    ::Sleep(1);
  }
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(process.hProcess, 10000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return times;
}

void StartUp() {
  const std::string here = testing::AppHarness::TestProgramFolder();
  const std::string tessaly = here + "..\\tessaly.exe";
  const std::string bare = here + "bare_window.exe";
  testing::TempFolder data;
  const std::string categories = testing::AppHarness::InstalledCategories();
  std::string shortcuts = "<[My Shortcuts]>\r\n";
  for (int i = 0; i < 30; ++i) shortcuts += "Tool " + std::to_string(i) + "\r\nC:\\windows\\notepad.exe\r\n";

  std::vector<double> bareTimes, windowTimes, treeTimes, listTimes;
  for (int run = 0; run < 5; ++run) {
    data.WriteFile("Categories.sts", categories);
    data.WriteFile("Shortcuts.sts", shortcuts);
    data.WriteFile("Settings.sts", "[Treeselect]\r\n6\r\n");  // "My Shortcuts"
    bareTimes.push_back(Launch(bare, data.path(), "TessalyBareWindow", false).window);
    const Started t = Launch(tessaly, data.path(), "TessalyMainWindow", true);
    windowTimes.push_back(t.window);
    treeTimes.push_back(t.tree);
    listTimes.push_back(t.list);
  }
  std::printf("start-up, median of 5 (process start to ...):\n");
  std::printf("  bare window program, window up:   %7.1f ms\n", Median(bareTimes));
  std::printf("  Tessaly, window up:               %7.1f ms\n", Median(windowTimes));
  std::printf("  Tessaly, category tree filled:    %7.1f ms\n", Median(treeTimes));
  std::printf("  Tessaly, first list filled:       %7.1f ms  (%.2fx the bare window)\n",
              Median(listTimes), Median(listTimes) / Median(bareTimes));
}

void GetAll(int links) {
  testing::AppHarness app;
  std::vector<std::string> programs;
  for (int i = 0; i < 25; ++i) {
    programs.push_back(app.shell.WriteFile("Apps\\App" + std::to_string(i) + "\\app" + std::to_string(i) + ".exe", "MZ"));
  }
  const std::string uninstaller = app.shell.WriteFile("Apps\\App0\\unins000.exe", "MZ");
  const std::string document = app.shell.WriteFile("Apps\\App0\\readme.txt", "read me");
  testing::LinkWriter writer(app.shell);
  testing::MakeStartMenu(app.shell, writer, "Common Start Menu", links / 2, programs, uninstaller, document);
  testing::MakeStartMenu(app.shell, writer, "Start Menu", links - links / 2, programs, uninstaller, document);

  app.WriteDataFile("Categories.sts", testing::AppHarness::InstalledCategories());
  app.WriteDataFile("Settings.sts", "[Treeselect]\r\n6\r\n");
  if (!app.Start() || !app.WaitForTree()) {
    std::fprintf(stderr, "Tessaly did not start\n");
    std::exit(1);
  }
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  const HWND status = app.Child(IDC_STATUS_BAR);

  // Asks the window thread to handle a message, again and again, and keeps the longest
  // wait: the longest stretch in which the window handled nothing.
  std::atomic<bool> probing{true};
  std::atomic<bool> measuring{false};
  std::atomic<double> longest{0};
  std::thread prober([&] {
    while (probing) {
      const auto sent = Clock::now();
      ::SendMessageTimeoutA(app.main(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
      const double waited = Since(sent);
      if (measuring && waited > longest) longest = waited;
      ::Sleep(1);
    }
  });

  std::vector<double> fillTimes, gaps;
  std::string count;
  for (int run = 0; run < 5; ++run) {
    app.SelectCategory("My Shortcuts");
    longest = 0;
    measuring = true;
    const auto start = Clock::now();
    app.SelectCategory("Programs/Get All");  // returns once the count is written
    fillTimes.push_back(Since(start));
    measuring = false;
    gaps.push_back(longest);
    count = testing::StatusText(status);
  }
  probing = false;
  prober.join();
  std::printf("\"Get All\" over %d generated links, median of 5:\n", links);
  std::printf("  selection to final count:         %7.1f ms  (status \"%s\", %d items)\n",
              Median(fillTimes), count.c_str(),
              static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  std::printf("  longest gap between handled messages during the filling: %.1f ms (worst run %.1f ms)\n",
              Median(gaps), *std::max_element(gaps.begin(), gaps.end()));
  app.Close();
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  const int links = argc > 1 ? std::atoi(argv[1]) : 2000;
  tessaly::bench::StartUp();
  tessaly::bench::GetAll(links);
  return 0;
}
