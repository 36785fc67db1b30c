#!/usr/bin/env bash
# Installed into a fresh prefix, the program runs from an unrelated directory and finds its
# samples; the desktop entry, metainfo and icon are installed and valid.
BUILD_DIR=$4
LINK_DAT=0
source "$(dirname "$0")/lib.sh"

prefix="$WORK/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
share="$prefix/share"
for f in "$share/applications/tandrel.desktop" "$share/metainfo/io.github.tandrel.metainfo.xml" \
         "$share/icons/hicolor/64x64/apps/tandrel.png" "$share/tandrel/samples/meow.ogg" \
         "$share/tandrel/samples/mouse.ogg"; do
  [ -f "$f" ] || fail "not installed: ${f#"$prefix"/}"
done
desktop-file-validate "$share/applications/tandrel.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$share/metainfo/io.github.tandrel.metainfo.xml" >/dev/null ||
  fail "metainfo invalid"
[ "$("$PROBE" size "$share/icons/hicolor/64x64/apps/tandrel.png")" = "64 64" ] || fail "icon is not 64x64"

mkdir "$WORK/elsewhere" && cd "$WORK/elsewhere"
TANDREL="$prefix/bin/tandrel"
start_game
sleep 2
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "installed program exited with $STATUS"
found=$(grep -c "^Bitstream is 2 channel, 44100Hz" "$WORK/stderr" || true)
[ "$found" = 2 ] || fail "the installed program did not find both samples"
echo "install: installed, validated, ran from $(pwd) and decoded both samples"
