#include <iostream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    return RunAlmanac(words, std::cout, std::cerr);
}
