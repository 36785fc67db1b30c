#!/usr/bin/env bash
# Measures two programs, alternating run by run in one session so that a busy machine weighs on
# both alike:
#   bash bench/compare.sh BASE_COMMIT [ROUNDS]  BASE_COMMIT, built beside it, against the working tree
#   bash bench/compare.sh --platforms [ROUNDS]  the working tree on SDL 1.2 against the same on
#                                               SDL 2, both from one test build in build-platforms
# Figures per program: menu CPU at 1024x768, page faults per second and peak resident memory on
# that menu, frames per second at 1920x1080 and 2560x1440 (Mesa's GALLIUM_HUD=fps), start-up to
# the first presented frame (present_bench), and, between commits only, the audio callback at 0, 8
# and 256 voices (audio_bench; it has no platform code, so both platforms would give the same).
# Each figure is the median of ROUNDS runs (default 3), with the range beside it.
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

usage="usage: bash bench/compare.sh BASE_COMMIT [ROUNDS] | --platforms [ROUNDS]"
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
scratch=$(mktemp -d /tmp/tandrel-compare.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# Configures source $1 into $2, as a test build where $3 is ON, and builds the targets after it.
build() {
    local source=$1 dir=$2 tests=$3
    shift 3
    cmake -S "$source" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDREL_TESTS="$tests" -DTANDREL_BENCH=ON >/dev/null
    cmake --build "$dir" -j2 --target "$@" >/dev/null
}

# The callback's time at full volume by the number of voices; a base older than the volumes gives
# no volume and runs at full.
audio_figures_of() {
    awk '$2 ~ /^voices/ && (!/volume/ || / volume 100:/) {
        for (i = 3; i < NF && $(i + 1) != "ms"; i++);
        print "audio_" $1, $i
    }'
}

# One round of one program, its figures added to file $3: $1 names it, $2 is the source directory
# it runs in (the programs find their samples there), $4 the program, $5 its present_bench, and
# $6, if given, the audio_bench.
measure() {
    local name=$1 source=$2 out=$3 program=$4 present=$5 audio=${6:-}
    (
        cd "$source"
        probe menu "$program" 1024x768
        probe fps "$program" 1920x1080
        probe fps "$program" 2560x1440
        probe startup "$present" 1024x768
        if [ -n "$audio" ]; then
            "$audio" 2>/dev/null | audio_figures_of
        fi
    ) >>"$out"
    echo "round $round: $name done" >&2
}

compare_commits() {
    local base=$1 rounds=$2 work=$root/build-compare
    mkdir "$scratch/base"
    git -C "$root" archive "$base" | tar -x -C "$scratch/base"
    echo "building $base and the working tree ..." >&2
    build "$scratch/base" "$scratch/base-build" OFF tandrel present_bench audio_bench
    build "$root" "$work" OFF tandrel present_bench audio_bench
    for round in $(seq "$rounds"); do
        measure base "$scratch/base" "$scratch/base.txt" "$scratch/base-build/tandrel" \
            "$scratch/base-build/bench/present_bench" "$scratch/base-build/bench/audio_bench"
        measure work "$root" "$scratch/work.txt" "$work/tandrel" "$work/bench/present_bench" "$work/bench/audio_bench"
    done
    report "$rounds" "$window_figures"$'\n'"$audio_figures" "base $(git -C "$root" rev-parse --short "$base")" "$scratch/base.txt" \
        "work $(git -C "$root" rev-parse --short HEAD)+" "$scratch/work.txt"
}

# Only a test build looks for SDL 2 beside SDL 1.2 and makes both programs.
compare_platforms() {
    local rounds=$1 dir=$root/build-platforms
    echo "building the working tree on both platforms ..." >&2
    build "$root" "$dir" ON tandrel tandrel-sdl2 present_bench present_bench_sdl2
    for round in $(seq "$rounds"); do
        measure "SDL 1.2" "$root" "$scratch/sdl1.txt" "$dir/tandrel" "$dir/bench/present_bench"
        measure "SDL 2" "$root" "$scratch/sdl2.txt" "$dir/tandrel-sdl2" "$dir/bench/present_bench_sdl2"
    done
    local work
    work=$(git -C "$root" rev-parse --short HEAD)+
    report "$rounds" "$window_figures" "SDL 1.2, work $work" "$scratch/sdl1.txt" "SDL 2, work $work" "$scratch/sdl2.txt"
}

# median (min-max) of one figure in one file
summary() {
    awk -v key="$1" '$1 == key {print $2}' "$2" | sort -g |
        awk '{v[NR] = $1} END {printf "%s (%s-%s)", v[int((NR + 1) / 2)], v[1], v[NR]}'
}

# The figures, one a line: the key measure() writes, then the label of its line in the table.
window_figures="menu_cpu menu CPU at 1024x768, % of a core
faults page faults per second on it
peak_rss peak resident memory, MB
fps_1920x1080 frames per second at 1920x1080
fps_2560x1440 frames per second at 2560x1440
startup start-up to first frame, ms"
audio_figures="audio_0 audio callback, 0 voices, ms
audio_8 audio callback, 8 voices, ms
audio_256 audio callback, 256 voices, ms"

# The table of $1 rounds of figures $2: the heading and the file of figures of one program, then
# of the other.
report() {
    local rounds=$1 figures=$2 first=$3 first_file=$4 second=$5 second_file=$6
    echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg); $rounds rounds, median (min-max)"
    printf '%-34s %-28s %-28s\n' "" "$first" "$second"
    while read -r key label; do
        printf '%-34s %-28s %-28s\n' "$label" "$(summary "$key" "$first_file")" "$(summary "$key" "$second_file")"
    done <<<"$figures"
}

case ${1:-} in
--platforms) compare_platforms "${2:-3}" ;;
"" | -*)
    echo "$usage" >&2
    exit 2
    ;;
*) compare_commits "$1" "${2:-3}" ;;
esac
