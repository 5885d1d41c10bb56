// The deep images' potential between points on a strip, tabulated and far out, against the
// images summed one by one.

#include <QTest>

#include <cmath>

#include "field_solver/slab_images.h"
#include "field_solver/strip_panels.h"

namespace {

// Σ_{n≥2} (−K)^(n−1) ln|w + 2n| image by image, in extended precision, to the last image
// weighing more than 1e-21.
double images_one_by_one(double er, double height, double across) {
    const long double ratio = -(er - 1.0L) / (er + 1.0L);
    long double weight = ratio;
    long double sum = 0.0L;
    for (int n = 2; std::abs(weight) > 1e-21L; ++n) {
        const long double below = height + 2.0L * n;
        sum += weight * 0.5L * std::log(below * below + static_cast<long double>(across) * across);
        weight *= ratio;
    }
    return static_cast<double>(sum);
}

}  // namespace

class TestSlabImages : public QObject {
    Q_OBJECT

private slots:
    void deepImages_data();
    void deepImages();
};

// A strip of W/H 20 and T/H 1 beside a gap of 20 H: heights 0 to 2 and offsets up to 80 H, every
// cell of the table and the far series beyond it.
void TestSlabImages::deepImages_data() {
    QTest::addColumn<double>("er");

    QTest::newRow("er 1.01: images a fiftieth of a per cent") << 1.01;
    QTest::newRow("er 4.4") << 4.4;
    QTest::newRow("er 100: images fading over thousands of slab thicknesses") << 100.0;
}

void TestSlabImages::deepImages() {
    QFETCH(double, er);

    constexpr double kAgreement = 1e-13;
    constexpr double kStripCentre = 20.0;
    constexpr double kBeyondTable = 120.0;
    const velmoka::field_solver::SlabImages images(
        er, velmoka::field_solver::whole_strip_panels(20.0, 1.0, kStripCentre, 0));
    for (double height : {0.0, 0.37, 1.0, 2.0}) {
        for (double across = -kBeyondTable; across <= kBeyondTable; across += 0.731) {
            const double tabulated = images.log_sum(height, across);
            const double summed = images_one_by_one(er, height, across);
            QVERIFY2(std::abs(tabulated - summed) <= kAgreement,
                     qPrintable(QStringLiteral("height %1, across %2: %3, image by image %4")
                                    .arg(height)
                                    .arg(across)
                                    .arg(tabulated, 0, 'g', 17)
                                    .arg(summed, 0, 'g', 17)));
        }
    }
}

QTEST_APPLESS_MAIN(TestSlabImages)
#include "test_slab_images.moc"
