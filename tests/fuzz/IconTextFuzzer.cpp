// Icon texts as they may stand in Categories.sts: whatever the parser makes of one is
// written back in the same form, and a category keeps its icon text across a write.

#include "categories/IconText.h"
#include "fuzz/FuzzSupport.h"
#include "store/CategoryStore.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const CodePage codePage(input);
  const std::string text = LineText(input, 512);

  const IconSource source = ParseIconText(text);
  switch (source.kind) {
    case IconSource::Kind::TreeImage: {
      Check(source.imageIndex >= 0, "an image index is never negative");
      const IconSource again = ParseIconText(TreeImageIconText(source.imageIndex));
      Check(again.kind == source.kind && again.imageIndex == source.imageIndex, "a tree image reads back");
      break;
    }
    case IconSource::Kind::FileIcon: {
      Check(source.iconNumber >= 0, "an icon number is never negative");
      const IconSource again = ParseIconText(FileIconText(source.iconNumber, source.file));
      Check(again.kind == source.kind && again.iconNumber == source.iconNumber && again.file == source.file,
            "a file icon reads back");
      break;
    }
    case IconSource::Kind::Unreadable:
      break;
  }

  // Stored with a category at any level, the icon text comes back as it was.
  CategoryTree tree;
  CategoryNode& top = tree.AddTopLevel("Work");
  CategoryNode& child = tree.AddChild(top, "Tools");
  child.iconText = text;
  top.iconText = FileIconText(input.ConsumeIntegralInRange(0, 1000), text);
  CategoryTree again;
  LoadCategoryTree(again, SplitLines(JoinLines(SaveCategoryTree(tree))));
  Check(Describe(again) == Describe(tree), "icon texts survive the category file");
  return 0;
}
