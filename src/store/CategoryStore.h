#pragma once
// Categories.sts: one line per category in depth-first order, four blanks of
// indentation per level, then the name, " ;" and the icon text.

#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/LineList.h"
#include "model/CategoryTree.h"
#include "store/CategoryMerge.h"
#include "store/DataFile.h"
#include "store/FileStore.h"

namespace tessaly {

struct CategoryLoadReport {
  int nodesRead = 0;
  int blankLinesSkipped = 0;
};

// Builds the tree from the lines into the (empty) tree.
CategoryLoadReport LoadCategoryTree(CategoryTree& tree, const LineList& lines);

// The line of one node.
std::string WriteCategoryLine(const CategoryNode& node);
// What its line holds after " ;": the icon text, or "0" and the image it shows.
std::string IconFieldOf(const CategoryNode& node);

// The lines of the whole tree, in depth-first order.
LineList SaveCategoryTree(const CategoryTree& tree);

// Writes Categories.sts from the tree in memory. Given to the windows whose commands
// change the tree, so that every change reaches the disk when it is made.
class TreeSaver {
 public:
  virtual ~TreeSaver() = default;
  // False when the file is not written now (already reported, or waiting for the
  // shortcut file); the tree in memory keeps the change and is written again with the
  // next change or at close.
  virtual bool SaveTree() = 0;
};

// What became of the tree in memory when the file was looked at again.
struct TreeMergeReport {
  // The tree took in another program's changes: the window must show it again.
  bool changed = false;
  // The categories both changed (the user's change stands), and where the other
  // program's version of the file is kept.
  std::vector<std::string> conflicts;
  std::string keptAt;
};

// The category file on disk, and the tree as it was last read from it or written to it.
class CategoryFile {
 public:
  CategoryFile(FileStore& files, std::string path, Clock& clock = SystemClock())
      : files_(files), file_(files, clock, std::move(path)) {}

  bool Exists() { return files_.FileExists(file_.path()); }
  ReadResult Load(CategoryTree& tree, CategoryLoadReport* report = nullptr);
  // Writes the tree; the result says whether the file now holds it. When another
  // program changed the file since, the user's changes of categories are made to the
  // tree read from it, that tree is written, and the tree in memory becomes it.
  [[nodiscard]] WriteResult Save(CategoryTree& tree, TreeMergeReport* report = nullptr);
  // Takes in another program's changes of the file, keeping the user's changes not
  // yet written; nothing is written.
  TreeMergeReport Reload(CategoryTree& tree);
  const std::string& Path() const { return file_.path(); }

 private:
  // The tree the file holds now with the user's changes made to it; false when the
  // other program's version could not be kept.
  bool Merge(const CategoryTree& tree, const DiskCheck& check, CategoryTree& merged,
             TreeSnapshot& found, TreeMergeReport& report, std::string& error);
  void TakeMerged(CategoryTree& tree, const CategoryTree& merged, TreeSnapshot found);

  FileStore& files_;
  DataFile file_;
  TreeSnapshot base_;
};

}  // namespace tessaly
