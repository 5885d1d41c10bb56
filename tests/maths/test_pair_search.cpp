// The closed-form searches for the width and the gap of a wanted differential impedance: every
// design they give meets it when the pair is worked out again, a target beyond the range names
// the bound it ran into, one just inside a bound is still met, and inputs that are no pair end so.

#include <QTest>

#include <cmath>
#include <limits>

#include "maths/coupled_microstrip.h"
#include "maths/pair_search.h"

using velmoka::PairDesign;
using velmoka::PairSearchEnd;

Q_DECLARE_METATYPE(PairSearchEnd)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTolerance = velmoka::kDifferentialImpedanceTolerance;
constexpr int kMostPasses = 8;  // the searches take 2 to 6 on these pairs

// The differential impedance of the pair the design describes, worked out afresh.
double differential_impedance_of(const PairDesign& design, bool width, double other, double t, double er) {
    const velmoka::CoupledMicrostrip pair = width ? velmoka::coupled_microstrip(design.ratio, other, t, er)
                                                  : velmoka::coupled_microstrip(other, design.ratio, t, er);
    return velmoka::differential_impedance(pair.modes);
}

PairDesign designed(bool width, double z_diff, double other, double t, double er) {
    return width ? velmoka::width_for_differential_impedance(z_diff, other, t, er)
                 : velmoka::gap_for_differential_impedance(z_diff, other, t, er);
}

QString described(const PairDesign& design) {
    return QStringLiteral("ratio %1, z_diff %2, %3 passes, end %4")
        .arg(design.ratio, 0, 'g', 9)
        .arg(velmoka::differential_impedance(design.modes), 0, 'g', 9)
        .arg(design.passes)
        .arg(static_cast<int>(design.end));
}

}  // namespace

class TestPairSearch : public QObject {
    Q_OBJECT

private slots:
    void designsMeetTheTarget_data();
    void designsMeetTheTarget();
    void targetsBeyondTheRange_data();
    void targetsBeyondTheRange();
    void noPair_data();
    void noPair();
};

// Differential impedances from 50 to 150 ohms on PCB laminates and alumina, bare and with copper.
void TestPairSearch::designsMeetTheTarget_data() {
    QTest::addColumn<bool>("width");  // searching the width at a gap, or the gap at a width
    QTest::addColumn<double>("other");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("widths at S/H 0.5 on FR-4, copper T/H 0.175") << true << 0.5 << 0.175 << 4.4;
    QTest::newRow("widths at S/H 2 on PTFE, bare") << true << 2.0 << 0.0 << 2.2;
    QTest::newRow("widths at S/H 0.2 on alumina, thin copper") << true << 0.2 << 0.02 << 9.8;
    QTest::newRow("gaps at W/H 1 on FR-4, copper T/H 0.175") << false << 1.0 << 0.175 << 4.4;
    QTest::newRow("gaps at W/H 0.3 on Rogers 3.5, thick copper") << false << 0.3 << 0.35 << 3.5;
    QTest::newRow("gaps at W/H 0.5 on alumina, bare") << false << 0.5 << 0.0 << 9.8;
}

void TestPairSearch::designsMeetTheTarget() {
    QFETCH(bool, width);
    QFETCH(double, other);
    QFETCH(double, t);
    QFETCH(double, er);

    int met = 0;
    for (double z_diff = 50.0; z_diff <= 150.0; z_diff += 5.0) {
        const PairDesign design = designed(width, z_diff, other, t, er);
        if (design.end != PairSearchEnd::met_tolerance) {
            // Only a target beyond the range may go unmet.
            QVERIFY2(design.end != PairSearchEnd::did_not_settle && design.end != PairSearchEnd::no_pair,
                     qPrintable(described(design)));
            continue;
        }
        ++met;
        QVERIFY2(std::abs(differential_impedance_of(design, width, other, t, er) - z_diff) <= kTolerance,
                 qPrintable(QStringLiteral("target %1: ").arg(z_diff) + described(design)));
        QVERIFY2(design.passes <= kMostPasses, qPrintable(described(design)));
    }
    QVERIFY2(met >= 12, qPrintable(QStringLiteral("%1 targets met").arg(met)));
}

// A target one ohm beyond the pair at a bound of the range is out of reach there and gives no
// ratio; one a fiftieth of an ohm inside it is met.
void TestPairSearch::targetsBeyondTheRange_data() {
    QTest::addColumn<bool>("width");
    QTest::addColumn<double>("bound");
    QTest::addColumn<double>("outward");  // the sign of the impedance's change beyond the bound
    QTest::addColumn<PairSearchEnd>("end");

    QTest::newRow("narrower than the narrowest width")
        << true << velmoka::kNarrowestSearchedRatio << 1.0 << PairSearchEnd::beyond_narrowest_width;
    QTest::newRow("wider than the widest width")
        << true << velmoka::kWidestSearchedRatio << -1.0 << PairSearchEnd::beyond_widest_width;
    QTest::newRow("tighter than the tightest gap")
        << false << velmoka::kNarrowestSearchedRatio << -1.0 << PairSearchEnd::beyond_narrowest_gap;
    QTest::newRow("wider than the widest gap")
        << false << velmoka::kWidestSearchedRatio << 1.0 << PairSearchEnd::beyond_widest_gap;
}

void TestPairSearch::targetsBeyondTheRange() {
    QFETCH(bool, width);
    QFETCH(double, bound);
    QFETCH(double, outward);
    QFETCH(PairSearchEnd, end);

    constexpr double kOther = 1.0;
    constexpr double kT = 0.1;
    constexpr double kEr = 4.4;
    const double at_bound = velmoka::differential_impedance(
        (width ? velmoka::coupled_microstrip(bound, kOther, kT, kEr) : velmoka::coupled_microstrip(kOther, bound, kT, kEr))
            .modes);
    const PairDesign beyond = designed(width, at_bound + outward, kOther, kT, kEr);
    QVERIFY2(beyond.end == end, qPrintable(described(beyond)));
    QVERIFY(std::isnan(beyond.ratio) && std::isnan(beyond.modes.z_odd));

    const PairDesign inside = designed(width, at_bound - 0.02 * outward, kOther, kT, kEr);
    QVERIFY2(inside.end == PairSearchEnd::met_tolerance, qPrintable(described(inside)));
    QVERIFY2(std::abs(differential_impedance_of(inside, width, kOther, kT, kEr) - (at_bound - 0.02 * outward)) <=
                 kTolerance,
             qPrintable(described(inside)));
}

// No impedance, or none that is a number, or no pair for the model at the dimension held.
void TestPairSearch::noPair_data() {
    QTest::addColumn<double>("zDiff");
    QTest::addColumn<double>("other");

    QTest::newRow("no impedance") << 0.0 << 1.0;
    QTest::newRow("impedance not a number") << kNaN << 1.0;
    QTest::newRow("infinite impedance") << std::numeric_limits<double>::infinity() << 1.0;
    QTest::newRow("no other dimension") << 100.0 << 0.0;
}

void TestPairSearch::noPair() {
    QFETCH(double, zDiff);
    QFETCH(double, other);

    for (bool width : {true, false}) {
        const PairDesign design = designed(width, zDiff, other, 0.0, 4.4);
        QVERIFY2(design.end == PairSearchEnd::no_pair, qPrintable(described(design)));
        QVERIFY(std::isnan(design.ratio));
    }
}

QTEST_APPLESS_MAIN(TestPairSearch)
#include "test_pair_search.moc"
