#!/bin/sh
# Start-up of the calculator against a minimal Qt window of the same controls, in one run on a
# private Xvfb display with no window manager: time from exec to the main window being mapped,
# the processor time the program used by then, and peak resident memory; medians of RUNS runs
# of each, after a warm-up run of both.
#
#   bench/startup.sh [RUNS]        (default 15; builds into build/ first)
set -eu
cd "$(dirname "$0")/.."
runs=${1:-15}
title="MicroStrip Velmoka Circuits"

scripts/install-missing xvfb libx11-dev
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target velmoka minimal_window time_to_map >/dev/null

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
while [ ! -s "$work/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
unset QT_QPA_PLATFORM
XDG_RUNTIME_DIR="$work/runtime"
export XDG_RUNTIME_DIR
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run of a program: "milliseconds KiB processor-milliseconds" appended to its file.
measure() {
    build/bench/time_to_map "$title" "$2" >>"$work/$1"
}

measure warm-up build/src/window/velmoka
measure warm-up build/bench/minimal_window
# Alternate the two, so that both see the same state of the machine.
i=0
while [ "$i" -lt "$runs" ]; do
    measure velmoka build/src/window/velmoka
    measure minimal build/bench/minimal_window
    i=$((i + 1))
done

# Median of column $2 of file $1.
median() {
    sort -g -k"$2","$2" "$work/$1" | awk -v column="$2" '{ v[NR] = $column }
        END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The two programs ran in pairs, one straight after the other: the median of the pairs' ratios
# leaves out most of the drift in the machine's load over the whole run.
paste -d' ' "$work/velmoka" "$work/minimal" | awk '{ print $1 / $4, $3 / $6 }' >"$work/pairs"

awk -v runs="$runs" -v pm="$(median pairs 1)" -v pp="$(median pairs 2)" \
    -v vm="$(median velmoka 1)" -v vk="$(median velmoka 2)" -v vp="$(median velmoka 3)" \
    -v mm="$(median minimal 1)" -v mk="$(median minimal 2)" -v mp="$(median minimal 3)" 'BEGIN {
    printf "medians of %d runs       to map   processor   peak RSS\n", runs
    printf "  velmoka              %7.1f ms  %7.1f ms  %6.1f MiB\n", vm, vp, vk / 1024
    printf "  minimal window       %7.1f ms  %7.1f ms  %6.1f MiB\n", mm, mp, mk / 1024
    printf "  velmoka / minimal    %7.3f     %7.3f     %+6.1f MiB\n", vm / mm, vp / mp, (vk - mk) / 1024
    printf "  median of the pairs  %7.3f     %7.3f\n", pm, pp
}'
