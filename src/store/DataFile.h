#pragma once
// Reading and writing a data file as a line list, and the version of it that Tessaly
// last read or wrote: before every write it looks whether another program (a hand
// edit, a sync tool, a second Tessaly) has written the file since.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "store/FileStore.h"
#include "store/LineChanges.h"

namespace tessaly {

// Reads the file into lines: no lines when it is missing. When it exists but cannot be
// read, lines stay as they were and the result says why.
ReadResult LoadLines(FileStore& files, const std::string& path, LineList& lines);

// The text of the question after a failed read of path.
std::string ReadFailureText(const std::string& path, const std::string& reason);

// The error text for a failed write of path.
std::string WriteFailureText(const std::string& path, const std::string& reason);

// The information after a write that won over another program's change of the same
// part of the file: what both changed and where the other version is kept.
std::string ConflictText(const std::string& path, const std::vector<std::string>& parts,
                         const std::string& keptAt);

// One version of a data file: its stamp, and whether it ended with a line end.
struct FileVersion {
  FileStamp stamp;
  bool endsWithLineEnd = true;
};

// How the file on disk stands against the version last read or written.
enum class DiskState {
  Unchanged,  // that version still, or the same lines written again
  Changed,    // another program wrote other lines: they are in the check
  Gone,       // missing or empty where it had lines, look after look: nothing to merge with
  Unsettled,  // unreadable, look after look: not to be taken now
};

struct DiskCheck {
  DiskState state = DiskState::Unchanged;
  LineList lines;       // Changed: the file's lines now
  FileVersion version;  // Changed: the version they are
  std::string error;    // Unsettled: the system's reason, if there is one
};

// How long a look may take: before a write the user waits for the command anyway;
// while idle, a state already refused is not waited for again.
enum class Patience { Wait, Glance };

class DataFile {
 public:
  DataFile(FileStore& files, Clock& clock, std::string path)
      : files_(files), clock_(clock), path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // Reads the file as it is, as at start-up, and takes it as the version known.
  ReadResult Load(LineList& lines);

  // Looks whether the file is still the version known: its stamp first, which costs
  // no read. When the stamp has changed, reads the file; a file that reads as empty,
  // cut short, not at all, or that changes while it is read, is read again after short
  // pauses (about a second in all), as its writer may be in the middle. A file cut
  // short still after that is taken as it is (a hand edit without a last line end); an
  // empty or missing one is never taken for the user's data. known, when the caller
  // has them, are the lines of the version known: a file written again with the same
  // lines (or only touched) is then no change.
  DiskCheck Check(Patience patience, const LineList* known = nullptr);
  // Takes what a check found (and the caller merged) as the version known.
  void Adopt(const DiskCheck& check) { known_ = check.version; }

  // Writes the lines, first keeping the file as it is in the backup folder when a
  // backup is due (the first write of the run, then at most once an hour).
  [[nodiscard]] WriteResult Write(const LineList& lines);

  // Keeps another program's version of the file in the backup folder; its path, or the
  // reason it could not be kept.
  struct Kept {
    std::optional<std::string> path;
    std::string error;
  };
  Kept KeepAside(const LineList& lines);

 private:
  Kept Backup(const LineList* lines);

  FileStore& files_;
  Clock& clock_;
  std::string path_;
  FileVersion known_;
  // A stamp whose file was looked at and refused: an idle look does not wait for it again.
  std::optional<FileStamp> refused_;
  std::optional<std::int64_t> lastBackup_;
};

// Makes the changes in memory again on the lines another program wrote (check). When
// both changed the same part, the other version is kept aside and one message names
// each part (as partName words it) and where that version is. False, with why, when
// it could not be kept: nothing is changed then.
bool MergeOutsideChanges(LineChanges& changes, DataFile& file, DiskCheck& check,
                         MessageBoxes& boxes,
                         const std::function<std::string(const std::string&)>& partName,
                         std::string* error);

}  // namespace tessaly
