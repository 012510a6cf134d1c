#!/usr/bin/env bash
# Program pages. 1024x768 with a fresh profile: "Game Menu" shows "Return" alone and leaves an
# empty group5 key; entries written while the page is closed show on the next visit, seven rows
# to a column. 1920x1080 with prepared entries: tiles in their columns, Up/Down wrap, Enter starts
# a program whose path has a blank, a vanished target starts nothing, Delete asks and No keeps the
# entry, Yes removes tile and value and closes the gap, Left returns to the menu.
source "$(dirname "$0")/common.sh"

GROUP='HKCU\Software\Tessaly\group5'
reg_add() { "$WINE" reg add "$GROUP" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
reg_has() { "$WINE" reg query "$GROUP" /v "$1" >/dev/null 2>&1; }
# Values of the key (lines of the query that carry a type).
reg_values() { "$WINE" reg query "$GROUP" 2>/dev/null | tr -d '\r' | grep -c 'REG_' || true; }
# The entries land in the 51-bucket order of their names: B&q (5), Marker (9), Gone (14).
prepare_entries() {
  mkdir -p "$WINEPREFIX/drive_c/test progs"
  cp "$E2E_BIN/marker.exe" "$WINEPREFIX/drive_c/test progs/marker.exe"
  reg_add 'Marker' 'C:\test progs\marker.exe'
  reg_add 'Gone' 'C:\nowhere\gone.exe'
  reg_add 'B&q' 'C:\nowhere\bq.exe'
}
# page_tile_y CX CY I: the middle of page tile I in the first column
page_tile_y() { echo $(( $(scaled_y "$2" 200) + ($3 - 1) * ($(scaled_y "$2" 70) + $(scaled_y "$2" 20)) + $(scaled_y "$2" 70) / 2 )); }
page_left_x() { echo $(( $(scaled_x "$1" 100) + 1 )); }
# page_lit FILE CX CY I / menu_lit FILE CX CY I: that tile of the page / of the menu outlined white
page_lit() { is_white "$1" "$(page_left_x "$2")" "$(page_tile_y "$2" "$3" "$4")"; }
menu_lit() { tile_lit "$@"; }
# open_game_menu CX CY: from tile 1 of the menu; prints the page once it has turned in and stands.
open_game_menu() {
  for _ in 1 2 3 4; do e2e_key Down; done
  e2e_shot_until game-menu-tile 20 menu_lit "$1" "$2" 5 >/dev/null
  e2e_key Return
  e2e_settled_until page-in 30 page_lit "$1" "$2" 1
}

# ---- 1024x768, fresh profile ----
e2e_setup 1024x768
start_launcher
e2e_key Return
e2e_settled_until menu 20 menu_lit 1024 768 1 >/dev/null
shot=$(open_game_menu 1024 768)
lx=$(page_left_x 1024)
check "fresh: Return tile highlighted in slot 1" is_white "$shot" "$lx" "$(page_tile_y 1024 768 1)"
check "fresh: no second tile" not_white "$shot" "$lx" "$(page_tile_y 1024 768 2)"
check "fresh: the group5 key exists" "$WINE" reg query "$GROUP"
check "fresh: and holds no values" test "$(reg_values)" -eq 0
prepare_entries
for i in 5 6 7 8 9 10; do reg_add "Row $i" 'C:\nowhere\row.exe'; done
e2e_key Left
e2e_settled_until back-768 30 menu_lit 1024 768 5 >/dev/null
e2e_key Return
shot=$(e2e_settled_until second-visit-768 30 page_lit 1024 768 1)
check "768: entries written while closed show on the next visit" is_white "$shot" "$lx" "$(page_tile_y 1024 768 1)"
for i in 2 3 4 5 6 7; do
  check "768: row $i outlined dark" is_dark_outline "$shot" "$lx" "$(page_tile_y 1024 768 "$i")"
done
check "768: the eighth tile starts the second column" \
  is_dark_outline "$shot" $(( lx + $(scaled_x 1024 450) )) "$(page_tile_y 1024 768 1)"
e2e_key Left
e2e_settled_until left-768 30 menu_lit 1024 768 5 >/dev/null
WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
tessaly_xvfb_stop
rm -rf "$E2E_DIR/prefix"  # a fresh copy of the template, not one inside the old prefix

# ---- 1920x1080, prepared entries ----
e2e_setup 1920x1080
prepare_entries
start_launcher
e2e_key Return
e2e_settled_until menu 20 menu_lit 1920 1080 1 >/dev/null
shot=$(open_game_menu 1920 1080)
lx=$(page_left_x 1920)
y() { page_tile_y 1920 1080 "$1"; }
check "1080: tile 1 at (100, 210) highlighted" is_white "$shot" "$lx" "$(y 1)"
for i in 2 3 4; do check "1080: tile $i outlined dark, 94 pixels apart" is_dark_outline "$shot" "$lx" "$(y "$i")"; done
check "1080: three entries and Return, nothing after" not_white "$shot" "$lx" "$(y 5)"
e2e_key Up
shot=$(e2e_shot_until up-wrap 20 page_lit 1920 1080 4)
check "Up on the first tile wraps to Return" is_white "$shot" "$lx" "$(y 4)"
e2e_key Down
e2e_key Down
shot=$(e2e_shot_until down 20 page_lit 1920 1080 2)
check "Down wraps to the first, then the second" is_white "$shot" "$lx" "$(y 2)"

MARK="$WINEPREFIX/drive_c/test progs/marker.txt"
e2e_key Return
check "Enter on Marker starts the program in a folder with a blank" e2e_until 30 test -s "$MARK"
check "and it receives its own path alone, whole ($(tr '\n' '|' <"$MARK"))" \
  test "$(cat "$MARK")" = 'C:\test progs\marker.exe'
check "launcher still runs" e2e_alive

e2e_key Down
e2e_shot_until on-gone 20 page_lit 1920 1080 3 >/dev/null
e2e_key Return
sleep 1  # a start that must not happen gives nothing to wait for
shot=$(e2e_settled_until vanished 20)
check "a vanished target starts nothing and the page stays" is_white "$shot" "$lx" "$(y 3)"
check "launcher still runs after it" e2e_alive

ask_box() { xdotool search --onlyvisible --name '^Tessaly$' 2>/dev/null | tail -n 1; }
box_up() { [ -n "$(ask_box || true)" ]; }
box_gone() { ! box_up; }
reg_gone() { ! reg_has "$1"; }
e2e_key Delete
e2e_until 20 box_up || true
box=$(ask_box || true)
check "Delete asks \"Really delete?\"" test -n "$box"
[ -n "$box" ] && e2e_focus "$box"
e2e_key n
e2e_until 20 box_gone || true
check "No keeps the entry" reg_has 'Gone'
win=$(e2e_window tessaly.exe 15 || true); [ -n "$win" ] && e2e_focus "$win"
e2e_key Delete
e2e_until 20 box_up || true
box=$(ask_box || true)
[ -n "$box" ] && e2e_focus "$box"
e2e_key Return
e2e_until 20 box_gone || true
check "Yes removes the value" e2e_until 20 reg_gone 'Gone'
check "the other values stay" reg_has 'Marker'
shot=$(e2e_settled_until deleted 20 not_white "$lx" "$(y 4)")
check "Return closed the gap and is highlighted" is_white "$shot" "$lx" "$(y 3)"
check "its old place is empty" not_white "$shot" "$lx" "$(y 4)"

win=$(e2e_window tessaly.exe 15 || true); [ -n "$win" ] && e2e_focus "$win"
e2e_key Left
shot=$(e2e_settled_until back 30 menu_lit 1920 1080 5)
check "Left returns to the menu with Game Menu highlighted" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 5)"
check "and the other menu tiles back" is_dark_outline "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
e2e_finish
