#!/usr/bin/env bash
# Renders the launcher icon (a play mark on a dark rounded square) into launcher/resources/tessaly.ico.
set -euo pipefail
out=${1:-$(dirname "$0")/../../launcher/resources/tessaly.ico}
tmp=$(mktemp -d)
convert -size 256x256 xc:none -fill '#1b2a3a' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#f2c14e' -draw 'polygon 96,64 96,192 200,128' "$tmp/icon.png"
convert "$tmp/icon.png" -define icon:auto-resize=256,48,32,16 "$out"
rm -rf "$tmp"
