#include "support/win32/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tessaly::testing {

namespace {

std::string UniqueName() {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::ostringstream name;
  name << "tessaly-test-" << std::hex << ticks << "-" << ++counter;
  return name.str();
}

void MakeFolders(const std::string& path) {
  for (std::size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      const std::string part = path.substr(0, i);
      if (!part.empty()) ::CreateDirectoryA(part.c_str(), nullptr);
    }
  }
}

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathA(MAX_PATH + 1, base);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
  path_ = std::string(base) + UniqueName() + "\\";
  MakeFolders(path_);
  if ((::GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    throw std::runtime_error("cannot create " + path_);
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Make(const std::string& relative) const {
  const std::string full = path_ + relative;
  MakeFolders(full);
  return full;
}

std::string TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
  const std::string full = path_ + relative;
  const auto slash = full.find_last_of('\\');
  MakeFolders(full.substr(0, slash));
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full);
  return full;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool PathExists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = folder + "\\" + name;
      ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(full);
      } else {
        ::DeleteFileA(full.c_str());
      }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace tessaly::testing
