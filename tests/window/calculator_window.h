#pragma once

// Drives the real calculator window offscreen, finding its controls by object name, as an
// engineer would: typing into boxes, choosing units, pressing buttons, reading texts.

#include "window/main_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class CalculatorWindow {
public:
    CalculatorWindow() { window.show(); }

    QLineEdit* box(const QString& name) { return control<QLineEdit>(name); }

    QString text(const QString& name) { return box(name)->text(); }

    // Replaces the whole text of a box at once, as a paste over a selection does.
    void type(const QString& name, const QString& text) { box(name)->setText(text); }

    void press(const QString& button_name) { QTest::mouseClick(control<QPushButton>(button_name), Qt::LeftButton); }

    void choose_units(const QString& option_name) {
        auto* option = control<QRadioButton>(option_name);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }

    template <typename Control>
    Control* control(const QString& name) {
        auto* found = window.findChild<Control*>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }

    velmoka::MainWindow window;
};
