#include "app/Summon.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <vector>

#include "base/Text.h"

namespace tessaly {

namespace {

struct NamedKey {
  const char* name;
  unsigned key;
};

constexpr NamedKey kNamedKeys[] = {
    {"space", 0x20},  {"enter", 0x0D},     {"tab", 0x09},   {"escape", 0x1B}, {"esc", 0x1B},
    {"home", 0x24},   {"end", 0x23},       {"pageup", 0x21}, {"pagedown", 0x22}, {"insert", 0x2D},
    {"delete", 0x2E}, {"left", 0x25},      {"up", 0x26},    {"right", 0x27},  {"down", 0x28},
    {"pause", 0x13},  {"backspace", 0x08},
};

std::optional<unsigned> KeyNamed(const std::string& lower) {
  if (lower.size() == 1) {
    const char c = lower[0];
    if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c);
  }
  if (lower.size() >= 2 && lower[0] == 'f') {
    const auto number = ParseDecimal(std::string_view(lower).substr(1));
    if (number && *number >= 1 && *number <= 24 && lower[1] != '+' && lower[1] != '-') {
      return 0x70u + static_cast<unsigned>(*number - 1);
    }
  }
  for (const NamedKey& named : kNamedKeys) {
    if (lower == named.name) return named.key;
  }
  // Keys without a name are written by their code ("0xBA"), which reads back.
  if (lower.size() == 4 && lower[0] == '0' && lower[1] == 'x') {
    unsigned code = 0;
    for (const char c : lower.substr(2)) {
      const bool digit = c >= '0' && c <= '9';
      const bool letter = c >= 'a' && c <= 'f';
      if (!digit && !letter) return std::nullopt;
      code = code * 16 + static_cast<unsigned>(digit ? c - '0' : c - 'a' + 10);
    }
    if (code != 0) return code;
  }
  return std::nullopt;
}

// The hotkey control's modifier flags.
constexpr unsigned kControlShift = 0x1;
constexpr unsigned kControlCtrl = 0x2;
constexpr unsigned kControlAlt = 0x4;

std::vector<std::string> SplitAtPlus(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == '+') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

}  // namespace

HotkeyChoice ReadHotkey(const std::string& value) {
  const std::string text = TrimCodesUpTo(value, 32);
  if (text.empty()) return {kDefaultHotkey, {}};
  if (LowerAscii(text) == "none") return {};
  const HotkeyChoice unreadable{std::nullopt, "\"" + text + "\" is not a key combination"};

  Hotkey hotkey;
  bool haveKey = false;
  for (const std::string& raw : SplitAtPlus(text)) {
    const std::string part = LowerAscii(TrimCodesUpTo(raw, 32));
    unsigned bit = 0;
    if (part == "ctrl" || part == "control") bit = modifier::Ctrl;
    if (part == "alt") bit = modifier::Alt;
    if (part == "shift") bit = modifier::Shift;
    if (part == "win" || part == "windows") bit = modifier::Win;
    if (bit != 0) {
      if (haveKey || (hotkey.modifiers & bit) != 0) return unreadable;
      hotkey.modifiers |= bit;
      continue;
    }
    const auto key = KeyNamed(part);
    if (!key || haveKey) return unreadable;
    hotkey.key = *key;
    haveKey = true;
  }
  if (!haveKey) return unreadable;
  return {hotkey, {}};
}

std::string HotkeyText(const Hotkey& hotkey) {
  std::string text;
  if ((hotkey.modifiers & modifier::Win) != 0) text += "Win+";
  if ((hotkey.modifiers & modifier::Ctrl) != 0) text += "Ctrl+";
  if ((hotkey.modifiers & modifier::Alt) != 0) text += "Alt+";
  if ((hotkey.modifiers & modifier::Shift) != 0) text += "Shift+";
  const unsigned key = hotkey.key;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    text += static_cast<char>(key);
  } else if (key >= 0x70 && key <= 0x87) {
    text += "F" + std::to_string(key - 0x70 + 1);
  } else {
    char code[16];
    std::snprintf(code, sizeof code, "0x%02X", key);
    std::string name = code;
    for (const NamedKey& named : kNamedKeys) {
      if (named.key == key) {
        name = named.name;
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        break;
      }
    }
    text += name;
  }
  return text;
}

std::optional<Hotkey> HotkeyFromControl(unsigned value) {
  const unsigned key = value & 0xFF;
  if (key == 0) return std::nullopt;
  const unsigned flags = (value >> 8) & 0xFF;
  Hotkey hotkey{0, key};
  if ((flags & kControlShift) != 0) hotkey.modifiers |= modifier::Shift;
  if ((flags & kControlCtrl) != 0) hotkey.modifiers |= modifier::Ctrl;
  if ((flags & kControlAlt) != 0) hotkey.modifiers |= modifier::Alt;
  return hotkey;
}

unsigned ControlValueOf(const Hotkey& hotkey) {
  if ((hotkey.modifiers & modifier::Win) != 0) return 0;
  unsigned flags = 0;
  if ((hotkey.modifiers & modifier::Shift) != 0) flags |= kControlShift;
  if ((hotkey.modifiers & modifier::Ctrl) != 0) flags |= kControlCtrl;
  if ((hotkey.modifiers & modifier::Alt) != 0) flags |= kControlAlt;
  return (flags << 8) | (hotkey.key & 0xFF);
}

namespace {

long long DistanceSquared(ScreenPoint point, const ScreenRect& area) {
  const long long dx = point.x < area.left ? area.left - point.x
                       : point.x >= area.right ? point.x - area.right + 1 : 0;
  const long long dy = point.y < area.top ? area.top - point.y
                       : point.y >= area.bottom ? point.y - area.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::size_t MonitorUnder(ScreenPoint pointer, const std::vector<ScreenRect>& monitors) {
  std::size_t best = 0;
  long long nearest = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long distance = DistanceSquared(pointer, monitors[i]);
    if (distance < nearest) {
      nearest = distance;
      best = i;
    }
  }
  return best;
}

ScreenRect SummonedPlacement(const ScreenRect& window, const ScreenRect& workArea) {
  const int width = std::min(window.width(), workArea.width());
  const int height = std::min(window.height(), workArea.height());
  int left = window.left;
  int top = window.top;
  if (!Overlap(window, workArea)) {
    left = workArea.left + (workArea.width() - width) / 2;
    top = workArea.top + (workArea.height() - height) / 2;
  }
  left = std::clamp(left, workArea.left, workArea.right - width);
  top = std::clamp(top, workArea.top, workArea.bottom - height);
  return {left, top, left + width, top + height};
}

unsigned long long InstanceKey(const std::string& dataDirectory) {
  const std::string folder = LowerAscii(WithTrailingBackslash(dataDirectory));
  // FNV-1a: a name for the folder that holds no backslash, which the system's
  // object names reserve.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : folder) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string InstanceName(const std::string& dataDirectory) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", InstanceKey(dataDirectory));
  return std::string("Local\\Tessaly.") + text;
}

}  // namespace tessaly
