// Fuzzer bytes as one call of velmoka-cli: the arguments, one a line, up to the first empty line;
// the rest is its standard input. It must return an exit status of 0, 1 or 2, write nothing on
// standard output when it refuses its arguments, and, reading json rows from standard input
// (and not asked for its help or version), answer every line of the input that is neither
// blank nor a comment, the header aside, and every line longer than the bound, with one JSON
// object. Output beyond a bound ends the call, so that a sweep of
// a billion steps does not hold the fuzzer up.

#include "command_line/command_line.h"

#include <QByteArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMostOutput = 1 << 20;  // bytes
// The most one input line may hold here, in bytes: low, so that the fuzzer's short inputs reach
// the rows of overlong lines.
constexpr std::size_t kLongestLine = 64;

struct OutputFull {};

// Standard output held in memory, up to kMostOutput bytes.
class BoundedOutput : public std::streambuf {
public:
    std::string text;

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            const char character = traits_type::to_char_type(c);
            xsputn(&character, 1);
        }
        return traits_type::not_eof(c);
    }

    std::streamsize xsputn(const char* s, std::streamsize count) override {
        if (text.size() + static_cast<std::size_t>(count) > kMostOutput) {
            throw OutputFull();
        }
        text.append(s, static_cast<std::size_t>(count));
        return count;
    }
};

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The input lines that answer with a row: every line longer than the bound (the header too),
// and every other line that is neither blank nor a comment, after the header.
std::size_t runs_in(std::string_view input) {
    std::size_t runs = 0;
    bool header = true;
    for (std::string_view line : lines_of(input)) {
        if (line.size() > kLongestLine) {
            ++runs;
            header = false;
            continue;
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#')) {
            continue;
        }
        runs += header ? 0 : 1;
        header = false;
    }
    return runs;
}

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t arguments_end = bytes.find("\n\n");
    const std::string_view input = arguments_end == std::string_view::npos ? "" : bytes.substr(arguments_end + 2);
    std::vector<std::string> arguments = {"velmoka-cli"};
    for (const std::string_view line : lines_of(bytes.substr(0, arguments_end))) {
        arguments.emplace_back(line);
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }

    std::istringstream in{std::string(input)};
    BoundedOutput output;
    std::ostream out(&output);
    out.exceptions(std::ios::badbit);
    std::ostringstream err;
    int status = 0;
    try {
        velmoka::command_line::Surroundings surroundings;
        surroundings.longest_line = kLongestLine;
        status = velmoka::command_line::run(static_cast<int>(argv.size()), argv.data(), in, out, err, surroundings);
    } catch (const OutputFull&) {
        return 0;
    }

    if (status < 0 || status > 2) {
        fail("exit status out of 0 to 2");
    }
    if (!err.str().empty() && !output.text.empty()) {
        fail("a usage error with something on standard output");
    }
    const auto given = [&](std::string_view option, std::string_view value) {
        for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
            if (arguments[i] == option && arguments[i + 1] == value) {
                return true;
            }
        }
        return false;
    };
    // --help, --version, or -h alone or among other short flags.
    const bool asked_for_help = std::any_of(arguments.begin() + 1, arguments.end(), [](std::string_view argument) {
        return argument.starts_with("--help") || argument.starts_with("--version") ||
               (argument.starts_with('-') && !argument.starts_with("--") &&
                argument.find('h') != std::string_view::npos);
    });
    if (err.str().empty() && !asked_for_help && given("--input", "-") && given("--format", "json")) {
        const std::vector<std::string_view> rows = lines_of(output.text);
        if (rows.size() != runs_in(input)) {
            fail("not every line of the input answered by one row");
        }
        for (const std::string_view row : rows) {
            if (!QJsonDocument::fromJson(QByteArray(row.data(), static_cast<qsizetype>(row.size()))).isObject()) {
                fail("a row that is no JSON object");
            }
        }
    }
    return 0;
}
