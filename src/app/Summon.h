#pragma once
// Bringing Tessaly back: the summon hotkey of the setting "Hotkey", and the one
// instance per data directory.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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

// The hotkey control's value (its key in the low byte, its modifier flags in the high
// byte) and back. The control knows no Win key: a hotkey with it has no value there.
std::optional<Hotkey> HotkeyFromControl(unsigned value);
unsigned ControlValueOf(const Hotkey& hotkey);

// Rectangles and points on the virtual screen, in pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// The monitor the summon shows the window on: the one under the pointer, or the
// nearest one when the pointer is between them. The index into monitors (not empty).
std::size_t MonitorUnder(ScreenPoint pointer, const std::vector<ScreenRect>& monitors);

// Where the summoned window goes on that monitor's work area: its size kept, but never
// larger than the area. A window already there stays where it is, one that reaches
// over its edge is pushed inside, one on another monitor is centred.
ScreenRect SummonedPlacement(const ScreenRect& window, const ScreenRect& workArea);

// The name of the lock that lets one Tessaly run per data directory: the same for
// every spelling of the folder (case, trailing "\").
std::string InstanceName(const std::string& dataDirectory);
// The number behind that name, which the running window carries.
unsigned long long InstanceKey(const std::string& dataDirectory);

}  // namespace tessaly
