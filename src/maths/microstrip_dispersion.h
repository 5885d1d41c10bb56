#pragma once

// Dispersion of a single microstrip: its effective permittivity rising from the static value
// towards er as the frequency rises (Kirschning and Jansen, Electronics Letters 18(6), 1982),
// and its impedance in the power-current definition (Jansen and Kirschning, AEÜ 37, 1983).
// u is W/H, the bare strip's width ratio, as in both papers; the static values they start
// from carry the strip-thickness correction.
namespace velmoka {

// The ranges each formula was fitted over: W/H, er, and the substrate's thickness H/λ0.
inline constexpr double kDispersionNarrowest = 0.1;          // Kirschning–Jansen e_eff(f)
inline constexpr double kDispersionWidest = 100.0;
inline constexpr double kDispersionHighestPermittivity = 20.0;
inline constexpr double kDispersionThickestSubstrate = 0.13;
inline constexpr double kImpedanceNarrowest = 0.1;           // Jansen–Kirschning Z0(f)
inline constexpr double kImpedanceWidest = 10.0;
inline constexpr double kImpedanceHighestPermittivity = 18.0;
inline constexpr double kImpedanceThickestSubstrate = 0.1;

// fn = f·H in GHz·mm, the normalised frequency of both papers: their constants (the 38.7 of
// P3, the 28.843 of R5) are in GHz·mm. Frequency in Hz, height H in metres.
double normalised_frequency(double frequency, double height);

// The terms of both formulas that depend on the strip's width ratio alone.
// Each of these terms is a Real: a double, or a vector of doubles on SIMD lanes.
template <typename Real>
struct WidthDispersionOf {
    Real u;
    Real p1_static;     // P1 once its narrowing has faded: 0.27488 + 0.6315·u − 0.065683·e^(−8.7513·u)
    Real p1_narrowing;  // 0.525·u, the part of P1 that fades as (1 + 0.0157·fn)^−20
    Real p3_amplitude;  // 0.0363·e^(−4.6·u)
    Real r2_share;      // 1 − e^(−R2) of R7
    Real r3;
    Real r6_decay;      // e^(−R6) of R9
    Real r12;
    Real r16_share;     // 1 − e^(−(u/15)⁶) of R16
};
using WidthDispersion = WidthDispersionOf<double>;

WidthDispersion width_dispersion(double u);

// The terms that depend on the strip and the substrate, and on no frequency.
template <typename Real>
struct StripDispersionOf {
    Real er;
    WidthDispersionOf<Real> width;
    Real p2;
    Real p4;
    Real r7;
    Real r8_rate;       // 0.004625·R3·er^1.674
    Real r9_amplitude;  // R9 without its R5/(1 + 1.2992·R5)
    Real r15_rate;      // 0.707·R10
    Real r16_rate;      // 0.0503·er²·(1 − e^(−(u/15)⁶))
};
using StripDispersion = StripDispersionOf<double>;

StripDispersion strip_dispersion(const WidthDispersion& width, double er);
StripDispersion strip_dispersion(double u, double er);

// The four terms of Kirschning and Jansen's dispersion, P(fn) = P1·P2·((0.1844 + P3·P4)·fn)^1.5763.
// The coupled-line dispersion of the same authors is built from these very terms.
template <typename Real>
struct DispersionTermsOf {
    Real p1;  // width and frequency
    Real p2;  // permittivity
    Real p3;  // width and frequency, for narrow strips
    Real p4;  // permittivity
};
using DispersionTerms = DispersionTermsOf<double>;

DispersionTerms dispersion_terms(const StripDispersion& strip, double fn);
DispersionTerms dispersion_terms(double u, double er, double fn);

// P(fn), 0 at fn = 0.
double dispersion_growth(const DispersionTerms& terms, double fn);

// e_eff(f) = er − (er − e_eff(0))/(1 + P): the static value exactly at P = 0, er as P grows
// without bound.
double dispersed_effective_permittivity(double er, double static_e_eff, double growth);

// Z0(f)/Z0(0) = (R13/R14)^R17 of Jansen and Kirschning, from the static and dispersed effective
// permittivities. Exactly 1 at fn = 0. The exponents R1, R2 and R6 are held at 20 (e^−20 is
// 2e-9, below every other term they meet), and every quotient of two growing powers is taken
// as the inverse of a sum, so that no power that overflows turns into ∞/∞ or 0·∞. R4 is held
// at its value at er = 18, the top of the published range: above about er = 34 it carries R9
// past 0.9408 on narrow strips at high frequencies, and R14 negative.
//
// Callers keep er >= kLowestImpedanceDispersionPermittivity. Below it the published ratio
// departs from physics: its dispersion grows as the substrate thins towards air (at W/H 2 and
// fn 30, 7 % at er 1.2, 13 % at 1.05), and below about er 1.04 R13 = 0.9408·e_eff(f)^R8 − 0.9603
// and R14 = (0.9408 − R9)·e_eff(0)^R8 − 0.9603 vanish near e_eff = 1.0207, not together, so
// the ratio swings through ±∞ to NaN as the frequency rises. The line at frequency scales the
// ratio at this permittivity linearly in er − 1 down to 1 in air, where a homogeneous line has
// no dispersion.
inline constexpr double kLowestImpedanceDispersionPermittivity = 1.2;
double impedance_dispersion_ratio(const StripDispersion& strip, double fn, double static_e_eff,
                                  double dispersed_e_eff);

// The two powers of Jansen and Kirschning's Z0(f) at one frequency, which depend on the strip's
// width ratio, er and fn alone. The even mode of a coupled pair builds its own ratio on them:
// its e_eff raised to a power built on R8, the ratio to R17.
template <typename Real>
struct ImpedanceDispersionPowersOf {
    Real r8;   // the power of e_eff in R13 and R14
    Real r17;  // the power of R13/R14
};
using ImpedanceDispersionPowers = ImpedanceDispersionPowersOf<double>;

ImpedanceDispersionPowers impedance_dispersion_powers(const StripDispersion& strip, double fn);

// (R13/R14)^R17 from the powers, R9 and both effective permittivities, as in
// impedance_dispersion_ratio: a ratio of the same form with other powers and another R9.
double impedance_ratio_of_powers(const ImpedanceDispersionPowers& powers, double r9, double static_e_eff,
                                 double dispersed_e_eff);

}  // namespace velmoka
