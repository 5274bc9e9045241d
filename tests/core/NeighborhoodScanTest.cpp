#include <gtest/gtest.h>

#include <fstream>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Platform.h"
#include "WinePrefix.h"
#include "core/neighborhoods/NeighborhoodScan.h"
#include "core/packages/Package.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
using test::PackageBuilder;
using test::TextListContent;
using test::VersionPropertySet;

class NeighborhoodScanTest : public ::testing::Test {
protected:
    fs::path Write(const std::string& folder, const Bytes& package) {
        fs::create_directories(hoods / folder);
        fs::path file = hoods / folder / (folder + "_Neighborhood.package");
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(package.data()),
                   static_cast<std::streamsize>(package.size()));
        return file;
    }
    test::TempDir dir;
    fs::path hoods = dir / "Neighborhoods";
};

TEST_F(NeighborhoodScanTest, ListsNThenGThenFAndSkipsWhatIsNoNeighborhood) {
    for (const char* folder : {"F001", "G001", "N002", "N001", "n003", "X001", "G002"})
        test::WriteNeighborhood(hoods, folder, std::string("Town ") + folder);
    fs::create_directories(hoods / "N004");  // no package: skipped without a word
    test::WriteTextFile(hoods / "N004" / "N001_Neighborhood.package", "wrong folder");
    test::WriteTextFile(hoods / "N006", "a file, not a folder");
    Bytes empty = PackageBuilder(24).build();
    test::SetU32(empty, kIndexSizeField, 24);  // count 0 is an index error whatever the size says
    Write("N005", empty);

    NeighborhoodScan scan = ScanNeighborhoods(hoods, 1);
    EXPECT_EQ(scan.Termination, std::nullopt);
    std::vector<std::string> folders;
    for (const Neighborhood& n : scan.Neighborhoods) folders.push_back(n.FolderName);
    EXPECT_EQ(folders, (std::vector<std::string>{"N001", "N002", "n003", "G001", "G002", "F001"}));
    EXPECT_EQ(scan.Messages,
              (std::vector<std::string>{"An Index Error was found in N005_Neighborhood.package\r\n"
                                        "This neighborhood will be ignored."}));
    EXPECT_EQ(scan.Neighborhoods[0].NGBDName, "Town N001");
    EXPECT_EQ(scan.Neighborhoods[0].NGBDVersion, "1 - 76");
    EXPECT_EQ(scan.Neighborhoods[0].PackagePath, hoods / "N001" / "N001_Neighborhood.package");
}

TEST_F(NeighborhoodScanTest, ReadsVersionNameAndDescription) {
    const std::string longVersion(50, '7');
    struct Case {
        const char* name;
        std::string folder;
        Bytes package;
        int language;
        std::string folderName, ngbdName, description, version;
    };
    const Case cases[] = {
        {"both version properties", "N001",
         PackageBuilder(24)
             .add(types::Version, 1, VersionPropertySet({{"0", "1"}, {"1", "76"}}))
             .add(types::TextList, 1, TextListContent({{1, "  Pleasantview "}, {1, "Old town"}}))
             .build(),
         1, "N001", "Pleasantview", "Old town", "1 - 76"},
        {"only property 0 gives no version", "N001",
         PackageBuilder(24).add(types::Version, 1, VersionPropertySet({{"0", "1"}})).build(), 1,
         "N001", "", "", ""},
        {"version cut to 36", "N001",
         PackageBuilder(20)
             .add(types::Version, 1, VersionPropertySet({{"0", "1"}, {"1", longVersion}}))
             .build(),
         1, "N001", "", "", ("1 - " + longVersion).substr(0, 36)},
        {"game language replaces non-empty strings", "N001",
         PackageBuilder(24)
             .add(types::TextList, 1,
                  TextListContent({{1, "Name"}, {1, "Description"}, {4, "Nom"}, {4, " "}}))
             .build(),
         4, "N001", "Nom", "Description", ""},
        {"compressed text list, the last one wins", "G001",
         PackageBuilder(24)
             .add(types::TextList, 1, TextListContent({{1, "First"}, {1, ""}}))
             .addCompressed(types::TextList, 2,
                            TextListContent({{1, std::string(300, 'D') + "owntown"}, {1, "x"}}))
             .build(),
         1, "G001", std::string(300, 'D') + "owntown", "x", ""},
        {"text list without its marker", "N001",
         PackageBuilder(24).add(types::TextList, 1, Bytes(80, 0)).build(), 1, "N001", "", "", ""},
        {"long folder name cut to 8", "N001_Copy",
         PackageBuilder(24).add(types::TextList, 1, TextListContent({{1, "Copy"}})).build(), 1,
         "N001_Cop", "Copy", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path file = Write(c.folder, c.package);
        test::FakeMessages messages;
        std::optional<Neighborhood> n =
            ScanNeighborhoodPackage(c.folder, file, c.language, messages);
        EXPECT_TRUE(messages.shown.empty());
        ASSERT_TRUE(n);
        EXPECT_EQ(n->FolderName, c.folderName);
        EXPECT_EQ(n->PackagePath, file);  // the package scanned, whatever the name is cut to
        EXPECT_EQ(n->NGBDName, c.ngbdName);
        EXPECT_EQ(n->NGBDDescription, c.description);
        EXPECT_EQ(n->NGBDVersion, c.version);
        EXPECT_EQ(n->Modified, 0);
    }
}

TEST_F(NeighborhoodScanTest, DamagedPackagesAreReportedAndSkipped) {
    const std::string indexError =
        "An Index Error was found in N001_Neighborhood.package\r\nThis neighborhood will be "
        "ignored.";
    const std::string dataError =
        "An Data Error was found in N001_Neighborhood.package\r\nThis neighborhood will be "
        "ignored.";
    const Bytes list = TextListContent({{1, std::string(200, 'n')}});

    Bytes indexPastEnd = PackageBuilder(24).add(types::TextList, 1, list).build();
    test::SetU32(indexPastEnd, kIndexOffsetField, 0x7FFFFFF0);
    Bytes headerOnly(40, 0);
    Bytes entryPastEnd = PackageBuilder(24).addRecord(types::TextList, 1, 96, 5000).build();
    Bytes badCompression = PackageBuilder(24).addCompressed(types::TextList, 1, list).build();
    badCompression[96 + 8] =
        static_cast<std::uint8_t>(badCompression[96 + 8] + 7);  // size announced

    struct Case {
        const char* name;
        Bytes package;
        std::string lastMessage;
    };
    const Case cases[] = {
        {"no entries", PackageBuilder(24).build(), indexError},
        {"index past the end", indexPastEnd, indexError},
        {"cut inside the header", headerOnly, indexError},
        {"entry past the end", entryPastEnd, dataError},
        {"entry that does not decompress", badCompression, dataError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path file = Write("N001", c.package);
        test::FakeMessages messages;
        EXPECT_EQ(ScanNeighborhoodPackage("N001", file, 1, messages), std::nullopt);
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back(), c.lastMessage);

        // The list goes on with the next neighborhood.
        test::WriteNeighborhood(hoods, "N002", "Fine");
        NeighborhoodScan scan = ScanNeighborhoods(hoods, 1);
        EXPECT_EQ(scan.Termination, std::nullopt);
        ASSERT_EQ(scan.Neighborhoods.size(), 1u);
        EXPECT_EQ(scan.Neighborhoods[0].FolderName, "N002");
    }
}

TEST_F(NeighborhoodScanTest, AnUnreadablePackageEndsStartUp) {
    test::WriteNeighborhood(hoods, "N001", "Fine");
#ifdef _WIN32
    // A package held open by the game, as Windows really has it.
    test::WriteNeighborhood(hoods, "N002", "Held");
    test::HeldOpen game(hoods / "N002" / "N002_Neighborhood.package");
    ASSERT_TRUE(game.Holding());
#else
    // A file the system lists as a regular file but will not read, whoever runs the test: what a
    // package held open by the game looks like on Windows.
    const fs::path unreadable = "/proc/self/mem";
    if (!fs::is_regular_file(unreadable)) GTEST_SKIP() << "no /proc here";
    fs::create_directories(hoods / "N002");
    fs::create_symlink(unreadable, hoods / "N002" / "N002_Neighborhood.package");
#endif
    NeighborhoodScan scan = ScanNeighborhoods(hoods, 1);
    EXPECT_EQ(scan.Termination,
              "Unable to access game neighborhood files. Please close the game or any "
              "applications that may currently be using them and then restart this program.");
}

TEST(NeighborhoodTextTest, DisplayTextDecodesTheName) {
    Neighborhood n;
    n.FolderName = "N001";
    n.NGBDName = "Pl\xC3\xA4tzchen \xE2\x84\xA2";
    EXPECT_EQ(NeighborhoodDisplayText(n), u"N001 : Pl\u00E4tzchen \u2122");
    n.NGBDName.clear();
    EXPECT_EQ(NeighborhoodDisplayText(n), u"N001 : ");
}

}  // namespace
}  // namespace kinloom
