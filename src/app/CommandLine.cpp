#include "app/CommandLine.h"

#include "base/Text.h"
#include "categories/CategoryPath.h"

namespace tessaly {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr const char* kDataSwitch = "/data";
constexpr const char* kCategorySwitch = "/category";
constexpr const char* kOpenSwitch = "/open";
constexpr const char* kHiddenSwitch = "/hidden";

bool IsSwitch(const std::string& argument) {
  const std::string lower = LowerAscii(argument);
  return lower == kDataSwitch || lower == kCategorySwitch || lower == kOpenSwitch ||
         lower == kHiddenSwitch;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  std::size_t i = 0;

  // The program's name: quotes only group, every "\" is part of the path.
  std::string program;
  bool quoted = false;
  while (i < line.size()) {
    const std::size_t size = CharacterSizeAt(line, i);
    if (size == 1 && line[i] == '"') {
      quoted = !quoted;
      ++i;
      continue;
    }
    if (size == 1 && IsBlank(line[i]) && !quoted) break;
    program.append(line.substr(i, size));
    i += size;
  }
  arguments.push_back(std::move(program));

  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::string argument;
    quoted = false;
    while (i < line.size()) {
      const std::size_t size = CharacterSizeAt(line, i);
      if (size == 2) {
        argument.append(line.substr(i, 2));
        i += 2;
        continue;
      }
      std::size_t slashes = 0;
      while (i + slashes < line.size() && line[i + slashes] == '\\') ++slashes;
      if (slashes > 0) {
        const bool beforeQuote = i + slashes < line.size() && line[i + slashes] == '"';
        if (!beforeQuote) {
          argument.append(slashes, '\\');
          i += slashes;
          continue;
        }
        argument.append(slashes / 2, '\\');
        i += slashes;
        if (slashes % 2 == 1) {
          argument += '"';
          ++i;
          continue;
        }
      }
      const char c = line[i];
      if (c == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
        continue;
      }
      if (IsBlank(c) && !quoted) break;
      argument += c;
      ++i;
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  std::size_t slashes = 0;
  for (std::size_t i = 0; i < argument.size();) {
    const std::size_t size = CharacterSizeAt(argument, i);
    const char c = argument[i];
    if (size == 1 && c == '\\') {
      ++slashes;
      quoted += c;
    } else if (size == 1 && c == '"') {
      quoted.append(slashes + 1, '\\');
      quoted += c;
      slashes = 0;
    } else {
      quoted.append(argument.substr(i, size));
      slashes = 0;
    }
    i += size;
  }
  // Before the closing quote every "\" is doubled, so that none of them escapes it.
  quoted.append(slashes, '\\');
  quoted += '"';
  return quoted;
}

CommandLine ParseArguments(const std::vector<std::string>& arguments) {
  CommandLine result;
  bool haveData = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::string name = LowerAscii(argument);
    if (!IsSwitch(argument)) {
      result.problem = StartsWith(argument, "/") || StartsWith(argument, "-")
                           ? "'" + argument + "' is not a switch of Tessaly."
                           : "'" + argument + "' does not follow a switch.";
      return result;
    }
    if (name == kHiddenSwitch) {
      result.hidden = true;
      continue;
    }
    if (i + 1 == arguments.size() || IsSwitch(arguments[i + 1]) || arguments[i + 1].empty()) {
      result.problem = name == kDataSwitch
                           ? "The switch /data needs a folder after it."
                           : "The switch " + name + " needs a category path after it.";
      return result;
    }
    const std::string& value = arguments[++i];
    if (name == kDataSwitch) {
      if (haveData) {
        result.problem = "The switch /data is given twice.";
        return result;
      }
      haveData = true;
      result.dataDirectory = value;
      continue;
    }
    if (result.action != CommandLine::Action::Start) {
      result.problem = "Only one of /category and /open can be given, once.";
      return result;
    }
    const CategoryPathReading reading = ParseCategoryPath(value);
    if (!reading.ok()) {
      result.problem = reading.problem;
      return result;
    }
    result.action =
        name == kOpenSwitch ? CommandLine::Action::OpenCategory : CommandLine::Action::ShowCategory;
    result.category = value;
  }
  return result;
}

CommandLine ParseCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments = SplitCommandLine(commandLine);
  arguments.erase(arguments.begin());
  return ParseArguments(arguments);
}

std::string CommandLineUsage() {
  return "Usage: tessaly.exe [/data <folder>] [/category <path> | /open <path>] [/hidden]\n\n"
         "/data <folder>: use the data files of that folder instead of the current folder.\n"
         "/category <path>: show Tessaly with that category selected.\n"
         "/open <path>: open every shortcut of that category, without showing Tessaly.\n"
         "/hidden: start with the window hidden, to be brought by the hotkey or the icon.\n\n"
         "A path names the categories from the top level down, separated by \"\\\", for "
         "example \"Work\\Tools\"; a \"\\\" inside a name is written \"\\\\\".";
}

std::string CommandLineProblemText(const CommandLine& commandLine) {
  return commandLine.problem + "\n\n" + CommandLineUsage();
}

}  // namespace tessaly
