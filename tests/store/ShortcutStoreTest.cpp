#include <gtest/gtest.h>

#include <random>

#include "base/Text.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::FakeMessagePump;
using testing::FakeShortcutList;
using testing::FakeStatusLine;
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

  // The entries the store shows for the node, as title/target lines.
  LineList Shown() const {
    LineList lines;
    for (const auto& item : list.items) {
      lines.push_back(item.title);
      lines.push_back(item.target);
    }
    return lines;
  }

  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  FakeShortcutList list;
  FakeStatusLine status;
  FakeMessagePump pump;
  ListEntryAdder adder{list, status, pump};

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
  list.Add("Editor", "C:\\ed.exe");
  store.SaveCategorySection(tools, list);
  EXPECT_EQ(files.files.at(kPath), "<[Work][Tools]>\r\nEditor\r\nC:\\ed.exe\r\n");
}

TEST_F(ShortcutStoreTest, LoadShowsTheSectionInFileOrderAfterClearingTheList) {
  StartWith(kWorkAndTools);
  list.Add("stale", "x");
  ASSERT_TRUE(store.LoadCategorySection(work, adder));
  EXPECT_EQ(Shown(), (LineList{"Editor", "C:\\ed.exe", "Reports", "D:\\Reports\\"}));
  ASSERT_TRUE(store.LoadCategorySection(tools, adder));
  EXPECT_EQ(Shown(), (LineList{"Calculator", "C:\\calc.exe"}));
}

TEST_F(ShortcutStoreTest, LoadWithoutASectionLeavesTheListAlone) {
  StartWith(kWorkAndTools);
  list.Add("kept", "x");
  EXPECT_FALSE(store.LoadCategorySection(trash, adder));
  EXPECT_FALSE(store.LoadCategorySection(old, adder));
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"kept"}));
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
    list.Clear();
    EXPECT_TRUE(store.LoadCategorySection(work, adder)) << c.what;
    EXPECT_EQ(Shown(), c.shown) << c.what;
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
  ASSERT_TRUE(store.LoadCategorySection(work, adder));
  EXPECT_EQ(Shown(), (LineList{"T\x81]>", "P", "\x81<[x", "Q"}));

  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"\x81<[Work]>", "a", "b", "<[Work]>", "T\x81]>", "P", "\x81<[x",
                                "Q", "<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, LoadReportsProgressEveryTenthEntry) {
  LineList file = {"<[Work]>"};
  for (int i = 0; i < 25; ++i) {
    file.push_back("T" + std::to_string(i));
    file.push_back("P" + std::to_string(i));
  }
  StartWith(file);
  ASSERT_TRUE(store.LoadCategorySection(work, adder));
  EXPECT_EQ(list.Count(), 25);
  EXPECT_EQ(status.history, (std::vector<std::string>{"10 items", "20 items"}));
  EXPECT_EQ(pump.calls, 2);
}

TEST_F(ShortcutStoreTest, SaveDuringANestedSelectionDoesNotDisturbARunningLoad) {
  LineList file = {"<[Work]>"};
  for (int i = 0; i < 30; ++i) {
    file.push_back("T" + std::to_string(i));
    file.push_back("P" + std::to_string(i));
  }
  file.push_back("<[Trash]>");
  StartWith(file);
  FakeShortcutList other;
  other.Add("Scanned", "C:\\s.lnk");
  // Pending messages run a nested selection that stores a section before Work.
  pump.hook = [&] {
    store.SaveCategorySection(trash, other);
    store.MutableLines().insert(store.MutableLines().begin(), {"<[New]>", "N", "Q"});
  };
  ASSERT_TRUE(store.LoadCategorySection(work, adder));
  ASSERT_EQ(list.Count(), 30);
  EXPECT_EQ(list.Title(29), "T29");
  EXPECT_EQ(list.Target(29), "P29");
}

TEST_F(ShortcutStoreTest, ANestedFillingTakesTheListOver) {
  LineList file = {"<[Work]>"};
  for (int i = 0; i < 25; ++i) {
    file.push_back("T" + std::to_string(i));
    file.push_back("P" + std::to_string(i));
  }
  StartWith(file);
  pump.hook = [&] {
    if (adder.generation() != 1) return;
    adder.NextGeneration();
    list.Clear();
    list.Add("Nested", "N");
  };
  adder.NextGeneration();
  ASSERT_TRUE(store.LoadCategorySection(work, adder));
  EXPECT_EQ(list.Titles(), (std::vector<std::string>{"Nested"}));
}

TEST_F(ShortcutStoreTest, SaveNewSubCategoryIntoAnEmptyFile) {
  CategoryNode& b = tree.AddChild(tree.AddTopLevel("A"), "B");
  list.Add("One", "C:\\1.exe");
  list.Add("Two", "C:\\2.exe");
  store.SaveCategorySection(b, list);
  EXPECT_EQ(files.files.at(kPath), "<[A][B]>\r\nOne\r\nC:\\1.exe\r\nTwo\r\nC:\\2.exe\r\n");
}

TEST_F(ShortcutStoreTest, SaveReplacesOnlyTheOwnEntries) {
  StartWith(kWorkAndTools);
  list.Add("New", "C:\\new.exe");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "New", "C:\\new.exe", "<[Work][Tools]>", "Calculator",
                                "C:\\calc.exe"}));

  list.Add("More", "C:\\more.exe");
  list.Add("Most", "C:\\most.exe");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "New", "C:\\new.exe", "More", "C:\\more.exe", "Most",
                                "C:\\most.exe", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
}

TEST_F(ShortcutStoreTest, SaveOfAnEmptyListKeepsTheHeader) {
  StartWith(kWorkAndTools);
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
  list.Add("stale", "x");
  EXPECT_TRUE(store.LoadCategorySection(work, adder));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ShortcutStoreTest, SaveEndsTheOldBodyAtAnyLineHoldingTheHeaderStart) {
  StartWith(LineList{"intro", "<[Work]>", "T1", "P1", "T2", "C:\\odd<[name", "T3", "P3"});
  list.Add("N", "C:\\n");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(OnDisk(), (LineList{"intro", "<[Work]>", "N", "C:\\n", "C:\\odd<[name", "T3", "P3"}));
}

TEST_F(ShortcutStoreTest, SaveOfTheLastSectionAndOfAnLfOnlyFile) {
  StartWith("<[Trash]>\nX\nY\n<[Work]>\nT\nP\n");
  list.Add("A", "B");
  list.Add("C", "D");
  store.SaveCategorySection(work, list);
  EXPECT_EQ(files.files.at(kPath), "<[Trash]>\r\nX\r\nY\r\n<[Work]>\r\nA\r\nB\r\nC\r\nD\r\n");
}

TEST_F(ShortcutStoreTest, AppendGoesAfterTheOwnEntriesInTheGivenOrder) {
  StartWith(kWorkAndTools);
  for (const char* t : {"a", "b", "c", "d"}) list.Add(t, std::string("C:\\") + t);
  store.AppendItemsToSection(work, list, {3, 1});
  EXPECT_EQ(OnDisk(),
            (LineList{"<[Work]>", "Editor", "C:\\ed.exe", "Reports", "D:\\Reports\\", "d", "C:\\d",
                      "b", "C:\\b", "<[Work][Tools]>", "Calculator", "C:\\calc.exe"}));
}

TEST_F(ShortcutStoreTest, AppendEndsTheBodyOnlyAtALineBeginningWithTheHeaderStart) {
  StartWith(LineList{"<[Work]>", "T", "C:\\odd<[name", "<[Trash]>"});
  list.Add("a", "A");
  store.AppendItemsToSection(work, list, {0});
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "T", "C:\\odd<[name", "a", "A", "<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, AppendAtTheEndOfTheFileAndToNewSections) {
  list.Add("a", "A");
  list.Add("b", "B");

  StartWith(kWorkAndTools);
  store.AppendItemsToSection(tools, list, {0});
  EXPECT_EQ(OnDisk().back(), "A");
  EXPECT_EQ(OnDisk().size(), kWorkAndTools.size() + 2);

  StartWith(LineList{"<[Trash]>", "<[Work]>"});
  store.AppendItemsToSection(work, list, {1});
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "<[Work]>", "b", "B"}));

  StartWith(LineList{"<[Trash]>"});
  store.AppendItemsToSection(work, list, {1, 7, -1, 0});
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "<[Work]>", "b", "B", "a", "A"}));
}

TEST_F(ShortcutStoreTest, TrashFilesTheSelectionAtTheTopInListOrder) {
  StartWith(LineList{"<[Work]>", "w", "W", "<[Trash]>", "older", "C:\\older"});
  for (int i = 0; i < 5; ++i)
    list.Add("t" + std::to_string(i), "p" + std::to_string(i), i == 1 || i == 3);
  store.AddSelectedToSection("Trash", list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work]>", "w", "W", "<[Trash]>", "t1", "p1", "t3", "p3", "older",
                                "C:\\older"}));
}

TEST_F(ShortcutStoreTest, TrashWithoutASectionIsAppended) {
  StartWith(kWorkAndTools);
  list.Add("a", "A", true);
  list.Add("b", "B");
  store.AddSelectedToSection("Trash", list);
  LineList expected = kWorkAndTools;
  expected.insert(expected.end(), {"<[Trash]>", "a", "A"});
  EXPECT_EQ(OnDisk(), expected);

  // Even with nothing selected the section is created.
  StartWith(LineList{});
  list.items[0].selected = false;
  store.AddSelectedToSection("Trash", list);
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>"}));
}

TEST_F(ShortcutStoreTest, RenameCarriesTheSubCategoriesSectionsInOneSave) {
  tree.AddChild(old, "Deep");
  StartWith(LineList{"<[Work][Tools]>", "T", "P", "<[Work][Tools][Old]>", "O", "Q",
                     "<[Work][Tools][Old][Deep]>", "D", "E", "<[Work][Toolsmith]>"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Work][Kit]>", "T", "P", "<[Work][Kit][Old]>", "O", "Q",
                                "<[Work][Kit][Old][Deep]>", "D", "E", "<[Work][Toolsmith]>"}));
  EXPECT_EQ(files.writes.size(), 1u);
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
  EXPECT_EQ(files.writes.size(), 1u);
}

TEST_F(ShortcutStoreTest, RenameReplacesTheFirstOccurrenceInTheFirstMatchingLine) {
  StartWith(LineList{"<[Trash]>", "Tools]> <[Work][Tools]>", "x", "<[Work][Tools]>"});
  store.RenameCategorySection(tools, "Kit");
  EXPECT_EQ(OnDisk(), (LineList{"<[Trash]>", "Kit]> <[Work][Tools]>", "x", "<[Work][Tools]>"}));
}

TEST_F(ShortcutStoreTest, RenameWithoutASectionStillSaves) {
  StartWith(kWorkAndTools);
  store.RenameCategorySection(old, "New");
  EXPECT_EQ(files.writes.size(), 1u);
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
  list.Add("New", "C:\\new.exe");
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
      list.Clear();
      for (std::size_t i = pick(4); i > 0; --i)
        list.Add("t" + std::to_string(i), "p", pick(2) == 0);
      switch (pick(6)) {
        case 0: {
          store.SaveCategorySection(node, list);
          const LineList saved = Shown();
          ASSERT_TRUE(store.LoadCategorySection(node, adder));
          ASSERT_EQ(Shown(), saved) << "round " << round;
          break;
        }
        case 1:
          store.LoadCategorySection(node, adder);
          break;
        case 2:
          store.AppendItemsToSection(node, list, {0, 2, 9});
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
    list.Clear();
    store.AddSelectedToSection("Trash", list);
    ASSERT_EQ(files.files.at(kPath), JoinLines(store.Lines()));
  }
}

}  // namespace
}  // namespace tessaly
