#!/usr/bin/env bash
# "Add Program" at 1280x1024, over D: (a fixed disk holding marker.exe) and two removable drives
# (the prefix's E: and R:). The browser in program mode, Enter on marker.exe: the chooser offers
# two choices, Down and Enter on the second ("Other Program") writes the program into group6
# only. The next visit of "Other Program" shows it (Enter starts it), "Game Menu" does not. A
# "removable disk" tile of "Game Menu" lists the two removable drives. Opening "Game Menu" and
# returning from it run the page-turn: several distinct frames, ending on the page and then on
# the menu.
source "$(dirname "$0")/common.sh"

CX=1280 CY=1024
GROUP5='HKCU\Software\Tessaly\group5'
GROUP6='HKCU\Software\Tessaly\group6'
reg_has() { "$WINE" reg query "$1" /v "$2" >/dev/null 2>&1; }
reg_value() { "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -nE 's/.*REG_SZ +//p'; }

make_drives() {
  local d=$E2E_DIR/drive-d
  mkdir -p "$d" "$E2E_DIR/drive-r"
  cp "$E2E_BIN/marker.exe" "$d/marker.exe"
  "$TESSALY_ROOT/tools/wine-drive.sh" d hd "$d"
  "$TESSALY_ROOT/tools/wine-drive.sh" r floppy "$E2E_DIR/drive-r"
  "$WINE" reg add "$GROUP5" /v 'Removable' /t REG_SZ /d 'XXXXXXXER_A_REMOVE' /f >/dev/null 2>&1
  # Drive letters are read when Wine starts: start it again.
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -p >/dev/null 2>&1
  "$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}

# A visible launcher window of the given size, or nothing.
window_sized() {
  local w ww hh
  for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
    read -r _ _ ww hh < <(e2e_geometry "$w")
    [ "$ww $hh" = "$1 $2" ] && { echo "$w"; return 0; }
  done
  return 1
}
wait_window_sized() {
  local end=$((SECONDS + 30))
  while [ $SECONDS -lt $end ]; do window_sized "$1" "$2" && return 0; sleep 0.2; done
  return 1
}

# Frames of the whole display while something runs: each differing from the one before is kept.
capture_start() {
  CAP_DIR=$E2E_DIR/$1
  mkdir -p "$CAP_DIR"
  (
    i=0 last=
    while [ ! -e "$CAP_DIR/stop" ]; do
      f=$CAP_DIR/$(printf %04d "$i").xwd
      xwd -root -silent >"$f" 2>/dev/null || { rm -f "$f"; break; }
      sum=$(md5sum <"$f" | cut -d' ' -f1)
      if [ "$sum" = "$last" ]; then rm -f "$f"; else last=$sum; i=$((i + 1)); fi
    done
  ) &
  CAP_PID=$!
}
capture_stop() { touch "$CAP_DIR/stop"; wait "$CAP_PID" || true; }
frame_count() { ls "$CAP_DIR"/*.xwd 2>/dev/null | wc -l; }
last_frame() { ls "$CAP_DIR"/*.xwd | tail -n 1; }
# Pixels that differ between two pictures (a small fuzz for scaling noise).
differing() { compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | sed -E 's/[^0-9.].*//'; }

# The select dialog: 400 wide, cy*560/1024 high, centred; choices 350 x cy*70/1024 from (20, 20),
# a step of cy*70/1024 + 20. A choice is there when its box has some white in it.
SW=400 SH=$((CY * 560 / 1024))
choice_white() {
  local ch=$((CY * 70 / 1024)) top
  top=$(( (CY - SH) / 2 + 20 + $2 * (CY * 70 / 1024 + 20) ))
  count_white "$1" $(( (CX - SW) / 2 + 20 )) "$top" 350 "$ch"
}
# page_tile_y I: the middle of page tile I in the first column
page_tile_y() { echo $(( $(scaled_y $CY 200) + ($1 - 1) * ($(scaled_y $CY 70) + $(scaled_y $CY 20)) + $(scaled_y $CY 70) / 2 )); }
PX=$(( $(scaled_x $CX 100) + 1 ))
page_lit() { is_white "$1" "$PX" "$(page_tile_y "$2")"; }
menu_lit() { tile_lit "$1" $CX $CY "$2"; }
# The browser: 800 x 600 centred; its caption is white once inside a drive.
BRW=$((CX * 800 / 1280)) BRH=$((CY * 600 / 1024))
caption_drawn() { [ "$(count_white "$1" $(((CX - BRW) / 2 + 11)) $(((CY - BRH) / 2 + 5)) 300 46)" -gt 30 ]; }
gone_sized() { ! window_sized "$1" "$2" >/dev/null; }
has_choices() { [ "$(choice_white "$1" 0)" -gt 30 ]; }
open_box() { xdotool search --onlyvisible --name '^Open$' 2>/dev/null | tail -n 1 || true; }
open_up() { [ -n "$(open_box)" ]; }
open_gone() { ! open_up; }
group6_marker() { [ "$(reg_value "$GROUP6" marker)" = 'D:\marker.exe' ]; }
# turn_until NAME PREDICATE ARGS...: the capture runs until the turn has ended on a standing
# picture that meets PREDICATE
turn_until() { e2e_settled_until "$@" >/dev/null; }

e2e_setup ${CX}x${CY}
make_drives
start_launcher
e2e_key Return  # answer the prompt
e2e_settled_until menu 20 menu_lit 1 >/dev/null

# ---- "Add Program": D: is the second drive (C:, D:, E:, F:, R:, Z:); marker.exe its second row.
for _ in 1 2 3 4 5 6; do e2e_key Down; done
e2e_key Return
BW=$(wait_window_sized $((CX * 800 / 1280)) $((CY * 600 / 1024))) || { check "the program browser opens" false; e2e_finish; exit; }
e2e_focus "$BW"
e2e_settled_until browser 20 >/dev/null
e2e_key Down Return   # into D:
e2e_settled_until in-d 20 caption_drawn >/dev/null
e2e_key Down Return   # marker.exe
SD=$(wait_window_sized $SW "$SH") || true
check "Enter on the program opens the chooser (${SW}x$SH)" test -n "$SD"
[ -n "$SD" ] && e2e_focus "$SD"
shot=$(e2e_settled_until chooser 20 has_choices)
check "the chooser shows a first choice" test "$(choice_white "$shot" 0)" -gt 30
check "and a second" test "$(choice_white "$shot" 1)" -gt 30
check "and nothing more" test "$(choice_white "$shot" 2)" -eq 0
e2e_key Down Return
check "the chooser closes on Enter" e2e_until 30 gone_sized $SW "$SH"
check "the second choice writes group6: marker = D:\\marker.exe" e2e_until 20 group6_marker
check "and not group5" bash -c "! $(printf '%q' "$WINE") reg query '$GROUP5' /v marker >/dev/null 2>&1"
check "the browser is still up" test -n "$(window_sized $((CX * 800 / 1280)) $((CY * 600 / 1024)) || true)"
e2e_focus "$BW"
e2e_key Escape
e2e_until 30 gone_sized $((CX * 800 / 1280)) $((CY * 600 / 1024)) || true
e2e_focus "$WIN"

# ---- "Other Program" shows it; Enter starts it.
e2e_settled_until on-add 20 menu_lit 7 >/dev/null
e2e_key Up
e2e_shot_until on-other 20 menu_lit 6 >/dev/null
e2e_key Return
shot=$(e2e_settled_until other-page 30 page_lit 1)
check "Other Program: the new entry on tile 1, highlighted" is_white "$shot" "$PX" "$(page_tile_y 1)"
check "Other Program: Return after it" is_dark_outline "$shot" "$PX" "$(page_tile_y 2)"
check "Other Program: nothing after Return" not_white "$shot" "$PX" "$(page_tile_y 3)"
e2e_key Return
check "Enter on it starts D:\\marker.exe" e2e_until 30 test -s "$E2E_DIR/drive-d/marker.txt"
check "with no argument but its own path" test "$(cat "$E2E_DIR/drive-d/marker.txt")" = 'D:\marker.exe'
win=$(e2e_window tessaly.exe 15 || true); [ -n "$win" ] && e2e_focus "$win"
e2e_key Left
e2e_settled_until back-on-other 30 menu_lit 6 >/dev/null
e2e_focus "$WIN"

# ---- "Game Menu" with the page-turn on the way in.
menu=$E2E_DIR/menu.xwd
xwd -root -silent >"$menu"
e2e_key Up
e2e_settled_until on-game 20 menu_lit 5 >/dev/null
xwd -root -silent >"$menu"
capture_start turn-in
xdotool key Return
turn_until turned-in 30 page_lit 1
capture_stop
page=$E2E_DIR/page.xwd
xwd -root -silent >"$page"
total=$((CX * CY))
check "opening Game Menu: several distinct frames ($(frame_count))" test "$(frame_count)" -ge 5
check "menu and page differ widely" test "$(differing "$menu" "$page")" -gt $((total / 10))
check "the turn ends on the page picture" test "$(differing "$(last_frame)" "$page")" -lt $((total / 50))
shot=$(e2e_shot game-page)
check "Game Menu: tile 1 highlighted (the removable-disk tile)" is_white "$shot" "$PX" "$(page_tile_y 1)"
check "Game Menu: Return second" is_dark_outline "$shot" "$PX" "$(page_tile_y 2)"
check "Game Menu: the added program is not there" not_white "$shot" "$PX" "$(page_tile_y 3)"

# ---- the removable-disk choice lists E: and R:.
e2e_key Return
SD=$(wait_window_sized $SW "$SH") || true
check "the removable-disk choice opens the chooser" test -n "$SD"
shot=$(e2e_settled_until removable 20 has_choices)
check "two removable drives: a first choice" test "$(choice_white "$shot" 0)" -gt 30
check "and a second" test "$(choice_white "$shot" 1)" -gt 30
check "and no third" test "$(choice_white "$shot" 2)" -eq 0
[ -n "$SD" ] && e2e_focus "$SD"
e2e_key Escape
check "Esc closes the chooser" e2e_until 30 gone_sized $SW "$SH"
win=$(e2e_window tessaly.exe 15 || true); [ -n "$win" ] && e2e_focus "$win"
# Enter on a "Play From" choice opens the open-file dialog; Esc there leaves the page as it was.
e2e_key Return
SD=$(wait_window_sized $SW "$SH") || true
[ -n "$SD" ] && { e2e_focus "$SD"; e2e_settled_until play-from 20 has_choices >/dev/null; }
e2e_key Return
e2e_until 30 open_up || true
open_box=$(open_box)
check "a \"Play From\" choice opens the open-file dialog" test -n "$open_box"
check "and the chooser is gone" e2e_until 20 gone_sized $SW "$SH"
if [ -n "$open_box" ]; then e2e_focus "$open_box"; e2e_key Escape; e2e_until 30 open_gone || true; fi
win=$(e2e_window tessaly.exe 15 || true); [ -n "$win" ] && e2e_focus "$win"
e2e_settled_until page-again 20 page_lit 1 >/dev/null

# ---- Return: the turn back, ending on the menu.
capture_start turn-out
xdotool key Left
turn_until turned-out 30 menu_lit 5
capture_stop
back=$E2E_DIR/back.xwd
xwd -root -silent >"$back"
check "leaving Game Menu: several distinct frames ($(frame_count))" test "$(frame_count)" -ge 5
check "the turn back ends on the menu" test "$(differing "$(last_frame)" "$back")" -lt $((total / 50))
check "and that is the menu as it was" test "$(differing "$menu" "$back")" -lt $((total / 50))
check "launcher still runs" e2e_alive
e2e_finish
