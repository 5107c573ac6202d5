#pragma once
// The category menu's commands as decisions on the tree model and the shortcut
// store; the category pane shows the dialogs and mirrors the result on screen.

#include <string>

#include "model/CategoryTree.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// What the name dialog's OK does.
enum class NameDialogMode { Rename = 1, Insert = 2, Add = 3 };

// The tree image of a category made by Add or Insert: a folder with a star.
inline constexpr int kNewCategoryImage = 15;

inline constexpr const char* kRenameRefusedText = "Can not rename this name.";
inline constexpr const char* kNoNameText = "No inputted text";

// A top-level category and "Get All" below one keep their names and their places.
bool KeepsNameAndPlace(const CategoryNode& node);

std::string DeleteQuestion(const CategoryNode& node);

struct NameDialogTexts {
  std::string caption;
  std::string info;
};
NameDialogTexts NameDialogTextsFor(NameDialogMode mode, const CategoryNode& selected);

struct NameCheck {
  bool ok = true;
  std::string message;  // the information text when !ok
};

// Trims codes of 32 and below from both ends of name, in place, and tells whether the
// stores can carry what is left.
NameCheck CheckCategoryName(std::string& name);

// Whether the category that the command makes or renames may take the name: a path
// names one category only, so no sibling may have it already.
NameCheck CheckNameIsFree(const CategoryTree& tree, const CategoryNode& selected,
                          NameDialogMode mode, const std::string& name);

// Carries out a checked name on the selected category: renames it (its sections
// first, one save), or makes a new category before it (Insert) or as its last child
// (Add). Returns the new category, or nullptr for a rename.
CategoryNode* ApplyCategoryName(CategoryTree& tree, ShortcutStore& store, CategoryNode& selected,
                                NameDialogMode mode, const std::string& name);

// Drops the category's own section from the store (saved with the next save) and the
// category with its sub-categories from the tree.
void DeleteCategory(CategoryTree& tree, ShortcutStore& store, CategoryNode& node);

// Gives the category the chosen icon text; false when nothing was chosen. The image
// index goes back to 0, so the tree resolves the new icon when it next draws it.
bool ApplyIconChoice(CategoryNode& node, const std::string& iconChoice);

// Where a dragged category goes: as the last child of the category it is dropped on
// (on its label or icon), or just before it (on the indent at its left).
enum class CategoryDropPlace { LastChild, Before };

// Whether the dragged category may go to target at that place. Never onto itself or
// into its own branch (the tree cannot hold a category inside itself), and never
// beside a category of the same name.
bool AcceptsCategoryDrop(const CategoryTree& tree, const CategoryNode& moving,
                         const CategoryNode& target, CategoryDropPlace place);

// What a release would do, shown while a category is dragged.
std::string CategoryDropText(const CategoryTree& tree, const CategoryNode& moving,
                             const CategoryNode* target, CategoryDropPlace place);

// Later categories of the same name under one parent get " (2)", " (3)"... and the
// sections the older file kept twice under their shared path go to them in order, so
// that every path names one category and none of the shortcuts is lost. True when a
// name changed; both files must then be written.
bool SeparateTwins(CategoryTree& tree, ShortcutStore& store);

// Moves the category with its sub-categories, and carries their sections to the new
// paths in one save, so the moved categories keep their shortcuts.
void MoveCategory(CategoryTree& tree, ShortcutStore& store, CategoryNode& moving,
                  CategoryNode& target, CategoryDropPlace place);

}  // namespace tessaly
