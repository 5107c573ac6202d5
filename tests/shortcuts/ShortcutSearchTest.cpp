// Type to find: what is searched, and in which order the matches come.

#include "shortcuts/ShortcutSearch.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

struct RankCase {
  const char* title;
  const char* fileName;
  const char* text;
  int rank;
};

class SearchRank : public ::testing::TestWithParam<RankCase> {};

TEST_P(SearchRank, OrdersTitleStartWordStartInitialsAnywhere) {
  EXPECT_EQ(GetParam().rank, MatchRank(GetParam().title, GetParam().fileName, GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Matches, SearchRank,
    ::testing::Values(RankCase{"notepad", "notepad.exe", "note", 0},
                      RankCase{"visual studio code", "code.exe", "stu", 1},
                      RankCase{"visual studio code", "code.exe", "cod", 1},
                      RankCase{"gimp (image editor)", "gimp.exe", "ima", 1},
                      RankCase{"my tool", "runner.exe", "run", 1},
                      RankCase{"visual studio code", "code.exe", "vsc", 2},
                      RankCase{"visual studio code", "code.exe", "dio", 3},
                      RankCase{"paint", "mspaint.exe", "spa", 3},
                      RankCase{"paint", "mspaint.exe", "xyz", -1},
                      RankCase{"paint", "mspaint.exe", "", -1},
                      // One letter is a word start, never initials on their own.
                      RankCase{"visual studio code", "code.exe", "v", 0}));

struct SearchTest : ::testing::Test {
  void Start(const LineList& lines) {
    files.files[kPath] = JoinLines(lines);
    store.Load();
  }
  std::vector<std::string> Titles(std::string_view text) {
    search.Index(tree, store, latest);
    std::vector<std::string> titles;
    for (const auto& found : search.Find(text)) titles.push_back(found.title);
    return titles;
  }
  static inline const std::string kPath = "C:\\Data\\Shortcuts.sts";
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  CategoryTree tree;
  LatestResults latest;
  ShortcutSearch search;
};

TEST_F(SearchTest, FindsInEveryCategoryButTheTrashBestFirstTiesInCategoryOrder) {
  CategoryNode& programs = tree.AddTopLevel("Programs");
  tree.AddChild(programs, "Get All");
  CategoryNode& work = tree.AddTopLevel("Work");
  tree.AddChild(work, "Tools");
  tree.AddTopLevel("Windows");
  CategoryNode& trash = tree.AddTopLevel("Trash");
  tree.AddChild(trash, "Old");
  Start({"<[Work]>", "Notes", "C:\\notes.txt", "Paint", "C:\\Windows\\mspaint.exe",
         "<[Work][Tools]>", "Visual Studio Code", "C:\\VS\\Code.exe", "My Notes app", "C:\\na.exe",
         "<[Trash]>", "Notepad old", "C:\\old.exe", "<[Trash][Old]>", "Notebook", "C:\\nb.exe",
         "<[Get All]>", "Stored never shown", "C:\\never.exe"});
  latest["Get All"] = {{"Notepad", "C:\\Windows\\notepad.exe"}, {"Paint", "C:\\Windows\\mspaint.exe"}};
  latest["Windows"] = {{"Task Manager", "C:\\Windows\\taskmgr.exe"}};

  // Title starts first ("Notepad" from Get All, then "Notes" from Work), then a word
  // of a title ("My Notes app"); each target once; nothing from the trash.
  EXPECT_EQ((std::vector<std::string>{"Notepad", "Notes", "My Notes app"}), Titles("NOT"));
  EXPECT_EQ(std::vector<std::string>{"Visual Studio Code"}, Titles("vsc"));
  EXPECT_EQ(std::vector<std::string>{"Task Manager"}, Titles("task"));
  // Paint stands in Get All and in Work: it is found once, where it comes first.
  EXPECT_EQ(std::vector<std::string>{"Paint"}, Titles("paint"));
  EXPECT_EQ(6u, search.size());
  EXPECT_TRUE(Titles("never").empty());
  EXPECT_TRUE(Titles("notebook").empty());
}

TEST_F(SearchTest, AComputedCategoryWithAStoredSectionIsSearchedAsStored) {
  tree.AddTopLevel("Recent");
  CategoryNode& home = tree.AddTopLevel("Home");
  tree.AddChild(home, "Recent");  // a user category of that name
  Start({"<[Recent]>", "Kept report", "C:\\kept.doc", "<[Home][Recent]>", "Own", "C:\\own.doc"});
  latest["Recent"] = {{"Fresh report", "C:\\fresh.doc"}};
  EXPECT_EQ(std::vector<std::string>{"Kept report"}, Titles("report"));
  EXPECT_EQ(std::vector<std::string>{"Own"}, Titles("own"));
}

}  // namespace
}  // namespace tessaly
