#pragma once
// The commands on the shortcuts of the list: Open, Location and Remove, and the
// checks of the shortcut editor. The windows only perform what is decided here.

#include <functional>
#include <string>

#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
#include "shell/ShellPorts.h"
#include "shortcuts/LaunchHistory.h"
#include "shortcuts/Launching.h"
#include "model/ShortcutList.h"
#include "store/ShortcutStore.h"

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

// The question Remove asks for the selected items.
std::string RemoveQuestion(const ShortcutList& list);

class ShortcutCommands {
 public:
  ShortcutCommands(ShortcutList& list, ShortcutStore& store, LinkReader& links,
                   FileExistence& existence, Launcher& launcher, MessageBoxes& boxes)
      : list_(list),
        store_(store),
        links_(links),
        existence_(existence),
        launcher_(launcher),
        boxes_(boxes) {}

  // Opens the first selected item.
  void Open();
  // Opens it as Open does, with the administrator's rights.
  void RunAsAdministrator();
  // From now on every launch (not a missing target) is recorded in history, with the
  // search text searchText gives at that moment: the field's text while the list shows
  // found shortcuts, else the empty text.
  void RecordLaunchesIn(LaunchHistory& history, std::function<std::string()> searchText) {
    history_ = &history;
    searchText_ = std::move(searchText);
  }
  // Shows the first selected item in the file manager.
  void Location();
  // Asks, then files the selected items in the trash (or, in a category named
  // "Trash", deletes them) and stores the category. True when items were removed.
  bool Remove(const CategoryNode* category);
  // Asks, then files every item in the trash (in a category named "Trash": discards
  // them), empties the list and stores the empty category. True when cleared.
  bool Clear(const CategoryNode* category);
  // Files dropped from the shell: each path not yet a target in the list becomes a
  // shortcut titled by DefaultTitle; then the category is stored.
  void AddDroppedFiles(const std::vector<std::string>& paths, const CategoryNode* category);

 private:
  int FirstSelected() const;
  void Launch(bool elevated);

  ShortcutList& list_;
  ShortcutStore& store_;
  LinkReader& links_;
  FileExistence& existence_;
  Launcher& launcher_;
  MessageBoxes& boxes_;
  LaunchHistory* history_ = nullptr;
  std::function<std::string()> searchText_;
};

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

// Puts the checked fields into the list: the first selected item changes in edit mode,
// a new item is appended otherwise.
void ApplyEditorFields(ShortcutList& list, bool editMode, const EditorFields& fields);

}  // namespace tessaly
