#pragma once

#include "maths/line_at_frequency.h"
#include "maths/width_search.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

// The line model and the width search over arrays of lines, at full precision: a strip's
// W/H, T/H and substrate permittivity in, its impedance and effective dielectric constant out,
// or the W/H of a wanted impedance. Each function takes n elements from each input and writes
// n to each output; inputs and outputs are contiguous and must not overlap, any n is fine.
// Safe to call from several threads at once on different arrays.
//
// Where the processor has AVX-512, or AVX2 with FMA, the work runs on SIMD lanes in the same
// operations and the same order as the scalar model (microstrip_line, solve_width_ratio), with
// SLEEF's elementary functions of 1 ULP, x^y taken as e^(y·ln x) for the two powers of each
// strip; elsewhere it runs the scalar model itself, element by element.
//
// Agreement with the scalar model, relative; the two differ only in the last bits of the
// elementary functions:
// - z0 and e_eff within 1e-13 over W/H 1e-5 to 1000, T/H 0 to 100 and no more than 1e5 times
//   W/H, er 1 to 1e300. Beyond, two logarithms of a number near 1 magnify a last-bit
//   difference: for T/H above 1e5·W/H, that of Δu1, ln(1 + c/t) with c/t about 70·u/t, by
//   up to 2e-16·t/(70u) in Δu1 (7e-12 in z0 at T/H 3e6 times W/H); for W/H above 1000, that
//   of z0, ln of about 1 + 2π/u, by up to 3.5e-17·u in z0 and four times that in e_eff
//   (4.3e-13 at W/H 6,000). Such a difference is rare there, and both values are then as near
//   the model's exact one as each other.
// - The width ratio within 5e-12 (2.2e-12 the largest of a million), and NaN exactly where the scalar
//   search gives none. The search's finite-difference slope divides a last-bit difference of
//   two impedances by the 1e-4 between them: the scalar search itself moves its ratio by up
//   to 1.5e-12 when T/H moves by one unit in the last place, so 1e-13 is not to be had.
namespace velmoka {

// Lines to hand the functions at once from a larger task: enough for their lanes (and few
// searches ending together), few enough for the first-level cache.
inline constexpr std::size_t kLineBlock = 512;

// W/H or T/H as the functions take them, NaN where the dielectric thickness is not a positive
// finite length: W/0 would read as an infinitely wide strip.
inline double ratio_to(double length, double h) {
    return h > 0.0 && std::isfinite(h) ? length / h : std::numeric_limits<double>::quiet_NaN();
}

// The line of each W/H u, T/H t and permittivity er, as microstrip_line gives it:
// - NaN in any input gives NaN in both outputs, and so does u <= 0, t < 0 or er < 1: nothing
//   is repaired here the way the window's commands repair what is typed.
// - t = 0 is the zero-thickness strip, the limit of the thickness correction
//   Δu1 = (t/π)·ln(1 + 4e·tanh²(sqrt(6.517u))/t) as t → 0; any t above 0 is taken as it is.
// - An infinitely wide strip has z0 = 0 and e_eff = er; an infinitely thick one is finite.
//   An infinite er gives NaN.
void microstrip_lines(std::size_t n, const double* u, const double* t, const double* er, double* z0, double* e_eff);

// The W/H that the width search finds for each wanted impedance z_want (ohms) on a strip of
// T/H t over permittivity er: the search of solve_width_ratio (the closed-form estimate, then
// finite-difference Newton passes until the model lies within 0.01 ohm, at most 100 passes),
// giving the last pass's probe ratio. NaN where that search ends with no width (the impedance
// is out of reach or the search does not settle), for z_want below kLowestWantedImpedance,
// for any input that is NaN or infinite, and for t < 0 or er < 1. t = 0 searches on the
// zero-thickness strip. Each lane takes the next target as its search ends, and they run dry
// only at the end of the arrays: blocks of 512 or more keep that share small.
void strip_width_ratios(std::size_t n, const double* z_want, const double* t, const double* er, double* u);

// Where lines_at_frequency writes each result of LineAtFrequency, n elements a column.
struct LineColumns {
    LineStatus* status;
    std::uint16_t* warnings;  // RangeWarnings' flags
    double* er;
    double* loss_tangent;
    double* z0;
    double* e_eff;
    double* alpha_c;  // Np/m
    double* alpha_d;  // Np/m
    double* alpha;    // Np/m
    double* gamma_re;
    double* gamma_im;
    double* zc_re;
    double* zc_im;
    double* r;
    double* l;
    double* g;
    double* c;
    double* skin_depth;
    double* guided_wavelength;
    double* delay;
};

// The line at frequency of each strip of width W, dielectric height H and thickness T (m) at
// each frequency f (Hz), all on one dielectric with one conductor, as line_at_frequency gives
// it: the same status and warnings, and NaN in every number where the status is not ok. On SIMD
// lanes where the processor has them, the dispersion and the losses in the very source
// line_at_frequency runs, the static model on the lanes of microstrip_lines, whose last bits
// differ; every number then lies within 1e-12 of line_at_frequency's, relative, but Im Zc, the
// difference of the two losses, within 1e-12 of |Zc|, and what the dielectric loss enters (αd,
// α, γ, Zc, G) within 1e-13/(e_eff − 1): on a substrate all but air its filling factor divides
// the static model's last bits by e_eff − 1.
void lines_at_frequency(std::size_t n, const double* width, const double* height, const double* thickness,
                        const double* frequency, const Dielectric& dielectric, const Conductor& conductor,
                        const LineColumns& out);

// Where coupled_pairs writes each mode, n elements a column.
struct PairColumns {
    double* z_even;
    double* z_odd;
    double* e_eff_even;
    double* e_eff_odd;
};

// The closed-form pair of each W/H u, S/H g, T/H t and permittivity er, as coupled_microstrip
// gives its modes: NaN in all four where it gives none (no pair, or no sound answer); a pair
// beyond the fitted range keeps its modes. On SIMD lanes where the processor has them, each
// formula in coupled_microstrip's operations and order on the single strip's terms of
// microstrip_lines, whose last bits differ: every mode then lies within 1e-13 of
// coupled_microstrip's, relative, over W/H and S/H 0.01 to 100, T/H 0 to 1 and er 1 to 100;
// a lane whose answer lies within that of the soundness bounds (e_eff at 1 or er) may be
// judged the other way.
void coupled_pairs(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                   const PairColumns& out);

// The instruction set the functions above run on here: "avx512", "avx2" or "scalar".
std::string_view line_arrays_instruction_set();

}  // namespace velmoka
