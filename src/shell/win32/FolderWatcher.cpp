#include "shell/win32/FolderWatcher.h"

#include <algorithm>

#include "base/Text.h"
#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"

namespace tessaly::win32 {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
// The most a notification may carry over the network; records that do not fit are
// lost, which is then told as an overflow. A folder watched only for itself below a
// watched tree (under Wine, see below) sees few changes at once and gets less.
constexpr DWORD kBufferBytes = 64 * 1024;
constexpr DWORD kBelowBufferBytes = 4 * 1024;
constexpr const char* kQuickLaunch = "Microsoft\\Internet Explorer\\Quick Launch";
// How many settle periods a steady trickle of changes may hold its report back.
constexpr ULONGLONG kLongestHold = 10;
// A bound on the folders watched one by one, whatever a start menu holds.
constexpr std::size_t kMostFolders = 2000;

std::size_t Slot(WatchedCategory category) { return static_cast<std::size_t>(category); }

// NOTE: Wine (8.0) reports changes below a folder watched with its subtree only in
// sub-folders made after the watch began; in those that were there it reports
// nothing. Under Wine every folder of a watched tree is watched on its own as well.
bool SubtreesSeeOnlyNewFolders() {
  static const bool wine = [] {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

}  // namespace

std::string_view CategoryName(WatchedCategory category) {
  switch (category) {
    case WatchedCategory::GetAll:
      return builtin::GetAll;
    case WatchedCategory::Recent:
      return builtin::Recent;
    case WatchedCategory::Popular:
      return builtin::Popular;
    case WatchedCategory::DataFiles:
      break;
  }
  return {};
}

// One folder with a read of its changes outstanding. The system writes into the
// buffer and the overlapped record until the read completes or is cancelled, so
// neither may move or go before that.
struct FolderWatcher::Watched {
  std::string folder;  // ends in "\"
  bool subtree = false;
  WatchedCategory category = WatchedCategory::GetAll;
  int tree = -1;  // the tree it was found in when watched one by one
  UniqueFile directory;
  OVERLAPPED overlapped{};
  std::vector<DWORD> buffer;
  bool reading = false;

  Watched() = default;
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;
  ~Watched() {
    if (!reading) return;
    ::CancelIo(directory.get());
    DWORD bytes = 0;
    ::GetOverlappedResult(directory.get(), &overlapped, &bytes, TRUE);
  }

  bool Read(HANDLE event) {
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event;
    reading = ::ReadDirectoryChangesW(
                  directory.get(), buffer.data(), static_cast<DWORD>(buffer.size() * sizeof(DWORD)),
                  subtree ? TRUE : FALSE, kChanges, nullptr, &overlapped, nullptr) != FALSE;
    return reading;
  }
};

FolderWatcher::FolderWatcher(Handler handler, DWORD settle)
    : handler_(std::move(handler)),
      settle_(settle),
      event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

FolderWatcher::~FolderWatcher() = default;

bool FolderWatcher::Watch(const std::string& folder, bool subtree, WatchedCategory category) {
  if (!IsAbsolutePath(folder)) return false;
  const std::string path = WithTrailingBackslash(folder);
  int tree = -1;
  if (subtree && SubtreesSeeOnlyNewFolders()) {
    tree = static_cast<int>(trees_.size());
    trees_.push_back({path, category});
  }
  if (!Add(path, subtree, category, tree)) {
    if (tree >= 0) trees_.pop_back();
    return false;
  }
  if (tree >= 0) WatchBelow(path, 1, category, tree);
  return true;
}

bool FolderWatcher::Add(const std::string& folder, bool subtree, WatchedCategory category,
                        int tree) {
  if (!event_ || watched_.size() >= kMostFolders) return false;
  auto watched = std::make_unique<Watched>();
  watched->folder = folder;
  watched->subtree = subtree;
  watched->category = category;
  watched->tree = tree;
  const bool below = tree >= 0 && !subtree;
  watched->buffer.resize((below ? kBelowBufferBytes : kBufferBytes) / sizeof(DWORD));
  // Every sharing mode, so that the watch never keeps anyone from renaming or
  // deleting the folder or anything in it.
  watched->directory.reset(::CreateFileA(
      folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (!watched->directory || !watched->Read(event_.get())) return false;
  watched_.push_back(std::move(watched));
  handles_.assign(1, event_.get());
  return true;
}

bool FolderWatcher::IsWatched(const std::string& folder) const {
  return std::any_of(watched_.begin(), watched_.end(),
                     [&](const auto& watched) { return watched->folder == folder; });
}

void FolderWatcher::WatchBelow(const std::string& folder, int depth, WatchedCategory category,
                               int tree) {
  if (depth > kSubtreeDepth) return;
  WIN32_FIND_DATAA data;
  const UniqueFind find(::FindFirstFileA((folder + "*.*").c_str(), &data));
  if (!find) return;
  do {
    const std::string name(data.cFileName, strnlen(data.cFileName, MAX_PATH));
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || name == "." || name == "..") {
      continue;
    }
    const std::string below = folder + name + "\\";
    if (!IsWatched(below) && !Add(below, false, category, tree)) continue;
    WatchBelow(below, depth + 1, category, tree);
  } while (::FindNextFileA(find.get(), &data));
}

void FolderWatcher::WatchBuiltinFolders(Folders& folders) {
  for (const int id : {folder_id::CommonStartMenu, folder_id::StartMenu}) {
    Watch(folders.SpecialFolderPath(id), true, WatchedCategory::GetAll);
  }
  Watch(folders.SpecialFolderPath(folder_id::Recent), false, WatchedCategory::Recent);
  Watch(folders.SpecialFolderPath(folder_id::Desktop), false, WatchedCategory::Popular);
  const std::string appData = folders.SpecialFolderPath(folder_id::AppData);
  if (!appData.empty()) Watch(appData + kQuickLaunch, false, WatchedCategory::Popular);
}

void FolderWatcher::WatchBuiltinFoldersLater(Folders& folders, DWORD delay) {
  later_ = &folders;
  laterAt_ = ::GetTickCount64() + delay;
}

void FolderWatcher::OnSignalled(std::size_t) {
  ::ResetEvent(event_.get());
  // Every folder shares the one event, and starting a read resets it: keep looking
  // until a whole round finds nothing completed, so that no completion that came
  // before the last reset is missed. One after it sets the event again.
  while (TakeCompleted()) {
  }
}

bool FolderWatcher::TakeCompleted() {
  bool any = false;
  for (std::size_t i = 0; i < watched_.size();) {
    Watched& watched = *watched_[i];
    if (!watched.reading || !HasOverlappedIoCompleted(&watched.overlapped)) {
      ++i;
      continue;
    }
    any = true;
    watched.reading = false;
    DWORD bytes = 0;
    const bool read =
        ::GetOverlappedResult(watched.directory.get(), &watched.overlapped, &bytes, FALSE) != FALSE;
    const DWORD error = read ? ERROR_SUCCESS : ::GetLastError();
    // No records with success: more changed than the buffer could hold.
    Note(watched.category, !read || bytes == 0);
    if (watched.tree >= 0) trees_[static_cast<std::size_t>(watched.tree)].rescan = true;
    // Anything but lost records means the folder itself is gone or out of reach.
    const bool keep = (read || error == ERROR_NOTIFY_ENUM_DIR) && watched.Read(event_.get());
    if (keep) {
      ++i;
    } else {
      watched_.erase(watched_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  if (watched_.empty()) handles_.clear();
  return any;
}

void FolderWatcher::Note(WatchedCategory category, bool overflow) {
  Pending& pending = pending_[Slot(category)];
  const ULONGLONG now = ::GetTickCount64();
  if (!pending.waiting) {
    pending.waiting = true;
    pending.overflow = false;
    pending.first = now;
  }
  pending.overflow = pending.overflow || overflow;
  pending.due = std::min(now + settle_, pending.first + kLongestHold * settle_);
}

DWORD FolderWatcher::Timeout() {
  ULONGLONG next = ~0ULL;
  for (const Pending& pending : pending_) {
    if (pending.waiting) next = std::min(next, pending.due);
  }
  if (later_ != nullptr) next = std::min(next, laterAt_);
  if (next == ~0ULL) return INFINITE;
  const ULONGLONG now = ::GetTickCount64();
  return next <= now ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(next - now, INFINITE - 1));
}

void FolderWatcher::OnTimeout() {
  OnIdle();
  TellDue();
}

bool FolderWatcher::OnIdle() {
  if (later_ != nullptr && ::GetTickCount64() >= laterAt_) {
    Folders& folders = *later_;
    later_ = nullptr;
    WatchBuiltinFolders(folders);
  }
  return false;
}

void FolderWatcher::TellDue() {
  const ULONGLONG now = ::GetTickCount64();
  for (std::size_t slot = 0; slot < pending_.size(); ++slot) {
    Pending& pending = pending_[slot];
    if (!pending.waiting || pending.due > now) continue;
    pending.waiting = false;
    // Sub-folders made meanwhile are watched from now on (under Wine, see above).
    for (std::size_t t = 0; t < trees_.size(); ++t) {
      Tree& tree = trees_[t];
      if (Slot(tree.category) != slot || !tree.rescan) continue;
      tree.rescan = false;
      WatchBelow(tree.root, 1, tree.category, static_cast<int>(t));
    }
    if (handler_) handler_(FolderChange{static_cast<WatchedCategory>(slot), pending.overflow});
  }
}

}  // namespace tessaly::win32
