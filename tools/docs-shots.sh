#!/usr/bin/env bash
# Screenshots of each screen for the user's guide in README.md, made the way the e2e scenarios
# drive the launcher (xdotool keys on a virtual display), scaled to 960 pixels wide: every screen
# at 1280x1024 into docs/, and the menu, the picture browser and a program page at 1024x768,
# 1920x1080 and 3840x2160 into docs/sizes/. After a build:
#   TESSALY_BUILD=<build> bash tools/docs-shots.sh [out-folder]
# (TESSALY_SHOT_SIZES="1280x1024" makes only the first set.)
set -euo pipefail
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
export TESSALY_ROOT TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
OUT=$(mkdir -p "${1:-$TESSALY_ROOT/docs}" && cd "${1:-$TESSALY_ROOT/docs}" && pwd)
source "$TESSALY_ROOT/e2e/launcher/common.sh"

# save NAME [CROP]: the screen (or a WxH+X+Y part of it at full size) into docs/NAME.png, or at
# another size than 1280x1024 into docs/sizes/WxH-NAME.png
save() {
  local shot file=$OUT/$1.png; shot=$(e2e_shot "$1")
  if [ "$CX" != 1280 ] || [ "$CY" != 1024 ]; then
    mkdir -p "$OUT/sizes"
    file=$OUT/sizes/${CX}x${CY}-$1.png
  fi
  if [ -n "${2:-}" ]; then
    convert "$shot" -crop "$2" +repage -strip "$file"
  else
    convert "$shot" -resize 960x +dither -colors 256 -strip "PNG8:$file"
  fi
  echo "docs: $file"
}
down() { local i; for ((i = 0; i < $1; i++)); do e2e_key Down; done; }
drive_row() { ls "$WINEPREFIX/dosdevices" | grep -E '^[a-z]:$' | sort | grep -n "^$1:$" | cut -d: -f1 | awk '{print $1 - 1}'; }
# The browser's window: 800 x 600 at 1280x1024, scaled with the screen.
browser_window() {
  local end=$((SECONDS + 15)) w ww hh
  while [ $SECONDS -lt $end ]; do
    for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
      read -r _ _ ww hh < <(e2e_geometry "$w")
      [ "$ww $hh" = "$((CX * 800 / 1280)) $((CY * 600 / 1024))" ] && { echo "$w"; return 0; }
    done
    sleep 0.2
  done
  return 1
}
browser_gone() {
  local end=$((SECONDS + 10)) w ww hh shown
  while [ $SECONDS -lt $end ]; do
    shown=
    for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
      read -r _ _ ww hh < <(e2e_geometry "$w")
      [ "$ww $hh" = "$((CX * 800 / 1280)) $((CY * 600 / 1024))" ] && shown=1
    done
    [ -z "$shown" ] && return 0
    sleep 0.3
  done
  return 1
}
# menu_goto TILE: the menu focused, its highlight moved onto tile TILE (the pointer, left where a
# closed browser was, may have selected another tile)
menu_goto() {
  e2e_focus "$WIN"
  local at; at=$(menu_tile)
  while [ "$at" -gt "$1" ]; do e2e_key Up; at=$((at - 1)); done
  while [ "$at" -ne 0 ] && [ "$at" -lt "$1" ]; do e2e_key Down; at=$((at + 1)); done
  [ "$(menu_tile)" = "$1" ] || { echo "the menu's highlight is not on tile $1" >&2; exit 1; }
}
# browse TILE LETTER: Enter on menu tile TILE, the browser focused and inside drive LETTER
browse() {
  menu_goto "$1"
  e2e_key Return
  local w; w=$(browser_window) || { echo "no browser window for tile $1" >&2; exit 1; }
  e2e_focus "$w"
  down "$(drive_row "$2")"
  e2e_key Return
}

# shots FULL: the guide's pictures at CX x CY; with FULL every screen, else the menu, the picture
# browser and a program page.
shots() {
local full=$1
e2e_setup "${CX}x${CY}"
# Pictures to browse, and a folder of videos.
pictures=$E2E_DIR/Pictures videos=$E2E_DIR/Videos
mkdir -p "$pictures/Holidays" "$videos/Concerts" "$videos/Holidays"
convert -size 1280x800 gradient:'#1b2f6b'-'#f2a640' "$pictures/Sunset.jpg"
convert -size 1024x768 -seed 11 plasma:'#2e7d32'-'#90caf9' -blur 0x6 "$pictures/Lake.jpg"
convert -size 800x600 radial-gradient:'#fff3b0'-'#c0392b' "$pictures/Lantern.jpg"
for f in "Birthday party" "Garden" "School play"; do : >"$videos/$f.avi"; done
: >"$videos/Concerts/Spring.avi"
"$TESSALY_ROOT/tools/wine-drive.sh" p hd "$pictures"
"$TESSALY_ROOT/tools/wine-drive.sh" v hd "$videos"
# Programs on the "Game Menu" page.
GROUP='HKCU\Software\Tessaly\group5'
for name in Chess Solitaire "Flight School"; do
  "$WINE" reg add "$GROUP" /v "$name" /t REG_SZ /d "C:\\Games\\$name.exe" /f >/dev/null 2>&1
done
# A program to add.
mkdir -p "$E2E_DIR/Games"
cp "$E2E_BIN/marker.exe" "$E2E_DIR/Games/Mahjong.exe"
"$TESSALY_ROOT/tools/wine-drive.sh" g hd "$E2E_DIR/Games"
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -p >/dev/null 2>&1
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true

start_launcher
[ -z "$full" ] || save prompt
e2e_key Return
sleep 1
save menu

if [ -n "$full" ]; then
# "Play Video", inside drive V:
browse 1 v
sleep 0.5
save browser
e2e_key Escape
browser_gone || { echo "the browser did not close" >&2; exit 1; }
fi

# "Browse Pictures", inside P:, on a picture: the preview; Enter: the viewer
browse 3 p
e2e_key Down Down
sleep 1
save browser-pictures
if [ -n "$full" ]; then
e2e_key Return
sleep 2
save viewer
e2e_key Escape
sleep 1.5
fi
e2e_key Escape
browser_gone || { echo "the browser did not close" >&2; exit 1; }

# "Game Menu": the page after its page-turn
menu_goto 5
e2e_key Return
sleep 3
save page
e2e_key Left
sleep 2.5
[ -n "$full" ] || return 0

# The karaoke panel over the menu
e2e_focus "$WIN"
e2e_key alt+k
sleep 1
save karaoke
e2e_key alt+k
sleep 0.5

# The OSD's box over the menu: volume up
e2e_start Vantosd.exe
sleep 3
e2e_focus "$WIN"
xdotool key XF86AudioRaiseVolume
sleep 0.5
save osd "420x150+$((CX - 420))+0"
sleep 2.5

# "Add Program": drive G:, Enter on the program, the choice of page
browse 7 g
e2e_key Down Return
sleep 1.5
save select
}

for size in ${TESSALY_SHOT_SIZES:-1280x1024 1024x768 1920x1080 3840x2160}; do
  CX=${size%x*} CY=${size#*x}
  shots "$([ "$size" = 1280x1024 ] && echo full)"
  WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$E2E_DIR/prefix" "$E2E_DIR/Pictures" "$E2E_DIR/Videos" "$E2E_DIR/Games"
  tessaly_xvfb_stop
done
