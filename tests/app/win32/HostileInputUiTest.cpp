// Hostile input in the real window: binary files, a line of a megabyte, read-only
// files, over-long paths and broken links. Each has one clear result, and nothing the
// files held is lost.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/win32/MainWindow.h"
#include "base/LineList.h"
#include "support/win32/AppHarness.h"
#include "support/win32/LinkFixtures.h"
#include "support/win32/WindowTest.h"

namespace tessaly::testing {
namespace {

// Every byte value but the line ends, in an order no format produces.
std::string Garbage(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 16);
  }
  return bytes;
}

bool KeepsEveryLine(const LineList& before, const LineList& after) {
  auto at = after.begin();
  for (const std::string& line : before) {
    at = std::find(at, after.end(), line);
    if (at == after.end()) return false;
    ++at;
  }
  return true;
}

struct HostileUi : WindowTest {
  void Send(int id) { ShortcutCommand(id); }
};

TEST_F(HostileUi, BinaryFilesAndAMegabyteLineComeThroughARunWhole) {
  const std::string big(1 << 20, 'M');
  std::string eightBit;
  for (int c = 1; c < 256; ++c) {
    if (c != '\r' && c != '\n') eightBit += static_cast<char>(c);
  }
  const std::string categories = "Work ;015\r\nHome ;06\r\n" + Garbage(20000, 1);
  const std::string shortcuts =
      "<[Home]>\r\n" + big + "\r\nC:\\big.exe\r\n" + eightBit + "\r\n" + eightBit + "\r\nAlpha\r\nC:\\a.exe\r\n" +
      "<[Trash]>\r\n" + Garbage(60000, 2);
  const std::string settings = "[View]\r\nList\r\n" + Garbage(20000, 3);
  StartWith(categories, shortcuts, settings);

  app.SelectCategory("Home");
  ASSERT_EQ(3u, ListItems(list).size());
  // The control draws what fits in its buffer; the list itself keeps the whole title,
  // and the sorted section below is written from it.
  Send(IDM_SORT);
  const std::size_t categoriesShown = TreeTexts(tree).size();
  ASSERT_TRUE(app.Close());

  // The sorted section holds its three entries whole; every other line is where it was.
  const LineList after = SplitLines(app.ReadDataFile("Shortcuts.sts"));
  ASSERT_GE(after.size(), 7u);
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::size_t i = 1; i < 7; i += 2) entries.emplace_back(after[i], after[i + 1]);
  std::sort(entries.begin(), entries.end());
  std::vector<std::pair<std::string, std::string>> expected{
      {big, "C:\\big.exe"}, {eightBit, eightBit}, {"Alpha", "C:\\a.exe"}};
  std::sort(expected.begin(), expected.end());
  EXPECT_TRUE(expected == entries);
  const LineList before = SplitLines(shortcuts);
  EXPECT_TRUE(KeepsEveryLine(LineList(before.begin() + 7, before.end()), after));
  EXPECT_TRUE(KeepsEveryLine(SplitLines(settings), SplitLines(app.ReadDataFile("Settings.sts"))));
  EXPECT_TRUE(app.boxes.Shown().empty());

  // Categories.sts reads back as the same categories the garbage made.
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  EXPECT_EQ(categoriesShown, TreeTexts(app.Child(IDC_CATEGORY_TREE)).size());
}

TEST_F(HostileUi, ReadOnlyFilesAreReportedAndStayAsTheyWere) {
  const std::string categories = "Work ;015\r\nTrash ;020\r\n";
  const std::string shortcuts = "<[Work]>\r\nZed\r\nC:\\z.exe\r\nAlpha\r\nC:\\a.exe\r\n";
  const std::string settings = "[View]\r\nList\r\n";
  app.WriteDataFile("Categories.sts", categories);
  app.WriteDataFile("Shortcuts.sts", shortcuts);
  app.WriteDataFile("Settings.sts", settings);
  for (const char* name : {"Categories.sts", "Shortcuts.sts", "Settings.sts"}) {
    ASSERT_TRUE(::SetFileAttributesA((app.data.path() + name).c_str(), FILE_ATTRIBUTE_READONLY));
  }
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitForTree());
  list = app.Child(IDC_SHORTCUT_LIST);

  Send(IDM_SORT);
  ASSERT_EQ(1u, app.boxes.Shown().size());
  EXPECT_EQ(0u, app.boxes.Shown()[0].find("Error: Could not save the file '" + app.data.path() + "Shortcuts.sts': "));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Zed"}), ListTitles(list));  // kept in memory
  // The close tries the kept change once more and asks; then the other two files.
  app.boxes.AnswerSaveFailure(SaveFailureChoice::CloseAnyway);
  app.boxes.AnswerSaveFailure(SaveFailureChoice::CloseAnyway);
  ASSERT_TRUE(app.Close());
  ASSERT_EQ(4u, app.boxes.Shown().size());
  EXPECT_EQ(0u, app.boxes.Shown()[1].find("AskAfterFailedSave: The shortcuts could not be saved"));
  EXPECT_EQ(0u, app.boxes.Shown()[2].find("Error: Could not save the file '" + app.data.path() + "Settings.sts': "));
  EXPECT_EQ(0u, app.boxes.Shown()[3].find("AskAfterFailedSave: The categories could not be saved"));
  EXPECT_EQ(categories, app.ReadDataFile("Categories.sts"));
  EXPECT_EQ(shortcuts, app.ReadDataFile("Shortcuts.sts"));
  EXPECT_EQ(settings, app.ReadDataFile("Settings.sts"));
  EXPECT_EQ(3u, app.DataFileNames().size());
}

TEST_F(HostileUi, LongPathsAndBrokenLinksOpenAsFarAsTheyCanAndAreKeptWhole) {
  const std::string longPath = "C:\\" + std::string(296, 'p') + ".exe";  // 300 characters
  const std::string longLink = app.shell.path() + std::string(300 - app.shell.path().size() - 4, 'l') + ".lnk";
  const std::string notALink = app.shell.WriteFile("Common Start Menu\\Not a link.lnk", Garbage(300, 4));
  const std::string self = app.shell.path() + "Common Start Menu\\Self.lnk";
  WriteShellLink(self, LinkTo(self));
  const std::string section = "<[Work]>\r\nLong\r\n" + longPath + "\r\nLong link\r\n" + longLink +
                              "\r\nNot a link\r\n" + notALink + "\r\nSelf\r\n" + self + "\r\n";
  StartWith("Work ;015\r\nPrograms ;00\r\n    Get All ;013\r\n", section);

  for (int i = 0; i < 4; ++i) {
    SelectListItems(list, {i});
    Send(IDM_OPEN);
  }
  // Over-long paths name nothing; a file that is no link opens as a file; a link to
  // itself opens once, as its own target.
  EXPECT_EQ((std::vector<std::string>{"Information: The file: '" + longPath + "' does not exist.",
                                      "Information: The file: '" + longLink + "' does not exist."}),
            app.boxes.Shown());
  EXPECT_EQ((std::vector<std::string>{"open " + notALink, "open " + self}), app.launcher.Calls());
  SelectListItems(list, {3});
  EXPECT_EQ("Target: " + self, StatusText(status));

  Send(IDM_SORT);
  EXPECT_EQ("<[Work]>\r\nLong\r\n" + longPath + "\r\nLong link\r\n" + longLink + "\r\nNot a link\r\n" +
                notALink + "\r\nSelf\r\n" + self + "\r\n",
            app.ReadDataFile("Shortcuts.sts"));

  // In "Get All" the file that is no link is listed under its name; the link to itself
  // names no program.
  app.SelectCategory("Programs/Get All");
  EXPECT_EQ((std::vector<ListItem>{{"Not a link", notALink}}), ListItems(list));
}

}  // namespace
}  // namespace tessaly::testing
