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
start_launcher
e2e_key Return
sleep 1

streams_during() {  # streams_during COMMAND...: new playback streams while the command runs
  local log=$E2E_DIR/streams.log
  pactl subscribe >"$log" 2>/dev/null &
  local sub=$!
  sleep 0.5
  "$@"
  sleep 1
  kill "$sub" 2>/dev/null; wait "$sub" 2>/dev/null || true
  grep -c "'new' on sink-input" "$log" || true
}
slow() { for _ in 1 2 3; do xdotool key Down; sleep 0.5; done; }
fast() { xdotool key --delay 20 Down Down Down Down Down Down Down Down; }

# Wine may open more than one stream for one sound: count at least one per slow move.
slow_streams=$(streams_during slow)
check "each of three slow moves clicks ($slow_streams streams)" test "$slow_streams" -ge 3
n=$(streams_during fast)
check "eight moves within 200 ms: at most two clicks' worth ($n streams)" \
  test "$n" -ge 1 -a $((n * 3)) -le $((slow_streams * 2))
e2e_finish
