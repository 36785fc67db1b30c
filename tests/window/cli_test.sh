#!/usr/bin/env bash
# The real program's command line, without a window: help, version, and refusals.
set -uo pipefail
TANDREL=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/sdl_check.sh"
expect_sdl_resolved "$TANDREL" || exit 1

out=$("$TANDREL" --help 2>/dev/null); status=$?
[ "$status" = 0 ] && [[ "$out" == usage:* ]] || fail "--help gave status $status: $out"
out=$("$TANDREL" --version 2>/dev/null); status=$?
# The version, then the platform with the version of the SDL loaded.
[ "$status" = 0 ] && [[ "$out" == "tandrel "*$'\n'"platform: SDL ${TANDREL_SDL_MAJOR:-1}."* ]] ||
  fail "--version gave status $status: $out"
err=$("$TANDREL" --bogus 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] || fail "an unknown option gave status $status"
[[ "$err" == "tandrel: unknown option --bogus"$'\n'usage:* ]] || fail "unexpected message: $err"
err=$("$TANDREL" --replay /no/such/file --headless 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] && [[ "$err" == "tandrel: cannot read /no/such/file" ]] || fail "missing replay: $status $err"
err=$(env -u DISPLAY "$TANDREL" --game pong 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] && [ "$err" = "tandrel: unknown game 'pong' (games: whiskerwaltz, yarnball)" ] ||
  fail "unknown game: $status $err"

# A replay of a game the catalogue does not hold is refused with its line.
replays=$(mktemp -d)
printf 'tandrel-replay 1\nseed 7\ngame pong\n' >"$replays/pong.replay"
err=$("$TANDREL" --replay "$replays/pong.replay" --headless 2>&1 >/dev/null); status=$?
rm -rf "$replays"
[ "$status" = 2 ] && [ "$err" = "tandrel: $replays/pong.replay:3: unknown game 'pong'" ] ||
  fail "a replay of an unknown game: $status $err"

# Key bindings without a display: the built-in ones, then a key file's, then a bad file.
keys=$(mktemp -d)
trap 'rm -rf "$keys"' EXIT
print_keys() { env -u DISPLAY -u XDG_CONFIG_HOME HOME="$keys" "$TANDREL" --print-keys "$@"; }
out=$(print_keys 2>&1); status=$?
[ "$status" = 0 ] && [ "$(echo "$out" | wc -l)" = 16 ] && [[ "$out" == "player1.up = w"$'\n'* ]] ||
  fail "--print-keys gave status $status: $out"
mkdir -p "$keys/.config/tandrel"
printf '# numeric keypad\nplayer2.up = [8]\n' >"$keys/.config/tandrel/keys.conf"
out=$(print_keys 2>&1); status=$?
[ "$status" = 0 ] && [[ "$out" == *$'\n'"player2.up = [8]"$'\n'* ]] || fail "default key file: $status $out"
printf 'player1.up = z\nplayer1.down = up\n' >"$keys/bad.conf"
err=$(print_keys --keys "$keys/bad.conf" 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] && [ "$err" = "tandrel: $keys/bad.conf:2: 'up' is bound to both player1.down and player2.up" ] ||
  fail "bad key file: $status $err"

# Settings without a display, from ~/.config when XDG_CONFIG_HOME is not set: the built-in ones,
# a file's with the command line over it, and a bad file reported, left where it is and the
# built-in settings printed. A headless replay writes nothing into the home.
print_settings() { env -u DISPLAY -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$keys" "$TANDREL" --print-settings "$@"; }
out=$(print_settings 2>&1); status=$?
builtin=$'windowed = no\ndisplay = auto\nvolume = 100\ngame = whiskerwaltz'
[ "$status" = 0 ] && [ "$out" = "$builtin" ] || fail "--print-settings gave status $status: $out"
conf=$keys/.config/tandrel/settings.conf
printf 'volume = 30\ngame = yarnball\nwindowed = yes\n' >"$conf"
out=$(print_settings --fullscreen 2>&1); status=$?
[ "$status" = 0 ] && [ "$out" = $'windowed = no\ndisplay = auto\nvolume = 30\ngame = yarnball' ] ||
  fail "settings file under --fullscreen: $status $out"
printf 'volume = 300\n' >"$conf"
err=$(print_settings 2>&1 >/dev/null); status=$?
out=$(print_settings 2>/dev/null)
[ "$status" = 0 ] && [ "$err" = "tandrel: $conf:1: expected a volume from 0 to 100, not '300'" ] &&
  [ "$out" = "$builtin" ] || fail "bad settings file: $status $err $out"
[ "$(ls "$keys/.config/tandrel")" = $'keys.conf\nsettings.conf' ] || fail "--print-settings moved a file: $(ls "$keys/.config/tandrel")"
printf 'tandrel-replay 1\nseed 7\nend 50\n' >"$keys/short.replay"
out=$(env -u XDG_CONFIG_HOME -u XDG_STATE_HOME HOME="$keys" "$TANDREL" --replay "$keys/short.replay" --headless)
[[ "$out" == "left: seed 7 score 0 tick 50" ]] || fail "the short replay printed: $out"
[ ! -e "$keys/.local" ] && [ "$(find "$keys" -newer "$keys/short.replay" | wc -l)" = 0 ] ||
  fail "a headless replay wrote into the home: $(find "$keys" -newer "$keys/short.replay")"
echo "command line: help, version, unknown option and game, missing and foreign replays, key and settings files handled"
