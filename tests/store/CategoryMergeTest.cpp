// The category tree merged with what another program wrote to Categories.sts: each
// command of the user's is made to the tree the file holds now.

#include "store/CategoryMerge.h"

#include <gtest/gtest.h>

#include <functional>

#include "store/CategoryStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

const LineList kBase = {"Programs ;01",  "    Get All ;02", "    Office ;03", "Popular ;04",
                        "Work ;015",     "    Tools ;015",  "    Docs ;015",  "Trash ;020"};
// They renamed Office, gave Docs another icon, added Reports under Work and Hand
// before Trash.
const LineList kTheirs = {"Programs ;01",    "    Get All ;02",  "    Office 365 ;03", "Popular ;04",
                          "Work ;015",       "    Tools ;015",   "    Docs ;113,C:\\d.exe",
                          "    Reports ;015", "Hand ;015",       "Trash ;020"};

void Read(CategoryTree& tree, const LineList& lines) {
  tree.clear();
  LoadCategoryTree(tree, lines);
}

CategoryNode& At(const CategoryTree& tree, std::vector<std::string> path) {
  CategoryNode* node = tree.FindPath(path);
  if (node == nullptr) throw std::logic_error("no such category");
  return *node;
}

using Command = std::function<void(CategoryTree&)>;

// What the merge makes of the user's command and another writer's file.
struct Merged {
  LineList lines;
  std::vector<std::string> conflicts;
};

Merged Merge(const LineList& base, const LineList& theirs, const Command& command) {
  CategoryTree mine;
  Read(mine, base);
  const TreeSnapshot snapshot = TreeSnapshot::Of(mine);
  command(mine);
  CategoryTree disk;
  Read(disk, theirs);
  Merged merged;
  merged.conflicts = MergeTreeChanges(snapshot, mine, disk);
  merged.lines = SaveCategoryTree(disk);
  return merged;
}

LineList RunOn(const LineList& lines, const Command& command) {
  CategoryTree tree;
  Read(tree, lines);
  command(tree);
  return SaveCategoryTree(tree);
}

TEST(CategoryMerge, EveryCommandIsMadeToTheirTreeAndKeepsTheirChanges) {
  const struct {
    const char* what;
    Command command;
  } commands[] = {
      {"add", [](CategoryTree& t) { t.AddChild(At(t, {"Work"}), "New").imageIndex = 15; }},
      {"insert", [](CategoryTree& t) { t.InsertBefore(At(t, {"Work", "Tools"}), "Ins").imageIndex = 15; }},
      {"insert at the top level", [](CategoryTree& t) { t.InsertBefore(At(t, {"Trash"}), "Top"); }},
      {"rename", [](CategoryTree& t) { At(t, {"Work", "Tools"}).name = "Kit"; }},
      {"new icon", [](CategoryTree& t) { At(t, {"Work", "Tools"}).iconText = "113,C:\\x.exe"; }},
      {"move into another", [](CategoryTree& t) { t.MoveToLastChild(At(t, {"Work", "Tools"}), At(t, {"Popular"})); }},
      {"move before a sibling", [](CategoryTree& t) { t.MoveBefore(At(t, {"Work", "Docs"}), At(t, {"Work", "Tools"})); }},
      {"move with its branch",
       [](CategoryTree& t) {
         t.AddChild(At(t, {"Work", "Tools"}), "Deep");
         t.MoveToLastChild(At(t, {"Work", "Tools"}), At(t, {"Trash"}));
       }},
      {"delete", [](CategoryTree& t) { t.Remove(At(t, {"Work", "Tools"})); }},
      {"delete a branch", [](CategoryTree& t) { t.Remove(At(t, {"Popular"})); }},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.what);
    const Merged merged = Merge(kBase, kTheirs, c.command);
    EXPECT_EQ(RunOn(kTheirs, c.command), merged.lines);
    EXPECT_TRUE(merged.conflicts.empty());
  }
  // Nothing changed on the user's side: their tree as it is.
  EXPECT_EQ(kTheirs, Merge(kBase, kTheirs, [](CategoryTree&) {}).lines);
}

TEST(CategoryMerge, TheSameCategoryChangedOnBothSidesIsTheUsersAndSaidSo) {
  // They gave Docs another icon; the user too.
  Merged merged = Merge(kBase, kTheirs, [](CategoryTree& t) { At(t, {"Work", "Docs"}).iconText = "0 7"; });
  EXPECT_EQ(RunOn(kTheirs, [](CategoryTree& t) { At(t, {"Work", "Docs"}).iconText = "0 7"; }), merged.lines);
  EXPECT_EQ(std::vector<std::string>{"[Work][Docs]"}, merged.conflicts);

  // They renamed Office; the user named it otherwise: the user's stands beside theirs.
  merged = Merge(kBase, kTheirs, [](CategoryTree& t) { At(t, {"Programs", "Office"}).name = "Suite"; });
  EXPECT_EQ((LineList{"Programs ;01", "    Get All ;02", "    Office 365 ;03", "    Suite ;03", "Popular ;04",
                      "Work ;015", "    Tools ;015", "    Docs ;113,C:\\d.exe", "    Reports ;015", "Hand ;015",
                      "Trash ;020"}),
            merged.lines);
  EXPECT_EQ(std::vector<std::string>{"[Programs][Office]"}, merged.conflicts);

  // The user deleted Work, into which they had put Reports: it goes, and that is said.
  merged = Merge(kBase, kTheirs, [](CategoryTree& t) { t.Remove(At(t, {"Work"})); });
  EXPECT_EQ((LineList{"Programs ;01", "    Get All ;02", "    Office 365 ;03", "Popular ;04", "Hand ;015",
                      "Trash ;020"}),
            merged.lines);
  EXPECT_EQ(std::vector<std::string>{"[Work]"}, merged.conflicts);

  // The user added into Office, which they renamed away: Office is made again for it.
  merged = Merge(kBase, kTheirs, [](CategoryTree& t) { t.AddChild(At(t, {"Programs", "Office"}), "Mail"); });
  EXPECT_NE(nullptr, [&] {
    CategoryTree tree;
    Read(tree, merged.lines);
    return tree.FindPath({"Programs", "Office", "Mail"});
  }());
  EXPECT_EQ(std::vector<std::string>{"[Programs][Office]"}, merged.conflicts);
}

TEST(CategoryMerge, WhatOnlyTheyChangedOrBothMadeAlikeIsNoConflict) {
  // Both made Games at the top level: one category.
  Merged merged = Merge(kBase, {"Games ;015", "Work ;015"}, [](CategoryTree& t) {
    t.InsertBefore(At(t, {"Work"}), "Games").imageIndex = 15;
  });
  EXPECT_EQ((LineList{"Games ;015", "Work ;015"}), merged.lines);
  EXPECT_TRUE(merged.conflicts.empty());

  // They deleted Office; the user renamed Tools: Office stays deleted.
  LineList theirs = kBase;
  theirs.erase(theirs.begin() + 2);
  merged = Merge(kBase, theirs, [](CategoryTree& t) { At(t, {"Work", "Tools"}).name = "Kit"; });
  EXPECT_EQ(RunOn(theirs, [](CategoryTree& t) { At(t, {"Work", "Tools"}).name = "Kit"; }), merged.lines);
  EXPECT_TRUE(merged.conflicts.empty());

  // They moved Popular into Work, the user renamed Popular's child: categories are
  // known by their paths, so to the merge theirs is a new Popular, and the user's
  // rename stands where the user made it. Both are kept, and that is said.
  merged = Merge({"Popular ;04", "    Desk ;01", "Work ;015"}, {"Work ;015", "    Popular ;04", "        Desk ;01"},
                 [](CategoryTree& t) { At(t, {"Popular", "Desk"}).name = "Desktop"; });
  EXPECT_EQ((LineList{"Popular ;04", "    Desktop ;01", "Work ;015", "    Popular ;04", "        Desk ;01"}),
            merged.lines);
  EXPECT_FALSE(merged.conflicts.empty());
}

TEST(CategoryMerge, SeveralChangesNotYetWrittenAreAllMade) {
  const Command commands = [](CategoryTree& t) {
    CategoryNode& made = t.AddChild(At(t, {"Work"}), "New");
    t.AddChild(made, "Inside");
    At(t, {"Work", "Tools"}).name = "Kit";
    t.MoveBefore(At(t, {"Work", "Kit"}), At(t, {"Work"}));
    t.Remove(At(t, {"Popular"}));
  };
  const Merged merged = Merge(kBase, kTheirs, commands);
  EXPECT_EQ(RunOn(kTheirs, commands), merged.lines);
  EXPECT_TRUE(merged.conflicts.empty());
}

TEST(CategoryMerge, ReconcilingKeepsEveryNodeWhosePathStays) {
  CategoryTree tree;
  Read(tree, kBase);
  CategoryNode& tools = At(tree, {"Work", "Tools"});
  CategoryNode& work = At(tree, {"Work"});
  tools.imageIndex = 42;  // as the window found it for its icon
  CategoryTree target;
  Read(target, kTheirs);
  const auto map = ReconcileTree(tree, target);

  EXPECT_EQ(kTheirs, SaveCategoryTree(tree));
  EXPECT_EQ(&tools, tree.FindPath({"Work", "Tools"}));
  EXPECT_EQ(&work, tree.FindPath({"Work"}));
  EXPECT_EQ(42, tools.imageIndex);
  EXPECT_EQ(nullptr, tree.FindPath({"Programs", "Office"}));
  EXPECT_EQ(0, At(tree, {"Work", "Docs"}).imageIndex);  // a new icon is looked up again
  EXPECT_EQ(&tools, map.at(&At(target, {"Work", "Tools"})));
  EXPECT_EQ(static_cast<std::size_t>(target.Count()), map.size());
}

}  // namespace
}  // namespace tessaly
