#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "PackageBuilder.h"
#include "RunCli.h"
#include "cli/Cli.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/ReadableFields.h"
#include "core/platform/FileIO.h"

namespace kinloom::cli {
namespace {
namespace fs = std::filesystem;

using test::RunCli;
using test::RunResult;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class EditingCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RunCli({"demo", data.string()}).code, kOk); }
    std::vector<std::string> With(std::vector<std::string> args) {
        args.push_back("--user-data");
        args.push_back(data.string());
        return args;
    }
    test::TempDir dir;
    fs::path data = dir / "userdata";
};

TEST_F(EditingCliTest, SimsShowAndSetRoundTrip) {
    RunResult sims = RunCli(With({"sims", "N001"}));
    ASSERT_EQ(sims.code, kOk) << sims.err;
    const auto lines = Lines(sims.out);
    ASSERT_GE(lines.size(), 10u);
    // label, file, GUID, instance, household
    const std::string first = lines.front();
    std::vector<std::string> columns;
    std::istringstream row(first);
    for (std::string c; std::getline(row, c, '\t');) columns.push_back(c);
    ASSERT_EQ(columns.size(), 5u);
    const std::string file = columns[1];
    EXPECT_EQ(columns[2].size(), 8u);

    RunResult shown = RunCli(With({"show", "n001", file}));
    ASSERT_EQ(shown.code, kOk) << shown.err;
    auto record = nlohmann::json::parse(shown.out);
    EXPECT_EQ(record["FileName"], file);
    EXPECT_TRUE(record.contains("Cooking"));
    EXPECT_TRUE(record["Cooking"].is_number());
    EXPECT_EQ(RunCli(With({"show", "N001", columns[2]})).out, shown.out) << "found by GUID too";
    EXPECT_EQ(RunCli(With({"show", "N001", columns[0]})).out, shown.out) << "and by label";

    const Bytes before =
        ReadWholeFile(data / "Neighborhoods" / "N001" / "N001_Neighborhood.package");
    RunResult dry = RunCli(With({"set", "N001", file, "Cooking=901", "--dry-run"}));
    EXPECT_EQ(dry.code, kOk) << dry.err;
    EXPECT_NE(dry.out.find("-> 901"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(data / "Neighborhoods" / "N001" / "N001_Neighborhood.package"), before);

    RunResult set = RunCli(With({"set", "N001", file, "Cooking=901", "LastName=Quill"}));
    ASSERT_EQ(set.code, kOk) << set.err;
    auto after = nlohmann::json::parse(RunCli(With({"show", "N001", file})).out);
    EXPECT_EQ(after["Cooking"], 901);
    EXPECT_EQ(after["LastName"], "Quill");
    EXPECT_EQ(after["Nice"], record["Nice"]);
}

// After a save the record gives the stored values as before, every stored key in its place, and
// then what the window shows for them: days for hundredths, whole reward points, names for codes.
TEST_F(EditingCliTest, ShowAddsWhatTheWindowShowsAfterTheStoredKeys) {
    const std::string sim = "N001_User00000.package";
    RunResult set = RunCli(With({"set", "N001", sim, "PTO=250", "AspirationRewardPoints=123",
                                 "Aspiration=2", "Career=55651945", "Jobs=5"}));
    ASSERT_EQ(set.code, kOk) << set.err;
    RunResult shown = RunCli(With({"show", "N001", sim}));
    ASSERT_EQ(shown.code, kOk) << shown.err;
    const auto record = nlohmann::ordered_json::parse(shown.out);

    std::vector<std::string> keys, expected;
    for (const auto& [key, value] : record.items()) keys.push_back(key);
    for (const CharacterField& f : CharacterFields()) expected.push_back(f.Name);
    expected.push_back("Storable");
    for (const ReadableField& r : ReadableFields()) expected.push_back(r.Name);
    EXPECT_EQ(keys, expected);

    struct Pair {
        const char* stored;
        nlohmann::ordered_json storedValue;
        const char* readable;
        nlohmann::ordered_json readableValue;
    };
    const Pair pairs[] = {
        {"PTO", 250, "PTOShown", 2.5},
        {"AspirationRewardPoints", 123, "AspirationRewardPointsShown", 1230},
        {"Aspiration", 2, "AspirationName", "Family"},
        {"Career", "55651945", "CareerName", "Business"},
        {"Jobs", 5, "JobsName", "Executive"},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.readable);
        EXPECT_EQ(record[p.stored], p.storedValue);
        EXPECT_EQ(record[p.readable], p.readableValue);
    }
}

// A package name longer than the 28 characters shown is listed, found and saved whole.
TEST_F(EditingCliTest, ALongFileNameIsListedFoundAndSaved) {
    const fs::path folder = data / "Neighborhoods" / "N001" / "Characters";
    const std::string name = "N001_User00000_with_a_long_name.package";
    fs::rename(folder / "N001_User00000.package", folder / name);

    const auto rows = Lines(RunCli(With({"sims", "N001"})).out);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [&](const std::string& row) {
                                return row.find('\t' + name + '\t') != std::string::npos;
                            }),
              1);
    RunResult dry = RunCli(With({"set", "N001", name, "LastName=Quill", "--dry-run"}));
    ASSERT_EQ(dry.code, kOk) << dry.err;
    EXPECT_NE(dry.out.find((folder / name).string()), std::string::npos) << dry.out;

    RunResult set = RunCli(With({"set", "N001", name, "LastName=Quill"}));
    ASSERT_EQ(set.code, kOk) << set.err;
    EXPECT_EQ(Lines(set.out).back(), "saved");
    EXPECT_TRUE(fs::exists(folder / name));
    const std::string stem = name.substr(0, name.size() - 8);
    auto after = nlohmann::json::parse(RunCli(With({"show", "N001", stem})).out);
    EXPECT_EQ(after["LastName"], "Quill");
    EXPECT_EQ(after["FileName"], name.substr(0, 28));
}

// Every command on one sim opens its neighborhood and finds the sim the same way: a neighborhood
// or sim that is not there gets the same report and exit code, and nothing on the output.
TEST_F(EditingCliTest, CommandsOnOneSimReportAMissingNeighborhoodOrSimAlike) {
    const std::string sim = "N001_User00000.package";
    const fs::path clone = dir / "Some.clone";
    ASSERT_EQ(RunCli(With({"export-clone", "N001", sim, clone.string()})).code, kOk);
    const fs::path newClone = dir / "New.clone";
    struct Command {
        const char* name;
        std::vector<std::string> rest;  // after NEIGHBORHOOD SIM
    };
    const Command commands[] = {
        {"show", {}},
        {"set", {"Cooking=1"}},
        {"export-clone", {newClone.string()}},
        {"import-clone", {clone.string()}},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        const auto run = [&](const std::string& hood, const std::string& who) {
            std::vector<std::string> args = {c.name, hood, who};
            args.insert(args.end(), c.rest.begin(), c.rest.end());
            return RunCli(With(args));
        };
        const RunResult noSim = run("N001", "Nobody");
        EXPECT_EQ(noSim.code, kUsage);
        EXPECT_EQ(noSim.err, "kinloom-cli: no sim Nobody in N001\n");
        EXPECT_EQ(noSim.out, "");
        const RunResult noHood = run("N404", sim);
        EXPECT_EQ(noHood.code, kUsage);
        EXPECT_EQ(noHood.err, "kinloom-cli: no neighborhood N404 in " +
                                  (data / "Neighborhoods").string() + '\n');
        EXPECT_EQ(noHood.out, "");
    }
    EXPECT_FALSE(fs::exists(newClone));
}

TEST_F(EditingCliTest, BadRequestsWriteNothing) {
    const auto before =
        ReadWholeFile(data / "Neighborhoods" / "N001" / "N001_Neighborhood.package");
    const std::string file = Lines(RunCli(With({"sims", "N001"})).out).front();
    const std::string simFile = file.substr(
        file.find('\t') + 1, file.find('\t', file.find('\t') + 1) - file.find('\t') - 1);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {"unknown field", {"set", "N001", simFile, "Cookery=1"}, kUsage},
        {"out of range", {"set", "N001", simFile, "Cooking=40000"}, kUsage},
        {"not a number", {"set", "N001", simFile, "Cooking=lots"}, kUsage},
        {"wrong width", {"set", "N001", simFile, "Career=ABC"}, kUsage},
        {"derived field", {"set", "N001", simFile, "GUID=00000000"}, kUsage},
        {"no such sim", {"set", "N001", "Nobody", "Cooking=1"}, kUsage},
        {"no such neighborhood", {"sims", "N404"}, kUsage},
        {"missing assignment", {"set", "N001", simFile}, kUsage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunResult r = RunCli(With(c.args));
        EXPECT_EQ(r.code, c.code);
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(ReadWholeFile(data / "Neighborhoods" / "N001" / "N001_Neighborhood.package"),
                  before);
    }
    // The demo never overwrites a folder that holds something else.
    const fs::path other = dir / "other";
    fs::create_directories(other / "Neighborhoods");
    EXPECT_EQ(RunCli({"demo", other.string()}).code, kUsage);
}

}  // namespace
}  // namespace kinloom::cli
