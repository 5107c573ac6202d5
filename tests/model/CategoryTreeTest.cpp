#include <gtest/gtest.h>

#include "model/CategoryTree.h"

namespace tessaly {
namespace {

// Names in depth-first order, four dots per level.
std::vector<std::string> Outline(const CategoryTree& tree) {
  std::vector<std::string> names;
  tree.ForEach([&](CategoryNode& n) {
    names.push_back(std::string(static_cast<std::size_t>(n.level()) * 4, '.') + n.name);
  });
  return names;
}

class CategoryTreeTest : public ::testing::Test {
 protected:
  CategoryTree tree;
  CategoryNode& a = tree.AddTopLevel("A");
  CategoryNode& a1 = tree.AddChild(a, "A1");
  CategoryNode& a1x = tree.AddChild(a1, "A1x");
  CategoryNode& a2 = tree.AddChild(a, "A2");
  CategoryNode& b = tree.AddTopLevel("B");
};

TEST_F(CategoryTreeTest, AbsoluteIndexIsTheDepthFirstPosition) {
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"A", "....A1", "........A1x", "....A2", "B"}));
  const CategoryNode* order[] = {&a, &a1, &a1x, &a2, &b};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tree.AbsoluteIndex(*order[i]), i);
    EXPECT_EQ(tree.NodeAt(i), order[i]);
  }
  EXPECT_EQ(tree.Count(), 5);
  EXPECT_EQ(a1x.level(), 2);
  EXPECT_TRUE(b.isTopLevel());
}

TEST_F(CategoryTreeTest, LookupsOutsideTheTreeFindNothing) {
  EXPECT_EQ(tree.NodeAt(-1), nullptr);
  EXPECT_EQ(tree.NodeAt(5), nullptr);
  EXPECT_EQ(CategoryTree().NodeAt(0), nullptr);
  CategoryTree other;
  EXPECT_EQ(tree.AbsoluteIndex(other.AddTopLevel("A")), -1);
}

TEST_F(CategoryTreeTest, InsertAndRemoveKeepTheOrder) {
  tree.InsertBefore(a2, "New");
  tree.InsertBefore(a, "First");
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"First", "A", "....A1", "........A1x",
                                                     "....New", "....A2", "B"}));
  tree.Remove(a1);
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"First", "A", "....New", "....A2", "B"}));
  EXPECT_EQ(tree.NodeAt(4), &b);
}

TEST_F(CategoryTreeTest, MovesCarryTheSubTree) {
  tree.MoveToLastChild(a1, b);
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"A", "....A2", "B", "....A1", "........A1x"}));
  EXPECT_EQ(a1.parent(), &b);
  tree.MoveBefore(a1, a);
  EXPECT_EQ(Outline(tree), (std::vector<std::string>{"A1", "....A1x", "A", "....A2", "B"}));
  EXPECT_TRUE(a1.isTopLevel());
  EXPECT_EQ(a1x.level(), 1);
}

TEST_F(CategoryTreeTest, MovesThatWouldCutANodeOffAreRefused) {
  const auto before = Outline(tree);
  tree.MoveToLastChild(a, a1x);  // into its own grandchild
  tree.MoveToLastChild(a1, a1);  // into itself
  tree.MoveBefore(a, a1);        // before its own child
  tree.MoveBefore(a2, a2);       // before itself
  EXPECT_EQ(Outline(tree), before);
  EXPECT_EQ(tree.Count(), 5);
  EXPECT_TRUE(CategoryTree::IsSelfOrAncestor(a, a1x));
  EXPECT_FALSE(CategoryTree::IsSelfOrAncestor(a1x, a));
}

}  // namespace
}  // namespace tessaly
