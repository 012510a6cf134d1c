#!/usr/bin/env bash
# Prints what a PE binary asks of Windows: the subsystem version its header claims, then one
# "dll function" line per import (dll in lower case, "#n" for an import by ordinal), sorted.
# usage: list.sh OBJDUMP BINARY
set -euo pipefail
objdump=$1
binary=$2
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
' | LC_ALL=C sort
