// Settings.sts and Categories.sts as they may be found on disk, through a whole run
// of the program's data: start, the settings the user changes, the close.

#include "app/Session.h"
#include "fuzz/FuzzSupport.h"
#include "support/Fakes.h"

using namespace tessaly;
using namespace tessaly::fuzzing;

namespace {

const char* const kKeys[] = {setting_key::View,  setting_key::Maximize, setting_key::Left,
                             setting_key::Top,   setting_key::Width,    setting_key::Height,
                             setting_key::Treeselect};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const CodePage codePage(input);
  testing::FakeFileStore files;
  testing::RecordingMessageBoxes boxes;
  files.files["C:\\D\\Settings.sts"] = input.ConsumeRandomLengthString(2048);
  files.files["C:\\D\\Categories.sts"] = input.ConsumeRandomLengthString(1024);
  Session session(files, boxes, "C:\\D");
  Check(session.Open(), "a readable data directory with a category file opens");
  Check(session.settings().Lines() == SplitLines(files.files["C:\\D\\Settings.sts"]),
        "the settings are the file's lines");
  session.StoredView();
  session.StoredWindowPlacement();
  Check(session.LoadTree(), "a readable category file loads");
  const std::optional<int> selected = session.InitialSelection();
  Check(!selected || session.tree().NodeAt(*selected) != nullptr, "the selection names a category");

  // Each value written is the value read, whatever the file held around it.
  const int writes = input.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < writes; ++i) {
    const char* key = kKeys[input.ConsumeIntegralInRange(0, 6)];
    const std::string value = LineText(input);
    Check(session.settings().WriteSetting(key, value), "the write goes through");
    Check(session.settings().ReadSetting(key) == value, "the value written is read back");
    Check(SplitLines(files.files["C:\\D\\Settings.sts"]) == session.settings().Lines(),
          "the file is the settings in memory");
  }

  const int count = session.tree().Count();
  const CategoryNode* node = count > 0 ? session.tree().NodeAt(input.ConsumeIntegralInRange(0, count - 1)) : nullptr;
  Check(session.Close(node), "the close goes through");
  const int index = node != nullptr ? session.tree().AbsoluteIndex(*node) : 0;
  Check(session.settings().ReadSetting(setting_key::Treeselect) == std::to_string(index),
        "the selection is stored");

  // The next run reads what this one wrote: the same tree and the same selection.
  Session next(files, boxes, "C:\\D\\");
  Check(next.Open() && next.LoadTree(), "the next run opens");
  Check(Describe(next.tree()) == Describe(session.tree()), "the next run reads the tree back");
  if (count > 0) Check(next.InitialSelection() == index, "the next run selects the same category");
  return 0;
}
