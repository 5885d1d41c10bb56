#include "command_line/command_line.h"

#include <unistd.h>

#include <iostream>

int main(int argc, char* argv[]) {
    // Standard input through a buffer of its own, so that a pipe can be asked whether more of it
    // has come before a read would wait for it.
    std::ios::sync_with_stdio(false);
    velmoka::command_line::Surroundings surroundings;
    surroundings.error_is_terminal = isatty(STDERR_FILENO) == 1;
    return velmoka::command_line::run(argc, argv, std::cin, std::cout, std::cerr, surroundings);
}
