#pragma once
// Fakes of the core's platform interfaces, for native tests.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/MessageBoxes.h"
#include "shell/ShellPorts.h"
#include "model/ShortcutList.h"
#include "store/FileStore.h"

namespace tessaly::testing {

// Files in memory. Paths are compared exactly.
class FakeFileStore : public FileStore {
 public:
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  ReadResult ReadFile(const std::string& path) override;
  WriteResult WriteFile(const std::string& path, std::string_view bytes) override;
  WriteResult CopyFile(const std::string& source, const std::string& target) override;
  WriteResult RecoverInterruptedWrite(const std::string& path) override;

  std::map<std::string, std::string> files;
  std::set<std::string> failingPaths;  // writes to these fail and leave the file as it was
  std::vector<std::string> writes;     // every path written, in order
  // Reads of these fail with the reason given, as many times as the count says (-1:
  // always); the file itself stays.
  std::map<std::string, std::pair<std::string, int>> unreadable;
  std::vector<std::string> recovered;  // every path recovery was asked for, in order
};

// Records every box; answers questions from queues (Yes / Retry when empty).
class RecordingMessageBoxes : public MessageBoxes {
 public:
  void Information(const std::string& text) override { shown.push_back("Information: " + text); }
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override { shown.push_back("Error: " + text); }
  void Plain(const std::string& text) override { shown.push_back("Plain: " + text); }
  SaveFailureChoice AskAfterFailedSave(const std::string& text) override;
  ReadFailureChoice AskAfterFailedRead(const std::string& text) override;

  std::vector<std::string> shown;
  std::vector<bool> confirmAnswers;
  std::vector<SaveFailureChoice> saveFailureAnswers;
  std::vector<ReadFailureChoice> readFailureAnswers;  // Cancel when empty
};

struct FakeItem {
  std::string title;
  std::string target;
  bool selected = false;
};

// A list in memory. SortByTitle approximates the platform's word sort: letters
// compared without case (lower case first on a tie), hyphens and apostrophes
// nearly ignored.
class FakeShortcutList : public ShortcutList {
 public:
  int Count() const override { return static_cast<int>(items.size()); }
  std::string Title(int i) const override { return items.at(static_cast<std::size_t>(i)).title; }
  std::string Target(int i) const override { return items.at(static_cast<std::size_t>(i)).target; }
  bool IsSelected(int i) const override { return items.at(static_cast<std::size_t>(i)).selected; }
  int Append(const std::string& title, const std::string& target) override;
  void SetItem(int i, const std::string& title, const std::string& target) override;
  int InsertCopy(int at, int source) override;
  void Delete(int i) override;
  void Clear() override { items.clear(); }
  void BeginUpdate() override { ++updateDepth; ++beginCount; }
  void EndUpdate() override { --updateDepth; }
  void SortByTitle() override;

  // Test helpers.
  void Add(const std::string& title, const std::string& target, bool selected = false) {
    items.push_back({title, target, selected});
  }
  std::vector<std::string> Titles() const;

  std::vector<FakeItem> items;
  int updateDepth = 0;
  int beginCount = 0;
  int sortCount = 0;
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
