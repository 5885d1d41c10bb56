// "Analysis" pressed on the calculator: the opening line in both units, every input
// check with its message and the boxes it leaves alone, repaired and boundary inputs, line
// sections with their lumped networks, a zero frequency, a velocity too small to show, and
// extreme geometry. Expected texts are worked by hand or with a separate transcription of the
// line model, never taken from the program.

#include "calculator/session.h"

#include <QRegularExpression>

namespace {

using Texts = Session::Texts;

// What an earlier press left in the result boxes; a press that stops must not touch them.
const Texts kEarlierResults = {
    {"z0_txt", " 77.70"},   {"er_eff_txt", " 5.555"}, {"vel_txt", " 0.4444"},  {"length2_txt", " 33.33"},
    {"lt_txt", "  1.1111"}, {"ct_txt", "  2.2222"},   {"lpi_txt", "  3.3333"}, {"cpi_txt", "  4.4444"},
};

const QString kInfinity = " infinity";

// A number under one of the window's pictures, or one of the window's messages.
bool is_number_or_message(const QString& text) {
    static const QRegularExpression picture_number("^-? {1,2}\\d+\\.\\d+$");
    static const QStringList messages = {" 1.00",     " 0.00",     "Invalid H",  " Invalid W",
                                         "Too Small", " infinity", " Invalid Z0"};
    return picture_number.match(text).hasMatch() || messages.contains(text);
}

}  // namespace

class TestAnalysisCommand : public QObject {
    Q_OBJECT

private slots:
    void opening_line_in_either_unit_data();
    void opening_line_in_either_unit();
    void checks_that_stop_data();
    void checks_that_stop();
    void accepted_inputs_data();
    void accepted_inputs();
    void line_sections_data();
    void line_sections();
    void impedance_beyond_the_entry_range_is_written_then_refused();
    void zero_frequency_data();
    void zero_frequency();
    void velocity_shown_as_zero_data();
    void velocity_shown_as_zero();
    void extreme_geometry_data();
    void extreme_geometry();
};

// er 12.9, H 100, T 4, W 70: only W/H = 0.7 and T/H = 0.04 reach the model, so mils give the
// same texts as microns; 70 microns (2.76 mils) is inside the width bounds.
void TestAnalysisCommand::opening_line_in_either_unit_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::newRow("microns") << "microns";
    QTest::newRow("mils") << "mils";
    // clang-format on
}

void TestAnalysisCommand::opening_line_in_either_unit() {
    QFETCH(QString, units);
    Session calculator;
    calculator.choose_units(units);
    const velmoka::Outcome outcome = calculator.press("analysis");
    QCOMPARE(Session::ending(outcome), QString());

    const Texts expected = {
        {"er_txt", "  12.900"},   {"h_txt", "  100.00"},     {"t_txt", "  4.000"},    {"w_txt", "  70.00"},
        {"z0_txt", "  49.89"},    {"er_eff_txt", "  8.013"}, {"vel_txt", "  0.3533"}, {"length1_txt", " 0.00"},
        {"length2_txt", " 0.00"}, {"freq_txt", " 1.00"},     {"lt_txt", "  0.0000"},  {"ct_txt", "  0.0000"},
        {"lpi_txt", "  0.0000"},  {"cpi_txt", "  0.0000"},
    };
    QCOMPARE(Session::listing(calculator.texts()), Session::listing(expected));
}

// Each check in its turn: the message in its box, the repairs made before it kept, and every
// other box, the earlier results included, left as it was.
void TestAnalysisCommand::checks_that_stop_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("changed");
    QTest::addColumn<QString>("stop");  // the message the press ended at, and its box

    QTest::newRow("er below 1 is raised, then H of 0 stops")
        << "microns" << Texts{{"er_txt", "0.5"}, {"h_txt", "0"}} << Texts{{"er_txt", " 1.00"}, {"h_txt", "Invalid H"}} << "h_txt=[Invalid H]";
    QTest::newRow("empty er and empty H")
        << "microns" << Texts{{"er_txt", ""}, {"h_txt", ""}} << Texts{{"er_txt", " 1.00"}, {"h_txt", "Invalid H"}} << "h_txt=[Invalid H]";
    QTest::newRow("negative H") << "microns" << Texts{{"h_txt", "-100"}} << Texts{{"h_txt", "Invalid H"}} << "h_txt=[Invalid H]";
    QTest::newRow("H that is not a number") << "mils" << Texts{{"h_txt", "thick"}} << Texts{{"h_txt", "Invalid H"}} << "h_txt=[Invalid H]";
    QTest::newRow("Invalid H left by an earlier press") << "microns" << Texts{{"h_txt", "Invalid H"}} << Texts{} << "h_txt=[Invalid H]";
    QTest::newRow("H of 0 stops before the thickness check")
        << "microns" << Texts{{"h_txt", "0"}, {"t_txt", "0"}} << Texts{{"h_txt", "Invalid H"}} << "h_txt=[Invalid H]";
    QTest::newRow("zero thickness is repaired, W/H 0.005 stops")
        << "mils" << Texts{{"h_txt", "100"}, {"t_txt", "0"}, {"w_txt", "0.5"}}
        << Texts{{"t_txt", " 0.00"}, {"w_txt", "Too Small"}} << "w_txt=[Too Small]";
    QTest::newRow("0.1 mil over 1 mil: W/H passes, the width bound stops")
        << "mils" << Texts{{"h_txt", "1"}, {"t_txt", "0.04"}, {"w_txt", "0.1"}} << Texts{{"w_txt", " Invalid W"}} << "w_txt=[ Invalid W]";
    QTest::newRow("0.1 mil over 20 mils: W/H stops first")
        << "mils" << Texts{{"h_txt", "20"}, {"t_txt", "0.8"}, {"w_txt", "0.1"}} << Texts{{"w_txt", "Too Small"}} << "w_txt=[Too Small]";
    QTest::newRow("wider than 500 mils") << "mils" << Texts{{"h_txt", "1000"}, {"t_txt", "40"}, {"w_txt", "500.01"}}
                                         << Texts{{"w_txt", " Invalid W"}} << "w_txt=[ Invalid W]";
    QTest::newRow("narrower than 5.08 microns") << "microns" << Texts{{"w_txt", "5"}} << Texts{{"w_txt", " Invalid W"}} << "w_txt=[ Invalid W]";
    QTest::newRow("wider than 12700 microns")
        << "microns" << Texts{{"h_txt", "20000"}, {"t_txt", "800"}, {"w_txt", "12700.5"}}
        << Texts{{"w_txt", " Invalid W"}} << "w_txt=[ Invalid W]";
    QTest::newRow("negative width") << "microns" << Texts{{"w_txt", "-70"}} << Texts{{"w_txt", "Too Small"}} << "w_txt=[Too Small]";
    QTest::newRow("Too Small left by an earlier press") << "microns" << Texts{{"w_txt", "Too Small"}} << Texts{} << "w_txt=[Too Small]";
    QTest::newRow("Invalid W left by an earlier press reads 0")
        << "microns" << Texts{{"w_txt", " Invalid W"}} << Texts{{"w_txt", "Too Small"}} << "w_txt=[Too Small]";
    QTest::newRow("er and thickness repaired, then the width stops")
        << "microns" << Texts{{"er_txt", "0"}, {"t_txt", "-4"}, {"w_txt", ""}}
        << Texts{{"er_txt", " 1.00"}, {"t_txt", " 0.00"}, {"w_txt", "Too Small"}} << "w_txt=[Too Small]";
    // clang-format on
}

void TestAnalysisCommand::checks_that_stop() {
    QFETCH(QString, units);
    QFETCH(Texts, typed);
    QFETCH(Texts, changed);
    QFETCH(QString, stop);

    Session calculator;
    calculator.choose_units(units);
    calculator.enter(kEarlierResults);
    calculator.enter(typed);
    const Texts before = calculator.texts();
    const velmoka::Outcome outcome = calculator.press("analysis");
    QCOMPARE(Session::listing(calculator.texts()), Session::listing(Session::merged(before, changed)));
    QCOMPARE(Session::ending(outcome), stop);
}

// Inputs the checks repair or accept at their bounds: the inputs written back in their
// pictures and the line the model gives for them.
void TestAnalysisCommand::accepted_inputs_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("expected");

    // er 1 on the opening geometry: no dielectric, so e_eff is exactly 1.
    const Texts air = {{"er_txt", "  1.000"},  {"h_txt", "  100.00"},     {"t_txt", "  4.000"},   {"w_txt", "  70.00"},
                       {"z0_txt", "  141.46"}, {"er_eff_txt", "  1.000"}, {"vel_txt", "  1.0000"}};
    QTest::newRow("er 0.5 analysed as er 1") << "microns" << Texts{{"er_txt", "0.5"}} << air;
    QTest::newRow("er 1 stays") << "microns" << Texts{{"er_txt", "1"}} << air;
    QTest::newRow("er that is not a number analysed as er 1") << "mils" << Texts{{"er_txt", "air"}} << air;

    // T/H raised to 0.001, the thickness shown again as entered.
    const Texts thin = {
        {"t_txt", "  0.000"}, {"z0_txt", "  50.99"}, {"er_eff_txt", "  8.287"}, {"vel_txt", "  0.3474"}};
    QTest::newRow("zero thickness analysed at T/H 0.001") << "microns" << Texts{{"t_txt", "0"}} << thin;
    QTest::newRow("empty thickness analysed at T/H 0.001") << "microns" << Texts{{"t_txt", ""}} << thin;
    QTest::newRow("negative thickness shown again as entered")
        << "microns" << Texts{{"t_txt", "-4"}} << Session::merged(thin, {{"t_txt", "-  4.000"}});

    QTest::newRow("untidy texts written back in their pictures")
        << "microns" << Texts{{"er_txt", "12.9 GaAs"}, {"h_txt", "1e2"}, {"t_txt", "4.0000"}, {"w_txt", "&H46"}}
        << Texts{{"er_txt", "  12.900"}, {"h_txt", "  100.00"},     {"t_txt", "  4.000"},   {"w_txt", "  70.00"},
                 {"z0_txt", "  49.89"},  {"er_eff_txt", "  8.013"}, {"vel_txt", "  0.3533"}};

    // The width bounds are inclusive in mils, and their micron values 5.08 and 12700 pass too.
    const Texts narrow = {{"z0_txt", "  113.80"}, {"er_eff_txt", "  6.408"}, {"vel_txt", "  0.3950"}};
    const Texts wide = {{"z0_txt", "  15.39"}, {"er_eff_txt", "  10.084"}, {"vel_txt", "  0.3149"}};
    QTest::newRow("narrowest strip, 0.2 mil")
        << "mils" << Texts{{"h_txt", "10"}, {"t_txt", "0.4"}, {"w_txt", "0.2"}}
        << Session::merged(narrow, {{"h_txt", "  10.00"}, {"t_txt", "  0.400"}, {"w_txt", "  0.20"}});
    QTest::newRow("narrowest strip in microns, 5.08")
        << "microns" << Texts{{"h_txt", "254"}, {"t_txt", "10.16"}, {"w_txt", "5.08"}}
        << Session::merged(narrow, {{"h_txt", "  254.00"}, {"t_txt", "  10.160"}, {"w_txt", "  5.08"}});
    QTest::newRow("widest strip, 500 mils")
        << "mils" << Texts{{"h_txt", "100"}, {"t_txt", "4"}, {"w_txt", "500"}}
        << Session::merged(wide, {{"h_txt", "  100.00"}, {"t_txt", "  4.000"}, {"w_txt", "  500.00"}});
    QTest::newRow("widest strip in microns, 12700")
        << "microns" << Texts{{"h_txt", "2540"}, {"t_txt", "101.6"}, {"w_txt", "12700"}}
        << Session::merged(wide, {{"h_txt", "  2540.00"}, {"t_txt", "  101.600"}, {"w_txt", "  12700.00"}});
    QTest::newRow("W/H exactly 0.01") << "mils" << Texts{{"h_txt", "20"}, {"t_txt", "0.8"}, {"w_txt", "0.2"}}
                                      << Texts{{"w_txt", "  0.20"},
                                               {"z0_txt", "  122.73"},
                                               {"er_eff_txt", "  6.277"},
                                               {"vel_txt", "  0.3991"}};
    // clang-format on
}

void TestAnalysisCommand::accepted_inputs() {
    QFETCH(QString, units);
    QFETCH(Texts, typed);
    QFETCH(Texts, expected);

    QCOMPARE(Session::listing_after(units, typed, "analysis", expected.keys()), Session::listing(expected));
}

// A physical length turned into a phase length with the velocity as shown (0.3533 on the
// opening line), and the exact pi and T networks of that section from the full-precision
// impedance (49.8935 ohms on the opening line). By hand, for a section of θ at f GHz:
// L_pi = z0·sin θ/(2πf), C_pi = 1000·tan(θ/2)/(2πf·z0), L_T = z0·tan(θ/2)/(2πf),
// C_T = 1000·sin θ/(2πf·z0); a quarter wave gives 49.8935/2π = 7.9408 nH and
// 1000/(2π·49.8935) = 3.1899 pF for both networks.
void TestAnalysisCommand::line_sections_data() {
    // clang-format off
    QTest::addColumn<QString>("units");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<Texts>("expected");

    // 0.25 × 0.3533 × 30 cm = 2.64975 cm.
    QTest::newRow("quarter wave on the opening line")
        << "microns" << Texts{{"length1_txt", "26497.5"}}
        << Texts{{"length2_txt", " 90.00"}, {"z0_txt", "  49.89"},   {"lt_txt", "  7.9408"},
                 {"ct_txt", "  3.1899"},    {"lpi_txt", "  7.9408"}, {"cpi_txt", "  3.1899"}};
    QTest::newRow("30 degrees on the opening line") << "microns" << Texts{{"length1_txt", "8832.5"}}
                                                    << Texts{{"length2_txt", " 30.00"},
                                                             {"lt_txt", "  2.1277"},
                                                             {"ct_txt", "  1.5949"},
                                                             {"lpi_txt", "  3.9704"},
                                                             {"cpi_txt", "  0.8547"}};
    QTest::newRow("beyond a half wave the elements turn negative") << "microns" << Texts{{"length1_txt", "58885"}}
                                                                   << Texts{{"length2_txt", " 200.01"},
                                                                            {"lt_txt", "-  45.0215"},
                                                                            {"ct_txt", "-  1.0913"},
                                                                            {"lpi_txt", "-  2.7167"},
                                                                            {"cpi_txt", "-  18.0856"}};
    QTest::newRow("100 mils at 10 GHz") << "mils" << Texts{{"length1_txt", " 100.00"}, {"freq_txt", "10"}}
                                        << Texts{{"length2_txt", " 86.27"},
                                                 {"lt_txt", "  0.7440"},
                                                 {"ct_txt", "  0.3183"},
                                                 {"lpi_txt", "  0.7924"},
                                                 {"cpi_txt", "  0.2989"}};
    // u 0.1, t 0.05, er 2.2: 181.01 ohms, refused by the entry check once written; the
    // networks still come from the computed impedance.
    QTest::newRow("30 degrees of a 181-ohm line")
        << "microns"
        << Texts{{"er_txt", "2.2"}, {"h_txt", "254"}, {"t_txt", "12.7"}, {"w_txt", "25.4"}, {"length1_txt", "19680"}}
        << Texts{{"z0_txt", " Invalid Z0"}, {"w_txt", "  25.40"},      {"er_eff_txt", "  1.614"},
                 {"vel_txt", "  0.7872"},   {"length2_txt", " 30.00"}, {"lt_txt", "  7.7193"},
                 {"ct_txt", "  0.4396"},    {"lpi_txt", "  14.4043"},  {"cpi_txt", "  0.2356"}};
    // clang-format on
}

void TestAnalysisCommand::line_sections() {
    QFETCH(QString, units);
    QFETCH(Texts, typed);
    QFETCH(Texts, expected);

    QCOMPARE(Session::listing_after(units, typed, "analysis", expected.keys()), Session::listing(expected));
}

// The impedance goes into z0_txt as computed, and the entry check, nested inside that write,
// refuses it before the width is written; the boxes written after it are still written.
void TestAnalysisCommand::impedance_beyond_the_entry_range_is_written_then_refused() {
    Session calculator;
    calculator.choose_units("mils");
    calculator.enter({{"er_txt", "2.2"}, {"h_txt", "10"}, {"t_txt", "0.5"}, {"w_txt", "1"}});
    calculator.enter(kEarlierResults);
    const QStringList writes = Session::writes(calculator.press("analysis"));

    const QStringList around_the_impedance = {"z0_txt=[  181.01]", "z0_txt=[ Invalid Z0] (check)",
                                              "z0_txt=[ Invalid Z0] (check) (same)", "w_txt=[  1.00]"};
    QCOMPARE(writes.mid(3, 4), around_the_impedance);
    const Texts expected = {
        {"z0_txt", " Invalid Z0"}, {"w_txt", "  1.00"},      {"er_eff_txt", "  1.614"},
        {"vel_txt", "  0.7872"},   {"length2_txt", " 0.00"}, {"lt_txt", "  0.0000"},
        {"ct_txt", "  0.0000"},    {"lpi_txt", "  0.0000"},  {"cpi_txt", "  0.0000"},
    };
    QCOMPARE(Session::listing(calculator.texts(expected.keys())), Session::listing(expected));
}

// Every element value divides by the frequency: with none, the line and its phase length
// (0 wavelengths at 0 GHz) are written and the four element boxes show " infinity", never a
// previous press's values.
void TestAnalysisCommand::zero_frequency_data() {
    // clang-format off
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("length");

    QTest::newRow("0 GHz, no length") << "0" << " 0.00";
    QTest::newRow("0 GHz, 30 degrees at 1 GHz") << "0" << "8832.5";
    QTest::newRow("empty frequency") << "" << "8832.5";
    QTest::newRow("frequency that is not a number") << "GHz" << " 0.00";
    // clang-format on
}

void TestAnalysisCommand::zero_frequency() {
    QFETCH(QString, frequency);
    QFETCH(QString, length);

    Session calculator;
    calculator.enter(kEarlierResults);
    calculator.enter({{"freq_txt", frequency}, {"length1_txt", length}});
    calculator.press("analysis");

    const Texts expected = {
        {"z0_txt", "  49.89"}, {"er_eff_txt", "  8.013"}, {"vel_txt", "  0.3533"}, {"length2_txt", " 0.00"},
        {"lt_txt", kInfinity}, {"ct_txt", kInfinity},     {"lpi_txt", kInfinity},  {"cpi_txt", kInfinity},
    };
    QCOMPARE(Session::listing(calculator.texts(expected.keys())), Session::listing(expected));
}

// On a substrate of er 10⁹ and more the velocity shows as 0.0000; the phase length read back
// from that text has no value, and neither have the networks.
void TestAnalysisCommand::velocity_shown_as_zero_data() {
    // clang-format off
    QTest::addColumn<QString>("er");
    QTest::addColumn<QString>("length");

    QTest::newRow("er 1e9, no length") << "1e9" << " 0.00";
    QTest::newRow("er 1e9, 1000 microns") << "1e9" << "1000";
    QTest::newRow("er 1e300, negative length") << "1e300" << "-1000";
    QTest::newRow("er beyond the double range") << "1e400" << "1000";
    // clang-format on
}

void TestAnalysisCommand::velocity_shown_as_zero() {
    QFETCH(QString, er);
    QFETCH(QString, length);

    Session calculator;
    calculator.enter(kEarlierResults);
    calculator.enter({{"er_txt", er}, {"length1_txt", length}});
    calculator.press("analysis");

    // The impedance falls with 1/sqrt(er), far below the entry check's 0.5 ohm.
    const Texts expected = {
        {"z0_txt", " Invalid Z0"}, {"vel_txt", "  0.0000"}, {"length2_txt", kInfinity}, {"lt_txt", kInfinity},
        {"ct_txt", kInfinity},     {"lpi_txt", kInfinity},  {"cpi_txt", kInfinity},
    };
    QCOMPARE(Session::listing(calculator.texts(expected.keys())), Session::listing(expected));
    QVERIFY2(is_number_or_message(calculator.text("er_eff_txt")), qPrintable(calculator.text("er_eff_txt")));
}

// Substrates far thinner than the strip or the conductor, and permittivities up to the
// largest double: every box ends with a number or one of the window's messages.
void TestAnalysisCommand::extreme_geometry_data() {
    // clang-format off
    QTest::addColumn<Texts>("typed");

    QTest::newRow("strip 20000 times wider than the dielectric")
        << Texts{{"h_txt", "0.025"}, {"t_txt", "0"}, {"w_txt", "500"}};
    QTest::newRow("W/H 1e302, conductor 4e300 times the dielectric")
        << Texts{{"h_txt", "1e-300"}, {"t_txt", "4"}, {"w_txt", "100"}};
    QTest::newRow("W/H near the largest double") << Texts{{"h_txt", "2.8e-306"}, {"t_txt", "0"}, {"w_txt", "500"}};
    QTest::newRow("W/H beyond the double range") << Texts{{"h_txt", "4.9e-324"}, {"t_txt", "1e300"}, {"w_txt", "500"}};
    QTest::newRow("er the largest double") << Texts{{"er_txt", "1.7976931348623157e308"}};
    QTest::newRow("er and W/H beyond the double range")
        << Texts{{"er_txt", "1e999"}, {"h_txt", "4.9e-324"}, {"w_txt", "500"}, {"length1_txt", " 100.00"}};
    QTest::newRow("thickness beyond the double range") << Texts{{"t_txt", "1e999"}, {"length1_txt", " 100.00"}};
    // clang-format on
}

void TestAnalysisCommand::extreme_geometry() {
    QFETCH(Texts, typed);

    Session calculator;
    calculator.choose_units("mils");
    calculator.enter(typed);
    calculator.press("analysis");
    const Texts texts = calculator.texts();
    for (auto box = texts.cbegin(); box != texts.cend(); ++box) {
        QVERIFY2(is_number_or_message(box.value()), qPrintable(box.key() + "=[" + box.value() + "]"));
    }
    // The line was analysed: its results replaced the opening texts.
    QVERIFY(calculator.text("vel_txt") != " 1.00 ");
}

QTEST_APPLESS_MAIN(TestAnalysisCommand)
#include "test_analysis.moc"
