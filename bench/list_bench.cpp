// How to run: sh tools/bench.sh   (or, with a display and a prefix:
//   wine build/windows/bench/list_bench.exe [entries] [runs])
//
// Filling the list from a stored section of 10,000 shortcuts in the real window, from
// the selection to the drawn list, against a bare loop of LVM_INSERTITEM and
// LVM_SETITEMTEXT into the same list control, also drawn. The loop holds the control's
// drawing back (WM_SETREDRAW) as the fastest such loop does: under Wine a list that
// stays drawn while it grows takes about 5 ms per entry, nearly a minute for 10,000.
// Both run on the window's thread in the same process, in every view. Prints medians.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/win32/MainWindow.h"
#include "app/win32/MainWindowRes.h"
#include "bench/Summary.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"

namespace tessaly::bench {
namespace {

using Steady = std::chrono::steady_clock;

double Since(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

struct Entry {
  std::string title;
  std::string target;
};

std::vector<Entry> MakeEntries(int count) {
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    entries.push_back({"Tool " + std::to_string(i), "C:\\Program Files\\Vendor " +
                                                        std::to_string(i % 97) + "\\bin\\tool" +
                                                        std::to_string(i) + ".exe"});
  }
  return entries;
}

void Redraw(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

struct Timed {
  double fill = 0;  // every entry in the control
  double draw = 0;  // the control drawn after that
};

// The floor: the same control emptied, then every entry inserted with its target.
Timed BareLoop(HWND list, const std::vector<Entry>& entries) {
  ListView_DeleteAllItems(list);
  Redraw(list);
  Timed timed;
  const auto start = Steady::now();
  ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const Entry& entry = entries[static_cast<std::size_t>(i)];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(entry.title.c_str());
    const auto index = ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(entry.target.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&sub));
  }
  ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  timed.fill = Since(start);
  const auto drawn = Steady::now();
  Redraw(list);
  timed.draw = Since(drawn);
  return timed;
}

}  // namespace
}  // namespace tessaly::bench

int main(int argc, char** argv) {
  using namespace tessaly;
  using namespace tessaly::bench;
  const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 10000;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::vector<Entry> entries = MakeEntries(count);

  std::string section = "<[My Shortcuts]>\r\n";
  for (const Entry& entry : entries) section += entry.title + "\r\n" + entry.target + "\r\n";

  struct View {
    const char* name;
    int command;
  };
  const View views[] = {{"Thumb", IDM_VIEW_THUMB}, {"List", IDM_VIEW_LIST},
                        {"Report", IDM_VIEW_REPORT}};

  testing::AppHarness app;
  app.WriteDataFile("Categories.sts", testing::AppHarness::InstalledCategories());
  app.WriteDataFile("Shortcuts.sts", section);
  app.WriteDataFile("Settings.sts", "[Treeselect]\r\n7\r\n");  // "Find": nothing to fill
  if (!app.Start() || !app.WaitForTree()) {
    std::fprintf(stderr, "Tessaly did not start\n");
    return 1;
  }
  const HWND list = app.Child(IDC_SHORTCUT_LIST);
  const HWND status = app.Child(IDC_STATUS_BAR);
  const std::string expected = std::to_string(count) + " items";

  std::printf("Filling the list from a stored section of %d shortcuts, median of %d runs\n"
              "(fill: selection to every entry listed and counted; draw: the first drawing\n"
              "after it, where Tessaly also looks up the icons of the entries in sight):\n",
              count, runs);
  std::printf("  %-7s %12s %12s %7s   %12s %12s\n", "view", "Tessaly", "bare loop", "ratio",
              "draw Tessaly", "draw bare");
  double worst = 0;
  std::string worstView;
  double worstTessaly = 0;
  double worstFloor = 0;
  for (const View& view : views) {
    ::SendMessageA(app.Child(IDC_SHORTCUT_PANE), WM_COMMAND, MAKEWPARAM(view.command, 0), 0);
    std::vector<double> fill, draw, floorFill, floorDraw;
    for (int run = 0; run < runs; ++run) {
      app.SelectCategory("Find");
      const HWND tree = app.Child(IDC_CATEGORY_TREE);
      const HTREEITEM mine = testing::FindTreeItem(tree, "My Shortcuts");
      app.OnUiThread([&] {
        Redraw(list);
        const auto start = Steady::now();
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(mine));
        ::SendMessageA(::GetParent(tree), win32::kRunSelection, 0, 0);
        fill.push_back(Since(start));
        const auto drawn = Steady::now();
        Redraw(list);
        draw.push_back(Since(drawn));
      });
      if (testing::StatusText(status) != expected ||
          ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != count) {
        std::fprintf(stderr, "the list was not filled: \"%s\"\n",
                     testing::StatusText(status).c_str());
        return 1;
      }
      app.OnUiThread([&] {
        const Timed bare = BareLoop(list, entries);
        floorFill.push_back(bare.fill);
        floorDraw.push_back(bare.draw);
      });
    }
    const double t = Median(fill);
    const double f = Median(floorFill);
    std::printf("  %-7s %9.1f ms %9.1f ms %6.2fx   %9.1f ms %9.1f ms\n", view.name, t, f, t / f,
                Median(draw), Median(floorDraw));
    if (t / f > worst) {
      worst = t / f;
      worstView = view.name;
      worstTessaly = t;
      worstFloor = f;
    }
  }
  app.Close();
  PrintRow("fill " + std::to_string(count) + " entries from a section (" + worstView + ")",
           Ms(worstTessaly), "bare LVM_INSERTITEM loop " + Ms(worstFloor), Ratio(worst),
           "<= 1.5x", worst <= 1.5);
  return 0;
}
