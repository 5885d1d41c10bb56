// The budget of an edge-coupled pair's differential impedance against what it must agree with:
// for one toleranced input alone, the input's own distribution and the closed form at the drawn
// values; for all of them, the single strip's draws of W, H, T and er and draws of the gap's own;
// the field's correction counted sample by sample; and the corrected yield of the centred width
// beside its neighbours'.

#include "maths/coupled_microstrip.h"
#include "spread/budget.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

using namespace velmoka;
using namespace velmoka::spread;

Q_DECLARE_METATYPE(Distribution)

namespace {

// A 100 ohm pair on 0.1 mm prepreg with 35 µm copper (mm), its tolerances given per test.
Request prepreg_pair(const Tolerances& tolerances, Distribution distribution = Distribution::normal) {
    Request request;
    request.nominal.values = {0.137, 0.1, 0.035, 4.0, 0.15};
    request.metres_per_unit = 1e-3;
    request.tolerances = tolerances;
    request.distribution = distribution;
    request.samples = 200'001;
    request.seed = 20261208;
    request.keep_samples = true;
    return request;
}

const Tolerances kFabrication = {Tolerance{10, true}, Tolerance{10, true}, Tolerance{10, true}, Tolerance{5, true},
                                 Tolerance{10, true}};

double z_diff_of(const Line& pair) {
    return differential_impedance(
        coupled_microstrip(pair[Input::w], pair[Input::s], pair[Input::h], pair[Input::t], pair[Input::er]).modes);
}

// The p-th percentile of sorted values, as numpy's default interpolates it.
double percentile_of_sorted(const std::vector<double>& sorted, double percent) {
    const double position = percent / 100.0 * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const double above = sorted[std::min(below + 1, sorted.size() - 1)];
    return sorted[below] + (position - static_cast<double>(below)) * (above - sorted[below]);
}

double correlation(std::span<const double> x, std::span<const double> y) {
    const double n = static_cast<double>(x.size());
    const double mean_x = std::accumulate(x.begin(), x.end(), 0.0) / n;
    const double mean_y = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double xy = 0.0, xx = 0.0, yy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        xy += (x[i] - mean_x) * (y[i] - mean_y);
        xx += (x[i] - mean_x) * (x[i] - mean_x);
        yy += (y[i] - mean_y) * (y[i] - mean_y);
    }
    return xy / std::sqrt(xx * yy);
}

}  // namespace

class TestPairSpread : public QObject {
    Q_OBJECT

private slots:
    void one_input_alone_data();
    void one_input_alone();
    void gap_draws_apart_from_the_strip_s();
    void correction_counts_every_sample();
    void centred_width_beats_its_neighbours();
};

// With one input toleranced, z_diff is monotone in it. The drawn values follow the input's
// distribution (the share below each percentile's deviation is the percentile's, within four
// binomial standard deviations), and each percentile of z_diff is the closed form at the drawn
// input's percentile, or at the complementary one where z_diff falls as the input grows.
void TestPairSpread::one_input_alone_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<Distribution>("distribution");
    QTest::newRow("W, normal") << static_cast<int>(Input::w) << Distribution::normal;
    QTest::newRow("S, normal") << static_cast<int>(Input::s) << Distribution::normal;
    QTest::newRow("S, uniform") << static_cast<int>(Input::s) << Distribution::uniform;
    QTest::newRow("H, uniform") << static_cast<int>(Input::h) << Distribution::uniform;
    QTest::newRow("er, normal") << static_cast<int>(Input::er) << Distribution::normal;
}

void TestPairSpread::one_input_alone() {
    QFETCH(int, input);
    QFETCH(Distribution, distribution);
    Tolerances tolerances;
    tolerances[input] = Tolerance{20, true};
    const Request request = prepreg_pair(tolerances, distribution);
    const Report report = budget(request);
    const double nominal = request.nominal.values[input];
    const double tolerance = tolerances[input].about(nominal);
    std::vector<double> drawn(report.sample_lines[input].begin(), report.sample_lines[input].end());
    std::sort(drawn.begin(), drawn.end());
    Line above = request.nominal;
    above.values[input] += tolerance;
    const bool rising = z_diff_of(above) > report.nominal.z0;
    const auto samples = static_cast<double>(drawn.size());
    constexpr std::array<double, kPercentiles.size()> kNormalSigmas = {-3.0, -2.0, 0.0, 2.0, 3.0};
    for (std::size_t index = 0; index < kPercentiles.size(); ++index) {
        const double share = kPercentiles[index] / 100.0;
        const double deviation =
            distribution == Distribution::normal ? kNormalSigmas[index] / kSigmasInANormalTolerance : 2.0 * share - 1.0;
        const double below = static_cast<double>(
            std::lower_bound(drawn.begin(), drawn.end(), nominal + tolerance * deviation) - drawn.begin());
        const double error = 4.0 * std::sqrt(share * (1.0 - share) / samples) + 1.0 / samples;
        QVERIFY2(std::fabs(below / samples - share) <= error,
                 qPrintable(QString("share %1 below, expected %2").arg(below / samples).arg(share)));

        Line at = request.nominal;
        at.values[input] = percentile_of_sorted(drawn, rising ? kPercentiles[index] : 100.0 - kPercentiles[index]);
        const double expected = z_diff_of(at);
        QVERIFY2(std::fabs(report.monte_carlo.percentiles[index] / expected - 1.0) < 1e-9,
                 qPrintable(QString("percentile %1: %2 against %3")
                                .arg(kPercentiles[index])
                                .arg(report.monte_carlo.percentiles[index], 0, 'g', 17)
                                .arg(expected, 0, 'g', 17)));
    }
}

// A pair draws the W, H, T and er that a single strip draws for the same seed, bit for bit; its
// gap draws from streams of its own, correlated with none of the others; each sample's z_diff is
// the closed form's at its drawn pair.
void TestPairSpread::gap_draws_apart_from_the_strip_s() {
    const Request pair = prepreg_pair(kFabrication);
    Request strip = pair;
    strip.nominal[Input::s] = 0.0;
    strip.tolerances[static_cast<std::size_t>(Input::s)] = Tolerance{};
    const Report of_pair = budget(pair);
    const Report of_strip = budget(strip);
    const SampleColumn& gap = of_pair.sample_lines[static_cast<std::size_t>(Input::s)];
    for (std::size_t input = 0; input < kStripInputs; ++input) {
        QVERIFY(of_pair.sample_lines[input] == of_strip.sample_lines[input]);
        const double r = correlation(gap, of_pair.sample_lines[input]);
        QVERIFY2(std::fabs(r) < 4.0 / std::sqrt(static_cast<double>(gap.size())), qPrintable(QString::number(r)));
    }
    for (const std::uint64_t sample : {std::uint64_t{0}, std::uint64_t{4097}, pair.samples - 1}) {
        Line drawn;
        for (std::size_t input = 0; input < kInputs; ++input) {
            drawn.values[input] = of_pair.sample_lines[input][sample];
        }
        QCOMPARE(of_pair.sample_z0[sample], z_diff_of(drawn));
    }
}

// With the field handed in, the corrected figures are those of every sample's z_diff times the
// field's over the closed form's at the nominal: its percentiles by a sort of the products, its
// yield by counting them inside the band. A field not solved corrects nothing.
void TestPairSpread::correction_counts_every_sample() {
    Request request = prepreg_pair(kFabrication);
    request.target = 100.0;
    request.band = Tolerance{3, true};
    request.field = FieldAtNominal{99.93, "ok"};
    const Report report = budget(request);
    QVERIFY(report.corrected);
    const Corrected& corrected = *report.corrected;
    QCOMPARE(corrected.factor, 99.93 / report.nominal.z0);
    std::vector<double> products;
    std::uint64_t inside = 0;
    for (const double z_diff : report.sample_z0) {
        products.push_back(corrected.factor * z_diff);
        inside += std::fabs(products.back() - 100.0) <= 3.0 ? 1 : 0;
    }
    std::sort(products.begin(), products.end());
    for (std::size_t index = 0; index < kPercentiles.size(); ++index) {
        QCOMPARE(corrected.percentiles[index], percentile_of_sorted(products, kPercentiles[index]));
    }
    QCOMPARE(corrected.yield->share, static_cast<double>(inside) / static_cast<double>(request.samples));

    request.field = FieldAtNominal{NAN, "width out of range"};
    QVERIFY(!budget(request).corrected);
}

// The corrected yield at the width found is no lower than at the nominal width or a step either
// side, each counted by a run of its own on the same draws and the same correction; at the
// median's width the corrected median is on the target.
void TestPairSpread::centred_width_beats_its_neighbours() {
    Request request = prepreg_pair(kFabrication);
    request.samples = 100'000;
    request.keep_samples = false;
    request.target = 100.0;
    request.band = Tolerance{5, true};
    request.field = FieldAtNominal{99.93, "ok"};
    request.centre = true;
    const Report centred = budget(request);
    const Centring& centring = *centred.centring;
    const double factor = centred.corrected->factor;
    request.centre = false;
    const auto corrected_at = [&](double width) {
        Request moved = request;
        moved.nominal[Input::w] = width;
        moved.field = FieldAtNominal{factor * z_diff_of(moved.nominal), "ok"};
        return *budget(moved).corrected;
    };
    const double found = corrected_at(centring.width_for_yield).yield->share;
    QCOMPARE(found, centring.yield.share);
    QVERIFY(found >= corrected_at(request.nominal[Input::w]).yield->share);
    QVERIFY(found >= corrected_at(centring.width_for_yield - centring.step).yield->share);
    QVERIFY(found >= corrected_at(centring.width_for_yield + centring.step).yield->share);
    QVERIFY(std::fabs(corrected_at(centring.width_for_median).percentiles[2] / 100.0 - 1.0) < 1e-4);
}

QTEST_APPLESS_MAIN(TestPairSpread)
#include "test_pair_spread.moc"
