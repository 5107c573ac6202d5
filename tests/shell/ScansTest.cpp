#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "shell/Scans.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using Entry = std::pair<std::string, std::string>;
using Entries = std::vector<Entry>;

class ScansTest : public ::testing::Test {
 protected:
  Entries Listed() const {
    Entries entries;
    for (const auto& item : list.entries()) entries.emplace_back(item.title, item.target);
    return entries;
  }
  void AddLink(const std::string& path, const std::string& target,
               const std::string& arguments = "") {
    dirs.AddFile(path);
    links.links[path] = {target, arguments};
  }

  testing::FakeFolders folders;
  testing::FakeLinkReader links;
  testing::FakeDirectories dirs;
  ShortcutList list;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  ListEntryAdder adder{list, status, pump};
  ShellScans scans{folders, links, dirs, dirs, adder};
};

// --- Recent documents -------------------------------------------------------------

class RecentScanTest : public ScansTest {
 protected:
  void SetUp() override {
    folders.paths[folder_id::Recent] = "C:\\Recent\\";
    scans.flags.RecentScanActive = true;
  }
};

TEST_F(RecentScanTest, ListsFilesAndFoldersWhateverTheirExtension) {
  dirs.AddFile("C:\\Recent\\report.doc.lnk");
  dirs.AddFolder("C:\\Recent\\Old");
  dirs.AddFile("C:\\Recent\\desktop.ini");
  dirs.AddFile("C:\\Recent\\Old\\inside.lnk");

  scans.ScanRecentFolder(folder_id::Recent);

  EXPECT_EQ(Listed(), (Entries{{"report.doc", "C:\\Recent\\report.doc.lnk"},
                               {"Old", "C:\\Recent\\Old"},
                               {"desktop", "C:\\Recent\\desktop.ini"}}));
  EXPECT_EQ(dirs.listed, std::vector<std::string>{"C:\\Recent\\*.*"});
  EXPECT_TRUE(links.resolved.empty());
}

TEST_F(RecentScanTest, PumpsAfterEveryListedEntryButTheFirstFound) {
  dirs.AddFile("C:\\Recent\\a.txt");
  dirs.AddFile("C:\\Recent\\b.txt");
  dirs.AddFile("C:\\Recent\\c.txt");
  scans.ScanRecentFolder(folder_id::Recent);
  EXPECT_EQ(pump.calls, 3) << "\".\" came first, so every file is a later entry";

  // A drive root has no dot entries: its first file is listed without a pump.
  list.Clear();
  pump.calls = 0;
  dirs.withDotEntries = false;
  scans.ScanRecentFolder(folder_id::Recent);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(pump.calls, 2);
}

TEST_F(RecentScanTest, ClearedFlagStopsBeforeTheNextEntryButNotTheFirstFound) {
  dirs.withDotEntries = false;
  dirs.AddFile("C:\\Recent\\a.txt");
  dirs.AddFile("C:\\Recent\\b.txt");
  scans.flags.RecentScanActive = false;
  scans.ScanRecentFolder(folder_id::Recent);
  EXPECT_EQ(Listed(), (Entries{{"a", "C:\\Recent\\a.txt"}}));
}

TEST_F(RecentScanTest, NestedSelectionDuringThePumpStopsTheScan) {
  for (char c = 'a'; c <= 'f'; ++c) dirs.AddFile(std::string("C:\\Recent\\") + c + ".txt");
  // The second pump runs a selection of another category: it clears the flags,
  // empties the list and fills it with its own entries.
  pump.hook = [&] {
    if (pump.calls != 2) return;
    scans.flags.ClearAll();
    list.Clear();
    list.Append("Stored", "C:\\Stored.txt");
  };
  scans.ScanRecentFolder(folder_id::Recent);
  EXPECT_EQ(Listed(), (Entries{{"Stored", "C:\\Stored.txt"}}));
  EXPECT_EQ(pump.calls, 2);
}

TEST_F(RecentScanTest, UnnamedFolderEnumeratesNothing) {
  folders.paths.erase(folder_id::Recent);
  dirs.AddFile("a.txt");  // would be found relative to the working directory
  scans.ScanRecentFolder(folder_id::Recent);
  EXPECT_TRUE(dirs.listed.empty());
  EXPECT_EQ(list.Count(), 0);
}

// --- Recently used folders and their cache ------------------------------------------

class FolderLinksTest : public ScansTest {
 protected:
  void SetUp() override {
    folders.paths[folder_id::Recent] = "C:\\Recent\\";
    scans.flags.FoldersScanActive = true;
    dirs.AddFolder("D:\\Photos");
    dirs.AddFolder("D:\\Work");
    dirs.AddFile("D:\\Work\\plan.txt");
  }
};

TEST_F(FolderLinksTest, ListsLinksToExistingFoldersAndRecordsThem) {
  AddLink("C:\\Recent\\Photos 2009.01.lnk", "D:\\Photos");
  AddLink("C:\\Recent\\Work.lnk", "D:\\Work\\");
  AddLink("C:\\Recent\\plan.txt.lnk", "D:\\Work\\plan.txt");  // a file, not a folder
  AddLink("C:\\Recent\\Gone.lnk", "D:\\Gone");                // target missing
  AddLink("C:\\Recent\\Nothing.lnk", "");                     // no target at all
  dirs.AddFile("C:\\Recent\\Dangling.lnk");                   // does not resolve

  scans.ScanRecentFolderLinks(folder_id::Recent);

  const Entries expected{{"Photos 2009", "C:\\Recent\\Photos 2009.01.lnk"},
                         {"Work", "C:\\Recent\\Work.lnk"}};
  EXPECT_EQ(Listed(), expected);
  EXPECT_EQ(scans.FolderCache, (LineList{"Photos 2009", "C:\\Recent\\Photos 2009.01.lnk", "Work",
                                         "C:\\Recent\\Work.lnk"}));
}

TEST_F(FolderLinksTest, AnUnresolvedLinkThatIsItselfAFolderIsListedUnderItsName) {
  dirs.AddFolder("C:\\Recent\\Archive.2010.lnk");
  scans.ScanRecentFolderLinks(folder_id::Recent);
  EXPECT_EQ(Listed(), (Entries{{"Archive.2010", "C:\\Recent\\Archive.2010.lnk"}}));
  EXPECT_EQ(scans.FolderCache, (LineList{"Archive.2010", "C:\\Recent\\Archive.2010.lnk"}));
}

TEST_F(FolderLinksTest, OnlyLinksAreResolvedButEveryLaterEntryPumps) {
  AddLink("C:\\Recent\\Photos.LNK", "D:\\Photos");
  dirs.AddFile("C:\\Recent\\notes.txt");
  dirs.AddFolder("C:\\Recent\\Sub");
  dirs.AddFile("C:\\Recent\\Sub\\Inner.lnk");

  scans.ScanRecentFolderLinks(folder_id::Recent);

  EXPECT_EQ(links.resolved, std::vector<std::string>{"C:\\Recent\\Photos.LNK"});
  EXPECT_EQ(Listed(), (Entries{{"Photos", "C:\\Recent\\Photos.LNK"}}));
  EXPECT_EQ(pump.calls, 3) << "after Photos.LNK, notes.txt and Sub; not after the dot entries";
}

TEST_F(FolderLinksTest, OneRecordServesTheWholeScan) {
  // A resolution keeps the previous link's icon when the next link has none, so the
  // scan hands every link the same record.
  AddLink("C:\\Recent\\A.lnk", "D:\\Photos");
  dirs.AddFile("C:\\Recent\\B.lnk");
  struct RecordingReader : LinkReader {
    std::vector<const LinkInfo*> seen;
    bool ResolveLink(LinkInfo& info, const std::string&) override {
      seen.push_back(&info);
      return false;
    }
  } reader;
  ShellScans own{folders, reader, dirs, dirs, adder};
  own.flags.FoldersScanActive = true;
  own.ScanRecentFolderLinks(folder_id::Recent);
  ASSERT_EQ(reader.seen.size(), 2u);
  EXPECT_EQ(reader.seen[0], reader.seen[1]);
}

TEST_F(FolderLinksTest, ClearedFlagAfterResolutionKeepsTheLinkOutOfListAndCache) {
  AddLink("C:\\Recent\\A.lnk", "D:\\Photos");
  AddLink("C:\\Recent\\B.lnk", "D:\\Work");
  // A message box shown while B is read lets another selection run.
  links.onResolve = [&](const std::string& path) {
    if (path == "C:\\Recent\\B.lnk") scans.flags.ClearAll();
  };
  scans.ScanRecentFolderLinks(folder_id::Recent);
  EXPECT_EQ(Listed(), (Entries{{"A", "C:\\Recent\\A.lnk"}}));
  EXPECT_EQ(scans.FolderCache, (LineList{"A", "C:\\Recent\\A.lnk"}));
}

TEST_F(FolderLinksTest, InterruptedScanLeavesWhatItListedInTheCache) {
  for (char c = 'A'; c <= 'E'; ++c) {
    AddLink(std::string("C:\\Recent\\") + c + ".lnk", "D:\\Photos");
  }
  pump.hook = [&] {
    if (pump.calls == 2) scans.flags.ClearAll();
  };
  scans.ScanRecentFolderLinks(folder_id::Recent);
  EXPECT_EQ(Listed(), (Entries{{"A", "C:\\Recent\\A.lnk"}, {"B", "C:\\Recent\\B.lnk"}}));
  EXPECT_EQ(scans.FolderCache, (LineList{"A", "C:\\Recent\\A.lnk", "B", "C:\\Recent\\B.lnk"}));
  EXPECT_EQ(links.resolved.size(), 2u);
}

TEST_F(FolderLinksTest, ReplayListsTheCachedPairsWithoutResolvingOrFlags) {
  AddLink("C:\\Recent\\Photos.lnk", "D:\\Photos");
  AddLink("C:\\Recent\\Work.lnk", "D:\\Work");
  scans.ScanRecentFolderLinks(folder_id::Recent);
  const Entries first = Listed();
  ASSERT_EQ(first.size(), 2u);

  // A folder that turns up in Recent later in the run is not shown.
  AddLink("C:\\Recent\\Later.lnk", "D:\\Photos");
  const auto resolvedBefore = links.resolved.size();
  const auto listedBefore = dirs.listed.size();
  list.Clear();
  scans.flags.ClearAll();
  scans.ReplayFolderCache(scans.FolderCache);

  EXPECT_EQ(Listed(), first);
  EXPECT_EQ(links.resolved.size(), resolvedBefore);
  EXPECT_EQ(dirs.listed.size(), listedBefore);
  EXPECT_EQ(pump.calls, 2) << "the scan's own two pumps; the replay adds none below ten entries";
}

TEST_F(FolderLinksTest, ReplayOfAnOddCacheGivesTheLastCaptionAnEmptyTarget) {
  scans.ReplayFolderCache(LineList{"A", "C:\\A", "B"});
  EXPECT_EQ(Listed(), (Entries{{"A", "C:\\A"}, {"B", ""}}));
}

TEST_F(FolderLinksTest, ReplaySurvivesAHandlerThatGrowsTheCache) {
  for (int i = 0; i < 10; ++i) {
    scans.FolderCache.push_back("F" + std::to_string(i));
    scans.FolderCache.push_back("C:\\F" + std::to_string(i));
  }
  pump.hook = [&] {
    if (pump.calls == 1) scans.FolderCache.insert(scans.FolderCache.end(), 1000, "X");
  };
  scans.ReplayFolderCache(scans.FolderCache);
  ASSERT_EQ(list.Count(), 510);
  EXPECT_EQ(list.At(9).title, "F9");
  EXPECT_EQ(list.At(9).target, "C:\\F9");
}

TEST_F(FolderLinksTest, ReplayStopsWhenANestedSelectionTakesTheListOver) {
  for (int i = 0; i < 15; ++i) {
    scans.FolderCache.push_back("F" + std::to_string(i));
    scans.FolderCache.push_back("C:\\F" + std::to_string(i));
  }
  pump.hook = [&] {
    // What a nested selection does: a new filling of the list.
    adder.NextGeneration();
    list.Clear();
    list.Append("Nested", "n");
  };
  scans.ReplayFolderCache(scans.FolderCache);
  EXPECT_EQ(Listed(), (Entries{{"Nested", "n"}}));
}

TEST_F(FolderLinksTest, UnnamedRecentFolderEnumeratesNothing) {
  folders.paths.erase(folder_id::Recent);
  scans.ScanRecentFolderLinks(folder_id::Recent);
  EXPECT_TRUE(dirs.listed.empty());
  EXPECT_TRUE(scans.FolderCache.empty());
}

// --- Desktop and Quick Launch ---------------------------------------------------------

class PopularScanTest : public ScansTest {
 protected:
  void SetUp() override { scans.flags.PopularScanActive = true; }
};

TEST_F(PopularScanTest, ListsSubFoldersAndLinksWithoutEnteringFolders) {
  dirs.AddFile("C:\\Desk\\notes.txt");
  dirs.AddFolder("C:\\Desk\\Work");
  dirs.AddFile("C:\\Desk\\Work\\deep.lnk");
  dirs.AddFile("C:\\Desk\\Mail.App.LNK");
  dirs.AddFile("C:\\Desk\\.hidden.lnk");
  dirs.AddFolder("C:\\Desk\\.config");
  dirs.AddFolder("C:\\Desk\\v1.2");

  scans.ScanFolderLinks("C:\\Desk");

  EXPECT_EQ(Listed(), (Entries{{"Work", "C:\\Desk\\Work"},
                               {"Mail.App", "C:\\Desk\\Mail.App.LNK"},
                               {"v1", "C:\\Desk\\v1.2"}}));
  EXPECT_EQ(dirs.listed, std::vector<std::string>{"C:\\Desk\\*.*"});
  EXPECT_TRUE(links.resolved.empty()) << "desktop links are listed without reading them";
}

TEST_F(PopularScanTest, PumpsAndTestsBeforeEveryEntryTheFirstIncluded) {
  dirs.AddFile("C:\\Desk\\a.lnk");
  dirs.AddFile("C:\\Desk\\b.lnk");
  scans.ScanFolderLinks("C:\\Desk\\");
  EXPECT_EQ(pump.calls, 4);
  EXPECT_EQ(list.Count(), 2);

  list.Clear();
  pump.calls = 0;
  scans.flags.PopularScanActive = false;
  scans.ScanFolderLinks("C:\\Desk\\");
  EXPECT_EQ(pump.calls, 1);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PopularScanTest, NestedSelectionStopsTheScanAtTheNextEntry) {
  for (char c = 'a'; c <= 'z'; ++c) dirs.AddFile(std::string("C:\\Desk\\") + c + ".lnk");
  pump.hook = [&] {
    if (pump.calls == 5) scans.flags.ClearAll();
  };
  scans.ScanFolderLinks("C:\\Desk\\");
  // Pumps 3 and 4 came before a.lnk and b.lnk; the fifth stopped before c.lnk.
  EXPECT_EQ(testing::Titles(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(pump.calls, 5);
}

TEST_F(PopularScanTest, EmptyOrRelativeFolderEnumeratesNothing) {
  dirs.AddFile("Microsoft\\Internet Explorer\\Quick Launch\\x.lnk");
  scans.ScanFolderLinks("");
  scans.ScanFolderLinks("Microsoft\\Internet Explorer\\Quick Launch");
  scans.ScanFolderLinks("\\");
  EXPECT_TRUE(dirs.listed.empty());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(pump.calls, 0);
}

TEST_F(PopularScanTest, DriveRootAndUncFoldersAreScanned) {
  dirs.AddFile("E:\\top.lnk");
  dirs.AddFile("\\\\server\\share\\net.lnk");
  scans.ScanFolderLinks("E:\\");
  scans.ScanFolderLinks("\\\\server\\share");
  EXPECT_EQ(Listed(), (Entries{{"top", "E:\\top.lnk"}, {"net", "\\\\server\\share\\net.lnk"}}));
}

// --- Start menus -------------------------------------------------------------------------

class StartMenuTest : public ScansTest {
 protected:
  void SetUp() override { scans.flags.GetAllScanActive = true; }
  void Scan(const std::string& folder = "C:\\Menu") {
    scans.StartMenuDepth = 0;
    scans.ScanStartMenu(folder, "Uninstall");
  }
};

TEST_F(StartMenuTest, ListsProgramLinksAndLeavesUninstallersOut) {
  AddLink("C:\\Menu\\Foo 1.5.lnk", "C:\\Foo\\foo.exe");
  AddLink("C:\\Menu\\Uninstall Foo.lnk", "C:\\Foo\\foo.exe");
  AddLink("C:\\Menu\\Remove Foo.lnk", "C:\\Foo\\unins000.exe");
  AddLink("C:\\Menu\\Foo Safe.lnk", "C:\\Foo\\foo.exe", "-p");
  AddLink("C:\\Menu\\Via Launcher.lnk", "C:\\Tools\\launch.exe", "C:\\Bar\\bar.EXE");
  AddLink("C:\\Menu\\Manual.lnk", "C:\\Foo\\manual.pdf");
  AddLink("C:\\Menu\\Site.lnk", "");
  AddLink("C:\\Menu\\Old.lnk", "C:\\uninstalled\\old.exe");      // "unins" in a folder name
  AddLink("C:\\Menu\\uninstall lower.lnk", "C:\\Foo\\foo.exe");  // the word is case-sensitive
  dirs.AddFile("C:\\Menu\\tool.exe");
  dirs.AddFile("C:\\Menu\\desktop.ini");

  Scan();

  EXPECT_EQ(Listed(), (Entries{{"Foo 1", "C:\\Menu\\Foo 1.5.lnk"},
                               {"Via Launcher", "C:\\Menu\\Via Launcher.lnk"},
                               {"uninstall lower", "C:\\Menu\\uninstall lower.lnk"}}));
}

TEST_F(StartMenuTest, UnresolvedLinksAreListedUnderTheirFileNameUnlessUnins) {
  dirs.AddFile("C:\\Menu\\Broken 2.0.lnk");
  dirs.AddFile("C:\\Menu\\unins001.lnk");
  // The exclusion word only applies to links that resolve; "Uninstall" has no "unins".
  dirs.AddFile("C:\\Menu\\Uninstall Bar.lnk");

  Scan();

  EXPECT_EQ(Listed(), (Entries{{"Broken 2.0", "C:\\Menu\\Broken 2.0.lnk"},
                               {"Uninstall Bar", "C:\\Menu\\Uninstall Bar.lnk"}}));
}

TEST_F(StartMenuTest, SearchesSixFolderLevelsDownButNotSeven) {
  std::string folder = "C:\\Menu";
  for (int level = 1; level <= 8; ++level) {
    folder += "\\L" + std::to_string(level);
    AddLink(folder + "\\App" + std::to_string(level) + ".lnk", "C:\\App\\app.exe");
  }
  AddLink("C:\\Menu\\Top.lnk", "C:\\App\\app.exe");

  Scan();

  std::vector<std::string> titles = testing::Titles(list);
  std::sort(titles.begin(), titles.end());
  EXPECT_EQ(titles,
            (std::vector<std::string>{"App1", "App2", "App3", "App4", "App5", "App6", "Top"}));
  EXPECT_EQ(scans.StartMenuDepth, 0);
  EXPECT_EQ(
      std::count_if(dirs.listed.begin(), dirs.listed.end(),
                    [](const std::string& p) { return p.find("\\L7\\*.*") != std::string::npos; }),
      0);
}

TEST_F(StartMenuTest, BothStartMenusAreListedWithDuplicates) {
  AddLink("C:\\All\\Programs\\Editor.lnk", "C:\\Ed\\ed.exe");
  AddLink("C:\\User\\Programs\\Editor.lnk", "C:\\Ed\\ed.exe");
  Scan("C:\\All\\");
  Scan("C:\\User");
  EXPECT_EQ(Listed(), (Entries{{"Editor", "C:\\All\\Programs\\Editor.lnk"},
                               {"Editor", "C:\\User\\Programs\\Editor.lnk"}}));
}

TEST_F(StartMenuTest, EmptyExclusionWordExcludesNothing) {
  AddLink("C:\\Menu\\Editor.lnk", "C:\\Ed\\ed.exe");
  scans.ScanStartMenu("C:\\Menu", "");
  EXPECT_EQ(testing::Titles(list), std::vector<std::string>{"Editor"});
}

TEST_F(StartMenuTest, EmptyOrRelativeFolderEnumeratesNothing) {
  dirs.AddFile("\\Editor.lnk");
  Scan("");
  Scan("\\");
  Scan("Programs");
  EXPECT_TRUE(dirs.listed.empty());
  EXPECT_EQ(pump.calls, 0);
}

TEST_F(StartMenuTest, ClearedFlagStopsAtTheFirstEntry) {
  AddLink("C:\\Menu\\Editor.lnk", "C:\\Ed\\ed.exe");
  scans.flags.GetAllScanActive = false;
  Scan();
  EXPECT_EQ(pump.calls, 1);
  EXPECT_TRUE(links.resolved.empty());
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(StartMenuTest, ClearedFlagWhileALinkIsReadKeepsItOutAndStopsEveryLevel) {
  AddLink("C:\\Menu\\A\\Inner.lnk", "C:\\App\\app.exe");
  AddLink("C:\\Menu\\A\\Later.lnk", "C:\\App\\app.exe");
  AddLink("C:\\Menu\\Z.lnk", "C:\\App\\app.exe");
  links.onResolve = [&](const std::string& path) {
    if (path == "C:\\Menu\\A\\Inner.lnk") scans.flags.ClearAll();
  };
  Scan();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(links.resolved, std::vector<std::string>{"C:\\Menu\\A\\Inner.lnk"});
  EXPECT_EQ(scans.StartMenuDepth, 0);
}

TEST_F(StartMenuTest, ClearedFlagWhileAnUnresolvedLinkIsReadKeepsItOut) {
  dirs.AddFile("C:\\Menu\\Broken.lnk");
  links.onResolve = [&](const std::string&) { scans.flags.ClearAll(); };
  Scan();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(StartMenuTest, NestedSelectionRefillingTheListEndsBothScans) {
  for (int i = 0; i < 30; ++i) {
    AddLink("C:\\All\\Sub\\P" + std::to_string(100 + i) + ".lnk", "C:\\App\\app.exe");
  }
  AddLink("C:\\All\\Z.lnk", "C:\\App\\app.exe");
  AddLink("C:\\User\\Mine.lnk", "C:\\App\\app.exe");
  // Twenty pumps in, the user picks "Recent": the nested selection clears the flags,
  // empties the list and fills it with the recent documents.
  pump.hook = [&] {
    if (pump.calls != 20) return;
    scans.flags.ClearAll();
    list.Clear();
    list.Append("report", "C:\\Recent\\report.lnk");
  };
  Scan("C:\\All");
  const int pumpsAfterFirst = pump.calls;
  Scan("C:\\User");  // the interrupted dispatcher still starts the second half

  EXPECT_EQ(Listed(), (Entries{{"report", "C:\\Recent\\report.lnk"}}));
  EXPECT_EQ(pumpsAfterFirst, 21) << "the outer folder stops at its next entry after the inner one";
  EXPECT_EQ(pump.calls, 22) << "the second half stops at its first check point";
  EXPECT_EQ(links.resolved.size(), 13u) << "P100 to P112: listing the tenth entry pumped as well";
  EXPECT_EQ(scans.StartMenuDepth, 0);
}

// --- System tools --------------------------------------------------------------------------

class ToolSearchTest : public ScansTest {
 protected:
  void SetUp() override {
    folders.paths[folder_id::System] = "C:\\Windows\\system32\\";
    folders.paths[folder_id::Windows] = "C:\\Windows\\";
    folders.paths[folder_id::Programs] = "C:\\Menu\\Programs\\";
    dirs.AddFile("C:\\Windows\\system32\\notepad.exe");
    dirs.AddFile("C:\\Windows\\notepad.exe");
    dirs.AddFile("C:\\Windows\\REGEDIT.EXE");
    dirs.AddFile("C:\\Windows\\explorer.exe");
    dirs.AddFile("C:\\Menu\\Programs\\compmgmt.msc");
    scans.flags.WindowsScanActive = true;
  }
};

TEST_F(ToolSearchTest, FindsTheFirstFolderInOrderThatHoldsTheExactName) {
  EXPECT_EQ(scans.FindSystemTool("notepad.exe"), "C:\\Windows\\system32\\notepad.exe");
  EXPECT_EQ(scans.FindSystemTool("explorer.exe"), "C:\\Windows\\explorer.exe");
  EXPECT_EQ(scans.FindSystemTool("compmgmt.msc"), "C:\\Menu\\Programs\\compmgmt.msc");
  EXPECT_EQ(scans.FindSystemTool("regedit.exe"), "") << "names are compared case-sensitively";
  EXPECT_EQ(scans.FindSystemTool("taskmgr.exe"), "");
  EXPECT_EQ(pump.calls, 0);
}

TEST_F(ToolSearchTest, ToolFoldersAreFilledOnceInOrder) {
  (void)scans.FindSystemTool("explorer.exe");
  (void)scans.FindSystemTool("taskmgr.exe");
  EXPECT_EQ(scans.ToolFolders,
            (LineList{"C:\\Windows\\system32\\", "C:\\Windows\\", "C:\\Menu\\Programs\\"}));
  EXPECT_EQ(folders.calls, 3);
}

TEST_F(ToolSearchTest, UnnamedFoldersAreKeptButNeverSearched) {
  folders.paths.erase(folder_id::System);
  folders.paths.erase(folder_id::Programs);
  EXPECT_EQ(scans.FindSystemTool("notepad.exe"), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(scans.FindSystemTool("missing.exe"), "");
  EXPECT_EQ(scans.ToolFolders, (LineList{"", "C:\\Windows\\", ""}));
  EXPECT_EQ(folders.calls, 3);
  EXPECT_EQ(dirs.listed, (std::vector<std::string>{"C:\\Windows\\*.*", "C:\\Windows\\*.*"}));
}

TEST_F(ToolSearchTest, AFolderWithoutTrailingBackslashGetsOne) {
  scans.ToolFolders = {"C:\\Windows"};
  EXPECT_EQ(scans.FindSystemTool("explorer.exe"), "C:\\Windows\\explorer.exe");
  EXPECT_EQ(folders.calls, 0);
}

TEST_F(ToolSearchTest, ClearedFlagGivesNothingWithoutTouchingTheFolders) {
  scans.flags.WindowsScanActive = false;
  EXPECT_EQ(scans.FindSystemTool("notepad.exe"), "");
  EXPECT_TRUE(scans.ToolFolders.empty());
  EXPECT_TRUE(dirs.listed.empty());
}

TEST_F(ToolSearchTest, FlagClearedMidListingStopsAfterTheNextNonMatchingEntry) {
  dirs.AddFile("C:\\Windows\\system32\\calc.exe");
  dirs.onEntry = [&](const std::string&, const DirectoryEntry& entry) {
    if (entry.name == "notepad.exe") scans.flags.ClearAll();
  };
  // notepad.exe is a non-matching entry of system32; calc.exe after it is not reached
  // and the Windows folder is not searched.
  EXPECT_EQ(scans.FindSystemTool("calc.exe"), "");
  EXPECT_EQ(dirs.listed, std::vector<std::string>{"C:\\Windows\\system32\\*.*"});
}

TEST_F(ToolSearchTest, TheFirstEntryFoundIsNotACheckPoint) {
  dirs.withDotEntries = false;
  dirs.AddFile("C:\\Windows\\system32\\calc.exe");
  dirs.onEntry = [&](const std::string&, const DirectoryEntry& entry) {
    if (entry.name == "notepad.exe") scans.flags.ClearAll();
  };
  // notepad.exe is the folder's first entry: the flag is next tested after calc.exe.
  EXPECT_EQ(scans.FindSystemTool("calc.exe"), "C:\\Windows\\system32\\calc.exe");
}

}  // namespace
}  // namespace tessaly
