// The tests' scoped environment variable: whatever it set or unset, the variable is as before
// afterwards, "not set" included (tests that point HOME elsewhere rely on it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "ScopedEnvironment.h"

namespace kinloom {
namespace {

std::optional<std::string> Read(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

TEST(ScopedEnvironmentTest, PutsTheVariableBackAsItWas) {
    constexpr const char* kName = "KINLOOM_SCOPED_ENVIRONMENT_TEST";
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::optional<std::string> during;
    };
    const Case cases[] = {
        {"not set, then set", std::nullopt, "/tmp/home"},
        {"not set, then unset", std::nullopt, std::nullopt},
        {"set, then changed", "/home/player", "/tmp/home"},
        {"set, then unset", "/home/player", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            test::ScopedEnvironment before(kName, c.before);
            ASSERT_EQ(Read(kName), c.before);
            {
                test::ScopedEnvironment during(kName, c.during);
                EXPECT_EQ(Read(kName), c.during);
            }
            EXPECT_EQ(Read(kName), c.before);
        }
        EXPECT_EQ(Read(kName), std::nullopt);
    }
}

}  // namespace
}  // namespace kinloom
