#include "maths/touchstone.h"

#include <complex>
#include <ios>
#include <numbers>

namespace velmoka {

namespace {

constexpr int kSignificantDigits = 12;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

void write_number(std::ostream& out, std::complex<double> s, TouchstoneFormat format) {
    if (format == TouchstoneFormat::real_imaginary)
        out << ' ' << s.real() << ' ' << s.imag();
    else
        out << ' ' << std::abs(s) << ' ' << std::arg(s) * kDegreesPerRadian;
}

}  // namespace

void write_touchstone(std::ostream& out, std::span<const double> frequencies, std::span<const TwoPortS> s,
                      double z_ref, TouchstoneFormat format) {
    const std::ios_base::fmtflags flags = out.flags();
    const std::streamsize precision = out.precision(kSignificantDigits);
    out.unsetf(std::ios_base::floatfield);
    out << "# Hz S " << (format == TouchstoneFormat::real_imaginary ? "RI" : "MA") << " R " << z_ref << '\n';
    for (std::size_t row = 0; row < frequencies.size() && row < s.size(); ++row) {
        out << frequencies[row];
        for (const std::complex<double> parameter : {s[row].s11, s[row].s21, s[row].s12, s[row].s22})
            write_number(out, parameter, format);
        out << '\n';
    }
    out.precision(precision);
    out.flags(flags);
}

}  // namespace velmoka
