#pragma once
// The keyboard path through the main window: which key does what, given where the
// focus is. The window asks before a key reaches the control.

namespace tessaly {

// Virtual-key codes of the keys the window handles itself.
namespace vk {
inline constexpr unsigned Tab = 0x09;
inline constexpr unsigned Return = 0x0D;
inline constexpr unsigned Escape = 0x1B;
inline constexpr unsigned Space = 0x20;
inline constexpr unsigned Down = 0x28;
inline constexpr unsigned Insert = 0x2D;
inline constexpr unsigned Delete = 0x2E;
inline constexpr unsigned Apps = 0x5D;
inline constexpr unsigned F2 = 0x71;
inline constexpr unsigned F3 = 0x72;
inline constexpr unsigned F10 = 0x79;
inline constexpr unsigned LetterF = 'F';
}  // namespace vk

struct KeyPress {
  unsigned key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// Where the keyboard focus is.
enum class FocusPane { Tree, Search, List, Elsewhere };

enum class KeyAction {
  None,  // the control gets the key
  FocusSearch,
  NextPane,
  PreviousPane,
  AddCategory,
  RenameCategory,
  DeleteCategory,
  CategoryMenu,
  OpenAllOfCategory,  // every shortcut of the selected category
  AddShortcut,
  EditShortcut,
  RemoveShortcuts,
  ShortcutMenu,
  RunAsAdministrator,
  OpenFound,     // the selected result, or the first
  RunFoundAsAdministrator,
  EnterResults,  // into the list of results
  EndSearch,
  PutAway,  // hide the window and give the focus back
};

KeyAction DecideKey(const KeyPress& key, FocusPane focus, bool searchEmpty = false);

// True for the keys that ask for a context menu: Shift+F10 and the menu key. Their
// release is the window's too, so that the system does not ask a second time.
bool OpensMenu(const KeyPress& key);

// The pane Tab moves to, or Shift+Tab (backwards): tree, search field, list, round.
FocusPane NextPane(FocusPane from, bool backwards);

}  // namespace tessaly
