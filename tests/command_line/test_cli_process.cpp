// velmoka-cli as a process fed by another: a producer that writes a line now and then sees each
// row answered as its line comes, not when a batch of thousands has filled or the input ends.

#include <QProcess>
#include <QTest>

class TestCliProcess : public QObject {
    Q_OBJECT

private slots:
    void slow_pipe_sees_each_row();
};

void TestCliProcess::slow_pipe_sees_each_row() {
    QProcess cli;
    cli.start(VELMOKA_CLI, {"analysis", "--opening-window", "--input", "-", "--format", "csv"});
    QVERIFY(cli.waitForStarted());
    cli.write("w\n70\n");
    QString answered;
    for (const char* width : {"70", "50"}) {
        while (!answered.contains("ok") && cli.waitForReadyRead(10000)) {
            answered += QString::fromUtf8(cli.readAllStandardOutput());
        }
        QVERIFY2(answered.split('\n').last().isEmpty() && answered.contains("," + QString(width) + ","),
                 qPrintable(answered));
        answered.clear();
        cli.write("50\n");  // the next line, while the input stays open
    }
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished());
    QCOMPARE(cli.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestCliProcess)
#include "test_cli_process.moc"
