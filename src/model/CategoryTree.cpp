#include "model/CategoryTree.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace tessaly {

namespace {

void VisitPreOrder(const std::vector<std::unique_ptr<CategoryNode>>& nodes,
                   const std::function<void(CategoryNode&)>& visit) {
  for (const auto& node : nodes) {
    visit(*node);
    VisitPreOrder(node->children(), visit);
  }
}

}  // namespace

std::vector<std::string> PathOf(const CategoryNode& node) {
  std::vector<std::string> path;
  for (const CategoryNode* n = &node; n != nullptr; n = n->parent()) path.push_back(n->name);
  std::reverse(path.begin(), path.end());
  return path;
}

CategoryNode::CategoryNode(std::string text) : name(std::move(text)) {
  static std::atomic<std::uint64_t> last{0};
  id_ = ++last;
}

int CategoryNode::level() const {
  int level = 0;
  for (const CategoryNode* p = parent_; p != nullptr; p = p->parent_) ++level;
  return level;
}

CategoryNode& CategoryTree::AddTopLevel(std::string name) {
  roots_.push_back(std::make_unique<CategoryNode>(std::move(name)));
  return *roots_.back();
}

CategoryNode& CategoryTree::AddChild(CategoryNode& parent, std::string name) {
  auto node = std::make_unique<CategoryNode>(std::move(name));
  node->parent_ = &parent;
  parent.children_.push_back(std::move(node));
  return *parent.children_.back();
}

std::vector<std::unique_ptr<CategoryNode>>& CategoryTree::SiblingsOf(const CategoryNode& node) {
  return node.parent_ != nullptr ? node.parent_->children_ : roots_;
}

CategoryNode& CategoryTree::InsertBefore(CategoryNode& sibling, std::string name) {
  auto& siblings = SiblingsOf(sibling);
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const auto& n) { return n.get() == &sibling; });
  if (it == siblings.end()) throw std::logic_error("InsertBefore: node is not in the tree");
  auto node = std::make_unique<CategoryNode>(std::move(name));
  node->parent_ = sibling.parent_;
  return **siblings.insert(it, std::move(node));
}

std::unique_ptr<CategoryNode> CategoryTree::Detach(CategoryNode& node) {
  auto& siblings = SiblingsOf(node);
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const auto& n) { return n.get() == &node; });
  if (it == siblings.end()) throw std::logic_error("Detach: node is not in the tree");
  std::unique_ptr<CategoryNode> owned = std::move(*it);
  siblings.erase(it);
  owned->parent_ = nullptr;
  return owned;
}

void CategoryTree::Remove(CategoryNode& node) { Detach(node); }

bool CategoryTree::IsSelfOrAncestor(const CategoryNode& candidate, const CategoryNode& node) {
  for (const CategoryNode* p = &node; p != nullptr; p = p->parent_) {
    if (p == &candidate) return true;
  }
  return false;
}

void CategoryTree::MoveToLastChild(CategoryNode& node, CategoryNode& newParent) {
  // A node can never become its own descendant: that would cut it off the tree.
  if (IsSelfOrAncestor(node, newParent)) return;
  auto owned = Detach(node);
  owned->parent_ = &newParent;
  newParent.children_.push_back(std::move(owned));
}

void CategoryTree::MoveBefore(CategoryNode& node, CategoryNode& sibling) {
  if (&node == &sibling || IsSelfOrAncestor(node, sibling)) return;
  auto owned = Detach(node);
  auto& siblings = SiblingsOf(sibling);
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [&](const auto& n) { return n.get() == &sibling; });
  owned->parent_ = sibling.parent_;
  siblings.insert(it, std::move(owned));
}

void CategoryTree::MoveToLastTopLevel(CategoryNode& node) {
  roots_.push_back(Detach(node));
}

void CategoryTree::ForEach(const std::function<void(CategoryNode&)>& visit) const {
  VisitPreOrder(roots_, visit);
}

int CategoryTree::Count() const {
  int count = 0;
  ForEach([&](CategoryNode&) { ++count; });
  return count;
}

int CategoryTree::AbsoluteIndex(const CategoryNode& node) const {
  int index = 0;
  int found = -1;
  ForEach([&](CategoryNode& n) {
    if (&n == &node) found = index;
    ++index;
  });
  return found;
}

CategoryNode* CategoryTree::NodeAt(int absoluteIndex) const {
  if (absoluteIndex < 0) return nullptr;
  int index = 0;
  CategoryNode* found = nullptr;
  ForEach([&](CategoryNode& n) {
    if (index == absoluteIndex) found = &n;
    ++index;
  });
  return found;
}

CategoryNode* CategoryTree::FindPath(const std::vector<std::string>& path) const {
  const std::vector<std::unique_ptr<CategoryNode>>* level = &roots_;
  CategoryNode* found = nullptr;
  for (const std::string& name : path) {
    const auto it = std::find_if(level->begin(), level->end(),
                                 [&](const auto& node) { return node->name == name; });
    if (it == level->end()) return nullptr;
    found = it->get();
    level = &found->children_;
  }
  return found;
}

}  // namespace tessaly
