#include "text_rules/leading_numeric.h"
#include "text_rules/picture_format.h"
#include "text_rules/typed_value.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using velmoka::format_picture;
using velmoka::leading_numeric;
using velmoka::picture_reading;

namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallest_subnormal = std::numeric_limits<double>::denorm_min();
constexpr double infinity = std::numeric_limits<double>::infinity();

const char* const pictures[] = {"  ##0.00",   "  ###0.00", " ###0.00",   "  ##0.000",
                                "  ###0.000", "  #0.0000", "  ##0.0000", "  ###0.0000"};

double read(const QByteArray& text) {
    return leading_numeric(std::string_view(text.constData(), text.size()));
}

// The same text as a text box holds it, in UTF-16, read in place.
double read_utf16(const QString& text) {
    return leading_numeric(std::u16string_view(QStringView(text).utf16(), static_cast<std::size_t>(text.size())));
}

QByteArray repeated(char c, int count) {
    return QByteArray(count, c);
}

// The decimal digits of 5^exponent by schoolbook multiplication, most significant first.
QByteArray power_of_five_digits(int exponent) {
    std::vector<int> little_endian{1};
    for (int i = 0; i < exponent; ++i) {
        int carry = 0;
        for (int& digit : little_endian) {
            const int product = digit * 5 + carry;
            digit = product % 10;
            carry = product / 10;
        }
        if (carry > 0) {
            little_endian.push_back(carry);
        }
    }
    QByteArray digits;
    for (auto it = little_endian.rbegin(); it != little_endian.rend(); ++it) {
        digits += char('0' + *it);
    }
    return digits;
}

// The exact decimal text of 2^-exponent: 5^exponent scaled by 10^-exponent.
QByteArray exact_power_of_half(int exponent) {
    return power_of_five_digits(exponent) + "e-" + QByteArray::number(exponent);
}

// The value as the C library prints it.
QByteArray printed(const char* format, double value) {
    const int length = std::snprintf(nullptr, 0, format, value);
    QByteArray text(length, '\0');
    std::snprintf(text.data(), static_cast<std::size_t>(length) + 1, format, value);
    return text;
}

QByteArray describe(double actual, double expected) {
    return "read " + QByteArray::number(actual, 'g', 17) + ", expected " + QByteArray::number(expected, 'g', 17);
}

std::uint64_t power_of_ten(int exponent) {
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i) {
        power *= 10;
    }
    return power;
}

// The text a picture should give for |value| below 1e15, computed in integers from the 15
// significant digits printf shows: value × 10^decimals rounded half up, then split at the point.
std::string expected_text(double value, int blanks, int decimals) {
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
    char* exponent_text = nullptr;
    const std::uint64_t mantissa =
        std::strtoull(scientific, nullptr, 10) * power_of_ten(14) + std::strtoull(scientific + 2, &exponent_text, 10);
    const int shift = std::atoi(exponent_text + 1) - 14 + decimals;
    std::uint64_t scaled = 0;
    if (shift >= 0) {
        scaled = mantissa * power_of_ten(shift);
    } else if (shift > -19) {
        const std::uint64_t divisor = power_of_ten(-shift);
        scaled = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    const std::uint64_t unit = power_of_ten(decimals);
    char body[48];
    std::snprintf(body, sizeof body, "%llu.%0*llu", static_cast<unsigned long long>(scaled / unit), decimals,
                  static_cast<unsigned long long>(scaled % unit));
    return std::string(value < 0 && scaled != 0 ? "-" : "") + std::string(blanks, ' ') + body;
}

// Doubles of every magnitude, a third of each kind: log-uniform over the range where decimals
// matter, short decimals ending in 5 (halves at some decimal place), and raw bit patterns
// covering subnormals and the largest values.
std::vector<double> random_doubles(std::uint64_t seed, int count) {
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> decade(-10.0, 15.0);
    std::uniform_int_distribution<int> short_mantissa(0, 9'999'999);
    std::uniform_int_distribution<int> places(1, 7);
    std::vector<double> values;
    while (static_cast<int>(values.size()) < count) {
        const std::uint64_t bits = generator();
        const double sign = (bits & 8) ? -1.0 : 1.0;
        double value = 0;
        switch (bits % 3) {
            case 0:
                value = sign * std::pow(10.0, decade(generator));
                break;
            case 1:
                value = sign * (short_mantissa(generator) * 10.0 + 5.0) / std::pow(10.0, places(generator));
                break;
            default:
                std::memcpy(&value, &bits, sizeof value);
        }
        if (std::isfinite(value)) {
            values.push_back(value);
        }
    }
    return values;
}

}  // namespace

class TestTextRules : public QObject {
    Q_OBJECT

    static void verify_reading() {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        const double actual = read(text);
        QVERIFY2(actual == expected, describe(actual, expected));
        QVERIFY2(actual != 0.0 || !std::signbit(actual), "zero reads without sign");
        const double actual_utf16 = read_utf16(QString::fromLatin1(text));
        QVERIFY2(std::memcmp(&actual_utf16, &actual, sizeof actual) == 0, "UTF-16 " + describe(actual_utf16, actual));
    }

private slots:
    void reads_leading_number_data();
    void reads_leading_number();
    void reads_long_and_boundary_texts_data();
    void reads_long_and_boundary_texts();
    void reads_back_every_printed_double_data();
    void reads_back_every_printed_double();
    void reads_utf16_beyond_ascii_data();
    void reads_utf16_beyond_ascii();
    void reads_utf16_as_its_latin1_form();
    void writes_under_picture_data();
    void writes_under_picture();
    void written_text_reads_back_rounded_data();
    void written_text_reads_back_rounded();
    void types_shortest_text_data();
    void types_shortest_text();
    void types_fewest_digits_that_read_back();
};

void TestTextRules::reads_leading_number_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("initial text with trailing blank") << QByteArray(" 1.00 ") << 1.0;
    QTest::newRow("initial width") << QByteArray("  70.00") << 70.0;
    QTest::newRow("initial dielectric") << QByteArray(" 12.9") << 12.9;
    QTest::newRow("message Invalid Z0") << QByteArray(" Invalid Z0") << 0.0;
    QTest::newRow("message Too Small") << QByteArray("Too Small") << 0.0;
    QTest::newRow("message infinity") << QByteArray(" infinity") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("only blanks") << QByteArray(" \t\n ") << 0.0;
    QTest::newRow("comma ends the number") << QByteArray("1,5") << 1.0;
    QTest::newRow("blank between digits") << QByteArray("1 2") << 12.0;
    QTest::newRow("tabs and line feeds anywhere") << QByteArray("\t1\n2 .\t5 ") << 12.5;
    QTest::newRow("carriage return ends the number") << QByteArray("1\r2") << 1.0;
    QTest::newRow("non-ASCII byte ends the number") << QByteArray(
                                                           "1\xc3\xa9"
                                                           "5")
                                                    << 1.0;
    QTest::newRow("no-break space is not a blank") << QByteArray(
                                                          "\xc2\xa0"
                                                          "5")
                                                   << 0.0;
    QTest::newRow("trailing text ignored") << QByteArray("75 ohms") << 75.0;

    QTest::newRow("minus") << QByteArray("-2.5") << -2.5;
    QTest::newRow("plus") << QByteArray("+2.5") << 2.5;
    QTest::newRow("blank after sign") << QByteArray(" - 2.5") << -2.5;
    QTest::newRow("two signs") << QByteArray("--2") << 0.0;
    QTest::newRow("sign after sign") << QByteArray("+-2") << 0.0;
    QTest::newRow("minus inside ends the number") << QByteArray("2-3") << 2.0;

    QTest::newRow("point last") << QByteArray("5.") << 5.0;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("second point ends the number") << QByteArray("1.5.3") << 1.5;
    QTest::newRow("lone point") << QByteArray(".") << 0.0;
    QTest::newRow("lone minus") << QByteArray("-") << 0.0;
    QTest::newRow("sign and point") << QByteArray("+.") << 0.0;
    QTest::newRow("exponent without mantissa digits") << QByteArray(".e5") << 0.0;
    QTest::newRow("leading zeros") << QByteArray("007.50") << 7.5;

    QTest::newRow("lower e") << QByteArray("1.5e3") << 1500.0;
    QTest::newRow("upper E with minus") << QByteArray("25E-1") << 2.5;
    QTest::newRow("lower d") << QByteArray("1d3") << 1000.0;
    QTest::newRow("upper D with plus") << QByteArray("2D+2") << 200.0;
    QTest::newRow("blanks inside exponent") << QByteArray("1 e + 0 3") << 1000.0;
    QTest::newRow("letter without digits") << QByteArray("1e") << 1.0;
    QTest::newRow("letter and sign without digits") << QByteArray("1e+") << 1.0;
    QTest::newRow("letter and minus without digits") << QByteArray("2d-x") << 2.0;
    QTest::newRow("point ends the exponent") << QByteArray("1e3.5") << 1000.0;
    QTest::newRow("other letter ends the number") << QByteArray("3f2") << 3.0;

    QTest::newRow("hexadecimal lower") << QByteArray("&h1f") << 31.0;
    QTest::newRow("hexadecimal upper") << QByteArray("&H1F") << 31.0;
    QTest::newRow("hexadecimal with blanks") << QByteArray(" & h 1 f ") << 31.0;
    QTest::newRow("octal lower") << QByteArray("&o17") << 15.0;
    QTest::newRow("octal upper") << QByteArray("&O17") << 15.0;
    QTest::newRow("octal stops at 8") << QByteArray("&o178") << 15.0;
    QTest::newRow("hexadecimal stops at g") << QByteArray("&hfg1") << 15.0;
    QTest::newRow("hexadecimal without digits") << QByteArray("&h") << 0.0;
    QTest::newRow("ampersand alone") << QByteArray("&") << 0.0;
    QTest::newRow("ampersand with other letter") << QByteArray("&x1") << 0.0;
    QTest::newRow("no sign before ampersand") << QByteArray("-&h1f") << 0.0;
    QTest::newRow("no sign after radix letter") << QByteArray("&h-1") << 0.0;
    QTest::newRow("ampersand after a number") << QByteArray("1&h2") << 1.0;
    QTest::newRow("hexadecimal is not a fraction") << QByteArray("&h1.8") << 1.0;
    QTest::newRow("all 64 bits set") << QByteArray("&hFFFFFFFFFFFFFFFF") << 18446744073709551616.0;
    QTest::newRow("hexadecimal tie rounds to even down") << QByteArray("&h20000000000001") << 9007199254740992.0;
    QTest::newRow("hexadecimal tie rounds to even up") << QByteArray("&h20000000000003") << 9007199254740996.0;
    QTest::newRow("hexadecimal just above a tie") << QByteArray(
                                                         "&h20000000000001"
                                                         "0000000000001")
                                                  << std::ldexp(9007199254740994.0, 52);
    QTest::newRow("octal tie rounds to even") << QByteArray("&o400000000000000001") << 9007199254740992.0;
}

void TestTextRules::reads_leading_number() {
    verify_reading();
}

void TestTextRules::reads_long_and_boundary_texts_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("beyond the range") << QByteArray("1e400") << largest;
    QTest::newRow("beyond the range negative") << QByteArray("-1e400") << -largest;
    QTest::newRow("just past the largest double") << QByteArray("1.8e308") << largest;
    QTest::newRow("largest double") << QByteArray("1.7976931348623157e308") << largest;
    QTest::newRow("exponent with 25 digits") << QByteArray("1e99999999999999999999999") << largest;
    QTest::newRow("exponent of 2^64 + 1") << QByteArray("1e18446744073709551617") << largest;
    QTest::newRow("negative exponent of 2^64 + 1") << QByteArray("1e-18446744073709551617") << 0.0;
    QTest::newRow("negative exponent with 25 digits") << QByteArray("-1e-99999999999999999999999") << 0.0;
    QTest::newRow("below the smallest subnormal") << QByteArray("1e-400") << 0.0;
    QTest::newRow("smallest subnormal") << QByteArray("4.9406564584124654e-324") << smallest_subnormal;
    QTest::newRow("smallest normal") << QByteArray("2.2250738585072014e-308") << std::numeric_limits<double>::min();
    QTest::newRow("zero mantissa huge exponent") << QByteArray("0e99999") << 0.0;

    QTest::newRow("hexadecimal of 256 digits saturates") << "&h" + repeated('f', 256) << largest;
    QTest::newRow("octal of 400 digits saturates") << "&o" + repeated('7', 400) << largest;
    QTest::newRow("hexadecimal power of two near the top") << "&h1" + repeated('0', 255) << std::ldexp(1.0, 1020);

    QTest::newRow("400 zeros after the point scaled back") << "0." + repeated('0', 399) + "1e400" << 1.0;
    QTest::newRow("400 zeros before the point scaled back") << "1" + repeated('0', 400) + "e-400" << 1.0;
    QTest::newRow("100 000 nines saturate") << repeated('9', 100000) << largest;
    QTest::newRow("100 000 digits scaled back") << "1" + repeated('0', 99999) + "e-99990" << 1e9;
    QTest::newRow("100 000 fraction digits scaled back") << "0." + repeated('0', 99999) + "1e100005" << 1e5;

    // 2^53 + 1 lies halfway between two doubles; a non-zero digit far beyond the others decides.
    QTest::newRow("decimal tie rounds to even") << QByteArray("9007199254740993") << 9007199254740992.0;
    QTest::newRow("tie broken by fraction digit 900 places on")
        << "9007199254740993." + repeated('0', 900) + "1" << 9007199254740994.0;
    QTest::newRow("tie broken by integer digit 900 places on")
        << "9007199254740993" + repeated('0', 900) + "1e-901" << 9007199254740994.0;
    QTest::newRow("half the smallest subnormal ties to zero") << exact_power_of_half(1075) << 0.0;
    QTest::newRow("just above half the smallest subnormal")
        << power_of_five_digits(1075) + repeated('0', 300) + "1e-1376" << smallest_subnormal;
}

void TestTextRules::reads_long_and_boundary_texts() {
    verify_reading();
}

void TestTextRules::reads_back_every_printed_double_data() {
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("spread_blanks");
    QTest::addColumn<bool>("d_exponent");

    QTest::newRow("general with 17 digits") << QByteArray("%.17g") << false << false;
    QTest::newRow("scientific with D") << QByteArray("%.17e") << false << true;
    QTest::newRow("fixed") << QByteArray("%.17f") << false << false;
    QTest::newRow("blank after every character") << QByteArray("%.17e") << true << false;
}

void TestTextRules::reads_back_every_printed_double() {
    QFETCH(QByteArray, format);
    QFETCH(bool, spread_blanks);
    QFETCH(bool, d_exponent);
    for (const double value : random_doubles(20240611, 20000)) {
        QByteArray text = printed(format.constData(), value);
        if (d_exponent) {
            text.replace('e', 'D');
        }
        if (spread_blanks) {
            QByteArray spread;
            for (const char c : text) {
                spread += c;
                spread += ' ';
            }
            text = spread;
        }
        const double expected = std::strtod(printed(format.constData(), value).constData(), nullptr);
        const double actual = read(text);
        QVERIFY2(actual == expected, text + ": " + describe(actual, expected));
    }
}

// Digits, blanks and signs of other scripts are none of the rule's: each ends the number.
void TestTextRules::reads_utf16_beyond_ascii_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("euro sign ends the number") << QStringLiteral("12\u20AC3") << 12.0;
    QTest::newRow("Latin-1 letter ends the number") << QStringLiteral("4.5\u00E97") << 4.5;
    QTest::newRow("no-break space is no blank") << QStringLiteral("5\u00A06") << 5.0;
    QTest::newRow("em space is no blank") << QStringLiteral("\u2003 7") << 0.0;
    QTest::newRow("Arabic-Indic digit is no digit") << QStringLiteral("\u0661") << 0.0;
    QTest::newRow("fullwidth digits are no digits") << QStringLiteral("3\uFF11\uFF12") << 3.0;
    QTest::newRow("minus sign is no sign") << QStringLiteral("\u22128") << 0.0;
    QTest::newRow("surrogate pair ends the exponent") << QStringLiteral("2e\U0001D7D93") << 2.0;
    QTest::newRow("ASCII after a wide character") << QStringLiteral(" 50.0\u00B0") << 50.0;
}

void TestTextRules::reads_utf16_beyond_ascii() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = read_utf16(text);
    QVERIFY2(actual == expected, describe(actual, expected));
}

// Random texts of number characters, blanks and characters beyond ASCII read the same in
// UTF-16 as in their Latin-1 form, where a character beyond Latin-1 is '?'.
void TestTextRules::reads_utf16_as_its_latin1_form() {
    const QString alphabet =
        QStringLiteral(" \t\n0123456789.+-eEdDhHoO&fF?\u00A0\u00E9\u00FF\u0100\u0661\u2003\uFF11\U0001D7D9");
    std::mt19937 random(20240612);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int i = 0; i < 50000; ++i) {
        QString text;
        for (int n = length(random); n > 0; --n) {
            text += alphabet.at(pick(random));
        }
        const double expected = read(text.toLatin1());
        const double actual = read_utf16(text);
        QVERIFY2(std::memcmp(&actual, &expected, sizeof actual) == 0,
                 text.toUtf8() + ": " + describe(actual, expected));
    }
}

void TestTextRules::writes_under_picture_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QString>("expected");

    QTest::newRow("impedance") << 49.891234 << QByteArray("  ##0.00") << "  49.89";
    QTest::newRow("width") << 123.456789 << QByteArray("  ###0.00") << "  123.46";
    QTest::newRow("phase length") << 90.0 << QByteArray(" ###0.00") << " 90.00";
    QTest::newRow("effective dielectric") << 8.0127 << QByteArray("  ##0.000") << "  8.013";
    QTest::newRow("three decimals wide") << 1234.5678 << QByteArray("  ###0.000") << "  1234.568";
    QTest::newRow("velocity") << 0.35327 << QByteArray("  #0.0000") << "  0.3533";
    QTest::newRow("element value") << 12.34567 << QByteArray("  ##0.0000") << "  12.3457";
    QTest::newRow("element value wide") << 3.14159265 << QByteArray("  ###0.0000") << "  3.1416";

    QTest::newRow("below one shows one zero") << 0.5 << QByteArray("  ##0.00") << "  0.50";
    QTest::newRow("more digits than places") << 1234.5 << QByteArray("  ##0.00") << "  1234.50";
    QTest::newRow("zero") << 0.0 << QByteArray("  #0.0000") << "  0.0000";
    QTest::newRow("thousands without separator") << 123456.789 << QByteArray(" ###0.00") << " 123456.79";

    QTest::newRow("half of 2.675 rounds up") << 2.675 << QByteArray("  ##0.00") << "  2.68";
    QTest::newRow("half of 1.005 rounds up") << 1.005 << QByteArray("  ##0.00") << "  1.01";
    QTest::newRow("exact binary half away from even") << 0.125 << QByteArray("  ##0.00") << "  0.13";
    QTest::newRow("half in the fourth decimal") << 1.00005 << QByteArray("  #0.0000") << "  1.0001";
    QTest::newRow("half below every digit") << 0.00005 << QByteArray("  #0.0000") << "  0.0001";
    QTest::newRow("just below half") << 0.00004999 << QByteArray("  #0.0000") << "  0.0000";
    QTest::newRow("fifteen digits make a half") << 1.234999999999999 << QByteArray("  ##0.00") << "  1.24";
    QTest::newRow("fourteen digits stay below half") << 1.23499999999999 << QByteArray("  ##0.00") << "  1.23";
    QTest::newRow("binary noise vanishes") << 0.1 + 0.2 << QByteArray("  ##0.00") << "  0.30";
    QTest::newRow("carry into a new digit") << 9.995 << QByteArray("  ##0.00") << "  10.00";
    QTest::newRow("carry through nines into a digit") << 2.995 << QByteArray("  ##0.00") << "  3.00";
    QTest::newRow("carry through every digit") << 999.9995 << QByteArray("  ##0.000") << "  1000.000";

    QTest::newRow("negative") << -1.5 << QByteArray("  ##0.00") << "-  1.50";
    QTest::newRow("negative wide") << -1234.5678 << QByteArray("  ###0.0000") << "-  1234.5678";
    QTest::newRow("negative half rounds away") << -2.675 << QByteArray("  ##0.00") << "-  2.68";
    QTest::newRow("negative rounding up to a digit") << -0.005 << QByteArray("  ##0.00") << "-  0.01";
    QTest::newRow("negative rounding to zero") << -0.001 << QByteArray("  ##0.00") << "  0.00";
    QTest::newRow("negative zero") << -0.0 << QByteArray("  ##0.00") << "  0.00";
    QTest::newRow("negative subnormal") << -smallest_subnormal << QByteArray("  #0.0000") << "  0.0000";

    QTest::newRow("fifteen digits then zeros")
        << 123456789012345678.0 << QByteArray("  ##0.00") << "  123456789012346000.00";
    QTest::newRow("rounds up to a power of ten")
        << 999999999999999.9 << QByteArray("  ##0.00") << "  1000000000000000.00";
    QTest::newRow("1e300") << 1e300 << QByteArray(" ###0.00") << " 1" + QString(300, '0') + ".00";
    QTest::newRow("largest double") << largest << QByteArray("  ##0.00")
                                    << "  179769313486232" + QString(294, '0') + ".00";
    QTest::newRow("largest double negative")
        << -largest << QByteArray("  ###0.0000") << "-  179769313486232" + QString(294, '0') + ".0000";

    QTest::newRow("infinity") << infinity << QByteArray("  ##0.00") << " infinity";
    QTest::newRow("minus infinity") << -infinity << QByteArray(" ###0.00") << " infinity";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QByteArray("  #0.0000") << " infinity";
}

void TestTextRules::writes_under_picture() {
    QFETCH(double, value);
    QFETCH(QByteArray, picture);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(format_picture(value, picture.constData())), expected);
    QCOMPARE(picture_reading(value, picture.constData()), read(expected.toLatin1()));
}

void TestTextRules::written_text_reads_back_rounded_data() {
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<unsigned>("seed");
    unsigned seed = 1;
    for (const char* picture : pictures) {
        QTest::newRow(picture) << QByteArray(picture) << seed++;
    }
}

void TestTextRules::written_text_reads_back_rounded() {
    QFETCH(QByteArray, picture);
    QFETCH(unsigned, seed);
    const int blanks = static_cast<int>(picture.indexOf('#'));
    const int decimals = static_cast<int>(picture.size() - picture.indexOf('.') - 1);
    const velmoka::Picture picture_of_row(picture.constData());
    const double significant_range = 1e15;
    for (const double value : random_doubles(seed, 20000)) {
        const std::string text = format_picture(value, picture_of_row);
        double expected = 0;
        if (std::fabs(value) < significant_range) {
            std::string reference = expected_text(value, blanks, decimals);
            QCOMPARE(QString::fromStdString(text), QString::fromStdString(reference));
            std::erase(reference, ' ');
            expected = std::strtod(reference.c_str(), nullptr);
        } else {
            expected = std::strtod(printed("%.14e", value).constData(), nullptr);
            std::string zero_fraction(static_cast<std::size_t>(decimals) + 1, '0');
            zero_fraction.front() = '.';
            QVERIFY2(text.ends_with(zero_fraction), text.c_str());
        }
        const double actual = leading_numeric(text);
        QVERIFY2(actual == expected, QByteArray(text.c_str()) + ": " + describe(actual, expected));
        QVERIFY2(picture_reading(value, picture_of_row) == actual, text.c_str());
    }
}

// A value typed into a box takes its shortest text that reads back as it, plain from 1e-4 to 1e16.
void TestTextRules::types_shortest_text_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("minus zero") << -0.0 << "-0";
    QTest::newRow("whole") << 70.0 << "70";
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0.30000000000000004";
    QTest::newRow("half below its double") << 2.675 << "2.675";
    QTest::newRow("smallest plain") << 1e-4 << "0.0001";
    QTest::newRow("below plain") << 1e-5 << "1e-05";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("sixteen digits") << 1234567890123456.0 << "1234567890123456";
    QTest::newRow("above plain") << 1e16 << "1e+16";
    QTest::newRow("eight decimals") << -12.34567891 << "-12.34567891";
    QTest::newRow("nine decimals") << 0.123456789 << "0.123456789";
}

void TestTextRules::types_shortest_text() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    std::array<char, velmoka::kLongestTypedText> text;
    QCOMPARE(QString::fromLatin1(text.data(), static_cast<int>(velmoka::write_typed_value(text.data(), value))),
             expected);
}

// Over short decimals of every length and raw doubles: the typed text reads back as the value,
// has the digits of the shortest decimal that does, and an exponent only outside 1e-4 to 1e16.
void TestTextRules::types_fewest_digits_that_read_back() {
    std::array<char, velmoka::kLongestTypedText> text;
    std::mt19937_64 generator(20261209);
    std::uniform_int_distribution<std::uint64_t> units(0, 999'999'999'999'999);
    std::uniform_int_distribution<int> decimals(0, 12);
    std::vector<double> values = random_doubles(20261209, 20000);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(static_cast<double>(units(generator) >> (4 * decimals(generator))) /
                         std::pow(10.0, decimals(generator)));
    }
    for (const double value : values) {
        const std::string typed(text.data(), velmoka::write_typed_value(text.data(), value));
        std::array<char, 32> shortest;
        const std::string_view scientific(
            shortest.data(),
            std::to_chars(shortest.data(), shortest.data() + shortest.size(), value, std::chars_format::scientific)
                .ptr);
        const std::string mantissa(scientific.substr(0, scientific.find('e')));
        const auto digits = [](std::string number) {
            std::erase_if(number, [](char c) { return c < '0' || c > '9'; });
            number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
            return number.erase(number.find_last_not_of('0') + 1);
        };
        const bool plain = value == 0.0 || (std::fabs(value) >= 1e-4 && std::fabs(value) < 1e16);
        QVERIFY2(std::strtod(typed.c_str(), nullptr) == value, typed.c_str());
        QVERIFY2(digits(typed.substr(0, typed.find('e'))) == digits(mantissa), typed.c_str());
        QVERIFY2(plain == (typed.find('e') == std::string::npos), typed.c_str());
    }
}

QTEST_APPLESS_MAIN(TestTextRules)
#include "test_text_rules.moc"
