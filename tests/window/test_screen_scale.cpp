// The window on a high-DPI screen: the calculator is started at scale factors 1 and 2, and
// every control must sit at exactly twice its place and size in device pixels at 2, with each
// caption fitting its control at both scales in the installed fonts.

#include <QMap>
#include <QProcess>
#include <QTest>

namespace {

struct Control {
    QRect device_rect;
    QString family;
    qreal caption_width;  // device pixels, -1 without a caption
    qreal caption_room;
};

struct Layout {
    qreal device_pixel_ratio = 0;
    QMap<QString, Control> controls;  // by "window/control"
};

// Runs the layout report on an offscreen screen with the given scale factor.
Layout layout_at(int scale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_SCALE_FACTOR", QString::number(scale));
    environment.remove("QT_SCREEN_SCALE_FACTORS");
    environment.remove("QT_FONT_DPI");
    QProcess report;
    report.setProcessEnvironment(environment);
    report.start(WINDOW_LAYOUT_REPORT, {});
    if (!report.waitForFinished() || report.exitCode() != 0) {
        qFatal("layout report at scale %d failed: %s", scale, report.readAllStandardError().constData());
    }

    Layout layout;
    const QStringList lines = QString::fromUtf8(report.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    layout.device_pixel_ratio = lines.value(0).toDouble();
    for (const QString& line : lines.mid(1)) {
        const QStringList fields = line.split('\t');
        const QStringList rect = fields.value(1).split(' ');
        if (fields.size() != 5 || rect.size() != 4) {
            qFatal("unreadable layout line: %s", qPrintable(line));
        }
        layout.controls.insert(fields[0], {QRect(rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt()),
                                           fields[2], fields[3].toDouble(), fields[4].toDouble()});
    }
    return layout;
}

}  // namespace

class TestScreenScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void screens_have_the_asked_scale();
    void every_control_doubles_exactly_data();
    void every_control_doubles_exactly();
    void captions_fit_their_controls_data();
    void captions_fit_their_controls();
    void captions_use_the_installed_design_faces();

private:
    Layout single;
    Layout twice;
};

void TestScreenScale::initTestCase() {
    single = layout_at(1);
    twice = layout_at(2);
}

void TestScreenScale::screens_have_the_asked_scale() {
    QCOMPARE(single.device_pixel_ratio, 1.0);
    QCOMPARE(twice.device_pixel_ratio, 2.0);
    QCOMPARE(single.controls.value("velmoka").device_rect.size(), QSize(417, 332));
    QCOMPARE(single.controls.value("AboutVelmoka").device_rect.size(), QSize(417, 60));
}

void TestScreenScale::every_control_doubles_exactly_data() {
    QTest::addColumn<QString>("name");
    // Both windows with every control: two windows, 14 boxes, 5 buttons, 2 options, 21 labels
    // in the main window and 2 in the About window.
    QCOMPARE(single.controls.size(), 46);
    QCOMPARE(twice.controls.keys(), single.controls.keys());
    for (const QString& name : single.controls.keys()) {
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestScreenScale::every_control_doubles_exactly() {
    QFETCH(QString, name);
    const QRect at_one = single.controls.value(name).device_rect;
    QCOMPARE(twice.controls.value(name).device_rect,
             QRect(at_one.x() * 2, at_one.y() * 2, at_one.width() * 2, at_one.height() * 2));
}

void TestScreenScale::captions_fit_their_controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scale");
    for (const int scale : {1, 2}) {
        const Layout& layout = scale == 1 ? single : twice;
        for (auto control = layout.controls.cbegin(); control != layout.controls.cend(); ++control) {
            if (control->caption_width >= 0) {
                QTest::addRow("%s at scale %d", qPrintable(control.key()), scale) << control.key() << scale;
            }
        }
    }
}

void TestScreenScale::captions_fit_their_controls() {
    QFETCH(QString, name);
    QFETCH(int, scale);
    const Control control = (scale == 1 ? single : twice).controls.value(name);
    QVERIFY2(control.caption_width <= control.caption_room,
             qPrintable(
                 QString("caption %1 px wide in %2 px of room").arg(control.caption_width).arg(control.caption_room)));
}

void TestScreenScale::captions_use_the_installed_design_faces() {
    // The fit above means something only in the design's faces or their metric-compatible
    // stand-ins, not in whatever the font system falls back to.
    const QStringList faces = {"Arial", "Liberation Sans", "Brush Script MT", "Kaushan Script"};
    for (auto control = single.controls.cbegin(); control != single.controls.cend(); ++control) {
        if (control->caption_width >= 0) {
            QVERIFY2(faces.contains(control->family), qPrintable(control.key() + " drawn in " + control->family));
        }
    }
}

QTEST_GUILESS_MAIN(TestScreenScale)
#include "test_screen_scale.moc"
