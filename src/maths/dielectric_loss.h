#pragma once

// The loss in the substrate: the share of the line's field inside it, the filling factor,
// times the substrate's own loss.
namespace velmoka {

// q = (e_eff − 1)/(er − 1), from 0 with all the field in air to 1 with all of it in the
// substrate. Needs er > 1: at er = 1 the quotient is 0/0, though its limit is finite.
double filling_factor(double er, double e_eff);

// The filling factor once dispersion has drawn the field into the substrate, from the static
// one and Kirschning and Jansen's P(f): (e_eff(f) − 1)/(er − 1) = 1 − (1 − q)/(1 + P), which
// holds at every er, 1 included.
double dispersed_filling_factor(double static_filling, double growth);

// αd = (π·f/c)·(er/sqrt(e_eff))·q·tan δ, Np/m, at frequency f (Hz), with the substrate's er and
// tan δ at f and the line's e_eff and filling factor q there (Welch and Pratt, Proc. IEEE 54,
// 1966; Hammerstad and Jensen 1980).
double dielectric_attenuation(double frequency, double er, double loss_tangent, double e_eff, double filling);

}  // namespace velmoka
