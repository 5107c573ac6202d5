#pragma once
// Folder listings and existence tests on the real file system.

#include <memory>
#include <string>

#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class Win32DirectoryLister : public DirectoryLister {
 public:
  std::unique_ptr<DirectoryListing> List(const std::string& pattern) override;
};

class Win32FileExistence : public FileExistence {
 public:
  bool FileOrFolderExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
};

}  // namespace tessaly::win32
