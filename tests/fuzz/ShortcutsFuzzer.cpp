// Shortcuts.sts as it may be found on disk, then the commands a user runs on it, as
// the pane runs them. Every save writes exactly the lines in memory, a stored list
// reads back as that list, and no two categories ever share a path.

#include "categories/CategoryEditing.h"
#include "fuzz/FuzzSupport.h"
#include "shell/ListEntries.h"
#include "shortcuts/ShortcutPaneModel.h"
#include "store/CategoryStore.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

namespace {

const char* const kPath = "C:\\D\\Shortcuts.sts";

// The tree the sections belong to: its names come from the input too.
void MakeTree(CategoryTree& tree, FuzzedDataProvider& input) {
  LineList lines{"Work ;015", "    Tools ;015", "Programs ;00", "    Get All ;013", "Trash ;020"};
  const int more = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < more; ++i) {
    std::string name = LineText(input, 12);
    if (!CheckCategoryName(name).ok) continue;
    lines.push_back(std::string(static_cast<std::size_t>(input.ConsumeIntegralInRange(0, 2)) * 4, ' ') + name);
  }
  LoadCategoryTree(tree, lines);
}

Selection PickSelection(const ShortcutList& list, FuzzedDataProvider& input) {
  Selection picked;
  for (int i = 0; i < list.Count(); ++i) {
    if (input.ConsumeBool()) picked.push_back(i);
  }
  return picked;
}

struct Run {
  testing::FakeFileStore files;
  testing::RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  ShortcutList list{testing::WordOrder};
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  testing::FakeBusyCursor cursor;
  ListEntryAdder adder{list, status, pump};
  testing::FakeFolders folders;
  testing::FakeLinkReader links;
  testing::FakeDirectories dirs;
  ShellScans scans{folders, links, dirs, dirs, adder};
  CategorySelection selection{store, scans, adder, folders, dirs, cursor};
  ShortcutList hiddenList;
  ListEntryAdder hiddenAdder{hiddenList, status, pump};
  ShellScans hiddenScans{folders, links, dirs, dirs, hiddenAdder};
  testing::FakeLauncher launcher;
  CategoryTree tree;
  ShortcutPaneModel pane{{store, selection, list, links, dirs, launcher, boxes, status},
                         {tree, hiddenScans, hiddenList}};

  // After a save the file holds what memory holds, line for line. (Removing a section
  // saves nothing: the file follows with the next save.)
  void CheckFile() {
    Check(files.files[kPath] == JoinLines(store.Lines()), "the file is the lines in memory");
    Check(SplitLines(files.files[kPath]) == store.Lines(), "the file reads back as the same lines");
  }
  // A list that may be stored reads back from the store as it is shown, when the
  // format can carry its texts (a hand-edited file may hold titles it cannot).
  void CheckStoredAsShown() {
    const CategoryNode* category = list.StorableAs();
    if (category == nullptr || files.writes.empty()) return;
    for (const Shortcut& entry : list.entries()) {
      if (!StorableText(entry.title) || !StorableText(entry.target)) return;
    }
    const auto stored = store.SectionEntries(*category);
    if (!stored) {
      Check(list.Count() == 0, "a category without a section shows nothing");
      return;
    }
    Check(*stored == list.entries(), "a stored section reads back as the list");
  }
  void CheckNoTwins() {
    tree.ForEach([&](CategoryNode& node) {
      const auto& siblings = node.parent() != nullptr ? node.parent()->children() : tree.roots();
      int same = 0;
      for (const auto& sibling : siblings) same += sibling->name == node.name ? 1 : 0;
      Check(same == 1, "a path names one category");
    });
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const CodePage codePage(input);
  Run run;
  run.files.files[kPath] = input.ConsumeRandomLengthString(4096);
  run.store.Load();
  Check(run.store.Lines() == SplitLines(run.files.files[kPath]), "the store holds the file's lines");
  MakeTree(run.tree, input);
  SeparateTwins(run.tree, run.store);
  run.CheckNoTwins();
  CategoryTree& tree = run.tree;

  const int commands = input.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < commands && tree.Count() > 0; ++i) {
    CategoryNode& node = *tree.NodeAt(input.ConsumeIntegralInRange(0, tree.Count() - 1));
    const std::size_t writes = run.files.writes.size();
    run.boxes.confirmAnswers = {true};
    switch (input.ConsumeIntegralInRange(0, 8)) {
      case 0:  // selecting the category
        run.selection.Select(&node);
        break;
      case 1: {  // Add or Edit through the editor
        EditorFields fields{LineText(input), LineText(input)};
        if (!CheckEditorFields(fields).ok()) break;
        const auto session = input.ConsumeBool() ? run.pane.StartAdd()
                                                 : run.pane.StartEdit(PickSelection(run.list, input));
        if (session) run.pane.AcceptEditor(*session, fields);
        break;
      }
      case 2:  // Sort
        run.pane.Sort(PickSelection(run.list, input));
        break;
      case 3:  // Remove or Clear, answered Yes
        if (input.ConsumeBool()) {
          run.pane.Remove(PickSelection(run.list, input));
        } else {
          run.pane.Clear();
        }
        break;
      case 4: {  // shortcuts dragged onto a category, or within the list
        const auto drag = run.pane.BeginDrag(PickSelection(run.list, input));
        if (!drag) break;
        if (input.ConsumeBool()) {
          run.pane.DropOnCategory(*drag, node);
        } else {
          run.pane.DropOnList(*drag, input.ConsumeIntegralInRange(-1, run.list.Count()));
        }
        break;
      }
      case 5: {  // Rename, or Delete, of the category
        std::string name = LineText(input, 12);
        const bool nameTaken = CheckCategoryName(name).ok &&
                               CheckNameIsFree(tree, node, NameDialogMode::Rename, name).ok;
        if (input.ConsumeBool() && nameTaken && !KeepsNameAndPlace(node)) {
          ApplyCategoryName(tree, run.store, node, NameDialogMode::Rename, name);
        } else {
          run.selection.Forget(node);
          DeleteCategory(tree, run.store, node);
        }
        break;
      }
      case 6: {  // Add or Insert a category
        std::string name = LineText(input, 12);
        const auto mode = input.ConsumeBool() ? NameDialogMode::Add : NameDialogMode::Insert;
        if (CheckCategoryName(name).ok && CheckNameIsFree(tree, node, mode, name).ok) {
          ApplyCategoryName(tree, run.store, node, mode, name);
        }
        break;
      }
      case 7:  // files dropped from the shell
        run.pane.AddDroppedFiles({LineText(input), LineText(input)});
        break;
      default: {  // a category moved, its sections carried along
        CategoryNode& target = *tree.NodeAt(input.ConsumeIntegralInRange(0, tree.Count() - 1));
        MoveCategory(tree, run.store, node, target,
                     input.ConsumeBool() ? CategoryDropPlace::LastChild : CategoryDropPlace::Before);
        break;
      }
    }
    if (run.files.writes.size() != writes) {
      run.CheckFile();
      run.CheckStoredAsShown();
    }
    run.CheckNoTwins();
  }
  return 0;
}
