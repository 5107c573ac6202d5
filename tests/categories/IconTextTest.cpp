#include "categories/IconText.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(IconText, TreeImageForm) {
  const IconSource s = ParseIconText("015");
  EXPECT_EQ(IconSource::Kind::TreeImage, s.kind);
  EXPECT_EQ(15, s.imageIndex);
  EXPECT_EQ(0, ParseIconText("00").imageIndex);
  EXPECT_EQ(IconSource::Kind::TreeImage, ParseIconText("00").kind);
}

TEST(IconText, FileFormTakesTheNumberAfterTheFirstCharacter) {
  IconSource s = ParseIconText("113,C:\\x.exe");
  EXPECT_EQ(IconSource::Kind::FileIcon, s.kind);
  EXPECT_EQ(13, s.iconNumber);
  EXPECT_EQ("C:\\x.exe", s.file);
  EXPECT_EQ(3, ParseIconText("13,C:\\x.exe").iconNumber);
  // Any first character other than "0" means the file form; only the first "," splits.
  s = ParseIconText("X7,C:\\a,b.dll");
  EXPECT_EQ(7, s.iconNumber);
  EXPECT_EQ("C:\\a,b.dll", s.file);
}

TEST(IconText, UnreadableTextsAreRecognised) {
  for (const char* text : {"", "0", "0x", "0-3", "1", "1,C:\\x.exe", "1a,C:\\x.exe", "1-2,C:\\x"}) {
    EXPECT_EQ(IconSource::Kind::Unreadable, ParseIconText(text).kind) << text;
  }
}

TEST(IconText, TextsForBothForms) {
  EXPECT_EQ("015", TreeImageIconText(15));
  EXPECT_EQ("14,C:\\Windows\\system32\\SHELL32.dll", FileIconText(4, "C:\\Windows\\system32\\SHELL32.dll"));
}

}  // namespace
}  // namespace tessaly
