#!/usr/bin/python3
# The yardstick of the line at frequency: scikit-rf's MLine on the line of bench/
# line_at_frequency_bench.cpp with the same models (causal wideband dielectric anchored at
# 1 GHz, Kirschning-Jansen dispersion, Hammerstad roughness), giving gamma, the dispersed Z0 and
# e_eff of a million frequencies, then of a million widths at 10 GHz, each in one vectorised
# call. Prints the time per point of each on standard error.
import sys
import time
import warnings

import numpy as np
import skrf
from skrf.media import MLine

MILLION = 1_000_000
LINE = dict(h=1.55e-3, t=35e-6, ep_r=4.413, tand=0.0182, rho=1.7e-8, rough=0.15e-6,
            diel='djordjevicsvensson', disp='kirschningjansen', f_low=1e3, f_high=1e12, f_epr_tand=1e9)


def time_per_point(frequency, w):
    start = time.perf_counter()
    line = MLine(frequency=frequency, w=w, **LINE)
    gamma, z0, e_eff = line.gamma, line.Z0_f, line.ep_reff_f
    return (time.perf_counter() - start) / max(np.size(gamma), np.size(z0), np.size(e_eff))


warnings.simplefilter('ignore', RuntimeWarning)  # MLine's own NaN in its Z0(f) at some widths
per_frequency = time_per_point(skrf.Frequency(0.2, 20, MILLION, 'GHz'), 3.0e-3)
per_width = time_per_point(skrf.Frequency(10, 10, 1, 'GHz'), np.linspace(0.1, 10, MILLION) * 1.55e-3)
print(f"scikit-rf {skrf.__version__} MLine: {per_frequency * 1e9:.0f} ns a frequency,"
      f" {per_width * 1e9:.0f} ns a width", file=sys.stderr)
