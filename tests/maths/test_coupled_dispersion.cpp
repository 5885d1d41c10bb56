// The pair at frequency: the static pair at fn = 0, the single strip at a wide gap, its modes over
// the fitted range, the ranges it warns of, near-air substrates and inputs far beyond the fit.

#include <QTest>

#include <algorithm>
#include <cmath>

#include "maths/compare_within.h"
#include "maths/coupled_dispersion.h"
#include "maths/line_at_frequency.h"

using velmoka::coupled_at_frequency;
using velmoka::CoupledAtFrequency;
using velmoka::CoupledStatus;
using velmoka::PairModes;
using velmoka::PairRangeWarning;

namespace {

constexpr double kHighest = velmoka::kCoupledDispersionHighestFrequency;
constexpr double kRatios[] = {0.1, 0.158, 0.251, 0.398, 0.631, 1.0, 1.58, 2.51, 3.98, 6.31, 10.0};

QString where(double u, double g, double t, double er, double fn) {
    return QStringLiteral("W/H %1, S/H %2, T/H %3, er %4, fn %5").arg(u).arg(g).arg(t).arg(er).arg(fn);
}

// Of a static pair or a pair at frequency.
template <typename Pair>
bool answered(const Pair& pair) {
    return pair.status == CoupledStatus::ok || pair.status == CoupledStatus::beyond_fitted_range;
}

}  // namespace

class TestCoupledDispersion : public QObject {
    Q_OBJECT

private slots:
    void zeroFrequencyIsTheStaticPair_data();
    void zeroFrequencyIsTheStaticPair();
    void wideGapIsTheSingleStrip_data();
    void wideGapIsTheSingleStrip();
    void modesOverTheFittedRange();
    void warningsAtRangeEdges_data();
    void warningsAtRangeEdges();
    void nearAirSubstrates();
    void soundFarBeyondTheFit();
};

// At fn = 0 the static pair to the bit, near air too; leaving 0, the modes move continuously.
void TestCoupledDispersion::zeroFrequencyIsTheStaticPair_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::newRow("narrow strips, tight gap, on alumina") << 0.1 << 0.1 << 0.0 << 9.8;
    QTest::newRow("100 ohm pair on FR-4, copper") << 1.0 << 1.0 << 0.02 << 4.4;
    QTest::newRow("foam") << 1.0 << 0.5 << 0.02 << 1.1;
}

void TestCoupledDispersion::zeroFrequencyIsTheStaticPair() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, t);
    QFETCH(double, er);
    const velmoka::CoupledMicrostrip at_rest = velmoka::coupled_microstrip(u, g, t, er);
    const PairModes& m = at_rest.modes;
    const PairModes at_zero = coupled_at_frequency(at_rest, u, g, t, er, 0.0).modes;
    const PairModes near = coupled_at_frequency(at_rest, u, g, t, er, 1e-6).modes;
    QVERIFY(at_zero.z_even == m.z_even && at_zero.z_odd == m.z_odd && at_zero.e_eff_even == m.e_eff_even &&
            at_zero.e_eff_odd == m.e_eff_odd);
    COMPARE_WITHIN(
        near.z_even / m.z_even + near.z_odd / m.z_odd + near.e_eff_even / m.e_eff_even + near.e_eff_odd / m.e_eff_odd,
        4.0, 1e-7);
}

// A million H apart, each mode's e_eff has come as far towards er as the single line's, whatever
// the copper: the dispersion takes the bare W/H, as the single line's does, and the copper only
// through the static values. Without copper the odd mode's impedance disperses as the single
// line's Z0(f), near air too; the even mode's within 3 %, its power C_e keeping −Q17 at any gap.
void TestCoupledDispersion::wideGapIsTheSingleStrip_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::newRow("narrow, on foam") << 0.3 << 0.0 << 1.1;
    QTest::newRow("W/H 1 on FR-4") << 1.0 << 0.0 << 4.4;
    QTest::newRow("W/H 3 on er 10") << 3.0 << 0.0 << 10.0;
    QTest::newRow("W/H 3, thick copper, on er 10") << 3.0 << 0.5 << 10.0;
}

void TestCoupledDispersion::wideGapIsTheSingleStrip() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);
    const auto line_at = [&](double fn) {
        return velmoka::line_at_frequency({u * 1e-3, 1e-3, t * 1e-3},
                                          {er, 0.0, 1e9, velmoka::PermittivityModel::constant}, {},
                                          fn * 1e9);  // H 1 mm, f in GHz
    };
    const auto share = [er](double e_eff, double at_rest) { return (e_eff - at_rest) / (er - at_rest); };
    const PairModes at_rest = coupled_at_frequency(u, velmoka::kDecoupledGap, t, er, 0.0).modes;
    for (double fn : {1.0, 10.0, kHighest}) {
        const PairModes m = coupled_at_frequency(u, velmoka::kDecoupledGap, t, er, fn).modes;
        const double line_share = share(line_at(fn).e_eff, line_at(0.0).e_eff);
        COMPARE_WITHIN(share(m.e_eff_even, at_rest.e_eff_even), line_share, 1e-12);
        COMPARE_WITHIN(share(m.e_eff_odd, at_rest.e_eff_odd), line_share, 1e-12);
        const double line_ratio = line_at(fn).z0 / line_at(0.0).z0;
        if (t == 0.0) {
            COMPARE_WITHIN(m.z_odd / at_rest.z_odd, line_ratio, 1e-8);
            COMPARE_WITHIN(m.z_even / at_rest.z_even, line_ratio, 0.03 * line_ratio);
        }
    }
}

// Over the fitted range each mode's e_eff rises from its static value towards er, reaching it as
// fn grows without bound; the odd mode's may fall back by 3e-4·(er − 1) on wide strips at tight
// gaps, where P15, a magnitude, passes through 0. The odd mode lies below the even mode in e_eff
// and, up to fn 7, in impedance: above it, on wide strips at wide gaps on er 10 to 18, the odd
// impedance follows the single strip's Z0(f), which rises faster than the even mode's own.
void TestCoupledDispersion::modesOverTheFittedRange() {
    for (double er : {1.05, 2.2, 4.4, 10.0, 18.0}) {
        for (double u : kRatios) {
            for (double g : kRatios) {
                const PairModes at_rest = coupled_at_frequency(u, g, 0.05, er, 0.0).modes;
                double highest_odd = at_rest.e_eff_odd;
                PairModes lower = at_rest;
                for (double fn = 0.5; fn <= kHighest; fn += 0.5) {
                    const CoupledAtFrequency pair = coupled_at_frequency(u, g, 0.05, er, fn);
                    const PairModes& m = pair.modes;
                    QVERIFY2(pair.status == CoupledStatus::ok && m.e_eff_even >= lower.e_eff_even &&
                                 m.e_eff_odd >= std::max(at_rest.e_eff_odd, highest_odd - 3e-4 * (er - 1.0)) &&
                                 m.e_eff_even <= er && m.e_eff_odd < m.e_eff_even && (fn > 7.0 || m.z_odd < m.z_even),
                             qPrintable(where(u, g, 0.05, er, fn)));
                    highest_odd = std::max(highest_odd, m.e_eff_odd);
                    lower = m;
                }
                const PairModes far = coupled_at_frequency(u, g, 0.05, er, 1e9).modes;
                COMPARE_WITHIN(far.e_eff_even + far.e_eff_odd, 2.0 * er, 1e-6 * er);
            }
        }
    }
}

// Each flag just beyond its bound and none inside; the status says the pair's own range is left.
void TestCoupledDispersion::warningsAtRangeEdges_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("fn");
    QTest::addColumn<int>("flags");
    using enum PairRangeWarning;
    const auto flags = [](std::initializer_list<PairRangeWarning> warnings) {
        velmoka::PairRangeWarnings set;
        for (PairRangeWarning w : warnings)
            set.add(w);
        return int{set.flags};
    };
    const double wavelength = 299.792458;  // fn of a substrate a free-space wavelength thick
    QTest::newRow("W/H, S/H 0.1, er 18, fn 25") << 0.1 << 0.1 << 18.0 << kHighest << flags({});
    QTest::newRow("W/H, S/H 10") << 10.0 << 10.0 << 4.4 << 1.0 << flags({});
    QTest::newRow("W/H 10.1, er 18.1") << 10.1 << 1.0 << 18.1 << 1.0
                                       << flags({pair_width_ratio, impedance_width_ratio, pair_permittivity,
                                                 impedance_permittivity});
    QTest::newRow("S/H 10.1, fn 25.1") << 1.0 << 10.1 << 4.4 << 25.1 << flags({pair_gap_ratio, pair_frequency});
    QTest::newRow("S/H 0.099, H/λ0 0.101")
        << 1.0 << 0.099 << 4.4 << 0.101 * wavelength << flags({pair_gap_ratio, pair_frequency, impedance_frequency});
    QTest::newRow("W/H 0.099, er 20.1, H/λ0 0.131")
        << 0.099 << 1.0 << 20.1 << 0.131 * wavelength
        << flags({pair_width_ratio, dispersion_width_ratio, impedance_width_ratio, pair_permittivity,
                  impedance_permittivity, dispersion_permittivity, pair_frequency, impedance_frequency,
                  dispersion_frequency});
    QTest::newRow("W/H 101") << 101.0 << 1.0 << 4.4 << 1.0
                             << flags({pair_width_ratio, dispersion_width_ratio, impedance_width_ratio});
}

void TestCoupledDispersion::warningsAtRangeEdges() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, er);
    QFETCH(double, fn);
    QFETCH(int, flags);
    const CoupledAtFrequency pair = coupled_at_frequency(u, g, 0.02, er, fn);
    QCOMPARE(int{pair.warnings.flags}, flags);
    QCOMPARE(pair.status, flags == 0 ? CoupledStatus::ok : CoupledStatus::beyond_fitted_range);
}

// Below er 1.2, where Jansen and Kirschning's R13/R14 swings through ±∞ to NaN, the modes stay
// finite, run continuously into the published formulas at 1.2, and in air do not disperse.
void TestCoupledDispersion::nearAirSubstrates() {
    const double lowest = velmoka::kLowestImpedanceDispersionPermittivity;
    for (double u : {0.1, 1.0, 10.0}) {
        for (double g : {0.1, 1.0, 10.0}) {
            const PairModes air_at_rest = coupled_at_frequency(u, g, 0.02, 1.0, 0.0).modes;
            for (double fn = 1.0; fn <= kHighest; fn += 1.0) {
                const PairModes air = coupled_at_frequency(u, g, 0.02, 1.0, fn).modes;
                QVERIFY(air.z_even == air_at_rest.z_even && air.z_odd == air_at_rest.z_odd && air.e_eff_even == 1.0 &&
                        air.e_eff_odd == 1.0);
                for (double er : {1.01, 1.02, 1.04, 1.1})
                    QVERIFY(coupled_at_frequency(u, g, 0.02, er, fn).status == CoupledStatus::ok);
            }
            const PairModes below = coupled_at_frequency(u, g, 0.02, std::nextafter(lowest, 0.0), kHighest).modes;
            const PairModes at = coupled_at_frequency(u, g, 0.02, lowest, kHighest).modes;
            COMPARE_WITHIN(below.z_even / at.z_even + below.z_odd / at.z_odd, 2.0, 1e-12);
        }
    }
}

// Where the powers of the gap, the width, er, fn and e_eff overflow, and above er 18, where d_e
// would turn the even mode's ratio negative: wherever the static pair is answered, sound modes;
// elsewhere its status; no frequency, a status of its own. The gaps stop short of 1e4 H at W/H
// 100, where the static odd impedance is lost (kDecoupledGap), er at 1e120, short of where the
// single strip's own terms overflow.
void TestCoupledDispersion::soundFarBeyondTheFit() {
    for (double er : {1.0, 1.1, 4.4, 30.0, 1e4, 1e30, 1e120}) {
        for (double u : {1e-4, 0.02, 1.0, 100.0, 1e4}) {
            for (double g : {1e-30, 1e-4, 1.0, 100.0, 1e200}) {
                for (double t : {0.0, 0.01, 10.0}) {
                    const velmoka::CoupledMicrostrip at_rest = velmoka::coupled_microstrip(u, g, t, er);
                    for (double fn : {1e-9, 1.0, kHighest, 1e4, 1e100}) {
                        const CoupledAtFrequency pair = coupled_at_frequency(at_rest, u, g, t, er, fn);
                        const PairModes& m = pair.modes;
                        const bool sound = answered(pair) && m.z_even > 0.0 && m.z_odd > 0.0 &&
                                           std::isfinite(m.z_even + m.z_odd) && m.e_eff_even >= 1.0 &&
                                           m.e_eff_even <= er && m.e_eff_odd >= 1.0 && m.e_eff_odd <= er;
                        QVERIFY2(answered(at_rest) ? sound : pair.status == at_rest.status,
                                 qPrintable(where(u, g, t, er, fn)));
                    }
                }
            }
        }
    }
    for (double fn : {-1e-9, std::nan(""), HUGE_VAL})
        QCOMPARE(coupled_at_frequency(1.0, 1.0, 0.02, 4.4, fn).status, CoupledStatus::frequency_invalid);
}

QTEST_APPLESS_MAIN(TestCoupledDispersion)
#include "test_coupled_dispersion.moc"
