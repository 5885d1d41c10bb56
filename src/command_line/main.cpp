#include "command_line/command_line.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return velmoka::command_line::run(argc, argv, std::cin, std::cout, std::cerr);
}
