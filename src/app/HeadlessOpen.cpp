#include "app/HeadlessOpen.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/Session.h"
#include "categories/CategoryPath.h"
#include "categories/CategorySelection.h"
#include "shell/ListEntries.h"
#include "shell/Scans.h"
#include "shortcuts/OpenAll.h"
#include "store/CategoryStore.h"
#include "store/DataFile.h"
#include "store/ShortcutStore.h"

namespace tessaly {

namespace {

// The data files as a run without a window sees them: read as they are, and every
// write (the first scan of "Popular" stores itself) kept from the disk. Nothing is
// written, so nothing can be left half written either.
class ReadOnlyFiles : public FileStore {
 public:
  explicit ReadOnlyFiles(FileStore& files) : files_(files) {}
  bool FileExists(const std::string& path) override { return files_.FileExists(path); }
  FileStamp Stat(const std::string& path) override { return files_.Stat(path); }
  ReadResult ReadFile(const std::string& path) override { return files_.ReadFile(path); }
  std::vector<std::string> ListFiles(const std::string& folder) override {
    return files_.ListFiles(folder);
  }
  WriteResult WriteFile(const std::string&, std::string_view) override { return {}; }
  WriteResult CopyFile(const std::string&, const std::string&) override { return {}; }
  WriteResult RecoverInterruptedWrite(const std::string&) override { return {}; }
  WriteResult CreateFolder(const std::string&) override { return {}; }
  bool RemoveFile(const std::string&) override { return true; }

 private:
  FileStore& files_;
};

struct Unseen : StatusLine, BusyCursor, MessagePump {
  void SetStatusText(const std::string&) override {}
  void SetBusy(bool) override {}
  // No window of ours is there to be kept answering.
  void ProcessPendingMessages() override {}
};

// Reads with the window's Try Again / Cancel question; false when the user gave up.
template <typename Attempt>
bool ReadOrGiveUp(MessageBoxes& boxes, const std::string& path, Attempt attempt) {
  for (;;) {
    const ReadResult result = attempt();
    if (result.status != ReadStatus::Failed) return true;
    if (boxes.AskAfterFailedRead(ReadFailureText(path, result.error)) ==
        ReadFailureChoice::Cancel) {
      return false;
    }
  }
}

}  // namespace

std::string UnknownCategoryText(const std::string& categoryPath, const std::string& dataDirectory) {
  return "There is no category '" + categoryPath + "' in " + dataDirectory +
         "Categories.sts. A path names the categories from the top level down, separated "
         "by \"\\\", with the names' exact case.";
}

bool CategoryFileLacks(FileStore& files, const std::string& dataDirectory,
                       const std::string& categoryPath) {
  CategoryFile categoryFile(files, DataDirectoryFrom(dataDirectory) + "Categories.sts");
  CategoryTree tree;
  if (categoryFile.Load(tree).status != ReadStatus::Read) return false;
  return FindCategory(tree, categoryPath) == nullptr;
}

bool OpenCategoryWithoutWindow(const HeadlessPorts& ports, const std::string& dataDirectory,
                               const std::string& categoryPath) {
  ReadOnlyFiles files(ports.files);
  const std::string folder = DataDirectoryFrom(dataDirectory);
  CategoryFile categoryFile(files, folder + "Categories.sts");
  CategoryTree tree;
  ReadStatus categories = ReadStatus::Missing;
  if (!ReadOrGiveUp(ports.boxes, categoryFile.Path(), [&] {
        tree.clear();
        const ReadResult result = categoryFile.Load(tree);
        categories = result.status;
        return result;
      })) {
    return false;
  }
  if (categories == ReadStatus::Missing) {
    ports.boxes.Error("There are no categories in " + folder + ": the file '" +
                      categoryFile.Path() + "' does not exist.");
    return false;
  }
  const CategoryNode* node = FindCategory(tree, categoryPath);
  if (node == nullptr) {
    ports.boxes.Error(UnknownCategoryText(categoryPath, folder));
    return false;
  }

  ShortcutStore store(files, ports.boxes, folder + "Shortcuts.sts");
  if (!ReadOrGiveUp(ports.boxes, store.Path(), [&] { return store.Load(); })) return false;

  std::optional<Shortcuts> entries = ShownEntries(*node, store, {});
  if (!entries) {
    ShortcutList list(ports.titleOrder);
    Unseen unseen;
    ListEntryAdder adder(list, unseen, unseen);
    ShellScans scans(ports.folders, ports.links, ports.lister, ports.existence, adder);
    CategorySelection selection(store, scans, adder, ports.folders, ports.existence, unseen);
    selection.Select(node);
    // What the window shows after this filling: sorted, even where the filling stored
    // its list in scan order ("Popular").
    const auto found = selection.latestResults().find(node->name);
    entries = found != selection.latestResults().end() ? found->second : Shortcuts{};
  }
  OpenAllShortcuts(node->name, *entries, ports.links, ports.existence, ports.launcher, ports.boxes);
  return true;
}

}  // namespace tessaly
