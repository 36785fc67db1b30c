# shellcheck shell=bash
# Which SDL 1.2 library the program runs on. In the sdl12-compat pass TANDREL_SDL_DIR names the
# directory of sdl12-compat's libSDL-1.2.so.0 (also on LD_LIBRARY_PATH); the library loaded must
# come from there.

# Checks the path of the SDL 1.2 library in use ($1, empty when none was found).
expect_sdl_library() {
  [ -n "$1" ] || { echo "FAIL: no SDL 1.2 library loaded" >&2; return 1; }
  [ -n "${TANDREL_SDL_DIR:-}" ] || return 0
  local path compat
  path=$(readlink -f "$1")
  compat=$(readlink -f "$TANDREL_SDL_DIR")
  [[ "$path" == "$compat"/* ]] || { echo "FAIL: $path is loaded, not sdl12-compat from $compat" >&2; return 1; }
}

# The SDL 1.2 library mapped into the running process $1.
expect_sdl_in_process() {
  expect_sdl_library "$(grep -o '/[^ ]*/libSDL-1\.2\.so[^ ]*' "/proc/$1/maps" | head -n1)"
}

# For a program that ends at once: the SDL 1.2 library the dynamic loader resolves for $1.
expect_sdl_resolved() {
  expect_sdl_library "$(LD_TRACE_LOADED_OBJECTS=1 "$1" | sed -n 's/^\s*libSDL-1\.2\.so\.0 => \(\/[^ ]*\).*/\1/p')"
}
