#!/usr/bin/python3
"""The Python module against scikit-rf, side by side in one process: each figure is the median of
several runs over a million elements, in ns an element, with its yardstick from the same run.

- velmoka.microstrip_line over a million widths against scikit-rf's MLine over the same widths
  (Hammerstad and Jensen, no dispersion: its impedance and effective dielectric constant);
- velmoka.strip_width over a million targets against velmoka.microstrip_line;
- velmoka.analysis over a million designs, the numbers the boxes show, against scikit-rf's MLine;
- velmoka.spread, a million samples with all four inputs toleranced, against
  velmoka.microstrip_line over a million widths; and its centring, in those runs;
- velmoka.spread of a 100 ohm pair, a million samples with its gap toleranced too, against the
  line's; and its centring, against the line's.

    PYTHONPATH=build/src/python bench/python_bench.py [RUNS]
"""

import statistics
import sys
import time

import numpy as np
import skrf
from skrf.media import MLine

import velmoka

MICRONS = 1e-6  # metres
ELEMENTS = 1_000_000
WIDTHS = 10 + np.arange(ELEMENTS) * 0.01  # microns, 10 to 10010, as bench/skrf_sweep.py
H, T, ER = 100.0, 4.0, 12.9               # microns, microns, relative permittivity
TARGETS = np.linspace(20, 120, ELEMENTS)  # ohms, each reached on this substrate


def scikit_rf_line():
    line = MLine(frequency=skrf.Frequency(1, 1, 1, "GHz"), w=WIDTHS * MICRONS, h=H * MICRONS, t=T * MICRONS,
                 ep_r=ER, model="hammerstadjensen", disp="none", diel="frequencyinvariant", rough=0, tand=0)
    return np.real(line.Z0), np.real(line.ep_reff)


FR4_BUDGET = {"units": "microns", "tol_w": "10%", "tol_h": "10%", "tol_t": "10%", "tol_er": "10%",
              "target": 50, "band": "10%", "samples": ELEMENTS, "seed": 1}
# A 100 ohm pair on 0.1 mm prepreg with 35 µm copper, every input toleranced.
PAIR_BUDGET = FR4_BUDGET | {"s": 150, "tol_s": "10%", "target": 100}

CANDIDATES = {
    "scikit-rf MLine, a million widths": scikit_rf_line,
    "velmoka.microstrip_line, a million widths": lambda: velmoka.microstrip_line(WIDTHS, H, T, ER),
    "velmoka.strip_width, a million targets": lambda: velmoka.strip_width(TARGETS, H, T, ER),
    "velmoka.analysis, a million designs": lambda: velmoka.analysis(w=WIDTHS, h=H, t=T, er=ER),
    "velmoka.spread, a million samples": lambda: velmoka.spread(2700, 1600, 35, 4.5, **FR4_BUDGET),
    "velmoka.spread, centred": lambda: velmoka.spread(2700, 1600, 35, 4.5, centre=True, **FR4_BUDGET),
    "velmoka.spread of a pair, a million samples": lambda: velmoka.spread(137, 100, 35, 4.0, **PAIR_BUDGET),
    "velmoka.spread of a pair, centred": lambda: velmoka.spread(137, 100, 35, 4.0, centre=True, **PAIR_BUDGET),
}


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    times = {name: [] for name in CANDIDATES}
    for _ in range(runs):  # in turn, so that the machine's drifts touch every candidate alike
        for name, call in CANDIDATES.items():
            start = time.perf_counter()
            call()
            times[name].append((time.perf_counter() - start) / ELEMENTS * 1e9)
    median = {name: statistics.median(values) for name, values in times.items()}
    yardsticks = {"velmoka.microstrip_line, a million widths": "scikit-rf MLine, a million widths",
                  "velmoka.strip_width, a million targets": "velmoka.microstrip_line, a million widths",
                  "velmoka.analysis, a million designs": "scikit-rf MLine, a million widths",
                  "velmoka.spread, a million samples": "velmoka.microstrip_line, a million widths",
                  "velmoka.spread, centred": "velmoka.microstrip_line, a million widths",
                  "velmoka.spread of a pair, a million samples": "velmoka.spread, a million samples",
                  "velmoka.spread of a pair, centred": "velmoka.spread, centred"}
    print(f"medians of {runs} runs, ns an element")
    for name, value in median.items():
        against = yardsticks.get(name)
        ratio = f"   {median[against] / value:6.2f} times as fast as {against}" if against else ""
        print(f"  {name:45s} {value:8.1f}{ratio}")


if __name__ == "__main__":
    main()
