// The searches for the width and the gap of a wanted differential impedance on the field
// solution: a design meets the target when the field is solved there afresh, within a few field
// solutions; a target beyond the range names the bound it ran into; inputs beyond the solver's
// range end as no pair.

#include <QTest>

#include <cmath>

#include "field_solver/field_pair.h"
#include "field_solver/field_pair_search.h"

using velmoka::FieldPairDesign;
using velmoka::PairSearchEnd;

Q_DECLARE_METATYPE(PairSearchEnd)

namespace {

// The closed form's answer and slope leave two to four field solutions on these pairs.
constexpr int kMostFieldSolutions = 4;

FieldPairDesign designed(bool width, double z_diff, double other, double t, double er) {
    return width ? velmoka::field_width_for_differential_impedance(z_diff, other, t, er)
                 : velmoka::field_gap_for_differential_impedance(z_diff, other, t, er);
}

QString described(const FieldPairDesign& design) {
    return QStringLiteral("ratio %1, z_diff %2, %3 field solutions, end %4")
        .arg(design.ratio, 0, 'g', 9)
        .arg(velmoka::differential_impedance(design.pair.modes), 0, 'g', 9)
        .arg(design.field_solutions)
        .arg(static_cast<int>(design.end));
}

}  // namespace

class TestFieldPairSearch : public QObject {
    Q_OBJECT

private slots:
    void designsMeetTheTarget_data();
    void designsMeetTheTarget();
    void targetsBeyondTheRange_data();
    void targetsBeyondTheRange();
    void beyondTheSolversRange();
};

// Pairs where the closed form's design is off by up to 6 % in the width and 65 % in the gap, thick
// copper among them.
void TestFieldPairSearch::designsMeetTheTarget_data() {
    QTest::addColumn<bool>("width");
    QTest::addColumn<double>("zDiff");
    QTest::addColumn<double>("other");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("100 ohms: width at S/H 1 on FR-4, T/H 0.175") << true << 100.0 << 1.0 << 0.175 << 4.4;
    QTest::newRow("85 ohms: width at S/H 0.5 on FR-4, T/H 0.05") << true << 85.0 << 0.5 << 0.05 << 4.4;
    QTest::newRow("100 ohms: gap at W/H 1 on FR-4, T/H 0.175") << false << 100.0 << 1.0 << 0.175 << 4.4;
    QTest::newRow("90 ohms: gap at W/H 0.5 on er 3.5, T/H 0.35") << false << 90.0 << 0.5 << 0.35 << 3.5;
}

void TestFieldPairSearch::designsMeetTheTarget() {
    QFETCH(bool, width);
    QFETCH(double, zDiff);
    QFETCH(double, other);
    QFETCH(double, t);
    QFETCH(double, er);

    const FieldPairDesign design = designed(width, zDiff, other, t, er);
    QVERIFY2(design.end == PairSearchEnd::met_tolerance, qPrintable(described(design)));
    QVERIFY2(design.field_solutions <= kMostFieldSolutions, qPrintable(described(design)));
    const velmoka::FieldPair afresh =
        width ? velmoka::field_pair(design.ratio, other, t, er) : velmoka::field_pair(other, design.ratio, t, er);
    const double z_diff = velmoka::differential_impedance(afresh.modes);
    QVERIFY2(std::abs(z_diff - zDiff) + z_diff * afresh.accuracy.z_odd <= velmoka::kDifferentialImpedanceTolerance,
             qPrintable(described(design)));
}

// Targets the field cannot reach within the range, bare strips on FR-4 at W/H or S/H 1.
void TestFieldPairSearch::targetsBeyondTheRange_data() {
    QTest::addColumn<bool>("width");
    QTest::addColumn<double>("zDiff");
    QTest::addColumn<PairSearchEnd>("end");

    QTest::newRow("400 ohms needs a strip narrower than W/H 0.05") << true << 400.0 << PairSearchEnd::beyond_narrowest_width;
    QTest::newRow("10 ohms needs a strip wider than W/H 20") << true << 10.0 << PairSearchEnd::beyond_widest_width;
    QTest::newRow("60 ohms needs a gap tighter than S/H 0.05") << false << 60.0 << PairSearchEnd::beyond_narrowest_gap;
    QTest::newRow("160 ohms needs a gap wider than S/H 20") << false << 160.0 << PairSearchEnd::beyond_widest_gap;
}

void TestFieldPairSearch::targetsBeyondTheRange() {
    QFETCH(bool, width);
    QFETCH(double, zDiff);
    QFETCH(PairSearchEnd, end);

    const FieldPairDesign design = designed(width, zDiff, 1.0, 0.0, 4.4);
    QVERIFY2(design.end == end, qPrintable(described(design)));
    QVERIFY(std::isnan(design.ratio));
}

// Copper thicker than H is beyond the field solver: no pair, and no ratio.
void TestFieldPairSearch::beyondTheSolversRange() {
    for (bool width : {true, false}) {
        const FieldPairDesign design = designed(width, 100.0, 1.0, 1.5, 4.4);
        QVERIFY2(design.end == PairSearchEnd::no_pair, qPrintable(described(design)));
        QVERIFY(std::isnan(design.ratio));
    }
}

QTEST_APPLESS_MAIN(TestFieldPairSearch)
#include "test_field_pair_search.moc"
