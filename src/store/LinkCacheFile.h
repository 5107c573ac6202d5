#pragma once
// Links.sts in the data directory: where the link cache lives between runs.

#include <string>

#include "shell/LinkCache.h"
#include "store/FileStore.h"

namespace tessaly {

// Unlike the other data files, Links.sts holds nothing the user made: whatever is
// wrong with it (missing, unreadable, cut short, corrupt) only means that the links
// are read again, and it may be deleted at any time. So nothing here ever asks or
// tells the user anything.
class LinkCacheFile : public LinkCacheStorage {
 public:
  LinkCacheFile(FileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

  LineList LoadLines() override;
  // After a failed write the run stops trying: a data directory that cannot be
  // written would fail every time.
  void SaveLines(const LineList& lines) override;

  const std::string& path() const { return path_; }

 private:
  FileStore& files_;
  std::string path_;
  bool writable_ = true;
};

}  // namespace tessaly
