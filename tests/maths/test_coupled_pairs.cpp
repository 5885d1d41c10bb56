// The closed-form pair over arrays on each SIMD instruction set this processor runs, against
// coupled_microstrip pair by pair: random pairs over the domain the header promises 1e-13 on,
// and the inputs that are no pair or have no sound answer.

#include <QTest>

#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "maths/coupled_microstrip.h"
#include "maths/line_array_kernels.h"

using velmoka::LineArrayKernels;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPairAgreement = 1e-13;       // relative, each mode
constexpr std::size_t kRandomPairs = 300'007;  // not a whole number of vectors: the tail is worked too

struct Pairs {
    std::vector<double> u, g, t, er;
};

// The modes of each pair by one kernel; one more place a column, which must stay as it was.
struct Modes {
    std::vector<double> z_even, z_odd, e_eff_even, e_eff_odd;

    explicit Modes(std::size_t n)
        : z_even(n + 1, -1.0), z_odd(n + 1, -1.0), e_eff_even(n + 1, -1.0), e_eff_odd(n + 1, -1.0) {}
    velmoka::PairColumns columns() { return {z_even.data(), z_odd.data(), e_eff_even.data(), e_eff_odd.data()}; }
};

// Within the relative tolerance, or NaN where coupled_microstrip gives none.
bool agrees(double actual, double expected) {
    if (std::isnan(expected) || std::isnan(actual))
        return std::isnan(expected) && std::isnan(actual);
    return std::abs(actual - expected) <= kPairAgreement * std::abs(expected);
}

// Every mode of every pair by each SIMD kernel against coupled_microstrip.
void check_every_pair(const Pairs& pairs) {
    const std::size_t n = pairs.u.size();
    const std::span<const LineArrayKernels> runnable = velmoka::runnable_line_array_kernels();
    for (const LineArrayKernels& kernels : runnable.first(runnable.size() - 1)) {
        Modes modes(n);
        kernels.coupled_pairs(n, pairs.u.data(), pairs.g.data(), pairs.t.data(), pairs.er.data(), modes.columns());
        const QByteArray where(kernels.instruction_set.data(), kernels.instruction_set.size());
        QVERIFY2(modes.z_even[n] == -1.0 && modes.e_eff_odd[n] == -1.0, (where + ": wrote past the end").constData());
        for (std::size_t i = 0; i < n; ++i) {
            const velmoka::PairModes expected =
                velmoka::coupled_microstrip(pairs.u[i], pairs.g[i], pairs.t[i], pairs.er[i]).modes;
            const double actual[] = {modes.z_even[i], modes.z_odd[i], modes.e_eff_even[i], modes.e_eff_odd[i]};
            const double wanted[] = {expected.z_even, expected.z_odd, expected.e_eff_even, expected.e_eff_odd};
            for (std::size_t mode = 0; mode < 4; ++mode) {
                if (!agrees(actual[mode], wanted[mode])) {
                    QFAIL((where + ": mode value " + QByteArray::number(mode) + " " +
                           QByteArray::number(actual[mode], 'g', 17) + " against " +
                           QByteArray::number(wanted[mode], 'g', 17) + " at u " +
                           QByteArray::number(pairs.u[i], 'g', 17) + ", g " + QByteArray::number(pairs.g[i], 'g', 17) +
                           ", t " + QByteArray::number(pairs.t[i], 'g', 17) + ", er " +
                           QByteArray::number(pairs.er[i], 'g', 17))
                              .constData());
                }
            }
        }
    }
}

// n values log-uniform between low and high (uniform when low is 0).
std::vector<double> spread(std::mt19937_64& random, std::size_t n, double low, double high) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values(n);
    for (double& value : values) {
        const double x = unit(random);
        value = low == 0.0 ? high * x : low * std::pow(high / low, x);
    }
    return values;
}

}  // namespace

class TestCoupledPairs : public QObject {
    Q_OBJECT

private slots:
    void random_pairs_agree_with_the_scalar_pair();
    void no_pair_and_no_sound_answer();
};

// W/H and S/H 0.01 to 100, T/H 0 to 1 (a tenth of the pairs of no thickness, and runs of them a
// whole vector long), er 1 to 100.
void TestCoupledPairs::random_pairs_agree_with_the_scalar_pair() {
    if (velmoka::runnable_line_array_kernels().size() == 1) {
        QSKIP("this processor has no SIMD lanes: the scalar pair runs itself");
    }
    std::mt19937_64 random(20261208);
    Pairs pairs{spread(random, kRandomPairs, 0.01, 100.0), spread(random, kRandomPairs, 0.01, 100.0),
                spread(random, kRandomPairs, 0.0, 1.0), spread(random, kRandomPairs, 1.0, 100.0)};
    for (std::size_t i = 0; i < kRandomPairs; ++i) {
        if (i % 10 == 0 || (i / 64) % 50 == 0) {
            pairs.t[i] = 0.0;
        }
    }
    check_every_pair(pairs);
}

// Each input that makes no pair, beside pairs that are, in one vector; a gap so narrow the closed
// form has no sound answer, and one so wide the strips no longer couple.
void TestCoupledPairs::no_pair_and_no_sound_answer() {
    if (velmoka::runnable_line_array_kernels().size() == 1) {
        QSKIP("this processor has no SIMD lanes: the scalar pair runs itself");
    }
    check_every_pair({{1.0, 0.0, -1.0, kInf, kNaN, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 2.0, 1.0},
                      {1.0, 1.0, 1.0, 1.0, 1.0, 0.0, kInf, kNaN, 1.0, 1.0, 1.0, 1.0, 1.0, 1e-6, 1e9, 1.0, 1.0},
                      {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, -0.1, kInf, kNaN, 0.1, 0.1, 0.1, 0.1, 0.0, 0.1},
                      {4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 4.0, 0.5, kInf, 4.0, 4.0, 4.0, 4.0}});
}

QTEST_APPLESS_MAIN(TestCoupledPairs)
#include "test_coupled_pairs.moc"
