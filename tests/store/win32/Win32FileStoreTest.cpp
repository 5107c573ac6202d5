#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "base/win32/Handle.h"
#include "base/win32/Text.h"
#include "store/Settings.h"
#include "store/ShortcutStore.h"
#include "store/win32/Win32FileStore.h"
#include "support/Fakes.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

// Bytes no text conversion may touch: NUL, a lone CR, a lone LF, 8-bit characters.
std::string AwkwardBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + 7) % 256);
  return bytes;
}

// Everything in the folder, sorted, so that a leftover temporary file shows up.
std::vector<std::string> Entries(const TempFolder& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  UniqueFind find(::FindFirstFileA((folder.path() + "*").c_str(), &data));
  if (!find) return names;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(find.get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

using Names = std::vector<std::string>;

class Win32FileStoreTest : public ::testing::Test {
 protected:
  TempFolder folder;
  Win32FileStore files;
};

TEST_F(Win32FileStoreTest, WriteCreatesAndReplacesByteForByte) {
  const std::string target = folder.path() + "Shortcuts.sts";
  const std::string large = AwkwardBytes(3 * 1024 * 1024 + 17);
  for (const std::string& bytes : {large, std::string("a\rb\nc\r\n\0d", 10), std::string()}) {
    ASSERT_TRUE(files.WriteFile(target, bytes));
    EXPECT_EQ(ReadWholeFile(target), bytes);
    const ReadResult read = files.ReadFile(target);
    EXPECT_EQ(read.status, ReadStatus::Read);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(Entries(folder), Names{"Shortcuts.sts"});
  }
}

// Lines around every power of two up to a few times any write buffer, one far longer,
// and empty ones: what a buffered writer gets wrong at its edges.
LineList LinesOfAllLengths() {
  LineList lines;
  for (std::size_t size = 4; size <= 1024 * 1024; size *= 2) {
    for (const std::size_t length : {size - 3, size - 2, size - 1, size, size + 1}) {
      lines.push_back(AwkwardBytes(length % 700));
      lines.push_back(std::string(length, 'x'));
    }
    lines.emplace_back();
  }
  for (int i = 0; i < 20000; ++i) lines.push_back("Tool " + std::to_string(i));
  return lines;
}

TEST_F(Win32FileStoreTest, WriteLinesWritesEachLineWithItsEnding) {
  const std::string target = folder.path() + "Shortcuts.sts";
  for (const LineList& lines : {LinesOfAllLengths(), LineList{"<[Work]>", "", "Editor"},
                                LineList{""}, LineList{}}) {
    ASSERT_TRUE(files.WriteLines(target, lines));
    EXPECT_EQ(ReadWholeFile(target), JoinLines(lines));
    EXPECT_EQ(Entries(folder), Names{"Shortcuts.sts"});
  }
}

TEST_F(Win32FileStoreTest, ExistenceAndReadingTellFilesFromFolders) {
  const std::string file = folder.WriteFile("Settings.sts", "[View]\r\nList\r\n");
  const std::string sub = folder.Make("Sub");
  EXPECT_TRUE(files.FileExists(file));
  EXPECT_FALSE(files.FileExists(sub));
  EXPECT_FALSE(files.FileExists(folder.path() + "missing.sts"));
  EXPECT_EQ(files.ReadFile(file).bytes, "[View]\r\nList\r\n");
  EXPECT_EQ(files.ReadFile(folder.path() + "missing.sts").status, ReadStatus::Missing);
  EXPECT_EQ(files.ReadFile(folder.path() + "no\\such\\x.sts").status, ReadStatus::Missing);
  EXPECT_EQ(files.ReadFile(sub).status, ReadStatus::Failed);
}

// Mended: a file held open without sharing (a backup or sync tool) read as empty.
TEST_F(Win32FileStoreTest, FileHeldOpenWithoutSharingIsAFailedReadWithTheReason) {
  const std::string file = folder.WriteFile("Shortcuts.sts", "<[Work]>\r\n");
  UniqueFile holder(::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  const ReadResult read = files.ReadFile(file);
  EXPECT_EQ(read.status, ReadStatus::Failed);
  EXPECT_EQ(read.error, SystemErrorText(ERROR_SHARING_VIOLATION));
  holder.reset();
  EXPECT_EQ(files.ReadFile(file).bytes, "<[Work]>\r\n");
}

// What a kill leaves beside the target at each step of a replacement, and the one whole
// version the next start must find.
struct LeftoverCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // name beside the folder, bytes
  std::string expected;                                     // "" when the target must be absent
};

void PrintTo(const LeftoverCase& c, std::ostream* os) { *os << c.name; }

class RecoveryTest : public Win32FileStoreTest, public ::testing::WithParamInterface<LeftoverCase> {};

TEST_P(RecoveryTest, LeavesOneWholeVersionAndNothingBeside) {
  for (const auto& [name, bytes] : GetParam().files) folder.WriteFile(name, bytes);
  // A read-only leftover goes too.
  ::SetFileAttributesA((folder.path() + "Shortcuts.sts.~0badf00d").c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string target = folder.path() + "Shortcuts.sts";
  ASSERT_TRUE(files.RecoverInterruptedWrite(target));
  const std::string& expected = GetParam().expected;
  Names left = {"Shortcuts.sts.~notes", "Shortcuts.sts.~0123456", "Shortcuts.sts.~01234567.txt",
                "Other.sts.~01234567"};
  if (!expected.empty()) left.push_back("Shortcuts.sts");
  std::sort(left.begin(), left.end());
  EXPECT_EQ(Entries(folder), left);
  EXPECT_EQ(ReadWholeFile(target), expected.empty() ? "<missing>" : expected);
  ASSERT_TRUE(files.RecoverInterruptedWrite(target));  // nothing left to do
  EXPECT_EQ(Entries(folder), left);
}

// Names of another form are the user's and are never touched.
const std::vector<std::pair<std::string, std::string>> kStrangers = {
    {"Shortcuts.sts.~notes", "n"},
    {"Shortcuts.sts.~0123456", "7 digits"},
    {"Shortcuts.sts.~01234567.txt", "t"},
    {"Other.sts.~01234567", "o"}};

std::vector<std::pair<std::string, std::string>> With(
    std::vector<std::pair<std::string, std::string>> files) {
  files.insert(files.end(), kStrangers.begin(), kStrangers.end());
  return files;
}

INSTANTIATE_TEST_SUITE_P(
    EveryStepOfAReplacement, RecoveryTest,
    ::testing::Values(
        LeftoverCase{"KilledWhileFilling",
                     With({{"Shortcuts.sts", "old\r\n"}, {"Shortcuts.sts.~0badf00d", "ne"}}), "old\r\n"},
        LeftoverCase{"KilledAfterTheTargetWasMovedAside",
                     With({{"Shortcuts.sts.~1a2b3c4d.bak", "old\r\n"}, {"Shortcuts.sts.~0badf00d", "new\r\n"}}),
                     "old\r\n"},
        LeftoverCase{"KilledBeforeTheBackupWasDeleted",
                     With({{"Shortcuts.sts", "new\r\n"}, {"Shortcuts.sts.~1A2B3C4D.bak", "old\r\n"}}),
                     "new\r\n"},
        LeftoverCase{"KilledWhileWritingANewFile", With({{"Shortcuts.sts.~0badf00d", "ne"}}), ""},
        LeftoverCase{"NothingInterrupted", With({{"Shortcuts.sts", "same\r\n"}}), "same\r\n"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(Win32FileStoreTest, BackupThatCannotBePutBackIsAFailureAndStays) {
  const std::string backup = folder.WriteFile("Categories.sts.~00000001.bak", "Work ;015\r\n");
  {
    UniqueFile holder(::CreateFileA(backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(files.RecoverInterruptedWrite(folder.path() + "Categories.sts"));
  }
  EXPECT_EQ(Entries(folder), Names{"Categories.sts.~00000001.bak"});
  ASSERT_TRUE(files.RecoverInterruptedWrite(folder.path() + "Categories.sts"));
  EXPECT_EQ(ReadWholeFile(folder.path() + "Categories.sts"), "Work ;015\r\n");
}

TEST_F(Win32FileStoreTest, FailedReplaceOfAnOpenTargetLeavesItWhole) {
  const std::string target = folder.WriteFile("Shortcuts.sts", "old content\r\n");
  for (const DWORD share :
       {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    UniqueFile holder(
        ::CreateFileA(target.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder) << share;
    const WriteResult result = files.WriteFile(target, "new content\r\n");
    EXPECT_FALSE(result) << share;
    EXPECT_FALSE(result.error.empty()) << share;
    const WriteResult lines = files.WriteLines(target, {"new content"});
    EXPECT_FALSE(lines) << share;
    EXPECT_FALSE(lines.error.empty()) << share;
    holder.reset();
    EXPECT_EQ(ReadWholeFile(target), "old content\r\n") << share;
    EXPECT_EQ(Entries(folder), Names{"Shortcuts.sts"}) << share;
  }
}

TEST_F(Win32FileStoreTest, WriteOntoAFolderOrIntoAMissingFolderFails) {
  const std::string sub = folder.Make("Shortcuts.sts");
  folder.WriteFile("Shortcuts.sts\\inside.txt", "kept");
  const WriteResult ontoFolder = files.WriteFile(sub, "bytes");
  EXPECT_FALSE(ontoFolder);
  EXPECT_FALSE(ontoFolder.error.empty());
  EXPECT_EQ(::GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(ReadWholeFile(sub + "\\inside.txt"), "kept");

  const WriteResult intoMissing = files.WriteFile(folder.path() + "no\\such\\x.sts", "bytes");
  EXPECT_FALSE(intoMissing);
  EXPECT_FALSE(intoMissing.error.empty());
  EXPECT_EQ(Entries(folder), Names{"Shortcuts.sts"});
}

TEST_F(Win32FileStoreTest, CopyIsByteForByteAndGoesThroughTheSameReplacement) {
  const std::string bytes = AwkwardBytes(200000);
  const std::string source = folder.WriteFile("Shortcuts.sts", bytes);
  const std::string backup = folder.path() + "Shortcuts_backup.sts";
  ASSERT_TRUE(files.CopyFile(source, backup));
  EXPECT_EQ(ReadWholeFile(backup), bytes);

  folder.WriteFile("Shortcuts.sts", "newer");
  ASSERT_TRUE(files.CopyFile(source, backup));
  EXPECT_EQ(ReadWholeFile(backup), "newer");
  EXPECT_EQ(Entries(folder), (Names{"Shortcuts.sts", "Shortcuts_backup.sts"}));

  const WriteResult missing = files.CopyFile(folder.path() + "gone.sts", backup);
  EXPECT_FALSE(missing);
  EXPECT_FALSE(missing.error.empty());
  EXPECT_EQ(ReadWholeFile(backup), "newer");

  UniqueFile holder(::CreateFileA(backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);
  EXPECT_FALSE(files.CopyFile(source, backup));
  holder.reset();
  EXPECT_EQ(ReadWholeFile(backup), "newer");
  EXPECT_EQ(Entries(folder), (Names{"Shortcuts.sts", "Shortcuts_backup.sts"}));
}

// Wine would rename a read-only target away and write a new one; Windows refuses.
TEST_F(Win32FileStoreTest, ReadOnlyTargetIsNeverReplaced) {
  const std::string target = folder.WriteFile("Settings.sts", "[View]\r\nList\r\n");
  const std::string source = folder.WriteFile("Other.sts", "other");
  ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const WriteResult& result : {files.WriteFile(target, "new"), files.CopyFile(source, target)}) {
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, SystemErrorText(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(ReadWholeFile(target), "[View]\r\nList\r\n");
  EXPECT_NE(::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(Entries(folder), (Names{"Other.sts", "Settings.sts"}));
  ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32FileStoreTest, CopyOfAReadOnlySourceLeavesNothingBehind) {
  const std::string source = folder.WriteFile("Shortcuts.sts", "bytes");
  ASSERT_TRUE(::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string backup = folder.path() + "Shortcuts_backup.sts";
  ASSERT_TRUE(files.CopyFile(source, backup));
  EXPECT_EQ(ReadWholeFile(backup), "bytes");
  EXPECT_EQ(Entries(folder), (Names{"Shortcuts.sts", "Shortcuts_backup.sts"}));
}

// The stores over the real file system: what one run writes, the next run reads.
TEST_F(Win32FileStoreTest, SettingsAndShortcutsSurviveARestart) {
  testing::RecordingMessageBoxes boxes;
  const std::string settingsPath = folder.path() + "Settings.sts";
  const std::string shortcutsPath = folder.path() + "Shortcuts.sts";
  folder.WriteFile("Shortcuts.sts", "<[Work]>\nEditor\nC:\\ed.exe\n");

  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  {
    Settings settings(files, boxes, settingsPath);
    settings.Load();
    ASSERT_TRUE(settings.WriteSetting("View", "Report"));
    ASSERT_TRUE(settings.WriteSetting("Treeselect", "1"));

    ShortcutStore store(files, boxes, shortcutsPath);
    store.Load();
    store.SaveCategorySection(tools, {{"Calculator", "C:\\calc.exe"}, {"Paint", "C:\\paint.exe"}});
    store.AddSelectedToSection("Trash", {{"Calculator", "C:\\calc.exe"}});
    store.RenameCategorySection(work, "Job");
    work.name = "Job";
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ReadWholeFile(settingsPath), "[View]\r\nReport\r\n[Treeselect]\r\n1\r\n");
  EXPECT_EQ(ReadWholeFile(shortcutsPath),
            "<[Job]>\r\nEditor\r\nC:\\ed.exe\r\n<[Job][Tools]>\r\nCalculator\r\nC:\\calc.exe\r\n"
            "Paint\r\nC:\\paint.exe\r\n<[Trash]>\r\nCalculator\r\nC:\\calc.exe\r\n");

  Settings settings(files, boxes, settingsPath);
  settings.Load();
  EXPECT_EQ(settings.ReadSetting("View"), "Report");
  EXPECT_EQ(settings.ReadSetting("Treeselect"), "1");

  ShortcutStore store(files, boxes, shortcutsPath);
  store.Load();
  const auto stored = store.SectionEntries(tools);
  ASSERT_TRUE(stored);
  EXPECT_EQ(testing::Titles(*stored), (std::vector<std::string>{"Calculator", "Paint"}));
  // The first write of each file kept the file as it was found (Settings.sts had none).
  EXPECT_EQ(Entries(folder), (Names{"Backup", "Settings.sts", "Shortcuts.sts"}));
  const std::vector<std::string> backups = files.ListFiles(folder.path() + "Backup\\");
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(ReadWholeFile(folder.path() + "Backup\\" + backups[0]), "<[Work]>\nEditor\nC:\\ed.exe\n");
}

TEST_F(Win32FileStoreTest, FailedStoreSaveIsReportedAndTheFileKeepsItsContent) {
  testing::RecordingMessageBoxes boxes;
  const std::string path = folder.WriteFile("Shortcuts.sts", "<[Work]>\r\n");
  ShortcutStore store(files, boxes, path);
  store.Load();
  CategoryTree tree;
  const Shortcuts list = {{"Editor", "C:\\ed.exe"}};
  {
    UniqueFile holder(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    store.SaveCategorySection(tree.AddTopLevel("Work"), list);
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].find(path), std::string::npos);
  EXPECT_EQ(ReadWholeFile(path), "<[Work]>\r\n");
  EXPECT_EQ(store.Lines(), (LineList{"<[Work]>", "Editor", "C:\\ed.exe"}));
}

// Another program that holds a file open without sharing for a moment: a second thread
// opens it, says so, and lets go after holdFor.
class Holder {
 public:
  Holder(const std::string& path, DWORD holdFor)
      : opened_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        release_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this, path, holdFor] {
      UniqueFile held(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
      ok_ = static_cast<bool>(held);
      ::SetEvent(opened_.get());
      ::WaitForSingleObject(release_.get(), holdFor);
    });
  }
  ~Holder() {
    ::SetEvent(release_.get());
    thread_.join();
  }
  // True once the file is held, within a few seconds.
  bool Holding() { return ::WaitForSingleObject(opened_.get(), 5000) == WAIT_OBJECT_0 && ok_; }

 private:
  UniqueKernelHandle opened_;
  UniqueKernelHandle release_;
  std::atomic<bool> ok_{false};
  std::thread thread_;
};

// Mended: a sync tool or a scanner that had the file open for a few milliseconds made
// the write fail with a message.
TEST_F(Win32FileStoreTest, AFileHeldForAMomentIsWaitedForByReadsAndWrites) {
  const std::string target = folder.WriteFile("Shortcuts.sts", "old\r\n");
  const std::string backup = folder.path() + "Copy.sts";
  {
    Holder holder(target, 100);
    ASSERT_TRUE(holder.Holding());
    ASSERT_TRUE(files.WriteFile(target, "new\r\n"));
  }
  EXPECT_EQ(ReadWholeFile(target), "new\r\n");
  {
    Holder holder(target, 100);
    ASSERT_TRUE(holder.Holding());
    const ReadResult read = files.ReadFile(target);
    EXPECT_EQ(read.status, ReadStatus::Read);
    EXPECT_EQ(read.bytes, "new\r\n");
  }
  {
    Holder holder(target, 100);
    ASSERT_TRUE(holder.Holding());
    ASSERT_TRUE(files.CopyFile(target, backup));
  }
  EXPECT_EQ(ReadWholeFile(backup), "new\r\n");
  EXPECT_EQ(Entries(folder), (Names{"Copy.sts", "Shortcuts.sts"}));
}

TEST_F(Win32FileStoreTest, AFileHeldLongerThanTheWaitIsAFailureThatLeavesItWhole) {
  const std::string target = folder.WriteFile("Shortcuts.sts", "old\r\n");
  Holder holder(target, 10000);
  ASSERT_TRUE(holder.Holding());
  const WriteResult written = files.WriteLines(target, {"new"});
  EXPECT_FALSE(written);
  // NOTE: Wine says "access denied" where Windows says "sharing violation".
  EXPECT_TRUE(written.error == SystemErrorText(ERROR_SHARING_VIOLATION) ||
              written.error == SystemErrorText(ERROR_ACCESS_DENIED))
      << written.error;
  const ReadResult read = files.ReadFile(target);
  EXPECT_EQ(read.status, ReadStatus::Failed);
  EXPECT_EQ(Entries(folder), Names{"Shortcuts.sts"});
}

TEST_F(Win32FileStoreTest, TheStampOfAWriteIsTheFilesAndAnotherHandlesWriteChangesIt) {
  const std::string target = folder.path() + "Settings.sts";
  EXPECT_FALSE(files.Stat(target).exists);
  const WriteResult written = files.WriteLines(target, {"[View]", "List"});
  ASSERT_TRUE(written);
  // The swap keeps the stamp of the file written: the next look needs no read.
  EXPECT_EQ(files.Stat(target), written.stamp);
  EXPECT_EQ(written.stamp.size, 14u);
  EXPECT_EQ(files.ReadFile(target).stamp, written.stamp);

  // Another program writes in place, through a handle of its own.
  {
    UniqueFile other(::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other);
    DWORD done = 0;
    ASSERT_TRUE(::WriteFile(other.get(), "[View]\r\nReport\r\n", 16, &done, nullptr));
  }
  EXPECT_NE(files.Stat(target), written.stamp);
  EXPECT_EQ(files.Stat(target).size, 16u);
  EXPECT_FALSE(files.Stat(folder.path()).exists);  // a folder is no file
}

// The check before every write, over real files: a change made by another program
// through its own handle is merged, one made with the file's old size too.
TEST_F(Win32FileStoreTest, AStoreMergesWhatAnotherHandleWroteMeanwhile) {
  testing::RecordingMessageBoxes boxes;
  const std::string path = folder.WriteFile("Shortcuts.sts", "<[Work]>\r\nA\r\na\r\n");
  ShortcutStore store(files, boxes, path);
  ASSERT_EQ(store.Load().status, ReadStatus::Read);
  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& games = tree.AddTopLevel("Games");
  folder.WriteFile("Shortcuts.sts", "<[Work]>\r\nA\r\na\r\n<[Hand]>\r\nH\r\nh\r\n");
  store.AppendItemsToSection(work, {{"B", "b"}});
  EXPECT_EQ(ReadWholeFile(path), "<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Hand]>\r\nH\r\nh\r\n");
  folder.WriteFile("Shortcuts.sts", "<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Hand]>\r\nX\r\nh\r\n");
  store.SaveCategorySection(games, {});
  EXPECT_EQ(ReadWholeFile(path),
            "<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Hand]>\r\nX\r\nh\r\n<[Games]>\r\n");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Win32FileStoreTest, FoldersAreMadeListedAndFilesRemoved) {
  const std::string sub = folder.path() + "Backup\\";
  ASSERT_TRUE(files.CreateFolder(sub));
  ASSERT_TRUE(files.CreateFolder(sub));  // there already: fine
  folder.WriteFile("Backup\\b.sts", "b");
  folder.WriteFile("Backup\\a.sts", "a");
  folder.Make("Backup\\Inner");
  std::vector<std::string> names = files.ListFiles(sub);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Names{"a.sts", "b.sts"}));
  EXPECT_TRUE(files.RemoveFile(sub + "a.sts"));
  EXPECT_FALSE(files.RemoveFile(sub + "a.sts"));
  EXPECT_EQ(files.ListFiles(sub), Names{"b.sts"});
  EXPECT_FALSE(files.CreateFolder(folder.path() + "no\\such\\place\\"));
  EXPECT_TRUE(files.ListFiles(folder.path() + "missing\\").empty());
}

}  // namespace
}  // namespace tessaly::win32
