#!/bin/sh
# Sets up, builds and runs every test: the native core tests and the fuzz targets,
# then the Windows build with its core, Win32 and UI tests and the kill test under Wine
# on a private X display.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

sh tools/setup.sh

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all LC_ALL=C.UTF-8

cmake --preset host
cmake --build --preset host
ctest --preset host

# The data file readers under the fuzzer, briefly; tools/fuzz.sh runs them for minutes.
cmake --preset fuzz
sh tools/fuzz.sh --runs 20000

cmake --preset windows
cmake --build --preset windows

# The wineserver is started with the display already set, so that Wine's desktop
# process can open windows.
windows_tests='
  set -eu
  trap "wineserver -k 2>/dev/null || true" EXIT
  sh tools/wine-up.sh
  ctest --preset windows'

if [ -n "${DISPLAY:-}" ]; then
  sh -c "$windows_tests"
else
  # UI tests need a display: a private one for this run, gone when it ends.
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c "$windows_tests"
fi
