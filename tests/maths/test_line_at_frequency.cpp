#include <QTest>

#include <cmath>
#include <limits>

#include "common/physical_constants.h"
#include "maths/compare_within.h"
#include "maths/line_at_frequency.h"
#include "maths/microstrip_line.h"

using velmoka::Dielectric;
using velmoka::line_at_frequency;
using velmoka::LineAtFrequency;
using velmoka::LineStatus;
using velmoka::PermittivityModel;
using velmoka::RangeWarning;

Q_DECLARE_METATYPE(LineStatus)
Q_DECLARE_METATYPE(PermittivityModel)
Q_DECLARE_METATYPE(velmoka::RoughnessModel)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A 50 ohm line: 3 mm on 1.55 mm FR-4, 35 µm copper.
const velmoka::Strip kStrip{3e-3, 1.55e-3, 35e-6};

Dielectric constant(double er, double loss_tangent) {
    return {er, loss_tangent, 1e9, PermittivityModel::constant};
}

}  // namespace

class TestLineAtFrequency : public QObject {
    Q_OBJECT

private slots:
    void zeroFrequencyIsTheStaticLine_data();
    void zeroFrequencyIsTheStaticLine();
    void resistanceRisesSmoothlyFromDc();
    void roughnessFactors_data();
    void roughnessFactors();
    void refusedInputs_data();
    void refusedInputs();
    void warningsAtRangeEdges_data();
    void warningsAtRangeEdges();
    void finiteForExtremeLines();
    void nearAirSubstratesStayFinite();
    void lossyAirLikeSubstrateHasAFillingFactor();
};

// microstrip_line at the substrate's static permittivity to the last bit, the DC resistance
// 1/(σ·W·T), no wave, and the impedance of an open line (of the lossless line for T = 0).
void TestLineAtFrequency::zeroFrequencyIsTheStaticLine_data() {
    QTest::addColumn<PermittivityModel>("model");
    QTest::addColumn<double>("thickness");

    QTest::newRow("constant permittivity") << PermittivityModel::constant << 35e-6;
    QTest::newRow("wideband permittivity") << PermittivityModel::wideband << 35e-6;
    QTest::newRow("strip of no thickness") << PermittivityModel::constant << 0.0;
}

void TestLineAtFrequency::zeroFrequencyIsTheStaticLine() {
    QFETCH(PermittivityModel, model);
    QFETCH(double, thickness);

    const Dielectric dielectric{4.4, 0.02, 1e9, model};
    const velmoka::Conductor copper;
    const LineAtFrequency line = line_at_frequency({kStrip.width, kStrip.height, thickness}, dielectric, copper, 0.0);
    const double static_er = velmoka::permittivity_at(velmoka::fit_dielectric(dielectric), 0.0).er;
    const auto expected = velmoka::microstrip_line(kStrip.width / kStrip.height, thickness / kStrip.height, static_er);
    QCOMPARE(line.z0, expected.z0);
    QCOMPARE(line.e_eff, expected.e_eff);
    QCOMPARE(line.alpha_d, 0.0);
    QCOMPARE(line.propagation.gamma, std::complex<double>(0.0));
    const double dc = thickness > 0.0 ? 1.0 / (copper.conductivity * kStrip.width * thickness) : 0.0;
    COMPARE_WITHIN(line.r, dc, 1e-15 * dc);
    QCOMPARE(line.propagation.zc.real(), thickness > 0.0 ? kInf : line.z0);
}

// From the DC resistance the resistance rises monotonically, never below it, into Hammerstad
// and Jensen's skin effect, which it meets to 1e-4 once the strip is seven skin depths thick.
void TestLineAtFrequency::resistanceRisesSmoothlyFromDc() {
    const velmoka::PreparedLine line = velmoka::prepare_line(kStrip, constant(4.4, 0.0));
    const double one_skin_depth = 1.0 / (std::numbers::pi * velmoka::kVacuumPermeability * velmoka::kCopperConductivity *
                                         kStrip.thickness * kStrip.thickness);
    double last = line_at_frequency(line, 0.0).r;
    for (double f = 1e-4 * one_skin_depth; f < 1e3 * one_skin_depth; f *= 1.2) {
        const double r = line_at_frequency(line, f).r;
        QVERIFY(r >= last);
        last = r;
    }
    const LineAtFrequency thick = line_at_frequency(line, 49.0 * one_skin_depth);
    const double skin_alone = 2.0 * line.terms.current_distribution / (velmoka::kCopperConductivity * thick.skin_depth * kStrip.width);
    COMPARE_WITHIN(thick.r, skin_alone, 1.5e-4 * skin_alone);
}

// Each factor at a point of its published curve: 1.61 where the rms height equals the skin
// depth; for nodules of 0.5 µm, one a µm², 1 + 6π·a²·N/A once the skin depth is small beside
// them and 2.5 times nearer 1 where it equals their radius.
void TestLineAtFrequency::roughnessFactors_data() {
    QTest::addColumn<velmoka::RoughnessModel>("model");
    QTest::addColumn<double>("skinDepth");
    QTest::addColumn<double>("factor");

    const double huray_top = 1.0 + 6.0 * std::numbers::pi * 0.25;
    QTest::newRow("Hammerstad, height of a skin depth")
        << velmoka::RoughnessModel::hammerstad << 1e-6 << 1.0 + (2.0 / std::numbers::pi) * std::atan(1.4);
    QTest::newRow("Huray, skin depth of a radius") << velmoka::RoughnessModel::huray << 0.5e-6 << 1.0 + (huray_top - 1.0) / 2.5;
    QTest::newRow("Huray, very high frequency") << velmoka::RoughnessModel::huray << 1e-15 << huray_top;
    QTest::newRow("Huray at 0 Hz") << velmoka::RoughnessModel::huray << kInf << 1.0;
}

void TestLineAtFrequency::roughnessFactors() {
    QFETCH(velmoka::RoughnessModel, model);
    QFETCH(double, skinDepth);
    QFETCH(double, factor);

    COMPARE_WITHIN(velmoka::roughness_factor({model, 1e-6, 0.5e-6, 1e12}, skinDepth), factor, 1e-8);
}

void TestLineAtFrequency::refusedInputs_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("thickness");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("lossTangent");
    QTest::addColumn<double>("conductivity");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<LineStatus>("status");

    const double w = 3e-3, t = 35e-6, s = 5.8e7, f = 1e9;
    QTest::newRow("negative width") << -w << t << 4.4 << 0.02 << s << f << LineStatus::strip_not_admitted;
    QTest::newRow("W/H below 0.01") << 0.009 * kStrip.height << t << 4.4 << 0.02 << s << f << LineStatus::strip_not_admitted;
    QTest::newRow("NaN thickness") << w << kNaN << 4.4 << 0.02 << s << f << LineStatus::strip_not_admitted;
    QTest::newRow("er below 1") << w << t << 0.5 << 0.02 << s << f << LineStatus::dielectric_not_admitted;
    QTest::newRow("wideband fit below unity") << w << t << 1.5 << 0.1 << s << f << LineStatus::permittivity_below_unity;
    QTest::newRow("infinite conductivity") << w << t << 4.4 << 0.02 << kInf << f << LineStatus::conductor_not_admitted;
    QTest::newRow("negative frequency") << w << t << 4.4 << 0.02 << s << -f << LineStatus::frequency_not_admitted;
    QTest::newRow("NaN frequency") << w << t << 4.4 << 0.02 << s << kNaN << LineStatus::frequency_not_admitted;
}

void TestLineAtFrequency::refusedInputs() {
    QFETCH(double, width);
    QFETCH(double, thickness);
    QFETCH(double, er);
    QFETCH(double, lossTangent);
    QFETCH(double, conductivity);
    QFETCH(double, frequency);
    QFETCH(LineStatus, status);

    const LineAtFrequency line =
        line_at_frequency({width, kStrip.height, thickness}, {er, lossTangent}, {conductivity, {}}, frequency);
    QCOMPARE(line.status, status);
    QVERIFY(std::isnan(line.z0) && std::isnan(line.propagation.gamma.real()));
}

// Each flag just beyond its bound and not just inside it, on a 1 mm substrate whose H/λ0 is
// set by the frequency; the conductor's thickness is in skin depths.
void TestLineAtFrequency::warningsAtRangeEdges_data() {
    QTest::addColumn<double>("widthRatio");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("heightInWavelengths");
    QTest::addColumn<double>("skinDepths");
    QTest::addColumn<quint16>("flags");

    const auto flags = [](std::initializer_list<RangeWarning> warnings) {
        velmoka::RangeWarnings set;
        for (RangeWarning w : warnings)
            set.add(w);
        return set.flags;
    };
    using enum RangeWarning;
    QTest::newRow("W/H 0.1, er 18, H/λ0 0.1, T 3.01δ") << 0.1 << 18.0 << 0.0999 << 3.01 << flags({});
    QTest::newRow("W/H 0.099") << 0.099 << 4.4 << 0.05 << 4.0 << flags({dispersion_width_ratio, impedance_width_ratio});
    QTest::newRow("W/H 10.1") << 10.1 << 4.4 << 0.05 << 4.0 << flags({impedance_width_ratio});
    QTest::newRow("W/H 101") << 101.0 << 4.4 << 0.05 << 4.0 << flags({dispersion_width_ratio, impedance_width_ratio});
    QTest::newRow("er 18.1") << 1.0 << 18.1 << 0.05 << 4.0 << flags({impedance_permittivity});
    QTest::newRow("er 20.1") << 1.0 << 20.1 << 0.05 << 4.0 << flags({impedance_permittivity, dispersion_permittivity});
    QTest::newRow("H/λ0 0.101") << 1.0 << 4.4 << 0.101 << 4.0 << flags({impedance_frequency});
    QTest::newRow("H/λ0 0.131") << 1.0 << 4.4 << 0.131 << 4.0 << flags({impedance_frequency, dispersion_frequency});
    QTest::newRow("T 2.99δ") << 1.0 << 4.4 << 0.05 << 2.99 << flags({conductor_under_three_skin_depths});
    QTest::newRow("no thickness") << 1.0 << 4.4 << 0.05 << 0.0 << flags({conductor_under_three_skin_depths});
}

void TestLineAtFrequency::warningsAtRangeEdges() {
    QFETCH(double, widthRatio);
    QFETCH(double, er);
    QFETCH(double, heightInWavelengths);
    QFETCH(double, skinDepths);
    QFETCH(quint16, flags);

    const double h = 1e-3;
    const double f = heightInWavelengths * velmoka::kSpeedOfLight / h;
    const double t = skinDepths * velmoka::skin_depth(f, velmoka::kCopperConductivity);
    const LineAtFrequency line = line_at_frequency({widthRatio * h, h, t}, constant(er, 0.001), {}, f);
    QCOMPARE(line.status, LineStatus::ok);
    QCOMPARE(line.warnings.flags, flags);
}

// Past every point where a power in the dispersion overflows, or Jansen and Kirschning's R14
// would turn negative (a narrow strip on er above about 34), the line stays finite.
void TestLineAtFrequency::finiteForExtremeLines() {
    for (double u : {0.01, 1.0, 1e3, 1e6}) {
        for (double er : {1.0, 12.9, 1e3, 1e8}) {
            for (double f : {1e3, 30e9, 1e13, 1e30}) {
                const LineAtFrequency line = line_at_frequency({u * 1e-3, 1e-3, 1e-5}, constant(er, 0.01), {}, f);
                QVERIFY2(line.status == LineStatus::ok && std::isfinite(line.alpha),
                         qPrintable(QStringLiteral("W/H %1, er %2, %3 Hz").arg(u).arg(er).arg(f)));
            }
        }
    }
}

// Below er 1.2 the published Z0(f) departs from physics, and below about 1.04 swings through
// ±∞ to NaN: the impedance stays finite, disperses no more than where the published formula
// takes over, runs continuously into it there, and not at all in air.
void TestLineAtFrequency::nearAirSubstratesStayFinite() {
    const double lowest = velmoka::kLowestImpedanceDispersionPermittivity;
    const auto dispersion_on = [](double er, double f) {
        return line_at_frequency(kStrip, constant(er, 0.0), {}, f).z0 / line_at_frequency(kStrip, constant(er, 0.0), {}, 0.0).z0;
    };
    for (double f = 1e9; f <= 40e9; f += 1e9) {
        QCOMPARE(dispersion_on(1.0, f), 1.0);
        for (double er : {1.01, 1.02, 1.04, 1.1})
            QVERIFY(std::abs(dispersion_on(er, f) - 1.0) <= std::abs(dispersion_on(lowest, f) - 1.0));
    }
    COMPARE_WITHIN(dispersion_on(std::nextafter(lowest, 0.0), 30e9), dispersion_on(lowest, 30e9), 1e-12);
}

// On a lossy substrate of er 1 the filling factor (e_eff − 1)/(er − 1) is 0/0; its limit
// gives the loss, as a substrate of er 1.0001 all but does.
void TestLineAtFrequency::lossyAirLikeSubstrateHasAFillingFactor() {
    const auto loss_on = [](double er) { return line_at_frequency(kStrip, constant(er, 0.01), {}, 10e9).alpha_d; };
    QVERIFY(loss_on(1.0) > 0.0);
    COMPARE_WITHIN(loss_on(1.0), loss_on(1.0001), 2e-4 * loss_on(1.0));
}

QTEST_APPLESS_MAIN(TestLineAtFrequency)
#include "test_line_at_frequency.moc"
