#include "shell/Scans.h"

#include "base/Text.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

// Only an absolute path may be enumerated. An empty folder path (the shell could not
// name the folder), or one that became relative because its base was empty, would
// otherwise make "*.*" list the working directory, and "\" the root of the drive.
bool IsScannableFolder(const std::string& path) { return IsAbsolutePath(path); }

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// An empty exclusion word excludes nothing (as a substring it would be found in every
// title and hide every program).
bool ContainsWord(const std::string& text, const std::string& word) {
  return !word.empty() && ContainsText(text, word);
}

}  // namespace

std::optional<std::string> StartMenuCaption(const std::string& title, const LinkInfo* link,
                                            const std::string& exclusionWord) {
  if (link == nullptr) {
    if (ContainsText(title, "unins")) return std::nullopt;
    return title;
  }
  // A link with arguments counts as a program only when the arguments name one:
  // that is how launcher stubs that run another program are recognised.
  const std::string& candidate = link->Arguments.empty() ? link->Target : link->Arguments;
  const bool program = HasExtension(candidate, ".exe") && !ContainsWord(title, exclusionWord) &&
                       !ContainsText(StripExtension(candidate), "unins");
  if (!program) return std::nullopt;
  return StripExtension(title);
}

void ShellScans::ScanRecentFolder(int folderId) {
  const std::string folder = folders_.SpecialFolderPath(folderId);
  if (!IsScannableFolder(folder)) return;

  const unsigned generation = adder_.generation();
  const auto listing = lister_.List(folder + "*.*");
  DirectoryEntry entry;
  bool first = true;
  while (listing->Next(entry)) {
    const bool later = !first;
    first = false;
    if (later && !Still(flags.RecentScanActive, generation)) return;
    if (IsDotEntry(entry.name)) continue;
    adder_.AddListEntry(StripExtension(entry.name), folder + entry.name);
    if (later) adder_.ProcessPendingMessages();
  }
}

void ShellScans::ScanRecentFolderLinks(int folderId) {
  const std::string folder = folders_.SpecialFolderPath(folderId);
  if (!IsScannableFolder(folder)) return;

  const unsigned generation = adder_.generation();
  LinkInfo link;
  const auto listing = lister_.List(folder + "*.*");
  DirectoryEntry entry;
  bool first = true;
  while (listing->Next(entry)) {
    const bool later = !first;
    first = false;
    if (later && !Still(flags.FoldersScanActive, generation)) return;
    if (IsDotEntry(entry.name)) continue;

    if (HasExtension(entry.name, ".lnk")) {
      const std::string path = folder + entry.name;
      std::string caption;
      bool listed = false;
      if (links_.ResolveLink(link, path)) {
        if (!link.Target.empty() && files_.FolderExists(link.Target)) {
          // Resolving may have processed messages of its own (a message box).
          if (!Still(flags.FoldersScanActive, generation)) return;
          caption = StripExtension(link.Name);
          listed = true;
        }
      } else if (files_.FolderExists(path)) {
        caption = StripExtension(entry.name);
        listed = true;
      }
      if (listed) {
        FolderCache.push_back(caption);
        FolderCache.push_back(path);
        adder_.AddListEntry(caption, path);
      }
    }
    if (later) adder_.ProcessPendingMessages();
  }
}

void ShellScans::ReplayFolderCache(const LineList& cache) {
  // Indexes and copies, not iterators or references: AddListEntry processes messages,
  // and a handler that runs meanwhile may append to the very list being replayed.
  // A selection made while messages are processed takes the list over: the replay
  // then stops instead of adding the rest of the folders to another category's list.
  const unsigned generation = adder_.generation();
  for (std::size_t i = 0; i < cache.size(); i += 2) {
    const std::string caption = cache[i];
    const std::string target = i + 1 < cache.size() ? cache[i + 1] : std::string();
    adder_.AddListEntry(caption, target);
    if (adder_.generation() != generation) return;
  }
}

void ShellScans::ScanFolderLinks(const std::string& folderPath) {
  if (!IsScannableFolder(folderPath)) return;
  const std::string folder = WithTrailingBackslash(folderPath);

  const unsigned generation = adder_.generation();
  const auto listing = lister_.List(folder + "*.*");
  DirectoryEntry entry;
  while (listing->Next(entry)) {
    adder_.ProcessPendingMessages();
    if (!Still(flags.PopularScanActive, generation)) return;
    if (StartsWithDot(entry.name)) continue;
    if (entry.directory || HasExtension(entry.name, ".lnk")) {
      adder_.AddListEntry(StripExtension(entry.name), folder + entry.name);
    }
  }
}

void ShellScans::ScanStartMenu(const std::string& folderPath, const std::string& exclusionWord) {
  if (!IsScannableFolder(folderPath)) return;
  // Only a walk from the top reaches every level a start menu is searched to.
  const bool fromTop = StartMenuDepth == 0;
  const auto walk = links_.StartWalk(WithTrailingBackslash(folderPath));
  const bool whole = ScanStartMenuFolder(folderPath, exclusionWord, adder_.generation(), *walk);
  if (whole && fromTop) walk->Complete();
}

bool ShellScans::ScanStartMenuFolder(const std::string& folderPath,
                                     const std::string& exclusionWord, unsigned generation,
                                     LinkWalk& walk) {
  const std::string folder = WithTrailingBackslash(folderPath);

  LinkInfo link;
  bool whole = true;
  const auto listing = lister_.List(folder + "*.*");
  DirectoryEntry entry;
  while (listing->Next(entry)) {
    adder_.ProcessPendingMessages();
    if (!Still(flags.GetAllScanActive, generation)) return false;
    if (StartsWithDot(entry.name)) continue;

    if (entry.directory) {
      if (StartMenuDepth < kStartMenuDepthLimit) {
        // Put back, not counted down: a nested "Get All" resets the depth meanwhile.
        const int depth = StartMenuDepth;
        StartMenuDepth = depth + 1;
        if (!ScanStartMenuFolder(folder + entry.name, exclusionWord, generation, walk)) {
          whole = false;
        }
        StartMenuDepth = depth;
      }
      continue;
    }
    if (!HasExtension(entry.name, ".lnk")) continue;

    const std::string title = StripExtension(entry.name);
    const std::string path = folder + entry.name;
    const bool resolved = walk.ResolveListedLink(link, path, entry);
    const auto caption = StartMenuCaption(title, resolved ? &link : nullptr, exclusionWord);
    if (!caption) continue;
    if (!Still(flags.GetAllScanActive, generation)) {
      if (resolved) return false;
      whole = false;
      continue;
    }
    adder_.AddListEntry(*caption, path);
  }
  return whole;
}

void ShellScans::FillToolFolders() {
  ToolFolders.push_back(folders_.SpecialFolderPath(folder_id::System));
  ToolFolders.push_back(folders_.SpecialFolderPath(folder_id::Windows));
  ToolFolders.push_back(folders_.SpecialFolderPath(folder_id::Programs));
}

std::string ShellScans::FindSystemTool(const std::string& fileName) {
  if (!flags.WindowsScanActive) return {};
  if (ToolFolders.empty()) FillToolFolders();

  for (std::size_t i = 0; i < ToolFolders.size(); ++i) {
    // A folder the shell could not name is kept as "" so that the list is not
    // refilled; it is never searched.
    if (!IsScannableFolder(ToolFolders[i])) continue;
    const std::string folder = WithTrailingBackslash(ToolFolders[i]);
    {
      const auto listing = lister_.List(folder + "*.*");
      DirectoryEntry entry;
      bool first = true;
      while (listing->Next(entry)) {
        if (entry.name == fileName) return folder + fileName;
        if (!first && !flags.WindowsScanActive) break;
        first = false;
      }
    }
    if (!flags.WindowsScanActive) return {};
  }
  return {};
}

}  // namespace tessaly
