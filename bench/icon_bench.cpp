// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/icon_bench.exe)
//
// The icon chooser's first load of the system's "SHELL32.dll", in the real window:
// from the first icon listed to the full list, and the longest time the dialog left a
// message waiting meanwhile; against a floor that only extracts each icon and draws
// it into an image list. Prints medians of five runs.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/MainWindow.h"
#include "base/win32/Handle.h"
#include "categories/win32/CategoryPaneRes.h"
#include "categories/win32/IconChooserRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::bench {
namespace {

using Steady = std::chrono::steady_clock;

double Since(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string SystemLibrary() {
  char system[MAX_PATH] = {};
  ::GetSystemDirectoryA(system, MAX_PATH);
  return std::string(system) + "\\SHELL32.dll";
}

// Extracts every icon and draws it into a 32 x 32 image list, nothing else.
double Floor(const std::string& file, int count) {
  const auto start = Steady::now();
  win32::UniqueImageList images(::ImageList_Create(32, 32, ILC_COLOR32, count, 16));
  win32::WindowDc screen(nullptr);
  win32::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  for (int i = 0; i < count; ++i) {
    HICON large = nullptr;
    ::ExtractIconExA(file.c_str(), i, &large, nullptr, 1);
    win32::UniqueIcon icon(large);
    win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 32, 32));
    {
      win32::SelectObjectScope select(dc.get(), bitmap.get());
      const RECT all{0, 0, 32, 32};
      ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
      if (icon) ::DrawIconEx(dc.get(), 0, 0, icon.get(), 32, 32, 0, nullptr, DI_NORMAL);
    }
    ::ImageList_Add(images.get(), bitmap.get(), nullptr);
  }
  return Since(start);
}

struct ChooserRun {
  double load = 0;     // first icon listed to the full list
  double shown = 0;    // dialog on screen to the full list (the first load waits 100 ms)
  double longest = 0;  // longest wait of a message sent to the dialog during the load
};

int Items(HWND dialog) {
  DWORD_PTR count = 0;
  ::SendMessageTimeoutA(::GetDlgItem(dialog, IDC_ICON_LIST), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL,
                        30000, &count);
  return static_cast<int>(count);
}

ChooserRun Chooser(int count) {
  testing::AppHarness app;
  app.WriteDataFile("Categories.sts", "Work ;015\r\n");
  if (!app.Start() || !app.WaitForTree()) {
    std::fprintf(stderr, "Tessaly did not start\n");
    std::exit(1);
  }
  ::PostMessageA(app.Child(IDC_CATEGORY_PANE), WM_COMMAND, MAKEWPARAM(IDM_CHANGE_ICON, 0), 0);
  const HWND dialog = testing::AppHarness::WaitForWindow("Choose an icon");
  if (dialog == nullptr) {
    std::fprintf(stderr, "the icon chooser did not open\n");
    std::exit(1);
  }
  const auto shown = Steady::now();

  // Asks the dialog's thread to handle a message, again and again, and keeps the
  // longest wait: the longest stretch in which the dialog handled nothing.
  std::atomic<bool> probing{true};
  std::atomic<double> longest{0};
  std::thread prober([&] {
    while (probing) {
      const auto sent = Steady::now();
      ::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
      const double waited = Since(sent);
      if (waited > longest) longest = waited;
      ::Sleep(1);
    }
  });
  ChooserRun run;
  testing::AppHarness::WaitUntil([&] { return Items(dialog) > 0; }, std::chrono::seconds(60));
  const auto first = Steady::now();
  longest = 0;
  testing::AppHarness::WaitUntil([&] { return Items(dialog) >= count; }, std::chrono::seconds(120));
  run.load = Since(first);
  run.shown = Since(shown);
  probing = false;
  prober.join();
  run.longest = longest;
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  testing::AppHarness::WaitUntil([&] { return !::IsWindow(dialog); });
  app.Close();
  return run;
}

}  // namespace
}  // namespace tessaly::bench

int main() {
  using namespace tessaly::bench;
  const std::string file = SystemLibrary();
  const int count = static_cast<int>(::ExtractIconExA(file.c_str(), -1, nullptr, nullptr, 0));
  std::vector<double> floors, loads, shown, gaps;
  for (int run = 0; run < 5; ++run) {
    floors.push_back(Floor(file, count));
    const ChooserRun chooser = Chooser(count);
    loads.push_back(chooser.load);
    shown.push_back(chooser.shown);
    gaps.push_back(chooser.longest);
  }
  const double load = Median(loads);
  const double floor = Median(floors);
  std::printf("Icon chooser, first load of %s (%d icons), median of 5:\n", file.c_str(), count);
  std::printf("  first icon to full list:  %7.1f ms   floor (extract + draw only) %7.1f ms   ratio %.2fx\n",
              load, floor, load / floor);
  std::printf("  dialog up to full list:   %7.1f ms   (the first load waits 100 ms for the dialog)\n",
              Median(shown));
  std::printf("  longest gap between handled messages during the load: %.1f ms (worst run %.1f ms)\n",
              Median(gaps), *std::max_element(gaps.begin(), gaps.end()));
  return 0;
}
