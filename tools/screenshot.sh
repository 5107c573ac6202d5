#!/bin/sh
# Takes the README's screenshot: Tessaly under Wine on a virtual display, over a demo
# data directory. Needs imagemagick (import) besides what tools/setup.sh installs.
#   sh tools/screenshot.sh [file]           the light theme, docs/screenshot.png
#   sh tools/screenshot.sh --dark [file]    the dark apps theme, docs/screenshot-dark.png
set -eu
cd "$(dirname "$0")/.."
root=$PWD
theme=light
if [ "${1:-}" = "--dark" ]; then
  theme=dark
  shift
fi
if [ "$theme" = dark ]; then
  out=${1:-$root/docs/screenshot-dark.png}
else
  out=${1:-$root/docs/screenshot.png}
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target tessaly >/dev/null

export WINEPREFIX="$root/build/screenshot-prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
demo=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$demo"' EXIT
cp data/Categories.sts "$demo/"
printf '%s\r\n' "[View]" "Icon" "[Treeselect]" "6" > "$demo/Settings.sts"
printf '%s\r\n' "<[My Shortcuts]>" \
  "Notepad" 'C:\windows\notepad.exe' \
  "Registry Editor" 'C:\windows\regedit.exe' \
  "Windows" 'C:\windows' \
  "Command Prompt" 'C:\windows\system32\cmd.exe' \
  "Run box" "win+r" \
  "System settings" 'C:\windows\win.ini' \
  "Task Manager" 'C:\windows\system32\taskmgr.exe' > "$demo/Shortcuts.sts"

xvfb-run -a -s "-screen 0 900x700x24 -nolisten tcp" sh -c '
  set -eu
  sh tools/wine-up.sh
  # The prefix is kept between runs: the theme of the last one is undone first.
  key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"
  wine reg delete "$key" /v AppsUseLightTheme /f >/dev/null 2>&1 || true
  if [ "'"$theme"'" = dark ]; then
    wine reg add "$key" /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null
  fi
  cd "'"$demo"'"
  wine "'"$root"'/build/windows/tessaly.exe" &
  # Wait for the window and its first filled list, then let it paint.
  i=0
  while [ $i -lt 100 ] && ! grep -q "Treeselect" Settings.sts 2>/dev/null; do i=$((i+1)); sleep 0.1; done
  sleep 3
  import -window root "'"$out"'"
  wineserver -k
'
echo "screenshot: $out"
