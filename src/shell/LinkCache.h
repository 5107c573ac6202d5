#pragma once
// What was read from the start menus' link files, kept between walks and between
// runs, so that a walk opens only the links that are new or changed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/LineList.h"
#include "shell/ShellPorts.h"

namespace tessaly {

// The file name of the cache in the data directory.
inline constexpr const char* kLinkCacheFileName = "Links.sts";

// One link as a walk last met it. A link is known only as long as its size and last
// write are those it had when it was read.
struct CachedLink {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
  bool resolved = false;  // false: the link file could not be read
  std::string target;
  std::string arguments;
  // Where the last walk that met every link of its folder met this one; links met
  // since come after.
  std::uint64_t order = 0;
  // The latest walk that met the link.
  std::uint64_t seen = 0;
};

// One link below a folder, as StartMenuFromCache lists them.
struct CachedLinkRef {
  const std::string* path;
  const CachedLink* link;
};

class LinkCache {
 public:
  // The link at path if it is known with this size and last write, else null.
  const CachedLink* Find(const std::string& path, const DirectoryEntry& entry) const;
  // Records what was read from the link at path (info is used only when resolved).
  void Store(const std::string& path, const DirectoryEntry& entry, bool resolved,
             const LinkInfo& info);

  // A walk of the links below folder, for the bookkeeping of which links are gone.
  std::uint64_t BeginWalk() { return ++walks_; }
  // The link at path was met by the walk begun as walk.
  void Met(const std::string& path, std::uint64_t walk);
  // The walk begun as walk met every link below folder, in the order given: a link
  // below folder that no walk met since it began is gone and is forgotten.
  void CompleteWalk(const std::string& folder, std::uint64_t walk,
                    const std::vector<std::string>& metInOrder);

  // Every link known below folder (a path ending in "\"), in the order a walk meets
  // them when nothing changed.
  std::vector<CachedLinkRef> LinksBelow(const std::string& folder) const;

  std::size_t size() const { return links_.size(); }
  bool empty() const { return links_.empty(); }
  void Clear();
  // Counts up whenever what the cache holds changes: a link added, changed or gone.
  std::uint64_t version() const { return version_; }

  // The cache as the lines of its file, and back. FromLines takes anything: lines
  // that are not a whole, intact cache give an empty one (the links are read again).
  LineList ToLines() const;
  void FromLines(const LineList& lines);

 private:
  std::unordered_map<std::string, CachedLink> links_;
  std::uint64_t walks_ = 0;
  std::uint64_t nextOrder_ = 0;
  std::uint64_t version_ = 0;
};

// Where the cache's lines are kept between runs (the data directory's Links.sts).
class LinkCacheStorage {
 public:
  virtual ~LinkCacheStorage() = default;
  // The lines last saved; none when there are none or they cannot be read.
  virtual LineList LoadLines() = 0;
  // Replaces what was saved. The cache can always be built again, so a failure only
  // costs the next run the time to read the links again.
  virtual void SaveLines(const LineList& lines) = 0;
};

// A link reader whose walks answer from the cache for every link whose size and last
// write are unchanged, and read only the others through the reader it wraps. Links
// asked for outside a walk are always read afresh. The cache is loaded from the
// storage at its first use, and saved after a walk that met every link of its folder
// and changed something.
class CachingLinkReader : public LinkReader {
 public:
  explicit CachingLinkReader(LinkReader& reader, LinkCacheStorage* storage = nullptr)
      : reader_(reader), storage_(storage) {}

  bool ResolveLink(LinkInfo& info, const std::string& linkPath) override {
    return reader_.ResolveLink(info, linkPath);
  }
  std::unique_ptr<LinkWalk> StartWalk(const std::string& folder) override;

  // The cache, loaded first if it was not yet.
  LinkCache& cache();
  // Saves the cache if it changed since it was loaded or last saved.
  void SaveIfChanged();
  LinkReader& reader() { return reader_; }

 private:
  class Walk;

  LinkReader& reader_;
  LinkCacheStorage* storage_;
  LinkCache cache_;
  bool loaded_ = false;
  std::uint64_t savedVersion_ = 0;
};

}  // namespace tessaly
