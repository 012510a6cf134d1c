#!/usr/bin/env bash
# Key press to the OSD box on screen, median over 50 presses, with this program's own bare window
# shown from its hook as the floor of the same run:
#   cmake --build <build> --target Vantosd osd_bench
#   TESSALY_BUILD=<build> bash bench/osd/run.sh [presses]
# The box hides two seconds after each key, so each series of 50 presses takes about two minutes.
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
export TESSALY_ROOT TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
source "$TESSALY_ROOT/e2e/lib.sh"
set +e
PRESSES=${1:-50}
e2e_setup 1280x1024
"$WINE" notepad >/dev/null 2>&1 </dev/null &
FRONT=$(e2e_window notepad.exe 40)
e2e_start Vantosd.exe
for _ in $(seq 100); do xdotool search --classname vantosd.exe >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
e2e_focus "$FRONT"

series() {  # series MODE PERIOD KEY...: the bench listens while the keys are pressed in turn
  local mode=$1 period=$2; shift 2
  "$WINE" "$E2E_BIN/osd_bench.exe" "$mode" "$PRESSES" </dev/null 2>/dev/null | tr -d '\r' &
  local bench=$! i=0 keys=("$@")
  sleep 1.5
  while kill -0 "$bench" 2>/dev/null; do
    xdotool key "${keys[$((i % ${#keys[@]}))]}"
    i=$((i + 1))
    sleep "$period"
  done
  wait "$bench"
}
series floor 0.4 F24
series volume 2.5 XF86AudioRaiseVolume XF86AudioLowerVolume
series picture 2.5 XF86AudioPlay
