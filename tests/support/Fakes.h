#pragma once
// Fakes of the core's platform interfaces, for native tests.

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/MessageBoxes.h"
#include "base/Text.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"
#include "model/Shortcut.h"
#include "model/ShortcutList.h"
#include "shortcuts/Launching.h"
#include "store/FileStore.h"

namespace tessaly::testing {

// Files in memory. Paths are compared exactly. A file's stamp changes with its bytes
// and with every write, as a real file system's last-write time would.
class FakeFileStore : public FileStore {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  FileStamp Stat(const std::string& path) override;
  ReadResult ReadFile(const std::string& path) override;
  WriteResult WriteFile(const std::string& path, std::string_view bytes) override;
  WriteResult CopyFile(const std::string& source, const std::string& target) override;
  WriteResult RecoverInterruptedWrite(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
  WriteResult CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;

  // Another program writes the file (or, with nullopt, deletes it).
  void WriteBehind(const std::string& path, std::optional<std::string> bytes);
  // The paths written to, leaving out those in backup folders.
  std::vector<std::string> DataWrites() const;
  // The files of the folder (ending in "\"), by name.
  std::map<std::string, std::string> FilesIn(const std::string& folder) const;

  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  // Reads of these see other bytes first, one entry per read (nullopt: the file is
  // missing, as while its writer swaps it in), then the file.
  std::map<std::string, std::vector<std::optional<std::string>>> readsInTheMiddle;
  std::map<std::string, std::uint64_t> times;  // last-write counts, bumped by every write
  std::set<std::string> failingPaths;  // writes to these fail and leave the file as it was
  std::vector<std::string> writes;     // every path written, in order
  // Reads of these fail with the reason given, as many times as the count says (-1:
  // always); the file itself stays.
  std::map<std::string, std::pair<std::string, int>> unreadable;
  std::vector<std::string> recovered;  // every path recovery was asked for, in order

 private:
  std::uint64_t clock_ = 0;
};

// A clock that never waits: pauses move it on and are recorded.
class FakeClock : public Clock {
 public:
  LocalTime Now() override;
  std::int64_t SteadyMilliseconds() override { return milliseconds; }
  void Pause(int ms) override {
    pauses.push_back(ms);
    milliseconds += ms;
    if (onPause) onPause();
  }
  LocalTime start{2026, 12, 9, 11, 30, 0};
  std::int64_t milliseconds = 0;  // since start
  std::vector<int> pauses;
  std::function<void()> onPause;
};

// Shift-JIS as the code page while it lives: 0x81-0x9F and 0xE0-0xFC lead a
// two-byte character whose second byte may be "\" or a quote's neighbours.
class ShiftJisScope {
 public:
  ShiftJisScope() {
    SetLeadByteTest(
        [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); });
  }
  ~ShiftJisScope() { SetLeadByteTest(nullptr); }
  ShiftJisScope(const ShiftJisScope&) = delete;
  ShiftJisScope& operator=(const ShiftJisScope&) = delete;
};

// Records every launch as "open path|parameters", "runas ...", "run command line" or
// "keys".
// Records every box; answers questions from queues (Yes / Retry when empty).
class RecordingMessageBoxes : public MessageBoxes {
 public:
  void Information(const std::string& text) override { shown.push_back("Information: " + text); }
  bool Confirm(const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& text) override;
  void Error(const std::string& text) override { shown.push_back("Error: " + text); }
  void Plain(const std::string& text) override { shown.push_back("Plain: " + text); }
  SaveFailureChoice AskAfterFailedSave(const std::string& text) override;
  ReadFailureChoice AskAfterFailedRead(const std::string& text) override;

  std::vector<std::string> shown;
  std::vector<bool> confirmAnswers;
  std::vector<YesNoCancel> yesNoCancelAnswers;  // Cancel when empty
  std::vector<SaveFailureChoice> saveFailureAnswers;
  std::vector<ReadFailureChoice> readFailureAnswers;  // Cancel when empty
};

// Approximates the platform's word sort: letters compared without case (lower case
// first on a tie), hyphens and apostrophes nearly ignored.
int WordOrder(const std::string& a, const std::string& b);

std::vector<std::string> Titles(const ShortcutList& list);
std::vector<std::string> Titles(const Shortcuts& entries);

// Records how the list told its view to change.
class RecordingListObserver : public ListObserver {
 public:
  void OnListChanged(const ListChange& change) override { changes.push_back(change); }
  void OnUpdateHeld(bool held) override {
    depth += held ? 1 : -1;
    if (held) ++holds;
  }
  int Count(ListChange::Kind kind) const;
  std::vector<ListChange> changes;
  int depth = 0;
  int holds = 0;
};

// Records what would have been started. Safe to use from two threads.
class FakeLauncher : public Launcher {
 public:
  void ShellOpen(const std::string& path, const std::string& parameters) override;
  void ShellRunAsAdministrator(const std::string& path, const std::string& parameters) override;
  void RunCommandLine(const std::string& commandLine) override;
  void SendKeyEvents(const std::vector<KeyEvent>& events) override;
  // "open <path>", "runas <path>" (each followed by " | <parameters>" when there are
  // some), "run <command line>", "keys".
  std::vector<std::string> Calls() const;
  std::vector<KeyEvent> Keys() const;
  void Clear();

 private:
  void Record(std::string call);
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  std::vector<KeyEvent> keys_;
};

class FakeStatusLine : public StatusLine {
 public:
  void SetStatusText(const std::string& text) override { history.push_back(text); }
  std::string text() const { return history.empty() ? std::string() : history.back(); }
  std::vector<std::string> history;
};

class FakeBusyCursor : public BusyCursor {
 public:
  void SetBusy(bool value) override { busy = value; history.push_back(value); }
  bool busy = false;
  std::vector<bool> history;
};

// Runs the hook (if any) every time pending messages are processed.
class FakeMessagePump : public MessagePump {
 public:
  void ProcessPendingMessages() override {
    ++calls;
    if (hook) hook();
  }
  std::function<void()> hook;
  int calls = 0;
};

class FakeFolders : public Folders {
 public:
  std::string SpecialFolderPath(int id) override {
    ++calls;
    auto it = paths.find(id);
    return it == paths.end() ? std::string() : it->second;
  }
  std::map<int, std::string> paths;
  int calls = 0;
};

// Links by path. A path not in the map fails to resolve.
class FakeLinkReader : public LinkReader {
 public:
  bool ResolveLink(LinkInfo& info, const std::string& linkPath) override;
  struct Link {
    std::string target;
    std::string arguments;
  };
  std::map<std::string, Link> links;
  std::vector<std::string> resolved;  // every path asked for
  // Called before each resolution: stands in for a message box that lets a nested
  // selection run while a link is being read.
  std::function<void(const std::string& linkPath)> onResolve;
};

// A file system of folders: entries per folder path (ending in "\"), in the order
// they are returned. Listing a folder returns ".", ".." first, like a real drive.
class FakeDirectories : public DirectoryLister, public FileExistence {
 public:
  // Adds a file (or, with directory, a folder) at the full path; parents are made.
  void AddFile(const std::string& path);
  void AddFolder(const std::string& path);
  // The entry of the file or folder at path (null when there is none), to give it a
  // size and time or change them.
  DirectoryEntry* Find(const std::string& path);
  // Takes the entry at path (and for a folder everything below it) away.
  void Remove(const std::string& path);

  std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
  bool FileOrFolderExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;

  std::map<std::string, std::vector<DirectoryEntry>> folders;  // key ends in "\"
  std::vector<std::string> listed;                              // every pattern listed
  // Called after each entry is handed out: lets a test interrupt mid-listing.
  std::function<void(const std::string& pattern, const DirectoryEntry&)> onEntry;
  // A drive root has no "." and ".." entries; clear this to list folders like one.
  bool withDotEntries = true;
};

}  // namespace tessaly::testing
