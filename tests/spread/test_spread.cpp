// The tolerance budget against what it must agree with: the input's own distribution for one
// toleranced input, a brute-force grid for the worst case, the linearised variance for the
// sensitivities, the Monte Carlo spread for the root-sum-square, a plain sort for the
// percentiles, and its own yield either side of the width it centres on.

#include "spread/budget.h"
#include "spread/line_values.h"
#include "spread/sample_statistics.h"
#include "spread/worst_case.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

using namespace velmoka::spread;

Q_DECLARE_METATYPE(Distribution)
Q_DECLARE_METATYPE(Request)

namespace {

// A 50 ohm line on 1.6 mm FR-4 (mm), its tolerances given per test.
Request fr4_line(const Tolerances& tolerances, Distribution distribution = Distribution::normal) {
    Request request;
    request.nominal.values = {2.95, 1.6, 0.035, 4.5};
    request.metres_per_unit = 1e-3;
    request.tolerances = tolerances;
    request.distribution = distribution;
    request.samples = 200'000;
    request.seed = 20261208;
    return request;
}

Tolerances one(Input input, Tolerance tolerance) {
    Tolerances tolerances;
    tolerances[static_cast<std::size_t>(input)] = tolerance;
    return tolerances;
}

double z0_of(Line line) {
    return line_value(line).z0;
}

// A point of an input's spread: the share of boards below it, and how far it lies from the
// nominal, in tolerances.
struct Quantile {
    double share;
    double deviation;
};

// Points of each spread: -3, -2, 0, 2 and 3 standard deviations of the normal (the tolerance is
// three of them), and quantiles of the uniform.
std::vector<Quantile> quantiles_of(Distribution distribution) {
    std::vector<Quantile> quantiles;
    if (distribution == Distribution::normal) {
        for (const double sigmas : {-3.0, -2.0, 0.0, 2.0, 3.0}) {
            quantiles.push_back({0.5 * std::erfc(-sigmas / std::sqrt(2.0)), sigmas / 3.0});
        }
    } else {
        for (const double share : {0.01, 0.25, 0.5, 0.75, 0.99}) {
            quantiles.push_back({share, 2.0 * share - 1.0});
        }
    }
    return quantiles;
}

}  // namespace

class TestSpread : public QObject {
    Q_OBJECT

private slots:
    void one_input_alone_data();
    void one_input_alone();
    void worst_case_is_the_grid_s_data();
    void worst_case_is_the_grid_s();
    void worst_case_searches_inside_a_box();
    void shares_and_root_sum_square();
    void samples_hang_on_the_seed_alone();
    void moments_and_percentiles_match_a_sort();
    void centred_width_beats_its_neighbours();
};

// With one input toleranced, Z0 is monotone in it, so the share of samples with Z0 beyond the
// impedance of the input's quantile is that quantile's probability, within four binomial
// standard deviations.
void TestSpread::one_input_alone_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<Distribution>("distribution");
    QTest::newRow("W, normal") << 0 << Distribution::normal;
    QTest::newRow("H, normal") << 1 << Distribution::normal;
    QTest::newRow("T, uniform") << 2 << Distribution::uniform;
    QTest::newRow("er, uniform") << 3 << Distribution::uniform;
}

void TestSpread::one_input_alone() {
    QFETCH(int, input);
    QFETCH(Distribution, distribution);
    const Request request = fr4_line(one(static_cast<Input>(input), Tolerance{20, true}), distribution);
    const Report report = budget(request);
    const double tolerance = request.tolerances[static_cast<std::size_t>(input)].about(request.nominal.values[input]);
    const auto samples = static_cast<double>(report.sample_z0.size());
    for (const Quantile& quantile : quantiles_of(distribution)) {
        Line line = request.nominal;
        line.values[input] += tolerance * quantile.deviation;
        const double z0 = z0_of(line);
        const bool rising = (z0_of(request.nominal) < z0) == (quantile.deviation > 0.0);
        const auto below = static_cast<double>(std::count_if(report.sample_z0.begin(), report.sample_z0.end(),
                                                             [&](double sample) { return sample < z0; }));
        const double found = (rising ? below : samples - below) / samples;
        const double error = 4.0 * std::sqrt(quantile.share * (1.0 - quantile.share) / samples) + 1.0 / samples;
        QVERIFY2(std::fabs(found - quantile.share) <= error,
                 qPrintable(QString("share %1 below, expected %2").arg(found).arg(quantile.share)));
    }
}

// The worst case against a grid of 21 points an input over the box, which holds every corner.
void TestSpread::worst_case_is_the_grid_s_data() {
    QTest::addColumn<Request>("request");
    const Tolerances fab = {Tolerance{10, true}, Tolerance{10, true}, Tolerance{10, true}, Tolerance{5, true}};
    QTest::newRow("FR-4, the four toleranced") << fr4_line(fab);
    Request thin = fr4_line({Tolerance{0.02, false}, Tolerance{}, Tolerance{0.05, false}, Tolerance{3.6, false}});
    QTest::newRow("T down to 0 and er down to 1: the box kept in the model") << thin;
    Request narrow = fr4_line(fab);
    narrow.nominal.values = {0.02, 1.6, 0.5, 12.9};
    QTest::newRow("a narrow strip, thick against it") << narrow;
}

void TestSpread::worst_case_is_the_grid_s() {
    QFETCH(Request, request);
    const Report report = budget(request);
    const ToleranceBox box = tolerance_box(request);
    constexpr int kPoints = 21;
    std::vector<Line> grid;
    for (int point = 0; point < kPoints * kPoints * kPoints * kPoints; ++point) {
        Line line = box.lowest;
        for (std::size_t input = 0, rest = point; input < kInputs; ++input, rest /= kPoints) {
            line.values[input] +=
                (box.highest.values[input] - box.lowest.values[input]) * (rest % kPoints) / (kPoints - 1);
        }
        grid.push_back(line);
    }
    std::vector<double> z0(grid.size());
    line_values(
        grid.size(), [&](std::size_t point) { return grid[point]; }, z0.data(), nullptr);
    const auto [lowest, highest] = std::minmax_element(z0.begin(), z0.end());
    QCOMPARE(report.worst_case.lowest, *lowest);
    QCOMPARE(report.worst_case.highest, *highest);
    QVERIFY(!report.worst_case.searched);
    QCOMPARE(z0_of(report.worst_case.lowest_at), *lowest);
}

// Over a box where a function falls and then rises along W, the lowest lies inside: found by the
// search, with W at the bottom of the dip, not at a corner.
void TestSpread::worst_case_searches_inside_a_box() {
    const ToleranceBox box{Line{{2.0, 1.0, 0.0, 1.0}}, Line{{3.0, 2.0, 0.0, 1.0}}};
    const WorstCase worst = extremes_over(box, [](const std::vector<Line>& lines) {
        std::vector<double> values;
        for (const Line& line : lines) {
            values.push_back(std::pow(line[Input::w] - 2.37, 2.0) + line[Input::h]);
        }
        return values;
    });
    QVERIFY(worst.searched);
    QVERIFY(!worst.monotone[0] && worst.monotone[1]);
    QVERIFY(std::fabs(worst.lowest_at[Input::w] - 2.37) < 1e-6);
    QVERIFY(std::fabs(worst.lowest - 1.0) < 1e-12);
    QCOMPARE(worst.highest, std::pow(3.0 - 2.37, 2.0) + 2.0);
}

// For small tolerances the linearised model is the model: the shares add to 1, the
// root-sum-square of the 3-sigma changes is three Monte Carlo standard deviations, and each
// share is its input's alone.
void TestSpread::shares_and_root_sum_square() {
    const Tolerances small = {Tolerance{1, true}, Tolerance{1, true}, Tolerance{1, true}, Tolerance{1, true}};
    const Report report = budget(fr4_line(small));
    double shares = 0.0;
    for (const Sensitivity& sensitivity : report.sensitivities) {
        shares += sensitivity.share;
        const Report alone = budget(fr4_line(one(sensitivity.input, Tolerance{1, true})));
        const double variance_share = std::pow(alone.monte_carlo.z0.standard_deviation, 2.0) /
                                      std::pow(report.monte_carlo.z0.standard_deviation, 2.0);
        QVERIFY2(std::fabs(variance_share - sensitivity.share) < 0.02, qPrintable(QString::number(variance_share)));
    }
    QVERIFY(std::fabs(shares - 1.0) < 1e-12);
    QVERIFY(std::fabs(report.root_sum_square / 3.0 / report.monte_carlo.z0.standard_deviation - 1.0) < 0.03);
    QVERIFY(std::is_sorted(report.sensitivities.begin(), report.sensitivities.end(),
                           [](const Sensitivity& one, const Sensitivity& other) { return one.share > other.share; }));
}

// Sample i is a function of the seed and i alone: a shorter run, split differently over the
// cores, draws the same first boards, and each has the impedance of its line; another seed draws
// other boards.
void TestSpread::samples_hang_on_the_seed_alone() {
    const Tolerances fab = {Tolerance{10, true}, Tolerance{10, true}, Tolerance{10, true}, Tolerance{5, true}};
    Request request = fr4_line(fab);
    request.keep_samples = true;
    const Report report = budget(request);
    request.samples = 4097;
    const Report shorter = budget(request);
    for (std::size_t input = 0; input < kInputs; ++input) {
        QVERIFY(std::equal(shorter.sample_lines[input].begin(), shorter.sample_lines[input].end(),
                           report.sample_lines[input].begin()));
    }
    QVERIFY(std::equal(shorter.sample_z0.begin(), shorter.sample_z0.end(), report.sample_z0.begin()));
    // The moments gathered block by block as the impedances are worked out are those of the column.
    const Moments column = moments_of(report.sample_z0);
    const Moments& gathered = report.monte_carlo.z0;
    QVERIFY(column.count == gathered.count && column.mean == gathered.mean &&
            column.standard_deviation == gathered.standard_deviation && column.lowest == gathered.lowest &&
            column.highest == gathered.highest);
    const std::uint64_t last = report.sample_z0.size() - 1;
    QCOMPARE(z0_of(Line{{report.sample_lines[0][last], report.sample_lines[1][last], report.sample_lines[2][last],
                         report.sample_lines[3][last]}}),
             report.sample_z0[last]);
    request.seed += 1;
    QVERIFY(budget(request).sample_z0 != shorter.sample_z0);
}

void TestSpread::moments_and_percentiles_match_a_sort() {
    std::mt19937_64 random(7);
    std::lognormal_distribution<double> spread_out(0.0, 1.0);
    std::vector<double> values(100'003);
    std::generate(values.begin(), values.end(), [&] { return spread_out(random); });
    values[17] = NAN;  // a sample outside the model, left out
    const std::vector<double> percents = {0.0, 0.135, 2.275, 50.0, 97.725, 99.865, 100.0};
    const Moments moments = moments_of(values);
    const std::vector<double> found = percentiles_of(values, moments, percents);
    std::vector<double> sorted = values;
    std::erase_if(sorted, [](double value) { return std::isnan(value); });
    std::sort(sorted.begin(), sorted.end());
    const long double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0L) / sorted.size();
    const long double squares = std::accumulate(sorted.begin(), sorted.end(), 0.0L, [&](long double sum, double value) {
        return sum + (value - mean) * (value - mean);
    });
    QCOMPARE(moments.count, sorted.size());
    QVERIFY(std::fabs(moments.mean / mean - 1.0L) < 1e-14L);
    QVERIFY(std::fabs(moments.standard_deviation / std::sqrt(squares / (sorted.size() - 1)) - 1.0L) < 1e-14L);
    QCOMPARE(moments.lowest, sorted.front());
    QCOMPARE(moments.highest, sorted.back());
    for (std::size_t index = 0; index < percents.size(); ++index) {
        const double position = percents[index] / 100.0 * (sorted.size() - 1);
        const auto below = static_cast<std::size_t>(position);
        const double expected =
            sorted[below] + (position - below) * (sorted[std::min(below + 1, sorted.size() - 1)] - sorted[below]);
        QCOMPARE(found[index], expected);
    }
}

// The yield at the width found is no lower than at the nominal width or a step either side, each
// counted by a run of its own on the same draws.
void TestSpread::centred_width_beats_its_neighbours() {
    Request request = fr4_line({Tolerance{10, true}, Tolerance{10, true}, Tolerance{10, true}, Tolerance{5, true}});
    request.target = 50.0;
    request.band = Tolerance{5, true};
    request.centre = true;
    const Centring centring = *budget(request).centring;
    request.centre = false;
    const auto yield_at = [&](double width) {
        Request moved = request;
        moved.nominal[Input::w] = width;
        return budget(moved).monte_carlo.yield->share;
    };
    const double found = yield_at(centring.width_for_yield);
    QCOMPARE(found, centring.yield.share);
    QVERIFY(found >= yield_at(request.nominal[Input::w]));
    QVERIFY(found >= yield_at(centring.width_for_yield - centring.step));
    QVERIFY(found >= yield_at(centring.width_for_yield + centring.step));
    QVERIFY(centring.runs <= 20);
}

QTEST_APPLESS_MAIN(TestSpread)
#include "test_spread.moc"
