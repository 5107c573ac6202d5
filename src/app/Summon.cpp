#include "app/Summon.h"

#include <cstdint>
#include <cstdio>
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
  return std::nullopt;
}

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
