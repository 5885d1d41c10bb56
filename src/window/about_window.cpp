#include "window/about_window.h"

#include "window/twips.h"

#include <QLabel>

namespace velmoka {

namespace {

const QColor kLightYellow(255, 255, 128);

constexpr int kClientWidth = 6255;  // twips, as wide as the main window
constexpr int kClientHeight = 900;  // twips

QLabel* credit_label(QWidget* parent, const char* name, const QString& text, const QFont& font, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

QFont italic_font(const QStringList& families, qreal points) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(true);
    return font;
}

}  // namespace

AboutWindow::AboutWindow() {
    setObjectName(QStringLiteral("AboutVelmoka"));
    setWindowTitle(QStringLiteral("About Velmoka   -   Version 1.0"));
    // Closing destroys the window; the next click of "About" builds it anew.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twips_to_pixels(kClientWidth), twips_to_pixels(kClientHeight));

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, kLightYellow);
    setPalette(palette);
    setAutoFillBackground(true);

    // The script face stands in for itself where the desktop has no "Brush Script MT".
    credit_label(this, "Label1", QStringLiteral("Velmoka Circuits"),
                 italic_font({QStringLiteral("Brush Script MT"), QStringLiteral("Kaushan Script")}, 14.25),
                 twips_rect(1680, 120, 3015, 375));
    credit_label(this, "email", QStringLiteral("Tarnwell microstrip tools"),
                 italic_font({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 11.25),
                 twips_rect(1560, 600, 3012, 252));
}

}  // namespace velmoka
