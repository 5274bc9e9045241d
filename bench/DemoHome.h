#pragma once
// A demo user-data folder for a benchmark: written once, with N001 holding the given number of
// sims, under a fresh name in the temporary folder, and removed at the end.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "core/demo/DemoWriter.h"

namespace kinloom::bench {

struct DemoHome {
    std::filesystem::path folder;
    DemoHome(int sims, const std::string& name) {
        folder = std::filesystem::temp_directory_path() /
                 (name + "-" + std::to_string(std::random_device{}()));
        WriteDemoUserData(folder, DemoOptions{sims, 1, false});
    }
    ~DemoHome() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    DemoHome(const DemoHome&) = delete;
    DemoHome& operator=(const DemoHome&) = delete;
};

}  // namespace kinloom::bench
