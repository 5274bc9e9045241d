#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Qfs.h"
#include "packages/Compression.h"
#include "platform/FileIO.h"

namespace kinloom {
namespace {

using test::FakeMessages;
using test::PackageBuilder;
using test::QfsCompress;
using test::QfsStream;
using test::Text;

// Decodes stored entry bytes through DecompressEntry, as the only entry of a package.
struct Decoded {
    bool ok = false;
    Bytes out;
    std::vector<std::string> messages;
};

Decoded DecodeStored(const Bytes& stored) {
    Bytes pkg = PackageBuilder(24).add(types::SimDescription, 1, stored).directory(false).build();
    EntryList entries;
    EXPECT_EQ(ReadIndex(pkg, entries), 24);
    FakeMessages messages;
    Decoded d;
    d.ok = DecompressEntry(pkg, entries.at(0), d.out, messages);
    d.messages = messages.shown;
    return d;
}

// Hand-written code streams: each control-code form, the skip code, stop codes and failures.
TEST(DecompressEntryTest, ControlCodes) {
    struct Case {
        const char* name;
        std::uint32_t announced;
        Bytes codes;
        bool ok;
        std::string expected;  // output on success
    };
    const Case cases[] = {
        {"four-literal run then stop", 4, {0xE0, 'a', 'b', 'c', 'd', 0xFC}, true, "abcd"},
        {"stop code carries up to three literals", 6, {0xE0, 'a', 'b', 'c', 'd', 0xFE, 'e', 'f'}, true,
         "abcdef"},
        {"2-byte code: 1 literal, distance 1, length 3 (overlap)", 4, {0x01, 0x00, 'z', 0xFC}, true,
         "zzzz"},
        {"3-byte code: 2 literals, distance 2, length 4", 6, {0x80, 0x80, 0x01, 'x', 'y', 0xFC}, true,
         "xyxyxy"},
        {"4-byte code: 3 literals, distance 3, length 5", 8, {0xC3, 0x00, 0x02, 0x00, 'p', 'q', 'r', 0xFC},
         true, "pqrpqrpq"},
        {"distance 1 length 10 repeats the last byte", 11, {0xE0, 'a', 'b', 'c', 'd', 0x1C, 0x00, 0xFC},
         false, ""},  // 4 + 10 = 14 != 11: a mismatch
        {"overlapping copy, distance 1, length 10", 14, {0xE0, 'a', 'b', 'c', 'd', 0x1C, 0x00, 0xFC},
         true, "abcddddddddddd"},
        {"FC mid-stream is skipped", 8, {0xE0, 'a', 'b', 'c', 'd', 0xFC, 0xE0, 'e', 'f', 'g', 'h', 0xFC},
         true, "abcdefgh"},
        {"FF at the very end copies nothing", 4, {0xE0, 'w', 'x', 'y', 'z', 0xFF}, true, "wxyz"},
        {"FF with fewer literals than asked copies what remains", 5, {0xE0, 'w', 'x', 'y', 'z', 0xFF, '!'},
         true, "wxyz!"},
        {"input ends without a stop code", 4, {0xE0, 'a', 'b', 'c', 'd'}, true, "abcd"},
        {"codes after a stop code are ignored", 5, {0xE0, 'a', 'b', 'c', 'd', 0xFD, 'e', 0xE0, 0x00}, true,
         "abcde"},
        {"short output is a mismatch", 5, {0xE0, 'a', 'b', 'c', 'd', 0xFC}, false, ""},
        {"long output is a mismatch", 3, {0xE0, 'a', 'b', 'c', 'd', 0xFC}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d = DecodeStored(QfsStream(c.announced, c.codes));
        EXPECT_EQ(d.ok, c.ok);
        if (c.ok) {
            EXPECT_TRUE(d.messages.empty());
            EXPECT_EQ(std::string(d.out.begin(), d.out.end()), c.expected);
            EXPECT_EQ(d.out.size(), c.announced);
        } else {
            EXPECT_EQ(d.messages, std::vector<std::string>{"Decompression Error"});
        }
    }
}

// The farthest and longest reference of each code form, after that many literal bytes.
TEST(DecompressEntryTest, LongestReachOfEachForm) {
    struct Case {
        const char* name;
        std::size_t distance;
        std::size_t length;
        Bytes code;
    };
    const Case cases[] = {
        {"2-byte form", 1024, 10, {0x7C, 0xFF}},
        {"3-byte form", 16384, 67, {0xBF, 0x3F, 0xFF}},
        {"4-byte form", 131072, 1028, {0xDC, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes prefix = test::NoiseBytes(c.distance, 5);
        Bytes codes;
        for (std::size_t done = 0; done < prefix.size();) {
            std::size_t run = std::min<std::size_t>(112, prefix.size() - done);
            codes.push_back(static_cast<std::uint8_t>(0xE0 + (run - 4) / 4));
            codes.insert(codes.end(), prefix.begin() + static_cast<std::ptrdiff_t>(done),
                         prefix.begin() + static_cast<std::ptrdiff_t>(done + run));
            done += run;
        }
        codes.insert(codes.end(), c.code.begin(), c.code.end());
        codes.push_back(0xFC);
        Decoded d = DecodeStored(QfsStream(static_cast<std::uint32_t>(c.distance + c.length), codes));
        ASSERT_TRUE(d.ok);
        EXPECT_TRUE(std::equal(d.out.begin() + static_cast<std::ptrdiff_t>(c.distance), d.out.end(),
                               d.out.begin()));
    }
}

TEST(DecompressEntryTest, PlainEntriesAreCopiedAsStored) {
    struct Case {
        const char* name;
        Bytes stored;
    };
    Bytes announcedEqual = QfsStream(0, {0xE0, 'a', 'b', 'c', 'd', 0xFC});
    announcedEqual[8] = static_cast<std::uint8_t>(announcedEqual.size());  // announces its own size
    const Case cases[] = {
        {"10 FB announcing the stored size", announcedEqual},
        {"10 without FB", Bytes{0, 0, 0, 0, 0x10, 0xFA, 0, 0, 2, 'x', 'y'}},
        {"too short for a header", Bytes{0, 0, 0, 0, 0x10, 0xFB, 0}},
        {"empty entry", Bytes{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Decoded d = DecodeStored(c.stored);
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.out, c.stored);
    }
}

TEST(DecompressEntryTest, MalformedStreamsRaiseReadErrors) {
    struct Case {
        const char* name;
        std::uint32_t announced;
        Bytes codes;
    };
    const Case cases[] = {
        {"back-reference before the start", 100, {0x00, 0x00}},
        {"back-reference one past what exists", 100, {0xE0, 'a', 'b', 'c', 'd', 0x00, 0x04}},
        {"2-byte code cut short", 100, {0x00}},
        {"3-byte code cut short", 100, {0x80, 0x00}},
        {"4-byte code cut short", 100, {0xC0, 0x00, 0x00}},
        {"literal run cut short", 100, {0xE1, 'a', 'b', 'c'}},
        {"literal of a copy code cut short", 100, {0x03, 0x00, 'a'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(DecodeStored(QfsStream(c.announced, c.codes)), ReadError);
    }
}

TEST(DecompressEntryTest, EntryPastTheEndOfTheFileIsAReadError) {
    Bytes pkg = PackageBuilder(24).addRecord(1, 1, 96, 500).build();
    EntryList entries;
    ASSERT_EQ(ReadIndex(pkg, entries), 24);
    FakeMessages messages;
    Bytes out;
    EXPECT_THROW(DecompressEntry(pkg, entries[0], out, messages), ReadError);
}

TEST(DecompressEntryTest, AppendsToTheDestination) {
    Bytes out = Text("head:");
    Bytes pkg = PackageBuilder(20).addCompressed(1, 1, Text("tail tail tail tail")).build();
    EntryList entries;
    ReadIndex(pkg, entries);
    FakeMessages messages;
    ASSERT_TRUE(DecompressEntry(pkg, entries[0], out, messages));
    EXPECT_EQ(std::string(out.begin(), out.end()), "head:tail tail tail tail");
}

TEST(DecompressEntryTest, RoundTripsThisProjectsCompressor) {
    std::vector<std::pair<std::string, Bytes>> inputs;
    inputs.emplace_back("empty", Bytes{});
    inputs.emplace_back("one byte", Bytes{42});
    inputs.emplace_back("noise", test::NoiseBytes(70000, 1));
    inputs.emplace_back("zeros", Bytes(200000, 0));
    std::string text;
    for (int i = 0; text.size() < 150000; ++i)
        text += "The Sims 2 neighborhood " + std::to_string(i % 97) + " keeps its families. ";
    inputs.emplace_back("text", Text(text));
    Bytes far = test::NoiseBytes(140000, 2);
    std::copy(far.begin(), far.begin() + 2000, far.end() - 2000);  // a repeat 138000 back
    inputs.emplace_back("far repeat", far);
    for (const auto& [name, plain] : inputs) {
        SCOPED_TRACE(name);
        Bytes stored = QfsCompress(plain);
        Decoded d = DecodeStored(stored);
        EXPECT_TRUE(d.ok);
        EXPECT_EQ(d.out, plain);
    }
}

// Every vector made by an independent compressor decodes to its plain twin.
TEST(DecompressEntryTest, IndependentVectors) {
    const std::filesystem::path dir = std::filesystem::path(KINLOOM_TEST_DATA) / "qfs-vectors";
    std::ifstream manifest(dir / "manifest.tsv");
    ASSERT_TRUE(manifest) << "missing " << (dir / "manifest.tsv");
    std::string line;
    std::getline(manifest, line);  // heading
    int checked = 0;
    while (std::getline(manifest, line)) {
        std::string name = line.substr(0, line.find('\t'));
        SCOPED_TRACE(name);
        Bytes stored = ReadWholeFile(dir / (name + ".qfs"));
        Bytes plain = ReadWholeFile(dir / (name + ".raw"));
        PackageIndexEntry e{types::SimDescription, 0, 0, 0, 0, static_cast<std::uint32_t>(stored.size())};
        FakeMessages messages;
        Bytes out;
        ASSERT_TRUE(DecompressEntry(stored, e, out, messages));
        ASSERT_EQ(out, plain);
        ++checked;
    }
    EXPECT_GT(checked, 0) << "the manifest lists no vectors";
}

// Cutting a compressed entry short at every byte never crashes and never passes off wrong
// content as the entry: decoding fails, or (the stop code alone cut) still gives the whole text.
TEST(DecompressEntryTest, EveryTruncationFailsCleanly) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "family tie " + std::to_string(i) + "; ";
    const Bytes plain = Text(text);
    Bytes full = QfsCompress(plain);
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        Bytes stored(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        try {
            Decoded d = DecodeStored(stored);
            if (IsCompressedEntry(stored)) {
                if (d.ok) {
                    EXPECT_EQ(d.out, plain);
                }
            } else {
                EXPECT_EQ(d.out, stored);
            }
        } catch (const ReadError&) {
        }
    }
}

class DecompressPackageTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "N001_Neighborhood.package";
    FakeMessages messages;
};

TEST_F(DecompressPackageTest, EveryEntryBecomesPlainAndTheDirectoryGoes) {
    const Bytes a = Text(std::string(3000, 'a') + "end");
    const Bytes b = test::NoiseBytes(500, 3);
    const Bytes c = Text("plain as it was");
    for (int form : {20, 24}) {
        SCOPED_TRACE(form);
        PackageBuilder(form)
            .addCompressed(types::SimDescription, 1, a)
            .addCompressed(types::Household, 2, b)
            .add(types::TextList, 3, c)
            .hole(true)
            .write(file);
        ASSERT_NE(FindFirst(Package::Open(file).Entries, types::CompressedDirectory), nullptr);

        DecompressPackage(file, messages);
        Package p = Package::Open(file);
        ASSERT_EQ(p.EntrySize, form);
        ASSERT_EQ(p.Entries.size(), 3u);
        EXPECT_EQ(p.Entries[0].Offset, 96u);
        std::vector<Bytes> contents;
        for (const auto& e : p.Entries) {
            ByteView v = StoredBytes(p.Data, e);
            contents.emplace_back(v.begin(), v.end());
        }
        EXPECT_EQ(contents, (std::vector<Bytes>{a, b, c}));
        EXPECT_EQ(test::GetU32(p.Data, kIndexOffsetField), 96u + a.size() + b.size() + c.size());
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(DecompressPackageTest, APackageWithoutDirectoryKeepsItsEntriesInOrder) {
    PackageBuilder(24).add(5, 1, Text("x")).add(4, 2, Text("yy")).add(3, 3, Text("zzz")).write(file);
    DecompressPackage(file, messages);
    Package p = Package::Open(file);
    ASSERT_EQ(p.Entries.size(), 3u);
    EXPECT_EQ(p.Entries[2].Type, 3u);
    EXPECT_EQ(p.Entries[2].Offset, 99u);
    EXPECT_EQ(test::GetU32(p.Data, kIndexOffsetField), 102u);
}

TEST_F(DecompressPackageTest, ASecondDirectoryIsReportedAndLeftOut) {
    PackageBuilder(24)
        .addCompressed(types::SimDescription, 1, Text(std::string(100, 'q')))
        .add(types::CompressedDirectory, 9, Text("stale directory!"))
        .write(file);  // the builder's own directory comes last
    DecompressPackage(file, messages);
    Package p = Package::Open(file);
    ASSERT_EQ(p.Entries.size(), 1u);
    EXPECT_EQ(p.Entries[0].Type, types::SimDescription);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Decompression List Error, Exists"});
}

TEST_F(DecompressPackageTest, FailuresLeaveTheFileExactlyAsItWas) {
    struct Case {
        const char* name;
        Bytes package;
    };
    Bytes badReference = PackageBuilder(24)
                             .add(types::TextList, 1, Text("fine"))
                             .add(types::SimDescription, 2, QfsStream(10, {0xE0, 'a', 'b', 'c', 'd', 0x00, 0x40}))
                             .build();
    Bytes sizeMismatch = PackageBuilder(24)
                             .add(types::TextList, 1, Text("fine"))
                             .add(types::SimDescription, 2, QfsStream(10, {0xE0, 'a', 'b', 'c', 'd', 0xFC}))
                             .build();
    Bytes pastEnd = PackageBuilder(20).add(1, 1, Text("fine")).addRecord(2, 2, 97, 4000).build();
    Bytes zeroCount = PackageBuilder(24).add(1, 1, Text("fine")).build();
    test::SetU32(zeroCount, kIndexCountField, 0);
    Bytes oddForm = PackageBuilder(24).add(1, 1, Text("fine")).build();
    test::SetU32(oddForm, kIndexSizeField, 28);
    const Case cases[] = {
        {"back-reference before the start", badReference},
        {"decoded size differs from the announced one", sizeMismatch},
        {"entry past the end of the file", pastEnd},
        {"index count 0", zeroCount},
        {"index in neither form", oddForm},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(c.package.data()),
                      static_cast<std::streamsize>(c.package.size()));
        }
        EXPECT_ANY_THROW(DecompressPackage(file, messages));
        EXPECT_EQ(ReadWholeFile(file), c.package);
    }
}

}  // namespace
}  // namespace kinloom
