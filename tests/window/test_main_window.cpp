// The main window as it opens, its keyboard order, the impedance entry check and the About
// window's life, driven offscreen through the real controls.

#include "window/calculator_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

#include <cmath>
#include <random>

namespace {

// Design geometry is in twips; the window shows it in pixels at 15 twips each, rounded.
QRect from_twips(int left, int top, int width, int height) {
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    return {px(left), px(top), px(width), px(height)};
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void window_frame();
    void boxes_show_the_opening_texts_and_are_editable();
    void control_geometry_data();
    void control_geometry();
    void captions_data();
    void captions();
    void pi_name_labels_show_their_whole_caption();
    void box_colours_and_fonts();
    void boxes_take_long_texts();
    void focus_starts_in_pi_capacitance_and_follows_the_design_order();
    void microns_selected_and_switching_units_changes_nothing();

    void typing_150_keeps_every_step();
    void typing_zero_point_five_fails_at_its_first_character();
    void typing_over_a_selection_leaves_75();
    void deleting_the_impedance_gives_invalid_z0();
    void the_window_shows_the_core();

    void about_opens_once_and_is_rebuilt_after_closing();
    void about_outlives_the_main_window();
};

// A failed check must not leave an About window open for the next test.
void TestMainWindow::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "AboutVelmoka") {
            widget->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMainWindow::window_frame() {
    CalculatorWindow calculator;
    QWidget& window = calculator.window;
    QCOMPARE(window.objectName(), QString("velmoka"));
    QCOMPARE(window.windowTitle(), QString("MicroStrip Velmoka Circuits"));
    QCOMPARE(window.size(), QSize(417, 332));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.palette().color(QPalette::Window), QColor(192, 192, 192));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    }
}

void TestMainWindow::boxes_show_the_opening_texts_and_are_editable() {
    CalculatorWindow calculator;
    const velmoka::Calculator opening;
    for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
        QLineEdit* shown = calculator.box(QString::fromLatin1(velmoka::kBoxNames[box].data()));
        QCOMPARE(shown->text(), QString::fromStdU16String(opening.text(static_cast<velmoka::Box>(box))));
        QVERIFY(!shown->isReadOnly());
        QVERIFY(shown->isEnabled());
    }
}

void TestMainWindow::control_geometry_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("length") << "length" << from_twips(120, 360, 852, 252);
    QTest::newRow("length1_txt") << "length1_txt" << from_twips(1080, 360, 972, 372);
    QTest::newRow("analysis") << "analysis" << from_twips(2160, 360, 1932, 372);
    QTest::newRow("w_txt") << "w_txt" << from_twips(4200, 360, 972, 372);
    QTest::newRow("wdth") << "wdth" << from_twips(5280, 360, 852, 252);
    QTest::newRow("syntht") << "syntht" << from_twips(2160, 840, 972, 372);
    QTest::newRow("synthpi") << "synthpi" << from_twips(3120, 840, 972, 372);
    QTest::newRow("ctee") << "ctee" << from_twips(120, 840, 852, 252);
    QTest::newRow("microns") << "microns" << from_twips(2160, 1440, 1095, 255);
    QTest::newRow("mils") << "mils" << from_twips(3360, 1440, 732, 252);
    QTest::newRow("tarnwell") << "tarnwell" << from_twips(2400, 1800, 1452, 372);
    QTest::newRow("synthesis") << "synthesis" << from_twips(768, 2208, 1836, 300);
    QTest::newRow("GetAboutVelmoka") << "GetAboutVelmoka" << from_twips(3648, 2208, 1836, 300);
    QTest::newRow("z0_txt") << "z0_txt" << from_twips(480, 2640, 972, 372);
    QTest::newRow("Label8 under z0_txt") << "Label8" << from_twips(360, 3120, 1212, 252);
    QTest::newRow("Label13, wider") << "Label13" << from_twips(4560, 3120, 1452, 252);
    QTest::newRow("Label14, second line") << "Label14" << from_twips(4680, 3360, 1212, 252);
    QTest::newRow("freq_txt") << "freq_txt" << from_twips(4800, 3720, 972, 372);
    QTest::newRow("Label7, widest") << "Label7" << from_twips(4560, 4200, 1572, 252);
    QTest::newRow("Label6") << "Label6" << from_twips(3240, 4440, 1212, 252);
    // clang-format on
}

void TestMainWindow::control_geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    CalculatorWindow calculator;
    auto* control = calculator.window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
}

void TestMainWindow::captions_data() {
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("analysis") << "analysis" << "Analysis";
    QTest::newRow("syntht") << "syntht" << "Synth. T";
    QTest::newRow("synthpi") << "synthpi" << "Synth.Pi";
    QTest::newRow("synthesis") << "synthesis" << "Solve Microstrip";
    QTest::newRow("GetAboutVelmoka") << "GetAboutVelmoka" << "About";
    QTest::newRow("microns") << "microns" << "microns";
    QTest::newRow("mils") << "mils" << "mils";
    QTest::newRow("length") << "length" << "Length";
    QTest::newRow("ctee") << "ctee" << "C(pF)-T";
    QTest::newRow("lpi") << "lpi" << "L(nH)-Pi";
    QTest::newRow("ltee") << "ltee" << "L(nH)-T";
    QTest::newRow("cpi") << "cpi" << "C(pF)-Pi";
    QTest::newRow("wdth") << "wdth" << "Width";
    QTest::newRow("tarnwell") << "tarnwell" << "Tarnwell";
    QTest::newRow("Label8") << "Label8" << "Impedance";
    QTest::newRow("Label10") << "Label10" << "Dielectric";
    QTest::newRow("Label12") << "Label12" << "Velocity";
    QTest::newRow("Label13") << "Label13" << "Phase Length";
    QTest::newRow("Label14") << "Label14" << "(degrees)";
    QTest::newRow("Label2") << "Label2" << "Constant";
    QTest::newRow("Label5") << "Label5" << "Conductor";
    QTest::newRow("Label7") << "Label7" << "Frequency (GHz)";
    // clang-format on
}

void TestMainWindow::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    CalculatorWindow calculator;
    auto* control = calculator.window.findChild<QWidget*>(name);
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else {
        QCOMPARE(qobject_cast<QAbstractButton*>(control)->text(), caption);
    }
}

// The design gives the name labels right of the pi boxes 852 twips (57 pixels), a pixel or
// so short of their captions in bold 11.25 pt; they keep their place and grow to the right.
void TestMainWindow::pi_name_labels_show_their_whole_caption() {
    CalculatorWindow calculator;
    for (const char* name : {"lpi", "cpi"}) {
        auto* label = calculator.window.findChild<QLabel*>(name);
        const QRect design = from_twips(5280, name == QString("lpi") ? 840 : 1320, 852, 252);
        QCOMPARE(label->pos(), design.topLeft());
        QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(label->text()));
        QVERIFY(label->geometry().right() < calculator.window.width());
    }
}

void TestMainWindow::box_colours_and_fonts() {
    CalculatorWindow calculator;
    for (const char* name :
         {"z0_txt", "er_eff_txt", "vel_txt", "length2_txt", "er_txt", "h_txt", "t_txt", "freq_txt"}) {
        QCOMPARE(calculator.box(name)->palette().color(QPalette::Base), QColor(128, 128, 128));
        QCOMPARE(calculator.box(name)->palette().color(QPalette::Text), QColor(Qt::white));
    }
    for (const char* name : {"length1_txt", "w_txt", "ct_txt", "lt_txt", "lpi_txt", "cpi_txt"}) {
        QCOMPARE(calculator.box(name)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(calculator.box(name)->palette().color(QPalette::Text), QColor(Qt::black));
    }
    // "Arial", named outright where the desktop has it, else its metric twin: either way the
    // boxes show the face that asking for "Arial" gives.
    const QFont box_font = calculator.box("z0_txt")->font();
    const bool has_arial = QFontDatabase::families().contains("Arial");
    QCOMPARE(box_font.families().value(0), QString(has_arial ? "Arial" : "Liberation Sans"));
    QCOMPARE(box_font.pointSizeF(), 9.75);
    QVERIFY(box_font.bold());
    QFont asked_for_arial(QStringList{"Arial"}, -1, QFont::Bold);
    asked_for_arial.setPointSizeF(9.75);
    QCOMPARE(QFontInfo(box_font).family(), QFontInfo(asked_for_arial).family());

    auto* name_label = calculator.window.findChild<QLabel*>("lpi");
    QCOMPARE(name_label->font().pointSizeF(), 11.25);
    QCOMPARE(name_label->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    QVERIFY(name_label->alignment() & Qt::AlignLeft);
    QVERIFY(calculator.window.findChild<QLabel*>("ctee")->alignment() & Qt::AlignRight);

    auto* brand = calculator.window.findChild<QLabel*>("tarnwell");
    QVERIFY(brand->font().italic());
    QVERIFY(!brand->font().bold());
    QCOMPARE(brand->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(calculator.window.findChild<QLabel*>("Label9")->alignment() & Qt::AlignHCenter);
}

void TestMainWindow::boxes_take_long_texts() {
    CalculatorWindow calculator;
    const QString long_text = QString(100000, QChar('7'));
    calculator.type("w_txt", long_text);
    QCOMPARE(calculator.text("w_txt").size(), long_text.size());
}

void TestMainWindow::focus_starts_in_pi_capacitance_and_follows_the_design_order() {
    CalculatorWindow calculator;
    QVERIFY(QTest::qWaitForWindowActive(&calculator.window));
    QCOMPARE(QApplication::focusWidget(), calculator.box("cpi_txt"));

    const QStringList design_order = {
        "cpi_txt",   "lpi_txt",     "syntht",      "synthpi",  "ct_txt",     "lt_txt",  "z0_txt",
        "w_txt",     "length1_txt", "er_txt",      "h_txt",    "t_txt",      "microns", "mils",
        "synthesis", "freq_txt",    "length2_txt", "analysis", "er_eff_txt", "vel_txt", "GetAboutVelmoka",
    };
    QStringList chain;
    QWidget* widget = calculator.box("cpi_txt");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != calculator.box("cpi_txt"));
    chain.removeAll(QString("velmoka"));
    QCOMPARE(chain, design_order);
}

void TestMainWindow::microns_selected_and_switching_units_changes_nothing() {
    CalculatorWindow calculator;
    auto* microns = calculator.control<QRadioButton>("microns");
    auto* mils = calculator.control<QRadioButton>("mils");
    QVERIFY(microns->isChecked());
    QVERIFY(!mils->isChecked());

    const velmoka::Calculator before = calculator.window.calculator();
    calculator.choose_units("mils");
    QVERIFY(mils->isChecked());
    QVERIFY(!microns->isChecked());
    QCOMPARE(calculator.window.calculator().units(), velmoka::Units::mils);
    calculator.choose_units("microns");
    QVERIFY(microns->isChecked());
    QVERIFY(calculator.window.calculator() == before);
}

void TestMainWindow::typing_150_keeps_every_step() {
    CalculatorWindow calculator;
    QLineEdit* z0 = calculator.box("z0_txt");
    z0->setFocus();
    z0->selectAll();
    QTest::keyClick(z0, Qt::Key_1);
    QCOMPARE(z0->text(), QString("1"));
    QTest::keyClick(z0, Qt::Key_5);
    QCOMPARE(z0->text(), QString("15"));
    QTest::keyClick(z0, Qt::Key_0);
    QCOMPARE(z0->text(), QString("150"));
}

void TestMainWindow::typing_zero_point_five_fails_at_its_first_character() {
    CalculatorWindow calculator;
    QLineEdit* z0 = calculator.box("z0_txt");
    z0->setFocus();
    z0->selectAll();
    QTest::keyClick(z0, Qt::Key_0);
    QCOMPARE(z0->text(), QString(" Invalid Z0"));
    // The message is left selected, so the next key replaces it.
    QCOMPARE(z0->selectedText(), QString(" Invalid Z0"));
    QTest::keyClicks(z0, ".5");
    QCOMPARE(z0->text(), QString("5"));
}

void TestMainWindow::typing_over_a_selection_leaves_75() {
    CalculatorWindow calculator;
    QLineEdit* z0 = calculator.box("z0_txt");
    z0->setFocus();
    z0->selectAll();
    QTest::keyClicks(z0, "75");
    QCOMPARE(z0->text(), QString("75"));
}

void TestMainWindow::deleting_the_impedance_gives_invalid_z0() {
    CalculatorWindow calculator;
    QLineEdit* z0 = calculator.box("z0_txt");
    z0->setFocus();
    z0->selectAll();
    QTest::keyClick(z0, Qt::Key_Backspace);
    QCOMPARE(z0->text(), QString(" Invalid Z0"));
}

// Random edits, typed or pasted, unit choices and presses through the window: after each, every
// box shows the core's text and the option buttons show its units.
void TestMainWindow::the_window_shows_the_core() {
    constexpr int kSteps = 400;
    const QStringList texts = {"", "0", "1", "75", "200", " Invalid Z0", "12.9", "0.5", "abc", "1e400", "-3"};
    const QStringList buttons = {"analysis", "synthesis", "synthpi", "syntht", "microns", "mils"};
    std::mt19937 random(20261208);
    const auto any = [&random](const QStringList& list) {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random)];
    };
    CalculatorWindow calculator;
    const velmoka::Calculator& core = calculator.window.calculator();
    for (int step = 0; step < kSteps; ++step) {
        const QString box = QString::fromLatin1(velmoka::kBoxNames[random() % velmoka::kBoxCount].data());
        switch (random() % 3) {
            case 0:
                calculator.type(box, any(texts));
                break;
            case 1:
                calculator.box(box)->setFocus();
                QTest::keyClicks(calculator.box(box), any(texts));
                break;
            default:
                const QString button = any(buttons);
                button.startsWith("m") ? calculator.choose_units(button) : calculator.press(button);
        }
        for (std::size_t shown = 0; shown < velmoka::kBoxCount; ++shown) {
            const QString name = QString::fromLatin1(velmoka::kBoxNames[shown].data());
            QCOMPARE(calculator.text(name), QString::fromStdU16String(core.text(static_cast<velmoka::Box>(shown))));
        }
        QCOMPARE(calculator.control<QRadioButton>("mils")->isChecked(), core.units() == velmoka::Units::mils);
    }
}

void TestMainWindow::about_opens_once_and_is_rebuilt_after_closing() {
    const auto open_about_windows = [] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            count += widget->objectName() == "AboutVelmoka" && widget->isVisible();
        }
        return count;
    };
    CalculatorWindow calculator;
    QVERIFY(!calculator.window.findChild<QWidget*>("AboutVelmoka"));
    QCOMPARE(open_about_windows(), 0);

    calculator.press("GetAboutVelmoka");
    calculator.press("GetAboutVelmoka");
    QCOMPARE(open_about_windows(), 1);

    QWidget* about = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "AboutVelmoka") {
            about = widget;
        }
    }
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QString("About Velmoka   -   Version 1.0"));
    QCOMPARE(about->size(), QSize(417, 60));
    QVERIFY(!about->parentWidget());
    QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(about->findChild<QLabel*>("Label1")->font().families().value(0), QString("Brush Script MT"));
    QCOMPARE(about->findChild<QLabel*>("email")->palette().color(QPalette::WindowText), QColor(255, 255, 128));

    // The main window stays usable while the About window is open.
    calculator.type("z0_txt", "75");
    QCOMPARE(calculator.text("z0_txt"), QString("75"));

    QPointer<QWidget> closed = about;
    about->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    QCOMPARE(open_about_windows(), 0);

    calculator.press("GetAboutVelmoka");
    QCOMPARE(open_about_windows(), 1);
}

void TestMainWindow::about_outlives_the_main_window() {
    QPointer<QWidget> about;
    {
        CalculatorWindow calculator;
        calculator.press("GetAboutVelmoka");
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "AboutVelmoka") {
                about = widget;
            }
        }
        QVERIFY(about);
        calculator.window.close();
        QVERIFY(about->isVisible());
    }
    QVERIFY(about);
    QVERIFY(about->isVisible());

    // Closing the last window ends the program: the event loop returns.
    QTimer::singleShot(0, about, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about.isNull());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
