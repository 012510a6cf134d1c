#!/usr/bin/env bash
# The launcher at 1920x1080: covers the screen, shows the prompt and the clock, Enter opens the
# menu, arrows move the white outline with wrap-around, Escape does nothing, a second copy ends
# silently, Enter on "Exit" ends the launcher, and a later start works again.
source "$(dirname "$0")/common.sh"
e2e_setup 1920x1080
start_launcher
# The prompt closes the launcher after its countdown: on a slow machine the judging would eat it,
# so the screens are taken first, the prompt answered, and the pictures judged afterwards.
prompt_shot=$(e2e_shot prompt)

# Alt+K before the prompt is answered: nothing happens, the prompt stays. The countdown caption
# redrawn after the key shows the key was read (input comes before timers).
caption=326x73+781+666
e2e_key alt+k
ticked() { [ "$(e2e_sum "$1" $caption)" != "$before" ]; }
before=$(e2e_sum "$(e2e_shot before-tick)" $caption)
alt_k_shot=$(e2e_shot_until alt-k 10 ticked)
check "and the launcher runs on after Alt+K" e2e_alive
e2e_key Return
shot=$(e2e_settled_until menu 20 tile_lit 1920 1080 1)

read -r x y w h < <(e2e_geometry "$WIN")
check "window covers the screen ($x $y $w $h)" test "$x $y $w $h" = "0 0 1920 1080"
check "background drawn" not_black "$prompt_shot" 60 900
check "clock drawn in yellow at the upper right" test "$(count_yellow "$prompt_shot" 1220 94 600 52)" -gt 200
check "prompt shown, no tile yet" is_dark_outline "$prompt_shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
check "Alt+K before the prompt is answered changes nothing" \
  test "$(count_white "$alt_k_shot" 781 666 326 73)" -gt 300 -a "$(count_white "$alt_k_shot" 100 210 400 600)" -lt 50
check "tile 1 outlined white" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
for i in 2 3 4 5 6 7 8; do
  check "tile $i outlined dark" is_dark_outline "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 $i)"
done
check "6-pixel outline" is_white "$shot" $(( $(tile_left_x 1920) + 4 )) "$(tile_mid_y 1920 1080 1)"

# A second copy while the first runs: no window of its own, it ends, the first one lives on. (After
# the prompt is answered: on a slow machine its start would otherwise eat the prompt's countdown.)
first=$E2E_PID
e2e_start Tessaly.exe
check "second copy ends by itself" e2e_wait_exit 30
check "only one launcher window" test "$(xdotool search --onlyvisible --classname tessaly.exe | wc -l)" -le 2
E2E_PID=$first
check "first copy undisturbed" e2e_alive

e2e_key Up
shot=$(e2e_shot_until up 20 tile_lit 1920 1080 8)
check "Up on tile 1 highlights tile 8" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 8)"
check "tile 1 dark again" is_dark_outline "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 1)"
e2e_key Down
e2e_key Down
shot=$(e2e_shot_until down 20 tile_lit 1920 1080 2)
check "Down on 8 wraps to 1, then 2" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 2)"

# A Down after it answering shows the Escape was read.
e2e_key Escape
e2e_key Down
e2e_shot_until after-escape 20 tile_lit 1920 1080 3 >/dev/null
check "Escape does nothing" e2e_alive

# Down six times from 2 lands on 8 ("Exit"); Enter ends the launcher.
for _ in 2 3 4 5 6; do e2e_key Down; done
shot=$(e2e_shot_until exit-selected 20 tile_lit 1920 1080 8)
check "Exit highlighted" is_white "$shot" "$(tile_left_x 1920)" "$(tile_mid_y 1920 1080 8)"
e2e_key Return
check "Enter on Exit ends the launcher" e2e_wait_exit 30

# Started again after the first copy has ended: works, and a press on a tile runs it at once.
start_launcher
e2e_key Return
e2e_settled_until menu-again 20 tile_lit 1920 1080 1 >/dev/null
xdotool mousemove "$(( $(tile_left_x 1920) + 100 ))" "$(tile_mid_y 1920 1080 8)" mousedown 1
check "a press on Exit ends the launcher without a release" e2e_wait_exit 30
xdotool mouseup 1 || true
e2e_finish
