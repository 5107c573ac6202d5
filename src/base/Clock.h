#pragma once
// Time as the stores see it: the local date and time for the names of backups, a
// steady count for spacing them, and short pauses while another program finishes a
// file. Tests pass a clock of their own so that no test waits.

#include <cstdint>
#include <string>

namespace tessaly {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds from an arbitrary start; never goes back.
  virtual std::int64_t SteadyMilliseconds() = 0;
  virtual void Pause(int milliseconds) = 0;
};

// The system's clock.
Clock& SystemClock();

// "2026-12-09 11-30-00": sorts as time runs and can stand in a file name.
std::string FileNameTime(const LocalTime& time);

}  // namespace tessaly
