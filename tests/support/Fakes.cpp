#include "support/Fakes.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "base/Text.h"

namespace tessaly::testing {

FileStamp FakeFileStore::Stat(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) return {};
  // The bytes count too: a test that sets a file's bytes directly changed the file.
  const auto time = times.find(path);
  const std::uint64_t written = time == times.end() ? 0 : time->second;
  return {true, it->second.size(),
          written * 0x9E3779B97F4A7C15ULL ^ std::hash<std::string>{}(it->second)};
}

ReadResult FakeFileStore::ReadFile(const std::string& path) {
  auto failing = unreadable.find(path);
  if (failing != unreadable.end() && failing->second.second != 0) {
    if (failing->second.second > 0) --failing->second.second;
    return {ReadStatus::Failed, {}, failing->second.first, {}};
  }
  auto middle = readsInTheMiddle.find(path);
  if (middle != readsInTheMiddle.end() && !middle->second.empty()) {
    const std::optional<std::string> seen = middle->second.front();
    middle->second.erase(middle->second.begin());
    if (!seen) return {ReadStatus::Missing, {}, "The system cannot find the file specified", {}};
    return {ReadStatus::Read, *seen, {}, {true, seen->size(), 0x5EED ^ std::hash<std::string>{}(*seen)}};
  }
  auto it = files.find(path);
  if (it == files.end()) {
    return {ReadStatus::Missing, {}, "The system cannot find the file specified", {}};
  }
  return {ReadStatus::Read, it->second, {}, Stat(path)};
}

void FakeFileStore::WriteBehind(const std::string& path, std::optional<std::string> bytes) {
  times[path] = ++clock_;
  if (bytes) {
    files[path] = std::move(*bytes);
  } else {
    files.erase(path);
  }
}

std::vector<std::string> FakeFileStore::DataWrites() const {
  std::vector<std::string> data;
  for (const std::string& path : writes) {
    if (path.find("\\Backup\\") == std::string::npos) data.push_back(path);
  }
  return data;
}

std::map<std::string, std::string> FakeFileStore::FilesIn(const std::string& folder) const {
  std::map<std::string, std::string> found;
  for (const auto& [path, bytes] : files) {
    if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
        path.find('\\', folder.size()) == std::string::npos) {
      found[path.substr(folder.size())] = bytes;
    }
  }
  return found;
}

std::vector<std::string> FakeFileStore::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : FilesIn(folder)) names.push_back(name);
  return names;
}

WriteResult FakeFileStore::CreateFolder(const std::string& path) {
  if (failingPaths.count(path) != 0) return {false, "Access is denied", {}};
  folders.insert(path);
  return {};
}

bool FakeFileStore::RemoveFile(const std::string& path) { return files.erase(path) != 0; }

WriteResult FakeFileStore::RecoverInterruptedWrite(const std::string& path) {
  recovered.push_back(path);
  return {};
}

WriteResult FakeFileStore::WriteFile(const std::string& path, std::string_view bytes) {
  writes.push_back(path);
  if (failingPaths.count(path) != 0) return {false, "Access is denied", {}};
  files[path] = std::string(bytes);
  times[path] = ++clock_;
  return {true, {}, Stat(path)};
}

WriteResult FakeFileStore::CopyFile(const std::string& source, const std::string& target) {
  auto it = files.find(source);
  if (it == files.end()) return {false, "The system cannot find the file specified"};
  const std::string bytes = it->second;
  return WriteFile(target, bytes);
}

LocalTime FakeClock::Now() {
  LocalTime now = start;
  std::int64_t seconds = now.second + milliseconds / 1000;
  now.second = static_cast<int>(seconds % 60);
  std::int64_t minutes = now.minute + seconds / 60;
  now.minute = static_cast<int>(minutes % 60);
  std::int64_t hours = now.hour + minutes / 60;
  now.hour = static_cast<int>(hours % 24);
  now.day += static_cast<int>(hours / 24);  // tests stay within the month
  return now;
}

bool RecordingMessageBoxes::Confirm(const std::string& text) {
  shown.push_back("Confirm: " + text);
  if (confirmAnswers.empty()) return true;
  const bool answer = confirmAnswers.front();
  confirmAnswers.erase(confirmAnswers.begin());
  return answer;
}

YesNoCancel RecordingMessageBoxes::AskYesNoCancel(const std::string& text) {
  shown.push_back("AskYesNoCancel: " + text);
  if (yesNoCancelAnswers.empty()) return YesNoCancel::Cancel;
  const YesNoCancel answer = yesNoCancelAnswers.front();
  yesNoCancelAnswers.erase(yesNoCancelAnswers.begin());
  return answer;
}

SaveFailureChoice RecordingMessageBoxes::AskAfterFailedSave(const std::string& text) {
  shown.push_back("AskAfterFailedSave: " + text);
  if (saveFailureAnswers.empty()) return SaveFailureChoice::CloseAnyway;
  const SaveFailureChoice answer = saveFailureAnswers.front();
  saveFailureAnswers.erase(saveFailureAnswers.begin());
  return answer;
}

ReadFailureChoice RecordingMessageBoxes::AskAfterFailedRead(const std::string& text) {
  shown.push_back("AskAfterFailedRead: " + text);
  if (readFailureAnswers.empty()) return ReadFailureChoice::Cancel;
  const ReadFailureChoice answer = readFailureAnswers.front();
  readFailureAnswers.erase(readFailureAnswers.begin());
  return answer;
}

namespace {

std::string WordKey(const std::string& s) {
  std::string key;
  for (char c : s) {
    if (c == '-' || c == '\'') continue;
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

}  // namespace

int WordOrder(const std::string& a, const std::string& b) {
  const std::string ka = WordKey(a);
  const std::string kb = WordKey(b);
  if (ka != kb) return ka < kb ? -1 : 1;
  // Same letters: lower case before upper case, plain before hyphenated.
  return a == b ? 0 : (a > b ? -1 : 1);
}

std::vector<std::string> Titles(const Shortcuts& entries) {
  std::vector<std::string> titles;
  for (const auto& entry : entries) titles.push_back(entry.title);
  return titles;
}

std::vector<std::string> Titles(const ShortcutList& list) { return Titles(list.entries()); }

int RecordingListObserver::Count(ListChange::Kind kind) const {
  return static_cast<int>(std::count_if(changes.begin(), changes.end(),
                                        [&](const ListChange& c) { return c.kind == kind; }));
}

void FakeLauncher::Record(std::string call) {
  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
}

void FakeLauncher::ShellOpen(const std::string& path, const std::string& parameters) {
  Record("open " + path + (parameters.empty() ? "" : " | " + parameters));
}

void FakeLauncher::ShellRunAsAdministrator(const std::string& path, const std::string& parameters) {
  Record("runas " + path + (parameters.empty() ? "" : " | " + parameters));
}

void FakeLauncher::RunCommandLine(const std::string& commandLine) { Record("run " + commandLine); }

void FakeLauncher::SendKeyEvents(const std::vector<KeyEvent>& events) {
  {
    std::lock_guard lock(mutex_);
    keys_.insert(keys_.end(), events.begin(), events.end());
  }
  Record("keys");
}

std::vector<std::string> FakeLauncher::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void FakeLauncher::Clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
  keys_.clear();
}

std::vector<KeyEvent> FakeLauncher::Keys() const {
  std::lock_guard lock(mutex_);
  return keys_;
}

bool FakeLinkReader::ResolveLink(LinkInfo& info, const std::string& linkPath) {
  resolved.push_back(linkPath);
  if (onResolve) onResolve(linkPath);
  auto it = links.find(linkPath);
  if (it == links.end()) return false;
  info.Target = it->second.target;
  info.Arguments = it->second.arguments;
  std::string name = linkPath.substr(linkPath.find_last_of("\\:") + 1);
  const auto dot = name.find_last_of('.');
  info.Name = dot == std::string::npos ? name : name.substr(0, dot);
  return true;
}

namespace {

std::pair<std::string, std::string> SplitParent(const std::string& path) {
  std::string p = path;
  if (!p.empty() && p.back() == '\\') p.pop_back();
  const auto slash = p.find_last_of('\\');
  if (slash == std::string::npos) return {"", p};
  return {p.substr(0, slash + 1), p.substr(slash + 1)};
}

}  // namespace

void FakeDirectories::AddFolder(const std::string& path) {
  const std::string key = WithTrailingBackslash(path);
  if (folders.count(key) != 0) return;
  folders[key] = {};
  auto [parent, name] = SplitParent(key);
  if (parent.empty()) return;
  AddFolder(parent);
  folders[parent].push_back({name, true});
}

void FakeDirectories::AddFile(const std::string& path) {
  auto [parent, name] = SplitParent(path);
  AddFolder(parent);
  folders[parent].push_back({name, false});
}

DirectoryEntry* FakeDirectories::Find(const std::string& path) {
  auto [parent, name] = SplitParent(path);
  auto it = folders.find(parent);
  if (it == folders.end()) return nullptr;
  for (DirectoryEntry& entry : it->second) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

void FakeDirectories::Remove(const std::string& path) {
  auto [parent, name] = SplitParent(path);
  auto it = folders.find(parent);
  if (it == folders.end()) return;
  auto& entries = it->second;
  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&leaf = name](const DirectoryEntry& e) { return e.name == leaf; }),
                entries.end());
  const std::string below = WithTrailingBackslash(path);
  for (auto f = folders.begin(); f != folders.end();) {
    f = f->first.compare(0, below.size(), below) == 0 ? folders.erase(f) : std::next(f);
  }
}

namespace {

class VectorListing : public DirectoryListing {
 public:
  VectorListing(std::vector<DirectoryEntry> entries, std::string pattern, FakeDirectories& owner)
      : entries_(std::move(entries)), pattern_(std::move(pattern)), owner_(owner) {}
  bool Next(DirectoryEntry& entry) override {
    if (next_ >= entries_.size()) return false;
    entry = entries_[next_++];
    if (owner_.onEntry) owner_.onEntry(pattern_, entry);
    return true;
  }

 private:
  std::vector<DirectoryEntry> entries_;
  std::size_t next_ = 0;
  std::string pattern_;
  FakeDirectories& owner_;
};

}  // namespace

std::unique_ptr<DirectoryListing> FakeDirectories::List(const std::string& pattern) {
  listed.push_back(pattern);
  std::vector<DirectoryEntry> entries;
  const std::string folder = pattern.substr(0, pattern.size() - std::string("*.*").size());
  auto it = folders.find(folder);
  if (it != folders.end()) {
    if (withDotEntries) {
      entries.push_back({".", true});
      entries.push_back({"..", true});
    }
    entries.insert(entries.end(), it->second.begin(), it->second.end());
  }
  return std::make_unique<VectorListing>(std::move(entries), pattern, *this);
}

bool FakeDirectories::FolderExists(const std::string& path) {
  return folders.count(WithTrailingBackslash(path)) != 0;
}

bool FakeDirectories::FileOrFolderExists(const std::string& path) {
  if (FolderExists(path)) return true;
  // Named variables, not a structured binding: clang 14 cannot capture those.
  const auto split = SplitParent(path);
  const std::string& name = split.second;
  auto it = folders.find(split.first);
  if (it == folders.end()) return false;
  return std::any_of(it->second.begin(), it->second.end(),
                     // clang 14 cannot capture a structured binding by itself.
                     [&leaf = name](const DirectoryEntry& e) { return e.name == leaf; });
}

}  // namespace tessaly::testing
