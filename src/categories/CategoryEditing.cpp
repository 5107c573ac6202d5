#include "categories/CategoryEditing.h"

#include "base/Text.h"
#include "model/BuiltinCategories.h"

namespace tessaly {

bool CanRename(const CategoryNode& node) { return !node.isTopLevel() && !IsGetAll(node); }

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

bool CanDragCategory(const CategoryNode& node) { return !node.isTopLevel() && !IsGetAll(node); }

bool AcceptsCategoryDrop(const CategoryNode& moving, const CategoryNode& target) {
  return CanDragCategory(moving) && !CategoryTree::IsSelfOrAncestor(moving, target);
}

void MoveCategory(CategoryTree& tree, ShortcutStore& store, CategoryNode& moving,
                  CategoryNode& target, CategoryDropPlace place) {
  if (!AcceptsCategoryDrop(moving, target)) return;
  const std::vector<std::string> before = ShortcutStore::SubtreeHeaders(moving);
  if (place == CategoryDropPlace::LastChild) {
    tree.MoveToLastChild(moving, target);
  } else {
    tree.MoveBefore(moving, target);
  }
  store.MoveCategorySections(before, ShortcutStore::SubtreeHeaders(moving));
}

}  // namespace tessaly
