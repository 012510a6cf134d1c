#!/usr/bin/env bash
# Runs every test: a virtual display (unless DISPLAY is set), the project's prefix, one warm
# wineserver, then CTest. Extra arguments go to ctest (for example -L unit, -R pages).
set -uo pipefail
source "$(dirname "$0")/env.sh"
"$(dirname "$0")/setup-prefix.sh"
tessaly_xvfb_start
if [ -f "$(dirname "$0")/pulse.sh" ]; then
  source "$(dirname "$0")/pulse.sh"
  tessaly_pulse_start
fi
# Start the wineserver and Wine's system processes now, outside CTest's output pipes: a process
# that inherits those pipes would keep every test "running" until its timeout.
"$WINESERVER" -p >/dev/null 2>&1
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  declare -F tessaly_pulse_stop >/dev/null && tessaly_pulse_stop
  tessaly_xvfb_stop
}
trap cleanup EXIT
cd "$TESSALY_BUILD"
ctest --output-on-failure "$@"
