#!/usr/bin/env bash
# Fails the build when a layer's library uses a symbol that only a layer above it (or beside it)
# defines: each layer links only the layers below, so such a call is an include pointing upward.
# Fails it too when a layer's library calls SDL, OpenGL, Xlib, libpng or ENet itself: only the
# platform objects may.
#   bash check_layers.sh LAYER=ARCHIVE ... -- PLATFORM_OBJECT ...
# The platform objects count for the layer whose folder holds their source.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/layers.sh"

declare -A archives=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  archives[${1%%=*}]=${1#*=}
  shift
done
[ $# -gt 0 ] && shift
objects=("$@")

layer_of_object() {
  local layer
  for layer in "${!below[@]}"; do
    [[ "$1" == */"$layer"/* ]] && { echo "$layer"; return; }
  done
}

# "SYMBOL LAYER" for every symbol a layer defines.
definitions() {
  local layer object
  for layer in "${!archives[@]}"; do
    nm --defined-only "${archives[$layer]}" 2>/dev/null | awk -v l="$layer" 'NF == 3 { print $3, l }'
  done
  for object in "${objects[@]}"; do
    layer=$(layer_of_object "$object")
    [ -n "$layer" ] && nm --defined-only "$object" | awk -v l="$layer" 'NF == 3 { print $3, l }'
  done
}

defined=$(mktemp)
trap 'rm -f "$defined"' EXIT
definitions | sort -u >"$defined"

# "LAYER SYMBOL" for every symbol a layer's library needs from outside its own objects.
needs() {
  local layer
  for layer in "${!archives[@]}"; do
    nm -u "${archives[$layer]}" | awk -v l="$layer" 'NF == 2 { print l, $2 }'
  done
}

below_list() {
  local layer
  for layer in "${!below[@]}"; do echo "$layer ${below[$layer]}"; done
}

# A symbol no layer defines is a system library's.
awk -v below_file=<(below_list) '
  BEGIN { while ((getline line < below_file) > 0) { n = split(line, f, " "); for (i = 1; i <= n; i++) may[f[1], f[i]] = 1 } }
  FNR == NR { owners[$1] = owners[$1] " " $2; next }
  !($2 in owners) { next }
  {
    n = split(owners[$2], o, " "); ok = 0
    for (i = 1; i <= n; i++) if ((($1, o[i]) in may)) ok = 1
    if (!ok) { print $1 "/ uses " $2 ", which only" owners[$2] " defines"; bad = 1 }
  }
  END { exit bad }
' "$defined" <(needs | sort -u) | c++filt | sed 's/^/layer check: /' >&2

# The libraries only the platform objects may call, by their functions' prefixes.
platform_calls=$(for layer in "${!archives[@]}"; do
  nm -u "${archives[$layer]}" | awk -v l="$layer" 'NF == 2 && $2 ~ /^(SDL_|gl[A-Z]|glew|X[A-Z]|png_|enet_)/ { print l "/ calls " $2 }'
done | sort -u)
if [ -n "$platform_calls" ]; then
  sed 's/^/layer check: /; s/$/, which only the platform files may call/' <<<"$platform_calls" >&2
  exit 1
fi
