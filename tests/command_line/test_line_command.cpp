// velmoka-cli line as a script uses it: what it refuses, the rows it answers and says where a
// formula leaves its range, the width for an impedance, the static line at 0 GHz, the units.

#include "command_line/cli_session.h"

#include <QTest>

#include <cmath>

class TestLineCommand : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void rows_data();
    void rows();
    void direct_current_is_the_strip_resistance();
    void width_for_an_impedance_gives_it_back();
    void units_change_no_answer();
};

namespace {

// The reference line of the accuracy page: 3 mm on 1.55 mm of FR-4, 35 µm of copper.
const QStringList kLine = {"line",  "--units", "mm",    "--w",    "3",      "--h",      "1.55", "--t",
                           "0.035", "--er",    "4.413", "--tand", "0.0182", "--format", "json"};

}  // namespace

// Each a usage error: nothing on standard output, exit status 2, the option named.
void TestLineCommand::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("complaint");
    const QStringList strip = {"line", "--units", "mm", "--w", "3", "--h", "1.55", "--t", "0.035", "--freq", "1"};
    // clang-format off
    QTest::newRow("negative frequency") << kLine + QStringList{"--freq", "-1"} << "--freq: '-1' must be 0 or above";
    QTest::newRow("frequency no number") << kLine + QStringList{"--freq", "inf"} << "--freq: 'inf' is not a decimal number";
    QTest::newRow("negative loss tangent") << strip + QStringList{"--er", "4", "--tand", "-0.01"} << "--tand: '-0.01' must be 0 or above";
    QTest::newRow("no conductivity") << kLine + QStringList{"--freq", "1", "--sigma", "0"} << "--sigma: '0' must be above 0";
    QTest::newRow("negative roughness") << kLine + QStringList{"--freq", "1", "--roughness", "-1"} << "--roughness: '-1' must be 0 or above";
    QTest::newRow("an unknown substrate, the known ones listed") << strip + QStringList{"--substrate", "fr5"} << "not in {fr4,ro4350b";
    QTest::newRow("no permittivity") << strip + QStringList{"--tand", "0.01"} << "--er: er or a substrate is required";
    QTest::newRow("a width and an impedance") << kLine + QStringList{"--freq", "1", "--z0", "50"} << "--w: w or z0, and not both";
    QTest::newRow("huray without its nodules") << kLine + QStringList{"--freq", "1", "--roughness-model", "huray"} << "huray needs nodule_radius";
    QTest::newRow("no dielectric has it") << strip + QStringList{"--er", "1.05", "--tand", "0.5"} << "--tand: the wideband model puts the permittivity at high frequencies below 1";
    QTest::newRow("a Touchstone file without a length") << kLine + QStringList{"--freq", "1, 2", "--s2p", "/tmp/x.s2p"} << "--s2p: needs --length";
    QTest::newRow("a Touchstone file of many widths") << kLine.mid(0, 3) + QStringList{"--w", "2, 3", "--h", "1.55", "--t", "0", "--er", "4", "--tand", "0", "--freq", "1", "--length", "1", "--s2p", "/tmp/x.s2p"} << "--s2p: one section over a sweep of --freq alone";
    // clang-format on
}

void TestLineCommand::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    const CliRun run = run_cli(arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
}

// "status|message|box|warnings" of each json row.
void TestLineCommand::rows_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("rows");
    const QString thin = "T under three skin depths, below which Hammerstad and Jensen's conductor loss is not taken";
    // clang-format off
    QTest::newRow("within every range") << kLine + QStringList{"--freq", "1, 10"} << QStringList{"ok|||", "ok|||"};
    QTest::newRow("thin copper at a low frequency") << kLine + QStringList{"--freq", "0.001"} << QStringList{"ok|||" + thin};
    QTest::newRow("the substrate tall beside the wavelength")
        << kLine + QStringList{"--freq", "25"} << QStringList{"ok|||H above 0.1 free-space wavelengths, the range of Jansen and Kirschning's Z0(f)"};
    QTest::newRow("a strip the model does not reach")
        << QStringList{"line", "--units", "mm", "--w", "0.01", "--h", "1.55", "--t", "0.035", "--substrate", "fr4", "--freq", "1", "--format", "json"}
        << QStringList{"stopped|W/H below 0.01, where the line model is not taken|w|"};
    QTest::newRow("an impedance out of reach")
        << QStringList{"line", "--units", "mm", "--z0", "500", "--h", "1.55", "--t", "0.035", "--substrate", "fr4", "--freq", "1", "--format", "json"}
        << QStringList{"stopped|out of reach: above Z0 of the narrowest strip, W/H 0.01|w|"};
    // clang-format on
}

void TestLineCommand::rows() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, rows);
    QStringList shown;
    for (const QJsonObject& row : run_cli(arguments).objects()) {
        QStringList warnings;
        for (const QJsonValue warning : row["warnings"].toArray()) {
            warnings << warning.toString();
        }
        shown << row["status"].toString() + "|" + row["message"].toString() + "|" + row["box"].toString() + "|" +
                     warnings.join("; ");
    }
    QCOMPARE(shown, rows);
}

// At 0 GHz the static line with its DC resistance, 1/(σ·W·T); a section of it is that series
// resistance between the ports.
void TestLineCommand::direct_current_is_the_strip_resistance() {
    const QJsonObject row = run_cli(kLine + QStringList{"--freq", "0", "--length", "1000"}).objects().value(0);
    constexpr double kCopper = 5.8e7;
    const double resistance = 1.0 / (kCopper * 3e-3 * 35e-6);  // ohms a metre
    QVERIFY(std::abs(row["r"].toDouble() / resistance - 1.0) < 1e-12);
    QCOMPARE(row["alpha_d"].toDouble(), 0.0);
    QVERIFY(row["wavelength"].isNull());     // infinite at 0 Hz
    const double series = resistance * 1.0;  // a metre of it
    QVERIFY(std::abs(row["s21_db"].toDouble() - 20.0 * std::log10(100.0 / (series + 100.0))) < 1e-9);
}

// The width found for an impedance at a frequency, given back as the width, answers that impedance.
void TestLineCommand::width_for_an_impedance_gives_it_back() {
    const QStringList substrate = {"line",        "--units", "mils",   "--h", "8",        "--t", "1.4",
                                   "--substrate", "ro4350b", "--freq", "28",  "--format", "json"};
    const QJsonObject found = run_cli(substrate + QStringList{"--z0", "50"}).objects().value(0);
    QCOMPARE(found["status"].toString(), QString("ok"));
    const QString width = QString::number(found["w"].toDouble(), 'g', 17);
    const QJsonObject line = run_cli(substrate + QStringList{"--w", width}).objects().value(0);
    QVERIFY(std::abs(line["z0"].toDouble() / 50.0 - 1.0) < 1e-9);
}

void TestLineCommand::units_change_no_answer() {
    const auto z0 = [](const QString& units, const QString& w, const QString& h, const QString& t) {
        return run_cli({"line", "--units", units, "--w", w, "--h", h, "--t", t, "--substrate", "rt5880", "--freq", "10",
                        "--format", "json"})
            .objects()
            .value(0)["z0"]
            .toDouble();
    };
    const double in_mm = z0("mm", "0.254", "0.127", "0.0254");
    QVERIFY(std::abs(z0("mils", "10", "5", "1") / in_mm - 1.0) < 1e-12);
    QVERIFY(std::abs(z0("inches", "0.01", "0.005", "0.001") / in_mm - 1.0) < 1e-12);
    QVERIFY(std::abs(z0("um", "254", "127", "25.4") / in_mm - 1.0) < 1e-12);
}

QTEST_APPLESS_MAIN(TestLineCommand)
#include "test_line_command.moc"
