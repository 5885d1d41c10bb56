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
  line's; and its centring, against the line's;
- velmoka.line, the line at frequency with its losses, over a million frequencies and over a
  million widths, against scikit-rf's MLine with the same models (bench/skrf_line_at_frequency.py);
- velmoka.pair, the closed form over a million pairs, and velmoka.field_pair of one pair to
  0.01 %, each on its own (the field pair's figure is the time of the one pair).

    PYTHONPATH=build/src/python bench/python_bench.py [RUNS]

VELMOKA_LANES=avx2 (or avx512, scalar) takes those lanes in place of the fastest.
"""

import statistics
import sys
import time
import warnings

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

# The line of bench/skrf_line_at_frequency.py: 3 mm on 1.55 mm FR-4 (er 4.413, tan d 0.0182 at
# 1 GHz, the causal wideband model), 35 um copper of 1.7e-8 ohm m, 0.15 um rms, Kirschning and
# Jansen's dispersion; a million frequencies from 0.2 to 20 GHz, a million widths at 10 GHz.
SKRF_AT_FREQUENCY = dict(h=1.55e-3, t=35e-6, ep_r=4.413, tand=0.0182, rho=1.7e-8, rough=0.15e-6,
                         diel="djordjevicsvensson", disp="kirschningjansen", f_low=1e3, f_high=1e12,
                         f_epr_tand=1e9)
AT_FREQUENCY = dict(tand=0.0182, sigma=1 / 1.7e-8, roughness=0.15)
FREQUENCIES = np.linspace(0.2, 20, ELEMENTS)        # GHz
LINE_WIDTHS = np.linspace(0.1, 10, ELEMENTS) * 1550  # microns


def scikit_rf_at_frequency(frequency, w):
    line = MLine(frequency=frequency, w=w * MICRONS, **SKRF_AT_FREQUENCY)
    return line.gamma, line.Z0_f, line.ep_reff_f


# Pairs over W/H and S/H 0.1 to 10, T/H 0 to 0.2, er 2.2 to 10, on H = 100 um; the field's pair
# is the 100 ohm pair of the pair's spread.
PAIR_W = np.linspace(10, 1000, ELEMENTS)
PAIR_S = PAIR_W[::-1].copy()
PAIR_T = np.linspace(0, 20, ELEMENTS)
PAIR_ER = np.linspace(2.2, 10, ELEMENTS)

CANDIDATES = {
    "scikit-rf MLine, a million widths": scikit_rf_line,
    "velmoka.microstrip_line, a million widths": lambda: velmoka.microstrip_line(WIDTHS, H, T, ER),
    "velmoka.strip_width, a million targets": lambda: velmoka.strip_width(TARGETS, H, T, ER),
    "velmoka.analysis, a million designs": lambda: velmoka.analysis(w=WIDTHS, h=H, t=T, er=ER),
    "velmoka.spread, a million samples": lambda: velmoka.spread(2700, 1600, 35, 4.5, **FR4_BUDGET),
    "velmoka.spread, centred": lambda: velmoka.spread(2700, 1600, 35, 4.5, centre=True, **FR4_BUDGET),
    "velmoka.spread of a pair, a million samples": lambda: velmoka.spread(137, 100, 35, 4.0, **PAIR_BUDGET),
    "velmoka.spread of a pair, centred": lambda: velmoka.spread(137, 100, 35, 4.0, centre=True, **PAIR_BUDGET),
    "scikit-rf MLine at frequency, a million frequencies":
        lambda: scikit_rf_at_frequency(skrf.Frequency(0.2, 20, ELEMENTS, "GHz"), 3000.0),
    "velmoka.line, a million frequencies": lambda: velmoka.line(3000, 1550, 35, 4.413, FREQUENCIES, **AT_FREQUENCY),
    "scikit-rf MLine at frequency, a million widths":
        lambda: scikit_rf_at_frequency(skrf.Frequency(10, 10, 1, "GHz"), LINE_WIDTHS),
    "velmoka.line, a million widths": lambda: velmoka.line(LINE_WIDTHS, 1550, 35, 4.413, 10.0, **AT_FREQUENCY),
    "velmoka.pair, a million pairs": lambda: velmoka.pair(PAIR_W, PAIR_S, 100, PAIR_T, PAIR_ER),
}
ONE_ELEMENT = {"velmoka.field_pair, one pair": lambda: velmoka.field_pair(137, 150, 100, 35, 4.0)}


def main():
    warnings.simplefilter("ignore", RuntimeWarning)  # MLine's own NaN in its Z0(f) at some widths
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    times = {name: [] for name in CANDIDATES | ONE_ELEMENT}
    for _ in range(runs):  # in turn, so that the machine's drifts touch every candidate alike
        for candidates, elements in ((CANDIDATES, ELEMENTS), (ONE_ELEMENT, 1)):
            for name, call in candidates.items():
                start = time.perf_counter()
                call()
                times[name].append((time.perf_counter() - start) / elements * 1e9)
    median = {name: statistics.median(values) for name, values in times.items()}
    yardsticks = {"velmoka.microstrip_line, a million widths": "scikit-rf MLine, a million widths",
                  "velmoka.strip_width, a million targets": "velmoka.microstrip_line, a million widths",
                  "velmoka.analysis, a million designs": "scikit-rf MLine, a million widths",
                  "velmoka.spread, a million samples": "velmoka.microstrip_line, a million widths",
                  "velmoka.spread, centred": "velmoka.microstrip_line, a million widths",
                  "velmoka.spread of a pair, a million samples": "velmoka.spread, a million samples",
                  "velmoka.spread of a pair, centred": "velmoka.spread, centred",
                  "velmoka.line, a million frequencies": "scikit-rf MLine at frequency, a million frequencies",
                  "velmoka.line, a million widths": "scikit-rf MLine at frequency, a million widths"}
    print(f"medians of {runs} runs, ns an element, on the {velmoka.instruction_set()} lanes")
    for name, value in median.items():
        against = yardsticks.get(name)
        ratio = f"   {median[against] / value:6.2f} times as fast as {against}" if against else ""
        print(f"  {name:52s} {value:12.1f}{ratio}")


if __name__ == "__main__":
    main()
