#!/usr/bin/env bash
# The launcher at the four screen sizes of the guide's pictures: 1024x768, 1280x1024, 1920x1080 and
# 3840x2160. For each: the window covers the screen; the menu's last tile and the clock stand whole
# inside it; the browser stands inside the screen, its rows' text no smaller than a 12-pixel font
# (capitals at least 8 pixels tall), and a large picture's preview fills its whole box inside the
# browser's client area, nothing of it on the window's last columns.
source "$(dirname "$0")/common.sh"

count_red() { count_pixels "$@" 'r >= 220 && g <= 40 && b <= 40'; }
count_magenta() { count_pixels "$@" 'r >= 220 && g <= 40 && b >= 220'; }
# ink_rows FILE X Y W H: how many pixel rows of the box hold white text
ink_rows() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- |
    sed -nE 's/^[0-9]+,([0-9]+): *\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3 \4/p' |
    awk '$2 >= 200 && $3 >= 200 && $4 >= 200 { rows[$1] = 1 } END { print length(rows) }'
}

scenario() {
  local cx=$1 cy=$2 size="$1x$2"
  e2e_setup "$size"
  local pics=$E2E_DIR/pics
  mkdir -p "$pics"
  convert -size 900x700 xc:'#ff0000' "BMP3:$pics/big.bmp"
  "$TESSALY_ROOT/tools/wine-drive.sh" n hd "$pics"
  reread_drives
  start_launcher
  read -r x y w h < <(e2e_geometry "$WIN")
  check "$size: the window covers the screen ($x $y $w $h)" test "$x $y $w $h" = "0 0 $cx $cy"
  local shot
  shot=$(e2e_shot "prompt-$cx")
  local right left
  right=$((cx - $(scaled_x "$cx" 100))); left=$((right - $(scaled_x "$cx" 600)))
  check "$size: the clock stands inside the screen" \
    test "$(count_yellow "$shot" "$left" "$(scaled_y "$cy" 90)" $((right - left)) "$(scaled_y "$cy" 50)")" -gt 100
  e2e_key Return
  e2e_settled_until "menu-$cx" 20 tile_lit "$cx" "$cy" 1 >/dev/null
  e2e_key Up  # onto the last tile
  shot=$(e2e_settled_until "last-$cx" 20 tile_lit "$cx" "$cy" 8)
  local bottom=$(( $(scaled_y "$cy" 200) + 7 * ($(scaled_y "$cy" 70) + $(scaled_y "$cy" 10)) + $(scaled_y "$cy" 70) ))
  check "$size: the last tile lit and whole inside the screen (bottom $bottom)" \
    test "$bottom" -lt "$cy" -a -n "$(tile_lit "$shot" "$cx" "$cy" 8 && echo y)"

  # "Browse Pictures" (Down Down Down from the last tile), into N:, onto the picture.
  e2e_key Down Down Down Return
  local bw=$((cx * 800 / 1280)) bh=$((cy * 600 / 1024)) bwin= end=$((SECONDS + 30)) ww hh
  while [ -z "$bwin" ] && [ $SECONDS -lt $end ]; do
    for w in $(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null); do
      read -r _ _ ww hh < <(e2e_geometry "$w"); [ "$ww $hh" = "$bw $bh" ] && bwin=$w
    done
    sleep 0.2
  done
  [ -n "$bwin" ] || { check "$size: the browser opens" false; return; }
  e2e_focus "$bwin"
  read -r x y w h < <(e2e_geometry "$bwin")
  check "$size: the browser stands inside the screen ($x $y $w $h)" \
    test "$x" -ge 0 -a "$y" -ge 0 -a $((x + w)) -le "$cx" -a $((y + h)) -le "$cy"
  local ox=$((x + 1)) oy=$((y + 1)) rowh pitch
  rowh=$(scaled_y "$cy" 30); pitch=$((rowh + $(scaled_y "$cy" 20)))
  bar_on() { test "$(count_magenta "$1" $((ox + 57)) $((oy + 50 + $2 * pitch)) 100 "$rowh")" -gt 20; }
  shot=$(e2e_settled_until "drives-$cx" 20 bar_on 0)
  local ink; ink=$(ink_rows "$shot" $((ox + 47)) $((oy + 50)) 150 "$rowh")
  check "$size: the rows' text is readable (capitals $ink pixels tall, at least 8)" test "$ink" -ge 8
  local row i; row=$(drive_row n)
  for ((i = 0; i < row; i++)); do e2e_key Down; done
  e2e_shot_until "on-n-$cx" 20 bar_on "$row" >/dev/null
  e2e_key Return Down
  previewed() { test "$(count_red "$1" "$ox" "$oy" $((w - 2)) $((h - 2)))" -gt 1000; }
  shot=$(e2e_settled_until "preview-$cx" 30 previewed)
  local red edge boxw=$(( w - 2 - 20 < 290 ? w - 2 - 20 : 290 ))
  red=$(count_red "$shot" "$ox" "$oy" $((w - 2)) $((h - 2)))
  edge=$(count_red "$shot" $((ox + w - 2 - 5)) "$oy" 5 $((h - 2)))
  check "$size: the preview fills its whole box ($red of $((boxw * 200)) pixels)" test "$red" -ge $((boxw * 200))
  check "$size: and stays inside the client area (red on its last columns: $edge)" test "$edge" -eq 0
  check "$size: the launcher runs on" e2e_alive
}

for size in ${SIZES:-1024x768 1280x1024 1920x1080 3840x2160}; do
  scenario "${size%x*}" "${size#*x}"
  WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$E2E_DIR/prefix" "$E2E_DIR/pics"
  tessaly_xvfb_stop
done
e2e_finish
