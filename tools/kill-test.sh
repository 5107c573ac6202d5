#!/bin/sh
# Runs the kill test longer than the test run does: tessaly.exe started over a large
# data directory and killed at random moments, by default 300 times.
#   sh tools/kill-test.sh [kills] [seed]
set -eu
cd "$(dirname "$0")/.."
root=$PWD
sh tools/setup.sh
export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all LC_ALL=C.UTF-8
export TESSALY_KILLS="${1:-300}" TESSALY_KILL_SEED="${2:-$(date +%s)}"
if [ ! -f build/windows/build.ninja ]; then cmake --preset windows >/dev/null; fi
cmake --build --preset windows --target kill_tests

run='
  set -eu
  trap "wineserver -k 2>/dev/null || true" EXIT
  sh tools/wine-up.sh
  echo "kill test: $TESSALY_KILLS kills, seed $TESSALY_KILL_SEED"
  wine build/windows/kill_tests.exe'
if [ -n "${DISPLAY:-}" ]; then
  sh -c "$run"
else
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c "$run"
fi
