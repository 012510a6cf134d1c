# Sourced by the scripts in tools/: one Wine prefix of the project's own under build/, quiet Wine.
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$TESSALY_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko download prompts, no desktop integration.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
WINE=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
export WINE

# tessaly_xvfb_start [WxH]: start a virtual display unless DISPLAY is set; sets TESSALY_XVFB_PID.
tessaly_xvfb_start() {
  local size=${1:-${TESSALY_SCREEN:-1920x1080}}
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  TESSALY_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
}
tessaly_xvfb_stop() {
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null || true
  TESSALY_XVFB_PID=
}
