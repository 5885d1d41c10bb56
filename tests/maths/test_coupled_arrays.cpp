// The closed-form pair over arrays: every element as the scalar pair gives it, to the last bit,
// across the threads' pieces and their ragged end, NaN for pairs that are no pair.

#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "maths/coupled_arrays.h"
#include "maths/coupled_microstrip.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool same_bits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

class TestCoupledArrays : public QObject {
    Q_OBJECT

private slots:
    void elementsAreTheScalarPairs();
    void noElements();
};

// More elements than several threads' pieces and no whole number of them, cycling through valid
// pairs, pairs beyond the fit and inputs that are no pair.
void TestCoupledArrays::elementsAreTheScalarPairs() {
    constexpr std::size_t kCount = 3 * 4096 + 17;
    const double widths[] = {0.05, 0.3, 1.0, 2.5, 12.0, 0.0, kNaN};
    const double gaps[] = {0.1, 0.5, 1.7, 8.0, 30.0, -1.0};
    const double thicknesses[] = {0.0, 0.01, 0.2, 1.0, -0.5};
    const double permittivities[] = {1.0, 2.2, 4.4, 9.8, 25.0, 0.5, kNaN, std::numeric_limits<double>::infinity()};
    std::vector<double> u(kCount), g(kCount), t(kCount), er(kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
        u[i] = widths[i % std::size(widths)];
        g[i] = gaps[i % std::size(gaps)];
        t[i] = thicknesses[i % std::size(thicknesses)];
        er[i] = permittivities[i % std::size(permittivities)];
    }
    std::vector<double> z_even(kCount), z_odd(kCount), e_eff_even(kCount), e_eff_odd(kCount);
    velmoka::coupled_microstrips(kCount, u.data(), g.data(), t.data(), er.data(), z_even.data(), z_odd.data(),
                                 e_eff_even.data(), e_eff_odd.data());
    std::size_t no_pairs = 0;
    for (std::size_t i = 0; i < kCount; ++i) {
        const velmoka::CoupledMicrostrip pair = velmoka::coupled_microstrip(u[i], g[i], t[i], er[i]);
        QVERIFY2(same_bits(z_even[i], pair.modes.z_even) && same_bits(z_odd[i], pair.modes.z_odd) &&
                     same_bits(e_eff_even[i], pair.modes.e_eff_even) && same_bits(e_eff_odd[i], pair.modes.e_eff_odd),
                 qPrintable(QStringLiteral("element %1").arg(i)));
        no_pairs += std::isnan(z_even[i]) ? 1 : 0;
    }
    // Widths 0 and NaN, gap −1, thickness −0.5 and permittivities 0.5, NaN and infinity each stand
    // in enough rows that both kinds of element run through every piece.
    QVERIFY(no_pairs > kCount / 4 && no_pairs < kCount);
}

void TestCoupledArrays::noElements() {
    velmoka::coupled_microstrips(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

QTEST_APPLESS_MAIN(TestCoupledArrays)
#include "test_coupled_arrays.moc"
