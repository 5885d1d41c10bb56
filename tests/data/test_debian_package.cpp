// The Debian package that `cpack` builds: read back with dpkg-deb, it must hold exactly the
// installed files under /usr and declare what the program needs to start on a bare system,
// and lintian must find no error and no warning in it.

#include "data/installed_files.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// Runs a command; its standard output, or an empty string with a warning on failure.
QString output_of(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s %s failed:\n%s%s", qPrintable(program), qPrintable(arguments.join(' ')),
                 process.readAllStandardOutput().constData(), process.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestDebianPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void control_fields_name_the_program();
    void holds_exactly_the_installed_files();
    void programs_are_executable_by_everyone();
    void depends_on_what_the_program_loads_data();
    void depends_on_what_the_program_loads();
    void lintian_finds_no_error_or_warning();

private:
    QString field(const QString& name) const { return output_of("dpkg-deb", {"--field", package, name}).trimmed(); }

    QTemporaryDir workspace;
    QString package;
    // dpkg-deb --contents: one line per entry, path last.
    QStringList contents;
};

void TestDebianPackage::initTestCase() {
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps", "file"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            QSKIP(qPrintable(QString("%1 is not installed (Debian packages dpkg, dpkg-dev and file)").arg(tool)));
        }
    }
    QVERIFY(workspace.isValid());
    QVERIFY(!output_of(CPACK_COMMAND, {"--config", VELMOKA_BUILD_DIR "/CPackConfig.cmake", "-B", workspace.path()})
                 .isEmpty());
    const QStringList built = QDir(workspace.path()).entryList({"velmoka_*.deb"}, QDir::Files);
    QCOMPARE(built.size(), 1);
    package = workspace.filePath(built.first());
    contents = output_of("dpkg-deb", {"--contents", package}).split('\n', Qt::SkipEmptyParts);
    QVERIFY(!contents.isEmpty());
}

void TestDebianPackage::control_fields_name_the_program() {
    QCOMPARE(field("Package"), QString("velmoka"));
    QCOMPARE(field("Version"), QString(VELMOKA_VERSION));
    QCOMPARE(field("Architecture"), output_of("dpkg", {"--print-architecture"}).trimmed());
    QVERIFY(!field("Description").isEmpty());
    QCOMPARE(field("Maintainer"), QString(VELMOKA_MAINTAINER));
}

void TestDebianPackage::holds_exactly_the_installed_files() {
    QStringList files;
    for (const QString& line : contents) {
        if (line.startsWith('-')) {
            files << line.section(' ', -1);
        }
    }
    QStringList expected;
    for (const QString& file : kInstalledFiles) {
        expected << "./usr/" + file;
    }
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);
}

void TestDebianPackage::programs_are_executable_by_everyone() {
    for (const QString& program : kPrograms) {
        const auto entry = std::find_if(contents.cbegin(), contents.cend(), [&](const QString& line) {
            return line.section(' ', -1) == "./usr/" + program;
        });
        QVERIFY2(entry != contents.cend(), qPrintable(program + " is not in the package"));
        QCOMPARE(entry->section(' ', 0, 0), QString("-rwxr-xr-x"));
        QCOMPARE(entry->section(' ', 1, 1, QString::SectionSkipEmpty), QString("root/root"));
    }
}

void TestDebianPackage::depends_on_what_the_program_loads_data() {
    QTest::addColumn<QString>("dependency");
    QTest::newRow("Qt widgets library") << "libqt6widgets6";
    QTest::newRow("Qt GUI library") << "libqt6gui6";
    QTest::newRow("Qt core library") << "libqt6core6";
    QTest::newRow("C++ runtime") << "libstdc++6";
    QTest::newRow("platform plugins, to open a window") << "qt6-qpa-plugins";
    QTest::newRow("stand-in for Arial") << "fonts-liberation";
    QTest::newRow("script face of the About window") << "fonts-kaushanscript";
    QTest::newRow("the Python of the module") << "python3";
    QTest::newRow("the arrays of the module") << "python3-numpy";
}

void TestDebianPackage::depends_on_what_the_program_loads() {
    QFETCH(QString, dependency);
    QStringList names;
    for (const QString& entry : field("Depends").split(',')) {
        names << entry.trimmed().section(' ', 0, 0);
    }
    QVERIFY2(names.contains(dependency), qPrintable(field("Depends")));
}

void TestDebianPackage::lintian_finds_no_error_or_warning() {
    const QString lintian = QStandardPaths::findExecutable("lintian");
    if (lintian.isEmpty()) {
        QSKIP("lintian is not installed (Debian package lintian)");
    }
    // With --fail-on none the exit status only says that lintian ran; its findings are its
    // lines, each tagged with its level.
    QProcess process;
    process.start(lintian, {"--fail-on", "none", package});
    QVERIFY(process.waitForFinished(600000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QStringList findings;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("E: ") || line.startsWith("W: ")) {
            findings << line;
        }
    }
    QVERIFY2(findings.isEmpty(), qPrintable(findings.join('\n')));
}

QTEST_GUILESS_MAIN(TestDebianPackage)
#include "test_debian_package.moc"
