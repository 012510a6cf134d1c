#!/usr/bin/env bash
# The picture viewer of the launcher at 1920x1080: "Browse Pictures", drive P: holding three
# solid-colour pictures: red 200x100, blue 300x200, yellow 2400x300. Enter on the first shows it
# full screen, centred at its own size on black with the path in green across the top and the
# mouse cursor hidden; Left on the first shows it again; Right steps to a new colour each time;
# on the last, Right and Right again change nothing; a picture wider than the screen is squeezed
# to its width; Esc returns to the browser with the mouse cursor visible. The files are listed in
# the order the file system gives, so the colours are told apart by what the screen shows. A further
# Esc closes the browser and the menu answers again.
source "$(dirname "$0")/common.sh"

CX=1920
CY=1080
# count_colour FILE COLOUR X Y W H: pixels of the box close to the colour
count_colour() {
  convert "$1" -crop "${5}x${6}+${3}+${4}" +repage -fuzz 8% -fill white -opaque "$2" \
    -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:
}
# The colour of the picture in the middle of the screen: red, blue, yellow or black.
colour_at_centre() {
  read -r r g b < <(e2e_pixel "$1" $((CX / 2)) $((CY / 2)))
  rgb_name "$r" "$g" "$b"
}
rgb_name() {
  local r=$1 g=$2 b=$3
  if [ "$r" -ge 200 ] && [ "$g" -ge 200 ] && [ "$b" -le 60 ]; then echo yellow
  elif [ "$r" -ge 200 ] && [ "$g" -le 60 ] && [ "$b" -le 60 ]; then echo red
  elif [ "$r" -le 60 ] && [ "$g" -le 60 ] && [ "$b" -ge 200 ]; then echo blue
  elif [ $((r + g + b)) -le 30 ]; then echo black
  else echo "other($r,$g,$b)"; fi
}
hex_of() { case $1 in red) echo '#ff0000' ;; blue) echo '#0000ff' ;; yellow) echo '#ffff00' ;; esac; }
# Pixels a picture of that colour covers on screen: its own size, the wide one squeezed to 1920.
area_of() { case $1 in red) echo 20000 ;; blue) echo 60000 ;; yellow) echo $((CX * 300)) ;; esac; }
# Half width and half height of that picture on screen.
half_of() { case $1 in red) echo 100 50 ;; blue) echo 150 100 ;; yellow) echo $((CX / 2)) 150 ;; esac; }
is_colour() { read -r r g b < <(e2e_pixel "$1" "$3" "$4"); test "$(rgb_name "$r" "$g" "$b")" = "$2"; }

cursor_shown() {  # 1 when the mouse cursor shows over the program in front, 0 when it is hidden
  xdotool mousemove_relative -- 3 3 >/dev/null 2>&1
  "$WINE" "$E2E_BIN/cursor_probe.exe" 2>/dev/null </dev/null | tr -d '\r'
}
cursor_is() { [ "$(cursor_shown)" = "$1" ]; }

# picture_other FILE [COLOUR...]: one of the three colours in the middle, none of those named
picture_other() {
  local c; c=$(colour_at_centre "$1"); shift
  case $c in red | blue | yellow) ;; *) return 1 ;; esac
  case " $* " in *" $c "*) return 1 ;; esac
}

# One judgement of the viewer's screen, once it stands; JUDGED = the colour shown. Further
# arguments: colours that must be gone first (the key was read).
judge() {
  local name=$1 shot colour area want hw hh; shift
  shot=$(e2e_settled_until "$name" 20 picture_other "$@")
  colour=$(colour_at_centre "$shot")
  JUDGED=$colour
  case $colour in red | blue | yellow) ;; *) check "$name: a picture in the middle ($colour)" false; return ;; esac
  area=$(count_colour "$shot" "$(hex_of "$colour")" 0 0 "$CX" "$CY")
  want=$(area_of "$colour")
  check "$name: $colour at its size ($area of $want pixels)" \
    test "$area" -ge $((want * 97 / 100)) -a "$area" -le $((want * 103 / 100))
  read -r hw hh < <(half_of "$colour")
  check "$name: its upper left corner where centring puts it" \
    is_colour "$shot" "$colour" $((CX / 2 - hw + 2)) $((CY / 2 - hh + 2))
  check "$name: black just above it" is_colour "$shot" black $((CX / 2)) $((CY / 2 - hh - 3))
  if [ "$hw" -lt $((CX / 2)) ]; then
    check "$name: black just left of it" is_colour "$shot" black $((CX / 2 - hw - 3)) $((CY / 2))
  fi
  check "$name: black around it" test "$(colour_at_corner "$shot")" = black
  check "$name: path in green across the top" \
    test "$(count_colour "$shot" '#00ff00' 0 0 "$CX" 70)" -gt 200
}
colour_at_corner() {
  read -r r g b < <(e2e_pixel "$1" 3 $((CY - 3)))
  [ $((r + g + b)) -le 30 ] && echo black || echo "($r,$g,$b)"
}

e2e_setup "${CX}x${CY}"
pictures=$E2E_DIR/pictures
mkdir -p "$pictures"
convert -size 200x100 xc:'#ff0000' "BMP3:$pictures/red.bmp"
convert -size 300x200 xc:'#0000ff' "BMP3:$pictures/blue.bmp"
convert -size 2400x300 xc:'#ffff00' "BMP3:$pictures/wide yellow.bmp"
"$TESSALY_ROOT/tools/wine-drive.sh" p hd "$pictures"
# Drive letters are read when Wine starts: start it again.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -p >/dev/null 2>&1
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
# The row of drive P: in the browser's drive list (drives in letter order).
p_row=$(ls "$WINEPREFIX/dosdevices" | grep -E '^[a-z]:$' | sort | grep -n '^p:$' | cut -d: -f1)
p_row=$((p_row - 1))

# Windows of the launcher at the screen's size and place: the menu, and the viewer when it shows.
full_windows() {
  local w
  for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
    [ "$(e2e_geometry "$w")" = "0 0 $CX $CY" ] && echo "$w"
  done
  true
}
# The browser: 800 x 600 of a 1280 x 1024 screen, scaled, centred.
BW=$((CX * 800 / 1280)) BH=$((CY * 600 / 1024))
browser_window() { xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | while read -r w; do
  read -r _ _ ww hh < <(e2e_geometry "$w"); [ "$ww $hh" = "$BW $BH" ] && echo "$w"; done | head -n 1 || true; }

browser_up() { [ -n "$(browser_window)" ]; }
browser_gone() { ! browser_up; }
# The browser's caption: white once inside a drive.
caption_drawn() { [ "$(count_white "$1" $(((CX - BW) / 2 + 11)) $(((CY - BH) / 2 + 5)) 300 46)" -gt 30 ]; }

start_launcher
e2e_key Return          # answer the prompt
e2e_settled_until menu 20 tile_lit $CX $CY 1 >/dev/null
e2e_key Down Down Return  # "Browse Pictures"
e2e_until 30 browser_up || true
BWIN=$(browser_window)
[ -n "$BWIN" ] || { echo "FAILED: no picture browser"; exit 1; }
e2e_focus "$BWIN"
e2e_settled_until browser 20 >/dev/null
menu_only=$(full_windows | wc -l)
for ((i = 0; i < p_row; i++)); do e2e_key Down; done
# Inside P: "..", then the three pictures.
e2e_key Return
e2e_settled_until in-p 20 caption_drawn >/dev/null
e2e_key Down Return
has_viewer_window() { [ "$(full_windows | wc -l)" -gt "$menu_only" ]; }
check "the viewer covers the screen" e2e_until 30 has_viewer_window
xdotool mousemove $((CX / 2)) $((CY / 2))
check "the mouse cursor is hidden over the viewer" e2e_until 20 cursor_is 0

judge first
first=$JUDGED
e2e_key Left
sleep 1  # a key that must change nothing gives nothing to wait for
judge left-on-first
again=$JUDGED
check "Left on the first picture shows it again ($first, $again)" test "$first" = "$again"
e2e_key Right
judge second "$first"
second=$JUDGED
check "Right shows the next colour ($first, $second)" test "$second" != "$first"
e2e_key Right
judge third "$first" "$second"
third=$JUDGED
check "Right shows the last colour ($first, $second, $third)" test "$third" != "$first" -a "$third" != "$second"
e2e_key Right
sleep 1  # a key that must change nothing gives nothing to wait for
judge last-again
check "Right on the last changes nothing" test "$JUDGED" = "$third"
e2e_key Right
sleep 1  # as above
judge last-again2
check "and again nothing" test "$JUDGED" = "$third"

e2e_key Escape
no_viewer_window() { ! has_viewer_window; }
e2e_until 30 no_viewer_window || true
shot=$(e2e_settled_until back-in-browser 20)
check "Esc leaves the viewer: no picture in the middle" \
  test "$(colour_at_centre "$shot")" != "$third"
check "and its window is gone" no_viewer_window
check "the mouse cursor is visible again" e2e_until 20 cursor_is 1
check "the browser is still open" test -n "$(browser_window)"
e2e_key Escape
check "a further Esc closes the browser" e2e_until 30 browser_gone
e2e_focus "$WIN"
e2e_key Down
shot=$(e2e_shot_until menu-again 20 tile_lit "$CX" "$CY" 4)
check "the menu answers again" is_white "$shot" "$(tile_left_x "$CX")" "$(tile_mid_y "$CX" "$CY" 4)"
check "the launcher runs on" e2e_alive
e2e_finish
