// The line model and the width search over arrays against the scalar model element by element:
// random lines over each domain the header promises, on each SIMD instruction set this
// processor runs, and the edges of what the functions take on those and on the scalar fallback.

#include <QTest>

#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "maths/line_array_kernels.h"
#include "maths/microstrip_line.h"
#include "maths/width_search.h"

using velmoka::LineArrayKernels;
using velmoka::runnable_line_array_kernels;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kModelAgreement = 1e-13;  // relative, z0 and e_eff
// Relative, the width ratio. The search's finite-difference slope divides the last-bit
// difference of two impedances by the 1e-4 between them: the scalar search itself moves its
// ratio by up to 1.5e-12 when T/H moves by one unit in the last place.
constexpr double kSearchAgreement = 5e-12;

// Rows of random lines or targets: fewer under the sanitizers, which run some fifty times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kRandomRows = 100'003;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kRandomRows = 100'003;
#else
constexpr std::size_t kRandomRows = 500'003;  // not a whole number of vectors: the tail is worked too
#endif
#else
constexpr std::size_t kRandomRows = 500'003;
#endif

// Equal, both NaN, or within the relative tolerance.
bool agrees(double actual, double expected, double tolerance) {
    if (std::isnan(expected) || std::isnan(actual))
        return std::isnan(expected) && std::isnan(actual);
    return actual == expected || std::abs(actual - expected) <= tolerance * std::abs(expected);
}

QByteArray line_text(const char* what, double actual, double expected, double u, double t, double er) {
    return QByteArray(what) + ' ' + QByteArray::number(actual, 'g', 17) + " against " +
           QByteArray::number(expected, 'g', 17) + " at " + QByteArray::number(u, 'g', 17) + ", t " +
           QByteArray::number(t, 'g', 17) + ", er " + QByteArray::number(er, 'g', 17);
}

// Fails with every digit of both values and of the inputs; the text is made only on failure.
#define CHECK_AGREES(where, what, actual, expected, tolerance, u, t, er)                            \
    do {                                                                                            \
        if (!agrees((actual), (expected), (tolerance)))                                             \
            QFAIL(((where) + line_text((what), (actual), (expected), (u), (t), (er))).constData()); \
    } while (false)

// The SIMD ones: the scalar fallback is the scalar model itself, element by element.
std::span<const LineArrayKernels> simd_kernels() {
    const std::span<const LineArrayKernels> runnable = runnable_line_array_kernels();
    return runnable.first(runnable.size() - 1);
}

// n values log-uniform between low and high (uniform when low is 0); a tenth of them zero
// when zeros is set.
std::vector<double> spread(std::mt19937_64& random, std::size_t n, double low, double high, bool zeros = false) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values(n);
    for (double& value : values) {
        const double x = unit(random);
        value = low == 0.0 ? high * x : low * std::pow(high / low, x);
        if (zeros && unit(random) < 0.1)
            value = 0.0;
    }
    return values;
}

}  // namespace

class TestLinesOverArrays : public QObject {
    Q_OBJECT

private slots:
    void randomLinesAgreeWithTheScalarModel_data();
    void randomLinesAgreeWithTheScalarModel();
    void randomSearchesAgreeWithTheScalarSearch();
    void edgesOfTheModel_data();
    void edgesOfTheModel();
    void edgesOfTheSearch_data();
    void edgesOfTheSearch();
};

// Each domain the header promises 1e-13 on; T/H a tenth of the time 0, the zero-thickness strip.
void TestLinesOverArrays::randomLinesAgreeWithTheScalarModel_data() {
    QTest::addColumn<double>("u_low");
    QTest::addColumn<double>("u_high");
    QTest::addColumn<double>("t_high");
    QTest::addColumn<double>("er_low");
    QTest::addColumn<double>("er_high");

    QTest::newRow("practical strips") << 0.01 << 100.0 << 1.0 << 1.0 << 100.0;
    QTest::newRow("hair-thin strips") << 1e-5 << 0.01 << 1.0 << 1.0 << 100.0;
    QTest::newRow("wide strips") << 100.0 << 1000.0 << 1.0 << 1.0 << 100.0;
    QTest::newRow("thick conductors") << 0.01 << 1000.0 << 100.0 << 1.0 << 100.0;
    QTest::newRow("extreme permittivities") << 0.01 << 1000.0 << 1.0 << 100.0 << 1e300;
}

void TestLinesOverArrays::randomLinesAgreeWithTheScalarModel() {
    QFETCH(double, u_low);
    QFETCH(double, u_high);
    QFETCH(double, t_high);
    QFETCH(double, er_low);
    QFETCH(double, er_high);

    std::mt19937_64 random(20240611);
    const std::size_t n = kRandomRows;
    const std::vector<double> u = spread(random, n, u_low, u_high);
    const std::vector<double> t = spread(random, n, 0.0, t_high, true);
    const std::vector<double> er = spread(random, n, er_low, er_high);
    std::vector<velmoka::LineProperties> expected(n);
    for (std::size_t i = 0; i < n; ++i)
        expected[i] = velmoka::microstrip_line(u[i], t[i], er[i]);

    for (const LineArrayKernels& kernels : simd_kernels()) {
        // One more place than asked for, which must stay as it was.
        std::vector<double> z0(n + 1, -1.0), e_eff(n + 1, -1.0);
        kernels.microstrip_lines(n, u.data(), t.data(), er.data(), z0.data(), e_eff.data());
        const QByteArray where = QByteArray(kernels.instruction_set.data(), kernels.instruction_set.size()) + ": ";
        QVERIFY2(z0[n] == -1.0 && e_eff[n] == -1.0, (where + "wrote past the end").constData());
        for (std::size_t i = 0; i < n; ++i) {
            CHECK_AGREES(where, "z0", z0[i], expected[i].z0, kModelAgreement, u[i], t[i], er[i]);
            CHECK_AGREES(where, "e_eff", e_eff[i], expected[i].e_eff, kModelAgreement, u[i], t[i], er[i]);
        }
    }
}

// Targets from 0.1 to 250 ohms on substrates from air to er 30, T/H 0 to 1: some two fifths
// are out of the model's reach, and must give NaN as the scalar search ends without a width.
void TestLinesOverArrays::randomSearchesAgreeWithTheScalarSearch() {
    std::mt19937_64 random(20240612);
    const std::size_t n = kRandomRows;
    const std::vector<double> z_want = spread(random, n, 0.1, 250.0);
    const std::vector<double> t = spread(random, n, 0.0, 1.0, true);
    const std::vector<double> er = spread(random, n, 1.0, 30.0);
    std::vector<double> expected(n);
    for (std::size_t i = 0; i < n; ++i) {
        const velmoka::WidthSolution solution = velmoka::solve_width_ratio(z_want[i], t[i], er[i]);
        expected[i] = solution.end == velmoka::SearchEnd::met_tolerance ? solution.u : kNaN;
    }

    for (const LineArrayKernels& kernels : simd_kernels()) {
        std::vector<double> u(n + 1, -1.0);
        kernels.strip_width_ratios(n, z_want.data(), t.data(), er.data(), u.data());
        const QByteArray where = QByteArray(kernels.instruction_set.data(), kernels.instruction_set.size()) + ": ";
        QVERIFY2(u[n] == -1.0, (where + "wrote past the end").constData());
        for (std::size_t i = 0; i < n; ++i)
            CHECK_AGREES(where, "W/H", u[i], expected[i], kSearchAgreement, z_want[i], t[i], er[i]);
    }
}

// Inputs at and beyond the edges, one element a call, with the line each must give.
void TestLinesOverArrays::edgesOfTheModel_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("e_eff");

    const velmoka::LineProperties bare = velmoka::zero_thickness_line(0.7, 12.9);
    QTest::newRow("t 0 is the zero-thickness strip") << 0.7 << 0.0 << 12.9 << bare.z0 << bare.e_eff;
    QTest::newRow("t 1e-300 all but the zero-thickness strip") << 0.7 << 1e-300 << 12.9 << bare.z0 << bare.e_eff;
    QTest::newRow("subnormal t, whose c/t overflows") << 0.7 << 5e-324 << 12.9 << bare.z0 << bare.e_eff;
    QTest::newRow("t below the window's floor taken as it is")
        << 0.7 << 1e-4 << 12.9 << velmoka::microstrip_line(0.7, 1e-4, 12.9).z0
        << velmoka::microstrip_line(0.7, 1e-4, 12.9).e_eff;
    QTest::newRow("infinitely wide strip") << kInf << 0.04 << 12.9 << 0.0 << 12.9;
    QTest::newRow("infinitely wide strip of no thickness") << kInf << 0.0 << 12.9 << 0.0 << 12.9;
    QTest::newRow("infinitely thick strip") << 0.7 << kInf << 12.9 << velmoka::microstrip_line(0.7, kInf, 12.9).z0
                                            << velmoka::microstrip_line(0.7, kInf, 12.9).e_eff;
    QTest::newRow("air") << 0.7 << 0.04 << 1.0 << velmoka::microstrip_line(0.7, 0.04, 1.0).z0 << 1.0;
    QTest::newRow("zero width") << 0.0 << 0.04 << 12.9 << kNaN << kNaN;
    QTest::newRow("negative width") << -0.7 << 0.04 << 12.9 << kNaN << kNaN;
    QTest::newRow("negative thickness") << 0.7 << -0.04 << 12.9 << kNaN << kNaN;
    QTest::newRow("er below 1") << 0.7 << 0.04 << 0.99 << kNaN << kNaN;
    QTest::newRow("infinite er") << 0.7 << 0.04 << kInf << kNaN << kNaN;
    QTest::newRow("NaN width") << kNaN << 0.04 << 12.9 << kNaN << kNaN;
    QTest::newRow("NaN thickness") << 0.7 << kNaN << 12.9 << kNaN << kNaN;
    QTest::newRow("NaN er") << 0.7 << 0.04 << kNaN << kNaN << kNaN;
}

void TestLinesOverArrays::edgesOfTheModel() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, z0);
    QFETCH(double, e_eff);

    for (const LineArrayKernels& kernels : runnable_line_array_kernels()) {
        double line_z0 = -1.0, line_e_eff = -1.0;
        kernels.microstrip_lines(1, &u, &t, &er, &line_z0, &line_e_eff);
        const QByteArray where = QByteArray(kernels.instruction_set.data(), kernels.instruction_set.size()) + ": ";
        CHECK_AGREES(where, "z0", line_z0, z0, kModelAgreement, u, t, er);
        CHECK_AGREES(where, "e_eff", line_e_eff, e_eff, kModelAgreement, u, t, er);
    }
}

// Targets at and beyond what the search takes; NaN where it gives no width.
void TestLinesOverArrays::edgesOfTheSearch_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("u");

    const auto found = [](double z_want, double t, double er) { return velmoka::solve_width_ratio(z_want, t, er).u; };
    QTest::newRow("opening window") << 50.0 << 0.04 << 12.9 << found(50.0, 0.04, 12.9);
    QTest::newRow("zero thickness") << 50.0 << 0.0 << 12.9 << found(50.0, 0.0, 12.9);
    QTest::newRow("0.1 ohm, the lowest taken") << 0.1 << 0.04 << 1.0 << found(0.1, 0.04, 1.0);
    QTest::newRow("at the model's reach, first pass at the floor") << 122.72 << 0.04 << 12.9 << 0.01 * 1.0001;
    QTest::newRow("0.011 ohm above the reach") << 122.7405 << 0.04 << 12.9 << kNaN;
    QTest::newRow("400 ohms in air") << 400.0 << 0.001 << 1.0 << kNaN;
    QTest::newRow("below 0.1 ohm") << 0.099 << 0.04 << 12.9 << kNaN;
    QTest::newRow("no impedance") << 0.0 << 0.04 << 12.9 << kNaN;
    QTest::newRow("negative impedance") << -50.0 << 0.04 << 12.9 << kNaN;
    QTest::newRow("infinite impedance") << kInf << 0.04 << 12.9 << kNaN;
    QTest::newRow("NaN impedance") << kNaN << 0.04 << 12.9 << kNaN;
    QTest::newRow("negative thickness") << 50.0 << -0.04 << 12.9 << kNaN;
    QTest::newRow("infinite thickness") << 50.0 << kInf << 12.9 << kNaN;
    QTest::newRow("NaN thickness") << 50.0 << kNaN << 12.9 << kNaN;
    QTest::newRow("er below 1") << 50.0 << 0.04 << 0.99 << kNaN;
    QTest::newRow("infinite er") << 50.0 << 0.04 << kInf << kNaN;
    QTest::newRow("NaN er") << 50.0 << 0.04 << kNaN << kNaN;
}

void TestLinesOverArrays::edgesOfTheSearch() {
    QFETCH(double, z_want);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, u);

    for (const LineArrayKernels& kernels : runnable_line_array_kernels()) {
        double found = -1.0;
        kernels.strip_width_ratios(1, &z_want, &t, &er, &found);
        const QByteArray where = QByteArray(kernels.instruction_set.data(), kernels.instruction_set.size()) + ": ";
        CHECK_AGREES(where, "W/H", found, u, kSearchAgreement, z_want, t, er);
    }
}

QTEST_APPLESS_MAIN(TestLinesOverArrays)
#include "test_lines_over_arrays.moc"
