#pragma once
// Processing the messages that wait while a long filling runs.

#include <windows.h>

#include "shell/ShellPorts.h"

namespace tessaly::win32 {

// The program's quiet time: often enough that typing and clicking during a long
// filling feel immediate.
inline constexpr DWORD kProgramPumpQuietTime = 8;

class Win32MessagePump : public MessagePump {
 public:
  // With a quiet time, a call that comes sooner than that many milliseconds after
  // the last one that looked at the queue returns at once. The scans ask before every
  // folder entry, and under Wine each look at the queue is a round trip to the server
  // that costs as much as listing the entry; the user sees no difference between
  // every entry and every few milliseconds.
  explicit Win32MessagePump(DWORD quietTime = 0) : quietTime_(quietTime) {}

  // Dispatches every waiting message of the thread. A WM_QUIT met here is posted
  // again, so that the main loop still ends the program.
  void ProcessPendingMessages() override;

 private:
  DWORD quietTime_;
  ULONGLONG lastLook_ = 0;
};

}  // namespace tessaly::win32
