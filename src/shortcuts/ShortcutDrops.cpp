#include "shortcuts/ShortcutDrops.h"

#include <algorithm>

#include "model/BuiltinCategories.h"

namespace tessaly {

int MoveListItem(std::vector<ReorderItem>& items, int source, int target) {
  if (source == target) return -2;
  const auto at = [](int i) { return static_cast<std::ptrdiff_t>(i); };
  ReorderItem moved{items[static_cast<std::size_t>(source)].origin, false};
  if (target < source) {
    items.insert(items.begin() + at(target), moved);
    items.erase(items.begin() + at(source) + 1);
    return target + 1;
  }
  items.insert(items.begin() + at(std::min(target, static_cast<int>(items.size()))), moved);
  items.erase(items.begin() + at(source));
  return target;
}

std::vector<int> ReorderByDrop(int count, const std::vector<int>& dragged, int dropIndex) {
  std::vector<ReorderItem> items;
  for (int i = 0; i < count; ++i) items.push_back({i, false});
  for (const int i : dragged) {
    if (i >= 0 && i < count) items[static_cast<std::size_t>(i)].selected = true;
  }
  int position = dropIndex;
  // Each move leaves one dragged item fewer selected.
  for (;;) {
    const auto first = std::find_if(items.begin(), items.end(), [](const auto& i) { return i.selected; });
    if (first == items.end() || position == -2) break;
    const int source = static_cast<int>(first - items.begin());
    position = MoveListItem(items, source, position >= 0 ? position : static_cast<int>(items.size()));
  }
  std::vector<int> order;
  order.reserve(items.size());
  for (const ReorderItem& item : items) order.push_back(item.origin);
  return order;
}

bool AcceptsShortcutDrop(const CategoryNode& target, const CategoryNode& selected) {
  if (&target == &selected || IsGetAll(target)) return false;
  if (target.name == builtin::Recent || target.name == builtin::Find) return false;
  return !(selected.level() == 1 && target.name == builtin::GetAll);
}

}  // namespace tessaly
