#pragma once
// The shortcut list of the main window as the core sees it: items with a title
// (the caption) and a target (the first sub-item), a selection, and a status line.

#include <string>

namespace tessaly {

class ShortcutList {
 public:
  virtual ~ShortcutList() = default;

  virtual int Count() const = 0;
  virtual std::string Title(int index) const = 0;
  virtual std::string Target(int index) const = 0;
  virtual bool IsSelected(int index) const = 0;

  // Appends one item and returns its index.
  virtual int Append(const std::string& title, const std::string& target) = 0;
  virtual void SetItem(int index, const std::string& title, const std::string& target) = 0;
  // Puts an unselected copy of the item at source (its icon included) at position at,
  // Count() appending it; returns the copy's index.
  virtual int InsertCopy(int at, int source) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // Batch updates nest; the list redraws when the outermost one ends.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;

  // Sorts by title, ascending, with the platform's locale-aware comparison.
  virtual void SortByTitle() = 0;
};

class StatusLine {
 public:
  virtual ~StatusLine() = default;
  virtual void SetStatusText(const std::string& text) = 0;
};

// The application's cursor during a long filling.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void SetBusy(bool busy) = 0;
};

// The filling of the list that a category selection runs. Fillings let pending
// messages run, so a command can arrive while the list is still half filled.
class ListFilling {
 public:
  virtual ~ListFilling() = default;
  // Completes a filling that is still running, at once and without letting messages
  // in, so that the list holds everything the selected category shows. Every command
  // that stores the list (or changes it and then stores it) calls this first: what it
  // stores is then always the whole section, never the part loaded so far.
  virtual void FinishFilling() = 0;
};

}  // namespace tessaly
