#pragma once
// Dragging shortcuts with the mouse: reordering them in the list and moving (or, from
// "Get All", copying) them onto another category. The window follows the mouse; what
// a drop does is decided here.

#include <vector>

#include "model/CategoryTree.h"

namespace tessaly {

// One item of a list being reordered: where it stood before, and whether it is one of
// those dragged and not yet moved.
struct ReorderItem {
  int origin = 0;
  bool selected = false;
};

// Moves the item at source to the target position (the item count for the end); the
// moved item is no longer selected. Returns the position at which the next moved item
// is to go, or -2 when nothing was moved.
int MoveListItem(std::vector<ReorderItem>& items, int source, int target);

// The list's new order (each entry the index an item had before) once the dragged
// items (ascending) are dropped on the item at dropIndex or on empty space (-1): they
// go, in their former order, directly before it or to the end. Dropped on the first of
// them, nothing moves.
std::vector<int> ReorderByDrop(int count, const std::vector<int>& dragged, int dropIndex);

// Whether shortcuts of the selected category may be dropped on target. Never on their
// own category (the drop would file them into the section it then rewrites without
// them), and never on "Get All", which shows only what it scans.
bool AcceptsShortcutDrop(const CategoryNode& target, const CategoryNode& selected);

}  // namespace tessaly
