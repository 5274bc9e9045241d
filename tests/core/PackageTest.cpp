#include <gtest/gtest.h>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "core/packages/Package.h"
#include "core/platform/FileIO.h"

namespace kinloom {
namespace {

using test::GetU32;
using test::PackageBuilder;
using test::SetU32;
using test::Text;

TEST(ByteReaderTest, ReadsLittleEndianAndStopsAtTheEnd) {
    const Bytes data{0x01, 0x02, 0x03, 0x04, 0xFF, 0xFE};
    ByteReader r(data);
    EXPECT_EQ(r.U32(), 0x04030201u);
    EXPECT_EQ(r.I16(), -257);
    EXPECT_THROW(r.U8(), ReadError);
    r.Seek(6);  // the end itself is a position
    EXPECT_THROW(r.Seek(7), ReadError);
    r.Seek(3);
    EXPECT_THROW(r.U32(), ReadError);
    EXPECT_EQ(r.Position(), 3u) << "a failed read does not move the reader";
    EXPECT_THROW(r.Slice(4, 3), ReadError);
    EXPECT_THROW(r.Slice(SIZE_MAX, 2), ReadError);
}

TEST(ReadIndexTest, ListsBothFormsInIndexOrder) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        Bytes pkg = PackageBuilder(form)
                        .add(types::ObjectData, 7, Text("object"), 1, 9)
                        .add(types::TextList, 2, Text("names"))
                        .add(types::ObjectData, 3, Text("again"))
                        .build();
        EntryList entries;
        ASSERT_EQ(ReadIndex(pkg, entries), form);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[0].Type, types::ObjectData);
        EXPECT_EQ(entries[0].Group, 1u);
        EXPECT_EQ(entries[0].Instance, 7u);
        EXPECT_EQ(entries[0].InstanceHigh, form == 24 ? 9u : 0u);
        EXPECT_EQ(entries[0].Offset, 96u);
        EXPECT_EQ(entries[0].Size, 6u);
        EXPECT_EQ(entries[1].Instance, 2u);
        EXPECT_EQ(FindFirst(entries, types::ObjectData), &entries[0]);
        EXPECT_EQ(FindLast(entries, types::ObjectData), &entries[2]);
        EXPECT_EQ(FindFirst(entries, types::Household), nullptr);
    }
}

TEST(ReadIndexTest, EntriesAtOrPastTheEndAreLeftOutOnlyInTheShortForm) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        PackageBuilder b(form);
        b.add(types::ObjectData, 1, Text("kept"));
        Bytes probe = b.build();
        const auto indexRecords = static_cast<std::uint32_t>(3 * form);
        // The final file length: what is built now plus the index records of the two extra entries.
        const auto fileLength =
            static_cast<std::uint32_t>(probe.size() + 2 * static_cast<std::size_t>(form));
        b.addRecord(types::TextList, 2, fileLength, 4);      // exactly at the end
        b.addRecord(types::TextList, 3, fileLength - 1, 1);  // last byte: listed in both forms
        Bytes pkg = b.build();
        ASSERT_EQ(pkg.size(), fileLength);
        ASSERT_EQ(GetU32(pkg, kIndexSizeField), indexRecords);
        EntryList entries;
        ASSERT_EQ(ReadIndex(pkg, entries), form);
        std::vector<std::uint32_t> instances;
        for (const auto& e : entries) instances.push_back(e.Instance);
        if (form == 20)
            EXPECT_EQ(instances, (std::vector<std::uint32_t>{1, 3}));
        else
            EXPECT_EQ(instances, (std::vector<std::uint32_t>{1, 2, 3}));
    }
}

// The index header decides the form; anything unusable is told apart from an index error.
TEST(ReadIndexTest, EntrySizeFromTheHeader) {
    struct Case {
        const char* name;
        std::int64_t count;
        std::int64_t size;
        int expectedEntrySize;
        std::size_t listed;
    };
    const Case cases[] = {
        {"count 0 is an index error even with a size", 0, 40, 0, 0},
        {"size 0 is an index error", 2, 0, 0, 0},
        {"a 21-byte quotient lists nothing", 2, 43, 21, 0},
        {"truncated quotient 20", 2, 41, 20, 2},
        {"truncated quotient 24", 2, 49, 24, 2},
        {"negative sizes divide as signed numbers", -1, -20, 20, 0},
        {"unknown 16-byte form lists nothing", 2, 32, 16, 0},
        {"a quotient beyond 32 bits lists nothing", -1, INT32_MIN, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int form = c.expectedEntrySize == 24 ? 24 : 20;
        Bytes pkg = PackageBuilder(form).add(1, 1, Text("a")).add(2, 2, Text("b")).build();
        SetU32(pkg, kIndexCountField, static_cast<std::uint32_t>(c.count));
        SetU32(pkg, kIndexSizeField, static_cast<std::uint32_t>(c.size));
        EntryList entries{PackageIndexEntry{}};  // a stale entry must be released
        EXPECT_EQ(ReadIndex(pkg, entries), c.expectedEntrySize);
        EXPECT_EQ(entries.size(), c.listed);
    }
}

TEST(ReadIndexTest, MalformedIndexesRaiseReadErrors) {
    Bytes good = PackageBuilder(24).add(1, 1, Text("abc")).add(2, 2, Text("def")).build();
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"index offset past the end", [](Bytes& p) { SetU32(p, kIndexOffsetField, 1u << 30); }},
        {"index runs past the end",
         [](Bytes& p) { SetU32(p, kIndexOffsetField, GetU32(p, kIndexOffsetField) + 4); }},
        {"count far larger than the file holds",
         [](Bytes& p) {
             SetU32(p, kIndexCountField, 0x01000000);
             SetU32(p, kIndexSizeField, 0x01000000u * 24u);
         }},
        {"header cut short", [](Bytes& p) { p.resize(40); }},
        {"empty file", [](Bytes& p) { p.clear(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes pkg = good;
        c.damage(pkg);
        EntryList entries;
        EXPECT_THROW(ReadIndex(pkg, entries), ReadError);
    }
}

TEST(PackageTextTest, TypeIdAndHexText) {
    EXPECT_EQ(TypeIdText(0x4F424A44), "4F424A44");
    EXPECT_EQ(TypeIdText(0x0000000A), "0000000A");
    const Bytes data{0x00, 0x44, 0x4A, 0x42, 0x4F, 0x99};
    ByteReader r(data);
    EXPECT_EQ(ReadHexText(r, 1, 4, true), "4F424A44");
    EXPECT_EQ(r.Position(), 5u);
    EXPECT_EQ(ReadHexText(r, 1, 4, false), "444A424F");
    EXPECT_EQ(ReadHexText(r, 5, 1, false), "99");
    EXPECT_THROW(ReadHexText(r, 4, 3, false), ReadError);
}

TEST(PackageTextTest, WriteIfDifferent) {
    Bytes image{1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(WriteIfDifferent(image, 0x04030201, 0, 4));
    EXPECT_EQ(image, (Bytes{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(WriteIfDifferent(image, 0xAABBCCDD, 4, 2));
    EXPECT_EQ(image, (Bytes{1, 2, 3, 4, 0xDD, 0xCC}));
    EXPECT_TRUE(WriteIfDifferent(image, 0x77, 0, 1));
    EXPECT_EQ(image[0], 0x77);
    EXPECT_FALSE(WriteIfDifferent(image, 0, 4, 4)) << "range outside the image";
    EXPECT_FALSE(WriteIfDifferent(image, 0, 0, 5)) << "width above 4";
    EXPECT_FALSE(WriteIfDifferent(image, 0, 0, 0));
    EXPECT_EQ(image.size(), 6u);
}

TEST(RewritePackageTest, CopiedEntriesArePackedAfterTheHeaderWithTheIndexAtTheEnd) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        Bytes pkg = PackageBuilder(form)
                        .add(types::ObjectData, 1, Text("first"))
                        .add(types::TextList, 2, Text("second entry"))
                        .add(types::Picture, 3, Text("3"))
                        .hole(true)
                        .build();
        PackageImage out = RewritePackageImage(pkg, {});
        const Bytes& img = out.Data;
        EXPECT_TRUE(std::equal(img.begin() + 64, img.begin() + 96, pkg.begin() + 64))
            << "header bytes the program does not use are carried";
        EXPECT_EQ(std::string(img.begin() + 96, img.begin() + 114), "firstsecond entry3");
        EXPECT_EQ(GetU32(img, kIndexOffsetField), 96u + 5 + 12 + 1);
        EXPECT_EQ(GetU32(img, kIndexCountField), 3u);
        EXPECT_EQ(GetU32(img, kIndexSizeField), static_cast<std::uint32_t>(3 * form));
        EXPECT_EQ(GetU32(img, kHoleCountField), 0u);
        EXPECT_EQ(GetU32(img, kHoleOffsetField), 0u);
        EXPECT_EQ(GetU32(img, kHoleSizeField), 0u);
        EXPECT_EQ(img.size(), 114u + static_cast<std::size_t>(3 * form));

        EntryList relisted;
        ASSERT_EQ(ReadIndex(img, relisted), form);
        EXPECT_EQ(relisted, out.Entries);
        EXPECT_EQ(relisted[1].Offset, 101u);
        EXPECT_EQ(relisted[1].Size, 12u);
    }
}

TEST(RewritePackageTest, CallerChoosesPerEntry) {
    Bytes pkg = PackageBuilder(24)
                    .add(types::ObjectData, 1, Text("keep"))
                    .add(types::TextList, 2, Text("drop me"))
                    .add(types::Household, 3, Text("old"))
                    .add(types::SimDescription, 4, Text("abcdef"))
                    .build();
    std::vector<std::size_t> seen;
    PackageImage out = RewritePackageImage(pkg, [&](const PackageIndexEntry& e, std::size_t i) {
        seen.push_back(i);
        switch (e.Instance) {
            case 2:
                return EntryChoice::Drop();
            case 3:
                return EntryChoice::Replace(Text("brand new"));
            case 4:
                return EntryChoice::Patch([](std::span<std::uint8_t> bytes) {
                    ASSERT_EQ(bytes.size(), 6u);
                    bytes[2] = 'X';
                });
            default:
                return EntryChoice::Copy();
        }
    });
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1, 2, 3}));
    ASSERT_EQ(out.Entries.size(), 3u);
    auto content = [&](std::size_t i) {
        ByteView v = StoredBytes(out.Data, out.Entries[i]);
        return std::string(v.begin(), v.end());
    };
    EXPECT_EQ(content(0), "keep");
    EXPECT_EQ(content(1), "brand new");
    EXPECT_EQ(content(2), "abXdef");
    EXPECT_EQ(out.Entries[1].Instance, 3u);
}

TEST(RewritePackageTest, ShortFormEntryAtTheEndIsDroppedLongFormIsCarried) {
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        PackageBuilder b(form);
        b.add(types::ObjectData, 1, Text("data"));
        const auto fileLength =
            static_cast<std::uint32_t>(b.build().size() + static_cast<std::size_t>(form));
        b.addRecord(types::TextList, 2, fileLength, 0);
        Bytes pkg = b.build();
        PackageImage out = RewritePackageImage(pkg, {});
        EXPECT_EQ(out.Entries.size(), form == 20 ? 1u : 2u);
    }
}

TEST(RewritePackageTest, RefusesWhatWouldLoseEntries) {
    Bytes pkg = PackageBuilder(24).add(1, 1, Text("abc")).build();
    Bytes zeroCount = pkg;
    SetU32(zeroCount, kIndexCountField, 0);
    EXPECT_THROW(RewritePackageImage(zeroCount, {}), IndexError);
    Bytes oddForm = pkg;
    SetU32(oddForm, kIndexSizeField, 21);
    EXPECT_THROW(RewritePackageImage(oddForm, {}), IndexError);
    Bytes pastEnd = PackageBuilder(24).addRecord(1, 1, 96, 1000).build();
    EXPECT_THROW(RewritePackageImage(pastEnd, {}), ReadError);
    // Every short-form entry starts past the end: nothing would be left to list.
    Bytes nothingListed = PackageBuilder(20).addRecord(1, 1, 5000, 4).build();
    EXPECT_THROW(RewritePackageImage(nothingListed, {}), IndexError);
    EXPECT_THROW(RewritePackageImage(pkg, [](const PackageIndexEntry&,
                                             std::size_t) { return EntryChoice::Drop(); }),
                 IndexError);
}

// Fails the write of the temporary file after a given number of bytes.
class FailingWriter : public AtomicFileWriter {
public:
    explicit FailingWriter(std::size_t failAfter) : budget_(failAfter) {}

protected:
    std::size_t WriteChunk(std::FILE* file, ByteView chunk) override {
        std::size_t n = std::min(budget_, chunk.size());
        budget_ -= n;
        return AtomicFileWriter::WriteChunk(file, chunk.first(n));
    }

private:
    std::size_t budget_;
};

class FailingCommit : public AtomicFileWriter {
protected:
    void Commit(const std::filesystem::path&, const std::filesystem::path&) override {
        throw FileError("rename refused");
    }
};

TEST(AtomicReplaceTest, AFailureBeforeTheRenameLeavesTheOriginalUnchanged) {
    test::TempDir dir;
    const auto file = dir / "Test_Neighborhood.package";
    PackageBuilder(24).add(1, 1, Text("one")).add(2, 2, Text("two")).hole(true).write(file);
    const Bytes before = ReadWholeFile(file);
    auto planner = [](const PackageIndexEntry&, std::size_t i) {
        return i == 0 ? EntryChoice::Replace(Bytes(5000, 7)) : EntryChoice::Copy();
    };
    for (std::size_t failAfter : {std::size_t{0}, std::size_t{1}, std::size_t{4000}}) {
        FailingWriter writer(failAfter);
        EXPECT_THROW(RewritePackage(file, planner, &writer), FileError);
        EXPECT_EQ(ReadWholeFile(file), before);
    }
    FailingCommit commit;
    EXPECT_THROW(RewritePackage(file, planner, &commit), FileError);
    EXPECT_EQ(ReadWholeFile(file), before);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    RewritePackage(file, planner);
    Package after = Package::Open(file);
    ASSERT_EQ(after.Entries.size(), 2u);
    EXPECT_EQ(after.Entries[0].Size, 5000u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicReplaceTest, MissingFilesAreReportedNotCreated) {
    test::TempDir dir;
    EXPECT_THROW(Package::Open(dir / "absent.package"), FileError);
    EXPECT_THROW(RewritePackage(dir / "absent.package", {}), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir / "absent.package"));
    EXPECT_THROW(ReplaceFileAtomically(dir / "no-such-folder" / "x.package", Bytes{1}), FileError);
}

}  // namespace
}  // namespace kinloom
