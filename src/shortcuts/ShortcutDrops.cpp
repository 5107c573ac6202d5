#include "shortcuts/ShortcutDrops.h"

#include <algorithm>

#include "model/BuiltinCategories.h"

namespace tessaly {

std::vector<int> SelectedIndexes(const ShortcutList& list) {
  std::vector<int> indexes;
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    if (list.IsSelected(i)) indexes.push_back(i);
  }
  return indexes;
}

int MoveListItem(ShortcutList& list, int source, int target) {
  if (source == target) return -2;
  list.BeginUpdate();
  int next = target;
  if (target < source) {
    list.InsertCopy(target, source);
    list.Delete(source + 1);
    next = target + 1;
  } else {
    list.InsertCopy(std::min(target, list.Count()), source);
    list.Delete(source);
  }
  list.EndUpdate();
  return next;
}

void ReorderDrop(ShortcutList& list, std::vector<int>& draggedItems, int dropIndex,
                 const std::function<void()>& save) {
  int position = dropIndex;
  // Each move leaves one dragged item fewer selected; the bound only guards against a
  // list that does not take a move.
  for (std::size_t moves = draggedItems.size(); !draggedItems.empty() && moves > 0; --moves) {
    if (position == -2) return;
    const int first = draggedItems.front();
    position = MoveListItem(list, first, position >= 0 ? position : list.Count());
    draggedItems = SelectedIndexes(list);
    save();
  }
}

bool AcceptsShortcutDrop(const CategoryNode& target, const CategoryNode& selected) {
  if (&target == &selected) return false;
  if (target.name == builtin::Recent || target.name == builtin::Find) return false;
  return !(selected.level() == 1 && target.name == builtin::GetAll);
}

bool DropShortcutsOnCategory(ShortcutList& list, ShortcutStore& store,
                             const CategoryNode& selected, const CategoryNode& target,
                             std::vector<int>& draggedItems) {
  store.AppendItemsToSection(target, list, draggedItems);
  if (IsGetAll(selected)) return false;
  std::vector<int> highestFirst = draggedItems;
  std::sort(highestFirst.rbegin(), highestFirst.rend());
  for (const int index : highestFirst) {
    if (index >= 0 && index < list.Count()) list.Delete(index);
  }
  store.SaveCategorySection(selected, list);
  draggedItems.clear();
  return true;
}

}  // namespace tessaly
