// The floors of a start-menu scan: only what no scan can avoid, listing the folders,
// and listing them and loading every link through the shell's link object. Part of
// scan_bench.

#include <shlobj.h>
#include <windows.h>

#include <string>

#include "base/win32/Handle.h"

namespace tessaly::bench {

namespace {

using win32::ComPtr;

bool LoadLink(const std::string& path) {
  wchar_t wide[MAX_PATH];
  if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) return false;
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void()))) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
  if (FAILED(file->Load(wide, 1))) return false;  // the access mode the product loads with
  char target[MAX_PATH] = {};
  link->GetPath(target, MAX_PATH, nullptr, 0);
  return true;
}

// Without comPerLink and load, only lists: every folder, and each link found counted.
int LoadLinksBelow(const std::string& folder, int depth, bool comPerLink, bool load = true) {
  int loaded = 0;
  WIN32_FIND_DATAA data;
  win32::UniqueFind find(::FindFirstFileA((folder + "*.*").c_str(), &data));
  if (!find) return 0;
  do {
    const std::string name = data.cFileName;
    if (name.empty() || name[0] == '.') continue;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (depth < 6) loaded += LoadLinksBelow(folder + name + "\\", depth + 1, comPerLink, load);
      continue;
    }
    if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".lnk") != 0) continue;
    if (!load) {
      ++loaded;
    } else if (comPerLink) {
      const win32::ComScope com;
      loaded += LoadLink(folder + name) ? 1 : 0;
    } else {
      loaded += LoadLink(folder + name) ? 1 : 0;
    }
  } while (::FindNextFileA(find.get(), &data));
  return loaded;
}

}  // namespace

// Lists every folder down to six levels below folder (which ends in "\") and loads
// each link; the result is the number of links loaded. With comPerLink the component
// system is entered and left around each link, as the product does; without it, once
// for the whole walk.
int LoadAllLinks(const std::string& folder, bool comPerLink) {
  if (comPerLink) return LoadLinksBelow(folder, 0, true);
  const win32::ComScope com;
  return LoadLinksBelow(folder, 0, false);
}

// Lists the same folders as LoadAllLinks and counts the links without opening any.
int ListAllLinks(const std::string& folder) { return LoadLinksBelow(folder, 0, false, false); }

}  // namespace tessaly::bench
