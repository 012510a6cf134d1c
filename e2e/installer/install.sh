#!/usr/bin/env bash
# The 64-bit installer on a fresh prefix: a silent install into a chosen folder puts the files,
# the Run value, the Start-menu entry and the Add/Remove entry in place without starting Vantosd;
# installing again while Vantosd runs replaces it in the same folder; installing through the
# pages starts Vantosd at the end; the launcher starts from there and shows its prompt; a silent
# uninstall with Vantosd running leaves only the user's groups.
source "$TESSALY_ROOT/e2e/launcher/common.sh"
e2e_setup 1920x1080

dist=$E2E_DIR/dist
bash "$TESSALY_ROOT/installer/build.sh" "$dist" "$TESSALY_BUILD" >"$E2E_DIR/dist.log" 2>&1 ||
  { cat "$E2E_DIR/dist.log"; echo "FAILED: installer build"; exit 1; }
setup=$(ls "$dist"/Tessaly-*-x64-setup.exe)
version=$(basename "$setup" | sed -E 's/^Tessaly-(.*)-x64-setup\.exe$/\1/')

run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
user_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly'
group_key='HKCU\Software\Tessaly\group5'
dir=$WINEPREFIX/drive_c/Apps/Tessaly
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessaly.lnk"

# reg_value KEY NAME: the value's data, nothing when there is none.
reg_value() {
  "$WINE" reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
    sed -nE "s/^ +$2 +REG_[A-Z_]+ +(.*)$/\1/p"
}
# Vantosd processes of this prefix (other tests may run their own).
vantosd_running() {
  local pid
  for pid in $(pgrep -f 'Vantosd\.exe' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
vantosd_gone() { ! vantosd_running; }
# Vantosd writes its quoted path to the Run value once its start-up is done (it leaves a right
# value alone, so the value goes first: its return shows the start).
vantosd_started() { [ "$(reg_value "$run_key" Vantosd)" = '"C:\Apps\Tessaly\Vantosd.exe"' ]; }
start_vantosd() {
  "$WINE" reg delete "$run_key" /v Vantosd /f >/dev/null 2>&1 </dev/null || true
  "$WINE" "$dir/Vantosd.exe" >/dev/null 2>&1 </dev/null &
  e2e_until 30 vantosd_running && e2e_until 30 vantosd_started
}

# The user's groups from an earlier copy: theirs, kept by everything below.
"$WINE" reg add "$group_key" /v Notes /d 'C:\windows\notepad.exe' /f >/dev/null 2>&1 </dev/null

# A silent install into a chosen folder.
rc=0
"$WINE" "$setup" /S '/D=C:\Apps\Tessaly' </dev/null >/dev/null 2>&1 || rc=$?
check "silent install succeeds" test $rc -eq 0
for f in Tessaly.exe Vantosd.exe VantosdHook.dll Sonorel.dll ding.wav uninstall.exe; do
  check "$f in the chosen folder" test -s "$dir/$f"
done
has_version() { python3 -c 'import sys; sys.exit("OriginalFilename".encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$1"; }
for f in Tessaly.exe Vantosd.exe Sonorel.dll; do check "$f carries a version" has_version "$dir/$f"; done
check "stripped binaries installed" cmp -s "$dir/Vantosd.exe" "$dist/stage-x64/Tessaly/Vantosd.exe"
check "Run value names the installed Vantosd" test "$(reg_value "$run_key" Vantosd)" = '"C:\Apps\Tessaly\Vantosd.exe"'
check "Start-menu entry" test -s "$shortcut"
check "Add/Remove name" test "$(reg_value "$uninstall_key" DisplayName)" = Tessaly
check "Add/Remove version $version" test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
check "Add/Remove publisher" test -n "$(reg_value "$uninstall_key" Publisher)"
check "Add/Remove location" test "$(reg_value "$uninstall_key" InstallLocation)" = 'C:\Apps\Tessaly'
check "Add/Remove uninstall command" \
  test "$(reg_value "$uninstall_key" UninstallString)" = '"C:\Apps\Tessaly\uninstall.exe"'
size=$(reg_value "$uninstall_key" EstimatedSize)
check "Add/Remove size in KB ($size)" test $((size)) -ge 1000 -a $((size)) -le 20000
check "a silent install does not start Vantosd" vantosd_gone

# Installing again while the installed Vantosd and launcher run: both are stopped and replaced, in
# the same folder.
check "installed Vantosd starts" start_vantosd
"$WINE" "$dir/Tessaly.exe" >/dev/null 2>&1 </dev/null &
launcher_pid=$!
check "installed launcher starts" e2e_until 40 e2e_window tessaly.exe 1
touch -d '2001-01-01' "$dir/Vantosd.exe" "$dir/Tessaly.exe"
rc=0
"$WINE" "$setup" /S </dev/null >/dev/null 2>&1 || rc=$?
check "reinstall over a running Vantosd succeeds" test $rc -eq 0
check "Vantosd stopped by the installer" vantosd_gone
check "Vantosd.exe replaced" test "$(stat -c %Y "$dir/Vantosd.exe")" -gt "$(date -d 2002-01-01 +%s)"
# At once: left alone, the launcher would end by itself when its prompt's countdown runs out.
check "the running launcher closed by the installer" bash -c "! kill -0 $launcher_pid 2>/dev/null"
check "Tessaly.exe replaced" test "$(stat -c %Y "$dir/Tessaly.exe")" -gt "$(date -d 2002-01-01 +%s)"
check "reinstall stays in the installed folder" test ! -e "$WINEPREFIX/drive_c/Program Files/Tessaly"

# Installing with its pages, Enter on each: Vantosd runs at the end.
"$WINE" "$setup" </dev/null >/dev/null 2>&1 &
setup_pid=$!
page=$(e2e_window "$(basename "$setup" | tr 'A-Z' 'a-z')" 30) || page=
check "installer pages shown" test -n "$page"
end=$((SECONDS + 90))
while kill -0 "$setup_pid" 2>/dev/null && [ $SECONDS -lt $end ]; do
  [ -n "$page" ] && { e2e_focus "$page"; xdotool key Return 2>/dev/null || true; }
  sleep 1  # Enter once a second until the installer has ended
done
check "installer ends after Install and Close" test ! -d "/proc/$setup_pid"
check "an installer with pages starts Vantosd at the end" e2e_until 30 vantosd_running

# The launcher from the installed folder: its window and its prompt.
E2E_BIN=$dir
start_launcher
prompt_drawn() { [ "$(count_white "$1" 781 666 326 73)" -gt 300 ]; }
shot=$(e2e_shot_until installed-prompt 20 prompt_drawn)
check "installed launcher draws its background" not_black "$shot" 60 900
check "installed launcher shows its prompt" test "$(count_white "$shot" 781 666 326 73)" -gt 300
kill "$E2E_PID" 2>/dev/null || true
wait "$E2E_PID" 2>/dev/null || true

# A silent uninstall with Vantosd running (the one the installer started): everything but the
# user's groups goes.
"$WINE" "$dir/uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
end=$((SECONDS + 60))
while [ -e "$dir" ] && [ $SECONDS -lt $end ]; do sleep 0.3; done
check "uninstall removes the folder" test ! -e "$dir"
check "uninstall stops Vantosd" vantosd_gone
check "no Run value left" test -z "$(reg_value "$run_key" Vantosd)$(reg_value "$user_run_key" Vantosd)"
check "no Add/Remove entry left" test -z "$(reg_value "$uninstall_key" DisplayName)"
check "no Start-menu entry left" test ! -e "$shortcut"
check "the user's groups kept" test "$(reg_value "$group_key" Notes)" = 'C:\windows\notepad.exe'
e2e_finish
