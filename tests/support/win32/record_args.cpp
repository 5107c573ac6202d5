// A stand-in program for launch tests: writes the command line it was started with
// to the file named by TESSALY_RECORD_FILE, then ends.

#include <windows.h>

#include <fstream>

int main() {
  char path[MAX_PATH] = {};
  if (::GetEnvironmentVariableA("TESSALY_RECORD_FILE", path, MAX_PATH) == 0) return 1;
  const std::string temporary = std::string(path) + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << ::GetCommandLineA();
  }
  // Appears whole or not at all, so a waiting test never reads half of it.
  return ::MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
