#!/usr/bin/python3
# The yardstick of velmoka-cli's million-row sweep: scikit-rf's static microstrip model (no
# dispersion, no loss) giving the impedance and effective dielectric constant of the same
# million widths in one vectorised call. Prints the time of that call alone on standard error.
import sys
import time

import numpy as np
import skrf
from skrf.media import MLine

MICRONS = 1e-6  # metres
WIDTHS = np.arange(1_000_001) * 0.01 * MICRONS + 10 * MICRONS  # 10 to 10010 microns

start = time.perf_counter()
line = MLine(frequency=skrf.Frequency(1, 1, 1, 'GHz'), w=WIDTHS, h=100 * MICRONS, t=4 * MICRONS,
             ep_r=12.9, disp='none', diel='frequencyinvariant', rough=0, tand=0)
z0 = np.real(line.Z0)
e_eff = np.real(line.ep_reff)
elapsed = time.perf_counter() - start
print(f"scikit-rf vectorised call: {elapsed:.3f} s for {z0.size} widths,"
      f" {elapsed / z0.size * 1e9:.0f} ns a row", file=sys.stderr)
