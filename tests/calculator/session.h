#pragma once

// The calculator core as an engineer at its window uses it, with boxes, buttons and units
// called by the names of their controls: typing texts into boxes, choosing units, pressing
// buttons, reading texts back. No window and no QApplication.

#include "calculator/calculator.h"

#include <QMap>
#include <QStringList>
#include <QTest>

inline QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class Session {
public:
    using Texts = QMap<QString, QString>;  // box name -> text

    // Every box, in the order of the window's design table.
    inline static const QStringList kBoxNames = [] {
        QStringList names;
        for (std::string_view box_name : velmoka::kBoxNames) {
            names << latin1(box_name);
        }
        return names;
    }();

    static velmoka::Box box(const QString& name) {
        const std::optional<velmoka::Box> box = velmoka::box_named(name.toStdString());
        if (!box) {
            qFatal("no text box %s", qPrintable(name));
        }
        return *box;
    }

    QString text(const QString& name) const { return QString::fromStdU16String(core.text(box(name))); }

    // Replaces the whole text of a box at once, as a paste over a selection does; the impedance
    // entry check runs on it like on any change.
    velmoka::Outcome type(const QString& name, const QString& text) {
        return core.edit(box(name), text.toStdU16String());
    }

    velmoka::Outcome press(const QString& button_name) {
        const std::optional<velmoka::Command> command = velmoka::command_named(button_name.toStdString());
        if (!command) {
            qFatal("no button %s", qPrintable(button_name));
        }
        return core.press(*command);
    }

    void choose_units(const QString& option_name) {
        core.set_units(option_name == "mils" ? velmoka::Units::mils : velmoka::Units::microns);
    }

    // Types each text into the box named beside it.
    void enter(const Texts& texts) {
        for (auto box = texts.cbegin(); box != texts.cend(); ++box) {
            type(box.key(), box.value());
        }
    }

    // The texts of the named boxes, every box by default.
    Texts texts(const QStringList& names = kBoxNames) const {
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

    // The listing of the named boxes after typing into a fresh calculator in the given units
    // and pressing one button.
    static QStringList listing_after(const QString& units, const Texts& typed, const QString& button,
                                     const QStringList& names) {
        Session session;
        session.choose_units(units);
        session.enter(typed);
        session.press(button);
        return listing(session.texts(names));
    }

    // The writes of an outcome as "name=[text]" lines, the entry check's marked "(check)" and
    // those that changed nothing "(same)".
    static QStringList writes(const velmoka::Outcome& outcome) {
        QStringList lines;
        for (const velmoka::Write& write : outcome.writes) {
            lines << latin1(velmoka::name_of(write.box)) + "=[" + QString::fromStdU16String(write.text) + "]" +
                         (write.by_entry_check ? " (check)" : "") + (write.changed ? "" : " (same)");
        }
        return lines;
    }

    // How a press ended: empty when it is ok, "name=[message]" where it stopped, and
    // "incomplete: name=[message]" where it ran to its end leaving a message in place of a result.
    static QString ending(const velmoka::Outcome& outcome) {
        const velmoka::Ending& ending = outcome.ending;
        if (ending.status == velmoka::Status::ok) {
            return {};
        }
        return QString(ending.status == velmoka::Status::incomplete ? "incomplete: " : "") +
               latin1(velmoka::name_of(ending.message->box)) + "=[" + latin1(ending.message->message) + "]";
    }

    velmoka::Calculator core;
};
