#pragma once
// The program's command line: splitting it by the rules of Windows' C runtime, and
// the switches "/data", "/category", "/open" and "/hidden".

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Splits a command line into its arguments, the program's name first. Blanks and tabs
// separate arguments outside quotes. In an argument, 2n "\" before a quote give n "\"
// and the quote opens or closes a quoted part; 2n+1 give n "\" and a quote; "\"
// elsewhere stays; "" inside a quoted part is one quote. The program's name ends at
// the first blank outside quotes and keeps every "\". A double-byte character is one
// character: its second byte is never a "\" or a quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The argument as SplitCommandLine gives it back whole: as it is when it holds no
// blank, tab or quote, otherwise quoted with the "\" before a quote and before the
// closing quote doubled.
std::string QuoteArgument(std::string_view argument);

struct CommandLine {
  enum class Action {
    Start,         // no category asked for
    ShowCategory,  // /category: the window with that category selected
    OpenCategory,  // /open: every shortcut of the category, without a window
  };
  Action action = Action::Start;
  std::string category;       // the category path of /category or /open
  std::string dataDirectory;  // /data as given; empty for the current directory
  bool hidden = false;        // /hidden: the window waits for the hotkey or the icon
  std::string problem;        // why the command line cannot be followed
  bool ok() const { return problem.empty(); }
};

// Reads the arguments that follow the program's name. Switches are matched without
// regard to case; each takes the next argument, which must not be another switch.
CommandLine ParseArguments(const std::vector<std::string>& arguments);
// Splits the whole command line and reads what follows the program's name.
CommandLine ParseCommandLine(std::string_view commandLine);

// What the switches do, shown below a problem with the command line.
std::string CommandLineUsage();
// The message for a command line that cannot be followed.
std::string CommandLineProblemText(const CommandLine& commandLine);

}  // namespace tessaly
