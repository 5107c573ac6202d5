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

}  // namespace tessaly
