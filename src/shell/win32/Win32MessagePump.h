#pragma once
// Processing the messages that wait while a long filling runs.

#include "shell/ShellPorts.h"

namespace tessaly::win32 {

class Win32MessagePump : public MessagePump {
 public:
  // Dispatches every waiting message of the thread. A WM_QUIT met here is posted
  // again, so that the main loop still ends the program.
  void ProcessPendingMessages() override;
};

}  // namespace tessaly::win32
