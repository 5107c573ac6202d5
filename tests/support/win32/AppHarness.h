#pragma once
// Runs the real main window on its own thread over a temporary data directory, with
// the shell folders rooted in a temporary folder and the message boxes, launcher and
// pickers answered and recorded here. The test thread drives the window through
// messages and waits on conditions.

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/win32/Platform.h"
#include "app/win32/Win32Startup.h"
#include "base/Theme.h"
#include "support/Fakes.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
class MainWindow;
}

namespace tessaly::testing {

using namespace std::chrono_literals;

// Message boxes answered from queues; every box shown is recorded. Safe to use from
// the window's thread and the test's thread.
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  void Information(const std::string& text) override { Record("Information: " + text); }
  bool Confirm(const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& text) override;
  void Error(const std::string& text) override { Record("Error: " + text); }
  void Plain(const std::string& text) override { Record("Plain: " + text); }
  SaveFailureChoice AskAfterFailedSave(const std::string& text) override;
  ReadFailureChoice AskAfterFailedRead(const std::string& text) override;

  std::vector<std::string> Shown() const;
  void AnswerConfirm(bool yes);
  // Cancel when nothing is queued.
  void AnswerYesNoCancel(YesNoCancel answer);
  // Runs when the failed-save question comes, before the answer is given.
  void AnswerSaveFailure(SaveFailureChoice choice, std::function<void()> before = {});
  // The same for the failed-read question; Cancel when nothing is queued.
  void AnswerReadFailure(ReadFailureChoice choice, std::function<void()> before = {});

 private:
  void Record(const std::string& text);
  mutable std::mutex mutex_;
  std::vector<std::string> shown_;
  std::deque<bool> confirm_;
  std::deque<YesNoCancel> yesNoCancel_;
  std::deque<std::pair<SaveFailureChoice, std::function<void()>>> saveFailure_;
  std::deque<std::pair<ReadFailureChoice, std::function<void()>>> readFailure_;
};

// The apps theme and high contrast as a test sets them; light until it does, whatever
// the machine's own settings.
class ScriptedTheme : public ThemeSource {
 public:
  ThemeSettings Read() override;
  void Set(const ThemeSettings& settings);

 private:
  mutable std::mutex mutex_;
  ThemeSettings settings_;
};

class ScriptedPickers : public Pickers {
 public:
  std::optional<std::string> PickApplication() override;
  std::string BrowseForFolder(const std::string& title) override;
  std::optional<std::string> PickIconFile() override;
  void AnswerApplication(std::optional<std::string> path);
  void AnswerIconFile(std::optional<std::string> path);
  void AnswerFolder(std::string path);
  std::vector<std::string> Asked() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::optional<std::string>> applications_;
  std::deque<std::string> folders_;
  std::deque<std::optional<std::string>> iconFiles_;
  std::vector<std::string> asked_;
};

// Special folders inside a temporary folder; the virtual ones have no path.
class TempShellFolders : public Folders {
 public:
  explicit TempShellFolders(const TempFolder& root);
  std::string SpecialFolderPath(int folderId) override;
  void Clear(int folderId);  // the folder then has no path
  std::string Path(int folderId) const;
  // Runs on the window's thread each time a folder is asked for, before the answer: a
  // test steps into a filling at an exact point with it.
  void OnAsked(std::function<void(int folderId)> hook);

 private:
  mutable std::mutex mutex_;
  std::map<int, std::string> paths_;
  std::function<void(int)> onAsked_;
};

class AppHarness {
 public:
  enum class Launching { Recorded, Real };
  explicit AppHarness(Launching launching = Launching::Recorded);
  ~AppHarness();
  AppHarness(const AppHarness&) = delete;
  AppHarness& operator=(const AppHarness&) = delete;

  // The installed category file, with the built-in categories.
  static std::string InstalledCategories();
  // The folder of the test programs (record_args.exe among them), ending in "\".
  static std::string TestProgramFolder();

  void WriteDataFile(const std::string& name, const std::string& bytes) const;
  std::string ReadDataFile(const std::string& name) const;
  // The names of the files in the data directory (not of folders such as "Backup").
  std::vector<std::string> DataFileNames() const;

  // Whether the window follows what the test writes to the data files while it runs.
  // Off unless a test turns it on: a test that writes a file and then gives a command
  // must know which of the two the window sees first.
  bool followOtherWriters = false;

  // Starts the program's main window; false when the program ended at start-up.
  bool Start();
  // Closes the window as the close box does and waits for the thread to end.
  // False when the window stayed open.
  bool Close();
  bool running() const;
  // Waits until the program has ended by itself (its thread has returned, every write
  // of its unwinding done). False when it is still running after the timeout.
  bool WaitForExit(std::chrono::milliseconds timeout = 20s);

  HWND main() const { return main_; }
  // The running main window; only to be used on the UI thread (OnUiThread).
  win32::MainWindow& window() const { return *window_; }
  // The window of that control identifier anywhere inside the main window.
  HWND Child(int id) const;
  // Runs f on the window's thread and waits for it: for what only that thread may do
  // (set the focus, end a menu), never to look inside the window.
  void OnUiThread(const std::function<void()>& f);
  // Returns once every message posted to the window thread before it was handled.
  void Flush();
  // Selects the category ("Programs/Get All") and returns when its list is filled.
  void SelectCategory(const std::string& path);

  // Waits until condition holds, polling while the window thread works.
  static bool WaitUntil(const std::function<bool()>& condition,
                        std::chrono::milliseconds timeout = 10s);
  // Waits for the tree to be built and a category selected.
  bool WaitForTree(std::chrono::milliseconds timeout = 10s) const;
  // The top-level window of this process with that caption, if it appears.
  static HWND WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout = 10s);

  // Runs on the window's thread once the window is created, before its first message:
  // what it posts comes before the delayed start.
  std::function<void(HWND)> beforeMessageLoop;
  // The category path given with "/category", if any.
  std::string startCategory;

  TempFolder data;
  TempFolder shell;
  ScriptedMessageBoxes boxes;
  FakeLauncher launcher;
  ScriptedPickers pickers;
  TempShellFolders folders{shell};
  // "Start with Windows" writes under this key of HKEY_CURRENT_USER instead of the Run key.
  std::string startupKey;
  win32::Win32StartupRegistration startup;
  ScriptedTheme theme;

 private:
  void UiThread();

  struct Real;
  std::unique_ptr<Real> real_;
  std::unique_ptr<win32::Platform> platform_;
  std::thread thread_;
  HWND main_ = nullptr;
  win32::MainWindow* window_ = nullptr;
  HWND invoker_ = nullptr;
  DWORD threadId_ = 0;
  std::mutex startMutex_;
  std::condition_variable started_;
  bool startDone_ = false;
  bool created_ = false;
  std::atomic<bool> ended_{false};
};

// The Windows folder, without a trailing "\".
std::string WindowsFolder();

// Texts of the tree's items in display order (all levels), read through messages.
std::vector<std::string> TreeTexts(HWND tree);
std::string SelectedTreeText(HWND tree);
std::string StatusText(HWND statusBar);
// The tree item at a path of names separated by "/", such as "Programs/Get All".
HTREEITEM FindTreeItem(HWND tree, const std::string& path);

struct ListItem {
  std::string title;
  std::string target;
  friend bool operator==(const ListItem&, const ListItem&) = default;
};
std::vector<ListItem> ListItems(HWND list);
std::vector<std::string> ListTitles(HWND list);
// Selects exactly the items at these indexes, as clicks would.
void SelectListItems(HWND list, const std::vector<int>& indexes);
// Real mouse input, as the system delivers it to the window under the pointer.
void MouseTo(POINT screen);
// Real key presses: the keys go down in order and up in reverse, as a chord.
void PressKeys(std::initializer_list<WORD> keys);
// Letters, digits and blanks typed one after the other.
void TypeText(const std::string& text);
// The window that has the keyboard focus on the thread that owns window.
HWND FocusOf(HWND window);
void LeftButton(bool down);
// The screen point at the middle of a list item or a tree item's label.
POINT ListItemPoint(HWND list, int index);
POINT TreeItemPoint(HWND tree, HTREEITEM item);
// The popup menu window on screen, if one appears.
HWND WaitForPopupMenu(std::chrono::milliseconds timeout = 10s);
// The visible item texts of a menu ("-" for a separator).
std::vector<std::string> MenuTexts(HMENU menu);

}  // namespace tessaly::testing
