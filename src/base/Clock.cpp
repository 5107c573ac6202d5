#include "base/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace tessaly {

namespace {

class RealClock : public Clock {
 public:
  LocalTime Now() override {
    const std::time_t now = std::time(nullptr);
    // Only the user-interface thread asks, so the shared buffer of localtime is safe.
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
            local->tm_hour,        local->tm_min,     local->tm_sec};
  }
  std::int64_t SteadyMilliseconds() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void Pause(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace

Clock& SystemClock() {
  static RealClock clock;
  return clock;
}

std::string FileNameTime(const LocalTime& time) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d-%02d-%02d", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  return text;
}

}  // namespace tessaly
