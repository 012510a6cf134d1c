#!/usr/bin/env bash
# Rewrites the reviewed import lists from built binaries; read the diff before committing it.
# usage: tools/imports/update.sh [BUILD ...]   (default: build and build32 where they exist)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
builds=("$@")
if [ ${#builds[@]} -eq 0 ]; then
  for b in "$root/build" "$root/build32"; do [ -d "$b/bin" ] && builds+=("$b"); done
fi
for build in "${builds[@]}"; do
  for binary in "$build"/bin/Tessaly.exe "$build"/bin/Vantosd.exe "$build"/bin/VantosdHook.dll \
    "$build"/bin/Sonorel.dll; do
    [ -f "$binary" ] || continue
    # The machine decides the list: x86_64 and i686 import different runtime pieces.
    case $(x86_64-w64-mingw32-objdump -f "$binary") in
      *pei-x86-64*) arch=x86_64 ;;
      *pei-i386*) arch=i686 ;;
      *) echo "unknown machine: $binary" >&2; exit 1 ;;
    esac
    mkdir -p "$here/$arch"
    out="$here/$arch/$(basename "$binary").txt"
    {
      echo "# Imports of $(basename "$binary") ($arch), reviewed: tools/imports/update.sh rewrites it."
      bash "$here/list.sh" "$arch-w64-mingw32-objdump" "$binary"
    } > "$out"
    echo "$out: $(grep -vc '^#\|^subsystem' "$out") imports"
  done
done
