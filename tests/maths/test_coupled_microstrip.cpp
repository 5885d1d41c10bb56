// The closed-form pair against the same formulas worked by another program, its limits (a wide
// gap, air, no thickness), the order of its modes, how the copper moves them, and its answers for
// inputs that are no pair.

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

#include "common/physical_constants.h"
#include "maths/compare_within.h"
#include "maths/coupled_microstrip.h"
#include "maths/microstrip_line.h"

using velmoka::coupled_microstrip;
using velmoka::CoupledMicrostrip;
using velmoka::CoupledStatus;
using velmoka::PairModes;

Q_DECLARE_METATYPE(CoupledStatus)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QString described(const CoupledMicrostrip& pair) {
    return QStringLiteral("z_even %1, z_odd %2, e_eff_even %3, e_eff_odd %4, %5")
        .arg(pair.modes.z_even, 0, 'g', 9)
        .arg(pair.modes.z_odd, 0, 'g', 9)
        .arg(pair.modes.e_eff_even, 0, 'g', 9)
        .arg(pair.modes.e_eff_odd, 0, 'g', 9)
        .arg(velmoka::coupled_status_text(pair.status).data());
}

bool answered(const CoupledMicrostrip& pair) {
    return pair.status == CoupledStatus::ok || pair.status == CoupledStatus::beyond_fitted_range;
}

}  // namespace

class TestCoupledMicrostrip : public QObject {
    Q_OBJECT

private slots:
    void sameFormulasElsewhere_data();
    void sameFormulasElsewhere();
    void wideGapIsTheSingleStrip_data();
    void wideGapIsTheSingleStrip();
    void oddModeBelowEvenMode_data();
    void oddModeBelowEvenMode();
    void copperLowersTheImpedances_data();
    void copperLowersTheImpedances();
    void fittedRangeIsSaid_data();
    void fittedRangeIsSaid();
    void finiteFarBeyondTheFit_data();
    void finiteFarBeyondTheFit();
    void noPair_data();
    void noPair();
};

// Zero-thickness pairs worked with Kirschning and Jansen's formulas by another program, to the
// milliohm it prints: the paper's 2.31 in Q2 and the full free-space wave impedance, where a
// 2.13 moves these impedances by up to 0.3 ohm and 60 ohms for η0/2π by 0.05 ohm.
void TestCoupledMicrostrip::sameFormulasElsewhere_data() {
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("zEven");
    QTest::addColumn<double>("zOdd");

    QTest::newRow("H 0.2, W 0.3, S 0.2 mm, er 4.4") << 0.2 << 0.3 << 0.2 << 4.4 << 64.773 << 49.753;
    QTest::newRow("H 0.1, W 0.15, S 0.15 mm, er 4.1") << 0.1 << 0.15 << 0.15 << 4.1 << 64.523 << 54.047;
    QTest::newRow("H 0.5, W 1.0, S 0.5 mm, er 10") << 0.5 << 1.0 << 0.5 << 10.0 << 36.735 << 29.371;
    QTest::newRow("H 0.2, W 0.2, S 1.0 mm, er 4.4") << 0.2 << 0.2 << 1.0 << 4.4 << 71.999 << 69.976;
}

void TestCoupledMicrostrip::sameFormulasElsewhere() {
    QFETCH(double, h);
    QFETCH(double, w);
    QFETCH(double, s);
    QFETCH(double, er);
    QFETCH(double, zEven);
    QFETCH(double, zOdd);

    constexpr double kPrinted = 0.001;  // ohms: half the last printed digit, and rounding
    const CoupledMicrostrip pair = coupled_microstrip(w, s, h, 0.0, er);
    QCOMPARE(pair.status, CoupledStatus::ok);
    COMPARE_WITHIN(pair.modes.z_even, zEven, kPrinted);
    COMPARE_WITHIN(pair.modes.z_odd, zOdd, kPrinted);
}

// A million H apart and more the strips no longer couple: both modes are Hammerstad and Jensen's
// single strip, its thickness taken as they take it, widened by Δur on the dielectric and by Δu1
// in air, which decoupled_strip gives; the gap's powers in the formulas overflow no sooner than that.
void TestCoupledMicrostrip::wideGapIsTheSingleStrip_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("narrow, no thickness, on er 2.2") << 0.3 << 0.0 << 2.2;
    QTest::newRow("W/H 1, thin, on er 4.4") << 1.0 << 0.02 << 4.4;
    QTest::newRow("W/H 3, thick, on er 10") << 3.0 << 0.5 << 10.0;
}

void TestCoupledMicrostrip::wideGapIsTheSingleStrip() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);

    constexpr double kDecoupled = 1e-6;
    const double du1 = velmoka::width_increment_in_air(u, t);
    const double dur = velmoka::width_increment_on_dielectric(du1, velmoka::substrate_terms(er));
    const double e_zero = velmoka::zero_thickness_line(u + dur, er).e_eff;
    const double air_log = velmoka::air_impedance_log(u + dur);
    const double z = velmoka::kFreeSpaceImpedance / (2.0 * std::numbers::pi) * air_log / std::sqrt(e_zero);
    const double in_air_over_on_substrate = velmoka::air_impedance_log(u + du1) / air_log;
    const double e_eff = e_zero * in_air_over_on_substrate * in_air_over_on_substrate;
    const velmoka::LineProperties decoupled = velmoka::decoupled_strip(u, t, er);
    COMPARE_WITHIN(decoupled.z0 / z, 1.0, 1e-15);
    COMPARE_WITHIN(decoupled.e_eff / e_eff, 1.0, 1e-15);

    for (double g : {1e6, 1e30, 1e200}) {
        const CoupledMicrostrip pair = coupled_microstrip(u, g, t, er);
        QVERIFY2(answered(pair), qPrintable(described(pair)));
        for (double mode_z : {pair.modes.z_even, pair.modes.z_odd}) {
            COMPARE_WITHIN(mode_z / z, 1.0, kDecoupled);
        }
        for (double mode_e_eff : {pair.modes.e_eff_even, pair.modes.e_eff_odd}) {
            COMPARE_WITHIN(mode_e_eff / e_eff, 1.0, kDecoupled);
        }
    }
}

// Over the fitted range, with and without copper, the odd mode lies below the even mode in its
// impedance and its effective dielectric constant, and both constants between 1 and er.
void TestCoupledMicrostrip::oddModeBelowEvenMode_data() {
    QTest::addColumn<double>("er");

    for (double er : {1.5, 2.2, 4.4, 10.0, 18.0}) {
        QTest::addRow("er %g", er) << er;
    }
}

void TestCoupledMicrostrip::oddModeBelowEvenMode() {
    QFETCH(double, er);

    for (double u : {0.1, 0.3, 1.0, 3.0, 10.0}) {
        for (double g : {0.1, 0.3, 1.0, 3.0, 10.0}) {
            for (double t : {0.0, 0.02, 0.1}) {
                const CoupledMicrostrip pair = coupled_microstrip(u, g, t, er);
                const PairModes& m = pair.modes;
                QVERIFY2(pair.status == CoupledStatus::ok && m.z_odd < m.z_even && 1.0 < m.e_eff_odd &&
                             m.e_eff_odd < m.e_eff_even && m.e_eff_even < er,
                         qPrintable(QStringLiteral("W/H %1, S/H %2, T/H %3: ").arg(u).arg(g).arg(t) + described(pair)));
            }
        }
    }
}

// Copper lowers both modes' impedances, the odd mode's the more at a tight gap, where its field
// crowds between the facing sides, in air; and the thinnest copper is the zero-thickness pair.
void TestCoupledMicrostrip::copperLowersTheImpedances_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("er");

    QTest::newRow("100 ohm pair on FR-4") << 1.0 << 1.0 << 4.4;
    QTest::newRow("tight gap on alumina") << 0.5 << 0.1 << 9.8;
    QTest::newRow("wide strips on PTFE") << 5.0 << 2.0 << 2.2;
}

void TestCoupledMicrostrip::copperLowersTheImpedances() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, er);

    const PairModes bare = coupled_microstrip(u, g, 0.0, er).modes;
    const PairModes thinnest = coupled_microstrip(u, g, 1e-12, er).modes;
    COMPARE_WITHIN(thinnest.z_even / bare.z_even, 1.0, 1e-9);
    COMPARE_WITHIN(thinnest.z_odd / bare.z_odd, 1.0, 1e-9);
    COMPARE_WITHIN(thinnest.e_eff_even / bare.e_eff_even, 1.0, 1e-9);
    COMPARE_WITHIN(thinnest.e_eff_odd / bare.e_eff_odd, 1.0, 1e-9);
    PairModes thinner = bare;
    for (double t : {0.01, 0.05, 0.2}) {
        const PairModes thicker = coupled_microstrip(u, g, t, er).modes;
        QVERIFY(thicker.z_even < thinner.z_even && thicker.z_odd < thinner.z_odd);
        QVERIFY(thicker.e_eff_odd < thinner.e_eff_odd);
        QVERIFY(thicker.z_odd / thinner.z_odd < thicker.z_even / thinner.z_even);
        thinner = thicker;
    }
}

// Within W/H and S/H 0.1 to 10 and er up to 18 the status says the formulas were fitted there;
// beyond, the status says so.
void TestCoupledMicrostrip::fittedRangeIsSaid_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("er");
    QTest::addColumn<CoupledStatus>("status");

    constexpr CoupledStatus kOk = CoupledStatus::ok;
    constexpr CoupledStatus kBeyond = CoupledStatus::beyond_fitted_range;
    QTest::newRow("narrowest fitted") << 0.1 << 1.0 << 4.4 << kOk;
    QTest::newRow("widest fitted, widest gap, er 18") << 10.0 << 10.0 << 18.0 << kOk;
    QTest::newRow("wider than fitted") << 10.01 << 1.0 << 4.4 << kBeyond;
    QTest::newRow("tighter gap than fitted") << 1.0 << 0.0999 << 4.4 << kBeyond;
    QTest::newRow("er above 18") << 1.0 << 1.0 << 18.01 << kBeyond;
}

void TestCoupledMicrostrip::fittedRangeIsSaid() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, er);
    QFETCH(CoupledStatus, status);

    QCOMPARE(coupled_microstrip(u, g, 0.02, er).status, status);
}

// Far beyond the fit, where powers of the gap of the tenth order would overflow, the formulas
// give finite positive impedances with effective constants between 1 and er (in air, 1), or say
// they have no sound answer: never a NaN, nor a constant below 1, with a status that claims an
// answer.
void TestCoupledMicrostrip::finiteFarBeyondTheFit_data() {
    QTest::addColumn<double>("er");

    for (double er : {1.0, 4.4, 100.0, 1e4}) {
        QTest::addRow("er %g", er) << er;
    }
}

void TestCoupledMicrostrip::finiteFarBeyondTheFit() {
    QFETCH(double, er);

    for (double u : {1e-4, 0.01, 1.0, 100.0, 1e4}) {
        for (double g : {1e-30, 1e-4, 0.01, 1.0, 100.0, 1e4, 1e30, 1e200}) {
            for (double t : {0.0, 0.01, 10.0}) {
                const CoupledMicrostrip pair = coupled_microstrip(u, g, t, er);
                const PairModes& m = pair.modes;
                const bool sound_modes = m.z_even > 0.0 && m.z_odd > 0.0 && std::isfinite(m.z_even + m.z_odd) &&
                                         m.e_eff_even >= 1.0 && m.e_eff_even <= er && m.e_eff_odd >= 1.0 &&
                                         m.e_eff_odd <= er;
                QVERIFY2(answered(pair) ? sound_modes : pair.status == CoupledStatus::no_sound_answer,
                         qPrintable(QStringLiteral("W/H %1, S/H %2, T/H %3: ").arg(u).arg(g).arg(t) + described(pair)));
            }
        }
    }
}

// Inputs that are no pair: a status for each, and no modes.
void TestCoupledMicrostrip::noPair_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<CoupledStatus>("status");

    constexpr CoupledStatus kWidth = CoupledStatus::width_invalid;
    constexpr CoupledStatus kGap = CoupledStatus::gap_invalid;
    constexpr CoupledStatus kHeight = CoupledStatus::height_invalid;
    constexpr CoupledStatus kThickness = CoupledStatus::thickness_invalid;
    constexpr CoupledStatus kPermittivity = CoupledStatus::permittivity_invalid;
    QTest::newRow("negative width") << -1.0 << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("width not a number") << kNaN << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("infinite width") << kInf << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("negative gap") << 1.0 << -0.1 << 1.0 << 0.0 << 4.4 << kGap;
    QTest::newRow("gap not a number") << 1.0 << kNaN << 1.0 << 0.0 << 4.4 << kGap;
    QTest::newRow("no height") << 1.0 << 1.0 << 0.0 << 0.0 << 4.4 << kHeight;
    QTest::newRow("height not a number") << 1.0 << 1.0 << kNaN << 0.0 << 4.4 << kHeight;
    QTest::newRow("negative thickness") << 1.0 << 1.0 << 1.0 << -1e-9 << 4.4 << kThickness;
    QTest::newRow("infinite thickness") << 1.0 << 1.0 << 1.0 << kInf << 4.4 << kThickness;
    QTest::newRow("er below 1") << 1.0 << 1.0 << 1.0 << 0.0 << 0.99 << kPermittivity;
    QTest::newRow("infinite er") << 1.0 << 1.0 << 1.0 << 0.0 << kInf << kPermittivity;
}

void TestCoupledMicrostrip::noPair() {
    QFETCH(double, w);
    QFETCH(double, s);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(CoupledStatus, status);

    const CoupledMicrostrip pair = coupled_microstrip(w, s, h, t, er);
    QCOMPARE(pair.status, status);
    const PairModes& m = pair.modes;
    QVERIFY(std::isnan(m.z_even) && std::isnan(m.z_odd) && std::isnan(m.e_eff_even) && std::isnan(m.e_eff_odd));
}

QTEST_APPLESS_MAIN(TestCoupledMicrostrip)
#include "test_coupled_microstrip.moc"
