// Links.sts as anything may have left it: a file that reads at all reads back the very
// lines it holds, and a cache written from any links reads back whole, less the links
// whose texts would break a line.

#include "fuzz/FuzzSupport.h"
#include "shell/LinkCache.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  if (input.ConsumeBool()) {
    const LineList lines = SplitLines(input.ConsumeRemainingBytesAsString());
    LinkCache cache;
    cache.FromLines(lines);
    if (!cache.empty()) Check(cache.ToLines() == lines, "a cache that reads writes the same lines");
    return 0;
  }

  LinkCache cache;
  std::vector<std::pair<std::string, DirectoryEntry>> stored;
  while (input.remaining_bytes() > 0 && stored.size() < 64) {
    const std::string path = input.ConsumeRandomLengthString(40);
    DirectoryEntry entry;
    entry.size = input.ConsumeIntegral<std::uint64_t>();
    entry.writeTime = input.ConsumeIntegral<std::uint64_t>();
    LinkInfo info;
    info.Target = input.ConsumeRandomLengthString(40);
    info.Arguments = input.ConsumeRandomLengthString(20);
    cache.Store(path, entry, input.ConsumeBool(), info);
    stored.emplace_back(path, entry);
  }
  LinkCache read;
  read.FromLines(SplitLines(JoinLines(cache.ToLines())));
  for (const auto& [path, entry] : stored) {
    const CachedLink* original = cache.Find(path, entry);
    if (original == nullptr) continue;  // replaced by a later store of the same path
    const bool breaks = path.find_first_of("\r\n") != std::string::npos ||
                        original->target.find_first_of("\r\n") != std::string::npos ||
                        original->arguments.find_first_of("\r\n") != std::string::npos;
    const CachedLink* back = read.Find(path, entry);
    if (breaks) continue;
    Check(back != nullptr, "every link that fits in lines reads back");
    Check(back->resolved == original->resolved && back->target == original->target &&
              back->arguments == original->arguments,
          "a link reads back as it was stored");
  }
  return 0;
}
