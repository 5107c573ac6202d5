#pragma once
// Appending found entries to the shortcut list, with progress in the status bar.

#include <string>

#include "base/ScopedFlag.h"
#include "model/ShortcutList.h"
#include "shell/ShellPorts.h"

namespace tessaly {

class ListEntryAdder {
 public:
  ListEntryAdder(ShortcutList& list, StatusLine& status, MessagePump& pump)
      : list_(list), status_(status), pump_(pump) {}

  // Appends one item. At every tenth item the count is written to the status line
  // and pending window messages are processed, which may re-enter the caller.
  void AddListEntry(const std::string& caption, const std::string& target);
  // Processes pending window messages, unless a filling is being finished at once.
  void ProcessPendingMessages();

  // While one lives, no messages are processed: a filling runs to its end at once.
  class AtOnce {
   public:
    explicit AtOnce(ListEntryAdder& adder) : flag_(adder.atOnce_) {}

   private:
    ScopedFlag flag_;
  };

  ShortcutList& list() { return list_; }
  StatusLine& status() { return status_; }

  // Every new filling of the list starts a new generation. A filling that sees the
  // generation change while messages were processed was overtaken by a nested
  // selection: the list is no longer its own, and it must stop touching it.
  unsigned generation() const { return generation_; }
  unsigned NextGeneration() { return ++generation_; }

 private:
  unsigned generation_ = 0;
  bool atOnce_ = false;
  ShortcutList& list_;
  StatusLine& status_;
  MessagePump& pump_;
};

// The status text for a count: the number followed by " items".
std::string ItemCountText(int count);

}  // namespace tessaly
