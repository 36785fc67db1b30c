# shellcheck shell=bash
# Which SDL library the program runs on. In the sdl12-compat pass TANDREL_SDL_DIR names the
# directory of sdl12-compat's libSDL-1.2.so.0 (also on LD_LIBRARY_PATH); the library loaded must
# come from there. In the SDL 2 pass (TANDREL_SDL_MAJOR=2) SDL 2's library must be loaded and no
# SDL 1.2 one (sdl12-compat loads SDL 2 too, so SDL 2 alone tells nothing).

# Checks the paths of the SDL 1.2 library ($1) and of SDL 2's ($2) in use, each empty when none
# was found.
expect_sdl_libraries() {
  if [ "${TANDREL_SDL_MAJOR:-1}" = 2 ]; then
    [ -n "$2" ] || { echo "FAIL: no SDL 2 library loaded" >&2; return 1; }
    [ -z "$1" ] || { echo "FAIL: SDL 1.2's $1 is loaded in the SDL 2 pass" >&2; return 1; }
    return 0
  fi
  [ -n "$1" ] || { echo "FAIL: no SDL 1.2 library loaded" >&2; return 1; }
  [ -n "${TANDREL_SDL_DIR:-}" ] || return 0
  local path compat
  path=$(readlink -f "$1")
  compat=$(readlink -f "$TANDREL_SDL_DIR")
  [[ "$path" == "$compat"/* ]] || { echo "FAIL: $path is loaded, not sdl12-compat from $compat" >&2; return 1; }
}

# The SDL libraries mapped into the running process $1.
expect_sdl_in_process() {
  local maps=/proc/$1/maps
  expect_sdl_libraries "$(grep -o '/[^ ]*/libSDL-1\.2\.so[^ ]*' "$maps" | head -n1)" \
    "$(grep -o '/[^ ]*/libSDL2-2\.0\.so[^ ]*' "$maps" | head -n1)"
}

# For a program that ends at once: the SDL libraries the dynamic loader resolves for $1.
expect_sdl_resolved() {
  local objects
  objects=$(LD_TRACE_LOADED_OBJECTS=1 "$1")
  expect_sdl_libraries "$(sed -n 's/^\s*libSDL-1\.2\.so\.0 => \(\/[^ ]*\).*/\1/p' <<<"$objects")" \
    "$(sed -n 's/^\s*libSDL2-2\.0\.so\.0 => \(\/[^ ]*\).*/\1/p' <<<"$objects")"
}
