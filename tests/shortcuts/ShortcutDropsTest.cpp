// Reordering shortcuts by dragging and dropping them on categories.

#include "shortcuts/ShortcutDrops.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::FakeShortcutList;
using testing::RecordingMessageBoxes;

struct ReorderCase {
  const char* name;
  std::vector<int> selected;
  int dropIndex;  // -1: empty space
  std::vector<std::string> expected;
  int saves;
};

void PrintTo(const ReorderCase& c, std::ostream* os) { *os << c.name; }

class Reorder : public ::testing::TestWithParam<ReorderCase> {};

TEST_P(Reorder, MovesTheSelectionBeforeTheDropTargetInItsOrder) {
  const ReorderCase& c = GetParam();
  FakeShortcutList list;
  for (const char* title : {"A", "B", "C", "D", "E"}) list.Add(title, std::string("t") + title);
  for (const int i : c.selected) list.items[static_cast<std::size_t>(i)].selected = true;
  std::vector<int> dragged = SelectedIndexes(list);
  int saves = 0;
  ReorderDrop(list, dragged, c.dropIndex, [&] { ++saves; });
  EXPECT_EQ(c.expected, list.Titles());
  EXPECT_EQ(c.saves, saves);
  // Targets travel with their titles, and none of the moved items stays selected.
  for (const auto& item : list.items) EXPECT_EQ("t" + item.title, item.target);
  if (c.saves > 1) {
    EXPECT_TRUE(SelectedIndexes(list).empty());
  }
  EXPECT_EQ(0, list.updateDepth);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, Reorder,
    ::testing::Values(
        ReorderCase{"DAndEOnB", {3, 4}, 1, {"A", "D", "E", "B", "C"}, 2},
        ReorderCase{"AAndBOnD", {0, 1}, 3, {"C", "A", "B", "D", "E"}, 2},
        ReorderCase{"OneOnEmptySpace", {1}, -1, {"A", "C", "D", "E", "B"}, 1},
        ReorderCase{"TwoOnEmptySpace", {0, 2}, -1, {"B", "D", "E", "A", "C"}, 2},
        ReorderCase{"OnTheFirstSelectedItself", {1, 2}, 1, {"A", "B", "C", "D", "E"}, 1},
        ReorderCase{"LastOnFirst", {4}, 0, {"E", "A", "B", "C", "D"}, 1}),
    [](const ::testing::TestParamInfo<ReorderCase>& param) { return std::string(param.param.name); });

TEST(MoveListItem, SaysWhereTheNextItemGoesOrThatNothingMoved) {
  FakeShortcutList list;
  for (const char* title : {"A", "B", "C"}) list.Add(title, title);
  EXPECT_EQ(-2, MoveListItem(list, 1, 1));
  EXPECT_EQ(1, MoveListItem(list, 2, 0));  // before: the next one follows it
  EXPECT_EQ((std::vector<std::string>{"C", "A", "B"}), list.Titles());
  EXPECT_EQ(2, MoveListItem(list, 0, 2));  // after: the position stays
  EXPECT_EQ((std::vector<std::string>{"A", "C", "B"}), list.Titles());
  EXPECT_EQ(3, MoveListItem(list, 0, 3));  // to the end
  EXPECT_EQ((std::vector<std::string>{"C", "B", "A"}), list.Titles());
}

struct DropTest : ::testing::Test {
  void SetUp() override {
    files.files[kPath] = "<[Work]>\r\nA\r\nta\r\nB\r\ntb\r\nC\r\ntc\r\n<[Home]>\r\nH\r\nth\r\n";
    store.Load();
    for (const char* title : {"A", "B", "C"}) list.Add(title, std::string("t") + title);
  }
  std::string OnDisk() const { return files.files.at(kPath); }
  static inline const std::string kPath = "C:\\Data\\Shortcuts.sts";
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  FakeShortcutList list;
  CategoryTree tree;
  CategoryNode& programs = tree.AddTopLevel("Programs");
  CategoryNode& getAll = tree.AddChild(programs, "Get All");
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& home = tree.AddTopLevel("Home");
};

TEST_F(DropTest, TargetsAreRefusedByNameLevelAndOwnCategory) {
  EXPECT_TRUE(AcceptsShortcutDrop(home, work));
  EXPECT_FALSE(AcceptsShortcutDrop(work, work));
  for (const char* name : {"Recent", "Find"}) {
    EXPECT_FALSE(AcceptsShortcutDrop(tree.AddTopLevel(name), work)) << name;
    EXPECT_FALSE(AcceptsShortcutDrop(tree.AddChild(home, name), work)) << name;
  }
  // "Get All" takes no drop from a category at level 1; from the top level it does.
  EXPECT_FALSE(AcceptsShortcutDrop(getAll, tools));
  EXPECT_TRUE(AcceptsShortcutDrop(getAll, work));
  EXPECT_TRUE(AcceptsShortcutDrop(home, getAll));
}

TEST_F(DropTest, ShortcutsMoveToTheEndOfTheTargetsSection) {
  std::vector<int> dragged{0, 2};
  EXPECT_TRUE(DropShortcutsOnCategory(list, store, work, home, dragged));
  EXPECT_EQ(std::vector<std::string>{"B"}, list.Titles());
  EXPECT_TRUE(dragged.empty());
  EXPECT_EQ("<[Work]>\r\nB\r\ntB\r\n<[Home]>\r\nH\r\nth\r\nA\r\ntA\r\nC\r\ntC\r\n", OnDisk());
}

TEST_F(DropTest, ShortcutsFromGetAllAreCopied) {
  std::vector<int> dragged{1};
  EXPECT_FALSE(DropShortcutsOnCategory(list, store, getAll, home, dragged));
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), list.Titles());
  EXPECT_EQ(std::vector<int>{1}, dragged);
  EXPECT_NE(std::string::npos, OnDisk().find("<[Home]>\r\nH\r\nth\r\nB\r\ntB\r\n"));
  EXPECT_EQ(std::string::npos, OnDisk().find("Get All"));
}

}  // namespace
}  // namespace tessaly
