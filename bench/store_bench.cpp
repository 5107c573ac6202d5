// How to run: build the store_bench target, then `build/<dir>/bench/store_bench [runs]` (under wine
// for Windows).
//
// Times the shortcut store on a generated Shortcuts.sts of 100,000 lines: load, filling
// the list from the last section, saving a middle section (which first checks that no
// other program wrote the file), and, in the same run and folder, a raw write of the
// same bytes. The check itself (the file's stamp) is timed on its own, beside a 64-bit
// check of every line that a save could record instead (it does not), and a save that
// finds the file changed by another program and merges. Each figure is the median of
// several runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/LineList.h"
#include "bench/Summary.h"
#include "model/CategoryTree.h"
#include "shell/ListEntries.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

#ifdef _WIN32
#include "base/win32/Text.h"
#include "store/win32/Win32FileStore.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#endif

namespace {

using namespace tessaly;

constexpr int kTotalLines = 100000;
constexpr int kEntriesPerSection = 49;

#ifdef _WIN32

using PlatformFileStore = win32::Win32FileStore;

std::string MakeTempFolder() {
  char base[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH + 1, base);
  const std::string folder =
      std::string(base) + "tessaly-bench-" + std::to_string(::GetTickCount64()) + "\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void RemoveTempFolder(const std::string& folder, const std::vector<std::string>& files) {
  for (const auto& f : files) ::DeleteFileA(f.c_str());
  ::RemoveDirectoryA(folder.c_str());
}

bool RawWrite(const std::string& path, const std::string& bytes, bool flush) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (flush) ok = ::FlushFileBuffers(file) && ok;
  ::CloseHandle(file);
  return ok;
}

#else

// The host's stand-in for the Win32 store: the same atomic shape (a fresh temporary
// file beside the target, flushed, then renamed over it).
class PosixFileStore : public FileStore {
 public:
  bool FileExists(const std::string& path) override {
    return std::filesystem::is_regular_file(path);
  }
  FileStamp Stat(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return StampOf(info);
  }
  static FileStamp StampOf(const struct stat& info) {
    return {true, static_cast<std::uint64_t>(info.st_size),
            static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                static_cast<std::uint64_t>(info.st_mtim.tv_nsec)};
  }
  ReadResult ReadFile(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return {errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed, {}, "cannot open"};
    struct stat info {};
    ::fstat(fd, &info);
    std::string bytes;
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
      bytes.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
    if (got < 0) return {ReadStatus::Failed, {}, "cannot read"};
    return {ReadStatus::Read, std::move(bytes), {}, StampOf(info)};
  }
  WriteResult WriteFile(const std::string& path, std::string_view bytes) override {
    const std::string temp = path + ".~" + std::to_string(++counter_);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return {false, "cannot create the temporary file"};
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    const FileStamp stamp = Stat(temp);
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return {true, {}, stamp};
    ::unlink(temp.c_str());
    return {false, "write failed"};
  }
  // As the Win32 store does: the lines go out through one buffer, never joined whole.
  WriteResult WriteLines(const std::string& path, const LineList& lines) override {
    const std::string temp = path + ".~" + std::to_string(++counter_);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return {false, "cannot create the temporary file"};
    std::string buffer;
    buffer.reserve(kBuffer);
    bool ok = true;
    for (const std::string& line : lines) {
      if (buffer.size() + line.size() + 2 > kBuffer) {
        ok = ok && WriteAll(fd, buffer);
        buffer.clear();
      }
      buffer += line;
      buffer += "\r\n";
    }
    ok = ok && WriteAll(fd, buffer) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    const FileStamp stamp = Stat(temp);
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return {true, {}, stamp};
    ::unlink(temp.c_str());
    return {false, "write failed"};
  }
  WriteResult CopyFile(const std::string& source, const std::string& target) override {
    const ReadResult read = ReadFile(source);
    if (read.status != ReadStatus::Read) return {false, "cannot read the source"};
    return WriteFile(target, read.bytes);
  }
  WriteResult RecoverInterruptedWrite(const std::string&) override { return {}; }
  std::vector<std::string> ListFiles(const std::string& folder) override {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    return names;
  }
  WriteResult CreateFolder(const std::string& path) override {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return {!error, error.message()};
  }
  bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  static bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd, bytes.data(), bytes.size());
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

 private:
  static constexpr std::size_t kBuffer = 256 * 1024;
  unsigned counter_ = 0;
};

using PlatformFileStore = PosixFileStore;

std::string MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern + "/";
}

void RemoveTempFolder(const std::string& folder, const std::vector<std::string>&) {
  std::filesystem::remove_all(folder);
}

bool RawWrite(const std::string& path, const std::string& bytes, bool flush) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = PosixFileStore::WriteAll(fd, bytes);
  if (flush) ok = ::fsync(fd) == 0 && ok;
  return ::close(fd) == 0 && ok;
}

#endif

// Start-menu-like shortcuts: two-level categories, program and link targets. 1,010
// sections of 49 entries, the first five with 50, make exactly 100,000 lines.
std::string GenerateFile(std::vector<std::string>& headers) {
  static const char* const vendors[] = {"Microsoft Office", "Adobe", "JetBrains", "Mozilla",
                                        "Notepad++",        "7-Zip", "VideoLAN",  "Git"};
  constexpr int kSections = 1010;
  LineList lines;
  lines.reserve(kTotalLines);
  for (int s = 0; s < kSections; ++s) {
    headers.push_back("<[Group " + std::to_string(s / 10) + "][Tools " + std::to_string(s % 10) +
                      "]>");
    lines.push_back(headers.back());
    const int entries = s < 5 ? kEntriesPerSection + 1 : kEntriesPerSection;
    for (int e = 0; e < entries; ++e) {
      const std::string vendor = vendors[(s + e) % 8];
      const std::string product = vendor + " Tool " + std::to_string(e);
      lines.push_back(product);
      if (e % 3 == 0) {
        lines.push_back("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\" + vendor +
                        "\\" + product + ".lnk");
      } else {
        lines.push_back("C:\\Program Files\\" + vendor + "\\Release " + std::to_string(s) +
                        "\\bin\\tool" + std::to_string(e) + ".exe");
      }
    }
  }
  return JoinLines(lines);
}

using bench::Median;

// FNV-1a's step over eight bytes at a time, per line: what a save would spend to record
// a check of the lines it wrote.
std::uint64_t HashLines(const LineList& lines) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  const auto step = [&](std::uint64_t word) {
    hash = (hash ^ word) * 0x100000001b3ULL;
    hash ^= hash >> 29;
  };
  for (const std::string& line : lines) {
    std::size_t i = 0;
    for (; i + 8 <= line.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, line.data() + i, 8);
      step(word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, line.data() + i, line.size() - i);
    step(tail);
    step(line.size());
  }
  return hash;
}

double TimeMs(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
#ifdef _WIN32
  // The program searches with the code page's lead-byte test installed; so does the bench.
  win32::InstallLeadByteTest();
#endif
  const std::string folder = MakeTempFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "no temporary folder\n");
    return 1;
  }
  const std::string path = folder + "Shortcuts.sts";
  const std::string rawPath = folder + "Raw.sts";

  std::vector<std::string> headers;
  const std::string bytes = GenerateFile(headers);
  PlatformFileStore files;
  testing::RecordingMessageBoxes boxes;
  if (!files.WriteFile(path, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }

  // The categories of the last and of a middle section.
  CategoryTree tree;
  const auto node = [&](std::size_t section) -> CategoryNode& {
    CategoryNode& group = tree.AddTopLevel("Group " + std::to_string(section / 10));
    return tree.AddChild(group, "Tools " + std::to_string(section % 10));
  };
  CategoryNode& last = node(headers.size() - 1);
  CategoryNode& middle = node(headers.size() / 2);

  ShortcutStore store(files, boxes, path);
  Shortcuts list;

  std::vector<double> load, loadSection, save, atomic, join, raw, rawFlushed, check, linesCheck,
      merge;
  std::uint64_t hash = 0;
  for (int r = 0; r < runs; ++r) {
    load.push_back(TimeMs([&] { store.Load(); }));
    loadSection.push_back(TimeMs([&] { list = *store.SectionEntries(last); }));
    list = *store.SectionEntries(middle);  // the list a save of that section writes back
    save.push_back(TimeMs([&] { store.SaveCategorySection(middle, list); }));
    // What the save spent on the check: the stamp before the write.
    check.push_back(TimeMs([&] { hash ^= files.Stat(path).lastWrite; }));
    linesCheck.push_back(TimeMs([&] { hash ^= HashLines(store.Lines()); }));
    std::string saved;
    join.push_back(TimeMs([&] { saved = JoinLines(store.Lines()); }));
    atomic.push_back(TimeMs([&] { (void)files.WriteFile(rawPath, saved); }));
    raw.push_back(TimeMs([&] { RawWrite(rawPath, saved, false); }));
    rawFlushed.push_back(TimeMs([&] { RawWrite(rawPath, saved, true); }));
  }
  // Another program rewrote the file: the save reads it, makes the change again on top
  // and writes. Apart from the runs above, so that its extra writes do not weigh on them.
  for (int r = 0; r < runs; ++r) {
    (void)files.WriteFile(path, JoinLines(store.Lines()) + "\r\n");
    merge.push_back(TimeMs([&] { store.SaveCategorySection(middle, list); }));
  }
  const std::size_t lastCount = store.SectionEntries(last)->size();

  std::printf("Shortcuts.sts: %d lines, %zu sections, %zu bytes; median of %d runs\n",
              static_cast<int>(store.Lines().size()), headers.size(), bytes.size(), runs);
  std::printf("  load                         %8.2f ms\n", Median(load));
  std::printf("  SectionEntries (last)        %8.3f ms  (%zu entries)\n", Median(loadSection),
              lastCount);
  std::printf("  SaveCategorySection (middle) %8.2f ms  (the stamp looked at, then atomic: temp,\n"
              "                                           flush, replace; written from the line\n"
              "                                           list, no joined copy)\n",
              Median(save));
  std::printf("  joining the lines (not done) %7.2f ms\n", Median(join));
  std::printf("  atomic write, joined bytes   %8.2f ms\n", Median(atomic));
  std::printf("  raw write, same bytes        %8.2f ms\n", Median(raw));
  std::printf("  raw write + flush            %8.2f ms\n", Median(rawFlushed));
  std::printf("  version check (the stamp)    %8.3f ms  (%016llx)\n", Median(check),
              static_cast<unsigned long long>(hash));
  std::printf("  64-bit check of the lines    %8.2f ms  (not done: the stamp decides, the lines\n"
              "                                           in memory tell a touch from a change)\n",
              Median(linesCheck));
  std::printf("  save after another's write   %8.2f ms  (read, merge, write)\n", Median(merge));
  std::printf("  save / raw                   %8.2f\n", Median(save) / Median(raw));
  std::printf("  save / (raw + flush)         %8.2f\n", Median(save) / Median(rawFlushed));
#ifdef _WIN32
  const std::string where = "Wine";
#else
  const std::string where = "native";
#endif
  const double ratio = Median(save) / Median(rawFlushed);
  tessaly::bench::PrintRow("save of a middle section, 100,000 lines (" + where + ")",
                           tessaly::bench::Ms(Median(save)),
                           "raw write + flush " + tessaly::bench::Ms(Median(rawFlushed)),
                           tessaly::bench::Ratio(ratio), "<= 1.3x", ratio <= 1.3);
  const double checkShare = Median(check) / Median(rawFlushed);
  tessaly::bench::PrintRow("version check in that save (" + where + ")",
                           tessaly::bench::Format("%.3f ms", Median(check)),
                           "raw write + flush " + tessaly::bench::Ms(Median(rawFlushed)),
                           tessaly::bench::Ratio(checkShare), "<= 0.05x", checkShare <= 0.05);

  RemoveTempFolder(folder, {path, rawPath});
  for (const std::string& shown : boxes.shown) std::fprintf(stderr, "%s\n", shown.c_str());
  return boxes.shown.empty() ? 0 : 1;
}
