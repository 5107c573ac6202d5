#pragma once
// Tells the user-interface thread when something changes in a folder (not in its
// sub-folders): a file written, made, renamed or deleted. The callback runs from the
// message loop (see LoopWaits), between messages.

#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/Handle.h"
#include "base/win32/LoopWaits.h"

namespace tessaly::win32 {

// What changes of the data files look like to the folder: a write, a new size, a file
// made, renamed (the last step of every atomic write) or deleted.
inline constexpr DWORD kFileChanges =
    FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE;

class FolderWatch {
 public:
  // Watches folder on the calling thread's loop (the watch must end on that thread). A
  // burst of changes may come as one call or several; the callback looks at what it
  // needs.
  FolderWatch(const std::string& folder, DWORD filter, std::function<void()> changed);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // False when the folder could not be watched (it is missing, or the system refused).
  bool watching() const { return static_cast<bool>(handle_); }

 private:
  void OnSignalled();

  UniqueChangeNotification handle_;
  std::function<void()> changed_;
  LoopWaits::Id id_ = 0;
};

}  // namespace tessaly::win32
