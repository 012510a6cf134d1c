#!/usr/bin/env bash
# Compares a binary's imports with its reviewed list: usage: check.sh OBJDUMP BINARY LIST
# A new import is a decision: review it (does every Windows the header claims have it?), then
# refresh the lists with tools/imports/update.sh.
set -uo pipefail
here=$(dirname "$0")
actual=$(bash "$here/list.sh" "$1" "$2") || exit 1
expected=$(grep -v '^#' "$3" | LC_ALL=C sort) || { echo "no reviewed list: $3"; exit 1; }
if [ "$actual" != "$expected" ]; then
  echo "imports of $(basename "$2") differ from $3 (- reviewed, + built):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | grep '^[<>]' |
    sed 's/^</-/; s/^>/+/'
  echo "after review: tools/imports/update.sh $(dirname "$(dirname "$2")")"
  exit 1
fi
echo "$(printf '%s\n' "$actual" | grep -vc '^subsystem') imports as reviewed"
