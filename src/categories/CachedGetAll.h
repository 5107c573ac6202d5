#pragma once
// "Get All" from the link cache: its entries before any link is opened, and the
// check at idle that keeps the cache true to the start menus.

#include <memory>
#include <optional>

#include "base/LineList.h"
#include "shell/CachedStartMenus.h"
#include "shell/LinkCache.h"
#include "shell/ShellPorts.h"

namespace tessaly {

// What ScanGetAll would list, as title and target lines in the scans' order (the
// list sorts them afterwards), if no link changed since the cache last met them:
// the search can hold "Get All" from the window's first paint on. Nothing while the
// cache knows no link at all (the first run, or Links.sts deleted): a scan is then
// the only way to know.
std::optional<LineList> GetAllFromCache(const LinkCache& cache, Folders& folders);

// A check of the cache against "Get All"'s two start menus, to be stepped while the
// program is idle. Once it is done and changed(), GetAllFromCache gives a new list.
std::unique_ptr<StartMenuCheck> StartGetAllCheck(CachingLinkReader& links, DirectoryLister& lister,
                                                 Folders& folders);

}  // namespace tessaly
