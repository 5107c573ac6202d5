// Shell links written through the shell's link object: what the reader and the shell
// read back, a link replaced by the next of its name, and texts the link cannot hold.

#include <gtest/gtest.h>

#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32LinkWriter.h"
#include "support/Fakes.h"
#include "support/win32/TempFolder.h"

namespace tessaly::win32 {
namespace {

struct LinkWriterTest : ::testing::Test {
  testing::TempFolder temp;
  testing::RecordingMessageBoxes boxes;
  Win32LinkWriter writer;
  Win32LinkReader reader{boxes};
  std::string program = temp.WriteFile("My Apps\\app.exe", "MZ");

  LinkInfo Fields(const std::string& arguments) const {
    LinkInfo link;
    link.Target = program;
    link.Arguments = arguments;
    link.WorkingDirectory = temp.path();
    link.Description = "Opens all shortcuts of Tools";
    link.IconFile = temp.path() + "icons.dll";
    link.IconIndex = 4;
    return link;
  }
};

TEST_F(LinkWriterTest, WritesWhatTheReaderReadsBackAndReplacesALinkOfTheSameName) {
  const std::string path = temp.path() + "Tools.lnk";
  ASSERT_EQ("", writer.WriteLink(path, Fields("/data \"C:\\My Data\\\\\" /open Work\\Tools"),
                                 "Tessaly.Category.0123456789abcdef"));
  LinkInfo read;
  ASSERT_TRUE(reader.ResolveLink(read, path));
  EXPECT_EQ(program, read.Target);
  EXPECT_EQ("/data \"C:\\My Data\\\\\" /open Work\\Tools", read.Arguments);
  EXPECT_EQ(temp.path(), read.WorkingDirectory);
  EXPECT_EQ("Opens all shortcuts of Tools", read.Description);
  EXPECT_EQ(temp.path() + "icons.dll", read.IconFile);
  EXPECT_EQ(4, read.IconIndex);

  ASSERT_EQ("", writer.WriteLink(path, Fields("/category Work"), ""));
  LinkInfo again;
  ASSERT_TRUE(reader.ResolveLink(again, path));
  EXPECT_EQ("/category Work", again.Arguments);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinkWriterTest, RefusesTextsTheLinkWouldCutShortAndPlacesItCannotWrite) {
  const std::string path = temp.path() + "Long.lnk";
  const std::string refused = writer.WriteLink(path, Fields(std::string(300, 'x')), "");
  EXPECT_NE(std::string::npos, refused.find("is too long for a shortcut")) << refused;
  EXPECT_FALSE(testing::PathExists(path));

  EXPECT_NE("", writer.WriteLink(temp.path() + "No such folder\\Tools.lnk", Fields(""), ""));
}

}  // namespace
}  // namespace tessaly::win32
