#include "window/main_window.h"

#include "window/about_window.h"

#include <QLineEdit>
#include <QScopedValueRollback>

namespace velmoka {

MainWindow::MainWindow() {
    build_controls();
}

void MainWindow::press(Command command) {
    show_writes(core.press(command));
}

void MainWindow::edit(Box box, const QString& text) {
    if (showing_writes) {
        return;
    }
    show_writes(core.edit(box, text.toStdU16String()));
}

void MainWindow::show_writes(const Outcome& outcome) {
    const QScopedValueRollback showing(showing_writes, true);
    for (const Write& write : outcome.writes) {
        // Every write, an unchanged text too, as a box that is written to: the caret moves to
        // the end of the text and any selection is cleared.
        boxes[index_of(write.box)]->setText(QString::fromStdU16String(write.text));
    }
    if (outcome.select_impedance()) {
        // Selected, so that the next key the user types replaces the entry check's message.
        boxes[index_of(Box::z0_txt)]->selectAll();
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
