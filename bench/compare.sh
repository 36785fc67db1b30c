#!/usr/bin/env bash
# Builds BASE_COMMIT beside the working tree and measures both, alternating run by run in one
# session so that a busy machine weighs on both alike:
#   bash bench/compare.sh BASE_COMMIT [ROUNDS]
# Figures per tree: menu CPU at 1024x768, page faults per second and peak resident memory on that
# menu, frames per second at 1920x1080 and 2560x1440 (Mesa's GALLIUM_HUD=fps), start-up to the
# first presented frame (present_bench), and the audio callback at 0, 8 and 256 voices
# (audio_bench). Each figure is the median of ROUNDS runs (default 3), with the range beside it.
set -euo pipefail

self=$(realpath "$0")
menuSeconds=10  # measured after 3 s of start-up
fpsSeconds=10   # the first and last samples are dropped

# One run of the program, in an Xvfb session of its own; prints what was asked of it.
probe() {
    local what=$1 binary=$2 size=$3
    if [ -z "${COMPARE_IN_XVFB:-}" ]; then
        COMPARE_IN_XVFB=1 xvfb-run -a -s "-screen 0 ${size}x24 -noreset" bash "$self" --probe "$@"
        return
    fi
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
    case $what in
    menu)
        "$binary" 2>/dev/null &
        local pid=$! s0 s1
        sleep 3
        read -r -a s0 <"/proc/$pid/stat"
        sleep "$menuSeconds"
        read -r -a s1 <"/proc/$pid/stat"
        local peak
        peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
        kill "$pid"
        wait "$pid" || true
        local hz
        hz=$(getconf CLK_TCK)
        echo "menu_cpu $(( (s1[13] + s1[14] - s0[13] - s0[14]) * 100 / hz / menuSeconds ))"
        echo "faults $(( (s1[9] - s0[9]) / menuSeconds ))"
        echo "peak_rss $(( peak / 1024 ))"
        ;;
    fps)
        local dir
        dir=$(mktemp -d)
        GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR=$dir "$binary" 2>/dev/null &
        local pid=$!
        sleep "$fpsSeconds"
        kill "$pid"
        wait "$pid" || true
        echo "fps_$size $(awk 'NR > 2 {print}' "$dir/fps" | head -n -1 | awk '{s += $1; n++} END {printf "%.1f", s / n}')"
        rm -rf "$dir"
        ;;
    startup)
        echo "startup $("$binary" 2>/dev/null | awk '/first presented frame/ {print $(NF - 1)}')"
        ;;
    esac
}

if [ "${1:-}" = --probe ]; then
    shift
    probe "$@"
    exit
fi

base=${1:?usage: bash bench/compare.sh BASE_COMMIT [ROUNDS]}
rounds=${2:-3}
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
scratch=$(mktemp -d /tmp/tandrel-compare.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

build() {
    cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDREL_TESTS=OFF -DTANDREL_BENCH=ON >/dev/null
    cmake --build "$2" -j2 --target tandrel present_bench audio_bench >/dev/null
}

mkdir "$scratch/base"
git -C "$root" archive "$base" | tar -x -C "$scratch/base"
echo "building $base and the working tree ..." >&2
build "$scratch/base" "$scratch/base-build"
build "$root" "$root/build-compare"

# The programs find their samples from the source directory they run in.
measure() {
    local tree=$1 source=$2 build=$3 out=$4
    (
        cd "$source"
        probe menu "$build/tandrel" 1024x768
        probe fps "$build/tandrel" 1920x1080
        probe fps "$build/tandrel" 2560x1440
        probe startup "$build/bench/present_bench" 1024x768
        "$build/bench/audio_bench" 2>/dev/null | awk '/voices:/ {print "audio_" $1, $3}'
    ) >>"$out"
    echo "round $round: $tree done" >&2
}

for round in $(seq "$rounds"); do
    measure base "$scratch/base" "$scratch/base-build" "$scratch/base.txt"
    measure work "$root" "$root/build-compare" "$scratch/work.txt"
done

# median (min-max) of one figure in one tree
summary() {
    awk -v key="$1" '$1 == key {print $2}' "$2" | sort -g |
        awk '{v[NR] = $1} END {printf "%s (%s-%s)", v[int((NR + 1) / 2)], v[1], v[NR]}'
}

echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg); $rounds rounds, median (min-max)"
printf '%-34s %-28s %-28s\n' "" "base $(git -C "$root" rev-parse --short "$base")" "work $(git -C "$root" rev-parse --short HEAD)+"
while read -r key label; do
    printf '%-34s %-28s %-28s\n' "$label" "$(summary "$key" "$scratch/base.txt")" "$(summary "$key" "$scratch/work.txt")"
done <<'EOF'
menu_cpu menu CPU at 1024x768, % of a core
faults page faults per second on it
peak_rss peak resident memory, MB
fps_1920x1080 frames per second at 1920x1080
fps_2560x1440 frames per second at 2560x1440
startup start-up to first frame, ms
audio_0 audio callback, 0 voices, ms
audio_8 audio callback, 8 voices, ms
audio_256 audio callback, 256 voices, ms
EOF
