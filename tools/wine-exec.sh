#!/usr/bin/env bash
# wine-exec.sh 64|32 PROGRAM [ARGS...]: runs a Windows program through the Wine loader that fits
# (tools/env.sh decides which); CTest's cross-compiling emulator for each build.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bits=$1; shift
case $bits in
  64) loader=$WINE ;;
  32) loader=$WINE32 ;;
  *) echo "wine-exec.sh: 64 or 32, not '$bits'" >&2; exit 2 ;;
esac
[ -n "$loader" ] || { echo "wine-exec.sh: Wine's $bits-bit loader is not installed" >&2; exit 127; }
exec "$loader" "$@"
