#pragma once
// The data files on a real disk. Every write goes through one atomic replacement:
// a uniquely named temporary file beside the target is filled and flushed, then
// swapped in, so a failure at any step leaves the previous file whole, and a kill at
// any step leaves files from which the next start recovers one whole version. A file
// that another program holds open for a moment (a sync tool, a virus scanner) is
// waited for, about a second, before a read or a write of it fails.

#include <windows.h>

// NOTE: <windows.h> maps CopyFile to CopyFileA. FileStore.h drops the macro when it
// comes second; this covers the files that included it before <windows.h>.
#ifdef CopyFile
#undef CopyFile
#endif

#include <string>

#include "store/FileStore.h"

namespace tessaly::win32 {

class Win32FileStore : public FileStore {
 public:
  bool FileExists(const std::string& path) override;
  FileStamp Stat(const std::string& path) override;
  ReadResult ReadFile(const std::string& path) override;
  [[nodiscard]] WriteResult WriteFile(const std::string& path, std::string_view bytes) override;
  [[nodiscard]] WriteResult WriteLines(const std::string& path, const LineList& lines) override;
  [[nodiscard]] WriteResult CopyFile(const std::string& source, const std::string& target) override;
  [[nodiscard]] WriteResult RecoverInterruptedWrite(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
  [[nodiscard]] WriteResult CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
};

}  // namespace tessaly::win32
