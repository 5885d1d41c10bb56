// velmoka-cli pair as a script uses it: the field solution beside the closed form, the width or
// the gap for a differential impedance, what it refuses and where the solver stops.

#include "command_line/cli_session.h"

#include <QTest>

#include <cmath>

class TestPairCommand : public QObject {
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void the_missing_dimension_for_a_differential_impedance_data();
    void the_missing_dimension_for_a_differential_impedance();
    void text_for_people();
};

namespace {

// A pair on 0.1 mm of prepreg with 35 µm of copper.
const QStringList kPrepreg = {"pair", "--units", "mm", "--h", "0.1", "--t", "0.035", "--er", "4.3", "--format", "json"};

}  // namespace

// "status|message|box" of each json row, or a usage error's complaint.
void TestPairCommand::rows_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("complaint");
    QTest::addColumn<QStringList>("rows");
    // clang-format off
    QTest::newRow("a pair") << kPrepreg + QStringList{"--w", "0.1", "--s", "0.1"} << 0 << "" << QStringList{"ok||"};
    QTest::newRow("wider than the field solver") << kPrepreg + QStringList{"--w", "2.5", "--s", "0.1"} << 1 << ""
        << QStringList{"stopped|width out of range|w"};
    QTest::newRow("a gap of nothing") << kPrepreg + QStringList{"--w", "0.1", "--s", "0"} << 2 << "--s: '0' must be above 0" << QStringList{};
    QTest::newRow("copper below nothing") << kPrepreg + QStringList{"--w", "0.1", "--s", "0.1", "--t", "-1"} << 2 << "--t" << QStringList{};
    QTest::newRow("no gap") << kPrepreg + QStringList{"--w", "0.1"} << 2 << "--s: the width or the gap" << QStringList{};
    QTest::newRow("both, and a target") << kPrepreg + QStringList{"--w", "0.1", "--s", "0.1", "--z-diff", "100"} << 2 << "--w: the width or the gap" << QStringList{};
    QTest::newRow("a target out of reach")
        << kPrepreg + QStringList{"--s", "0.1", "--z-diff", "400"} << 1 << ""
        << QStringList{"stopped|out of reach: above the pair's at the narrowest width, W/H 0.05|w"};
    // clang-format on
}

void TestPairCommand::rows() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, complaint);
    QFETCH(QStringList, rows);
    const CliRun run = run_cli(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    QCOMPARE(run.endings(), rows);
}

// The dimension left out is found on the field solution (or the closed form) to within 0.05 ohm
// of the target, and the field solution and the closed form are both given there.
void TestPairCommand::the_missing_dimension_for_a_differential_impedance_data() {
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QString>("solver");
    QTest::addColumn<QString>("found");
    QTest::newRow("the width of 100 ohms on the field") << QStringList{"--s", "0.1"} << "field"
                                                        << "w";
    QTest::newRow("the gap of 90 ohms on the field") << QStringList{"--w", "0.12"} << "field"
                                                     << "s";
    QTest::newRow("the width of 100 ohms on the closed form") << QStringList{"--s", "0.1"} << "formula"
                                                              << "w";
}

void TestPairCommand::the_missing_dimension_for_a_differential_impedance() {
    QFETCH(QStringList, given);
    QFETCH(QString, solver);
    QFETCH(QString, found);
    const double target = found == "w" ? 100.0 : 90.0;
    const QJsonObject row =
        run_cli(kPrepreg + given + QStringList{"--z-diff", QString::number(target), "--solver", solver})
            .objects()
            .value(0);
    QCOMPARE(row["status"].toString(), QString("ok"));
    QVERIFY(row[found].toDouble() > 0.0);
    const QString achieved = solver == "field" ? "z_diff" : "model_z_diff";
    QVERIFY(std::abs(row[achieved].toDouble() - target) <= 0.05);
    QVERIFY(row["z_diff_difference"].isDouble());
}

void TestPairCommand::text_for_people() {
    const QStringList text =
        run_cli(kPrepreg.mid(0, kPrepreg.size() - 2) + QStringList{"--w", "0.1", "--s", "0.1"}).out.split('\n');
    QCOMPARE(text[0], QString("Edge-coupled pair, dimensions in mm"));
    QVERIFY(text[7].contains("Field") && text[7].contains("Closed form") && text[7].contains("Difference"));
    QVERIFY(text[12].startsWith("  Differential (ohms)"));
    QCOMPARE(text[13], QString("Ran to its end."));
}

QTEST_APPLESS_MAIN(TestPairCommand)
#include "test_pair_command.moc"
