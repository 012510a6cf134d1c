#!/usr/bin/env bash
# Without ding.wav beside it the launcher works the same (silent clicks); the clock follows the
# minute.
source "$(dirname "$0")/common.sh"
e2e_setup 1920x1080
mkdir -p "$E2E_DIR/app"
cp "$E2E_BIN"/*.exe "$E2E_DIR/app/"
cp "$E2E_BIN"/*.dll "$E2E_DIR/app/" 2>/dev/null || true
E2E_BIN=$E2E_DIR/app
start_launcher
e2e_key Return
e2e_settled_until menu 20 tile_lit 1920 1080 1 >/dev/null
pactl subscribe >"$E2E_DIR/streams.log" 2>/dev/null &
sub=$!
# Moves 0.3 s apart: slow enough that each would click.
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool key Down; sleep 0.3; done
e2e_shot_until moved 20 tile_lit 1920 1080 3 >/dev/null
sleep 1  # a click stream the last move opened would reach the log by then; none must come
kill "$sub" 2>/dev/null || true
check "no click stream without ding.wav" test "$(grep -c "'new' on sink-input" "$E2E_DIR/streams.log" || true)" -eq 0
check "clicks without ding.wav: still running" e2e_alive
shot=$(e2e_shot_until after-moves 20 tile_lit 1920 1080 3)
check "moves still move the outline (10 downs from 1 is 3)" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 3)"

# The clock line changes when the minute does.
before=$(e2e_shot clock-before)
convert "$before" -crop 600x52+1220+94 "$E2E_DIR/c1.png"
# Shots until the line differs, to ten seconds past the next minute.
clock_diff() {
  convert "$1" -crop 600x52+1220+94 "$E2E_DIR/c2.png"
  diff=$(compare -metric AE "$E2E_DIR/c1.png" "$E2E_DIR/c2.png" null: 2>&1 || true)
  echo "$diff" >"$E2E_DIR/c.diff"
  test "${diff%% *}" -gt 20
}
wait=$(( 61 - $(date +%S | sed 's/^0//') ))
after=$(e2e_shot_until clock-after $((wait + 10)) clock_diff)
clock_diff "$after" || true
diff=$(cat "$E2E_DIR/c.diff")
check "clock changed with the minute ($diff pixels)" test "${diff%% *}" -gt 20
check "clock still yellow" test "$(count_yellow "$after" 1220 94 600 52)" -gt 200
e2e_finish
