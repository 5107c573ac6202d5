#include <gtest/gtest.h>

#include <climits>

#include "base/Text.h"

namespace tessaly {
namespace {

// A code page in the manner of Shift-JIS: 0x81-0x9F and 0xE0-0xFC start a
// two-byte character whose second byte may be any byte, ']' included.
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

class LeadByteScope {
 public:
  explicit LeadByteScope(LeadByteTest test) { SetLeadByteTest(test); }
  ~LeadByteScope() { SetLeadByteTest(nullptr); }
};

TEST(TextTest, FindTextIsAPlainCaseSensitiveSubstringSearch) {
  EXPECT_EQ(FindText("<[Work][Tools]>", "[Tools]>"), 7u);
  EXPECT_EQ(FindText("ab ab", "ab"), 0u);
  EXPECT_EQ(FindText("<[Work]>", "<[work]>"), std::string::npos);
  EXPECT_EQ(FindText("ab", "abc"), std::string::npos);
  EXPECT_EQ(FindText("", "x"), std::string::npos);
  EXPECT_EQ(FindText("abc", ""), 0u);
  EXPECT_TRUE(ContainsText("x\x81]>", "]>"));  // without a code page every byte stands alone
}

TEST(TextTest, FindTextNeverMatchesOnTheSecondByteOfACharacter) {
  LeadByteScope scope(&ShiftJisLead);
  EXPECT_FALSE(ContainsText("x\x81]>", "]>"));
  EXPECT_EQ(FindText("\x81]]>", "]>"), 2u);
  EXPECT_EQ(FindText("\x81]>\x81]>]>", "]>"), 6u);
  // A word that itself begins with a double-byte character matches at a boundary only.
  EXPECT_EQ(FindText("a\x81]", "\x81]"), 1u);
  EXPECT_EQ(FindText("\x81\x81]", "\x81]"), std::string::npos);
  // A lead byte as the last byte of the text does not run past the end.
  EXPECT_EQ(FindText("ab\x81", "b\x81"), 1u);
  EXPECT_EQ(FindText("ab\x81", "\x81x"), std::string::npos);
  // Bytes that are not lead bytes (here 0xC4) still stand alone.
  EXPECT_EQ(FindText("\xC4]>", "]>"), 1u);
}

TEST(TextTest, PathSplitsAndHalfCharactersRespectDoubleByteCharacters) {
  // "\x95\\" is one character whose second byte is "\\", as in many Shift-JIS names.
  const std::string folder = "C:\\\x95\\";
  EXPECT_EQ(FindLastOf(folder + "x", "\\:"), 4u);  // without a code page the trail byte counts
  EXPECT_TRUE(EndsWithBackslash(folder));
  EXPECT_EQ(WithWholeLastCharacter("ab\x81"), "ab\x81");

  LeadByteScope scope(&ShiftJisLead);
  EXPECT_EQ(FindLastOf(folder + "x", "\\:"), 2u);
  EXPECT_EQ(FindLastOf("\x95\\", "\\"), std::string::npos);
  EXPECT_FALSE(EndsWithBackslash(folder));
  EXPECT_TRUE(EndsWithBackslash(folder + "\\"));
  EXPECT_EQ(WithTrailingBackslash(folder), folder + "\\");
  EXPECT_EQ(WithWholeLastCharacter("ab\x81"), "ab\x81 ");
  EXPECT_EQ(WithWholeLastCharacter("a\x81\x81"), "a\x81\x81");       // one whole character
  EXPECT_EQ(WithWholeLastCharacter("\x81\x81\x81"), "\x81\x81\x81 ");  // whole, then half
  EXPECT_EQ(WithWholeLastCharacter("\x81"), "\x81 ");
  EXPECT_EQ(WithWholeLastCharacter(""), "");
  EXPECT_EQ(TrimCodesUpTo(" a\x81 \t", 32), "a\x81 ");  // the blank is the second byte
}

TEST(TextTest, PrefixesSuffixesAndTrimming) {
  EXPECT_TRUE(StartsWith("<[Work]>", "<["));
  EXPECT_FALSE(StartsWith(" <[Work]>", "<["));
  EXPECT_FALSE(StartsWith("<", "<["));
  EXPECT_TRUE(EndsWith("C:\\x.lnk", ".lnk"));
  EXPECT_FALSE(EndsWith("lnk", ".lnk"));
  EXPECT_TRUE(EndsWith("x", ""));

  EXPECT_EQ(TrimCodesUpTo(" \t\x01 A \tB\r\n ", 32), "A \tB");
  EXPECT_EQ(TrimCodesUpTo("\xA0x\xA0", 32), "\xA0x\xA0");  // 8-bit characters are kept
  EXPECT_EQ(TrimCodesUpTo(" \t ", 32), "");
  EXPECT_EQ(TrimLeadingCodesUpTo(" \t\x01" "A \t\r ", 32), "A \t\r ");
}

TEST(TextTest, ParseDecimalTakesWholeIntegersOnly) {
  EXPECT_EQ(ParseDecimal("42"), 42);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  EXPECT_EQ(ParseDecimal("-3"), -3);
  EXPECT_EQ(ParseDecimal("007"), 7);
  EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
  for (const char* bad : {"", "+", "-", " 1", "1 ", "12a", "0x10", "1.5", "+-1", "2147483648"}) {
    EXPECT_EQ(ParseDecimal(bad), std::nullopt) << '"' << bad << '"';
  }
}

TEST(TextTest, CaseAndFolderHelpersLeaveEightBitTextAlone) {
  EXPECT_EQ(LowerAscii("C:\\Program Files\\\xC4PFEL.EXE"), "c:\\program files\\\xC4pfel.exe");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data\\"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

}  // namespace
}  // namespace tessaly
