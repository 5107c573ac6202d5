#pragma once
// What opening a shortcut means, the texts the commands ask and say, and the checks
// of the shortcut editor.

#include <string>
#include <vector>

#include "model/Shortcut.h"
#include "shell/ShellPorts.h"
#include "shortcuts/Launching.h"

namespace tessaly {

// The special target that brings up the system's Run box.
inline constexpr const char* kRunBoxTarget = "win+r";

struct OpenDecision {
  enum class Kind { RunBox, Missing, Launch };
  Kind kind = Kind::Launch;
  std::string path;        // Launch: what the shell opens
  std::string parameters;  // Launch: the link's arguments, or ""
  std::string message;     // Missing: the information text
};

// What opening target means: the Run box, a message, or a launch (a readable link is
// launched as its own target with its arguments).
OpenDecision DecideOpen(const std::string& target, LinkReader& links, FileExistence& existence);

// The four key events of Win+R: Windows down, R down, R up, Windows up.
std::vector<KeyEvent> RunBoxKeys();

// The folder part of a target: up to and including its last "\" or ":".
std::string LocationFolder(const std::string& target);

// The question Remove asks for the picked items.
std::string RemoveQuestion(const Shortcuts& picked);

// False for texts the store cannot carry: a line break splits an entry, and the
// section markers "<[" and "]>" would be read as the start or end of a section.
bool StorableText(const std::string& text);

// The shortcut editor's two fields.
struct EditorFields {
  std::string target;
  std::string title;
};

struct EditorCheck {
  enum class Field { None, Target, Title };
  Field failed = Field::None;  // the field that gets the focus back
  std::string message;         // the information text shown
  bool ok() const { return failed == Field::None; }
};

// Trims both fields (target first, each only once it is reached) and checks them.
EditorCheck CheckEditorFields(EditorFields& fields);

}  // namespace tessaly
