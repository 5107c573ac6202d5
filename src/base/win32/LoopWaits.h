#pragma once
// What the main message loop waits for besides window messages: kernel handles that
// become signalled, a time, and idle moments. All of it runs on the window's thread,
// between messages; no other thread is involved.

#include <windows.h>

#include <cstddef>
#include <vector>

namespace tessaly::win32 {

class LoopWaits {
 public:
  virtual ~LoopWaits() = default;
  // The handles to wait on; asked again before every wait, so the set may change.
  virtual const std::vector<HANDLE>& Handles() = 0;
  // Handles()[index] is signalled.
  virtual void OnSignalled(std::size_t index) = 0;
  // Milliseconds until OnTimeout is wanted, or INFINITE.
  virtual DWORD Timeout() = 0;
  virtual void OnTimeout() = 0;
  // The message queue has just been emptied. True asks to be called again as soon
  // as no message waits (more work to do in small steps).
  virtual bool OnIdle() { return false; }
};

}  // namespace tessaly::win32
