// The yardstick for start-up: the least a Qt Widgets program with the calculator's controls
// does before its window is mapped. Fourteen line edits, five push buttons, two radio buttons
// and twenty labels on a fixed-size window, in the default font and palette.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace {

constexpr int kLineEdits = 14;
constexpr int kPushButtons = 5;
constexpr int kRadioButtons = 2;
constexpr int kLabels = 20;

// Controls on a grid of cells, left to right and top to bottom, pixels.
constexpr int kColumns = 5;
constexpr int kCellWidth = 83;
constexpr int kCellHeight = 26;
constexpr int kControlWidth = 78;
constexpr int kControlHeight = 22;

QRect cell(int index) {
    return {(index % kColumns) * kCellWidth, (index / kColumns) * kCellHeight, kControlWidth, kControlHeight};
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MicroStrip Velmoka Circuits"));
    window.setFixedSize(417, 332);
    int index = 0;
    for (int i = 0; i < kLineEdits; ++i) {
        (new QLineEdit(QStringLiteral(" 0.00"), &window))->setGeometry(cell(index++));
    }
    for (int i = 0; i < kPushButtons; ++i) {
        (new QPushButton(QStringLiteral("Button"), &window))->setGeometry(cell(index++));
    }
    for (int i = 0; i < kRadioButtons; ++i) {
        (new QRadioButton(QStringLiteral("Option"), &window))->setGeometry(cell(index++));
    }
    for (int i = 0; i < kLabels; ++i) {
        (new QLabel(QStringLiteral("Label"), &window))->setGeometry(cell(index++));
    }
    window.show();
    return app.exec();
}
