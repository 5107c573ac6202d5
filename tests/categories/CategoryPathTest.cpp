// Category paths as the command line and desktop shortcuts name categories: the names
// from the top down, separated by "\", a "\" in a name doubled.

#include <gtest/gtest.h>

#include "categories/CategoryPath.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using Names = std::vector<std::string>;

TEST(CategoryPath, NamesFromTheTopDownWithBackslashesInNamesDoubled) {
  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& odd = tree.AddChild(tools, "C:\\ and D:\\");
  EXPECT_EQ("Work", CategoryPathText(work));
  EXPECT_EQ("Work\\Tools", CategoryPathText(tools));
  EXPECT_EQ("Work\\Tools\\C:\\\\ and D:\\\\", CategoryPathText(odd));
}

TEST(CategoryPath, ReadsNamesAndTheirDoubledBackslashes) {
  struct Case {
    const char* text;
    Names names;
  };
  const Case cases[] = {
      {"Work", {"Work"}},
      {"Work\\Tools", {"Work", "Tools"}},
      {"A\\\\B", {"A\\B"}},
      {"A\\\\\\B", {"A\\", "B"}},  // the pairs go with the name before the separator
      {"\\\\\\A", {"\\", "A"}},
      {"A\\\\\\", {"A", "\\"}},  // ...except at the very end, where they are the last name
      {"A\\\\\\\\", {"A\\\\"}},
      {"Get All\\x y", {"Get All", "x y"}},
  };
  for (const Case& c : cases) {
    const CategoryPathReading reading = ParseCategoryPath(c.text);
    EXPECT_TRUE(reading.ok()) << c.text << ": " << reading.problem;
    EXPECT_EQ(c.names, reading.names) << c.text;
  }
}

TEST(CategoryPath, RefusesAMissingNameWithTheReason) {
  EXPECT_EQ("The category path is empty.", ParseCategoryPath("").problem);
  for (const char* text : {"\\Work", "\\"}) {
    const CategoryPathReading reading = ParseCategoryPath(text);
    EXPECT_NE(std::string::npos, reading.problem.find("starts with a single")) << text;
    EXPECT_TRUE(reading.names.empty());
  }
  for (const char* text : {"Work\\", "Work\\Tools\\"}) {
    const std::string problem = ParseCategoryPath(text).problem;
    EXPECT_NE(std::string::npos, problem.find("ends in a single")) << text;
    EXPECT_NE(std::string::npos, problem.find(std::string("'") + text + "'")) << problem;
  }
}

TEST(CategoryPath, FindsExactlyTheNamedNodeWithTheNamesCase) {
  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& tools2 = tree.AddChild(work, "Tools2");
  CategoryNode& programs = tree.AddTopLevel("Programs");
  CategoryNode& getAll = tree.AddChild(programs, "Get All");
  EXPECT_EQ(&work, FindCategory(tree, "Work"));
  EXPECT_EQ(&tools, FindCategory(tree, "Work\\Tools"));
  EXPECT_EQ(&tools2, FindCategory(tree, "Work\\Tools2"));
  EXPECT_EQ(&getAll, FindCategory(tree, "Programs\\Get All"));
  for (const char* text : {"work\\tools", "Work\\Too", "Tools", "Work\\Tools\\", "Work\\\\Tools",
                           "Work\\Tools\\More", "", "\\Work"}) {
    EXPECT_EQ(nullptr, FindCategory(tree, text)) << text;
  }
}

TEST(CategoryPath, EveryNodeIsFoundByItsOwnPathWhateverItsBackslashes) {
  CategoryTree tree;
  CategoryNode& a = tree.AddTopLevel("A");
  tree.AddChild(a, "\\B");  // "A\\\B" reads as "A\" then "B" as well
  CategoryNode& aSlash = tree.AddTopLevel("A\\");
  tree.AddChild(aSlash, "B\\");
  tree.AddChild(aSlash, "\\");
  CategoryNode& deep = tree.AddChild(tree.AddChild(a, "x\\\\y"), "\\\\");
  tree.AddChild(deep, "end");
  tree.ForEach([&](CategoryNode& node) {
    EXPECT_EQ(&node, FindCategory(tree, CategoryPathText(node))) << CategoryPathText(node);
  });
}

TEST(CategoryPath, APathThatReadsTwoWaysIsMatchedBothWays) {
  CategoryTree tree;
  CategoryNode& aSlash = tree.AddTopLevel("A\\");
  CategoryNode& b = tree.AddChild(aSlash, "B");
  EXPECT_EQ(&b, FindCategory(tree, "A\\\\\\B"));
  // With both readings in the tree the first node in the tree's order wins.
  CategoryNode& slashB = tree.AddChild(tree.InsertBefore(aSlash, "A"), "\\B");
  EXPECT_EQ(&slashB, FindCategory(tree, "A\\\\\\B"));
}

TEST(CategoryPath, TheSecondByteOfADoubleByteCharacterIsNoBackslash) {
  testing::ShiftJisScope shiftJis;
  // "\x95\\" is one character whose second byte has the code of "\".
  const std::string name = "\x95\\x";
  CategoryTree tree;
  CategoryNode& top = tree.AddTopLevel(name);
  CategoryNode& child = tree.AddChild(top, "y\\");
  EXPECT_EQ(name + "\\y\\\\", CategoryPathText(child));
  EXPECT_EQ((Names{name, "y\\"}), ParseCategoryPath(CategoryPathText(child)).names);
  EXPECT_EQ(&child, FindCategory(tree, CategoryPathText(child)));
  EXPECT_EQ(&top, FindCategory(tree, name));
  // A lead byte that ends the text stands alone.
  EXPECT_EQ((Names{"a\x95"}), ParseCategoryPath("a\x95").names);
}

}  // namespace
}  // namespace tessaly
