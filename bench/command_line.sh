#!/bin/sh
# velmoka-cli against its yardsticks, side by side in one hyperfine run each:
# - one `velmoka-cli analysis`, start to exit, against a C++ hello-world built the same way;
#   and the shared libraries it loads, none of them Qt's;
# - a million-row width sweep written as CSV to /dev/null, against scikit-rf computing the
#   impedance and effective dielectric constant of the same million widths in one vectorised
#   call (the whole Python process, and the call alone as the script reports it); with the
#   sweep's peak resident memory.
#
#   bench/command_line.sh        (builds into build/ first)
set -eu
cd "$(dirname "$0")/.."

scripts/install-missing hyperfine python3-scikit-rf
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target velmoka-cli hello_world >/dev/null
cli=build/src/command_line/velmoka-cli
sweep="$cli analysis --w 10:10010:0.01 --h 100 --t 4 --er 12.9 --format csv"

echo "== libraries velmoka-cli loads"
ldd "$cli" | awk '{ print "  " $1 }'
if ldd "$cli" | grep -q 'libQt'; then
    echo "velmoka-cli loads Qt" >&2
    exit 1
fi

echo "== start to exit"
hyperfine -N --warmup 20 --runs 300 "$cli analysis --opening-window" build/bench/hello_world

echo "== a million-row width sweep"
hyperfine --warmup 1 --runs 5 "$sweep >/dev/null" "/usr/bin/python3 bench/skrf_sweep.py 2>/dev/null"
# The sweep beside the vectorised call alone, in turn, 11 times: the medians and their ratio.
for run in 1 2 3 4 5 6 7 8 9 10 11; do
    start=$(date +%s%N)
    $sweep >/dev/null
    echo "sweep $(( ($(date +%s%N) - start) / 1000 ))"
    /usr/bin/python3 bench/skrf_sweep.py 2>&1 | awk '/vectorised call/ { print "call " $4 * 1e6 }'
done | awk '
    { times[$1] = times[$1] " " $2 }
    function median(list,    values, n, i, j, swap) {
        n = split(list, values, " ")
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (values[j] < values[i]) { swap = values[i]; values[i] = values[j]; values[j] = swap }
        return values[int((n + 1) / 2)]
    }
    END {
        sweep = median(times["sweep"]); call = median(times["call"])
        printf "medians of 11 runs in turn: the sweep %.1f ms, the vectorised call alone %.1f ms: %.2f times\n", sweep / 1000, call / 1000, sweep / call
    }'
/usr/bin/time -f "velmoka-cli sweep: peak resident memory %M KiB, %e s" sh -c "$sweep >/dev/null"
