#pragma once

#include <complex>
#include <vector>

#include "field_solver/deep_image_series.h"
#include "field_solver/strip_panels.h"

// A line charge above a grounded dielectric slab (thickness 1, relative permittivity er) sees,
// from anywhere above the slab, the field of itself and of image charges on its vertical: −K at
// its mirror in the slab's top face, K = (er − 1)/(er + 1), then −(1 − K²)(−K)^(n−1) at its
// mirror in the ground plane moved down by 2(n − 1), for n = 1, 2, ... The images add up to
// −1, the ground plane's charge. This class gives the images' weights and, for the panels of one
// strip, the potential of the deep images (n >= 2) between any two of their points.
namespace velmoka::field_solver {

class SlabImages {
public:
    // For the slab under a strip cut into `panels` (or into any level of the same strip's mesh,
    // which all have one outline), and for the mirrors of the panels in x = 0.
    SlabImages(double er, const std::vector<Panel>& panels);

    bool in_air() const { return ratio_ == 0.0; }  // er is 1: there are no images
    double face_ratio() const { return -ratio_; }  // K: the image in the slab's face is −K

    // Σ_{n≥2} (−K)^(n−1) ln|w + 2n|, where w = height + i·across = (y + y' − 2) + i(x − x') for a
    // charge at (x', y') and a point (x, y) on the panels or their mirrors: the deep images'
    // potential at (x, y), times 2π/(1 − K²). To a few parts in 1e13.
    double log_sum(double height, double across) const;

private:
    // The sum is analytic in w off the cut w <= −4, and is tabulated over the panels' offsets in
    // cells, each a Taylor polynomial about the cell's centre whose radius is at most
    // kCellRadiusRatio of the centre's distance from w = −4: kCellTerms terms then leave under
    // 1e-14 of the sum's size. Cells are kBinWidth (in H) long along `across`, or a whole number
    // of times that, and no higher than kHighestColumn along `height`; the smallest such cell
    // suits the nearest centre to w = −4, 4 away.
    static constexpr int kCellTerms = 12;  // even: the terms are summed in even and odd halves
    static constexpr double kCellRadiusRatio = 1.0 / 12.0;
    static constexpr double kBinWidth = 0.25;
    static constexpr double kHighestColumn = 0.6;
    static_assert(kHighestColumn * kHighestColumn + kBinWidth * kBinWidth <=
                  (2.0 * 4.0 * kCellRadiusRatio) * (2.0 * 4.0 * kCellRadiusRatio));

    struct Cell {
        std::complex<double> centre;
        std::complex<double> terms[kCellTerms];  // Taylor coefficients about the centre
    };
    // Most pairs of points lie on the strip's flat faces, at one of a few heights y + y' − 2 that
    // the panels give exactly; along each such line a cell's polynomial is a real one in `across`.
    struct LineCell {
        double centre;  // across
        double terms[kCellTerms];
    };
    struct Line {
        double height;
        std::vector<LineCell> cells;  // [row]
    };

    void tabulate(double highest, double widest);
    void tabulate_line(double height);
    int column_of(double height) const;

    double ratio_;  // −K
    DeepImageSeries series_;
    double height_reach_ = 0.0;  // the tabulated heights are 0 to this, the offsets across up to across_reach_
    double across_reach_ = 0.0;
    int columns_ = 0;  // cells across the height, each column_height_ high
    double column_height_ = 0.0;
    std::vector<int> row_of_bin_;  // [bin] the row of cells holding the bin
    std::vector<Cell> cells_;      // [row·columns_ + column]
    std::vector<Line> lines_;
};

}  // namespace velmoka::field_solver
