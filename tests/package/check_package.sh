#!/bin/sh
# Checks the release that tools/package.sh left in dist/ under Wine: the portable zip
# and the installer, as a user would take them. Needs WINEPREFIX set, a persistent
# wineserver for it and a display (tools/test.sh provides all three).
set -eu
cd "$(dirname "$0")/../.."
root=$PWD
: "${WINEPREFIX:?}"

header=build/windows/generated/tessaly_version.h
field() { sed -n "s/^#define TESSALY_VERSION_$1 \"*\([^\"]*\)\"*\$/\1/p" "$header"; }
version=$(field STRING)
zip=$root/dist/Tessaly-$version-win64.zip
setup=$root/dist/Tessaly-$version-win64-setup.exe
probe="wine $root/build/windows/tests/package_probe.exe"

work=$root/build/package-check
user=$WINEPREFIX/drive_c/users/$(id -un)
programs=$user/AppData/Local/Programs/Tessaly
data=$user/AppData/Roaming/Tessaly
link=$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Tessaly.lnk
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

fail() {
  echo "check_package: FAIL: $*" >&2
  exit 1
}
step() { echo "check_package: $*"; }
# Windows names of host paths: inside the prefix by drive C:, elsewhere by Z:.
win() {
  case $1 in
    "$WINEPREFIX/drive_c"/*) printf 'C:%s' "${1#"$WINEPREFIX/drive_c"}" | tr / '\\' ;;
    *) printf 'Z:%s' "$1" | tr / '\\' ;;
  esac
}
# The uninstaller hands over to a copy of itself and returns at once.
wait_until() {
  i=0
  while ! sh -c "$1"; do
    i=$((i + 1))
    [ $i -le 600 ] || fail "timed out waiting for: $1"
    sleep 0.1
  done
}
forget_install() {
  rm -rf "$programs" "$data" "$link"
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
}
# The tree Tessaly shows for a category file: its names with their indents.
tree_of() { sed -e 's/\r$//' -e 's/ ;[^;]*$//' "$1"; }
# Starts Tessaly, compares the tree it shows with a category file, and closes it.
shows_tree() {
  expected=$1
  shift
  $probe show "$@" > "$work/shown.txt" || fail "Tessaly did not show its tree ($*)"
  tree_of "$expected" | diff -u - "$work/shown.txt" || fail "the tree differs from $expected"
}

[ -f "$zip" ] && [ -f "$setup" ] || fail "no release for $version in dist/ (run tools/package.sh)"
rm -rf "$work"
mkdir -p "$work"
forget_install
trap forget_install EXIT

step "version"
unzip -q "$zip" -d "$work/zip"
folder=$work/zip/Tessaly-$version
# Version resources hold their strings in UTF-16, the value after its name.
product_version() { strings -el -n 3 "$1" | grep -A1 -x ProductVersion | tail -n 1; }
[ "$(product_version "$folder/tessaly.exe")" = "$version" ] || fail "tessaly.exe does not carry version $version"
[ "$(product_version "$setup")" = "$version" ] || fail "the installer does not carry version $version"

step "portable zip"
[ "$(cd "$folder" && ls | tr '\n' ' ')" = "Categories.sts LICENSE.txt README.txt tessaly.exe " ] ||
  fail "the zip holds: $(ls "$folder")"
cmp -s data/Categories.sts "$folder/Categories.sts" || fail "the zip's Categories.sts is not data/Categories.sts"
touch "$work/before-start"
# Explorer starts a program in its own folder.
shows_tree data/Categories.sts "$(win "$folder/tessaly.exe")" "$(win "$folder")"
[ -f "$folder/Settings.sts" ] || fail "the portable Tessaly did not keep its settings in its folder"
written=$(find "$WINEPREFIX/drive_c" "$work" -newer "$work/before-start" -type f ! -path "$folder/*" ! -name shown.txt)
[ -z "$written" ] || fail "the portable Tessaly wrote outside its folder: $written"

step "first install"
wine "$setup" /S || fail "the installer failed"
for f in tessaly.exe uninstall.exe LICENSE.txt; do
  [ -f "$programs/$f" ] || fail "not installed: $programs/$f"
done
cmp -s data/Categories.sts "$data/Categories.sts" || fail "the data folder was not seeded"
[ -f "$link" ] || fail "no Start-menu link"
$probe link "$(win "$link")" > "$work/link.txt" || fail "cannot read the Start-menu link"
printf 'target=%s\nworkdir=%s\n' "$(win "$programs/tessaly.exe")" "$(win "$data")" > "$work/link-expected.txt"
# Wine's folder names may differ from ours in case only, as on Windows.
diff -i -u "$work/link-expected.txt" "$work/link.txt" || fail "the link starts the wrong program or folder"
wine reg query "$uninstall_key" | tr -d '\r' > "$work/uninstall-entry.txt" || fail "no installed-programs entry"
for value in "DisplayName REG_SZ Tessaly" "DisplayVersion REG_SZ $version" \
  "Publisher REG_SZ Tessaly Developers"; do
  tr -s ' ' < "$work/uninstall-entry.txt" | grep -qx " $value" || fail "entry lacks $value"
done
size=$(sed -n 's/^ *EstimatedSize *REG_DWORD *//p' "$work/uninstall-entry.txt")
[ -n "$size" ] && [ $((size)) -gt 100 ] || fail "entry gives no size of the install ($size KB)"
grep -q "UninstallString" "$work/uninstall-entry.txt" || fail "entry names no uninstaller"

step "start from the Start-menu link"
shows_tree data/Categories.sts "$(win "$link")"
[ -f "$data/Settings.sts" ] || fail "Tessaly started from the link did not use the data folder"
[ ! -e "$programs/Settings.sts" ] || fail "Tessaly wrote its settings beside the program"

step "upgrade keeps the data"
printf 'Mine ;015\r\n' >> "$data/Categories.sts"
cp "$data/Categories.sts" "$work/changed.sts"
wine "$setup" /S || fail "the second install failed"
cmp -s "$work/changed.sts" "$data/Categories.sts" || fail "the upgrade overwrote the data folder"
shows_tree "$work/changed.sts" "$(win "$link")"

step "uninstall keeps the data and ends starting with Windows"
# As the Options dialog writes it for the installed copy.
wine reg add "$run_key" /v Tessaly /d "\"$(win "$programs")\\tessaly.exe\" /data $(win "$data")\\" /f >/dev/null ||
  fail "could not write the Run value"
wine "$programs/uninstall.exe" /S || fail "the uninstaller failed"
# The copy removes the files and the entry one after the other: both are waited for.
wait_until "[ ! -e '$programs' ] && ! wine reg query '$uninstall_key' >/dev/null 2>&1"
wait_until "! wine reg query '$run_key' /v Tessaly >/dev/null 2>&1"
[ ! -e "$link" ] || fail "the uninstaller left the Start-menu link"
[ -f "$data/Categories.sts" ] && [ -f "$data/Settings.sts" ] || fail "the uninstaller removed the user's data"

step "uninstall with /REMOVEDATA"
wine "$setup" /S || fail "the install after an uninstall failed"
cmp -s "$work/changed.sts" "$data/Categories.sts" || fail "a new install overwrote the kept data"
wine "$programs/uninstall.exe" /S /REMOVEDATA || fail "the uninstaller failed"
wait_until "[ ! -e '$programs' ] && [ ! -e '$data' ]"

step "all passed"
