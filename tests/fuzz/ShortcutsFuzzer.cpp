// Shortcuts.sts as it may be found on disk, then the shortcut commands a user runs on
// it. Every save writes exactly the lines in memory, and a section saved from a list
// loads back as that list.

#include "categories/CategoryEditing.h"
#include "fuzz/FuzzSupport.h"
#include "shell/ListEntries.h"
#include "shortcuts/ShortcutCommands.h"
#include "store/CategoryStore.h"
#include "store/ShortcutStore.h"
#include "support/Fakes.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

namespace {

const char* const kPath = "C:\\D\\Shortcuts.sts";

// Remove and Clear launch nothing.
class NoLauncher : public Launcher {
 public:
  void ShellOpen(const std::string&, const std::string&) override {}
  void ShellRunAsAdministrator(const std::string&, const std::string&) override {}
  void RunCommandLine(const std::string&) override {}
  void SendKeyEvents(const std::vector<KeyEvent>&) override {}
};

// The tree the sections belong to: its names come from the input too.
void MakeTree(CategoryTree& tree, FuzzedDataProvider& input) {
  LineList lines{"Work ;015", "    Tools ;015", "Trash ;020"};
  const int more = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < more; ++i) {
    std::string name = LineText(input, 12);
    if (!CheckCategoryName(name).ok) continue;
    lines.push_back(std::string(static_cast<std::size_t>(input.ConsumeIntegralInRange(0, 2)) * 4, ' ') + name);
  }
  LoadCategoryTree(tree, lines);
}

// A shortcut as the editor lets it through.
bool AddShortcut(testing::FakeShortcutList& list, FuzzedDataProvider& input) {
  EditorFields fields{LineText(input), LineText(input)};
  if (!CheckEditorFields(fields).ok()) return false;
  list.Add(fields.title, fields.target, input.ConsumeBool());
  return true;
}

struct Run {
  testing::FakeFileStore files;
  testing::RecordingMessageBoxes boxes;
  ShortcutStore store{files, boxes, kPath};
  testing::FakeShortcutList list;
  testing::FakeStatusLine status;
  testing::FakeMessagePump pump;
  ListEntryAdder adder{list, status, pump};
  testing::FakeLinkReader links;
  testing::FakeDirectories dirs;
  NoLauncher launcher;
  ShortcutCommands commands{list, store, links, dirs, launcher, boxes};

  // After a save the file holds what memory holds, line for line. (Removing a section
  // saves nothing: the file follows with the next save.)
  void CheckFile() {
    Check(files.files[kPath] == JoinLines(store.Lines()), "the file is the lines in memory");
    Check(SplitLines(files.files[kPath]) == store.Lines(), "the file reads back as the same lines");
  }
  void CheckLoadsBack(const CategoryNode& node) {
    const std::vector<testing::FakeItem> saved = list.items;
    Check(store.LoadCategorySection(node, adder), "a saved section exists");
    Check(list.items.size() == saved.size(), "a saved section loads back whole");
    for (std::size_t i = 0; i < saved.size(); ++i) {
      Check(list.items[i].title == saved[i].title && list.items[i].target == saved[i].target,
            "a saved section loads back in order");
    }
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
  CategoryTree tree;
  MakeTree(tree, input);

  const int commands = input.ConsumeIntegralInRange(0, 10);
  for (int i = 0; i < commands && tree.Count() > 0; ++i) {
    CategoryNode& node = *tree.NodeAt(input.ConsumeIntegralInRange(0, tree.Count() - 1));
    const std::size_t writes = run.files.writes.size();
    switch (input.ConsumeIntegralInRange(0, 6)) {
      case 0:  // selecting the category
        run.store.LoadCategorySection(node, run.adder);
        break;
      case 1:  // Add through the editor, or a drop
        if (AddShortcut(run.list, input)) {
          run.store.SaveCategorySection(node, run.list);
          run.CheckLoadsBack(node);
        }
        break;
      case 2:  // Sort
        run.list.SortByTitle();
        run.store.SaveCategorySection(node, run.list);
        run.CheckLoadsBack(node);
        break;
      case 3:  // Remove, then Clear, both answered Yes
        run.boxes.confirmAnswers = {true};
        if (input.ConsumeBool()) {
          run.commands.Remove(&node);
        } else {
          run.commands.Clear(&node);
        }
        break;
      case 4: {  // shortcuts dragged onto a category
        std::vector<int> indexes;
        const int count = input.ConsumeIntegralInRange(0, 4);
        for (int k = 0; k < count; ++k) indexes.push_back(input.ConsumeIntegralInRange(-1, 6));
        run.store.AppendItemsToSection(node, run.list, indexes);
        break;
      }
      case 5: {  // Rename, or Delete, of the category
        std::string name = LineText(input, 12);
        if (input.ConsumeBool() && CheckCategoryName(name).ok) {
          run.store.RenameCategorySection(node, name);
          node.name = name;
        } else {
          run.store.RemoveCategorySection(node);
          tree.Remove(node);
        }
        break;
      }
      default: {  // a category moved, its sections carried along
        CategoryNode& target = *tree.NodeAt(input.ConsumeIntegralInRange(0, tree.Count() - 1));
        const auto oldHeaders = ShortcutStore::SubtreeHeaders(node);
        tree.MoveToLastChild(node, target);
        run.store.MoveCategorySections(oldHeaders, ShortcutStore::SubtreeHeaders(node));
        break;
      }
    }
    if (run.files.writes.size() != writes) run.CheckFile();
  }
  return 0;
}
