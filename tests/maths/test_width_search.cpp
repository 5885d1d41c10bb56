// The search for the strip width of a wanted impedance, without the window: the closed-form
// estimate, worked searches with their pass counts, a grid over every reachable impedance,
// and the ways a search ends when the impedance is out of reach or has no width at all.
// Expected values are worked by hand or with a separate transcription of the line model.

#include <QTest>

#include <cmath>

#include "maths/compare_within.h"
#include "maths/microstrip_line.h"
#include "maths/width_search.h"

using velmoka::estimated_width_ratio;
using velmoka::LineProperties;
using velmoka::microstrip_line;
using velmoka::SearchEnd;
using velmoka::solve_width_ratio;
using velmoka::WidthSolution;

namespace {

constexpr double kNarrowestRatio = 0.01;  // W/H the search never goes below
constexpr double kProbeFactor = 1.0001;   // the written ratio over the pass's own ratio
constexpr double kEndTolerance = 0.01;    // ohms, between the wanted and the pass's impedance
constexpr int kMostPassesOnReachableLines = 7;
constexpr int kPassLimit = 100;

// The impedance the end test looked at: the model at the pass's own ratio, one probe step
// below the ratio the search returns.
double end_test_impedance(const WidthSolution& solution, double t, double er) {
    return microstrip_line(solution.u / kProbeFactor, t, er).z0;
}

}  // namespace

class TestWidthSearch : public QObject {
    Q_OBJECT

private slots:
    void estimate_data();
    void estimate();
    void worked_searches_data();
    void worked_searches();
    void every_reachable_impedance_data();
    void every_reachable_impedance();
    void air_line_has_unit_effective_constant_data();
    void air_line_has_unit_effective_constant();
    void out_of_reach_data();
    void out_of_reach();
    void no_width_for_the_impedance_data();
    void no_width_for_the_impedance();
};

// The wide-strip synthesis formula, and its floor where it has no value.
void TestWidthSearch::estimate_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("tolerance");

    // By hand: B = 377·π/100 = 11.84380, (2/π)·(B − 1 − ln(2B − 1)) = 4.91597.
    QTest::newRow("50 ohms in air") << 50.0 << 1.0 << 4.91597 << 5e-5;
    QTest::newRow("50 ohms on er 2.2") << 50.0 << 2.2 << 3.08117 << 5e-5;
    QTest::newRow("100 ohms on er 12.9 comes out negative") << 100.0 << 12.9 << -0.143 << 5e-4;
    // Z·sqrt(er) at or above 377·π/2, about 592.19 ohms: no estimate, the floor instead.
    QTest::newRow("140 ohms on er 20 starts at the floor") << 140.0 << 20.0 << 0.01 << 0.0;
    QTest::newRow("600 ohms in air starts at the floor") << 600.0 << 1.0 << 0.01 << 0.0;
}

void TestWidthSearch::estimate() {
    QFETCH(double, z_want);
    QFETCH(double, er);
    QFETCH(double, ratio);
    QFETCH(double, tolerance);
    COMPARE_WITHIN(estimated_width_ratio(z_want, er), ratio, tolerance);
}

// Searches whose passes were followed by hand: the pass that meets the end test, the ratio
// written (the last pass's probe) and the impedance the end test saw.
void TestWidthSearch::worked_searches_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<int>("passes");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("ratio_tolerance");
    QTest::addColumn<double>("end_test_z0");

    QTest::newRow("50 ohms on er 2.2, second pass") << 50.0 << 0.01 << 2.2 << 2 << 3.068 << 5e-4 << 50.00378;
    QTest::newRow("opening window, 50 ohms on er 12.9, second pass")
        << 50.0 << 0.04 << 12.9 << 2 << 0.69627 << 5e-5 << 50.00702;
    QTest::newRow("100 ohms on er 12.9 from a negative estimate, fifth pass")
        << 100.0 << 0.04 << 12.9 << 5 << 0.0511 << 5e-5 << 100.00172;
    QTest::newRow("122.72 ohms at the model's reach, first pass at the floor")
        << 122.72 << 0.04 << 12.9 << 1 << 0.010001 << 1e-12 << 122.72943;
}

void TestWidthSearch::worked_searches() {
    QFETCH(double, z_want);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(int, passes);
    QFETCH(double, ratio);
    QFETCH(double, ratio_tolerance);
    QFETCH(double, end_test_z0);

    const WidthSolution solution = solve_width_ratio(z_want, t, er);
    QVERIFY(solution.end == SearchEnd::met_tolerance);
    QCOMPARE(solution.passes, passes);
    COMPARE_WITHIN(solution.u, ratio, ratio_tolerance);
    COMPARE_WITHIN(end_test_impedance(solution, t, er), end_test_z0, 5e-5);
}

// Every substrate from air to er 15 and every conductor from t 0.001 to 0.5, with every
// impedance from 0.5 ohm in steps of half an ohm up to 0.01 ohm below the model's reach (its
// impedance at the narrowest strip), and 0.1 ohm, the lowest the command accepts.
void TestWidthSearch::every_reachable_impedance_data() {
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    const double permittivities[] = {1.0, 1.5, 2.2, 3.0, 4.4, 6.15, 9.8, 10.2, 12.9, 15.0};
    const double thicknesses[] = {0.001, 0.005, 0.01, 0.04, 0.1, 0.2, 0.5};
    for (double er : permittivities) {
        for (double t : thicknesses) {
            QTest::addRow("er %g, t %g", er, t) << t << er;
        }
    }
}

void TestWidthSearch::every_reachable_impedance() {
    QFETCH(double, t);
    QFETCH(double, er);

    const double reach = microstrip_line(kNarrowestRatio, t, er).z0;
    QList<double> wanted = {0.1};
    for (double z_want = 0.5; z_want <= reach - kEndTolerance; z_want += 0.5) {
        wanted << z_want;
    }
    wanted << reach - 1.0001 * kEndTolerance;

    for (double z_want : wanted) {
        const QByteArray where = QByteArray::number(z_want, 'g', 10) + " ohms";
        const WidthSolution solution = solve_width_ratio(z_want, t, er);
        QVERIFY2(solution.end == SearchEnd::met_tolerance, where.constData());
        QVERIFY2(solution.passes <= kMostPassesOnReachableLines,
                 (where + ", passes " + QByteArray::number(solution.passes)).constData());

        // The written impedance and e_eff are the model's at the written ratio.
        const LineProperties line = microstrip_line(solution.u, t, er);
        QVERIFY2(line.z0 == solution.z0 && line.e_eff == solution.e_eff, where.constData());
        // The end test held one probe step below, and the probe step moves the impedance
        // by about a ten-thousandth of itself at most.
        QVERIFY2(std::abs(end_test_impedance(solution, t, er) - z_want) < kEndTolerance, where.constData());
        QVERIFY2(std::abs(solution.z0 - z_want) < kEndTolerance + 1e-4 * z_want, where.constData());
    }
}

// With no dielectric the field is all in air, whatever the width found: e_eff is exactly 1.
void TestWidthSearch::air_line_has_unit_effective_constant_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("t");

    QTest::newRow("50 ohms, t 0.04") << 50.0 << 0.04;
    QTest::newRow("1 ohm, t 0.001") << 1.0 << 0.001;
    QTest::newRow("200 ohms, t 0.5") << 200.0 << 0.5;
}

void TestWidthSearch::air_line_has_unit_effective_constant() {
    QFETCH(double, z_want);
    QFETCH(double, t);

    const WidthSolution solution = solve_width_ratio(z_want, t, 1.0);
    QVERIFY(solution.end == SearchEnd::met_tolerance);
    QVERIFY2(solution.e_eff == 1.0, qPrintable(mismatch(solution.e_eff, 1.0, 0.0)));
}

// Above the model's reach every Newton step points below the narrowest strip; the search
// gives up after its pass limit, stays at the floor and says the impedance is out of reach.
void TestWidthSearch::out_of_reach_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("140 ohms on er 12.9") << 140.0 << 0.04 << 12.9;
    QTest::newRow("0.011 ohm above the reach on er 12.9") << 122.7405 << 0.04 << 12.9;
    QTest::newRow("140 ohms on er 20, no estimate") << 140.0 << 0.04 << 20.0;
    QTest::newRow("400 ohms in air") << 400.0 << 0.001 << 1.0;
}

void TestWidthSearch::out_of_reach() {
    QFETCH(double, z_want);
    QFETCH(double, t);
    QFETCH(double, er);

    const WidthSolution solution = solve_width_ratio(z_want, t, er);
    QVERIFY(solution.end == SearchEnd::out_of_reach);
    QCOMPARE(solution.passes, kPassLimit);
    COMPARE_WITHIN(solution.u, kNarrowestRatio * kProbeFactor, 1e-15);
}

// Impedances no strip has (the command refuses them before it searches): the search must
// still end, and say it did not settle rather than claim a width.
void TestWidthSearch::no_width_for_the_impedance_data() {
    QTest::addColumn<double>("z_want");
    QTest::addColumn<double>("er");
    QTest::addColumn<int>("most_passes");

    // The estimate has no value and the first pass's next ratio is not a number.
    QTest::newRow("no impedance at all, in air") << 0.0 << 1.0 << 1;
    QTest::newRow("no impedance at all, on er 12.9") << 0.0 << 12.9 << 1;
    // Newton steps grow the strip until its impedance no longer moves.
    QTest::newRow("negative impedance") << -1.0 << 12.9 << kPassLimit;
}

void TestWidthSearch::no_width_for_the_impedance() {
    QFETCH(double, z_want);
    QFETCH(double, er);
    QFETCH(int, most_passes);

    const WidthSolution solution = solve_width_ratio(z_want, 0.04, er);
    QVERIFY(solution.end == SearchEnd::did_not_settle);
    QVERIFY2(solution.passes <= most_passes, qPrintable(QString::number(solution.passes)));
}

QTEST_APPLESS_MAIN(TestWidthSearch)
#include "test_width_search.moc"
