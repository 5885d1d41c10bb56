// What a screen reader learns about the calculator's controls: every box is named by the
// caption beside or under it and described by its unit; buttons and option buttons speak
// their captions.

#include "window/calculator_window.h"

#include <QAccessible>
#include <QLabel>

namespace {

const QString kDisplayUnit = "display unit: microns or mils as the option buttons say";

QAccessibleInterface* reader_view(QWidget* control) {
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(control);
    if (!view) {
        qFatal("no accessible interface for %s", qPrintable(control->objectName()));
    }
    return view;
}

}  // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void boxes_speak_their_captions_and_units_data();
    void boxes_speak_their_captions_and_units();
    void buttons_speak_their_captions_data();
    void buttons_speak_their_captions();
    void the_chosen_unit_is_reported_checked();
    void the_window_speaks_its_title();
};

void TestAccessibility::boxes_speak_their_captions_and_units_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("caption_labels");
    QTest::addColumn<QString>("unit");
    QTest::newRow("physical length, label beside") << "length1_txt" << QStringList{"length"} << kDisplayUnit;
    QTest::newRow("width, label beside") << "w_txt" << QStringList{"wdth"} << kDisplayUnit;
    QTest::newRow("T capacitance") << "ct_txt" << QStringList{"ctee"} << "pF";
    QTest::newRow("pi inductance") << "lpi_txt" << QStringList{"lpi"} << "nH";
    QTest::newRow("T inductance") << "lt_txt" << QStringList{"ltee"} << "nH";
    QTest::newRow("pi capacitance") << "cpi_txt" << QStringList{"cpi"} << "pF";
    QTest::newRow("impedance, one caption under") << "z0_txt" << QStringList{"Label8"} << "ohms";
    QTest::newRow("effective dielectric, two captions")
        << "er_eff_txt" << QStringList{"Label9", "Label10"} << "no unit";
    QTest::newRow("relative velocity") << "vel_txt" << QStringList{"Label11", "Label12"} << "no unit";
    QTest::newRow("phase length, unit in caption") << "length2_txt" << QStringList{"Label13", "Label14"} << "degrees";
    QTest::newRow("dielectric constant") << "er_txt" << QStringList{"Label1", "Label2"} << "no unit";
    QTest::newRow("dielectric thickness") << "h_txt" << QStringList{"Label3", "Label4"} << kDisplayUnit;
    QTest::newRow("conductor thickness") << "t_txt" << QStringList{"Label5", "Label6"} << kDisplayUnit;
    QTest::newRow("frequency, unit in caption") << "freq_txt" << QStringList{"Label7"} << "GHz";
}

void TestAccessibility::boxes_speak_their_captions_and_units() {
    QFETCH(QString, box);
    QFETCH(QStringList, caption_labels);
    QFETCH(QString, unit);
    CalculatorWindow calculator;

    // The name is what the eye reads: the visible captions, lines joined by a blank.
    QStringList captions;
    for (const QString& label : caption_labels) {
        auto* caption = calculator.window.findChild<QLabel*>(label);
        QVERIFY(caption);
        captions << caption->text();
    }
    QAccessibleInterface* view = reader_view(calculator.box(box));
    QCOMPARE(view->role(), QAccessible::EditableText);
    QCOMPARE(view->text(QAccessible::Name), captions.join(' '));
    QCOMPARE(view->text(QAccessible::Description), unit);
    // The box's content is still read out as its value.
    QCOMPARE(view->text(QAccessible::Value), calculator.text(box));
}

void TestAccessibility::buttons_speak_their_captions_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::newRow("analysis") << "analysis"
                              << "Analysis" << QAccessible::Button;
    QTest::newRow("T synthesis, blank inside") << "syntht"
                                               << "Synth. T" << QAccessible::Button;
    QTest::newRow("pi synthesis, no blank") << "synthpi"
                                            << "Synth.Pi" << QAccessible::Button;
    QTest::newRow("width synthesis") << "synthesis"
                                     << "Solve Microstrip" << QAccessible::Button;
    QTest::newRow("about") << "GetAboutVelmoka"
                           << "About" << QAccessible::Button;
    QTest::newRow("microns option") << "microns"
                                    << "microns" << QAccessible::RadioButton;
    QTest::newRow("mils option") << "mils"
                                 << "mils" << QAccessible::RadioButton;
}

void TestAccessibility::buttons_speak_their_captions() {
    QFETCH(QString, button);
    QFETCH(QString, spoken);
    QFETCH(QAccessible::Role, role);
    CalculatorWindow calculator;
    auto* control = calculator.window.findChild<QAbstractButton*>(button);
    QVERIFY(control);
    QAccessibleInterface* view = reader_view(control);
    QCOMPARE(view->role(), role);
    QCOMPARE(view->text(QAccessible::Name), spoken);
}

void TestAccessibility::the_chosen_unit_is_reported_checked() {
    CalculatorWindow calculator;
    QVERIFY(reader_view(calculator.window.findChild<QRadioButton*>("microns"))->state().checked);
    QVERIFY(!reader_view(calculator.window.findChild<QRadioButton*>("mils"))->state().checked);
    calculator.choose_units("mils");
    QVERIFY(!reader_view(calculator.window.findChild<QRadioButton*>("microns"))->state().checked);
    QVERIFY(reader_view(calculator.window.findChild<QRadioButton*>("mils"))->state().checked);
}

void TestAccessibility::the_window_speaks_its_title() {
    CalculatorWindow calculator;
    QCOMPARE(reader_view(&calculator.window)->text(QAccessible::Name), QString("MicroStrip Velmoka Circuits"));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
