#include "app/Session.h"

#include <utility>

#include "base/Text.h"
#include "categories/CategoryEditing.h"
#include "store/Backups.h"
#include "store/DataFile.h"

namespace tessaly {

std::string DataDirectoryFrom(const std::string& currentDirectory) {
  return WithTrailingBackslash(currentDirectory);
}

Placement StoredPlacement(const Settings& settings) {
  Placement placement;
  const std::string maximize = settings.ReadSetting(setting_key::Maximize);
  if (maximize.empty()) return placement;
  if (maximize == "1") {
    placement.kind = Placement::Kind::Maximized;
    return placement;
  }
  const auto left = ParseDecimal(settings.ReadSetting(setting_key::Left));
  const auto top = ParseDecimal(settings.ReadSetting(setting_key::Top));
  const auto width = ParseDecimal(settings.ReadSetting(setting_key::Width));
  const auto height = ParseDecimal(settings.ReadSetting(setting_key::Height));
  // A window without area could not be reached or resized by the user.
  if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return placement;
  placement.kind = Placement::Kind::Stored;
  placement.left = *left;
  placement.top = *top;
  placement.width = *width;
  placement.height = *height;
  return placement;
}

Session::Session(FileStore& files, MessageBoxes& boxes, const std::string& currentDirectory,
                 Clock& clock)
    : files_(files),
      boxes_(boxes),
      dataDirectory_(DataDirectoryFrom(currentDirectory)),
      settings_(files, boxes, dataDirectory_ + "Settings.sts", clock),
      shortcuts_(files, boxes, dataDirectory_ + "Shortcuts.sts", clock),
      categoryFile_(files, dataDirectory_ + "Categories.sts", clock),
      history_(files, dataDirectory_ + kHistoryFileName) {
  shortcuts_.OnWritten([this] {
    if (treeWaiting_) SaveTree();
  });
}

template <typename Attempt>
bool Session::ReadOrGiveUp(const std::string& path, Attempt attempt) {
  for (;;) {
    const ReadResult result = attempt();
    if (result.status != ReadStatus::Failed) return true;
    if (boxes_.AskAfterFailedRead(ReadFailureText(path, result.error)) ==
        ReadFailureChoice::Cancel) {
      return false;
    }
  }
}

bool Session::Open() {
  const std::string backup = dataDirectory_ + "Shortcuts_backup.sts";
  // First, so that no file is taken for missing while its last whole version still
  // stands beside it under a temporary name.
  for (const std::string& path :
       {settings_.Path(), shortcuts_.Path(), categoryFile_.Path(), backup}) {
    const bool whole = ReadOrGiveUp(path, [&] {
      const WriteResult recovered = files_.RecoverInterruptedWrite(path);
      return recovered ? ReadResult{ReadStatus::Read, {}, {}}
                       : ReadResult{ReadStatus::Failed, {}, recovered.error};
    });
    if (!whole) return false;
  }
  if (!ReadOrGiveUp(settings_.Path(), [&] { return settings_.Load(); })) return false;
  if (!ReadOrGiveUp(shortcuts_.Path(), [&] { return shortcuts_.Load(); })) return false;
  if (categoryFile_.Exists()) {
    // What was opened only orders the search: it never stops the start.
    history_.SetLearning(LearningOn(settings_));
    history_.Load();
    // Such copies are never read as Tessaly's own files; the user merges them by hand.
    const std::vector<std::string> copies = SyncConflictCopies(files_.ListFiles(dataDirectory_));
    if (!copies.empty()) boxes_.Information(SyncConflictText(dataDirectory_, copies));
    return true;
  }

  boxes_.Confirm(kMissingCategoriesText);
  if (files_.FileExists(shortcuts_.Path())) {
    const WriteResult copied = files_.CopyFile(shortcuts_.Path(), backup);
    if (!copied) boxes_.Error(WriteFailureText(backup, copied.error));
  }
  return false;
}

ViewStyle Session::StoredView() const {
  return ViewStyleFromSetting(settings_.ReadSetting(setting_key::View));
}

bool Session::LoadTree() {
  // The file was there at the start; gone now, it is as unreadable as a locked one.
  treeLoaded_ = ReadOrGiveUp(categoryFile_.Path(), [&] {
    tree_.clear();
    ReadResult result = categoryFile_.Load(tree_);
    if (result.status == ReadStatus::Missing) result.status = ReadStatus::Failed;
    return result;
  });
  if (treeLoaded_ && SeparateTwins(tree_, shortcuts_)) {
    // The store first: the tree waits for it if it cannot be written.
    shortcuts_.SaveIfUnsaved();
    SaveTree();
  }
  return treeLoaded_;
}

std::optional<int> Session::InitialSelection() {
  if (tree_.empty()) return std::nullopt;
  const std::string stored = settings_.ReadSetting(setting_key::Treeselect);
  if (stored.empty()) return 0;
  const auto index = ParseDecimal(stored);
  if (!index) {
    boxes_.Error("'" + stored + "' is not a valid integer value.");
    return std::nullopt;
  }
  if (tree_.NodeAt(*index) == nullptr) return 0;
  return *index;
}

bool Session::SaveTree() {
  if (!treeLoaded_) return false;
  treeWaiting_ = shortcuts_.unsavedPaths();
  if (treeWaiting_) return false;
  TreeMergeReport report;
  const WriteResult written = categoryFile_.Save(tree_, &report);
  Tell(report);
  if (!written) boxes_.Error(WriteFailureText(categoryFile_.Path(), written.error));
  if (written && report.changed) SettleTwins();
  return written.ok;
}

void Session::Tell(const TreeMergeReport& report) {
  if (report.changed) treeChangedOutside_ = true;
  if (report.conflicts.empty()) return;
  std::vector<std::string> parts;
  for (const std::string& path : report.conflicts) parts.push_back("the category " + path);
  boxes_.Information(ConflictText(categoryFile_.Path(), parts, report.keptAt));
}

void Session::SettleTwins() {
  // Once: the writes below merge again only if yet another program wrote meanwhile.
  if (settlingTwins_) return;
  settlingTwins_ = true;
  if (SeparateTwins(tree_, shortcuts_)) {
    shortcuts_.SaveIfUnsaved();
    SaveTree();
  }
  settlingTwins_ = false;
}

OutsideChanges Session::ReloadChangedFiles() {
  settings_.Reload();
  shortcuts_.Reload();
  if (treeLoaded_) {
    const TreeMergeReport report = categoryFile_.Reload(tree_);
    Tell(report);
    if (report.changed) SettleTwins();
  }
  OutsideChanges changes;
  changes.settings = settings_.TakeOutsideChange();
  changes.shortcuts = shortcuts_.TakeOutsideChange();
  changes.categories = std::exchange(treeChangedOutside_, false);
  return changes;
}

namespace {

std::string CloseFailureText(const std::string& what, const std::string& path,
                             const std::string& error, const std::string& continueText) {
  return "The " + what + " could not be saved to '" + path + "'" +
         (error.empty() ? std::string() : ": " + error) +
         ".\n\nTry Again: write the file again.\nContinue: " + continueText +
         "\nCancel: keep Tessaly open.";
}

}  // namespace

bool Session::Close(const CategoryNode* selected) {
  // Until the tree is read, neither the selection nor the tree in memory is the
  // user's: writing them would replace what is on disk with nothing.
  if (!treeLoaded_) return true;
  // A change of the shortcuts that a failed write kept in memory gets its last chance.
  while (shortcuts_.unsaved()) {
    const WriteResult written = shortcuts_.WriteUnsaved();
    if (written) break;
    const std::string text = CloseFailureText(
        "shortcuts", shortcuts_.Path(), written.error,
        "close without saving the changes to the shortcuts (and the renamed or moved "
        "categories that they follow).");
    const SaveFailureChoice choice = boxes_.AskAfterFailedSave(text);
    if (choice == SaveFailureChoice::StayOpen) return false;
    if (choice == SaveFailureChoice::CloseAnyway) break;
  }
  // The shortcut file on disk still has the old paths: a tree written now would leave
  // those categories' shortcuts under paths no category has, and a selection stored
  // now would count its place in a tree that is not on disk.
  if (shortcuts_.unsavedPaths()) return true;
  // The selection is stored as a place in the tree that is written: the tree takes in
  // what another program wrote to the file first, and the selected category is found
  // again by its path.
  const std::vector<std::string> selectedPath =
      selected != nullptr ? PathOf(*selected) : std::vector<std::string>{};
  Tell(categoryFile_.Reload(tree_));
  const CategoryNode* now = selectedPath.empty() ? nullptr : tree_.FindPath(selectedPath);
  // With nothing selected the first category is stored, so the next start shows one.
  const int index = now != nullptr ? tree_.AbsoluteIndex(*now) : 0;
  settings_.WriteSetting(setting_key::Treeselect, std::to_string(index < 0 ? 0 : index));
  for (;;) {
    TreeMergeReport report;
    const WriteResult written = categoryFile_.Save(tree_, &report);
    Tell(report);
    if (written) return true;
    const std::string text = CloseFailureText("categories", categoryFile_.Path(), written.error,
                                              "close without saving the changes to the categories.");
    switch (boxes_.AskAfterFailedSave(text)) {
      case SaveFailureChoice::Retry:
        continue;
      case SaveFailureChoice::CloseAnyway:
        return true;
      case SaveFailureChoice::StayOpen:
        return false;
    }
  }
}

}  // namespace tessaly
