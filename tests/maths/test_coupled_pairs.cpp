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

// Within the relative tolerance, or NaN where coupled_microstrip gives none.
bool agrees(double actual, double expected) {
    if (std::isnan(expected) || std::isnan(actual))
        return std::isnan(expected) && std::isnan(actual);
    return std::abs(actual - expected) <= kPairAgreement * std::abs(expected);
}

// Every mode of every pair by each SIMD kernel against coupled_microstrip; one more place a
// column than the pairs, which must stay as it was.
void check_every_pair(const Pairs& pairs) {
    const std::size_t n = pairs.u.size();
    const std::span<const LineArrayKernels> runnable = velmoka::runnable_line_array_kernels();
    for (const LineArrayKernels& kernels : runnable.first(runnable.size() - 1)) {
        std::vector<double> modes[4] = {std::vector<double>(n + 1, -1.0), std::vector<double>(n + 1, -1.0),
                                        std::vector<double>(n + 1, -1.0), std::vector<double>(n + 1, -1.0)};
        kernels.coupled_pairs(n, pairs.u.data(), pairs.g.data(), pairs.t.data(), pairs.er.data(),
                              {modes[0].data(), modes[1].data(), modes[2].data(), modes[3].data()});
        const QString where = QString::fromUtf8(kernels.instruction_set.data(), kernels.instruction_set.size());
        QVERIFY2(modes[0][n] == -1.0 && modes[3][n] == -1.0, qPrintable(where + ": wrote past the end"));
        for (std::size_t i = 0; i < n; ++i) {
            const velmoka::PairModes expected =
                velmoka::coupled_microstrip(pairs.u[i], pairs.g[i], pairs.t[i], pairs.er[i]).modes;
            const double wanted[] = {expected.z_even, expected.z_odd, expected.e_eff_even, expected.e_eff_odd};
            for (std::size_t mode = 0; mode < 4; ++mode) {
                if (!agrees(modes[mode][i], wanted[mode])) {
                    QFAIL(qPrintable(QString("%1: mode value %2 %3 against %4 at u %5, g %6, t %7, er %8")
                                         .arg(where)
                                         .arg(mode)
                                         .arg(modes[mode][i], 0, 'g', 17)
                                         .arg(wanted[mode], 0, 'g', 17)
                                         .arg(pairs.u[i], 0, 'g', 17)
                                         .arg(pairs.g[i], 0, 'g', 17)
                                         .arg(pairs.t[i], 0, 'g', 17)
                                         .arg(pairs.er[i], 0, 'g', 17)));
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
