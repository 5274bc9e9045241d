#include <gtest/gtest.h>

#include <fstream>

#include "PackageBuilder.h"
#include "Platform.h"
#include "core/platform/GameProcess.h"

namespace kinloom {
namespace {

TEST(GameProcessTest, ProgramNames) {
    struct Case {
        const char* argument;
        bool game;
    };
    const Case cases[] = {
        {"C:\\Program Files\\EA GAMES\\The Sims 2\\TSBin\\Sims2.exe", true},
        {"C:\\Games\\The Sims 2 Ultimate Collection\\Fun with Pets\\SP9\\TSBin\\Sims2EP9.exe",
         true},
        {"/home/p/.wine/drive_c/x/SIMS2RPC.EXE", true},
        {"sims2.exe", true},
        {"Sims2.exe.bak", false},
        {"TheSims2.exe", false},
        {"wineserver", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(NamesGameProgram(c.argument), c.game);
    }
}

TEST(GameProcessTest, FindsTheGameInTheProcessTable) {
    KINLOOM_LINUX_ONLY("Windows lists processes through its own call (checked end to end)");
    test::TempDir proc;
    auto process = [&](const std::string& pid, const std::string& cmdline) {
        std::filesystem::create_directories(proc.path() / pid);
        std::ofstream(proc.path() / pid / "cmdline", std::ios::binary) << cmdline;
    };
    process("1", std::string("/sbin/init\0splash\0", 18));
    process("4242",
            std::string("C:\\Program Files\\EA GAMES\\The Sims 2\\TSBin\\Sims2EP9.exe\0-w\0", 58));
    process("self", std::string("Sims2.exe\0", 10));          // not a process number
    process("77", "");                                        // a kernel thread
    std::filesystem::create_directories(proc.path() / "99");  // gone before it was read

    EXPECT_EQ(RunningGameProcesses(proc.path()),
              std::vector<std::string>{
                  "C:\\Program Files\\EA GAMES\\The Sims 2\\TSBin\\Sims2EP9.exe -w"});
    std::filesystem::remove_all(proc.path() / "4242");
    EXPECT_TRUE(RunningGameProcesses(proc.path()).empty());
    EXPECT_TRUE(RunningGameProcesses(proc.path() / "missing").empty());
}

// A process can end between the listing and the read of its command line; reading it then fails.
// Such a process is not the game, and the others are still looked at.
TEST(GameProcessTest, AProcessWhoseCommandLineCannotBeReadIsPassedOver) {
    KINLOOM_LINUX_ONLY("Windows lists processes through its own call (checked end to end)");
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        void (*make)(const fs::path& cmdline);
    };
    const Case cases[] = {
        // Opening succeeds and the read fails, as for a process that has just ended.
        {"a folder in its place", [](const fs::path& cmdline) { fs::create_directory(cmdline); }},
        {"a link to nothing",
         [](const fs::path& cmdline) {
             fs::create_symlink(cmdline.parent_path() / "gone", cmdline);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir proc;
        for (const char* pid : {"12", "4242", "9000"}) fs::create_directories(proc.path() / pid);
        c.make(proc.path() / "12" / "cmdline");
        c.make(proc.path() / "9000" / "cmdline");
        std::ofstream(proc.path() / "4242" / "cmdline", std::ios::binary)
            << std::string("wine\0C:\\Games\\Sims2.exe\0", 24);
        EXPECT_EQ(RunningGameProcesses(proc.path()),
                  std::vector<std::string>{"wine C:\\Games\\Sims2.exe"});
    }
}

}  // namespace
}  // namespace kinloom
