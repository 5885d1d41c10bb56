#pragma once

#include <QString>
#include <QTest>

#include <cmath>

// Failure text for a value outside its tolerance, with every digit of both values.
inline QString mismatch(double actual, double expected, double tolerance) {
    return QStringLiteral("got %1, expected %2 within %3")
        .arg(actual, 0, 'g', 17)
        .arg(expected, 0, 'g', 17)
        .arg(tolerance, 0, 'g', 3);
}

// Passes when |actual - expected| <= tolerance; a physical quantity is never compared exactly.
#define COMPARE_WITHIN(actual, expected, tolerance) \
    QVERIFY2(std::abs((actual) - (expected)) <= (tolerance), qPrintable(mismatch((actual), (expected), (tolerance))))
