#!/usr/bin/env bash
# Prints what a PE binary asks of Windows: the subsystem version its header claims, then one
# "dll function" line per import (dll in lower case, "#n" for an import by ordinal), sorted. Needs
# the symbol table (an unstripped binary) for the functions loaded at their first call.
# usage: list.sh OBJDUMP BINARY
set -euo pipefail
objdump=$1
binary=$2
{
"$objdump" -p "$binary" | awk '
  /^MajorSubsystemVersion/ { major = $2 }
  /^MinorSubsystemVersion/ { minor = $2 }
  /^The Import Tables/ { inside = 1; next }
  /^The / || /^PE File Base Relocations/ { inside = 0 }
  !inside { next }
  /DLL Name:/ { dll = tolower($3); next }
  /^\t[0-9a-f]+\t +[0-9]+/ {
    name = $3
    if (name == "" || name == "<none>") name = "#" $2
    print dll " " name
  }
  END { print "subsystem " major "." minor }
'
# GDI+ is linked through a delay-load library: its functions are looked up at their first call and
# have no import table entry. The symbol table still names them.
symbols=$("${objdump%objdump}nm" "$binary")
if grep -q '__DELAY_IMPORT_DESCRIPTOR_.*libgdiplus_delay_a' <<<"$symbols"; then
  awk '$2 == "I" && $3 ~ /^__imp__?Gdip/ {
    name = $3; sub(/^__imp__?/, "", name); sub(/@[0-9]+$/, "", name)
    print "gdiplus.dll " name " (at first call)"
  }' <<<"$symbols"
fi
} | LC_ALL=C sort
