#include <QTest>

#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "common/physical_constants.h"
#include "maths/line_at_frequency.h"

// The line of reference_line_wideband.s2p, a commercial circuit simulator's solution, against
// ours from 1 to 20 GHz: e_eff, Z0 and the loss against γ and Zc drawn from its S-parameters,
// and the S-parameters of the section itself.

using Complex = std::complex<double>;
using velmoka::LineAtFrequency;
using velmoka::TwoPortS;

namespace {

constexpr double kSectionLength = 25e-3;  // m
constexpr double kDegree = std::numbers::pi / 180.0;

struct ReferenceRow {
    double frequency;  // Hz
    TwoPortS s;
    velmoka::Propagation line;  // drawn from s
};

// The rows of a two-port Touchstone file in magnitude and angle, then γ and Zc of each through
// the chain matrix: Zc = sqrt(B/C), e^(γℓ) = A + B/Zc, with βℓ, which passes 2π many times
// over the band, taken in each row nearest the last row's.
std::vector<ReferenceRow> read_reference(const char* path) {
    std::ifstream file(path);
    std::vector<ReferenceRow> rows;
    double last_phase = 0.0;
    for (std::string text; std::getline(file, text);) {
        if (text.empty() || text[0] == '!' || text[0] == '#')
            continue;
        std::istringstream fields(text);
        double f, m[4], a[4];
        fields >> f >> m[0] >> a[0] >> m[1] >> a[1] >> m[2] >> a[2] >> m[3] >> a[3];
        const auto s = [&](int i) { return std::polar(m[i], a[i] * kDegree); };
        const Complex s11 = s(0), s21 = s(1), s12 = s(2), s22 = s(3);
        const double z = 50.0;
        const Complex ca = ((1.0 + s11) * (1.0 - s22) + s12 * s21) / (2.0 * s21);
        const Complex cb = z * ((1.0 + s11) * (1.0 + s22) - s12 * s21) / (2.0 * s21);
        const Complex cc = ((1.0 - s11) * (1.0 - s22) - s12 * s21) / (2.0 * s21 * z);
        const Complex zc = std::sqrt(cb / cc) * (std::sqrt(cb / cc).real() < 0.0 ? -1.0 : 1.0);
        const Complex gamma_length = std::log(ca + cb / zc);
        last_phase = gamma_length.imag() +
                     2.0 * std::numbers::pi * std::round((last_phase - gamma_length.imag()) / (2.0 * std::numbers::pi));
        rows.push_back({f, {s11, s21, s12, s22}, {Complex(gamma_length.real(), last_phase) / kSectionLength, zc}});
    }
    return rows;
}

double decibels(Complex s) {
    return 20.0 * std::log10(std::abs(s));
}

// How far ours lies from the reference at a row, in the units of the tolerance.
using Difference = double (*)(const LineAtFrequency& ours, const TwoPortS& section, const ReferenceRow& row);

}  // namespace

Q_DECLARE_METATYPE(Difference)

class TestReferenceLine : public QObject {
    Q_OBJECT

private slots:
    void agreesWithReference_data();
    void agreesWithReference();
};

// The reflections lie 18 to 60 dB down, where a tenth of an ohm in Zc moves them by 0.7 dB:
// they are compared as vectors, within the error that 2° makes on a tenth of a full wave.
void TestReferenceLine::agreesWithReference_data() {
    QTest::addColumn<Difference>("difference");
    QTest::addColumn<double>("tolerance");

    QTest::newRow("e_eff, relative") << Difference{[](const LineAtFrequency& ours, const TwoPortS&, const ReferenceRow& row) {
        const double n = row.line.gamma.imag() * velmoka::kSpeedOfLight / (2.0 * std::numbers::pi * row.frequency);
        return std::abs(ours.e_eff / (n * n) - 1.0);
    }} << 0.005;
    QTest::newRow("Z0 against Re Zc, relative") << Difference{[](const LineAtFrequency& ours, const TwoPortS&, const ReferenceRow& row) {
        return std::abs(ours.z0 / row.line.zc.real() - 1.0);
    }} << 0.01;
    QTest::newRow("loss in dB/m, relative") << Difference{[](const LineAtFrequency& ours, const TwoPortS&, const ReferenceRow& row) {
        return std::abs(ours.alpha / row.line.gamma.real() - 1.0);
    }} << 0.03;
    QTest::newRow("S21 and S12, dB") << Difference{[](const LineAtFrequency&, const TwoPortS& s, const ReferenceRow& row) {
        return std::max(std::abs(decibels(s.s21) - decibels(row.s.s21)), std::abs(decibels(s.s12) - decibels(row.s.s12)));
    }} << 0.1;
    QTest::newRow("S21 and S12, degrees") << Difference{[](const LineAtFrequency&, const TwoPortS& s, const ReferenceRow& row) {
        return std::max(std::abs(std::arg(s.s21 / row.s.s21)), std::abs(std::arg(s.s12 / row.s.s12))) / kDegree;
    }} << 2.0;
    QTest::newRow("S11 and S22, vector difference") << Difference{[](const LineAtFrequency&, const TwoPortS& s, const ReferenceRow& row) {
        return std::max(std::abs(s.s11 - row.s.s11), std::abs(s.s22 - row.s.s22));
    }} << 0.1 * 2.0 * kDegree;
}

void TestReferenceLine::agreesWithReference() {
    QFETCH(Difference, difference);
    QFETCH(double, tolerance);

    // W 3.00 mm, H 1.55 mm, T 35 µm; er 4.413 and tan δ 0.0182 at 1 GHz, wideband; 1.7e-8 Ω·m
    // copper, 0.15 µm rms.
    static const std::vector<ReferenceRow> rows = read_reference(REFERENCE_LINE_FILE);
    QCOMPARE(rows.size(), std::size_t{100});
    const velmoka::PreparedLine line = velmoka::prepare_line(
        {3.00e-3, 1.55e-3, 35e-6}, {4.413, 0.0182}, {1.0 / 1.7e-8, {velmoka::RoughnessModel::hammerstad, 0.15e-6}});
    double largest = 0.0;
    double at = 0.0;
    for (const ReferenceRow& row : rows) {
        if (row.frequency < 1e9)
            continue;
        const LineAtFrequency ours = velmoka::line_at_frequency(line, row.frequency);
        const auto section = velmoka::section_s_parameters(ours.propagation, kSectionLength);
        QVERIFY(ours.status == velmoka::LineStatus::ok && section.has_value());
        if (const double d = difference(ours, *section, row); d > largest) {
            largest = d;
            at = row.frequency;
        }
    }
    qInfo("largest difference %.4g at %.1f GHz", largest, at / 1e9);
    QVERIFY2(largest <= tolerance, qPrintable(QStringLiteral("%1 above %2").arg(largest).arg(tolerance)));
}

QTEST_APPLESS_MAIN(TestReferenceLine)
#include "test_reference_line.moc"
