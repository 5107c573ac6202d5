#include "base/LineList.h"

#include <cstring>

namespace tessaly {

LineList SplitLines(std::string_view bytes) {
  LineList lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(bytes.substr(start, i - start));
      i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string JoinLines(const LineList& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

namespace {

// FNV-1a's step taken over eight bytes at a time: a multiply per byte would cost more
// than the write it checks.
constexpr std::uint64_t kPrime = 0x100000001b3ULL;
constexpr std::uint64_t kOffset = 0xcbf29ce484222325ULL;

inline std::uint64_t Step(std::uint64_t hash, std::uint64_t word) {
  hash = (hash ^ word) * kPrime;
  return hash ^ (hash >> 29);
}

}  // namespace

std::uint64_t HashLines(const LineList& lines) {
  std::uint64_t hash = kOffset;
  for (const std::string& line : lines) {
    const char* p = line.data();
    std::size_t left = line.size();
    for (; left >= 8; left -= 8, p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      hash = Step(hash, word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, left);
    // The length ends the line, so that "ab" + "c" and "a" + "bc" differ.
    hash = Step(Step(hash, tail), line.size());
  }
  return Step(hash, lines.size());
}

}  // namespace tessaly
