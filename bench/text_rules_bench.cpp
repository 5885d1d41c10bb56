// The two text rules per box text: reading the leading number of what a box holds, and
// writing a result under its picture.

#include "in_turn.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/picture_format.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace {

using velmoka::format_picture;
using velmoka::leading_numeric;

// What the boxes hold when the window opens, after commands, and typed by hand.
constexpr std::string_view kBoxTexts[] = {
    " 50.0",   "  70.00", "  0.0000", " 12.9",   " 100.0", " 4.00",       " 1.00 ",
    "  49.89", "  8.013", "  0.3533", "  69.63", "2.5e-3", " Invalid Z0", "&H1F",
};

void BM_ReadBoxText(benchmark::State& state) {
    evaluate_in_turn(state, kBoxTexts, [](std::string_view text) { return leading_numeric(text); });
}
BENCHMARK(BM_ReadBoxText);

// The same texts in UTF-16, as the window reads them from its boxes.
constexpr std::u16string_view kBoxTextsUtf16[] = {
    u" 50.0",   u"  70.00", u"  0.0000", u" 12.9",   u" 100.0", u" 4.00",       u" 1.00 ",
    u"  49.89", u"  8.013", u"  0.3533", u"  69.63", u"2.5e-3", u" Invalid Z0", u"&H1F",
};

void BM_ReadBoxTextUtf16(benchmark::State& state) {
    evaluate_in_turn(state, kBoxTextsUtf16, [](std::u16string_view text) { return leading_numeric(text); });
}
BENCHMARK(BM_ReadBoxTextUtf16);

struct Result {
    double value;
    velmoka::Picture picture;
};

// Results of the four commands on the opening window, each under the picture it is shown with.
constexpr Result kResults[] = {
    {49.89353, "  ##0.00"},    {69.99999999, "  ###0.00"}, {8.0126312, "  ##0.000"},
    {0.35327, "  #0.0000"},    {-12.3456789, " ###0.00"},  {1.2345678, "  ##0.0000"},
    {0.0000499, "  ##0.0000"}, {12.9, "  ##0.000"},        {100.0, "  ###0.00"},
};

void BM_WriteBoxText(benchmark::State& state) {
    evaluate_in_turn(state, kResults,
                     [](const Result& result) { return format_picture(result.value, result.picture); });
}
BENCHMARK(BM_WriteBoxText);

// The number the same results read as once written, without their texts: what the bulk path
// keeps of a box.
void BM_ReadWrittenResult(benchmark::State& state) {
    evaluate_in_turn(state, kResults,
                     [](const Result& result) { return velmoka::picture_reading(result.value, result.picture); });
}
BENCHMARK(BM_ReadWrittenResult);

// The text of a result written into a buffer, as velmoka-cli writes its rows.
void BM_WriteResultInPlace(benchmark::State& state) {
    std::array<char, velmoka::kLongestPictureText> text;
    evaluate_in_turn(state, kResults, [&](const Result& result) {
        return velmoka::write_picture(text.data(), result.value, result.picture);
    });
}
BENCHMARK(BM_WriteResultInPlace);

}  // namespace

BENCHMARK_MAIN();
