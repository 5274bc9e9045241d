// export-clone and import-clone: a sim carried from one demo neighborhood into another and read
// back, and the requests that must leave every file as it was.
#include <gtest/gtest.h>

#include "CloneParts.h"
#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Platform.h"
#include "RunCli.h"
#include "WinePrefix.h"
#include "cli/Cli.h"
#include "core/cloning/CloneLayout.h"
#include "core/cloning/Cloning.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/platform/FileIO.h"
#ifdef _WIN32
#include "core/neighborhoods/Discovery.h"
#include "core/platform/WindowsRegistry.h"
#endif

namespace kinloom::cli {
namespace {
namespace fs = std::filesystem;

using test::GroupBytes;
using test::RunCli;
using test::RunResult;

class CloneCliTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        // Windows reads the packs from its own registry, not from a prefix's files.
        const ExpansionFlags packs = ReadExpansionFlags(WindowsRegistry{});
        if (!(packs.HasUniversity && packs.HasNightlife && packs.HasBusiness && packs.HasPets &&
              packs.HasSeasons && packs.HasBonVoyage && packs.HasFreeTime))
            GTEST_SKIP() << "needs every expansion pack in the registry (./test --windows "
                            "registers them in its own Wine prefix)";
#endif
        ASSERT_EQ(RunCli({"demo", data.string()}).code, kOk);
        // Every expansion pack installed, whatever the machine running the tests has.
        std::vector<test::RegKey> keys = {
            {"Software\\EA GAMES\\The Sims 2", {{"DisplayName", "The Sims 2"}}, {}},
            {"Software\\EA GAMES\\The Sims 2\\1.0", {{"LanguageName", "English US"}}, {}}};
        for (const char* pack : {"University", "Nightlife", "Open For Business", "Pets", "Seasons",
                                 "Bon Voyage", "FreeTime"})
            keys.push_back({std::string("Software\\EA GAMES\\The Sims 2 ") + pack, {}, {}});
        prefix.WriteSystemReg(keys);
        prefix.WriteUserReg({});
    }

    std::vector<std::string> With(std::vector<std::string> args) {
        for (const std::string& option : {std::string("--user-data"), data.string(),
                                          std::string("--wine-prefix"), prefix.Root().string()})
            args.push_back(option);
        return args;
    }
    fs::path Package(const std::string& folder) {
        return data / "Neighborhoods" / folder / (folder + "_Neighborhood.package");
    }
    // The neighborhood as the window would load it, to look at what the commands did.
    void Load(LoadedNeighborhood& state, const std::string& folder) {
        Neighborhood n;
        n.FolderName = folder;
        n.PackagePath = Package(folder);
        EditingContext context{messages, 1, {}, {}};
        ASSERT_TRUE(LoadNeighborhood(n, state, LabelForm::FirstName, context).Loaded);
    }
    static Character* WithBody(const LoadedNeighborhood& state) {
        for (Character* sim : state.Sims)
            if (sim->HasBody) return sim;
        return nullptr;
    }

    test::TempDir dir;
    fs::path data = dir / "userdata";
    test::FakeWinePrefix prefix{dir / "prefix", "player"};
    test::FakeMessages messages;
};

TEST_F(CloneCliTest, AnExportedSimTakenIntoAnotherNeighborhoodKeepsItsAttributesAndBody) {
    LoadedNeighborhood from, to;
    Load(from, "N001");
    Load(to, "G001");  // the short index form
    const Character* source = WithBody(from);
    const Character* target = WithBody(to);
    ASSERT_TRUE(source && target);
    const Character original = *target;

    // The extension is the clone's whatever was typed; an existing clone is kept unless told.
    const fs::path clone = dir / "Ann.clone";
    RunResult exported =
        RunCli(With({"export-clone", "N001", source->FileName, (dir / "Ann.txt").string()}));
    ASSERT_EQ(exported.code, kOk) << exported.err;
    EXPECT_EQ(exported.out, clone.string() + "\n");
    const Bytes written = ReadWholeFile(clone);
    ReplaceFileAtomically(clone, test::Text("kept"));
    EXPECT_EQ(RunCli(With({"export-clone", "N001", source->FileName, clone.string()})).code,
              kRefused);
    EXPECT_EQ(ReadWholeFile(clone), test::Text("kept"));
    ASSERT_EQ(
        RunCli(With({"export-clone", "N001", source->FileName, clone.string(), "--replace"})).code,
        kOk);
    EXPECT_EQ(ReadWholeFile(clone), written) << "the same sim gives the same clone";

    // G001's sims are older than FreeTime: their descriptions have no place for the clone's
    // hobbies and need decay, so taking every group would drop those; it is refused whole.
    const Bytes before = ReadWholeFile(Package("G001"));
    RunResult everything = RunCli(With({"import-clone", "G001", target->FileName, clone.string()}));
    EXPECT_EQ(everything.code, kUsage) << everything.err;
    EXPECT_NE(everything.err.find("Cuisine cannot be saved"), std::string::npos) << everything.err;
    EXPECT_NE(everything.err.find("a version 41 sim description does not hold it (only version 51 "
                                  "does)"),
              std::string::npos)
        << everything.err;
    EXPECT_EQ(everything.out.find("saved"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(Package("G001")), before);

    RunResult imported = RunCli(
        With({"import-clone", "G001", target->FileName, clone.string(), "--groups",
              "character,personality,skills,interests,job,body,university,genes,attraction"}));
    ASSERT_EQ(imported.code, kOk) << imported.err;
    EXPECT_NE(imported.out.find("body: from " + clone.string()), std::string::npos);
    EXPECT_NE(imported.out.find("saved"), std::string::npos);

    LoadedNeighborhood again;
    Load(again, "G001");
    const Character* reloaded = again.FindSim(original.GUID);
    ASSERT_NE(reloaded, nullptr);
    // Every group taken comes from the source; the job's NPC type and, with FreeTime installed,
    // the aspiration stay the target's own, as do the hobbies and need decay left out.
    for (std::uint32_t group : {1u, 3u, 4u, 6u, 256u, 258u})
        EXPECT_EQ(GroupBytes(group, *reloaded), GroupBytes(group, *source)) << group;
    for (std::uint32_t group : {2u, 261u, 262u})
        EXPECT_EQ(GroupBytes(group, *reloaded), GroupBytes(group, original)) << group;
    EXPECT_EQ(reloaded->NPCType, original.NPCType);
    EXPECT_EQ(reloaded->Career, source->Career);
    EXPECT_EQ(reloaded->FirstName, source->FirstName);
    EXPECT_EQ(reloaded->LastName, source->LastName);
    EXPECT_EQ(reloaded->CharacterDescription, source->CharacterDescription);
    EXPECT_EQ(reloaded->SkinColor, source->SkinColor);
    EXPECT_EQ(reloaded->HairColor, source->HairColor);
    EXPECT_EQ(reloaded->EyeColor, source->EyeColor);

    bool sourcePicture = false, targetPicture = true;
    const auto body =
        test::BodyEntries(from.CharactersFolder / source->FileName, messages, sourcePicture);
    EXPECT_EQ(body.size(), kBodyEntryTypes.size());
    EXPECT_EQ(
        test::BodyEntries(again.CharactersFolder / reloaded->FileName, messages, targetPicture),
        body);
    EXPECT_FALSE(targetPicture);

    // The clone of the new sim reads back as the one it came from: the same groups, names,
    // genes and body (its job group differs in the NPC type only; hobbies and need decay, which
    // G001 cannot hold, are its own).
    const fs::path second = dir / "Again.clone";
    ASSERT_EQ(RunCli(With({"export-clone", "G001", reloaded->FileName, second.string()})).code,
              kOk);
    const CloneContents first = ReadCloneFile(ReadWholeFile(clone));
    const CloneContents copy = ReadCloneFile(ReadWholeFile(second));
    for (const auto& [group, bytes] : first.Groups) {
        SCOPED_TRACE(group);
        ASSERT_TRUE(copy.Groups.contains(group));
        if (group == 261 || group == 262) continue;
        if (group == 5) {
            Character a, b;
            TakeCloneGroup(group, bytes, a);
            TakeCloneGroup(group, copy.Groups.at(group), b);
            EXPECT_EQ(GroupBytes(group, a), GroupBytes(group, b));
        } else {
            EXPECT_EQ(copy.Groups.at(group), bytes);
        }
    }
    EXPECT_EQ(copy.Groups.size(), first.Groups.size());
    EXPECT_EQ(copy.FirstName, first.FirstName);
    EXPECT_EQ(copy.LastName, first.LastName);
    EXPECT_EQ(copy.Description, first.Description);
    ASSERT_EQ(copy.Genes.has_value(), first.Genes.has_value());
    if (first.Genes) {
        EXPECT_EQ(*copy.Genes, *first.Genes);
    }
    EXPECT_TRUE(copy.HasBody);
}

TEST_F(CloneCliTest, ADryRunTellsTheChangesAndWritesNothing) {
    LoadedNeighborhood hood;
    Load(hood, "N001");
    const Character* source = WithBody(hood);
    ASSERT_NE(source, nullptr);
    const Character* target = nullptr;
    for (const Character* sim : hood.Sims)
        if (sim != source && sim->HasBody && sim->Cooking != source->Cooking) target = sim;
    ASSERT_NE(target, nullptr);
    const fs::path clone = dir / "Source.clone";
    ASSERT_EQ(RunCli(With({"export-clone", "N001", source->FileName, clone.string()})).code, kOk);

    const Bytes neighborhood = ReadWholeFile(Package("N001"));
    const Bytes package = ReadWholeFile(hood.CharactersFolder / target->FileName);
    RunResult dry = RunCli(With({"import-clone", "N001", target->FileName, clone.string(),
                                 "--groups", "skills", "--dry-run"}));
    ASSERT_EQ(dry.code, kOk) << dry.err;
    EXPECT_NE(dry.out.find("Cooking: " + std::to_string(target->Cooking) + " -> " +
                           std::to_string(source->Cooking)),
              std::string::npos)
        << dry.out;
    EXPECT_EQ(dry.out.find("Neat:"), std::string::npos) << "only the skills were asked for";
    EXPECT_EQ(dry.out.find("body:"), std::string::npos);
    EXPECT_NE(dry.out.find("dry run"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(Package("N001")), neighborhood);
    EXPECT_EQ(ReadWholeFile(hood.CharactersFolder / target->FileName), package);
}

TEST_F(CloneCliTest, RequestsThatCannotBeDoneChangeNothing) {
    LoadedNeighborhood hood;
    Load(hood, "N001");
    const Character* sim = WithBody(hood);
    ASSERT_NE(sim, nullptr);
    const Character* pet = nullptr;
    for (const Character* c : hood.Sims)
        if (!c->HasBody) pet = c;
    ASSERT_NE(pet, nullptr);
    const std::string file = sim->FileName;

    const fs::path clone = dir / "Good.clone";
    ASSERT_EQ(RunCli(With({"export-clone", "N001", file, clone.string()})).code, kOk);
    Bytes cut = ReadWholeFile(clone);
    cut.resize(cut.size() - 7);  // the index runs past the end
    const fs::path damaged = dir / "Cut.clone";
    ReplaceFileAtomically(damaged, cut);
    test::PackageBuilder noHair(24);
    for (std::uint32_t type : kBodyEntryTypes)
        if (type != 0xFC6EB1F7) noHair.add(type, 1, test::Text("part"));
    const fs::path bodyShop = dir / "NoHair.package";
    ReplaceFileAtomically(bodyShop, noHair.build());

    struct Case {
        const char* name;
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {"unknown group",
         {"import-clone", "N001", file, clone.string(), "--groups", "looks"},
         kUsage,
         "not a group: \"looks\""},
        {"empty group",
         {"import-clone", "N001", file, clone.string(), "--groups=skills,"},
         kUsage,
         "not a group: \"\""},
        {"groups twice",
         {"import-clone", "N001", file, clone.string(), "--groups", "body", "--groups", "genes"},
         kUsage,
         "twice"},
        {"aspiration with FreeTime installed",
         {"import-clone", "N001", file, clone.string(), "--groups", "aspiration,skills"},
         kUsage,
         "not offered"},
        {"a package without the body group",
         {"import-clone", "N001", file, bodyShop.string(), "--groups", "skills"},
         kUsage,
         "body group"},
        {"a Body Shop package without its hair",
         {"import-clone", "N001", file, bodyShop.string(), "--groups", "body"},
         kUnreadable,
         "The file you have selected is Not a Bodyshop or Character Package"},
        {"a clone cut short",
         {"import-clone", "N001", file, damaged.string()},
         kUnreadable,
         "cannot be used"},
        {"no such file",
         {"import-clone", "N001", file, (dir / "None.clone").string()},
         kUsage,
         "no file"},
        {"a pet cannot take a clone",
         {"import-clone", "N001", pet->FileName, clone.string()},
         kRefused,
         "Pet Cloning is currently not available."},
        {"nor give one",
         {"export-clone", "N001", pet->FileName, (dir / "Pet").string()},
         kRefused,
         "Pet Cloning is currently not available."},
        {"no such sim", {"import-clone", "N001", "Nobody", clone.string()}, kUsage, "no sim"},
        {"unknown option",
         {"import-clone", "N001", file, clone.string(), "--fast"},
         kUsage,
         "unknown option"},
        {"missing file argument", {"export-clone", "N001", file}, kUsage, "usage"},
    };
    const Bytes neighborhood = ReadWholeFile(Package("N001"));
    const Bytes package = ReadWholeFile(hood.CharactersFolder / file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = RunCli(With(c.args));
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(ReadWholeFile(Package("N001")), neighborhood);
        EXPECT_EQ(ReadWholeFile(hood.CharactersFolder / file), package);
    }
    EXPECT_FALSE(fs::exists(dir / "Pet.clone"));
}

}  // namespace
}  // namespace kinloom::cli
