#include "store/win32/Win32FileStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "base/Text.h"
#include "base/win32/Handle.h"
#include "base/win32/Text.h"

namespace tessaly::win32 {

namespace {

// ReadFile and WriteFile move at most a DWORD at a time.
constexpr std::size_t kMaxChunk = 1u << 30;
constexpr int kNameAttempts = 16;

// What a replacement of target leaves beside it while it runs:
//   target.~xxxxxxxx      the new version (8 hex digits), filled and flushed first;
//   target.~xxxxxxxx.bak  the previous version, while ReplaceFileA swaps the two.
constexpr const char* kBackupSuffix = ".bak";
constexpr std::size_t kSuffixDigits = 8;

// A name beside the target that no other writer picks. Process IDs repeat under
// Wine, so the name comes from a random source instead.
std::string TemporaryNameBeside(const std::string& target) {
  static std::mt19937 generator = [] {
    LARGE_INTEGER ticks{};
    ::QueryPerformanceCounter(&ticks);
    std::random_device device;
    std::seed_seq seed{device(), static_cast<unsigned>(ticks.LowPart),
                       static_cast<unsigned>(ticks.HighPart)};
    return std::mt19937(seed);
  }();
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".~%08x", static_cast<unsigned>(generator()));
  return target + suffix;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = FindLastOf(path, "\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool NameTaken(DWORD error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// What a file held open by another program gives: no sharing, a locked range, or (while
// a sync tool or scanner has it open for delete, or swaps it) no access at all.
bool HeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// Growing pauses, about a second in all: a brief hold costs a few milliseconds, and a
// file held for good fails after a second.
constexpr DWORD kHeldPauses[] = {5, 10, 20, 40, 80, 160, 320, 365};

// Runs attempt (which returns a system error code) again while the file is held.
template <typename Attempt>
DWORD WhileHeld(Attempt attempt) {
  DWORD error = attempt();
  for (const DWORD pause : kHeldPauses) {
    if (!HeldByAnother(error)) break;
    ::Sleep(pause);
    error = attempt();
  }
  return error;
}

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

FileStamp StampAt(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  return {true, Join(data.nFileSizeHigh, data.nFileSizeLow),
          Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

DWORD FlushToDisk(HANDLE file) {
  return ::FlushFileBuffers(file) ? ERROR_SUCCESS : ::GetLastError();
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxChunk));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

// Each filler creates the temporary file itself and must fail with ERROR_FILE_EXISTS
// when the name is already taken, so that a stranger's file is never touched.
UniqueFile CreateTemporary(const std::string& temp) {
  return UniqueFile(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

DWORD FillWithBytes(const std::string& temp, std::string_view bytes) {
  UniqueFile file = CreateTemporary(temp);
  if (!file) return ::GetLastError();
  const DWORD error = WriteAll(file.get(), bytes);
  return error != ERROR_SUCCESS ? error : FlushToDisk(file.get());
}

// Lines are gathered into one buffer of this size and written a buffer at a time;
// a line longer than the buffer goes out on its own.
constexpr std::size_t kLineBuffer = 256 * 1024;

DWORD FillWithLines(const std::string& temp, const LineList& lines) {
  UniqueFile file = CreateTemporary(temp);
  if (!file) return ::GetLastError();
  const auto buffer = std::make_unique_for_overwrite<char[]>(kLineBuffer);
  std::size_t used = 0;
  const auto drain = [&] {
    const DWORD error = WriteAll(file.get(), {buffer.get(), used});
    used = 0;
    return error;
  };
  for (const std::string& line : lines) {
    if (used + line.size() + 2 > kLineBuffer) {
      if (const DWORD error = drain(); error != ERROR_SUCCESS) return error;
      if (line.size() + 2 > kLineBuffer) {
        if (const DWORD error = WriteAll(file.get(), line); error != ERROR_SUCCESS) return error;
        if (const DWORD error = WriteAll(file.get(), "\r\n"); error != ERROR_SUCCESS) return error;
        continue;
      }
    }
    std::memcpy(buffer.get() + used, line.data(), line.size());
    used += line.size();
    buffer[used++] = '\r';
    buffer[used++] = '\n';
  }
  if (const DWORD error = drain(); error != ERROR_SUCCESS) return error;
  return FlushToDisk(file.get());
}

DWORD FillWithCopy(const std::string& temp, const std::string& source) {
  const DWORD copied = WhileHeld([&] {
    return ::CopyFileA(source.c_str(), temp.c_str(), TRUE) ? DWORD{ERROR_SUCCESS} : ::GetLastError();
  });
  if (copied != ERROR_SUCCESS) return copied;
  // The copy takes the source's attributes; a read-only copy could be neither flushed
  // nor, after a failure, deleted.
  const DWORD attributes = ::GetFileAttributesA(temp.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    ::SetFileAttributesA(temp.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  }
  UniqueFile file(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ::GetLastError();
  return FlushToDisk(file.get());
}

bool IsFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

DWORD SwapIn(const std::string& temp, const std::string& target) {
  if (IsFile(target)) {
    // ReplaceFileA keeps the target's attributes, security and creation time. It is
    // given a backup name of our own because without one a failure can lose the
    // target (documented for Windows) or leave a stray "rf*.tmp" beside it (Wine).
    // ReplaceFileA overwrites an existing backup, so the name must be free.
    std::string backup = TemporaryNameBeside(target) + kBackupSuffix;
    while (::GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES) {
      backup = TemporaryNameBeside(target) + kBackupSuffix;
    }
    if (::ReplaceFileA(target.c_str(), temp.c_str(), backup.c_str(),
                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      ::DeleteFileA(backup.c_str());
      return ERROR_SUCCESS;
    }
    // The target may already stand under the backup name: finish the swap by a
    // move, or else put the old file back.
    if (!IsFile(target) && IsFile(backup)) {
      if (MoveOver(temp, target)) {
        ::DeleteFileA(backup.c_str());
        return ERROR_SUCCESS;
      }
      const DWORD error = ::GetLastError();
      MoveOver(backup, target);
      return error;
    }
  }
  return MoveOver(temp, target) ? ERROR_SUCCESS : ::GetLastError();
}

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The one write of the program: fill a fresh temporary file, then swap it in.
template <typename Fill>
WriteResult ReplaceAtomically(const std::string& target, Fill fill) {
  // NOTE: Windows refuses to replace a read-only file; Wine's ReplaceFileA renames it
  // away and drops the attribute. A file the user made read-only is never replaced.
  // Both refuse at once: no other program lets go of them.
  if (IsReadOnly(target) || IsFolder(target)) return {false, SystemErrorText(ERROR_ACCESS_DENIED)};
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kNameAttempts && NameTaken(error); ++attempt) {
    const std::string temp = TemporaryNameBeside(target);
    error = fill(temp);
    if (NameTaken(error)) continue;
    // Taken while no other program knows the file: the stamp of this version, even if
    // another writer replaces the target right after the swap.
    const FileStamp stamp = StampAt(temp);
    if (error == ERROR_SUCCESS) error = WhileHeld([&] { return SwapIn(temp, target); });
    if (error == ERROR_SUCCESS) return {true, {}, stamp};
    ::DeleteFileA(temp.c_str());
  }
  return {false, SystemErrorText(error)};
}

struct Leftovers {
  std::vector<std::string> temporaries;
  std::vector<std::string> backups;  // newest first
};

bool IsHexDigits(std::string_view text) {
  return text.size() == kSuffixDigits &&
         std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
         });
}

// The files a replacement of target left beside it. Only names of exactly that form
// count, so that no file of the user's is ever touched.
Leftovers FindLeftovers(const std::string& target) {
  Leftovers found;
  std::vector<std::pair<ULONGLONG, std::string>> backups;
  const std::string stem = FileNameOf(target) + ".~";
  const std::string folder = target.substr(0, target.size() - FileNameOf(target).size());
  WIN32_FIND_DATAA data;
  UniqueFind find(::FindFirstFileA((target + ".~*").c_str(), &data));
  if (!find) return found;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string name = data.cFileName;
    if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) continue;
    std::string_view rest = std::string_view(name).substr(stem.size());
    const bool backup = rest.size() == kSuffixDigits + std::strlen(kBackupSuffix) &&
                        rest.substr(kSuffixDigits) == kBackupSuffix;
    if (!IsHexDigits(rest.substr(0, backup ? kSuffixDigits : rest.size()))) continue;
    if (backup) {
      const ULONGLONG written =
          (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
      backups.emplace_back(written, folder + name);
    } else {
      found.temporaries.push_back(folder + name);
    }
  } while (::FindNextFileA(find.get(), &data));
  std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (auto& backup : backups) found.backups.push_back(std::move(backup.second));
  return found;
}

void DeleteAll(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
  }
}

}  // namespace

// Every moment a kill can hit a replacement, and what the next start finds:
//   filling or flushing the temporary file:  target (old)           + temp  -> old
//   ReplaceFileA moved the target aside:     backup (old), no target + temp  -> old
//   ReplaceFileA moved the temp in:          target (new)  + backup          -> new
//   the backup deleted:                      target (new)                    -> new
//   the first write of a new file:           no target, no backup    + temp  -> none
// A target that exists is therefore always one whole version: what lies beside it is
// either a version not yet swapped in or one already swapped out, and goes. Without a
// target, a backup is the last whole version and is put back; a temporary file alone
// was never a version. The fallback of SwapIn (a move after a failed ReplaceFileA)
// passes through the same states.
WriteResult Win32FileStore::RecoverInterruptedWrite(const std::string& path) {
  Leftovers leftovers = FindLeftovers(path);
  if (!IsFile(path) && !leftovers.backups.empty()) {
    if (!::MoveFileExA(leftovers.backups.front().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
      return {false, SystemErrorText(::GetLastError())};
    }
    leftovers.backups.erase(leftovers.backups.begin());
  }
  DeleteAll(leftovers.temporaries);
  DeleteAll(leftovers.backups);
  return {};
}

bool Win32FileStore::FileExists(const std::string& path) { return IsFile(path); }

FileStamp Win32FileStore::Stat(const std::string& path) { return StampAt(path); }

namespace {

// One read of the whole file; error is the system's code when it failed.
ReadResult ReadWhole(const std::string& path, DWORD& error) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? ReadStatus::Missing : ReadStatus::Failed, {}, SystemErrorText(error)};
  }
  // The stamp before the bytes: a write during the read shows as a change next time.
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(file.get(), &information)) {
    error = ::GetLastError();
    return {ReadStatus::Failed, {}, SystemErrorText(error)};
  }
  const FileStamp stamp{true, Join(information.nFileSizeHigh, information.nFileSizeLow),
                        Join(information.ftLastWriteTime.dwHighDateTime,
                             information.ftLastWriteTime.dwLowDateTime)};

  // Sized from the file, one byte over so that the end is seen without a second
  // allocation; a file that grows meanwhile is still read whole.
  std::string bytes(static_cast<std::size_t>(stamp.size) + 1, '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() + 65536);
    const auto want = static_cast<DWORD>(std::min(bytes.size() - used, kMaxChunk));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + used, want, &got, nullptr)) {
      error = ::GetLastError();
      return {ReadStatus::Failed, {}, SystemErrorText(error)};
    }
    if (got == 0) break;
    used += got;
  }
  bytes.resize(used);
  error = ERROR_SUCCESS;
  return {ReadStatus::Read, std::move(bytes), {}, stamp};
}

}  // namespace

ReadResult Win32FileStore::ReadFile(const std::string& path) {
  // A folder refuses at once: no other program lets go of it.
  if (IsFolder(path)) return {ReadStatus::Failed, {}, SystemErrorText(ERROR_ACCESS_DENIED)};
  ReadResult result;
  WhileHeld([&] {
    DWORD error = ERROR_SUCCESS;
    result = ReadWhole(path, error);
    return result.status == ReadStatus::Failed ? error : DWORD{ERROR_SUCCESS};
  });
  return result;
}

WriteResult Win32FileStore::WriteFile(const std::string& path, std::string_view bytes) {
  return ReplaceAtomically(path,
                           [&](const std::string& temp) { return FillWithBytes(temp, bytes); });
}

WriteResult Win32FileStore::WriteLines(const std::string& path, const LineList& lines) {
  return ReplaceAtomically(path,
                           [&](const std::string& temp) { return FillWithLines(temp, lines); });
}

WriteResult Win32FileStore::CopyFile(const std::string& source, const std::string& target) {
  return ReplaceAtomically(target,
                           [&](const std::string& temp) { return FillWithCopy(temp, source); });
}

std::vector<std::string> Win32FileStore::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  UniqueFind find(::FindFirstFileA((WithTrailingBackslash(folder) + "*").c_str(), &data));
  if (!find) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(data.cFileName);
  } while (::FindNextFileA(find.get(), &data));
  return names;
}

WriteResult Win32FileStore::CreateFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path)) return {};
  return {false, SystemErrorText(::GetLastError())};
}

bool Win32FileStore::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

}  // namespace tessaly::win32
