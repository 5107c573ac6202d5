#include "shell/ListEntries.h"

namespace tessaly {

std::string ItemCountText(int count) { return std::to_string(count) + " items"; }

void ListEntryAdder::AddListEntry(const std::string& caption, const std::string& target) {
  list_.Append(caption, target);
  const int count = list_.Count();
  if (count % 10 == 0) {
    status_.SetStatusText(ItemCountText(count));
    ProcessPendingMessages();
  }
}

void ListEntryAdder::ProcessPendingMessages() {
  if (!atOnce_) pump_.ProcessPendingMessages();
}

unsigned ListEntryAdder::NextGeneration() {
  // The entries of an overtaken AddEntries are no longer anyone's to add.
  pending_.clear();
  nextPending_ = 0;
  addingEntries_ = false;
  return ++generation_;
}

void ListEntryAdder::AddEntries(LineList pairs) {
  const unsigned generation = generation_;
  pending_ = std::move(pairs);
  nextPending_ = 0;
  addingEntries_ = true;
  while (generation_ == generation && nextPending_ + 1 < pending_.size()) {
    // Copies: the messages processed inside may finish or replace the pending pairs.
    const std::string title = pending_[nextPending_];
    const std::string target = pending_[nextPending_ + 1];
    nextPending_ += 2;
    AddListEntry(title, target);
  }
  if (generation_ != generation) return;
  pending_.clear();
  nextPending_ = 0;
  addingEntries_ = false;
}

bool ListEntryAdder::AddRemainingEntriesAtOnce() {
  if (!addingEntries_) return false;
  AtOnce atOnce(*this);
  while (nextPending_ + 1 < pending_.size()) {
    const std::size_t i = nextPending_;
    nextPending_ += 2;
    AddListEntry(pending_[i], pending_[i + 1]);
  }
  return true;
}

}  // namespace tessaly
