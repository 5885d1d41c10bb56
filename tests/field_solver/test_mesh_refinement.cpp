// The refinement over mesh levels that both field solutions share, on made-up sequences of level
// answers: it stops as soon as every quantity is extrapolated within the accuracy asked, and
// otherwise gives up at the panel bound or at an answer that is not finite, never claiming an
// accuracy it did not reach.

#include <QTest>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "field_solver/mesh_refinement.h"

using velmoka::field_solver::Panel;
using velmoka::field_solver::refine;
using velmoka::field_solver::Refinement;

namespace {

constexpr double kAccuracy = 1e-4;
constexpr std::size_t kMostPanels = 1000;  // the mesh below has 8·2^level panels: level 7 is the last

// A mesh of 8·2^level panels; only their count matters here.
std::vector<Panel> mesh(int level) {
    return std::vector<Panel>(std::size_t{8} << level);
}

std::size_t level_of(const std::vector<Panel>& panels) {
    return static_cast<std::size_t>(std::log2(panels.size() / 8.0));
}

}  // namespace

class TestMeshRefinement : public QObject {
    Q_OBJECT

private slots:
    void waitsForTheSlowestQuantity();
    void givesUpAtThePanelBound();
    void givesUpAtAnAnswerNotFinite();
};

// Steady errors extrapolate to the exact value; a quantity converging at second order keeps the
// refinement going after the third-order one has settled, until its own correction, 0.05/4^level,
// is within the accuracy: at level 5.
void TestMeshRefinement::waitsForTheSlowestQuantity() {
    int solves = 0;
    const Refinement<2> refinement = refine<2>(
        mesh,
        [&](const std::vector<Panel>& panels) {
            ++solves;
            const double level = static_cast<double>(level_of(panels));
            return std::array<double, 2>{1.0 + 0.1 / std::pow(8.0, level),
                                         1.0 + 0.05 / std::pow(4.0, level)};
        },
        kMostPanels, kAccuracy);
    QVERIFY(refinement.reached);
    QCOMPARE(solves, 6);
    QVERIFY(std::abs(refinement.quantities[0].value - 1.0) < 1e-12);
    QVERIFY(std::abs(refinement.quantities[1].value - 1.0) < 1e-12);
}

// Changes that never settle end at the last level within the bound, not reached, with the
// estimate of that level.
void TestMeshRefinement::givesUpAtThePanelBound() {
    int solves = 0;
    const Refinement<1> refinement = refine<1>(
        mesh,
        [&](const std::vector<Panel>& panels) {
            ++solves;
            return std::array<double, 1>{level_of(panels) % 2 == 0 ? 1.0 : 1.01};
        },
        kMostPanels, kAccuracy);
    QVERIFY(!refinement.reached);
    QCOMPARE(solves, 7);
    QVERIFY(refinement.quantities[0].relative_error > kAccuracy && std::isfinite(refinement.quantities[0].value));
}

// A level that gives no number ends the refinement there.
void TestMeshRefinement::givesUpAtAnAnswerNotFinite() {
    int solves = 0;
    const Refinement<1> refinement = refine<1>(
        mesh,
        [&](const std::vector<Panel>& panels) {
            ++solves;
            return std::array<double, 1>{level_of(panels) < 1 ? 1.0 : std::numeric_limits<double>::quiet_NaN()};
        },
        kMostPanels, kAccuracy);
    QVERIFY(!refinement.reached);
    QCOMPARE(solves, 2);
    QVERIFY(std::isnan(refinement.quantities[0].relative_error));
}

QTEST_APPLESS_MAIN(TestMeshRefinement)
#include "test_mesh_refinement.moc"
