// The decisions of the shortcut commands and the editor's checks.

#include "shortcuts/ShortcutCommands.h"

#include <gtest/gtest.h>

#include "base/Text.h"
#include "shortcuts/ShortcutNames.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;

TEST(DecideOpen, RunBoxLinksAndMissingTargets) {
  FakeLinkReader links;
  FakeDirectories dirs;
  EXPECT_EQ(OpenDecision::Kind::RunBox, DecideOpen("win+r", links, dirs).kind);
  EXPECT_EQ((std::vector<KeyEvent>{{0x5B, false}, {0x52, false}, {0x52, true}, {0x5B, true}}),
            RunBoxKeys());
  // Another case of it is an ordinary path, and a missing one.
  const OpenDecision other = DecideOpen("Win+R", links, dirs);
  EXPECT_EQ(OpenDecision::Kind::Missing, other.kind);
  EXPECT_EQ("The file: 'Win+R' does not exist.", other.message);

  dirs.AddFile("C:\\Tools\\app.exe");
  dirs.AddFile("C:\\L\\App.LNK");
  links.links["C:\\L\\App.LNK"] = {"C:\\Tools\\app.exe", "-x \"a b\""};
  const OpenDecision link = DecideOpen("C:\\L\\App.LNK", links, dirs);
  EXPECT_EQ("C:\\Tools\\app.exe", link.path);
  EXPECT_EQ("-x \"a b\"", link.parameters);

  // A link to a shell object, or one that cannot be read, is opened as itself.
  dirs.AddFile("C:\\L\\Shell.lnk");
  links.links["C:\\L\\Shell.lnk"] = {"", "ignored"};
  dirs.AddFile("C:\\L\\Broken.lnk");
  EXPECT_EQ("C:\\L\\Shell.lnk", DecideOpen("C:\\L\\Shell.lnk", links, dirs).path);
  EXPECT_EQ("", DecideOpen("C:\\L\\Shell.lnk", links, dirs).parameters);
  EXPECT_EQ("C:\\L\\Broken.lnk", DecideOpen("C:\\L\\Broken.lnk", links, dirs).path);

  dirs.AddFile("C:\\L\\Gone.lnk");
  links.links["C:\\L\\Gone.lnk"] = {"C:\\Tools\\gone.exe", ""};
  EXPECT_EQ("The target: 'C:\\Tools\\gone.exe' does not exist.",
            DecideOpen("C:\\L\\Gone.lnk", links, dirs).message);
}

TEST(LocationFolder, IsTheFolderPartOfTheTarget) {
  EXPECT_EQ("C:\\Data\\", LocationFolder("C:\\Data\\report.txt"));
  EXPECT_EQ("C:\\", LocationFolder("C:\\x"));
  EXPECT_EQ("", LocationFolder("win+r"));
  // A double-byte character whose second byte is "\\" is part of the file name.
  SetLeadByteTest([](unsigned char c) { return c == 0x95; });
  EXPECT_EQ("C:\\", LocationFolder("C:\\\x95\\"));
  SetLeadByteTest(nullptr);
}

TEST(RemoveQuestion, NamesOneItemAndCountsMore) {
  EXPECT_EQ("Do you want to delete 'Notes' ?", RemoveQuestion({{"Notes", "n"}}));
  EXPECT_EQ("Do you want to delete the 4 items ?",
            RemoveQuestion({{"a", "a"}, {"b", "b"}, {"c", "c"}, {"d", "d"}}));
}

TEST(EditorCheck, TrimsAndChecksTargetBeforeTitle) {
  EditorFields fields{"   ", ""};
  EditorCheck check = CheckEditorFields(fields);
  EXPECT_EQ(EditorCheck::Field::Target, check.failed);
  EXPECT_EQ("Target box is empty", check.message);
  EXPECT_EQ("", fields.target);

  fields = {"\t C:\\a.exe \r", "  \x01 "};
  check = CheckEditorFields(fields);
  EXPECT_EQ("Title box is empty", check.message);
  EXPECT_EQ("C:\\a.exe", fields.target);
  EXPECT_EQ("", fields.title);

  fields = {"win+r", "  Run box  "};
  EXPECT_TRUE(CheckEditorFields(fields).ok());
  EXPECT_EQ("Run box", fields.title);
  // Characters above 127 are text, not blanks.
  fields = {"C:\\caf\xE9", "\xE9t\xE9"};
  EXPECT_TRUE(CheckEditorFields(fields).ok());
  EXPECT_EQ("\xE9t\xE9", fields.title);
}

TEST(EditorCheck, RefusesWhatTheStoreCannotCarry) {
  const std::pair<EditorFields, EditorCheck::Field> cases[] = {
      {{"C:\\a\r\nb", "t"}, EditorCheck::Field::Target},
      {{"C:\\<[x", "t"}, EditorCheck::Field::Target},
      {{"C:\\a", "x]>"}, EditorCheck::Field::Title},
      {{"C:\\a", "two\nlines"}, EditorCheck::Field::Title},
  };
  for (auto [fields, field] : cases) {
    const EditorCheck check = CheckEditorFields(fields);
    EXPECT_EQ(field, check.failed) << fields.target << "/" << fields.title;
    EXPECT_NE(std::string::npos, check.message.find("cannot contain"));
  }
  EditorFields ordinary{"C:\\[x]\\<y>.exe", "a [b] <c>"};
  EXPECT_TRUE(CheckEditorFields(ordinary).ok());
}

TEST(ShortcutNames, DisplayTargetOfLinks) {
  FakeLinkReader links;
  links.links["C:\\a.LNK"] = {"C:\\Tools\\app.exe", "-x"};
  links.links["C:\\b.lnk"] = {"C:\\b.exe", ""};
  links.links["C:\\shell.lnk"] = {"", "-x"};
  EXPECT_EQ("C:\\Tools\\app.exe -x", DisplayTarget("C:\\a.LNK", links));
  EXPECT_EQ("C:\\b.exe", DisplayTarget("C:\\b.lnk", links));
  EXPECT_EQ("C:\\shell.lnk", DisplayTarget("C:\\shell.lnk", links));
  EXPECT_EQ("C:\\broken.lnk", DisplayTarget("C:\\broken.lnk", links));
  EXPECT_EQ("C:\\doc.txt", DisplayTarget("C:\\doc.txt", links));
  // Only link files are read.
  EXPECT_EQ(4u, links.resolved.size());
}

}  // namespace
}  // namespace tessaly
