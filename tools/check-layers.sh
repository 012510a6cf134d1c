#!/usr/bin/env bash
# Which folder may include which: a folder's name says its layer.
#   launcher/model   no windows and no system: nothing of launcher/ui, launcher/system, launcher/app
#   launcher/ui      nothing of launcher/app
#   common, win32, effects, osd   nothing of launcher/
#   product code (not *_test.*) nothing of a testing/ folder
# usage: tools/check-layers.sh [ROOT]   prints each offending line; fails if there is one.
#        tools/check-layers.sh --self-test   shows that a forbidden include fails the check.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--self-test" ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  mkdir -p "$tmp/launcher/model" "$tmp/launcher/ui" "$tmp/common"
  printf '#include "launcher/model/a.h"\n' > "$tmp/launcher/ui/b.cpp"
  bash "$here/check-layers.sh" "$tmp" >/dev/null || { echo "self-test: an allowed include failed"; exit 1; }
  for bad in 'launcher/model/a.h:launcher/ui/b.h' 'launcher/model/a.h:launcher/system/c.h' \
             'launcher/ui/b.cpp:launcher/app/app.h' 'common/d.cpp:launcher/model/a.h' \
             'launcher/ui/b.cpp:launcher/testing/fake.h' 'launcher/model/a.h:../ui/b.h'; do
    file=${bad%%:*}
    printf '#include <windows.h>\n#include "%s"\n' "${bad#*:}" > "$tmp/$file"
    out=$(bash "$here/check-layers.sh" "$tmp")
    if [ $? -eq 0 ] || [[ $out != *"$file:2:"* ]]; then
      echo "self-test: $file including ${bad#*:} was not caught"
      exit 1
    fi
    rm "$tmp/$file"
  done
  echo "self-test: every forbidden include was caught"
  exit 0
fi

root=$(cd "${1:-$here/..}" && pwd)
cd "$root" || exit 1
status=0
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  inc=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"${rest#*:}")
  [ -n "$inc" ] || continue
  # A relative include names a file beside the includer: resolve it to a path from the root.
  if [[ $inc == ../* || $inc == ./* ]]; then
    inc=$(realpath -m --relative-to="$root" "$(dirname "$file")/$inc")
  fi
  why=""
  case $file in
    launcher/model/*)
      case $inc in launcher/ui/*|launcher/system/*|launcher/app/*) why="the model has no windows and no system ports" ;; esac ;;
    launcher/ui/*)
      case $inc in launcher/app/*) why="windows do not reach into the application that owns them" ;; esac ;;
    common/*|win32/*|effects/*|osd/*)
      case $inc in launcher/*) why="${file%%/*} is shared or its own program and uses nothing of the launcher" ;; esac ;;
  esac
  if [ -z "$why" ]; then
    case $file in
      *_test.*|*/testing/*|*/test_support/*|e2e/*|bench/*) ;;
      *) case $inc in */testing/*|*/test_support/*) why="product code links no test doubles" ;; esac ;;
    esac
  fi
  if [ -n "$why" ]; then
    echo "$file:$line: includes \"$inc\": $why"
    status=1
  fi
done < <(grep -rn --include='*.h' --include='*.cpp' --include='*.c' --include='*.rc' \
           -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' launcher common win32 effects osd 2>/dev/null)
exit $status
