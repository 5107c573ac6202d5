// The command line: Windows' splitting rules (quotes, "\" before quotes), quoting
// that splits back whole, and the switches /data, /category and /open.

#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLineSplit, FollowsTheRulesOfWindowsCRuntime) {
  struct Case {
    const char* line;
    Arguments arguments;
  };
  const Case cases[] = {
      {"tessaly.exe", {"tessaly.exe"}},
      {"\"C:\\Program Files\\Tessaly\\tessaly.exe\" /category \"Work\\Tools\"",
       {"C:\\Program Files\\Tessaly\\tessaly.exe", "/category", "Work\\Tools"}},
      // The program's name keeps a "\" before a quote; its quotes only group.
      {"\"C:\\odd\\\"x.exe a", {"C:\\odd\\x.exe", "a"}},
      {"x  a\tb   ", {"x", "a", "b"}},
      {"x a\\b \\\\server\\share", {"x", "a\\b", "\\\\server\\share"}},
      // 2n "\" before a quote: n of them, and the quote groups.
      {"x \"C:\\Data\\\\\" /open Y", {"x", "C:\\Data\\", "/open", "Y"}},
      {"x a\\\\\\\\\"b c\"", {"x", "a\\\\b c"}},
      // 2n+1: n of them and a quote.
      {"x a\\\"b", {"x", "a\"b"}},
      {"x \"say \\\"hi\\\"\"", {"x", "say \"hi\""}},
      {"x \"a\"\"b\" c", {"x", "a\"b", "c"}},
      {"x \"\" y", {"x", "", "y"}},
      {"x a\"b c\"d", {"x", "ab cd"}},
      {"x \"unclosed quote", {"x", "unclosed quote"}},
      {"", {""}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.arguments, SplitCommandLine(c.line)) << c.line;
}

TEST(CommandLineSplit, QuotedArgumentsComeBackWhole) {
  const char* const texts[] = {
      "plain", "",       "two words",           "C:\\Data\\", "C:\\My Data\\",
      "a\"b",  "a\\\"b", "\\\\server\\share\\", "tab\there",  "Work\\\\Tools",
      "\"",    "end\\\\"};
  for (const char* text : texts) {
    EXPECT_EQ((Arguments{"x", text}), SplitCommandLine("x " + QuoteArgument(text))) << text;
  }
  EXPECT_EQ("Work\\Tools", QuoteArgument("Work\\Tools"));
  EXPECT_EQ("\"C:\\My Data\\\\\"", QuoteArgument("C:\\My Data\\"));
  EXPECT_EQ("\"\"", QuoteArgument(""));
}

TEST(CommandLineSplit, ADoubleByteCharacterIsOneCharacter) {
  testing::ShiftJisScope shiftJis;
  // "\x95\\" is one character: its second byte does not escape the closing quote.
  const std::string name = "\x95\\";
  EXPECT_EQ((Arguments{"x", name + " y", "z"}), SplitCommandLine("x \"" + name + " y\" z"));
  EXPECT_EQ((Arguments{"x", name}), SplitCommandLine("x " + QuoteArgument(name)));
  EXPECT_EQ("\"" + name + " y\"", QuoteArgument(name + " y"));
}

TEST(CommandLineSwitches, ChooseTheActionTheCategoryAndTheDataDirectory) {
  CommandLine none = ParseArguments({});
  EXPECT_TRUE(none.ok());
  EXPECT_EQ(CommandLine::Action::Start, none.action);
  EXPECT_EQ("", none.dataDirectory);

  const CommandLine show = ParseCommandLine("tessaly.exe /category \"Work\\Tools\"");
  EXPECT_TRUE(show.ok()) << show.problem;
  EXPECT_EQ(CommandLine::Action::ShowCategory, show.action);
  EXPECT_EQ("Work\\Tools", show.category);

  for (const Arguments& arguments : {Arguments{"/data", "D:\\My Data\\", "/OPEN", "A\\\\B"},
                                     Arguments{"/Open", "A\\\\B", "/DATA", "D:\\My Data\\"}}) {
    const CommandLine open = ParseArguments(arguments);
    EXPECT_TRUE(open.ok()) << open.problem;
    EXPECT_EQ(CommandLine::Action::OpenCategory, open.action);
    EXPECT_EQ("A\\\\B", open.category);
    EXPECT_EQ("D:\\My Data\\", open.dataDirectory);
  }
  const CommandLine hidden = ParseArguments({"/HIDDEN", "/category", "Work"});
  EXPECT_TRUE(hidden.ok()) << hidden.problem;
  EXPECT_TRUE(hidden.hidden);
  EXPECT_EQ(CommandLine::Action::ShowCategory, hidden.action);
  EXPECT_FALSE(show.hidden);
  const CommandLine dataOnly = ParseArguments({"/data", "relative"});
  EXPECT_EQ(CommandLine::Action::Start, dataOnly.action);
  EXPECT_EQ("relative", dataOnly.dataDirectory);
}

TEST(CommandLineSwitches, RefuseWhatTheyCannotFollowWithOneClearReason) {
  struct Case {
    Arguments arguments;
    const char* problem;
  };
  const Case cases[] = {
      {{"/help"}, "'/help' is not a switch of Tessaly."},
      {{"-open", "Work"}, "'-open' is not a switch of Tessaly."},
      {{"Work\\Tools"}, "'Work\\Tools' does not follow a switch."},
      {{"/category"}, "The switch /category needs a category path after it."},
      {{"/OPEN", "/data", "x"}, "The switch /open needs a category path after it."},
      {{"/open", ""}, "The switch /open needs a category path after it."},
      {{"/data"}, "The switch /data needs a folder after it."},
      {{"/data", "/hidden"}, "The switch /data needs a folder after it."},
      {{"/data", "a", "/data", "b"}, "The switch /data is given twice."},
      {{"/open", "a", "/category", "b"}, "Only one of /category and /open can be given, once."},
      {{"/category", "a", "/category", "b"}, "Only one of /category and /open can be given, once."},
      {{"/category", "a", "stray"}, "'stray' does not follow a switch."},
  };
  for (const Case& c : cases) {
    const CommandLine result = ParseArguments(c.arguments);
    EXPECT_EQ(c.problem, result.problem) << c.arguments.front();
  }
  const CommandLine malformed = ParseArguments({"/open", "Work\\"});
  EXPECT_NE(std::string::npos, malformed.problem.find("ends in a single")) << malformed.problem;
  const std::string text = CommandLineProblemText(ParseArguments({"/x"}));
  EXPECT_EQ(0u, text.find("'/x' is not a switch of Tessaly.\n\nUsage: tessaly.exe"));
}

}  // namespace
}  // namespace tessaly
