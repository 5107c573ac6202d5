#include "store/CategoryMerge.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "store/CategoryStore.h"

namespace tessaly {

namespace {

using Path = std::vector<std::string>;
using Children = std::vector<std::unique_ptr<CategoryNode>>;

std::string Display(const Path& path) {
  std::string text;
  for (const std::string& name : path) text += "[" + name + "]";
  return text;
}

const Children& ChildrenOf(const CategoryTree& tree, const CategoryNode* parent) {
  return parent != nullptr ? parent->children() : tree.roots();
}

LineList SubtreeLines(const CategoryNode& node) {
  LineList lines{WriteCategoryLine(node)};
  for (const auto& child : node.children()) {
    const LineList more = SubtreeLines(*child);
    lines.insert(lines.end(), more.begin(), more.end());
  }
  return lines;
}

// Of the ids in order (the user's order), those that stand outside a longest run they
// share with before (the order last read): the categories the user moved among siblings
// that stayed.
std::vector<std::uint64_t> OutOfOrder(const std::vector<std::uint64_t>& before,
                                      const std::vector<std::uint64_t>& order) {
  const std::size_t n = before.size();
  const std::size_t m = order.size();
  std::vector<std::vector<std::size_t>> longest(n + 1, std::vector<std::size_t>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      longest[i][j] = before[i] == order[j] ? longest[i + 1][j + 1] + 1
                                            : std::max(longest[i + 1][j], longest[i][j + 1]);
    }
  }
  std::vector<bool> kept(m, false);
  for (std::size_t i = 0, j = 0; i < n && j < m;) {
    if (before[i] == order[j]) {
      kept[j] = true;
      ++i;
      ++j;
    } else if (longest[i + 1][j] > longest[i][j + 1]) {
      ++i;
    } else {
      // On a tie the one that came forward moved: a drop puts a category just before
      // another one.
      ++j;
    }
  }
  std::vector<std::uint64_t> moved;
  for (std::size_t j = 0; j < m; ++j) {
    if (!kept[j]) moved.push_back(order[j]);
  }
  return moved;
}

class TreeMerger {
 public:
  TreeMerger(const TreeSnapshot& base, const CategoryTree& mine, CategoryTree& disk)
      : base_(base), mine_(mine), disk_(disk) {}

  std::vector<std::string> Run() {
    FindCounterparts();
    std::set<std::uint64_t> inMine;
    std::vector<const CategoryNode*> order;
    mine_.ForEach([&](CategoryNode& node) {
      inMine.insert(node.id());
      order.push_back(&node);
    });
    // Judged before anything changes: what the other program did inside a category
    // that the user deleted is lost with it.
    for (const TreeSnapshot::Node& b : base_.nodes) {
      if (inMine.count(b.id) != 0 || (b.parent != 0 && inMine.count(b.parent) == 0)) continue;
      const CategoryNode* d = There(b.id);
      if (d != nullptr && SubtreeLines(*d) != LineList(base_.lines.begin() + static_cast<std::ptrdiff_t>(b.first),
                                                       base_.lines.begin() + static_cast<std::ptrdiff_t>(b.end))) {
        Conflict(b.path);
      }
    }
    const std::set<std::uint64_t> reordered = Reordered();
    for (const CategoryNode* n : order) Carry(*n, reordered.count(n->id()) != 0);
    for (const TreeSnapshot::Node& b : base_.nodes) {
      if (inMine.count(b.id) != 0) continue;
      if (CategoryNode* d = There(b.id)) Remove(*d);
    }
    return conflicts_;
  }

 private:
  // The node of disk that stands for each node last read: the one at the same path (the
  // k-th of a path for the k-th, should one path name two).
  void FindCounterparts() {
    std::map<Path, std::vector<CategoryNode*>> byPath;
    disk_.ForEach([&](CategoryNode& node) { byPath[PathOf(node)].push_back(&node); });
    std::map<Path, std::size_t> used;
    for (const TreeSnapshot::Node& b : base_.nodes) {
      const auto found = byPath.find(b.path);
      if (found == byPath.end()) continue;
      std::size_t& k = used[b.path];
      if (k < found->second.size()) Claim(b.id, *found->second[k++]);
    }
  }

  void Claim(std::uint64_t id, CategoryNode& node) {
    there_[id] = &node;
    claimed_.insert(&node);
  }

  CategoryNode* There(std::uint64_t id) const {
    const auto found = there_.find(id);
    return found == there_.end() ? nullptr : found->second;
  }

  void Conflict(const Path& path) {
    const std::string text = Display(path);
    if (std::find(conflicts_.begin(), conflicts_.end(), text) == conflicts_.end()) {
      conflicts_.push_back(text);
    }
  }

  std::set<std::uint64_t> Reordered() const {
    std::map<std::uint64_t, std::vector<std::uint64_t>> before;
    for (const TreeSnapshot::Node& b : base_.nodes) before[b.parent].push_back(b.id);
    std::set<std::uint64_t> moved;
    const auto judge = [&](std::uint64_t parent, const Children& children) {
      std::vector<std::uint64_t> order;
      for (const auto& child : children) {
        const TreeSnapshot::Node* b = base_.Find(child->id());
        if (b != nullptr && b->parent == parent) order.push_back(child->id());
      }
      std::vector<std::uint64_t> stayed;
      for (const std::uint64_t id : before[parent]) {
        if (std::find(order.begin(), order.end(), id) != order.end()) stayed.push_back(id);
      }
      for (const std::uint64_t id : OutOfOrder(stayed, order)) moved.insert(id);
    };
    judge(0, mine_.roots());
    mine_.ForEach([&](CategoryNode& node) { judge(node.id(), node.children()); });
    return moved;
  }

  // Makes the user's change of one category (if any) in disk.
  void Carry(const CategoryNode& n, bool reordered) {
    const TreeSnapshot::Node* b = base_.Find(n.id());
    if (b == nullptr) {
      CategoryNode* parent = n.parent() != nullptr ? Ensure(*n.parent()) : nullptr;
      // The same category made on both sides is one category.
      for (const auto& child : ChildrenOf(disk_, parent)) {
        if (child->name == n.name && claimed_.count(child.get()) == 0) {
          Claim(n.id(), *child);
          TakeIcon(*child, n);
          Place(*child, parent, n);
          return;
        }
      }
      Make(parent, n);
      return;
    }
    const bool renamed = b->name != n.name;
    const bool reIconed = b->icon != IconFieldOf(n);
    const bool moved = b->parent != (n.parent() != nullptr ? n.parent()->id() : 0) || reordered;
    if (!renamed && !reIconed && !moved) return;
    CategoryNode* d = There(n.id());
    const CategoryNode* parentThere = b->parent != 0 ? There(b->parent) : nullptr;
    // A conflict is a change of theirs that the user's overwrites: the name, the icon
    // or the place, each only where the user changed it too.
    if (d == nullptr || (renamed && d->name != b->name) || (reIconed && IconFieldOf(*d) != b->icon) ||
        (moved && d->parent() != parentThere)) {
      Conflict(b->path);
    }
    if (d == nullptr) {
      Make(n.parent() != nullptr ? Ensure(*n.parent()) : nullptr, n);
      return;
    }
    if (renamed) d->name = n.name;
    if (reIconed) TakeIcon(*d, n);
    if (moved) Place(*d, n.parent() != nullptr ? Ensure(*n.parent()) : nullptr, n);
  }

  // The node of disk for a category of mine, made again when the other program took
  // it away while the user put something into it.
  CategoryNode* Ensure(const CategoryNode& n) {
    if (CategoryNode* d = There(n.id())) return d;
    if (const TreeSnapshot::Node* b = base_.Find(n.id())) Conflict(b->path);
    return &Make(n.parent() != nullptr ? Ensure(*n.parent()) : nullptr, n);
  }

  static void TakeIcon(CategoryNode& d, const CategoryNode& n) {
    d.iconText = n.iconText;
    d.imageIndex = n.imageIndex;
  }

  // Where n goes among its siblings: just before the nearest later sibling (in mine)
  // that disk has under the same parent, or last. That is what the commands say: Add
  // and a drop on a category make it the last child, Insert and a drop beside a
  // category put it before that one.
  CategoryNode* Successor(CategoryNode* parent, const CategoryNode& n, const CategoryNode* self) const {
    const Children& siblings = ChildrenOf(mine_, n.parent());
    std::size_t i = 0;
    while (i < siblings.size() && siblings[i].get() != &n) ++i;
    for (++i; i < siblings.size(); ++i) {
      CategoryNode* next = There(siblings[i]->id());
      if (next != nullptr && next != self && next->parent() == parent) return next;
    }
    return nullptr;
  }

  CategoryNode& Make(CategoryNode* parent, const CategoryNode& n) {
    CategoryNode* before = Successor(parent, n, nullptr);
    CategoryNode& made = before != nullptr     ? disk_.InsertBefore(*before, n.name)
                         : parent != nullptr   ? disk_.AddChild(*parent, n.name)
                                               : disk_.AddTopLevel(n.name);
    TakeIcon(made, n);
    Claim(n.id(), made);
    return made;
  }

  void Place(CategoryNode& d, CategoryNode* parent, const CategoryNode& n) {
    // A node never goes into its own branch (the other program may have moved the
    // parent into it): it then stays where it is.
    if (parent != nullptr && CategoryTree::IsSelfOrAncestor(d, *parent)) return;
    if (CategoryNode* before = Successor(parent, n, &d)) {
      disk_.MoveBefore(d, *before);
    } else if (parent != nullptr) {
      disk_.MoveToLastChild(d, *parent);
    } else {
      disk_.MoveToLastTopLevel(d);
    }
  }

  void Remove(CategoryNode& d) {
    std::set<const CategoryNode*> going;
    const auto gather = [&](const auto& self, const CategoryNode& node) -> void {
      going.insert(&node);
      for (const auto& child : node.children()) self(self, *child);
    };
    gather(gather, d);
    for (auto it = there_.begin(); it != there_.end();) {
      it = going.count(it->second) != 0 ? there_.erase(it) : std::next(it);
    }
    for (const CategoryNode* node : going) claimed_.erase(node);
    disk_.Remove(d);
  }

  const TreeSnapshot& base_;
  const CategoryTree& mine_;
  CategoryTree& disk_;
  std::map<std::uint64_t, CategoryNode*> there_;
  std::set<const CategoryNode*> claimed_;
  std::vector<std::string> conflicts_;
};

void Reconcile(CategoryTree& tree, CategoryNode* parent, const Children& target,
               std::map<const CategoryNode*, CategoryNode*>& map) {
  std::vector<CategoryNode*> existing;
  for (const auto& child : ChildrenOf(tree, parent)) existing.push_back(child.get());
  std::vector<bool> used(existing.size(), false);
  for (const auto& t : target) {
    CategoryNode* node = nullptr;
    for (std::size_t i = 0; i < existing.size() && node == nullptr; ++i) {
      if (!used[i] && existing[i]->name == t->name) {
        used[i] = true;
        node = existing[i];
      }
    }
    // Each node taken, in the target's order, goes to the end; what is left in front
    // is what target does not have.
    if (node != nullptr) {
      if (parent != nullptr) {
        tree.MoveToLastChild(*node, *parent);
      } else {
        tree.MoveToLastTopLevel(*node);
      }
    } else {
      node = parent != nullptr ? &tree.AddChild(*parent, t->name) : &tree.AddTopLevel(t->name);
    }
    // The image already found for an unchanged icon stays: the window does not have to
    // find it again.
    if (node->iconText != t->iconText || !t->iconText) {
      node->iconText = t->iconText;
      node->imageIndex = t->imageIndex;
    }
    map[t.get()] = node;
    Reconcile(tree, node, t->children(), map);
  }
  for (std::size_t i = 0; i < existing.size(); ++i) {
    if (!used[i]) tree.Remove(*existing[i]);
  }
}

}  // namespace

TreeSnapshot TreeSnapshot::Of(const CategoryTree& tree) {
  TreeSnapshot snapshot;
  const auto visit = [&](const auto& self, const Children& children, std::uint64_t parent,
                         const Path& path) -> void {
    for (const auto& child : children) {
      Node node{child->id(), parent, child->name, IconFieldOf(*child), path, snapshot.lines.size(), 0};
      node.path.push_back(child->name);
      snapshot.lines.push_back(WriteCategoryLine(*child));
      const std::size_t at = snapshot.nodes.size();
      snapshot.nodes.push_back(node);
      self(self, child->children(), child->id(), node.path);
      snapshot.nodes[at].end = snapshot.lines.size();
    }
  };
  visit(visit, tree.roots(), 0, {});
  for (std::size_t i = 0; i < snapshot.nodes.size(); ++i) snapshot.index_[snapshot.nodes[i].id] = i;
  return snapshot;
}

const TreeSnapshot::Node* TreeSnapshot::Find(std::uint64_t id) const {
  const auto found = index_.find(id);
  return found == index_.end() ? nullptr : &nodes[found->second];
}

void TreeSnapshot::Renumber(const std::map<std::uint64_t, std::uint64_t>& ids) {
  const auto renumbered = [&](std::uint64_t id) {
    const auto found = ids.find(id);
    return found == ids.end() ? id : found->second;
  };
  index_.clear();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    nodes[i].id = renumbered(nodes[i].id);
    if (nodes[i].parent != 0) nodes[i].parent = renumbered(nodes[i].parent);
    index_[nodes[i].id] = i;
  }
}

std::vector<std::string> MergeTreeChanges(const TreeSnapshot& base, const CategoryTree& mine,
                                          CategoryTree& disk) {
  return TreeMerger(base, mine, disk).Run();
}

std::map<const CategoryNode*, CategoryNode*> ReconcileTree(CategoryTree& tree,
                                                          const CategoryTree& target) {
  std::map<const CategoryNode*, CategoryNode*> map;
  Reconcile(tree, nullptr, target.roots(), map);
  return map;
}

}  // namespace tessaly
