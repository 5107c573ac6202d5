#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/win32/Program.h"
#include "base/win32/Handle.h"
#include "base/win32/Window.h"

namespace tessaly::win32 {
namespace {

// A handle, a time and idle work, as the folder watcher gives the loop.
class ScriptedWaits : public LoopWaits {
 public:
  const std::vector<HANDLE>& Handles() override { return handles; }
  void OnSignalled(std::size_t index) override {
    log.push_back("signalled " + std::to_string(index));
    ::ResetEvent(handles[index]);
    if (onSignalled) onSignalled();
  }
  DWORD Timeout() override { return timeout; }
  void OnTimeout() override {
    log.push_back("timeout");
    timeout = INFINITE;
    ::PostQuitMessage(7);
  }
  // Idle work in idleSteps steps; the program ends after the last.
  bool OnIdle() override {
    ++idles;
    if (idleSteps == 0) return false;
    if (--idleSteps == 0) ::PostQuitMessage(3);
    return idleSteps > 0;
  }

  std::vector<HANDLE> handles;
  std::vector<std::string> log;
  std::function<void()> onSignalled;
  DWORD timeout = INFINITE;
  int idleSteps = 0;
  int idles = 0;
};

TEST(MessageLoop, WaitsOnHandlesAndTimeBetweenMessagesUntilTheQuit) {
  const UniqueKernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ScriptedWaits waits;
  waits.handles = {event.get()};
  // The handle is signalled from a message: the loop must take both.
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP + 7, 0, 0);
  std::vector<UINT> seen;
  waits.onSignalled = [&] { waits.timeout = 10; };
  PreTranslateHook() = [&](const MSG& msg) {
    seen.push_back(msg.message);
    if (msg.message == WM_APP + 7) ::SetEvent(event.get());
    return msg.message == WM_APP + 7;
  };
  const int code = RunMessageLoop(&waits);
  PreTranslateHook() = nullptr;
  EXPECT_EQ(code, 7);
  EXPECT_EQ(seen, std::vector<UINT>{WM_APP + 7});
  EXPECT_EQ(waits.log, (std::vector<std::string>{"signalled 0", "timeout"}));
}

TEST(MessageLoop, IdleWorkIsDoneStepByStepWithoutWaiting) {
  ScriptedWaits waits;
  waits.idleSteps = 5;
  waits.timeout = 60000;  // would hold the test a minute if idle steps waited
  EXPECT_EQ(RunMessageLoop(&waits), 3);
  EXPECT_EQ(waits.idles, 5);
}

}  // namespace
}  // namespace tessaly::win32
