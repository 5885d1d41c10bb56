// The bulk path presses as the window does: for random designs (plausible and edge values, all
// four commands, both units), a fresh calculator with the values typed as their shortest texts
// and its button pressed shows the same text in every box, reads the same number from it, and
// ends the same way as the design pressed on the compact boxes. The seed is printed;
// VELMOKA_RANDOM_SEED=<seed> replays a run.

#include "calculator/calculator.h"
#include "common/column_blocks.h"
#include "calculator/design.h"
#include "calculator/random_seed.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/typed_value.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr int kDesigns = 100'000;
constexpr double kGivenShare = 0.6;  // of the boxes, each typed into with this chance
constexpr double kEdgeShare = 0.1;   // of the values typed, the rest plausible for their box

// Values that sit on the rules' edges: the entry check's bounds, the checks' floors, halves of
// the pictures' last decimals, signed zeros, the ends of the double range.
constexpr std::array kEdgeValues = {
    0.0,        -0.0,
    0.5,        0.49999999999999994,
    150.0,      150.00000000000003,
    0.1,        0.09999999999999999,
    1.0,        0.001,
    0.2,        500.0,
    5.08,       12700.0,
    2.675,      1.005,
    -1.0,       1e-300,
    1e300,      5e-324,
    -5e-324,    std::numeric_limits<double>::max(),
    -1e15,      1e15,
    123456.785, 0.00005,
};

class DesignMaker {
public:
    explicit DesignMaker(std::uint64_t seed) : random_(seed) {}

    velmoka::Design next() {
        velmoka::Design design;
        design.command = static_cast<velmoka::Command>(uniform(0, 3));
        design.units = chance(0.5) ? velmoka::Units::mils : velmoka::Units::microns;
        for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
            if (chance(kGivenShare)) {
                design.typed[box] =
                    chance(kEdgeShare)
                        ? kEdgeValues[static_cast<std::size_t>(uniform(0, static_cast<int>(kEdgeValues.size()) - 1))]
                        : plausible(static_cast<velmoka::Box>(box));
            }
        }
        return design;
    }

private:
    double plausible(velmoka::Box box) {
        using velmoka::Box;
        switch (box) {
            case Box::er_txt:
                return spread(0.5, 15.0);
            case Box::h_txt:
            case Box::w_txt:
                return std::exp(spread(std::log(1.0), std::log(20000.0)));
            case Box::t_txt:
                return spread(0.0, 80.0);
            case Box::z0_txt:
                return spread(0.0, 160.0);
            case Box::freq_txt:
                return spread(0.0, 40.0);
            case Box::length1_txt:
                return spread(-5000.0, 50000.0);
            case Box::length2_txt:
                return spread(-400.0, 400.0);
            default:  // the element boxes, the effective dielectric constant and the velocity
                return spread(-1.0, 20.0);
        }
    }

    double spread(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double share) { return std::bernoulli_distribution(share)(random_); }

    std::mt19937_64 random_;
};

// The design pressed on a calculator as a window holds it.
velmoka::Outcome pressed_on_texts(const velmoka::Design& design, velmoka::Calculator& calculator) {
    calculator.set_units(design.units);
    for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
        if (const std::optional<double>& value = design.typed[box]) {
            std::array<char, velmoka::kLongestTypedText> text;
            const std::size_t length = velmoka::write_typed_value(text.data(), *value);
            calculator.edit(static_cast<velmoka::Box>(box), std::u16string(text.data(), text.data() + length));
        }
    }
    return calculator.press(design.command);
}

// The first difference between the two, described; empty when there is none.
QString difference(const velmoka::Calculator& calculator, const velmoka::Outcome& outcome,
                   const velmoka::PressedDesign& pressed) {
    for (std::size_t index = 0; index < velmoka::kBoxCount; ++index) {
        const auto box = static_cast<velmoka::Box>(index);
        const QString window_text = QString::fromStdU16String(calculator.text(box));
        const QString bulk_text = QString::fromStdString(pressed.boxes[box].text());
        const double shown = pressed.boxes[box].shown_number();
        const double read = velmoka::leading_numeric(calculator.text(box));
        if (window_text != bulk_text || pressed.boxes[box].reading() != read || !(std::isnan(shown) || shown == read)) {
            return QString("%1 shows [%2] at the window, [%3] in bulk")
                .arg(velmoka::kBoxNames[index].data(), window_text, bulk_text);
        }
    }
    if (outcome.ending != pressed.ending) {
        return "the endings differ";
    }
    return {};
}

}  // namespace

class TestDesigns : public QObject {
    Q_OBJECT

private slots:
    void bulk_path_shows_what_the_window_shows();
    void column_blocks_are_kept_for_the_next_column();
};

void TestDesigns::bulk_path_shows_what_the_window_shows() {
    const std::uint64_t seed = random_seed();
    DesignMaker maker(seed);
    std::array<int, 3> endings{};  // ok, incomplete, stopped
    for (int row = 0; row < kDesigns; ++row) {
        const velmoka::Design design = maker.next();
        velmoka::Calculator calculator;
        const velmoka::Outcome outcome = pressed_on_texts(design, calculator);
        const velmoka::PressedDesign pressed = velmoka::press_design(design);
        const QString found = difference(calculator, outcome, pressed);
        if (!found.isEmpty()) {
            QFAIL(qPrintable(QString("seed %1, design %2 (%3): %4")
                                 .arg(seed)
                                 .arg(row)
                                 .arg(velmoka::name_of(design.command).data())
                                 .arg(found)));
        }
        ++endings[static_cast<std::size_t>(pressed.ending.status)];
    }
    // Every way a press can end is among the designs.
    for (const int count : endings) {
        QVERIFY(count > kDesigns / 100);
    }
}

// A long column given back serves the next of its length, aligned to a huge page, holding what
// it held and saying so; a block is handed to one column at a time, and a fresh one is zeroed.
void TestDesigns::column_blocks_are_kept_for_the_next_column() {
    constexpr std::size_t kColumn = 8'000'000;  // bytes: a million doubles
    const velmoka::ColumnBlock first = velmoka::take_column_block(kColumn);
    QVERIFY(first.zeroed);
    static_cast<unsigned char*>(first.start)[kColumn - 1] = 0x5a;
    velmoka::give_back_column_block(first.start, kColumn);
    const velmoka::ColumnBlock again = velmoka::take_column_block(kColumn);
    const velmoka::ColumnBlock other = velmoka::take_column_block(kColumn);
    QCOMPARE(again.start, first.start);
    QVERIFY(!again.zeroed);
    QCOMPARE(static_cast<unsigned char*>(again.start)[kColumn - 1], 0x5a);
    QCOMPARE(reinterpret_cast<std::uintptr_t>(again.start) % velmoka::kHugePage, std::uintptr_t{0});
    QVERIFY(other.start != again.start);
    QCOMPARE(reinterpret_cast<std::uintptr_t>(other.start) % velmoka::kHugePage, std::uintptr_t{0});
    velmoka::give_back_column_block(again.start, kColumn);
    velmoka::give_back_column_block(other.start, kColumn);
}

QTEST_APPLESS_MAIN(TestDesigns)
#include "test_designs.moc"
