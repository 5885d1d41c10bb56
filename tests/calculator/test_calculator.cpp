// The calculator as it opens, and the impedance entry check: a text of
// z0_txt reading below 0.5 or above 150 ohms becomes " Invalid Z0" at once, left selected for the
// next key to replace; no other box is checked.

#include "calculator/session.h"

class TestCalculator : public QObject {
    Q_OBJECT

private slots:
    void opening_texts_data();
    void opening_texts();
    void typed_impedance_data();
    void typed_impedance();
    void invalid_z0_typed_onto_itself_ends_the_chain();
    void other_boxes_take_any_text();
};

void TestCalculator::opening_texts_data() {
    // clang-format off
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("physical length") << "length1_txt" << " 0.00";
    QTest::newRow("width") << "w_txt" << "  70.00";
    QTest::newRow("T capacitance") << "ct_txt" << "  0.0000";
    QTest::newRow("pi inductance") << "lpi_txt" << "  0.0000";
    QTest::newRow("T inductance") << "lt_txt" << "  0.0000";
    QTest::newRow("pi capacitance") << "cpi_txt" << "  0.0000";
    QTest::newRow("impedance") << "z0_txt" << " 50.0";
    QTest::newRow("effective dielectric, trailing blank") << "er_eff_txt" << " 1.00 ";
    QTest::newRow("velocity, trailing blank") << "vel_txt" << " 1.00 ";
    QTest::newRow("phase length") << "length2_txt" << " 0.00";
    QTest::newRow("dielectric constant") << "er_txt" << " 12.9";
    QTest::newRow("dielectric thickness") << "h_txt" << " 100.0";
    QTest::newRow("conductor thickness") << "t_txt" << " 4.00";
    QTest::newRow("frequency") << "freq_txt" << " 1.00";
    // clang-format on
}

void TestCalculator::opening_texts() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QCOMPARE(Session().text(box), text);
    QCOMPARE(Session().core.units(), velmoka::Units::microns);
}

void TestCalculator::typed_impedance_data() {
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("lower bound stays") << "0.5" << "0.5";
    QTest::newRow("upper bound stays") << "150" << "150";
    QTest::newRow("typical") << " 75.25" << " 75.25";
    QTest::newRow("just below") << "0.49" << " Invalid Z0";
    QTest::newRow("just above") << "150.5" << " Invalid Z0";
    QTest::newRow("negative") << "-50" << " Invalid Z0";
    QTest::newRow("number then words stays") << "50 ohms" << "50 ohms";
    QTest::newRow("message of a command") << "Z0 too Low" << " Invalid Z0";
    QTest::newRow("comma ends the number") << "0,75" << " Invalid Z0";
    QTest::newRow("huge exponent") << "1e400" << " Invalid Z0";
    QTest::newRow("empty") << "" << " Invalid Z0";
    QTest::newRow("lone surrogate, then a number") << QString(QChar(0xd800)) + "50" << " Invalid Z0";
    // clang-format on
}

void TestCalculator::typed_impedance() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Session calculator;
    const velmoka::Outcome outcome = calculator.type("z0_txt", typed);
    QCOMPARE(calculator.text("z0_txt"), shown);
    QCOMPARE(outcome.select_impedance(), shown == " Invalid Z0");
}

// The check's replacement is a change and runs the check again, which writes the same text:
// no change, and the chain ends. Typing " Invalid Z0" over itself changes nothing at all.
void TestCalculator::invalid_z0_typed_onto_itself_ends_the_chain() {
    Session calculator;
    QCOMPARE(Session::writes(calculator.type("z0_txt", "abc")),
             QStringList({"z0_txt=[ Invalid Z0] (check)", "z0_txt=[ Invalid Z0] (check) (same)"}));
    QCOMPARE(Session::writes(calculator.type("z0_txt", " Invalid Z0")), QStringList());
}

void TestCalculator::other_boxes_take_any_text() {
    Session calculator;
    for (const QString& box : Session::kBoxNames) {
        if (box != "z0_txt") {
            QVERIFY(calculator.type(box, "0").writes.empty());
            QCOMPARE(calculator.text(box), QString("0"));
        }
    }
}

QTEST_APPLESS_MAIN(TestCalculator)
#include "test_calculator.moc"
