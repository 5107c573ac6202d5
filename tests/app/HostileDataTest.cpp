// Hostile content in each data file, through a whole run of the program's data: the
// start, a Sort that saves a category, the close. Whatever the file held is still there
// afterwards; only line ends become CR LF.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/Session.h"
#include "shell/ListEntries.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

enum class Hostile { Garbage, MegabyteLine, NulBytes, LoneCr };

std::string HostileBytes(Hostile kind) {
  switch (kind) {
    case Hostile::Garbage: {
      // Every byte value, in an order that no format would produce.
      std::string bytes(65536, '\0');
      unsigned state = 12345;
      for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
      }
      return bytes;
    }
    case Hostile::MegabyteLine:
      return std::string(1 << 20, 'x') + " ;01\r\n";
    case Hostile::NulBytes:
      return std::string("Nul") + '\0' + "in the middle ;0\r\n" + '\0' + "\r\nC:\\" + '\0' + ".exe\r\n";
    case Hostile::LoneCr:
      break;
  }
  return "Lone\rCR ;0\rtitle\rC:\\t.exe\r";
}

struct Case {
  const char* file;
  Hostile kind;
};

std::string CaseName(const Case& c) {
  static const char* const kKinds[] = {"Garbage", "MegabyteLine", "NulBytes", "LoneCr"};
  const std::string file = c.file;
  return file.substr(0, file.find('.')) + kKinds[static_cast<int>(c.kind)];
}

void PrintTo(const Case& c, std::ostream* os) { *os << CaseName(c); }

// True when every line of before stands in after, in the same order.
bool KeepsEveryLine(const LineList& before, const LineList& after) {
  auto at = after.begin();
  for (const std::string& line : before) {
    at = std::find(at, after.end(), line);
    if (at == after.end()) return false;
    ++at;
  }
  return true;
}

// "level name|icon" per category read from the file; a category without an icon text
// is written with the image it shows, as it is to be.
LineList Names(const std::string& file) {
  CategoryTree tree;
  LoadCategoryTree(tree, SplitLines(file));
  LineList names;
  tree.ForEach([&](CategoryNode& node) {
    names.push_back(std::to_string(node.level()) + node.name + "|" + node.iconText.value_or("0" + std::to_string(node.imageIndex)));
  });
  return names;
}

class HostileData : public ::testing::TestWithParam<Case> {
 protected:
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  std::map<std::string, std::string> found = {
      {"Categories.sts", "Work ;015\r\nTrash ;020\r\n"},
      {"Shortcuts.sts", "<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\n<[Trash]>\r\n"},
      {"Settings.sts", "[View]\r\nList\r\n"}};
};

TEST_P(HostileData, RunKeepsEverythingTheFileHeld) {
  found[GetParam().file] += HostileBytes(GetParam().kind);
  for (const auto& [name, bytes] : found) files.files["C:\\D\\" + name] = bytes;

  Session session(files, boxes, "C:\\D");
  ASSERT_TRUE(session.Open());
  ASSERT_TRUE(session.LoadTree());
  session.InitialSelection();
  CategoryNode* work = session.tree().NodeAt(0);
  ASSERT_NE(nullptr, work);
  ASSERT_EQ("Work", work->name);

  // Sort in Work: its section is saved, the rest of the file must come through.
  ShortcutList list(testing::WordOrder);
  const auto stored = session.shortcuts().SectionEntries(*work);
  ASSERT_TRUE(stored);
  list.ShowCategory(*work, *stored);
  list.SortByTitle({});
  session.shortcuts().SaveCategorySection(*work, list.entries());
  ASSERT_TRUE(session.Close(work));

  const std::string shortcuts = files.files["C:\\D\\Shortcuts.sts"];
  EXPECT_EQ(0u, shortcuts.find("<[Work]>\r\nAlpha\r\nC:\\a.exe\r\nZed\r\nC:\\z.exe\r\n<[Trash]>\r\n"));
  LineList before = SplitLines(found["Shortcuts.sts"]);
  std::swap(before[1], before[3]);
  std::swap(before[2], before[4]);
  EXPECT_TRUE(KeepsEveryLine(before, SplitLines(shortcuts)));
  EXPECT_TRUE(KeepsEveryLine(SplitLines(found["Settings.sts"]),
                             SplitLines(files.files["C:\\D\\Settings.sts"])));
  EXPECT_EQ(Names(found["Categories.sts"]), Names(files.files["C:\\D\\Categories.sts"]));
  for (const auto& [path, bytes] : files.FilesIn("C:\\D\\")) {
    EXPECT_TRUE(bytes.empty() || (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0))
        << path << " ends in CR LF";
  }
  // Before its first write each file was copied aside as it was found, byte for byte.
  for (const auto& [name, bytes] : files.FilesIn("C:\\D\\Backup\\")) {
    const std::string file = name.substr(0, name.find(' ')) + ".sts";
    EXPECT_EQ(found[file], bytes) << name;
  }
  EXPECT_EQ(3u, files.FilesIn("C:\\D\\Backup\\").size());
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, HostileData,
    ::testing::Values(Case{"Categories.sts", Hostile::Garbage}, Case{"Categories.sts", Hostile::MegabyteLine},
                      Case{"Categories.sts", Hostile::NulBytes}, Case{"Categories.sts", Hostile::LoneCr},
                      Case{"Shortcuts.sts", Hostile::Garbage}, Case{"Shortcuts.sts", Hostile::MegabyteLine},
                      Case{"Shortcuts.sts", Hostile::NulBytes}, Case{"Shortcuts.sts", Hostile::LoneCr},
                      Case{"Settings.sts", Hostile::Garbage}, Case{"Settings.sts", Hostile::MegabyteLine},
                      Case{"Settings.sts", Hostile::NulBytes}, Case{"Settings.sts", Hostile::LoneCr}),
    [](const auto& testInfo) { return CaseName(testInfo.param); });

}  // namespace
}  // namespace tessaly
