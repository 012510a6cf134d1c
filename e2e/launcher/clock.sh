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
pactl subscribe >"$E2E_DIR/streams.log" 2>/dev/null &
sub=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool key Down; sleep 0.3; done
sleep 1
kill "$sub" 2>/dev/null || true
check "no click stream without ding.wav" test "$(grep -c "'new' on sink-input" "$E2E_DIR/streams.log" || true)" -eq 0
check "clicks without ding.wav: still running" e2e_alive
shot=$(e2e_shot after-moves)
check "moves still move the outline (10 downs from 1 is 3)" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 3)"

# The clock line changes when the minute does.
before=$(e2e_shot clock-before)
convert "$before" -crop 600x52+1220+94 "$E2E_DIR/c1.png"
wait=$(( 61 - $(date +%S | sed 's/^0//') ))
sleep "$wait"
sleep 1.5
after=$(e2e_shot clock-after)
convert "$after" -crop 600x52+1220+94 "$E2E_DIR/c2.png"
diff=$(compare -metric AE "$E2E_DIR/c1.png" "$E2E_DIR/c2.png" null: 2>&1 || true)
check "clock changed with the minute ($diff pixels)" test "${diff%% *}" -gt 20
check "clock still yellow" test "$(count_yellow "$after" 1220 94 600 52)" -gt 200
e2e_finish
