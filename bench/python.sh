#!/bin/sh
# The Python module against its yardsticks, side by side:
# - `import velmoka` against `import numpy`, start to exit of Debian's python3 (hyperfine);
# - bench/python_bench.py: the line model, the width search, the commands and the tolerance
#   budget over a million elements against scikit-rf and against each other, in one process.
#
#   bench/python.sh [RUNS]     (builds the module into build/ first; VELMOKA_LANES=avx2 in front
#                               measures the AVX2 lanes where the processor has AVX-512 too)
set -eu
cd "$(dirname "$0")/.."

scripts/install-missing hyperfine python3-scikit-rf
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target velmoka_python >/dev/null
export PYTHONPATH="$PWD/build/src/python"

echo "== import, start to exit"
hyperfine -N --warmup 10 --runs 100 "/usr/bin/python3 -c 'import velmoka'" "/usr/bin/python3 -c 'import numpy'"

echo "== a million elements"
/usr/bin/python3 bench/python_bench.py "${1:-7}"
