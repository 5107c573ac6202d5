#!/bin/sh
# Builds the fuzz targets of the data file readers (clang 14, libFuzzer, ASan, UBSan)
# and runs each in turn, starting from its seed corpus in tests/fuzz/corpus.
#   sh tools/fuzz.sh             five minutes per target
#   sh tools/fuzz.sh 60          one minute per target
#   sh tools/fuzz.sh --runs N    N inputs per target (what tools/test.sh runs)
# New inputs go to build/fuzz/corpus/<target>, findings to build/fuzz/findings/<target>;
# the seed corpus is never written. Ends non-zero when a target finds a fault.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

limit="-max_total_time=${1:-300}"
if [ "${1:-}" = "--runs" ]; then limit="-runs=${2:?a number of runs}"; fi

if [ ! -f build/fuzz/build.ninja ]; then cmake --preset fuzz >/dev/null; fi
cmake --build --preset fuzz

status=0
for target in Categories Shortcuts Settings IconText Links; do
  mkdir -p "build/fuzz/corpus/$target" "build/fuzz/findings/$target"
  log="build/fuzz/findings/$target/last.log"
  # From inside the findings folder, so that a crashing input is written there.
  if (cd "build/fuzz/findings/$target" &&
      "$root/build/fuzz/tests/fuzz/fuzz_$target" "$limit" -print_final_stats=1 -timeout=10 \
        -rss_limit_mb=1024 "$root/build/fuzz/corpus/$target" "$root/tests/fuzz/corpus/$target" \
        >"$root/$log" 2>&1); then
    result="no finding"
  else
    result="FINDING, see $log"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  seconds=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz $target: ${runs:-?} inputs (${seconds:-?}/s), $result"
done
exit $status
