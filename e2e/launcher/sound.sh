#!/usr/bin/env bash
# The click sound is heard as new streams on the private sound server: a click per move when the
# moves are slow, far fewer than one per move when they are fast.
source "$(dirname "$0")/common.sh"
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  tessaly_pulse_start
  trap 'tessaly_pulse_stop; e2e_cleanup' EXIT
fi
e2e_setup 1920x1080
CX=1920 CY=1080
start_launcher
e2e_key Return
e2e_settled_until menu 20 tile_lit $CX $CY 1 >/dev/null

new_streams() { grep -c "'new' on sink-input" "$1" 2>/dev/null || true; }
some_streams() { [ "$(new_streams "$1")" -ge 1 ]; }
menu_on() { [ "$(menu_tile)" = "$1" ]; }
# The subscriber is a second "pactl" client beside the one asking.
subscribed() { [ "$(pactl list short clients 2>/dev/null | grep -c pactl)" -ge 2 ]; }
streams_during() {  # streams_during TILE COMMAND...: new playback streams while the command runs
  local log=$E2E_DIR/streams.log tile=$1; shift
  pactl subscribe >"$log" 2>/dev/null &
  local sub=$!
  e2e_until 10 subscribed || true
  "$@"
  # The highlight on TILE: every move was read. Then at least one stream, and a second for
  # the rest to come in: how many must not come has nothing to wait for.
  e2e_until 20 menu_on "$tile" || true
  e2e_until 10 some_streams "$log" || true
  sleep 1
  kill "$sub" 2>/dev/null; wait "$sub" 2>/dev/null || true
  new_streams "$log"
}
# Moves 0.5 s apart: the pace under judgement.
slow() { for _ in 1 2 3; do xdotool key Down; sleep 0.5; done; }
fast() { xdotool key --delay 20 Down Down Down Down Down Down Down Down; }

# Wine may open more than one stream for one sound: count at least one per slow move.
slow_streams=$(streams_during 4 slow)
check "each of three slow moves clicks ($slow_streams streams)" test "$slow_streams" -ge 3
n=$(streams_during 4 fast)
check "eight moves within 200 ms: at most two clicks' worth ($n streams)" \
  test "$n" -ge 1 -a $((n * 3)) -le $((slow_streams * 2))
e2e_finish
