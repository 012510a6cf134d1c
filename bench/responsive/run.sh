#!/usr/bin/env bash
# The remote always answers: while each scenario runs, stall_probe.exe sends a no-op message to the
# launcher's main window every 10 ms and reports how long the answers took (median, 99th
# percentile, longest), beside the same probe on an idle empty dialog. Figures, not pass/fail.
# Scenarios: start-up to the menu; a program page open 10 s (its clock ticks); Play/Pause on a
# drive of 20,000 songs in 2,000 folders; holding Down 5 s through 500 pictures with the preview
# (some 8000x8000); opening a 12-megapixel picture; holding Right 5 s in the viewer. Then the
# viewer's private memory over a soak of 3,000 steps, and Enter to first sound against its floor.
# usage: bench/responsive/run.sh (after a build; uses build/ or $TESSALY_BUILD)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/env.sh"
"$here/../../tools/setup-prefix.sh"
bin=$TESSALY_BUILD/bin
work=$(mktemp -d "${TMPDIR:-/tmp}/tessaly-responsive.XXXXXX")
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
unset DISPLAY
tessaly_xvfb_start 1920x1080
source "$here/../../tools/pulse.sh"
TESSALY_BUILD=$work tessaly_pulse_start || true
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  tessaly_pulse_stop
  tessaly_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

echo "making the media (20,000 songs as links to one, 500 pictures)..."
bash "$TESSALY_ROOT/launcher/testing/make_media.sh" "$work/media" >/dev/null
mkdir -p "$work/songs"
for ((d = 0; d < 2000; d++)); do
  mkdir -p "$work/songs/album $d"
  for ((f = 0; f < 10; f++)); do ln "$work/media/tone.mp3" "$work/songs/album $d/song $f.mp3"; done
done
mkdir -p "$work/pictures"
convert -size 4000x3000 gradient:'#204080'-'#e0c080' -quality 85 "$work/pictures/000 twelve.jpg"
convert -size 8000x8000 gradient:'#802020'-'#20c0c0' -quality 85 "$work/big.jpg"
convert -size 1280x720 plasma:fractal -quality 85 "$work/mid.jpg"
convert -size 640x480 xc:'#3060a0' "BMP3:$work/small.bmp"
for ((i = 1; i < 500; i++)); do
  case $((i % 10)) in
    0) ln "$work/big.jpg" "$work/pictures/$(printf %03d "$i") big.jpg" ;;
    1|2|3|4) ln "$work/mid.jpg" "$work/pictures/$(printf %03d "$i") mid.jpg" ;;
    *) ln "$work/small.bmp" "$work/pictures/$(printf %03d "$i") small.bmp" ;;
  esac
done
# The soak's folder: 50 pictures of mixed sizes, 5 of them corrupt; one song alone on a drive.
mkdir -p "$work/soak" "$work/song"
head -c 30000 "$work/mid.jpg" >"$work/cut.jpg"
for ((i = 0; i < 50; i++)); do
  case $((i % 10)) in
    3) ln "$work/cut.jpg" "$work/soak/$(printf %02d "$i") cut.jpg" ;;
    0|5) ln "$work/pictures/000 twelve.jpg" "$work/soak/$(printf %02d "$i") twelve.jpg" ;;
    1|2|4|6) ln "$work/mid.jpg" "$work/soak/$(printf %02d "$i") mid.jpg" ;;
    *) ln "$work/small.bmp" "$work/soak/$(printf %02d "$i") small.bmp" ;;
  esac
done
ln "$work/media/tone.mp3" "$work/song/song.mp3"
"$TESSALY_ROOT/tools/wine-drive.sh" s hd "$work/songs"
"$TESSALY_ROOT/tools/wine-drive.sh" p hd "$work/pictures"
"$TESSALY_ROOT/tools/wine-drive.sh" m hd "$work/soak"
"$TESSALY_ROOT/tools/wine-drive.sh" n hd "$work/song"
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -p >/dev/null 2>&1
"$WINE" rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
drive_row() { ls "$WINEPREFIX/dosdevices" | grep -E '^[a-z]:$' | sort | grep -n "^$1:$" | cut -d: -f1 | awk '{print $1 - 1}'; }

# probe EXE SECONDS: the probe's figures, printed when it ends (run it in the background).
probe() { "$WINE" "$bin/stall_probe.exe" "$1" "$2" 2>/dev/null </dev/null | tr -d '\r'; }
window_of() {  # window_of CLASS: waits for a visible window of that class; prints its id
  local end=$((SECONDS + 60)) w
  while [ $SECONDS -lt $end ]; do
    w=$(xdotool search --onlyvisible --classname "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
keys() { xdotool key --delay 150 "$@"; }
# hold KEY SECONDS: the key repeated every 30 ms, as a held remote button repeats.
hold() { local end=$((SECONDS + $2)); while [ $SECONDS -lt $end ]; do xdotool key "$1"; sleep 0.03; done; }
end_launcher() { pkill -f "$bin/Tessaly.exe" >/dev/null 2>&1 || true; while pgrep -f "$bin/Tessaly.exe" >/dev/null; do sleep 0.1; done; }
# launcher_at_menu: a fresh launcher with its prompt answered; leaves W, its window, focused.
launcher_at_menu() {
  "$WINE" "$bin/Tessaly.exe" >/dev/null 2>&1 </dev/null &
  W=$(window_of tessaly.exe)
  sleep 3  # the prompt's first frame and the worker's background
  xdotool mousemove --window "$W" 5 5 windowfocus --sync "$W" >/dev/null 2>&1 || true
  keys Return
  sleep 1
}
# browser_from_menu DOWNS LETTER: the menu entry DOWNS below the first, then drive LETTER's row.
browser_from_menu() {
  local i
  for ((i = 0; i < $1; i++)); do keys Down; done
  keys Return
  sleep 2
  local b; b=$(xdotool search --onlyvisible --classname tessaly.exe 2>/dev/null | tail -n 1)
  xdotool mousemove --window "$b" 5 5 windowfocus --sync "$b" >/dev/null 2>&1 || true
  for ((i = 0; i < $(drive_row "$2"); i++)); do keys Down; done
}

"$WINE" "$bin/empty_dialog.exe" >/dev/null 2>&1 </dev/null &
window_of empty_dialog.exe >/dev/null
echo "idle empty dialog (floor):      $(probe empty_dialog.exe 5)"
pkill -f "$bin/empty_dialog.exe" || true

# during TITLE SECONDS CMD...: the launcher probed for SECONDS while CMD runs (from half a second
# in); prints the figures after TITLE.
during() {
  local title=$1 seconds=$2 p; shift 2
  probe Tessaly.exe "$seconds" >"$work/figures.txt" &
  p=$!
  sleep 0.5
  "$@"
  wait "$p"
  printf '%-32s%s\n' "$title:" "$(cat "$work/figures.txt")"
}

during "start-up to the menu" 8 launcher_at_menu
keys Down Down Down Down Return   # "Game Menu"
during "a program page open 10 s" 10 true
end_launcher

launcher_at_menu
browser_from_menu 1 s              # "Play Music", drive S:
during "Play/Pause on 20,000 songs" 10 keys XF86AudioPlay
end_launcher

launcher_at_menu
browser_from_menu 2 p              # "Browse Pictures", drive P:
keys Return                        # into P:
sleep 1
during "holding Down, preview on" 6 hold Down 5
end_launcher

launcher_at_menu
browser_from_menu 2 p
keys Return Down                   # into P:, onto the 12-megapixel picture
sleep 1
during "opening a 12-megapixel picture" 5 keys Return
during "holding Right in the viewer" 6 hold Right 5
end_launcher

# The viewer's memory: private bytes before it opens, after 3,000 Right/Left steps over the 50
# pictures, and after it closes (KB, as the system reports the commit charge).
private_kb() { "$WINE" "$bin/private_bytes.exe" Tessaly.exe 2>/dev/null </dev/null | tr -d '\r'; }
launcher_at_menu
browser_from_menu 2 m              # "Browse Pictures", drive M:
keys Return Down                   # into M:, onto its first picture
sleep 2
before=$(private_kb)
keys Return
sleep 3
rights=$(printf 'Right %.0s' $(seq 49)) lefts=$(printf 'Left %.0s' $(seq 49))
for ((steps = 0; steps < 3000; steps += 98)); do
  # shellcheck disable=SC2086
  xdotool key --delay 30 $rights $lefts
done
sleep 5
stepped=$(private_kb)
keys Escape
sleep 3
closed=$(private_kb)
printf '%-32s%s\n' "viewer memory (KB):" "before $before, after 3,000 steps $stepped, after closing $closed"
end_launcher

# Enter to first sound: from the key to the first stream the sound server plays, against the same
# file started through the same player by a bare program (player_drive.exe), three times each.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
sounding() { pactl list sink-inputs 2>/dev/null | grep -q "Corked: no"; }
silent() { local end=$((SECONDS + 20)); while sounding && [ $SECONDS -lt $end ]; do sleep 0.1; done; }
# until_sound T0: milliseconds from T0 to the first sound (or "none" after 10 s)
until_sound() {
  local end=$((SECONDS + 10))
  while [ $SECONDS -lt $end ]; do sounding && { echo $(($(now_ms) - $1)); return; }; sleep 0.01; done
  echo none
}
floor=()
for run in 1 2 3; do
  silent
  : >"$work/drive.out"
  "$WINE" "$bin/player_drive.exe" 'url=N:\song.mp3' wait=1500 play wait=3000 stop >"$work/drive.out" 2>/dev/null </dev/null &
  drive=$!
  end=$((SECONDS + 30))
  # It reports each command when done: once the wait before "play" is reported, play starts.
  until grep -aq '^wait=1500' "$work/drive.out" || [ $SECONDS -ge $end ]; do sleep 0.01; done
  if [ $SECONDS -lt $end ]; then floor+=("$(until_sound "$(now_ms)")"); else floor+=(failed); fi
  wait "$drive"
done
launcher_at_menu
browser_from_menu 1 n              # "Play Music", drive N:
keys Return Down                   # into N:, onto the song
sleep 2
ours=()
for run in 1 2 3; do
  silent
  xdotool key Return
  ours+=("$(until_sound "$(now_ms)")")
  sleep 2
  keys Escape                      # stops it; the browser stays
done
end_launcher
printf '%-32s%s\n' "Enter to first sound (ms):" "launcher ${ours[*]} / bare player ${floor[*]}"
