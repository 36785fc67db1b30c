#!/usr/bin/env bash
# Records the guard games anew with the current build: one game per style and script seed, each
# with the line a headless replay prints for it. Only for a change that is meant to alter play;
# names given after the build directory record only those games (e.g. 21_yarnball_rally).
#   bash tests/data/replays/record.sh <build dir> [NAME...]
set -euo pipefail
build=$(cd "${1:?usage: record.sh <build dir> [NAME...]}" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../../.."  # the samples are found from the source root

# STYLE:SCRIPT_SEED, or STYLE:SCRIPT_SEED:GAME for a game other than the cat game.
games=(chase:1 chase:2 chase:3 chase:4 solo1:5 solo2:6 mash:7 mash:8 idle:9 approach:10
       approach:11 leave:12 leave:13 leave:14 leave:15 leave:16 chase:17 solo1:18 mash:19 solo2:20
       rally:21:yarnball rally:22:yarnball defend1:23:yarnball defend2:24:yarnball
       mash:25:yarnball chaseleave:26:yarnball leave:27:yarnball idle:28:yarnball)
for game in "${games[@]}"; do
  IFS=: read -r style seed title <<<"$game"
  name=$(printf '%02d_%s%s' "$seed" "${title:+${title}_}" "$style")
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  file=$here/$name
  "$build/tests/app/record_replay" "$style" "$seed" "$file.replay" ${title:+"$title"} >/dev/null 2>&1
  "$build/tandrel" --replay "$file.replay" --headless >"$file.expected"
  echo "$name: $(cat "$file.expected") ($(grep -c '^event' "$file.replay" || true) events)"
  sleep 1  # the next game gets the next second's seed
done
