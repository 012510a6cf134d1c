#!/usr/bin/env bash
# Page-turn frames per second at 1920x1080 against bare block copies, and a 12-megapixel JPEG
# opened in the viewer against decoding it alone (figures, not pass/fail):
#   cmake --build <build> --target pageturn_bench
#   TESSALY_BUILD=<build> bash bench/pageturn/run.sh [runs]
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
export TESSALY_ROOT TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
source "$TESSALY_ROOT/tools/env.sh"
"$TESSALY_ROOT/tools/setup-prefix.sh"
unset DISPLAY
tessaly_xvfb_start 1920x1080
trap '"$WINESERVER" -k >/dev/null 2>&1; tessaly_xvfb_stop' EXIT
"$WINE" "$TESSALY_BUILD/bin/pageturn_bench.exe" "${1:-7}" </dev/null 2>/dev/null | tr -d '\r'
