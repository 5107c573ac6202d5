#!/bin/sh
# Builds the release in dist/: the portable zip and the per-user installer, named by
# the version set in project() of CMakeLists.txt, and prints their sizes and SHA-256.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

sh tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tessaly >/dev/null

# The configure step has just written the version from project() into this header.
header=build/windows/generated/tessaly_version.h
field() { sed -n "s/^#define TESSALY_VERSION_$1 \"*\([^\"]*\)\"*\$/\1/p" "$header"; }
version=$(field STRING)
quad="$(field MAJOR).$(field MINOR).$(field PATCH).0"
if [ -z "$version" ]; then
  echo "package: no version in $header" >&2
  exit 1
fi

name=Tessaly-$version-win64
work=build/package
stage=$work/Tessaly-$version
rm -rf "$work"
mkdir -p "$stage" dist

# Text files get CRLF line ends, so that every Windows editor shows their lines.
crlf() { sed -e "s/@VERSION@/$version/g" -e 's/\r*$/\r/' "$1" > "$2"; }
cp build/windows/tessaly.exe "$stage/"
cp data/Categories.sts "$stage/"
crlf packaging/README.txt "$stage/README.txt"
crlf LICENSE "$stage/LICENSE.txt"

# The zip holds one folder, so that unpacking it never scatters files.
rm -f "dist/$name.zip"
(cd "$work" && zip -q -X -9 -r "$root/dist/$name.zip" "Tessaly-$version")

makensis -V2 -NOCD \
  "-DVERSION=$version" "-DVERSION_QUAD=$quad" "-DSTAGE=$root/$stage" \
  "-DICON=$root/src/app/win32/res/tessaly.ico" "-DOUTFILE=$root/dist/$name-setup.exe" \
  packaging/tessaly.nsi

cd dist
sha256sum "$name.zip" "$name-setup.exe" > "$name.sha256"
for f in "$name.zip" "$name-setup.exe"; do
  printf '%-34s %9s bytes  sha256 %s\n' "dist/$f" "$(wc -c < "$f")" "$(sha256sum "$f" | cut -d' ' -f1)"
done
