#!/usr/bin/env bash
# Playing from the browser as a user would, with the real browser and the real player
# (player_browser.exe shows one folder as its only drive): Enter on a song is heard on the private
# sound server, Enter again does not restart it, Esc stops it and the browser stays, a second Esc
# closes it; Play/Pause on a folder plays its tree on past the first file; a video goes full
# screen on its own and the arrows do nothing while it is.
source "$(dirname "$0")/common.sh"
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  tessaly_pulse_start
  trap 'tessaly_pulse_stop; e2e_cleanup' EXIT
fi
e2e_setup 1280x1024
media=$E2E_DIR/media
bash "$TESSALY_ROOT/launcher/browser/player_support/make_media.sh" "$media"
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
mkdir -p "$E2E_DIR/song" "$E2E_DIR/tree/album/disc" "$E2E_DIR/video"
cp "$media/tone.mp3" "$E2E_DIR/song/song.mp3"
cp "$media/tone.mp3" "$E2E_DIR/tree/album/one.mp3"
cp "$media/tone.wav" "$E2E_DIR/tree/album/disc/two.wav"
cp "$media/clip.avi" "$E2E_DIR/video/bars.avi"
gst-launch-1.0 -q videotestsrc num-buffers=300 pattern=red ! jpegenc ! avimux ! \
  filesink location="$E2E_DIR/video/red.avi" >/dev/null

OUT=$E2E_DIR/browser.out
browse() {  # browse MODE FOLDER: the browser over FOLDER, focused
  "$WINE" "$E2E_BIN/player_browser.exe" "$1" "$(winpath "$2")" >"$OUT" 2>/dev/null </dev/null &
  E2E_PID=$!
  WIN=$(e2e_window player_browser.exe 40) || { echo "FAILED: no browser window"; exit 1; }
  sleep 1.5
  e2e_focus "$WIN"
}
running_streams() { pactl list sink-inputs 2>/dev/null | grep -c "Corked: no" || true; }
stream_ids() { pactl list short sink-inputs 2>/dev/null | awk '{print $1}' | sort | tr '\n' ' '; }
closed() { e2e_wait_exit 10; }
open_now() { e2e_alive && xdotool search --onlyvisible --classname player_browser.exe >/dev/null 2>&1; }
bright() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 150 ] || [ "$g" -ge 150 ] || [ "$b" -ge 150 ]; }
red() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 200 ] && [ "$g" -le 60 ] && [ "$b" -le 60 ]; }
picture_fills() { bright "$1" 3 300 && bright "$1" 640 300 && bright "$1" 1276 300; }
# Which of the two clips shows: "red" (all red) or "bars".
clip_of() { if red "$1" 3 300 && red "$1" 640 300 && red "$1" 1276 300; then echo red; else echo bars; fi; }

# --- Music: Enter on a song ---
browse 2 "$E2E_DIR/song"
e2e_key Return          # into the only drive
e2e_key Down Return     # the song
sleep 2
check "Enter on a song: a stream on the sound server" test "$(running_streams)" -ge 1
before=$(stream_ids)
e2e_key Return
sleep 1
check "Enter on the same row does not restart it ($before / $(stream_ids))" test "$before" = "$(stream_ids)"
e2e_key Escape
sleep 1.5
check "Esc stops the stream" test "$(running_streams)" -eq 0
check "and the browser stays open" open_now
e2e_key Escape
check "a second Esc closes the browser" closed

# --- Music: Play/Pause on a folder row plays its tree ---
browse 2 "$E2E_DIR/tree"
e2e_key Return Down     # into the drive, onto "album"
shot_before=$(e2e_shot tree-before)
e2e_key XF86AudioPlay
sleep 2
check "Play/Pause on a folder: a stream" test "$(running_streams)" -ge 1
sleep 4.5
check "the stream goes on past the first file (about four seconds)" test "$(running_streams)" -ge 1
e2e_key XF86AudioStop
sleep 1.5
check "Stop (media key) ends it" test "$(running_streams)" -eq 0
check "and the browser stays open" open_now
shot_after=$(e2e_shot tree-after)
# The browser (800 x 600) is centred; its rows and caption take the left 510 pixels.
check "the list still shows the same folder, same row" \
  test "$(compare -metric AE -crop 505x560+240+212 "$shot_before" "$shot_after" null: 2>&1 || true)" = 0
e2e_key Escape
check "Esc closes the browser" closed

# --- Video: full screen on its own; arrows do nothing while it is ---
browse 1 "$E2E_DIR/video"
e2e_key Return Down Return
sleep 2.5
shot=$(e2e_shot video-full)
check "a video fills the screen soon after it starts" picture_fills "$shot"
first=$(clip_of "$shot")
e2e_key Down Down
e2e_key Escape          # stop; full screen ends with it
sleep 1
check "the browser stays after Esc" open_now
e2e_key Return          # the highlighted row again
sleep 2.5
shot=$(e2e_shot video-again)
check "the arrows did not move the highlight while full screen ($first)" \
  test "$(clip_of "$shot")" = "$first"
e2e_key Escape Escape
check "two Esc stop the video and close the browser" closed
e2e_finish
