#include <gtest/gtest.h>

#include "base/Text.h"
#include "store/CategoryStore.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;

// The tree as "name|icon text" lines with four dots per level, "-" for no icon text.
LineList Describe(const CategoryTree& tree) {
  LineList lines;
  tree.ForEach([&](CategoryNode& node) {
    lines.push_back(std::string(static_cast<std::size_t>(node.level()) * 4, '.') + node.name + "|" +
                    node.iconText.value_or("-"));
  });
  return lines;
}

LineList Read(const LineList& lines, CategoryLoadReport* report = nullptr) {
  CategoryTree tree;
  const CategoryLoadReport r = LoadCategoryTree(tree, lines);
  if (report != nullptr) *report = r;
  return Describe(tree);
}

TEST(CategoryStoreTest, WritesIconTextOrTheShownImage) {
  CategoryTree tree;
  CategoryNode& work = tree.AddTopLevel("Work");
  work.imageIndex = 15;
  CategoryNode& tools = tree.AddChild(work, "Tools");
  tools.iconText = "113,C:\\x.exe";
  tools.imageIndex = 4;
  tree.AddChild(tools, "Deep").iconText = "";
  EXPECT_EQ(SaveCategoryTree(tree),
            (LineList{"Work ;015", "    Tools ;113,C:\\x.exe", "        Deep ;"}));
}

TEST(CategoryStoreTest, ReadingBackGivesTheSameTreeAndTheSameLines) {
  const LineList file = {"Work ;015", "    Tools ;113,C:\\x.exe", "Trash ;07"};
  CategoryTree tree;
  LoadCategoryTree(tree, file);
  EXPECT_EQ(Describe(tree), (LineList{"Work|015", "....Tools|113,C:\\x.exe", "Trash|07"}));
  EXPECT_EQ(SaveCategoryTree(tree), file);
}

TEST(CategoryStoreTest, IndentationRules) {
  struct Case {
    const char* what;
    LineList file;
    LineList tree;
  };
  const Case cases[] = {
      {"first line indented by blanks and tabs",
       {" \t \tTop ;01", "\tTabbed ;02"},
       {"Top|01", "\tTabbed|02"}},
      {"three blanks are level 0, six level 1",
       {"A ;0", "   B ;0", "      C ;0"},
       {"A|0", "B|0", "....C|0"}},
      {"back to level 0 and 1 after level 2",
       {"A ;0", "    B ;0", "        C ;0", "    D ;0", "E ;0", "    F ;0", "        G ;0",
        "F2 ;0"},
       {"A|0", "....B|0", "........C|0", "....D|0", "E|0", "....F|0", "........G|0", "F2|0"}},
      {"a skipped level after a top-level node", {"A ;0", "        B ;0"}, {"A|0", "B|0"}},
      {"a skipped level deeper down",
       {"A ;0", "    B ;0", "                C ;0"},
       {"A|0", "....B|0", "C|0"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.file), c.tree) << c.what;
}

TEST(CategoryStoreTest, NameAndIconTextSplitAtTheFirstSeparator) {
  EXPECT_EQ(Read({"A ;b ;c", "    Plain", "    Semi;colon ;03", "    Empty ;"}),
            (LineList{"A|b ;c", "....Plain|-", "....Semi;colon|03", "....Empty|"}));

  // A name holding " ;" does not survive the trip: its tail becomes the icon text.
  CategoryTree tree;
  tree.AddTopLevel("Odd ;name").imageIndex = 2;
  EXPECT_EQ(Read(SaveCategoryTree(tree)), (LineList{"Odd|name ;02"}));
}

// Mended: only the start of the first line is trimmed; what ends it is the icon text's.
TEST(CategoryStoreTest, FirstLineKeepsWhatEndsIt) {
  EXPECT_EQ(Read({" \tWork ;1,C:\\x y.exe \t", "    Tools\t"}),
            (LineList{"Work|1,C:\\x y.exe \t", "....Tools\t|-"}));
  EXPECT_EQ(Read({"\x01Plain  "}), (LineList{"Plain  |-"}));
}

// Mended: a name that ends in half a double-byte character swallowed the blank of the
// written " ;", and the line grew at every close.
TEST(CategoryStoreTest, NameEndingInHalfACharacterReadsBackTheSameAfterOneWrite) {
  SetLeadByteTest([](unsigned char c) { return c == 0x81; });
  CategoryTree tree;
  LoadCategoryTree(tree, {"Top\x81", "    Kid ;0\x81", "    \x81"});
  EXPECT_EQ(Describe(tree), (LineList{"Top\x81 |-", "....Kid|0\x81", "....\x81 |-"}));
  tree.AddTopLevel("Made\x81\x81\x81").iconText = "05";
  const LineList written = SaveCategoryTree(tree);
  EXPECT_EQ(written, (LineList{"Top\x81  ;00", "    Kid ;0\x81", "    \x81  ;00", "Made\x81\x81\x81  ;05"}));
  CategoryTree again;
  LoadCategoryTree(again, written);
  EXPECT_EQ(SaveCategoryTree(again), written);
  SetLeadByteTest(nullptr);
}

TEST(CategoryStoreTest, LineWithoutSeparatorIsWrittenBackWithItsImage) {
  CategoryTree tree;
  LoadCategoryTree(tree, {"Plain"});
  tree.roots()[0]->imageIndex = 9;
  EXPECT_EQ(SaveCategoryTree(tree), (LineList{"Plain ;09"}));
}

// Mended: a stray blank line must not drop the categories after it, which would be
// lost for good at the next close.
TEST(CategoryStoreTest, BlankLinesAnywhereAreSkippedAndReadingGoesOn) {
  CategoryLoadReport report;
  EXPECT_EQ(Read({"", "   ", "A ;0", "    B ;0", "", "        ", "    C ;0", "D ;0", ""}, &report),
            (LineList{"A|0", "....B|0", "....C|0", "D|0"}));
  EXPECT_EQ(report.nodesRead, 4);
  EXPECT_EQ(report.blankLinesSkipped, 5);

  EXPECT_EQ(Read({}, &report), LineList{});
  EXPECT_EQ(report.nodesRead, 0);
}

TEST(CategoryStoreTest, WrittenOrderIsTheAbsoluteOrder) {
  CategoryTree tree;
  LoadCategoryTree(tree, {"A ;0", "    B ;0", "        C ;0", "    D ;0", "E ;0"});
  const LineList lines = SaveCategoryTree(tree);
  ASSERT_EQ(static_cast<int>(lines.size()), tree.Count());
  for (int i = 0; i < tree.Count(); ++i) {
    EXPECT_EQ(lines[static_cast<std::size_t>(i)], WriteCategoryLine(*tree.NodeAt(i)));
  }
}

TEST(CategoryStoreTest, FileRoundTripIsByteForByteWithCrLf) {
  const std::string crlf =
      "Work ;015\r\n    Tools ;113,C:\\x.exe\r\n        \xC4pfel ;1\r\nTrash ;07\r\n";
  std::string lf = crlf;
  std::string cr = crlf;
  for (std::string* s : {&lf, &cr}) {
    for (std::size_t p = s->find("\r\n"); p != std::string::npos; p = s->find("\r\n", p)) {
      s->replace(p, 2, s == &lf ? "\n" : "\r");
    }
  }
  for (const std::string& input : {crlf, lf, cr}) {
    FakeFileStore files;
    files.files["C:\\Categories.sts"] = input;
    CategoryFile file(files, "C:\\Categories.sts");
    ASSERT_TRUE(file.Exists());
    CategoryTree tree;
    CategoryLoadReport report;
    EXPECT_EQ(file.Load(tree, &report).status, ReadStatus::Read);
    EXPECT_EQ(report.nodesRead, 4);
    ASSERT_TRUE(file.Save(tree));
    EXPECT_EQ(files.files.at("C:\\Categories.sts"), crlf);
  }
}

TEST(CategoryStoreTest, FailedSaveLeavesTheFileAndSaysWhy) {
  FakeFileStore files;
  files.files["C:\\Categories.sts"] = "Old ;0\r\n";
  files.failingPaths.insert("C:\\Categories.sts");
  CategoryFile file(files, "C:\\Categories.sts");
  CategoryTree tree;
  tree.AddTopLevel("New");
  const WriteResult result = file.Save(tree);
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(files.files.at("C:\\Categories.sts"), "Old ;0\r\n");
}

}  // namespace
}  // namespace tessaly
