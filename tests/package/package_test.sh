#!/usr/bin/env bash
# The Debian package: made from the build, named tandrel_VERSION_ARCH.deb, with no lintian error
# or unexplained warning, depending on the owner of every library the program links, holding what
# an install holds in Debian's layout; installed with dpkg -i into a throw-away root, its program
# runs from there.
set -euo pipefail
BUILD_DIR=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
version=$("$BUILD_DIR/tandrel" --version | sed -n 's/^tandrel //p')
name=tandrel_${version}_$(dpkg --print-architecture).deb
deb=$WORK/out/$name

cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$WORK/cpack.log")"
[ -f "$deb" ] || fail "no $name among: $(ls "$WORK/out")"

# lintian exits non-zero on an error. A warning fails too, but those named here (the README says why):
#   appstream-metadata-validation-failed: Debian 13's lintian runs AppStream 1.0, which fails the
#   metainfo for url-homepage-missing alone (window_install validates it, allowing only that).
allowed_warnings=" appstream-metadata-validation-failed "
report=$(lintian "$deb" 2>&1) || fail "lintian: $report"
while read -r tag; do
  [[ "$allowed_warnings" == *" $tag "* ]] || fail "lintian warned: $report"
done < <(sed -n 's/^W: tandrel: \([^ ]*\).*/\1/p' <<<"$report")

# Every library the program asks for is some package's that the package depends on.
depends=" $(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/[,|]/ /g') "
dpkg-deb -x "$deb" "$WORK/unpacked"
for library in $(readelf -d "$WORK/unpacked/usr/games/tandrel" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
  owners=$(dpkg -S "*/$library" | sed 's/: .*//; s/:[a-z0-9]*//g; s/,/ /g') || fail "no package holds $library"
  covered=
  for owner in $owners; do [[ "$depends" == *" $owner "* ]] && covered=1; done
  [ -n "$covered" ] || fail "$library is $owners's, not among the dependencies:$depends"
done

# What a plain install holds, with the program in games, the man page compressed, and the files
# every package carries.
cmake --install "$BUILD_DIR" --prefix "$WORK/plain" >/dev/null
expected=$({ (cd "$WORK/plain" && find . -type f) |
  sed 's|^\./[^/]*/tandrel$|./games/tandrel|; s|/man6/tandrel\.6$|&.gz|'
  printf './share/doc/tandrel/%s\n' copyright changelog.gz; } | sort)
actual=$(cd "$WORK/unpacked/usr" && find . -type f | sort)
[ "$expected" = "$actual" ] || fail "the package holds, against a plain install: $(diff <(echo "$expected") <(echo "$actual"))"

# dpkg needs an administrative directory in the root; the package's libraries are the host's, so
# their packages are not there to be depended on. As a user, fakeroot lets dpkg give files to root.
root=$WORK/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
as_root=()
[ "$(id -u)" = 0 ] || as_root=(fakeroot)
PATH=$PATH:/usr/sbin:/sbin "${as_root[@]}" dpkg --root="$root" --log=/dev/null --force-depends -i "$deb" \
  >"$WORK/dpkg.log" 2>&1 || fail "dpkg -i failed: $(cat "$WORK/dpkg.log")"

program=$root/usr/games/tandrel
[ "$("$program" --version | head -n1)" = "tandrel $version" ] || fail "the installed program's --version: $("$program" --version)"
exit_status=0
env -u DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy timeout 20 "$program" >/dev/null 2>"$WORK/err" || exit_status=$?
[ "$exit_status" = 1 ] && [ "$(wc -l <"$WORK/err")" = 1 ] && grep -q '^tandrel: ' "$WORK/err" ||
  fail "without a display the installed program exited with $exit_status and said: $(cat "$WORK/err")"
echo "package: $name made, lintian without error or unexplained warning, its dependencies and files checked, installed into a throw-away root; from there: $("$program" --version | tr "\n" " "), and without a display: $(cat "$WORK/err")"
