#include "support/win32/AppHarness.h"

#include <commctrl.h>

#include <atomic>
#include <cstring>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/win32/MainWindow.h"
#include "app/win32/Program.h"
#include "categories/win32/CategoryPaneRes.h"
#include "base/win32/Handle.h"
#include "shell/win32/Win32FileSystem.h"
#include "shell/win32/Win32LinkReader.h"
#include "shell/win32/Win32MessagePump.h"
#include "shortcuts/win32/Win32Launching.h"
#include "shell/LinkCache.h"
#include "store/LinkCacheFile.h"
#include "store/win32/Win32FileStore.h"

namespace tessaly::testing {

// ---- ScriptedMessageBoxes ----

void ScriptedMessageBoxes::Record(const std::string& text) {
  std::lock_guard lock(mutex_);
  shown_.push_back(text);
}

bool ScriptedMessageBoxes::Confirm(const std::string& text) {
  Record("Confirm: " + text);
  std::lock_guard lock(mutex_);
  if (confirm_.empty()) return false;
  const bool answer = confirm_.front();
  confirm_.pop_front();
  return answer;
}

YesNoCancel ScriptedMessageBoxes::AskYesNoCancel(const std::string& text) {
  Record("AskYesNoCancel: " + text);
  std::lock_guard lock(mutex_);
  if (yesNoCancel_.empty()) return YesNoCancel::Cancel;
  const YesNoCancel answer = yesNoCancel_.front();
  yesNoCancel_.pop_front();
  return answer;
}

SaveFailureChoice ScriptedMessageBoxes::AskAfterFailedSave(const std::string& text) {
  Record("AskAfterFailedSave: " + text);
  std::pair<SaveFailureChoice, std::function<void()>> answer{SaveFailureChoice::CloseAnyway, {}};
  {
    std::lock_guard lock(mutex_);
    if (!saveFailure_.empty()) {
      answer = saveFailure_.front();
      saveFailure_.pop_front();
    }
  }
  if (answer.second) answer.second();
  return answer.first;
}

ReadFailureChoice ScriptedMessageBoxes::AskAfterFailedRead(const std::string& text) {
  Record("AskAfterFailedRead: " + text);
  std::pair<ReadFailureChoice, std::function<void()>> answer{ReadFailureChoice::Cancel, {}};
  {
    std::lock_guard lock(mutex_);
    if (!readFailure_.empty()) {
      answer = readFailure_.front();
      readFailure_.pop_front();
    }
  }
  if (answer.second) answer.second();
  return answer.first;
}

std::vector<std::string> ScriptedMessageBoxes::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void ScriptedMessageBoxes::AnswerConfirm(bool yes) {
  std::lock_guard lock(mutex_);
  confirm_.push_back(yes);
}

void ScriptedMessageBoxes::AnswerYesNoCancel(YesNoCancel answer) {
  std::lock_guard lock(mutex_);
  yesNoCancel_.push_back(answer);
}

void ScriptedMessageBoxes::AnswerSaveFailure(SaveFailureChoice choice, std::function<void()> before) {
  std::lock_guard lock(mutex_);
  saveFailure_.emplace_back(choice, std::move(before));
}

void ScriptedMessageBoxes::AnswerReadFailure(ReadFailureChoice choice, std::function<void()> before) {
  std::lock_guard lock(mutex_);
  readFailure_.emplace_back(choice, std::move(before));
}

// ---- ScriptedTheme ----

ThemeSettings ScriptedTheme::Read() {
  std::lock_guard lock(mutex_);
  return settings_;
}

void ScriptedTheme::Set(const ThemeSettings& settings) {
  std::lock_guard lock(mutex_);
  settings_ = settings;
}

// ---- ScriptedPickers ----

std::optional<std::string> ScriptedPickers::PickApplication() {
  std::lock_guard lock(mutex_);
  asked_.push_back("application");
  if (applications_.empty()) return std::nullopt;
  auto answer = applications_.front();
  applications_.pop_front();
  return answer;
}

std::string ScriptedPickers::BrowseForFolder(const std::string& title) {
  std::lock_guard lock(mutex_);
  asked_.push_back("folder: " + title);
  if (folders_.empty()) return {};
  auto answer = folders_.front();
  folders_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPickers::PickIconFile() {
  std::lock_guard lock(mutex_);
  asked_.push_back("icon file");
  if (iconFiles_.empty()) return std::nullopt;
  auto answer = iconFiles_.front();
  iconFiles_.pop_front();
  return answer;
}

void ScriptedPickers::AnswerIconFile(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  iconFiles_.push_back(std::move(path));
}

void ScriptedPickers::AnswerApplication(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  applications_.push_back(std::move(path));
}

void ScriptedPickers::AnswerFolder(std::string path) {
  std::lock_guard lock(mutex_);
  folders_.push_back(std::move(path));
}

std::vector<std::string> ScriptedPickers::Asked() const {
  std::lock_guard lock(mutex_);
  return asked_;
}

// ---- TempShellFolders ----

TempShellFolders::TempShellFolders(const TempFolder& root) {
  const std::pair<int, const char*> folders[] = {
      {0, "Desktop"},       {2, "Start Menu\\Programs"}, {5, "Documents"},
      {6, "Favorites"},     {8, "Recent"},               {11, "Start Menu"},
      {13, "Music"},        {22, "Common Start Menu"},   {26, "AppData"},
      {38, "Program Files"}, {39, "Pictures"},           {40, "Profile"},
  };
  for (const auto& [id, relative] : folders) paths_[id] = root.Make(std::string(relative) + "\\");
  // The system folders are real: the tools of "Windows" are looked up there.
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  char system[MAX_PATH] = {};
  ::GetSystemDirectoryA(system, MAX_PATH);
  paths_[36] = std::string(windows) + "\\";
  paths_[37] = std::string(system) + "\\";
}

void TempShellFolders::OnAsked(std::function<void(int)> hook) {
  std::lock_guard lock(mutex_);
  onAsked_ = std::move(hook);
}

std::string TempShellFolders::SpecialFolderPath(int folderId) {
  std::function<void(int)> hook;
  {
    std::lock_guard lock(mutex_);
    hook = onAsked_;
  }
  if (hook) hook(folderId);
  std::lock_guard lock(mutex_);
  const auto it = paths_.find(folderId);
  return it == paths_.end() ? std::string() : it->second;
}

void TempShellFolders::Clear(int folderId) {
  std::lock_guard lock(mutex_);
  paths_.erase(folderId);
}

std::string TempShellFolders::Path(int folderId) const {
  std::lock_guard lock(mutex_);
  const auto it = paths_.find(folderId);
  return it == paths_.end() ? std::string() : it->second;
}

// ---- AppHarness ----

// The program's own platform, the link cache over Links.sts in the data folder included.
struct AppHarness::Real {
  Real(MessageBoxes& boxes, const std::string& dataPath)
      : shellLinks(boxes),
        linkFile(files, dataPath + kLinkCacheFileName),
        links(shellLinks, &linkFile) {}
  win32::Win32FileStore files;
  win32::Win32LinkReader shellLinks;
  LinkCacheFile linkFile;
  CachingLinkReader links;
  win32::Win32DirectoryLister lister;
  win32::Win32FileExistence existence;
  win32::Win32MessagePump pump;
  win32::Win32Launcher launcher;
};

namespace {

// A Run key of the harness's own, so that no test touches the user's.
std::string TestStartupKey() {
  static std::atomic<int> counter{0};
  return "Software\\Tessaly Tests\\Run " + std::to_string(::GetCurrentProcessId()) + " " +
         std::to_string(++counter);
}

}  // namespace

namespace {

constexpr UINT kInvoke = WM_APP + 100;
constexpr UINT kMarker = WM_APP + 101;
constexpr const char* kInvokerClass = "TessalyTestInvoker";

LRESULT CALLBACK InvokerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kInvoke) {
    (*reinterpret_cast<std::function<void()>*>(lp))();
    return 0;
  }
  if (msg == kMarker) {
    reinterpret_cast<std::atomic<bool>*>(lp)->store(true);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

AppHarness::AppHarness(Launching launching)
    : startupKey(TestStartupKey()),
      startup(startupKey),
      real_(std::make_unique<Real>(boxes, data.path())) {
  Launcher& chosen = launching == Launching::Real ? static_cast<Launcher&>(real_->launcher)
                                                   : static_cast<Launcher&>(launcher);
  platform_ = std::make_unique<win32::Platform>(win32::Platform{
      real_->files, boxes, folders, real_->links, real_->lister, real_->existence, real_->pump,
      chosen, pickers, &real_->links, &startup, &theme});
}

AppHarness::~AppHarness() {
  if (running()) Close();
  if (thread_.joinable()) {
    if (threadId_ != 0) ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  ::RegDeleteKeyA(HKEY_CURRENT_USER, startupKey.c_str());
}

std::string AppHarness::TestProgramFolder() {
  char module[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string path = module;
  return path.substr(0, path.find_last_of('\\') + 1);
}

std::string AppHarness::InstalledCategories() {
  // The build copies the installed category file beside the test program.
  return ReadWholeFile(TestProgramFolder() + "Categories.sts");
}

void AppHarness::WriteDataFile(const std::string& name, const std::string& bytes) const {
  data.WriteFile(name, bytes);
}

std::string AppHarness::ReadDataFile(const std::string& name) const {
  return ReadWholeFile(data.path() + name);
}

std::vector<std::string> AppHarness::DataFileNames() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((data.path() + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    // The files only: the folder "Backup" with its copies is no data file.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  return names;
}

void AppHarness::UiThread() {
  win32::ComScope com;
  win32::InitialiseControls();
  static const ATOM invokerClass = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &InvokerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kInvokerClass;
    return ::RegisterClassExA(&wc);
  }();
  (void)invokerClass;
  invoker_ = ::CreateWindowExA(0, kInvokerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);

  ::SetCurrentDirectoryA(data.path().c_str());
  auto window = std::make_unique<win32::MainWindow>(*platform_);
  window->SelectAtStart(startCategory);
  window->FollowOtherWriters(followOtherWriters);
  const bool created = window->Create(win32::CurrentDirectory());
  {
    std::lock_guard lock(startMutex_);
    created_ = created;
    main_ = created ? window->hwnd() : nullptr;
    window_ = created ? window.get() : nullptr;
    threadId_ = ::GetCurrentThreadId();
    startDone_ = true;
  }
  started_.notify_all();
  if (created) {
    if (beforeMessageLoop) beforeMessageLoop(window->hwnd());
    window->Show(SW_SHOWNORMAL);
    win32::RunMessageLoop(&window->waits());
  }
  {
    std::lock_guard lock(startMutex_);
    window_ = nullptr;
  }
  window.reset();
  ::DestroyWindow(invoker_);
  invoker_ = nullptr;
  ended_ = true;
}

bool AppHarness::WaitForExit(std::chrono::milliseconds timeout) {
  if (!WaitUntil([this] { return ended_.load(); }, timeout)) return false;
  if (thread_.joinable()) thread_.join();
  return true;
}

bool AppHarness::Start() {
  // A second start over the same data directory runs the program again.
  if (thread_.joinable()) thread_.join();
  {
    std::lock_guard lock(startMutex_);
    startDone_ = false;
    created_ = false;
    main_ = nullptr;
  }
  ended_ = false;
  thread_ = std::thread([this] { UiThread(); });
  std::unique_lock lock(startMutex_);
  if (!started_.wait_for(lock, 20s, [this] { return startDone_; })) {
    throw std::runtime_error("the main window did not start within 20 s");
  }
  return created_;
}

bool AppHarness::running() const { return main_ != nullptr && ::IsWindow(main_); }

bool AppHarness::Close() {
  if (!running()) return true;
  ::PostMessageA(main_, WM_CLOSE, 0, 0);
  const bool closed = WaitUntil([this] { return !::IsWindow(main_); }, 20s);
  if (closed && thread_.joinable()) thread_.join();
  return closed;
}

HWND AppHarness::Child(int id) const {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  ::EnumChildWindows(
      main_,
      [](HWND child, LPARAM found) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(found);
        if (::GetDlgCtrlID(child) != s.id) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void AppHarness::OnUiThread(const std::function<void()>& f) {
  std::function<void()> call = f;
  ::SendMessageA(invoker_, kInvoke, 0, reinterpret_cast<LPARAM>(&call));
}

void AppHarness::Flush() {
  // Posted messages are handled in order, so a marker posted now runs after them.
  std::atomic<bool> reached{false};
  ::PostMessageA(invoker_, kMarker, 0, reinterpret_cast<LPARAM>(&reached));
  if (!WaitUntil([&] { return reached.load(); })) {
    throw std::runtime_error("the window thread did not reach the marker");
  }
}

void AppHarness::SelectCategory(const std::string& path) {
  const HWND tree = Child(IDC_CATEGORY_TREE);
  const HTREEITEM item = FindTreeItem(tree, path);
  if (item == nullptr) throw std::runtime_error("no category " + path);
  // The selection the tree posts is run at once, in one go on the window's thread so
  // that the posted one cannot run first: its filling runs inside this call, and the
  // list is complete when it returns.
  OnUiThread([&] {
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::SendMessageA(::GetParent(tree), win32::kRunSelection, 0, 0);
  });
}

bool AppHarness::WaitUntil(const std::function<bool()>& condition,
                           std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // Let the window thread run; this thread owns no windows, so nothing is pumped here.
    std::this_thread::sleep_for(5ms);
  }
}

bool AppHarness::WaitForTree(std::chrono::milliseconds timeout) const {
  const HWND tree = Child(IDC_CATEGORY_TREE);
  return WaitUntil(
      [&] {
        return ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0 &&
               ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
      },
      timeout);
}

HWND AppHarness::WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = ::FindWindowA(nullptr, caption.c_str());
        return found != nullptr && ::IsWindowVisible(found);
      },
      timeout);
  return found;
}

namespace {

std::string ItemText(HWND tree, HTREEITEM item) {
  char buffer[512] = {};
  TVITEMA data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = buffer;
  data.cchTextMax = sizeof buffer;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return buffer;
}

void CollectTexts(HWND tree, HTREEITEM item, int level, std::vector<std::string>& texts) {
  for (; item != nullptr;
       item = reinterpret_cast<HTREEITEM>(
           ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    texts.push_back(std::string(static_cast<std::size_t>(level) * 4, ' ') + ItemText(tree, item));
    const auto child = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    CollectTexts(tree, child, level + 1, texts);
  }
}

}  // namespace

std::vector<std::string> TreeTexts(HWND tree) {
  std::vector<std::string> texts;
  const auto root =
      reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  CollectTexts(tree, root, 0, texts);
  return texts;
}

std::string SelectedTreeText(HWND tree) {
  const auto item =
      reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  return item == nullptr ? std::string() : ItemText(tree, item);
}

std::string StatusText(HWND statusBar) {
  const auto length = LOWORD(::SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0));
  std::string text(length + 1u, '\0');
  ::SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

HTREEITEM FindTreeItem(HWND tree, const std::string& path) {
  auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    while (item != nullptr && ItemText(tree, item) != name) {
      item = reinterpret_cast<HTREEITEM>(
          ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    if (item == nullptr || slash == std::string::npos) return item;
    item = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    start = slash + 1;
  }
}

std::vector<ListItem> ListItems(HWND list) {
  std::vector<ListItem> items;
  const int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    ListItem item;
    for (int sub = 0; sub < 2; ++sub) {
      char buffer[1024] = {};
      LVITEMA data{};
      data.iSubItem = sub;
      data.pszText = buffer;
      data.cchTextMax = sizeof buffer;
      ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&data));
      (sub == 0 ? item.title : item.target) = buffer;
    }
    items.push_back(item);
  }
  return items;
}

std::vector<std::string> ListTitles(HWND list) {
  std::vector<std::string> titles;
  for (const auto& item : ListItems(list)) titles.push_back(item.title);
  return titles;
}

void SelectListItems(HWND list, const std::vector<int>& indexes) {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  for (const int index : indexes) {
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  }
}

void MouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the primary screen.
  const int width = ::GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = ::GetSystemMetrics(SM_CYSCREEN) - 1;
  input.mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--it;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::string& text) {
  for (const char c : text) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    PressKeys({static_cast<WORD>(static_cast<unsigned char>(upper))});
  }
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

POINT ListItemPoint(HWND list, int index) {
  RECT rect{};
  rect.left = LVIR_ICON;
  ::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ::ClientToScreen(list, &point);
  return point;
}

POINT TreeItemPoint(HWND tree, HTREEITEM item) {
  RECT rect{};
  ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle
  ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ::ClientToScreen(tree, &point);
  return point;
}

HWND WaitForPopupMenu(std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  AppHarness::WaitUntil(
      [&] {
        found = ::FindWindowA("#32768", nullptr);
        return found != nullptr && ::IsWindowVisible(found);
      },
      timeout);
  return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
}

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    texts.push_back((info.fType & MFT_SEPARATOR) != 0 ? "-" : text);
  }
  return texts;
}

}  // namespace tessaly::testing
