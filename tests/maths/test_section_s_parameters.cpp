#include <QTest>

#include <complex>
#include <limits>
#include <numbers>
#include <sstream>

#include "maths/section_s_parameters.h"
#include "maths/touchstone.h"

using velmoka::section_s_parameters;
using Complex = std::complex<double>;

constexpr double kPi = std::numbers::pi;

#define COMPARE_COMPLEX(actual, expected, tolerance) QVERIFY(std::abs((actual) - (expected)) <= (tolerance))

class TestSectionSParameters : public QObject {
    Q_OBJECT

private slots:
    void longLossySectionStaysFinite();
    void refusedSections();
    void touchstoneRowsReadBack();
};

// A thousand nepers down, where cosh and sinh of γℓ overflow: nothing passes, and each port
// sees Zc's own reflection.
void TestSectionSParameters::longLossySectionStaysFinite() {
    const Complex zc(30.0, -2.0);
    const auto s = section_s_parameters({{100.0, 1e4}, zc}, 10.0);
    QCOMPARE(s->s21, Complex(0.0));
    COMPARE_COMPLEX(s->s11, (zc - 50.0) / (zc + 50.0), 1e-15);
}

void TestSectionSParameters::refusedSections() {
    constexpr double inf = std::numeric_limits<double>::infinity();
    QVERIFY(!section_s_parameters({0.0, inf}, 0.025).has_value());  // a resistive line at 0 Hz
    QVERIFY(!section_s_parameters({{0.1, 10.0}, {0.0, 50.0}}, 0.025).has_value());
    QVERIFY(!section_s_parameters({{0.1, 10.0}, 50.0}, -0.025).has_value());
    QVERIFY(!section_s_parameters({{0.1, 10.0}, 50.0}, 0.025, 0.0).has_value());
}

// The option line, then one row a frequency whose numbers read back as the S-parameters.
void TestSectionSParameters::touchstoneRowsReadBack() {
    const double frequencies[] = {1e9, 2.5e9};
    const velmoka::TwoPortS s[] = {*section_s_parameters({{0.3, 10.0}, {47.0, 0.5}}, 0.025),
                                   *section_s_parameters({{0.4, 25.0}, {47.0, 0.4}}, 0.025)};
    for (const auto format : {velmoka::TouchstoneFormat::real_imaginary, velmoka::TouchstoneFormat::magnitude_angle}) {
        const bool ri = format == velmoka::TouchstoneFormat::real_imaginary;
        std::ostringstream out;
        velmoka::write_touchstone(out, frequencies, s, 50.0, format);
        std::istringstream in(out.str());
        std::string option_line;
        std::getline(in, option_line);
        QCOMPARE(option_line, std::string(ri ? "# Hz S RI R 50" : "# Hz S MA R 50"));
        for (std::size_t row = 0; row < 2; ++row) {
            double f;
            in >> f;
            QCOMPARE(f, frequencies[row]);
            for (Complex expected : {s[row].s11, s[row].s21, s[row].s12, s[row].s22}) {
                double a, b;
                in >> a >> b;
                COMPARE_COMPLEX(ri ? Complex(a, b) : std::polar(a, b * kPi / 180.0), expected, 1e-11);
            }
        }
        QVERIFY((in >> std::ws).eof());
    }
}

QTEST_APPLESS_MAIN(TestSectionSParameters)
#include "test_section_s_parameters.moc"
