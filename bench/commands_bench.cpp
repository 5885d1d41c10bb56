// The four commands end to end on the real window, offscreen: from the press of a button to
// the return of its handler, with every result box written. Before each press the boxes get
// their texts anew, outside the clock, so that every press does the whole of its work; the
// window paints between presses, also outside the clock.

#include "window/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <utility>

namespace {

using BoxTexts = std::initializer_list<std::pair<const char*, const char*>>;

// The texts of the window as it opens.
const BoxTexts kOpeningWindow = {
    {"length1_txt", " 0.00"}, {"w_txt", "  70.00"},     {"ct_txt", "  0.0000"}, {"lpi_txt", "  0.0000"},
    {"lt_txt", "  0.0000"},   {"cpi_txt", "  0.0000"},  {"z0_txt", " 50.0"},    {"er_eff_txt", " 1.00 "},
    {"vel_txt", " 1.00 "},    {"length2_txt", " 0.00"}, {"er_txt", " 12.9"},    {"h_txt", " 100.0"},
    {"t_txt", " 4.00"},       {"freq_txt", " 1.00"},
};

velmoka::MainWindow* calculator = nullptr;

QLineEdit* box(const char* name) {
    return calculator->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void write_boxes(const BoxTexts& texts) {
    for (const auto& [name, text] : texts) {
        box(name)->setText(QString::fromLatin1(text));
    }
}

// The opening window with the given boxes changed, then presses of the named button.
void press_each_time(benchmark::State& state, const char* button_name, const BoxTexts& changes) {
    auto* button = calculator->findChild<QPushButton*>(QString::fromLatin1(button_name));
    for (auto _ : state) {
        state.PauseTiming();
        write_boxes(kOpeningWindow);
        write_boxes(changes);
        QApplication::processEvents();
        state.ResumeTiming();
        button->click();
    }
}

void BM_Analysis(benchmark::State& state) {
    press_each_time(state, "analysis", {{"length1_txt", " 1000.00"}});
}
BENCHMARK(BM_Analysis);

void BM_SolveMicrostrip(benchmark::State& state) {
    press_each_time(state, "synthesis", {{"length2_txt", " 90.00"}});
}
BENCHMARK(BM_SolveMicrostrip);

// A 1 nH pi inductance at 1 GHz on a 50 ohm line.
void BM_SynthPi(benchmark::State& state) {
    press_each_time(state, "synthpi", {{"lpi_txt", "  1.0000"}});
}
BENCHMARK(BM_SynthPi);

// A 0.5 pF T capacitance at 1 GHz on a 50 ohm line.
void BM_SynthT(benchmark::State& state) {
    press_each_time(state, "syntht", {{"ct_txt", "  0.5000"}});
}
BENCHMARK(BM_SynthT);

// One change of the impedance box, as a key typed into it does: the entry check reads the new
// text. Alternates between two admitted impedances so that each write is a change.
void BM_ImpedanceEntryCheck(benchmark::State& state) {
    QLineEdit* z0 = box("z0_txt");
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
    velmoka::MainWindow window;
    window.show();
    QApplication::processEvents();
    calculator = &window;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
