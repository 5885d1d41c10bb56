// The line section behind a lumped pi or T network: the element reactances, the electrical
// length solved from one element and the impedance, and the physical length on the strip.

#include "maths/compare_within.h"
#include "maths/line_section.h"
#include "maths/lumped_networks.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <numbers>

using namespace velmoka;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargestFrequency = std::numeric_limits<double>::max();  // GHz
constexpr double kQuarterWave = std::numbers::pi / 2.0;                   // radians

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// The 5 nH pi inductance, or equally the 2 pF T capacitance, on a 50-ohm line at 1 GHz.
const double kWorkedExampleTheta = radians(38.92617545257391);

}  // namespace

class TestLineSection : public QObject {
    Q_OBJECT

private slots:
    void series_reactance_data();
    void series_reactance();
    void shunt_reactance_data();
    void shunt_reactance();
    void pi_electrical_length_data();
    void pi_electrical_length();
    void tee_electrical_length_data();
    void tee_electrical_length();
    void section_length_data();
    void section_length();
    void both_networks_of_a_line_give_back_its_length_data();
    void both_networks_of_a_line_give_back_its_length();
};

void TestLineSection::series_reactance_data() {
    QTest::addColumn<double>("inductance");  // nH
    QTest::addColumn<double>("f");           // GHz
    QTest::addColumn<double>("reactance");   // ohms

    QTest::newRow("5 nH at 1 GHz") << 5.0 << 1.0 << 31.41592654;
    QTest::newRow("10 nH at 1 GHz") << 10.0 << 1.0 << 62.83185308;
    QTest::newRow("5 nH at a negative frequency") << 5.0 << -1.0 << -31.41592654;
    QTest::newRow("no inductance is a short") << 0.0 << 1.0 << 0.0;
    QTest::newRow("no inductance stays a short at the largest frequency") << 0.0 << kLargestFrequency << 0.0;
}

void TestLineSection::series_reactance() {
    QFETCH(double, inductance);
    QFETCH(double, f);
    QFETCH(double, reactance);
    COMPARE_WITHIN(velmoka::series_reactance(inductance, f), reactance, 1e-9);
}

void TestLineSection::shunt_reactance_data() {
    QTest::addColumn<double>("capacitance");  // pF
    QTest::addColumn<double>("f");            // GHz
    QTest::addColumn<double>("reactance");    // ohms

    QTest::newRow("2 pF at 1 GHz") << 2.0 << 1.0 << 79.577471535557;
    QTest::newRow("4 pF at 1 GHz") << 4.0 << 1.0 << 39.7887357677785;
    QTest::newRow("2 pF at a negative frequency") << 2.0 << -1.0 << -79.577471535557;
    QTest::newRow("no capacitance is open") << 0.0 << 1.0 << kInfinity;
    QTest::newRow("negative zero capacitance is open") << -0.0 << 1.0 << kInfinity;
    QTest::newRow("no capacitance is open at a negative frequency") << 0.0 << -1.0 << kInfinity;
    QTest::newRow("negative zero at a negative frequency is open") << -0.0 << -1.0 << kInfinity;
}

void TestLineSection::shunt_reactance() {
    QFETCH(double, capacitance);
    QFETCH(double, f);
    QFETCH(double, reactance);
    const double xc = velmoka::shunt_reactance(capacitance, f);
    if (std::isinf(reactance)) {
        QCOMPARE(xc, reactance);
    } else {
        COMPARE_WITHIN(xc, reactance, 1e-9);
    }
}

void TestLineSection::pi_electrical_length_data() {
    QTest::addColumn<double>("xl");     // series reactance, ohms
    QTest::addColumn<double>("z0");     // ohms
    QTest::addColumn<double>("theta");  // radians

    QTest::newRow("worked example, 5 nH on 50 ohms at 1 GHz") << 31.41592654 << 50.0 << kWorkedExampleTheta;
    QTest::newRow("negative reactance gives a negative length") << -31.41592654 << 50.0 << -kWorkedExampleTheta;
    QTest::newRow("no reactance, no length") << 0.0 << 50.0 << 0.0;
    QTest::newRow("reactance equal to the impedance is a quarter wave") << 50.0 << 50.0 << kQuarterWave;
    QTest::newRow("reactance of minus the impedance") << -75.0 << 75.0 << -kQuarterWave;
    QTest::newRow("half the impedance is 30 degrees") << 25.0 << 50.0 << radians(30.0);
}

void TestLineSection::pi_electrical_length() {
    QFETCH(double, xl);
    QFETCH(double, z0);
    QFETCH(double, theta);
    COMPARE_WITHIN(velmoka::pi_electrical_length(xl, z0), theta, 1e-12);
}

void TestLineSection::tee_electrical_length_data() {
    QTest::addColumn<double>("xc");     // shunt reactance, ohms
    QTest::addColumn<double>("z0");     // ohms
    QTest::addColumn<double>("theta");  // radians

    QTest::newRow("worked example, 2 pF on 50 ohms at 1 GHz") << 79.577471535557 << 50.0 << kWorkedExampleTheta;
    QTest::newRow("open shunt, no length") << kInfinity << 50.0 << 0.0;
    QTest::newRow("reactance equal to the impedance is a quarter wave") << 50.0 << 50.0 << kQuarterWave;
    QTest::newRow("twice the impedance is 30 degrees") << 100.0 << 50.0 << radians(30.0);
    // Negative reactance: the length with the same sine between -180 and -90 degrees.
    QTest::newRow("negative reactance") << -79.577471535557 << 50.0 << radians(-141.07382457092922);
    QTest::newRow("reactance of minus the impedance") << -50.0 << 50.0 << -kQuarterWave;
}

void TestLineSection::tee_electrical_length() {
    QFETCH(double, xc);
    QFETCH(double, z0);
    QFETCH(double, theta);
    // The sign term carries the calculator's ten-digit π, within 1e-9 of the full one.
    COMPARE_WITHIN(velmoka::tee_electrical_length(xc, z0), theta, 1e-9);
}

void TestLineSection::section_length_data() {
    QTest::addColumn<double>("theta");  // radians
    QTest::addColumn<double>("f");      // GHz
    QTest::addColumn<double>("e_eff");
    QTest::addColumn<double>("length");  // mils
    QTest::addColumn<double>("tolerance");

    // 1277.105 mils divided by the square root of e_eff.
    QTest::newRow("worked example in air") << kWorkedExampleTheta << 1.0 << 1.0 << 1277.105 << 5e-4;
    QTest::newRow("worked example, e_eff 9") << kWorkedExampleTheta << 1.0 << 9.0 << 425.7018 << 5e-4;
    QTest::newRow("worked example at a negative frequency") << -kWorkedExampleTheta << -1.0 << 1.0 << 1277.105 << 5e-4;
    // A quarter of the 30 cm free-space wavelength at 1 GHz: 7.5 cm, 2952.756 mils.
    QTest::newRow("quarter wave in air at 1 GHz") << kQuarterWave << 1.0 << 1.0 << 7.5 * 1000.0 / 2.54 << 1e-6;
    QTest::newRow("quarter wave in air at 10 GHz") << kQuarterWave << 10.0 << 1.0 << 0.75 * 1000.0 / 2.54 << 1e-7;
    QTest::newRow("quarter wave, e_eff 4, is half as long")
        << kQuarterWave << 1.0 << 4.0 << 3.75 * 1000.0 / 2.54 << 1e-6;
    QTest::newRow("no length") << 0.0 << 1.0 << 8.009 << 0.0 << 0.0;
}

void TestLineSection::section_length() {
    QFETCH(double, theta);
    QFETCH(double, f);
    QFETCH(double, e_eff);
    QFETCH(double, length);
    QFETCH(double, tolerance);
    COMPARE_WITHIN(velmoka::section_length(theta, f, e_eff), length, tolerance);
}

// The pi inductance and the T capacitance of one line both lead back to that line's length.
void TestLineSection::both_networks_of_a_line_give_back_its_length_data() {
    QTest::addColumn<double>("z0");  // ohms
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("f");  // GHz

    QTest::newRow("short 50-ohm section") << 50.0 << 5.0 << 1.0;
    QTest::newRow("worked example line") << 50.0 << 38.92617545257391 << 1.0;
    QTest::newRow("60 degrees of 25 ohms at 2.5 GHz") << 25.0 << 60.0 << 2.5;
    QTest::newRow("89 degrees of 120 ohms at 0.1 GHz") << 120.0 << 89.0 << 0.1;
    QTest::newRow("negative frequency") << 75.0 << 30.0 << -2.0;
}

void TestLineSection::both_networks_of_a_line_give_back_its_length() {
    QFETCH(double, z0);
    QFETCH(double, degrees);
    QFETCH(double, f);

    // At a negative f the element values come out negative and their reactances stay the line's.
    const double theta = radians(degrees);
    const LumpedNetworks networks = lumped_networks(z0, theta, f);
    const double from_pi = velmoka::pi_electrical_length(velmoka::series_reactance(networks.l_pi, f), z0);
    const double from_tee = velmoka::tee_electrical_length(velmoka::shunt_reactance(networks.c_t, f), z0);
    COMPARE_WITHIN(from_pi, theta, 1e-9);
    COMPARE_WITHIN(from_tee, theta, 1e-9);
}

QTEST_APPLESS_MAIN(TestLineSection)
#include "test_line_section.moc"
