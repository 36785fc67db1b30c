#!/usr/bin/env bash
# Includes point one way: each folder may include only from itself and the folders below it.
#   bash include_direction_test.sh <source dir>
set -euo pipefail
cd "${1:?usage: include_direction_test.sh <source dir>}"

declare -A allowed=(
  [base]="base"
  [graphics]="graphics base"
  [audio]="audio base"
  [framework]="framework graphics audio base"
  [games]="games framework graphics audio base"
  [net]="net games framework graphics audio base"
  [app]="app net games framework graphics audio base"
)

status=0
for layer in "${!allowed[@]}"; do
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$text")
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "$file:$line: $layer/ includes from $target/: $text"
      status=1
    fi
  done < <(grep -rnE '^\s*#\s*include "[^/"]+/' "$layer" --include='*.h' --include='*.cpp' || true)
done
[ "$status" = 0 ] && echo "include direction: every include points down or sideways within its folder"
exit "$status"
