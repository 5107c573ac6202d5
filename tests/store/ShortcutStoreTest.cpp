#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "base/Text.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

const std::string kPath = "C:\\Data\\Shortcuts.sts";

class ShortcutStoreTest : public ::testing::Test {
 protected:
  void StartWith(const std::string& bytes) {
    files.files[kPath] = bytes;
    store.Load();
  }
  void StartWith(const LineList& lines) { StartWith(JoinLines(lines)); }
  LineList OnDisk() const { return SplitLines(files.files.at(kPath)); }

  // The entries the store shows for the node, as title/target lines; nothing when it
  // has no section.
  std::optional<LineList> Shown(const CategoryNode& node) const {
    const auto entries = store.SectionEntries(node);
    if (!entries) return std::nullopt;
    LineList lines;
    for (const auto& entry : *entries) {
      lines.push_back(entry.title);
      lines.push_back(entry.target);
    }
    return lines;
  }
  void Add(const std::string& title, const std::string& target) { list.push_back({title, target}); }

  FakeFileStore files;
  RecordingMessageBoxes boxes;
  testing::FakeClock clock;
  ShortcutStore store{files, boxes, kPath, clock};
  Shortcuts list;

  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& old = tree.AddChild(tools, "Old");
  CategoryNode& trash = tree.AddTopLevel("Trash");
};

// Work with two entries, then its sub-category Tools with one.
const LineList kWorkAndTools = {"<[Work]>",      "Editor",          "C:\\ed.exe", "Reports",
                                "D:\\Reports\\", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"};

TEST_F(ShortcutStoreTest, HeaderSpellsThePathFromTheTopLevelDown) {
  EXPECT_EQ(ShortcutStore::SectionHeader(trash), "<[Trash]>");
  EXPECT_EQ(ShortcutStore::SectionHeader(tools), "<[Work][Tools]>");
  EXPECT_EQ(ShortcutStore::SectionHeader(old), "<[Work][Tools][Old]>");
  auto& odd = tree.AddChild(trash, " two  blanks ");
  EXPECT_EQ(ShortcutStore::SectionHeader(odd), "<[Trash][ two  blanks ]>");
}

TEST_F(ShortcutStoreTest, LoadsEverySupportedLineEndingAlike) {
  for (const std::string bytes :
       {"<[Work]>\r\nA\r\nB\r\n", "<[Work]>\nA\nB\n", "<[Work]>\rA\rB", "<[Work]>\r\nA\nB\r"}) {
    StartWith(bytes);
    EXPECT_EQ(store.Lines(), (LineList{"<[Work]>", "A", "B"})) << bytes;
  }
}

TEST_F(ShortcutStoreTest, MissingFileStartsEmptyAndTheFirstSaveCreatesIt) {
  store.Load();
  EXPECT_TRUE(store.Lines().empty());
  Add("Editor", "C:\\ed.exe");
  store.SaveCategorySection(tools, list);
  EXPECT_EQ(files.files.at(kPath), "<[Work][Tools]>\r\nEditor\r\nC:\\ed.exe\r\n");
}

TEST_F(ShortcutStoreTest, SectionEntriesAreTheSectionInFileOrder) {
  StartWith(kWorkAndTools);
  EXPECT_EQ(Shown(work), (LineList{"Editor", "C:\\ed.exe", "Reports", "D:\\Reports\\"}));
  EXPECT_EQ(Shown(tools), (LineList{"Calculator", "C:\\calc.exe"}));
  EXPECT_EQ(Shown(trash), std::nullopt);
  EXPECT_EQ(Shown(old), std::nullopt);
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(ShortcutStoreTest, LoadStopsAtTheRulesOfTheFormat) {
  struct Case {
    const char* what;
    LineList file;
    LineList shown;
  };
  const Case cases[] = {
      {"empty section", {"<[Work]>", "<[Trash]>", "T", "P"}, {}},
      {"section at the end of the file", {"<[Trash]>", "<[Work]>", "T", "P"}, {"T", "P"}},
      {"odd line count drops the last title", {"<[Work]>", "T1", "P1", "T2"}, {"T1", "P1"}},
      {"title holding ]> ends the section", {"<[Work]>", "T1", "P1", "a]>b", "P2"}, {"T1", "P1"}},
      {"title holding <[ ends the section", {"<[Work]>", "T1", "P1", "x<[y", "P2"}, {"T1", "P1"}},
      {"a target may hold either",
       {"<[Work]>", "T1", "<[x]>", "T2", "P2"},
       {"T1", "<[x]>", "T2", "P2"}},
      {"a title holding the header comes first",
       {"<[Trash]>", "see <[Work]>", "C:\\a", "<[Work]>", "T", "P"},
       {"C:\\a", "<[Work]>", "T", "P"}},
      {"lines before the first header are ignored", {"junk", "<[Work]>", "T", "P"}, {"T", "P"}},
      {"the match is case-sensitive", {"<[work]>", "t", "p", "<[Work]>", "T", "P"}, {"T", "P"}},
  };
  for (const auto& c : cases) {
    StartWith(c.file);
    EXPECT_EQ(Shown(work), c.shown) << c.what;
  }
}

TEST_F(ShortcutStoreTest, SecondBytesOfDoubleByteCharactersNeverMatch) {
  // 0x81 starts a two-byte character, as in Shift-JIS; the byte after it is not "<" or "]".
  struct Scope {
    Scope() {
      SetLeadByteTest([](unsigned char c) { return c == 0x81; });
    }
    ~Scope() { SetLeadByteTest(nullptr); }
  } scope;
  StartWith(
      LineList{"\x81<[Work]>", "a", "b", "<[Work]>", "T\x81]>", "P", "\x81<[x", "Q", "<[Trash]>"});
  EXPECT_EQ(Shown(work), (LineList{"T\x81]>", "P", "\x81<[x", "Q"}));

  store.SaveCategorySection(work, *store.SectionEntries(work));
  EXPECT_EQ(OnDisk(), (LineList{"\x81<[Work]>", "a", "b", "<[Work]>", "T\x81]>", "P", "\x81<[x",
                                "Q", "<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, SaveNewSubCategoryIntoAnEmptyFile) {
  CategoryNode& b = tree.AddChild(tree.AddTopLevel("A"), "B");
  Add("One", "C:\\1.exe");
  Add("Two", "C:\\2.exe");
  store.SaveCategorySection(b, list);
  EXPECT_EQ(files.files.at(kPath), "<[A][B]>\r\nOne\r\nC:\\1.exe\r\nTwo\r\nC:\\2.exe\r\n");
}

TEST_F(ShortcutStoreTest, SaveReplacesOnlyTheOwnEntries) {
  StartWith(kWorkAndTools);
  Add("New", "C:\\new.exe");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "New", "C:\\new.exe", "<[Work][Tools]>", "Calculator",
                                "C:\\calc.exe"}));

  Add("More", "C:\\more.exe");
  Add("Most", "C:\\most.exe");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "New", "C:\\new.exe", "More", "C:\\more.exe", "Most",
                                "C:\\most.exe", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
}

TEST_F(ShortcutStoreTest, SaveOfAnEmptyListKeepsTheHeader) {
  StartWith(kWorkAndTools);
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
  EXPECT_EQ(Shown(work), LineList{});
}

TEST_F(ShortcutStoreTest, SaveEndsTheOldBodyAtAnyLineHoldingTheHeaderStart) {
  StartWith(LineList{"intro", "<[Work]>", "T1", "P1", "T2", "C:\\odd<[name", "T3", "P3"});
  Add("N", "C:\\n");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"intro", "<[Work]>", "N", "C:\\n", "C:\\odd<[name", "T3", "P3"}));
}

TEST_F(ShortcutStoreTest, SaveOfTheLastSectionAndOfAnLfOnlyFile) {
  StartWith("<[Trash]>\nX\nY\n<[Work]>\nT\nP\n");
  Add("A", "B");
  Add("C", "D");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(files.files.at(kPath), "<[Trash]>\r\nX\r\nY\r\n<[Work]>\r\nA\r\nB\r\nC\r\nD\r\n");
}

TEST_F(ShortcutStoreTest, AppendGoesAfterTheOwnEntriesInTheGivenOrder) {
  StartWith(kWorkAndTools);
  for (const char* t : {"d", "b"}) Add(t, std::string("C:\\") + t);
  store.AppendItemsToSection(work, list);
  EXPECT_EQ(OnDisk(),
            (LineList{"<[Work]>", "Editor", "C:\\ed.exe", "Reports", "D:\\Reports\\", "d", "C:\\d",
                      "b", "C:\\b", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
}

TEST_F(ShortcutStoreTest, AppendEndsTheBodyOnlyAtALineBeginningWithTheHeaderStart) {
  StartWith(LineList{"<[Work]>", "T", "C:\\odd<[name", "<[Trash]>"});
  Add("a", "A");
  store.AppendItemsToSection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "T", "C:\\odd<[name", "a", "A", "<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, AppendAtTheEndOfTheFileAndToNewSections) {
  StartWith(kWorkAndTools);
  store.AppendItemsToSection(tools, {{"a", "A"}});
  EXPECT_EQ(OnDisk().back(), "A");
  EXPECT_EQ(OnDisk().size(), kWorkAndTools.size() + 2);

  StartWith(LineList{"<[Trash]>", "<[Work]>"});
  store.AppendItemsToSection(work, {{"b", "B"}});
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "<[Work]>", "b", "B"}));

  StartWith(LineList{"<[Trash]>"});
  store.AppendItemsToSection(work, {{"b", "B"}, {"a", "A"}});
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "<[Work]>", "b", "B", "a", "A"}));
}

TEST_F(ShortcutStoreTest, TrashFilesTheSelectionAtTheTopInListOrder) {
  StartWith(LineList{"<[Work]>", "w", "W", "<[Trash]>", "older", "C:\\older"});
  for (const int i : {1, 3}) Add("t" + std::to_string(i), "p" + std::to_string(i));
  store.AddSelectedToSection("Trash", list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "w", "W", "<[Trash]>", "t1", "p1", "t3", "p3", "older",
                                "C:\\older"}));
}

TEST_F(ShortcutStoreTest, TrashWithoutASectionIsAppended) {
  StartWith(kWorkAndTools);
  store.AddSelectedToSection("Trash", {{"a", "A"}});
  LineList expected = kWorkAndTools;
  expected.insert(expected.end(), {"<[Trash]>", "a", "A"});
  EXPECT_EQ(OnDisk(), expected);

  // Even with nothing selected the section is created.
  StartWith(LineList{});
  store.AddSelectedToSection("Trash", {});
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, RenameCarriesTheSubCategoriesSectionsInOneSave) {
  tree.AddChild(old, "Deep");
  StartWith(LineList{"<[Work][Tools]>", "T", "P", "<[Work][Tools][Old]>", "O", "Q",
                     "<[Work][Tools][Old][Deep]>", "D", "E", "<[Work][Toolsmith]>"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Work][Kit]>", "T", "P", "<[Work][Kit][Old]>", "O", "Q",
                                "<[Work][Kit][Old][Deep]>", "D", "E", "<[Work][Toolsmith]>"}));
  EXPECT_EQ(files.DataWrites().size(), 1u);
  // A section of a category that is no longer in the tree stays where it is.
  StartWith(LineList{"<[Work][Tools][Gone]>", "G", "H"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Work][Tools][Gone]>", "G", "H"}));
}

TEST_F(ShortcutStoreTest, MovedSectionsTakeTheirNewHeadersInOneSave) {
  StartWith(LineList{"<[Work][Tools]>", "T", "P", "<[Work][Tools][Old]>", "O", "Q", "<[Trash]>"});
  const auto before = ShortcutStore::SubtreeHeaders(tools);
  EXPECT_EQ(before, (std::vector<std::string>{"<[Work][Tools]>", "<[Work][Tools][Old]>"}));
  tree.MoveToLastChild(tools, trash);
  store.MoveCategorySections(before, ShortcutStore::SubtreeHeaders(tools));
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash][Tools]>", "T", "P", "<[Trash][Tools][Old]>", "O", "Q",
                                "<[Trash]>"}));
  EXPECT_EQ(files.DataWrites().size(), 1u);
}

TEST_F(ShortcutStoreTest, RenameReplacesTheFirstOccurrenceInTheFirstMatchingLine) {
  StartWith(LineList{"<[Trash]>", "Tools]> <[Work][Tools]>", "x", "<[Work][Tools]>"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "Kit]> <[Work][Tools]>", "x", "<[Work][Tools]>"}));
}

TEST_F(ShortcutStoreTest, RenameWithoutASectionStillSaves) {
  StartWith(kWorkAndTools);
  store.RenameCategorySection(old, "New");
  EXPECT_EQ(files.DataWrites().size(), 1u);
  EXPECT_EQ(OnDisk(), kWorkAndTools);
}

TEST_F(ShortcutStoreTest, RemoveReachesTheFileWithTheNextSave) {
  StartWith(LineList{"<[Work]>", "T", "P", "<[Work][Tools]>", "C", "D", "<[Trash]>"});
  const std::string before = files.files.at(kPath);
  store.RemoveCategorySection(work);
  EXPECT_EQ(store.Lines(), (LineList{"<[Work][Tools]>", "C", "D", "<[Trash]>"}));
  EXPECT_EQ(files.files.at(kPath), before);
  EXPECT_TRUE(files.writes.empty());

  store.RemoveCategorySection(old);  // no section: nothing happens
  store.RemoveCategorySection(tools);
  EXPECT_EQ(store.Lines(), (LineList{"<[Trash]>"}));

  store.AddSelectedToSection("Trash", list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, FailedSaveReportsAnErrorAndKeepsTheChange) {
  StartWith(kWorkAndTools);
  const std::string before = files.files.at(kPath);
  files.failingPaths.insert(kPath);
  Add("New", "C:\\new.exe");
  store.SaveCategorySection(tools, list);

  EXPECT_EQ(files.files.at(kPath), before);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].rfind("Error: ", 0), 0u);
  EXPECT_NE(boxes.shown[0].find(kPath), std::string::npos);
  EXPECT_EQ(store.Lines().back(), "C:\\new.exe");

  // The next saving operation writes the kept change too.
  files.failingPaths.clear();
  store.RenameCategorySection(old, "x");
  EXPECT_EQ(OnDisk(), store.Lines());
  EXPECT_EQ(OnDisk().back(), "C:\\new.exe");
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// Mended: a rename or a move onto a path that a deleted category's section still had
// made two sections with one header; the second was never seen again.
TEST_F(ShortcutStoreTest, ASectionCarriedOntoAPathInUseBecomesOneWithIt) {
  StartWith(LineList{"<[Work][Kit]>", "Left", "L", "<[Work][Tools]>", "T", "P",
                     "<[Work][Kit][Old]>", "Deep", "D", "<[Work][Tools][Old]>", "O", "Q"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Work][Kit]>", "T", "P", "Left", "L", "<[Work][Kit][Old]>", "O",
                                "Q", "Deep", "D"}));

  StartWith(LineList{"<[Trash][Tools]>", "Left", "L", "<[Work][Tools]>", "T", "P"});
  const auto before = ShortcutStore::SubtreeHeaders(tools);
  tree.MoveToLastChild(tools, trash);
  store.MoveCategorySections(before, ShortcutStore::SubtreeHeaders(tools));
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash][Tools]>", "T", "P", "Left", "L"}));
}

// Mended: a failed write was said to be kept for the next one, but nothing knew it was
// still to be written.
TEST_F(ShortcutStoreTest, AFailedWriteIsRememberedUntilAWriteSucceeds) {
  StartWith(kWorkAndTools);
  int written = 0;
  store.OnWritten([&] { ++written; });
  files.failingPaths.insert(kPath);
  store.SaveCategorySection(work, {{"New", "n"}});
  EXPECT_TRUE(store.unsaved());
  EXPECT_FALSE(store.unsavedPaths());
  store.RenameCategorySection(tools, "Kit");
  EXPECT_TRUE(store.unsavedPaths());
  EXPECT_FALSE(store.WriteUnsaved());
  EXPECT_EQ(boxes.shown.size(), 2u);  // the two commands told; the quiet write did not

  files.failingPaths.clear();
  EXPECT_TRUE(store.SaveIfUnsaved());
  EXPECT_FALSE(store.unsaved());
  EXPECT_FALSE(store.unsavedPaths());
  EXPECT_EQ(written, 1);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "New", "n", "<[Work][Kit]>", "Calculator", "C:\\calc.exe"}));
  // Nothing left to write: nothing is written.
  const auto writes = files.writes.size();
  EXPECT_TRUE(store.SaveIfUnsaved());
  EXPECT_EQ(files.writes.size(), writes);
}

TEST_F(ShortcutStoreTest, ADuplicateSectionCanBeGivenAHeaderOfItsOwn) {
  StartWith(LineList{"<[Work]>", "A", "a", "<[Work]>", "B", "b", "<[Work]>", "C", "c"});
  EXPECT_TRUE(store.RenameDuplicateSection("<[Work]>", 2, "<[Work (3)]>"));
  EXPECT_TRUE(store.RenameDuplicateSection("<[Work]>", 1, "<[Work (2)]>"));
  EXPECT_FALSE(store.RenameDuplicateSection("<[Work]>", 1, "<[x]>"));
  EXPECT_EQ(store.Lines(), (LineList{"<[Work]>", "A", "a", "<[Work (2)]>", "B", "b", "<[Work (3)]>",
                                     "C", "c"}));
  EXPECT_TRUE(store.unsavedPaths());
}

// Random files built from the format's own fragments, random operations on them: the
// store must never crash, the file must always follow memory, and a section saved
// from a well-formed list must read back as that list.
TEST_F(ShortcutStoreTest, RandomContentNeverBreaksTheStore) {
  const std::vector<std::string> fragments = {
      "<[", "]>", "[Work]", "<[Work]>", "<[Work][Tools]>",     "<[Trash]>", "[", "]", "<", ">", "x",
      "",   " ",  "\x81]",  "Tools]>",  "<[Work][Tools][Old]>"};
  std::mt19937 random(20240521);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  CategoryNode* nodes[] = {&work, &tools, &old, &trash};

  for (int round = 0; round < 300; ++round) {
    LineList file;
    const std::size_t lineCount = pick(12);
    for (std::size_t i = 0; i < lineCount; ++i) {
      std::string line;
      for (std::size_t parts = pick(4); parts > 0; --parts)
        line += fragments[pick(fragments.size())];
      file.push_back(line);
    }
    StartWith(file);
    for (int op = 0; op < 6; ++op) {
      CategoryNode& node = *nodes[pick(4)];
      list.clear();
      for (std::size_t i = pick(4); i > 0; --i) Add("t" + std::to_string(i), "p");
      switch (pick(6)) {
        case 0: {
          store.SaveCategorySection(node, list);
          ASSERT_EQ(store.SectionEntries(node), list) << "round " << round;
          break;
        }
        case 1:
          store.SectionEntries(node);
          break;
        case 2:
          store.AppendItemsToSection(node, list);
          break;
        case 3:
          store.AddSelectedToSection(node.name, list);
          break;
        case 4:
          store.RenameCategorySection(node, fragments[pick(fragments.size())]);
          break;
        default:
          store.RemoveCategorySection(node);
          break;
      }
    }
    store.AddSelectedToSection("Trash", {});
    ASSERT_EQ(files.files.at(kPath), JoinLines(store.Lines()));
  }
}

// Another program (a hand edit, a sync tool, a second Tessaly) wrote the file after
// it was read. Each command is made to what is on disk now: the result is the same as
// if the command had run on that file.
class AnotherWriterTest : public ShortcutStoreTest {
 protected:
  AnotherWriterTest() {
    StartWith(kBase);
    files.WriteBehind(kPath, JoinLines(kTheirs));
  }
  // The file the command should leave: the command run by a store that read theirs.
  LineList AsIfRunOnTheirs(const std::function<void(ShortcutStore&)>& command) {
    FakeFileStore theirFiles;
    RecordingMessageBoxes theirBoxes;
    theirFiles.files[kPath] = JoinLines(kTheirs);
    ShortcutStore fresh(theirFiles, theirBoxes, kPath, clock);
    fresh.Load();
    command(fresh);
    return SplitLines(theirFiles.files.at(kPath));
  }
  std::map<std::string, std::string> Backups() const { return files.FilesIn("C:\\Data\\Backup\\"); }

  CategoryNode& games = tree.AddTopLevel("Games");
  const LineList kBase = {"<[Work]>", "Editor", "C:\\ed.exe", "<[Work][Tools]>", "Calculator",
                          "C:\\calc.exe", "<[Trash]>", "Old", "C:\\old.exe", "<[Games]>", "Chess",
                          "C:\\chess.exe"};
  // Their Games entry is renamed and they made a section of their own.
  const LineList kTheirs = {"<[Work]>", "Editor", "C:\\ed.exe", "<[Work][Tools]>", "Calculator",
                            "C:\\calc.exe", "<[Trash]>", "Old", "C:\\old.exe", "<[Games]>",
                            "Chess 2", "C:\\chess.exe", "<[Hand]>", "Added", "C:\\added.exe"};
};

TEST_F(AnotherWriterTest, EveryCommandKeepsWhatTheyWroteElsewhere) {
  const struct {
    const char* what;
    std::function<void(ShortcutStore&)> command;
  } commands[] = {
      {"save", [&](ShortcutStore& s) { s.SaveCategorySection(work, {{"New", "C:\\new.exe"}}); }},
      {"append", [&](ShortcutStore& s) { s.AppendItemsToSection(tools, {{"More", "C:\\more.exe"}}); }},
      {"trash", [&](ShortcutStore& s) { s.AddSelectedToSection("Trash", {{"Gone", "C:\\gone.exe"}}); }},
      {"rename", [&](ShortcutStore& s) { s.RenameCategorySection(work, "Job"); }},
      {"move",
       [&](ShortcutStore& s) {
         s.MoveCategorySections(ShortcutStore::SubtreeHeaders(tools), {"<[Trash][Tools]>"});
       }},
      {"delete, then a save",
       [&](ShortcutStore& s) {
         s.RemoveCategorySection(tools);
         s.AddSelectedToSection("Trash", {});
       }},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.what);
    StartWith(kBase);
    files.WriteBehind(kPath, JoinLines(kTheirs));
    boxes.shown.clear();
    c.command(store);
    EXPECT_EQ(AsIfRunOnTheirs(c.command), OnDisk());
    EXPECT_EQ(OnDisk(), store.Lines());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(store.TakeOutsideChange());
  }
}

TEST_F(AnotherWriterTest, TheSameSectionChangedOnBothSidesIsTheUsersAndTheirsIsKept) {
  // They added a shortcut to Work; the user sorted (saved) Work as it was shown.
  LineList theirs = kTheirs;
  theirs.insert(theirs.begin() + 3, {"Theirs", "C:\\theirs.exe"});
  files.WriteBehind(kPath, JoinLines(theirs));
  store.SaveCategorySection(work, {{"Editor", "C:\\ed.exe"}, {"Mine", "C:\\mine.exe"}});

  EXPECT_EQ(OnDisk(), AsIfRunOnTheirs([&](ShortcutStore& s) {
              s.SaveCategorySection(work, {{"Editor", "C:\\ed.exe"}, {"Mine", "C:\\mine.exe"}});
            }));
  const std::string kept = "C:\\Data\\Backup\\Shortcuts 2026-12-09 11-30-00.sts";
  EXPECT_EQ(JoinLines(theirs), files.files.at(kept));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Information: Another program changed 'C:\\Data\\Shortcuts.sts' while Tessaly had it open, "
            "in a place you changed too: the shortcuts of [Work].\n\nYour change stands. The other "
            "version of the file is kept as '" + kept + "'.",
            boxes.shown[0]);
}

TEST_F(AnotherWriterTest, DeletingACategoryTheyAddedToKeepsTheirVersion) {
  LineList theirs = kBase;
  theirs.insert(theirs.begin() + 6, {"Theirs", "C:\\theirs.exe"});  // into Work/Tools
  files.WriteBehind(kPath, JoinLines(theirs));
  store.RemoveCategorySection(tools);
  store.AppendItemsToSection(work, {{"Mine", "C:\\mine.exe"}});
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "Editor", "C:\\ed.exe", "Mine", "C:\\mine.exe", "<[Trash]>",
                                "Old", "C:\\old.exe", "<[Games]>", "Chess", "C:\\chess.exe"}));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_NE(std::string::npos, boxes.shown[0].find("the shortcuts of [Work][Tools]"));
  EXPECT_EQ(JoinLines(theirs), files.files.at("C:\\Data\\Backup\\Shortcuts 2026-12-09 11-30-00.sts"));
}

TEST_F(AnotherWriterTest, AddingToASectionTheyChangedKeepsBothWithoutAMessage) {
  LineList theirs = kBase;
  theirs.insert(theirs.begin() + 3, {"Theirs", "C:\\theirs.exe"});
  files.WriteBehind(kPath, JoinLines(theirs));
  store.AppendItemsToSection(work, {{"Mine", "C:\\mine.exe"}});
  store.AddSelectedToSection("Work", {{"Top", "C:\\top.exe"}});
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "Top", "C:\\top.exe", "Editor", "C:\\ed.exe", "Theirs",
                                "C:\\theirs.exe", "Mine", "C:\\mine.exe", "<[Work][Tools]>", "Calculator",
                                "C:\\calc.exe", "<[Trash]>", "Old", "C:\\old.exe", "<[Games]>", "Chess",
                                "C:\\chess.exe"}));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AnotherWriterTest, ChangesAFailedWriteKeptAreMadeAgainOnTheirFile) {
  StartWith(kBase);
  files.failingPaths.insert(kPath);
  store.SaveCategorySection(games, {{"Go", "C:\\go.exe"}});  // they changed Games too
  store.RemoveCategorySection(tools);
  files.failingPaths.clear();
  files.WriteBehind(kPath, JoinLines(kTheirs));
  boxes.shown.clear();
  store.AppendItemsToSection(work, {{"Mine", "C:\\mine.exe"}});
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "Editor", "C:\\ed.exe", "Mine", "C:\\mine.exe", "<[Trash]>",
                                "Old", "C:\\old.exe", "<[Games]>", "Go", "C:\\go.exe", "<[Hand]>", "Added",
                                "C:\\added.exe"}));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_NE(std::string::npos, boxes.shown[0].find("the shortcuts of [Games]"));
  EXPECT_FALSE(store.unsaved());
}

TEST_F(AnotherWriterTest, AReloadTakesTheirFileAndKeepsWhatIsNotWrittenYet) {
  const unsigned before = store.version();
  ASSERT_TRUE(store.Reload());
  EXPECT_EQ(kTheirs, store.Lines());
  EXPECT_NE(before, store.version());
  EXPECT_TRUE(store.TakeOutsideChange());
  EXPECT_FALSE(store.TakeOutsideChange());
  EXPECT_FALSE(store.Reload());  // nothing new

  // A deletion not yet written stays on top of what they write next.
  store.RemoveCategorySection(tools);
  LineList again = kTheirs;
  again.push_back("More");
  again.push_back("C:\\more.exe");
  files.WriteBehind(kPath, JoinLines(again));
  ASSERT_TRUE(store.Reload());
  again.erase(again.begin() + 3, again.begin() + 6);
  EXPECT_EQ(again, store.Lines());
  EXPECT_TRUE(files.DataWrites().empty());  // a reload writes nothing
  EXPECT_TRUE(boxes.shown.empty());
}

// Mended: a file that a sync tool was still writing was taken for the new data, and
// the next command wrote it back nearly empty.
TEST_F(AnotherWriterTest, AFileLeftEmptyIsNeitherTakenNorWrittenBack) {
  files.WriteBehind(kPath, "");
  EXPECT_FALSE(store.Reload());
  EXPECT_EQ(kBase, store.Lines());
  store.AppendItemsToSection(work, {{"Mine", "C:\\mine.exe"}});
  LineList expected = kBase;
  expected.insert(expected.begin() + 3, {"Mine", "C:\\mine.exe"});
  EXPECT_EQ(expected, OnDisk());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AnotherWriterTest, AFileThatCannotBeReadToMergeIsAFailedWriteThatKeepsTheChange) {
  files.unreadable[kPath] = {"The process cannot access the file", -1};
  store.AppendItemsToSection(work, {{"Mine", "C:\\mine.exe"}});
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_NE(std::string::npos, boxes.shown[0].find("The process cannot access the file"));
  EXPECT_EQ(JoinLines(kTheirs), files.files.at(kPath));
  EXPECT_TRUE(store.unsaved());
  files.unreadable.clear();
  EXPECT_TRUE(store.SaveIfUnsaved());
  LineList expected = kTheirs;
  expected.insert(expected.begin() + 3, {"Mine", "C:\\mine.exe"});
  EXPECT_EQ(expected, OnDisk());
}

// What shows a category must read it again after a reload that changed it; should it
// not, a save of its stale list is still told and their version kept.
TEST_F(AnotherWriterTest, AListReadBeforeTheirChangeIsToldWhenSaved) {
  StartWith(kBase);
  const Shortcuts shownWork = *store.SectionEntries(work);
  const Shortcuts shownGames = *store.SectionEntries(games);
  Shortcuts shownTrash = *store.SectionEntries(trash);
  ASSERT_TRUE(store.Reload() == false);
  files.WriteBehind(kPath, JoinLines(kTheirs));  // Games changed, Work not
  ASSERT_TRUE(store.Reload());

  // Work was not changed by them, and the user's own additions to Trash are followed.
  store.AddSelectedToSection("Trash", {{"Gone", "C:\\gone.exe"}});
  shownTrash.insert(shownTrash.begin(), {"Gone", "C:\\gone.exe"});
  store.SaveCategorySection(trash, shownTrash);
  store.SaveCategorySection(work, shownWork);
  EXPECT_TRUE(boxes.shown.empty());

  // Games was: the stale list wins, as the command says, and theirs is kept.
  Shortcuts sorted = shownGames;
  sorted.push_back({"Mine", "C:\\mine.exe"});
  const std::string before = files.files.at(kPath);
  store.SaveCategorySection(games, sorted);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_NE(std::string::npos, boxes.shown[0].find("the shortcuts of [Games]"));
  const std::size_t at = boxes.shown[0].find("kept as '");
  ASSERT_NE(std::string::npos, at);
  EXPECT_EQ(before, files.files.at(boxes.shown[0].substr(at + 9, boxes.shown[0].size() - at - 11)));
  EXPECT_EQ((Shortcuts{{"Chess", "C:\\chess.exe"}, {"Mine", "C:\\mine.exe"}}), store.SectionEntries(games));
  // Saved again from what it shows now: nothing more to tell.
  store.SaveCategorySection(games, sorted);
  EXPECT_EQ(1u, boxes.shown.size());
}

// Two Tessalys on one synced folder, or started in one folder by two paths: each
// works on what it read last and may be behind; no shortcut either adds is ever lost,
// and one that a stale view overwrote is in a backup, told by a message.
TEST_F(AnotherWriterTest, TwoTessalysNeverLoseEachOthersShortcuts) {
  RecordingMessageBoxes otherBoxes;
  ShortcutStore other(files, otherBoxes, kPath, clock);
  ASSERT_EQ(ReadStatus::Read, other.Load().status);
  ShortcutStore* both[] = {&store, &other};
  CategoryNode* nodes[] = {&work, &tools, &trash, &games};
  std::mt19937 random(19);
  std::vector<std::string> added;
  std::set<std::string> onDisk;
  for (int step = 0; step < 400; ++step) {
    clock.milliseconds += 1000;  // every backup of its own second
    ShortcutStore& s = *both[random() % 2];
    if (random() % 2 == 0) s.Reload();  // the folder's notice came in time, or not
    CategoryNode& node = *nodes[random() % 4];
    const std::string title = "S" + std::to_string(step);
    switch (random() % 4) {
      case 0:
        s.AppendItemsToSection(node, {{title, "C:\\" + title}});
        added.push_back(title);
        break;
      case 1:
        s.AddSelectedToSection(node.name, {{title, "C:\\" + title}});
        added.push_back(title);
        break;
      case 2: {
        // A sort of the section as that Tessaly shows it.
        Shortcuts shown = s.SectionEntries(node).value_or(Shortcuts{});
        std::reverse(shown.begin(), shown.end());
        s.SaveCategorySection(node, shown);
        break;
      }
      default:
        s.RenameCategorySection(node, node.name);  // a rename to the same name: a plain save
        break;
    }
    // A shortcut gone from the file went with a stale view's save that was told and
    // that left the file as it was in the backup it named.
    for (auto it = onDisk.begin(); it != onDisk.end();) {
      if (files.files.at(kPath).find("\r\n" + *it + "\r\n") != std::string::npos) {
        ++it;
        continue;
      }
      RecordingMessageBoxes& told = &s == &store ? boxes : otherBoxes;
      ASSERT_FALSE(told.shown.empty()) << *it;
      const std::string& message = told.shown.back();
      const std::size_t at = message.find("kept as '");
      ASSERT_NE(std::string::npos, at) << message;
      const std::string kept = message.substr(at + 9, message.size() - at - 11);
      EXPECT_NE(std::string::npos, files.files[kept].find("\r\n" + *it + "\r\n")) << *it;
      it = onDisk.erase(it);
    }
    onDisk.insert(added.begin(), added.end());
    added.clear();
    for (const std::string& kept : onDisk) {
      ASSERT_NE(std::string::npos, files.files.at(kPath).find("\r\n" + kept + "\r\n")) << kept;
    }
  }
  EXPECT_GT(onDisk.size(), 100u);
  // The stale sorts did meet the other's shortcuts.
  EXPECT_GT(boxes.shown.size() + otherBoxes.shown.size(), 5u);
}

}  // namespace
}  // namespace tessaly
