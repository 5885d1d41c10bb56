// The yardstick of velmoka-cli's start-up: the least a C++ program built the same way does.

#include <iostream>

int main() {
    std::cout << "hello, world\n";
    return 0;
}
