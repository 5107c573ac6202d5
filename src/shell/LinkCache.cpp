#include "shell/LinkCache.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "base/Text.h"
#include "shell/ShellNames.h"

namespace tessaly {

// Links.sts, 8-bit text in the ANSI code page, lines ended by CR LF:
//
//   [Links 1]
//   then per link, in the order a walk meets them, four lines:
//     the link file's path
//     its size, last write (decimal) and "1" when it could be read, else "0",
//       separated by single blanks
//     the target read from it
//     the arguments read from it
//   [End <number of links> <checksum>]
//
// The checksum is FNV-1a (64 bits, 16 lower-case hex digits) over the link lines,
// each followed by LF. Anything else (no end line, a wrong count or checksum, a line
// that does not parse, a path twice) makes the whole file count as no cache.

namespace {

constexpr const char* kHeader = "[Links 1]";
constexpr std::size_t kLinesPerLink = 4;

class Checksum {
 public:
  void Add(const std::string& line) {
    for (const char c : line) Byte(static_cast<unsigned char>(c));
    Byte('\n');
  }
  std::string Text() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

 private:
  void Byte(unsigned char c) {
    hash_ ^= c;
    hash_ *= 0x100000001b3ULL;
  }
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

std::string EndLine(std::size_t count, const Checksum& sum) {
  return "[End " + std::to_string(count) + " " + sum.Text() + "]";
}

bool ParseNumber(std::string_view text, std::uint64_t& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "size time flag"
bool ParseStamp(const std::string& line, CachedLink& link) {
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos) return false;
  const std::string_view text(line);
  const std::string_view flag = text.substr(second + 1);
  if (flag != "0" && flag != "1") return false;
  link.resolved = flag == "1";
  return ParseNumber(text.substr(0, first), link.size) &&
         ParseNumber(text.substr(first + 1, second - first - 1), link.writeTime);
}

bool BreaksLines(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// A listing that gives no time cannot tell a changed link from an unchanged one.
bool HasStamp(const DirectoryEntry& entry) { return entry.writeTime != 0; }

}  // namespace

const CachedLink* LinkCache::Find(const std::string& path, const DirectoryEntry& entry) const {
  if (!HasStamp(entry)) return nullptr;
  const auto it = links_.find(path);
  if (it == links_.end()) return nullptr;
  const CachedLink& link = it->second;
  return link.size == entry.size && link.writeTime == entry.writeTime ? &link : nullptr;
}

void LinkCache::Store(const std::string& path, const DirectoryEntry& entry, bool resolved,
                      const LinkInfo& info) {
  if (path.empty() || !HasStamp(entry)) return;
  auto [it, added] = links_.try_emplace(path);
  CachedLink& link = it->second;
  const std::string& target = resolved ? info.Target : std::string();
  const std::string& arguments = resolved ? info.Arguments : std::string();
  if (!added && link.size == entry.size && link.writeTime == entry.writeTime &&
      link.resolved == resolved && link.target == target && link.arguments == arguments) {
    return;
  }
  if (added) link.order = nextOrder_++;
  link.size = entry.size;
  link.writeTime = entry.writeTime;
  link.resolved = resolved;
  link.target = target;
  link.arguments = arguments;
  ++version_;
}

void LinkCache::Met(const std::string& path, std::uint64_t walk) {
  const auto it = links_.find(path);
  if (it != links_.end()) it->second.seen = std::max(it->second.seen, walk);
}

void LinkCache::CompleteWalk(const std::string& folder, std::uint64_t walk,
                             const std::vector<std::string>& metInOrder) {
  // A walk that began later and met a link keeps it: walks may interleave, as a scan
  // and a check at idle do.
  for (auto it = links_.begin(); it != links_.end();) {
    if (it->second.seen < walk && StartsWith(it->first, folder)) {
      it = links_.erase(it);
      ++version_;
    } else {
      ++it;
    }
  }
  bool reordered = false;
  std::uint64_t previous = 0;
  bool first = true;
  for (const std::string& path : metInOrder) {
    const auto it = links_.find(path);
    if (it == links_.end()) continue;
    if (!first && it->second.order <= previous) reordered = true;
    previous = it->second.order;
    first = false;
    it->second.order = nextOrder_++;
  }
  // The order is what a list from the cache alone shows.
  if (reordered) ++version_;
}

std::vector<CachedLinkRef> LinkCache::LinksBelow(const std::string& folder) const {
  std::vector<CachedLinkRef> below;
  for (const auto& [path, link] : links_) {
    if (path.size() > folder.size() && StartsWith(path, folder)) below.push_back({&path, &link});
  }
  std::sort(below.begin(), below.end(), [](const CachedLinkRef& a, const CachedLinkRef& b) {
    return a.link->order < b.link->order;
  });
  return below;
}

void LinkCache::Clear() {
  if (links_.empty()) return;
  links_.clear();
  ++version_;
}

LineList LinkCache::ToLines() const {
  std::vector<const std::pair<const std::string, CachedLink>*> ordered;
  ordered.reserve(links_.size());
  for (const auto& entry : links_) {
    // Such a text would come back as several lines; the link is read again next run.
    if (BreaksLines(entry.first) || BreaksLines(entry.second.target) ||
        BreaksLines(entry.second.arguments)) {
      continue;
    }
    ordered.push_back(&entry);
  }
  std::sort(ordered.begin(), ordered.end(),
            [](const auto* a, const auto* b) { return a->second.order < b->second.order; });

  LineList lines;
  lines.reserve(ordered.size() * kLinesPerLink + 2);
  lines.push_back(kHeader);
  Checksum sum;
  for (const auto* entry : ordered) {
    const CachedLink& link = entry->second;
    const std::size_t first = lines.size();
    lines.push_back(entry->first);
    lines.push_back(std::to_string(link.size) + " " + std::to_string(link.writeTime) +
                    (link.resolved ? " 1" : " 0"));
    lines.push_back(link.target);
    lines.push_back(link.arguments);
    for (std::size_t i = first; i < lines.size(); ++i) sum.Add(lines[i]);
  }
  lines.push_back(EndLine(ordered.size(), sum));
  return lines;
}

void LinkCache::FromLines(const LineList& lines) {
  Clear();
  if (lines.size() < 2 || lines.front() != kHeader) return;
  const std::size_t body = lines.size() - 2;
  if (body % kLinesPerLink != 0) return;
  const std::size_t count = body / kLinesPerLink;

  Checksum sum;
  for (std::size_t i = 1; i <= body; ++i) sum.Add(lines[i]);
  if (lines.back() != EndLine(count, sum)) return;

  std::unordered_map<std::string, CachedLink> read;
  read.reserve(count);
  for (std::size_t n = 0; n < count; ++n) {
    const std::size_t at = 1 + n * kLinesPerLink;
    CachedLink link;
    if (lines[at].empty() || !ParseStamp(lines[at + 1], link)) return;
    if (!link.resolved && (!lines[at + 2].empty() || !lines[at + 3].empty())) return;
    link.target = lines[at + 2];
    link.arguments = lines[at + 3];
    link.order = n;
    if (!read.emplace(lines[at], std::move(link)).second) return;
  }
  links_ = std::move(read);
  nextOrder_ = count;
  ++version_;
}

// The walk of a caching reader: the links it knows come from the cache; the first
// one it does not know starts a walk of the wrapped reader for the rest.
class CachingLinkReader::Walk : public LinkWalk {
 public:
  Walk(CachingLinkReader& owner, std::string folder)
      : owner_(owner), folder_(std::move(folder)), id_(owner.cache().BeginWalk()) {}

  bool ResolveListedLink(LinkInfo& info, const std::string& linkPath,
                         const DirectoryEntry& entry) override {
    LinkCache& cache = owner_.cache_;
    met_.push_back(linkPath);
    const CachedLink* known = cache.Find(linkPath, entry);
    // A link that could not be read is read again: the failure may have been the
    // reader's (the component system refused), not the file's.
    if (known != nullptr && known->resolved) {
      cache.Met(linkPath, id_);
      info.Name = StripExtension(FileNamePart(linkPath));
      info.Target = known->target;
      info.Arguments = known->arguments;
      return true;
    }
    if (!inner_) inner_ = owner_.reader_.StartWalk(folder_);
    const bool resolved = inner_->ResolveListedLink(info, linkPath, entry);
    // Stored whichever way it went, so that a list from the cache alone shows it too.
    cache.Store(linkPath, entry, resolved, info);
    cache.Met(linkPath, id_);
    return resolved;
  }

  void Complete() override {
    if (inner_) inner_->Complete();
    owner_.cache_.CompleteWalk(folder_, id_, met_);
    owner_.SaveIfChanged();
  }

 private:
  CachingLinkReader& owner_;
  std::string folder_;
  std::uint64_t id_;
  std::vector<std::string> met_;
  std::unique_ptr<LinkWalk> inner_;
};

std::unique_ptr<LinkWalk> CachingLinkReader::StartWalk(const std::string& folder) {
  return std::make_unique<Walk>(*this, folder);
}

LinkCache& CachingLinkReader::cache() {
  if (!loaded_) {
    loaded_ = true;
    if (storage_ != nullptr) cache_.FromLines(storage_->LoadLines());
    savedVersion_ = cache_.version();
  }
  return cache_;
}

void CachingLinkReader::SaveIfChanged() {
  if (!loaded_ || storage_ == nullptr || cache_.version() == savedVersion_) return;
  savedVersion_ = cache_.version();
  storage_->SaveLines(cache_.ToLines());
}

}  // namespace tessaly
