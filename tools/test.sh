#!/bin/sh
# Sets up, builds and runs every test: the native core tests and the fuzz targets, then
# the Windows build with its core, Win32 and UI tests and the kill test under Wine on a
# private X display, the core tests of the clang build, and the release (zip and
# installer) as a user would take it.
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

# The README's Windows build must name only CMake options that exist.
windows_section=$(awk '/^## /{p = /^## Building on Windows/} p' README.md)
for option in $(printf '%s\n' "$windows_section" | grep -o -- '-D[A-Za-z_]*' | cut -c3- | sort -u); do
  grep -q "^$option:" build/windows/CMakeCache.txt || {
    echo "test: README.md names the CMake option $option, which the build does not have" >&2
    exit 1
  }
done

# The second compiler builds the program and the core tests; its other test programs
# would add half a minute for test code alone.
cmake --preset windows-clang
cmake --build --preset windows-clang --target tessaly core_tests

sh tools/package.sh

# The wineserver is started with the display already set, so that Wine's desktop
# process can open windows.
windows_tests='
  set -eu
  trap "wineserver -k 2>/dev/null || true" EXIT
  sh tools/wine-up.sh
  # Now and then Wine fails to start a test process at all (no output, a few
  # milliseconds), and a drag under load misses its drop: a failed test runs once more,
  # and only a test that fails twice fails the run.
  ctest --preset windows --repeat until-pass:2
  # ctest has ended its wineserver; each later wine run would pay for a server of its own.
  sh tools/wine-up.sh
  wine build/windows-clang/tests/core_tests.exe --gtest_brief=1
  sh tests/package/check_package.sh'

if [ -n "${DISPLAY:-}" ]; then
  sh -c "$windows_tests"
else
  # UI tests need a display: a private one for this run, gone when it ends.
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c "$windows_tests"
fi
