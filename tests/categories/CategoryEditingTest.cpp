// The category menu's commands on the tree model and the shortcut store.

#include "categories/CategoryEditing.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

const std::string kPath = "C:\\Data\\Shortcuts.sts";

struct CategoryEditingTest : ::testing::Test {
  void StartWith(const LineList& lines) {
    files.files[kPath] = JoinLines(lines);
    store.Load();
  }
  LineList OnDisk() const { return SplitLines(files.files.at(kPath)); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    tree.ForEach([&](CategoryNode& n) {
      names.push_back(std::string(static_cast<std::size_t>(n.level()) * 2, ' ') + n.name);
    });
    return names;
  }

  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  CategoryTree tree;
  CategoryNode& programs = tree.AddTopLevel("Programs");
  CategoryNode& getAll = tree.AddChild(programs, "Get All");
  CategoryNode& work = tree.AddTopLevel("Work");
  CategoryNode& tools = tree.AddChild(work, "Tools");
  CategoryNode& old = tree.AddChild(tools, "Old");
};

struct NameCase {
  const char* typed;
  const char* kept;     // the field's text afterwards
  const char* message;  // "" when the name is taken
};

class CategoryNameCheck : public ::testing::TestWithParam<NameCase> {};

TEST_P(CategoryNameCheck, TrimsAndRefusesWhatTheStoresCannotCarry) {
  std::string name = GetParam().typed;
  const NameCheck check = CheckCategoryName(name);
  EXPECT_EQ(GetParam().kept, name);
  EXPECT_EQ(GetParam().message[0] == '\0', check.ok);
  EXPECT_EQ(GetParam().message, check.message);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CategoryNameCheck,
    ::testing::Values(NameCase{"   ", "", "No inputted text"},
                      NameCase{"\t\r\n", "", "No inputted text"},
                      NameCase{"  Kit \t", "Kit", ""},
                      NameCase{"Games; 2 & more", "Games; 2 & more", ""},
                      NameCase{"a ;b", "a ;b", "A category name cannot contain \" ;\"."},
                      NameCase{"x[1", "x[1", "A category name cannot contain \"[\"."},
                      NameCase{"x]", "x]", "A category name cannot contain \"]\"."},
                      NameCase{"<x", "<x", "A category name cannot contain \"<\"."},
                      NameCase{"x>y", "x>y", "A category name cannot contain \">\"."},
                      NameCase{"two\r\nlines", "two\r\nlines",
                               "A category name cannot contain a line break."}));

TEST_F(CategoryEditingTest, TextsAndRefusalsFollowTheSelectedCategory) {
  EXPECT_EQ("Do you want to delete 'Tools' ?", DeleteQuestion(tools));
  const NameDialogTexts rename = NameDialogTextsFor(NameDialogMode::Rename, tools);
  EXPECT_EQ("Rename", rename.caption);
  EXPECT_EQ("Old name: Tools", rename.info);
  EXPECT_EQ("Present: Work", NameDialogTextsFor(NameDialogMode::Add, work).info);
  EXPECT_EQ("Insert", NameDialogTextsFor(NameDialogMode::Insert, work).caption);

  EXPECT_TRUE(KeepsNameAndPlace(work));
  EXPECT_TRUE(KeepsNameAndPlace(getAll));
  EXPECT_FALSE(KeepsNameAndPlace(tools));
  // "Get All" means the built-in one only directly below a top-level category.
  EXPECT_FALSE(KeepsNameAndPlace(tree.AddChild(tools, "Get All")));
}

TEST_F(CategoryEditingTest, AddAndInsertMakeNewCategoriesWithTheStarImage) {
  StartWith({"<[Work]>"});
  CategoryNode* added = ApplyCategoryName(tree, store, work, NameDialogMode::Add, "Kit");
  CategoryNode* inserted = ApplyCategoryName(tree, store, programs, NameDialogMode::Insert, "First");
  ASSERT_NE(nullptr, added);
  ASSERT_NE(nullptr, inserted);
  EXPECT_EQ((std::vector<std::string>{"First", "Programs", "  Get All", "Work", "  Tools",
                                      "    Old", "  Kit"}),
            Names());
  for (const CategoryNode* node : {added, inserted}) {
    EXPECT_EQ(kNewCategoryImage, node->imageIndex);
    EXPECT_FALSE(node->iconText.has_value());
  }
  // The tree changes; the shortcut store does not.
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(CategoryEditingTest, RenameCarriesTheSectionsOfTheWholeBranch) {
  StartWith({"<[Work][Tools]>", "T", "t", "<[Work][Tools][Old]>", "O", "o"});
  EXPECT_EQ(nullptr, ApplyCategoryName(tree, store, tools, NameDialogMode::Rename, "Kit"));
  EXPECT_EQ("Kit", tools.name);
  EXPECT_EQ(OnDisk(), (LineList{"<[Work][Kit]>", "T", "t", "<[Work][Kit][Old]>", "O", "o"}));
  EXPECT_EQ(1u, files.DataWrites().size());
}

TEST_F(CategoryEditingTest, DeleteDropsTheBranchAndOnlyItsOwnSectionWithoutSaving) {
  StartWith({"<[Work][Tools]>", "T", "t", "<[Work][Tools][Old]>", "O", "o"});
  const std::string before = files.files.at(kPath);
  DeleteCategory(tree, store, tools);
  EXPECT_EQ((std::vector<std::string>{"Programs", "  Get All", "Work"}), Names());
  EXPECT_EQ((LineList{"<[Work][Tools][Old]>", "O", "o"}), store.Lines());
  EXPECT_EQ(before, files.files.at(kPath));
}

TEST_F(CategoryEditingTest, IconChoiceReplacesTheIconTextAndResetsTheImage) {
  tools.imageIndex = 21;
  tools.iconText = "113,C:\\x.exe";
  EXPECT_FALSE(ApplyIconChoice(tools, ""));
  EXPECT_EQ("113,C:\\x.exe", *tools.iconText);
  EXPECT_EQ(21, tools.imageIndex);
  EXPECT_TRUE(ApplyIconChoice(tools, "015"));
  EXPECT_EQ("015", *tools.iconText);
  EXPECT_EQ(0, tools.imageIndex);
  EXPECT_TRUE(ApplyIconChoice(work, "14,C:\\y.dll"));
  EXPECT_EQ("14,C:\\y.dll", *work.iconText);
}

TEST_F(CategoryEditingTest, MovedCategoriesTakeTheirBranchAndItsShortcutsAlong) {
  StartWith({"<[Work][Tools]>", "T", "t", "<[Work][Tools][Old]>", "O", "o"});
  CategoryNode& home = tree.AddTopLevel("Home");
  MoveCategory(tree, store, tools, home, CategoryDropPlace::LastChild);
  EXPECT_EQ((std::vector<std::string>{"Programs", "  Get All", "Work", "Home", "  Tools",
                                      "    Old"}),
            Names());
  EXPECT_EQ(OnDisk(), (LineList{"<[Home][Tools]>", "T", "t", "<[Home][Tools][Old]>", "O", "o"}));
  EXPECT_EQ(1u, files.DataWrites().size());

  // Before a top-level category it becomes one itself.
  MoveCategory(tree, store, old, work, CategoryDropPlace::Before);
  EXPECT_EQ((std::vector<std::string>{"Programs", "  Get All", "Old", "Work", "Home", "  Tools"}),
            Names());
  EXPECT_EQ(OnDisk(), (LineList{"<[Home][Tools]>", "T", "t", "<[Old]>", "O", "o"}));
}

TEST_F(CategoryEditingTest, CategoriesNeverMoveIntoThemselvesAndTheTopLevelStays) {
  StartWith({"<[Work][Tools]>", "T", "t"});
  const auto lastChild = CategoryDropPlace::LastChild;
  EXPECT_FALSE(AcceptsCategoryDrop(tree, work, programs, lastChild));
  EXPECT_FALSE(AcceptsCategoryDrop(tree, getAll, work, lastChild));
  EXPECT_FALSE(AcceptsCategoryDrop(tree, tools, tools, lastChild));
  EXPECT_FALSE(AcceptsCategoryDrop(tree, tools, old, lastChild));
  EXPECT_TRUE(AcceptsCategoryDrop(tree, tools, programs, lastChild));
  const auto before = Names();
  MoveCategory(tree, store, tools, old, CategoryDropPlace::LastChild);
  MoveCategory(tree, store, tools, tools, CategoryDropPlace::Before);
  MoveCategory(tree, store, work, programs, CategoryDropPlace::LastChild);
  EXPECT_EQ(before, Names());
  EXPECT_TRUE(files.writes.empty());
}

// Mended: a name a sibling already had was taken, and two categories then shared one
// section: deleting one emptied the other, a drag between them lost the shortcuts.
TEST_F(CategoryEditingTest, APathNamesOneCategory) {
  CategoryNode& kit = tree.AddChild(work, "Kit");
  EXPECT_FALSE(CheckNameIsFree(tree, work, NameDialogMode::Add, "Tools").ok);
  EXPECT_EQ("There is already a category named 'Tools' here.",
            CheckNameIsFree(tree, work, NameDialogMode::Add, "Tools").message);
  EXPECT_TRUE(CheckNameIsFree(tree, work, NameDialogMode::Add, "tools").ok);  // paths match case
  EXPECT_FALSE(CheckNameIsFree(tree, kit, NameDialogMode::Insert, "Tools").ok);
  EXPECT_FALSE(CheckNameIsFree(tree, programs, NameDialogMode::Insert, "Work").ok);
  EXPECT_FALSE(CheckNameIsFree(tree, kit, NameDialogMode::Rename, "Tools").ok);
  EXPECT_TRUE(CheckNameIsFree(tree, kit, NameDialogMode::Rename, "Kit").ok);
  EXPECT_TRUE(CheckNameIsFree(tree, old, NameDialogMode::Rename, "Kit").ok);

  // A drop that would put a category beside one of its name is refused.
  CategoryNode& home = tree.AddTopLevel("Home");
  CategoryNode& homeTools = tree.AddChild(home, "Tools");
  EXPECT_FALSE(AcceptsCategoryDrop(tree, tools, home, CategoryDropPlace::LastChild));
  EXPECT_FALSE(AcceptsCategoryDrop(tree, tools, homeTools, CategoryDropPlace::Before));
  EXPECT_TRUE(AcceptsCategoryDrop(tree, tools, kit, CategoryDropPlace::Before));  // its own place
  StartWith({"<[Work][Tools]>", "T", "t", "<[Home][Tools]>", "H", "h"});
  MoveCategory(tree, store, tools, home, CategoryDropPlace::LastChild);
  EXPECT_EQ(&work, tools.parent());
  EXPECT_TRUE(files.writes.empty());
}

// An older file may hold twins already: they get names of their own, and each keeps
// the section it showed, nothing lost.
TEST_F(CategoryEditingTest, TwinsFromAnOlderFileAreSeparatedWithTheirSections) {
  CategoryNode& twin = tree.AddChild(work, "Tools");
  tree.AddChild(twin, "Only");
  tree.AddChild(twin, "Old");
  tree.AddChild(work, "Tools (2)");
  StartWith({"<[Work][Tools]>", "A", "a", "<[Work][Tools][Old]>", "O", "o", "<[Work][Tools]>", "B",
             "b", "<[Work][Tools][Only]>", "Y", "y", "<[Work][Tools][Old]>", "P", "p"});
  EXPECT_TRUE(SeparateTwins(tree, store));
  EXPECT_EQ("Tools (3)", twin.name);
  EXPECT_EQ((LineList{"<[Work][Tools]>", "A", "a", "<[Work][Tools][Old]>", "O", "o",
                      "<[Work][Tools (3)]>", "B", "b", "<[Work][Tools (3)][Only]>", "Y", "y",
                      "<[Work][Tools (3)][Old]>", "P", "p"}),
            store.Lines());
  EXPECT_TRUE(store.unsavedPaths());
  EXPECT_FALSE(SeparateTwins(tree, store));
}

}  // namespace
}  // namespace tessaly
