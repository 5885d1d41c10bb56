// "Solve Microstrip" pressed on the calculator: the opening window in both units,
// solved lines, repaired substrates, the checks that stop it, impedances out of reach, the
// phase length turned into a physical length, and the old width's lack of influence.
// Expected texts are worked by hand or with a separate transcription of the line model and
// the search, never taken from the program.

#include "calculator/session.h"

namespace {

using Texts = Session::Texts;

// What an earlier command left in the boxes this one writes or leaves alone; the phase
// length is one a length conversion would turn into a new physical length.
const Texts kEarlierResults = {
    {"er_eff_txt", " 5.555"}, {"vel_txt", " 0.4444"}, {"length1_txt", " 1234.56"}, {"length2_txt", " 90.00"},
    {"lt_txt", "  1.1111"},   {"ct_txt", "  2.2222"}, {"lpi_txt", "  3.3333"},     {"cpi_txt", "  4.4444"},
};

// The opening window solved for 50 ohms: the search ends on its second pass at
// W/H 0.69627, where the model gives 50.0049 ohms and e_eff 8.0088.
const Texts kOpeningSolution = {
    {"er_txt", "  12.900"}, {"h_txt", "  100.00"},     {"t_txt", "  4.000"},    {"z0_txt", "  50.00"},
    {"w_txt", "  69.63"},   {"er_eff_txt", "  8.009"}, {"vel_txt", "  0.3534"},
};

}  // namespace

class TestSynthesisCommand : public QObject {
    Q_OBJECT

private slots:
    void opening_window_in_either_unit_data();
    void opening_window_in_either_unit();
    void solved_lines_data();
    void solved_lines();
    void checks_that_stop_data();
    void checks_that_stop();
    void out_of_reach_data();
    void out_of_reach();
    void phase_length_to_physical_length_data();
    void phase_length_to_physical_length();
    void old_width_has_no_influence_data();
    void old_width_has_no_influence();
};

// Only T/H enters the search and W comes out in the unit of H, so mils give the same texts.
void TestSynthesisCommand::opening_window_in_either_unit_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::newRow("microns") << "microns";
    QTest::newRow("mils") << "mils";
    // clang-format on
}

void TestSynthesisCommand::opening_window_in_either_unit() {
    QFETCH(QString, units);
    Session calculator;
    calculator.choose_units(units);
    calculator.press("synthesis");

    const Texts expected = Session::merged(kOpeningSolution, {
                                                                 {"length1_txt", " 0.00"},
                                                                 {"length2_txt", " 0.00"},
                                                                 {"freq_txt", " 1.00"},
                                                                 {"lt_txt", "  0.0000"},
                                                                 {"ct_txt", "  0.0000"},
                                                                 {"lpi_txt", "  0.0000"},
                                                                 {"cpi_txt", "  0.0000"},
                                                             });
    QCOMPARE(Session::listing(calculator.texts()), Session::listing(expected));
}

// Wanted impedances on other substrates, and substrates the checks repair: the inputs
// written back, the impedance reached in place of the wanted one, the width, e_eff and
// velocity.
void TestSynthesisCommand::solved_lines_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("expected");

    // W/H 3.068 after two passes.
    QTest::newRow("50 ohms on er 2.2, t 0.01")
        << "mils" << Texts{{"er_txt", "2.2"}, {"h_txt", "100"}, {"t_txt", "1"}}
        << Texts{{"er_txt", "  2.200"}, {"t_txt", "  1.000"},      {"z0_txt", "  50.00"},
                 {"w_txt", "  306.81"}, {"er_eff_txt", "  1.878"}, {"vel_txt", "  0.7298"}};
    // A negative estimate: the first pass runs at the floor, the fifth ends at W/H 0.0511.
    QTest::newRow("100 ohms on er 12.9") << "mils" << Texts{{"h_txt", "100"}, {"z0_txt", "100"}}
                                         << Texts{{"z0_txt", "  100.00"},
                                                  {"w_txt", "  5.11"},
                                                  {"er_eff_txt", "  6.688"},
                                                  {"vel_txt", "  0.3867"}};
    // The model gives 122.729 ohms at the floor: the first pass ends, at W/H 0.010001.
    QTest::newRow("122.72 ohms at the model's reach")
        << "mils" << Texts{{"h_txt", "100"}, {"z0_txt", "122.72"}}
        << Texts{{"z0_txt", "  122.73"}, {"w_txt", "  1.00"}, {"er_eff_txt", "  6.277"}, {"vel_txt", "  0.3991"}};

    // No dielectric: e_eff is exactly 1, the velocity exactly 1, at W/H 4.8446.
    const Texts air = {{"er_txt", "  1.000"},
                       {"z0_txt", "  50.01"},
                       {"w_txt", "  484.46"},
                       {"er_eff_txt", "  1.000"},
                       {"vel_txt", "  1.0000"}};
    QTest::newRow("er 1") << "microns" << Texts{{"er_txt", "1"}} << air;
    QTest::newRow("er 0.5 solved as er 1") << "microns" << Texts{{"er_txt", "0.5"}} << air;
    QTest::newRow("empty er solved as er 1") << "microns" << Texts{{"er_txt", ""}} << air;

    // T/H raised to 0.001; the thickness shown again as entered.
    QTest::newRow("zero thickness solved at T/H 0.001") << "microns" << Texts{{"t_txt", "0"}}
                                                        << Texts{{"t_txt", "  0.000"},
                                                                 {"z0_txt", "  50.00"},
                                                                 {"w_txt", "  73.25"},
                                                                 {"er_eff_txt", "  8.314"},
                                                                 {"vel_txt", "  0.3468"}};
    QTest::newRow("untidy texts written back in their pictures")
        << "microns" << Texts{{"er_txt", "12.9 GaAs"}, {"h_txt", "1e2"}, {"t_txt", "4.0000"}, {"z0_txt", "50 ohms"}}
        << kOpeningSolution;
    // clang-format on
}

void TestSynthesisCommand::solved_lines() {
    QFETCH(QString, units);
    QFETCH(Texts, typed);
    QFETCH(Texts, expected);

    QCOMPARE(Session::listing_after(units, typed, "synthesis", expected.keys()), Session::listing(expected));
}

// A stop leaves the repairs made before it, writes nothing else and converts no length. The
// impedance check's "Too Small" is refused at once by the entry check.
void TestSynthesisCommand::checks_that_stop_data() {
    // clang-format off
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("changed");
    QTest::addColumn<QString>("stop");  // the message the press ended at, and its box

    // "Too Small" in the impedance box reads 0, and the entry check at once shows " Invalid Z0".
    const QString refused = "z0_txt=[Too Small]";
    const QString invalid_h = "h_txt=[Invalid H]";

    QTest::newRow("H of 0") << Texts{{"h_txt", "0"}} << Texts{{"h_txt", "Invalid H"}} << invalid_h;
    QTest::newRow("negative H, er below 1") << Texts{{"er_txt", "0.5"}, {"h_txt", "-100"}}
                                            << Texts{{"er_txt", " 1.00"}, {"h_txt", "Invalid H"}} << invalid_h;
    QTest::newRow("empty H") << Texts{{"h_txt", ""}} << Texts{{"h_txt", "Invalid H"}} << invalid_h;
    QTest::newRow("H of 0 stops before the thickness check")
        << Texts{{"h_txt", "0"}, {"t_txt", "0"}} << Texts{{"h_txt", "Invalid H"}} << invalid_h;
    // An emptied impedance box already shows " Invalid Z0", which reads 0.
    QTest::newRow("empty impedance") << Texts{{"z0_txt", ""}} << Texts{} << refused;
    QTest::newRow("message left by an earlier command") << Texts{{"z0_txt", "Z0 error"}} << Texts{} << refused;
    QTest::newRow("er and thickness repaired, then the impedance stops")
        << Texts{{"er_txt", "0"}, {"t_txt", "0"}, {"z0_txt", ""}} << Texts{{"er_txt", " 1.00"}, {"t_txt", " 0.00"}}
        << refused;
    // clang-format on
}

void TestSynthesisCommand::checks_that_stop() {
    QFETCH(Texts, typed);
    QFETCH(Texts, changed);
    QFETCH(QString, stop);

    Session calculator;
    calculator.enter(kEarlierResults);
    calculator.enter(typed);
    const Texts before = calculator.texts();
    const velmoka::Outcome outcome = calculator.press("synthesis");

    QCOMPARE(Session::ending(outcome), stop);
    QCOMPARE(Session::listing(calculator.texts()), Session::listing(Session::merged(before, changed)));
}

// Wanted impedances above the model's reach at the narrowest strip (W/H 0.01): the inputs
// are written back, "Too Small" goes into the width, and nothing else is written, the
// wanted impedance included; no length is converted.
void TestSynthesisCommand::out_of_reach_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("changed");

    const Texts written_back = {
        {"er_txt", "  12.900"}, {"h_txt", "  100.00"}, {"t_txt", "  4.000"}, {"w_txt", "Too Small"}};
    // The model reaches 122.73 ohms there.
    QTest::newRow("140 ohms on er 12.9, t 0.04") << "microns" << Texts{{"z0_txt", "140"}} << written_back;
    QTest::newRow("140 ohms on er 12.9 in mils") << "mils" << Texts{{"z0_txt", "140"}} << written_back;
    QTest::newRow("122.75 ohms, just beyond the reach") << "microns" << Texts{{"z0_txt", "122.75"}} << written_back;
    // 140·sqrt(20) is above 592 ohms: no estimate, the search starts at the floor.
    QTest::newRow("140 ohms on er 20") << "microns" << Texts{{"er_txt", "20"}, {"z0_txt", "140"}}
                                       << Session::merged(written_back, {{"er_txt", "  20.000"}});
    // The model reaches 145.05 ohms at T/H 0.001.
    QTest::newRow("150 ohms on er 12.9 with no thickness") << "microns" << Texts{{"t_txt", "0"}, {"z0_txt", "150"}}
                                                           << Session::merged(written_back, {{"t_txt", "  0.000"}});
    // clang-format on
}

void TestSynthesisCommand::out_of_reach() {
    QFETCH(QString, units);
    QFETCH(Texts, typed);
    QFETCH(Texts, changed);

    Session calculator;
    calculator.choose_units(units);
    calculator.enter(kEarlierResults);
    calculator.enter(typed);
    const Texts before = calculator.texts();
    const velmoka::Outcome outcome = calculator.press("synthesis");
    QCOMPARE(Session::ending(outcome), QString("w_txt=[Too Small]"));
    QCOMPARE(Session::listing(calculator.texts()), Session::listing(Session::merged(before, changed)));
}

// By hand: the physical length is (phase/360) × v × 30 cm / f, with v as vel_txt shows it
// (0.3534 for the opening window). A quarter wave at 1 GHz is 0.25 × 0.3534 × 30 = 2.6505 cm,
// 26505 microns or 1043.50 mils.
void TestSynthesisCommand::phase_length_to_physical_length_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("length");

    QTest::newRow("quarter wave in microns") << "microns" << "90" << "1" << " 26505.00";
    QTest::newRow("quarter wave in mils") << "mils" << "90" << "1" << " 1043.50";
    QTest::newRow("30 degrees at 2 GHz") << "microns" << "30" << "2" << " 4417.50";
    QTest::newRow("negative phase") << "microns" << "-90" << "1" << "- 26505.00";
    QTest::newRow("no phase") << "microns" << "0" << "1" << " 0.00";
    QTest::newRow("0 GHz") << "microns" << "90" << "0" << " infinity";
    QTest::newRow("empty frequency") << "mils" << "90" << "" << " infinity";
    QTest::newRow("frequency that is not a number") << "microns" << "30" << "GHz" << " infinity";
    // clang-format on
}

void TestSynthesisCommand::phase_length_to_physical_length() {
    QFETCH(QString, units);
    QFETCH(QString, phase);
    QFETCH(QString, frequency);
    QFETCH(QString, length);

    Session calculator;
    calculator.choose_units(units);
    calculator.enter({{"length2_txt", phase}, {"freq_txt", frequency}, {"length1_txt", " 1234.56"}});
    // An infinite length is the last step's result, not a stop, but the press is incomplete.
    QCOMPARE(Session::ending(calculator.press("synthesis")),
             length == " infinity" ? QString("incomplete: length1_txt=[ infinity]") : QString());
    QCOMPARE(calculator.text("length1_txt"), length);
    // The phase length is read, never rewritten, and the line is solved as always.
    QCOMPARE(calculator.text("length2_txt"), phase);
    QCOMPARE(Session::listing(calculator.texts(kOpeningSolution.keys())), Session::listing(kOpeningSolution));
}

// The width box is only shown again before the search; whatever it held, the result is the
// same.
void TestSynthesisCommand::old_width_has_no_influence_data() {
    // clang-format off
    QTest::addColumn<QString>("width");

    QTest::newRow("the opening width") << "  70.00";
    QTest::newRow("empty") << "";
    QTest::newRow("a message") << "Too Small";
    QTest::newRow("far too wide") << "99999";
    QTest::newRow("negative") << "-5";
    // clang-format on
}

void TestSynthesisCommand::old_width_has_no_influence() {
    QFETCH(QString, width);

    Session calculator;
    calculator.type("w_txt", width);
    calculator.press("synthesis");
    QCOMPARE(Session::listing(calculator.texts(kOpeningSolution.keys())), Session::listing(kOpeningSolution));
}

QTEST_APPLESS_MAIN(TestSynthesisCommand)
#include "test_solve_microstrip.moc"
