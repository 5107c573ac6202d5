#!/bin/sh
# Builds and runs the benchmarks; they print their figures. The Windows ones run under
# Wine on a private display, in a prefix of their own. Every benchmark also prints
# summary rows ("row|figure|Tessaly|floor|ratio|aim|met"); the table at the end
# gathers them.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
sh tools/setup.sh

# Figures come from optimised builds: the host preset is a debug build.
cmake --preset host -B build/host-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host-release --target store_bench find_bench >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "== store (native)"
build/host-release/bench/store_bench | tee -a "$log"
echo "== type to find's ranking (native)"
build/host-release/bench/find_bench | tee -a "$log"

export WINEPREFIX="$root/build/bench-prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
runs='
  set -eu
  trap "wineserver -k 2>/dev/null || true" EXIT
  sh tools/wine-up.sh
  echo "== store (Wine)"; wine build/windows/bench/store_bench.exe
  echo "== type to find'"'"'s ranking (Wine)"; wine build/windows/bench/find_bench.exe
  echo "== scans (Wine)"; wine build/windows/bench/scan_bench.exe
  echo "== window (Wine)"; wine build/windows/bench/ui_bench.exe
  echo "== icon chooser (Wine)"; wine build/windows/bench/icon_bench.exe
  echo "== list (Wine)"; wine build/windows/bench/list_bench.exe
  echo "== memory (Wine)"; wine build/windows/bench/memory_bench.exe
  echo "== type to find (Wine)"; wine build/windows/bench/search_bench.exe
  echo "== open a category without a window (Wine)"; wine build/windows/bench/open_bench.exe'
if [ -n "${DISPLAY:-}" ]; then
  sh -c "$runs" | tee -a "$log"
else
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c "$runs" | tee -a "$log"
fi

echo
echo "== summary (medians; Wine figures under Wine on this machine)"
tr -d '\r' <"$log" | awk -F'|' '
  $1 == "row" { n++; for (i = 2; i <= 7; i++) { cell[n, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
  END {
    split("figure|Tessaly|floor|ratio|aim|aim met", head, "|")
    for (i = 2; i <= 7; i++) if (length(head[i - 1]) > w[i]) w[i] = length(head[i - 1])
    line = "|"; rule = "|"
    for (i = 2; i <= 7; i++) { line = line sprintf(" %-" w[i] "s |", head[i - 1]); rule = rule sprintf("%s|", dashes(w[i] + 2)) }
    print line; print rule
    for (r = 1; r <= n; r++) {
      line = "|"
      for (i = 2; i <= 7; i++) line = line sprintf(" %-" w[i] "s |", cell[r, i])
      print line
    }
  }
  function dashes(k,   s) { s = ""; while (k-- > 0) s = s "-"; return s }'

