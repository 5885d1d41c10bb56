#include "spread/worst_case.h"

#include "spread/golden_section.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace velmoka::spread {

namespace {

constexpr int kGridPoints = 9;               // along each toleranced input
constexpr double kNarrowestBracket = 1e-12;  // of the search along an input, relative to the box
constexpr int kMostPasses = 20;              // of the search over every input in turn
constexpr double kLeastImprovement = 1e-13;  // relative, that makes another pass worth it

enum class Direction { level, rising, falling, both };

Direction joined(Direction seen, double change) {
    const Direction now = change > 0.0 ? Direction::rising : change < 0.0 ? Direction::falling : Direction::level;
    if (seen == Direction::level || seen == now) {
        return now == Direction::level ? seen : now;
    }
    return now == Direction::level ? seen : Direction::both;
}

struct Grid {
    std::vector<std::size_t> inputs;  // the toleranced ones
    std::vector<Line> lines;          // in odometer order, the last input fastest
    std::vector<double> values;
};

Grid grid_over(const ToleranceBox& box, const LineFunction& values) {
    Grid grid;
    for (std::size_t input = 0; input < kInputs; ++input) {
        if (box.lowest.values[input] != box.highest.values[input]) {
            grid.inputs.push_back(input);
        }
    }
    std::size_t points = 1;
    for (std::size_t dimension = 0; dimension < grid.inputs.size(); ++dimension) {
        points *= kGridPoints;
    }
    for (std::size_t point = 0; point < points; ++point) {
        Line line = box.lowest;
        std::size_t rest = point;
        for (std::size_t dimension = grid.inputs.size(); dimension-- > 0;) {
            const std::size_t input = grid.inputs[dimension];
            const double step = static_cast<double>(rest % kGridPoints) / (kGridPoints - 1);
            line.values[input] =
                box.lowest.values[input] + step * (box.highest.values[input] - box.lowest.values[input]);
            rest /= kGridPoints;
        }
        grid.lines.push_back(line);
    }
    grid.values = values(grid.lines);
    return grid;
}

// How the function goes along each toleranced input, over every grid line of the box.
std::vector<Direction> directions_on(const Grid& grid) {
    std::vector<Direction> directions(grid.inputs.size(), Direction::level);
    std::size_t stride = 1;
    for (std::size_t dimension = grid.inputs.size(); dimension-- > 0; stride *= kGridPoints) {
        for (std::size_t point = 0; point < grid.lines.size(); ++point) {
            if ((point / stride) % kGridPoints != kGridPoints - 1) {
                directions[dimension] = joined(directions[dimension], grid.values[point + stride] - grid.values[point]);
            }
        }
    }
    return directions;
}

// From a point of the box, the search for the function's lowest (sign 1) or highest (sign −1):
// each input in turn moved to where it does best, the monotone ones to their best end, the
// others by a golden-section search, until a pass gains nothing.
std::pair<Line, double> searched_from(Line line, double value, double sign, const ToleranceBox& box, const Grid& grid,
                                      const std::vector<Direction>& directions, const LineFunction& values) {
    const auto value_at = [&](const Line& at) { return sign * values({at}).front(); };
    double best = sign * value;
    for (int pass = 0; pass < kMostPasses; ++pass) {
        const double before = best;
        for (std::size_t dimension = 0; dimension < grid.inputs.size(); ++dimension) {
            const std::size_t input = grid.inputs[dimension];
            const double low = box.lowest.values[input];
            const double high = box.highest.values[input];
            if (directions[dimension] != Direction::both) {
                Line end = line;
                const bool low_end_is_better = (directions[dimension] == Direction::rising) == (sign > 0.0);
                end.values[input] = low_end_is_better ? low : high;
                if (const double at_end = value_at(end); at_end < best) {
                    best = at_end;
                    line = end;
                }
                continue;
            }
            Line probe = line;
            const auto at = [&](double value_of_input) {
                probe.values[input] = value_of_input;
                return value_at(probe);
            };
            const double narrowest = (high - low) * kNarrowestBracket;
            if (const auto [found_at, found] = golden_section(low, high, narrowest, at, std::less<>()); found < best) {
                best = found;
                line.values[input] = found_at;
            }
        }
        if (!(before - best > kLeastImprovement * std::fabs(best))) {
            break;
        }
    }
    return {line, sign * best};
}

}  // namespace

ToleranceBox tolerance_box(const Request& request) {
    ToleranceBox box{request.nominal, request.nominal};
    for (std::size_t input = 0; input < kInputs; ++input) {
        const double tolerance = request.tolerances[input].about(request.nominal.values[input]);
        box.lowest.values[input] -= tolerance;
        box.highest.values[input] += tolerance;
    }
    box.lowest[Input::t] = std::max(box.lowest[Input::t], 0.0);
    box.lowest[Input::er] = std::max(box.lowest[Input::er], 1.0);
    return box;
}

WorstCase extremes_over(const ToleranceBox& box, const LineFunction& values) {
    const Grid grid = grid_over(box, values);
    const std::vector<Direction> directions = directions_on(grid);
    const auto [lowest, highest] = std::minmax_element(grid.values.begin(), grid.values.end());
    WorstCase worst{*lowest,
                    *highest,
                    grid.lines[static_cast<std::size_t>(lowest - grid.values.begin())],
                    grid.lines[static_cast<std::size_t>(highest - grid.values.begin())],
                    {},
                    false};
    worst.monotone.fill(true);
    for (std::size_t dimension = 0; dimension < grid.inputs.size(); ++dimension) {
        worst.monotone[grid.inputs[dimension]] = directions[dimension] != Direction::both;
    }
    worst.searched = std::count(directions.begin(), directions.end(), Direction::both) > 0;
    if (worst.searched) {
        std::tie(worst.lowest_at, worst.lowest) =
            searched_from(worst.lowest_at, worst.lowest, 1.0, box, grid, directions, values);
        std::tie(worst.highest_at, worst.highest) =
            searched_from(worst.highest_at, worst.highest, -1.0, box, grid, directions, values);
    }
    return worst;
}

}  // namespace velmoka::spread
