#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    return kinloom::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
