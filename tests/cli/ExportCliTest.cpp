#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CsvReader.h"
#include "PackageBuilder.h"
#include "RunCli.h"
#include "cli/Cli.h"
#include "core/editing/CharacterFields.h"
#include "core/editing/ReadableFields.h"
#include "core/platform/FileIO.h"

namespace kinloom::cli {
namespace {
namespace fs = std::filesystem;

using test::ReadCsv;
using test::RunCli;
using test::RunResult;

std::string Text(const fs::path& file) {
    const Bytes bytes = ReadWholeFile(file);
    return std::string(bytes.begin(), bytes.end());
}

// The demo neighborhood with one sim renamed to a first name holding a comma and quotes.
class ExportCliTest : public ::testing::Test {
protected:
    static constexpr const char* kSim = "N001_User00000.package";
    static constexpr const char* kName = "Ann, \"Annie\"";

    void SetUp() override {
        ASSERT_EQ(RunCli({"demo", data.string()}).code, kOk);
        RunResult set = RunCli(With({"set", "N001", kSim, std::string("FirstName=") + kName}));
        ASSERT_EQ(set.code, kOk) << set.err;
        RunResult shown = RunCli(With({"show", "N001", kSim}));
        ASSERT_EQ(shown.code, kOk) << shown.err;
        record = nlohmann::json::parse(shown.out);
        ASSERT_EQ(record["FirstName"], kName) << "set stores a text with a comma and quotes";

        // The list order and size, as sims gives them: label first on each line.
        std::istringstream lines(RunCli(With({"sims", "N001"})).out);
        for (std::string line; std::getline(lines, line);)
            labels.push_back(line.substr(0, line.find('\t')));
        ASSERT_GE(labels.size(), 2u);
    }
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.push_back("--user-data");
        args.push_back(data.string());
        return args;
    }
    test::TempDir dir;
    fs::path data = dir / "userdata";
    nlohmann::json record;  // show's record of the renamed sim
    std::vector<std::string> labels;
};

TEST_F(ExportCliTest, CsvHoldsEverySimInListOrderAndReadsBack) {
    const fs::path file = dir / "sims.csv";
    RunResult exported = RunCli(With({"export", "N001", "--csv", file.string()}));
    ASSERT_EQ(exported.code, kOk) << exported.err;

    const auto rows = ReadCsv(Text(file));
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string>& header = rows.front();
    std::vector<std::string> expected = {"Label", "Household"};
    for (const CharacterField& f : CharacterFields()) expected.push_back(f.Name);
    expected.push_back("Storable");
    for (const ReadableField& r : ReadableFields()) expected.push_back(r.Name);
    EXPECT_EQ(header, expected);
    ASSERT_EQ(rows.size(), labels.size() + 1);
    for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(rows[i + 1][0], labels[i]);

    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    const auto row = std::find_if(rows.begin() + 1, rows.end(), [&](const auto& r) {
        return r[column("FileName")] == record["FileName"];
    });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ((*row)[column("FirstName")], kName);
    EXPECT_EQ((*row)[column("Cooking")], std::to_string(record["Cooking"].get<int>()));
    EXPECT_EQ((*row)[column("GUID")], "0x" + record["GUID"].get<std::string>());
    EXPECT_EQ((*row)[column("TurnOnsExt")], "0x" + record["TurnOnsExt"].get<std::string>());
    EXPECT_EQ((*row)[column("HasBody")], record["HasBody"] ? "true" : "false");
    EXPECT_FALSE((*row)[column("Household")].empty()) << "demo sims live in households";
}

TEST_F(ExportCliTest, JsonHoldsWhatShowGivesForEverySim) {
    const fs::path file = dir / "sims.json";
    RunResult exported = RunCli(With({"export", "N001", "--json=" + file.string()}));
    ASSERT_EQ(exported.code, kOk) << exported.err;

    const auto sims = nlohmann::json::parse(Text(file));
    ASSERT_TRUE(sims.is_array());
    ASSERT_EQ(sims.size(), labels.size());
    for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(sims[i]["Label"], labels[i]);

    const auto sim = std::find_if(sims.begin(), sims.end(), [&](const auto& s) {
        return s["FileName"] == record["FileName"];
    });
    ASSERT_NE(sim, sims.end());
    EXPECT_EQ((*sim)["FirstName"], kName);
    EXPECT_TRUE((*sim)["Cooking"].is_number_integer());
    EXPECT_TRUE((*sim)["HasBody"].is_boolean());
    EXPECT_TRUE((*sim)["GUID"].is_string());
    // Apart from the two leading columns, each sim is exactly its show record.
    nlohmann::json fields = *sim;
    fields.erase("Label");
    fields.erase("Household");
    EXPECT_EQ(fields, record);
}

TEST_F(ExportCliTest, AnExistingFileIsKeptUnlessReplaceIsGiven) {
    for (const char* format : {"--csv", "--json"}) {
        SCOPED_TRACE(format);
        const fs::path file = dir / "kept.txt";
        { std::ofstream(file) << "keep me"; }
        RunResult refused = RunCli(With({"export", "N001", format, file.string()}));
        EXPECT_EQ(refused.code, kRefused);
        EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
        EXPECT_EQ(Text(file), "keep me");

        RunResult replaced = RunCli(With({"export", "N001", format, file.string(), "--replace"}));
        EXPECT_EQ(replaced.code, kOk) << replaced.err;
        EXPECT_NE(Text(file), "keep me");
        fs::remove(file);
    }
}

TEST_F(ExportCliTest, BadArgumentsWriteNothing) {
    const std::string file = (dir / "out.csv").string();
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {"no format", {"export", "N001"}, kUsage},
        {"both formats", {"export", "N001", "--csv", file, "--json", file + ".json"}, kUsage},
        {"a format twice", {"export", "N001", "--csv", file, "--csv", file + "2"}, kUsage},
        {"--csv without its file", {"export", "N001", "--csv"}, kUsage},
        {"--csv followed by an option", {"export", "N001", "--csv", "--replace"}, kUsage},
        {"--json= without its file", {"export", "N001", "--json="}, kUsage},
        {"unknown option", {"export", "N001", "--csv", file, "--force"}, kUsage},
        {"no neighborhood", {"export", "--csv", file}, kUsage},
        {"two neighborhoods", {"export", "N001", "N002", "--csv", file}, kUsage},
        {"unknown neighborhood", {"export", "N999", "--csv", file}, kUsage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunResult r = RunCli(With(c.args));
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(fs::exists(file));
    }
}

TEST_F(ExportCliTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    const fs::path folder = dir / "no-such-folder";
    RunResult r = RunCli(With({"export", "N001", "--csv", (folder / "sims.csv").string()}));
    EXPECT_EQ(r.code, kNotSaved);
    EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder));

    // A folder in the way is replaced only when asked, and then cannot be.
    const fs::path inTheWay = dir / "taken";
    fs::create_directory(inTheWay);
    EXPECT_EQ(RunCli(With({"export", "N001", "--json", inTheWay.string()})).code, kRefused);
    EXPECT_EQ(RunCli(With({"export", "N001", "--json", inTheWay.string(), "--replace"})).code,
              kNotSaved);
    EXPECT_TRUE(fs::is_directory(inTheWay));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
        << "no temporary file is left beside the target";
}

}  // namespace
}  // namespace kinloom::cli
