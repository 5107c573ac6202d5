#include "shortcuts/ShortcutCommands.h"

#include "base/Text.h"
#include "model/BuiltinCategories.h"
#include "shell/ShellNames.h"
#include "shortcuts/ShortcutNames.h"

namespace tessaly {

namespace {

constexpr unsigned char kLeftWindowsKey = 0x5B;
constexpr unsigned char kRKey = 0x52;

// Texts the store cannot carry: a line break splits an entry, and the section
// markers would be read as the start or end of a section.
bool Unstorable(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos || ContainsText(text, "<[") ||
         ContainsText(text, "]>");
}

// The list with every item counting as selected: Clear files them all the way
// Remove files the selected ones.
class EveryItemSelected : public ShortcutList {
 public:
  explicit EveryItemSelected(const ShortcutList& list) : list_(list) {}
  int Count() const override { return list_.Count(); }
  std::string Title(int i) const override { return list_.Title(i); }
  std::string Target(int i) const override { return list_.Target(i); }
  bool IsSelected(int) const override { return true; }
  int Append(const std::string&, const std::string&) override { return -1; }
  void SetItem(int, const std::string&, const std::string&) override {}
  int InsertCopy(int, int) override { return -1; }
  void Delete(int) override {}
  void Clear() override {}
  void BeginUpdate() override {}
  void EndUpdate() override {}
  void SortByTitle() override {}

 private:
  const ShortcutList& list_;
};

}  // namespace

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

std::string RemoveQuestion(const ShortcutList& list) {
  int selected = 0;
  int first = -1;
  for (int i = 0; i < list.Count(); ++i) {
    if (!list.IsSelected(i)) continue;
    if (first < 0) first = i;
    ++selected;
  }
  if (selected == 1) return "Do you want to delete '" + list.Title(first) + "' ?";
  return "Do you want to delete the " + std::to_string(selected) + " items ?";
}

int ShortcutCommands::FirstSelected() const {
  for (int i = 0; i < list_.Count(); ++i) {
    if (list_.IsSelected(i)) return i;
  }
  return -1;
}

void ShortcutCommands::Open() { Launch(false); }

void ShortcutCommands::RunAsAdministrator() { Launch(true); }

void ShortcutCommands::Launch(bool elevated) {
  const int item = FirstSelected();
  if (item < 0) return;
  const std::string target = list_.Target(item);
  const OpenDecision decision = DecideOpen(target, links_, existence_);
  switch (decision.kind) {
    case OpenDecision::Kind::RunBox:
      launcher_.SendKeyEvents(RunBoxKeys());
      break;
    case OpenDecision::Kind::Missing:
      boxes_.Information(decision.message);
      break;
    case OpenDecision::Kind::Launch:
      if (elevated) {
        launcher_.ShellRunAsAdministrator(decision.path, decision.parameters);
      } else {
        launcher_.ShellOpen(decision.path, decision.parameters);
      }
      break;
  }
  // After the launch, which should not wait for the file; and a history that cannot
  // be written is no reason to say anything.
  if (history_ != nullptr && decision.kind != OpenDecision::Kind::Missing) {
    history_->Record(target, searchText_ ? searchText_() : std::string());
  }
}

void ShortcutCommands::Location() {
  const int item = FirstSelected();
  if (item < 0) return;
  const std::string target = list_.Target(item);
  const std::string folder = LocationFolder(target);
  if (!folder.empty() && existence_.FolderExists(folder)) {
    launcher_.RunCommandLine("Explorer /select, " + target);
  } else {
    boxes_.Information("The target: '" + folder + "' does not exist.");
  }
}

bool ShortcutCommands::Remove(const CategoryNode* category) {
  if (FirstSelected() < 0 || category == nullptr) return false;
  if (!boxes_.Confirm(RemoveQuestion(list_))) return false;
  if (category->name != builtin::Trash) {
    store_.AddSelectedToSection(std::string(builtin::Trash), list_);
  }
  for (int i = list_.Count() - 1; i >= 0; --i) {
    if (list_.IsSelected(i)) list_.Delete(i);
  }
  store_.SaveCategorySection(*category, list_);
  return true;
}

bool ShortcutCommands::Clear(const CategoryNode* category) {
  if (category == nullptr) return false;
  if (!boxes_.Confirm("Do you want to clear all shortcuts of " + category->name + " ?")) {
    return false;
  }
  if (category->name != builtin::Trash) {
    store_.AddSelectedToSection(std::string(builtin::Trash), EveryItemSelected(list_));
  }
  list_.Clear();
  store_.SaveCategorySection(*category, list_);
  return true;
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
  if (Unstorable(text)) {
    check.failed = field;
    check.message = std::string("The ") + name + " cannot contain a line break, \"<[\" or \"]>\".";
    return false;
  }
  return true;
}

}  // namespace

void ShortcutCommands::AddDroppedFiles(const std::vector<std::string>& paths,
                                       const CategoryNode* category) {
  for (const std::string& path : paths) {
    bool present = false;
    for (int i = 0; i < list_.Count() && !present; ++i) present = list_.Target(i) == path;
    if (!present) list_.Append(DefaultTitle(path, existence_), path);
  }
  if (category != nullptr) store_.SaveCategorySection(*category, list_);
}

EditorCheck CheckEditorFields(EditorFields& fields) {
  EditorCheck check;
  if (CheckField(fields.target, EditorCheck::Field::Target, "Target box is empty", "target", check)) {
    CheckField(fields.title, EditorCheck::Field::Title, "Title box is empty", "title", check);
  }
  return check;
}

void ApplyEditorFields(ShortcutList& list, bool editMode, const EditorFields& fields) {
  if (editMode) {
    for (int i = 0; i < list.Count(); ++i) {
      if (list.IsSelected(i)) {
        list.SetItem(i, fields.title, fields.target);
        return;
      }
    }
    return;
  }
  list.Append(fields.title, fields.target);
}

}  // namespace tessaly
