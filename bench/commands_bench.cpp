// The four commands from press to return with every result box written: on the calculator core
// alone, on its bulk path (no texts), and through the window offscreen, which shows each write in its box. Before each
// press the boxes get their texts anew, outside the clock, so that every press does the whole of its work; the window
// paints between presses, also outside the clock.

#include "calculator/calculator.h"
#include "calculator/design.h"
#include "text_rules/leading_numeric.h"
#include "window/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

using velmoka::Box;
using velmoka::Command;
using BoxTexts = std::initializer_list<std::pair<Box, std::u16string_view>>;

velmoka::MainWindow* window = nullptr;

// The opening window with the given boxes changed, then presses of the command on the core.
void press_on_core(benchmark::State& state, Command command, const BoxTexts& changes) {
    velmoka::Calculator changed;
    for (const auto& [box, text] : changes) {
        changed.edit(box, text);
    }
    for (auto _ : state) {
        state.PauseTiming();
        velmoka::Calculator calculator = changed;
        state.ResumeTiming();
        benchmark::DoNotOptimize(calculator.press(command));
    }
}

// The same on the bulk path: a fresh calculator's compact boxes, the values typed as numbers.
void press_in_bulk(benchmark::State& state, Command command, const BoxTexts& changes) {
    velmoka::Design design;
    design.command = command;
    for (const auto& [box, text] : changes) {
        design.value(box) = velmoka::leading_numeric(text);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmoka::press_design(design));
    }
}

// The same through the window: the box texts typed in, then a click of the command's button.
void press_on_window(benchmark::State& state, Command command, const BoxTexts& changes) {
    const velmoka::Calculator opening;
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(velmoka::name_of(command).data()));
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
            window->findChild<QLineEdit*>(QString::fromLatin1(velmoka::kBoxNames[box].data()))
                ->setText(QString::fromStdU16String(opening.text(static_cast<Box>(box))));
        }
        for (const auto& [box, text] : changes) {
            window->findChild<QLineEdit*>(QString::fromLatin1(velmoka::name_of(box).data()))
                ->setText(QString::fromStdU16String(std::u16string(text)));
        }
        QApplication::processEvents();
        state.ResumeTiming();
        button->click();
    }
}

const BoxTexts kAnalysis = {{Box::length1_txt, u" 1000.00"}};
const BoxTexts kSolveMicrostrip = {{Box::length2_txt, u" 90.00"}};
const BoxTexts kSynthPi = {{Box::lpi_txt, u"  1.0000"}};  // 1 nH at 1 GHz on a 50 ohm line
const BoxTexts kSynthT = {{Box::ct_txt, u"  0.5000"}};    // 0.5 pF at 1 GHz on a 50 ohm line

BENCHMARK_CAPTURE(press_on_core, Analysis, Command::analysis, kAnalysis);
BENCHMARK_CAPTURE(press_in_bulk, Analysis, Command::analysis, kAnalysis);
BENCHMARK_CAPTURE(press_on_window, Analysis, Command::analysis, kAnalysis);
BENCHMARK_CAPTURE(press_on_core, SolveMicrostrip, Command::synthesis, kSolveMicrostrip);
BENCHMARK_CAPTURE(press_in_bulk, SolveMicrostrip, Command::synthesis, kSolveMicrostrip);
BENCHMARK_CAPTURE(press_on_window, SolveMicrostrip, Command::synthesis, kSolveMicrostrip);
BENCHMARK_CAPTURE(press_on_core, SynthPi, Command::synthpi, kSynthPi);
BENCHMARK_CAPTURE(press_in_bulk, SynthPi, Command::synthpi, kSynthPi);
BENCHMARK_CAPTURE(press_on_window, SynthPi, Command::synthpi, kSynthPi);
BENCHMARK_CAPTURE(press_on_core, SynthT, Command::syntht, kSynthT);
BENCHMARK_CAPTURE(press_in_bulk, SynthT, Command::syntht, kSynthT);
BENCHMARK_CAPTURE(press_on_window, SynthT, Command::syntht, kSynthT);

// One change of the impedance box, as a key typed into it does: the entry check reads the new
// text. Alternates between two admitted impedances so that each change is one.
void BM_ImpedanceEntryCheck(benchmark::State& state) {
    QLineEdit* z0 = window->findChild<QLineEdit*>(QStringLiteral("z0_txt"));
    const QString texts[] = {QStringLiteral(" 50.0"), QStringLiteral(" 50.05")};
    int next = 0;
    for (auto _ : state) {
        z0->setText(texts[next]);
        next = 1 - next;
    }
}
BENCHMARK(BM_ImpedanceEntryCheck);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velmoka::MainWindow shown;
    shown.show();
    QApplication::processEvents();
    window = &shown;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
