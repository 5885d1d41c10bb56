// The draws of a block of samples on each SIMD instruction set this processor runs, against the
// scalar draws one by one: the same doubles, bit for bit, over millions of streams, the ziggurat's
// wedges and tail among them.

#include "spread/draw_kernels.h"
#include "spread/random_draws.h"

#include <QTest>

#include <bit>
#include <cstdint>
#include <vector>

using namespace velmoka::spread;

Q_DECLARE_METATYPE(Distribution)

class TestRandomDraws : public QObject {
    Q_OBJECT

private slots:
    void lanes_draw_what_the_scalar_draws_data();
    void lanes_draw_what_the_scalar_draws();
};

// Runs that start at sample 0 and far along, where sample × 4 wraps past 2^64; none a whole
// number of vectors, so that the last few samples are drawn too.
void TestRandomDraws::lanes_draw_what_the_scalar_draws_data() {
    QTest::addColumn<Distribution>("distribution");
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<quint64>("first");
    QTest::addColumn<int>("count");
    constexpr quint64 kWrapping = (quint64{1} << 62) - 500'000;
    QTest::newRow("normal, from sample 0") << Distribution::normal << quint64{20261208} << quint64{0} << 2'000'003;
    QTest::newRow("normal, across the wrap") << Distribution::normal << quint64{1} << kWrapping << 1'000'005;
    QTest::newRow("uniform, from sample 0") << Distribution::uniform << quint64{20261208} << quint64{0} << 1'000'003;
    QTest::newRow("uniform, across the wrap") << Distribution::uniform << quint64{1} << kWrapping << 1'000'005;
}

void TestRandomDraws::lanes_draw_what_the_scalar_draws() {
    QFETCH(Distribution, distribution);
    QFETCH(quint64, seed);
    QFETCH(quint64, first);
    QFETCH(int, count);
    const std::span<const DrawKernels> runnable = runnable_draw_kernels();
    if (runnable.size() == 1) {
        QSKIP("this processor draws on no SIMD lanes: only the scalar draws run");
    }
    const RandomDraws draws(seed);
    for (const Input input : {Input::w, Input::er}) {
        std::vector<double> expected(count);
        for (int sample = 0; sample < count; ++sample) {
            expected[sample] = draws.deviation(first + sample, input, distribution);
        }
        for (const DrawKernels& kernels : runnable.first(runnable.size() - 1)) {
            std::vector<double> drawn(count + 1, -2.0);  // one more place, which must stay as it was
            kernels.deviations(draws.counter(first, input), count, distribution, drawn.data());
            const QByteArray where(kernels.instruction_set.data(), kernels.instruction_set.size());
            QVERIFY2(drawn[count] == -2.0, (where + ": wrote past the end").constData());
            for (int sample = 0; sample < count; ++sample) {
                if (std::bit_cast<std::uint64_t>(drawn[sample]) != std::bit_cast<std::uint64_t>(expected[sample])) {
                    QFAIL((where + ": sample " + QByteArray::number(first + sample) + " drew " +
                           QByteArray::number(drawn[sample], 'g', 17) + " against " +
                           QByteArray::number(expected[sample], 'g', 17))
                              .constData());
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestRandomDraws)
#include "test_random_draws.moc"
