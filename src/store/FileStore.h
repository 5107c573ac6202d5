#pragma once
// The data files as the core sees them. Every write replaces the target as a whole:
// the implementation writes a temporary file beside it and swaps it in, so a failed
// write leaves the previous file intact.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/LineList.h"

// <windows.h> defines CopyFile as a macro for CopyFileA or CopyFileW; wherever it came
// first it would rename the member below and break every override.
#ifdef CopyFile
#undef CopyFile
#endif

namespace tessaly {

// What the file system says of a file without opening it: enough to tell, before a
// write, whether another program has written the file since it was last read.
struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::uint64_t lastWrite = 0;  // the file system's time of the last write, in its own units
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct WriteResult {
  WriteResult(bool succeeded = true, std::string reason = {}, FileStamp written = {})
      : ok(succeeded), error(std::move(reason)), stamp(written) {}
  bool ok = true;
  std::string error;  // the system's reason when !ok
  // The file as written, when ok: taken from the temporary file before it was swapped
  // in, while no other program knew it, so that it never describes another's write.
  FileStamp stamp;
  explicit operator bool() const { return ok; }
};

// A file that exists but cannot be read is not an empty file: whatever would be
// written from an empty state would replace what could not be read.
enum class ReadStatus { Missing, Read, Failed };

struct ReadResult {
  ReadResult(ReadStatus read = ReadStatus::Missing, std::string content = {},
             std::string reason = {}, FileStamp found = {})
      : status(read), bytes(std::move(content)), error(std::move(reason)), stamp(found) {}
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // the whole file when Read
  std::string error;  // the system's reason when it could not be read
  // The file when Read, taken before its bytes: a write that comes during the read
  // shows as a change at the next look.
  FileStamp stamp;
  bool failed() const { return status == ReadStatus::Failed; }
};

class FileStore {
 public:
  virtual ~FileStore() = default;

  // True when a file (not a folder) exists at path.
  virtual bool FileExists(const std::string& path) = 0;
  // Size and time of the last write of the file at path; !exists when there is no file.
  virtual FileStamp Stat(const std::string& path) = 0;
  // A file held open by another program for a moment (a sync tool, a scanner) is
  // waited for before the read fails.
  virtual ReadResult ReadFile(const std::string& path) = 0;
  // Replaces the file at path with bytes. A target held open by another program for a
  // moment is waited for before the write fails.
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

  // The names of the files (not folders) in the folder (a path ending in "\").
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
  // Creates the folder unless it exists already.
  [[nodiscard]] virtual WriteResult CreateFolder(const std::string& path) = 0;
  // Deletes the file; false when it could not.
  virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace tessaly
