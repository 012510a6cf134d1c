# Sourced by the scripts in tools/, e2e/ and bench/: one Wine prefix of the project's own under
# build/, quiet Wine, and the one place that decides how Wine is started.
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$TESSALY_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono/Gecko download prompts, no desktop integration.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}

# Wine's loaders by path, never Debian's `wine` wrapper: once the 32-bit side is installed the
# wrapper starts every program, 64-bit ones too, through the 32-bit loader, which a kernel
# without 32-bit emulation cannot run. WINE starts 64-bit programs and Wine's own helpers (reg,
# wineboot, rundll32, notepad: their 64-bit builds), WINE32 the 32-bit programs.
tessaly_first_exe() { local f; for f in "$@"; do [ -x "$f" ] && { echo "$f"; return; }; done; }
WINE=$(tessaly_first_exe /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64)
WINE=${WINE:-$(command -v wine64 || true)}
WINE32=$(tessaly_first_exe /usr/lib/wine/wine /opt/wine-stable/bin/wine)
WINESERVER=$(tessaly_first_exe /usr/lib/wine/wineserver64 /usr/lib64/wine/wineserver64 \
  /opt/wine-stable/bin/wineserver)
WINESERVER=${WINESERVER:-$(command -v wineserver || true)}
# Wine itself finds its server through WINESERVER.
export WINE WINE32 WINESERVER

# tessaly_wine32_runs: whether Wine's 32-bit side runs here, found by starting its loader once.
# TESSALY_NO_WINE32=1 answers no without trying (to see the skip path on a machine that can).
# Sets TESSALY_WINE32_WHY when it does not.
tessaly_wine32_runs() {
  local err
  TESSALY_WINE32_WHY=
  if [ -n "${TESSALY_NO_WINE32:-}" ]; then
    TESSALY_WINE32_WHY="TESSALY_NO_WINE32 is set"
  elif [ -z "$WINE32" ]; then
    TESSALY_WINE32_WHY="Wine's 32-bit loader is not installed"
  elif ! err=$( { "$WINE32" --version >/dev/null; } 2>&1 ); then
    TESSALY_WINE32_WHY="this machine does not run Wine's 32-bit loader ($WINE32: ${err##*: })"
  fi
  [ -z "$TESSALY_WINE32_WHY" ]
}

# tessaly_xvfb_start [WxH]: start a virtual display unless DISPLAY is set; sets TESSALY_XVFB_PID.
tessaly_xvfb_start() {
  local size=${1:-${TESSALY_SCREEN:-1920x1080}}
  [ -n "${DISPLAY:-}" ] && return 0
  # The server picks a free number itself and writes it once it listens, so runs side by side
  # never share a display.
  local numfile n=
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  TESSALY_XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(sed -n 's/^\([0-9][0-9]*\)$/\1/p' "$numfile")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$numfile"
  export DISPLAY=":${n:-99}"
}
tessaly_xvfb_stop() {
  [ -n "${TESSALY_XVFB_PID:-}" ] && kill "$TESSALY_XVFB_PID" 2>/dev/null || true
  TESSALY_XVFB_PID=
}
