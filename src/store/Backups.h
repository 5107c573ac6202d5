#pragma once
// The backup folder: copies of the data files, named by the time they were taken, in a
// folder "Backup" beside them; and the names sync tools give the copies they make when
// two computers changed the same file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Clock.h"

namespace tessaly {

inline constexpr std::size_t kKeptBackups = 10;
inline constexpr std::int64_t kBackupSpacingMs = 60LL * 60 * 1000;

// The folder of the file's backups: the file's own folder + "Backup\".
std::string BackupFolderOf(const std::string& path);

// "Shortcuts 2026-12-09 11-30-00.sts" for "Shortcuts.sts"; n > 1 adds " (n)" for a
// second backup within the same second.
std::string BackupName(const std::string& fileName, const LocalTime& time, int n = 1);

// Among the names in the backup folder, those to delete so that the newest `keep`
// backups of the file stay, and what an interrupted copy left of a backup. Names of
// any other form are the user's and are never named.
std::vector<std::string> BackupsToRemove(const std::string& fileName,
                                         const std::vector<std::string>& names,
                                         std::size_t keep = kKeptBackups);

// The backups of the file (by name) that a replacement cut short by a kill left
// leftovers of ("<backup>.~xxxxxxxx" and "<backup>.~xxxxxxxx.bak"): each is to be
// recovered as the data files are at start.
std::vector<std::string> InterruptedBackups(const std::string& fileName,
                                            const std::vector<std::string>& names);

// The names among the folder's files that sync tools made of one of the data files on
// a conflict: "Shortcuts (PC's conflicted copy 2026-12-09).sts",
// "Shortcuts-LAPTOP.sts", "Shortcuts.sync-conflict-20261209-113000-ABC.sts" and the like.
std::vector<std::string> SyncConflictCopies(const std::vector<std::string>& names);

// The notice at start that names them.
std::string SyncConflictText(const std::string& dataDirectory,
                             const std::vector<std::string>& copies);

}  // namespace tessaly
