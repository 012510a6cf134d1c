#!/usr/bin/env bash
# Nobody answers the prompt: the caption counts down and the launcher ends about 12 s after start.
source "$(dirname "$0")/common.sh"
e2e_setup 1920x1080
start_launcher
appeared=$SECONDS
sleep 3
shot=$(e2e_shot counting)
# The caption is white text in the lower part of the prompt square.
check "countdown caption drawn" test "$(count_white "$shot" 781 666 326 73)" -gt 300
while [ $((SECONDS - appeared)) -lt 8 ]; do sleep 0.5; done
check "still running at 8 s" e2e_alive
check "ends by itself" e2e_wait_exit 15
elapsed=$(( SECONDS - appeared ))
check "ended about 12 s after its window appeared ($elapsed s)" test "$elapsed" -ge 10 -a "$elapsed" -le 16
e2e_finish
