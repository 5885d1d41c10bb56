// Writes docs/pair_accuracy.csv: the closed-form pair beside the field solution over a grid of
// substrates, widths, gaps and copper thicknesses, for the accuracy page. Run by hand from the
// top of the repository: build/bench/pair_accuracy_table > docs/pair_accuracy.csv

#include "field_solver/field_pair.h"
#include "maths/coupled_microstrip.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double kPermittivities[] = {2.2, 4.4, 10.0};
constexpr double kRatios[] = {0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0};  // W/H and S/H
constexpr double kThicknesses[] = {0.0, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0};       // T/H

// The closed form's value over the field's, less 1; empty where either has none.
std::string difference(double formula, double field) {
    if (std::isnan(formula) || std::isnan(field)) {
        return "";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", formula / field - 1.0);
    return text;
}

}  // namespace

int main() {
    std::printf("# The closed-form edge-coupled pair (Kirschning and Jansen, with Jansen's thickness widening) beside "
                "the quasi-static field solution (boundary elements, each value within 0.01 %%); differences are the "
                "closed form over the field, less 1\n");
    std::printf("er,w_over_h,s_over_h,t_over_h,field_z_even,field_z_odd,field_e_eff_even,field_e_eff_odd,field_status,"
                "formula_z_even,formula_z_odd,formula_e_eff_even,formula_e_eff_odd,formula_status,"
                "z_even_difference,z_odd_difference,e_eff_even_difference,e_eff_odd_difference\n");
    for (double er : kPermittivities) {
        for (double u : kRatios) {
            for (double g : kRatios) {
                for (double t : kThicknesses) {
                    const velmoka::FieldPair field = velmoka::field_pair(u, g, t, er);
                    const velmoka::CoupledMicrostrip formula = velmoka::coupled_microstrip(u, g, t, er);
                    const velmoka::PairModes& f = field.modes;
                    const velmoka::PairModes& m = formula.modes;
                    std::printf("%g,%g,%g,%g,%.7g,%.7g,%.7g,%.7g,%s,%.7g,%.7g,%.7g,%.7g,%s,%s,%s,%s,%s\n", er, u, g, t,
                                f.z_even, f.z_odd, f.e_eff_even, f.e_eff_odd,
                                std::string(velmoka::field_pair_status_text(field.status)).c_str(), m.z_even, m.z_odd,
                                m.e_eff_even, m.e_eff_odd,
                                std::string(velmoka::coupled_status_text(formula.status)).c_str(),
                                difference(m.z_even, f.z_even).c_str(), difference(m.z_odd, f.z_odd).c_str(),
                                difference(m.e_eff_even, f.e_eff_even).c_str(),
                                difference(m.e_eff_odd, f.e_eff_odd).c_str());
                    std::fflush(stdout);
                }
            }
        }
    }
}
