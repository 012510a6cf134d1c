# End-to-end helpers: the real binaries in a fresh copy of the project's Wine prefix, on a virtual
# display of their own, driven by xdotool as a user would. Source it from a scenario script.
set -euo pipefail
source "$TESSALY_ROOT/tools/env.sh"
E2E_TEMPLATE=$TESSALY_BUILD/wineprefix
E2E_BIN=$TESSALY_BUILD/bin
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/tessaly-e2e.XXXXXX")
E2E_FAILS=0
E2E_PASSES=0

e2e_cleanup() {
  WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  tessaly_xvfb_stop
  [ -n "${E2E_KEEP:-}" ] || rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# e2e_setup [WxH]: copy the template prefix, start a display of that size, warm Wine up outside
# the test runner's output pipes.
e2e_setup() {
  "$TESSALY_ROOT/tools/setup-prefix.sh"
  cp -a "$E2E_TEMPLATE" "$E2E_DIR/prefix"
  export WINEPREFIX=$E2E_DIR/prefix
  unset DISPLAY
  tessaly_xvfb_start "${1:-1920x1080}"
  "$WINESERVER" -p >/dev/null 2>&1
  "$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}

# e2e_start EXE: start a program from the build's bin folder; sets E2E_PID (the Wine process).
e2e_start() {
  "$WINE" "$E2E_BIN/$1" >"$E2E_DIR/$1.out" 2>&1 </dev/null &
  E2E_PID=$!
}

# e2e_window CLASSNAME [seconds]: waits for a visible X window of that class; prints its id.
e2e_window() {
  local end=$((SECONDS + ${2:-15})) w
  while [ $SECONDS -lt $end ]; do
    w=$(xdotool search --onlyvisible --classname "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}

# e2e_focus WINDOW: give a window the X focus (no window manager here), pointer over it.
e2e_focus() {
  xdotool mousemove --window "$1" 5 5 >/dev/null 2>&1 || true
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || xdotool windowfocus "$1" >/dev/null 2>&1 || true
}

# e2e_key KEY...: sends the keys and returns at once; the caller waits for what they should do.
e2e_key() { xdotool key --delay 120 "$@"; }

# e2e_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails when SECONDS pass first.
e2e_until() {
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}

# e2e_shot NAME: screenshot of the whole display; prints the file name.
e2e_shot() {
  local f=$E2E_DIR/$1.png
  import -window root "$f"
  echo "$f"
}

# e2e_sum FILE [WxH+X+Y]: a checksum of the picture's pixels, or of that box of them.
e2e_sum() {
  if [ -n "${2:-}" ]; then convert "$1" -crop "$2" +repage -format '%#' info:
  else identify -format '%#' "$1"; fi
}

# e2e_shot_until NAME SECONDS PREDICATE [ARGS...]: screenshots until PREDICATE FILE ARGS... holds
# or SECONDS pass; prints the last one either way, so the caller's checks judge what was reached.
e2e_shot_until() {
  local name=$1 end=$((SECONDS + $2)) f; shift 2
  while :; do
    f=$(e2e_shot "$name")
    "$1" "$f" "${@:2}" >/dev/null 2>&1 && break
    [ $SECONDS -lt $end ] || break
    sleep 0.1
  done
  echo "$f"
}

# e2e_standing [WxH+X+Y]: the screen (or that box of it) the same in two grabs 0.2 s apart.
e2e_standing() {
  local a b
  grab() { if [ -n "${1:-}" ]; then import -window root -crop "$1" +repage rgb:- | md5sum
    else xwd -root -silent | md5sum; fi; }
  a=$(grab "${1:-}"); sleep 0.2; b=$(grab "${1:-}")
  [ "$a" = "$b" ]
}

# e2e_settled_until NAME SECONDS [PREDICATE [ARGS...]]: like e2e_shot_until, and the screen also
# standing (whatever was drawing is done).
e2e_settled_until() {
  local name=$1 end=$((SECONDS + $2)) f=; shift 2
  while :; do
    if e2e_standing; then
      f=$(e2e_shot "$name")
      { [ $# -eq 0 ] || "$1" "$f" "${@:2}" >/dev/null 2>&1; } && break
    fi
    [ $SECONDS -lt $end ] || break
    sleep 0.1
  done
  [ -n "$f" ] || f=$(e2e_shot "$name")
  echo "$f"
}

# e2e_pixel FILE X Y: the pixel as "R G B" (0..255).
e2e_pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 |
    sed -E 's/.*\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/' | awk '{printf "%d %d %d\n", $1, $2, $3}'
}

# e2e_geometry WINDOW: "X Y W H" of an X window.
e2e_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# e2e_alive: the started program still runs.
e2e_alive() { kill -0 "$E2E_PID" 2>/dev/null; }

# e2e_wait_exit SECONDS: waits for the started program to end; fails if it does not.
e2e_wait_exit() {
  local end=$((SECONDS + $1))
  while [ $SECONDS -lt $end ]; do e2e_alive || return 0; sleep 0.2; done
  return 1
}

check() {  # check "what" command...: one named check, counted
  local what=$1; shift
  if "$@"; then E2E_PASSES=$((E2E_PASSES + 1)); echo "ok: $what"
  else E2E_FAILS=$((E2E_FAILS + 1)); echo "FAILED: $what"; fi
}

e2e_finish() {
  echo "$E2E_PASSES passed, $E2E_FAILS failed"
  [ "$E2E_FAILS" -eq 0 ]
}
