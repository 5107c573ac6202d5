#pragma once
// Categories.sts: one line per category in depth-first order, four blanks of
// indentation per level, then the name, " ;" and the icon text.

#include <string>

#include "base/LineList.h"
#include "base/MessageBoxes.h"
#include "model/CategoryTree.h"
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

// The category file on disk.
class CategoryFile {
 public:
  CategoryFile(FileStore& files, std::string path) : files_(files), path_(std::move(path)) {}

  bool Exists() { return files_.FileExists(path_); }
  ReadResult Load(CategoryTree& tree, CategoryLoadReport* report = nullptr);
  // Writes the tree; the result says whether the file now holds it.
  [[nodiscard]] WriteResult Save(const CategoryTree& tree);
  const std::string& Path() const { return path_; }

 private:
  FileStore& files_;
  std::string path_;
};

}  // namespace tessaly
