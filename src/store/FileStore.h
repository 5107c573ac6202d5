#pragma once
// The data files as the core sees them. Every write replaces the target as a whole:
// the implementation writes a temporary file beside it and swaps it in, so a failed
// write leaves the previous file intact.

#include <optional>
#include <string>
#include <string_view>

#include "base/LineList.h"

// <windows.h> defines CopyFile as a macro for CopyFileA or CopyFileW; wherever it came
// first it would rename the member below and break every override.
#ifdef CopyFile
#undef CopyFile
#endif

namespace tessaly {

struct WriteResult {
  bool ok = true;
  std::string error;  // the system's reason when !ok
  explicit operator bool() const { return ok; }
};

class FileStore {
 public:
  virtual ~FileStore() = default;

  // True when a file (not a folder) exists at path.
  virtual bool FileExists(const std::string& path) = 0;
  // The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Replaces the file at path with bytes.
  [[nodiscard]] virtual WriteResult WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Replaces the file at path with the lines, each followed by CR LF: the bytes of
  // JoinLines(lines). A store that can write in pieces overrides it, so that a large
  // file is never held twice in memory.
  [[nodiscard]] virtual WriteResult WriteLines(const std::string& path, const LineList& lines) {
    return WriteFile(path, JoinLines(lines));
  }
  // Replaces the file at target with a copy of the file at source.
  [[nodiscard]] virtual WriteResult CopyFile(const std::string& source, const std::string& target) = 0;
};

}  // namespace tessaly
