#!/bin/sh
# Makes sure the Wine prefix exists and a persistent wineserver runs for it.
# Without a persistent server every wine process started under a pipe (ctest) pays
# seconds for starting and stopping its own server.
exec </dev/null >/dev/null 2>&1
prefix=${WINEPREFIX:-$HOME/.wine}
export WINEPREFIX="$prefix" WINEDEBUG=${WINEDEBUG:--all}
wineserver -k; wineserver -w
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i && wineserver -w
fi
if [ ! -f "$prefix/.tessaly-tests" ]; then
  # The prefix's Desktop, Documents and similar folders are links into the Linux
  # home: tests must never write there, so they become real folders.
  for l in "$prefix"/drive_c/users/*/*; do [ -L "$l" ] && rm "$l" && mkdir "$l"; done
  # A crash must end the process instead of waiting on an invisible dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  # The test display has no window manager: managed windows would make every hide
  # wait two seconds for a withdrawal that never comes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  wineserver -w
  touch "$prefix/.tessaly-tests"
fi
wineserver -p
wine cmd /c exit
exit 0
