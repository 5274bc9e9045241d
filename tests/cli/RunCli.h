#pragma once
// Runs kinloom-cli commands in-process with their streams captured.

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace kinloom::test {

struct RunResult {
    int code;
    std::string out;
    std::string err;
};

inline RunResult RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = cli::Run(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace kinloom::test
