#!/usr/bin/env bash
# Includes point one way: each folder may include only from itself and the folders below it, and
# so may each room of app/. Only the platform files (the CMakeLists.txt lists them) include SDL,
# OpenGL, Xlib, libpng or ENet, with the headers that only they include. A file and its header count as one: no two of different folders
# include each other, even through others; a circle inside a room of app/ holds at most three, one
# concept, and inside a layer there is none but the game state's with its actors and effects.
#   bash include_direction_test.sh <source dir>
set -euo pipefail
cd "${1:?usage: include_direction_test.sh <source dir>}"
source cmake/layers.sh

declare -A allowed=()
for layer in "${!below[@]}"; do allowed[$layer]="$layer ${below[$layer]}"; done
layers=${below[app]}
# The rooms of app/, each with the rooms it may include; the command line's record (app/command_line.h,
# which includes no room) is read by the rooms that start things.
declare -A rooms=(
  [app/platform]="app/platform"
  [app/saved]="app/saved"
  [app/input]="app/input app/saved app/platform"
  [app/session]="app/session app/input app/saved app/platform"
  [app/netplay]="app/netplay app/session app/input app/saved app/platform app/command_line.h"
  [app/window]="app/window app/netplay app/session app/input app/saved app/platform app/command_line.h"
  [app/headless]="app/headless app/netplay app/session app/input app/saved app/platform app/command_line.h"
  [app/command_line]="app/command_line"
)
for room in "${!rooms[@]}"; do allowed[$room]="${rooms[$room]} $layers"; done

# The folder (or room) a repository path belongs to.
folder_of() {
  case "$1" in
    app/command_line.*) echo app/command_line ;;
    app/*/*) echo "${1%/*}" ;;
    app/*) echo app ;;
    *) echo "${1%%/*}" ;;
  esac
}

status=0
declare -A includes=()
while IFS=: read -r file line text; do
  target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$text")
  [ -f "$target" ] || continue
  includes[${file%.*}]+=" ${target%.*}"
  from=$(folder_of "$file")
  to=$(folder_of "$target")
  [ "$from" = app ] && continue  # main.cpp and the command line stand above every room
  permitted=" ${allowed[$from]:-} "
  if [[ "$permitted" != *" $to "* && "$permitted" != *" $target "* ]]; then
    echo "$file:$line: $from/ includes from $to/: $text"
    status=1
  fi
done < <(grep -rnE '^\s*#\s*include "[^"]+/' base graphics audio framework games net app --include='*.h' --include='*.cpp' || true)

# The files reachable from $1 through includes.
reachable() {
  local -A seen=()
  local todo=("$1") next f
  while [ ${#todo[@]} -gt 0 ]; do
    f=${todo[-1]}
    unset 'todo[-1]'
    for next in ${includes[$f]:-}; do
      [ -n "${seen[$next]:-}" ] && continue
      seen[$next]=1
      todo+=("$next")
    done
  done
  printf '%s\n' "${!seen[@]}"
}

# A file's circle: the files it reaches that reach it back.
for file in "${!includes[@]}"; do
  circle=()
  while read -r other; do
    [ -z "$other" ] || [ "$other" = "$file" ] && continue
    reachable "$other" | grep -qxF "$file" && circle+=("$other")
  done < <(reachable "$file")
  [ ${#circle[@]} -eq 0 ] && continue
  for other in "${circle[@]}"; do
    if [ "$(folder_of "$other")" != "$(folder_of "$file")" ]; then
      echo "$file and $other include each other across folders"
      status=1
    fi
  done
  case "$(folder_of "$file")" in
    app/*) most=2 ;;
    framework) most=${#circle[@]} ;;
    *) most=0 ;;
  esac
  if [ ${#circle[@]} -gt "$most" ]; then
    echo "$file is in an include circle with: ${circle[*]}"
    status=1
  fi
done
# The platform files, as the CMakeLists.txt of each layer adds them to the platforms' lists.
platform_files=" $(for dir in ${below[app]} app; do
  tr '\n' ' ' <"$dir/CMakeLists.txt" | grep -oE 'PROPERTY tandrel_(platform|sdl1|sdl2)_files [^)]*' |
    grep -oE '\$\{CMAKE_CURRENT_SOURCE_DIR\}/[^ ]+' | sed "s|\${CMAKE_CURRENT_SOURCE_DIR}|$dir|"
done | tr '\n' ' ') "
library_include='^\s*#\s*include\s*<(SDL|GL/|X11/|png\.h|enet/)'
while read -r file; do
  [[ "$platform_files" == *" $file "* ]] && continue
  includers=$(grep -rlE "#\s*include \"$file\"" base graphics audio framework games net app || true)
  outside=$(for f in $includers; do [[ "$platform_files" == *" $f "* ]] || printf "%s " "$f"; done)
  if [[ "$file" != *.h || -z "$includers" || -n "$outside" ]]; then
    echo "$file includes a platform library but is no platform file${outside:+ (included by ${outside% })}"
    status=1
  fi
done < <(grep -rlE "$library_include" base graphics audio framework games net app --include='*.h' --include='*.cpp' || true)

[ "$status" = 0 ] && echo "include direction: every include points down or sideways within its folder, with no circle across folders"
exit "$status"
