#include "shortcuts/OpenAll.h"

#include "model/BuiltinCategories.h"
#include "shortcuts/ShortcutCommands.h"

namespace tessaly {

std::string OpenAllQuestion(int count, const std::string& categoryName) {
  return "Do you want to open all " + std::to_string(count) + " shortcuts of " + categoryName +
         " ?";
}

std::optional<Shortcuts> ShownEntries(const CategoryNode& node, const ShortcutStore& store,
                                     const LatestResults& latest) {
  // The same choice as the selection makes: a stored section wins, except for "Get All".
  if (!IsGetAll(node)) {
    if (auto section = store.SectionEntries(node)) return section;
  }
  if (!IsComputedCategory(node)) return Shortcuts{};
  const auto found = latest.find(node.name);
  if (found == latest.end()) return std::nullopt;
  return found->second;
}

std::string MissingShortcutsText(const std::string& categoryName, int count,
                                 const std::vector<std::string>& lines) {
  std::string text = std::to_string(lines.size()) + " of the " + std::to_string(count) +
                     " shortcuts of " + categoryName +
                     " were not opened, because what they point to does not exist:\n";
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

OpenAllOutcome OpenAllShortcuts(const std::string& categoryName, const Shortcuts& entries,
                                LinkReader& links, FileExistence& existence, Launcher& launcher,
                                MessageBoxes& boxes) {
  OpenAllOutcome outcome;
  const int count = static_cast<int>(entries.size());
  if (count == 0) {
    boxes.Information(categoryName + " has no shortcuts to open.");
    return outcome;
  }
  if (count > kOpenAllWithoutAsking && !boxes.Confirm(OpenAllQuestion(count, categoryName))) {
    outcome.declined = true;
    return outcome;
  }

  std::vector<std::string> missingLines;
  for (const auto& [title, target] : entries) {
    const OpenDecision decision = DecideOpen(target, links, existence);
    switch (decision.kind) {
      case OpenDecision::Kind::RunBox:
        launcher.SendKeyEvents(RunBoxKeys());
        ++outcome.opened;
        break;
      case OpenDecision::Kind::Missing:
        // A missing file leaves the path empty; a link names its missing target.
        outcome.missing.push_back(title);
        missingLines.push_back(title + ": '" + (decision.path.empty() ? target : decision.path) +
                               "'");
        break;
      case OpenDecision::Kind::Launch:
        launcher.ShellOpen(decision.path, decision.parameters);
        ++outcome.opened;
        break;
    }
  }
  if (!missingLines.empty()) {
    boxes.Information(MissingShortcutsText(categoryName, count, missingLines));
  }
  return outcome;
}

}  // namespace tessaly
