// Categories.sts as it may be found on disk, then the category commands a user runs on
// the tree; whatever is written must read back as the same tree.

#include "categories/CategoryEditing.h"
#include "categories/IconText.h"
#include "fuzz/FuzzSupport.h"
#include "store/CategoryStore.h"
#include "support/Fakes.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

namespace {

CategoryNode* Pick(CategoryTree& tree, FuzzedDataProvider& input) {
  const int count = tree.Count();
  if (count == 0) return nullptr;
  return tree.NodeAt(input.ConsumeIntegralInRange(0, count - 1));
}

void RunCommand(CategoryTree& tree, ShortcutStore& store, FuzzedDataProvider& input) {
  CategoryNode* node = Pick(tree, input);
  if (node == nullptr) return;
  switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0:
    case 1: {  // Add, Insert, Rename through the name dialog's checks
      std::string name = LineText(input);
      if (!CheckCategoryName(name).ok) return;
      const auto mode = static_cast<NameDialogMode>(input.ConsumeIntegralInRange(1, 3));
      if (mode == NameDialogMode::Rename && KeepsNameAndPlace(*node)) return;
      ApplyCategoryName(tree, store, *node, mode, name);
      return;
    }
    case 2:
      DeleteCategory(tree, store, *node);
      return;
    case 3:  // an icon as the chooser hands it over
      ApplyIconChoice(*node, FileIconText(input.ConsumeIntegralInRange(0, 300), LineText(input, 40)));
      return;
    default: {  // a category dragged onto another, or before it
      CategoryNode* target = Pick(tree, input);
      if (target == nullptr) return;
      if (input.ConsumeBool()) {
        tree.MoveToLastChild(*node, *target);
      } else {
        tree.MoveBefore(*node, *target);
      }
      return;
    }
  }
}

// The reader strips leading codes of 32 and below from the first line only, so a name
// that begins so cannot stand first: a format rule. The dialogs never make such a name;
// a file edited by hand can, and a move or a delete can then put it first.
bool FirstNameCarried(const CategoryTree& tree) {
  return tree.empty() || tree.roots().front()->name.empty() ||
         static_cast<unsigned char>(tree.roots().front()->name.front()) > 32;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const CodePage codePage(input);
  const std::string file = input.ConsumeRandomLengthString(4096);

  testing::FakeFileStore files;
  testing::RecordingMessageBoxes boxes;
  ShortcutStore store(files, boxes, "S");
  CategoryTree tree;
  const CategoryLoadReport report = LoadCategoryTree(tree, SplitLines(file));
  Check(report.nodesRead == tree.Count(), "every node read is counted");

  const int commands = input.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < commands; ++i) RunCommand(tree, store, input);

  // The written lines read back as the same tree, and writing that gives the same lines.
  const LineList written = SaveCategoryTree(tree);
  if (!FirstNameCarried(tree)) return 0;
  CategoryTree again;
  LoadCategoryTree(again, SplitLines(JoinLines(written)));
  Check(Describe(tree) == Describe(again), "the tree read back is the tree written");
  Check(SaveCategoryTree(again) == written, "a second write gives the same lines");

  // The stored selection names the same category after the round trip.
  const int count = tree.Count();
  for (int i = 0; i < count; ++i) Check(tree.AbsoluteIndex(*tree.NodeAt(i)) == i, "absolute order");
  return 0;
}
