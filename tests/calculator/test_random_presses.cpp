// Whatever an engineer pastes into the fourteen boxes, each press of a command returns and
// keeps the rules of press_rules.h. Each case fills every box with a random text (a
// plausible value for the box, or a hostile one), picks the units, and presses a random run
// of the four commands. The seed is printed; VELMOKA_RANDOM_SEED=<seed> replays a run.

#include "calculator/press_rules.h"

#include "calculator/random_seed.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

constexpr int kLeastPresses = 100'000;
constexpr int kMostPressesPerCase = 6;
constexpr double kPlausibleShare = 0.75;  // of the texts typed, the rest are hostile
constexpr double kLongTextShare = 0.02;   // of the hostile texts
constexpr int kLongestText = 3000;        // characters
// Each command must reach its last write in at least this share of its presses, or the texts
// are too wild to test much beyond the input checks.
constexpr double kLeastCompletedShare = 0.1;

// Texts that have troubled number readers before, and the window's own messages.
const QStringList kHostileTexts = {
    "",
    " ",
    "\t",
    "\n",
    " \t\n ",
    ",",
    "1,5",
    "4.7 nH",
    "50 ohm",
    "1.2.3",
    "1e400",
    "-1e400",
    "1e-400",
    "1E308",
    "1.7976931348623157e308",
    "1.8e308",
    "4.9e-324",
    "2.4e-324",
    "1e",
    "1e+",
    "1e-",
    "e5",
    "E-5",
    "1d3",
    "1D-3",
    "-0",
    "+0",
    "-0.0",
    "-.5",
    "+.",
    ".",
    "-",
    "+",
    "--5",
    "+-5",
    "1 2 3",
    "- 4 2",
    "1\t0\n0",
    "&H",
    "&h1F",
    "&HFFFFFFFFFFFFFFFF",
    "&H1FFFFFFFFFFFFF",
    "&O777",
    "&o17",
    "&O8",
    "&",
    "& H10",
    "&X5",
    "&H-5",
    "-&H5",
    "0x1p3",
    "0x10",
    "nan",
    "NaN",
    "-nan",
    "inf",
    "-inf",
    "Infinity",
    "1.#INF",
    " infinity",
    " Invalid Z0",
    "Too Small",
    "Invalid H",
    " Invalid W",
    "Z0 too Low",
    "Z0 too Hi",
    "Z0 error",
    " 1.00",
    " 0.00",
    QString::fromUtf8("\u00b5m"),
    QString::fromUtf8("\u00bd"),
    QString::fromUtf8("\u00b2"),
    QString::fromUtf8("\u0663"),
    QString::fromUtf8("\uff11\uff12"),
    QString::fromUtf8("\u00a05"),
    QString::fromUtf8("5\u200b0"),
    QString::fromUtf8("\U0001F642"),
    QString::fromUtf8("\u202e12"),
    QString::fromUtf8("1\u20132"),
    QString(QChar(0)) + "5",
    "5" + QString(QChar(0)) + "5",
};

// Characters of the long random texts: those a number is made of, and some that end one.
const QString kTextCharacters = QString::fromUtf8("0123456789012345678.+-eEdDhHoO&  \t\n,xnif\u00b5\u00e9\u0663\u4e2d");

struct PlausibleRange {
    const char* box;
    double low;
    double high;
};

// Values an engineer would type, in the unit each box shows (dimensions mostly in microns).
// A range that starts above 0 spans decades and is drawn evenly over them.
constexpr std::array<PlausibleRange, 14> kPlausibleRanges = {{
    {"length1_txt", 0.0, 20000.0},
    {"w_txt", 1.0, 5000.0},
    {"ct_txt", 0.01, 10.0},
    {"lpi_txt", 0.01, 20.0},
    {"lt_txt", 0.0, 10.0},
    {"cpi_txt", 0.0, 10.0},
    {"z0_txt", 1.0, 150.0},
    {"er_eff_txt", 0.0, 13.0},
    {"vel_txt", 0.0, 1.0},
    {"length2_txt", 0.0, 360.0},
    {"er_txt", 0.5, 20.0},
    {"h_txt", 5.0, 2000.0},
    {"t_txt", 0.0, 100.0},
    {"freq_txt", 0.01, 100.0},
}};

class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : random_(seed) {}

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    bool chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

    QString text_for(const QString& box) {
        if (chance(kPlausibleShare)) {
            for (const PlausibleRange& range : kPlausibleRanges) {
                if (box == range.box) {
                    return plausible(range.low, range.high);
                }
            }
        }
        return hostile();
    }

private:
    // A value written as people write it: any number of decimals, sometimes in E form, with
    // blanks around it and now and then a unit after it.
    QString plausible(double low, double high) {
        const double value =
            low > 0.0 ? std::exp(std::uniform_real_distribution<double>(std::log(low), std::log(high))(random_))
                      : std::uniform_real_distribution<double>(low, high)(random_);
        static const std::array<char, 3> formats = {'f', 'g', 'e'};
        QString text = QString::number(value, formats[uniform(0, 2)], uniform(0, 6));
        text = QString(uniform(0, 2), ' ') + text;
        static const QStringList suffixes = {"", "", "", " ", " nH", "pF", " ohm", "um", " GHz", "\t"};
        return text + suffixes[uniform(0, static_cast<int>(suffixes.size()) - 1)];
    }

    QString hostile() {
        QString text;
        for (int piece = uniform(1, 3); piece > 0; --piece) {
            switch (uniform(0, 5)) {
                case 0:
                case 1:
                case 2:
                    text += kHostileTexts[uniform(0, static_cast<int>(kHostileTexts.size()) - 1)];
                    break;
                case 3:
                    text += digits(uniform(1, 400));
                    break;
                case 4:
                    text += digits(uniform(1, 30)) + (chance(0.5) ? "e" : "D") + (chance(0.5) ? "-" : "+") +
                            digits(uniform(1, 25));
                    break;
                default:
                    text += chance(kLongTextShare) ? random_characters(uniform(1, kLongestText))
                                                   : random_characters(uniform(1, 12));
            }
        }
        return text;
    }

    // Decimal digits with, half of the time, a point somewhere among them.
    QString digits(int count) {
        QString text;
        for (int i = 0; i < count; ++i) {
            text += QChar('0' + uniform(0, 9));
        }
        if (chance(0.5)) {
            text.insert(uniform(0, count), '.');
        }
        return text;
    }

    QString random_characters(int count) {
        QString text;
        for (int i = 0; i < count; ++i) {
            text += kTextCharacters[uniform(0, static_cast<int>(kTextCharacters.size()) - 1)];
        }
        return text;
    }

    std::mt19937_64 random_;
};

// Whether the press reached the command's last write with a number.
bool completed(velmoka::Command command, const velmoka::Outcome& outcome) {
    using velmoka::Box;
    static constexpr std::array kLastBox = {Box::cpi_txt, Box::length1_txt, Box::ct_txt, Box::cpi_txt};
    return !outcome.writes.empty() && outcome.writes.back().box == kLastBox[static_cast<std::size_t>(command)] &&
           press_rules::is_picture_number(outcome.writes.back().text);
}

}  // namespace

class TestRandomPresses : public QObject {
    Q_OBJECT

private slots:
    void every_press_keeps_the_rules();
};

void TestRandomPresses::every_press_keeps_the_rules() {
    const std::uint64_t seed = random_seed();
    TextMaker maker(seed);
    velmoka::Calculator calculator;
    std::array<int, velmoka::kCommandNames.size()> presses_of{};
    std::array<int, velmoka::kCommandNames.size()> completions_of{};
    int presses = 0;
    while (presses < kLeastPresses) {
        for (std::size_t box = 0; box < velmoka::kBoxCount; ++box) {
            const QString name = QString::fromLatin1(velmoka::kBoxNames[box].data());
            calculator.edit(static_cast<velmoka::Box>(box), maker.text_for(name).toStdU16String());
        }
        calculator.set_units(maker.chance(0.5) ? velmoka::Units::mils : velmoka::Units::microns);
        for (int count = maker.uniform(1, kMostPressesPerCase); count > 0; --count, ++presses) {
            const auto which = static_cast<std::size_t>(maker.uniform(0, static_cast<int>(presses_of.size()) - 1));
            const auto command = static_cast<velmoka::Command>(which);
            const press_rules::CheckedPress press = press_rules::press_and_check(calculator, command);
            if (!press.broken_rule.empty()) {
                QFAIL(
                    qPrintable(QString("seed %1, press %2: %3").arg(seed).arg(presses).arg(press.broken_rule.c_str())));
            }
            ++presses_of[which];
            completions_of[which] += completed(command, press.outcome) ? 1 : 0;
        }
    }
    for (std::size_t which = 0; which < presses_of.size(); ++which) {
        QVERIFY2(completions_of[which] >= kLeastCompletedShare * presses_of[which],
                 qPrintable(QString("%1 completed %2 of %3 presses")
                                .arg(velmoka::kCommandNames[which].data())
                                .arg(completions_of[which])
                                .arg(presses_of[which])));
    }
}

QTEST_APPLESS_MAIN(TestRandomPresses)
#include "test_random_presses.moc"
