// The floor of "/open": a program that does nothing but start the given programs. It
// reads "path<TAB>parameters" lines from the file named on its command line and hands
// each to the shell's "open", as Tessaly does, with the same start-up (OLE) and no
// window; then it ends.

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const HRESULT ole = ::OleInitialize(nullptr);
  std::ifstream list(commandLine);
  for (std::string line; std::getline(list, line);) {
    const std::size_t tab = line.find('\t');
    const std::string path = line.substr(0, tab);
    const std::string parameters = tab == std::string::npos ? std::string() : line.substr(tab + 1);
    ::ShellExecuteA(nullptr, "open", path.c_str(),
                    parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW);
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return 0;
}
