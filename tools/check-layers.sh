#!/bin/sh
# Fails when a source file includes a header of a folder above its own, or when
# portable code reaches into the Win32 layer. The folders form one stack, lowest
# first; a folder may include itself and anything below it.
set -eu
cd "$(dirname "$0")/.."

STACK="base model shell store categories shortcuts app"

rank() {
  i=0
  for folder in $STACK; do
    if [ "$folder" = "$1" ]; then echo "$i"; return; fi
    i=$((i + 1))
  done
  echo -1
}

failures=0
for file in $(find src -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) | sort); do
  own=$(echo "$file" | cut -d/ -f2)
  own_rank=$(rank "$own")
  if [ "$own_rank" -lt 0 ]; then
    echo "layers: $file is in a folder outside the stack ($STACK)"
    failures=$((failures + 1))
    continue
  fi
  case "$file" in */win32/*) win32=yes ;; *) win32=no ;; esac

  # Quoted includes name the folder first: "store/Settings.h".
  for included in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file"); do
    case "$included" in */*) ;; *) continue ;; esac
    folder=${included%%/*}
    folder_rank=$(rank "$folder")
    if [ "$folder_rank" -lt 0 ]; then
      echo "layers: $file includes \"$included\", which is not in a folder of the stack"
      failures=$((failures + 1))
    elif [ "$folder_rank" -gt "$own_rank" ]; then
      echo "layers: $file ($own) includes \"$included\" from $folder, which stands above it"
      failures=$((failures + 1))
    fi
    if [ "$win32" = no ]; then
      case "$included" in
        */win32/*)
          echo "layers: portable $file includes the Win32 header \"$included\""
          failures=$((failures + 1))
          ;;
      esac
    fi
  done

  # The portable core never sees the platform's headers.
  if [ "$win32" = no ] && grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|windowsx|commctrl|shellapi|shlobj|objbase|ole2|commdlg)\.h>' "$file"; then
    echo "layers: portable $file includes a Windows header"
    failures=$((failures + 1))
  fi
done

if [ "$failures" -gt 0 ]; then
  echo "layers: $failures include(s) break the stack: $STACK (lowest first)"
  exit 1
fi
echo "layers: every include runs downward ($STACK)"
