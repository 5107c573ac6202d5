#include "shell/win32/FolderWatcher.h"

#include <algorithm>

#include "base/Text.h"
#include "base/win32/Handle.h"
#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"

namespace tessaly::win32 {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
// The most a notification may carry over the network; records that do not fit are
// lost, which is then told as an overflow.
constexpr DWORD kBufferBytes = 64 * 1024;
constexpr const char* kQuickLaunch = "Microsoft\\Internet Explorer\\Quick Launch";
// How many settle periods a steady trickle of changes may hold its report back.
constexpr ULONGLONG kLongestHold = 10;

std::size_t Slot(WatchedCategory category) { return static_cast<std::size_t>(category); }

}  // namespace

std::string_view CategoryName(WatchedCategory category) {
  switch (category) {
    case WatchedCategory::GetAll:
      return builtin::GetAll;
    case WatchedCategory::Recent:
      return builtin::Recent;
    case WatchedCategory::Popular:
      return builtin::Popular;
  }
  return {};
}

// One folder with a read of its changes outstanding. The system writes into the
// buffer and the overlapped record until the read completes or is cancelled, so
// neither may move or go before that.
struct FolderWatcher::Watched {
  std::string folder;
  bool subtree = false;
  WatchedCategory category = WatchedCategory::GetAll;
  UniqueFile directory;
  UniqueKernelHandle event;
  OVERLAPPED overlapped{};
  std::vector<DWORD> buffer = std::vector<DWORD>(kBufferBytes / sizeof(DWORD));
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

  bool Read() {
    overlapped = OVERLAPPED{};
    overlapped.hEvent = event.get();
    reading = ::ReadDirectoryChangesW(directory.get(), buffer.data(), kBufferBytes,
                                      subtree ? TRUE : FALSE, kChanges, nullptr, &overlapped,
                                      nullptr) != FALSE;
    return reading;
  }
};

FolderWatcher::FolderWatcher(Handler handler, DWORD settle)
    : handler_(std::move(handler)), settle_(settle) {}

FolderWatcher::~FolderWatcher() = default;

bool FolderWatcher::Watch(const std::string& folder, bool subtree, WatchedCategory category) {
  // One slot stays free for the message queue itself.
  if (!IsAbsolutePath(folder) || events_.size() + 1 >= MAXIMUM_WAIT_OBJECTS) return false;
  auto watched = std::make_unique<Watched>();
  watched->folder = folder;
  watched->subtree = subtree;
  watched->category = category;
  // Every sharing mode, so that the watch never keeps anyone from renaming or
  // deleting the folder or anything in it.
  watched->directory.reset(::CreateFileA(
      folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (!watched->directory) return false;
  watched->event.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!watched->event || !watched->Read()) return false;
  events_.push_back(watched->event.get());
  watched_.push_back(std::move(watched));
  return true;
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

void FolderWatcher::OnSignalled(std::size_t index) {
  if (index >= watched_.size()) return;
  Watched& watched = *watched_[index];
  DWORD bytes = 0;
  if (!::GetOverlappedResult(watched.directory.get(), &watched.overlapped, &bytes, FALSE)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_IO_INCOMPLETE) return;
    watched.reading = false;
    Note(watched.category, true);
    // Anything but lost records means the folder itself is gone or out of reach.
    if (error != ERROR_NOTIFY_ENUM_DIR || !watched.Read()) Forget(index);
    return;
  }
  watched.reading = false;
  // No records with success: more changed than the buffer could hold.
  Note(watched.category, bytes == 0);
  if (!watched.Read()) Forget(index);
}

void FolderWatcher::Forget(std::size_t index) {
  watched_.erase(watched_.begin() + static_cast<std::ptrdiff_t>(index));
  events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(index));
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
    // The handler may watch or forget folders; nothing of this loop depends on them.
    if (handler_) handler_(FolderChange{static_cast<WatchedCategory>(slot), pending.overflow});
  }
}

}  // namespace tessaly::win32
