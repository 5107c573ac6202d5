// The pane's commands on the list model: what each may do now, what it stores, and
// that no door stores a part of a category, a list of results, or what "Get All" shows.

#include "shortcuts/ShortcutPaneModel.h"

#include <gtest/gtest.h>

#include "model/BuiltinCategories.h"
#include "store/CategoryStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;

struct PaneTest : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, "S"};
  ShortcutList list{WordOrder};
  FakeStatusLine status;
  FakeMessagePump pump;
  FakeBusyCursor cursor;
  ListEntryAdder adder{list, status, pump};
  FakeFolders folders;
  FakeLinkReader links;
  FakeDirectories dirs;
  ShellScans scans{folders, links, dirs, dirs, adder};
  CategorySelection selection{store, scans, adder, folders, dirs, cursor};
  ShortcutList hiddenList;
  FakeStatusLine hiddenStatus;
  ListEntryAdder hiddenAdder{hiddenList, hiddenStatus, pump};
  ShellScans hiddenScans{folders, links, dirs, dirs, hiddenAdder};
  FakeLauncher launcher;
  CategoryTree tree;
  LaunchHistory history{files, "H", [] { return UnixSeconds{1'700'000'000}; }};
  ShortcutPaneModel pane{{store, selection, list, links, dirs, launcher, boxes, status, history},
                         {tree, hiddenScans, hiddenList}};

  PaneTest() {
    LoadCategoryTree(tree, {"Programs ;00", "    Get All ;013", "Recent ;02", "Work ;015",
                            "Home ;015", "Trash ;020"});
    folders.paths = {{8, "C:\\U\\Recent\\"}, {11, "C:\\U\\Start\\"}, {22, "C:\\All\\Start\\"}};
    for (const auto& [id, path] : folders.paths) dirs.AddFolder(path);
  }
  CategoryNode& Named(const std::string& name) {
    CategoryNode* found = nullptr;
    tree.ForEach([&](CategoryNode& n) {
      if (n.name == name) found = &n;
    });
    return *found;
  }
  void StartWith(const std::string& file) {
    files.files["S"] = file;
    store.Load();
  }
  void Show(const std::string& name) { selection.Select(&Named(name)); }
  std::string OnDisk() { return files.files["S"]; }
  void RecentFiles(int n) {
    for (int i = 0; i < n; ++i) dirs.AddFile("C:\\U\\Recent\\R" + std::to_string(100 + i) + ".txt");
  }
  void StartMenuLinks(int n) {
    for (int i = 0; i < n; ++i) {
      const std::string name = "P" + std::to_string(100 + i);
      dirs.AddFile("C:\\All\\Start\\" + name + ".lnk");
      links.links["C:\\All\\Start\\" + name + ".lnk"] = {"C:\\" + name + ".exe", ""};
    }
  }
};

TEST_F(PaneTest, WhatIsAvailableFollowsTheContentAndTheSelection) {
  selection.Select(nullptr);
  EXPECT_EQ(Availability{}, pane.Available(0));

  Show("Work");
  EXPECT_EQ((Availability{true, false, false, false, true, true, false, true}), pane.Available(0));
  EXPECT_EQ((Availability{true, true, true, true, true, true, true, true}), pane.Available(2));

  // Nothing done to "Get All" could be kept: it only opens and copies out.
  Show("Get All");
  EXPECT_EQ((Availability{false, false, false, true, true, false, true, false}), pane.Available(1));

  list.ShowResults({{"a", "a"}});
  EXPECT_EQ((Availability{false, false, false, true, false, false, false, false}), pane.Available(1));
  Show("Work");
  list.ShowResults({{"a", "a"}});
  EXPECT_TRUE(pane.Available(0).add);  // it ends the search and adds to Work
}

TEST_F(PaneTest, OpenLocationAndRunAsTakeTheFirstSelected) {
  StartWith("<[Work]>\r\na\r\nX:\\a.txt\r\nb\r\nC:\\D\\b.txt\r\n");
  dirs.AddFile("C:\\D\\b.txt");
  Show("Work");
  pane.Open({1}, false);
  pane.Open({1}, true);
  pane.Location({1});
  pane.Open({}, false);
  pane.Open({0}, false);
  EXPECT_EQ((std::vector<std::string>{"open C:\\D\\b.txt", "runas C:\\D\\b.txt",
                                      "run Explorer /select, C:\\D\\b.txt"}),
            launcher.Calls());
  pane.Location({0});
  EXPECT_EQ((std::vector<std::string>{"Information: The file: 'X:\\a.txt' does not exist.",
                                      "Information: The target: 'X:\\' does not exist."}),
            boxes.shown);
}

TEST_F(PaneTest, RemoveAsksThenFilesTheSelectionInTheTrashOrDeletesItThere) {
  StartWith("<[Work]>\r\nA\r\na\r\nB\r\nb\r\nC\r\nc\r\n<[Trash]>\r\nOld\r\nold\r\n");
  Show("Work");
  boxes.confirmAnswers = {false, true};
  EXPECT_FALSE(pane.Remove({0, 2}));
  EXPECT_EQ(3, list.Count());
  EXPECT_TRUE(files.writes.empty());
  EXPECT_TRUE(pane.Remove({0, 2}));
  EXPECT_EQ(std::vector<std::string>{"B"}, Titles(list));
  EXPECT_EQ("<[Work]>\r\nB\r\nb\r\n<[Trash]>\r\nA\r\na\r\nC\r\nc\r\nOld\r\nold\r\n", OnDisk());
  EXPECT_EQ("Confirm: Do you want to delete the 2 items ?", boxes.shown.back());

  Show("Trash");
  boxes.confirmAnswers = {true};
  EXPECT_TRUE(pane.Remove({0}));
  EXPECT_EQ("<[Work]>\r\nB\r\nb\r\n<[Trash]>\r\nC\r\nc\r\nOld\r\nold\r\n", OnDisk());
}

TEST_F(PaneTest, ClearFilesEverythingInTheTrashAndKeepsAnEmptySection) {
  StartWith("<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Trash]>\r\nOld\r\nold\r\n");
  Show("Work");
  boxes.confirmAnswers = {true, true};
  EXPECT_TRUE(pane.Clear());
  EXPECT_EQ("Confirm: Do you want to clear all shortcuts of Work ?", boxes.shown.back());
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("<[Work]>\r\n<[Trash]>\r\nA\r\na\r\nB\r\nb\r\nOld\r\nold\r\n", OnDisk());
  Show("Trash");
  EXPECT_TRUE(pane.Clear());
  EXPECT_EQ("<[Work]>\r\n<[Trash]>\r\n", OnDisk());
}

TEST_F(PaneTest, DroppedFilesBecomeShortcutsOnceEach) {
  StartWith("<[Work]>\r\nOld\r\nC:\\Tools\\app.exe\r\n");
  dirs.AddFolder("D:\\Music");
  Show("Work");
  pane.AddDroppedFiles({"C:\\Tools\\app.exe", "D:\\Music", "C:\\x\\notes.txt", "D:\\Music"});
  EXPECT_EQ((std::vector<std::string>{"Old", "Music", "notes"}), Titles(list));
  EXPECT_EQ("<[Work]>\r\nOld\r\nC:\\Tools\\app.exe\r\nMusic\r\nD:\\Music\r\nnotes\r\nC:\\x\\notes.txt\r\n",
            OnDisk());
}

// Mended: shortcuts put into "Get All", and files dropped while nothing was selected,
// were shown and never kept.
TEST_F(PaneTest, WhatCouldNotBeKeptIsRefusedWithAMessage) {
  StartMenuLinks(3);
  Show("Get All");
  pane.AddDroppedFiles({"C:\\x.txt"});
  EXPECT_FALSE(pane.StartAdd());
  EXPECT_FALSE(pane.StartEdit({0}));
  EXPECT_FALSE(pane.Remove({0}));
  EXPECT_FALSE(pane.Clear());
  pane.Sort({});
  EXPECT_EQ(3, list.Count());
  EXPECT_EQ((std::vector<std::string>{"Information: " + std::string(kGetAllKeepsNothingText),
                                      "Information: " + std::string(kGetAllKeepsNothingText)}),
            boxes.shown);

  selection.Select(nullptr);
  pane.AddDroppedFiles({"C:\\x.txt"});
  EXPECT_FALSE(pane.StartAdd());
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("Information: " + std::string(kNoCategoryText), boxes.shown.back());
  EXPECT_TRUE(files.writes.empty());
}

// Mended: after a filling was stopped (a close the user then cancelled, a search begun
// meanwhile), each saving command stored the part in the list as the whole section.
class PartOfACategory : public PaneTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PartOfACategory, IsFilledAgainBeforeAnyCommandStoresIt) {
  const std::string command = GetParam();
  RecentFiles(25);
  pump.hook = [&] {
    if (list.Count() == 10) selection.StopFilling();
  };
  Show("Recent");
  pump.hook = nullptr;
  ASSERT_EQ(10, list.Count());
  boxes.confirmAnswers = {true};
  if (command == "Sort") pane.Sort({});
  if (command == "Remove") pane.Remove({0});
  if (command == "Drop") pane.AddDroppedFiles({"C:\\dropped.txt"});
  if (command == "Add") pane.AcceptEditor(*pane.StartAdd(), {"C:\\new.txt", "new"});
  if (command == "Edit") pane.AcceptEditor(*pane.StartEdit({3}), {"C:\\edited.txt", "edited"});
  const auto stored = store.SectionEntries(Named("Recent"));
  ASSERT_TRUE(stored);
  const std::size_t expected = command == "Remove" ? 24u : command == "Sort" || command == "Edit" ? 25u : 26u;
  EXPECT_EQ(expected, stored->size());
  EXPECT_EQ(static_cast<int>(expected), list.Count());
  if (command == "Edit") {
    EXPECT_EQ("edited", list.At(3).title);
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, PartOfACategory,
                         ::testing::Values("Sort", "Remove", "Drop", "Add", "Edit"));

TEST_F(PaneTest, ClearOfAPartFilesTheWholeCategoryInTheTrash) {
  RecentFiles(25);
  pump.hook = [&] {
    if (list.Count() == 10) selection.StopFilling();
  };
  Show("Recent");
  pump.hook = nullptr;
  boxes.confirmAnswers = {true};
  ASSERT_TRUE(pane.Clear());
  EXPECT_EQ(25u, store.SectionEntries(Named("Trash"))->size());
  EXPECT_EQ(0u, store.SectionEntries(Named("Recent"))->size());
}

TEST_F(PaneTest, SortStoresTheOrderAndTheSelectionGoesAlong) {
  StartWith("<[Work]>\r\nZed\r\nz\r\nalpha\r\na\r\nMid\r\nm\r\n");
  Show("Work");
  RecordingListObserver view;
  list.SetObserver(&view);
  pane.Sort({0});
  EXPECT_EQ((std::vector<std::string>{"alpha", "Mid", "Zed"}), Titles(list));
  EXPECT_EQ("<[Work]>\r\nalpha\r\na\r\nMid\r\nm\r\nZed\r\nz\r\n", OnDisk());
  ASSERT_FALSE(view.changes.empty());
  EXPECT_EQ(std::vector<int>{2}, view.changes.back().selection);
}

TEST_F(PaneTest, TheEditorChangesTheItemItWasOpenedForOrAppends) {
  StartWith("<[Work]>\r\nA\r\na\r\nB\r\nb\r\n");
  Show("Work");
  const auto edit = pane.StartEdit({1});
  ASSERT_TRUE(edit);
  EXPECT_TRUE(pane.AcceptEditor(*edit, {"n", "New"}));
  const auto add = pane.StartAdd();
  ASSERT_TRUE(add);
  EXPECT_TRUE(pane.AcceptEditor(*add, {"z", "Z"}));
  EXPECT_EQ("<[Work]>\r\nA\r\na\r\nNew\r\nn\r\nZ\r\nz\r\n", OnDisk());
  // The list now shows another category: the editor's result goes nowhere else.
  const auto late = pane.StartAdd();
  Show("Home");
  EXPECT_FALSE(pane.AcceptEditor(*late, {"x", "X"}));
  EXPECT_EQ("<[Work]>\r\nA\r\na\r\nNew\r\nn\r\nZ\r\nz\r\n", OnDisk());
}

TEST_F(PaneTest, ADragReordersOrMovesAndFromGetAllCopies) {
  StartWith("<[Work]>\r\nA\r\na\r\nB\r\nb\r\nC\r\nc\r\n<[Home]>\r\nH\r\nh\r\n");
  Show("Work");
  auto drag = pane.BeginDrag({2});
  ASSERT_TRUE(drag);
  EXPECT_TRUE(pane.dragStarted());
  pane.DropOnList(*drag, 0);
  EXPECT_FALSE(pane.dragStarted());
  EXPECT_EQ("<[Work]>\r\nC\r\nc\r\nA\r\na\r\nB\r\nb\r\n<[Home]>\r\nH\r\nh\r\n", OnDisk());

  drag = pane.BeginDrag({0, 2});
  EXPECT_FALSE(pane.AcceptsCategoryDrop(*drag, Named("Work")));
  EXPECT_FALSE(pane.AcceptsCategoryDrop(*drag, Named("Get All")));
  EXPECT_TRUE(pane.DropOnCategory(*drag, Named("Home")));
  EXPECT_EQ(std::vector<std::string>{"A"}, Titles(list));
  EXPECT_EQ("<[Work]>\r\nA\r\na\r\n<[Home]>\r\nH\r\nh\r\nC\r\nc\r\nB\r\nb\r\n", OnDisk());

  StartMenuLinks(2);
  Show("Get All");
  drag = pane.BeginDrag({1});
  EXPECT_FALSE(pane.AcceptsListDrop(*drag));
  EXPECT_FALSE(pane.DropOnCategory(*drag, Named("Work")));
  EXPECT_EQ(2, list.Count());
  EXPECT_EQ(0u, OnDisk().find("<[Work]>\r\nA\r\na\r\nP101\r\nC:\\All\\Start\\P101.lnk\r\n<[Home]>"));
}

// Mended: a drop after the list was replaced under the drag (a search begun with the
// keyboard meanwhile) stored the results as the category's section.
TEST_F(PaneTest, ADragEndsWithTheListItStartedIn) {
  StartWith("<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Home]>\r\n");
  Show("Work");
  const auto drag = pane.BeginDrag({0});
  ASSERT_TRUE(drag);
  pane.Search("b");
  ASSERT_TRUE(pane.searching());
  EXPECT_FALSE(pane.AcceptsCategoryDrop(*drag, Named("Home")));
  EXPECT_FALSE(pane.AcceptsListDrop(*drag));
  EXPECT_FALSE(pane.DropOnCategory(*drag, Named("Home")));
  pane.DropOnList(*drag, -1);
  EXPECT_EQ("<[Work]>\r\nA\r\na\r\nB\r\nb\r\n<[Home]>\r\n", OnDisk());
  // Shown again, the category is a new list: the old drag still does nothing.
  pane.EndSearch();
  EXPECT_FALSE(pane.DropOnCategory(*drag, Named("Home")));
  EXPECT_TRUE(files.writes.empty());
}

// Mended: a drop while the scan still ran first ran it again and sorted it, and then
// moved whatever stood at the dragged items' old places.
TEST_F(PaneTest, WhatWasDraggedDuringAScanIsWhatMoves) {
  RecentFiles(25);
  std::optional<ShortcutDragging> drag;
  bool dropped = false;
  pump.hook = [&] {
    if (list.Count() == 10 && !drag) {
      // The scan lists the folder in reverse: R124 ... R115 are in so far.
      drag = pane.BeginDrag({0, 1});
    } else if (list.Count() == 20 && drag && !dropped) {
      dropped = true;
      EXPECT_TRUE(pane.DropOnCategory(*drag, Named("Work")));
    }
  };
  auto& recent = dirs.folders["C:\\U\\Recent\\"];
  std::reverse(recent.begin(), recent.end());
  Show("Recent");
  ASSERT_TRUE(dropped);
  const auto moved = store.SectionEntries(Named("Work"));
  ASSERT_TRUE(moved);
  // The two dragged, in the order of the list as it is now, sorted.
  EXPECT_EQ((std::vector<std::string>{"R123", "R124"}), Titles(*moved));
  EXPECT_EQ(23u, store.SectionEntries(Named("Recent"))->size());
  EXPECT_EQ(23, list.Count());
}

TEST_F(PaneTest, SearchShowsResultsThatAreNeverStoredAndEndsOnTheCategory) {
  StartWith("<[Work]>\r\nEditor\r\nC:\\ed.exe\r\nBrowser\r\nC:\\b.exe\r\n<[Home]>\r\nEdge\r\nC:\\edge.exe\r\n");
  Show("Work");
  pane.Search("ed");
  EXPECT_TRUE(pane.searching());
  EXPECT_EQ((std::vector<std::string>{"Editor", "Edge"}), Titles(list));
  EXPECT_EQ("2 found", status.text());
  EXPECT_EQ(nullptr, list.StorableAs());
  pane.Sort({});
  EXPECT_FALSE(pane.Remove({0}));
  EXPECT_TRUE(files.writes.empty());
  pane.Search("  ");
  EXPECT_FALSE(pane.searching());
  EXPECT_EQ(&Named("Work"), list.category());
  EXPECT_EQ(2, list.Count());
}

TEST_F(PaneTest, TheIndexIsBuiltAgainOnlyWhenWhatItHoldsChanged) {
  StartMenuLinks(3);
  StartWith("<[Work]>\r\nEditor\r\nC:\\ed.exe\r\n");
  Show("Work");
  pane.Search("p1");
  EXPECT_EQ(3, list.Count());  // "Get All" was scanned once, hidden, for the search
  const auto listed = dirs.listed.size();
  pane.EndSearch();
  pane.Search("e");
  EXPECT_EQ(listed, dirs.listed.size());
  EXPECT_EQ(std::vector<std::string>{"Editor"}, Titles(list));
  // A stored change is found at the next key.
  pane.EndSearch();
  pane.AddDroppedFiles({"C:\\Elsewhere.exe"});
  pane.Search("e");
  EXPECT_EQ((std::vector<std::string>{"Editor", "Elsewhere"}), Titles(list));
}

TEST_F(PaneTest, TheIndexIsPreparedAheadOnlyWhenThatNeedsNoScan) {
  StartMenuLinks(3);
  StartWith("<[Work]>\r\nEditor\r\nC:\\ed.exe\r\n");
  Show("Work");
  const auto listed = dirs.listed.size();
  pane.PrepareSearch();  // "Get All" is not known yet: the first key scans it
  EXPECT_EQ(listed, dirs.listed.size());
  pane.Search("p1");
  EXPECT_EQ(3, list.Count());
  pane.EndSearch();
  pane.AddDroppedFiles({"C:\\Elsewhere.exe"});
  const auto scanned = dirs.listed.size();
  pane.PrepareSearch();
  pane.Search("els");
  EXPECT_EQ(std::vector<std::string>{"Elsewhere"}, Titles(list));
  EXPECT_EQ(scanned, dirs.listed.size());
}

TEST_F(PaneTest, LaunchesAreLearnedWithTheTextTheResultsWereFoundFor) {
  StartWith("<[Work]>\r\nEditor One\r\nC:\\one.exe\r\nEditor Two\r\nC:\\two.exe\r\n");
  dirs.AddFile("C:\\one.exe");
  dirs.AddFile("C:\\two.exe");
  Show("Work");
  pane.Open({0}, false);  // from the category: no text
  pane.Search("edit");
  pane.Open({1}, true);   // run as administrator counts as well
  ASSERT_EQ(2u, history.launches().size());
  EXPECT_EQ("", history.launches()[0].text);
  EXPECT_EQ("c:\\two.exe", history.launches()[1].target);
  EXPECT_EQ("edit", history.launches()[1].text);
  // The next search puts the pick first; an empty one lists what was opened lately.
  pane.Search("edi");
  EXPECT_EQ((std::vector<std::string>{"Editor Two", "Editor One"}), Titles(list));
  pane.Search("");
  EXPECT_EQ((std::vector<std::string>{"Editor Two", "Editor One"}), Titles(list));
  EXPECT_EQ("2 opened lately", status.text());
  // Forgotten, an empty search ends on the category.
  boxes.confirmAnswers = {true};
  pane.ForgetHistory();
  EXPECT_TRUE(history.launches().empty());
  EXPECT_FALSE(pane.searching());
  pane.Search("");
  EXPECT_FALSE(pane.searching());
}

}  // namespace
}  // namespace tessaly
