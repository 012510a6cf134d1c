#!/usr/bin/env bash
# wine-drive.sh LETTER TYPE DIR: makes drive LETTER: of the project's prefix a folder DIR of the
# given Wine drive type (hd, floppy = removable, cdrom, network).
set -euo pipefail
source "$(dirname "$0")/env.sh"
letter=$(echo "$1" | tr 'A-Z' 'a-z'); type=$2; dir=$3
mkdir -p "$dir" "$WINEPREFIX/dosdevices"
ln -sfn "$dir" "$WINEPREFIX/dosdevices/$letter:"
"$WINE" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$type" /f >/dev/null 2>&1
