#include "window/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMOKA_APP_ID));
    // A line edit lays out its text in the application's font before it takes its window's;
    // with the window's font as the application's, no other face is loaded at start.
    QApplication::setFont(velmoka::MainWindow::control_font());
    velmoka::MainWindow window;
    window.show();
    return app.exec();
}
