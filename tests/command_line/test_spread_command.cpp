// velmoka-cli spread as a script uses it: what it refuses, the figures it writes in each
// format, its samples and its picture.

#include "command_line/cli_session.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

class TestSpreadCommand : public QObject {
    Q_OBJECT

private slots:
    void bad_input_data();
    void bad_input();
    void figures_for_a_script_and_for_people();
    void samples_and_picture();
    void a_pair_s_budget();
    void the_readme_s_examples_data();
    void the_readme_s_examples();
};

namespace {

// A 50 ohm line on 1.6 mm of FR-4, its conductor and substrate given where a test needs them
// (the opening window's before).
const QStringList kStrip = {"spread", "--opening-window", "--units", "mils", "--w", "114", "--h", "62.99"};
const QStringList kFr4 = kStrip + QStringList{"--t", "1.38", "--er", "4.5"};

}  // namespace

// Each refusal is a usage error: nothing on standard output, exit status 2, the option named.
void TestSpreadCommand::bad_input_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("complaint");
    // clang-format off
    QTest::newRow("negative tolerance") << QStringList{"--tol-w", "-1"} << "--tol-w: '-1' is negative";
    QTest::newRow("100 % on H") << QStringList{"--tol-h", "100%"} << "--tol-h: '100%' is 100 % or more";
    QTest::newRow("W's whole width") << QStringList{"--tol-w", "114"} << "--tol-w: '114' is 100 % or more";
    QTest::newRow("no number") << QStringList{"--tol-er", "5 %"} << "--tol-er: '5 %' is not a number";
    QTest::newRow("not finite") << QStringList{"--tol-t", "nan"} << "--tol-t: 'nan'";
    QTest::newRow("infinite thickness") << QStringList{"--t", "inf"} << "--t: 'inf' is not a decimal number";
    QTest::newRow("band without target") << QStringList{"--band", "10%"} << "--band: needs a target";
    QTest::newRow("target without band") << QStringList{"--target", "50"} << "--target: needs a band";
    QTest::newRow("centring without target") << QStringList{"--centre"} << "--centre: needs a target";
    QTest::newRow("no samples") << QStringList{"--samples", "0"} << "--samples";
    QTest::newRow("too many samples") << QStringList{"--samples", "100000001"} << "--samples";
    QTest::newRow("a frequency without a length") << QStringList{"--freq", "abc"} << "--freq: 'abc' is not a decimal number";
    QTest::newRow("a box spread does not read") << QStringList{"--z0", "50"} << "--z0";
    QTest::newRow("a sweep") << QStringList{"--t", "1:2:1"} << "--t: spread takes one value";
    QTest::newRow("an input file") << QStringList{"--input", "-"} << "--input";
    QTest::newRow("a plot it cannot write") << QStringList{"--plot", "/nonexistent/z0.svg"} << "--plot: cannot write";
    QTest::newRow("a line the model has not") << QStringList{"--er", "0.5"} << "--er: '0.5' must be 1 or above";
    QTest::newRow("a gap of nothing") << QStringList{"--s", "0"} << "--s: '0' must be above 0";
    QTest::newRow("a gap's tolerance and no gap") << QStringList{"--tol-s", "10%"} << "--tol-s: needs a gap";
    QTest::newRow("the whole gap") << QStringList{"--s", "10", "--tol-s", "100%"} << "--tol-s: '100%' is 100 %";
    QTest::newRow("a pair the closed form has not") << QStringList{"--s", "1e-7"} << "--s: '1e-7' makes a pair";
    // clang-format on
}

void TestSpreadCommand::bad_input() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, complaint);
    const CliRun run = run_cli(kStrip + arguments);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(complaint), qPrintable(run.err));
    // No other command takes spread's options, and spread takes no line it is not given.
    QVERIFY(run_cli({"analysis", "--tol-w", "10%"}).err.contains("--tol-w"));
    QVERIFY(run_cli({"spread", "--w", "114", "--h", "62.99"}).err.contains("--t: a value is required"));
}

void TestSpreadCommand::figures_for_a_script_and_for_people() {
    const QStringList budget =
        kFr4 + QStringList{"--tol-w", "10%",    "--tol-h", "10%",    "--tol-er", "5%",        "--target",
                           "50",      "--band", "10%",     "--seed", "7",        "--samples", "20000"};
    const CliRun json = run_cli(budget + QStringList{"--format", "json"});
    QCOMPARE(json.status, 0);
    const QJsonObject figures = json.objects().front();
    QCOMPARE(figures["seed"].toInteger(), 7);
    QCOMPARE(figures["sensitivities"].toArray().size(), 3);
    QVERIFY(figures["monte_carlo"]["yield"]["inside"]["share"].toDouble() > 0.9);
    QCOMPARE(run_cli(budget + QStringList{"--format", "json"}).out, json.out);  // the seed repeats the run

    const QStringList text = run_cli(budget).out.split('\n', Qt::SkipEmptyParts);
    QVERIFY(text.front().startsWith("Tolerance budget, dimensions in mils"));
    QVERIFY(text.back().startsWith("Quasi-static line model: no dispersion, no loss"));
    // A run given no seed chooses one and says which.
    QVERIFY(run_cli(kFr4).out.contains(", seed "));
}

// The samples as CSV, the picture as SVG an XML reader takes whole.
void TestSpreadCommand::samples_and_picture() {
    QTemporaryDir folder;
    const QString samples = folder.filePath("samples.csv");
    const QString picture = folder.filePath("z0.svg");
    const CliRun run =
        run_cli(kFr4 + QStringList{"--tol-w", "0.5", "--samples", "1000", "--seed", "3", "--target", "50", "--band",
                                   "2", "--samples-out", samples, "--plot", picture, "--format", "csv"});
    QCOMPARE(run.status, 0);
    QFile written(samples);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()), run.out);
    const QStringList rows = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 1001);
    QCOMPARE(rows.front(), QString("sample,w,h,t,er,z0"));
    QCOMPARE(rows[1].section(',', 2), QString("62.99,1.38,4.5,") + rows[1].section(',', 5));

    QFile svg(picture);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&svg);
    QVERIFY(reader.readNextStartElement());
    QCOMPARE(reader.name(), QString("svg"));
    const double width = reader.attributes().value("width").toDouble();
    while (!reader.atEnd()) {
        // The one input toleranced takes the whole variance: its share, "100.0 %" (at most 7
        // characters of 13 px type, 8 px a character), still fits the picture.
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QString("text")) {
            const double x = reader.attributes().value("x").toDouble();
            if (reader.readElementText().endsWith(" %")) {
                QVERIFY(x + 7 * 8 <= width);
            }
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
}

// A pair's budget is of its differential impedance: the closed form's and the field solution's at
// the nominal are those velmoka-cli pair gives for the same pair; its samples carry their gaps and
// its picture says what it spreads.
void TestSpreadCommand::a_pair_s_budget() {
    const QStringList dimensions = {"--units", "microns", "--w", "137", "--s",  "150",
                                    "--h",     "100",     "--t", "35",  "--er", "4"};
    const QStringList budget = QStringList{"spread"} + dimensions +
                               QStringList{"--tol-w", "10%", "--tol-s", "10%", "--samples", "1000", "--seed", "5"};
    const QJsonObject figures = run_cli(budget + QStringList{"--format", "json"}).objects().front();
    const QJsonObject pair =
        run_cli(QStringList{"pair"} + dimensions + QStringList{"--format", "json"}).objects().front();
    QCOMPARE(figures["quantity"].toString(), QString("z_diff"));
    const QJsonObject nominal = figures["nominal"].toObject();
    QCOMPARE(nominal["field_z_diff"].toDouble(), pair["z_diff"].toDouble());
    QCOMPARE(nominal["z_diff"].toDouble(), pair["model_z_diff"].toDouble());
    QCOMPARE(nominal["z_even"].toDouble(), pair["model_z_even"].toDouble());
    QCOMPARE(figures["corrected"]["factor"].toDouble(), pair["z_diff"].toDouble() / pair["model_z_diff"].toDouble());

    QTemporaryDir folder;
    const QString picture = folder.filePath("z_diff.svg");
    const CliRun samples = run_cli(budget + QStringList{"--format", "csv", "--plot", picture});
    QCOMPARE(samples.out.section('\n', 0, 0), QString("sample,w,h,t,er,s,z_diff"));
    QFile svg(picture);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(
        QString::fromUtf8(svg.readAll()).contains(">Spread of the differential impedance z_diff over 1000 boards<"));
}

// The README's worked examples, each made to a ±10 % impedance order, are what velmoka-cli writes,
// text and picture: a line's as it has been since the budget began, and a pair's.
void TestSpreadCommand::the_readme_s_examples_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("example");
    const QStringList order = {"--tol-h", "10%",      "--tol-t", "10%",  "--tol-er", "10%",    "--band",
                               "10%",     "--centre", "--seed",  "2026", "--units",  "microns"};
    QTest::newRow("a 50 ohm line on 1.6 mm FR-4")
        << QStringList{"--w", "2700", "--h", "1600", "--t", "35", "--er", "4.5", "--tol-w", "10%", "--target", "50"} +
               order
        << "spread_example";
    QTest::newRow("a 100 ohm pair on 0.1 mm prepreg")
        << QStringList{"--w",  "145", "--s",     "150", "--h",     "100", "--t",      "35",
                       "--er", "4",   "--tol-w", "10%", "--tol-s", "10%", "--target", "100"} +
               order
        << "pair_spread_example";
}

void TestSpreadCommand::the_readme_s_examples() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, example);
    QTemporaryDir folder;
    const QString picture = folder.filePath("example.svg");
    const CliRun run = run_cli(QStringList{"spread"} + arguments + QStringList{"--plot", picture});
    const auto written = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QString docs = QStringLiteral(VELMOKA_DOCS "/") + example;
    QCOMPARE(run.out, written(docs + ".txt"));
    QCOMPARE(written(picture), written(docs + ".svg"));
}

QTEST_APPLESS_MAIN(TestSpreadCommand)
#include "test_spread_command.moc"
