// Writes the Python module's type stub: the frame given, with the line of each command's function,
// from its declaration, in place of @COMMANDS@.
//   velmoka_stub FRAME STUB

#include "commands/commands.h"
#include "python/signatures.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: velmoka_stub FRAME STUB\n";
        return 2;
    }
    std::ifstream frame(argv[1]);
    std::stringstream text;
    text << frame.rdbuf();
    std::string stub = text.str();
    std::string functions;
    for (const velmoka::commands::Command* command : velmoka::commands::kCommands) {
        if (velmoka::python::has_python_function(*command)) {
            functions += velmoka::python::stub_line(*command) + "\n";
        }
    }
    constexpr std::string_view kPlace = "@COMMANDS@\n";
    const std::size_t place = stub.find(kPlace);
    if (!frame || place == std::string::npos) {
        std::cerr << "velmoka_stub: " << argv[1] << " holds no " << kPlace;
        return 1;
    }
    stub.replace(place, kPlace.size(), functions);
    std::ofstream(argv[2]) << stub;
    return 0;
}
