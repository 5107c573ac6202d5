#pragma once
// Two writers of the category file: Tessaly's tree in memory and whatever another
// program (a hand edit, a sync tool, a second Tessaly) wrote to the file meanwhile.
// A command changes one category: it adds, renames, re-icons, moves or deletes it
// (with its sub-categories). Which categories the user changed is told by the nodes
// themselves (each has an id for the run) against the tree as last read or written;
// those changes are made again to the tree read from the file, and the rest of that
// tree stays as the other program left it.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/LineList.h"
#include "model/CategoryTree.h"

namespace tessaly {

// The tree as it was last read from or written to the file, node by node.
struct TreeSnapshot {
  struct Node {
    std::uint64_t id = 0;
    std::uint64_t parent = 0;  // 0 for a top-level node
    std::string name;
    std::string icon;               // the icon field as written
    std::vector<std::string> path;  // the names from the top level down, its own last
    std::size_t first = 0;          // its line
    std::size_t end = 0;            // the line after its sub-tree
  };
  std::vector<Node> nodes;  // depth-first, as in the file
  LineList lines;           // the file's lines for that tree

  static TreeSnapshot Of(const CategoryTree& tree);
  const Node* Find(std::uint64_t id) const;
  // The same snapshot with the ids of another tree: a node whose id is in ids takes
  // the id it maps to; one that is not keeps its own, which no node of that tree has.
  void Renumber(const std::map<std::uint64_t, std::uint64_t>& ids);

 private:
  std::map<std::uint64_t, std::size_t> index_;
};

// Makes in disk (the tree as the file holds it now) every change from base (the tree
// as last read or written) to mine (the tree in memory). A category that the user
// changed stands as the user left it; the paths ("[Top][Sub]") of those the other
// program changed too are returned.
std::vector<std::string> MergeTreeChanges(const TreeSnapshot& base, const CategoryTree& mine,
                                          CategoryTree& disk);

// Makes tree the same as target (names, icons, order) while keeping every node whose
// path is still there, so that what points to such a node stays good. Returns, for
// each node of target, the node of tree that stands for it.
std::map<const CategoryNode*, CategoryNode*> ReconcileTree(CategoryTree& tree,
                                                          const CategoryTree& target);

}  // namespace tessaly
