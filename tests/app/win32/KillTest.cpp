// Starts the real tessaly.exe over a large data directory, drives its saves from
// outside (Sort, Add, Remove, a view change, the close) and kills it at random moments.
// After every kill the next start must find each data file whole, byte for byte one of
// the versions the program wrote or was about to write, with nothing left beside it.
//
// TESSALY_KILLS sets the number of kills (one per start), TESSALY_KILL_SEED the seed;
// tools/kill-test.sh runs it long.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/MainWindow.h"
#include "categories/win32/CategoryPaneRes.h"
#include "shortcuts/win32/ShortcutEditorRes.h"
#include "shortcuts/win32/ShortcutPaneRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/TempFolder.h"

namespace tessaly::testing {
namespace {

// The list inside the shortcut pane of a main window.
HWND ListOf(HWND main) {
  return ::GetDlgItem(::GetDlgItem(main, IDC_SHORTCUT_PANE), IDC_SHORTCUT_LIST);
}

using Entries = std::vector<std::pair<std::string, std::string>>;

// About 100,000 lines in all. "Big" stays short: a list longer than the window fills
// slowly under Wine (it repaints at every tenth entry), and every start waits for it.
constexpr int kPadSections = 24;
constexpr int kPadEntries = 2082;
constexpr int kBigEntries = 30;

int EnvNumber(const char* name, int fallback) {
  char value[32] = {};
  const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? std::atoi(value) : fallback;
}

std::string Pairs(const Entries& entries) {
  std::string bytes;
  for (const auto& [title, target] : entries) bytes += title + "\r\n" + target + "\r\n";
  return bytes;
}

std::string PadSections(int from, int to) {
  std::string bytes;
  for (int s = from; s < to; ++s) {
    bytes += "<[Pad][S" + std::to_string(s) + "]>\r\n";
    for (int e = 0; e < kPadEntries; ++e) {
      const std::string n = std::to_string(s * kPadEntries + e);
      bytes += "Pad entry " + n + "\r\nC:\\Programs\\Pad " + n + "\\app.exe\r\n";
    }
  }
  return bytes;
}

// What the data files hold, as the program leaves them after each of its writes.
struct State {
  Entries big;
  Entries trash;
  std::string view = "Report";

  std::string Shortcuts(const std::string& before, const std::string& between,
                        const std::string& after) const {
    return before + "<[Big]>\r\n" + Pairs(big) + between + "<[Trash]>\r\n" + Pairs(trash) + after;
  }
  std::string Settings() const {
    return "[View]\r\n" + view + "\r\n" + placement + "[Treeselect]\r\n1\r\n";
  }
  std::string placement;  // where the window opens
};

// The list selects the shortcut the pointer rests on (hot tracking), so the window
// opens where the pointer is not: only the keys then choose what Remove takes.
std::string PlacementAwayFromThePointer() {
  POINT pointer{};
  ::GetCursorPos(&pointer);
  const int width = 500;
  const int left = pointer.x > ::GetSystemMetrics(SM_CXSCREEN) / 2 ? 0 : ::GetSystemMetrics(SM_CXSCREEN) - width;
  const int top = pointer.y > ::GetSystemMetrics(SM_CYSCREEN) / 2 ? 0 : ::GetSystemMetrics(SM_CYSCREEN) - 400;
  return "[Maximize]\r\n0\r\n[Left]\r\n" + std::to_string(left) + "\r\n[Top]\r\n" + std::to_string(top) +
         "\r\n[Width]\r\n" + std::to_string(width) + "\r\n[Height]\r\n400\r\n";
}

const char* const kCategories = "Work ;015\r\nBig ;015\r\nTrash ;020\r\n";

class Program {
 public:
  Program(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info_)) {
      info_ = {};
    }
  }
  ~Program() {
    if (info_.hProcess == nullptr) return;
    Kill();
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  bool Ended(DWORD waitMs = 0) const { return ::WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0; }
  void Kill() {
    if (!Ended()) ::TerminateProcess(info_.hProcess, 9);
    ::WaitForSingleObject(info_.hProcess, 20000);
  }
  // Each visible top-level window of this process: class, caption and message text.
  std::vector<std::string> Windows() const {
    std::vector<std::string> found;
    auto search = std::make_pair(info_.dwProcessId, &found);
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto& s = *reinterpret_cast<decltype(search)*>(lp);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner != s.first || !::IsWindowVisible(hwnd)) return TRUE;
          char name[64] = {}, caption[128] = {}, text[512] = {};
          ::GetClassNameA(hwnd, name, sizeof name);
          ::GetWindowTextA(hwnd, caption, sizeof caption);
          ::GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
          s.second->push_back(std::string(name) + " '" + caption + "' " + text);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return found;
  }
  // The top-level window of this process with that class or caption.
  HWND Window(const char* className, const char* caption) const {
    struct Search {
      DWORD process;
      const char* className;
      const char* caption;
      HWND found;
    } search{info_.dwProcessId, className, caption, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(lp);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner != s.process || !::IsWindowVisible(hwnd)) return TRUE;
          char text[128] = {};
          if (s.className != nullptr) {
            ::GetClassNameA(hwnd, text, sizeof text);
            if (std::string(text) != s.className) return TRUE;
          }
          if (s.caption != nullptr) {
            ::GetWindowTextA(hwnd, text, sizeof text);
            if (std::string(text) != s.caption) return TRUE;
          }
          s.found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

 private:
  PROCESS_INFORMATION info_{};
};

class KillTest : public ::testing::Test {
 protected:
  TempFolder data;
  std::string before = PadSections(0, kPadSections / 2);
  std::string between = PadSections(kPadSections / 2, kPadSections - 2);
  std::string after = PadSections(kPadSections - 2, kPadSections);
  std::mt19937 random{static_cast<unsigned>(EnvNumber("TESSALY_KILL_SEED", 20261209))};

  // The last state the program is known to have reached, and the states its write
  // in progress may have left: the files after a kill must match one of them.
  std::mutex mutex;
  State committed;
  std::vector<State> inFlight;
  int added = 0;
  std::atomic<bool> killing{false};

  std::string File(const std::string& name) const { return ReadWholeFile(data.path() + name); }
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((data.path() + "*.~*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
  }
  void WriteAll(const State& state) {
    data.WriteFile("Categories.sts", kCategories);
    data.WriteFile("Settings.sts", state.Settings());
    data.WriteFile("Shortcuts.sts", state.Shortcuts(before, between, after));
  }

  // The files as found now must be those of one candidate state; that state is then
  // where the next run starts from.
  ::testing::AssertionResult AdoptFiles() {
    std::lock_guard lock(mutex);
    std::vector<State> candidates{committed};
    candidates.insert(candidates.end(), inFlight.begin(), inFlight.end());
    const std::string shortcuts = File("Shortcuts.sts");
    const std::string settings = File("Settings.sts");
    const std::string categories = File("Categories.sts");
    if (categories != kCategories) return ::testing::AssertionFailure() << "Categories.sts is not whole";
    for (const State& candidate : candidates) {
      if (candidate.Shortcuts(before, between, after) == shortcuts && candidate.Settings() == settings) {
        committed = candidate;
        inFlight.clear();
        return ::testing::AssertionSuccess();
      }
    }
    auto failure = ::testing::AssertionFailure();
    failure << "no version written matches Settings.sts '" << settings << "' and Shortcuts.sts ("
            << shortcuts.size() << " bytes)";
    for (const State& candidate : candidates) {
      const std::string expected = candidate.Shortcuts(before, between, after);
      const auto differ = std::mismatch(expected.begin(), expected.end(), shortcuts.begin(), shortcuts.end());
      const auto at = static_cast<std::size_t>(differ.first - expected.begin());
      failure << "\n  candidate '" << candidate.Settings() << "': differs at byte " << at << ": expected '"
              << expected.substr(at, 40) << "', found '" << shortcuts.substr(std::min(at, shortcuts.size()), 40)
              << "'";
    }
    return failure;
  }

  // Waits until the program shows Big's whole list, as long as one of the candidate
  // states has it; the main window, or null.
  HWND WaitReady(const Program& program) {
    HWND main = nullptr;
    std::vector<LRESULT> counts{static_cast<LRESULT>(committed.big.size())};
    for (const State& state : inFlight) counts.push_back(static_cast<LRESULT>(state.big.size()));
    const std::size_t expected = committed.big.size();
    const bool ready = AppHarness::WaitUntil(
        [&] {
          main = program.Window(win32::kMainWindowClass, nullptr);
          if (main == nullptr) return false;
          const LRESULT listed = ::SendMessageA(ListOf(main), LVM_GETITEMCOUNT, 0, 0);
          return std::find(counts.begin(), counts.end(), listed) != counts.end();
        },
        std::chrono::seconds(60));
    if (!ready) {
      std::printf("not ready: %s, %d of %d shortcuts listed\n", program.Ended() ? "ended" : "running",
                  main ? static_cast<int>(::SendMessageA(ListOf(main),
                                                         LVM_GETITEMCOUNT, 0, 0))
                       : -1,
                  static_cast<int>(expected));
      for (const std::string& window : program.Windows()) std::printf("  window: %s\n", window.c_str());
    }
    return ready ? main : nullptr;
  }

  static bool Send(HWND window, UINT msg, WPARAM wp) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, msg, wp, 0, SMTO_NORMAL, 20000, &result) != 0;
  }

  // One save command from outside; false once the program is gone. Before it is sent,
  // the states it will write are recorded as in flight.
  bool Drive(const Program& program, HWND main) {
    State next;
    {
      std::lock_guard lock(mutex);
      next = committed;
    }
    const HWND list = ListOf(main);
    // The shortcut pane takes the commands of its toolbar and menus.
    const HWND pane = ::GetDlgItem(main, IDC_SHORTCUT_PANE);
    switch (random() % 4) {
      case 0: {  // Sort
        std::sort(next.big.begin(), next.big.end());
        Expect({next});
        return Send(pane, WM_COMMAND, IDM_SORT) && Commit(program, next);
      }
      case 1: {  // Add, through the editor
        const std::string n = std::to_string(100000 + ++added);
        next.big.emplace_back("N" + n, "C:\\New\\" + n + ".exe");
        Expect({next});
        ::PostMessageA(pane, WM_COMMAND, IDC_ADD, 0);
        HWND editor = nullptr;
        if (!AppHarness::WaitUntil([&] {
              editor = program.Window(nullptr, "Add New Shortcut");
              return editor != nullptr || program.Ended();
            }, std::chrono::seconds(20)) || editor == nullptr) {
          return false;
        }
        ::SendMessageA(::GetDlgItem(editor, IDC_TARGET), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(next.big.back().second.c_str()));
        ::SendMessageA(::GetDlgItem(editor, IDC_TITLE), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(next.big.back().first.c_str()));
        return Send(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)) && Send(main, WM_NULL, 0) &&
               Commit(program, next);
      }
      case 2: {  // Remove the first shortcut, answering its question
        if (next.big.empty()) return true;
        State filed = next;
        filed.trash.insert(filed.trash.begin(), next.big.front());
        State removed = filed;
        removed.big.erase(removed.big.begin());
        Expect({filed, removed});
        // End then Home selects the first shortcut alone, as the keys do in the list
        // (Home alone does nothing while the first one has the focus already).
        DWORD_PTR selected = 0;
        if (!Send(list, WM_KEYDOWN, VK_END) || !Send(list, WM_KEYDOWN, VK_HOME) ||
            !::SendMessageTimeoutA(list, LVM_GETSELECTEDCOUNT, 0, 0, SMTO_NORMAL, 20000, &selected)) {
          return false;
        }
        EXPECT_EQ(1u, selected);
        EXPECT_EQ(0, ::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        ::PostMessageA(pane, WM_COMMAND, IDC_REMOVE, 0);
        HWND question = nullptr;
        if (!AppHarness::WaitUntil([&] {
              question = program.Window(nullptr, "Confirmation");
              return question != nullptr || program.Ended();
            }, std::chrono::seconds(20)) || question == nullptr) {
          return false;
        }
        ::PostMessageA(question, WM_COMMAND, IDYES, 0);
        return AppHarness::WaitUntil([&] { return !::IsWindow(question); }, std::chrono::seconds(20)) &&
               Send(main, WM_NULL, 0) && Commit(program, removed);
      }
      default: {  // The view, which writes Settings.sts
        next.view = next.view == "Report" ? "List" : "Report";
        Expect({next});
        return Send(pane, WM_COMMAND, next.view == "List" ? IDM_VIEW_LIST : IDM_VIEW_REPORT) &&
               Commit(program, next);
      }
    }
  }
  void Expect(std::vector<State> states) {
    std::lock_guard lock(mutex);
    inFlight = std::move(states);
  }
  // NOTE: under Wine a message sent to a process that is being killed can come back as
  // if handled, before the process counts as ended. Only a command answered before the
  // kill began has surely been carried out.
  bool Commit(const Program& program, const State& state) {
    if (killing || program.Ended()) return false;
    std::lock_guard lock(mutex);
    committed = state;
    inFlight.clear();
    return true;
  }
};

TEST_F(KillTest, EveryStartAfterAKillFindsWholeFilesAndNothingBeside) {
  const std::string exe = AppHarness::TestProgramFolder() + "tessaly.exe";
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(exe.c_str())) << exe;
  const int kills = EnvNumber("TESSALY_KILLS", 40);
  for (int i = 0; i < kBigEntries; ++i) {
    const std::string n = std::to_string(10000 + (i * 7) % kBigEntries);
    committed.big.emplace_back("E" + n, "C:\\Tools\\" + n + "\\tool.exe");
  }
  committed.trash = {{"Old", "C:\\old.exe"}};
  committed.placement = PlacementAwayFromThePointer();
  WriteAll(committed);

  int atStart = 0, duringSaves = 0, duringClose = 0, withLeftovers = 0, operations = 0, ready = 0;
  double readySeconds = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (int kill = 0; kill <= kills; ++kill) {
    if (!Leftovers().empty()) ++withLeftovers;
    Program program(exe, data.path());
    ASSERT_TRUE(program.started());
    const int stage = kill == kills ? -1 : static_cast<int>(random() % 10);
    if (stage == 0) {
      // While it starts: nothing may be written before the user does something.
      program.Ended(std::uniform_int_distribution<DWORD>(0, 700)(random));
      program.Kill();
      ++atStart;
      continue;
    }
    const auto started = std::chrono::steady_clock::now();
    const HWND main = WaitReady(program);
    ASSERT_NE(nullptr, main) << "start " << kill << " did not show Big's list";
    readySeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ++ready;
    EXPECT_TRUE(Leftovers().empty()) << "start " << kill << " left " << Leftovers().front();
    ASSERT_TRUE(AdoptFiles()) << "after kill " << kill;
    ASSERT_TRUE(AppHarness::WaitUntil([&] {
      return ::SendMessageA(ListOf(main), LVM_GETITEMCOUNT, 0, 0) ==
             static_cast<LRESULT>(committed.big.size());
    })) << "start " << kill << " lists another number of shortcuts than its file holds";
    if (stage < 0) {
      // The last run closes as the user would, and writes the same files once more.
      ::PostMessageA(main, WM_CLOSE, 0, 0);
      ASSERT_TRUE(program.Ended(30000));
      EXPECT_TRUE(Leftovers().empty());
      EXPECT_TRUE(AdoptFiles());
      break;
    }

    if (stage == 1) {
      // During the close, which writes the selection and the tree.
      ::PostMessageA(main, WM_CLOSE, 0, 0);
      program.Ended(std::uniform_int_distribution<DWORD>(0, 150)(random));
      program.Kill();
      ++duringClose;
      continue;
    }
    const DWORD delay = std::uniform_int_distribution<DWORD>(0, 800)(random);
    killing = false;
    std::thread driver([&] {
      while (!killing && Drive(program, main)) ++operations;
    });
    program.Ended(delay);
    killing = true;
    program.Kill();
    driver.join();
    ++duringSaves;
  }
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("kills: %d (at start %d, during saves %d, during the close %d); operations completed %d; "
              "starts that found leftovers %d; %.2f s from start to the list; %.1f s in all\n",
              atStart + duringSaves + duringClose, atStart, duringSaves, duringClose, operations,
              withLeftovers, ready > 0 ? readySeconds / ready : 0.0, seconds);
  EXPECT_EQ(kills, atStart + duringSaves + duringClose);
}

}  // namespace
}  // namespace tessaly::testing
