// velmoka-cli field as a script uses it: which strips it solves and which it refuses, with the
// window's words or the field solver's, what it takes from the command line and an input, and
// the numbers of its rows beside the field solver's converged reference solutions.

#include "command_line/cli_session.h"
#include "maths/microstrip_line.h"

#include <QTest>

#include <cmath>

class TestFieldCommand : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void solutions_data();
    void solutions();
    void csv_and_text_for_people();
};

// Each json row as "status|message|box|w|t", in order; a usage error writes nothing on standard
// output.
void TestFieldCommand::rows_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("complaint");  // on standard error, for a usage error
    QTest::addColumn<QStringList>("rows");

    const QStringList from_input = {"field", "--input", "-"};
    const QStringList opening = {"--opening-window"};
    // clang-format off
    QTest::newRow("the opening window's strip") << QStringList{"field"} + opening << QByteArray() << 0 << "" << QStringList{"ok|||70|4"};
    QTest::newRow("a strip left unsaid") << QStringList{"field", "--w", "70", "--h", "100", "--t", "4"} << QByteArray() << 2 << "--er: a value is required" << QStringList{};
    QTest::newRow("a sweep in order, T = 0 solved as no thickness")
        << QStringList{"field", "--w", "60:80:10", "--t", "0, 4"} + opening << QByteArray() << 0 << ""
        << QStringList{"ok|||60|0", "ok|||60|4", "ok|||70|0", "ok|||70|4", "ok|||80|0", "ok|||80|4"};
    QTest::newRow("T/H below the window's floor, as given") << QStringList{"field", "--t", "0.01"} + opening << QByteArray() << 0 << "" << QStringList{"ok|||70|0.01"};
    QTest::newRow("the solver's range, not the window's")
        << QStringList{"field", "--units", "mils", "--h", "-1, 100", "--w", "0.5,600"} + opening << QByteArray() << 1 << ""
        << QStringList{"stopped|height out of range|h|0.5|4", "stopped|height out of range|h|600|4", "stopped|width out of range|w|0.5|4", "ok|||600|4"};
    QTest::newRow("a wide strip the window would refuse") << QStringList{"field", "--units", "mils", "--w", "800", "--h", "100", "--t", "0.2", "--er", "2.94"} << QByteArray() << 0 << "" << QStringList{"ok|||800|0.2"};
    QTest::newRow("beyond the field solver")
        << QStringList{"field", "--units", "mils", "--h", "1", "--w", "150, 1", "--t", "0,-0.5,1.5"} + opening << QByteArray() << 1 << ""
        << QStringList{"stopped|width out of range|w|150|0", "stopped|width out of range|w|150|-0.5", "stopped|width out of range|w|150|1.5",
                       "ok|||1|0", "stopped|thickness out of range|t|1|-0.5", "stopped|thickness out of range|t|1|1.5"};
    QTest::newRow("permittivity below 1 is not raised") << QStringList{"field", "--er", "0.5,101"} + opening << QByteArray() << 1 << ""
        << QStringList{"stopped|permittivity out of range|er|70|4", "stopped|permittivity out of range|er|70|4"};
    QTest::newRow("an input of rows, units and defaults")
        << from_input + QStringList{"--t", "0", "--er", "12.9"} << QByteArray("units,w,h\nmil,10,8\n,70,x\n,0.5,100\n") << 2 << ""
        << QStringList{"ok|||10|0", "error|line 3: field h: 'x' is not a decimal number||0|0", "stopped|width out of range|w|0.5|0"};
    QTest::newRow("an input naming a key the field writes") << from_input + opening << QByteArray("w,z0\n70,50\n") << 0 << ""
        << QStringList{"ok|||70|4"};
    QTest::newRow("an input naming a command") << from_input + opening << QByteArray("command,w\nfield,70\n") << 2 << ""
        << QStringList{"error|line 2: field 'command' of the header: velmoka-cli field takes no command column||0|0"};

    QTest::newRow("an input that names field as its rows' command")
        << QStringList{"--input", "-"} << QByteArray("command,w\nfield,70\n") << 2 << ""
        << QStringList{"error|line 2: field command: 'field' is not analysis, solve, synth-pi or synth-t||0|0"};
    QTest::newRow("a box the field does not read") << QStringList{"field", "--freq", "2"} << QByteArray() << 2 << "--freq" << QStringList{};
    QTest::newRow("a junk number") << QStringList{"field", "--t", "35um"} << QByteArray() << 2 << "--t: '35um' is not a decimal number" << QStringList{};
    QTest::newRow("a sweep with an input") << from_input + QStringList{"--er", "2.2,4.5"} << QByteArray("w\n70\n") << 2 << "--er: a sweep" << QStringList{};
    // clang-format on
}

void TestFieldCommand::rows() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, complaint);
    QFETCH(QStringList, rows);

    const CliRun run = run_cli(arguments + QStringList{"--format", "json"}, input);
    QCOMPARE(run.status, status);
    if (!complaint.isEmpty()) {
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    }
    QStringList shown;
    const QStringList endings = run.endings();
    const QList<QJsonObject> objects = run.objects();
    for (qsizetype i = 0; i < objects.size(); ++i) {
        shown << endings[i] + "|" + QString::number(objects[i]["w"].toDouble()) + "|" +
                     QString::number(objects[i]["t"].toDouble());
    }
    QCOMPARE(shown, rows);
}

// Strips of the reference table (tests/field_solver/field_solutions.csv), each 10 mils wide: the
// field solution within 0.02 % of the reference (both are within 0.01 % of the exact answer), its
// own accuracy within 0.01 %, the line model at full precision and its relative difference from
// the solution.
void TestFieldCommand::solutions_data() {
    QTest::addColumn<double>("u");  // W/H
    QTest::addColumn<double>("t");  // T/H
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("e_eff");

    QTest::newRow("narrow, no thickness, alumina") << 0.1 << 0.0 << 10.0 << 106.902 << 6.0415;
    QTest::newRow("50 ohms, thick, alumina") << 1.0 << 0.1 << 9.8 << 47.4141 << 6.2654;
    QTest::newRow("wide, thick, PTFE") << 10.0 << 0.1 << 2.2 << 20.2511 << 2.00849;
}

void TestFieldCommand::solutions() {
    QFETCH(double, u);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, z0);
    QFETCH(double, e_eff);

    constexpr double kWidth = 10.0;  // mils
    const double h = kWidth / u;
    const CliRun run = run_cli({"field", "--units", "mils", "--w", QString::number(kWidth), "--h", QString::number(h),
                                "--t", QString::number(t * h), "--er", QString::number(er), "--format", "json"});
    QCOMPARE(run.status, 0);
    const QJsonObject row = run.objects().value(0);
    QVERIFY(std::abs(row["z0"].toDouble() / z0 - 1.0) < 2e-4);
    QVERIFY(std::abs(row["er_eff"].toDouble() / e_eff - 1.0) < 2e-4);
    QVERIFY(row["z0_accuracy"].toDouble() <= 1e-4 && row["er_eff_accuracy"].toDouble() <= 1e-4);
    const velmoka::LineProperties model = velmoka::microstrip_line(u, t, er);
    QVERIFY(std::abs(row["model_z0"].toDouble() / model.z0 - 1.0) < 1e-14);
    QVERIFY(std::abs(row["model_er_eff"].toDouble() / model.e_eff - 1.0) < 1e-14);
    QCOMPARE(row["z0_difference"].toDouble() + 1.0, row["model_z0"].toDouble() / row["z0"].toDouble());
    QCOMPARE(row["er_eff_difference"].toDouble() + 1.0, row["model_er_eff"].toDouble() / row["er_eff"].toDouble());
}

void TestFieldCommand::csv_and_text_for_people() {
    const CliRun csv = run_cli({"field", "--opening-window", "--format", "csv", "--input", "-"}, "h\n0\n");
    QCOMPARE(csv.out, QString("line,command,units,w,h,t,er,z0,er_eff,z0_accuracy,er_eff_accuracy,model_z0,model_er_eff,"
                              "z0_difference,er_eff_difference,status,message,box,warnings\n"
                              "2,field,microns,70,0,4,12.9,,,,,,,,,stopped,height out of range,h,\n"));

    const QStringList text =
        run_cli({"field", "--opening-window", "--units", "mils", "--er", "0.5, 12.9"}).out.split('\n');
    QCOMPARE(text.mid(0, 7),
             QStringList({"Field solution, dimensions in mils", "  Width                             70  mils",
                          "  Dielectric Thickness             100  mils",
                          "  Conductor Thickness                4  mils", "  Dielectric Constant              0.5",
                          "Stopped at \"permittivity out of range\" in Dielectric Constant.", ""}));
    QCOMPARE(text[12], QString("                                 Field    Accuracy  Line model  Difference"));
    // The opening line's field solution, where the line model shows 49.89 ohms, agrees with it to
    // within the model's 0.5 % on such a strip.
    QVERIFY(text[13].startsWith("  Impedance (ohms)"));
    QVERIFY(std::abs(text[13].split(' ', Qt::SkipEmptyParts).value(2).toDouble() / 49.89 - 1.0) < 5e-3);
    QCOMPARE(text[15], QString("Ran to its end."));
}

QTEST_APPLESS_MAIN(TestFieldCommand)
#include "test_field_command.moc"
