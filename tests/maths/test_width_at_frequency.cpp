#include <QTest>

#include <cmath>

#include "maths/compare_within.h"
#include "maths/width_at_frequency.h"
#include "maths/width_search.h"

using velmoka::width_for_impedance;
using velmoka::WidthEnd;

Q_DECLARE_METATYPE(WidthEnd)

constexpr double kHeight = 1.55e-3;  // m, of FR-4
constexpr double kThickness = 35e-6;

class TestWidthAtFrequency : public QObject {
    Q_OBJECT

private slots:
    void searchEnds_data();
    void searchEnds();
};

// The width of a reachable impedance gives it in a few passes; one out of reach ends at the
// bound it passed, with that bound's line.
void TestWidthAtFrequency::searchEnds_data() {
    QTest::addColumn<double>("zWant");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<WidthEnd>("end");

    QTest::newRow("50 ohm at 1 GHz") << 50.0 << 1e9 << WidthEnd::met_tolerance;
    QTest::newRow("50 ohm at 20 GHz") << 50.0 << 20e9 << WidthEnd::met_tolerance;
    QTest::newRow("120 ohm at 40 GHz") << 120.0 << 40e9 << WidthEnd::met_tolerance;
    QTest::newRow("500 ohm: narrower than W/H 0.01") << 500.0 << 10e9 << WidthEnd::above_narrowest_strip;
    QTest::newRow("1 ohm: wider than W/H 100") << 1.0 << 10e9 << WidthEnd::below_widest_strip;
    QTest::newRow("no impedance") << 0.0 << 10e9 << WidthEnd::not_admitted;
    QTest::newRow("negative frequency") << 50.0 << -1.0 << WidthEnd::not_admitted;
}

void TestWidthAtFrequency::searchEnds() {
    QFETCH(double, zWant);
    QFETCH(double, frequency);
    QFETCH(WidthEnd, end);

    const auto found = width_for_impedance(zWant, kHeight, kThickness, {4.4, 0.02}, {}, frequency);
    QCOMPARE(found.end, end);
    if (end == WidthEnd::met_tolerance) {
        QVERIFY(found.passes <= 20);
        COMPARE_WITHIN(found.line.z0, zWant, velmoka::kRelativeImpedanceTolerance * zWant);
    }
    if (end == WidthEnd::above_narrowest_strip) {
        COMPARE_WITHIN(found.width / kHeight, velmoka::kNarrowestWidthRatio, 1e-15);
        QVERIFY(found.line.z0 < zWant);
    }
    if (end == WidthEnd::below_widest_strip) {
        COMPARE_WITHIN(found.width / kHeight, velmoka::kWidestWidthRatio, 1e-12);
        QVERIFY(found.line.z0 > zWant);
    }
}

QTEST_APPLESS_MAIN(TestWidthAtFrequency)
#include "test_width_at_frequency.moc"
