// kinloom-cli check: findings as text or JSON with exit 7 for a problem, and --fix mending after a
// backup (or --dry-run saying what it would mend).

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "DemoN001.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "RunCli.h"
#include "cli/Cli.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/platform/FileIO.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::RunResult;

TEST(CheckCliTest, FindingsExitCodesAndTheFix) {
    test::TempDir dir;
    const fs::path demo = dir / "demo";
    const Neighborhood n001 = test::WriteDemoN001(demo);
    const std::vector<std::string> where = {"--user-data", demo.string()};
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), where.begin(), where.end());
        return RunCli(args);
    };

    RunResult r = run({"check", "N001"});
    EXPECT_EQ(r.code, kOk) << r.out << r.err;

    // A family tie naming a sim number that has no description.
    {
        test::FakeMessages messages;
        EditingContext context = test::BlankPictureContext(messages);
        LoadedNeighborhood state;
        ASSERT_TRUE(LoadNeighborhood(n001, state, LabelForm::FirstName, context).Loaded);
        state.FamilyTies.push_back({6, 4, 0x999});
        state.FamilyTiesModified = true;
        ASSERT_TRUE(SaveNeighborhood(state, context).Saved);
    }
    r = run({"check", "N001"});
    EXPECT_EQ(r.code, kProblemsFound);
    EXPECT_NE(r.out.find("problem\tFamily tie to a sim without a description\t"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("names sim 2457, which has no description.\tmendable\n"),
              std::string::npos)
        << r.out;

    r = run({"check", "N001", "--json"});
    EXPECT_EQ(r.code, kProblemsFound);
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["problems"], 1);
    EXPECT_EQ(j["findings"][0]["kind"], "Family tie to a sim without a description");
    EXPECT_EQ(j["findings"][0]["mendable"], true);

    const Bytes before = ReadWholeFile(n001.PackagePath);
    r = run({"check", "N001", "--fix", "--dry-run"});
    EXPECT_EQ(r.code, kProblemsFound);
    EXPECT_NE(r.err.find("Would mend: Drop the family tie: sim 6 has Child 2457\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadWholeFile(n001.PackagePath), before);

    r = run({"check", "N001", "--fix"});
    EXPECT_EQ(r.code, kOk) << r.err;
    EXPECT_NE(r.err.find("Backup made in "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Mended: Drop the family tie"), std::string::npos) << r.err;
    const fs::path archive = demo / "Quillfern" / "NGBDs";
    ASSERT_TRUE(fs::is_directory(archive));
    EXPECT_EQ(std::distance(fs::directory_iterator(archive), fs::directory_iterator()), 1);
    EXPECT_EQ(run({"check", "N001"}).code, kOk);

    for (std::vector<std::string> bad :
         {std::vector<std::string>{"check"}, std::vector<std::string>{"check", "N001", "--dry-run"},
          std::vector<std::string>{"check", "N001", "--mend"}}) {
        SCOPED_TRACE(bad.back());
        EXPECT_EQ(run(bad).code, kUsage);
    }
}

}  // namespace
}  // namespace kinloom::cli
