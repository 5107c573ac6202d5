#include "categories/CategoryEditing.h"

#include <algorithm>
#include <map>

#include "base/Text.h"
#include "model/BuiltinCategories.h"

namespace tessaly {

bool KeepsNameAndPlace(const CategoryNode& node) { return node.isTopLevel() || IsGetAll(node); }

std::string DeleteQuestion(const CategoryNode& node) {
  return "Do you want to delete '" + node.name + "' ?";
}

NameDialogTexts NameDialogTextsFor(NameDialogMode mode, const CategoryNode& selected) {
  switch (mode) {
    case NameDialogMode::Rename:
      return {"Rename", "Old name: " + selected.name};
    case NameDialogMode::Insert:
      return {"Insert", "Present: " + selected.name};
    case NameDialogMode::Add:
      break;
  }
  return {"Add", "Present: " + selected.name};
}

NameCheck CheckCategoryName(std::string& name) {
  // Completed, a name that ends in half a double-byte character reads back the same.
  name = WithWholeLastCharacter(TrimCodesUpTo(name, 32));
  if (name.empty()) return {false, kNoNameText};
  // A line break would split the category's line in Categories.sts; " ;" would cut
  // the name when the file is read back; the brackets would make its section header
  // match another category's.
  if (name.find_first_of("\r\n") != std::string::npos) {
    return {false, "A category name cannot contain a line break."};
  }
  for (const char* mark : {" ;", "[", "]", "<", ">"}) {
    if (ContainsText(name, mark)) {
      return {false, std::string("A category name cannot contain \"") + mark + "\"."};
    }
  }
  return {};
}

namespace {

const std::vector<std::unique_ptr<CategoryNode>>& SiblingsOf(const CategoryTree& tree,
                                                            const CategoryNode& node) {
  return node.parent() != nullptr ? node.parent()->children() : tree.roots();
}

bool HasChildNamed(const std::vector<std::unique_ptr<CategoryNode>>& nodes, const std::string& name,
                   const CategoryNode* except) {
  for (const auto& node : nodes) {
    if (node.get() != except && node->name == name) return true;
  }
  return false;
}

}  // namespace

NameCheck CheckNameIsFree(const CategoryTree& tree, const CategoryNode& selected,
                          NameDialogMode mode, const std::string& name) {
  const bool taken = mode == NameDialogMode::Add
                         ? HasChildNamed(selected.children(), name, nullptr)
                         : HasChildNamed(SiblingsOf(tree, selected), name,
                                         mode == NameDialogMode::Rename ? &selected : nullptr);
  if (!taken) return {};
  return {false, "There is already a category named '" + name + "' here."};
}

CategoryNode* ApplyCategoryName(CategoryTree& tree, ShortcutStore& store, CategoryNode& selected,
                                NameDialogMode mode, const std::string& name) {
  CategoryNode* created = nullptr;
  switch (mode) {
    case NameDialogMode::Rename:
      store.RenameCategorySection(selected, name);
      selected.name = name;
      return nullptr;
    case NameDialogMode::Insert:
      created = &tree.InsertBefore(selected, name);
      break;
    case NameDialogMode::Add:
      created = &tree.AddChild(selected, name);
      break;
  }
  created->imageIndex = kNewCategoryImage;
  return created;
}

void DeleteCategory(CategoryTree& tree, ShortcutStore& store, CategoryNode& node) {
  store.RemoveCategorySection(node);
  tree.Remove(node);
}

bool ApplyIconChoice(CategoryNode& node, const std::string& iconChoice) {
  if (iconChoice.empty()) return false;
  node.iconText = iconChoice;
  node.imageIndex = 0;
  return true;
}

bool AcceptsCategoryDrop(const CategoryTree& tree, const CategoryNode& moving,
                         const CategoryNode& target, CategoryDropPlace place) {
  if (KeepsNameAndPlace(moving) || CategoryTree::IsSelfOrAncestor(moving, target)) return false;
  const auto& siblings =
      place == CategoryDropPlace::LastChild ? target.children() : SiblingsOf(tree, target);
  return !HasChildNamed(siblings, moving.name, &moving);
}

std::string CategoryDropText(const CategoryTree& tree, const CategoryNode& moving,
                             const CategoryNode* target, CategoryDropPlace place) {
  if (target == nullptr || !AcceptsCategoryDrop(tree, moving, *target, place)) {
    return "Cannot be dropped here";
  }
  return (place == CategoryDropPlace::LastChild ? "Move into '" : "Move before '") + target->name + "'";
}

bool SeparateTwins(CategoryTree& tree, ShortcutStore& store) {
  // Every path as the older file had it, with the categories that shared it in tree
  // order: the k-th section under a shared header was the k-th category's.
  std::map<std::string, std::vector<CategoryNode*>> byHeader;
  tree.ForEach([&](CategoryNode& node) {
    byHeader[ShortcutStore::SectionHeader(node)].push_back(&node);
  });
  bool renamed = false;
  const auto separate = [&](const auto& self,
                            const std::vector<std::unique_ptr<CategoryNode>>& nodes) -> void {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      CategoryNode& later = *nodes[i];
      const bool twin =
          std::any_of(nodes.begin(), nodes.begin() + static_cast<std::ptrdiff_t>(i),
                      [&](const auto& earlier) { return earlier->name == later.name; });
      if (twin) {
        std::string name;
        for (int n = 2;; ++n) {
          name = later.name + " (" + std::to_string(n) + ")";
          if (!HasChildNamed(nodes, name, nullptr)) break;
        }
        later.name = name;
        renamed = true;
      }
      self(self, later.children());
    }
  };
  separate(separate, tree.roots());
  if (!renamed) return false;
  for (const auto& [header, nodes] : byHeader) {
    // The last first: renaming one occurrence leaves the earlier ones where they were.
    for (std::size_t k = nodes.size(); k-- > 0;) {
      const std::string now = ShortcutStore::SectionHeader(*nodes[k]);
      if (now != header) store.RenameDuplicateSection(header, static_cast<int>(k), now);
    }
  }
  return true;
}

void MoveCategory(CategoryTree& tree, ShortcutStore& store, CategoryNode& moving,
                  CategoryNode& target, CategoryDropPlace place) {
  if (!AcceptsCategoryDrop(tree, moving, target, place)) return;
  const std::vector<std::string> before = ShortcutStore::SubtreeHeaders(moving);
  if (place == CategoryDropPlace::LastChild) {
    tree.MoveToLastChild(moving, target);
  } else {
    tree.MoveBefore(moving, target);
  }
  store.MoveCategorySections(before, ShortcutStore::SubtreeHeaders(moving));
}

}  // namespace tessaly
