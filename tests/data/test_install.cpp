// `cmake --install` into a fresh prefix: the programs, their manual pages, the menu entry, the
// icons, the AppStream description and the Python module, each checked for what a desktop or a
// Python user does with it.

#include "data/installed_files.h"
#include "window/velmoka_icon.xpm"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a command and returns its exit code, with its output shown on failure.
int run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        qWarning("%s did not finish", qPrintable(program));
        return -1;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s %s:\n%s", qPrintable(program), qPrintable(arguments.join(' ')), process.readAll().constData());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    return 0;
}

// The keys of a desktop entry's [Desktop Entry] group.
QMap<QString, QString> desktop_entry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    bool in_group = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith('[')) {
            in_group = line == "[Desktop Entry]";
        } else if (in_group && line.contains('=')) {
            keys.insert(line.section('=', 0, 0), line.section('=', 1));
        }
    }
    return keys;
}

QImage window_icon_at(int size) {
    return QImage(velmoka_icon_xpm).convertToFormat(QImage::Format_ARGB32).scaled(size, size);
}

QImage rendered_svg(const QString& path, int size) {
    QSvgRenderer renderer(path);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

}  // namespace

class TestInstall : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void every_file_is_installed_data();
    void every_file_is_installed();
    void menu_entry_starts_the_installed_program();
    void menu_entry_passes_its_validator();
    void python_module_imports_from_the_prefix();
    void icons_show_the_window_icon_data();
    void icons_show_the_window_icon();
    void appstream_accepts_the_description_data();
    void appstream_accepts_the_description();
    void manual_page_renders_without_warnings_data();
    void manual_page_renders_without_warnings();

private:
    QString installed(const QString& relative) const { return prefix.filePath(relative); }

    QTemporaryDir prefix;
};

void TestInstall::initTestCase() {
    QVERIFY(prefix.isValid());
    QCOMPARE(run(CMAKE_COMMAND, {"--install", VELMOKA_BUILD_DIR, "--prefix", prefix.path()}), 0);
}

void TestInstall::every_file_is_installed_data() {
    QTest::addColumn<QString>("file");
    for (const QString& file : kInstalledFiles) {
        QTest::newRow(qPrintable(file)) << file;
    }
}

void TestInstall::every_file_is_installed() {
    QFETCH(QString, file);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), kPrograms.contains(file));
}

void TestInstall::menu_entry_starts_the_installed_program() {
    const QMap<QString, QString> entry = desktop_entry(installed(kDesktopEntry));
    QCOMPARE(entry.value("Type"), QString("Application"));
    QVERIFY(!entry.value("Name").isEmpty());
    QVERIFY(!entry.value("Comment").isEmpty());
    // Exec names the installed program, found on the PATH of the prefix's bin folder.
    const QString program = entry.value("Exec").section(' ', 0, 0);
    QCOMPARE(QStandardPaths::findExecutable(program, {prefix.filePath("bin")}),
             QFileInfo(installed(kExecutable)).absoluteFilePath());
    // Icon names the installed icons by their theme name.
    QCOMPARE(entry.value("Icon"), QFileInfo(installed(kIcon32)).completeBaseName());
    QCOMPARE(entry.value("Icon"), QFileInfo(installed(kIconScalable)).completeBaseName());
    const QStringList categories = entry.value("Categories").split(';', Qt::SkipEmptyParts);
    QVERIFY(categories.contains("Engineering"));
    QVERIFY(categories.contains("Electronics"));
}

void TestInstall::menu_entry_passes_its_validator() {
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) {
        QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
    }
    QCOMPARE(run(validator, {installed(kDesktopEntry)}), 0);
}

// Debian's python3 imports the module where it is installed, its stub beside it, and a press
// over an array answers.
void TestInstall::python_module_imports_from_the_prefix() {
    QProcess python;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PYTHONPATH", installed(kPythonDirectory));
    if (!QString(PYTHON_PRELOAD).isEmpty()) {  // a sanitized build's module
        environment.insert("LD_PRELOAD", PYTHON_PRELOAD);
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    }
    python.setProcessEnvironment(environment);
    python.start(PYTHON_EXECUTABLE, {"-c",
                                     "import velmoka; print(velmoka.__file__); print(list(velmoka.analysis("
                                     "w=[70, 1], h=100, t=4, er=12.9).status))"});
    QVERIFY(python.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).split('\n'),
             QStringList({QFileInfo(installed(kPythonModule)).absoluteFilePath(), "['ok', 'stopped']", ""}));
}

void TestInstall::icons_show_the_window_icon_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::newRow("32 pixel PNG") << kIcon32 << 32;
    QTest::newRow("SVG drawn at 32 pixels") << kIconScalable << 32;
    QTest::newRow("SVG drawn at 256 pixels") << kIconScalable << 256;
}

void TestInstall::icons_show_the_window_icon() {
    QFETCH(QString, file);
    QFETCH(int, size);
    const QImage icon = file.endsWith(".svg") ? rendered_svg(installed(file), size)
                                              : QImage(installed(file)).convertToFormat(QImage::Format_ARGB32);
    const QImage expected = window_icon_at(size);
    QCOMPARE(icon.size(), expected.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (icon.pixel(x, y) != expected.pixel(x, y)) {
                QFAIL(qPrintable(QString("pixel %1,%2 is %3, the window icon has %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(QColor::fromRgba(icon.pixel(x, y)).name(QColor::HexArgb),
                                          QColor::fromRgba(expected.pixel(x, y)).name(QColor::HexArgb))));
            }
        }
    }
}

void TestInstall::appstream_accepts_the_description_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("metainfo file") << QStringList{"validate", "--no-net", installed(kMetainfo)};
    // The whole tree: the description together with the menu entry and icon it points at.
    QTest::newRow("installed tree") << QStringList{"validate-tree", "--no-net", prefix.path()};
}

void TestInstall::appstream_accepts_the_description() {
    QFETCH(QStringList, arguments);
    const QString appstreamcli = QStandardPaths::findExecutable("appstreamcli");
    if (appstreamcli.isEmpty()) {
        QSKIP("appstreamcli is not installed (Debian package appstream)");
    }
    QCOMPARE(run(appstreamcli, arguments), 0);
}

void TestInstall::manual_page_renders_without_warnings_data() {
    QTest::addColumn<QString>("page");
    for (const QString& page : kManualPages) {
        QTest::newRow(qPrintable(page)) << page;
    }
}

void TestInstall::manual_page_renders_without_warnings() {
    QFETCH(QString, page);
    const QString man = QStandardPaths::findExecutable("man");
    if (man.isEmpty()) {
        QSKIP("man is not installed (Debian package man-db)");
    }
    // Rendered as lintian renders it, 80 columns wide in UTF-8, where groff's warnings go to
    // standard error.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MANWIDTH", "80");
    environment.insert("LC_ALL", "C.UTF-8");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(man, {"--warnings", "-l", installed(page)});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QString());
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
