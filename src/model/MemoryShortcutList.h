#pragma once
// A shortcut list held in memory, for fillings that nobody sees: the search's own
// scan of the start menus.

#include <string>
#include <utility>
#include <vector>

#include "model/ShortcutList.h"

namespace tessaly {

class MemoryShortcutList : public ShortcutList {
 public:
  struct Item {
    std::string title;
    std::string target;
  };

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Title(int index) const override { return items_.at(At(index)).title; }
  std::string Target(int index) const override { return items_.at(At(index)).target; }
  bool IsSelected(int) const override { return false; }
  int Append(const std::string& title, const std::string& target) override {
    items_.push_back({title, target});
    return Count() - 1;
  }
  void SetItem(int index, const std::string& title, const std::string& target) override {
    items_.at(At(index)) = {title, target};
  }
  int InsertCopy(int at, int source) override {
    const Item copy = items_.at(At(source));
    items_.insert(items_.begin() + at, copy);
    return at;
  }
  void Delete(int index) override { items_.erase(items_.begin() + index); }
  void Clear() override { items_.clear(); }
  void BeginUpdate() override {}
  void EndUpdate() override {}
  // Nobody sees the order; the search ranks what it finds itself.
  void SortByTitle() override {}

  const std::vector<Item>& items() const { return items_; }

 private:
  static std::size_t At(int index) { return static_cast<std::size_t>(index); }
  std::vector<Item> items_;
};

}  // namespace tessaly
