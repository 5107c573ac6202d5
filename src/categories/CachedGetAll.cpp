#include "categories/CachedGetAll.h"

#include <string>
#include <vector>

namespace tessaly {

namespace {

// As ScanGetAll: the start menu of all users first, then the user's, and the word
// that marks uninstallers.
constexpr int kStartMenus[] = {folder_id::CommonStartMenu, folder_id::StartMenu};
constexpr const char* kUninstallWord = "Uninstall";

}  // namespace

std::optional<LineList> GetAllFromCache(const LinkCache& cache, Folders& folders) {
  if (cache.empty()) return std::nullopt;
  LineList lines;
  for (const int id : kStartMenus) {
    LineList part = StartMenuFromCache(cache, folders.SpecialFolderPath(id), kUninstallWord);
    lines.insert(lines.end(), std::make_move_iterator(part.begin()),
                 std::make_move_iterator(part.end()));
  }
  return lines;
}

std::unique_ptr<StartMenuCheck> StartGetAllCheck(CachingLinkReader& links, DirectoryLister& lister,
                                                 Folders& folders) {
  std::vector<std::string> menus;
  for (const int id : kStartMenus) menus.push_back(folders.SpecialFolderPath(id));
  return std::make_unique<StartMenuCheck>(links, lister, std::move(menus));
}

}  // namespace tessaly
