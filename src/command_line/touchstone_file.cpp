#include "command_line/touchstone_file.h"

#include "common/length_units.h"
#include "maths/touchstone.h"

#include <cmath>
#include <fstream>
#include <numbers>

namespace velmoka::command_line {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

int place_of(const commands::Command& command, std::string_view key) {
    return *command.parameter_keyed(key);
}

double result_keyed(const commands::Command& command, const commands::RowAnswer& answer, std::string_view key) {
    for (const commands::Column& column : command.columns) {
        if (column.key == key) {
            return answer.results[static_cast<std::size_t>(column.result)];
        }
    }
    return commands::kNotGiven;
}

std::complex<double> scattering(double decibels, double degrees) {
    return std::polar(std::pow(10.0, decibels / 20.0), degrees * kRadiansPerDegree);
}

}  // namespace

void check_section_sweep(const commands::RowRequest& fixed, const std::vector<std::pair<int, SweptValues>>& swept,
                         bool from_input) {
    const commands::Command& command = *fixed.command;
    if (from_input) {
        throw UsageError("--s2p: one section over a sweep of --freq, not rows of an input");
    }
    for (const auto& [parameter, values] : swept) {
        if (parameter != place_of(command, "freq")) {
            throw UsageError("--s2p: one section over a sweep of --freq alone, not of " +
                             std::string(command.parameters[static_cast<std::size_t>(parameter)].key));
        }
    }
    if (!fixed.given(place_of(command, "length"))) {
        throw UsageError("--s2p: needs --length, the section's");
    }
}

void write_section_touchstone(const std::string& path, const Sweep& sweep, const commands::RowRequest& fixed) {
    const commands::Command& command = *fixed.command;
    std::vector<double> frequencies;
    std::vector<TwoPortS> s;
    for (std::uint64_t index = 0; index < sweep.count(); ++index) {
        const Row row = sweep.row(index);
        commands::RowAnswer answer;
        command.answer(row.request, answer);
        const std::complex<double> s11 =
            scattering(result_keyed(command, answer, "s11_db"), result_keyed(command, answer, "s11_deg"));
        const std::complex<double> s21 =
            scattering(result_keyed(command, answer, "s21_db"), result_keyed(command, answer, "s21_deg"));
        if (std::isfinite(std::abs(s11)) && std::isfinite(std::abs(s21))) {
            frequencies.push_back(row.request.values[static_cast<std::size_t>(place_of(command, "freq"))] *
                                  kHertzPerGigahertz);
            s.push_back({s11, s21, s21, s11});
        }
    }
    std::ofstream file(path);
    if (!file) {
        throw UsageError("--s2p: cannot write '" + path + "'");
    }
    write_touchstone(file, frequencies, s, fixed.values[static_cast<std::size_t>(place_of(command, "z_ref"))]);
}

}  // namespace velmoka::command_line
