#include "window/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMOKA_APP_ID));
    velmoka::MainWindow window;
    window.show();
    return app.exec();
}
