#include <gtest/gtest.h>

#include "base/Text.h"
#include "shell/ListEntries.h"
#include "shell/ShellNames.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

TEST(StripExtension, CutsAtTheLastDotAnywhereInTheText) {
  EXPECT_EQ(StripExtension("report.doc"), "report");
  EXPECT_EQ(StripExtension("report.doc.lnk"), "report.doc");
  EXPECT_EQ(StripExtension("Tool 2.0"), "Tool 2");
  EXPECT_EQ(StripExtension(".lnk"), "");
  EXPECT_EQ(StripExtension("README"), "README");
  EXPECT_EQ(StripExtension(""), "");
  EXPECT_EQ(StripExtension("name."), "name");
  // The search does not stop at a folder delimiter.
  EXPECT_EQ(StripExtension("C:\\My.Tools\\run"), "C:\\My");
}

TEST(StripExtension, AppliedTwiceDropsOneMoreDottedPart) {
  EXPECT_EQ(StripExtension(StripExtension("Foo 1.5.lnk")), "Foo 1");
  EXPECT_EQ(StripExtension(StripExtension("Photos 2009.01.lnk")), "Photos 2009");
  EXPECT_EQ(StripExtension(StripExtension("Notepad.lnk")), "Notepad");
}

TEST(FileNamePart, TakesEverythingAfterTheLastBackslashOrColon) {
  EXPECT_EQ(FileNamePart("C:\\Links\\My.Tool.lnk"), "My.Tool.lnk");
  EXPECT_EQ(FileNamePart("C:Notes.lnk"), "Notes.lnk");
  EXPECT_EQ(FileNamePart("Notes.lnk"), "Notes.lnk");
  EXPECT_EQ(FileNamePart("C:\\Links\\"), "");
  EXPECT_EQ(FileNamePart("\\\\server\\share\\a:b"), "b");
  EXPECT_EQ(FileNamePart(""), "");
}

// Mended: a double-byte character whose second byte is "\\" does not end a folder name.
TEST(FileNamePart, NeverSplitsADoubleByteCharacter) {
  SetLeadByteTest([](unsigned char c) { return c == 0x95; });
  testing::FakeDirectories dirs;
  dirs.AddFolder("C:\\\x95\\");  // the folder's own name ends in that character
  EXPECT_EQ(FileNamePart("C:\\\x95\\a.exe"), "\x95\\a.exe");
  EXPECT_EQ(FileNamePart("C:\\D\\\x95\\"), "\x95\\");
  EXPECT_EQ(DefaultTitle("C:\\\x95\\", dirs), "\x95\\");
  EXPECT_EQ(DefaultTitle("C:\\\x95\\\\", dirs), "\x95\\");
  SetLeadByteTest(nullptr);
}

TEST(NameExtension, IsTheFileNamesPartFromItsLastDot) {
  EXPECT_EQ(NameExtension("C:\\Foo\\foo.exe"), ".exe");
  EXPECT_EQ(NameExtension("archive.tar.gz"), ".gz");
  EXPECT_EQ(NameExtension(".lnk"), ".lnk");
  EXPECT_EQ(NameExtension("name."), ".");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(NameExtension("C:\\My.Tools\\run"), "");
  EXPECT_EQ(NameExtension("D:run"), "");
  EXPECT_EQ(NameExtension("-p"), "");
}

TEST(HasExtension, ComparesAfterLowerCasingAToZOnly) {
  EXPECT_TRUE(HasExtension("Notepad.LNK", ".lnk"));
  EXPECT_TRUE(HasExtension("C:\\Foo\\FOO.Exe", ".exe"));
  EXPECT_FALSE(HasExtension("foo.lnkx", ".lnk"));
  EXPECT_FALSE(HasExtension("C:\\x.lnk\\foo", ".lnk"));
  EXPECT_FALSE(HasExtension("lnk", ".lnk"));
  EXPECT_FALSE(HasExtension("", ".lnk"));
  // Quoted arguments keep their closing quote in the extension.
  EXPECT_FALSE(HasExtension("\"C:\\Foo\\foo.exe\"", ".exe"));
  // 8-bit letters of the code page are not folded: \xC9 is E acute in 1252.
  EXPECT_FALSE(HasExtension("foo.\xC9XE", ".\xE9xe"));
}

TEST(IsAbsolutePath, AcceptsOnlyDriveAndUncPaths) {
  EXPECT_TRUE(IsAbsolutePath("C:\\"));
  EXPECT_TRUE(IsAbsolutePath("d:\\Menu\\"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_FALSE(IsAbsolutePath("\\"));
  EXPECT_FALSE(IsAbsolutePath("C:"));
  EXPECT_FALSE(IsAbsolutePath("C:Menu"));
  EXPECT_FALSE(IsAbsolutePath("1:\\"));
  EXPECT_FALSE(IsAbsolutePath("\\\\\\x"));
  EXPECT_FALSE(IsAbsolutePath("Microsoft\\Internet Explorer\\Quick Launch"));
  EXPECT_FALSE(IsAbsolutePath("::{208d2c60-3aea-1069-a2d7-08002b30309d}"));
}

TEST(AddListEntry, WritesTheCountAndPumpsAtEveryTenthEntry) {
  ShortcutList list;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  int countSeenByPump = -1;
  pump.hook = [&] { countSeenByPump = list.Count(); };
  ListEntryAdder adder(list, status, pump);

  for (int i = 1; i <= 9; ++i) adder.AddListEntry("t" + std::to_string(i), "C:\\t");
  EXPECT_TRUE(status.history.empty());
  EXPECT_EQ(pump.calls, 0);

  adder.AddListEntry("t10", "C:\\t");
  EXPECT_EQ(status.history, std::vector<std::string>{"10 items"});
  EXPECT_EQ(pump.calls, 1);
  EXPECT_EQ(countSeenByPump, 10) << "the tenth entry is in the list before messages run";

  for (int i = 11; i <= 20; ++i) adder.AddListEntry("t", "C:\\t");
  EXPECT_EQ(status.history, (std::vector<std::string>{"10 items", "20 items"}));
  EXPECT_EQ(pump.calls, 2);
}

TEST(AddListEntry, AddsEveryEntryUncheckedAndCountsFromTheListsOwnItems) {
  ShortcutList list;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  ListEntryAdder adder(list, status, pump);

  for (int i = 0; i < 7; ++i) list.Append("stored", "C:\\s");
  adder.AddListEntry("", "");
  adder.AddListEntry("same", "C:\\missing\\target");
  adder.AddListEntry("same", "C:\\missing\\target");
  EXPECT_EQ(list.Count(), 10);
  EXPECT_EQ(list.At(7).title, "");
  EXPECT_EQ(list.At(9).target, "C:\\missing\\target");
  EXPECT_EQ(status.text(), "10 items");
  EXPECT_EQ(ItemCountText(0), "0 items");
  EXPECT_EQ(ItemCountText(1234), "1234 items");
}

TEST(DefaultTitle, OfFoldersAndFiles) {
  testing::FakeDirectories dirs;
  dirs.AddFolder("D:\\Music");
  dirs.AddFolder("C:\\Tools");
  EXPECT_EQ("Music", DefaultTitle("D:\\Music\\", dirs));
  EXPECT_EQ("Tools", DefaultTitle("C:\\Tools", dirs));
  EXPECT_EQ("Tools", DefaultTitle("C:\\Tools\\", dirs));
  EXPECT_EQ("", DefaultTitle("C:\\", dirs));
  EXPECT_EQ("tool", DefaultTitle("C:\\gone\\tool.exe", dirs));
  EXPECT_EQ("archive.tar", DefaultTitle("C:\\archive.tar.gz", dirs));
  EXPECT_EQ("README", DefaultTitle("C:\\x.y\\README", dirs));
  EXPECT_EQ("", DefaultTitle("C:\\.profile", dirs));
}

}  // namespace
}  // namespace tessaly
