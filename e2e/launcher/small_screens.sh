#!/usr/bin/env bash
# Smaller screens: the launcher still covers the screen; at 1024x768 the tiles use a 3-pixel outline.
source "$(dirname "$0")/common.sh"
for size in 1280x1024 1024x768; do
  cx=${size%x*}; cy=${size#*x}
  e2e_setup "$size"
  start_launcher
  read -r x y w h < <(e2e_geometry "$WIN")
  check "$size: window covers the screen ($x $y $w $h)" test "$x $y $w $h" = "0 0 $cx $cy"
  shot=$(e2e_shot "prompt-$cx")
  right=$((cx - $(scaled_x "$cx" 100))); left=$((right - $(scaled_x "$cx" 600)))
  check "$size: background drawn" not_black "$shot" 20 $((cy - 20))
  check "$size: yellow clock at the upper right" \
    test "$(count_yellow "$shot" "$left" "$(scaled_y "$cy" 90)" $((right - left)) "$(scaled_y "$cy" 50)")" -gt 100
  e2e_key Return
  shot=$(e2e_settled_until "menu-$cx" 20 tile_lit "$cx" "$cy" 1)
  lx=$(tile_left_x "$cx"); my=$(tile_mid_y "$cx" "$cy" 1)
  check "$size: tile 1 outlined white" is_white "$shot" "$lx" "$my"
  check "$size: tile 2 outlined dark" is_dark_outline "$shot" "$lx" "$(tile_mid_y "$cx" "$cy" 2)"
  if [ "$cx" -lt 1280 ]; then
    check "$size: outline is 3 pixels" is_white "$shot" $((lx + 1)) "$my"
    check "$size: and no wider" not_white "$shot" $((lx + 4)) "$my"
  else
    check "$size: outline is 6 pixels" is_white "$shot" $((lx + 4)) "$my"
  fi
  e2e_key Up
  e2e_key Return
  check "$size: Exit ends the launcher" e2e_wait_exit 30
  WINEPREFIX=$E2E_DIR/prefix "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$E2E_DIR/prefix"
  tessaly_xvfb_stop
done
e2e_finish
