// The integral of ln r over a panel against Simpson's rule on a fine grid, either side of each
// distance at which its multipole series takes over or drops a term.

#include <QTest>

#include <cmath>
#include <numbers>

#include "field_solver/log_potential.h"

using velmoka::field_solver::Panel;
using velmoka::field_solver::Point;

namespace {

// ∫ ln|p − q| over the panel by Simpson's rule on 4000 steps, in extended precision: within
// 1e-17 of the panel's length for points more than three lengths off it.
double simpson(const Panel& panel, Point p) {
    constexpr int kSteps = 4000;
    long double sum = 0.0L;
    for (int i = 0; i <= kSteps; ++i) {
        const long double s = static_cast<long double>(i) / kSteps;
        const long double dx = p.x - (panel.start.x + s * (panel.end.x - panel.start.x));
        const long double dy = p.y - (panel.start.y + s * (panel.end.y - panel.start.y));
        const int weight = i == 0 || i == kSteps ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += weight * 0.5L * std::log(dx * dx + dy * dy);
    }
    return static_cast<double>(sum * velmoka::field_solver::length(panel) / (3.0L * kSteps));
}

}  // namespace

class TestLogPotential : public QObject {
    Q_OBJECT

private slots:
    void farFromPanel_data();
    void farFromPanel();
};

void TestLogPotential::farFromPanel_data() {
    QTest::addColumn<double>("lengthsAway");  // from the panel's middle

    for (double reach : {4.0, 8.0, 16.0, 32.0}) {
        QTest::addRow("just within %g lengths", reach) << reach * 0.99;
        QTest::addRow("just beyond %g lengths", reach) << reach * 1.01;
    }
    QTest::newRow("a thousand lengths") << 1000.0;
}

void TestLogPotential::farFromPanel() {
    QFETCH(double, lengthsAway);

    // A few units in the last place of the integral or of the length, whichever is larger: the
    // panel is a quarter long, so that the integral nearly vanishes at one length from its middle.
    constexpr double kAgreement = 4e-16;
    const Panel panel{{10.3, 1.0}, {10.5, 1.15}};
    const double panel_length = velmoka::field_solver::length(panel);
    const Point middle = velmoka::field_solver::midpoint(panel);
    const velmoka::field_solver::PanelLogIntegral integral(panel);
    for (int turn = 0; turn < 12; ++turn) {
        const double angle = std::numbers::pi * (turn + 0.3) / 6.0;
        const Point p{middle.x + lengthsAway * panel_length * std::cos(angle),
                      middle.y + lengthsAway * panel_length * std::sin(angle)};
        const double closed = integral.at(p);
        const double reference = simpson(panel, p);
        QVERIFY2(std::abs(closed - reference) <= kAgreement * (panel_length + std::abs(reference)),
                 qPrintable(QStringLiteral("at angle %1: %2, by Simpson's rule %3")
                                .arg(angle)
                                .arg(closed, 0, 'g', 17)
                                .arg(reference, 0, 'g', 17)));
    }
}

QTEST_APPLESS_MAIN(TestLogPotential)
#include "test_log_potential.moc"
