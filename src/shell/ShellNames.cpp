#include "shell/ShellNames.h"

#include "base/Text.h"

namespace tessaly {

std::string StripExtension(std::string_view text) {
  const std::size_t dot = text.rfind('.');
  return std::string(dot == std::string_view::npos ? text : text.substr(0, dot));
}

std::string FileNamePart(std::string_view path) {
  const std::size_t cut = FindLastOf(path, "\\:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string NameExtension(std::string_view path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool HasExtension(std::string_view path, std::string_view lowerExtension) {
  return LowerAscii(NameExtension(path)) == lowerExtension;
}

std::string DefaultTitle(const std::string& path, FileExistence& existence) {
  if (existence.FolderExists(path)) {
    std::string folder = path;
    if (EndsWithBackslash(folder)) folder.pop_back();
    return FileNamePart(folder);
  }
  return StripExtension(FileNamePart(path));
}

bool IsAbsolutePath(std::string_view path) {
  const bool letter = path.size() >= 3 &&
                      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  const bool drive = letter && path[1] == ':' && path[2] == '\\';
  const bool unc = path.size() > 2 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
  return drive || unc;
}

}  // namespace tessaly
