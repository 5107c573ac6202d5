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
  FakeShortcutList list;
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
  void Link(const std::string& path, const std::string& target, const std::string& args = "") {
    dirs.AddFile(path);
    links.links[path] = {target, args};
  }
};

TEST_F(SelectionTest, StoredSectionIsShownInFileOrderInOneBatchWithoutCursor) {
  files.files[store.Path()] = "<[Work]>\r\nZed\r\nz.exe\r\nAlpha\r\na.exe\r\nMid\r\nm.exe\r\n";
  store.Load();
  Select(Named("Work", 0));
  EXPECT_EQ((std::vector<std::string>{"Zed", "Alpha", "Mid"}), list.Titles());
  EXPECT_EQ("3 items", status.text());
  EXPECT_EQ(0, list.sortCount);
  EXPECT_EQ(1, list.beginCount);
  EXPECT_EQ(0, list.updateDepth);
  EXPECT_TRUE(cursor.history.empty());
}

TEST_F(SelectionTest, UserCategoryWithoutSectionIsEmpty) {
  list.Add("left over", "x");
  Select(Named("Work", 0));
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ("0 items", status.text());
  EXPECT_EQ((std::vector<bool>{true, false}), cursor.history);
  EXPECT_EQ(0, list.updateDepth);
}

TEST_F(SelectionTest, BuiltInNamesCountOnlyAtTheirLevel) {
  Link("C:\\U\\Desktop\\Editor.lnk", "C:\\e.exe");
  Link("C:\\All\\Start\\Tool.lnk", "C:\\t.exe");
  Select(Named("Popular", 1));
  EXPECT_TRUE(list.items.empty());
  Select(Named("Get All", 0));
  EXPECT_TRUE(list.items.empty());
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
  EXPECT_EQ((std::vector<std::string>{"Calc", "Zip"}), list.Titles());
  EXPECT_EQ("C:\\U\\Start\\Apps\\Calc.lnk", list.Target(0));
  EXPECT_EQ("2 items", status.text());
  EXPECT_EQ("C:\\All\\Start\\*.*", dirs.listed.front());
  EXPECT_FALSE(cursor.busy);
}

TEST_F(SelectionTest, PopularIsScannedOnceStoredInScanOrderThenShownFromTheStore) {
  dirs.AddFolder("C:\\U\\Desktop\\Work");
  Link("C:\\U\\Desktop\\Zed.lnk", "C:\\z.exe");
  dirs.AddFile("C:\\U\\Desktop\\notes.txt");
  Link("C:\\U\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Browser.lnk", "C:\\b.exe");
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Browser", "Work", "Zed"}), list.Titles());
  EXPECT_EQ(
      "<[Popular]>\r\nWork\r\nC:\\U\\Desktop\\Work\r\nZed\r\nC:\\U\\Desktop\\Zed.lnk\r\n"
      "Browser\r\nC:\\U\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Browser.lnk\r\n",
      files.files[store.Path()]);

  const auto listedBefore = dirs.listed.size();
  Select(Named("Work", 0));
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Work", "Zed", "Browser"}), list.Titles());
  EXPECT_EQ(listedBefore, dirs.listed.size());
}

TEST_F(SelectionTest, PopularWithoutApplicationDataScansOnlyTheDesktop) {
  folders.paths.erase(26);
  Link("C:\\U\\Desktop\\Zed.lnk", "C:\\z.exe");
  Select(Named("Popular", 0));
  EXPECT_EQ(std::vector<std::string>{"Zed"}, list.Titles());
  EXPECT_EQ(std::vector<std::string>{"C:\\U\\Desktop\\*.*"}, dirs.listed);
}

TEST_F(SelectionTest, RecentListsTheRecentFolder) {
  dirs.AddFile("C:\\U\\Recent\\report.doc.lnk");
  dirs.AddFolder("C:\\U\\Recent\\Old");
  Select(Named("Recent", 0));
  EXPECT_EQ((std::vector<std::string>{"Old", "report.doc"}), list.Titles());
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
            list.Titles());
  EXPECT_EQ("C:\\U\\Documents\\", list.Target(0));
  EXPECT_EQ((LineList{"Photos 2009", "C:\\U\\Recent\\Photos 2009.01.lnk"}), scans.FolderCache);

  // A folder link added later in the run is not seen: the cache is replayed.
  dirs.AddFolder("C:\\Later");
  Link("C:\\U\\Recent\\Later.lnk", "C:\\Later");
  links.resolved.clear();
  Select(Named("Folders", 0));
  EXPECT_EQ(7u, list.items.size());
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
            list.Titles());
  EXPECT_EQ("C:\\W\\regedit.exe", list.Target(1));
  EXPECT_EQ("C:\\W\\system32\\explorer.exe", list.Target(4));  // the system folder comes first
  EXPECT_EQ("5 items", status.text());
}

TEST_F(SelectionTest, NoSelectionEmptiesTheList) {
  list.Add("a", "b");
  selection.Select(nullptr);
  EXPECT_TRUE(list.items.empty());
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
    if (nested || list.items.size() < 10) return;
    nested = true;
    Select(Named("Recent", 0));
  };
  Select(Named("Get All", 1));
  EXPECT_TRUE(nested);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), list.Titles());
  EXPECT_EQ("2 items", status.text());
  EXPECT_EQ(1, list.sortCount);  // only the nested run sorted
  EXPECT_EQ(0, list.updateDepth);
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
    if (nested || list.items.size() < 10) return;
    nested = true;
    Select(Named("Work", 0));
  };
  Select(Named("Popular", 0));
  EXPECT_EQ((std::vector<std::string>{"Zed", "Alpha"}), list.Titles());
  EXPECT_EQ(0, list.sortCount);
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

TEST_F(SelectionTest, InterruptedLoadOfAStoredSectionStopsAdding) {
  std::string section = "<[Work]>\r\n";
  for (int i = 0; i < 25; ++i) section += "T" + std::to_string(i) + "\r\nt\r\n";
  files.files[store.Path()] = section + "<[Trash]>\r\nGone\r\ng\r\n";
  store.Load();
  bool nested = false;
  pump.hook = [&] {
    if (nested) return;
    nested = true;
    Select(Named("Trash", 0));
  };
  Select(Named("Work", 0));
  EXPECT_EQ(std::vector<std::string>{"Gone"}, list.Titles());
  EXPECT_EQ("1 items", status.text());
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
    if (nested || list.items.size() < 10) return;
    nested = true;
    Select(node);
  };
  Select(node);
  ASSERT_TRUE(nested);
  EXPECT_EQ(expected, list.Titles());
  EXPECT_EQ("25 items", status.text());
  EXPECT_EQ(0, scans.StartMenuDepth);
  EXPECT_EQ(0, list.updateDepth);
}

INSTANTIATE_TEST_SUITE_P(Scans, SameCategoryAgain, ::testing::Values("Get All", "Recent", "Popular"),
                         [](const auto& testInfo) {
                           std::string n = testInfo.param;
                           n.erase(std::remove(n.begin(), n.end(), ' '), n.end());
                           return n;
                         });

// Mended: a command that stores the list ran against the part of a section loaded so
// far, and the rest never reached the file.
TEST_F(SelectionTest, FinishingALoadAddsTheRestAtOnceAndKeepsTheSelection) {
  std::string section = "<[Work]>\r\n";
  for (int i = 0; i < 25; ++i) section += "T" + std::to_string(i) + "\r\nt\r\n";
  files.files[store.Path()] = section;
  store.Load();
  std::vector<std::string> during;
  pump.hook = [&] {
    if (!during.empty()) return;
    list.items[3].selected = true;
    const int pumpsBefore = pump.calls;
    selection.FinishFilling();
    EXPECT_EQ(pumpsBefore, pump.calls);  // no message got in meanwhile
    EXPECT_FALSE(selection.Filling());
    during = list.Titles();
  };
  Select(Named("Work", 0));
  ASSERT_EQ(25u, during.size());
  EXPECT_EQ(during, list.Titles());  // the interrupted load added nothing more
  EXPECT_TRUE(list.items[3].selected);
  EXPECT_EQ("25 items", status.text());
  EXPECT_FALSE(selection.Filling());
  selection.FinishFilling();  // nothing running: nothing changes
  EXPECT_EQ(25u, list.items.size());
}

TEST_F(SelectionTest, FinishingAScanRunsItAgainToItsEndAndStoresItWhole) {
  for (int i = 0; i < 25; ++i) dirs.AddFolder("C:\\U\\Desktop\\F" + std::to_string(100 + i));
  bool finished = false;
  pump.hook = [&] {
    if (finished || list.items.size() < 10) return;
    finished = true;
    const int pumpsBefore = pump.calls;
    selection.FinishFilling();
    EXPECT_EQ(pumpsBefore, pump.calls);  // no message got in meanwhile
    EXPECT_EQ(25u, list.items.size());
  };
  Select(Named("Popular", 0));
  ASSERT_TRUE(finished);
  EXPECT_EQ(25u, list.items.size());
  EXPECT_EQ("F100", list.Title(0));
  EXPECT_EQ(51u, store.Lines().size());  // the header and every folder, once
  EXPECT_EQ(1, list.sortCount);
}

// Mended: a close during a filling left it running against a dead list, and "Popular"
// stored an empty section for good.
TEST_F(SelectionTest, StoppedFillingStoresNothingAndTouchesTheListNoMore) {
  for (int i = 0; i < 25; ++i) dirs.AddFolder("C:\\U\\Desktop\\F" + std::to_string(100 + i));
  std::size_t atStop = 0;
  pump.hook = [&] {
    if (atStop != 0 || list.items.size() < 10) return;
    EXPECT_TRUE(selection.Filling());
    selection.StopFilling();
    atStop = list.items.size();
  };
  Select(Named("Popular", 0));
  EXPECT_EQ(10u, atStop);
  EXPECT_EQ(atStop, list.items.size());
  EXPECT_EQ(0, list.sortCount);
  EXPECT_TRUE(files.writes.empty());
  EXPECT_FALSE(selection.Filling());
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

}  // namespace
}  // namespace tessaly
