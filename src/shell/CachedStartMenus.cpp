#include "shell/CachedStartMenus.h"

#include "base/Text.h"
#include "shell/Scans.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

// Whether a scan from the top of its start menu reaches a link at relative (the
// part of its path below the start menu): no name on the way starts with "." and it
// lies no deeper than the scan goes.
bool ReachedByScan(std::string_view relative) {
  int folders = -1;
  for (;;) {
    const std::size_t cut = FindLastOf(relative, "\\");
    const std::string_view name =
        cut == std::string_view::npos ? relative : relative.substr(cut + 1);
    if (StartsWithDot(std::string(name))) return false;
    ++folders;
    if (cut == std::string_view::npos) break;
    relative = relative.substr(0, cut);
  }
  return folders <= kStartMenuDepthLimit;
}

}  // namespace

LineList StartMenuFromCache(const LinkCache& cache, const std::string& folderPath,
                            const std::string& exclusionWord) {
  LineList lines;
  if (!IsAbsolutePath(folderPath)) return lines;
  const std::string folder = WithTrailingBackslash(folderPath);
  LinkInfo info;
  for (const CachedLinkRef& ref : cache.LinksBelow(folder)) {
    const std::string& path = *ref.path;
    const std::string_view relative = std::string_view(path).substr(folder.size());
    if (!HasExtension(path, ".lnk") || !ReachedByScan(relative)) continue;
    info.Target = ref.link->target;
    info.Arguments = ref.link->arguments;
    const auto caption = StartMenuCaption(StripExtension(FileNamePart(path)),
                                          ref.link->resolved ? &info : nullptr, exclusionWord);
    if (!caption) continue;
    lines.push_back(*caption);
    lines.push_back(path);
  }
  return lines;
}

StartMenuCheck::StartMenuCheck(CachingLinkReader& links, DirectoryLister& lister,
                               std::vector<std::string> folders)
    : links_(links),
      lister_(lister),
      folders_(std::move(folders)),
      startVersion_(links.cache().version()) {}

StartMenuCheck::~StartMenuCheck() = default;

bool StartMenuCheck::changed() const { return links_.cache().version() != startVersion_; }

void StartMenuCheck::Enter(const std::string& folder, int depth) {
  Frame frame;
  frame.folder = WithTrailingBackslash(folder);
  frame.depth = depth;
  const auto listing = lister_.List(frame.folder + "*.*");
  DirectoryEntry entry;
  while (listing->Next(entry)) frame.entries.push_back(entry);
  stack_.push_back(std::move(frame));
}

bool StartMenuCheck::Step() {
  if (done_) return false;
  int reads = 0;
  for (;;) {
    if (stack_.empty()) {
      if (walk_) {
        walk_->Complete();
        walk_.reset();
      }
      if (nextFolder_ >= folders_.size()) {
        done_ = true;
        return false;
      }
      const std::string& folder = folders_[nextFolder_++];
      if (!IsAbsolutePath(folder)) continue;
      walk_ = links_.StartWalk(WithTrailingBackslash(folder));
      Enter(folder, 0);
      return true;
    }

    Frame& top = stack_.back();
    if (top.next >= top.entries.size()) {
      stack_.pop_back();
      continue;
    }
    const DirectoryEntry entry = top.entries[top.next++];
    if (StartsWithDot(entry.name)) continue;
    if (entry.directory) {
      if (top.depth < kStartMenuDepthLimit) {
        Enter(top.folder + entry.name, top.depth + 1);
        return true;
      }
      continue;
    }
    if (!HasExtension(entry.name, ".lnk")) continue;
    const std::string path = top.folder + entry.name;
    const CachedLink* known = links_.cache().Find(path, entry);
    walk_->ResolveListedLink(record_, path, entry);
    if ((known == nullptr || !known->resolved) && ++reads >= kReadsPerStep) return true;
  }
}

}  // namespace tessaly
