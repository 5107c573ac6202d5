// A stand-in program for launch tests: writes the command line it was started with
// to the file named by TESSALY_RECORD_FILE, then ends. With TESSALY_RECORD_LOG it
// appends a line to that file instead: its own start time (100 ns units), a tab and
// the command line; programs started one after the other are then told apart by
// their start times, whichever of them writes first.

#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string Variable(const char* name) {
  char value[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

int AppendToLog(const std::string& path) {
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const unsigned long long start =
      (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  const std::string line = std::to_string(start) + "\t" + ::GetCommandLineA() + "\n";
  // Whole lines only: the file is held alone while one line goes in, and another
  // writer waits its turn.
  for (int attempt = 0; attempt < 500; ++attempt) {
    const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      ::Sleep(10);
      continue;
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == line.size() ? 0 : 3;
  }
  return 4;
}

}  // namespace

int main() {
  const std::string log = Variable("TESSALY_RECORD_LOG");
  if (!log.empty()) return AppendToLog(log);
  const std::string path = Variable("TESSALY_RECORD_FILE");
  if (path.empty()) return 1;
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << ::GetCommandLineA();
  }
  // Appears whole or not at all, so a waiting test never reads half of it.
  return ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
