#pragma once
// The scans that fill the built-in categories from the file system, and the state
// they keep for the run.

#include <optional>
#include <string>

#include "base/LineList.h"
#include "shell/ListEntries.h"
#include "shell/ShellPorts.h"

namespace tessaly {

// One flag per scanned category. Every selection clears all five; the filling that
// runs sets its own, and its scan stops at the next check point once it is cleared.
// A nested selection of the same category sets the same flag again, so a scan also
// stops once the list's generation has moved on.
struct ScanCancelFlags {
  bool PopularScanActive = false;
  bool RecentScanActive = false;
  bool FoldersScanActive = false;
  bool GetAllScanActive = false;
  bool WindowsScanActive = false;

  void ClearAll() { *this = ScanCancelFlags{}; }
};

// How many folder levels below a start menu its scan goes down.
inline constexpr int kStartMenuDepthLimit = 6;

// Names beginning with "." are skipped by the desktop and start-menu scans; a nameless
// entry cannot be listed either.
inline bool StartsWithDot(const std::string& name) { return name.empty() || name.front() == '.'; }

// The caption a start-menu scan lists a link file under, given its title (the file
// name without ".lnk") and what was read from it (null when it could not be read);
// nothing when the link is left out.
std::optional<std::string> StartMenuCaption(const std::string& title, const LinkInfo* link,
                                            const std::string& exclusionWord);

class ShellScans {
 public:
  ShellScans(Folders& folders, LinkReader& links, DirectoryLister& lister, FileExistence& files,
             ListEntryAdder& adder)
      : folders_(folders), links_(links), lister_(lister), files_(files), adder_(adder) {}

  // Entries of the Recent folder, files and folders alike.
  void ScanRecentFolder(int folderId);
  // Links in the Recent folder that point to folders; each listed entry is also
  // recorded in FolderCache.
  void ScanRecentFolderLinks(int folderId);
  // Lists the caption/target pairs of cache.
  void ReplayFolderCache(const LineList& cache);
  // Sub-folders and links of one folder (the desktop, Quick Launch).
  void ScanFolderLinks(const std::string& folderPath);
  // Program links below a start menu, down to six folder levels. The links are read
  // through one walk of the reader, which learns when the scan met them all.
  void ScanStartMenu(const std::string& folderPath, const std::string& exclusionWord);
  // The complete path of the first file of exactly that name in ToolFolders, or "".
  std::string FindSystemTool(const std::string& fileName);

  ScanCancelFlags flags;
  int StartMenuDepth = 0;
  LineList FolderCache;
  LineList ToolFolders;

 private:
  void FillToolFolders();
  // False when the scan stopped before it met every link below folderPath.
  bool ScanStartMenuFolder(const std::string& folderPath, const std::string& exclusionWord,
                           unsigned generation, LinkWalk& walk);
  bool Still(bool flag, unsigned generation) const { return flag && adder_.generation() == generation; }

  Folders& folders_;
  LinkReader& links_;
  DirectoryLister& lister_;
  FileExistence& files_;
  ListEntryAdder& adder_;
};

}  // namespace tessaly
