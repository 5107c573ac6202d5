// The summon, putting the window away, the notification-area icon and the Options
// dialog, on the real main window beside a window of "another program".

#include "support/win32/WindowTest.h"

#include <thread>

#include "app/Options.h"
#include "app/Session.h"
#include "app/win32/OptionsDialogRes.h"
#include "app/win32/Program.h"
#include "app/win32/TrayIcon.h"

namespace tessaly::testing {
namespace {

// A top-level window on a thread and message loop of its own, as another program's.
class OtherProgram {
 public:
  OtherProgram() {
    thread_ = std::thread([this] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "TessalyTestOtherProgram";
      ::RegisterClassA(&wc);
      const HWND window = ::CreateWindowExA(0, wc.lpszClassName, "Other program",
                                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                            nullptr, nullptr, wc.hInstance, nullptr);
      hwnd_.store(window);
      MSG msg;
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      ::DestroyWindow(window);
    });
    AppHarness::WaitUntil([&] { return hwnd_.load() != nullptr; });
    threadId_ = ::GetWindowThreadProcessId(hwnd_.load(), nullptr);
  }
  ~OtherProgram() {
    ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_.load(); }
  // The user clicks it: it comes to the front.
  bool Activate() const {
    // Wine now and then leaves a request unanswered while another window is activated.
    return AppHarness::WaitUntil([&] {
      if (::GetForegroundWindow() != hwnd()) ::SetForegroundWindow(hwnd());
      return ::GetForegroundWindow() == hwnd();
    });
  }

 private:
  std::thread thread_;
  std::atomic<HWND> hwnd_{nullptr};
  DWORD threadId_ = 0;
};

struct SummonUi : WindowTest {
  HWND search = nullptr;
  OtherProgram other;

  void Start(const std::string& settings = "") {
    StartWith("Work ;00\r\n", "<[Work]>\r\nNotepad\r\nC:\\windows\\notepad.exe\r\n", settings);
    search = app.Child(IDC_SEARCH);
  }
  void Hotkey() const { ::PostMessageA(app.main(), WM_HOTKEY, win32::kSummonHotkey, 0); }
  bool InFront() const {
    return ::GetForegroundWindow() == app.main() && ::IsWindowVisible(app.main()) &&
           !::IsIconic(app.main());
  }
  // Hidden, or minimised when nothing could bring it back.
  bool PutAway() const { return !::IsWindowVisible(app.main()) || ::IsIconic(app.main()); }
  void Tray(UINT mouse) const {
    ::PostMessageA(app.main(), win32::kTrayMessage, 1, static_cast<LPARAM>(mouse));
  }
  // Opens the icon's menu and chooses the item of that underlined letter.
  static bool ChooseFromIconMenu(HWND main, char letter) {
    ::PostMessageA(main, win32::kTrayMessage, 1, WM_RBUTTONUP);
    const HWND menu = WaitForPopupMenu();
    if (menu == nullptr) return false;
    ::PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(letter), 0);
    return AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); });
  }
  static RECT WorkArea() {
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }
};

TEST_F(SummonUi, TheHotkeyBringsTheWindowOntoTheWorkAreaWithTheSearchTextSelected) {
  Start();
  ::SetWindowTextA(search, "note");
  const RECT area = WorkArea();
  RECT before{};
  ::GetWindowRect(app.main(), &before);
  // Left half off the screen's right edge, and another program in front.
  ::SetWindowPos(app.main(), nullptr, area.right - 100, area.top + 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(other.Activate());
  MouseTo({(area.left + area.right) / 2, (area.top + area.bottom) / 2});

  Hotkey();
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return InFront() && FocusOf(app.main()) == search; }));
  RECT now{};
  ::GetWindowRect(app.main(), &now);
  EXPECT_GE(now.left, area.left);
  EXPECT_LE(now.right, area.right);
  EXPECT_GE(now.top, area.top);
  EXPECT_LE(now.bottom, area.bottom);
  EXPECT_EQ(before.right - before.left, now.right - now.left);
  EXPECT_EQ(before.bottom - before.top, now.bottom - now.top);
  DWORD start = 1;
  DWORD end = 0;
  ::SendMessageA(search, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(4u, end);

  // Pressed again in front, the hotkey puts it away and the other program has the keys.
  Hotkey();
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return PutAway(); }));
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return ::GetForegroundWindow() == other.hwnd(); }))
      << ::GetForegroundWindow() << " " << other.hwnd() << " " << app.main() << " visible "
      << ::IsWindowVisible(app.main()) << " iconic " << ::IsIconic(app.main());
}

TEST_F(SummonUi, EscInTheEmptySearchFieldGivesTheFocusBackToTheProgramBefore) {
  Start();
  ASSERT_TRUE(other.Activate());
  Hotkey();
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return InFront() && FocusOf(app.main()) == search; }));
  // With text, Esc only ends the search.
  TypeText("note");
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ListTitles(list).size() == 1; }));
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return ::GetWindowTextLengthA(search) == 0; }));
  app.Flush();
  EXPECT_TRUE(InFront());

  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return PutAway(); }));
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return ::GetForegroundWindow() == other.hwnd(); }));
  EXPECT_TRUE(app.running());
}

TEST_F(SummonUi, HideWhenLeftIsAnOption) {
  Start();
  ASSERT_TRUE(other.Activate());
  app.Flush();
  EXPECT_TRUE(::IsWindowVisible(app.main()) && !::IsIconic(app.main()));
  ASSERT_TRUE(app.Close());
}

TEST_F(SummonUi, WithHideWhenLeftTheWindowGoesWhenAnotherIsChosen) {
  Start("[HideWhenLeft]\r\n1\r\n");
  Hotkey();
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return InFront(); }));
  ASSERT_TRUE(other.Activate());
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return PutAway(); }));
  Hotkey();
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return InFront(); }));
}

TEST_F(SummonUi, TheIconsMenuShowsTheWindowAndExitEndsTessaly) {
  Start();
  Tray(WM_RBUTTONUP);
  const HWND menu = WaitForPopupMenu();
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ((std::vector<std::string>{"&Show", "&Options...", "-", "E&xit"}),
            MenuTexts(reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0))));
  app.OnUiThread([] { ::EndMenu(); });
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindowVisible(menu); }));

  ::ShowWindow(app.main(), SW_HIDE);
  Tray(WM_LBUTTONUP);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return InFront(); }));

  ASSERT_TRUE(ChooseFromIconMenu(app.main(), 'x'));
  EXPECT_TRUE(app.WaitForExit());
}

TEST_F(SummonUi, WithTheOptionTheCloseBoxOnlyHides) {
  Start("[CloseHides]\r\n1\r\n");
  ::PostMessageA(app.main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return !::IsWindowVisible(app.main()); }));
  EXPECT_TRUE(app.running());
  // Wine now and then closes the menu of a hidden window before it reads the key: the
  // user would open it again.
  bool ended = false;
  for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
    ASSERT_TRUE(ChooseFromIconMenu(app.main(), 'x'));
    ended = app.WaitForExit(5s);
  }
  EXPECT_TRUE(ended);
}

struct OptionsUi : SummonUi {
  HWND Open() {
    ::PostMessageA(app.main(), WM_SYSCOMMAND, win32::kOptionsSystemCommand, 0);
    return AppHarness::WaitForWindow("Options");
  }
  static bool Checked(HWND dialog, int id) {
    return ::SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static void Click(HWND dialog, int id) { ::SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
  static bool Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return AppHarness::WaitUntil([&] { return !::IsWindow(dialog); });
  }
  std::string Command() const {
    return StartupCommand(win32::ProgramPath(), DataDirectoryFrom(app.data.path()));
  }
};

TEST_F(OptionsUi, ChosenOptionsAreStoredBesideUnknownSettingsAndTheRunValueFollows) {
  Start("[Unknown]\r\nkept as it is\r\n[View]\r\nReport\r\n");
  HWND dialog = Open();
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_TRAY_ICON));  // a hotkey is set
  EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_LEARN));
  EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_HIDE_WHEN_LEFT));
  EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_START_WITH_WINDOWS));
  EXPECT_EQ(0x0620, ::SendDlgItemMessageA(dialog, IDC_OPTIONS_HOTKEY, HKM_GETHOTKEY, 0, 0) & 0xFFFF);

  Click(dialog, IDC_OPTIONS_HIDE_WHEN_LEFT);
  Click(dialog, IDC_OPTIONS_START_WITH_WINDOWS);
  Click(dialog, IDC_OPTIONS_LEARN);
  ::SendDlgItemMessageA(dialog, IDC_OPTIONS_HOTKEY, HKM_SETHOTKEY,
                        MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  ASSERT_TRUE(Press(dialog, IDOK));
  app.Flush();
  EXPECT_EQ("[Unknown]\r\nkept as it is\r\n[View]\r\nReport\r\n[Hotkey]\r\nCtrl+Alt+F9\r\n"
            "[HideWhenLeft]\r\n1\r\n[Learn]\r\n0\r\n",
            app.ReadDataFile("Settings.sts"));
  EXPECT_EQ(Command(), app.startup.Read());
  EXPECT_TRUE(app.boxes.Shown().empty());

  dialog = Open();
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_HIDE_WHEN_LEFT));
  EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_START_WITH_WINDOWS));
  EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_LEARN));
  Click(dialog, IDC_OPTIONS_START_WITH_WINDOWS);
  ASSERT_TRUE(Press(dialog, IDOK));
  app.Flush();
  EXPECT_FALSE(app.startup.Read().has_value());
}

TEST_F(OptionsUi, AHotkeyTakenElsewhereIsRefusedWithTheSystemsReason) {
  Start();
  // Another program holds Ctrl+Alt+F10.
  std::atomic<bool> held{false};
  std::atomic<bool> release{false};
  std::thread holder([&] {
    held = ::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_F10) != FALSE;
    while (!release) std::this_thread::sleep_for(5ms);
    ::UnregisterHotKey(nullptr, 7);
  });
  ASSERT_TRUE(AppHarness::WaitUntil([&] { return held.load(); }, 2s));
  const HWND dialog = Open();
  ASSERT_NE(nullptr, dialog);
  ::SendDlgItemMessageA(dialog, IDC_OPTIONS_HOTKEY, HKM_SETHOTKEY,
                        MAKEWORD(VK_F10, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(AppHarness::WaitUntil([&] { return !app.boxes.Shown().empty(); }));
  EXPECT_TRUE(::IsWindow(dialog));  // still open for another key
  ASSERT_TRUE(Press(dialog, IDCANCEL));
  release = true;
  holder.join();
  ASSERT_EQ(1u, app.boxes.Shown().size());
  EXPECT_EQ(0u, app.boxes.Shown()[0].find("Error: Tessaly cannot take the hotkey Ctrl+Alt+F10: "))
      << app.boxes.Shown()[0];
  EXPECT_EQ("", app.ReadDataFile("Settings.sts").find("F10") == std::string::npos ? "" : "F10");
}

}  // namespace
}  // namespace tessaly::testing
