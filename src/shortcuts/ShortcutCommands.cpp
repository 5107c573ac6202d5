#include "shortcuts/ShortcutCommands.h"

#include "base/Text.h"
#include "shell/ShellNames.h"

namespace tessaly {

namespace {

constexpr unsigned char kLeftWindowsKey = 0x5B;
constexpr unsigned char kRKey = 0x52;

}  // namespace

bool StorableText(const std::string& text) {
  return text.find_first_of("\r\n") == std::string::npos && !ContainsText(text, "<[") &&
         !ContainsText(text, "]>");
}

OpenDecision DecideOpen(const std::string& target, LinkReader& links, FileExistence& existence) {
  OpenDecision decision;
  if (target == kRunBoxTarget) {
    decision.kind = OpenDecision::Kind::RunBox;
    return decision;
  }
  if (!existence.FileOrFolderExists(target)) {
    decision.kind = OpenDecision::Kind::Missing;
    decision.message = "The file: '" + target + "' does not exist.";
    return decision;
  }
  decision.path = target;
  if (HasExtension(target, ".lnk")) {
    LinkInfo info;
    if (links.ResolveLink(info, target)) decision.path = info.Target;
    if (decision.path.empty()) {
      // A link to a shell object has no path: the link file itself is opened.
      decision.path = target;
    } else if (!existence.FileOrFolderExists(decision.path)) {
      decision.kind = OpenDecision::Kind::Missing;
      decision.message = "The target: '" + decision.path + "' does not exist.";
      return decision;
    } else {
      decision.parameters = info.Arguments;
    }
  }
  return decision;
}

std::vector<KeyEvent> RunBoxKeys() {
  return {{kLeftWindowsKey, false}, {kRKey, false}, {kRKey, true}, {kLeftWindowsKey, true}};
}

std::string LocationFolder(const std::string& target) {
  const std::size_t cut = FindLastOf(target, "\\:");
  return cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
}

std::string RemoveQuestion(const Shortcuts& picked) {
  if (picked.size() == 1) return "Do you want to delete '" + picked.front().title + "' ?";
  return "Do you want to delete the " + std::to_string(picked.size()) + " items ?";
}

namespace {

// Trims one field in place; false (with the check filled in) when it cannot be used.
bool CheckField(std::string& text, EditorCheck::Field field, const char* emptyMessage,
                const char* name, EditorCheck& check) {
  text = TrimCodesUpTo(text, 32);
  if (text.empty()) {
    check.failed = field;
    check.message = emptyMessage;
    return false;
  }
  if (!StorableText(text)) {
    check.failed = field;
    check.message = std::string("The ") + name + " cannot contain a line break, \"<[\" or \"]>\".";
    return false;
  }
  return true;
}

}  // namespace

EditorCheck CheckEditorFields(EditorFields& fields) {
  EditorCheck check;
  if (CheckField(fields.target, EditorCheck::Field::Target, "Target box is empty", "target", check)) {
    CheckField(fields.title, EditorCheck::Field::Title, "Title box is empty", "title", check);
  }
  return check;
}

}  // namespace tessaly
