#pragma once

#include "calculator/boxes.h"
#include "calculator/shown_boxes.h"
#include "commands/parameter.h"
#include "common/length_units.h"
#include "common/verdict.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A command of velmoka-cli and the Python module, declared once: its parameters, the columns of
// its answers, and the function that answers one row. Every face derives from the declaration:
// velmoka-cli's options and input columns and the keys of its rows, Python's keywords and result
// columns, the type stub's signatures, and the checks of every value given.
namespace velmoka::commands {

inline constexpr std::size_t kMostParameters = 24;
inline constexpr std::size_t kMostResults = 32;
inline constexpr double kNotGiven = std::numeric_limits<double>::quiet_NaN();

// The length units a command takes: the window's two, or every one the faces know.
enum class UnitChoice : std::uint8_t { window, lengths };

// One key of a command's rows: a parameter as given, a result, or a parameter that the command
// may also give as its result (Solve Microstrip's impedance: the one wanted, the one reached).
// A row shows the result where the command gave one, else the value given, else nothing.
struct Column {
    std::string_view key;
    std::string_view caption;  // for people
    Quantity quantity = Quantity::none;
    int parameter = -1;                     // its place among the command's parameters; -1 for none
    int result = -1;                        // its place among the answer's results; -1 for none
    std::optional<Box> box = std::nullopt;  // the window's box it shows, for the window's commands
};

struct Command;

// One row to answer: a command, the unit of its lengths, and the value of each parameter in its
// units, NaN where none was given. A choice is given as the place of its word.
struct RowRequest {
    const Command* command = nullptr;
    LengthUnit units = LengthUnit::microns;
    bool opening_window = false;  // values not given are the opening window's
    std::array<double, kMostParameters> values;
    // The values not given that were taken from the opening window or from their defaults: a
    // window command leaves their boxes as they open rather than typing them in.
    std::uint32_t taken_as_they_open = 0;

    RowRequest() { values.fill(kNotGiven); }
    bool given(int parameter) const { return !std::isnan(values[static_cast<std::size_t>(parameter)]); }
    bool typed(int parameter) const { return given(parameter) && (taken_as_they_open >> parameter & 1U) == 0; }
};

// The answer of one row: each result, NaN where the command gave none, and the verdict. The
// window's commands also keep what their boxes show, for the texts of people's output.
struct RowAnswer {
    std::array<double, kMostResults> results;
    Verdict verdict;
    std::optional<ShownBoxes> boxes;

    RowAnswer() { results.fill(kNotGiven); }
};

struct Command {
    std::string_view word;         // velmoka-cli's: synth-pi
    std::string_view python_name;  // Python's: synth_pi
    std::string_view caption;      // for people: the window's button, "Synth.Pi"
    std::string_view summary;      // a line for the help
    UnitChoice units;
    std::span<const Parameter> parameters = {};
    std::span<const Column> columns = {};             // of a command answered row by row; else empty
    std::span<const std::string_view> warnings = {};  // the words of each warning bit of its verdicts
    // The messages its verdicts' faults can carry, besides the checks of its values (not a finite
    // number, out of its range), which read after their key.
    std::span<const std::string_view> messages = {};
    // How many of its parameters, from the first, Python also takes by their place.
    std::size_t positional = 0;
    // Whether the values not given may be taken from the opening window, on request: for the
    // commands whose parameters are the window's boxes.
    bool opens_like_the_window = false;
    // A check of the values together, after each alone has passed its own: the fault of a
    // request no row can be answered for (velmoka-cli's usage error, Python's error of the
    // element); empty where there is none.
    std::optional<Fault> (*check)(const RowRequest& request) = nullptr;
    void (*answer)(const RowRequest& request, RowAnswer& answer) = nullptr;
    // Answers rows a block at a time, where the command has a faster way for many rows than one
    // by one (the line at frequency's SIMD lanes); null: each row by answer.
    void (*answer_block)(std::span<const RowRequest> requests, std::span<RowAnswer> answers) = nullptr;
    std::size_t rows_per_batch = 1;    // rows one thread works out together
    std::size_t batches_per_core = 1;  // batches worked out at once, for each core of the machine

    bool answers_rows() const { return answer != nullptr; }
    std::optional<int> parameter_keyed(std::string_view key) const;
};

// A fault's message as the faces show it: after its key where it reads so ("w is not a finite
// number"), else as it stands ("Too Small").
inline std::string fault_text(const Fault& fault) {
    return fault.after_key ? std::string(fault.key) + " " + std::string(fault.message) : std::string(fault.message);
}

// The value a row shows under a column: the result where the command gave one, else the value
// given, else NaN.
inline double shown_value(const RowRequest& request, const RowAnswer& answer, const Column& column) {
    if (column.result >= 0) {
        const double result = answer.results[static_cast<std::size_t>(column.result)];
        if (!std::isnan(result)) {
            return result;
        }
    }
    return column.parameter >= 0 ? request.values[static_cast<std::size_t>(column.parameter)] : kNotGiven;
}

}  // namespace velmoka::commands
