#pragma once
// Dragging shortcuts with the mouse: reordering them in the list and moving (or, from
// "Get All", copying) them onto another category. The window follows the mouse; what
// a drop does is decided here.

#include <functional>
#include <vector>

#include "model/CategoryTree.h"
#include "model/ShortcutList.h"
#include "store/ShortcutStore.h"

namespace tessaly {

// The indexes of the selected items, in list order.
std::vector<int> SelectedIndexes(const ShortcutList& list);

// Moves the item at source to the target position (Count() for the end). Returns the
// position at which the next moved item is to go, or -2 when nothing was moved.
int MoveListItem(ShortcutList& list, int source, int target);

// The dragged (selected) items dropped on the item at dropIndex, or on empty space
// (-1): they move, in their former order, directly before it or to the end; save runs
// after each single move. None of them stays selected.
void ReorderDrop(ShortcutList& list, std::vector<int>& draggedItems, int dropIndex,
                 const std::function<void()>& save);

// Whether shortcuts of the selected category may be dropped on target. Never on their
// own category: the drop would file them into the section it then rewrites without
// them.
bool AcceptsShortcutDrop(const CategoryNode& target, const CategoryNode& selected);

// Files the dragged items at the end of target's section. From "Get All" they are
// copied; from any other category they leave the list, whose section is saved again.
// True when they left the list.
bool DropShortcutsOnCategory(ShortcutList& list, ShortcutStore& store,
                             const CategoryNode& selected, const CategoryNode& target,
                             std::vector<int>& draggedItems);

}  // namespace tessaly
