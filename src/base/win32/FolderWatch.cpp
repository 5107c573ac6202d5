#include "base/win32/FolderWatch.h"

namespace tessaly::win32 {

FolderWatch::FolderWatch(const std::string& folder, DWORD filter, std::function<void()> changed)
    : handle_(::FindFirstChangeNotificationA(folder.c_str(), FALSE, filter)),
      changed_(std::move(changed)) {
  if (handle_) id_ = LoopWaits::ForThisThread().Add(handle_.get(), [this] { OnSignalled(); });
}

FolderWatch::~FolderWatch() {
  if (id_ != 0) LoopWaits::ForThisThread().Remove(id_);
}

void FolderWatch::OnSignalled() {
  // Armed again first, so that a change made while the callback runs is not missed.
  if (!::FindNextChangeNotification(handle_.get())) {
    // The folder went away: the handle would stay signalled and the loop spin.
    LoopWaits::ForThisThread().Remove(id_);
    id_ = 0;
    handle_.reset();
  }
  // A copy: the callback may end this watch.
  const std::function<void()> changed = changed_;
  if (changed) changed();
}

}  // namespace tessaly::win32
