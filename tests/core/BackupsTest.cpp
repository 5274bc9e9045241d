#include <gtest/gtest.h>

#include "FolderTree.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "WinePrefix.h"
#include "core/maintenance/Backups.h"
#include "core/platform/FileOps.h"
#include "core/platform/Paths.h"
#include "core/platform/Settings.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;
using Tree = test::FolderTree;

void Make(const fs::path& root, const Tree& tree) {
    fs::create_directories(root);
    test::MakeFolderTree(root, tree);
}

Tree Read(const fs::path& root) {
    return test::ReadFolderTree(root);
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Within(const fs::path& item, const fs::path& folder) {
    const std::string text = item.lexically_normal().string();
    const std::string prefix = folder.lexically_normal().string();
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The desktop's trash is a folder of the test; copies, renames and trashing can be made to fail.
class TestFileOps final : public FilesystemFileOps {
public:
    explicit TestFileOps(fs::path trash) : trash_(std::move(trash)) {}
    bool DeleteToTrash(const fs::path& item) override {
        if (!trashWorks) return false;
        fs::create_directories(trash_);
        return FilesystemFileOps::RenameItem(item, FreeName(trash_, item.filename()));
    }
    std::string failCopyOf;  // a file name whose copy fails
    std::string dropCopyOf;  // a file name whose copy is "made" but never written
    std::string flipCopyOf;  // a file name whose copy has the right size but a wrong first byte
    std::function<bool(const fs::path& to)> copyFails;  // copies to these targets fail
    std::function<bool(const fs::path& from, const fs::path& to)> renameFails;
    fs::path otherDrive;      // items cannot be renamed into or out of this folder
    bool renameWorks = true;  // false: as if the archive were on another file system
    bool trashWorks = true;

protected:
    bool CopyOneFile(const fs::path& from, const fs::path& to) override {
        if (from.filename() == failCopyOf || (copyFails && copyFails(to))) return false;
        if (from.filename() == dropCopyOf) return true;
        if (!FilesystemFileOps::CopyOneFile(from, to)) return false;
        if (from.filename() == flipCopyOf) {
            std::fstream file(to, std::ios::binary | std::ios::in | std::ios::out);
            const char first = static_cast<char>(file.get() ^ 1);
            file.seekp(0);
            file.put(first);
        }
        return true;
    }
    bool RenameItem(const fs::path& from, const fs::path& to) override {
        if (!otherDrive.empty() && Within(from, otherDrive) != Within(to, otherDrive)) return false;
        if (renameFails && renameFails(from, to)) return false;
        return renameWorks && FilesystemFileOps::RenameItem(from, to);
    }

private:
    fs::path trash_;
};

const BackupTime kMarch14{2008, 3, 14, 15, 30, 45};

class BackupsTest : public ::testing::Test {
protected:
    BackupsTest() {
        test::WriteNeighborhood(hoods, "N001", "  Pleasantview ", "Old town");
        Make(hoods / "N001", {{"Characters", "/"},
                              {"Characters/N001_User00000.package", "sim"},
                              {"N001_Neighborhood.png", "png"}});
        pleasantview.FolderName = "N001";
        pleasantview.PackagePath = hoods / "N001" / "N001_Neighborhood.package";
        pleasantview.NGBDName = "  Pleasantview ";
    }

    const BackupNode& Group(const BackupTree& tree, const std::string& text) {
        for (const BackupNode& g : tree.Root.Children)
            if (g.Text == text) return g;
        static const BackupNode none;
        ADD_FAILURE() << "no group " << text;
        return none;
    }
    BackupNode BackupNodeFor(const std::string& name) { return {2, name, {}, {}}; }

    test::TempDir dir;
    fs::path documents = dir / "Documents";
    fs::path hoods = dir / "Neighborhoods";
    fs::path archive = documents / "Quillfern" / "NGBDs";
    fs::path trash = dir / "Trash";
    MemorySettings settings;
    test::FakeMessages messages;
    TestFileOps files{trash};
    BackupTime now = kMarch14;
    Backups backups{{hoods, documents, 1}, settings, messages, files, [this] { return now; }};
    Neighborhood pleasantview;
    const std::string notFound =
        "A Backup Copy of Pleasantview was not found.\r\n\r\n"
        "You should use the Backup Neighborhood option prior\r\n"
        "to making any changes to this Neighborhood.";
};

TEST(BackupNamesTest, FolderNamesCarryTheLocalTime) {
    EXPECT_EQ(BackupFolderName("N001", kMarch14), "N001 03-14-2008 153045");
    EXPECT_EQ(BackupFolderName("G002", {2009, 1, 2, 3, 4, 5}), "G002 01-02-2009 030405");
    EXPECT_EQ(FirstCharacters("N001 copy", 4), "N001");
    const std::string umlaut = "\xC3\xA4";
    EXPECT_EQ(FirstCharacters("N" + umlaut + "01x", 4), "N" + umlaut + "01") << "not bytes";
    EXPECT_EQ(FirstCharacters("N1", 4), "N1");
}

TEST_F(BackupsTest, ArchiveFolderFallsBackToDocumentsWhenTheSettingIsUnusable) {
    fs::create_directories(dir / "Chosen");
    test::WriteTextFile(dir / "AFile", "");
    struct Case {
        const char* name;
        std::optional<std::string> setting;
        fs::path want;
    };
    const Case cases[] = {
        {"no setting", std::nullopt, archive},
        {"empty setting", "", archive},
        {"existing folder", (dir / "Chosen").string(), dir / "Chosen"},
        {"stale folder", (dir / "Gone").string(), archive},
        {"a file, not a folder", (dir / "AFile").string(), archive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettings s;
        if (c.setting) s.WriteText("ArchiveLoc", *c.setting);
        EXPECT_EQ(ResolveArchiveFolder(s, documents), c.want);
    }
}

TEST_F(BackupsTest, TreeGroupsBackupsByNeighborhood) {
    for (const char* name : {"N001 03-14-2008 153045", "N001 copy", "n001 01-01-2008 000000",
                             "G001 02-02-2008 101010", "F001 03-03-2008 111111",
                             "X001 03-14-2008 153045", "~N001 03-14-2008 153046 (in progress)"})
        fs::create_directories(archive / name);
    test::WriteTextFile(archive / "N002 a file", "not a folder");

    BackupTree tree = ListBackups(archive, "N001");
    EXPECT_EQ(tree.Root.Text, "Stored Backups");
    EXPECT_EQ(tree.Root.Level, 0);
    std::vector<std::string> groups;
    for (const BackupNode& g : tree.Root.Children) {
        EXPECT_EQ(g.Level, 1);
        groups.push_back(g.Text);
    }
    // "n001 ..." is found first (names are taken in order) and names the group for both cases.
    EXPECT_EQ(groups, (std::vector<std::string>{"F001 - Neighborhood Backups",
                                                "G001 - Neighborhood Backups",
                                                "n001 - Neighborhood Backups"}));
    const BackupNode& n001 = tree.Root.Children[2];
    std::vector<std::string> backupsOfN001;
    for (const BackupNode& b : n001.Children) {
        EXPECT_EQ(b.Level, 2);
        EXPECT_EQ(b.Path, archive / b.Text);
        backupsOfN001.push_back(b.Text);
    }
    EXPECT_EQ(backupsOfN001, (std::vector<std::string>{"n001 01-01-2008 000000",
                                                       "N001 03-14-2008 153045", "N001 copy"}));
    EXPECT_FALSE(tree.FoundLoadedGroup()) << "the group's text differs in case from N001";

    fs::remove_all(archive / "n001 01-01-2008 000000");
    tree = ListBackups(archive, "N001");
    ASSERT_EQ(tree.Selected, (std::vector<std::size_t>{2}));
    EXPECT_EQ(Group(tree, "N001 - Neighborhood Backups").Children.size(), 2u);

    EXPECT_FALSE(ListBackups(archive, "N009").FoundLoadedGroup());
    EXPECT_TRUE(ListBackups(dir / "Nowhere", "N001").Root.Children.empty());
}

TEST_F(BackupsTest, BackupCopiesTheWholeNeighborhoodFolder) {
    const Tree original = Read(hoods / "N001");
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    BackupOutcome outcome = backups.BackupNeighborhood(
        pleasantview,
        [&](std::size_t done, std::size_t total) { steps.emplace_back(done, total); });
    ASSERT_TRUE(outcome.Succeeded);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Read(archive / "N001 03-14-2008 153045"), original);
    EXPECT_EQ(Read(hoods / "N001"), original);
    EXPECT_EQ(Names(archive), (std::vector<std::string>{"N001 03-14-2008 153045"}));
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), std::make_pair(std::size_t{0}, std::size_t{3}));
    EXPECT_EQ(steps.back(), std::make_pair(std::size_t{3}, std::size_t{3}));
    ASSERT_TRUE(outcome.Tree.FoundLoadedGroup());
    EXPECT_EQ(Group(outcome.Tree, "N001 - Neighborhood Backups").Children.at(0).Text,
              "N001 03-14-2008 153045");

    // A second backup in the same second replaces the first, which goes to the trash.
    test::WriteTextFile(hoods / "N001" / "Characters" / "N001_User00000.package", "edited sim");
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    EXPECT_EQ(Read(archive / "N001 03-14-2008 153045").at("Characters/N001_User00000.package"),
              "edited sim");
    EXPECT_EQ(Read(trash / "N001 03-14-2008 153045"), original);

    now.Second = 46;
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    EXPECT_EQ(Names(archive),
              (std::vector<std::string>{"N001 03-14-2008 153045", "N001 03-14-2008 153046"}));
}

TEST_F(BackupsTest, BackupGoesToTheDefaultFolderWhenTheSettingIsStale) {
    settings.WriteText("ArchiveLoc", (dir / "Unplugged drive").string());
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    EXPECT_TRUE(fs::is_directory(archive / "N001 03-14-2008 153045"));
    EXPECT_FALSE(fs::exists(dir / "Unplugged drive"));
    EXPECT_TRUE(backups.RebuildBackupTree("N001").FoundLoadedGroup());
}

TEST_F(BackupsTest, FailedBackupsLeaveNothingThatLooksLikeABackup) {
    const Tree original = Read(hoods / "N001");
    struct Case {
        const char* name;
        std::function<void(TestFileOps&)> inject;
        bool earlierBackup;  // a backup of the same second is already there
    };
    const Case cases[] = {
        {"a file cannot be copied", [](TestFileOps& f) { f.failCopyOf = "N001_User00000.package"; },
         false},
        {"a file goes missing without a word",
         [](TestFileOps& f) { f.dropCopyOf = "N001_Neighborhood.png"; }, false},
        {"the finished copy cannot be renamed", [](TestFileOps& f) { f.renameWorks = false; },
         false},
        {"the earlier backup cannot go to the trash", [](TestFileOps& f) { f.trashWorks = false; },
         true},
        {"a copy fails while an earlier backup exists",
         [](TestFileOps& f) { f.failCopyOf = "N001_User00000.package"; }, true},
    };
    const Tree earlier = {{"N001_Neighborhood.package", "the earlier backup"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(archive);
        fs::remove_all(trash);
        if (c.earlierBackup) Make(archive / "N001 03-14-2008 153045", earlier);
        TestFileOps failing{trash};
        c.inject(failing);
        test::FakeMessages said;
        Backups b{{hoods, documents, 1}, settings, said, failing, [this] { return now; }};

        BackupOutcome outcome = b.BackupNeighborhood(pleasantview);
        EXPECT_FALSE(outcome.Succeeded);
        ASSERT_FALSE(said.shown.empty());
        EXPECT_EQ(said.shown[0], "Backup Operation Failed.");
        EXPECT_EQ(Read(hoods / "N001"), original);
        if (c.earlierBackup) {
            EXPECT_EQ(Names(archive), (std::vector<std::string>{"N001 03-14-2008 153045"}));
            EXPECT_EQ(Read(archive / "N001 03-14-2008 153045"), earlier);
            EXPECT_TRUE(outcome.Tree.FoundLoadedGroup());
        } else {
            EXPECT_EQ(Names(archive), std::vector<std::string>{}) << "no half copy stays behind";
            EXPECT_FALSE(outcome.Tree.FoundLoadedGroup());
            EXPECT_EQ(said.shown, (std::vector<std::string>{"Backup Operation Failed.", notFound}));
        }
    }
}

TEST_F(BackupsTest, BackupOfAMissingOrUnnamedFolderFails) {
    for (const char* folderName : {"N007", "", ".."}) {
        SCOPED_TRACE(folderName);
        messages.shown.clear();
        Neighborhood odd = pleasantview;
        odd.FolderName = folderName;
        EXPECT_FALSE(backups.BackupNeighborhood(odd).Succeeded);
        EXPECT_EQ(messages.shown, (std::vector<std::string>{"Backup Operation Failed.", notFound}));
    }
    EXPECT_FALSE(fs::exists(archive / " 03-14-2008 153045"));

    // An archive folder inside the neighborhood would hold copies of itself without end.
    settings.WriteText("ArchiveLoc", (hoods / "N001" / "Backups").string());
    fs::create_directories(hoods / "N001" / "Backups");
    messages.shown.clear();
    EXPECT_FALSE(backups.BackupNeighborhood(pleasantview).Succeeded);
    EXPECT_EQ(Names(hoods / "N001" / "Backups"), std::vector<std::string>{});
}

TEST_F(BackupsTest, RestoreNeedsABackupFolderSelected) {
    const BackupNode root{0, "Stored Backups", archive, {}};
    const BackupNode group{1, "N001 - Neighborhood Backups", archive, {}};
    for (const BackupNode* node : {static_cast<const BackupNode*>(nullptr), &root, &group}) {
        messages.shown.clear();
        EXPECT_EQ(backups.RestoreBackup(node, {pleasantview}, "N001").Result,
                  BackupResult::NotSelected);
        EXPECT_EQ(backups.DeleteBackup(node, pleasantview).Result, BackupResult::NotSelected);
        EXPECT_EQ(messages.shown,
                  (std::vector<std::string>(
                      2, "You must first select a neighborhood by left clicking on it.")));
    }
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(BackupsTest, RestorePutsTheBackupBackAndTrashesTheCurrentFolder) {
    const Tree original = Read(hoods / "N001");
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    test::WriteTextFile(hoods / "N001" / "Characters" / "N001_User00000.package", "edited sim");
    test::WriteTextFile(hoods / "N001" / "Characters" / "N001_User00001.package", "new sim");
    const Tree edited = Read(hoods / "N001");
    const BackupNode node = BackupNodeFor("N001 03-14-2008 153045");
    const std::string question =
        "\"" + (hoods / "N001").string() +
        "\" will be restored with the Neighborhood backup selected.\r\n"
        "If you continue it will be replaced. A backup of it as it is now is made first, "
        "\"N001 03-14-2008 153045 (before restore)\": restore that one to take this back.\r\n";

    messages.script({false});
    EXPECT_EQ(backups.RestoreBackup(&node, {pleasantview}, "N001").Result, BackupResult::Cancelled);
    EXPECT_EQ(messages.asked, std::vector<std::string>{question});
    EXPECT_EQ(Read(hoods / "N001"), edited);

    struct Case {
        const char* loaded;
        bool reload;
    };
    Tree replaced;
    for (const Case& c : {Case{"N002", false}, Case{"N001", true}}) {
        SCOPED_TRACE(c.loaded);
        fs::remove_all(trash);
        test::WriteTextFile(hoods / "N001" / "Characters" / "N001_User00001.package", "new sim");
        replaced = Read(hoods / "N001");
        messages.script({true});
        RestoreOutcome outcome = backups.RestoreBackup(&node, {pleasantview}, c.loaded);
        EXPECT_EQ(outcome.Result, BackupResult::Done);
        EXPECT_EQ(outcome.ReloadLoaded, c.reload);
        EXPECT_FALSE(outcome.Added);
        EXPECT_EQ(Read(hoods / "N001"), original);
        EXPECT_EQ(Read(trash / "N001").at("Characters/N001_User00001.package"), "new sim")
            << "the replaced neighborhood can be had back from the trash";
        EXPECT_EQ(Read(archive / "N001 03-14-2008 153045"), original) << "the backup stays";
        EXPECT_EQ(Read(archive / "N001 03-14-2008 153045 (before restore)"), replaced)
            << "what was replaced is kept as a backup of its own";
        ASSERT_TRUE(outcome.Tree);
        EXPECT_EQ(outcome.Tree->Root.Children.at(0).Children.size(), 2u) << "and listed";
    }
    EXPECT_EQ(Names(hoods), std::vector<std::string>{"N001"}) << "no working folder is left";
    EXPECT_EQ(Names(archive),
              (std::vector<std::string>{"N001 03-14-2008 153045",
                                        "N001 03-14-2008 153045 (before restore)"}));
    EXPECT_TRUE(messages.shown.empty());

    // The restore is taken back by restoring what it replaced.
    messages.script({true});
    now.Second = 50;
    const BackupNode before = BackupNodeFor("N001 03-14-2008 153045 (before restore)");
    EXPECT_EQ(backups.RestoreBackup(&before, {pleasantview}, "N001").Result, BackupResult::Done);
    EXPECT_EQ(Read(hoods / "N001"), replaced);
    EXPECT_NE(replaced, original);
}

TEST_F(BackupsTest, FailedRestoreLeavesTheNeighborhoodAsItWas) {
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    test::WriteTextFile(hoods / "N001" / "Characters" / "N001_User00000.package", "edited sim");
    const Tree edited = Read(hoods / "N001");
    const auto restoring = [](const fs::path& to) {
        return to.parent_path().filename().string().find("(restoring)") != std::string::npos;
    };
    const std::string beforeFailed = kBeforeRestoreFailed;
    struct Case {
        const char* name;
        std::function<void(TestFileOps&)> inject;
        std::string backup;
        std::string said;
    };
    const Case cases[] = {
        {"the current folder cannot be backed up first",
         [](TestFileOps& f) { f.failCopyOf = "N001_Neighborhood.png"; }, "N001 03-14-2008 153045",
         beforeFailed},
        {"a file of that backup goes missing without a word",
         [](TestFileOps& f) { f.dropCopyOf = "N001_User00000.package"; }, "N001 03-14-2008 153045",
         beforeFailed},
        {"a file of the restored backup cannot be copied",
         [&](TestFileOps& f) {
             f.copyFails = [&](const fs::path& to) {
                 return restoring(to) && to.filename() == "N001_Neighborhood.png";
             };
         },
         "N001 03-14-2008 153045", kBackupFailed},
        {"the current folder cannot go to the trash", [](TestFileOps& f) { f.trashWorks = false; },
         "N001 03-14-2008 153045", kBackupFailed},
        {"the backup folder is gone", [](TestFileOps&) {}, "N001 01-01-2001 000000", kBackupFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(archive / "N001 03-14-2008 153045 (before restore)");
        TestFileOps failing{trash};
        c.inject(failing);
        test::FakeMessages said;
        said.script({true});
        Backups b{{hoods, documents, 1}, settings, said, failing, [this] { return now; }};
        const BackupNode node = BackupNodeFor(c.backup);
        RestoreOutcome outcome = b.RestoreBackup(&node, {pleasantview}, "N001");
        EXPECT_EQ(outcome.Result, BackupResult::Failed);
        EXPECT_FALSE(outcome.ReloadLoaded) << "nothing changed, so unsaved edits are kept";
        EXPECT_EQ(said.shown, std::vector<std::string>{c.said});
        EXPECT_EQ(Read(hoods / "N001"), edited);
        EXPECT_EQ(Names(hoods), std::vector<std::string>{"N001"});
        EXPECT_FALSE(fs::exists(trash));
        for (const std::string& name : Names(archive))
            EXPECT_NE(name.front(), '~') << "an unfinished copy is left: " << name;
    }
}

TEST_F(BackupsTest, RestoringADeletedNeighborhoodAddsItToTheList) {
    test::WriteNeighborhood(hoods, "N004", "Riverblossom Hills", "By the river");
    Neighborhood riverblossom;
    riverblossom.FolderName = "N004";
    ASSERT_TRUE(backups.BackupNeighborhood(riverblossom).Succeeded);
    fs::remove_all(hoods / "N004");

    const BackupNode node = BackupNodeFor("N004 03-14-2008 153045");
    RestoreOutcome outcome = backups.RestoreBackup(&node, {pleasantview}, "N001");
    EXPECT_EQ(outcome.Result, BackupResult::Done);
    EXPECT_TRUE(messages.asked.empty()) << "nothing to replace, nothing to ask";
    ASSERT_TRUE(outcome.Added);
    EXPECT_EQ(outcome.Added->FolderName, "N004");
    EXPECT_EQ(outcome.Added->NGBDName, "Riverblossom Hills");
    EXPECT_EQ(outcome.Added->PackagePath, hoods / "N004" / "N004_Neighborhood.package");
    EXPECT_EQ(NeighborhoodDisplayText(*outcome.Added), u"N004 : Riverblossom Hills");
    EXPECT_FALSE(outcome.ReloadLoaded);

    // A copy named "N004 copy" of a neighborhood the list has in another case adds nothing.
    fs::rename(archive / "N004 03-14-2008 153045", archive / "n004 copy");
    messages.script({true});
    Neighborhood listed = *outcome.Added;
    const BackupNode copy = BackupNodeFor("n004 copy");
    outcome = backups.RestoreBackup(&copy, {pleasantview, listed}, "N004");
    EXPECT_EQ(outcome.Result, BackupResult::Done);
    EXPECT_FALSE(outcome.Added);
    EXPECT_TRUE(outcome.ReloadLoaded);
    EXPECT_TRUE(fs::is_regular_file(hoods / "N004" / "N004_Neighborhood.package"));
    // One folder, as it was spelled (on Windows "n004" names the same folder, so ask the listing).
    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(hoods))
        folders.push_back(Utf8Name(entry.path()));
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "N004"), 1);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "n004"), 0);

    // A restored package without a usable index is reported; the folder stays, unlisted.
    Make(archive / "N005 broken", {{"N005_Neighborhood.package", "not a package"}});
    messages.shown.clear();
    const BackupNode broken = BackupNodeFor("N005 broken");
    outcome = backups.RestoreBackup(&broken, {pleasantview}, "N001");
    EXPECT_EQ(outcome.Result, BackupResult::Done);
    EXPECT_FALSE(outcome.Added);
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"An Index Error was found in N005_Neighborhood.package\r\n"
                                        "This neighborhood will be ignored."}));
    EXPECT_TRUE(fs::is_regular_file(hoods / "N005" / "N005_Neighborhood.package"));
}

TEST_F(BackupsTest, DeleteSendsTheBackupToTheTrash) {
    ASSERT_TRUE(backups.BackupNeighborhood(pleasantview).Succeeded);
    const fs::path folder = archive / "N001 03-14-2008 153045";
    const BackupNode node = BackupNodeFor("N001 03-14-2008 153045");
    const std::string question = "If you continue \"" + folder.string() + "\" will be deleted.\r\n";

    messages.script({false});
    EXPECT_EQ(backups.DeleteBackup(&node, pleasantview).Result, BackupResult::Cancelled);
    EXPECT_EQ(messages.asked, std::vector<std::string>{question});
    EXPECT_TRUE(fs::is_directory(folder));

    files.trashWorks = false;
    messages.script({true});
    DeleteOutcome outcome = backups.DeleteBackup(&node, pleasantview);
    EXPECT_EQ(outcome.Result, BackupResult::Failed);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Delete Operation Failed."});
    ASSERT_TRUE(outcome.Tree);
    EXPECT_TRUE(outcome.Tree->FoundLoadedGroup());

    files.trashWorks = true;
    messages.shown.clear();
    messages.script({true});
    outcome = backups.DeleteBackup(&node, pleasantview);
    EXPECT_EQ(outcome.Result, BackupResult::Done);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(fs::is_directory(trash / "N001 03-14-2008 153045"));
    ASSERT_TRUE(outcome.Tree);
    EXPECT_TRUE(outcome.Tree->Root.Children.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{notFound});

    // Already gone: nothing asked, nothing deleted, the tree rebuilt.
    messages.asked.clear();
    outcome = backups.DeleteBackup(&node, pleasantview);
    EXPECT_EQ(outcome.Result, BackupResult::Done);
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_TRUE(outcome.Tree);

    // A node text that is no folder name of the archive deletes nothing.
    const BackupNode parent = BackupNodeFor("..");
    messages.shown.clear();
    EXPECT_EQ(backups.DeleteBackup(&parent, pleasantview).Result, BackupResult::NotSelected);
    EXPECT_TRUE(fs::is_directory(documents / "Quillfern"));
}

TEST_F(BackupsTest, ShowPathNamesTheArchiveOrTheBackup) {
    const BackupNode root{0, "Stored Backups", {}, {}};
    const BackupNode group{1, "N001 - Neighborhood Backups", {}, {}};
    const BackupNode backup = BackupNodeFor("N001 copy");
    const std::string sep(1, static_cast<char>(fs::path::preferred_separator));
    fs::create_directories(dir / "Chosen");
    struct Case {
        const char* name;
        std::optional<std::string> setting;
        const BackupNode* node;
        std::string want;
    };
    const Case cases[] = {
        {"root, no setting", std::nullopt, &root, archive.string() + sep},
        {"group, no setting", std::nullopt, &group, archive.string() + sep},
        {"backup, no setting", std::nullopt, &backup, (archive / "N001 copy").string()},
        {"root, chosen folder", (dir / "Chosen").string(), &root, (dir / "Chosen").string() + sep},
        {"backup, chosen folder", (dir / "Chosen").string(), &backup,
         (dir / "Chosen" / "N001 copy").string()},
        {"root, stale folder", (dir / "Gone").string(), &root, archive.string() + sep},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettings s;
        if (c.setting) s.WriteText("ArchiveLoc", *c.setting);
        test::FakeMessages said;
        Backups b{{hoods, documents, 1}, s, said, files};
        b.ShowBackupPath(c.node);
        EXPECT_EQ(said.shown, std::vector<std::string>{c.want});
    }
}

class ChangeLocationTest : public BackupsTest {
protected:
    // A backup as a backup folder holds it: the neighborhood package named by its first four.
    void MakeBackup(const fs::path& folder, const std::string& name) {
        Make(folder / name,
             {{name.substr(0, 4) + "_Neighborhood.package", name}, {"Characters", "/"}});
    }
    std::optional<fs::path> startedAt;
    FolderChooser Choose(std::optional<fs::path> answer) {
        return [this, answer](const fs::path& start) {
            startedAt = start;
            return answer;
        };
    }
};

TEST_F(ChangeLocationTest, CancelChangesNothing) {
    EXPECT_FALSE(backups.ChangeArchiveLocation(Choose(std::nullopt)));
    EXPECT_EQ(startedAt, documents) << "no archive yet: the picker opens at documents";
    EXPECT_EQ(settings.ReadText("ArchiveLoc"), std::nullopt);

    fs::create_directories(archive);
    EXPECT_FALSE(backups.ChangeArchiveLocation(Choose(std::nullopt)));
    EXPECT_EQ(startedAt, archive);
}

TEST_F(ChangeLocationTest, OffersEveryNeighborhoodBackupOfTheOldFolder) {
    for (const char* name : {"N001 03-14-2008 153045", "N001 copy", "N003 03-14-2008 153045",
                             "F001 03-14-2008 153045", "G001 03-14-2008 153045"})
        MakeBackup(archive, name);
    fs::create_directories(archive / "N002 no package");
    const fs::path moved = dir / "Elsewhere";
    Make(moved / "N003 03-14-2008 153045", {{"stale", "older copy of the same backup"}});

    messages.script({true, false, true});
    ASSERT_TRUE(backups.ChangeArchiveLocation(Choose(moved / "")));
    EXPECT_EQ(settings.ReadText("ArchiveLoc"), moved.string()) << "stored without a separator";
    auto question = [](const std::string& name) {
        return "Would you like to move the Backup \"" + name + "\" to the new Backup location.\r\n";
    };
    EXPECT_EQ(messages.asked,
              (std::vector<std::string>{question("N001 03-14-2008 153045"), question("N001 copy"),
                                        question("N003 03-14-2008 153045")}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Names(archive),
              (std::vector<std::string>{"F001 03-14-2008 153045", "G001 03-14-2008 153045",
                                        "N001 copy", "N002 no package"}));
    EXPECT_EQ(Names(moved),
              (std::vector<std::string>{"N001 03-14-2008 153045", "N003 03-14-2008 153045"}));
    EXPECT_EQ(Read(moved / "N003 03-14-2008 153045"),
              (Tree{{"N003_Neighborhood.package", "N003 03-14-2008 153045"}, {"Characters", "/"}}))
        << "the folder of the same name at the new location is replaced";
    EXPECT_TRUE(backups.RebuildBackupTree("N001").FoundLoadedGroup());
}

TEST_F(ChangeLocationTest, TheSameFolderOffersNoMoves) {
    MakeBackup(archive, "N001 03-14-2008 153045");
    const fs::path sameFolder[] = {archive, archive / "", archive / "."};
    for (const fs::path& chosen : sameFolder) {
        SCOPED_TRACE(chosen.string());
        settings.WriteText("ArchiveLoc", archive.string());
        ASSERT_TRUE(backups.ChangeArchiveLocation(Choose(chosen)));
        EXPECT_EQ(startedAt, archive);
        EXPECT_TRUE(messages.asked.empty());
        EXPECT_EQ(Read(archive / "N001 03-14-2008 153045").size(), 2u) << "the backup is kept";
    }
}

TEST_F(ChangeLocationTest, AFailedMoveIsReportedAndTheNextOneOffered) {
    MakeBackup(archive, "N001 03-14-2008 153045");
    MakeBackup(archive, "N002 03-14-2008 153045");
    files.renameWorks = false;  // another drive: moving copies, and one copy fails
    files.failCopyOf = "N001_Neighborhood.package";
    const fs::path moved = dir / "Elsewhere";
    messages.script({true, true});
    ASSERT_TRUE(backups.ChangeArchiveLocation(Choose(moved)));
    EXPECT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Backup Move Failed."});
    EXPECT_EQ(settings.ReadText("ArchiveLoc"), moved.string());
    EXPECT_EQ(Read(archive / "N001 03-14-2008 153045").at("N001_Neighborhood.package"),
              "N001 03-14-2008 153045");
    EXPECT_FALSE(fs::exists(archive / "N002 03-14-2008 153045"));
    EXPECT_TRUE(
        fs::is_regular_file(moved / "N002 03-14-2008 153045" / "N002_Neighborhood.package"));
}

TEST_F(ChangeLocationTest, AFailedMoveKeepsTheOldBackupAndListsNoHalfCopy) {
    const std::string name = "N001 03-14-2008 153045";
    MakeBackup(archive, name);
    Make(archive / name, {{"Characters/N001_User00000.package", "sim one"},
                          {"Characters/N001_User00001.package", "sim two"}});
    const Tree original = Read(archive / name);
    const fs::path moved = dir / "Elsewhere";
    const fs::path destination = moved / name;
    const Tree stale = {{"N001_Neighborhood.package", "older copy of the same backup"}};
    auto intoDestination = [destination](const fs::path& to) { return Within(to, destination); };

    struct Case {
        const char* name;
        std::function<void(TestFileOps&)> inject;
        bool staleAtDestination;
    };
    const Case cases[] = {
        {"a file cannot be copied to the other drive",
         [&](TestFileOps& f) {
             f.otherDrive = moved;
             f.failCopyOf = "N001_User00001.package";
         },
         false},
        {"the first file cannot be copied, a backup of that name waiting",
         [&](TestFileOps& f) {
             f.otherDrive = moved;
             f.failCopyOf = "N001_Neighborhood.package";
         },
         true},
        {"a file goes missing without a word",
         [&](TestFileOps& f) {
             f.otherDrive = moved;
             f.dropCopyOf = "N001_User00000.package";
         },
         true},
        {"a copied file's bytes differ",
         [&](TestFileOps& f) {
             f.otherDrive = moved;
             f.flipCopyOf = "N001_User00001.package";
         },
         false},
        {"the waiting backup cannot step aside",
         [&](TestFileOps& f) {
             f.renameFails = [](const fs::path&, const fs::path& to) {
                 return to.filename().string().find("(replaced)") != std::string::npos;
             };
         },
         true},
        {"folders cannot be renamed and the copy into place fails",
         [&](TestFileOps& f) {
             f.renameWorks = false;
             f.copyFails = intoDestination;
         },
         false},
        {"the finished copy cannot take the place of the waiting backup",
         [&](TestFileOps& f) {
             // Out of the working folder into place; the waiting backup can still go back.
             f.renameFails = [=](const fs::path& from, const fs::path& to) {
                 return from.string().find("(moving)") != std::string::npos && intoDestination(to);
             };
             f.copyFails = intoDestination;
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(moved);
        fs::create_directories(moved);
        if (c.staleAtDestination) Make(destination, stale);
        settings.WriteText("ArchiveLoc", archive.string());
        TestFileOps failing{trash};
        c.inject(failing);
        test::FakeMessages said;
        said.script({true});
        Backups b{{hoods, documents, 1}, settings, said, failing, [this] { return now; }};

        ASSERT_TRUE(b.ChangeArchiveLocation(Choose(moved)));
        EXPECT_EQ(said.shown, std::vector<std::string>{"Backup Move Failed."});
        EXPECT_EQ(Read(archive / name), original) << "the old backup is untouched";
        EXPECT_EQ(Names(archive), std::vector<std::string>{name});
        if (c.staleAtDestination) {
            EXPECT_EQ(Names(moved), std::vector<std::string>{name});
            EXPECT_EQ(Read(destination), stale) << "the waiting backup is kept as it was";
        } else {
            EXPECT_EQ(Names(moved), std::vector<std::string>{}) << "no partial copy stays";
            EXPECT_FALSE(b.RebuildBackupTree("N001").FoundLoadedGroup());
        }
    }
}

TEST_F(ChangeLocationTest, AMoveToAnotherDriveReplacesTheWaitingBackupOnlyWhenComplete) {
    const std::string name = "N001 03-14-2008 153045";
    MakeBackup(archive, name);
    Make(archive / name, {{"Characters/N001_User00000.package", "sim one"}});
    const Tree original = Read(archive / name);
    const fs::path moved = dir / "Elsewhere";
    Make(moved / name, {{"N001_Neighborhood.package", "older copy of the same backup"},
                        {"only in the older copy", "x"}});
    files.otherDrive = moved;
    messages.script({true});

    ASSERT_TRUE(backups.ChangeArchiveLocation(Choose(moved)));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Read(moved / name), original);
    EXPECT_EQ(Names(moved), std::vector<std::string>{name}) << "no working folder is left";
    EXPECT_EQ(Names(archive), std::vector<std::string>{}) << "the old backup is gone";
}

}  // namespace
}  // namespace kinloom
