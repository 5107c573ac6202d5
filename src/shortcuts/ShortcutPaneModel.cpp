#include "shortcuts/ShortcutPaneModel.h"

#include <algorithm>
#include <numeric>

#include "base/ScopedFlag.h"
#include "base/Text.h"
#include "model/BuiltinCategories.h"
#include "shell/ListEntries.h"
#include "shell/ShellNames.h"
#include "shortcuts/ShortcutDrops.h"
#include "shortcuts/ShortcutNames.h"

namespace tessaly {

Availability ShortcutPaneModel::Available(int selectedCount) const {
  Availability a;
  const bool selected = selectedCount > 0;
  const CategoryNode* category = list().category();
  switch (list().source()) {
    case ShortcutList::Source::Nothing:
      return a;
    case ShortcutList::Source::Results: {
      // What was found belongs to many categories: it is opened, never changed here.
      // Add ends the search and adds to the category shown before it.
      const CategoryNode* shown = services_.selection.selected();
      a.add = shown != nullptr && !IsGetAll(*shown);
      a.open = selected;
      return a;
    }
    case ShortcutList::Source::Category:
      break;
  }
  // "Get All" is scanned afresh each time: nothing done to its list could be kept.
  const bool keeps = category != nullptr && !IsGetAll(*category);
  a.add = keeps;
  a.edit = keeps && selected;
  a.remove = keeps && selected;
  a.open = selected;
  a.sort = true;
  a.clear = keeps;
  a.drag = selected;
  a.reorder = keeps;
  return a;
}

std::string ShortcutPaneModel::SelectionStatus(const Selection& selection) const {
  if (!selection.empty() && selection.front() < list().Count()) {
    return "Target: " + DisplayTarget(list().At(selection.front()).target, services_.links);
  }
  if (searching()) return std::to_string(list().Count()) + " found";
  return ItemCountText(list().Count());
}

void ShortcutPaneModel::Launch(const Selection& selection, bool elevated) {
  if (selection.empty() || selection.front() >= list().Count()) return;
  const std::string target = list().At(selection.front()).target;
  const OpenDecision decision = DecideOpen(target, services_.links, services_.existence);
  switch (decision.kind) {
    case OpenDecision::Kind::RunBox:
      services_.launcher.SendKeyEvents(RunBoxKeys());
      break;
    case OpenDecision::Kind::Missing:
      services_.boxes.Information(decision.message);
      break;
    case OpenDecision::Kind::Launch:
      if (elevated) {
        services_.launcher.ShellRunAsAdministrator(decision.path, decision.parameters);
      } else {
        services_.launcher.ShellOpen(decision.path, decision.parameters);
      }
      break;
  }
  // After the launch, which must not wait for a file; a history that cannot be
  // written is no reason to say anything.
  if (decision.kind != OpenDecision::Kind::Missing) {
    services_.history.Record(target, searching() ? searchText_ : std::string());
  }
}

void ShortcutPaneModel::Open(const Selection& selection, bool elevated) {
  Launch(selection, elevated);
}

void ShortcutPaneModel::Location(const Selection& selection) {
  if (selection.empty() || selection.front() >= list().Count()) return;
  const std::string target = list().At(selection.front()).target;
  const std::string folder = LocationFolder(target);
  if (!folder.empty() && services_.existence.FolderExists(folder)) {
    services_.launcher.RunCommandLine("Explorer /select, " + target);
  } else {
    services_.boxes.Information("The target: '" + folder + "' does not exist.");
  }
}

bool ShortcutPaneModel::EnsureStorable() {
  return services_.selection.EnsureWhole() && list().StorableAs() != nullptr;
}

Selection ShortcutPaneModel::Retake(const Shortcuts& picked, const Selection& was,
                                    unsigned generation) const {
  Selection found;
  if (list().generation() == generation) {
    for (const int i : was) {
      if (i >= 0 && i < list().Count()) found.push_back(i);
    }
    return found;
  }
  std::vector<bool> used(static_cast<std::size_t>(list().Count()), false);
  for (const Shortcut& entry : picked) {
    for (int i = 0; i < list().Count(); ++i) {
      if (!used[static_cast<std::size_t>(i)] && list().At(i) == entry) {
        used[static_cast<std::size_t>(i)] = true;
        found.push_back(i);
        break;
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

void ShortcutPaneModel::StoreList() {
  if (const CategoryNode* category = list().StorableAs()) {
    services_.store.SaveCategorySection(*category, list().entries());
  }
}

bool ShortcutPaneModel::Remove(const Selection& selection) {
  if (!Available(static_cast<int>(selection.size())).remove) return false;
  const CategoryNode* category = list().category();
  const unsigned generation = list().generation();
  const Shortcuts picked = list().EntriesAt(selection);
  if (!services_.boxes.Confirm(RemoveQuestion(picked))) return false;
  if (!EnsureStorable() || list().category() != category) return false;
  const Selection now = Retake(picked, selection, generation);
  if (now.empty()) return false;
  if (category->name != builtin::Trash) {
    services_.store.AddSelectedToSection(std::string(builtin::Trash), list().EntriesAt(now));
  }
  list().Remove(now);
  StoreList();
  return true;
}

bool ShortcutPaneModel::Clear() {
  if (!Available(0).clear) return false;
  const CategoryNode* category = list().category();
  if (!services_.boxes.Confirm("Do you want to clear all shortcuts of " + category->name + " ?")) {
    return false;
  }
  if (!EnsureStorable() || list().category() != category) return false;
  if (category->name != builtin::Trash) {
    services_.store.AddSelectedToSection(std::string(builtin::Trash), list().entries());
  }
  list().Clear();
  StoreList();
  return true;
}

void ShortcutPaneModel::Sort(const Selection& selection) {
  if (!Available(static_cast<int>(selection.size())).sort) return;
  if (IsGetAll(*list().category())) {
    // Only the view: what "Get All" lists is never stored.
    list().SortByTitle(selection);
    return;
  }
  const unsigned generation = list().generation();
  const Shortcuts picked = list().EntriesAt(selection);
  if (!EnsureStorable()) return;
  list().SortByTitle(Retake(picked, selection, generation));
  StoreList();
}

bool ShortcutPaneModel::RefuseForAdding() {
  const CategoryNode* category = list().category();
  if (list().source() != ShortcutList::Source::Category || category == nullptr) {
    services_.boxes.Information(kNoCategoryText);
    return true;
  }
  if (IsGetAll(*category)) {
    services_.boxes.Information(kGetAllKeepsNothingText);
    return true;
  }
  return false;
}

std::optional<EditorSession> ShortcutPaneModel::StartAdd() {
  // A new shortcut goes into the selected category, shown again for it.
  EndSearch();
  if (RefuseForAdding()) return std::nullopt;
  return EditorSession{false, list().category(), list().generation(), -1, {}};
}

std::optional<EditorSession> ShortcutPaneModel::StartEdit(const Selection& selection) {
  if (!Available(static_cast<int>(selection.size())).edit) return std::nullopt;
  const int item = selection.front();
  return EditorSession{true, list().category(), list().generation(), item, list().At(item)};
}

bool ShortcutPaneModel::AcceptEditor(const EditorSession& session, const EditorFields& fields) {
  // The editor let messages run: a filling may have started or been stopped meanwhile.
  if (!EnsureStorable() || list().category() != session.category) return false;
  if (session.editMode) {
    const Selection now = Retake({session.original}, {session.item}, session.generation);
    if (now.empty()) return false;
    list().Set(now.front(), {fields.title, fields.target}, now);
  } else {
    list().Append(fields.title, fields.target);
    services_.status.SetStatusText(ItemCountText(list().Count()));
  }
  StoreList();
  return true;
}

void ShortcutPaneModel::AddDroppedFiles(const std::vector<std::string>& paths) {
  // Dropped files join the selected category, shown again for it.
  EndSearch();
  if (RefuseForAdding() || !EnsureStorable()) return;
  for (const std::string& path : paths) {
    // A name the store could not carry would break the file's sections.
    if (!StorableText(path)) continue;
    const auto& entries = list().entries();
    const bool present = std::any_of(entries.begin(), entries.end(),
                                     [&](const Shortcut& entry) { return entry.target == path; });
    if (!present) list().Append(DefaultTitle(path, services_.existence), path);
  }
  // The count follows what was added; a count left behind would be a wrong one.
  services_.status.SetStatusText(ItemCountText(list().Count()));
  StoreList();
}

void ShortcutPaneModel::PrepareSearch() {
  const auto& latest = services_.selection.latestResults();
  if (HasGetAll(sources_.tree) && latest.find(std::string(builtin::GetAll)) == latest.end()) return;
  BuildIndex();
}

void ShortcutPaneModel::BuildIndex() {
  // The index is built again only when what it was built from has changed.
  if (indexedStore_ == services_.store.version() &&
      indexedResults_ == services_.selection.resultsVersion()) {
    return;
  }
  const ScopedFlag busy(indexing_);
  services_.selection.ScanGetAllOnce(sources_.tree, sources_.hiddenScans, sources_.hiddenList);
  search_.Index(sources_.tree, services_.store, services_.selection.latestResults());
  indexedStore_ = services_.store.version();
  indexedResults_ = services_.selection.resultsVersion();
}

void ShortcutPaneModel::Search(const std::string& text) {
  const bool blank = TrimCodesUpTo(text, 32).empty();
  if (blank && services_.history.launches().empty()) {
    EndSearch();
    return;
  }
  services_.selection.StopFilling();
  BuildIndex();
  searchText_ = text;
  if (blank) {
    // The summon key and Enter or Down start the usual program.
    Shortcuts recent = search_.Recent(services_.history);
    if (recent.empty()) {
      EndSearch();
      return;
    }
    list().ShowResults(std::move(recent));
    services_.status.SetStatusText(std::to_string(list().Count()) + " opened lately");
    return;
  }
  list().ShowResults(search_.Find(text, services_.history));
  services_.status.SetStatusText(std::to_string(list().Count()) + " found");
}

void ShortcutPaneModel::ForgetHistory() {
  if (!services_.boxes.Confirm("Do you want Tessaly to forget what you opened ?")) return;
  services_.history.Forget();
  if (searching() && TrimCodesUpTo(searchText_, 32).empty()) EndSearch();
}

void ShortcutPaneModel::EndSearch() {
  if (searching()) services_.selection.ShowSelected();
}

std::optional<ShortcutDragging> ShortcutPaneModel::BeginDrag(const Selection& selection) {
  if (!Available(static_cast<int>(selection.size())).drag) return std::nullopt;
  dragStarted_ = true;
  return ShortcutDragging{list().generation(), list().category(), selection,
                          list().EntriesAt(selection)};
}

bool ShortcutPaneModel::AcceptsListDrop(const ShortcutDragging& drag) const {
  return list().generation() == drag.generation &&
         Available(static_cast<int>(drag.items.size())).reorder;
}

bool ShortcutPaneModel::AcceptsCategoryDrop(const ShortcutDragging& drag,
                                            const CategoryNode& target) const {
  // A drag ends with the list it started in: another list's indexes name other items.
  return list().generation() == drag.generation &&
         list().source() == ShortcutList::Source::Category && drag.source != nullptr &&
         list().category() == drag.source && AcceptsShortcutDrop(target, *drag.source);
}

std::string ShortcutPaneModel::ListDropText(const ShortcutDragging& drag, int dropIndex) const {
  if (!AcceptsListDrop(drag)) return kNoDropText;
  if (dropIndex < 0 || dropIndex >= list().Count()) return "Put at the end";
  return "Put before '" + list().At(dropIndex).title + "'";
}

std::string ShortcutPaneModel::CategoryDropText(const ShortcutDragging& drag,
                                                const CategoryNode* target) const {
  if (target == nullptr || !AcceptsCategoryDrop(drag, *target)) return kNoDropText;
  return (IsGetAll(*drag.source) ? "Copy to '" : "Move to '") + target->name + "'";
}

void ShortcutPaneModel::DropOnList(const ShortcutDragging& drag, int dropIndex) {
  dragStarted_ = false;
  if (!AcceptsListDrop(drag)) return;
  const std::optional<Shortcut> dropOn =
      dropIndex >= 0 && dropIndex < list().Count() ? std::optional(list().At(dropIndex)) : std::nullopt;
  if (!EnsureStorable()) return;
  const Selection items = Retake(drag.values, drag.items, drag.generation);
  int drop = dropIndex;
  if (list().generation() != drag.generation) {
    const auto& entries = list().entries();
    const auto at = dropOn ? std::find(entries.begin(), entries.end(), *dropOn) : entries.end();
    drop = at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
  }
  const std::vector<int> order = ReorderByDrop(list().Count(), items, drop);
  if (std::is_sorted(order.begin(), order.end())) return;
  // None of the moved items stays selected.
  list().Reorder(order, {});
  StoreList();
}

bool ShortcutPaneModel::DropOnCategory(const ShortcutDragging& drag, const CategoryNode& target) {
  dragStarted_ = false;
  if (!AcceptsCategoryDrop(drag, target)) return false;
  if (IsGetAll(*drag.source)) {
    services_.store.AppendItemsToSection(target, drag.values);
    return false;
  }
  if (!EnsureStorable() || list().category() != drag.source) return false;
  const Selection moved = Retake(drag.values, drag.items, drag.generation);
  services_.store.AppendItemsToSection(target, list().EntriesAt(moved));
  list().Remove(moved);
  StoreList();
  return true;
}

}  // namespace tessaly
