#!/usr/bin/env bash
# Installed into a fresh prefix, the program runs from an unrelated directory and finds its
# samples; the desktop entry, metainfo, icons and man page are installed and valid.
BUILD_DIR=$4
LINK_DAT=0
source "$(dirname "$0")/lib.sh"

id=io.github.tandrel.Tandrel
prefix="$WORK/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
share="$prefix/share"
for f in "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml" \
         "$share/tandrel/samples/meow.ogg" "$share/tandrel/samples/mouse.ogg" "$share/man/man6/tandrel.6"; do
  [ -f "$f" ] || fail "not installed: ${f#"$prefix"/}"
done
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry invalid"
# The metainfo has no error and no warning but those named here, on AppStream 0.16 and 1.0 alike
# (1.0 warns of more, and then exits non-zero):
#   url-homepage-missing: there is no homepage to point at yet, and we will not invent one.
allowed_warnings=" url-homepage-missing "
report=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) || true
grep -q "Validation \(was successful\|failed\)" <<<"$report" || fail "appstreamcli gave no verdict: $report"
while read -r severity tag; do
  [ "$severity" = W ] && [[ "$allowed_warnings" == *" $tag "* ]] && continue
  fail "metainfo: $severity $tag in: $report"
done < <(sed -n 's/^\([EW]\): [^ ]*: \([a-z0-9-]*\).*/\1 \2/p' <<<"$report")
# A software centre matches the component, its desktop entry and its icon by these names.
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the desktop entry's icon is not $id"
grep -q "<id>$id</id>" "$share/metainfo/$id.metainfo.xml" &&
  grep -q ">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" || fail "the metainfo does not name $id"
for size in 64 128 256; do
  [ "$("$PROBE" size "$share/icons/hicolor/${size}x$size/apps/$id.png")" = "$size $size" ] ||
    fail "no ${size}x$size icon"
done
# The page renders without a warning and holds its sections.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/tandrel.6" 2>"$WORK/man.err") ||
  fail "man -l failed: $(cat "$WORK/man.err")"
[ ! -s "$WORK/man.err" ] || fail "man -l warned: $(cat "$WORK/man.err")"
for section in SYNOPSIS DESCRIPTION CONTROLS OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
  grep -q "^$section\$" <<<"$manual" || fail "the man page has no $section"
done

mkdir "$WORK/elsewhere" && cd "$WORK/elsewhere"
# A build on SDL 2 installs its program in the same place, under the same name.
[ "${TANDREL_SDL_MAJOR:-1}" = 2 ] && install -m 755 "$TANDREL" "$prefix/bin/tandrel"
TANDREL="$prefix/bin/tandrel"
start_game
sleep 2
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "installed program exited with $STATUS"
found=$(grep -c "^Bitstream is 2 channel, 44100Hz" "$WORK/stderr" || true)
[ "$found" = 2 ] || fail "the installed program did not find both samples"
echo "install: installed, validated, ran from $(pwd) and decoded both samples"
