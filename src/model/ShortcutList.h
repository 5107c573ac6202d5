#pragma once
// What the shortcut list shows, held in the core: the entries, whose content they are
// (a category's, or what a search found), and whether they are that content whole.
// The list control on screen only draws this model; nothing is kept in the control.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/CategoryTree.h"
#include "model/Shortcut.h"

namespace tessaly {

// How the list changed, for whoever draws it.
struct ListChange {
  enum class Kind {
    Replaced,  // new content: nothing selected, back to the top
    Grown,     // entries appended at the end; the rest is as it was
    Edited,    // entries changed, moved or removed in place
  };
  Kind kind = Kind::Replaced;
  // Edited: the items selected afterwards (each index once, ascending).
  std::vector<int> selection;
};

class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void OnListChanged(const ListChange& change) = 0;
  // Batch updates nest; nothing needs to be drawn until the outermost one ends.
  virtual void OnUpdateHeld(bool held) = 0;
};

// The order Sort and the fillings use: negative, zero or positive like strcmp. The
// program passes the platform's locale-aware comparison.
using TitleOrder = std::function<int(const std::string&, const std::string&)>;

class ShortcutList {
 public:
  enum class Source {
    Nothing,   // no category is selected
    Category,  // the selected category's shortcuts: stored, or computed for a built-in
    Results,   // what the search found, from every category
  };

  explicit ShortcutList(TitleOrder order = {});
  ShortcutList(const ShortcutList&) = delete;
  ShortcutList& operator=(const ShortcutList&) = delete;

  void SetObserver(ListObserver* observer) { observer_ = observer; }

  int Count() const { return static_cast<int>(entries_.size()); }
  const Shortcut& At(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
  const Shortcuts& entries() const { return entries_; }
  // The entries at these indexes, in the order given; indexes out of range are skipped.
  Shortcuts EntriesAt(const std::vector<int>& indexes) const;

  Source source() const { return source_; }
  // The category whose content the list holds, or null.
  const CategoryNode* category() const { return category_; }
  // True when the list holds its category's content whole: a stored section read at
  // once, or a filling that ran to its end. Only such a list may be stored.
  bool whole() const { return whole_; }
  // The category the list may be stored as, or null: the list must hold a category's
  // content whole, and "Get All", which is scanned afresh every time it is shown,
  // would never show what was stored under it.
  const CategoryNode* StorableAs() const;
  // Counts up whenever the content is replaced: what was read from the list before
  // (a drag's indexes, a selection) belongs to another list once it changed.
  unsigned generation() const { return generation_; }

  // Replacing the content.
  void ShowNothing();
  void ShowCategory(const CategoryNode& category, Shortcuts entries);
  // An empty list of the category that a filling will grow; not whole until it ends.
  void BeginFilling(const CategoryNode& category);
  void EndFilling() { whole_ = true; }
  void ShowResults(Shortcuts found);

  // Changing it in place.
  void Append(std::string title, std::string target);
  void Set(int index, Shortcut entry, std::vector<int> selection);
  void Remove(std::vector<int> indexes);
  void Clear();
  // Orders by title; the selected entries stay selected where they go.
  void SortByTitle(const std::vector<int>& selection);
  // Puts the entries in this order (a permutation of the indexes), then selects those.
  void Reorder(const std::vector<int>& order, std::vector<int> selection);
  int CompareTitles(const std::string& a, const std::string& b) const;

  // Batch updates nest; the list is drawn again when the outermost one ends.
  void BeginUpdate();
  void EndUpdate();

 private:
  void Replace(Source source, const CategoryNode* category, Shortcuts entries, bool whole);
  void Notify(ListChange change);

  TitleOrder order_;
  ListObserver* observer_ = nullptr;
  Shortcuts entries_;
  Source source_ = Source::Nothing;
  const CategoryNode* category_ = nullptr;
  bool whole_ = false;
  unsigned generation_ = 0;
  int updateDepth_ = 0;
};

class StatusLine {
 public:
  virtual ~StatusLine() = default;
  virtual void SetStatusText(const std::string& text) = 0;
  // A hint shown over the status text while a drag runs (what a release there would
  // do); the status text is back once it ends.
  virtual void ShowHint(const std::string& text) { (void)text; }
  virtual void EndHint() {}
};

// The application's cursor during a long filling.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void SetBusy(bool busy) = 0;
};

}  // namespace tessaly
