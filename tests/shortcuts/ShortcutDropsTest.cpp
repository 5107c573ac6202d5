// Reordering shortcuts by dragging them, and where they may be dropped.

#include "shortcuts/ShortcutDrops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

struct ReorderCase {
  const char* name;
  std::vector<int> selected;
  int dropIndex;  // -1: empty space
  std::vector<std::string> expected;
};

void PrintTo(const ReorderCase& c, std::ostream* os) { *os << c.name; }

class Reorder : public ::testing::TestWithParam<ReorderCase> {};

TEST_P(Reorder, MovesTheSelectionBeforeTheDropTargetInItsOrder) {
  const ReorderCase& c = GetParam();
  const std::vector<std::string> titles = {"A", "B", "C", "D", "E"};
  std::vector<std::string> reordered;
  for (const int i : ReorderByDrop(5, c.selected, c.dropIndex)) {
    reordered.push_back(titles[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(c.expected, reordered);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, Reorder,
    ::testing::Values(ReorderCase{"DAndEOnB", {3, 4}, 1, {"A", "D", "E", "B", "C"}},
                      ReorderCase{"AAndBOnD", {0, 1}, 3, {"C", "A", "B", "D", "E"}},
                      ReorderCase{"OneOnEmptySpace", {1}, -1, {"A", "C", "D", "E", "B"}},
                      ReorderCase{"TwoOnEmptySpace", {0, 2}, -1, {"B", "D", "E", "A", "C"}},
                      ReorderCase{"OnTheFirstSelectedItself", {1, 2}, 1, {"A", "B", "C", "D", "E"}},
                      ReorderCase{"OnTheSecondSelected", {1, 2}, 2, {"A", "B", "C", "D", "E"}},
                      ReorderCase{"LastOnFirst", {4}, 0, {"E", "A", "B", "C", "D"}}),
    [](const ::testing::TestParamInfo<ReorderCase>& param) { return std::string(param.param.name); });

TEST(MoveListItem, SaysWhereTheNextItemGoesOrThatNothingMoved) {
  std::vector<ReorderItem> items = {{0, true}, {1, true}, {2, true}};
  const auto origins = [&] {
    std::vector<int> o;
    for (const auto& item : items) o.push_back(item.origin);
    return o;
  };
  EXPECT_EQ(-2, MoveListItem(items, 1, 1));
  EXPECT_EQ(1, MoveListItem(items, 2, 0));  // before: the next one follows it
  EXPECT_EQ((std::vector<int>{2, 0, 1}), origins());
  EXPECT_FALSE(items[0].selected);  // the moved item is a new, unselected one
  EXPECT_EQ(2, MoveListItem(items, 0, 2));  // after: the position stays
  EXPECT_EQ((std::vector<int>{0, 2, 1}), origins());
  EXPECT_EQ(3, MoveListItem(items, 0, 3));  // to the end
  EXPECT_EQ((std::vector<int>{2, 1, 0}), origins());
}

TEST(ShortcutDrop, TargetsAreRefusedByNameLevelAndOwnCategory) {
  CategoryTree tree;
  CategoryNode& programs = tree.AddTopLevel("Programs");
  CategoryNode& getAll = tree.AddChild(programs, "Get All");
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& home = tree.AddTopLevel("Home");
  EXPECT_TRUE(AcceptsShortcutDrop(home, work));
  EXPECT_FALSE(AcceptsShortcutDrop(work, work));
  for (const char* name : {"Recent", "Find"}) {
    EXPECT_FALSE(AcceptsShortcutDrop(tree.AddTopLevel(name), work)) << name;
    EXPECT_FALSE(AcceptsShortcutDrop(tree.AddChild(home, name), work)) << name;
  }
  // Mended: "Get All" shows only what it scans, so what was dropped on it was lost.
  EXPECT_FALSE(AcceptsShortcutDrop(getAll, tools));
  EXPECT_FALSE(AcceptsShortcutDrop(getAll, work));
  // Elsewhere the name means nothing, except that a category at level 1 never took it.
  EXPECT_TRUE(AcceptsShortcutDrop(tree.AddChild(tools, "Get All"), work));
  EXPECT_FALSE(AcceptsShortcutDrop(tree.AddChild(home, "Get All"), tools));
  EXPECT_TRUE(AcceptsShortcutDrop(home, getAll));
}

}  // namespace
}  // namespace tessaly
