#!/bin/sh
# Sets up, builds and starts Tessaly under Wine. The data directory is
# $TESSALY_DATA (default: ~/Tessaly); the first start seeds it with the installed
# category file, later starts keep what is there.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

sh tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tessaly

data=${TESSALY_DATA:-$HOME/Tessaly}
mkdir -p "$data"
if [ ! -f "$data/Categories.sts" ]; then
  cp "$root/data/Categories.sts" "$data/Categories.sts"
fi

export WINEDEBUG=${WINEDEBUG:--all}
cd "$data"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$root/build/windows/tessaly.exe"
else
  echo "run: no DISPLAY; starting on a virtual display (xvfb-run)" >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$root/build/windows/tessaly.exe"
fi
