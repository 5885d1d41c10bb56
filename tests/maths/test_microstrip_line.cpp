#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>

#include "maths/compare_within.h"
#include "maths/microstrip_line.h"

using velmoka::LineProperties;
using velmoka::microstrip_impedance;
using velmoka::microstrip_line;
using velmoka::substrate_terms;
using velmoka::SubstrateTerms;
using velmoka::zero_thickness_line;

constexpr double kInf = std::numeric_limits<double>::infinity();

class TestMicrostripLine : public QObject {
    Q_OBJECT

private slots:
    void referenceLines_data();
    void referenceLines();
    void smallestInputs_data();
    void smallestInputs();
    void airSubstrateGivesUnitEffectiveConstant_data();
    void airSubstrateGivesUnitEffectiveConstant();
    void thicknessRatioIsTakenOnTheDielectric();
    void finiteForEveryAdmittedInput_data();
    void finiteForEveryAdmittedInput();
    void infinitelyWideStripIsAllDielectric_data();
    void infinitelyWideStripIsAllDielectric();
    void widerStripLowersImpedance_data();
    void widerStripLowersImpedance();
    void substrateTermsAtTheirLimits();
    void preparedSubstrateGivesTheSameLine_data();
    void preparedSubstrateGivesTheSameLine();
};

// Published lines: z0 and e_eff to the digits printed, and the strip widening Δu1 (in air)
// and Δur (on the dielectric) that the thickness correction applies to a zero-thickness strip.
void TestMicrostripLine::referenceLines_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("du1");
    QTest::addColumn<double>("dur");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("z0Tolerance");
    QTest::addColumn<double>("eEff");

    QTest::newRow("default line") << 0.7 << 0.04 << 12.9 << 0.070706 << 0.037596 << 49.8935 << 5e-5 << 8.01263;
    QTest::newRow("air") << 1.0 << 0.001 << 1.0 << 0.002951 << 0.002951 << 126.344 << 5e-4 << 1.00000;
    QTest::newRow("er 4") << 1.0 << 0.001 << 4.0 << 0.002951 << 0.001982 << 74.0327 << 5e-5 << 2.91231;
    QTest::newRow("alumina") << 3.0 << 0.01 << 9.8 << 0.022256 << 0.012271 << 25.6760 << 5e-5 << 7.32445;
    QTest::newRow("narrow on PTFE") << 0.1 << 0.05 << 2.2 << 0.072982 << 0.058441 << 181.010 << 5e-4 << 1.61379;
    QTest::newRow("wide on PTFE") << 10.0 << 0.001 << 2.2 << 0.002958 << 0.002369 << 20.4493 << 5e-5 << 2.01582;
}

void TestMicrostripLine::referenceLines() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, du1);
    QFETCH(double, dur);
    QFETCH(double, z0);
    QFETCH(double, z0Tolerance);
    QFETCH(double, eEff);

    const LineProperties line = microstrip_line(u, t, er);
    COMPARE_WITHIN(line.z0, z0, z0Tolerance);
    COMPARE_WITHIN(line.e_eff, eEff, 5e-6);

    // The same line rebuilt from zero-thickness strips widened by the tabulated amounts;
    // the tolerance covers the six decimals to which the widenings are given.
    const LineProperties on_dielectric = zero_thickness_line(u + dur, er);
    const double z1 = zero_thickness_line(u + du1, er).z0;
    const double ratio = z1 / on_dielectric.z0;
    COMPARE_WITHIN(line.z0, on_dielectric.z0, 1e-5 * line.z0);
    COMPARE_WITHIN(line.e_eff, on_dielectric.e_eff * ratio * ratio, 1e-5 * line.e_eff);
}

// The narrowest and thinnest strip the commands pass on.
void TestMicrostripLine::smallestInputs_data() {
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eEff");
    QTest::addColumn<double>("eEffTolerance");

    QTest::newRow("air") << 1.0 << 389.76 << 1.0 << 0.0;
    QTest::newRow("GaAs") << 12.9 << 145.05 << 7.2137 << 5e-5;
}

void TestMicrostripLine::smallestInputs() {
    QFETCH(double, er);
    QFETCH(double, z0);
    QFETCH(double, eEff);
    QFETCH(double, eEffTolerance);

    const LineProperties line = microstrip_line(0.01, 0.001, er);
    COMPARE_WITHIN(line.z0, z0, 5e-3);
    COMPARE_WITHIN(line.e_eff, eEff, eEffTolerance);
}

// With no dielectric the field sees air everywhere, whatever the width and thickness.
void TestMicrostripLine::airSubstrateGivesUnitEffectiveConstant_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");

    QTest::newRow("narrow thin") << 0.01 << 0.001;
    QTest::newRow("narrow thick") << 0.05 << 0.5;
    QTest::newRow("square") << 1.0 << 0.04;
    QTest::newRow("wide") << 25.0 << 0.01;
    QTest::newRow("very wide, very thick") << 1e6 << 100.0;
}

void TestMicrostripLine::airSubstrateGivesUnitEffectiveConstant() {
    QFETCH(double, u);
    QFETCH(double, t);

    QCOMPARE(zero_thickness_line(u, 1.0).e_eff, 1.0);
    const double e_eff = microstrip_line(u, t, 1.0).e_eff;
    QVERIFY2(e_eff == 1.0, qPrintable(mismatch(e_eff, 1.0, 0.0)));
}

// The thickness correction scales e_eff by the squared ratio of the two widened strips'
// impedances on the substrate; the same ratio between air lines would give a higher e_eff.
void TestMicrostripLine::thicknessRatioIsTakenOnTheDielectric() {
    const double u = 0.7;
    const double er = 12.9;
    const double u1 = u + 0.070706;
    const double ur = u + 0.037596;

    const double air_ratio = zero_thickness_line(u1, 1.0).z0 / zero_thickness_line(ur, 1.0).z0;
    const double air_ratio_e_eff = zero_thickness_line(ur, er).e_eff * air_ratio * air_ratio;
    COMPARE_WITHIN(air_ratio_e_eff, 8.0385, 5e-5);
    COMPARE_WITHIN(microstrip_line(u, 0.04, er).e_eff, 8.0126, 5e-5);
}

// Very wide strips (thin substrates), thick conductors and extreme permittivities: past
// every point where an intermediate term would overflow, the line stays a physical one.
void TestMicrostripLine::finiteForEveryAdmittedInput_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    const double widths[] = {0.01, 0.7, 30.0, 2e4, 1e20, 1e77, 2e77, 1e80, 1e105, 1e200, DBL_MAX, kInf};
    const double thicknesses[] = {0.001, 0.04, 3.0, 1e300, DBL_MAX, kInf};
    const double permittivities[] = {1.0, 12.9, 503792.0, 1e6, 1e300, DBL_MAX};
    for (double u : widths)
        for (double t : thicknesses)
            for (double er : permittivities)
                QTest::addRow("u=%g t=%g er=%g", u, t, er) << u << t << er;
}

void TestMicrostripLine::finiteForEveryAdmittedInput() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);

    const LineProperties line = microstrip_line(u, t, er);
    QVERIFY2(std::isfinite(line.z0) && line.z0 >= 0.0, qPrintable(QString::number(line.z0)));
    QVERIFY2(std::isfinite(line.e_eff) && line.e_eff >= 1.0 && line.e_eff <= er,
             qPrintable(QString::number(line.e_eff)));
}

// A strip much wider than the substrate is thick holds all its field in the dielectric:
// the impedance vanishes and e_eff reaches er.
void TestMicrostripLine::infinitelyWideStripIsAllDielectric_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("er");

    const double widths[] = {1e20, 1e80, 1e200, DBL_MAX, kInf};
    const double permittivities[] = {1.0, 12.9, 1e300};
    for (double u : widths)
        for (double er : permittivities)
            QTest::addRow("u=%g er=%g", u, er) << u << er;
}

void TestMicrostripLine::infinitelyWideStripIsAllDielectric() {
    QFETCH(double, u);
    QFETCH(double, er);

    const LineProperties line = microstrip_line(u, 0.04, er);
    COMPARE_WITHIN(line.z0, 0.0, 1e-12);
    COMPARE_WITHIN(line.e_eff, er, 1e-12 * er);
}

// Over practical widths a wider strip has more capacitance per length, so a lower
// impedance, and holds more of its field in the dielectric, so a higher e_eff.
void TestMicrostripLine::widerStripLowersImpedance_data() {
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("thin on PTFE") << 0.001 << 2.2;
    QTest::newRow("thin on GaAs") << 0.001 << 12.9;
    QTest::newRow("thick on FR-4") << 0.1 << 4.4;
    QTest::newRow("default on GaAs") << 0.04 << 12.9;
}

void TestMicrostripLine::widerStripLowersImpedance() {
    QFETCH(double, t);
    QFETCH(double, er);

    LineProperties previous = microstrip_line(0.01, t, er);
    for (double u = 0.01 * 1.05; u <= 30.0; u *= 1.05) {
        const LineProperties line = microstrip_line(u, t, er);
        QVERIFY2(line.z0 < previous.z0, qPrintable(QStringLiteral("z0 rises at u=%1").arg(u)));
        QVERIFY2(line.e_eff > previous.e_eff, qPrintable(QStringLiteral("e_eff falls at u=%1").arg(u)));
        previous = line;
    }
}

// Air leaves the whole edge widening in place (sech 0 = 1); an extreme permittivity halves it.
void TestMicrostripLine::substrateTermsAtTheirLimits() {
    const SubstrateTerms air = substrate_terms(1.0);
    QCOMPARE(air.er, 1.0);
    QVERIFY2(air.edge_sech == 1.0, qPrintable(mismatch(air.edge_sech, 1.0, 0.0)));
    COMPARE_WITHIN(air.filling_exponent, 0.564 * std::pow(0.1 / 4.0, 0.053), 1e-15);

    const SubstrateTerms gaas = substrate_terms(12.9);
    COMPARE_WITHIN(gaas.edge_sech, 2.0 / (std::exp(std::sqrt(11.9)) + std::exp(-std::sqrt(11.9))), 1e-15);

    QCOMPARE(substrate_terms(1e6).edge_sech, 0.0);
    QCOMPARE(substrate_terms(DBL_MAX).edge_sech, 0.0);
}

// The width search works out a substrate's terms once and asks for the impedance alone in most
// of its passes; both must give the line of microstrip_line to the last bit, or the search
// would end on a different pass.
void TestMicrostripLine::preparedSubstrateGivesTheSameLine_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    const double widths[] = {0.01, 0.010001, 0.0511, 0.7, 3.068, 30.0, 2e4, 1e80, kInf};
    const double thicknesses[] = {0.001, 0.04, 0.5, 3.0, kInf};
    const double permittivities[] = {1.0, 2.2, 4.4, 12.9, 1e6};
    for (double u : widths)
        for (double t : thicknesses)
            for (double er : permittivities)
                QTest::addRow("u=%g t=%g er=%g", u, t, er) << u << t << er;
}

void TestMicrostripLine::preparedSubstrateGivesTheSameLine() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);

    const LineProperties line = microstrip_line(u, t, er);
    const SubstrateTerms substrate = substrate_terms(er);
    const LineProperties on_prepared = microstrip_line(u, t, substrate);
    const double impedance = microstrip_impedance(u, t, substrate);
    QVERIFY2(on_prepared.z0 == line.z0, qPrintable(mismatch(on_prepared.z0, line.z0, 0.0)));
    QVERIFY2(on_prepared.e_eff == line.e_eff, qPrintable(mismatch(on_prepared.e_eff, line.e_eff, 0.0)));
    QVERIFY2(impedance == line.z0, qPrintable(mismatch(impedance, line.z0, 0.0)));
}

QTEST_APPLESS_MAIN(TestMicrostripLine)
#include "test_microstrip_line.moc"
