#include "window/main_window.h"

#include "window/about_window.h"
#include "window/leading_numeric.h"
#include "window/messages.h"
#include "window/picture_format.h"

#include <QLineEdit>

namespace velmoka {

namespace {

// The impedance range the entry check admits, ohms, both bounds included.
constexpr double kLowestImpedance = 0.5;
constexpr double kHighestImpedance = 150.0;

// The leading-numeric value of a box's text, read where the text lies.
double number_in(const QString& text) {
    const QStringView view(text);
    return leading_numeric(std::u16string_view(view.utf16(), static_cast<size_t>(view.size())));
}

QString to_qstring(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow() {
    build_controls();
    connect(z0_txt, &QLineEdit::textChanged, this, &MainWindow::z0_txt_Change);
}

double MainWindow::number(const QLineEdit* box) {
    return number_in(box->text());
}

void MainWindow::write_number(QLineEdit* box, double value, std::string_view picture) {
    write_message(box, format_picture(value, picture));
}

void MainWindow::write_message(QLineEdit* box, std::string_view message) {
    // QLineEdit reports a change only when the text differs, so writing the text a box
    // already holds runs no change handler.
    box->setText(to_qstring(message));
}

void MainWindow::z0_txt_Change(const QString& text) {
    const double z0 = number_in(text);
    if (z0 < kLowestImpedance || z0 > kHighestImpedance) {
        // The replacement is itself a change and runs this check once more; " Invalid Z0"
        // reads 0, so that nested run writes the same text again, which is no change.
        write_message(z0_txt, message::kInvalidZ0);
        // Selected, so that the next key the user types replaces the message.
        z0_txt->selectAll();
    }
}

void MainWindow::GetAboutVelmoka_Click() {
    if (!about_window) {
        about_window = new AboutWindow;
    }
    about_window->show();
    about_window->raise();
    about_window->activateWindow();
}

}  // namespace velmoka
