#include <gtest/gtest.h>

#include "FolderTree.h"

#include <fstream>
#include <map>

#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "core/platform/FileOps.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
using Tree = test::FolderTree;

void Make(const fs::path& root, const Tree& tree) {
    test::MakeFolderTree(root, tree);
}

Tree Read(const fs::path& root) {
    return test::ReadFolderTree(root);
}

// Trash for tests: a folder in the temporary directory; copies can be made to fail by name.
class TestFileOps final : public FilesystemFileOps {
public:
    explicit TestFileOps(fs::path trash) : trash_(std::move(trash)) {}
    bool DeleteToTrash(const fs::path& item) override {
        fs::create_directories(trash_);
        return RenameItem(item, FreeName(trash_, item.filename()));
    }
    std::string failCopyOf;   // a file name whose copy fails
    bool renameWorks = true;  // false: as if moving to another file system

protected:
    bool CopyOneFile(const fs::path& from, const fs::path& to) override {
        if (from.filename() == failCopyOf) return false;
        return FilesystemFileOps::CopyOneFile(from, to);
    }
    bool RenameItem(const fs::path& from, const fs::path& to) override {
        return renameWorks && FilesystemFileOps::RenameItem(from, to);
    }

private:
    fs::path trash_;
};

class FileOpsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path source = dir / "N001";
    fs::path target = dir / "Backups" / "N001 03-14-2008 153045";
    TestFileOps ops{dir / "Trash"};
    const Tree neighborhood{{"N001_Neighborhood.package", "pkg"},
                            {"N001_Neighborhood.png", "png"},
                            {"Characters", "/"},
                            {"Characters/N001_User00000.package", "sim"},
                            {"Thumbnails", "/"}};
};

TEST_F(FileOpsTest, CopyAndMoveGiveClashingItemsNewNames) {
    Make(source, neighborhood);
    Make(target, {{"N001_Neighborhood.png", "older"}, {"Characters", "/"}});
    ASSERT_TRUE(ops.CopyContents(source, target));
    EXPECT_EQ(Read(source), neighborhood) << "the source is left as it was";
    Tree want = {{"N001_Neighborhood.package", "pkg"},
                 {"N001_Neighborhood.png", "older"},
                 {"N001_Neighborhood (2).png", "png"},
                 {"Characters", "/"},
                 {"Characters (2)", "/"},
                 {"Characters (2)/N001_User00000.package", "sim"},
                 {"Thumbnails", "/"}};
    EXPECT_EQ(Read(target), want);

    for (bool sameFileSystem : {true, false}) {
        SCOPED_TRACE(sameFileSystem ? "rename" : "copy and remove");
        ops.renameWorks = sameFileSystem;
        fs::remove_all(target);
        Make(target, {{"Thumbnails", "/"}});
        ASSERT_TRUE(ops.MoveContents(source, target));
        EXPECT_EQ(Read(source), Tree{});
        EXPECT_TRUE(fs::is_directory(source));
        Tree moved = neighborhood;
        moved["Thumbnails (2)"] = "/";
        EXPECT_EQ(Read(target), moved);
        fs::remove_all(source);
        Make(source, neighborhood);
    }
}

TEST_F(FileOpsTest, FailuresAreReportedAndNothingIsLost) {
    Make(source, neighborhood);
    ops.failCopyOf = "N001_User00000.package";
    EXPECT_FALSE(ops.CopyContents(source, target));
    EXPECT_EQ(Read(source), neighborhood);

    // Moving across file systems: an item that cannot be copied stays where it was.
    fs::remove_all(target);
    ops.renameWorks = false;
    EXPECT_FALSE(ops.MoveContents(source, target));
    Tree left = Read(source);
    EXPECT_EQ(left["Characters/N001_User00000.package"], "sim");
    EXPECT_EQ(Read(target).count("Characters"), 0u) << "no half-copied folder is left behind";

    EXPECT_FALSE(ops.CopyContents(dir / "missing", target));
    EXPECT_FALSE(ops.MoveContents(dir / "missing", target));
}

TEST_F(FileOpsTest, DeletesForGoodOrToTheTrash) {
    Make(source, neighborhood);
    EXPECT_TRUE(ops.DeleteToTrash(source));
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(Read(dir / "Trash" / "N001"), neighborhood);

    EXPECT_TRUE(ops.DeletePermanently(dir / "Trash" / "N001"));
    EXPECT_FALSE(fs::exists(dir / "Trash" / "N001"));
    EXPECT_TRUE(ops.DeletePermanently(dir / "never there"));
}

TEST(FreeNameTest, NumbersTakenNames) {
    test::TempDir dir;
    EXPECT_EQ(FreeName(dir.path(), "a.txt"), dir / "a.txt");
    test::WriteTextFile(dir / "a.txt", "");
    test::WriteTextFile(dir / "a (2).txt", "");
    EXPECT_EQ(FreeName(dir.path(), "a.txt"), dir / "a (3).txt");
    fs::create_directories(dir / "N001 03-14-2008 153045");
    EXPECT_EQ(FreeName(dir.path(), "N001 03-14-2008 153045"), dir / "N001 03-14-2008 153045 (2)");
}

}  // namespace
}  // namespace kinloom
