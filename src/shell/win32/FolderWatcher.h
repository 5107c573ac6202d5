#pragma once
// Change notifications for the folders the built-in categories are computed from,
// waited on by the main message loop (see LoopWaits): no thread of its own.

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/win32/Handle.h"
#include "base/win32/LoopWaits.h"
#include "shell/ShellPorts.h"

namespace tessaly::win32 {

// The built-in categories whose lists come from watched folders, and the data
// directory, whose files other programs may change.
enum class WatchedCategory { GetAll, Recent, Popular, DataFiles };

// The category's name in the tree ("Get All", "Recent", "Popular"); empty for the
// data files.
std::string_view CategoryName(WatchedCategory category);

struct FolderChange {
  WatchedCategory category;
  // Changes came faster than they could be told apart, or a watched folder went
  // away: everything of the category must be read again, not only what changed.
  bool overflow = false;
};

class FolderWatcher : public LoopWaits {
 public:
  using Handler = std::function<void(const FolderChange&)>;

  // A burst of changes (an installer writing twenty links) is told once, when the
  // category's folders have been quiet for settle milliseconds, or at the latest
  // ten settle periods after its first change.
  static constexpr DWORD kSettle = 250;
  // How far below a folder watched with its subtree changes are seen: as deep as
  // the start-menu scans go.
  static constexpr int kSubtreeDepth = 6;

  explicit FolderWatcher(Handler handler, DWORD settle = kSettle);
  ~FolderWatcher() override;
  FolderWatcher(const FolderWatcher&) = delete;
  FolderWatcher& operator=(const FolderWatcher&) = delete;

  // Watches folder, with subtree every folder below it too, for category. False when
  // the folder cannot be watched (it does not exist, for one).
  bool Watch(const std::string& folder, bool subtree, WatchedCategory category);
  // The folders the built-in categories read: both start menus with everything below
  // them ("Get All"), Recent ("Recent"), the desktop and Quick Launch ("Popular").
  // Folders the shell cannot name or that do not exist are left out.
  void WatchBuiltinFolders(Folders& folders);
  // Does WatchBuiltinFolders at the loop's first idle moment after delay milliseconds,
  // so that opening the folders does not hold up the window's start. folders must
  // live until then.
  void WatchBuiltinFoldersLater(Folders& folders, DWORD delay);
  // The number of folders watched.
  std::size_t count() const { return watched_.size(); }

  // LoopWaits: one event for every folder.
  const std::vector<HANDLE>& Handles() override { return handles_; }
  void OnSignalled(std::size_t index) override;
  DWORD Timeout() override;
  void OnTimeout() override;
  bool OnIdle() override;

 private:
  struct Watched;
  struct Tree {
    std::string root;  // ends in "\"
    WatchedCategory category;
    bool rescan = false;
  };
  struct Pending {
    bool waiting = false;
    bool overflow = false;
    ULONGLONG first = 0;
    ULONGLONG due = 0;
  };

  bool Add(const std::string& folder, bool subtree, WatchedCategory category, int tree);
  void WatchBelow(const std::string& folder, int depth, WatchedCategory category, int tree);
  bool IsWatched(const std::string& folder) const;
  // Handles every read that has completed; false when none had.
  bool TakeCompleted();
  void Note(WatchedCategory category, bool overflow);
  void TellDue();

  Handler handler_;
  DWORD settle_;
  UniqueKernelHandle event_;
  std::vector<HANDLE> handles_;
  std::vector<std::unique_ptr<Watched>> watched_;
  std::vector<Tree> trees_;
  std::array<Pending, 4> pending_{};
  Folders* later_ = nullptr;
  ULONGLONG laterAt_ = 0;
};

}  // namespace tessaly::win32
