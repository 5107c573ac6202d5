#pragma once
// Bringing Tessaly back: the summon hotkey of the setting "Hotkey", and the one
// instance per data directory.

#include <optional>
#include <string>

namespace tessaly {

// Modifier bits as the system's hotkey registration takes them.
namespace modifier {
inline constexpr unsigned Alt = 0x1;
inline constexpr unsigned Ctrl = 0x2;
inline constexpr unsigned Shift = 0x4;
inline constexpr unsigned Win = 0x8;
}  // namespace modifier

struct Hotkey {
  unsigned modifiers = 0;
  unsigned key = 0;  // virtual-key code
  friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

inline constexpr Hotkey kDefaultHotkey{modifier::Ctrl | modifier::Alt, 0x20};

struct HotkeyChoice {
  std::optional<Hotkey> hotkey;  // nothing: the hotkey is off
  std::string problem;           // why it is off, when the value could not be read
};

// The value of the setting "Hotkey": empty or absent is Ctrl+Alt+Space, "none" turns
// the hotkey off, otherwise modifiers and one key joined by "+" ("Win+Shift+L").
HotkeyChoice ReadHotkey(const std::string& value);

// The hotkey written the way the setting takes it.
std::string HotkeyText(const Hotkey& hotkey);

// The name of the lock that lets one Tessaly run per data directory: the same for
// every spelling of the folder (case, trailing "\").
std::string InstanceName(const std::string& dataDirectory);
// The number behind that name, which the running window carries.
unsigned long long InstanceKey(const std::string& dataDirectory);

}  // namespace tessaly
