#include "shell/win32/Win32FileSystem.h"

#include <cstdint>
#include <cstring>

#include "base/win32/Handle.h"

namespace tessaly::win32 {

namespace {

class FindListing : public DirectoryListing {
 public:
  explicit FindListing(const std::string& pattern)
      : find_(::FindFirstFileA(pattern.c_str(), &data_)), pending_(static_cast<bool>(find_)) {}

  bool Next(DirectoryEntry& entry) override {
    if (!find_) return false;
    // The first entry came with FindFirstFileA; FindNextFileA gives the others.
    if (pending_) {
      pending_ = false;
    } else if (!::FindNextFileA(find_.get(), &data_)) {
      find_.reset();
      return false;
    }
    entry.name.assign(data_.cFileName, strnlen(data_.cFileName, MAX_PATH));
    entry.directory = (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = (static_cast<std::uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
    entry.writeTime = (static_cast<std::uint64_t>(data_.ftLastWriteTime.dwHighDateTime) << 32) |
                      data_.ftLastWriteTime.dwLowDateTime;
    return true;
  }

 private:
  WIN32_FIND_DATAA data_{};
  UniqueFind find_;
  bool pending_;
};

DWORD Attributes(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesA(path.c_str());
}

}  // namespace

std::unique_ptr<DirectoryListing> Win32DirectoryLister::List(const std::string& pattern) {
  return std::make_unique<FindListing>(pattern);
}

bool Win32FileExistence::FileOrFolderExists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileExistence::FolderExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tessaly::win32
