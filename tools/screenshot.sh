#!/bin/sh
# Takes the README's screenshot: Tessaly under Wine on a virtual display, over a demo
# data directory. Needs imagemagick (import) besides what tools/setup.sh installs.
#   sh tools/screenshot.sh [file]           the light theme, docs/screenshot.png
#   sh tools/screenshot.sh --dark [file]    the dark apps theme, docs/screenshot-dark.png
#   sh tools/screenshot.sh --options [file] the Options dialog, docs/options.png
set -eu
cd "$(dirname "$0")/.."
root=$PWD
theme=light
shot=window
if [ "${1:-}" = "--dark" ]; then
  theme=dark
  shift
elif [ "${1:-}" = "--options" ]; then
  shot=options
  shift
fi
if [ "$theme" = dark ]; then
  out=${1:-$root/docs/screenshot-dark.png}
elif [ "$shot" = options ]; then
  out=${1:-$root/docs/options.png}
else
  out=${1:-$root/docs/screenshot.png}
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target tessaly >/dev/null

export WINEPREFIX="$root/build/screenshot-prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
demo=$(mktemp -d)
# Opens the Options from the window menu, as a click on it does.
if [ "$shot" = options ]; then
  printf '%s\n' '#include <windows.h>' \
    'int main() { HWND w = FindWindowA("TessalyMainWindow", 0);' \
    '  return w && PostMessageA(w, WM_SYSCOMMAND, 0x0110, 0) ? 0 : 1; }' > "$demo/options.c"
  x86_64-w64-mingw32-gcc -o "$demo/options.exe" "$demo/options.c"
fi
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
  if [ "'"$shot"'" = options ]; then
    wine "'"$demo"'/options.exe"
    sleep 2
    import -window Options "'"$out"'"
  else
    import -window root "'"$out"'"
  fi
  wineserver -k
'
echo "screenshot: $out"
