#!/bin/sh
# Installs every Debian package the build, the run and the tests need.
# Idempotent: when everything is present it only checks and returns.
set -eu

# clang-14 is the second Windows compiler and, with libclang-rt-14-dev, builds the fuzz
# targets (libFuzzer, ASan, UBSan); nsis, zip and unzip make and check the release.
PACKAGES="build-essential cmake ninja-build libgtest-dev g++-mingw-w64-x86-64-posix wine xvfb xauth
  clang-14 libclang-rt-14-dev nsis zip unzip"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
