#!/usr/bin/env bash
# Starts the launcher under Wine. On $DISPLAY when there is one; otherwise on a virtual display,
# where it saves a screenshot to build/screenshot.png once the window has painted, then closes it.
set -euo pipefail
source "$(dirname "$0")/env.sh"
"$(dirname "$0")/setup-prefix.sh"
exe=$TESSALY_BUILD/bin/Tessaly.exe
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE" "$exe"
fi
tessaly_xvfb_start
trap '"$WINESERVER" -k >/dev/null 2>&1 || true; tessaly_xvfb_stop' EXIT
"$WINE" "$exe" >/dev/null 2>&1 &
# A cold prefix takes a few seconds before the first window: wait for it, then let it paint.
for _ in $(seq 200); do
  xdotool search --onlyvisible --classname tessaly.exe >/dev/null 2>&1 && break
  sleep 0.2
done
sleep "${TESSALY_SHOT_AFTER:-3}"
import -window root "$TESSALY_BUILD/screenshot.png"
echo "screenshot: $TESSALY_BUILD/screenshot.png"
