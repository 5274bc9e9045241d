// set and import-clone never report "saved" for an edit the files cannot keep: such an edit is
// refused, naming the field and the reason, before anything is written.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "FakeMessages.h"
#include "FolderTree.h"
#include "PackageBuilder.h"
#include "RunCli.h"
#include "cli/Cli.h"
#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "core/platform/FileIO.h"

namespace kinloom::cli {
namespace {
namespace fs = std::filesystem;

using test::RunCli;
using test::RunResult;

// Rewrites a package through a planner, as a damaged or unusual game file would look.
void Rewrite(const fs::path& file, const EntryPlanner& plan) {
    test::FakeMessages quiet;
    const PackageImage plain = DecompressPackageImage(ReadWholeFile(file), quiet);
    ReplaceFileAtomically(file, RewritePackageImage(plain.Data, plan).Data);
}

class StorableCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(RunCli({"demo", data.string()}).code, kOk); }
    std::vector<std::string> With(std::vector<std::string> args) {
        args.push_back("--user-data");
        args.push_back(data.string());
        return args;
    }
    fs::path Characters(const std::string& hood) {
        return data / "Neighborhoods" / hood / "Characters";
    }
    nlohmann::json Show(const std::string& hood, const std::string& sim) {
        RunResult shown = RunCli(With({"show", hood, sim}));
        EXPECT_EQ(shown.code, kOk) << shown.err;
        return nlohmann::json::parse(shown.out);
    }
    // The first sim of a neighborhood (by file) whose description has this version.
    std::string SimOfVersion(const std::string& hood, int version) {
        for (const auto& item : fs::directory_iterator(Characters(hood))) {
            const std::string file = item.path().filename().string();
            if (Show(hood, file)["FormatVersion"] == version) return file;
        }
        ADD_FAILURE() << "no version " << version << " sim in " << hood;
        return {};
    }
    static bool Lists(const nlohmann::json& record, const std::string& field) {
        for (const auto& name : record["Storable"])
            if (name == field) return true;
        return false;
    }
    // Refused: exit 1, every reason on the error stream, no file changed, no "saved".
    void ExpectRefused(const std::vector<std::string>& args,
                       const std::vector<std::string>& reasons) {
        const test::FolderTree before = test::ReadFolderTree(data);
        RunResult r = RunCli(With(args));
        EXPECT_EQ(r.code, kUsage) << r.err;
        for (const std::string& reason : reasons)
            EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("saved"), std::string::npos) << r.out;
        EXPECT_TRUE(test::ReadFolderTree(data) == before) << "a file was changed";
    }

    test::TempDir dir;
    fs::path data = dir / "userdata";
};

TEST_F(StorableCliTest, FieldsTheDescriptionVersionLacksAreRefused) {
    const std::string v32 = SimOfVersion("G001", 32);
    const nlohmann::json record = Show("G001", v32);
    EXPECT_TRUE(Lists(record, "Cooking"));
    EXPECT_FALSE(Lists(record, "Cuisine"));
    EXPECT_FALSE(Lists(record, "InfluenceLevel"));
    EXPECT_FALSE(Lists(record, "Species"));

    ExpectRefused({"set", "G001", v32, "Cooking=300", "Cuisine=5", "InfluenceLevel=2"},
                  {"Cuisine cannot be saved: a version 32 sim description does not hold it",
                   "InfluenceLevel cannot be saved"});
    RunResult allowed = RunCli(With({"set", "G001", v32, "Cooking=300"}));
    EXPECT_EQ(allowed.code, kOk) << allowed.err;
    EXPECT_EQ(Show("G001", v32)["Cooking"], 300);
}

// Refused before the neighborhood is even loaded, and listed in the help.
TEST_F(StorableCliTest, FieldsNoSaveWritesAreRefusedAndListed) {
    for (const char* field : {"Species=1", "OutfitSourceGUID=01020304", "FileName=x.package",
                              "FormatVersion=51", "CharacterVersion=x", "LoadedCareer=00000000"}) {
        SCOPED_TRACE(field);
        ExpectRefused({"set", "N001", "N001_User00000", field}, {"no save ever writes it back"});
    }
    const std::string help = RunCli({"--help"}).out;
    for (const char* field : {"Species", "OutfitSourceGUID", "FileName", "CharacterVersion",
                              "DescriptionInstance", "LoadedCareer"})
        EXPECT_NE(help.find(std::string(" ") + field), std::string::npos) << field;
    EXPECT_EQ(help.find(" Cooking"), std::string::npos);
}

// A sim whose GUID no description holds keeps only what its own package holds.
TEST_F(StorableCliTest, ASimWithoutADescriptionTakesOnlyPackageFields) {
    const fs::path copy = Characters("N001") / "N001_User09999.package";
    fs::copy_file(Characters("N001") / "N001_User00000.package", copy);
    Rewrite(copy, [](const PackageIndexEntry& e, std::size_t) {
        if (e.Type != types::ObjectData) return EntryChoice::Copy();
        return EntryChoice::Patch([](std::span<std::uint8_t> bytes) {
            PutU32(bytes, 92, 0x7E57AB1Eu);  // a GUID no description holds
        });
    });
    const nlohmann::json record = Show("N001", "N001_User09999");
    EXPECT_FALSE(Lists(record, "Cooking"));
    EXPECT_TRUE(Lists(record, "FirstName"));
    ExpectRefused({"set", "N001", "N001_User09999", "Cooking=5"}, {"has no sim description"});
    RunResult named = RunCli(With({"set", "N001", "N001_User09999", "FirstName=Nobody"}));
    EXPECT_EQ(named.code, kOk) << named.err;
    EXPECT_EQ(Show("N001", "N001_User09999")["FirstName"], "Nobody");
}

// Without a name list there is nowhere to keep a name; without a number-typed "age" nowhere to
// keep the age (and show tells the unread value as -1, not 65535).
TEST_F(StorableCliTest, NamesAndBodyNumbersNeedTheirPlaceInThePackage) {
    const fs::path file = Characters("N001") / "N001_User00001.package";
    Rewrite(file, [](const PackageIndexEntry& e, std::size_t) {
        return e.Type == types::TextList || e.Type == types::SimProperties ? EntryChoice::Drop()
                                                                           : EntryChoice::Copy();
    });
    const nlohmann::json record = Show("N001", "N001_User00001");
    EXPECT_EQ(record["PropertyAge"], -1);
    EXPECT_EQ(record["PropertyGender"], -1);
    EXPECT_FALSE(Lists(record, "LastName"));
    EXPECT_FALSE(Lists(record, "PropertyAge"));
    EXPECT_TRUE(Lists(record, "Cooking"));
    ExpectRefused({"set", "N001", "N001_User00001", "LastName=Quill"}, {"holds no name list"});
    ExpectRefused({"set", "N001", "N001_User00001", "PropertyAge=8"},
                  {"PropertyAge cannot be saved"});
    EXPECT_EQ(RunCli(With({"set", "N001", "N001_User00001", "Cooking=12"})).code, kOk);
}

}  // namespace
}  // namespace kinloom::cli
