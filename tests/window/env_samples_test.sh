#!/usr/bin/env bash
# Bad sample files in the working directory's dat/samples: missing, empty, cut short at several
# points, with garbage after them, at another rate, mono, not Ogg at all, a header the decoder
# rejects. Each run prints the loader's diagnostics, in order, and then the game runs: a game is
# played, left, and the program quits with status 0. A page lost between the header pages is
# the one case that ends the program, with status 1.
# The sample maker comes in MAKE_BAD_SAMPLES.
LINK_DAT=0
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

[ -x "${MAKE_BAD_SAMPLES:-}" ] || fail "MAKE_BAD_SAMPLES does not name the sample maker"
BAD="$WORK/bad"
mkdir "$BAD"
"$MAKE_BAD_SAMPLES" "$BAD" || fail "make_bad_samples failed"
MEOW="$SOURCE_DIR/dat/samples/meow.ogg"
MOUSE="$SOURCE_DIR/dat/samples/mouse.ogg"

# Offset of the page after the first $2 pages of file $1.
page_end() { LC_ALL=C grep -obUaF 'OggS' "$1" | sed -n "$(( $2 + 1 ))p" | cut -d: -f1; }

# File $1 cut after $2 bytes, written to $3.
cut_at() { head -c "$2" "$1" >"$3"; }

# File $1 followed by $2 bytes of garbage, written to $3.
with_garbage() { { cat "$1"; head -c "$2" /dev/zero | tr '\0' 'U'; } >"$3"; }

# File $1 with the byte at $2 changed (its page's checksum no longer matches), written to $3.
with_damaged_byte() {
  cp "$1" "$3"
  local old
  old=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\x$(printf %02x $(( 255 - old )))" | dd of="$3" bs=1 seek="$2" conv=notrunc status=none
}

# Lines of the program's stderr that are the loader's verdicts or the program's own messages.
diagnostics() {
  grep -E '^(Bitstream is|Cannot open|Input does not|Error reading|This Ogg|Corrupt|End of file|tandrel:)' \
    "$WORK/stderr" || true
}

# The samples directory of one run: meow.ogg from file $1 and mouse.ogg from file $2 ("-": none).
samples_dir() {
  local dir="$WORK/run"
  rm -rf "$dir" && mkdir -p "$dir/dat/samples"
  [ "$1" = - ] || cp "$1" "$dir/dat/samples/meow.ogg"
  [ "$2" = - ] || cp "$2" "$dir/dat/samples/mouse.ogg"
  echo "$dir"
}

RUNS=0
# One run with meow $2 and mouse $3; the diagnostics must read $4, then a game is played.
run_with() {
  local what=$1 dir
  dir=$(samples_dir "$2" "$3")
  cd "$dir"
  play_and_quit
  cd "$WORK"
  local got
  got=$(diagnostics)
  [ "$got" = "$4" ] || fail "$what: the diagnostics were
$got
  instead of
$4"
  RUNS=$(( RUNS + 1 ))
}

ID_END=$(page_end "$MEOW" 1)       # the identification header's page
HEADERS_END=$(page_end "$MEOW" 2)  # the comment and codebook headers' page
SOUND_END=$(page_end "$MEOW" 3)    # the first page of sound
MOUSE_ID_END=$(page_end "$MOUSE" 1)
MOUSE_HEADERS_END=$(page_end "$MOUSE" 2)
[ -n "$SOUND_END" ] && [ -n "$MOUSE_HEADERS_END" ] || fail "the shipped samples have too few pages"

stereo="Bitstream is 2 channel, 44100Hz"
not_ogg="Input does not appear to be an Ogg bitstream."
headers_cut="End of file before finding all Vorbis headers!"
corrupt="Corrupt secondary header.  Exiting."

: >"$BAD/empty.ogg"
cut_at "$MEOW" $(( ID_END / 2 )) "$BAD/cut_in_first_page.ogg"
cut_at "$MOUSE" "$MOUSE_ID_END" "$BAD/cut_after_first_page.ogg"
cut_at "$MEOW" $(( (ID_END + HEADERS_END) / 2 )) "$BAD/cut_in_headers.ogg"
cut_at "$MOUSE" "$MOUSE_HEADERS_END" "$BAD/cut_after_headers.ogg"
cut_at "$MEOW" $(( (HEADERS_END + SOUND_END) / 2 )) "$BAD/cut_in_sound.ogg"
with_garbage "$MOUSE" 100 "$BAD/short_garbage.ogg"
with_garbage "$MEOW" 8192 "$BAD/block_of_garbage.ogg"
head -c 8192 /dev/zero | tr '\0' 'x' >"$BAD/long_text.ogg"
echo "not a sound" >"$BAD/short_text.ogg"
with_damaged_byte "$MEOW" $(( (ID_END + HEADERS_END) / 2 )) "$BAD/lost_header_page.ogg"

run_with "missing and empty" - "$BAD/empty.ogg" \
  "Cannot open sample dat/samples/meow.ogg: No such file or directory"
# Less than a block with no page in it reads as an empty file.
run_with "cut in the first page, cut after it" "$BAD/cut_in_first_page.ogg" "$BAD/cut_after_first_page.ogg" \
  "$headers_cut"
run_with "cut in the headers, cut after them" "$BAD/cut_in_headers.ogg" "$BAD/cut_after_headers.ogg" \
  "$headers_cut
$stereo"
run_with "cut in the sound, short garbage after" "$BAD/cut_in_sound.ogg" "$BAD/short_garbage.ogg" \
  "$stereo
$stereo"
run_with "a block of garbage after, another rate" "$BAD/block_of_garbage.ogg" "$BAD/rate22050.ogg" \
  "$stereo
$not_ogg
Bitstream is 2 channel, 22050Hz"
run_with "mono, not Ogg" "$BAD/mono.ogg" "$BAD/long_text.ogg" \
  "Bitstream is 1 channel, 44100Hz
$not_ogg"
run_with "a short text, a rejected header" "$BAD/short_text.ogg" "$BAD/rejected_header.ogg" \
  "$corrupt"

# A damaged header page is skipped, which leaves a hole before the codebooks: the program ends.
cd "$(samples_dir "$BAD/lost_header_page.ogg" "$MOUSE")"
status=0
timeout 30 "$TANDREL" >"$WORK/stdout" 2>"$WORK/stderr" || status=$?
cd "$WORK"
[ "$status" = 1 ] || fail "a lost header page: exit status $status, expected 1"
[ "$(diagnostics)" = "$corrupt" ] || fail "a lost header page: the diagnostics were $(diagnostics)"
[ "$(tail -n1 "$WORK/stderr")" = "$corrupt" ] || fail "a lost header page: the last line is not the verdict"

echo "samples: $RUNS runs with bad samples played and quit with status 0; a lost header page ends with status 1"
