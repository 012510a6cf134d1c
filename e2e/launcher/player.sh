#!/usr/bin/env bash
# Playing from the launcher as a user would, at 1280x1024 over drives made for the test: M: one
# song, N: a folder tree of two sounds, V: two videos. "Play Music", Enter on the song is heard on
# the private sound server, Enter again does not restart it, Esc stops it and the browser stays, a
# second Esc closes it; Play/Pause on a folder plays its tree on past the first file while the list
# stays, Stop (media key) ends it; "Play Video" goes full screen on its own and the arrows do
# nothing while it is.
source "$(dirname "$0")/common.sh"
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  tessaly_pulse_start
  trap 'tessaly_pulse_stop; e2e_cleanup' EXIT
fi
CX=1280
CY=1024
e2e_setup "${CX}x${CY}"
media=$E2E_DIR/media
bash "$TESSALY_ROOT/launcher/testing/make_media.sh" "$media"
mkdir -p "$E2E_DIR/song" "$E2E_DIR/tree/album/disc" "$E2E_DIR/video"
cp "$media/tone.mp3" "$E2E_DIR/song/song.mp3"
cp "$media/tone.mp3" "$E2E_DIR/tree/album/one.mp3"
cp "$media/tone.wav" "$E2E_DIR/tree/album/disc/two.wav"
cp "$media/clip.avi" "$E2E_DIR/video/bars.avi"
gst-launch-1.0 -q videotestsrc num-buffers=300 pattern=green ! jpegenc ! avimux ! \
  filesink location="$E2E_DIR/video/green.avi" >/dev/null
"$TESSALY_ROOT/tools/wine-drive.sh" m hd "$E2E_DIR/song"
"$TESSALY_ROOT/tools/wine-drive.sh" n hd "$E2E_DIR/tree"
"$TESSALY_ROOT/tools/wine-drive.sh" v hd "$E2E_DIR/video"
reread_drives

# The browser: 800 x 600 centred; the list takes the left 510 pixels of it.
BW=$((CX * 800 / 1280)) BH=$((CY * 600 / 1024))
browser_windows() { xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | while read -r w; do
  read -r _ _ ww hh < <(e2e_geometry "$w"); [ "$ww $hh" = "$BW $BH" ] && echo "$w"; done || true; }
open_now() { e2e_alive && [ -n "$(browser_windows)" ]; }
closed() { local end=$((SECONDS + 30)); while [ $SECONDS -lt $end ]; do [ -z "$(browser_windows)" ] && return 0; sleep 0.3; done; return 1; }
# The browser's list: the caption (white once in a drive) and the magenta bar on a row.
BX=$(((CX - BW) / 2 + 1)) BY=$(((CY - BH) / 2 + 1))
caption_drawn() { [ "$(count_white "$1" $((BX + 10)) $((BY + 4)) 300 46)" -gt 30 ]; }
bar_on() { [ "$(count_pixels "$1" $((BX + 57)) $((BY + 50 + $2 * 50)) 100 30 'r >= 220 && g <= 40 && b >= 220')" -gt 20 ]; }
menu_on() { [ "$(menu_tile)" = "$1" ]; }
# menu_goto TILE: the menu focused and its highlight moved onto tile TILE. Where it starts depends
# on the pointer: left where the browser was, it selects the tile under it once the browser closes.
menu_goto() {
  e2e_focus "$WIN"
  e2e_settled_until menu-stands 20 >/dev/null
  local at; at=$(menu_tile)
  while [ "$at" -gt "$1" ]; do e2e_key Up; at=$((at - 1)); done
  while [ "$at" -ne 0 ] && [ "$at" -lt "$1" ]; do e2e_key Down; at=$((at + 1)); done
  check "the menu answers: highlight on tile $1" e2e_until 20 menu_on "$1"
}
# browse TILE LETTER: "Enter" on menu tile TILE, into drive LETTER, the browser focused
browse() {
  menu_goto "$1"
  e2e_key Return
  browser_into "$2" || { check "the browser opens (tile $1)" false; return 1; }
}
some_running() { [ "$(running_streams)" -ge 1 ]; }
none_running() { [ "$(running_streams)" -eq 0 ]; }

running_streams() { pactl list sink-inputs 2>/dev/null | grep -c "Corked: no" || true; }
stream_ids() { pactl list short sink-inputs 2>/dev/null | awk '{print $1}' | sort | tr '\n' ' '; }
bright() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 150 ] || [ "$g" -ge 150 ] || [ "$b" -ge 150 ]; }
green() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$g" -ge 200 ] && [ "$r" -le 60 ] && [ "$b" -le 60 ]; }
picture_fills() { bright "$1" 3 300 && bright "$1" 640 300 && bright "$1" 1276 300; }
# Which of the two clips shows: "green" (all green), "bars" (three colours or more along a line
# across the screen: the bars move, but each is 1/7 of the width) or "neither" (Wine's player
# control paints its stand-in for a visualisation red).
colour_code() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); echo $((r >= 128))$((g >= 128))$((b >= 128)); }
clip_of() {
  local x codes=
  for x in 3 185 367 549 731 913 1095 1276; do codes+="$(colour_code "$1" "$x" 300) "; done
  if green "$1" 3 300 && green "$1" 640 300 && green "$1" 1276 300; then echo green
  elif [ "$(tr ' ' '\n' <<<"$codes" | sort -u | grep -c .)" -ge 3 ]; then echo bars
  else echo neither; fi
}

start_launcher
e2e_key Return  # answer the prompt
e2e_settled_until menu 20 tile_lit $CX $CY 1 >/dev/null

# --- "Play Music": Esc with nothing played closes the browser at once ---
browse 2 m
e2e_key Escape
check "one Esc with nothing played closes the browser" closed

# --- "Play Music": Enter on a song ---
browse 2 m
e2e_key Down Return     # the song, below ".."
check "Enter on a song: a stream on the sound server" e2e_until 20 some_running
before=$(stream_ids)
e2e_key Return
sleep 1  # a restart that must not happen gives nothing to wait for
check "Enter on the same row does not restart it ($before / $(stream_ids))" test "$before" = "$(stream_ids)"
e2e_key Escape
check "Esc stops the stream" e2e_until 20 none_running
check "and the browser stays open" open_now
e2e_key Escape
check "a second Esc closes the browser" closed
check "the launcher runs on" e2e_alive

# --- "Play Music": Play/Pause on a folder row plays its tree ---
browse 2 n
e2e_key Down            # onto "album"
shot_before=$(e2e_settled_until tree-before 20 bar_on 1)
e2e_key XF86AudioPlay
check "Play/Pause on a folder: a stream" e2e_until 20 some_running
sleep 4.5  # the measure: past the first file's four seconds
check "the stream goes on past the first file (about four seconds)" test "$(running_streams)" -ge 1
e2e_key XF86AudioStop
check "Stop (media key) ends it" e2e_until 20 none_running
check "and the browser stays open" open_now
shot_after=$(e2e_settled_until tree-after 20)
bx=$(((CX - BW) / 2)) by=$(((CY - BH) / 2))
check "the list still shows the same folder, same row" \
  test "$(compare -metric AE -crop 505x$((BH - 40))+$((bx + 1))+$((by + 1)) "$shot_before" "$shot_after" null: 2>&1 || true)" = 0
e2e_key Escape
check "Esc closes the browser" closed

# --- "Play Video": full screen on its own; arrows do nothing while it is ---
browse 1 v
e2e_key Down Return
shot=$(e2e_shot_until video-full 20 picture_fills)
check "a video fills the screen soon after it starts" picture_fills "$shot"
first=$(clip_of "$shot")
check "one of the two clips shows ($first)" test "$first" != neither
e2e_key Down Down
e2e_key Escape          # stop; full screen ends with it
not_filled() { ! picture_fills "$1"; }
e2e_settled_until video-stopped 20 not_filled >/dev/null
check "the browser stays after Esc" open_now
e2e_key Return          # the highlighted row again
shot=$(e2e_shot_until video-again 20 picture_fills)
check "the arrows did not move the highlight while full screen ($first)" \
  test "$(clip_of "$shot")" = "$first"
e2e_key Escape Escape
check "two Esc stop the video and close the browser" closed
check "the launcher runs on at the end" e2e_alive
e2e_finish
