#include "shell/win32/Win32Folders.h"

#include <shlobj.h>

#include <cstring>

#include "base/Text.h"
#include "base/win32/Handle.h"
#include "shell/ShellNames.h"

namespace tessaly::win32 {

std::string Win32Folders::SpecialFolderPath(int folderId) {
  ComPtr<IMalloc> allocator;
  if (FAILED(::SHGetMalloc(allocator.put()))) return {};
  LPITEMIDLIST items = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, folderId, &items)) || items == nullptr)
    return {};

  char buffer[MAX_PATH] = {};
  const bool named = ::SHGetPathFromIDListA(items, buffer) != FALSE;
  allocator->Free(items);
  const std::size_t length = strnlen(buffer, MAX_PATH);
  if (!named || length == 0 || length == MAX_PATH) return {};

  const std::string path(buffer, length);
  // NOTE: Wine names virtual folders too (Network comes back as "::{208d2c60-...}")
  // where Windows fails; such a name would be enumerated as a relative path. Only a
  // real file-system path counts.
  if (!IsAbsolutePath(path)) return {};
  return WithTrailingBackslash(path);
}

}  // namespace tessaly::win32
