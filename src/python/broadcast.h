#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <vector>

namespace velmoka::python {

namespace py = pybind11;

// The arguments of a function over arrays, each a number or an array-like of real numbers,
// broadcast together under numpy's rules and read in place as doubles: an argument broadcast
// along an axis is walked with a stride of 0, never copied out.
class Broadcast {
public:
    // Raises TypeError, naming the argument, for anything but real numbers (complex numbers,
    // text, objects, dates), and ValueError where the shapes do not broadcast.
    explicit Broadcast(const std::vector<std::pair<std::string, py::object>>& arguments);

    std::size_t arguments() const { return views_.size(); }
    const std::vector<py::ssize_t>& shape() const { return shape_; }
    std::size_t size() const { return size_; }
    // Every argument was a number, so the results are numbers too.
    bool all_scalars() const { return all_scalars_; }

    // Walks the elements from one flat index on, in C order, with the value of each argument.
    class Walk {
    public:
        Walk(const Broadcast& broadcast, std::size_t first);
        double value(std::size_t argument) const {
            return *reinterpret_cast<const double*>(broadcast_.data_[argument] + offsets_[argument]);
        }
        void next();

    private:
        const Broadcast& broadcast_;
        std::vector<py::ssize_t> index_;    // of each axis
        std::vector<py::ssize_t> offsets_;  // in bytes, of each argument
    };

private:
    std::vector<py::array_t<double>> views_;
    std::vector<const char*> data_;
    std::vector<std::vector<py::ssize_t>> strides_;  // in bytes, by argument, then axis
    std::vector<py::ssize_t> shape_;
    std::size_t size_ = 1;
    bool all_scalars_ = true;
};

// A new float64 array of the broadcast shape.
py::array_t<double> doubles_shaped(const Broadcast& broadcast);

// An array as its function gives it back: a numpy scalar when every argument was a number.
py::object as_given(bool all_scalars, const py::handle& array);

}  // namespace velmoka::python
