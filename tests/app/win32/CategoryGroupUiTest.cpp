// A category as a group, in the real window and in the real program: Open all from
// the menu and the keyboard, /category at the start and sent to a running Tessaly,
// /open without a window, and the desktop shortcut read back through the shell.

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/win32/Program.h"
#include "base/win32/Handle.h"
#include "categories/win32/TreeIconsRes.h"
#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

using Lines = std::vector<std::string>;

const char* const kCategories = "Work ;015\r\n    Tools ;015\r\n    Empty ;00\r\nTrash ;020\r\n";
// The menu of a category below the top level: Add, Insert, Delete, Rename, Change Icon,
// Open all, Create shortcut on desktop (separators not counted).
constexpr int kOpenAllItem = 5;
constexpr int kCreateLinkItem = 6;

std::string Section(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string text = "<[Work][Tools]>\r\n";
  for (const auto& [title, target] : entries) text += title + "\r\n" + target + "\r\n";
  return text;
}

// An environment variable for as long as it lives: the next test's programs must not
// inherit it.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    ::SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedVariable() { ::SetEnvironmentVariableA(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

// The arguments each record_args run got, in the order the runs were started.
Lines RecordedArguments(const std::string& log) {
  std::vector<std::pair<unsigned long long, std::string>> runs;
  std::istringstream lines(ReadWholeFile(log));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string commandLine = line.substr(tab + 1);
    runs.emplace_back(std::stoull(line.substr(0, tab)),
                      commandLine.substr(commandLine.find_last_of(' ') + 1));
  }
  std::stable_sort(runs.begin(), runs.end());
  Lines arguments;
  for (const auto& run : runs) arguments.push_back(run.second);
  return arguments;
}

std::size_t LineCount(const std::string& path) {
  const std::string text = ReadWholeFile(path);
  return text == "<missing>" ? 0
                             : static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Links to record_args.exe, one per argument, in the shell folder; their section.
std::string RecordingSection(const TempFolder& folder, const Lines& arguments) {
  const std::string program = AppHarness::TestProgramFolder() + "record_args.exe";
  std::vector<std::pair<std::string, std::string>> entries;
  for (const std::string& argument : arguments) {
    const std::string link = folder.path() + "Run " + argument + ".lnk";
    WriteShellLink(link, LinkTo(program, argument));
    entries.emplace_back("Run " + argument, link);
  }
  entries.emplace_back("Missing", folder.path() + "missing.exe");
  return Section(entries);
}

struct GroupUi : WindowTest {
  using WindowTest::WindowTest;
  void Start(const std::string& shortcuts, const std::string& settings = "") {
    StartWith(kCategories, shortcuts, settings);
  }
  void Send(int id) { ::SendMessageA(app.main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};

TEST_F(GroupUi, OpenAllFromTheMenuOpensEachShortcutInOrderAndNamesTheMissingOnes) {
  const std::string file = app.shell.WriteFile("notes.txt", "notes");
  const std::string program = app.shell.WriteFile("tool.exe", "");
  const std::string link = app.shell.path() + "tool.lnk";
  WriteShellLink(link, LinkTo(program, "-x \"two words\""));
  const std::string missing = app.shell.path() + "gone.txt";
  Start(Section({{"Notes", file}, {"Gone", missing}, {"Tool", link}, {"Run", "win+r"}}));
  RightClick("Work/Tools");
  ASSERT_TRUE(ChooseFromMenu(kOpenAllItem));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ((Lines{"open " + file, "open " + program + " | -x \"two words\"", "keys"}),
            app.launcher.Calls());
  EXPECT_EQ(
      "Information: 1 of the 4 shortcuts of Tools were not opened, because what they point "
      "to does not exist:\n\nGone: '" +
          missing + "'",
      app.boxes.Shown()[0]);
}

TEST_F(GroupUi, CtrlEnterOnTheTreeOpensAllAskingFirstAboveFive) {
  std::vector<std::pair<std::string, std::string>> six;
  for (int i = 0; i < 6; ++i) {
    six.emplace_back("T" + std::to_string(i), app.shell.WriteFile(std::to_string(i) + ".txt", "x"));
  }
  Start(Section(six));
  app.SelectCategory("Work/Tools");
  ::SetForegroundWindow(app.main());
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ::GetForegroundWindow() == app.main(); }));
  app.OnUiThread([&] { ::SetFocus(tree); });
  app.boxes.AnswerConfirm(false);
  PressKeys({VK_CONTROL, VK_RETURN});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ("Confirm: Do you want to open all 6 shortcuts of Tools ?", app.boxes.Shown()[0]);
  app.Flush();
  EXPECT_TRUE(app.launcher.Calls().empty());
}

TEST_F(GroupUi, OpenAllOfAComputedCategoryOpensWhatItLists) {
  const std::string desktop = app.folders.Path(0);
  const std::string zed = app.shell.WriteFile("zed.txt", "z");
  const std::string alpha = app.shell.WriteFile("alpha.txt", "a");
  WriteShellLink(desktop + "Zed.lnk", LinkTo(zed));
  WriteShellLink(desktop + "Alpha.lnk", LinkTo(alpha));
  StartWith("Popular ;016\r\nWork ;015\r\n", "");
  app.SelectCategory("Popular");
  Send(IDM_OPEN_ALL);
  EXPECT_EQ((Lines{"open " + alpha, "open " + zed}), app.launcher.Calls());
}

struct RealLaunchUi : GroupUi {
  RealLaunchUi() : GroupUi(AppHarness::Launching::Real) {}
};

TEST_F(RealLaunchUi, OpenAllStartsTheProgramOncePerShortcutInOrder) {
  const std::string log = app.shell.path() + "runs.log";
  const ScopedVariable record("TESSALY_RECORD_LOG", log);
  Start(RecordingSection(app.shell, {"first", "second", "third"}));
  app.SelectCategory("Work/Tools");
  Send(IDM_OPEN_ALL);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return LineCount(log) == 3; }, 30s))
      << ReadWholeFile(log);
  EXPECT_EQ((Lines{"first", "second", "third"}), RecordedArguments(log));
  ASSERT_EQ(1u, app.boxes.Shown().size());
  EXPECT_NE(std::string::npos,
            app.boxes.Shown()[0].find("Missing: '" + app.shell.path() + "missing.exe'"));
}

TEST_F(GroupUi, CategoryAtTheStartIsSelectedInsteadOfTheStoredOne) {
  app.startCategory = "Work\\Tools";
  Start("<[Work][Tools]>\r\nA\r\nC:\\a.exe\r\n", "[Treeselect]\r\n3\r\n");
  EXPECT_EQ("Tools", SelectedTreeText(tree));
  EXPECT_EQ((Lines{"A"}), ListTitles(list));
  EXPECT_TRUE(app.boxes.Shown().empty());
}

TEST_F(GroupUi, AnUnknownCategoryAtTheStartIsNamedAndTheStoredOneSelected) {
  app.startCategory = "Work\\tools";
  Start("", "[Treeselect]\r\n3\r\n");
  EXPECT_EQ("Trash", SelectedTreeText(tree));
  ASSERT_EQ(1u, app.boxes.Shown().size());
  EXPECT_EQ(0u, app.boxes.Shown()[0].find("Error: There is no category 'Work\\tools' in " +
                                          app.data.path() + "Categories.sts."));
}

// The real tessaly.exe as a process of its own.
class Program {
 public:
  Program(const std::string& arguments, const std::string& folder) {
    const std::string exe = win32::FullPath(AppHarness::TestProgramFolder() + "..\\tessaly.exe");
    std::string command = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info_)) {
      info_ = {};
    }
  }
  ~Program() {
    if (info_.hProcess == nullptr) return;
    if (!ExitCode(0)) ::TerminateProcess(info_.hProcess, 9);
    ::WaitForSingleObject(info_.hProcess, 20000);
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  // The exit code once it has ended within the time; nothing while it runs.
  std::optional<DWORD> ExitCode(DWORD waitMs) const {
    if (::WaitForSingleObject(info_.hProcess, waitMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  // Waits for the end, noting every visible top-level window other than a message
  // box that it showed meanwhile.
  std::optional<DWORD> WaitNotingWindows(std::vector<std::string>& seen) const {
    for (int i = 0; i < 1000; ++i) {
      for (const HWND window : Windows()) {
        // A window gone since it was listed (the box just answered) has no class left.
        const auto name = ClassOf(window);
        if (name && *name != kMessageBoxClass) seen.push_back(*name + " '" + CaptionOf(window) + "'");
      }
      if (auto code = ExitCode(20)) return code;
    }
    return std::nullopt;
  }
  // The visible top-level windows of the process.
  std::vector<HWND> Windows() const {
    std::pair<DWORD, std::vector<HWND>> search{info_.dwProcessId, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto& s = *reinterpret_cast<decltype(search)*>(lp);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner == s.first && ::IsWindowVisible(hwnd)) s.second.push_back(hwnd);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  // Waits for a message box of the process and answers it with OK; its text.
  std::optional<std::string> AnswerMessageBox() const {
    HWND box = nullptr;
    AppHarness::WaitUntil(
        [&] {
          for (const HWND window : Windows()) {
            if (IsMessageBox(window)) box = window;
          }
          return box != nullptr;
        },
        20s);
    if (box == nullptr) return std::nullopt;
    char text[2048] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return std::string(text);
  }

 private:
  static constexpr const char* kMessageBoxClass = "#32770";
  static std::optional<std::string> ClassOf(HWND window) {
    char name[64] = {};
    if (::GetClassNameA(window, name, sizeof name) == 0) return std::nullopt;
    return std::string(name);
  }
  static bool IsMessageBox(HWND window) { return ClassOf(window) == kMessageBoxClass; }
  static std::string CaptionOf(HWND window) {
    char caption[128] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    return caption;
  }
  PROCESS_INFORMATION info_{};
};

TEST_F(GroupUi, CategorySentToARunningTessalySelectsItThere) {
  Start("<[Work][Tools]>\r\nA\r\nC:\\a.exe\r\n");
  ASSERT_EQ("Work", SelectedTreeText(tree));
  // The running window holds its data directory's lock, as tessaly.exe does.
  const win32::SingleInstance running(app.data.path());
  ASSERT_TRUE(running.first());
  {
    const Program second("/data \"" + app.data.path() + "\\\" /category \"Work\\Tools\"",
                         app.shell.path());
    ASSERT_TRUE(second.started());
    EXPECT_EQ(0u, second.ExitCode(20000));
  }
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return SelectedTreeText(tree) == "Tools"; }));
  EXPECT_EQ((Lines{"A"}), ListTitles(list));

  const Program unknown("/data \"" + app.data.path() + "\\\" /category Nowhere", app.shell.path());
  EXPECT_EQ(0u, unknown.ExitCode(20000));
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 1; }));
  EXPECT_EQ(0u, app.boxes.Shown()[0].find("Error: There is no category 'Nowhere'"));
  EXPECT_EQ("Tools", SelectedTreeText(tree));
}

struct ProgramRun : ::testing::Test {
  TempFolder data;
  TempFolder elsewhere;
  std::string log = elsewhere.path() + "runs.log";
  ScopedVariable record{"TESSALY_RECORD_LOG", log};

  ProgramRun() {
    data.WriteFile("Categories.sts", kCategories);
    data.WriteFile("Shortcuts.sts", RecordingSection(elsewhere, {"first", "second", "third"}));
    data.WriteFile("Settings.sts", "[Treeselect]\r\n0\r\n");
  }
  Lines DataFiles() const {
    Lines files;
    for (const char* name : {"Categories.sts", "Shortcuts.sts", "Settings.sts"}) {
      files.push_back(ReadWholeFile(data.path() + name));
    }
    WIN32_FIND_DATAA found;
    const HANDLE find = ::FindFirstFileA((data.path() + "*").c_str(), &found);
    do files.push_back(found.cFileName);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return files;
  }
};

TEST_F(ProgramRun, OpenStartsEveryShortcutWithoutAWindowAndWritesNothing) {
  const Lines before = DataFiles();
  const Program open("/data \"" + data.path() + "\\\" /open \"Work\\Tools\"", elsewhere.path());
  ASSERT_TRUE(open.started());
  // The missing shortcut is named in the one box it shows.
  const auto text = open.AnswerMessageBox();
  ASSERT_TRUE(text);
  EXPECT_NE(std::string::npos, text->find("Missing: '" + elsewhere.path() + "missing.exe'"))
      << *text;
  std::vector<std::string> windows;
  EXPECT_EQ(0u, open.WaitNotingWindows(windows));
  EXPECT_EQ(std::vector<std::string>{}, windows);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return LineCount(log) == 3; }, 30s))
      << ReadWholeFile(log);
  EXPECT_EQ((Lines{"first", "second", "third"}), RecordedArguments(log));
  EXPECT_EQ(before, DataFiles());
}

TEST_F(ProgramRun, ABadCommandLineShowsOneMessageAndChangesNothing) {
  const Lines before = DataFiles();
  struct Case {
    std::string arguments;
    const char* message;
  };
  const Case cases[] = {
      {"/data \"" + data.path() + "\\\" /open Work\\Nowhere",
       "There is no category 'Work\\Nowhere'"},
      {"/data \"" + data.path() + "\\\" /category Nowhere", "There is no category 'Nowhere'"},
      {"/data \"" + data.path() + "\\\" /frobnicate", "'/frobnicate' is not a switch of Tessaly."},
      {"/open", "The switch /open needs a category path after it."},
      {"/data \"" + data.path() + "none\" /open Work", "given with /data does not exist"},
  };
  for (const Case& c : cases) {
    const Program run(c.arguments, elsewhere.path());
    ASSERT_TRUE(run.started());
    const auto text = run.AnswerMessageBox();
    ASSERT_TRUE(text) << c.arguments;
    EXPECT_NE(std::string::npos, text->find(c.message)) << *text;
    std::vector<std::string> windows;
    EXPECT_EQ(1u, run.WaitNotingWindows(windows)) << c.arguments;
    EXPECT_EQ(std::vector<std::string>{}, windows);
  }
  EXPECT_EQ(0u, LineCount(log));
  EXPECT_EQ(before, DataFiles());
}

// The link as the shell reads it.
struct ShellLinkRead {
  std::string path;
  std::string arguments;
  std::string workingDirectory;
  std::string iconFile;
  int iconIndex = 0;
};

ShellLinkRead ReadLink(const std::string& file) {
  const win32::ComScope com;
  win32::ComPtr<IShellLinkA> link;
  win32::ComPtr<IPersistFile> persist;
  ShellLinkRead read;
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void())) ||
      FAILED(persist->Load(wide, STGM_READ))) {
    return read;
  }
  char buffer[MAX_PATH] = {};
  link->GetPath(buffer, MAX_PATH, nullptr, 0);
  read.path = buffer;
  link->GetArguments(buffer, MAX_PATH);
  read.arguments = buffer;
  link->GetWorkingDirectory(buffer, MAX_PATH);
  read.workingDirectory = buffer;
  link->GetIconLocation(buffer, MAX_PATH, &read.iconIndex);
  read.iconFile = buffer;
  return read;
}

TEST_F(GroupUi, TheDesktopShortcutRunsTessalyOnTheCategoryWithItsIcon) {
  Start("");
  RightClick("Work/Tools");
  app.boxes.AnswerYesNoCancel(YesNoCancel::Yes);
  ASSERT_TRUE(ChooseFromMenu(kCreateLinkItem));
  const std::string file = app.folders.Path(0) + "Tools.lnk";
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return app.boxes.Shown().size() == 2; }));
  EXPECT_EQ(
      0u, app.boxes.Shown()[1].find("Information: The shortcut '" + file + "' is on the desktop."));
  const std::string program = win32::ProgramPath();
  ShellLinkRead read = ReadLink(file);
  EXPECT_EQ(program, read.path);
  // What the link runs, read as tessaly.exe reads its command line.
  const auto Reads = [&](const std::string& arguments, CommandLine::Action action) {
    const CommandLine line = ParseCommandLine("tessaly.exe " + arguments);
    return line.ok() && line.action == action && line.category == "Work\\Tools" &&
           line.dataDirectory == app.data.path();
  };
  EXPECT_TRUE(Reads(read.arguments, CommandLine::Action::OpenCategory)) << read.arguments;
  EXPECT_EQ(app.data.path(), read.workingDirectory);
  EXPECT_EQ(program, read.iconFile);
  EXPECT_EQ(-(IDI_TREE_FIRST + 15), read.iconIndex);
  // The icon is there to be shown.
  HICON icon = nullptr;
  EXPECT_EQ(1u, ::ExtractIconExA(program.c_str(), read.iconIndex, &icon, nullptr, 1));
  if (icon != nullptr) ::DestroyIcon(icon);

  // Made again, the link of the same name is replaced.
  app.boxes.AnswerYesNoCancel(YesNoCancel::No);
  Send(IDM_CATEGORY_LINK);
  read = ReadLink(file);
  EXPECT_TRUE(Reads(read.arguments, CommandLine::Action::ShowCategory)) << read.arguments;
  app.boxes.AnswerYesNoCancel(YesNoCancel::Cancel);
  Send(IDM_CATEGORY_LINK);
  EXPECT_EQ(read.arguments, ReadLink(file).arguments);
}

}  // namespace
}  // namespace tessaly::testing
