#pragma once
// The start menus from the link cache: what a scan would list if nothing changed,
// without opening a link or listing a folder; and a check of the cache against the
// folders, done a little at a time while the program is idle.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/LineList.h"
#include "shell/LinkCache.h"
#include "shell/ShellPorts.h"

namespace tessaly {

// The title and target lines that ScanStartMenu(folderPath, exclusionWord) would add,
// in the same order, when every link below the folder is as the cache last met it.
// An empty or relative folder gives none, as the scan does.
LineList StartMenuFromCache(const LinkCache& cache, const std::string& folderPath,
                            const std::string& exclusionWord);

// Walks start menus as their scans do (same folders, same depth, same order) and
// brings the cache up to date: a new or changed link is read, a gone one forgotten.
// Each step lists one folder or reads a few links, so that the window stays
// responsive between steps.
class StartMenuCheck {
 public:
  StartMenuCheck(CachingLinkReader& links, DirectoryLister& lister,
                 std::vector<std::string> folders);
  ~StartMenuCheck();
  StartMenuCheck(const StartMenuCheck&) = delete;
  StartMenuCheck& operator=(const StartMenuCheck&) = delete;

  // Does the next small part. False once the check is done.
  bool Step();
  bool done() const { return done_; }
  // True when the cache changed since the check began (by the check or otherwise):
  // lists made from the cache alone are then out of date.
  bool changed() const;

  // Links read from their files per step at most; links the cache knows hardly cost.
  static constexpr int kReadsPerStep = 4;

 private:
  struct Frame {
    std::string folder;  // ends in "\"
    int depth = 0;
    std::vector<DirectoryEntry> entries;
    std::size_t next = 0;
  };
  void Enter(const std::string& folder, int depth);

  CachingLinkReader& links_;
  DirectoryLister& lister_;
  std::vector<std::string> folders_;
  std::size_t nextFolder_ = 0;
  std::vector<Frame> stack_;
  std::unique_ptr<LinkWalk> walk_;
  LinkInfo record_;
  std::uint64_t startVersion_;
  bool done_ = false;
};

}  // namespace tessaly
