#pragma once
// The category tree in memory. The tree control on screen mirrors it; this model is
// what the stores, the selection and the commands reason about.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

class CategoryNode {
 public:
  explicit CategoryNode(std::string text);
  CategoryNode(const CategoryNode&) = delete;
  CategoryNode& operator=(const CategoryNode&) = delete;

  std::string name;
  // "0" + image index, or "1" + icon number + "," + file path; absent when the node
  // only has the image it currently shows.
  std::optional<std::string> iconText;
  int imageIndex = 0;

  CategoryNode* parent() const { return parent_; }
  const std::vector<std::unique_ptr<CategoryNode>>& children() const { return children_; }
  // 0 for a top-level node.
  int level() const;
  bool isTopLevel() const { return parent_ == nullptr; }
  // Unique for the run, never 0: tells a node from one made later at the same address.
  std::uint64_t id() const { return id_; }

 private:
  friend class CategoryTree;
  std::uint64_t id_;
  CategoryNode* parent_ = nullptr;
  std::vector<std::unique_ptr<CategoryNode>> children_;
};

// The names of the node and its ancestors, the top-level one first: what finds the
// same category again in a tree that was read afresh.
std::vector<std::string> PathOf(const CategoryNode& node);

class CategoryTree {
 public:
  CategoryTree() = default;
  CategoryTree(const CategoryTree&) = delete;
  CategoryTree& operator=(const CategoryTree&) = delete;

  const std::vector<std::unique_ptr<CategoryNode>>& roots() const { return roots_; }
  bool empty() const { return roots_.empty(); }
  void clear() { roots_.clear(); }

  CategoryNode& AddTopLevel(std::string name);
  CategoryNode& AddChild(CategoryNode& parent, std::string name);
  // A new node directly before sibling, under the same parent.
  CategoryNode& InsertBefore(CategoryNode& sibling, std::string name);
  // Removes the node with its whole sub-tree.
  void Remove(CategoryNode& node);
  // Moves node (with its sub-tree) to be the last child of newParent.
  void MoveToLastChild(CategoryNode& node, CategoryNode& newParent);
  // Moves node (with its sub-tree) directly before sibling, under sibling's parent.
  void MoveBefore(CategoryNode& node, CategoryNode& sibling);
  // Moves node (with its sub-tree) to be the last top-level node.
  void MoveToLastTopLevel(CategoryNode& node);
  // True when node is candidate itself or one of its ancestors.
  static bool IsSelfOrAncestor(const CategoryNode& candidate, const CategoryNode& node);

  // Depth-first pre-order: a node, its whole sub-tree, then its next sibling.
  void ForEach(const std::function<void(CategoryNode&)>& visit) const;
  int Count() const;
  // Position in depth-first pre-order counted from 0, or -1 when not in this tree.
  int AbsoluteIndex(const CategoryNode& node) const;
  // The node at that position, or nullptr when there is none.
  CategoryNode* NodeAt(int absoluteIndex) const;
  // The first node with these names from the top level down, or nullptr.
  CategoryNode* FindPath(const std::vector<std::string>& path) const;

 private:
  std::vector<std::unique_ptr<CategoryNode>>& SiblingsOf(const CategoryNode& node);
  std::unique_ptr<CategoryNode> Detach(CategoryNode& node);

  std::vector<std::unique_ptr<CategoryNode>> roots_;
};

}  // namespace tessaly
