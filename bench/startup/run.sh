#!/usr/bin/env bash
# Start-up of Tessaly to its first painted frame against an empty template dialog started the
# same way (warm wineserver, same display), medians of N runs each, and their ratio.
# usage: bench/startup/run.sh [N] (after a build; uses build/ or $TESSALY_BUILD)
set -euo pipefail
n=${1:-7}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/env.sh"
"$here/../../tools/setup-prefix.sh"
unset DISPLAY
tessaly_xvfb_start 1920x1080
trap 'wineserver -k >/dev/null 2>&1 || true; tessaly_xvfb_stop' EXIT
wineserver -p >/dev/null 2>&1
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
bin=$TESSALY_BUILD/bin

measure() {  # measure EXE: one start to first frame in ms, then end the program
  local ms
  ms=$(python3 "$here/first_frame.py" 60 900 "$WINE" "$bin/$1")
  pkill -f "$bin/$1" >/dev/null 2>&1 || true
  while pgrep -f "$bin/$1" >/dev/null; do sleep 0.1; done
  sleep 0.5
  echo "$ms"
}
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

measure empty_dialog.exe >/dev/null  # the first start of anything pays for loading Wine's DLLs
floor=(); launcher=()
for _ in $(seq "$n"); do
  floor+=("$(measure empty_dialog.exe)")
  launcher+=("$(measure Tessaly.exe)")
done
f=$(printf '%s\n' "${floor[@]}" | median)
t=$(printf '%s\n' "${launcher[@]}" | median)
echo "empty dialog: ${floor[*]} ms (median $f)"
echo "Tessaly:      ${launcher[*]} ms (median $t)"
awk -v t="$t" -v f="$f" 'BEGIN { printf "ratio Tessaly / empty dialog: %.2f\n", t / f }'
