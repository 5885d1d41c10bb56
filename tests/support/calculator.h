#pragma once

// Drives the real calculator window offscreen, finding its controls by object name, as an
// engineer would: typing into boxes, choosing units, pressing buttons, reading texts.

#include "window/main_window.h"

#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

class Calculator {
public:
    // Every text box of the window, in the order of the design table.
    inline static const QStringList kBoxNames = {
        "length1_txt", "w_txt",   "ct_txt",      "lpi_txt", "lt_txt", "cpi_txt", "z0_txt",
        "er_eff_txt",  "vel_txt", "length2_txt", "er_txt",  "h_txt",  "t_txt",   "freq_txt",
    };

    Calculator() { window.show(); }

    QLineEdit* box(const QString& name) {
        auto* found = window.findChild<QLineEdit*>(name);
        if (!found) {
            qFatal("no text box %s", qPrintable(name));
        }
        return found;
    }

    QString text(const QString& name) { return box(name)->text(); }

    // Replaces the whole text of a box at once, as a paste over a selection does; the
    // impedance entry check runs on it like on any change.
    void type(const QString& name, const QString& text) { box(name)->setText(text); }

    void press(const QString& button_name) {
        auto* button = window.findChild<QPushButton*>(button_name);
        if (!button) {
            qFatal("no button %s", qPrintable(button_name));
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void choose_units(const QString& option_name) {
        auto* option = window.findChild<QRadioButton*>(option_name);
        if (!option) {
            qFatal("no option %s", qPrintable(option_name));
        }
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }

    using Texts = QMap<QString, QString>;

    // Types each text into the box named beside it.
    void enter(const Texts& texts) {
        for (auto box = texts.cbegin(); box != texts.cend(); ++box) {
            type(box.key(), box.value());
        }
    }

    // The texts of the named boxes, every box by default.
    Texts texts(const QStringList& names = kBoxNames) {
        Texts shown;
        for (const QString& name : names) {
            shown.insert(name, text(name));
        }
        return shown;
    }

    // texts with the given boxes' texts replaced.
    static Texts merged(Texts texts, const Texts& changes) {
        texts.insert(changes);
        return texts;
    }

    // Box texts as "name=[text]" lines, so that QCOMPARE names the first box that differs
    // and shows its blanks.
    static QStringList listing(const Texts& texts) {
        QStringList lines;
        for (auto box = texts.cbegin(); box != texts.cend(); ++box) {
            lines << box.key() + "=[" + box.value() + "]";
        }
        return lines;
    }

    // The listing of the named boxes after typing into a fresh window in the given units and
    // pressing one button.
    static QStringList listing_after(const QString& units, const Texts& typed, const QString& button,
                                     const QStringList& names) {
        Calculator calculator;
        calculator.choose_units(units);
        calculator.enter(typed);
        calculator.press(button);
        return listing(calculator.texts(names));
    }

    velmoka::MainWindow window;
};
