#include "store/DataFile.h"

#include <algorithm>
#include <iterator>

#include "base/Text.h"
#include "store/Backups.h"

namespace tessaly {

ReadResult LoadLines(FileStore& files, const std::string& path, LineList& lines) {
  ReadResult result = files.ReadFile(path);
  if (result.status == ReadStatus::Failed) return result;
  lines = result.status == ReadStatus::Read ? SplitLines(result.bytes) : LineList{};
  result.bytes.clear();
  return result;
}

std::string ReadFailureText(const std::string& path, const std::string& reason) {
  std::string text = "Tessaly could not read the file '" + path + "'";
  if (!reason.empty()) text += ": " + reason;
  text +=
      ".\n\nTry Again: read it again (close the program that holds it first).\n"
      "Cancel: end Tessaly without changing any file.";
  return text;
}

std::string WriteFailureText(const std::string& path, const std::string& reason) {
  std::string text = "Could not save the file '" + path + "'";
  if (!reason.empty()) text += ": " + reason;
  text += ".\nThe previous file is unchanged; your change is kept and saved again with the next change.";
  return text;
}

std::string ConflictText(const std::string& path, const std::vector<std::string>& parts,
                         const std::string& keptAt) {
  std::string text = "Another program changed '" + path + "' while Tessaly had it open, in ";
  text += parts.size() == 1 ? "a place you changed too: " : "places you changed too: ";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : ", ") + parts[i];
  text += ".\n\nYour change stands. The other version of the file is kept as '" + keptAt + "'.";
  return text;
}

namespace {

bool EndsWithLineEnd(const std::string& bytes) {
  return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

// What one read of a changed file looks like.
enum class Look { Whole, CutShort, Emptied, Unreadable, Moving };

// Pauses between the looks at a file that another program may be writing: about a
// second in all, growing, so that a quick writer costs little.
constexpr int kSettlePauses[] = {50, 100, 150, 300, 400};

}  // namespace

ReadResult DataFile::Load(LineList& lines) {
  ReadResult result = files_.ReadFile(path_);
  if (result.status == ReadStatus::Failed) return result;
  lines = result.status == ReadStatus::Read ? SplitLines(result.bytes) : LineList{};
  known_ = {result.status == ReadStatus::Read ? result.stamp : FileStamp{},
            result.bytes.empty() || EndsWithLineEnd(result.bytes)};
  refused_.reset();
  result.bytes.clear();
  return result;
}

DiskCheck DataFile::Check(Patience patience, const LineList* known) {
  const FileStamp now = files_.Stat(path_);
  if (now == known_.stamp) return {};
  if (patience == Patience::Glance && refused_ && *refused_ == now) {
    return {DiskState::Unsettled, {}, {}, {}};
  }
  const bool hadLines = known_.stamp.exists && known_.stamp.size > 0;
  ReadResult read;
  Look look = Look::Unreadable;
  for (std::size_t attempt = 0;; ++attempt) {
    read = files_.ReadFile(path_);
    if (read.status == ReadStatus::Failed) {
      look = Look::Unreadable;
    } else if (read.status == ReadStatus::Read && files_.Stat(path_) != read.stamp) {
      // Written to while it was read: a writer is at work in the file itself.
      look = Look::Moving;
    } else if (read.bytes.empty()) {
      look = hadLines ? Look::Emptied : Look::Whole;
    } else if (!EndsWithLineEnd(read.bytes) && hadLines && known_.endsWithLineEnd) {
      look = Look::CutShort;
    } else {
      look = Look::Whole;
    }
    if (look == Look::Whole || attempt == std::size(kSettlePauses)) break;
    clock_.Pause(kSettlePauses[attempt]);
  }
  if (look == Look::Emptied || look == Look::Unreadable || look == Look::Moving) {
    // Refused by its stamp before the read, so that a later write to it is looked at.
    refused_ = now;
    if (look == Look::Emptied) return {DiskState::Gone, {}, {}, {}};
    return {DiskState::Unsettled, {}, {},
            look == Look::Moving ? "another program is still writing it" : read.error};
  }
  refused_.reset();
  DiskCheck check;
  check.lines = SplitLines(read.bytes);
  check.version = {read.status == ReadStatus::Read ? read.stamp : FileStamp{},
                   read.bytes.empty() || EndsWithLineEnd(read.bytes)};
  if (known != nullptr && check.lines == *known) {
    // Written again with the same lines (or only touched): nothing to merge.
    known_ = check.version;
    return {};
  }
  check.state = DiskState::Changed;
  return check;
}

WriteResult DataFile::Write(const LineList& lines) {
  const std::int64_t now = clock_.SteadyMilliseconds();
  if (!lastBackup_ || now - *lastBackup_ >= kBackupSpacingMs) {
    // A backup that cannot be made must not keep the change from the file; it is
    // tried again with the next write. A file not there yet has nothing to keep.
    if (!files_.FileExists(path_)) {
      lastBackup_ = now;
    } else {
      Backup(nullptr);
    }
  }
  WriteResult result = files_.WriteLines(path_, lines);
  if (!result) return result;
  known_ = {result.stamp, true};
  refused_.reset();
  return result;
}

DataFile::Kept DataFile::KeepAside(const LineList& lines) { return Backup(&lines); }

DataFile::Kept DataFile::Backup(const LineList* lines) {
  const std::string folder = BackupFolderOf(path_);
  const WriteResult made = files_.CreateFolder(folder);
  if (!made) return {std::nullopt, made.error};
  std::vector<std::string> names = files_.ListFiles(folder);
  const std::size_t slash = FindLastOf(path_, "\\/");
  const std::string fileName = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  // A copy that a kill cut short would otherwise lie there for good.
  const std::vector<std::string> interrupted = InterruptedBackups(fileName, names);
  for (const std::string& backup : interrupted) (void)files_.RecoverInterruptedWrite(folder + backup);
  if (!interrupted.empty()) names = files_.ListFiles(folder);
  const LocalTime time = clock_.Now();
  std::string name = BackupName(fileName, time);
  for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n) {
    name = BackupName(fileName, time, n);
  }
  const std::string target = folder + name;
  const WriteResult written =
      lines != nullptr ? files_.WriteLines(target, *lines) : files_.CopyFile(path_, target);
  if (!written) return {std::nullopt, written.error};
  lastBackup_ = clock_.SteadyMilliseconds();
  names.push_back(name);
  for (const std::string& old : BackupsToRemove(fileName, names)) files_.RemoveFile(folder + old);
  return {target, {}};
}

bool MergeOutsideChanges(LineChanges& changes, DataFile& file, DiskCheck& check,
                         MessageBoxes& boxes,
                         const std::function<std::string(const std::string&)>& partName,
                         std::string* error) {
  LineChanges::Rebased rebased = changes.Rebase(check.lines);
  if (!rebased.conflicts.empty()) {
    const DataFile::Kept kept = file.KeepAside(check.lines);
    if (!kept.path) {
      *error = "the version another program wrote could not be kept: " + kept.error;
      return false;
    }
    std::vector<std::string> parts;
    for (const std::string& conflict : rebased.conflicts) parts.push_back(partName(conflict));
    boxes.Information(ConflictText(file.path(), parts, *kept.path));
  }
  changes.Adopt(std::move(rebased));
  file.Adopt(check);
  return true;
}

}  // namespace tessaly
