#!/usr/bin/env bash
# Nobody answers the prompt: the caption counts down and the launcher ends about 12 s after start.
source "$(dirname "$0")/common.sh"
e2e_setup 1920x1080
start_launcher
appeared=$WIN_SHOWN
# The caption is white text in the lower part of the prompt square.
caption_drawn() { test "$(count_white "$1" 781 666 326 73)" -gt 300; }
shot=$(e2e_shot_until counting 8 caption_drawn)
check "countdown caption drawn" test "$(count_white "$shot" 781 666 326 73)" -gt 300
while [ $((SECONDS - appeared)) -lt 8 ]; do sleep 0.5; done
check "still running at 8 s" e2e_alive
check "ends by itself" e2e_wait_exit 30
elapsed=$(( SECONDS - appeared ))
# Its count starts before the window shows: a late window makes the time seen shorter, a busy
# machine's exit longer.
check "ended about 12 s after its window appeared ($elapsed s)" test "$elapsed" -ge 9 -a "$elapsed" -le 20
e2e_finish
