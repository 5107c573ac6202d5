// Looks at a released Tessaly from outside, for check_package.sh:
//   package_probe link <file.lnk>          prints the link's target and working folder
//   package_probe show <file.lnk>          starts Tessaly through the shell, as a click does,
//   package_probe show <file.exe> <dir>    or the exe in <dir>, as Explorer does;
//                                          prints the category tree as Categories.sts
//                                          indents it, then closes the window.
// Exit status 0 when all went well; on any failure a line on stderr and status 2.

#include <windows.h>
// The headers below need <windows.h> first.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "base/win32/Handle.h"

namespace {

using namespace std::chrono_literals;
using tessaly::win32::ComPtr;
using tessaly::win32::ComScope;
using tessaly::win32::UniqueKernelHandle;

constexpr auto kTimeout = 30s;

// Thrown, not exited, so that the guard below still ends a started Tessaly.
[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + " (error " + std::to_string(::GetLastError()) + ")");
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + kTimeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
  return wide;
}

int Link(const std::string& path) {
  ComScope com;
  if (!com.ok()) Fail("CoInitialize failed");
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.put_void())))
    Fail("no shell link object");
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) Fail("no IPersistFile");
  if (FAILED(file->Load(Wide(path).c_str(), STGM_READ))) Fail("cannot load " + path);
  char target[MAX_PATH] = {};
  char folder[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) Fail("no target");
  if (FAILED(link->GetWorkingDirectory(folder, MAX_PATH))) Fail("no working folder");
  std::printf("target=%s\nworkdir=%s\n", target, folder);
  return 0;
}

HWND FindMainWindow() {
  HWND found = nullptr;
  ::EnumWindows(
      [](HWND window, LPARAM result) -> BOOL {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "TessalyMainWindow" || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The tree lives in the other process: its items are read through a buffer there.
class RemoteTree {
 public:
  RemoteTree(HWND tree, HANDLE process) : tree_(tree), process_(process) {
    remote_ = ::VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
    if (remote_ == nullptr) Fail("cannot allocate in Tessaly's process");
  }
  ~RemoteTree() { ::VirtualFreeEx(process_, remote_, 0, MEM_RELEASE); }
  RemoteTree(const RemoteTree&) = delete;
  RemoteTree& operator=(const RemoteTree&) = delete;

  void Print(HTREEITEM item, int depth) {
    for (; item != nullptr; item = Next(item, TVGN_NEXT)) {
      std::printf("%s%s\n", std::string(static_cast<size_t>(depth) * 4, ' ').c_str(),
                  Text(item).c_str());
      Print(Next(item, TVGN_CHILD), depth + 1);
    }
  }
  HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }

 private:
  static constexpr SIZE_T kSize = 4096;
  static constexpr int kTextSize = 1024;

  HTREEITEM Next(HTREEITEM item, WPARAM relation) const {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }

  std::string Text(HTREEITEM item) {
    auto* base = static_cast<char*>(remote_);
    TVITEMA request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = base + sizeof(TVITEMA);
    request.cchTextMax = kTextSize;
    if (!::WriteProcessMemory(process_, remote_, &request, sizeof request, nullptr))
      Fail("cannot write into Tessaly's process");
    if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_)))
      Fail("TVM_GETITEM failed");
    char text[kTextSize + 1] = {};
    if (!::ReadProcessMemory(process_, request.pszText, text, kTextSize, nullptr))
      Fail("cannot read from Tessaly's process");
    return text;
  }

  HWND tree_;
  HANDLE process_;
  void* remote_ = nullptr;
};

// The process handle comes back empty when the shell started the program through
// DDE or another process; the window's process is then opened instead.
UniqueKernelHandle Start(const std::string& path, const std::string& folder) {
  if (folder.empty()) {
    // The shell resolves the link and starts its target in the link's working folder.
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpFile = path.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExA(&request)) Fail("the shell cannot start " + path);
    return UniqueKernelHandle(request.hProcess);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string commandLine = "\"" + path + "\"";
  if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started))
    Fail("cannot start " + path);
  ::CloseHandle(started.hThread);
  return UniqueKernelHandle(started.hProcess);
}

int Show(const std::string& path, const std::string& folder) {
  if (FindMainWindow() != nullptr) Fail("a Tessaly window is open already");
  UniqueKernelHandle process = Start(path, folder);

  // Whatever goes wrong from here, the started program must not outlive the probe.
  struct Reaper {
    UniqueKernelHandle& process;
    bool ended = false;
    ~Reaper() {
      if (!ended && process) ::TerminateProcess(process.get(), 3);
    }
  } reaper{process};

  HWND window = nullptr;
  if (!WaitFor([&] { return (window = FindMainWindow()) != nullptr; }))
    Fail("no Tessaly window appeared");
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  // Reading the tree needs rights on the process that owns the window.
  process.reset(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION |
                                  PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                              FALSE, processId));
  if (!process) Fail("cannot open Tessaly's process");

  // The tree sits inside the category pane: looked for among all descendants.
  HWND tree = nullptr;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM found) -> BOOL {
        char name[64] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, WC_TREEVIEWA) != 0) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tree));
  if (tree == nullptr) Fail("the main window has no tree");
  if (!WaitFor([&] { return ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0; }))
    Fail("the tree stayed empty");
  {
    RemoteTree items(tree, process.get());
    items.Print(items.Root(), 0);
  }
  std::fflush(stdout);

  // A normal close, so that Tessaly writes its files where it keeps its data.
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), static_cast<DWORD>(kTimeout / 1ms)) != WAIT_OBJECT_0)
    Fail("Tessaly did not end after WM_CLOSE");
  reaper.ended = true;
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.get(), &exitCode);
  if (exitCode != 0) Fail("Tessaly ended with status " + std::to_string(exitCode));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Unix line ends: the calling script compares the output with files as they are.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "link" && argc == 3) return Link(argv[2]);
    if (command == "show" && (argc == 3 || argc == 4))
      return Show(argv[2], argc == 4 ? argv[3] : "");
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "package_probe: %s\n", failure.what());
    return 2;
  }
  std::fprintf(stderr,
               "usage: package_probe link FILE.lnk | show FILE.lnk | show FILE.exe FOLDER\n");
  return 1;
}
