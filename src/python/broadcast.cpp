#include "python/broadcast.h"

#include "python/column_memory.h"

#include <string_view>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

// numpy's kinds of real numbers: booleans, signed and unsigned integers, floating point.
constexpr std::string_view kRealKinds = "biuf";

py::array_t<double> real_numbers(const std::string& name, const py::object& argument) {
    const py::module_ numpy = py::module_::import("numpy");
    const py::array array = numpy.attr("asarray")(argument);
    const char kind = array.dtype().kind();
    if (kRealKinds.find(kind) == std::string_view::npos) {
        throw py::type_error(name + ": expected real numbers, got an array of " +
                             py::str(array.dtype()).cast<std::string>());
    }
    return numpy.attr("asarray")(array, "dtype"_a = "float64");
}

}  // namespace

Broadcast::Broadcast(const std::vector<std::pair<std::string, py::object>>& arguments) {
    if (arguments.empty()) {
        return;  // nothing given: one element, of shape ()
    }
    py::list arrays;
    for (const auto& [name, argument] : arguments) {
        const py::array_t<double> array = real_numbers(name, argument);
        all_scalars_ = all_scalars_ && array.ndim() == 0;
        arrays.append(array);
    }
    // numpy's own broadcasting: its views share the arguments' data, with strides of 0 along
    // broadcast axes, and a ValueError names the shapes that do not fit.
    const py::list views = py::module_::import("numpy").attr("broadcast_arrays")(*arrays);
    for (const py::handle view : views) {
        views_.push_back(view.cast<py::array_t<double>>());
    }
    const py::array& first = views_.front();
    shape_.assign(first.shape(), first.shape() + first.ndim());
    for (const py::ssize_t extent : shape_) {
        size_ *= static_cast<std::size_t>(extent);
    }
    for (const py::array_t<double>& view : views_) {
        data_.push_back(reinterpret_cast<const char*>(view.data()));
        strides_.emplace_back(view.strides(), view.strides() + view.ndim());
    }
}

Broadcast::Walk::Walk(const Broadcast& broadcast, std::size_t first)
    : broadcast_(broadcast), index_(broadcast.shape_.size()), offsets_(broadcast.views_.size()) {
    for (std::size_t axis = broadcast.shape_.size(); axis-- > 0;) {
        const auto extent = static_cast<std::size_t>(broadcast.shape_[axis]);
        index_[axis] = static_cast<py::ssize_t>(first % extent);
        first /= extent;
        for (std::size_t argument = 0; argument < offsets_.size(); ++argument) {
            offsets_[argument] += index_[axis] * broadcast.strides_[argument][axis];
        }
    }
}

void Broadcast::Walk::next() {
    for (std::size_t axis = index_.size(); axis-- > 0;) {
        for (std::size_t argument = 0; argument < offsets_.size(); ++argument) {
            offsets_[argument] += broadcast_.strides_[argument][axis];
        }
        if (++index_[axis] < broadcast_.shape_[axis]) {
            return;
        }
        for (std::size_t argument = 0; argument < offsets_.size(); ++argument) {
            offsets_[argument] -= index_[axis] * broadcast_.strides_[argument][axis];
        }
        index_[axis] = 0;
    }
}

py::array_t<double> doubles_shaped(const Broadcast& broadcast) {
    return zeroed_array(py::dtype::of<double>(), broadcast.shape());
}

py::object as_given(bool all_scalars, const py::handle& array) {
    if (all_scalars) {
        return array[py::tuple()];
    }
    return py::reinterpret_borrow<py::object>(array);
}

}  // namespace velmoka::python
