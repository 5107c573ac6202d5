// What selecting a category fills the list with, over fake shell folders.

#include "categories/CategorySelection.h"

#include <gtest/gtest.h>

#include "store/CategoryStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;

struct SelectionTest : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, "C:\\D\\Shortcuts.sts"};
  ShortcutList list{WordOrder};
  RecordingListObserver view;
  FakeStatusLine status;
  FakeMessagePump pump;
  FakeBusyCursor cursor;
  ListEntryAdder adder{list, status, pump};
  FakeFolders folders;
  FakeLinkReader links;
  FakeDirectories dirs;
  ShellScans scans{folders, links, dirs, dirs, adder};
  CategorySelection selection{store, scans, adder, folders, dirs, cursor};
  CategoryTree tree;

  SelectionTest() {
    list.SetObserver(&view);
    LoadCategoryTree(tree, {"Popular ;016", "Programs ;00", "    Get All ;013", "    Popular ;00",
                            "Get All ;00", "Recent ;02", "Folders ;06", "Windows ;014", "Work ;015",
                            "Trash ;020"});
    folders.paths = {{0, "C:\\U\\Desktop\\"},      {26, "C:\\U\\AppData\\"},
                     {8, "C:\\U\\Recent\\"},       {11, "C:\\U\\Start\\"},
                     {22, "C:\\All\\Start\\"},     {5, "C:\\U\\Documents\\"},
                     {13, "C:\\U\\Music\\"},       {39, "C:\\U\\Pictures\\"},
                     {6, "C:\\U\\Favorites\\"},    {38, "C:\\Program Files\\"},
                     {40, "C:\\U\\"},              {37, "C:\\W\\system32\\"},
                     {36, "C:\\W\\"},              {2, "C:\\U\\Start\\Programs\\"}};
    for (const auto& [id, path] : folders.paths) dirs.AddFolder(path);
  }

  CategoryNode& Node(int absoluteIndex) { return *tree.NodeAt(absoluteIndex); }
  CategoryNode& Named(const std::string& name, int level) {
    CategoryNode* found = nullptr;
    tree.ForEach([&](CategoryNode& n) {
      if (n.name == name && n.level() == level) found = &n;
    });
    return *found;
  }
  void Select(const CategoryNode& node) { selection.Select(&node); }
  std::vector<std::string> Shown() const { return Titles(list); }
  void Link(const std::string& path, const std::string& target, const std::string& args = "") {
    dirs.AddFile(path);
    links.links[path] = {target, args};
  }
};

TEST_F(SelectionTest, StoredSectionIsShownWholeAtOnceInFileOrder) {
  files.files[store.Path()] = "<[Work]>\r\nZed\r\nz.exe\r\nAlpha\r\na.exe\r\nMid\r\nm.exe\r\n";
  store.Load();
  Select(Named("Work", 0));
  EXPECT_EQ((std::vector<std::string>{"Zed", "Alpha", "Mid"}), Shown());
  EXPECT_EQ("3 items", status.text());
  EXPECT_TRUE(list.whole());
  EXPECT_EQ(&Named("Work", 0), list.StorableAs());
  // One change for the view, and no message lets anything in half-way.
  EXPECT_EQ(1u, view.changes.size());
  EXPECT_EQ(0, pump.calls);
  EXPECT_TRUE(cursor.history.empty());
}

TEST_F(SelectionTest, UserCategoryWithoutSectionIsEmpty) {
  list.ShowResults({{"left over", "x"}});
  Select(Named("Work", 0));
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ("0 items", status.text());
  EXPECT_EQ((std::vector<bool>{true, false}), cursor.history);
  EXPECT_EQ(0, view.depth);
  // An empty category may still be stored: its first shortcut creates the section.
  EXPECT_EQ(&Named("Work", 0), list.StorableAs());
}

TEST_F(SelectionTest, BuiltInNamesCountOnlyAtTheirLevel) {
  Link("C:\\U\\Desktop\\Editor.lnk", "C:\\e.exe");
  Link("C:\\All\\Start\\Tool.lnk", "C:\\t.exe");
  Select(Named("Popular", 1));
  EXPECT_EQ(0, list.Count());
  Select(Named("Get All", 0));
  EXPECT_EQ(0, list.Count());
  EXPECT_TRUE(dirs.listed.empty());
  EXPECT_TRUE(store.Lines().empty());
}

TEST_F(SelectionTest, GetAllScansBothStartMenusSortedAndIgnoresItsStoredSection) {
  files.files[store.Path()] = "<[Programs][Get All]>\r\nStale\r\nC:\\stale.lnk\r\n";
  store.Load();
  Link("C:\\All\\Start\\Zip.lnk", "C:\\zip.exe");
  Link("C:\\U\\Start\\Apps\\Calc.lnk", "C:\\calc.exe");
  Link("C:\\U\\Start\\Uninstall Calc.lnk", "C:\\calc.exe");
  Select(Named("Get All", 1));
  EXPECT_EQ((std::vector<std::string>{"Calc", "Zip"}), Shown());
  EXPECT_EQ("C:\\U\\Start\\Apps\\Calc.lnk", list.At(0).target);
  EXPECT_EQ("2 items", status.text());
  EXPECT_EQ("C:\\All\\Start\\*.*", dirs.listed.front());
  EXPECT_FALSE(cursor.busy);
  // Whole, but never stored: the next selection scans again and would not show it.
  EXPECT_TRUE(list.whole());
  EXPECT_EQ(nullptr, list.StorableAs());
}

TEST_F(SelectionTest, PopularIsScannedOnceStoredInScanOrderThenShownFromTheStore) {
  dirs.AddFolder("C:\\U\\Desktop\\Work");
  Link("C:\\U\\Desktop\\Zed.lnk", "C:\\z.exe");
  dirs.AddFile("C:\\U\\Desktop\\notes.txt");
  Link("C:\\U\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Browser.lnk", "C:\\b.exe");
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Browser", "Work", "Zed"}), Shown());
  EXPECT_EQ(
      "<[Popular]>\r\nWork\r\nC:\\U\\Desktop\\Work\r\nZed\r\nC:\\U\\Desktop\\Zed.lnk\r\n"
      "Browser\r\nC:\\U\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Browser.lnk\r\n",
      files.files[store.Path()]);

  const auto listedBefore = dirs.listed.size();
  Select(Named("Work", 0));
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Work", "Zed", "Browser"}), Shown());
  EXPECT_EQ(listedBefore, dirs.listed.size());
}

TEST_F(SelectionTest, PopularWithoutApplicationDataScansOnlyTheDesktop) {
  folders.paths.erase(26);
  Link("C:\\U\\Desktop\\Zed.lnk", "C:\\z.exe");
  Select(Named("Popular", 0));
  EXPECT_EQ(std::vector<std::string>{"Zed"}, Shown());
  EXPECT_EQ(std::vector<std::string>{"C:\\U\\Desktop\\*.*"}, dirs.listed);
}

TEST_F(SelectionTest, RecentListsTheRecentFolder) {
  dirs.AddFile("C:\\U\\Recent\\report.doc.lnk");
  dirs.AddFolder("C:\\U\\Recent\\Old");
  Select(Named("Recent", 0));
  EXPECT_EQ((std::vector<std::string>{"Old", "report.doc"}), Shown());
  EXPECT_EQ("2 items", status.text());
}

TEST_F(SelectionTest, FoldersListsSpecialAndRecentFoldersThenReplaysTheCache) {
  dirs.AddFolder("C:\\Photos");
  Link("C:\\U\\Recent\\Photos 2009.01.lnk", "C:\\Photos");
  Link("C:\\U\\Recent\\doc.lnk", "C:\\doc.txt");
  dirs.AddFile("C:\\doc.txt");
  Select(Named("Folders", 0));
  EXPECT_EQ((std::vector<std::string>{"Documents", "Favorites", "Music", "Photos 2009", "Pictures",
                                      "Program Files", "U"}),
            Shown());
  EXPECT_EQ("C:\\U\\Documents\\", list.At(0).target);
  EXPECT_EQ((LineList{"Photos 2009", "C:\\U\\Recent\\Photos 2009.01.lnk"}), scans.FolderCache);

  // A folder link added later in the run is not seen: the cache is replayed.
  dirs.AddFolder("C:\\Later");
  Link("C:\\U\\Recent\\Later.lnk", "C:\\Later");
  links.resolved.clear();
  Select(Named("Folders", 0));
  EXPECT_EQ(7, list.Count());
  EXPECT_TRUE(links.resolved.empty());
}

TEST_F(SelectionTest, WindowsListsFoundToolsWithFallbacksSorted) {
  dirs.AddFile("C:\\W\\regedit.exe");
  dirs.AddFile("C:\\W\\system32\\REGEDIT32.EXE");  // the case differs: not a match
  dirs.AddFile("C:\\W\\explorer.exe");
  dirs.AddFile("C:\\W\\system32\\explorer.exe");
  dirs.AddFile("C:\\W\\system32\\taskmgr.exe");
  dirs.AddFile("C:\\W\\system32\\compmgmt.msc");
  dirs.AddFile("C:\\U\\Start\\Programs\\msconfig.exe");
  Select(Named("Windows", 0));
  EXPECT_EQ((std::vector<std::string>{"Computer Management", "Registry Editor", "System Configue",
                                      "Task Manager", "Windows Explorer"}),
            Shown());
  EXPECT_EQ("C:\\W\\regedit.exe", list.At(1).target);
  EXPECT_EQ("C:\\W\\system32\\explorer.exe", list.At(4).target);  // the system folder comes first
  EXPECT_EQ("5 items", status.text());
}

TEST_F(SelectionTest, NoSelectionEmptiesTheList) {
  list.ShowResults({{"a", "b"}});
  selection.Select(nullptr);
  EXPECT_EQ(0, list.Count());
  EXPECT_EQ(ShortcutList::Source::Nothing, list.source());
  EXPECT_EQ("0 items", status.text());
}

// Fills a start menu with n program links, so that the list's every tenth entry lets
// pending messages run.
void MakeStartMenu(SelectionTest& t, int n) {
  for (int i = 0; i < n; ++i) {
    const std::string name = "P" + std::to_string(100 + i);
    t.Link("C:\\All\\Start\\" + name + ".lnk", "C:\\" + name + ".exe");
  }
}

TEST_F(SelectionTest, NestedSelectionStopsTheRunningScanAndOwnsTheList) {
  MakeStartMenu(*this, 40);
  Link("C:\\U\\Start\\Late.lnk", "C:\\late.exe");
  dirs.AddFile("C:\\U\\Recent\\b.txt");
  dirs.AddFile("C:\\U\\Recent\\a.txt");
  bool nested = false;
  pump.hook = [&] {
    if (nested || list.Count() < 10) return;
    nested = true;
    Select(Named("Recent", 0));
  };
  Select(Named("Get All", 1));
  EXPECT_TRUE(nested);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), Shown());
  EXPECT_EQ("2 items", status.text());
  EXPECT_EQ(0, view.depth);
  EXPECT_FALSE(cursor.busy);
  // The user's start menu was never scanned.
  EXPECT_EQ(dirs.listed.end(), std::find(dirs.listed.begin(), dirs.listed.end(), "C:\\U\\Start\\*.*"));
}

TEST_F(SelectionTest, InterruptedFillingLeavesAStoredSectionUnsortedAndStoresNothing) {
  files.files[store.Path()] = "<[Work]>\r\nZed\r\nz.exe\r\nAlpha\r\na.exe\r\n";
  store.Load();
  for (int i = 0; i < 30; ++i) dirs.AddFolder("C:\\U\\Desktop\\F" + std::to_string(i));
  bool nested = false;
  pump.hook = [&] {
    if (nested || list.Count() < 10) return;
    nested = true;
    Select(Named("Work", 0));
  };
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Zed", "Alpha"}), Shown());
  EXPECT_EQ("<[Work]>\r\nZed\r\nz.exe\r\nAlpha\r\na.exe\r\n", files.files[store.Path()]);
  EXPECT_TRUE(files.writes.empty());
  // Popular has no section: its next selection scans again.
  EXPECT_EQ(-1, [&] {
    for (std::size_t i = 0; i < store.Lines().size(); ++i) {
      if (store.Lines()[i] == "<[Popular]>") return static_cast<int>(i);
    }
    return -1;
  }());
}

// Mended: "Down then Up" in the tree during a filling selects the same category inside
// it; the outer scan then went on and added a duplicated, unsorted tail.
class SameCategoryAgain : public SelectionTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SameCategoryAgain, OvertakenScanStopsAddingAndTheListIsTheNestedOne) {
  const std::string name = GetParam();
  const bool getAll = name == "Get All";
  const std::string folder = getAll ? "C:\\All\\Start\\Sub\\"
                             : name == "Recent" ? "C:\\U\\Recent\\" : "C:\\U\\Desktop\\";
  std::vector<std::string> expected;
  for (int i = 0; i < 25; ++i) {
    const std::string title = "P" + std::to_string(200 - i);  // listed in reverse order
    Link(folder + title + ".lnk", "C:\\" + title + ".exe");
    expected.insert(expected.begin(), title);
  }
  const CategoryNode& node = Named(name, getAll ? 1 : 0);
  bool nested = false;
  pump.hook = [&] {
    if (nested || list.Count() < 10) return;
    nested = true;
    Select(node);
  };
  Select(node);
  ASSERT_TRUE(nested);
  EXPECT_EQ(expected, Shown());
  EXPECT_EQ("25 items", status.text());
  EXPECT_EQ(0, scans.StartMenuDepth);
  EXPECT_EQ(0, view.depth);
}

INSTANTIATE_TEST_SUITE_P(Scans, SameCategoryAgain, ::testing::Values("Get All", "Recent", "Popular"),
                         [](const auto& testInfo) {
                           std::string n = testInfo.param;
                           n.erase(std::remove(n.begin(), n.end(), ' '), n.end());
                           return n;
                         });

TEST_F(SelectionTest, FinishingAScanRunsItAgainToItsEndAndStoresItWhole) {
  for (int i = 0; i < 25; ++i) dirs.AddFolder("C:\\U\\Desktop\\F" + std::to_string(100 + i));
  bool finished = false;
  pump.hook = [&] {
    if (finished || list.Count() < 10) return;
    finished = true;
    EXPECT_FALSE(list.whole());
    const int pumpsBefore = pump.calls;
    EXPECT_TRUE(selection.EnsureWhole());
    EXPECT_EQ(pumpsBefore, pump.calls);  // no message got in meanwhile
    EXPECT_EQ(25, list.Count());
  };
  Select(Named("Popular", 0));
  ASSERT_TRUE(finished);
  EXPECT_EQ(25, list.Count());
  EXPECT_EQ("F100", list.At(0).title);
  EXPECT_EQ(51u, store.Lines().size());  // the header and every folder, once
  EXPECT_TRUE(list.whole());
}

// Mended: a finished filling wrote its count over what the command that finished it
// had written since.
TEST_F(SelectionTest, AFillingFinishedByACommandWritesNothingAfterwards) {
  for (int i = 0; i < 25; ++i) dirs.AddFile("C:\\U\\Recent\\F" + std::to_string(100 + i) + ".txt");
  bool finished = false;
  pump.hook = [&] {
    if (finished || list.Count() < 10) return;
    finished = true;
    ASSERT_TRUE(selection.EnsureWhole());
    list.Clear();
    status.SetStatusText("cleared");
  };
  Select(Named("Recent", 0));
  ASSERT_TRUE(finished);
  EXPECT_EQ("cleared", status.text());
  EXPECT_EQ(0, list.Count());
}

// Mended: a close that was then cancelled, or a search begun during a filling, left a
// part of the category in the list, and the next command stored that part.
TEST_F(SelectionTest, AStoppedFillingIsNotWholeUntilItRanAgain) {
  for (int i = 0; i < 25; ++i) dirs.AddFolder("C:\\U\\Desktop\\F" + std::to_string(100 + i));
  std::size_t atStop = 0;
  pump.hook = [&] {
    if (atStop != 0 || list.Count() < 10) return;
    EXPECT_TRUE(selection.Filling());
    selection.StopFilling();
    atStop = static_cast<std::size_t>(list.Count());
  };
  Select(Named("Popular", 0));
  pump.hook = nullptr;
  EXPECT_EQ(10u, atStop);
  EXPECT_EQ(10, list.Count());
  EXPECT_TRUE(files.writes.empty());
  EXPECT_FALSE(selection.Filling());
  // The part may not be stored as the category...
  EXPECT_FALSE(list.whole());
  EXPECT_EQ(nullptr, list.StorableAs());
  // ...until it is filled again whole.
  EXPECT_TRUE(selection.EnsureWhole());
  EXPECT_EQ(25, list.Count());
  EXPECT_EQ(&Named("Popular", 0), list.StorableAs());
}

TEST_F(SelectionTest, ResultsAndNoSelectionAreNeverACategorysContent) {
  list.ShowResults({{"Found", "f.exe"}});
  EXPECT_FALSE(selection.EnsureWhole());
  EXPECT_EQ(nullptr, list.StorableAs());
  selection.Select(nullptr);
  EXPECT_FALSE(selection.EnsureWhole());
  EXPECT_EQ(nullptr, list.StorableAs());
}

TEST_F(SelectionTest, ADeletedBranchLeavesTheListAndTheSelection) {
  CategoryNode& work = Named("Work", 0);
  CategoryNode& tools = tree.AddChild(work, "Tools");
  Select(tools);
  ASSERT_EQ(&tools, list.category());
  selection.Forget(work);
  EXPECT_EQ(nullptr, list.category());
  EXPECT_EQ(nullptr, selection.selected());
  // Another branch keeps them.
  Select(Named("Recent", 0));
  selection.Forget(work);
  EXPECT_EQ(&Named("Recent", 0), list.category());
}

TEST_F(SelectionTest, NewSelectionClearsEveryScanFlagFirst) {
  scans.flags.GetAllScanActive = true;
  scans.flags.PopularScanActive = true;
  Select(Named("Work", 0));
  EXPECT_FALSE(scans.flags.GetAllScanActive);
  EXPECT_FALSE(scans.flags.PopularScanActive);
  Select(Named("Recent", 0));
  EXPECT_TRUE(scans.flags.RecentScanActive);
}

TEST_F(SelectionTest, AFolderChangeListsAShownBuiltInCategoryAgainAndNothingElse) {
  Link("C:\\U\\Start\\Calc.lnk", "C:\\calc.exe");
  Select(Named("Get All", 1));
  Link("C:\\All\\Start\\Zip.lnk", "C:\\zip.exe");
  EXPECT_FALSE(selection.FollowFolderChange("Recent"));
  EXPECT_TRUE(selection.FollowFolderChange("Get All"));
  EXPECT_EQ((std::vector<std::string>{"Calc", "Zip"}), Shown());
  EXPECT_EQ(2u, selection.latestResults().at("Get All").size());

  // A user category of the same name reads no folder.
  Select(Named("Get All", 0));
  EXPECT_FALSE(selection.FollowFolderChange("Get All"));
  Select(Named("Work", 0));
  EXPECT_FALSE(selection.FollowFolderChange("Work"));

  // Search results stay what the user searched for.
  dirs.AddFile("C:\\U\\Recent\\a.doc.lnk");
  Select(Named("Recent", 0));
  list.ShowResults({{"found", "C:\\found.exe"}});
  dirs.AddFile("C:\\U\\Recent\\b.doc.lnk");
  EXPECT_FALSE(selection.FollowFolderChange("Recent"));
  EXPECT_EQ((std::vector<std::string>{"found"}), Shown());
}

TEST_F(SelectionTest, GetAllFromTheCacheServesTheSearchUntilAScanReplacesIt) {
  const unsigned before = selection.resultsVersion();
  EXPECT_TRUE(selection.RememberGetAll({"Zip", "C:\\zip.lnk", "Calc", "C:\\calc.lnk"}));
  EXPECT_NE(before, selection.resultsVersion());
  // In another order it is the same "Get All": a shown one need not be listed again.
  EXPECT_FALSE(selection.RememberGetAll({"Calc", "C:\\calc.lnk", "Zip", "C:\\zip.lnk"}));
  EXPECT_EQ((Shortcuts{{"Zip", "C:\\zip.lnk"}, {"Calc", "C:\\calc.lnk"}}),
            selection.latestResults().at("Get All"));
  // The search's own scan is then not needed.
  ShortcutList hidden;
  ListEntryAdder hiddenAdder{hidden, status, pump};
  ShellScans hiddenScans{folders, links, dirs, dirs, hiddenAdder};
  selection.ScanGetAllOnce(tree, hiddenScans, hidden);
  EXPECT_TRUE(dirs.listed.empty());
}

}  // namespace
}  // namespace tessaly
