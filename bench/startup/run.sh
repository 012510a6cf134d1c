#!/usr/bin/env bash
# Start-up of Tessaly to its first painted frame against an empty template dialog started the
# same way (warm wineserver, same display), medians of N runs each, and their ratio. Then the idle
# memory of both: private bytes (the commit charge, PagefileUsage, as the system reports it to a
# program asking from outside: bench/startup/private_bytes.exe; Wine reports anonymous resident
# memory and swap) 2 s after the first frame, for Tessaly with its
# menu shown (Enter pressed on the prompt); medians of 3 runs each, and their difference; beside it
# the Wine process's private pages as Linux counts them (Private_Clean + Private_Dirty).
# usage: bench/startup/run.sh [N] (after a build; uses build/ or $TESSALY_BUILD)
set -euo pipefail
n=${1:-7}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/env.sh"
"$here/../../tools/setup-prefix.sh"
unset DISPLAY
tessaly_xvfb_start 1920x1080
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; tessaly_xvfb_stop' EXIT
"$WINESERVER" -p >/dev/null 2>&1
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
# Both programs as they ship: stripped copies (the debug sections of a build otherwise load into
# memory with the image and count as private bytes), with what Tessaly loads beside it.
bin=$TESSALY_BUILD/bench-startup
mkdir -p "$bin"
for f in Tessaly.exe Sonorel.dll empty_dialog.exe; do
  [ -f "$TESSALY_BUILD/bin/$f" ] && x86_64-w64-mingw32-strip --strip-all -o "$bin/$f" "$TESSALY_BUILD/bin/$f"
done
cp "$TESSALY_BUILD/bin/ding.wav" "$TESSALY_BUILD/bin/private_bytes.exe" "$bin/"

end_program() {  # end_program EXE: end it and let the machine settle before the next start
  pkill -f "$bin/$1" >/dev/null 2>&1 || true
  while pgrep -f "$bin/$1" >/dev/null; do sleep 0.1; done
  sleep 0.5
}
measure() {  # measure EXE: one start to first frame in ms, then end the program
  local ms
  ms=$(python3 "$here/first_frame.py" 60 900 "$WINE" "$bin/$1")
  end_program "$1"
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

memory() {  # memory EXE [KEY]: private KB of EXE, idle, after KEY (if any) went to its window, then
            # the private KB Linux counts for its process
  python3 "$here/first_frame.py" 60 900 "$WINE" "$bin/$1" >/dev/null
  if [ -n "${2:-}" ]; then
    local w
    w=$(xdotool search --onlyvisible --classname "${1,,}" 2>/dev/null | tail -n 1 || true)
    sleep 1
    [ -n "$w" ] && xdotool windowfocus "$w" >/dev/null 2>&1
    xdotool key "$2"
  fi
  sleep 2
  local pb pid
  pb=$("$WINE" "$bin/private_bytes.exe" "$1" 2>/dev/null | tr -d '\r')
  pid=$(pgrep -f "$bin/$1" | head -n 1)
  echo "$pb $(awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' "/proc/$pid/smaps_rollup" 2>/dev/null)"
  end_program "$1"
}
floor=(); launcher=()
for _ in 1 2 3; do
  floor+=("$(memory empty_dialog.exe)")
  launcher+=("$(memory Tessaly.exe Return)")
done
report() {  # report COLUMN WHAT
  f=$(printf '%s\n' "${floor[@]}" | cut -d' ' -f"$1" | median)
  t=$(printf '%s\n' "${launcher[@]}" | cut -d' ' -f"$1" | median)
  echo "$2 KB, empty dialog: $(printf '%s\n' "${floor[@]}" | cut -d' ' -f"$1" | tr '\n' ' ')(median $f)"
  echo "$2 KB, Tessaly menu: $(printf '%s\n' "${launcher[@]}" | cut -d' ' -f"$1" | tr '\n' ' ')(median $t)"
  awk -v t="$t" -v f="$f" -v w="$2" 'BEGIN { printf "%s, Tessaly - empty dialog: %.1f MB (%.1f MB against %.1f MB)\n", w, (t - f) / 1024, t / 1024, f / 1024 }'
}
report 1 "private bytes"
report 2 "Linux private pages"
