#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// How an answer ended, in every face and for every command: its status, the fault that kept it
// from being whole (a message and the key of the parameter or box it concerns), and its warnings.
namespace velmoka {

enum class Status : std::uint8_t {
    ok,          // every result is given, each one a number
    incomplete,  // the work ran to its end, but a result could not be given: the fault says which
    stopped,     // the work ended at its fault, and gave no result after it
    error,       // the request could not be taken (a value that is no finite number, or out of its
                 // range, an input line that cannot be read): nothing was worked out
};

inline constexpr std::array<std::string_view, 4> kStatusNames = {"ok", "incomplete", "stopped", "error"};

constexpr std::string_view name_of(Status status) {
    return kStatusNames[static_cast<std::size_t>(status)];
}

// A fault's message is one of the program's own few texts. Some read after the key they concern
// ("w" "is not a finite number"), the others stand alone ("Too Small", in the w box).
struct Fault {
    std::string_view message;
    std::string_view key;  // of the parameter, result or window box; empty where it concerns none
    bool after_key = false;

    bool operator==(const Fault&) const = default;
};

// The warnings of an answer, one bit each, numbered as its command's warnings are.
using Warnings = std::uint32_t;

struct Verdict {
    Status status = Status::ok;
    std::optional<Fault> fault;
    Warnings warnings = 0;

    bool operator==(const Verdict&) const = default;
};

}  // namespace velmoka
