// Prints the calculator's two windows as the screen shows them: first the screen's device
// pixel ratio, then one line per window or control, fields separated by tabs:
//
//   window/name  x y width height  font family  caption width  room
//
// The rectangle is in device pixels from the window's top-left corner. The caption width is
// the text's advance in the control's font rendered at the screen's scale, and the room is
// the width the control's style leaves for it, both in device pixels (-1 for a control
// without a caption). test_screen_scale runs this at several QT_SCALE_FACTOR values.

#include "window/about_window.h"
#include "window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextStream>

namespace {

// The width, in device-independent pixels, that the control's style gives its caption; -1
// for a control without one.
int caption_room(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->contentsRect().width();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (!button) {
        return -1;
    }
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents;
    return button->style()->subElementRect(contents, &option, button).width();
}

QString caption_of(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    return {};
}

// The caption's advance in device pixels: the font at the scaled size, as the text is drawn.
qreal caption_width(const QWidget* control, const QString& caption, qreal ratio) {
    QFont font = control->font();
    font.setPointSizeF(font.pointSizeF() * ratio);
    return QFontMetricsF(font, control).horizontalAdvance(caption);
}

void report(QTextStream& out, QWidget* window) {
    const qreal ratio = window->devicePixelRatioF();
    const QSize size = window->grab().size();
    out << window->objectName() << "\t0 0 " << size.width() << ' ' << size.height() << "\t-\t-1\t-1\n";
    for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QPoint corner = control->mapTo(window, QPoint(0, 0)) * ratio;
        const QSize device_size = control->grab().size();
        const QString caption = caption_of(control);
        const int room = caption_room(control);
        out << window->objectName() << '/' << control->objectName() << '\t' << corner.x() << ' ' << corner.y() << ' '
            << device_size.width() << ' ' << device_size.height() << '\t' << QFontInfo(control->font()).family() << '\t'
            << (caption.isEmpty() ? -1.0 : caption_width(control, caption, ratio)) << '\t'
            << (room < 0 ? -1.0 : room * ratio) << '\n';
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmoka::MainWindow main_window;
    velmoka::AboutWindow about_window;
    main_window.show();
    about_window.show();

    QTextStream out(stdout);
    out << main_window.devicePixelRatioF() << '\n';
    report(out, &main_window);
    report(out, &about_window);
    return 0;
}
