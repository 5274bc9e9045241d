#include <gtest/gtest.h>

#include <sstream>

#include "PackageBuilder.h"
#include "Qfs.h"
#include "RunCli.h"
#include "cli/Cli.h"
#include "core/packages/Package.h"
#include "core/platform/FileIO.h"

namespace kinloom::cli {
namespace {

using test::PackageBuilder;
using test::Text;

using test::RunCli;
using test::RunResult;

class CliTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string file = (dir / "Sim.package").string();
};

TEST_F(CliTest, IndexListsEveryEntryInBothForms) {
    PackageBuilder(24).add(types::ObjectData, 0x1234, Text("abc"), 0x7FD46CD0, 0xAB).write(file);
    RunResult r = RunCli({"index", file});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out, "0\t4F424A44\t7FD46CD0\t00001234\t000000AB\t96\t3\n");

    PackageBuilder(20)
        .add(types::TextList, 1, Text("ab"))
        .add(types::Picture, 2, Text("c"))
        .write(file);
    r = RunCli({"index", file});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out,
              "0\t43545353\t7FD46CD0\t00000001\t-\t96\t2\n"
              "1\t856DDBAC\t7FD46CD0\t00000002\t-\t98\t1\n");
}

TEST_F(CliTest, CatWritesThePlainContent) {
    const std::string text(5000, 'k');
    PackageBuilder(24).add(1, 1, Text("first")).addCompressed(2, 2, Text(text)).write(file);
    EXPECT_EQ(RunCli({"cat", file, "0"}).out, "first");
    RunResult r = RunCli({"cat", file, "1"});
    EXPECT_EQ(r.code, kOk);
    EXPECT_EQ(r.out, text);
}

TEST_F(CliTest, DecompressRewritesThePackage) {
    const std::string text(5000, 'k');
    PackageBuilder(24).addCompressed(2, 2, Text(text)).write(file);
    EXPECT_EQ(RunCli({"decompress", file}).code, kOk);
    Package p = Package::Open(file);
    ASSERT_EQ(p.Entries.size(), 1u);
    EXPECT_EQ(p.Entries[0].Size, 5000u);
}

TEST_F(CliTest, FailuresHaveTheirExitCodes) {
    Bytes zeroCount = PackageBuilder(24).add(1, 1, Text("a")).build();
    test::SetU32(zeroCount, kIndexCountField, 0);
    Bytes badStream = PackageBuilder(24).add(1, 1, test::QfsStream(9, {0x00, 0x00})).build();
    struct Case {
        const char* name;
        Bytes package;  // empty: the file does not exist
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {"missing file", {}, {"index", file}, kUnreadable},
        {"index error", zeroCount, {"index", file}, kUnreadable},
        {"decompress with an index error", zeroCount, {"decompress", file}, kUnreadable},
        {"position outside the index", zeroCount, {"cat", file, "0"}, kUnreadable},
        {"bad back-reference in cat", badStream, {"cat", file, "0"}, kDecompression},
        {"bad back-reference in decompress", badStream, {"decompress", file}, kDecompression},
        {"position is not a number", badStream, {"cat", file, "x"}, kUsage},
        {"unknown command", badStream, {"frobnicate", file}, kUsage},
        {"no command", badStream, {}, kUsage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file);
        if (!c.package.empty()) {
            ReplaceFileAtomically(file, c.package);
        }
        RunResult r = RunCli(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
        if (!c.package.empty()) {
            EXPECT_EQ(ReadWholeFile(file), c.package);
        }
    }
}

// A folder where the package was named cannot be read; each command says so and leaves it be.
TEST_F(CliTest, AFolderNamedAsThePackageIsUnreadable) {
    std::filesystem::create_directory(file);
    const std::vector<std::string> commands[] = {
        {"index", file}, {"cat", file, "0"}, {"decompress", file}};
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        RunResult r = RunCli(args);
        EXPECT_EQ(r.code, kUnreadable);
        EXPECT_EQ(r.err.rfind("kinloom-cli: cannot ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(std::filesystem::is_directory(file));
    }
}

// A mistyped option or one without its value stops the command with its usage (exit 1) before
// anything is read; --help and --version answer on standard output.
TEST_F(CliTest, OptionsAreCheckedAndHelpAndVersionAnswer) {
    const struct {
        std::vector<std::string> args;
        int code;
        const char* said;  // in standard output for success, standard error otherwise
    } cases[] = {
        {{"--version"}, kOk, "kinloom-cli 1."},
        {{"--help"}, kOk, "usage: kinloom-cli"},
        {{"sims", "N001", "--userdata", "/nowhere"}, kUsage, "usage: sims"},
        {{"sims", "N001", "--user-data"}, kUsage, "--user-data needs a folder"},
        {{"show", "N001", "sim", "--wine-prefix="}, kUsage, "--wine-prefix needs a folder"},
        {{"neighborhoods", "--userdata", "/nowhere"}, kUsage, "usage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        RunResult r = RunCli(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE((c.code == kOk ? r.out : r.err).find(c.said), std::string::npos)
            << r.out << r.err;
    }
}

}  // namespace
}  // namespace kinloom::cli
