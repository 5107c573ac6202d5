#include "model/ShortcutList.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "model/BuiltinCategories.h"

namespace tessaly {

ShortcutList::ShortcutList(TitleOrder order) : order_(std::move(order)) {
  if (!order_) {
    order_ = [](const std::string& a, const std::string& b) { return std::strcmp(a.c_str(), b.c_str()); };
  }
}

Shortcuts ShortcutList::EntriesAt(const std::vector<int>& indexes) const {
  Shortcuts picked;
  picked.reserve(indexes.size());
  for (const int index : indexes) {
    if (index >= 0 && index < Count()) picked.push_back(entries_[static_cast<std::size_t>(index)]);
  }
  return picked;
}

const CategoryNode* ShortcutList::StorableAs() const {
  if (source_ != Source::Category || !whole_ || category_ == nullptr) return nullptr;
  return IsGetAll(*category_) ? nullptr : category_;
}

void ShortcutList::Replace(Source source, const CategoryNode* category, Shortcuts entries,
                           bool whole) {
  entries_ = std::move(entries);
  source_ = source;
  category_ = category;
  whole_ = whole;
  ++generation_;
  Notify({ListChange::Kind::Replaced, {}});
}

void ShortcutList::ShowNothing() { Replace(Source::Nothing, nullptr, {}, true); }

void ShortcutList::ShowCategory(const CategoryNode& category, Shortcuts entries) {
  Replace(Source::Category, &category, std::move(entries), true);
}

void ShortcutList::BeginFilling(const CategoryNode& category) {
  Replace(Source::Category, &category, {}, false);
}

void ShortcutList::ShowResults(Shortcuts found) {
  Replace(Source::Results, nullptr, std::move(found), true);
}

void ShortcutList::Append(std::string title, std::string target) {
  entries_.push_back({std::move(title), std::move(target)});
  Notify({ListChange::Kind::Grown, {}});
}

void ShortcutList::Set(int index, Shortcut entry, std::vector<int> selection) {
  if (index < 0 || index >= Count()) return;
  entries_[static_cast<std::size_t>(index)] = std::move(entry);
  Notify({ListChange::Kind::Edited, std::move(selection)});
}

void ShortcutList::Remove(std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  // Highest first, so that the lower indexes still name the same entries.
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    if (*it >= 0 && *it < Count()) entries_.erase(entries_.begin() + *it);
  }
  Notify({ListChange::Kind::Edited, {}});
}

void ShortcutList::Clear() {
  entries_.clear();
  Notify({ListChange::Kind::Edited, {}});
}

int ShortcutList::CompareTitles(const std::string& a, const std::string& b) const {
  return order_(a, b);
}

void ShortcutList::SortByTitle(const std::vector<int>& selection) {
  std::vector<int> order(entries_.size());
  std::iota(order.begin(), order.end(), 0);
  // Stable: entries with equal titles keep the order they had.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return order_(entries_[static_cast<std::size_t>(a)].title,
                  entries_[static_cast<std::size_t>(b)].title) < 0;
  });
  std::vector<bool> selected(entries_.size(), false);
  for (const int index : selection) {
    if (index >= 0 && index < Count()) selected[static_cast<std::size_t>(index)] = true;
  }
  std::vector<int> moved;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (selected[static_cast<std::size_t>(order[i])]) moved.push_back(static_cast<int>(i));
  }
  Reorder(order, std::move(moved));
}

void ShortcutList::Reorder(const std::vector<int>& order, std::vector<int> selection) {
  if (order.size() != entries_.size()) return;
  Shortcuts reordered;
  reordered.reserve(entries_.size());
  for (const int index : order) reordered.push_back(std::move(entries_[static_cast<std::size_t>(index)]));
  entries_ = std::move(reordered);
  Notify({ListChange::Kind::Edited, std::move(selection)});
}

void ShortcutList::BeginUpdate() {
  if (updateDepth_++ == 0 && observer_ != nullptr) observer_->OnUpdateHeld(true);
}

void ShortcutList::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0 && observer_ != nullptr) observer_->OnUpdateHeld(false);
}

void ShortcutList::Notify(ListChange change) {

  if (observer_ != nullptr) observer_->OnListChanged(change);
}

}  // namespace tessaly
