#!/usr/bin/env bash
# A living-room remote's other buttons at 1280x1024, on the DirectShow player, over drives made for
# the test: M: a song and fifteen more sounds (two pages) and a song three folders down, N: two
# pictures, V: a video. Digits pick the menu's tile and the browser's row; Channel down pages; Back
# leaves the browser, the viewer and a page; Home from three folders down with the song playing
# comes back to the menu with the song stopped, and from the viewer past the browser; a remote that
# sends only WM_APPCOMMAND pauses, resumes and stops a video, leaves the browser and goes Home from
# a page.
source "$(dirname "$0")/common.sh"
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  tessaly_pulse_start
  trap 'tessaly_pulse_stop; e2e_cleanup' EXIT
fi
export TESSALY_PLAYER=directshow
CX=1280
CY=1024
e2e_setup "${CX}x${CY}"
media=$E2E_DIR/media
bash "$TESSALY_ROOT/launcher/testing/make_media.sh" "$media"
mkdir -p "$E2E_DIR/m/Deep/L1/L2" "$E2E_DIR/n" "$E2E_DIR/v"
cp "$media/clip.avi" "$E2E_DIR/v/bars.avi"
cp "$media/tone.wav" "$E2E_DIR/m/a-song.wav"
for i in $(seq -w 1 15); do : >"$E2E_DIR/m/quiet$i.wav"; done
cp "$media/tone.wav" "$E2E_DIR/m/Deep/L1/L2/deep.wav"
convert -size 300x200 xc:'#ff0000' "BMP3:$E2E_DIR/n/red.bmp"
convert -size 300x200 xc:'#0000ff' "BMP3:$E2E_DIR/n/blue.bmp"
"$TESSALY_ROOT/tools/wine-drive.sh" m hd "$E2E_DIR/m"
"$TESSALY_ROOT/tools/wine-drive.sh" n hd "$E2E_DIR/n"
"$TESSALY_ROOT/tools/wine-drive.sh" v hd "$E2E_DIR/v"
reread_drives

# appcommand NUMBER: a remote's WM_APPCOMMAND to the window in front. home_key: the Home key
# (VK_BROWSER_HOME) through the system's input: Wine's X keyboard gives XF86HomePage no key.
appcommand() { "$WINE" "$E2E_BIN/remote_send.exe" command "$1" </dev/null 2>/dev/null | tr -d '\r'; }
home_key() { "$WINE" "$E2E_BIN/remote_send.exe" key 172 </dev/null >/dev/null 2>&1; }
APPCOMMAND_BROWSER_BACKWARD=1 APPCOMMAND_BROWSER_HOME=7 APPCOMMAND_MEDIA_PLAY_PAUSE=14

BW=$((CX * 800 / 1280)) BH=$((CY * 600 / 1024))
BX=$(((CX - BW) / 2 + 1)) BY=$(((CY - BH) / 2 + 1))
browser_windows() { xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | while read -r w; do
  read -r _ _ ww hh < <(e2e_geometry "$w"); [ "$ww $hh" = "$BW $BH" ] && echo "$w"; done || true; }
browser_open() { [ -n "$(browser_windows)" ]; }
browser_closed() { e2e_alive && ! browser_open; }
caption_drawn() { [ "$(count_white "$1" $((BX + 10)) $((BY + 4)) 300 46)" -gt 30 ]; }
bar_on() { [ "$(count_pixels "$1" $((BX + 57)) $((BY + 50 + $2 * 50)) 100 30 'r >= 220 && g <= 40 && b >= 220')" -gt 20 ]; }
bar_only() { bar_on "$1" "$2" && { [ "$2" = 0 ] || ! bar_on "$1" 0; }; }
menu_on() { [ "$(menu_tile)" = "$1" ]; }
running_streams() { pactl list sink-inputs 2>/dev/null | grep -c "Corked: no" || true; }
some_running() { [ "$(running_streams)" -ge 1 ]; }
none_running() { [ "$(running_streams)" -eq 0 ]; }
# A full-screen video: bright along a line across the screen; moving or standing in its middle.
bright() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 150 ] || [ "$g" -ge 150 ] || [ "$b" -ge 150 ]; }
picture_fills() { local f; f=$(e2e_shot fills-$RANDOM); bright "$f" 3 300 && bright "$f" 640 300 && bright "$f" 1276 300; }
not_filled() { ! picture_fills; }
centre() { e2e_sum "$(e2e_shot "$1")" "320x240+480+400"; }
moving() {  # moving NAME: the middle of the screen changes within 1.5 s
  local a end=$(( $(date +%s%N) + 1500000000 )); a=$(centre "$1-a")
  while [ "$(date +%s%N)" -lt $end ]; do sleep 0.2; [ "$(centre "$1-b")" != "$a" ] && return 0; done
  return 1
}
still() { local a; a=$(centre "$1-a"); sleep 0.6; [ "$(centre "$1-b")" = "$a" ]; }
stand() {  # stand NAME: waits up to 1.5 s for two equal shots in a row
  local a b end=$(( $(date +%s%N) + 1500000000 )); b=$(centre "$1-s")
  while [ "$(date +%s%N)" -lt $end ]; do sleep 0.2; a=$b; b=$(centre "$1-s"); [ "$a" = "$b" ] && return 0; done
  return 1
}
# The viewer: full screen, black around a picture in the middle.
viewer_up() { read -r r g b < <(e2e_pixel "$1" $((CX / 2)) $((CY / 2)));
  [ "$r" -ge 200 ] || [ "$b" -ge 200 ]; }
viewer_shows() { viewer_up "$(e2e_shot viewer-$RANDOM)"; }
no_viewer() { ! viewer_shows; }

# menu_answers: Down on the menu moves its highlight on by one (where it starts depends on the
# pointer, which selects the tile under it once a screen over the menu closes)
menu_answers() {
  e2e_focus "$WIN"
  e2e_settled_until menu-stands 20 >/dev/null
  local at; at=$(menu_tile)
  e2e_key Down
  e2e_until 20 menu_on $((at % 8 + 1))
}
# menu_key KEY TILE: a key on the menu, then its highlight on TILE
menu_key() {
  e2e_focus "$WIN"
  e2e_key "$1"
  e2e_until 20 menu_on "$2"
}
# into TILE LETTER: "Enter" on menu tile TILE (reached with its digit), the browser focused, in
# drive LETTER
into() {
  e2e_focus "$WIN"
  e2e_settled_until menu-stands 20 >/dev/null
  check "digit $1 highlights menu tile $1" menu_key "$1" "$1"
  e2e_key Return
  browser_into "$2" || { check "the browser opens (tile $1)" false; return 1; }
}

start_launcher
e2e_key Return  # answer the prompt
e2e_settled_until menu 20 tile_lit $CX $CY 1 >/dev/null
check "digit 7 on the menu highlights tile 7" menu_key 7 7
e2e_key 9   # no such tile: Up then goes on from tile 7
check "\"9\" does nothing on the menu; Up still moves one tile" menu_key Up 6

# --- The browser: digits, Channel down, Back ---
into 2 m   # "Play Music": "..", Deep, a-song, quiet01..15: 18 entries, two pages
e2e_key 3
first=$(e2e_settled_until digit3 20 bar_only 2)
check "\"3\" puts the bar on the third row" bar_only "$first" 2
e2e_key Next
shot=$(e2e_settled_until next 20 bar_only 0)
check "Channel down: the next page, bar on its first row" bar_only "$shot" 0
check "  ... with other names in the list" \
  test "$(e2e_sum "$shot" "400x480+$((BX + 47))+$((BY + 50))")" != "$(e2e_sum "$first" "400x480+$((BX + 47))+$((BY + 50))")"
e2e_key 9 Down   # the second page has eight rows: "9" does nothing, Down goes on from the first
shot=$(e2e_settled_until digit9 20 bar_only 1)
check "\"9\" on a page of eight rows does nothing" bar_only "$shot" 1
e2e_key Prior
e2e_key 3
shot=$(e2e_settled_until prior 20 bar_only 2)
check "Channel up, then \"3\": the first page's third row" bar_only "$shot" 2
e2e_key XF86Back
check "Back with nothing playing leaves the browser" e2e_until 30 browser_closed
check "and the menu answers again" menu_answers

# --- Home from three folders down, with the song playing ---
into 2 m
for _ in 1 2 3; do e2e_key Down; e2e_settled_until level-down 20 bar_only 1 >/dev/null
  e2e_key Return; e2e_settled_until level 20 bar_only 0 >/dev/null; done
e2e_key Down Return   # deep.wav
check "the song three folders down plays" e2e_until 20 some_running
home_key
check "Home leaves the browser" e2e_until 30 browser_closed
check "and stops the song" e2e_until 20 none_running
check "the menu answers again" menu_answers

# --- A remote of WM_APPCOMMAND only: play/pause, Back ---
into 1 v   # "Play Video": the clip goes full screen on its own
e2e_key Down Return
check "a video plays full screen" e2e_until 30 picture_fills
front=$(appcommand $APPCOMMAND_MEDIA_PLAY_PAUSE)
stand paused || true  # frames already on their way may still show
check "APPCOMMAND_MEDIA_PLAY_PAUSE pauses it: the picture holds ($front)" still paused
appcommand $APPCOMMAND_MEDIA_PLAY_PAUSE >/dev/null
check "again: it plays on" moving resumed
appcommand $APPCOMMAND_BROWSER_BACKWARD >/dev/null
check "APPCOMMAND_BROWSER_BACKWARD stops it, as Esc does" e2e_until 20 not_filled
check "  ... and the browser stays" browser_open
appcommand $APPCOMMAND_BROWSER_BACKWARD >/dev/null
check "again: it leaves the browser" e2e_until 30 browser_closed

# --- The viewer: Back, then Home past the browser ---
into 3 n
e2e_key Down Return
check "Enter on a picture shows the viewer" e2e_until 30 viewer_shows
e2e_key XF86Back
check "Back leaves the viewer" e2e_until 30 no_viewer
check "  ... for the browser" browser_open
e2e_key Return
check "the viewer again" e2e_until 30 viewer_shows
home_key
check "Home from the viewer leaves it and the browser" e2e_until 30 browser_closed
check "  ... to the menu" menu_answers

# --- A program page: Back, and Home from a remote of WM_APPCOMMAND ---
check "digit 5 highlights Game Menu" menu_key 5 5
e2e_key Return
page_lit() { is_white "$1" $(( $(scaled_x $CX 100) + 1 )) $(( $(scaled_y $CY 200) + $(scaled_y $CY 70) / 2 )); }
e2e_settled_until page-in 30 page_lit >/dev/null
menu_gone() { ! tile_lit "$(e2e_shot gone-$RANDOM)" $CX $CY 5; }
check "the page shows" menu_gone
e2e_key XF86Back
shot=$(e2e_settled_until page-back 30 tile_lit $CX $CY 5)
check "Back leaves the page for the menu" tile_lit "$shot" $CX $CY 5
e2e_key Return
e2e_settled_until page-again 30 page_lit >/dev/null
appcommand $APPCOMMAND_BROWSER_HOME >/dev/null
shot=$(e2e_settled_until page-home 30 tile_lit $CX $CY 5)
check "APPCOMMAND_BROWSER_HOME leaves the page for the menu" tile_lit "$shot" $CX $CY 5
check "the launcher runs on" e2e_alive
e2e_finish
