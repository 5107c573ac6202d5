#!/bin/sh
# Builds and runs the benchmarks; they print their figures. The Windows ones run under
# Wine on a private display, in a prefix of their own.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
sh tools/setup.sh

# Figures come from optimised builds: the host preset is a debug build.
cmake --preset host -B build/host-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host-release --target store_bench >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

echo "== store (native)"
build/host-release/bench/store_bench

export WINEPREFIX="$root/build/bench-prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
runs='
  set -eu
  trap "wineserver -k 2>/dev/null || true" EXIT
  sh tools/wine-up.sh
  echo "== store (Wine)"; wine build/windows/bench/store_bench.exe
  echo "== scans (Wine)"; wine build/windows/bench/scan_bench.exe
  echo "== window (Wine)"; wine build/windows/bench/ui_bench.exe
  echo "== icon chooser (Wine)"; wine build/windows/bench/icon_bench.exe
  echo "== type to find (Wine)"; wine build/windows/bench/search_bench.exe'
if [ -n "${DISPLAY:-}" ]; then
  sh -c "$runs"
else
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c "$runs"
fi
