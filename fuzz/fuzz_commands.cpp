// Fuzzer bytes as a session at the calculator window. The first fourteen lines are the texts
// of the boxes (UTF-8), in the order of Calculator::kBoxNames; a fifteenth line "mils" selects
// mils, anything else microns; every byte after it presses a command: 'a' Analysis,
// 's' Solve Microstrip, 'p' Synth.Pi, 't' Synth. T, any other byte the command of its value.
// Every press must keep the rules of support/press_rules.h.

#include "support/press_rules.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMostPressesPerInput = 32;

Calculator* calculator = nullptr;
Calculator* twin = nullptr;

const Command& command_of(std::uint8_t byte) {
    switch (byte) {
        case 'a':
            return kCommands[0];
        case 's':
            return kCommands[1];
        case 'p':
            return kCommands[2];
        case 't':
            return kCommands[3];
        default:
            return kCommands[byte % kCommands.size()];
    }
}

// Qt's font warnings about the fallback fonts of unusual characters say nothing about the
// calculator; a fatal message still ends the run.
void drop_qt_messages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(drop_qt_messages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt keeps argc and argv for the life of the application; the fuzzer's own flags are not
    // for Qt to read.
    static int argc = 1;
    static char name[] = "fuzz_commands";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    calculator = new Calculator;
    twin = new Calculator;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype start = 0;
    for (const QString& box : Calculator::kBoxNames) {
        const qsizetype end = input.indexOf('\n', start);
        const qsizetype stop = end < 0 ? input.size() : end;
        calculator->type(box, QString::fromUtf8(input.mid(start, stop - start)));
        start = end < 0 ? input.size() : end + 1;
    }
    const qsizetype units_end = input.indexOf('\n', start);
    const QByteArray units = input.mid(start, (units_end < 0 ? input.size() : units_end) - start);
    calculator->window.findChild<QRadioButton*>(units == "mils" ? "mils" : "microns")->setChecked(true);
    const QByteArray presses = units_end < 0 ? QByteArray() : input.mid(units_end + 1, kMostPressesPerInput);
    for (const char byte : presses) {
        const QString broken = press_and_check(*calculator, *twin, command_of(static_cast<std::uint8_t>(byte)));
        if (!broken.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(broken));
            std::abort();
        }
    }
    return 0;
}
