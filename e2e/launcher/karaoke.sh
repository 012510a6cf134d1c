#!/usr/bin/env bash
# The karaoke panel at 1920x1080 on a machine without the effects driver: Alt+K shows it in the
# upper right above the launcher and a program in front; arrows and Enter then move its marker,
# unmute the monitor and add a level bar, and reach neither the menu nor the program; the driver
# rows do nothing; Alt+K hides it and the menu takes the arrows again; the left
# Control+Shift+Alt chord toggles it as well.
source "$(dirname "$0")/common.sh"
e2e_setup 1920x1080

# Panel geometry: 335 x 650 picture, height scaled by 1080/1024, 10 pixels from the right edge.
PX=$((1920 - 335 - 10))
PY=50
py() { echo $((PY + $1 * 1080 / 1024)); }  # a design y inside the panel, on the screen

amber() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 200 ] && [ "$g" -ge 130 ] && [ "$b" -le 130 ]; }
not_amber() { ! amber "$@"; }
# Row 0's toggle: dark red when muted, teal when on.
toggle_on() { read -r r g b < <(e2e_pixel "$1" $((PX + 36)) "$(py 65)"); [ "$g" -ge 110 ] && [ "$r" -le 80 ]; }
toggle_muted() { read -r r g b < <(e2e_pixel "$1" $((PX + 36)) "$(py 65)"); [ "$r" -gt "$g" ] && [ "$g" -le 60 ]; }
# Level bar i of the row whose bars start at design y: lit bars are bright green.
bar_lit() { read -r r g b < <(e2e_pixel "$1" $((PX + 34 + 10 * $2)) "$(py $(($3 + 15)))"); [ "$g" -ge 150 ]; }
bar_dark() { ! bar_lit "$@"; }
panel_windows() { xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | while read -r w; do
  read -r x y ww hh < <(e2e_geometry "$w"); [ "$x $y $ww" = "$PX $PY 335" ] && echo "$w"; done; }
panel_shown() { [ -n "$(panel_windows)" ]; }
panel_hidden() { [ -z "$(panel_windows)" ]; }
# Rows 1..4 of the panel (below the clock line, which shows faintly through the panel).
region() { convert "$1" -crop "335x$(( $(py 580) - $(py 150) ))+$PX+$(py 150)" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1; }

marker_on() { amber "$1" $((PX + 18)) "$(py "$2")"; }  # marker_on FILE DESIGN_Y
marker_off() { ! marker_on "$@"; }

start_launcher
e2e_key Return
e2e_settled_until menu 20 tile_lit 1920 1080 1 >/dev/null
check "menu shown, panel hidden" panel_hidden

e2e_key alt+k
check "Alt+K shows the panel" e2e_until 20 panel_shown
w=$(panel_windows | head -n 1)
read -r x y ww hh < <(e2e_geometry "$w")
check "panel at the upper right ($x $y $ww $hh)" test "$x $y $ww $hh" = "$PX $PY 335 685"
shot=$(e2e_settled_until shown 20 marker_on 65)
check "panel drawn over the menu: marker on row 0" amber "$shot" $((PX + 18)) "$(py 65)"
check "monitor muted at start" toggle_muted "$shot"
check "two monitor bars" bar_lit "$shot" 1 90
check "no third bar yet" bar_dark "$shot" 2 90

e2e_key Down
shot=$(e2e_settled_until down 20 marker_on 180)
check "Down moves the marker to row 1" amber "$shot" $((PX + 18)) "$(py 180)"
check "and off row 0" not_amber "$shot" $((PX + 18)) "$(py 65)"
check "the menu did not move: tile 1 still outlined" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
check "tile 2 still dark" is_dark_outline "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 2)"

# No effects driver here: the echo, magic voice, key shift and vocal rows do nothing.
before=$(region "$shot")
for _ in 1 2 3 4; do
  e2e_key Right Return Left
  e2e_key Down
done
# The marker leaves row 1 and only the Ups bring it back: then every key before them was read.
e2e_shot_until driverless-away 20 marker_off 180 >/dev/null
e2e_key Up Up Up Up
shot=$(e2e_settled_until driverless 20 marker_on 180)
check "rows 1..4 change nothing without a driver" test "$(region "$shot")" = "$before"
check "and nothing crashed" e2e_alive

e2e_key Up
e2e_key Return
shot=$(e2e_settled_until unmuted 20 toggle_on)
check "Enter on row 0 unmutes the monitor" toggle_on "$shot"
check "Enter did not open the browser: still the menu" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
e2e_key Right
shot=$(e2e_shot_until right 20 bar_lit 2 90)
check "Right on row 0 adds a bar" bar_lit "$shot" 2 90

e2e_key alt+k
check "Alt+K again hides the panel" e2e_until 20 panel_hidden
e2e_key Down
shot=$(e2e_shot_until menu-again 20 tile_lit 1920 1080 2)
check "the menu takes the arrows again" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 2)"

e2e_key Up
e2e_key ctrl+shift+alt+backslash
check "the left Control+Shift+Alt chord shows it" e2e_until 20 panel_shown
kept() { bar_lit "$1" 2 90 && toggle_on "$1"; }
shot=$(e2e_settled_until chord 20 kept)
check "the panel kept its settings: three bars, unmuted" test "$(kept "$shot" && echo y)" = y

# A program in front: the panel stays above it, and the arrows and Enter go to the panel, not to
# the program. "x", five Enters, "y" leave one line in the editor when no Enter reaches it.
"$WINE" notepad >/dev/null 2>&1 </dev/null &
NOTEPAD=$!
FRONT=$(e2e_window notepad.exe 40)
e2e_focus "$FRONT"
read -r nx ny nw nh < <(e2e_geometry "$FRONT")
inked() { count_pixels "$1" $((nx + 4)) $((ny + 40)) 150 24 'r + g + b < 300'; }
# The editor painted before typing into it; its "x", then more ink once "y" follows the rest.
e2e_settled_until front-ready 20 >/dev/null
e2e_key x
typed() { [ "$(inked "$1")" -gt 10 ]; }
ink=$(inked "$(e2e_shot_until front-x 20 typed)")
e2e_key Down
e2e_key Return Return Return Return Return
e2e_key y
more_ink() { [ "$(inked "$1")" -gt "$ink" ] && marker_on "$1" 180; }
shot=$(e2e_settled_until front 20 more_ink)
check "with a program in front the panel is still shown" panel_shown
check "and above it, taking the arrows: marker on row 1" amber "$shot" $((PX + 18)) "$(py 180)"
check "no Enter reached the program: lines 2 to 6 are empty" \
  test "$(count_pixels "$shot" $((nx + 4)) $((ny + 64)) 150 90 'r + g + b < 300')" -eq 0
check "while the letters did: line 1 has text" \
  test "$(count_pixels "$shot" $((nx + 4)) $((ny + 40)) 150 24 'r + g + b < 300')" -gt 10
e2e_key Up
e2e_shot_until front-up 20 marker_on 65 >/dev/null

e2e_key ctrl+shift+alt+backslash
check "and the chord hides it, with the program in front too" e2e_until 20 panel_hidden
kill "$NOTEPAD" 2>/dev/null || true
check "the launcher runs on" e2e_alive
e2e_finish
