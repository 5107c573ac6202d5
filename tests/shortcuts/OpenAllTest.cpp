// Open all: each shortcut of a category opened as Open opens one, in list order; the
// question above five; the missing ones named together at the end; and what a
// category lists when its list is not at hand.

#include <gtest/gtest.h>

#include "shortcuts/OpenAll.h"
#include "store/CategoryStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;
using Calls = std::vector<std::string>;

struct OpenAllTest : ::testing::Test {
  RecordingMessageBoxes boxes;
  FakeLinkReader links;
  FakeDirectories dirs;
  FakeLauncher launcher;

  OpenAllOutcome Open(const Shortcuts& entries) {
    return OpenAllShortcuts("Tools", entries, links, dirs, launcher, boxes);
  }
};

TEST_F(OpenAllTest, OpensEachInListOrderAsOpenDoesAndNamesTheMissingOnesAtTheEnd) {
  dirs.AddFile("C:\\Tools\\app.exe");
  dirs.AddFile("C:\\Docs\\notes.txt");
  dirs.AddFile("C:\\Links\\app.lnk");
  dirs.AddFile("C:\\Links\\stale.lnk");
  dirs.AddFolder("C:\\Docs\\");
  links.links["C:\\Links\\app.lnk"] = {"C:\\Tools\\app.exe", "-x \"two words\""};
  links.links["C:\\Links\\stale.lnk"] = {"C:\\Gone\\old.exe", ""};

  const OpenAllOutcome outcome = Open({{"App", "C:\\Links\\app.lnk"},
                                       {"Lost", "C:\\Lost\\file.txt"},
                                       {"Notes", "C:\\Docs\\notes.txt"},
                                       {"Run", "win+r"},
                                       {"Stale", "C:\\Links\\stale.lnk"}});
  EXPECT_EQ(
      (Calls{"open C:\\Tools\\app.exe | -x \"two words\"", "open C:\\Docs\\notes.txt", "keys"}),
      launcher.Calls());
  EXPECT_EQ(3, outcome.opened);
  EXPECT_EQ((Calls{"Lost", "Stale"}), outcome.missing);
  EXPECT_EQ(
      (Calls{"Information: 2 of the 5 shortcuts of Tools were not opened, because what they "
             "point to does not exist:\n\nLost: 'C:\\Lost\\file.txt'\nStale: 'C:\\Gone\\old.exe'"}),
      boxes.shown);
}

TEST_F(OpenAllTest, AsksFirstAboveFiveAndOpensNothingOnNo) {
  Shortcuts six;
  for (int i = 0; i < 6; ++i) {
    const std::string path = "C:\\T\\" + std::to_string(i) + ".exe";
    dirs.AddFile(path);
    six.push_back({"T" + std::to_string(i), path});
  }
  boxes.confirmAnswers = {false};
  EXPECT_TRUE(Open(six).declined);
  EXPECT_EQ((Calls{"Confirm: Do you want to open all 6 shortcuts of Tools ?"}), boxes.shown);
  EXPECT_TRUE(launcher.Calls().empty());

  boxes.shown.clear();
  EXPECT_EQ(6, Open(six).opened);
  EXPECT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("open C:\\T\\5.exe", launcher.Calls().back());

  // Five open without a question.
  boxes.shown.clear();
  launcher.Clear();
  six.resize(5);
  EXPECT_EQ(5, Open(six).opened);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OpenAllTest, AnEmptyCategorySaysSo) {
  Open({});
  EXPECT_EQ((Calls{"Information: Tools has no shortcuts to open."}), boxes.shown);
  EXPECT_TRUE(launcher.Calls().empty());
}

struct ShownEntriesTest : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, "C:\\D\\Shortcuts.sts"};
  CategoryTree tree;
  LatestResults latest;

  ShownEntriesTest() {
    LoadCategoryTree(tree, {"Programs ;00", "    Get All ;013", "Recent ;02", "Popular ;016",
                            "Work ;015", "    Tools ;00"});
    files.files["C:\\D\\Shortcuts.sts"] =
        "<[Programs][Get All]>\r\nOld\r\nC:\\old.exe\r\n<[Popular]>\r\nDesk\r\nC:\\desk.lnk\r\n"
        "<[Work][Tools]>\r\nB\r\nC:\\b.exe\r\nA\r\nC:\\a.exe\r\n";
    EXPECT_EQ(ReadStatus::Read, store.Load().status);
  }
  const CategoryNode& At(int index) { return *tree.NodeAt(index); }
};

TEST_F(ShownEntriesTest, TheStoredSectionWinsExceptForGetAll) {
  latest["Get All"] = {{"New", "C:\\new.exe"}};
  latest["Popular"] = {{"Scanned", "C:\\scanned.lnk"}};
  EXPECT_EQ((Shortcuts{{"B", "C:\\b.exe"}, {"A", "C:\\a.exe"}}), ShownEntries(At(5), store, latest));
  EXPECT_EQ((Shortcuts{{"Desk", "C:\\desk.lnk"}}), ShownEntries(At(3), store, latest));
  EXPECT_EQ((Shortcuts{{"New", "C:\\new.exe"}}), ShownEntries(At(1), store, latest));
}

TEST_F(ShownEntriesTest, AComputedCategoryNotYetFilledHasNoEntriesToTell) {
  EXPECT_EQ(std::nullopt, ShownEntries(At(1), store, latest));
  EXPECT_EQ(std::nullopt, ShownEntries(At(2), store, latest));
  latest["Recent"] = {{"Doc", "C:\\doc.txt"}};
  EXPECT_EQ((Shortcuts{{"Doc", "C:\\doc.txt"}}), ShownEntries(At(2), store, latest));
  // An ordinary category without a section lists nothing.
  EXPECT_EQ(Shortcuts{}, ShownEntries(At(4), store, latest));
}

}  // namespace
}  // namespace tessaly
