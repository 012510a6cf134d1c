#!/usr/bin/env bash
# The media browser from the menu, at 1920x1080 and 1280x1024, over drives made for the test:
# M: a fixed disk with a folder three levels deep and enough files for two pages, N: a fixed disk
# of two pictures, F: a CD-ROM drive without a medium. "Play Video" shows the browser centred at
# its size with the drives and their folder icons; Enter enters a drive, Down and Right move the
# magenta bar and page; three levels down and back restore the bar's row; the empty CD-ROM is not
# entered; Esc closes the browser and the menu answers again; "Browse Pictures" previews the
# highlighted picture in its box, a small one after a large one with nothing of the large left.
source "$(dirname "$0")/common.sh"

count_magenta() { count_pixels "$@" 'r >= 220 && g <= 40 && b >= 220'; }
count_orange() { count_pixels "$@" 'r >= 200 && g >= 120 && g <= 200 && b <= 120'; }
count_red() { count_pixels "$@" 'r >= 220 && g <= 40 && b <= 40'; }
count_blue() { count_pixels "$@" 'r <= 40 && g <= 40 && b >= 220'; }

make_tree() {
  local m=$E2E_DIR/drive-m n=$E2E_DIR/drive-n
  mkdir -p "$m/Deep/L1/L2" "$n"
  for i in $(seq -w 1 15); do : >"$m/clip$i.avi"; done
  : >"$m/Deep/deep.avi"; : >"$m/Deep/L1/one.avi"; : >"$m/Deep/L1/L2/two.avi"; : >"$m/notes.txt"
  convert -size 800x600 xc:'#ff0000' "BMP3:$n/big.bmp"
  convert -size 40x30 xc:'#0000ff' "BMP3:$n/small.bmp"
  "$TESSALY_ROOT/tools/wine-drive.sh" m hd "$m"
  "$TESSALY_ROOT/tools/wine-drive.sh" n hd "$n"
  # A CD-ROM drive whose medium is out: its folder is gone.
  "$TESSALY_ROOT/tools/wine-drive.sh" f cdrom "$E2E_DIR/no-medium"
  rmdir "$E2E_DIR/no-medium"
  # Drive letters are read when Wine starts: start it again.
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -p >/dev/null 2>&1
  "$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
}

# The browser's X window: the visible window of the launcher with the browser's size.
browser_window() {
  local want_w=$1 want_h=$2 end=$((SECONDS + 30)) w
  while [ $SECONDS -lt $end ]; do
    for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
      read -r _ _ ww hh < <(e2e_geometry "$w")
      [ "$ww" = "$want_w" ] && [ "$hh" = "$want_h" ] && { echo "$w"; return 0; }
    done
    sleep 0.2
  done
  return 1
}

scenario() {
  local cx=$1 cy=$2
  e2e_setup "${cx}x${cy}"
  make_tree
  start_launcher
  e2e_key Return  # answer the prompt
  e2e_settled_until "menu-first-$cx" 20 tile_lit "$cx" "$cy" 1 >/dev/null

  local bw=$((cx * 800 / 1280)) bh=$((cy * 600 / 1024))
  local bx=$(((cx - bw) / 2)) by=$(((cy - bh) / 2))
  local pitch=$((cy * 30 / 1024 + cy * 20 / 1024)) rowh=$((cy * 30 / 1024))
  local listw=$((cx * 500 / 1280))
  # Screen position of client point (x, y): one pixel of border.
  local ox=$((bx + 1)) oy=$((by + 1))
  row_top() { echo $((oy + 50 + $1 * pitch)); }
  bar_in_row() { test "$(count_magenta "$1" $((ox + 57)) "$(row_top "$2")" 100 "$rowh")" -gt 20; }
  no_bar_in_row() { test "$(count_magenta "$1" $((ox + 57)) "$(row_top "$2")" 100 "$rowh")" -eq 0; }
  icon_in_row() { test "$(count_orange "$1" $((ox + 10)) "$(row_top "$2")" 27 "$rowh")" -gt 40; }
  caption_white() { count_white "$1" $((ox + 10)) $((oy + 4)) 300 46; }
  # Waits: the bar alone on a row; a drive entered (caption drawn)
  bar_only() { bar_in_row "$1" "$2" && { [ "$2" = 0 ] || no_bar_in_row "$1" 0; }; }
  entered() { test "$(caption_white "$1")" -gt 30; }
  # step KEY ROW NAME: the key, then the bar standing on ROW; prints the shot
  step() { e2e_key "$1"; e2e_settled_until "$3" 20 bar_only "$2"; }

  e2e_key Return  # "Play Video"
  BW=$(browser_window "$bw" "$bh") || { check "browser window at ${bw}x${bh} ($cx x $cy)" false; return; }
  e2e_focus "$BW"
  read -r x y w h < <(e2e_geometry "$BW")
  check "browser centred at its size ($x $y $w $h, $cx x $cy)" test "$x $y $w $h" = "$bx $by $bw $bh"
  local shot
  shot=$(e2e_settled_until "drives-$cx" 20 bar_in_row 0)
  # Drives of the prefix: C:, E:, F:, M:, N:, Z:.
  check "drive rows carry folder icons" icon_in_row "$shot" 0
  check "and the fifth drive too" icon_in_row "$shot" 4
  check "bar on the first drive" bar_in_row "$shot" 0
  check "caption empty at the drive level" test "$(caption_white "$shot")" -lt 5

  # The CD-ROM drive without a medium is not entered.
  e2e_key Down Down
  e2e_shot_until "on-cdrom-$cx" 20 bar_only 2 >/dev/null
  e2e_key Return
  sleep 1  # a drive that must not open gives nothing to wait for
  shot=$(e2e_settled_until "cdrom-$cx" 20)
  check "empty CD-ROM not entered: caption still empty" test "$(caption_white "$shot")" -lt 5
  check "empty CD-ROM not entered: bar stays on it" bar_in_row "$shot" 2

  # M: "..", Deep, 15 clips (notes.txt is not a video): 17 entries, two pages.
  step Down 3 "on-m-$cx" >/dev/null
  e2e_key Return
  shot=$(e2e_settled_until "m-$cx" 20 entered)
  check "M: entered: caption drawn in white" test "$(caption_white "$shot")" -gt 30
  check "M: bar on \"..\"" bar_in_row "$shot" 0
  check "M: \"..\" and Deep carry icons" icon_in_row "$shot" 1
  check "M: the clips do not" test "$(count_orange "$shot" $((ox + 10)) "$(row_top 2)" 27 "$rowh")" -eq 0
  e2e_key Down
  shot=$(step Down 2 "down-$cx")
  check "Down twice: bar on row 2" bar_in_row "$shot" 2
  check "and not on row 0" no_bar_in_row "$shot" 0
  shot=$(step Right 0 "page-$cx")
  check "Right: the next page, bar on its first row" bar_in_row "$shot" 0
  local named=0 i
  for i in 0 1 2 3 4 5 6; do
    [ "$(count_white "$shot" $((ox + 47)) "$(row_top "$i")" "$listw" "$rowh")" -gt 20 ] && named=$((named + 1))
  done
  check "second page has 7 entries ($named rows with a name)" test "$named" = 7
  check "and three blank rows below them" test "$(count_white "$shot" $((ox + 47)) "$(row_top 7)" "$listw" $((3 * pitch)))" -lt 5
  shot=$(step Right 6 "last-$cx")
  check "Right on the last page: the last entry" bar_in_row "$shot" 6
  e2e_key Left
  shot=$(step Left 0 "first-$cx")
  check "Left twice: back to \"..\"" bar_in_row "$shot" 0

  # Three levels down along row 1 and back: each level comes back with its bar on row 1.
  # One level at a time: each shows its bar on row 0 once entered.
  for level in 1 2 3; do
    step Down 1 "deep-down$level-$cx" >/dev/null
    shot=$(step Return 0 "deep-$cx")
  done
  check "three levels down: bar on \"..\"" bar_in_row "$shot" 0
  for level in 3 2 1; do
    if [ "$level" = 3 ]; then e2e_key Left; else step Left 0 "up-left$level-$cx" >/dev/null; fi
    shot=$(step Return 1 "up$level-$cx")
    check "back up to level $((level - 1)): bar on row 1" bar_in_row "$shot" 1
    check "back up to level $((level - 1)): not on row 0" no_bar_in_row "$shot" 0
  done
  step Left 0 "m-top-$cx" >/dev/null
  shot=$(step Return 3 "drives-again-$cx")  # ".." of M: to the drive list, on M:
  check "\"..\" in M:\\ returns to the drives on M:" bar_in_row "$shot" 3

  e2e_key Escape
  browser_gone() {
    test -z "$(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | while read -r w; do
      read -r _ _ ww hh < <(e2e_geometry "$w"); [ "$ww $hh" = "$bw $bh" ] && echo "$w"; done)"
  }
  check "Esc with nothing playing closes the browser" e2e_until 30 browser_gone
  e2e_focus "$WIN"
  e2e_key Down
  shot=$(e2e_shot_until "menu-$cx" 20 tile_lit "$cx" "$cy" 2)
  check "the menu answers again" is_white "$shot" "$(tile_left_x "$cx")" "$(tile_mid_y "$cx" "$cy" 2)"

  # "Browse Pictures": N: holds two pictures; the preview box is at (520, 200), 290 x 200, moved left
  # to end 10 pixels inside a narrower window.
  e2e_key Down Return
  BW=$(browser_window "$bw" "$bh") || { check "picture browser opens" false; return; }
  e2e_focus "$BW"
  e2e_settled_until "pictures-$cx" 20 bar_in_row 0 >/dev/null
  e2e_key Down Down Down
  step Down 4 "on-n-$cx" >/dev/null
  e2e_key Return
  e2e_settled_until "in-n-$cx" 20 entered >/dev/null
  local pleft=$(( bw - 2 - 300 < 520 ? bw - 2 - 300 : 520 ))
  local px=$((ox + pleft)) py=$((oy + 200))
  previewed() { test $(( $(count_red "$1" "$px" "$py" 290 200) + $(count_blue "$1" "$px" "$py" 290 200) )) -gt 0; }
  on_preview() { bar_only "$1" "$2" && previewed "$1"; }
  # shows FILE ROW COLOUR: the bar on ROW and only that colour (red: the large one) in the box
  shows() {
    local r b; r=$(count_red "$1" "$px" "$py" 290 200); b=$(count_blue "$1" "$px" "$py" 290 200)
    bar_only "$1" "$2" && if [ "$3" = red ]; then [ "$r" -gt 0 ] && [ "$b" -eq 0 ]; else [ "$b" -gt 0 ] && [ "$r" -eq 0 ]; fi
  }
  e2e_key Down
  shot=$(e2e_settled_until "preview1-$cx" 20 on_preview 1)
  local red blue
  red=$(count_red "$shot" "$px" "$py" 290 200)
  blue=$(count_blue "$shot" "$px" "$py" 290 200)
  check "first picture previewed in its box (red $red, blue $blue)" test $((red + blue)) -gt 1000
  # The order on disk decides which comes first: show the large one, then the small one.
  local small_first=0
  if [ "$red" -lt "$blue" ]; then
    small_first=1
    e2e_key Down
    shot=$(e2e_settled_until "preview2-$cx" 20 shows 2 red)
    red=$(count_red "$shot" "$px" "$py" 290 200)
  fi
  check "large picture squeezed into the whole box (red $red)" test "$red" -ge $((290 * 200))
  check "the box ends inside the window" test $((pleft + 290)) -le $((bw - 2))
  if [ "$small_first" = 1 ]; then e2e_key Up; else e2e_key Down; fi
  shot=$(e2e_settled_until "preview3-$cx" 20 shows $((small_first ? 1 : 2)) blue)
  red=$(count_red "$shot" "$px" "$py" 290 200)
  blue=$(count_blue "$shot" "$px" "$py" 290 200)
  check "small picture previewed at its size (blue $blue)" test "$blue" -gt 1000 -a "$blue" -le 1200
  check "nothing of the large picture left (red $red)" test "$red" -eq 0
  e2e_key Escape
  check "one Esc closes the picture browser" e2e_until 30 browser_gone
  check "the launcher runs on" e2e_alive
}

for size in 1920x1080 1280x1024; do
  scenario "${size%x*}" "${size#*x}"
  WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$E2E_DIR/prefix" "$E2E_DIR/drive-m" "$E2E_DIR/drive-n"
  tessaly_xvfb_stop
done
e2e_finish
