#include "field_solver/slab_images.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <utility>

namespace velmoka::field_solver {

namespace {

// The sum's nearest singularity, at w = −4: the first deep image of a charge on the slab's face.
constexpr double kSingularityDepth = 4.0;
// Each cell's Taylor coefficients come from the sum at this many points on a circle of 1.5 times
// the cell's radius, an eighth of the way out to the singularity: the coefficients beyond the
// cell's terms fold into them by less than 8^−16 of the sum's size, and the samples' rounding
// errors grow by no more than 1/(1 − 1/1.5) in the cell.
constexpr int kCircleSamples = 16;
constexpr double kCircleRadiusPerCellRadius = 1.5;
// Heights a rounding error outside the tabulated ones still lie within their cell's radius.
constexpr double kHeightRounding = 1e-9;

}  // namespace

SlabImages::SlabImages(double er, const std::vector<Panel>& panels) : ratio_(-(er - 1.0) / (er + 1.0)), series_(er) {
    if (in_air()) {
        return;
    }
    double widest = 0.0;
    double highest = 1.0;
    std::vector<double> flat_faces;  // the heights y of the flat faces
    for (const Panel& panel : panels) {
        widest = std::max({widest, std::abs(panel.start.x), std::abs(panel.end.x)});
        highest = std::max({highest, panel.start.y, panel.end.y});
        if (panel.start.y == panel.end.y &&
            std::find(flat_faces.begin(), flat_faces.end(), panel.start.y) == flat_faces.end()) {
            flat_faces.push_back(panel.start.y);
        }
    }
    // Between two points on the panels or their mirrors, y + y' − 2 is at most 2(highest − 1)
    // and |x ∓ x'| at most 2·widest.
    tabulate(2.0 * (highest - 1.0), 2.0 * widest);
    // The points of a flat face, its panels' midpoints and Gauss points, lie at its height y to
    // the last bit, and y + y' − 2 is worked out alike for the table and for its callers.
    for (double y : flat_faces) {
        for (double other : flat_faces) {
            const double height = y + other - 2.0;
            if (std::none_of(lines_.begin(), lines_.end(), [&](const Line& line) { return line.height == height; })) {
                tabulate_line(height);
            }
        }
    }
}

void SlabImages::tabulate(double highest, double widest) {
    height_reach_ = highest;
    columns_ = std::max(1, static_cast<int>(std::ceil(highest / kHighestColumn)));
    column_height_ = highest / columns_;
    const double half_column = 0.5 * column_height_;
    // The lowest column's centre is the nearest to the singularity, so a row of cells that suits
    // it suits every column. Rows widen along `across` as the singularity falls away.
    const auto row_suits = [&](double start, int bins) {
        const double half_row = 0.5 * bins * kBinWidth;
        return std::hypot(half_column, half_row) <=
               kCellRadiusRatio * std::hypot(kSingularityDepth + half_column, start + half_row);
    };
    double start = 0.0;
    int row = 0;
    do {
        int bins = 1;  // a cell one bin long always suits
        while (row_suits(start, bins + 1)) {
            ++bins;
        }
        const double half_row = 0.5 * bins * kBinWidth;
        const double sample_radius = kCircleRadiusPerCellRadius * std::hypot(half_column, half_row);
        for (int column = 0; column < columns_; ++column) {
            Cell cell{{(column + 0.5) * column_height_, start + half_row}, {}};
            for (int j = 0; j < kCircleSamples; ++j) {
                const std::complex<double> turn = std::polar(1.0, 2.0 * std::numbers::pi * j / kCircleSamples);
                const std::complex<double> sum = series_.sum(cell.centre + sample_radius * turn);
                // Σ_j S_j·turn^−k / (N·radius^k), the k-th Taylor coefficient.
                std::complex<double> weight = sum / static_cast<double>(kCircleSamples);
                const std::complex<double> step = std::conj(turn) / sample_radius;
                for (std::complex<double>& term : cell.terms) {
                    term += weight;
                    weight *= step;
                }
            }
            cells_.push_back(cell);
        }
        row_of_bin_.insert(row_of_bin_.end(), bins, row);
        ++row;
        start += bins * kBinWidth;
    } while (start <= widest);
    across_reach_ = start;
}

int SlabImages::column_of(double height) const {
    return columns_ == 1 ? 0 : std::min(static_cast<int>(height / column_height_), columns_ - 1);
}

void SlabImages::tabulate_line(double height) {
    Line line{height, {}};
    const int rows = static_cast<int>(cells_.size()) / columns_;
    for (int row = 0; row < rows; ++row) {
        const Cell& cell = cells_[row * columns_ + column_of(height)];
        // The polynomial in z = zr + i·x, zr the line's height from the centre's: its
        // coefficients in x by shifting its origin to zr (repeated synthetic division), then
        // the real parts of i^k times them.
        std::complex<double> shifted[kCellTerms];
        std::copy(std::begin(cell.terms), std::end(cell.terms), shifted);
        const double zr = height - cell.centre.real();
        for (int k = 0; k < kCellTerms; ++k) {
            for (int m = kCellTerms - 2; m >= k; --m) {
                shifted[m] += zr * shifted[m + 1];
            }
        }
        LineCell line_cell{cell.centre.imag(), {}};
        for (int k = 0; k < kCellTerms; ++k) {
            const double parts[] = {shifted[k].real(), -shifted[k].imag(), -shifted[k].real(), shifted[k].imag()};
            line_cell.terms[k] = parts[k % 4];
        }
        line.cells.push_back(line_cell);
    }
    lines_.push_back(std::move(line));
}

double SlabImages::log_sum(double height, double across) const {
    if (in_air()) {
        return 0.0;
    }
    const double a = std::abs(across);
    if (!(a < across_reach_ && height >= -kHeightRounding && height <= height_reach_ + kHeightRounding)) {
        return series_.sum({height, a}).real();
    }
    const int row = row_of_bin_[static_cast<int>(a / kBinWidth)];
    // The sum is even in `across`, so its value at |across| serves.
    for (const Line& line : lines_) {
        if (height == line.height) {
            // The line's real polynomial at x, its even and odd terms by Horner's rule in x² side
            // by side, which halves the chain of dependent steps.
            const LineCell& cell = line.cells[row];
            const double x = a - cell.centre;
            const double squared = x * x;
            double even = cell.terms[kCellTerms - 2];
            double odd = cell.terms[kCellTerms - 1];
            for (int k = kCellTerms - 4; k >= 0; k -= 2) {
                even = even * squared + cell.terms[k];
                odd = odd * squared + cell.terms[k + 1];
            }
            return even + odd * x;
        }
    }
    const Cell& cell = cells_[row * columns_ + column_of(height)];
    // The cell's polynomial at z = w − centre, in real and imaginary parts: its even and odd
    // terms by Horner's rule in z², as along a line.
    const double zr = height - cell.centre.real();
    const double zi = a - cell.centre.imag();
    const double squared_real = zr * zr - zi * zi;
    const double squared_imaginary = 2.0 * zr * zi;
    double even_real = cell.terms[kCellTerms - 2].real();
    double even_imaginary = cell.terms[kCellTerms - 2].imag();
    double odd_real = cell.terms[kCellTerms - 1].real();
    double odd_imaginary = cell.terms[kCellTerms - 1].imag();
    for (int k = kCellTerms - 4; k >= 0; k -= 2) {
        const double next_even = even_real * squared_real - even_imaginary * squared_imaginary + cell.terms[k].real();
        even_imaginary = even_real * squared_imaginary + even_imaginary * squared_real + cell.terms[k].imag();
        even_real = next_even;
        const double next_odd = odd_real * squared_real - odd_imaginary * squared_imaginary + cell.terms[k + 1].real();
        odd_imaginary = odd_real * squared_imaginary + odd_imaginary * squared_real + cell.terms[k + 1].imag();
        odd_real = next_odd;
    }
    return even_real + odd_real * zr - odd_imaginary * zi;
}

}  // namespace velmoka::field_solver
