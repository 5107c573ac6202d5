// The desktop shortcut of a category: its file name, arguments that the command line
// reads back, the icon it takes from the category, and the question before it.

#include <gtest/gtest.h>

#include "app/CategoryLink.h"
#include "app/CommandLine.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using namespace testing;

TEST(CategoryLinkName, ReplacesWhatAFileNameCannotHold) {
  EXPECT_EQ("Tools.lnk", CategoryLinkFileName("Tools"));
  EXPECT_EQ("a_b_c_d_e_f_g_h_i_j.lnk", CategoryLinkFileName("a/b:c*d?e\"f<g>h|i\\j"));
  EXPECT_EQ("tab_here.lnk", CategoryLinkFileName("tab\there"));
  EXPECT_EQ("Tools.lnk", CategoryLinkFileName("Tools. . "));
  EXPECT_EQ("Category.lnk", CategoryLinkFileName("..."));
  EXPECT_EQ("CON_.lnk", CategoryLinkFileName("CON"));
  EXPECT_EQ("lpt1_.lnk", CategoryLinkFileName("lpt1"));
  EXPECT_EQ("COM10.lnk", CategoryLinkFileName("COM10"));
  EXPECT_EQ(std::string(120, 'x') + ".lnk", CategoryLinkFileName(std::string(300, 'x')));
  ShiftJisScope shiftJis;
  // The second byte of a double-byte character may have the code of "\" or "|".
  EXPECT_EQ("\x95\\\x83|.lnk", CategoryLinkFileName("\x95\\\x83|"));
}

TEST(CategoryLinkArguments, ReadBackThroughTheCommandLineWhole) {
  for (const char* directory : {"C:\\Data\\", "C:\\My Data\\", "\\\\server\\share\\Tessaly\\"}) {
    for (const char* path : {"Work\\Tools", "My Work\\A\\\\B\\\\", "Quote\"d"}) {
      const CommandLine open = ParseCommandLine(
          "tessaly.exe " + CategoryLinkArguments(directory, path, CategoryLinkKind::OpenAll));
      EXPECT_TRUE(open.ok()) << open.problem;
      EXPECT_EQ(CommandLine::Action::OpenCategory, open.action);
      EXPECT_EQ(directory, open.dataDirectory);
      EXPECT_EQ(path, open.category);
      const CommandLine show = ParseCommandLine(
          "tessaly.exe " + CategoryLinkArguments(directory, path, CategoryLinkKind::Show));
      EXPECT_EQ(CommandLine::Action::ShowCategory, show.action);
      EXPECT_EQ(path, show.category);
    }
  }
  EXPECT_EQ("/data \"C:\\My Data\\\\\" /open Work\\Tools",
            CategoryLinkArguments("C:\\My Data\\", "Work\\Tools", CategoryLinkKind::OpenAll));
}

TEST(CategoryLinkIcon, IsTheCategorysOwnAsTheTreeShowsIt) {
  CategoryTree tree;
  CategoryNode& node = tree.AddTopLevel("Work");
  const ProgramFile program{"C:\\Tessaly\\tessaly.exe", 401};
  auto fields = [&] {
    return CategoryLinkFields(CategoryLinkSubjectOf(node), CategoryLinkKind::Show, "C:\\D\\",
                              program);
  };

  node.iconText = "13,C:\\Icons\\set.dll";
  EXPECT_EQ("C:\\Icons\\set.dll", fields().IconFile);
  EXPECT_EQ(3, fields().IconIndex);
  node.iconText = "015";
  EXPECT_EQ(program.path, fields().IconFile);
  EXPECT_EQ(-416, fields().IconIndex);  // by resource identifier
  node.iconText.reset();
  node.imageIndex = 7;
  EXPECT_EQ(-408, fields().IconIndex);
  node.iconText = "021";  // beyond the tree's own pictures: the program's icon
  EXPECT_EQ(0, fields().IconIndex);
  node.iconText = "0x";  // unreadable: the tree shows a blank page
  EXPECT_EQ(-(401 + 1), fields().IconIndex);
  node.iconText = "015";
  EXPECT_EQ(0, CategoryLinkFields(CategoryLinkSubjectOf(node), CategoryLinkKind::Show, "C:\\D\\",
                                  {program.path, 0})
                   .IconIndex);
}

TEST(CategoryLinkTaskbarId, OneForEachCategoryKindAndDataDirectory) {
  const std::string id =
      CategoryLinkTaskbarId("C:\\Data\\", "Work\\Tools", CategoryLinkKind::OpenAll);
  EXPECT_EQ(0u, id.find("Tessaly.Category."));
  EXPECT_EQ(33u, id.size());
  EXPECT_EQ(std::string::npos, id.find(' '));
  // The same folder however it is spelt.
  EXPECT_EQ(id, CategoryLinkTaskbarId("c:\\data", "Work\\Tools", CategoryLinkKind::OpenAll));
  for (const std::string& other :
       {CategoryLinkTaskbarId("C:\\Data\\", "Work\\Tools", CategoryLinkKind::Show),
        CategoryLinkTaskbarId("C:\\Data\\", "Work\\tools", CategoryLinkKind::OpenAll),
        CategoryLinkTaskbarId("C:\\Other\\", "Work\\Tools", CategoryLinkKind::OpenAll)}) {
    EXPECT_NE(id, other);
  }
}

class FakeLinkWriter : public LinkWriter {
 public:
  std::string WriteLink(const std::string& linkPath, const LinkInfo& link,
                        const std::string& taskbarId) override {
    written.emplace_back(linkPath, link);
    taskbarIds.push_back(taskbarId);
    return failure;
  }
  std::vector<std::pair<std::string, LinkInfo>> written;
  std::vector<std::string> taskbarIds;
  std::string failure;
};

struct CreateLinkTest : ::testing::Test {
  CategoryTree tree;
  CategoryNode& tools = tree.AddChild(tree.AddTopLevel("Work"), "Tools");
  FakeFolders folders;
  FakeLinkWriter writer;
  RecordingMessageBoxes boxes;
  const ProgramFile program{"C:\\Tessaly\\tessaly.exe", 401};

  CreateLinkTest() { folders.paths[0] = "C:\\Users\\me\\Desktop\\"; }
  std::optional<std::string> Create(YesNoCancel answer) {
    boxes.yesNoCancelAnswers = {answer};
    return CreateCategoryLink(CategoryLinkSubjectOf(tools), "C:\\My Data\\", program, folders,
                              writer, boxes);
  }
};

TEST_F(CreateLinkTest, YesOpensAllNoShowsCancelWritesNothing) {
  EXPECT_EQ("C:\\Users\\me\\Desktop\\Tools.lnk", Create(YesNoCancel::Yes));
  ASSERT_EQ(1u, writer.written.size());
  const LinkInfo& open = writer.written[0].second;
  EXPECT_EQ("C:\\Tessaly\\tessaly.exe", open.Target);
  EXPECT_EQ("/data \"C:\\My Data\\\\\" /open Work\\Tools", open.Arguments);
  EXPECT_EQ("C:\\My Data\\", open.WorkingDirectory);
  EXPECT_EQ("Opens all shortcuts of Tools", open.Description);
  EXPECT_EQ("AskYesNoCancel: Do you want a shortcut to Tools on the desktop ?\n\nYes: the "
            "shortcut opens all shortcuts of Tools.\nNo: the shortcut shows Tools in Tessaly.\n"
            "Cancel: create no shortcut.",
            boxes.shown[0]);
  EXPECT_EQ(0u, boxes.shown[1].find("Information: The shortcut 'C:\\Users\\me\\Desktop\\Tools.lnk' "
                                    "is on the desktop."));
  EXPECT_NE(std::string::npos, boxes.shown[1].find("right-click the shortcut"));

  EXPECT_TRUE(Create(YesNoCancel::No));
  EXPECT_EQ("/data \"C:\\My Data\\\\\" /category Work\\Tools", writer.written[1].second.Arguments);
  EXPECT_EQ(CategoryLinkTaskbarId("C:\\My Data\\", "Work\\Tools", CategoryLinkKind::OpenAll),
            writer.taskbarIds[0]);
  EXPECT_NE(writer.taskbarIds[0], writer.taskbarIds[1]);

  boxes.shown.clear();
  EXPECT_EQ(std::nullopt, Create(YesNoCancel::Cancel));
  EXPECT_EQ(2u, writer.written.size());
  EXPECT_EQ(1u, boxes.shown.size());
}

TEST_F(CreateLinkTest, SaysWhyNoLinkWasWritten) {
  writer.failure = "Access is denied";
  EXPECT_EQ(std::nullopt, Create(YesNoCancel::Yes));
  EXPECT_EQ(
      "Error: The shortcut 'C:\\Users\\me\\Desktop\\Tools.lnk' could not be written: "
      "Access is denied.",
      boxes.shown.back());

  folders.paths.clear();
  EXPECT_EQ(std::nullopt, Create(YesNoCancel::Yes));
  EXPECT_EQ(1u, writer.written.size());
  EXPECT_EQ("Error: The shortcut to Tools was not created: the desktop folder was not found.",
            boxes.shown.back());
}

}  // namespace
}  // namespace tessaly
