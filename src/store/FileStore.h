#pragma once
// The data files as the core sees them. Every write replaces the target as a whole:
// the implementation writes a temporary file beside it and swaps it in, so a failed
// write leaves the previous file intact.

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

// A file that exists but cannot be read is not an empty file: whatever would be
// written from an empty state would replace what could not be read.
enum class ReadStatus { Missing, Read, Failed };

struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // the whole file when Read
  std::string error;  // the system's reason when it could not be read
  bool failed() const { return status == ReadStatus::Failed; }
};

class FileStore {
 public:
  virtual ~FileStore() = default;

  // True when a file (not a folder) exists at path.
  virtual bool FileExists(const std::string& path) = 0;
  virtual ReadResult ReadFile(const std::string& path) = 0;
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
  // Completes or undoes a replacement of path that was cut short by a kill or a power
  // cut, so that path holds one whole version (or, if it never had one, is absent)
  // and nothing of the replacement is left beside it. Run before the file is read.
  [[nodiscard]] virtual WriteResult RecoverInterruptedWrite(const std::string& path) = 0;
};

}  // namespace tessaly
