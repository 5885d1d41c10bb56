#include <QTest>

#include <cmath>

#include "maths/compare_within.h"
#include "maths/window_constants.h"
#include "maths/lumped_networks.h"

using velmoka::kPi;
using velmoka::lumped_networks;
using velmoka::LumpedNetworks;

namespace {

constexpr double kHertzPerGigahertz = 1e9;
constexpr double kHenriesPerNanohenry = 1e-9;
constexpr double kFaradsPerPicofarad = 1e-12;

// Electrical length in radians from degrees, with the calculator's π.
double radians(double degrees) {
    return degrees * kPi / 180.0;
}

}  // namespace

class TestLumpedNetworks : public QObject {
    Q_OBJECT

private slots:
    void workedValues_data();
    void workedValues();
    void zeroLengthHasNoElements_data();
    void zeroLengthHasNoElements();
    void networksMatchTheLineSection_data();
    void networksMatchTheLineSection();
};

// A 50-ohm section, values to the four decimals the window shows.
void TestLumpedNetworks::workedValues_data() {
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("lPi");
    QTest::addColumn<double>("cPi");
    QTest::addColumn<double>("lT");
    QTest::addColumn<double>("cT");

    QTest::newRow("30 degrees at 1 GHz") << 30.0 << 1.0 << 3.9789 << 0.8529 << 2.1323 << 1.5915;
    QTest::newRow("quarter wave at 2 GHz") << 90.0 << 2.0 << 3.9789 << 1.5915 << 3.9789 << 1.5915;
}

void TestLumpedNetworks::workedValues() {
    QFETCH(double, degrees);
    QFETCH(double, f);
    QFETCH(double, lPi);
    QFETCH(double, cPi);
    QFETCH(double, lT);
    QFETCH(double, cT);

    const LumpedNetworks n = lumped_networks(50.0, radians(degrees), f);
    COMPARE_WITHIN(n.l_pi, lPi, 5e-5);
    COMPARE_WITHIN(n.c_pi, cPi, 5e-5);
    COMPARE_WITHIN(n.l_t, lT, 5e-5);
    COMPARE_WITHIN(n.c_t, cT, 5e-5);
}

// A section of no length needs no inductance and no capacitance, at any impedance.
void TestLumpedNetworks::zeroLengthHasNoElements_data() {
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("f");

    QTest::newRow("50 ohms at 1 GHz") << 50.0 << 1.0;
    QTest::newRow("0.5 ohms at 0.01 GHz") << 0.5 << 0.01;
    QTest::newRow("150 ohms at 100 GHz") << 150.0 << 100.0;
}

void TestLumpedNetworks::zeroLengthHasNoElements() {
    QFETCH(double, z0);
    QFETCH(double, f);

    const LumpedNetworks n = lumped_networks(z0, 0.0, f);
    QVERIFY(n.l_pi == 0.0);
    QVERIFY(n.c_pi == 0.0);
    QVERIFY(n.l_t == 0.0);
    QVERIFY(n.c_t == 0.0);
}

// Both networks, built from their element values at ω = 2πf, must have the transfer matrix of
// the line section: A = D = cos θ, B = j·z0·sin θ, C = j·sin θ / z0. B and C are compared as
// B/z0 and C·z0 so that every entry is of order one.
void TestLumpedNetworks::networksMatchTheLineSection_data() {
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("f");

    QTest::newRow("short 50-ohm section") << 50.0 << 10.0 << 10.0;
    QTest::newRow("30 degrees") << 50.0 << 30.0 << 1.0;
    QTest::newRow("quarter wave, 20 ohms") << 20.0 << 90.0 << 2.0;
    QTest::newRow("150 degrees, 120 ohms") << 120.0 << 150.0 << 0.5;
    QTest::newRow("near a half wave") << 50.0 << 179.0 << 3.0;
    QTest::newRow("beyond a half wave") << 75.0 << 200.0 << 1.0;
}

void TestLumpedNetworks::networksMatchTheLineSection() {
    QFETCH(double, z0);
    QFETCH(double, degrees);
    QFETCH(double, f);

    const double theta = radians(degrees);
    const LumpedNetworks n = lumped_networks(z0, theta, f);
    const double omega = 2.0 * kPi * f * kHertzPerGigahertz;

    // Pi: series reactance x between two shunt susceptances b.
    const double x = omega * n.l_pi * kHenriesPerNanohenry;
    const double b = omega * n.c_pi * kFaradsPerPicofarad;
    COMPARE_WITHIN(1.0 - x * b, std::cos(theta), 1e-9);
    COMPARE_WITHIN(x / z0, std::sin(theta), 1e-9);
    COMPARE_WITHIN((2.0 * b - x * b * b) * z0, std::sin(theta), 1e-9);

    // T: two series reactances xt around one shunt susceptance bt.
    const double xt = omega * n.l_t * kHenriesPerNanohenry;
    const double bt = omega * n.c_t * kFaradsPerPicofarad;
    COMPARE_WITHIN(1.0 - xt * bt, std::cos(theta), 1e-9);
    COMPARE_WITHIN((2.0 * xt - xt * xt * bt) / z0, std::sin(theta), 1e-9);
    COMPARE_WITHIN(bt * z0, std::sin(theta), 1e-9);
}

QTEST_APPLESS_MAIN(TestLumpedNetworks)
#include "test_lumped_networks.moc"
