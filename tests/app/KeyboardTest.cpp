// The keyboard path: what each key does where the focus is, the summon hotkey's
// setting, and the one-instance lock's name.

#include <gtest/gtest.h>

#include "app/Keyboard.h"
#include "app/Summon.h"

namespace tessaly {
namespace {

struct KeyCase {
  KeyPress key;
  FocusPane focus;
  KeyAction action;
};

class KeyRouting : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyRouting, EachKeyDoesItsCommandWhereTheFocusIs) {
  EXPECT_EQ(GetParam().action, DecideKey(GetParam().key, GetParam().focus));
}

constexpr KeyPress Key(unsigned key, bool ctrl = false, bool shift = false, bool alt = false) {
  return {key, ctrl, shift, alt};
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyRouting,
    ::testing::Values(
        // From anywhere in the window.
        KeyCase{Key(vk::LetterF, true), FocusPane::Tree, KeyAction::FocusSearch},
        KeyCase{Key(vk::F3), FocusPane::Elsewhere, KeyAction::FocusSearch},
        KeyCase{Key(vk::LetterF), FocusPane::List, KeyAction::None},
        KeyCase{Key(vk::Tab), FocusPane::Search, KeyAction::NextPane},
        KeyCase{Key(vk::Tab, false, true), FocusPane::List, KeyAction::PreviousPane},
        KeyCase{Key(vk::Tab), FocusPane::Elsewhere, KeyAction::None},
        // The tree.
        KeyCase{Key(vk::F2), FocusPane::Tree, KeyAction::RenameCategory},
        KeyCase{Key(vk::Delete), FocusPane::Tree, KeyAction::DeleteCategory},
        KeyCase{Key(vk::Insert), FocusPane::Tree, KeyAction::AddCategory},
        KeyCase{Key(vk::F10, false, true), FocusPane::Tree, KeyAction::CategoryMenu},
        KeyCase{Key(vk::Apps), FocusPane::Tree, KeyAction::CategoryMenu},
        KeyCase{Key(vk::F10), FocusPane::Tree, KeyAction::None},
        KeyCase{Key(vk::Delete, true), FocusPane::Tree, KeyAction::None},
        KeyCase{Key(vk::Return, true), FocusPane::Tree, KeyAction::OpenAllOfCategory},
        KeyCase{Key(vk::Return, true, true), FocusPane::Tree, KeyAction::None},
        KeyCase{Key(vk::Return), FocusPane::Tree, KeyAction::None},
        KeyCase{Key(vk::Return, true), FocusPane::List, KeyAction::None},
        // The list.
        KeyCase{Key(vk::F2), FocusPane::List, KeyAction::EditShortcut},
        KeyCase{Key(vk::Delete), FocusPane::List, KeyAction::RemoveShortcuts},
        KeyCase{Key(vk::Insert), FocusPane::List, KeyAction::AddShortcut},
        KeyCase{Key(vk::Apps), FocusPane::List, KeyAction::ShortcutMenu},
        KeyCase{Key(vk::Return, true, true), FocusPane::List, KeyAction::RunAsAdministrator},
        KeyCase{Key(vk::Return), FocusPane::List, KeyAction::None},
        // The search field.
        KeyCase{Key(vk::Return), FocusPane::Search, KeyAction::OpenFound},
        KeyCase{Key(vk::Return, true, true), FocusPane::Search, KeyAction::RunFoundAsAdministrator},
        KeyCase{Key(vk::Down), FocusPane::Search, KeyAction::EnterResults},
        KeyCase{Key(vk::Escape), FocusPane::Search, KeyAction::EndSearch},
        KeyCase{Key(vk::Delete), FocusPane::Search, KeyAction::None},
        KeyCase{Key(vk::F2), FocusPane::Search, KeyAction::None}));

TEST(KeyRouting, TabGoesRoundTreeSearchAndList) {
  FocusPane pane = FocusPane::Tree;
  for (const FocusPane expected : {FocusPane::Search, FocusPane::List, FocusPane::Tree}) {
    pane = NextPane(pane, false);
    EXPECT_EQ(expected, pane);
  }
  for (const FocusPane expected : {FocusPane::List, FocusPane::Search, FocusPane::Tree}) {
    pane = NextPane(pane, true);
    EXPECT_EQ(expected, pane);
  }
  EXPECT_EQ(FocusPane::Tree, NextPane(FocusPane::Elsewhere, false));
}

struct HotkeyCase {
  const char* value;
  bool on;
  Hotkey hotkey;
  bool unreadable;
};

class HotkeySetting : public ::testing::TestWithParam<HotkeyCase> {};

TEST_P(HotkeySetting, ReadsModifiersAndOneKey) {
  const HotkeyChoice choice = ReadHotkey(GetParam().value);
  EXPECT_EQ(GetParam().on, choice.hotkey.has_value());
  if (GetParam().on) {
    EXPECT_EQ(GetParam().hotkey, *choice.hotkey);
  }
  EXPECT_EQ(GetParam().unreadable, !choice.problem.empty()) << choice.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Values, HotkeySetting,
    ::testing::Values(
        HotkeyCase{"", true, kDefaultHotkey, false},
        HotkeyCase{"Ctrl+Alt+Space", true, kDefaultHotkey, false},
        HotkeyCase{" alt + CTRL + space ", true, kDefaultHotkey, false},
        HotkeyCase{"Win+Shift+L", true, {modifier::Win | modifier::Shift, 'L'}, false},
        HotkeyCase{"Ctrl+F12", true, {modifier::Ctrl, 0x7B}, false},
        HotkeyCase{"Shift+7", true, {modifier::Shift, '7'}, false},
        HotkeyCase{"none", false, {}, false},
        HotkeyCase{"NONE", false, {}, false},
        HotkeyCase{"Ctrl+Alt", false, {}, true},
        HotkeyCase{"Ctrl+Ctrl+K", false, {}, true},
        HotkeyCase{"Ctrl+K+L", false, {}, true},
        HotkeyCase{"Hyper+K", false, {}, true},
        HotkeyCase{"Ctrl+F25", false, {}, true},
        HotkeyCase{"Ctrl++", false, {}, true}));

TEST(HotkeySetting, IsWrittenTheWayItIsRead) {
  for (const char* text : {"Ctrl+Alt+Space", "Win+Shift+L", "Ctrl+F12", "Alt+Home"}) {
    const HotkeyChoice choice = ReadHotkey(text);
    ASSERT_TRUE(choice.hotkey.has_value()) << text;
    EXPECT_EQ(text, HotkeyText(*choice.hotkey));
  }
}

TEST(InstanceName, IsOneLockPerFolderHoweverItIsSpelled) {
  const std::string name = InstanceName("C:\\Users\\Ann\\Tessaly");
  EXPECT_EQ(name, InstanceName("c:\\users\\ann\\TESSALY\\"));
  EXPECT_NE(name, InstanceName("C:\\Users\\Ann\\Tessaly2"));
  EXPECT_EQ(std::string::npos, name.substr(name.find('\\') + 1).find('\\'));
}

}  // namespace
}  // namespace tessaly
