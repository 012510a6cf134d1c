# Launcher scenarios: pixel judgements on the real window.
source "$TESSALY_ROOT/e2e/lib.sh"

# is_white FILE X Y / is_dark_outline FILE X Y / is_yellowish FILE X Y
is_white() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -ge 235 ] && [ "$g" -ge 235 ] && [ "$b" -ge 235 ]; }
is_dark_outline() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ "$r" -le 40 ] && [ "$g" -le 40 ] && [ "$b" -le 40 ]; }
not_white() { ! is_white "$@"; }
not_black() { read -r r g b < <(e2e_pixel "$1" "$2" "$3"); [ $((r + g + b)) -gt 15 ]; }

# count_pixels FILE X Y W H CONDITION: pixels of a box whose r, g, b (0..255) meet an awk condition.
count_pixels() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- |
    sed -nE 's/^[0-9]+,[0-9]+: *\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/p' |
    awk "{ r = \$1; g = \$2; b = \$3 } $6 { n++ } END { print n + 0 }"
}
# The clock's yellow: red and green high, blue low.
count_yellow() { count_pixels "$@" 'r >= 200 && g >= 200 && b <= 90'; }
count_white() { count_pixels "$@" 'r >= 230 && g >= 230 && b >= 230'; }

# The launcher's window and its start prompt up, with the focus given to it.
start_launcher() {
  e2e_start Tessaly.exe
  e2e_window tessaly.exe 40 >/dev/null || { echo "FAILED: no launcher window"; exit 1; }
  WIN_SHOWN=$SECONDS
  # Painted and still: past its start-up, so the first key is not lost. The window is looked up
  # after that: the first one mapped may not be the one that stays.
  local sh; sh=$(xwininfo -root | awk '/Height:/{print $2}')
  e2e_settled_until start 40 not_black 20 $((sh - 20)) >/dev/null
  WIN=$(e2e_window tessaly.exe 10) || { echo "FAILED: no launcher window"; exit 1; }
  e2e_focus "$WIN"
}

# scaled CX N: cx*n/1920 (cy*n/1024 with scaled_y)
scaled_x() { echo $(( $1 * $2 / 1920 )); }
scaled_y() { echo $(( $1 * $2 / 1024 )); }

# tile_outline_pixel CX CY I: a point on the left stroke of menu tile I
tile_left_x() { echo $(( $(scaled_x "$1" 100) + 1 )); }
tile_mid_y() { local top=$(( $(scaled_y "$2" 200) + ($3 - 1) * ($(scaled_y "$2" 70) + $(scaled_y "$2" 10)) )); echo $(( top + $(scaled_y "$2" 70) / 2 )); }

# tile_lit FILE CX CY I: menu tile I outlined white
tile_lit() { is_white "$1" "$(tile_left_x "$2")" "$(tile_mid_y "$2" "$3" "$4")"; }

# menu_tile: the tile the menu's highlight is on (0: none); CX and CY are the screen size
menu_tile() {
  local shot i; shot=$(e2e_shot "menu-$RANDOM")
  for i in 1 2 3 4 5 6 7 8; do is_white "$shot" "$(tile_left_x $CX)" "$(tile_mid_y $CX $CY "$i")" && { echo "$i"; return; }; done
  echo 0
}

# reread_drives: Wine reads drive letters when it starts; after tools/wine-drive.sh, start it again.
reread_drives() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -p >/dev/null 2>&1
  "$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}
# drive_row LETTER: the row of that drive in the browser's drive list (drives in letter order).
drive_row() { ls "$WINEPREFIX/dosdevices" | grep -E '^[a-z]:$' | sort | grep -n "^$1:$" | cut -d: -f1 | awk '{print $1 - 1}'; }
# browser_into LETTER: once a browsing tile was entered, waits for the browser, focuses it and goes
# into drive LETTER. The script says what the browser is: browser_windows (its X windows), bar_on
# FILE ROW (the bar on that row) and caption_drawn FILE (inside a drive).
browser_into() {
  local end=$((SECONDS + 30)) w= i
  while [ -z "$w" ] && [ $SECONDS -lt $end ]; do w=$(browser_windows | head -n 1); sleep 0.2; done
  [ -n "$w" ] || return 1
  e2e_focus "$w"
  e2e_settled_until drives 20 bar_on 0 >/dev/null
  for ((i = 0; i < $(drive_row "$1"); i++)); do e2e_key Down; done
  e2e_shot_until on-drive 20 bar_on "$(drive_row "$1")" >/dev/null
  e2e_key Return
  e2e_settled_until in-drive 20 caption_drawn >/dev/null
}
