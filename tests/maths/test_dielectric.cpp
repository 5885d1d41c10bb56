#include <QTest>

#include <complex>
#include <limits>

#include "maths/compare_within.h"
#include "maths/dielectric.h"
#include "maths/substrates.h"

using velmoka::DielectricFit;
using velmoka::fit_dielectric;
using velmoka::PermittivityModel;
using velmoka::permittivity_at;

Q_DECLARE_METATYPE(DielectricFit)

constexpr double kInf = std::numeric_limits<double>::infinity();

class TestDielectric : public QObject {
    Q_OBJECT

private slots:
    void widebandPassesThroughItsDataSheet_data();
    void widebandPassesThroughItsDataSheet();
    void refusedFits_data();
    void refusedFits();
    void substratesByName();
};

// Through er and tan δ at the data sheet's frequency, and everywhere the complex logarithm
// ε∞ + k·ln((f2 + jf)/(f1 + jf)) that the fit writes as one arctangent and one ln(1 + x).
void TestDielectric::widebandPassesThroughItsDataSheet_data() {
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("lossTangent");
    QTest::addColumn<double>("frequency");

    QTest::newRow("FR-4 at 1 GHz") << 4.4 << 0.02 << 1e9;
    QTest::newRow("hydrocarbon laminate at 10 GHz") << 3.48 << 0.0037 << 10e9;
    QTest::newRow("alumina at 1 MHz") << 9.9 << 0.0001 << 1e6;
}

void TestDielectric::widebandPassesThroughItsDataSheet() {
    QFETCH(double, er);
    QFETCH(double, lossTangent);
    QFETCH(double, frequency);

    const auto response = fit_dielectric({er, lossTangent, frequency});
    QCOMPARE(response.fit, DielectricFit::fitted);
    COMPARE_WITHIN(permittivity_at(response, frequency).er, er, 1e-14 * er);
    COMPARE_WITHIN(permittivity_at(response, frequency).loss_tangent, lossTangent, 1e-14);
    for (double f : {0.0, 10.0, 1e7, 2e10, 1e14, 1e200}) {
        const std::complex<double> epsilon =
            response.er_infinity +
            response.strength * std::log(std::complex<double>(velmoka::kHighestRelaxationFrequency, f) /
                                         std::complex<double>(velmoka::kLowestRelaxationFrequency, f));
        COMPARE_WITHIN(permittivity_at(response, f).er, epsilon.real(), 1e-13);
        COMPARE_WITHIN(permittivity_at(response, f).loss_tangent, -epsilon.imag() / epsilon.real(), 1e-15);
    }
    const auto constant = fit_dielectric({er, lossTangent, frequency, PermittivityModel::constant});
    QCOMPARE(permittivity_at(constant, 1e3).er, er);
    QCOMPARE(permittivity_at(constant, 1e11).loss_tangent, lossTangent);
}

void TestDielectric::refusedFits_data() {
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("lossTangent");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<DielectricFit>("fit");

    // ε∞ = er·(1 − tan δ·ln(1e6)/1.5698): 1.38 here, below 1 in the next two.
    QTest::newRow("lossy, low er: fits") << 2.0 << 0.07 << 1e9 << DielectricFit::fitted;
    QTest::newRow("lossier: ε∞ below 1") << 1.5 << 0.1 << 1e9 << DielectricFit::permittivity_below_unity;
    QTest::newRow("air with loss") << 1.0 << 0.001 << 1e9 << DielectricFit::permittivity_below_unity;
    QTest::newRow("negative loss") << 4.4 << -0.01 << 1e9 << DielectricFit::not_admitted;
    QTest::newRow("no frequency") << 4.4 << 0.02 << 0.0 << DielectricFit::not_admitted;
    QTest::newRow("infinite loss") << 4.4 << kInf << 1e9 << DielectricFit::not_admitted;
}

void TestDielectric::refusedFits() {
    QFETCH(double, er);
    QFETCH(double, lossTangent);
    QFETCH(double, frequency);
    QFETCH(DielectricFit, fit);

    QCOMPARE(fit_dielectric({er, lossTangent, frequency}).fit, fit);
}

// Laminates by the names engineers type, in any case; an unknown name finds nothing, and
// every row is a dielectric the wideband model accepts.
void TestDielectric::substratesByName() {
    for (const char* name : {"fr4", "RO4350B", "Ro4003C", "rt5880", "megtron6", "alumina96", "alumina996",
                             "fused_silica", "gaas", "hr_silicon"})
        QVERIFY2(velmoka::substrate_named(name).has_value(), name);
    QCOMPARE(velmoka::substrate_named("ro4350b")->dielectric.er, 3.48);
    QVERIFY(!velmoka::substrate_named("fr5").has_value());
    QVERIFY(!velmoka::substrate_named("fr4 ").has_value());
    for (const velmoka::Substrate& substrate : velmoka::kSubstrates)
        QCOMPARE(velmoka::fit_dielectric(substrate.dielectric).fit, velmoka::DielectricFit::fitted);
}

QTEST_APPLESS_MAIN(TestDielectric)
#include "test_dielectric.moc"
