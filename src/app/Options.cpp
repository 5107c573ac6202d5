#include "app/Options.h"

#include "app/CommandLine.h"
#include "base/Text.h"
#include "shortcuts/LaunchHistory.h"

namespace tessaly {

namespace {

const char* Flag(bool on) { return on ? "1" : "0"; }

std::string HotkeySetting(const std::optional<Hotkey>& hotkey) {
  return hotkey ? HotkeyText(*hotkey) : "none";
}

}  // namespace

Options ReadOptions(const Settings& settings) {
  Options options;
  options.hotkey = ReadHotkey(settings.ReadSetting(setting_key::Hotkey)).hotkey;
  options.hideWhenLeft = settings.ReadSetting(setting_key::HideWhenLeft) == "1";
  const std::string tray = settings.ReadSetting(setting_key::TrayIcon);
  options.trayIcon = tray.empty() ? options.hotkey.has_value() : tray != "0";
  options.closeHides = settings.ReadSetting(setting_key::CloseHides) == "1";
  options.learn = LearningOn(settings);
  return options;
}

std::vector<std::pair<std::string, std::string>> ChangedSettings(const Options& before,
                                                                 const Options& after) {
  std::vector<std::pair<std::string, std::string>> changed;
  if (before.hotkey != after.hotkey) {
    changed.emplace_back(setting_key::Hotkey, HotkeySetting(after.hotkey));
  }
  if (before.hideWhenLeft != after.hideWhenLeft) {
    changed.emplace_back(setting_key::HideWhenLeft, Flag(after.hideWhenLeft));
  }
  // The icon's default follows the hotkey: a hotkey turned off with the icon left as it
  // was keeps the icon the user saw.
  if (before.trayIcon != after.trayIcon || before.hotkey.has_value() != after.hotkey.has_value()) {
    changed.emplace_back(setting_key::TrayIcon, Flag(after.trayIcon));
  }
  if (before.closeHides != after.closeHides) {
    changed.emplace_back(setting_key::CloseHides, Flag(after.closeHides));
  }
  if (before.learn != after.learn) changed.emplace_back(setting_key::Learn, Flag(after.learn));
  return changed;
}

bool CanHide(bool hotkeyOn, bool trayIconShown) { return hotkeyOn || trayIconShown; }

std::string StartupCommand(const std::string& programPath, const std::string& dataDirectory) {
  // The program's name keeps every "\\" and ends at a blank: it is always quoted.
  // At logon the window waits for the hotkey or the icon.
  return "\"" + programPath + "\" /data " + QuoteArgument(dataDirectory) + " /hidden";
}

bool StartsWithWindows(StartupRegistration& registration, const std::string& command) {
  const std::optional<std::string> value = registration.Read();
  return value && LowerAscii(*value) == LowerAscii(command);
}

std::string SetStartWithWindows(StartupRegistration& registration, bool on,
                                const std::string& command) {
  if (on) return StartsWithWindows(registration, command) ? std::string() : registration.Write(command);
  return StartsWithWindows(registration, command) ? registration.Remove() : std::string();
}

}  // namespace tessaly
