// The line model and the width search over arrays against the scalar model element by element:
// random lines over each domain the header promises, on each SIMD instruction set this
// processor runs, and the edges of what the functions take on those and on the scalar fallback.

#include <QTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "maths/line_array_kernels.h"
#include "maths/line_at_frequency.h"
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
    void linesAtFrequencyAgreeWithTheScalarLine_data();
    void linesAtFrequencyAgreeWithTheScalarLine();
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
        std::vector<double> z0_alone(n);
        kernels.microstrip_lines(n, u.data(), t.data(), er.data(), z0_alone.data(), nullptr);
        QVERIFY2(std::memcmp(z0_alone.data(), z0.data(), n * sizeof(double)) == 0,
                 (where + "the impedance alone differs from the line's").constData());
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
        double z0_alone = -1.0;
        kernels.microstrip_lines(1, &u, &t, &er, &z0_alone, nullptr);
        QVERIFY2(std::memcmp(&z0_alone, &line_z0, sizeof(double)) == 0,
                 (where + "the impedance alone differs from the line's").constData());
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

// Random strips and frequencies, a tenth of them 0 Hz, a few refused, on each dielectric and
// conductor: the same status and warnings as line_at_frequency, every number within 1e-12.
void TestLinesOverArrays::linesAtFrequencyAgreeWithTheScalarLine_data() {
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("lossTangent");
    QTest::addColumn<bool>("wideband");
    QTest::addColumn<int>("roughness");
    QTest::addColumn<double>("conductivity");

    using velmoka::RoughnessModel;
    QTest::newRow("wideband FR-4, Hammerstad") << 4.4 << 0.02 << true << int(RoughnessModel::hammerstad) << 5.8e7;
    QTest::newRow("constant GaAs, smooth") << 12.9 << 0.0006 << false << int(RoughnessModel::smooth) << 5.8e7;
    QTest::newRow("wideband near air, Huray") << 1.3 << 0.02 << true << int(RoughnessModel::huray) << 4.1e7;
    QTest::newRow("constant, all but air") << 1.0000001 << 0.01 << false << int(RoughnessModel::smooth) << 5.8e7;
    QTest::newRow("conductor refused") << 4.4 << 0.02 << true << int(RoughnessModel::smooth) << 0.0;
    QTest::newRow("wideband fit below unity") << 1.5 << 0.1 << true << int(RoughnessModel::smooth) << 5.8e7;
}

void TestLinesOverArrays::linesAtFrequencyAgreeWithTheScalarLine() {
    QFETCH(double, er);
    QFETCH(double, lossTangent);
    QFETCH(bool, wideband);
    QFETCH(int, roughness);
    QFETCH(double, conductivity);

    const velmoka::Dielectric dielectric{
        er, lossTangent, 1e9, wideband ? velmoka::PermittivityModel::wideband : velmoka::PermittivityModel::constant};
    const velmoka::Conductor conductor{conductivity, {velmoka::RoughnessModel(roughness), 1e-6, 0.5e-6, 1e12}};
    std::mt19937_64 random(20240613);
    const std::size_t n = 20'003;
    std::vector<double> height = spread(random, n, 1e-4, 3e-3);
    std::vector<double> width = spread(random, n, 0.011, 1000.0);
    std::vector<double> thickness = spread(random, n, 1e-7, 1e-4, true);
    std::vector<double> frequency = spread(random, n, 1e3, 1e12, true);
    for (std::size_t i = 0; i < n; ++i)
        width[i] *= height[i];
    width[7] = -1e-3;
    thickness[8] = kNaN;
    frequency[9] = -1.0;
    frequency[10] = kInf;

    std::vector<velmoka::LineAtFrequency> expected(n);
    for (std::size_t i = 0; i < n; ++i)
        expected[i] =
            velmoka::line_at_frequency({width[i], height[i], thickness[i]}, dielectric, conductor, frequency[i]);
    for (const LineArrayKernels& kernels : simd_kernels()) {
        std::vector<velmoka::LineStatus> status(n);
        std::vector<std::uint16_t> warnings(n);
        std::vector<std::vector<double>> numbers(18, std::vector<double>(n));
        const velmoka::LineColumns out{status.data(),      warnings.data(),    numbers[0].data(),  numbers[1].data(),
                                       numbers[2].data(),  numbers[3].data(),  numbers[4].data(),  numbers[5].data(),
                                       numbers[6].data(),  numbers[7].data(),  numbers[8].data(),  numbers[9].data(),
                                       numbers[10].data(), numbers[11].data(), numbers[12].data(), numbers[13].data(),
                                       numbers[14].data(), numbers[15].data(), numbers[16].data(), numbers[17].data()};
        kernels.lines_at_frequency(n, width.data(), height.data(), thickness.data(), frequency.data(), dielectric,
                                   conductor, out);
        const QByteArray where = QByteArray(kernels.instruction_set.data(), kernels.instruction_set.size()) + ": ";
        for (std::size_t i = 0; i < n; ++i) {
            const velmoka::LineAtFrequency& e = expected[i];
            QVERIFY2(status[i] == e.status && warnings[i] == e.warnings.flags,
                     (where + "status or warnings at element " + QByteArray::number(qulonglong(i))).constData());
            const double scalar[] = {e.er,
                                     e.loss_tangent,
                                     e.z0,
                                     e.e_eff,
                                     e.alpha_c,
                                     e.alpha_d,
                                     e.alpha,
                                     e.propagation.gamma.real(),
                                     e.propagation.gamma.imag(),
                                     e.propagation.zc.real(),
                                     e.propagation.zc.imag(),
                                     e.r,
                                     e.l,
                                     e.g,
                                     e.c,
                                     e.skin_depth,
                                     e.guided_wavelength,
                                     e.delay};
            // What the dielectric loss enters (αd, α, γ, Zc, G) to 1e-13 over e_eff − 1, by which the
            // filling factor divides the static lanes' last bits; Im Zc, the difference of the two
            // losses, against |Zc|.
            const double filling = 1e-12 + 1e-13 / (e.e_eff - 1.0);
            for (std::size_t k = 0; k < 18; ++k) {
                const bool lossy = k >= 5 && k <= 13 && k != 11 && k != 12;
                const double tolerance =
                    (lossy ? filling : 1e-12) * (k == 10 ? std::abs(e.propagation.zc) / std::abs(scalar[k]) : 1.0);
                CHECK_AGREES(where, ("column " + std::to_string(k)).c_str(), numbers[k][i], scalar[k], tolerance,
                             width[i] / height[i], thickness[i] / height[i], frequency[i]);
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestLinesOverArrays)
#include "test_lines_over_arrays.moc"
