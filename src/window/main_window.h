#pragma once

#include "calculator/calculator.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLineEdit;

namespace velmoka {

class AboutWindow;

// The calculator's one working surface, a view over the calculator core it owns: fourteen text
// boxes, four command buttons, the About button and the microns / mils option buttons. A change
// the user makes to a box goes to the core as an edit, a click as a press; the window then shows
// every text the core wrote, in order.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();

    // The face of every control but the name and brand labels: "Arial" 9.75 pt bold.
    static QFont control_font();

    const Calculator& calculator() const { return core; }

private:
    void press(Command command);
    void edit(Box box, const QString& text);
    void show_writes(const Outcome& outcome);
    void GetAboutVelmoka_Click();

    void build_controls();

    Calculator core;
    std::array<QLineEdit*, kBoxCount> boxes{};
    // Set while the window shows the core's writes: those changes of the boxes are not edits.
    bool showing_writes = false;

    // Created at the first click of "About", rebuilt after the user has closed it.
    QPointer<AboutWindow> about_window;
};

}  // namespace velmoka
