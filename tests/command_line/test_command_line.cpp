// velmoka-cli as a script uses it: what it refuses before running anything, what it answers for
// lines it cannot read, sweeps, and the rows it writes in each format.

#include "command_line/cli_session.h"
#include "commands/window_commands.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <streambuf>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void bad_input_data();
    void bad_input();
    void sweeps_data();
    void sweeps();
    void json_rows_data();
    void json_rows();
    void csv_and_text_for_people();
    void ok_rows_show_only_numbers();
    void endless_line_answers_at_the_bound();
};

// Usage errors write nothing on standard output and exit with 2; a line of the input that
// cannot be read is a row of its own, and the lines after it still run.
void TestCommandLine::bad_input_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("complaint");  // on standard error, for a usage error
    QTest::addColumn<QStringList>("endings");

    const QStringList from_input = {"analysis", "--input", "-", "--format", "json"};
    // A strip's substrate given on the command line, for inputs that give only its width.
    const QStringList from_input_strip = from_input + QStringList{"--h", "100", "--t", "4", "--er", "12.9"};
    // clang-format off
    QTest::newRow("unknown option") << QStringList{"analysis", "--width", "70"} << QByteArray() << 2 << "--width" << QStringList{};
    QTest::newRow("missing value") << QStringList{"analysis", "--w"} << QByteArray() << 2 << "--w" << QStringList{};
    QTest::newRow("junk number") << QStringList{"analysis", "--w", "7O"} << QByteArray() << 2 << "--w: '7O' is not a decimal number" << QStringList{};
    QTest::newRow("number with its unit") << QStringList{"solve", "--h", "100um"} << QByteArray() << 2 << "--h: '100um'" << QStringList{};
    QTest::newRow("inf") << QStringList{"analysis", "--er", "inf"} << QByteArray() << 2 << "--er: 'inf'" << QStringList{};
    QTest::newRow("nan in a list") << QStringList{"analysis", "--er", "4.3,nan"} << QByteArray() << 2 << "--er: 'nan'" << QStringList{};
    QTest::newRow("beyond the double range") << QStringList{"analysis", "--t", "1e400"} << QByteArray() << 2 << "--t: '1e400'" << QStringList{};
    QTest::newRow("no command") << QStringList{"--w", "70"} << QByteArray() << 2 << "COMMAND" << QStringList{};
    QTest::newRow("unknown command") << QStringList{"analyse"} << QByteArray() << 2 << "'analyse' is not a command: COMMAND is required" << QStringList{};
    QTest::newRow("range stepping away") << QStringList{"analysis", "--w", "70:50:10"} << QByteArray() << 2 << "--w: 70:50:10" << QStringList{};
    QTest::newRow("range of no step") << QStringList{"analysis", "--w", "50:70:0"} << QByteArray() << 2 << "--w: 50:70:0" << QStringList{};
    QTest::newRow("an option before the command word") << QStringList{"--units", "mils", "analysis", "--opening-window"} << QByteArray() << 2 << "--units: give it after the command word" << QStringList{};
    QTest::newRow("value given twice") << QStringList{"analysis", "--w", "50", "--w", "70"} << QByteArray() << 2 << "--w" << QStringList{};
    QTest::newRow("sweep with an input file") << from_input + QStringList{"--w", "50, 70"} << QByteArray("h\n100\n") << 2 << "--w: a sweep" << QStringList{};
    QTest::newRow("input file missing") << QStringList{"analysis", "--input", "/nonexistent/lines.csv"} << QByteArray() << 2 << "cannot read '/nonexistent/lines.csv'" << QStringList{};
    // A value the results depend on, left out, is named; the opening window's is taken only on request.
    QTest::newRow("no dielectric constant") << QStringList{"solve", "--h", "1600", "--t", "35", "--z0", "50"} << QByteArray() << 2 << "--er: a value is required" << QStringList{};
    QTest::newRow("no conductor thickness") << QStringList{"analysis", "--w", "172.77", "--h", "100", "--er", "4.2"} << QByteArray() << 2 << "--t: a value is required" << QStringList{};
    QTest::newRow("no column and no option") << from_input << QByteArray("w,h\n70,100\n") << 2 << "--t: a value is required" << QStringList{};
    QTest::newRow("the opening window on request") << QStringList{"solve", "--opening-window", "--h", "1600", "--t", "35", "--z0", "50", "--format", "json"} << QByteArray() << 0 << "" << QStringList{"ok||"};
    // A decimal comma never runs as two values.
    QTest::newRow("decimal comma") << QStringList{"analysis", "--w", "3000", "--h", "1600", "--t", "35", "--er", "4,5"} << QByteArray() << 2 << "'4,5' is either 4.5 written with a decimal comma" << QStringList{};
    QTest::newRow("decimal comma of the manual page") << QStringList{"analysis", "--er", "12,9"} << QByteArray() << 2 << "--er: '12,9'" << QStringList{};
    QTest::newRow("a list with a blank after its comma") << QStringList{"analysis", "--w", "3000", "--h", "1600", "--t", "35", "--er", "4, 5", "--format", "json"} << QByteArray() << 0 << "" << QStringList{"ok||", "ok||"};

    QTest::newRow("a folder for input") << QStringList{"analysis", "--input", "/", "--format", "json"} << QByteArray() << 2 << ""
        << QStringList{"error|line 1: the input cannot be read|"};
    QTest::newRow("empty file") << from_input << QByteArray() << 0 << "" << QStringList{};
    QTest::newRow("header only") << from_input << QByteArray("w,h,t,er\n") << 0 << "" << QStringList{};
    QTest::newRow("comments and blank lines") << from_input_strip << QByteArray("# stack-ups\n\nw\n\n# none yet\n") << 0 << "" << QStringList{};
    QTest::newRow("CR LF file") << from_input_strip << QByteArray("w,h\r\n70,100\r\n50,100\r\n") << 0 << "" << QStringList{"ok||", "ok||"};
    QTest::newRow("wrong field count") << from_input_strip << QByteArray("w,h\n70\n70,100,4\n70,100\n") << 2 << ""
        << QStringList{"error|line 2: 1 fields where the header names 2|", "error|line 3: 3 fields where the header names 2|", "ok||"};
    QTest::newRow("junk field") << from_input_strip << QByteArray("w,er\n70,GaAs\n") << 2 << "" << QStringList{"error|line 2: field er: 'GaAs' is not a decimal number|"};
    QTest::newRow("an empty field of a value required") << from_input << QByteArray("w,h,t,er\n70,100,,12.9\n") << 2 << "" << QStringList{"error|line 2: no t: give it in its column or on the command line|"};
    QTest::newRow("headers in any case, blanks after commas") << from_input << QByteArray("W, H, T, Er\n70, 100, 4, 12.9\n") << 0 << "" << QStringList{"ok||"};
    QTest::newRow("column twice") << from_input_strip << QByteArray("er_eff,er-eff\n1,1\n") << 2 << "" << QStringList{"error|line 2: field 'er-eff' of the header names a column twice|"};
    QTest::newRow("unknown command in a row") << QStringList{"--input", "-", "--format", "json"} << QByteArray("command,z0,h,t,er\nsolve,50,100,4,12.9\nsynth,50,100,4,12.9\n,50,100,4,12.9\n") << 2 << ""
        << QStringList{"ok||", "error|line 3: field command: 'synth' is not analysis, solve, synth-pi or synth-t|", "error|line 4: no command: give one on the command line or in a command column|"};
    QTest::newRow("quote left open") << from_input_strip << QByteArray("w\n\"70\n") << 2 << "" << QStringList{"error|line 2: a quote is left open|"};
    QTest::newRow("a 10 MB line, then a good one") << from_input_strip << "w\n" + QByteArray(10'000'000, '7') + "\n70\n" << 2 << ""
        << QStringList{"error|line 2: longer than 1048576 bytes|", "ok||"};
    QTest::newRow("a line of the most bytes") << from_input_strip << "w\n" + QByteArray(1 << 20, ' ') + "\n" << 0 << "" << QStringList{};
    QTest::newRow("an overlong header") << from_input << QByteArray(1 << 21, 'w') + "\n70\n" << 2 << ""
        << QStringList{"error|line 1: longer than 1048576 bytes|", "error|line 2: the header is longer than 1048576 bytes|"};
    // clang-format on
}

void TestCommandLine::bad_input() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, complaint);
    QFETCH(QStringList, endings);

    const CliRun run = run_cli(arguments, input);
    QCOMPARE(run.status, status);
    if (!complaint.isEmpty()) {
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    }
    QCOMPARE(run.endings(), endings);
}

// The runs of a sweep in order, told apart by the values swept as they were given (the frequency,
// the physical length, the width, which the window shows to two decimals), each value as written.
void TestCommandLine::sweeps_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("runs");  // freq and length of each run

    // clang-format off
    QTest::newRow("steps of 0.1, never 0.30000000000000004") << QStringList{"--freq", "0.1:0.5:0.1"} << QStringList{"0.1 0", "0.2 0", "0.3 0", "0.4 0", "0.5 0"};
    QTest::newRow("stop reached within rounding") << QStringList{"--freq", "1:1.3:0.1"} << QStringList{"1 0", "1.1 0", "1.2 0", "1.3 0"};
    QTest::newRow("stop between steps") << QStringList{"--freq", "1:2:0.4"} << QStringList{"1 0", "1.4 0", "1.8 0"};
    QTest::newRow("decimals of the start") << QStringList{"--freq", "1.00:2:0.5"} << QStringList{"1 0", "1.5 0", "2 0"};
    QTest::newRow("downwards") << QStringList{"--freq", "3:1:-1"} << QStringList{"3 0", "2 0", "1 0"};
    QTest::newRow("exponent step") << QStringList{"--length", "0:2e-3:1e-3"} << QStringList{"1 0", "1 0.001", "1 0.002"};
    QTest::newRow("list") << QStringList{"--freq", "2.4,5,-1e1"} << QStringList{"2.4 0", "5 0", "-10 0"};
    QTest::newRow("the last option varies fastest")
        << QStringList{"--freq", "1, 2", "--length", "10:30:10"} << QStringList{"1 10", "1 20", "1 30", "2 10", "2 20", "2 30"};
    QTest::newRow("in the order given")
        << QStringList{"--length", "10:30:10", "--freq", "1, 2"} << QStringList{"1 10", "2 10", "1 20", "2 20", "1 30", "2 30"};
    QTest::newRow("widths the window shows alike") << QStringList{"--w", "100:100.01:0.0025", "--freq", "1e-3,0.001"}
        << QStringList{"0.001 100", "0.001 100", "0.001 100.0025", "0.001 100.0025", "0.001 100.005", "0.001 100.005",
                       "0.001 100.0075", "0.001 100.0075", "0.001 100.01", "0.001 100.01"};
    // clang-format on
}

void TestCommandLine::sweeps() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, runs);

    const CliRun run = run_cli(QStringList{"analysis", "--opening-window", "--format", "json"} + arguments);
    QCOMPARE(run.status, 0);
    QStringList shown;
    for (const QJsonObject& object : run.objects()) {
        const QString second = arguments.contains("--w") ? "w" : "length";
        shown << QString::number(object["freq"].toDouble()) + " " + QString::number(object[second].toDouble(), 'g', 9);
    }
    QCOMPARE(shown, runs);
}

// Whole json rows, keys in order: the values given in their shortest form, the results as the
// window shows them with its picture's blanks removed, null where the press gave no result (a
// message, a box it never wrote, a result that needs a value not given), then the verdict.
void TestCommandLine::json_rows_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("row");

    const QStringList opening = {"--opening-window"};
    // clang-format off
    QTest::newRow("the opening window analysed") << QStringList{"analysis"} + opening << 0
        << R"({"command":"analysis","units":"microns","length":0,"w":70,"h":100,"t":4,"er":12.9,"freq":1,"z0":49.89,"er_eff":8.013,"vel":0.3533,"phase":0.00,"lpi":0.0000,"cpi":0.0000,"lt":0.0000,"ct":0.0000,"status":"ok","message":null,"box":null,"warnings":[]})";
    QTest::newRow("values as given, a negative phase") << QStringList{"analysis", "--units", "mils", "--length", "-100.50", "--freq", "1e1"} + opening << 0
        << R"({"command":"analysis","units":"mils","length":-100.5,"w":70,"h":100,"t":4,"er":12.9,"freq":10,"z0":49.89,"er_eff":8.013,"vel":0.3533,"phase":-86.70,"lpi":-0.7928,"cpi":-0.3011,"lt":-0.7497,"ct":-0.3185,"status":"ok","message":null,"box":null,"warnings":[]})";
    QTest::newRow("no length or frequency: no phase or elements") << QStringList{"analysis", "--w", "3000", "--h", "1600", "--t", "35", "--er", "4.5"} << 0
        << R"({"command":"analysis","units":"microns","length":null,"w":3000,"h":1600,"t":35,"er":4.5,"freq":null,"z0":49.70,"er_eff":3.366,"vel":0.5451,"phase":null,"lpi":null,"cpi":null,"lt":null,"ct":null,"status":"ok","message":null,"box":null,"warnings":[]})";
    QTest::newRow("stopped in the impedance box") << QStringList{"synth-pi", "--lpi", "10"} + opening << 1
        << R"({"command":"synth-pi","units":"microns","length":null,"w":null,"h":100,"t":4,"er":12.9,"freq":1,"z0":50,"er_eff":1,"vel":null,"phase":null,"lpi":10,"cpi":null,"lt":null,"ct":null,"status":"stopped","message":"Z0 too Low","box":"z0","warnings":[]})";
    QTest::newRow("stopped in the width box") << QStringList{"solve", "--z0", "140"} + opening << 1
        << R"({"command":"solve","units":"microns","length":null,"w":null,"h":100,"t":4,"er":12.9,"freq":1,"z0":140,"er_eff":null,"vel":null,"phase":0,"lpi":null,"cpi":null,"lt":null,"ct":null,"status":"stopped","message":"Too Small","box":"w","warnings":[]})";
    QTest::newRow("no width for 200 ohms, and none shown") << QStringList{"solve", "--h", "1600", "--t", "35", "--er", "4.5", "--z0", "200"} << 1
        << R"({"command":"solve","units":"microns","length":null,"w":null,"h":1600,"t":35,"er":4.5,"freq":null,"z0":200,"er_eff":null,"vel":null,"phase":null,"lpi":null,"cpi":null,"lt":null,"ct":null,"status":"stopped","message":"Too Small","box":"z0","warnings":[]})";
    QTest::newRow("width synthesis stopped: incomplete") << QStringList{"synth-t", "--units", "mils", "--er-eff", "9.354", "--z0", "139.28"} + opening << 1
        << R"({"command":"synth-t","units":"mils","length":0.00,"w":null,"h":100,"t":4,"er":12.9,"freq":1,"z0":139.28,"er_eff":9.354,"vel":null,"phase":0.00,"lpi":0.0000,"cpi":0.0000,"lt":0.0000,"ct":0,"status":"incomplete","message":"Too Small","box":"w","warnings":[]})";
    QTest::newRow("no frequency: incomplete") << QStringList{"analysis", "--freq", "0"} + opening << 1
        << R"({"command":"analysis","units":"microns","length":0,"w":70,"h":100,"t":4,"er":12.9,"freq":0,"z0":49.89,"er_eff":8.013,"vel":0.3533,"phase":0.00,"lpi":null,"cpi":null,"lt":null,"ct":null,"status":"incomplete","message":"infinity","box":"lt","warnings":[]})";
    QTest::newRow("entry check on a value given") << QStringList{"synth-t", "--ct", "2", "--z0", "200"} + opening << 1
        << R"({"command":"synth-t","units":"microns","length":null,"w":null,"h":100,"t":4,"er":12.9,"freq":1,"z0":200,"er_eff":1,"vel":null,"phase":null,"lpi":null,"cpi":null,"lt":null,"ct":2,"status":"stopped","message":"Z0 error","box":"z0","warnings":[]})";
    QTest::newRow("repairs, as warnings") << QStringList{"analysis", "--er", "0.5", "--t", "0"} + opening << 0
        << R"({"command":"analysis","units":"microns","length":0,"w":70,"h":100,"t":0,"er":0.5,"freq":1,"z0":146.81,"er_eff":1.000,"vel":1.0000,"phase":0.00,"lpi":0.0000,"cpi":0.0000,"lt":0.0000,"ct":0.0000,"status":"ok","message":null,"box":null,"warnings":["er below 1, taken as 1","T/H at or below 0.001, taken as 0.001"]})";
    // clang-format on
}

void TestCommandLine::json_rows() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, row);

    const CliRun run = run_cli(arguments + QStringList{"--format", "json"});
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, row + "\n");
}

// csv that reads back as its input: the line each row answers, the columns velmoka-cli does not
// know carried through, numbers or nothing under the keys; and the text for people.
void TestCommandLine::csv_and_text_for_people() {
    const QString input = "name,command,w,h,t,er\nline A,analysis,70,100,4,12.9\n\"B, thin\",analysis,x,100,4,12.9\n";
    const CliRun csv = run_cli({"--format", "csv", "--input", "-"}, input.toUtf8());
    QCOMPARE(csv.status, 2);
    const QStringList rows = {
        "line,name,command,units,length,w,h,t,er,freq,z0,er_eff,vel,phase,lpi,cpi,lt,ct,status,message,box,warnings",
        "2,line A,analysis,microns,,70,100,4,12.9,,49.89,8.013,0.3533,,,,,,ok,,,",
        "3,\"B, thin\",,,,,,,,,,,,,,,,,error,line 3: field w: 'x' is not a decimal number,,", ""};
    QCOMPARE(csv.out.split('\n'), rows);
    // Read back, the output runs again: its own keys are passed over, the carried column carried.
    const CliRun again = run_cli({"analysis", "--format", "csv", "--input", "-"}, rows.mid(0, 2).join('\n').toUtf8());
    QCOMPARE(again.out.split('\n').mid(0, 2), rows.mid(0, 2));

    const QStringList incomplete = {"synth-t", "--opening-window", "--units", "mils", "--er-eff", "9.354", "--z0",
                                    "139.28"};
    QVERIFY(run_cli(incomplete + QStringList{"--format", "csv"}).out.endsWith(",incomplete,Too Small,w,\n"));
    QVERIFY(run_cli(incomplete).out.endsWith("Ran to its end, incomplete: \"Too Small\" in Width.\n"));

    const QStringList text = run_cli({"analysis", "--opening-window", "--w", "1, 70"}).out.split('\n');
    QCOMPARE(text.mid(0, 3),
             QStringList({"Analysis, dimensions in microns", "  Length                          0.00  microns",
                          "  Width                      Invalid W  microns"}));
    QCOMPARE(text[15], QString("Stopped at \"Invalid W\" in Width."));
    QCOMPARE(text.mid(16, 2), QStringList({"", "Analysis, dimensions in microns"}));
    QCOMPARE(text.mid(24, 8),
             QStringList({"  Impedance                      49.89  ohms", "  Effective Dielectric           8.013",
                          "  Relative Velocity             0.3533", "  Phase Length (degrees)          0.00",
                          "  L(nH)-Pi                      0.0000", "  C(pF)-Pi                      0.0000",
                          "  L(nH)-T                       0.0000", "  C(pF)-T                       0.0000"}));
    QCOMPARE(text[32], QString("Ran to its end."));
}

// Whatever the inputs, a row is ok only where every result of its command is a number: a press
// that left a message in place of a result (the width synthesis's, " infinity", " Invalid Z0")
// says so.
void TestCommandLine::ok_rows_show_only_numbers() {
    int incomplete = 0;
    for (const velmoka::commands::Command* command : {&velmoka::commands::kAnalysis, &velmoka::commands::kSolve,
                                                      &velmoka::commands::kSynthPi, &velmoka::commands::kSynthT}) {
        const CliRun run = run_cli({QString::fromUtf8(command->word.data(), command->word.size()), "--opening-window",
                                    "--format", "json", "--freq", "0, 2", "--lpi", "0, 5", "--ct", "0, 2", "--w",
                                    "1,70,12000", "--z0", "0:160:7.5"});
        for (const QJsonObject& row : run.objects()) {
            const bool numbers_only =
                std::all_of(command->columns.begin(), command->columns.end(), [&](const auto& column) {
                    return column.result < 0 ||
                           row[QString::fromLatin1(column.key.data(), column.key.size())].isDouble();
                });
            QCOMPARE(row["status"] == "ok", numbers_only);
            incomplete += row["status"] == "incomplete" ? 1 : 0;
        }
    }
    QVERIFY(incomplete > 0);
}

// An input whose first line never ends, as /dev/zero: its row goes out as soon as the bound is
// passed, before the rest of the line is skipped, and the line is never held.
void TestCommandLine::endless_line_answers_at_the_bound() {
    struct Zeros : std::streambuf {
        std::array<char, 4096> block{};
        std::size_t handed_out = 0;
        int_type underflow() override {
            setg(block.data(), block.data(), block.data() + block.size());
            handed_out += block.size();
            return 0;
        }
    } zeros;
    struct FirstRow {};
    struct UntilFirstRow : std::streambuf {
        int_type overflow(int_type c) override {
            if (c == '\n') {
                throw FirstRow();
            }
            return c;
        }
    } rows;
    std::istream in(&zeros);
    std::ostream out(&rows);
    out.exceptions(std::ios::badbit);
    std::ostringstream err;
    const std::array<const char*, 4> argv = {"velmoka-cli", "analysis", "--input", "-"};
    bool answered = false;
    try {
        velmoka::command_line::run(static_cast<int>(argv.size()), argv.data(), in, out, err);
    } catch (const FirstRow&) {
        answered = true;
    }
    QVERIFY(answered);
    QVERIFY(zeros.handed_out < velmoka::command_line::kLongestLine + 2 * zeros.block.size());
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
