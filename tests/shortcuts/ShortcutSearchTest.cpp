// Type to find: what is searched, and in which order the matches come.

#include "shortcuts/ShortcutSearch.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

struct TierCase {
  const char* title;
  const char* fileName;
  const char* text;
  MatchTier tier;
};

class SearchTier : public ::testing::TestWithParam<TierCase> {};

TEST_P(SearchTier, TellsHowWellATitleOrFileNameMatches) {
  EXPECT_EQ(GetParam().tier, MatchTierOf(GetParam().title, GetParam().fileName, GetParam().text));
}

using enum MatchTier;

INSTANTIATE_TEST_SUITE_P(
    Matches, SearchTier,
    ::testing::Values(TierCase{"notepad", "notepad.exe", "notepad", Exact},
                      TierCase{"notepad", "notepad.exe", "note", TitleStart},
                      TierCase{"visual studio code", "code.exe", "stu", WordStart},
                      TierCase{"visual studio code", "code.exe", "cod", WordStart},
                      TierCase{"gimp (image editor)", "gimp.exe", "ima", WordStart},
                      TierCase{"my tool", "runner.exe", "run", WordStart},
                      TierCase{"visual studio code", "code.exe", "vsc", Initials},
                      TierCase{"visual studio code", "code.exe", "dio", Anywhere},
                      TierCase{"paint", "mspaint.exe", "spa", Anywhere},
                      TierCase{"paint", "mspaint.exe", "xyz", None},
                      TierCase{"paint", "mspaint.exe", "", None},
                      // One letter is a word start, never initials on their own.
                      TierCase{"visual studio code", "code.exe", "v", TitleStart}));

// One edit from a prefix of the title, of a word of it or of the file name, and
// only for texts of four letters or more.
INSTANTIATE_TEST_SUITE_P(
    OneEditAway, SearchTier,
    ::testing::Values(TierCase{"notepad", "notepad.exe", "notw", Near},       // wrong
                      TierCase{"notepad", "notepad.exe", "notpe", Near},      // swapped
                      TierCase{"notepad", "notepad.exe", "ontepad", Near},    // swapped first
                      TierCase{"notepad", "notepad.exe", "ntepad", Near},     // missing
                      TierCase{"notepad", "notepad.exe", "notteepad", None},  // two extra
                      TierCase{"notepad", "notepad.exe", "noteppad", Near},   // extra
                      TierCase{"notepad", "notepad.exe", "notepadd", Near},   // extra at the end
                      TierCase{"notepad", "notepad.exe", "xnote", Near},      // extra first
                      TierCase{"notepad", "notepad.exe", "xotepad", Near},    // first letter wrong
                      TierCase{"notepad", "notepad.exe", "nptepsd", None},    // two wrong
                      TierCase{"notepad", "notepad.exe", "nto", None},        // too short
                      TierCase{"notepad", "notepad.exe", "ntoe", Near},
                      TierCase{"visual studio code", "code.exe", "sutdio", Near},
                      TierCase{"visual studio code", "code.exe", "tudio", Anywhere},
                      // Inside a word is not a prefix of one.
                      TierCase{"visual studio code", "code.exe", "tudoi", None},
                      TierCase{"my tool", "runner.exe", "rnuner", Near},
                      TierCase{"my tool", "mspaint.exe", "painr", None},
                      // Bytes above 127 are compared as they are.
                      TierCase{"\xe9" "diteur", "ed.exe", "\xe9" "dtieur", Near},
                      TierCase{"\xe9" "diteur", "ed.exe", "\xc9" "diteur", Near}));

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


// What the user opened, as a table: each row a target launched `times` times, days
// ago, after typing text (empty: started from a category).
struct Opened {
  const char* target;
  const char* text;
  double daysAgo;
  int times = 1;
};

struct LearnCase {
  const char* name;
  std::vector<Opened> opened;  // oldest first
  const char* text;
  std::vector<std::string> titles;
};

class SearchLearns : public ::testing::TestWithParam<LearnCase> {
 protected:
  static constexpr UnixSeconds kNow = 1714571110;
  void SetUp() override {
    tree.AddTopLevel("Work");
    files.files[kShortcuts] = JoinLines(
        {"<[Work]>", "Note", "C:\\note.exe", "Notepad", "C:\\notepad.exe", "Notes",
         "C:\\notes.txt", "Nomad", "C:\\nomad.exe", "My Notebook", "C:\\nb.exe", "Keynote",
         "C:\\keynote.exe"});
    store.Load();
    search.Index(tree, store, latest);
  }
  std::vector<std::string> Titles(std::string_view text) {
    std::vector<std::string> titles;
    for (const auto& found : search.Find(text, history)) titles.push_back(found.title);
    return titles;
  }
  void Open(const Opened& opened) {
    for (int i = 0; i < opened.times; ++i) {
      now = kNow - static_cast<UnixSeconds>(opened.daysAgo * 86400);
      ASSERT_TRUE(history.Record(opened.target, opened.text));
    }
    now = kNow;
  }
  static inline const std::string kShortcuts = "C:\\Data\\Shortcuts.sts";
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kShortcuts};
  CategoryTree tree;
  LatestResults latest;
  ShortcutSearch search;
  UnixSeconds now = kNow;
  LaunchHistory history{files, "C:\\Data\\History.sts", [this] { return now; }};
};

TEST_P(SearchLearns, WithinATierOnly) {
  for (const Opened& opened : GetParam().opened) Open(opened);
  EXPECT_EQ(GetParam().titles, Titles(GetParam().text));
}

const std::vector<std::string> kPlainNote{"Note", "Notepad", "Notes", "My Notebook", "Keynote"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchLearns,
    ::testing::Values(
        LearnCase{"Nothing", {}, "note", kPlainNote},
        // Learning never lifts a shortcut over a better tier.
        LearnCase{"ExactTitleBeatsFiftyLaunches",
                  {{"C:\\notes.txt", "note", 0, 50}},
                  "note",
                  {"Note", "Notes", "Notepad", "My Notebook", "Keynote"}},
        LearnCase{"PrefixBeatsAHeavilyUsedAnywhereMatch",
                  {{"C:\\keynote.exe", "note", 0, 50}},
                  "note",
                  kPlainNote},
        // One pick is enough, even an old one, over launches without it.
        LearnCase{"OnePickTopsItsTier",
                  {{"C:\\notes.txt", "note", 300}, {"C:\\notepad.exe", "", 1, 10}},
                  "note",
                  {"Note", "Notes", "Notepad", "My Notebook", "Keynote"}},
        LearnCase{"APickAfterAShorterText",
                  {{"C:\\notes.txt", "n", 0}, {"C:\\notepad.exe", "", 0, 3}},
                  "not",
                  {"Notes", "Notepad", "Note", "My Notebook", "Keynote"}},
        LearnCase{"APickAfterALongerText",
                  {{"C:\\notes.txt", "notes", 0}, {"C:\\notepad.exe", "", 0, 3}},
                  "NOT",
                  {"Notes", "Notepad", "Note", "My Notebook", "Keynote"}},
        // "nota" neither extends "note" nor is extended by it: a launch like any other.
        LearnCase{"APickAfterAnotherTextIsOnlyALaunch",
                  {{"C:\\notes.txt", "nota", 0}, {"C:\\notepad.exe", "", 0, 3}},
                  "note",
                  {"Note", "Notepad", "Notes", "My Notebook", "Keynote"}},
        LearnCase{"TheLatestPickWins",
                  {{"C:\\notes.txt", "note", 0, 5}, {"C:\\notepad.exe", "not", 0}},
                  "note",
                  {"Note", "Notepad", "Notes", "My Notebook", "Keynote"}},
        // Nomad, picked last after "no", does not match "not": the pick before it counts.
        LearnCase{"TheLatestPickThatStillMatches",
                  {{"C:\\notes.txt", "no", 2}, {"C:\\nomad.exe", "no", 0, 9}},
                  "not",
                  {"Notes", "Note", "Notepad", "My Notebook", "Keynote"}},
        LearnCase{"MostUsedNext",
                  {{"C:\\notepad.exe", "", 60, 3}, {"C:\\notes.txt", "", 0}},
                  "not",
                  {"Notes", "Notepad", "Note", "My Notebook", "Keynote"}},
        // Two launches 30 days old weigh as much as one today: a day either side decides.
        LearnCase{"HalfLifeADayShort",
                  {{"C:\\notes.txt", "", 29, 2}, {"C:\\notepad.exe", "", 0}},
                  "not",
                  {"Notes", "Notepad", "Note", "My Notebook", "Keynote"}},
        LearnCase{"HalfLifeADayOver",
                  {{"C:\\notes.txt", "", 31, 2}, {"C:\\notepad.exe", "", 0}},
                  "not",
                  {"Notepad", "Notes", "Note", "My Notebook", "Keynote"}},
        // Targets are told apart without case; gone ones weigh nothing.
        LearnCase{"TargetsWithoutCaseAndGoneOnes",
                  {{"C:\\NOTES.TXT", "", 0}, {"C:\\gone.exe", "note", 0, 5}},
                  "not",
                  {"Notes", "Note", "Notepad", "My Notebook", "Keynote"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SearchLearns, LearningOffRanksAsWithoutAHistory) {
  Open({"C:\\notes.txt", "note", 0, 5});
  Open({"C:\\keynote.exe", "", 0, 5});
  history.SetLearning(false);
  EXPECT_EQ(kPlainNote, Titles("note"));
  EXPECT_TRUE(search.Recent(history).empty());
}

TEST_F(SearchLearns, AnEmptySearchShowsTheLatestOpenedThatAreStillThere) {
  EXPECT_TRUE(search.Recent(history).empty());
  for (const char* target : {"C:\\notes.txt", "C:\\gone.exe", "C:\\keynote.exe",
                             "C:\\NOTES.TXT", "C:\\nomad.exe"}) {
    Open({target, "", 0});
  }
  std::vector<std::string> titles;
  for (const auto& found : search.Recent(history)) titles.push_back(found.title);
  EXPECT_EQ((std::vector<std::string>{"Nomad", "Notes", "Keynote"}), titles);
  ASSERT_EQ(2u, search.Recent(history, 2).size());
  EXPECT_EQ((Shortcut{"Notes", "C:\\notes.txt"}), search.Recent(history, 2)[1]);

  // Never more than twenty.
  LineList many{"<[Work]>"};
  for (int i = 0; i < 30; ++i) {
    many.push_back("Tool " + std::to_string(i));
    many.push_back("C:\\t" + std::to_string(i) + ".exe");
    Open({many.back().c_str(), "", 0});
  }
  files.files[kShortcuts] = JoinLines(many);
  store.Load();
  search.Index(tree, store, latest);
  const auto recent = search.Recent(history);
  ASSERT_EQ(ShortcutSearch::kRecentCount, recent.size());
  EXPECT_EQ("Tool 29", recent.front().title);
  EXPECT_EQ("Tool 10", recent.back().title);
}

}  // namespace
}  // namespace tessaly
