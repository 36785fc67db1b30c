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
[ "$status" = 0 ] && [[ "$out" == "tandrel "* ]] || fail "--version gave status $status: $out"
err=$("$TANDREL" --bogus 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] || fail "an unknown option gave status $status"
[[ "$err" == "tandrel: unknown option --bogus"$'\n'usage:* ]] || fail "unexpected message: $err"
err=$("$TANDREL" --replay /no/such/file --headless 2>&1 >/dev/null); status=$?
[ "$status" = 2 ] && [[ "$err" == "tandrel: cannot read /no/such/file" ]] || fail "missing replay: $status $err"
echo "command line: help, version, unknown option and missing replay handled"
