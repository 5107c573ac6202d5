#include "categories/CategorySelection.h"

#include <algorithm>
#include <tuple>

#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

constexpr int kSpecialFolders[] = {
    folder_id::MyComputer, folder_id::Network,      folder_id::MyDocuments, folder_id::MyMusic,
    folder_id::MyPictures, folder_id::Favorites,    folder_id::ProgramFiles, folder_id::Profile,
};

struct SystemTool {
  const char* fileName;
  const char* fallbackFileName;  // looked up when the first name is not found
  bool controlPanelFallback;     // else the Control Panel folder's path
  const char* title;
};

constexpr SystemTool kSystemTools[] = {
    {"regedit32.exe", "regedit.exe", false, "Registry Editor"},
    {"msconfig.exe", nullptr, false, "System Configue"},
    {"explorer.exe", nullptr, false, "Windows Explorer"},
    {"control.exe", nullptr, true, "Control Panel"},
    {"taskmgr.exe", nullptr, false, "Task Manager"},
    {"msinfo32.exe", nullptr, false, "System Info"},
    {"compmgmt.msc", nullptr, false, "Computer Management"},
};

constexpr const char* kUninstallWord = "Uninstall";
constexpr const char* kQuickLaunch = "Microsoft\\Internet Explorer\\Quick Launch";

}  // namespace

void ScanGetAll(ShellScans& scans, Folders& folders, const std::function<bool()>& stillCurrent) {
  scans.flags.GetAllScanActive = true;
  scans.StartMenuDepth = 0;
  scans.ScanStartMenu(folders.SpecialFolderPath(folder_id::CommonStartMenu), kUninstallWord);
  if (stillCurrent()) {
    scans.ScanStartMenu(folders.SpecialFolderPath(folder_id::StartMenu), kUninstallWord);
  }
}

bool IsComputedCategory(const CategoryNode& node) {
  if (IsGetAll(node)) return true;
  for (const auto name : {builtin::Popular, builtin::Recent, builtin::Folders, builtin::Windows}) {
    if (IsNamedAt(node, name, 0)) return true;
  }
  return false;
}

void CategorySelection::RememberLatest(const std::string& name, Shortcuts entries) {
  latest_[name] = std::move(entries);
  ++resultsVersion_;
}

void CategorySelection::Select(const CategoryNode* node) {
  // First of all, so that a scan still running for the previous selection stops at
  // its next check.
  scans_.flags.ClearAll();
  const unsigned generation = adder_.NextGeneration();
  ShortcutList& list = adder_.list();
  selected_ = node;
  filling_ = node;
  // However this run ends, a filling it still owns is over; one that overtook it is not.
  struct Done {
    CategorySelection& selection;
    unsigned generation;
    ~Done() {
      if (selection.Current(generation)) selection.filling_ = nullptr;
    }
  } done{*this, generation};

  if (node == nullptr) {
    list.ShowNothing();
    adder_.status().SetStatusText(ItemCountText(0));
    return;
  }

  if (!IsGetAll(*node)) {
    if (std::optional<Shortcuts> stored = store_.SectionEntries(*node)) {
      list.ShowCategory(*node, std::move(*stored));
      adder_.status().SetStatusText(ItemCountText(list.Count()));
      return;
    }
  }

  list.BeginUpdate();
  list.BeginFilling(*node);
  cursor_.SetBusy(true);
  Fill(*node, generation);
  // A filling overtaken by a nested selection leaves the list to that selection: it
  // neither sorts it nor stores it under any category.
  const bool current = Current(generation);
  if (current) {
    list.SortByTitle({});
    list.EndFilling();
    if (IsComputedCategory(*node)) RememberLatest(node->name, list.entries());
  }
  cursor_.SetBusy(false);
  list.EndUpdate();
  if (current) adder_.status().SetStatusText(ItemCountText(list.Count()));
}

bool CategorySelection::EnsureWhole() {
  const ShortcutList& list = adder_.list();
  if (list.source() != ShortcutList::Source::Category || list.category() == nullptr) return false;
  if (list.whole()) return true;
  // A scan cannot go on from inside the message it is waiting for; it starts again.
  const ListEntryAdder::AtOnce atOnce(adder_);
  Select(list.category());
  return list.whole();
}

void CategorySelection::StopFilling() {
  if (filling_ == nullptr) return;
  scans_.flags.ClearAll();
  adder_.NextGeneration();
  filling_ = nullptr;
}

void CategorySelection::Forget(const CategoryNode& node) {
  const auto inBranch = [&](const CategoryNode* n) {
    return n != nullptr && CategoryTree::IsSelfOrAncestor(node, *n);
  };
  if (inBranch(filling_)) StopFilling();
  if (inBranch(selected_)) selected_ = nullptr;
  if (inBranch(adder_.list().category())) adder_.list().ShowNothing();
}

void CategorySelection::ScanGetAllOnce(const CategoryTree& tree, ShellScans& hiddenScans,
                                       ShortcutList& hiddenList) {
  if (!HasGetAll(tree) || latest_.count(std::string(builtin::GetAll)) != 0) return;
  hiddenList.ShowNothing();
  ScanGetAll(hiddenScans, folders_, [] { return true; });
  RememberLatest(std::string(builtin::GetAll), hiddenList.entries());
  hiddenList.ShowNothing();
}

bool CategorySelection::RememberGetAll(const LineList& lines) {
  Shortcuts entries;
  entries.reserve(lines.size() / 2);
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) entries.push_back({lines[i], lines[i + 1]});
  // The scans' order and the list's differ: the same entries are the same "Get All".
  const auto byTitle = [](const Shortcut& a, const Shortcut& b) {
    return std::tie(a.title, a.target) < std::tie(b.title, b.target);
  };
  Shortcuts sorted = entries;
  std::sort(sorted.begin(), sorted.end(), byTitle);
  const std::string name(builtin::GetAll);
  if (const auto known = latest_.find(name); known != latest_.end()) {
    Shortcuts before = known->second;
    std::sort(before.begin(), before.end(), byTitle);
    if (before == sorted) return false;
  }
  RememberLatest(name, std::move(entries));
  return true;
}

bool CategorySelection::FollowFolderChange(std::string_view name) {
  if (selected_ == nullptr || selected_->name != name) return false;
  const bool builtIn = name == builtin::GetAll
                           ? IsGetAll(*selected_)
                           : selected_->level() == 0 && (name == builtin::Recent || name == builtin::Popular);
  return builtIn && ShowShownAgain();
}

bool CategorySelection::ShowShownAgain() {
  const ShortcutList& list = adder_.list();
  if (selected_ == nullptr || filling_ != nullptr || list.source() != ShortcutList::Source::Category ||
      list.category() != selected_) {
    return false;
  }
  Select(selected_);
  return true;
}

void CategorySelection::Fill(const CategoryNode& node, unsigned generation) {
  if (IsGetAll(node)) {
    ScanGetAll(scans_, folders_, [&] { return Current(generation); });
  } else if (IsNamedAt(node, builtin::Popular, 0)) {
    scans_.flags.PopularScanActive = true;
    scans_.ScanFolderLinks(folders_.SpecialFolderPath(folder_id::Desktop));
    const std::string appData = folders_.SpecialFolderPath(folder_id::AppData);
    // Without an application-data folder there is no Quick Launch bar to scan.
    if (Current(generation) && !appData.empty()) scans_.ScanFolderLinks(appData + kQuickLaunch);
    if (Current(generation)) store_.SaveCategorySection(node, adder_.list().entries());
  } else if (IsNamedAt(node, builtin::Recent, 0)) {
    scans_.flags.RecentScanActive = true;
    scans_.ScanRecentFolder(folder_id::Recent);
  } else if (IsNamedAt(node, builtin::Folders, 0)) {
    scans_.flags.FoldersScanActive = true;
    FillFolders(generation);
  } else if (IsNamedAt(node, builtin::Windows, 0)) {
    scans_.flags.WindowsScanActive = true;
    FillWindowsTools(generation);
  }
}

void CategorySelection::FillFolders(unsigned generation) {
  for (const int id : kSpecialFolders) {
    const std::string path = folders_.SpecialFolderPath(id);
    if (!path.empty()) adder_.AddListEntry(DefaultTitle(path, existence_), path);
  }
  adder_.ProcessPendingMessages();
  if (!Current(generation)) return;
  if (scans_.FolderCache.empty()) {
    scans_.ScanRecentFolderLinks(folder_id::Recent);
  } else {
    scans_.ReplayFolderCache(scans_.FolderCache);
  }
}

void CategorySelection::FillWindowsTools(unsigned generation) {
  for (const SystemTool& tool : kSystemTools) {
    if (!Current(generation)) return;
    std::string path = scans_.FindSystemTool(tool.fileName);
    if (path.empty() && tool.fallbackFileName != nullptr) {
      path = scans_.FindSystemTool(tool.fallbackFileName);
    }
    if (path.empty() && tool.controlPanelFallback) {
      path = folders_.SpecialFolderPath(folder_id::ControlPanel);
    }
    if (!path.empty()) adder_.AddListEntry(tool.title, path);
  }
}

}  // namespace tessaly
