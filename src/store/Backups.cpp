#include "store/Backups.h"

#include <algorithm>
#include <tuple>

#include "base/Text.h"

namespace tessaly {

namespace {

struct NameParts {
  std::string stem;       // "Shortcuts"
  std::string extension;  // ".sts", or empty
};

NameParts Split(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) return {fileName, {}};
  return {fileName.substr(0, dot), fileName.substr(dot)};
}

// "2026-12-09 11-30-00": digits where FileNameTime puts them.
bool IsFileNameTime(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-dd dd-dd-dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return false;
  }
  return true;
}

}  // namespace

std::string BackupFolderOf(const std::string& path) {
  const std::size_t slash = FindLastOf(path, "\\/");
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "Backup\\";
}

std::string BackupName(const std::string& fileName, const LocalTime& time, int n) {
  const NameParts parts = Split(fileName);
  std::string name = parts.stem + " " + FileNameTime(time);
  if (n > 1) name += " (" + std::to_string(n) + ")";
  return name + parts.extension;
}

std::vector<std::string> BackupsToRemove(const std::string& fileName,
                                         const std::vector<std::string>& names, std::size_t keep) {
  const NameParts parts = Split(fileName);
  const std::string lead = LowerAscii(parts.stem + " ");
  const std::string extension = LowerAscii(parts.extension);
  // (time, n, name) of every backup of the file; the file system compares names
  // without case, so the rule does too.
  std::vector<std::tuple<std::string, int, std::string>> backups;
  for (const std::string& name : names) {
    const std::string lower = LowerAscii(name);
    if (!StartsWith(lower, lead) || !EndsWith(lower, extension)) continue;
    const std::string middle =
        name.substr(lead.size(), name.size() - lead.size() - extension.size());
    if (middle.size() < 19 || !IsFileNameTime(std::string_view(middle).substr(0, 19))) continue;
    int n = 1;
    if (middle.size() > 19) {
      const std::string more = middle.substr(19);
      if (more.size() < 4 || !StartsWith(more, " (") || more.back() != ')') continue;
      const auto parsed = ParseDecimal(more.substr(2, more.size() - 3));
      if (!parsed || *parsed < 2) continue;
      n = *parsed;
    }
    backups.emplace_back(middle.substr(0, 19), n, name);
  }
  std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) > std::tie(std::get<0>(b), std::get<1>(b));
  });
  std::vector<std::string> remove;
  for (std::size_t i = keep; i < backups.size(); ++i) remove.push_back(std::get<2>(backups[i]));
  return remove;
}

std::vector<std::string> InterruptedBackups(const std::string& fileName,
                                            const std::vector<std::string>& names) {
  std::vector<std::string> backups;
  for (const std::string& name : names) {
    const std::size_t mark = name.rfind(".~");
    if (mark == std::string::npos) continue;
    const std::string backup = name.substr(0, mark);
    // A name of the backup form, which the rotation would take for one of the file's.
    const std::vector<std::string> alone = {backup};
    if (BackupsToRemove(fileName, alone, 0).empty()) continue;
    if (std::find(backups.begin(), backups.end(), backup) == backups.end()) backups.push_back(backup);
  }
  return backups;
}

std::vector<std::string> SyncConflictCopies(const std::vector<std::string>& names) {
  std::vector<std::string> copies;
  for (const std::string& name : names) {
    const std::string lower = LowerAscii(name);
    if (!EndsWith(lower, ".sts")) continue;
    const std::string body = lower.substr(0, lower.size() - 4);
    for (const std::string stem : {"shortcuts", "categories", "settings"}) {
      if (!StartsWith(body, stem) || body.size() == stem.size()) continue;
      const std::string rest = body.substr(stem.size());
      // "Shortcuts (PC's conflicted copy 2026-12-09).sts", "(Case Conflict)"
      const bool bracketed = StartsWith(rest, " (") && rest.back() == ')' &&
                             rest.find("conflict") != std::string::npos;
      // "Shortcuts-LAPTOP.sts": a copy named after the computer that made it.
      const bool computer = rest.size() > 1 && rest[0] == '-';
      const bool syncConflict = StartsWith(rest, ".sync-conflict-");
      if (bracketed || computer || syncConflict) {
        copies.push_back(name);
        break;
      }
    }
  }
  return copies;
}

std::string SyncConflictText(const std::string& dataDirectory,
                             const std::vector<std::string>& copies) {
  std::string text = "The data folder '" + dataDirectory +
                     "' holds copies of Tessaly's files that a sync program made when the same "
                     "file was changed in two places:\n";
  for (const std::string& copy : copies) text += "\n    " + copy;
  text +=
      "\n\nTessaly does not read them. To keep what they hold, close Tessaly, copy it into "
      "Shortcuts.sts, Categories.sts or Settings.sts, and delete the copies.";
  return text;
}

}  // namespace tessaly
