// "Synth.Pi" and "Synth. T" pressed on the calculator: the line each finds from one
// element of its network, the stops and what they leave behind, and the order of the writes.

#include "calculator/session.h"
#include "maths/compare_within.h"

#include <QPair>

#include <cmath>

namespace {

using Texts = QMap<QString, QString>;

// The box each command takes its element from.
QString element_box(const QString& command) {
    return command == "synthpi" ? "lpi_txt" : "ct_txt";
}

// The six boxes a completed command writes, in the order the pi command writes them.
const QStringList kLineBoxes = {"lpi_txt", "cpi_txt", "lt_txt", "ct_txt", "length1_txt", "length2_txt"};

// Lines to work on. The opening substrate (er 12.9, H 100, T 4 microns) is found at 50 ohms
// with e_eff 8.009 and velocity 0.3534; "1" in er_txt makes it an air line, e_eff and velocity
// exactly 1. With H 0 the width synthesis stops at "Invalid H" and leaves e_eff and velocity
// as typed: a line of e_eff 9 with its velocity of 1/3, or with a velocity of 0. Impedances
// typed with more decimals than the width synthesis shows back.
const QMap<QString, Texts> kLines = {
    {"opening substrate", {}},
    {"air", {{"er_txt", "1"}}},
    {"air at 50.004 ohms", {{"er_txt", "1"}, {"z0_txt", "50.004"}}},
    {"air at 49.996 ohms", {{"er_txt", "1"}, {"z0_txt", "49.996"}}},
    {"e_eff 9", {{"h_txt", "0"}, {"er_eff_txt", "9"}, {"vel_txt", "0.33333333333333333"}}},
    {"e_eff 9, no velocity", {{"h_txt", "0"}, {"er_eff_txt", "9"}, {"vel_txt", "0"}}},
};

constexpr double kWorkedExampleDegrees = 38.92617545257391;  // 5 nH or 2 pF, 50 ohms, 1 GHz
constexpr double kWorkedExampleAirMils = 1277.105;           // its physical length in air
constexpr double kMilsPerMicron = 1.0 / 25.4;

// Box by box, so that a failure names the box and shows both texts with their blanks.
void compare_texts(const Texts& actual, const Texts& expected) {
    for (auto box = expected.begin(); box != expected.end(); ++box) {
        QVERIFY2(
            actual.value(box.key()) == box.value(),
            qPrintable(QString("%1: got '%2', expected '%3'").arg(box.key(), actual.value(box.key()), box.value())));
    }
}

// The boxes written, in order.
QStringList boxes_written(const velmoka::Outcome& outcome) {
    QStringList names;
    for (const velmoka::Write& write : outcome.writes) {
        names << latin1(velmoka::name_of(write.box));
    }
    return names;
}

// The texts written into z0_txt, without the entry check's " Invalid Z0".
QStringList impedance_texts(const velmoka::Outcome& outcome) {
    QStringList texts;
    for (const velmoka::Write& write : outcome.writes) {
        if (write.box == velmoka::Box::z0_txt && !write.by_entry_check) {
            texts << QString::fromStdU16String(write.text);
        }
    }
    return texts;
}

}  // namespace

class TestNetworkCommands : public QObject {
    Q_OBJECT

private slots:
    void line_texts_data();
    void line_texts();
    void worked_example_length_follows_the_shown_e_eff_data();
    void worked_example_length_follows_the_shown_e_eff();
    void both_commands_describe_the_same_line_data();
    void both_commands_describe_the_same_line();
    void writes_in_order_after_the_width_synthesis_data();
    void writes_in_order_after_the_width_synthesis();
    void stops_data();
    void stops();
    void carries_on_after_the_width_synthesis_gives_up();
};

// The line found from one element, every result box filled with other text beforehand so
// that each must be written; the other network's element box is not consulted.
void TestNetworkCommands::line_texts_data() {
    // clang-format off
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("units");
    QTest::addColumn<QStringList>("shown");  // lpi, cpi, lt, ct, length1, length2

    const QStringList worked = {"  5.0000", "  1.1249", "  2.8122", "  2.0000"};
    const QStringList quarter = {"  7.9577", "  3.1831", "  7.9577", "  3.1831"};
    const QStringList none = {"  0.0000", "  0.0000", "  0.0000", "  0.0000", "  0.00", " 0.00"};

    for (const auto& [command, element] : {QPair<QString, QString>{"synthpi", "5"}, {"syntht", "2"}}) {
        const QString name = command == "synthpi" ? "pi, 5 nH" : "T, 2 pF";
        QTest::addRow("%s in air, microns", qPrintable(name))
            << command << element << "1"
            << "air"
            << "microns" << worked + QStringList{"  32438.48", " 38.93"};
        QTest::addRow("%s in air, mils", qPrintable(name)) << command << element << "1"
                                                           << "air"
                                                           << "mils" << worked + QStringList{"  1277.11", " 38.93"};
        QTest::addRow("%s on e_eff 9, microns", qPrintable(name))
            << command << element << "1"
            << "e_eff 9"
            << "microns" << worked + QStringList{"  10812.83", " 38.93"};
        QTest::addRow("%s on e_eff 9, mils", qPrintable(name)) << command << element << "1"
                                                               << "e_eff 9"
                                                               << "mils" << worked + QStringList{"  425.70", " 38.93"};
        QTest::addRow("%s on e_eff 9 with no velocity", qPrintable(name))
            << command << element << "1"
            << "e_eff 9, no velocity"
            << "mils" << worked + QStringList{"  425.70", " infinity"};
    }

    // Elements whose reactance equals 50 ohms to the last bit at 1 GHz: 7.5 cm in air.
    QTest::newRow("pi, quarter wave in air, microns") << "synthpi" << "7.957747153555701" << "1" << "air"
                                                      << "microns" << quarter + QStringList{"  75000.00", " 90.00"};
    QTest::newRow("T, quarter wave in air, mils") << "syntht" << "3.1830988614222804" << "1" << "air"
                                                  << "mils" << quarter + QStringList{"  2952.76", " 90.00"};
    QTest::newRow("pi, quarter wave on the opening substrate")
        << "synthpi"
        << "7.957747153555701"
        << "1"
        << "opening substrate"
        << "microns" << quarter + QStringList{"  26501.60", " 89.99"};

    // Near a quarter wave the length hangs on the impedance: the one typed, not the one the
    // width synthesis shows back in its place.
    QTest::newRow("pi, impedance as typed")
        << "synthpi"
        << "7.957747153555701"
        << "1"
        << "air at 50.004 ohms"
        << "mils" << QStringList{"  7.9577", "  3.1428", "  7.8584", "  3.1826", "  2928.98", " 89.28"};
    QTest::newRow("T, impedance as typed")
        << "syntht"
        << "3.1830988614222804"
        << "1"
        << "air at 49.996 ohms"
        << "mils" << QStringList{"  7.9565", "  3.1433", "  7.8571", "  3.1831", "  2928.98", " 89.28"};

    // The phase comes from the unrounded length: 0.0236 mils is 0.072 degrees at 100 GHz,
    // where the 0.02 shown would give 0.06.
    QTest::newRow("pi, phase from the unrounded length")
        << "synthpi"
        << "0.0001"
        << "100"
        << "air"
        << "mils" << QStringList{"  0.0001", "  0.0000", "  0.0001", "  0.0000", "  0.02", " 0.07"};

    QTest::newRow("pi, negative frequency") << "synthpi" << "5" << "-1" << "air"
                                            << "mils" << worked + QStringList{"  1277.11", "- 38.93"};
    QTest::newRow("pi, negative inductance")
        << "synthpi"
        << "-5"
        << "1"
        << "air"
        << "mils" << QStringList{"-  5.0000", "-  1.1249", "-  2.8122", "-  2.0000", "-  1277.11", "- 38.93"};

    QTest::newRow("pi, opening window's inductance") << "synthpi" << "  0.0000" << "1" << "opening substrate"
                                                     << "microns" << none;
    QTest::newRow("pi, negative zero inductance") << "synthpi" << "-0" << "1" << "opening substrate"
                                                  << "microns" << none;
    QTest::newRow("pi, no inductance at a negative frequency") << "synthpi" << "0" << "-1" << "air"
                                                               << "mils" << none;
    QTest::newRow("pi, no inductance at the highest frequency") << "synthpi" << "0" << "1e308" << "air"
                                                                << "mils" << none;
    QTest::newRow("T, opening window's capacitance") << "syntht" << "  0.0000" << "1" << "opening substrate"
                                                     << "microns" << none;
    QTest::newRow("T, negative zero capacitance") << "syntht" << "-0" << "1" << "opening substrate"
                                                  << "microns" << none;
    QTest::newRow("T, no capacitance at a negative frequency") << "syntht" << "0" << "-1" << "air"
                                                               << "mils" << none;
    QTest::newRow("T, negative zero capacitance at a negative frequency") << "syntht" << "-0.0" << "-2.5" << "air"
                                                                          << "mils" << none;
    QTest::newRow("T, no capacitance at the highest frequency") << "syntht" << "0" << "1e308" << "air"
                                                                << "mils" << none;
    QTest::newRow("T, no capacitance on a line of no velocity")
        << "syntht"
        << "0"
        << "1"
        << "e_eff 9, no velocity"
        << "mils" << QStringList{"  0.0000", "  0.0000", "  0.0000", "  0.0000", "  0.00", " infinity"};
    // clang-format on
}

void TestNetworkCommands::line_texts() {
    QFETCH(QString, command);
    QFETCH(QString, element);
    QFETCH(QString, freq);
    QFETCH(QString, line);
    QFETCH(QString, units);
    QFETCH(QStringList, shown);

    Session calculator;
    for (const QString& box : kLineBoxes) {
        calculator.type(box, "junk");
    }
    calculator.type(element_box(command), element);
    calculator.type("freq_txt", freq);
    calculator.enter(kLines.value(line));
    calculator.choose_units(units);
    calculator.press(command);

    Texts expected;
    for (int i = 0; i < kLineBoxes.size(); ++i) {
        expected.insert(kLineBoxes[i], shown[i]);
    }
    compare_texts(calculator.texts(), expected);
}

// On the opening substrate the width synthesis shows e_eff and the velocity to a few
// decimals; the length follows 1277.105 / sqrt(e_eff shown) mils, the phase the velocity shown.
void TestNetworkCommands::worked_example_length_follows_the_shown_e_eff_data() {
    // clang-format off
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("units");
    QTest::addColumn<double>("mils_per_unit");

    QTest::newRow("pi, microns") << "synthpi" << "5"
                                 << "microns" << kMilsPerMicron;
    QTest::newRow("pi, mils") << "synthpi" << "5"
                              << "mils" << 1.0;
    QTest::newRow("T, microns") << "syntht" << "2"
                                << "microns" << kMilsPerMicron;
    QTest::newRow("T, mils") << "syntht" << "2"
                             << "mils" << 1.0;
    // clang-format on
}

void TestNetworkCommands::worked_example_length_follows_the_shown_e_eff() {
    QFETCH(QString, command);
    QFETCH(QString, element);
    QFETCH(QString, units);
    QFETCH(double, mils_per_unit);

    Session calculator;
    calculator.type(element_box(command), element);
    calculator.choose_units(units);
    calculator.press(command);

    QCOMPARE(calculator.text("z0_txt"), QString("  50.00"));
    QCOMPARE(calculator.text("lpi_txt"), QString("  5.0000"));
    QCOMPARE(calculator.text("cpi_txt"), QString("  1.1249"));
    QCOMPARE(calculator.text("lt_txt"), QString("  2.8122"));
    QCOMPARE(calculator.text("ct_txt"), QString("  2.0000"));

    const double e_eff = calculator.text("er_eff_txt").toDouble();
    const double v = calculator.text("vel_txt").toDouble();
    QVERIFY(e_eff > 1.0 && v > 0.0);
    const double length = kWorkedExampleAirMils / std::sqrt(e_eff) / mils_per_unit;
    // Half a unit of the shown length's last place, and the 0.0005 mils of 1277.105.
    COMPARE_WITHIN(calculator.text("length1_txt").toDouble(), length, 0.005 + 0.0005 / mils_per_unit);
    const double degrees = kWorkedExampleDegrees / std::sqrt(e_eff) / v;
    COMPARE_WITHIN(calculator.text("length2_txt").toDouble(), degrees, 0.005 + 1e-9);
}

// The pi inductance and the T capacitance of one line lead each command to that same line:
// every box of the two windows ends alike.
void TestNetworkCommands::both_commands_describe_the_same_line_data() {
    // clang-format off
    QTest::addColumn<QString>("inductance");   // nH
    QTest::addColumn<QString>("capacitance");  // pF, 1000 L / Z0² for the same line
    QTest::addColumn<QString>("z0");
    QTest::addColumn<QString>("freq");

    QTest::newRow("worked example, 50 ohms at 1 GHz") << "5" << "2" << "50" << "1";
    QTest::newRow("short 50-ohm section at 2.5 GHz") << "1" << "0.4" << "50" << "2.5";
    QTest::newRow("25-ohm line") << "1" << "1.6" << "25" << "1";
    QTest::newRow("75-ohm line of 70 degrees") << "11.25" << "2" << "75" << "1";
    // clang-format on
}

void TestNetworkCommands::both_commands_describe_the_same_line() {
    QFETCH(QString, inductance);
    QFETCH(QString, capacitance);
    QFETCH(QString, z0);
    QFETCH(QString, freq);

    Session from_pi;
    Session from_tee;
    for (Session* calculator : {&from_pi, &from_tee}) {
        calculator->type("z0_txt", z0);
        calculator->type("freq_txt", freq);
    }
    from_pi.type("lpi_txt", inductance);
    from_tee.type("ct_txt", capacitance);
    from_pi.press("synthpi");
    from_tee.press("syntht");

    QVERIFY(from_pi.text("cpi_txt") != "  0.0000");
    compare_texts(from_tee.texts(), from_pi.texts());
}

// The width synthesis first, then the command's own six boxes in its own order.
void TestNetworkCommands::writes_in_order_after_the_width_synthesis_data() {
    // clang-format off
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("pi") << "synthpi"
                        << "5" << QStringList{"lpi_txt", "cpi_txt", "length1_txt", "length2_txt", "lt_txt", "ct_txt"};
    QTest::newRow("T") << "syntht"
                       << "2" << QStringList{"lt_txt", "ct_txt", "length1_txt", "length2_txt", "lpi_txt", "cpi_txt"};
    // clang-format on
}

void TestNetworkCommands::writes_in_order_after_the_width_synthesis() {
    QFETCH(QString, command);
    QFETCH(QString, element);
    QFETCH(QStringList, order);

    Session calculator;
    calculator.type(element_box(command), element);
    const QStringList boxes = boxes_written(calculator.press(command));
    QVERIFY(boxes.size() > order.size());
    QCOMPARE(boxes.mid(boxes.size() - order.size()), order);
    QVERIFY(boxes.indexOf("vel_txt") < boxes.size() - order.size());
}

// A command that stops leaves every box but those named as it found them. The texts written
// into z0_txt tell whether the width synthesis ran: its stop on an impedance of 0 writes
// "Too Small" there; H 0 stops it with "Invalid H" instead, before it writes any result.
void TestNetworkCommands::stops_data() {
    // clang-format off
    QTest::addColumn<QString>("command");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("changed");
    QTest::addColumn<QStringList>("written_impedances");

    const Texts infinite_length = {{"length1_txt", " infinity"}};
    const Texts invalid_impedance = {{"z0_txt", " Invalid Z0"}};

    // Elements that would fail the impedance check: the frequency is tested first.
    QTest::newRow("pi, zero frequency") << "synthpi" << Texts{{"lpi_txt", "10"}, {"freq_txt", "0"}} << infinite_length
                                        << QStringList{};
    QTest::newRow("pi, empty frequency") << "synthpi" << Texts{{"lpi_txt", "10"}, {"freq_txt", ""}} << infinite_length
                                         << QStringList{};
    QTest::newRow("pi, frequency in words")
        << "synthpi" << Texts{{"lpi_txt", "10"}, {"freq_txt", "GHz"}} << infinite_length << QStringList{};
    QTest::newRow("T, zero frequency") << "syntht" << Texts{{"ct_txt", "4"}, {"freq_txt", "0.0"}} << infinite_length
                                       << QStringList{};
    QTest::newRow("T, negative zero frequency")
        << "syntht" << Texts{{"ct_txt", "4"}, {"freq_txt", "-0"}} << infinite_length << QStringList{};

    QTest::newRow("pi, 10 nH is 62.83 ohms over 50")
        << "synthpi" << Texts{{"lpi_txt", "10"}} << invalid_impedance << QStringList{"Z0 too Low"};
    QTest::newRow("pi, one bit over the quarter wave's inductance")
        << "synthpi" << Texts{{"lpi_txt", "7.9577471535557018"}} << invalid_impedance << QStringList{"Z0 too Low"};
    QTest::newRow("pi, 5 nH with the impedance box invalid")
        << "synthpi" << Texts{{"lpi_txt", "5"}, {"z0_txt", ""}} << Texts{} << QStringList{"Z0 too Low"};
    QTest::newRow("T, 4 pF is 39.79 ohms under 50")
        << "syntht" << Texts{{"ct_txt", "4"}} << invalid_impedance << QStringList{"Z0 too Hi"};
    QTest::newRow("T, negative capacitance")
        << "syntht" << Texts{{"ct_txt", "-2"}} << invalid_impedance << QStringList{"Z0 too Hi"};
    QTest::newRow("T, negative frequency")
        << "syntht" << Texts{{"ct_txt", "2"}, {"freq_txt", "-1"}} << invalid_impedance << QStringList{"Z0 too Hi"};

    // er 0.5 shows " 1.00" once the width synthesis has started.
    const Texts started_synthesis = {{"er_txt", " 1.00"}};
    QTest::newRow("T, 2 pF with the impedance box invalid")
        << "syntht" << Texts{{"ct_txt", "2"}, {"z0_txt", ""}, {"er_txt", "0.5"}} << started_synthesis
        << QStringList{"Too Small", "Z0 error"};
    QTest::newRow("T, no capacitance with the impedance box invalid")
        << "syntht" << Texts{{"ct_txt", "0"}, {"z0_txt", ""}, {"er_txt", "0.5"}} << started_synthesis
        << QStringList{"Too Small", "Z0 error"};
    QTest::newRow("pi, opening window's inductance with the impedance box invalid")
        << "synthpi" << Texts{{"z0_txt", ""}, {"er_txt", "0.5"}} << started_synthesis
        << QStringList{"Too Small", "Z0 error"};
    QTest::newRow("pi, negative inductance with the impedance box invalid")
        << "synthpi" << Texts{{"lpi_txt", "-5"}, {"z0_txt", ""}, {"er_txt", "0.5"}} << started_synthesis
        << QStringList{"Too Small", "Z0 error"};

    // A negative reactance larger than the impedance passes the check but has no length.
    const Texts stopped_synthesis_then_impedance = {{"h_txt", "Invalid H"}, {"z0_txt", " Invalid Z0"}};
    QTest::newRow("pi, 10 nH at a negative frequency")
        << "synthpi" << Texts{{"lpi_txt", "10"}, {"freq_txt", "-1"}, {"h_txt", "0"}} << stopped_synthesis_then_impedance
        << QStringList{"Z0 too Low"};
    QTest::newRow("pi, -10 nH") << "synthpi" << Texts{{"lpi_txt", "-10"}, {"h_txt", "0"}}
                                << stopped_synthesis_then_impedance << QStringList{"Z0 too Low"};

    // A line whose e_eff reads 0 or less has no physical length.
    const Texts stopped_synthesis_then_length = {{"h_txt", "Invalid H"}, {"length1_txt", " infinity"}};
    QTest::newRow("pi, e_eff 0") << "synthpi" << Texts{{"lpi_txt", "5"}, {"h_txt", "0"}, {"er_eff_txt", "0"}}
                                 << stopped_synthesis_then_length << QStringList{};
    QTest::newRow("T, negative e_eff") << "syntht" << Texts{{"ct_txt", "2"}, {"h_txt", "0"}, {"er_eff_txt", "-2"}}
                                       << stopped_synthesis_then_length << QStringList{};
    QTest::newRow("T, e_eff in words on a line of no length")
        << "syntht" << Texts{{"ct_txt", "0"}, {"h_txt", "0"}, {"er_eff_txt", "none"}} << stopped_synthesis_then_length
        << QStringList{};
    // clang-format on
}

void TestNetworkCommands::stops() {
    QFETCH(QString, command);
    QFETCH(Texts, typed);
    QFETCH(Texts, changed);
    QFETCH(QStringList, written_impedances);

    Session calculator;
    calculator.enter(typed);
    Texts expected = calculator.texts();
    expected.insert(changed);
    const velmoka::Outcome outcome = calculator.press(command);

    compare_texts(calculator.texts(), expected);
    QCOMPARE(impedance_texts(outcome), written_impedances);
    // The press ends at its last message: the impedance's when it wrote one, else the length's.
    QCOMPARE(Session::ending(outcome), written_impedances.isEmpty() ? QString("length1_txt=[ infinity]")
                                                                    : "z0_txt=[" + written_impedances.last() + "]");
}

// 140 ohms is beyond the opening substrate's reach, and the width synthesis gives up without
// writing e_eff or the velocity. The command goes on with the 140 ohms it read and the line
// the boxes still describe: e_eff and velocity 1.
void TestNetworkCommands::carries_on_after_the_width_synthesis_gives_up() {
    Session calculator;
    calculator.type("lpi_txt", "5");
    calculator.type("z0_txt", "140");
    // The width synthesis stopped at "Too Small"; the pi command ran to its end, incomplete.
    QCOMPARE(Session::ending(calculator.press("synthpi")), QString("incomplete: w_txt=[Too Small]"));

    QCOMPARE(calculator.text("er_eff_txt"), QString(" 1.00 "));
    QCOMPARE(calculator.text("vel_txt"), QString(" 1.00 "));
    compare_texts(calculator.texts(), Texts{
                                          {"lpi_txt", "  5.0000"},
                                          {"cpi_txt", "  0.1292"},
                                          {"lt_txt", "  2.5323"},
                                          {"ct_txt", "  0.2551"},
                                          {"length1_txt", "  10806.31"},
                                          {"length2_txt", " 12.97"},
                                      });
}

QTEST_APPLESS_MAIN(TestNetworkCommands)
#include "test_network_commands.moc"
