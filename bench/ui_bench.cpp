// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/ui_bench.exe [links | summon])
//
// 1. Start-up: from process start to the window up, the filled category tree and the
//    first filled list, against a bare window program and a program that creates the
//    main window's kinds of controls, started the same way in the same run.
// 2. The delayed start: from its timer's tick to the filled tree and to the first
//    filled list, in the real window on a thread of this process, for the installed
//    Categories.sts and for a file of 500 categories.
// 3. "Get All" over a generated start menu: from the selection to the final count, and
//    the longest time the window left a message waiting during the filling.
// 4. The summon: from the hotkey to the window in front with the focus in the search
//    field and nothing left to paint, against a bare window with an edit field that is
//    shown and given the focus the same way, in the same run.
// Prints medians of several runs, and the summary rows that tools/bench.sh gathers.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "bench/Summary.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/StartMenuFixture.h"

namespace tessaly::bench {
namespace {

using Steady = std::chrono::steady_clock;

double Since(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
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
  const auto start = Steady::now();
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
          ::SendMessageA(::GetDlgItem(::GetDlgItem(window, IDC_CATEGORY_PANE), IDC_CATEGORY_TREE), TVM_GETCOUNT, 0, 0) > 0) {
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

constexpr int kStarts = 7;

void StartUp() {
  const std::string here = testing::AppHarness::TestProgramFolder();
  const std::string tessaly = here + "..\\tessaly.exe";
  const std::string bare = here + "bare_window.exe";
  const std::string controls = here + "controls_floor.exe";
  testing::TempFolder data;
  const std::string categories = testing::AppHarness::InstalledCategories();
  std::string shortcuts = "<[My Shortcuts]>\r\n";
  for (int i = 0; i < 30; ++i) shortcuts += "Tool " + std::to_string(i) + "\r\nC:\\windows\\notepad.exe\r\n";

  std::vector<double> bareTimes, controlsTimes, windowTimes, treeTimes, listTimes;
  for (int run = 0; run < kStarts; ++run) {
    data.WriteFile("Categories.sts", categories);
    data.WriteFile("Shortcuts.sts", shortcuts);
    data.WriteFile("Settings.sts", "[Treeselect]\r\n6\r\n");  // "My Shortcuts"
    bareTimes.push_back(Launch(bare, data.path(), "TessalyBareWindow", false).window);
    controlsTimes.push_back(Launch(controls, data.path(), "TessalyControlsFloor", false).window);
    const Started t = Launch(tessaly, data.path(), "TessalyMainWindow", true);
    windowTimes.push_back(t.window);
    treeTimes.push_back(t.tree);
    listTimes.push_back(t.list);
  }
  const double bareUp = Median(bareTimes);
  const double controlsUp = Median(controlsTimes);
  const double up = Median(windowTimes);
  std::printf("start-up, median of %d (process start to ...):\n", kStarts);
  std::printf("  bare window program, window up:   %7.1f ms\n", bareUp);
  std::printf("  controls floor, window up:        %7.1f ms\n", controlsUp);
  std::printf("  Tessaly, window up:               %7.1f ms  (%.2fx the controls floor, %.2fx the bare window)\n",
              up, up / controlsUp, up / bareUp);
  std::printf("  Tessaly, category tree filled:    %7.1f ms\n", Median(treeTimes));
  std::printf("  Tessaly, first list filled:       %7.1f ms\n", Median(listTimes));
  PrintRow("process start to window up", Ms(up), "controls floor " + Ms(controlsUp),
           Ratio(up / controlsUp), "<= 1.1x", up / controlsUp <= 1.1);
  PrintRow("process start to window up", Ms(up), "bare window program " + Ms(bareUp),
           Ratio(up / bareUp), "<= 1.3x", up / bareUp <= 1.3);
}

// What the window thread does from the delayed start's tick on, seen through hooks
// on that thread: the tick as the timer message is taken, the tree's last inserted
// item, and the status bar's first text that gives the final count.
struct DelayedStartProbe {
  static inline std::atomic<double> tick{0};
  static inline std::atomic<double> tree{0};
  static inline std::atomic<double> list{0};
  static inline std::string finalCount;
  static inline Steady::time_point origin = Steady::now();

  static double Now() { return Since(origin); }

  static LRESULT CALLBACK OnGetMessage(int code, WPARAM wp, LPARAM lp) {
    const auto& msg = *reinterpret_cast<const MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && msg.message == WM_TIMER &&
        msg.wParam == win32::kStartTimer && tick == 0) {
      tick = Now();
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }

  static LRESULT CALLBACK OnSent(int code, WPARAM wp, LPARAM lp) {
    const auto& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && tick != 0 && list == 0) {
      if (sent.message == TVM_INSERTITEMA || sent.message == TVM_INSERTITEMW) tree = Now();
      if (sent.message == SB_SETTEXTA && finalCount == reinterpret_cast<const char*>(sent.lParam)) {
        list = Now();
      }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
};

std::string ManyCategories(int count) {
  std::string text = testing::AppHarness::InstalledCategories();
  int made = 9;
  for (int group = 0; made < count; ++group) {
    text += "Group " + std::to_string(group) + " ;015\r\n";
    ++made;
    for (int child = 0; child < 9 && made < count; ++child, ++made) {
      text += "    Part " + std::to_string(group) + "." + std::to_string(child) + " ;015\r\n";
    }
  }
  return text;
}

void DelayedStart(const std::string& name, const std::string& categories, int categoryCount) {
  constexpr int kRuns = 7;
  std::string shortcuts = "<[My Shortcuts]>\r\n";
  for (int i = 0; i < 30; ++i) shortcuts += "Tool " + std::to_string(i) + "\r\nC:\\windows\\notepad.exe\r\n";
  DelayedStartProbe::finalCount = "30 items";
  std::vector<double> treeTimes, listTimes;
  testing::AppHarness app;
  for (int run = 0; run < kRuns; ++run) {
    app.WriteDataFile("Categories.sts", categories);
    app.WriteDataFile("Shortcuts.sts", shortcuts);
    app.WriteDataFile("Settings.sts", "[Treeselect]\r\n6\r\n");  // "My Shortcuts"
    DelayedStartProbe::tick = 0;
    DelayedStartProbe::tree = 0;
    DelayedStartProbe::list = 0;
    if (!app.Start()) {
      std::fprintf(stderr, "Tessaly did not start\n");
      std::exit(1);
    }
    // Before the tick: the timer runs 120 ms from the window's creation.
    const DWORD thread = ::GetWindowThreadProcessId(app.main(), nullptr);
    const HHOOK getMessage =
        ::SetWindowsHookExA(WH_GETMESSAGE, &DelayedStartProbe::OnGetMessage, nullptr, thread);
    const HHOOK sent =
        ::SetWindowsHookExA(WH_CALLWNDPROCRET, &DelayedStartProbe::OnSent, nullptr, thread);
    const bool filled = testing::AppHarness::WaitUntil([] { return DelayedStartProbe::list != 0; });
    ::UnhookWindowsHookEx(getMessage);
    ::UnhookWindowsHookEx(sent);
    const auto count = ::SendMessageA(app.Child(IDC_CATEGORY_TREE), TVM_GETCOUNT, 0, 0);
    if (!filled || count != categoryCount) {
      std::fprintf(stderr, "the delayed start was not seen (%s, %d categories)\n",
                   filled ? "filled" : "not filled", static_cast<int>(count));
      std::exit(1);
    }
    treeTimes.push_back(DelayedStartProbe::tree - DelayedStartProbe::tick);
    listTimes.push_back(DelayedStartProbe::list - DelayedStartProbe::tick);
    app.Close();
  }
  const double tree = Median(treeTimes);
  const double list = Median(listTimes);
  std::printf("delayed start, %s (%d categories), median of %d (its tick to ...):\n",
              name.c_str(), categoryCount, kRuns);
  std::printf("  category tree filled:             %7.1f ms\n", tree);
  std::printf("  first list filled:                %7.1f ms\n", list);
  PrintRow("delayed start's tick to filled tree and list, " + name, Ms(list),
           "the tick itself 0 ms", "+" + Ms(list), "<= +10 ms", list <= 10);
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
      const auto sent = Steady::now();
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
    const auto start = Steady::now();
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

// The floor of the summon: a hidden window with one edit field on a thread of its own;
// kShowFloor shows it, puts it in front and gives the field the focus, kHideFloor hides it.
constexpr UINT kShowFloor = WM_APP + 1;
constexpr UINT kHideFloor = WM_APP + 2;

struct SummonFloor {
  std::thread thread;
  std::atomic<HWND> window{nullptr};
  std::atomic<HWND> field{nullptr};
  DWORD threadId = 0;

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kShowFloor) {
      ::ShowWindow(hwnd, SW_SHOW);
      ::SetForegroundWindow(hwnd);
      ::SetFocus(::GetWindow(hwnd, GW_CHILD));
      return 0;
    }
    if (msg == kHideFloor) {
      ::ShowWindow(hwnd, SW_HIDE);
      return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }

  SummonFloor() {
    thread = std::thread([this] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &Procedure;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = "TessalySummonFloor";
      ::RegisterClassA(&wc);
      const HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "Floor", WS_OVERLAPPEDWINDOW,
                                          100, 100, 834, 637, nullptr, nullptr, wc.hInstance,
                                          nullptr);
      field = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 400,
                                24, hwnd, nullptr, wc.hInstance, nullptr);
      window = hwnd;
      MSG msg;
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      ::DestroyWindow(hwnd);
    });
    testing::AppHarness::WaitUntil([&] { return window.load() != nullptr; });
    threadId = ::GetWindowThreadProcessId(window, nullptr);
  }
  ~SummonFloor() {
    ::PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    thread.join();
  }
};

// In front, the focus in field, and nothing of the window itself left to paint.
bool Landed(HWND window, HWND field) {
  return ::GetForegroundWindow() == window && ::IsWindowVisible(window) &&
         testing::FocusOf(window) == field && !::GetUpdateRect(window, nullptr, FALSE) &&
         !::GetUpdateRect(field, nullptr, FALSE);
}

// Posts show, waits until it landed; then posts hide and waits until it is gone.
double TimeSummon(HWND window, HWND field, const std::function<void()>& show,
                  const std::function<void()>& hide) {
  const auto start = Steady::now();
  show();
  if (!testing::AppHarness::WaitUntil([&] { return Landed(window, field); })) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    std::fprintf(stderr, "%s did not land: visible %d, in front %d (%p), focus %d, to paint %d %d\n", name,
                 ::IsWindowVisible(window), ::GetForegroundWindow() == window, static_cast<void*>(::GetForegroundWindow()), testing::FocusOf(window) == field,
                 ::GetUpdateRect(window, nullptr, FALSE), ::GetUpdateRect(field, nullptr, FALSE));
    std::exit(1);
  }
  const double took = Since(start);
  hide();
  testing::AppHarness::WaitUntil([&] { return !::IsWindowVisible(window); });
  return took;
}

void Summon() {
  constexpr int kRuns = 15;
  testing::AppHarness app;
  app.WriteDataFile("Categories.sts", testing::AppHarness::InstalledCategories());
  std::string shortcuts = "<[My Shortcuts]>\r\n";
  for (int i = 0; i < 30; ++i) shortcuts += "Tool " + std::to_string(i) + "\r\nC:\\windows\\notepad.exe\r\n";
  app.WriteDataFile("Shortcuts.sts", shortcuts);
  app.WriteDataFile("Settings.sts", "[Treeselect]\r\n6\r\n");
  if (!app.Start() || !app.WaitForTree()) {
    std::fprintf(stderr, "Tessaly did not start\n");
    std::exit(1);
  }
  SummonFloor floor;
  const HWND search = app.Child(IDC_SEARCH);
  const auto hotkey = [&] { ::PostMessageA(app.main(), WM_HOTKEY, win32::kSummonHotkey, 0); };
  std::vector<double> tessaly, bare;
  // Put away first: the summon brings a hidden window.
  ::ShowWindow(app.main(), SW_HIDE);
  for (int run = 0; run < kRuns; ++run) {
    bare.push_back(TimeSummon(floor.window, floor.field,
                              [&] { ::PostMessageA(floor.window, kShowFloor, 0, 0); },
                              [&] { ::PostMessageA(floor.window, kHideFloor, 0, 0); }));
    tessaly.push_back(TimeSummon(app.main(), search, hotkey, hotkey));
  }
  app.Close();
  const double summoned = Median(tessaly);
  const double floorTime = Median(bare);
  std::printf("summon, median of %d (posted hotkey to the window in front, focus in the search field, painted):\n",
              kRuns);
  std::printf("  bare window with an edit field:   %7.1f ms\n", floorTime);
  std::printf("  Tessaly:                          %7.1f ms  (%+.1f ms)\n", summoned,
              summoned - floorTime);
  PrintRow("summon: hotkey to window in front, focus in search, painted", Ms(summoned),
           "bare window shown and focused " + Ms(floorTime), Format("%+.1f ms", summoned - floorTime),
           "<= +16 ms", summoned - floorTime <= 16);
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  // "summon" alone times the summon only.
  if (argc > 1 && std::string(argv[1]) == "summon") {
    tessaly::bench::Summon();
    return 0;
  }
  const int links = argc > 1 ? std::atoi(argv[1]) : 2000;
  tessaly::bench::StartUp();
  tessaly::bench::DelayedStart("installed Categories.sts",
                               tessaly::testing::AppHarness::InstalledCategories(), 9);
  tessaly::bench::DelayedStart("500 categories", tessaly::bench::ManyCategories(500), 500);
  tessaly::bench::GetAll(links);
  tessaly::bench::Summon();
  return 0;
}
