// The field solver against converged field solutions and a published formula, its physical
// limits, and its answers for geometries it does not solve.

#include <QFile>
#include <QTest>

#include <cmath>
#include <future>
#include <limits>
#include <numbers>
#include <vector>

#include "field_solver/field_line.h"

using velmoka::field_line;
using velmoka::FieldLine;
using velmoka::FieldStatus;

Q_DECLARE_METATYPE(FieldStatus)

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kFreeSpaceImpedance = 376.730313668;  // ohms
// The reference solutions are good to 0.01 %, as the solver is.
constexpr double kReferenceAgreement = 2e-4;

double relative_difference(double value, double reference) {
    return std::abs(value / reference - 1.0);
}

QString described(const FieldLine& line) {
    return QStringLiteral("z0 %1 (±%2), e_eff %3 (±%4), %5")
        .arg(line.z0, 0, 'g', 9)
        .arg(line.z0_accuracy, 0, 'g', 2)
        .arg(line.e_eff, 0, 'g', 9)
        .arg(line.e_eff_accuracy, 0, 'g', 2)
        .arg(velmoka::field_status_text(line.status).data());
}

// Hammerstad and Jensen's impedance of a zero-thickness strip of width ratio u in air.
double hammerstad_jensen_air_line(double u) {
    const double f = 6.0 + (2.0 * std::numbers::pi - 6.0) * std::exp(-std::pow(30.666 / u, 0.7528));
    return kFreeSpaceImpedance / (2.0 * std::numbers::pi) * std::log(f / u + std::sqrt(1.0 + 4.0 / (u * u)));
}

}  // namespace

class TestFieldLine : public QObject {
    Q_OBJECT

private slots:
    void referenceSolutions_data();
    void referenceSolutions();
    void zeroThicknessAirLine_data();
    void zeroThicknessAirLine();
    void physicalLimits_data();
    void physicalLimits();
    void unsolvedGeometries_data();
    void unsolvedGeometries();
    void concurrentCallsAgree();
};

// field_solutions.csv: zero-thickness strips, published design strips and a grid of er 2.2 to 9.8,
// W/H 0.1 to 10 and T/H 0.005 to 0.1.
void TestFieldLine::referenceSolutions_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eEff");

    QFile table(QStringLiteral(FIELD_SOLUTIONS_CSV));
    QVERIFY2(table.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(table.fileName()));
    table.readLine();  // where the solutions come from
    table.readLine();  // column names
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine().trimmed().split(',');
        QCOMPARE(fields.size(), 5);
        QTest::addRow("W/H %s, T/H %s, er %s", fields[0].data(), fields[1].data(), fields[2].data())
            << fields[0].toDouble() << fields[1].toDouble() << fields[2].toDouble() << fields[3].toDouble()
            << fields[4].toDouble();
    }
}

void TestFieldLine::referenceSolutions() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, z0);
    QFETCH(double, eEff);

    const FieldLine line = field_line(u, t, er);
    QVERIFY2(line.status == FieldStatus::ok, qPrintable(described(line)));
    QVERIFY2(line.z0_accuracy <= velmoka::kFieldAccuracy && line.e_eff_accuracy <= velmoka::kFieldAccuracy,
             qPrintable(described(line)));
    QVERIFY2(relative_difference(line.z0, z0) <= kReferenceAgreement, qPrintable(described(line)));
    QVERIFY2(relative_difference(line.e_eff, eEff) <= kReferenceAgreement, qPrintable(described(line)));
}

// Hammerstad and Jensen's formula for a zero-thickness strip in air is good to 0.01 % from
// W/H 0.1 to 10; with air everywhere, C = C0 exactly.
void TestFieldLine::zeroThicknessAirLine_data() {
    QTest::addColumn<double>("u");

    for (double u : {0.1, 0.3, 1.0, 3.0, 10.0}) {
        QTest::addRow("W/H %g", u) << u;
    }
}

void TestFieldLine::zeroThicknessAirLine() {
    QFETCH(double, u);

    const FieldLine line = field_line(u, 0.0, 1.0);
    QVERIFY2(line.status == FieldStatus::ok, qPrintable(described(line)));
    QVERIFY2(relative_difference(line.z0, hammerstad_jensen_air_line(u)) <= 1e-4, qPrintable(described(line)));
    QVERIFY2(line.e_eff == 1.0, qPrintable(described(line)));
}

// Across the range: the slab raises the capacitance by at most its permittivity (C0 <= C <= er C0),
// and a wider strip, a thicker strip or a thinner substrate lowers Z0.
void TestFieldLine::physicalLimits_data() {
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");

    QTest::newRow("narrowest, thick, on er 100") << 0.01 << 0.75 << 100.0;
    QTest::newRow("narrow, no thickness, on er 1.01") << 0.02 << 0.0 << 1.01;
    QTest::newRow("50 ohm on FR-4") << 1.875 << 0.021875 << 4.5;
    QTest::newRow("wide, thick, on er 100") << 40.0 << 0.75 << 100.0;
    QTest::newRow("widest, thin, on er 2.2") << 80.0 << 0.001 << 2.2;
}

void TestFieldLine::physicalLimits() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);

    const double step = 1.25;
    const FieldLine line = field_line(u, t, er);
    QVERIFY2(line.status == FieldStatus::ok, qPrintable(described(line)));
    QVERIFY2(line.e_eff > 1.0 && line.e_eff < er, qPrintable(described(line)));
    const FieldLine wider = field_line(u * step, t, er);
    QVERIFY2(wider.z0 < line.z0, qPrintable(described(wider)));
    const FieldLine thicker = field_line(u, t * step + 0.01, er);
    QVERIFY2(thicker.z0 < line.z0, qPrintable(described(thicker)));
    const FieldLine on_thinner_substrate = field_line(u, 1.0 / step, t, er);
    QVERIFY2(on_thinner_substrate.z0 < line.z0, qPrintable(described(on_thinner_substrate)));
}

// Every input outside the range, not a number or infinite gives its status and no values.
void TestFieldLine::unsolvedGeometries_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<FieldStatus>("status");

    constexpr FieldStatus kWidth = FieldStatus::width_out_of_range;
    constexpr FieldStatus kHeight = FieldStatus::height_out_of_range;
    constexpr FieldStatus kThickness = FieldStatus::thickness_out_of_range;
    constexpr FieldStatus kPermittivity = FieldStatus::permittivity_out_of_range;
    QTest::newRow("W/H below 0.01") << 0.0099 << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("W/H above 100") << 100.01 << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("no width") << 0.0 << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("negative width") << -1.0 << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("width not a number") << kNaN << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("infinite width") << kInf << 1.0 << 0.0 << 4.5 << kWidth;
    QTest::newRow("W/H overflows") << 1e300 << 1e-300 << 0.0 << 4.5 << kWidth;
    QTest::newRow("no height") << 1.0 << 0.0 << 0.0 << 4.5 << kHeight;
    QTest::newRow("negative height") << 1.0 << -1.0 << 0.0 << 4.5 << kHeight;
    QTest::newRow("height not a number") << 1.0 << kNaN << 0.0 << 4.5 << kHeight;
    QTest::newRow("infinite height") << 1.0 << kInf << 0.0 << 4.5 << kHeight;
    QTest::newRow("negative thickness") << 1.0 << 1.0 << -1e-12 << 4.5 << kThickness;
    QTest::newRow("T/H above 1") << 1.0 << 1.0 << 1.001 << 4.5 << kThickness;
    QTest::newRow("thickness not a number") << 1.0 << 1.0 << kNaN << 4.5 << kThickness;
    QTest::newRow("infinite thickness") << 1.0 << 1.0 << kInf << 4.5 << kThickness;
    QTest::newRow("er below 1") << 1.0 << 1.0 << 0.0 << 0.999 << kPermittivity;
    QTest::newRow("er above 100") << 1.0 << 1.0 << 0.0 << 100.01 << kPermittivity;
    QTest::newRow("er not a number") << 1.0 << 1.0 << 0.0 << kNaN << kPermittivity;
    QTest::newRow("infinite er") << 1.0 << 1.0 << 0.0 << kInf << kPermittivity;
}

void TestFieldLine::unsolvedGeometries() {
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(FieldStatus, status);

    const FieldLine line = field_line(w, h, t, er);
    QVERIFY2(line.status == status, qPrintable(described(line)));
    QVERIFY(std::isnan(line.z0) && std::isnan(line.e_eff));
}

// Two threads solving at once give what one thread gives, to the last bit.
void TestFieldLine::concurrentCallsAgree() {
    const std::vector<double> widths{0.3, 1.0, 3.0};
    const auto solve_all = [&widths] {
        std::vector<FieldLine> lines;
        for (double u : widths) {
            lines.push_back(field_line(u, 0.02, 9.8));
        }
        return lines;
    };
    const std::vector<FieldLine> alone = solve_all();
    std::future<std::vector<FieldLine>> first = std::async(std::launch::async, solve_all);
    std::future<std::vector<FieldLine>> second = std::async(std::launch::async, solve_all);
    for (const std::vector<FieldLine>& together : {first.get(), second.get()}) {
        for (std::size_t i = 0; i < alone.size(); ++i) {
            QVERIFY(together[i].z0 == alone[i].z0 && together[i].e_eff == alone[i].e_eff);
        }
    }
}

QTEST_APPLESS_MAIN(TestFieldLine)
#include "test_field_line.moc"
