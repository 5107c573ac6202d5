#include "base/win32/LoopWaits.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "base/win32/Boundary.h"

namespace tessaly::win32 {

LoopWaits& LoopWaits::ForThisThread() {
  // NOTE: not a thread_local object: mingw-w64 frees a thread's emulated TLS before it
  // destroys the thread's objects, and the destructor then runs on freed memory. The
  // registries stay for the run; a thread id that comes again finds its (empty) one.
  static std::mutex mutex;
  static std::map<DWORD, std::unique_ptr<LoopWaits>> byThread;
  const std::lock_guard lock(mutex);
  std::unique_ptr<LoopWaits>& waits = byThread[::GetCurrentThreadId()];
  if (!waits) waits = std::make_unique<LoopWaits>();
  return *waits;
}

LoopWaits::Id LoopWaits::Add(HANDLE handle, std::function<void()> signalled) {
  entries_.push_back({next_, handle, std::move(signalled)});
  return next_++;
}

void LoopWaits::Remove(Id id) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [&](const Entry& entry) { return entry.id == id; }),
                 entries_.end());
}

void LoopWaits::WaitForMessage() {
  std::vector<HANDLE> handles;
  std::vector<Id> ids;
  for (const Entry& entry : entries_) {
    if (handles.size() + 1 >= MAXIMUM_WAIT_OBJECTS) break;
    handles.push_back(entry.handle);
    ids.push_back(entry.id);
  }
  const auto count = static_cast<DWORD>(handles.size());
  // MWMO_INPUTAVAILABLE: input that arrived before the wait, and was only peeked at,
  // still ends it.
  const DWORD result = ::MsgWaitForMultipleObjectsEx(count, handles.empty() ? nullptr : handles.data(),
                                                     INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
    const Id id = ids[result - WAIT_OBJECT_0];
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.id == id; });
    if (found == entries_.end()) return;
    // A copy: the callback may remove its own entry, or add others.
    const std::function<void()> signalled = found->signalled;
    GuardBoundary(signalled);
  } else if (result == WAIT_FAILED) {
    // A handle closed under the loop: wait for messages alone rather than spin.
    ::WaitMessage();
  }
}

}  // namespace tessaly::win32
