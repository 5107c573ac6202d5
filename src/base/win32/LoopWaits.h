#pragma once
// Kernel objects that the message loop of the user-interface thread waits on beside
// the window messages (a changed folder, for one), each with what to run when it is
// signalled. Everything stays on the one thread: a callback runs between messages,
// never inside another handler.

#include <windows.h>

#include <functional>
#include <vector>

namespace tessaly::win32 {

class LoopWaits {
 public:
  using Id = unsigned;

  // The registry of the calling thread.
  static LoopWaits& ForThisThread();

  // Runs signalled (guarded: nothing escapes it) each time handle is signalled while the
  // loop waits. The handle stays the caller's; it must stay open until Remove. At most
  // MAXIMUM_WAIT_OBJECTS - 1 handles are waited on; later ones are left out.
  Id Add(HANDLE handle, std::function<void()> signalled);
  void Remove(Id id);

  // Blocks until a message is in the queue, running the callbacks of handles that are
  // signalled meanwhile. The loop calls it when the queue is empty.
  void WaitForMessage();

 private:
  struct Entry {
    Id id;
    HANDLE handle;
    std::function<void()> signalled;
  };
  std::vector<Entry> entries_;
  Id next_ = 1;
};

}  // namespace tessaly::win32
