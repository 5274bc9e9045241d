// Replacing several files as one transaction: all new, or all as they were.
#include <gtest/gtest.h>

#include <map>

#include "FailingSteps.h"
#include "PackageBuilder.h"
#include "Platform.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {
namespace fs = std::filesystem;
using test::FailingSteps;
using Step = FailingSteps::Step;

// Every file of a folder (by name) with its bytes.
std::map<std::string, Bytes> Files(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& item : fs::directory_iterator(folder))
        files[item.path().filename().string()] = ReadWholeFile(item.path());
    return files;
}

// Three packages with their stored bytes and their new images.
class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"A.package", "B.package", "C.package"}) {
            old[name] = test::Text(std::string("old ") + name);
            fresh[name] = test::Text(std::string("new image of ") + name);
            ReplaceFileAtomically(dir / name, old[name]);
            changes.push_back({dir / name, fresh[name]});
        }
    }
    std::map<std::string, Bytes> With(std::map<std::string, Bytes> files,
                                      const std::map<std::string, Bytes>& over) {
        for (const auto& [name, bytes] : over) files[name] = bytes;
        return files;
    }

    test::TempDir dir;
    std::map<std::string, Bytes> old, fresh;
    std::vector<FileReplacement> changes;
};

TEST_F(TransactionTest, AFailureAtAnyReplacementChangesNoFile) {
    struct Case {
        Step step;
        int call;      // which file's step fails
        int putBacks;  // originals moved aside by then, each put back
    };
    // A flush that fails (the disk full, say, once every image is written) stops the save before
    // any target is touched.
    const Case cases[] = {{Step::Write, 0, 0},     {Step::Write, 1, 0},     {Step::Write, 2, 0},
                          {Step::Flush, 0, 0},     {Step::Flush, 1, 0},     {Step::Flush, 2, 0},
                          {Step::MoveAside, 0, 0}, {Step::MoveAside, 1, 1}, {Step::MoveAside, 2, 2},
                          {Step::Commit, 0, 1},    {Step::Commit, 1, 2},    {Step::Commit, 2, 3}};
    const char* names[] = {"A.package", "B.package", "C.package"};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "step " << static_cast<int>(c.step) << ", file " << c.call);
        FailingSteps failing(c.step, c.call);
        const TransactionOutcome outcome = failing.ReplaceTogether(changes);
        EXPECT_FALSE(outcome.Committed);
        EXPECT_EQ(outcome.FailedFile, dir / names[c.call]);
        EXPECT_EQ(outcome.Error, c.step == Step::Write || c.step == Step::Flush
                                     ? "cannot write " + (dir / names[c.call]).string() +
                                           " (the original is unchanged)"
                                     : "injected failure");
        EXPECT_TRUE(outcome.Stranded.empty());
        // Byte for byte as before, and no temporary file or old copy left beside them.
        EXPECT_EQ(Files(dir.path()), old);
        EXPECT_EQ(failing.Calls(Step::PutBack), c.putBacks);
    }

    FailingSteps working;
    const TransactionOutcome done = working.ReplaceTogether(changes);
    EXPECT_TRUE(done.Committed);
    EXPECT_TRUE(done.OldCopiesLeft.empty());
    EXPECT_EQ(Files(dir.path()), fresh);
}

TEST_F(TransactionTest, AFailedPutBackNamesTheChangedFileAndItsOldCopy) {
    // C cannot take its image; putting back C and B works, A stays new. Put-backs run last
    // file first, so A's is the third.
    FailingSteps aStays;
    aStays.Fail(Step::Commit, 2).Fail(Step::PutBack, 2);
    TransactionOutcome outcome = aStays.ReplaceTogether(changes);
    EXPECT_FALSE(outcome.Committed);
    EXPECT_EQ(outcome.FailedFile, dir / "C.package");
    ASSERT_EQ(outcome.Stranded.size(), 1u);
    const StrandedFile a = outcome.Stranded[0];
    EXPECT_EQ(a.Target, dir / "A.package");
    EXPECT_EQ(a.OldCopy.parent_path(), dir.path());
    const std::string oldName = a.OldCopy.filename().string();
    EXPECT_EQ(oldName.front(), '.');
    EXPECT_FALSE(oldName.ends_with(".package")) << oldName;
    auto expected = With(old, {{"A.package", fresh["A.package"]}, {oldName, old["A.package"]}});
    EXPECT_EQ(Files(dir.path()), expected);

    // B's own image could not be put in place and its original cannot be put back: B is missing
    // and its original is in the old copy. A was put back.
    fs::remove(a.OldCopy);
    ReplaceFileAtomically(dir / "A.package", old["A.package"]);
    FailingSteps bMissing;
    bMissing.Fail(Step::Commit, 1).Fail(Step::PutBack, 0);
    outcome = bMissing.ReplaceTogether(changes);
    EXPECT_FALSE(outcome.Committed);
    ASSERT_EQ(outcome.Stranded.size(), 1u);
    EXPECT_EQ(outcome.Stranded[0].Target, dir / "B.package");
    expected = old;
    expected.erase("B.package");
    expected[outcome.Stranded[0].OldCopy.filename().string()] = old["B.package"];
    EXPECT_EQ(Files(dir.path()), expected);
}

TEST_F(TransactionTest, AFileThatDidNotExistIsRemovedAgainOnFailure) {
    std::vector<FileReplacement> withNew = {{dir / "New.package", fresh["A.package"]}, changes[1]};
    FailingSteps failing(Step::Commit, 1);
    EXPECT_FALSE(failing.ReplaceTogether(withNew).Committed);
    EXPECT_EQ(Files(dir.path()), old);

    // When even that removal fails, the new file is reported without an old copy.
    FailingSteps stuck;
    stuck.Fail(Step::Commit, 1).Fail(Step::Remove, 0);
    const TransactionOutcome outcome = stuck.ReplaceTogether(withNew);
    ASSERT_EQ(outcome.Stranded.size(), 1u);
    EXPECT_EQ(outcome.Stranded[0].Target, dir / "New.package");
    EXPECT_TRUE(outcome.Stranded[0].OldCopy.empty());
    EXPECT_EQ(Files(dir.path()), With(old, {{"New.package", fresh["A.package"]}}));

    fs::remove(dir / "New.package");
    FailingSteps working;
    EXPECT_TRUE(working.ReplaceTogether(withNew).Committed);
    EXPECT_EQ(Files(dir.path()),
              With(old, {{"New.package", fresh["A.package"]}, {"B.package", fresh["B.package"]}}));
}

TEST_F(TransactionTest, AnOldCopyThatCannotBeDeletedLeavesTheCommitStanding) {
    FailingSteps failing(Step::Remove, 1);
    const TransactionOutcome outcome = failing.ReplaceTogether(changes);
    EXPECT_TRUE(outcome.Committed);
    ASSERT_EQ(outcome.OldCopiesLeft.size(), 1u);
    const std::string oldName = outcome.OldCopiesLeft[0].filename().string();
    EXPECT_TRUE(oldName.starts_with(".B.package")) << oldName;
    EXPECT_FALSE(oldName.ends_with(".package")) << oldName;
    EXPECT_EQ(Files(dir.path()), With(fresh, {{oldName, old["B.package"]}}));
}

// What the system itself refuses, with no step made to fail.
TEST_F(TransactionTest, AFolderInTheTargetsPlaceIsNeverReplaced) {
    fs::create_directory(dir / "D.package");
    EXPECT_THROW(ReplaceFileAtomically(dir / "D.package", fresh["A.package"]), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "D.package"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4)
        << "no temporary file or old copy is left";
}

#ifdef _WIN32
// The running game holds its packages open: Windows then refuses to replace them, and nothing
// may change; once the game lets go, the same replacement goes through.
TEST_F(TransactionTest, AFileHeldOpenIsNotReplacedAndNothingChanges) {
    {
        test::HeldOpen game(dir / "B.package");
        ASSERT_TRUE(game.Holding());
        EXPECT_THROW(ReplaceFileAtomically(dir / "B.package", fresh["B.package"]), FileError);
        AtomicFileWriter writer;
        const TransactionOutcome outcome = writer.ReplaceTogether(changes);
        EXPECT_FALSE(outcome.Committed);
        EXPECT_EQ(outcome.FailedFile, dir / "B.package");
        EXPECT_TRUE(outcome.Stranded.empty());
    }
    EXPECT_EQ(Files(dir.path()), old) << "every file as it was, no temporary or old copy left";
    ReplaceFileAtomically(dir / "B.package", fresh["B.package"]);
    EXPECT_EQ(Files(dir.path()), With(old, {{"B.package", fresh["B.package"]}}));
}
#endif

TEST_F(TransactionTest, NewImagesKeepTheOriginalsPermissions) {
    KINLOOM_LINUX_ONLY("Windows files have no owner and group permissions");
    fs::permissions(dir / "B.package", fs::perms::owner_read | fs::perms::owner_write);
    FailingSteps working;
    ASSERT_TRUE(working.ReplaceTogether(changes).Committed);
    EXPECT_EQ(fs::status(dir / "B.package").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

// Whatever stands where a file is expected, a failed read is the program's own error naming the
// file: a folder in particular claims a size it cannot give.
TEST(ReadWholeFileTest, WhatCannotBeReadIsAFileErrorNamingIt) {
    test::TempDir dir;
    fs::create_directory(dir / "folder.package");
    for (const fs::path& path : {dir / "missing.package", dir / "folder.package"}) {
        SCOPED_TRACE(path.filename().string());
        try {
            ReadWholeFile(path);
            ADD_FAILURE() << "read";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        }
    }
}

TEST(ReadWholeFileTest, ReadsEveryByte) {
    test::TempDir dir;
    for (const std::size_t size : {std::size_t{0}, std::size_t{(3 << 20) + 17}}) {
        SCOPED_TRACE(size);
        Bytes image(size);
        for (std::size_t i = 0; i < size; ++i)
            image[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        ReplaceFileAtomically(dir / "file.package", image);
        EXPECT_EQ(ReadWholeFile(dir / "file.package"), image);
    }
}

}  // namespace
}  // namespace kinloom
