// The same engineer's work done at the window and with velmoka-cli as a process, from the window
// as it opens: every box ends alike. The window's texts are compared as velmoka-cli shows them to
// people: numbers without the picture's blanks, messages trimmed.

#include "window/calculator_window.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

using Values = QList<QPair<QString, QString>>;  // option of velmoka-cli (its box's key), text

// The window's box for each key of velmoka-cli's output, in the output's order.
const QList<QPair<QString, QString>> kBoxOfKey = {
    {"length", "length1_txt"}, {"w", "w_txt"},           {"h", "h_txt"},     {"t", "t_txt"},
    {"er", "er_txt"},          {"freq", "freq_txt"},     {"z0", "z0_txt"},   {"er_eff", "er_eff_txt"},
    {"vel", "vel_txt"},        {"phase", "length2_txt"}, {"lpi", "lpi_txt"}, {"cpi", "cpi_txt"},
    {"lt", "lt_txt"},          {"ct", "ct_txt"},
};

const QMap<QString, QString> kButtonOfCommand = {
    {"analysis", "analysis"}, {"solve", "synthesis"}, {"synth-pi", "synthpi"}, {"synth-t", "syntht"}};

QString as_given_on_the_command_line(const QString& window_text) {
    static const QRegularExpression letter("[A-Za-z]");
    return window_text.contains(letter) ? window_text.trimmed() : QString(window_text).remove(' ');
}

}  // namespace

class TestBothFaces : public QObject {
    Q_OBJECT

private slots:
    void every_box_alike_data();
    void every_box_alike();
};

void TestBothFaces::every_box_alike_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("units");
    QTest::addColumn<Values>("values");

    // clang-format off
    QTest::newRow("analysis, opening window") << "analysis" << "microns" << Values{};
    QTest::newRow("solve, opening window") << "solve" << "microns" << Values{};
    QTest::newRow("synth-pi, opening window") << "synth-pi" << "microns" << Values{};
    QTest::newRow("synth-t, opening window") << "synth-t" << "mils" << Values{};
    QTest::newRow("analysis of a 50-ohm FR-4 line in mils")
        << "analysis" << "mils" << Values{{"w", "11.5"}, {"h", "6.3"}, {"t", "1.4"}, {"er", "4.3"}, {"length", "500"}, {"freq", "2.4"}};
    QTest::newRow("solve for 75 ohms, a quarter wave")
        << "solve" << "microns" << Values{{"er", "3.66"}, {"h", "508"}, {"t", "35"}, {"z0", "75"}, {"phase", "90"}, {"freq", "5.8"}};
    QTest::newRow("pi network of 5 nH") << "synth-pi" << "microns" << Values{{"lpi", "5"}};
    QTest::newRow("T network of 2 pF at 2 GHz") << "synth-t" << "mils" << Values{{"ct", "2"}, {"freq", "2"}, {"z0", "35"}};
    QTest::newRow("repairs, then results") << "analysis" << "microns" << Values{{"er", "0.5"}, {"t", "0"}};
    QTest::newRow("stop at the dielectric thickness") << "analysis" << "mils" << Values{{"h", "-1"}};
    QTest::newRow("stop beyond the model's reach") << "solve" << "microns" << Values{{"z0", "140"}};
    QTest::newRow("stop below the pi reactance") << "synth-pi" << "microns" << Values{{"lpi", "10"}};
    QTest::newRow("stop at no frequency") << "synth-t" << "microns" << Values{{"ct", "2"}, {"freq", "0"}};
    QTest::newRow("entry check on a value given") << "solve" << "microns" << Values{{"z0", "0.3"}};
    // clang-format on
}

void TestBothFaces::every_box_alike() {
    QFETCH(QString, command);
    QFETCH(QString, units);
    QFETCH(Values, values);

    CalculatorWindow window;
    window.choose_units(units);
    QStringList arguments = {command, "--opening-window", "--units", units};
    for (const auto& [key, text] : values) {
        const auto box =
            std::find_if(kBoxOfKey.begin(), kBoxOfKey.end(), [&](const auto& pair) { return pair.first == key; });
        window.type(box->second, text);
        arguments << "--" + key << text;
    }
    window.press(kButtonOfCommand[command]);

    QProcess cli;
    cli.start(VELMOKA_CLI, arguments);
    QVERIFY(cli.waitForFinished());
    // The title, a line for each box (its caption, then its text right-aligned up to column 38),
    // then how the press ended.
    constexpr qsizetype kValueEnd = 38;
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
    QVERIFY(lines.size() > kBoxOfKey.size());
    QStringList shown_by_cli;
    QStringList shown_by_window;
    for (qsizetype i = 0; i < kBoxOfKey.size(); ++i) {
        const QString value = lines[i + 1].left(kValueEnd).section("  ", -1).trimmed();
        shown_by_cli << kBoxOfKey[i].first + "=" + value;
        shown_by_window << kBoxOfKey[i].first + "=" + as_given_on_the_command_line(window.text(kBoxOfKey[i].second));
    }
    QCOMPARE(shown_by_cli, shown_by_window);
}

QTEST_MAIN(TestBothFaces)
#include "test_both_faces.moc"
