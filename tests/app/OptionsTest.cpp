// The summon's placement, the hotkey control's values, the options as Settings.sts
// keeps them and the Run value of "Start with Windows".

#include "app/Options.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/CommandLine.h"
#include "app/Keyboard.h"
#include "support/Fakes.h"

namespace tessaly {
namespace {

using testing::FakeFileStore;
using testing::RecordingMessageBoxes;

TEST(Summon, ChoosesTheMonitorUnderThePointerOrTheNearestOne) {
  // Two monitors side by side, a third above the second, with a gap between.
  const std::vector<ScreenRect> monitors{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080},
                                         {1920, -1200, 3840, -120}};
  EXPECT_EQ(0u, MonitorUnder({100, 100}, monitors));
  EXPECT_EQ(1u, MonitorUnder({1920, 0}, monitors));  // the left edge belongs to the right one
  EXPECT_EQ(0u, MonitorUnder({1919, 1079}, monitors));
  EXPECT_EQ(2u, MonitorUnder({2000, -500}, monitors));
  EXPECT_EQ(2u, MonitorUnder({2000, -100}, monitors));  // in the gap, nearer the top one
  EXPECT_EQ(0u, MonitorUnder({-50, 5000}, monitors));   // off every monitor
}

TEST(Summon, KeepsTheSizeInsideTheWorkArea) {
  const ScreenRect area{1920, 0, 3840, 1040};
  // Already there: stays.
  EXPECT_EQ((ScreenRect{2000, 100, 2800, 700}), SummonedPlacement({2000, 100, 2800, 700}, area));
  // Over the right and bottom edges: pushed inside, size kept.
  EXPECT_EQ((ScreenRect{3040, 440, 3840, 1040}), SummonedPlacement({3500, 900, 4300, 1500}, area));
  // On another monitor: centred on this one.
  EXPECT_EQ((ScreenRect{2480, 220, 3280, 820}), SummonedPlacement({100, 100, 900, 700}, area));
  // Larger than the area: shrunk to it.
  EXPECT_EQ(area, SummonedPlacement({1900, -50, 4000, 1200}, area));
  // A work area that does not start at the origin (taskbar on top).
  EXPECT_EQ((ScreenRect{0, 40, 800, 640}), SummonedPlacement({0, 0, 800, 600}, {0, 40, 1920, 1080}));
}

TEST(Hotkeys, GoBetweenTheControlAndTheSettingAndBack) {
  // The control's flags: Shift 1, Ctrl 2, Alt 4 in the high byte.
  const Hotkey ctrlAltF9{modifier::Ctrl | modifier::Alt, 0x78};
  EXPECT_EQ(0x0678u, ControlValueOf(ctrlAltF9));
  EXPECT_EQ(ctrlAltF9, HotkeyFromControl(0x0678));
  EXPECT_EQ((Hotkey{modifier::Shift | modifier::Alt, 'K'}), HotkeyFromControl(0x0500 | 'K'));
  EXPECT_FALSE(HotkeyFromControl(0x0600).has_value());  // modifiers without a key: none
  EXPECT_EQ(0u, ControlValueOf({modifier::Win, 'L'}));   // the control has no Win key
  // A key without a name is written by its code and reads back.
  const Hotkey oem{modifier::Ctrl, 0xBA};
  EXPECT_EQ("Ctrl+0xBA", HotkeyText(oem));
  EXPECT_EQ(oem, ReadHotkey(HotkeyText(oem)).hotkey);
  EXPECT_FALSE(ReadHotkey("Ctrl+0xZZ").hotkey.has_value());
}

TEST(Keys, EscInAnEmptySearchFieldPutsTheWindowAway) {
  const KeyPress esc{vk::Escape};
  EXPECT_EQ(KeyAction::EndSearch, DecideKey(esc, FocusPane::Search, false));
  EXPECT_EQ(KeyAction::PutAway, DecideKey(esc, FocusPane::Search, true));
  EXPECT_EQ(KeyAction::None, DecideKey(esc, FocusPane::List, true));
}

struct OptionsFixture : ::testing::Test {
  FakeFileStore files;
  RecordingMessageBoxes boxes;
  Settings settings{files, boxes, "C:\\Data\\Settings.sts"};

  Options Read(const std::string& bytes) {
    files.files["C:\\Data\\Settings.sts"] = bytes;
    settings.Load();
    return ReadOptions(settings);
  }
};

TEST_F(OptionsFixture, TheIconFollowsTheHotkeyUntilItIsSetItself) {
  const Options none = Read("");
  EXPECT_EQ(kDefaultHotkey, none.hotkey);
  EXPECT_TRUE(none.trayIcon);
  EXPECT_FALSE(none.hideWhenLeft);
  EXPECT_FALSE(none.closeHides);
  EXPECT_TRUE(none.learn);

  EXPECT_FALSE(Read("[Hotkey]\r\nnone\r\n").trayIcon);
  EXPECT_FALSE(Read("[Hotkey]\r\nCtrl+Nothing\r\n").hotkey.has_value());
  EXPECT_TRUE(Read("[Hotkey]\r\nnone\r\n[TrayIcon]\r\n1\r\n").trayIcon);
  EXPECT_FALSE(Read("[TrayIcon]\r\n0\r\n").trayIcon);
  const Options set = Read("[HideWhenLeft]\r\n1\r\n[CloseHides]\r\n1\r\n[Learn]\r\n0\r\n");
  EXPECT_TRUE(set.hideWhenLeft);
  EXPECT_TRUE(set.closeHides);
  EXPECT_FALSE(set.learn);
}

TEST_F(OptionsFixture, OnlyWhatChangedIsWrittenAndEveryOtherLineStays) {
  const Options before = Read("[Unknown]\r\nkept\r\n[View]\r\nReport\r\n");
  Options after = before;
  EXPECT_TRUE(ChangedSettings(before, after).empty());

  after.hideWhenLeft = true;
  after.learn = false;
  after.hotkey = Hotkey{modifier::Ctrl | modifier::Alt, 0x78};
  ASSERT_TRUE(settings.WriteSettings(ChangedSettings(before, after)));
  // One write for all of them (the backup of the file as it was aside).
  EXPECT_EQ(1, std::count(files.writes.begin(), files.writes.end(), "C:\\Data\\Settings.sts"));
  EXPECT_EQ("[Unknown]\r\nkept\r\n[View]\r\nReport\r\n[Hotkey]\r\nCtrl+Alt+F9\r\n"
            "[HideWhenLeft]\r\n1\r\n[Learn]\r\n0\r\n",
            files.files["C:\\Data\\Settings.sts"]);
  EXPECT_EQ(after.hotkey, ReadOptions(settings).hotkey);

  // Turning the hotkey off keeps the icon the user saw.
  Options off = before;
  off.hotkey.reset();
  const auto changed = ChangedSettings(before, off);
  ASSERT_EQ(2u, changed.size());
  EXPECT_EQ((std::pair<std::string, std::string>{"Hotkey", "none"}), changed[0]);
  EXPECT_EQ((std::pair<std::string, std::string>{"TrayIcon", "1"}), changed[1]);
}

struct FakeRegistration : StartupRegistration {
  std::optional<std::string> value;
  std::string failure;
  std::optional<std::string> Read() override { return value; }
  std::string Write(const std::string& command) override {
    if (failure.empty()) value = command;
    return failure;
  }
  std::string Remove() override {
    if (failure.empty()) value.reset();
    return failure;
  }
};

TEST(StartWithWindows, TheRunValueStartsThisProgramInItsDataDirectory) {
  const std::string command =
      StartupCommand("C:\\Program Files\\Tessaly\\tessaly.exe", "C:\\My Data\\");
  EXPECT_EQ("\"C:\\Program Files\\Tessaly\\tessaly.exe\" /data \"C:\\My Data\\\\\" /hidden",
            command);
  // What the system starts reads back as this data directory, the window hidden.
  const CommandLine started = ParseCommandLine(command);
  EXPECT_TRUE(started.ok()) << started.problem;
  EXPECT_EQ("C:\\My Data\\", started.dataDirectory);
  EXPECT_TRUE(started.hidden);

  FakeRegistration registration;
  EXPECT_FALSE(StartsWithWindows(registration, command));
  EXPECT_EQ("", SetStartWithWindows(registration, true, command));
  EXPECT_EQ(command, registration.value);
  EXPECT_TRUE(StartsWithWindows(registration, command));
  EXPECT_EQ("", SetStartWithWindows(registration, false, command));
  EXPECT_FALSE(registration.value.has_value());

  // Another copy's value is not this one's to remove.
  registration.value = StartupCommand("D:\\Tessaly\\tessaly.exe", "D:\\Tessaly\\");
  EXPECT_EQ("", SetStartWithWindows(registration, false, command));
  EXPECT_TRUE(registration.value.has_value());

  registration.failure = "Access is denied";
  EXPECT_EQ("Access is denied", SetStartWithWindows(registration, true, command));
}

}  // namespace
}  // namespace tessaly
