// The field solution of an edge-coupled pair against published field solutions, against the
// single strip's solution at a wide gap, against finer meshes, its modes' order,
// and its answers for geometries it does not solve.

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "common/physical_constants.h"
#include "field_solver/field_line.h"
#include "field_solver/field_pair.h"
#include "field_solver/mesh_extrapolation.h"
#include "field_solver/pair_capacitance.h"
#include "field_solver/slab_images.h"
#include "field_solver/strip_panels.h"

using velmoka::field_pair;
using velmoka::FieldPair;
using velmoka::FieldPairStatus;
using velmoka::PairModes;

Q_DECLARE_METATYPE(FieldPairStatus)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QString described(const FieldPair& pair) {
    return QStringLiteral("z_even %1 (±%2), z_odd %3 (±%4), e_eff_even %5 (±%6), e_eff_odd %7 (±%8), %9")
        .arg(pair.modes.z_even, 0, 'g', 9)
        .arg(pair.accuracy.z_even, 0, 'g', 2)
        .arg(pair.modes.z_odd, 0, 'g', 9)
        .arg(pair.accuracy.z_odd, 0, 'g', 2)
        .arg(pair.modes.e_eff_even, 0, 'g', 9)
        .arg(pair.accuracy.e_eff_even, 0, 'g', 2)
        .arg(pair.modes.e_eff_odd, 0, 'g', 9)
        .arg(pair.accuracy.e_eff_odd, 0, 'g', 2)
        .arg(velmoka::field_pair_status_text(pair.status).data());
}

bool solved(const FieldPair& pair) {
    const PairModes& a = pair.accuracy;
    return pair.status == FieldPairStatus::ok && std::max({a.z_even, a.z_odd, a.e_eff_even, a.e_eff_odd}) <=
                                                     velmoka::kFieldPairAccuracy;
}

}  // namespace

class TestFieldPair : public QObject {
    Q_OBJECT

private slots:
    void publishedSolutions_data();
    void publishedSolutions();
    void wideGapTendsToSingleStrip_data();
    void wideGapTendsToSingleStrip();
    void finerMeshesAgree_data();
    void finerMeshesAgree();
    void oddModeBelowEvenMode_data();
    void oddModeBelowEvenMode();
    void unsolvedGeometries_data();
    void unsolvedGeometries();
};

// Zero-thickness pairs from a published finite-difference solver, which appears to solve inside
// a closed box: the box's walls and lid draw the even mode's far-reaching field, so its even-mode
// impedances are expected a few tenths of a per cent below the open solution, and its odd-mode
// impedances, whose field stays near the gap, much closer.
void TestFieldPair::publishedSolutions_data() {
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("zEven");
    QTest::addColumn<double>("zOdd");

    QTest::newRow("H 0.2, W 0.3, S 0.2 mm, er 4.4") << 0.2 << 0.3 << 0.2 << 4.4 << 64.443 << 49.776;
    QTest::newRow("H 0.1, W 0.15, S 0.15 mm, er 4.1") << 0.1 << 0.15 << 0.15 << 4.1 << 64.239 << 54.052;
    QTest::newRow("H 0.5, W 1.0, S 0.5 mm, er 10") << 0.5 << 1.0 << 0.5 << 10.0 << 36.574 << 29.370;
    QTest::newRow("H 0.2, W 0.2, S 1.0 mm, er 4.4") << 0.2 << 0.2 << 1.0 << 4.4 << 71.911 << 69.881;
}

void TestFieldPair::publishedSolutions() {
    QFETCH(double, h);
    QFETCH(double, w);
    QFETCH(double, s);
    QFETCH(double, er);
    QFETCH(double, zEven);
    QFETCH(double, zOdd);

    // The open solution's even mode lies 0.25 % to 0.27 % above the box's, its odd mode 0.05 %
    // to 0.06 % above.
    constexpr double kEvenModeBoxBand = 4e-3;
    constexpr double kOddModeBoxBand = 1e-3;
    const FieldPair pair = field_pair(w, s, h, 0.0, er);
    QVERIFY2(solved(pair), qPrintable(described(pair)));
    QVERIFY2(pair.modes.z_even > zEven && pair.modes.z_even < zEven * (1.0 + kEvenModeBoxBand),
             qPrintable(described(pair)));
    QVERIFY2(std::abs(pair.modes.z_odd / zOdd - 1.0) < kOddModeBoxBand, qPrintable(described(pair)));
}

// Far apart, the strips barely couple: the modes part either side of the single strip by a share
// that falls as the square of the strips' distance, and to first order symmetrically, so that
// their geometric mean is the single strip's value to within the two solutions' accuracy.
void TestFieldPair::wideGapTendsToSingleStrip_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("narrow, no thickness, on er 2.2") << 0.3 << 0.0 << 2.2;
    QTest::newRow("W/H 1, thin, on er 4.4") << 1.0 << 0.05 << 4.4;
    QTest::newRow("W/H 3, thick, on er 10") << 3.0 << 0.5 << 10.0;
    QTest::newRow("narrowest, thickest, on er 100") << 0.05 << 1.0 << 100.0;
}

void TestFieldPair::wideGapTendsToSingleStrip() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);

    constexpr double kMeanAgreement = 2.0 * velmoka::kFieldAccuracy;
    // From a gap of 10 H to 20 H the distance between the strips' centres grows by 1.7 to 2 over
    // the range of this table, and the modes' split falls by its square.
    constexpr double kLeastFall = 2.8;
    const velmoka::FieldLine single = velmoka::field_line(u, t, er);
    QVERIFY(single.status == velmoka::FieldStatus::ok);
    const FieldPair near = field_pair(u, 10.0, t, er);
    const FieldPair far = field_pair(u, velmoka::kFieldPairLargestGapRatio, t, er);
    QVERIFY2(solved(near), qPrintable(described(near)));
    QVERIFY2(solved(far), qPrintable(described(far)));
    for (const auto& [even, odd, one, name] :
         {std::tuple{&PairModes::z_even, &PairModes::z_odd, single.z0, "impedance"},
          std::tuple{&PairModes::e_eff_even, &PairModes::e_eff_odd, single.e_eff, "e_eff"}}) {
        const double near_split = near.modes.*even - near.modes.*odd;
        const double far_split = far.modes.*even - far.modes.*odd;
        QVERIFY2(far.modes.*odd < one && one < far.modes.*even, name);
        QVERIFY2(std::abs(std::sqrt(far.modes.*even * far.modes.*odd) / one - 1.0) <= kMeanAgreement, name);
        QVERIFY2(near_split > kLeastFall * far_split, name);
    }
}

// Levels 3 to 5 of the mesh, up to four times finer than the finest the solver needs on these
// pairs (level 2 or 3), extrapolated on their own: their answer lies within the accuracy the
// solver claims for its own.
void TestFieldPair::finerMeshesAgree_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("tight gap, no thickness, on er 10") << 0.5 << 0.05 << 0.0 << 10.0;
    QTest::newRow("FR-4 pair with copper of T/H 0.2") << 1.5 << 1.0 << 0.2 << 4.4;
}

void TestFieldPair::finerMeshesAgree() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, t);
    QFETCH(double, er);

    constexpr int kFirstFinerLevel = 3;
    std::vector<std::array<double, 4>> levels;
    for (int level = kFirstFinerLevel; level < kFirstFinerLevel + 3; ++level) {
        const std::vector<velmoka::field_solver::Panel> right_strip =
            velmoka::field_solver::whole_strip_panels(u, t, 0.5 * (u + g), level);
        const velmoka::field_solver::PairCapacitances c =
            velmoka::field_solver::pair_capacitances(right_strip, velmoka::field_solver::SlabImages(er, right_strip));
        levels.push_back({velmoka::kFreeSpaceImpedance / std::sqrt(c.even.with_slab * c.even.in_air),
                          velmoka::kFreeSpaceImpedance / std::sqrt(c.odd.with_slab * c.odd.in_air),
                          c.even.with_slab / c.even.in_air, c.odd.with_slab / c.odd.in_air});
    }
    const FieldPair pair = field_pair(u, g, t, er);
    QVERIFY2(solved(pair), qPrintable(described(pair)));
    const double solved_values[] = {pair.modes.z_even, pair.modes.z_odd, pair.modes.e_eff_even, pair.modes.e_eff_odd};
    for (int q = 0; q < 4; ++q) {
        const velmoka::field_solver::Extrapolation finer =
            velmoka::field_solver::extrapolate(levels[0][q], levels[1][q], levels[2][q]);
        QVERIFY2(std::abs(solved_values[q] / finer.value - 1.0) <= velmoka::kFieldPairAccuracy,
                 qPrintable(QStringLiteral("quantity %1: finer meshes give %2; ").arg(q).arg(finer.value, 0, 'g', 9) +
                            described(pair)));
    }
}

// Across the corners of the range, the odd mode keeps more of its field in the air between the
// strips: its impedance and its effective dielectric constant lie below the even mode's, and
// both effective constants lie between 1 and er.
void TestFieldPair::oddModeBelowEvenMode_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("narrowest, tightest, thickest, on er 100") << 0.05 << 0.05 << 1.0 << 100.0;
    QTest::newRow("narrowest, widest gap, no thickness, on er 1.01") << 0.05 << 20.0 << 0.0 << 1.01;
    QTest::newRow("widest, tightest, thick, on er 2.2") << 20.0 << 0.05 << 0.5 << 2.2;
    QTest::newRow("widest, widest gap, thin, on er 10") << 20.0 << 20.0 << 0.01 << 10.0;
    QTest::newRow("100 ohm pair on FR-4") << 1.2 << 1.0 << 0.2 << 4.4;
}

void TestFieldPair::oddModeBelowEvenMode() {
    QFETCH(double, u);
    QFETCH(double, g);
    QFETCH(double, t);
    QFETCH(double, er);

    const FieldPair pair = field_pair(u, g, t, er);
    QVERIFY2(solved(pair), qPrintable(described(pair)));
    QVERIFY2(pair.modes.z_odd < pair.modes.z_even, qPrintable(described(pair)));
    QVERIFY2(1.0 < pair.modes.e_eff_odd && pair.modes.e_eff_odd < pair.modes.e_eff_even && pair.modes.e_eff_even < er,
             qPrintable(described(pair)));
}

// Every input outside the range, not a number or infinite gives its own status and no values.
void TestFieldPair::unsolvedGeometries_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<FieldPairStatus>("status");

    constexpr FieldPairStatus kWidth = FieldPairStatus::width_out_of_range;
    constexpr FieldPairStatus kGap = FieldPairStatus::gap_out_of_range;
    constexpr FieldPairStatus kHeight = FieldPairStatus::height_out_of_range;
    constexpr FieldPairStatus kThickness = FieldPairStatus::thickness_out_of_range;
    constexpr FieldPairStatus kPermittivity = FieldPairStatus::permittivity_out_of_range;
    QTest::newRow("W/H below 0.05") << 0.0499 << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("W/H above 20") << 20.01 << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("width not a number") << kNaN << 1.0 << 1.0 << 0.0 << 4.4 << kWidth;
    QTest::newRow("S/H below 0.05") << 1.0 << 0.0499 << 1.0 << 0.0 << 4.4 << kGap;
    QTest::newRow("S/H above 20") << 1.0 << 20.01 << 1.0 << 0.0 << 4.4 << kGap;
    QTest::newRow("gap not a number") << 1.0 << kNaN << 1.0 << 0.0 << 4.4 << kGap;
    QTest::newRow("negative height") << 1.0 << 1.0 << -1.0 << 0.0 << 4.4 << kHeight;
    QTest::newRow("height not a number") << 1.0 << 1.0 << kNaN << 0.0 << 4.4 << kHeight;
    QTest::newRow("negative thickness") << 1.0 << 1.0 << 1.0 << -1e-12 << 4.4 << kThickness;
    QTest::newRow("T/H above 1") << 1.0 << 1.0 << 1.0 << 1.001 << 4.4 << kThickness;
    QTest::newRow("thickness not a number") << 1.0 << 1.0 << 1.0 << kNaN << 4.4 << kThickness;
    QTest::newRow("er below 1") << 1.0 << 1.0 << 1.0 << 0.0 << 0.999 << kPermittivity;
    QTest::newRow("er above 100") << 1.0 << 1.0 << 1.0 << 0.0 << 100.01 << kPermittivity;
}

void TestFieldPair::unsolvedGeometries() {
    QFETCH(double, w);
    QFETCH(double, s);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(FieldPairStatus, status);

    const FieldPair pair = field_pair(w, s, h, t, er);
    QVERIFY2(pair.status == status, qPrintable(described(pair)));
    const PairModes& m = pair.modes;
    QVERIFY(std::isnan(m.z_even) && std::isnan(m.z_odd) && std::isnan(m.e_eff_even) && std::isnan(m.e_eff_odd));
}

QTEST_APPLESS_MAIN(TestFieldPair)
#include "test_field_pair.moc"
