#!/usr/bin/env bash
# Builds the installers and zips from built binaries: stripped copies of the shipped files, their
# sizes printed, one setup and one zip per machine, named with the project's version.
# usage: installer/build.sh OUTDIR BUILD [BUILD32]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
build=$2
build32=${3:-}
mkdir -p "$out"
out=$(cd "$out" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }

# package ARCH BUILD TOOL-PREFIX
package() {
  local arch=$1 from=$2/bin prefix=$3
  local stage=$out/stage-$arch/Tessaly
  rm -rf "$out/stage-$arch"
  mkdir -p "$stage"
  for f in Tessaly.exe Vantosd.exe VantosdHook.dll Sonorel.dll; do
    [ -f "$from/$f" ] || { echo "missing $from/$f (build it first)" >&2; exit 1; }
    "$prefix-strip" --strip-all -o "$stage/$f" "$from/$f"
  done
  cp "$root/launcher/resources/ding.wav" "$stage/ding.wav"
  echo "Tessaly $version $arch, shipped sizes:"
  (cd "$stage" && for f in Tessaly.exe Vantosd.exe VantosdHook.dll Sonorel.dll ding.wav; do
     printf '  %-12s %8d bytes (%d KB)\n' "$f" "$(stat -c %s "$f")" $(( ($(stat -c %s "$f") + 1023) / 1024 ))
   done)
  local setup=$out/Tessaly-$version-$arch-setup.exe zipfile=$out/Tessaly-$version-$arch.zip
  makensis -V2 -DVERSION="$version" -DARCH="$arch" -DSRC="$stage" -DOUTFILE="$setup" \
    "$root/installer/tessaly.nsi"
  rm -f "$zipfile"
  (cd "$out/stage-$arch" && zip -q -X -r "$zipfile" Tessaly)
  printf '  %s %d KB\n  %s %d KB\n' "$(basename "$setup")" $(( ($(stat -c %s "$setup") + 1023) / 1024 )) \
    "$(basename "$zipfile")" $(( ($(stat -c %s "$zipfile") + 1023) / 1024 ))
}

package x64 "$build" x86_64-w64-mingw32
[ -n "$build32" ] && package x86 "$build32" i686-w64-mingw32
exit 0
