#!/usr/bin/env bash
# Vantosd under a user's keys and a remote's application commands: the volume bar and the key
# pictures in the top-right box, the box's two seconds, one copy per desktop, the autostart value,
# and the mixer on an older Windows.
source "$TESSALY_ROOT/e2e/lib.sh"
WIDTH=1280
e2e_setup ${WIDTH}x1024
ART=$TESSALY_ROOT/osd/art
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# The older-Windows part needs a sound server for Wine's mixer; bring our own when the runner has none.
OWN_PULSE=
if [ -z "${PULSE_SERVER:-}" ]; then
  source "$TESSALY_ROOT/tools/pulse.sh"
  TESSALY_BUILD=$E2E_DIR tessaly_pulse_start && OWN_PULSE=1
fi
finish_all() { e2e_cleanup; [ -z "$OWN_PULSE" ] || tessaly_pulse_stop; }
trap finish_all EXIT

run_value() {
  "$WINE" reg query "$RUN_KEY" /v Vantosd 2>/dev/null </dev/null | tr -d '\r' |
    sed -n 's/^ *Vantosd *REG_SZ *//p'
}
wait_run_value() {  # wait_run_value PATH: the program has stored PATH, quoted (its start-up is done)
  local end=$((SECONDS + 20))
  while [ $SECONDS -lt $end ]; do [ "$(run_value)" = "\"$1\"" ] && return 0; sleep 0.3; done
  return 1
}
visible_osd() { xdotool search --onlyvisible --classname vantosd.exe 2>/dev/null || true; }
box_shown() { [ -n "$(visible_osd)" ]; }
wait_shown() {  # within $1 seconds
  local end=$(($(date +%s%N) + ${1:-2} * 1000000000))
  while [ "$(date +%s%N)" -lt $end ]; do box_shown && return 0; sleep 0.05; done
  return 1
}
now_ns() { date +%s%N; }
# hidden_after START_NS: waits (at most 6 s) until the box is gone; prints the seconds since START_NS
hidden_after() {
  local now
  while box_shown; do
    now=$(now_ns)
    [ $((now - $1)) -gt 6000000000 ] && break
    sleep 0.05
  done
  now=$(now_ns)
  awk -v a="$1" -v b="$now" 'BEGIN { printf "%.2f\n", (b - a) / 1e9 }'
}
between() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }

box_crop() {  # box_crop NAME: the box's 183x52 pixels from a screenshot; prints the file
  local shot; shot=$(e2e_shot "$1")
  convert "$shot" -crop "183x52+$((WIDTH - 250))+50" +repage "$E2E_DIR/$1-box.png"
  echo "$E2E_DIR/$1-box.png"
}
bar_in() {  # bar_in CROP: the bar bitmap a box crop shows exactly, or "none"
  local crop=$1 id ae
  for id in $(seq 129 150); do
    ae=$(compare -metric AE "$crop" "$ART/$id.bmp" null: 2>&1 || true)
    [ "$ae" = "0" ] && { echo "$id"; return; }
  done
  echo none
}
picture_on_screen() {  # the key picture nearest to the box's inside (the picture is scaled into it)
  local crop id err best=none bestErr=1
  crop=$(box_crop "pic-$RANDOM")
  convert "$crop" -crop 181x50+1+1 +repage "$crop"
  for f in "$ART"/*.jpg; do
    id=$(basename "$f" .jpg)
    err=$(convert "$f" -resize '181x50!' png:- | compare -metric RMSE "$crop" - null: 2>&1 | sed -E 's/.*\((.*)\)/\1/' || true)
    if awk -v e="$err" -v b="$bestErr" 'BEGIN { exit !(e < b) }'; then best=$id; bestErr=$err; fi
  done
  awk -v e="$bestErr" 'BEGIN { exit !(e < 0.08) }' && echo "$best" || echo none
}
bar_on_screen() { bar_in "$(box_crop "bar-$RANDOM")"; }
wait_hidden() { hidden_after "$(now_ns)" >/dev/null; ! box_shown; }
key() { xdotool key "$@"; }

# Every top-level X window mapped from here on, however briefly: a window that shows and hides
# again at once is missed by any look at the screen, but not here.
xev -root -event substructure >"$E2E_DIR/maps.log" 2>&1 &
MAPS=$!
mapped_osd_windows() {  # Vantosd's X windows mapped since the watch began, one decimal id a line
  local w
  for w in $(awk '/^MapNotify/ { getline; for (i = 1; i < NF; i++) if ($i == "window") { v = $(i + 1); sub(",", "", v); print v } }' \
               "$E2E_DIR/maps.log" | sort -u); do
    xprop -id "$w" WM_CLASS 2>/dev/null | grep -qi '"vantosd.exe"' && printf '%d\n' "$w"
  done
}

# A visible window of Wine's to hold the X focus, as a user's program in front would.
"$WINE" notepad >/dev/null 2>&1 </dev/null &
FRONT=$(e2e_window notepad.exe 40)
e2e_start Vantosd.exe
OSD=$E2E_PID
BIN_PATH=$("$WINE" winepath -w "$E2E_BIN/Vantosd.exe" 2>/dev/null </dev/null | tr -d '\r')
check "the autostart value holds the program's path after its start" wait_run_value "$BIN_PATH"
e2e_focus "$FRONT"

# A second copy ends at once and shows nothing; the first runs on.
e2e_start Vantosd.exe
check "a second start exits at once" e2e_wait_exit 8
check "the second start showed no window" test -z "$(visible_osd)"
check "the first copy still runs" kill -0 "$OSD"

# until SECONDS CMD...: polls CMD until it succeeds or the time is up.
until_ok() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done
}
# bar_becomes ID: the box shows bar ID within a few seconds (the display is drawn after the key).
bar_becomes() { local id=$1 end=$((SECONDS + 5)); until [ "$(bar_on_screen)" = "$id" ]; do [ $SECONDS -lt $end ] || return 1; done; }
at_its_place() { test "$(e2e_geometry "$(visible_osd | head -n 1)")" = "$((WIDTH - 250)) 50 183 52"; }
some_bar() { [ "$(bar_on_screen)" != none ]; }

# Volume up: the bar for the new level in the box at the top right.
key XF86AudioRaiseVolume
check "volume up shows the box" wait_shown 5
BOX=$(visible_osd | head -n 1)
check "the main window never shows (only the box was ever mapped)" test "$(mapped_osd_windows)" = "$BOX"
check "the box sits at (width - 250, 50) and is 183 x 52" until_ok 5 at_its_place
until_ok 5 some_bar || true
FIRST=$(bar_on_screen)
check "the box shows a volume bar" test "$FIRST" != none
[ "$FIRST" = none ] && FIRST=1
key XF86AudioRaiseVolume
bar_becomes "$((FIRST - 1))" || true
SECOND=$(bar_on_screen)
echo "bars: $FIRST then $SECOND"
check "the next volume up lights one more segment" test "$SECOND" = "$((FIRST - 1))"
key XF86AudioLowerVolume
LAST=$(now_ns)
check "volume down takes the segment back" bar_becomes "$FIRST"
T=$(hidden_after "$LAST")
echo "hidden ${T}s after the last key"
check "the box hides about two seconds after the last key" between "$T" 1.5 3.2
check "the program in front kept the focus" test "$(xdotool getwindowfocus)" = "$FRONT"

# Holding the key keeps the box up (key repeats every second here).
for _ in 1 2 3; do key XF86AudioLowerVolume; LAST=$(now_ns); sleep 1; done
check "repeated volume keys keep the box up past two seconds" box_shown
T=$(hidden_after "$LAST")
check "and it hides about two seconds after the last one" between "$T" 1.5 3.2

# Picture keys.
expect_picture() {  # expect_picture WHAT ID KEYS...
  local what=$1 id=$2; shift 2
  key "$@"
  local end=$((SECONDS + 5))
  # The box may still show the previous picture for a moment: wait for this one.
  until [ "$(picture_on_screen)" = "$id" ]; do [ $SECONDS -lt $end ] || break; done
  check "$what shows picture $id" test "$(picture_on_screen)" = "$id"
}
expect_picture "Ctrl+M" 190 ctrl+m
expect_picture "Ctrl+Shift+M" 185 ctrl+shift+m
expect_picture "Ctrl+I" 191 ctrl+i
expect_picture "Ctrl+Shift+F" 187 ctrl+shift+f
expect_picture "play/pause" 192 XF86AudioPlay
expect_picture "next track" 195 XF86AudioNext
expect_picture "stop" 196 XF86AudioStop
expect_picture "browser back" 183 XF86Back
wait_hidden
# By keycode (Control_R on the server's keymap): xdotool adds Control_L to a Control_R keysym.
xdotool keydown 105 key m keyup 105
sleep 0.8  # nothing to wait for when nothing should happen: the box would be up by now
check "the right Control key with M shows nothing" test -z "$(visible_osd)"
wait_hidden
key shift+m
sleep 0.8  # as above
check "Shift+M alone shows nothing" test -z "$(visible_osd)"
wait_hidden

# A picture key, then a volume key within the two seconds: the bar, gone two seconds after it.
key XF86AudioPlay
PIC=$(now_ns)
sleep 1.2  # the pace of the user's keys: the volume key comes while the picture is up
key XF86AudioRaiseVolume
LAST=$(now_ns)
bar_after_picture() { CROP=$(box_crop "after-picture-$RANDOM"); [ "$(bar_in "$CROP")" != none ]; }
until_ok 5 bar_after_picture || true
# Two seconds and a bit after the picture key, well inside two seconds of the volume key.
while [ $(($(now_ns) - PIC)) -lt 2300000000 ]; do sleep 0.05; done
check "the box is still up two seconds after the picture key" box_shown
T=$(hidden_after "$LAST")
check "it hides about two seconds after the volume key" between "$T" 1.5 3.2
check "a volume key after a picture key shows the bar" test "$(bar_in "$CROP")" != none

# A remote that sends application commands instead of keys: they reach the program in front, which
# leaves them to the system; the box shows what the keys show.
appcommand() { "$WINE" "$E2E_BIN/remote_send.exe" command "$1" >/dev/null 2>&1 </dev/null; }
wait_hidden
appcommand 10  # APPCOMMAND_VOLUME_UP
check "APPCOMMAND_VOLUME_UP to the program in front shows the box" wait_shown 5
check "  ... with a volume bar" until_ok 5 some_bar
check "  ... and the program in front keeps the focus" test "$(xdotool getwindowfocus)" = "$FRONT"
wait_hidden
appcommand 14  # APPCOMMAND_MEDIA_PLAY_PAUSE
picture_is() { [ "$(picture_on_screen)" = "$1" ]; }
check "APPCOMMAND_MEDIA_PLAY_PAUSE shows the play/pause picture" until_ok 5 picture_is 192
wait_hidden

# Another start from another folder stores that path.
kill "$OSD"; wait "$OSD" 2>/dev/null || true
mkdir -p "$E2E_DIR/moved"
cp "$E2E_BIN/Vantosd.exe" "$E2E_DIR/moved/Vantosd.exe"
MOVED_PATH=$("$WINE" winepath -w "$E2E_DIR/moved/Vantosd.exe" 2>/dev/null </dev/null | tr -d '\r')
"$WINE" "$E2E_DIR/moved/Vantosd.exe" >"$E2E_DIR/moved.out" 2>&1 </dev/null &
MOVED=$!
check "the autostart value follows the program to its new folder" wait_run_value "$MOVED_PATH"
kill "$MOVED"; wait "$MOVED" 2>/dev/null || true

# An older Windows: the volume keys step the mixer's master volume by five percent. Wine keeps
# that volume per process, so it is read from the sound system's record of what the mixer set.
"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\Vantosd.exe' /v Version /t REG_SZ /d winxp /f \
  >/dev/null 2>&1 </dev/null
"$WINE" reg delete "$RUN_KEY" /v Vantosd /f >/dev/null 2>&1 </dev/null || true
WINEDEBUG=+pulse e2e_start Vantosd.exe
check "the program starts on the older Windows" wait_run_value "$BIN_PATH"
e2e_focus "$FRONT"
mixer_levels() {
  sed -n 's/.*SimpleAudioVolume_SetMasterVolume ([0-9A-Fa-f]*)->(\([0-9.]*\),.*/\1/p' \
    "$E2E_DIR/Vantosd.exe.out" | awk '{ printf "%d ", $1 * 100 + 0.5 }'
}
mixer_steps_at_least() { [ "$(mixer_levels | wc -w)" -ge "$1" ]; }
n=0
for k in XF86AudioLowerVolume XF86AudioLowerVolume XF86AudioLowerVolume XF86AudioRaiseVolume XF86AudioRaiseVolume; do
  key "$k"
  n=$((n + 1))
  # The next key only once this one reached the mixer (a key during a display is dropped).
  until_ok 10 mixer_steps_at_least "$n" || true
done
LEVELS=$(mixer_levels)
echo "mixer master volume per key: $LEVELS"
check "each volume key steps the mixer by five percent" test "$LEVELS" = "95 90 85 90 95 "
check "the bar follows the mixer" bar_becomes 132

kill "$MAPS" 2>/dev/null || true
e2e_finish
