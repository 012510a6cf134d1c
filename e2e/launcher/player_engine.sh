#!/usr/bin/env bash
# The player heard and seen as a user would: streams on the private sound server while it plays,
# none once stopped, a list that plays on past its first file; on the DirectShow path also pause and
# resume, next, and the picture filling the screen and coming back. Driven through player_drive.exe
# (the real player in a plain window); the browser's keys are the browser scenario's business.
source "$(dirname "$0")/common.sh"
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  tessaly_pulse_start
  trap 'tessaly_pulse_stop; e2e_cleanup' EXIT
fi
e2e_setup 1280x1024
media=$E2E_DIR/media
bash "$TESSALY_ROOT/launcher/testing/make_media.sh" "$media"
win() { echo "Z:${media//\//\\}\\$1"; }

OUT=$E2E_DIR/drive.out
drive() {  # drive ARGS...: start player_drive.exe in the background
  : >"$OUT"
  "$WINE" "$E2E_BIN/player_drive.exe" "$@" >"$OUT" 2>/dev/null </dev/null &
  DRIVE_PID=$!
}
at() {  # at NAME: waits for the driver to reach "hold NAME"; prints that line
  local end=$((SECONDS + 40)) line
  while [ $SECONDS -lt $end ]; do
    line=$(grep -a "^hold $1 " "$OUT" | tr -d '\r' || true)
    [ -n "$line" ] && { echo "$line"; return 0; }
    kill -0 "$DRIVE_PID" 2>/dev/null || break
    sleep 0.2
  done
  echo "hold $1 never reached" >&2
  return 1
}
streams() { pactl list short sink-inputs 2>/dev/null | wc -l; }
running_streams() { pactl list sink-inputs 2>/dev/null | grep -c "Corked: no" || true; }
finish_drive() {
  local end=$((SECONDS + 30))
  while kill -0 "$DRIVE_PID" 2>/dev/null && [ $SECONDS -lt $end ]; do sleep 0.2; done
  if kill -0 "$DRIVE_PID" 2>/dev/null; then kill "$DRIVE_PID"; return 1; fi
  wait "$DRIVE_PID"
}
has() { [[ "$1" == *"$2"* ]]; }
idle() { ! has "$1" "state=3" && ! has "$1" "state=2"; }
# moving NAME X Y W H: a later picture of a box of the screen differs from a first one within
# 1.5 s (the driver holds each state for at least that long)
moving() {
  local a b end=$(( $(date +%s%N) + 1500000000 ))
  a=$(e2e_shot "$1-a")
  while :; do
    sleep 0.2
    b=$(e2e_shot "$1-b")
    [ "$(e2e_sum "$a" "${4}x${5}+${2}+${3}")" != "$(e2e_sum "$b" "${4}x${5}+${2}+${3}")" ] && return 0
    [ "$(date +%s%N)" -lt $end ] || return 1
  done
}
# still NAME X Y W H: two pictures of the box 600 ms apart agree
still() {
  local a b
  a=$(e2e_shot "$1-a"); sleep 0.6; b=$(e2e_shot "$1-b")
  [ "$(e2e_sum "$a" "${4}x${5}+${2}+${3}")" = "$(e2e_sum "$b" "${4}x${5}+${2}+${3}")" ]
}
# stand NAME X Y W H: waits up to 1.5 s for the box to agree in two shots in a row
stand() {
  local a b end=$(( $(date +%s%N) + 1500000000 ))
  b=$(e2e_sum "$(e2e_shot "$1-s")" "${4}x${5}+${2}+${3}")
  while [ "$(date +%s%N)" -lt $end ]; do
    sleep 0.2
    a=$b; b=$(e2e_sum "$(e2e_shot "$1-s")" "${4}x${5}+${2}+${3}")
    [ "$a" = "$b" ] && return 0
  done
  return 1
}
no_running_streams() { [ "$(running_streams)" -eq 0 ]; }
is_black() { ! not_black "$@"; }

# --- The Media Player control (DirectShow takes over what it refuses) ---
drive url="$(win tone.mp3)" play until=3,8000 hold=playing,2500 stop hold=stopped,2500 \
  list="$(win blip.wav);$(win tone.wav)" play wait=2500 hold=second,2500 stop \
  url="$(win missing.mp3)" play play hold=missing,500 url="$(win empty.mp3)" play hold=empty,500 \
  url="$(win truncated.mp3)" play wait=1000 stop
line=$(at playing) && check "an MP3 plays: $line" has "$line" "state=3"
check "a stream on the sound server while it plays ($(streams))" test "$(running_streams)" -ge 1
line=$(at stopped)
e2e_until 2 no_running_streams || true
check "no running stream once stopped ($(running_streams))" test "$(running_streams)" -eq 0
line=$(at second) && check "the list plays on to its second file: $line" has "$line" "tone.wav"
check "the second file is heard" test "$(running_streams)" -ge 1
line=$(at missing) && check "a missing file plays nothing: $line" idle "$line"
line=$(at empty) && check "an empty file plays nothing: $line" idle "$line"
check "bad files end the run normally" finish_drive

# --- DirectShow ---
# The host window sits at 100,100; the player's rectangle is 580,200 - 780,400 inside it.
drive --directshow url="$(win tone.wav)" play until=3,8000 hold=ds-heard,1500 \
  url="$(win clip.avi)" play until=3,8000 hold=ds-playing,2000 pause hold=ds-paused,3000 \
  play hold=ds-resumed,1500 full=1 wait=500 hold=ds-full,2500 full=0 wait=500 hold=ds-back,2500 \
  list="$(win tone.wav);$(win blip.wav)" play until=3,8000 next until=3,8000 hold=ds-next,1500 stop
line=$(at ds-heard) && check "DirectShow plays a WAV: $line" has "$line" "state=3"
check "and it is heard" test "$(running_streams)" -ge 1
line=$(at ds-playing) && check "a video plays: $line" has "$line" "state=3"
check "the keys stay with the host window" has "$line" "focus=1"
check "the picture moves in the player's rectangle" moving ds-playing 700 320 160 160
line=$(at ds-paused) && check "pause: $line" has "$line" "state=2"
stand ds-paused 700 320 160 160 || true  # frames already on their way may still show
check "the picture holds while paused" still ds-paused 700 320 160 160
line=$(at ds-resumed) && check "resume: $line" has "$line" "state=3"
check "the picture moves again" moving ds-resumed 700 320 160 160
line=$(at ds-full) && check "full screen on: $line" has "$line" "full=1"
check "the keys stay with the host window in full screen" has "$line" "focus=1"
shot=$(e2e_shot_until ds-full 2 not_black 4 300)
check "the picture reaches the screen's left edge" not_black "$shot" 4 300
check "and its right edge" not_black "$shot" 1275 300
line=$(at ds-back) && check "full screen off: $line" has "$line" "full=0"
shot=$(e2e_shot_until ds-back 2 is_black 4 300)
check "the screen's left edge is no longer the picture" is_black "$shot" 4 300
check "the picture is back in the player's rectangle" moving ds-back 700 320 160 160
line=$(at ds-next) && check "next moves to the list's second file: $line" has "$line" "blip.wav"
check "the DirectShow run ends normally" finish_drive
e2e_finish
