#include <gtest/gtest.h>

#include "base/LineList.h"

namespace tessaly {
namespace {

TEST(LineListTest, EveryKindOfLineEndEndsALine) {
  struct Case {
    std::string bytes;
    LineList lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"  lead and trail \t\r\n", {"  lead and trail \t"}},
      {std::string("nul\0inside\r\n\xFF\xC4", 14), {std::string("nul\0inside", 10), "\xFF\xC4"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.bytes), c.lines) << c.bytes;
}

TEST(LineListTest, JoinPutsCrLfAfterEveryLineAndRoundTrips) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
  EXPECT_EQ(JoinLines({"a", "", " b "}), "a\r\n\r\n b \r\n");
  const LineList lines = {"<[Work]>", "", "  x  ", "\xC4pfel", std::string(1, '\0')};
  EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

}  // namespace
}  // namespace tessaly
