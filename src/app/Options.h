#pragma once
// What the Options dialog sets: the summon hotkey, how the window goes away and comes
// back, starting with Windows and learning in Find. All but the last but one live in
// Settings.sts; starting with Windows is the user's Run value itself, so that what the
// dialog shows is what the system will do.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Summon.h"
#include "store/Settings.h"

namespace tessaly {

struct Options {
  std::optional<Hotkey> hotkey = kDefaultHotkey;  // nothing: no hotkey
  bool hideWhenLeft = false;                      // hide when another window is chosen
  bool trayIcon = true;                           // an icon in the notification area
  bool closeHides = false;                        // with the icon: the close box hides
  bool startWithWindows = false;
  bool learn = true;
  friend bool operator==(const Options&, const Options&) = default;
};

// The options as Settings.sts gives them; an unreadable hotkey counts as none. Unset,
// the icon is shown while a hotkey is set.
Options ReadOptions(const Settings& settings);

// The settings to write for the options chosen, given the ones the dialog opened with:
// only what changed, so that an option left alone keeps following its default.
std::vector<std::pair<std::string, std::string>> ChangedSettings(const Options& before,
                                                                 const Options& after);

// Whether the window can come back once hidden: by the hotkey or the icon. Without
// either, putting it away minimises it instead.
bool CanHide(bool hotkeyOn, bool trayIconShown);

// The command the Run value starts: this program in its data directory.
std::string StartupCommand(const std::string& programPath, const std::string& dataDirectory);

// The user's own Run value of Tessaly, which the system starts at logon.
class StartupRegistration {
 public:
  virtual ~StartupRegistration() = default;
  // The command the value holds, or nothing when there is no value.
  virtual std::optional<std::string> Read() = 0;
  // The empty text, or the system's reason for the failure.
  virtual std::string Write(const std::string& command) = 0;
  virtual std::string Remove() = 0;
};

// Turns starting with Windows on or off for this data directory; a value that starts
// another Tessaly is left alone when turned off. The empty text, or why it failed.
std::string SetStartWithWindows(StartupRegistration& registration, bool on,
                                const std::string& command);
// Whether the Run value starts this Tessaly.
bool StartsWithWindows(StartupRegistration& registration, const std::string& command);

}  // namespace tessaly
