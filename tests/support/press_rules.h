#pragma once

// The rules that every press of a command keeps, whatever the boxes held before it:
// - it writes only the boxes the command may write (the window's "written by" table);
// - what it writes is a number in one of the window's pictures or one of its messages, so no
//   box ever shows the digits of a value that is not finite;
// - the impedance box reads between 0.5 and 150 ohms or shows " Invalid Z0";
// - the units option stays as it was;
// - the same texts and units give the same texts again on a second window, so nothing but the
//   boxes and the option carries from one press to the next.
// The random-input test and the window fuzz target both press through press_and_check.

#include "support/calculator.h"
#include "window/leading_numeric.h"

#include <QPushButton>
#include <QRegularExpression>

#include <array>
#include <string_view>

struct WindowState {
    QMap<QString, QString> texts;
    bool mils = false;

    bool operator==(const WindowState&) const = default;
};

struct Command {
    QString button;
    QStringList writable;  // the boxes it may write, z0_txt through the entry check included
};

inline const QStringList kSolveMicrostripWrites = {
    "er_txt", "h_txt", "t_txt", "w_txt", "z0_txt", "er_eff_txt", "vel_txt", "length1_txt",
};

inline const std::array<Command, 4> kCommands = {{
    {"analysis",
     {"er_txt", "h_txt", "t_txt", "w_txt", "z0_txt", "er_eff_txt", "vel_txt", "length2_txt", "lt_txt", "ct_txt",
      "lpi_txt", "cpi_txt"}},
    {"synthesis", kSolveMicrostripWrites},
    {"synthpi", kSolveMicrostripWrites + QStringList{"length2_txt", "lpi_txt", "cpi_txt", "lt_txt", "ct_txt"}},
    {"syntht", kSolveMicrostripWrites + QStringList{"length2_txt", "lpi_txt", "cpi_txt", "lt_txt", "ct_txt"}},
}};

inline const QStringList kMessages = {
    " 1.00",     " 0.00",      "Invalid H", " Invalid W", "Too Small",
    " infinity", "Z0 too Low", "Z0 too Hi", "Z0 error",   " Invalid Z0",
};

inline constexpr double kLowestImpedanceOhms = 0.5;
inline constexpr double kHighestImpedanceOhms = 150.0;

// A number as the window's pictures write it: one leading blank and two decimals, or two
// leading blanks and two to four decimals; integer digits without leading zeros; a minus sign
// in front only when some digit shown is not zero.
inline bool is_picture_number(const QString& text) {
    static const QRegularExpression form(R"(^-?( (0|[1-9][0-9]*)\.[0-9]{2}|  (0|[1-9][0-9]*)\.[0-9]{2,4})$)");
    static const QRegularExpression nonzero_digit("[1-9]");
    return form.match(text).hasMatch() && (!text.startsWith('-') || text.contains(nonzero_digit));
}

inline double read_as_number(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    return velmoka::leading_numeric(std::string_view(latin1.constData(), static_cast<size_t>(latin1.size())));
}

inline WindowState state_of(Calculator& calculator) {
    return {calculator.texts(), calculator.window.findChild<QRadioButton*>("mils")->isChecked()};
}

inline void set_state(Calculator& calculator, const WindowState& state) {
    for (auto box = state.texts.cbegin(); box != state.texts.cend(); ++box) {
        calculator.type(box.key(), box.value());
    }
    calculator.window.findChild<QRadioButton*>(state.mils ? "mils" : "microns")->setChecked(true);
}

// Long texts are cut in reports, so a failure stays readable.
inline QString quoted(const QString& text) {
    constexpr qsizetype kShownCharacters = 60;
    return '"' + text.left(kShownCharacters) + (text.size() > kShownCharacters ? "...\"" : "\"");
}

// The first rule the press broke, described; empty when it kept them all.
inline QString broken_rule(const Command& command, const WindowState& before, const WindowState& after) {
    for (const QString& box : Calculator::kBoxNames) {
        const QString& old_text = before.texts[box];
        const QString& new_text = after.texts[box];
        if (new_text == old_text) {
            continue;
        }
        if (!command.writable.contains(box)) {
            return QString("%1 wrote %2, which it may not write: %3 became %4")
                .arg(command.button, box, quoted(old_text), quoted(new_text));
        }
        if (!kMessages.contains(new_text) && !is_picture_number(new_text)) {
            return QString("%1 wrote %2 into %3 (was %4), neither a picture's number nor a message")
                .arg(command.button, quoted(new_text), box, quoted(old_text));
        }
    }
    const QString& z0 = after.texts["z0_txt"];
    const double z0_ohms = read_as_number(z0);
    if (z0 != " Invalid Z0" && !(z0_ohms >= kLowestImpedanceOhms && z0_ohms <= kHighestImpedanceOhms)) {
        return QString("after %1, z0_txt shows %2").arg(command.button, quoted(z0));
    }
    if (after.mils != before.mils) {
        return QString("%1 changed the units option").arg(command.button);
    }
    return {};
}

// Clicks a button through its clicked signal, as the mouse does. QTest's simulated mouse keeps
// its clock in an int that overflows after a few million clicks, which a long fuzz run makes.
inline void click(Calculator& calculator, const QString& button) {
    calculator.window.findChild<QPushButton*>(button)->click();
}

// Presses the command's button on the window and checks the rules, then presses it on the twin
// from the same texts and units and compares. Returns the first broken rule, or empty.
inline QString press_and_check(Calculator& calculator, Calculator& twin, const Command& command) {
    const WindowState before = state_of(calculator);
    click(calculator, command.button);
    const WindowState after = state_of(calculator);
    const QString broken = broken_rule(command, before, after);
    if (!broken.isEmpty()) {
        return broken;
    }
    set_state(twin, before);
    click(twin, command.button);
    const WindowState again = state_of(twin);
    for (const QString& box : Calculator::kBoxNames) {
        if (again.texts[box] != after.texts[box]) {
            return QString("%1 from the same texts gave %2 once and %3 again in %4")
                .arg(command.button, quoted(after.texts[box]), quoted(again.texts[box]), box);
        }
    }
    return {};
}
