#pragma once
// What the tests need to know of the system they run on.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

// Skips, saying why, a test of something only the Linux build has (Wine prefixes, the launchers'
// files, /proc, Unix permissions). Used first thing in a test body or a fixture's SetUp.
#ifdef _WIN32
#define KINLOOM_LINUX_ONLY(reason) GTEST_SKIP() << "Linux only: " << (reason)
#else
#define KINLOOM_LINUX_ONLY(reason) static_cast<void>(0)
#endif

namespace kinloom::test {

#ifdef _WIN32
// Holds a file open without sharing it, as the running game holds its packages: while this
// lives, Windows refuses every other program's opening, renaming, replacing or deleting it.
class HeldOpen {
public:
    explicit HeldOpen(const std::filesystem::path& file);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Holding() const;

private:
    void* handle_;
};
#endif

}  // namespace kinloom::test
