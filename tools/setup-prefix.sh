#!/usr/bin/env bash
# Prepares the project's Wine prefix (idempotent): boots it, maps "Arial" to Liberation Sans,
# and declares drive letters for tests: E: removable, F: CD-ROM (both plain folders under build/).
set -euo pipefail
source "$(dirname "$0")/env.sh"
stamp=$WINEPREFIX/.tessaly-ready
# A prefix made where Wine's 32-bit side could not run has no 32-bit system: where it can run now,
# the prefix is made again.
if [ -f "$stamp" ] && [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] && tessaly_wine32_runs; then
  "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
fi
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1 || true
"$WINESERVER" -w
reg() { "$WINE" reg "$@" /f >/dev/null 2>&1; }
for f in Arial "Arial Bold" "Times New Roman" "Courier New"; do
  case $f in
    Arial*) to="Liberation Sans" ;; Times*) to="Liberation Serif" ;; *) to="Liberation Mono" ;;
  esac
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /t REG_SZ /d "$to"
done
# No window-manager decorations or surprises: Wine's own X11 driver settings.
reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
"$(dirname "$0")/wine-drive.sh" e floppy "$TESSALY_BUILD/drives/removable"
"$(dirname "$0")/wine-drive.sh" f cdrom "$TESSALY_BUILD/drives/cdrom"
"$WINESERVER" -w
touch "$stamp"
