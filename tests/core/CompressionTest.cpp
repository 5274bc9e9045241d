#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "FakeMessages.h"
#include "PackageBuilder.h"
#include "Qfs.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"

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
        {"stop code carries up to three literals",
         6,
         {0xE0, 'a', 'b', 'c', 'd', 0xFE, 'e', 'f'},
         true,
         "abcdef"},
        {"2-byte code: 1 literal, distance 1, length 3 (overlap)",
         4,
         {0x01, 0x00, 'z', 0xFC},
         true,
         "zzzz"},
        {"3-byte code: 2 literals, distance 2, length 4",
         6,
         {0x80, 0x80, 0x01, 'x', 'y', 0xFC},
         true,
         "xyxyxy"},
        {"4-byte code: 3 literals, distance 3, length 5",
         8,
         {0xC3, 0x00, 0x02, 0x00, 'p', 'q', 'r', 0xFC},
         true,
         "pqrpqrpq"},
        {"distance 1 length 10 repeats the last byte",
         11,
         {0xE0, 'a', 'b', 'c', 'd', 0x1C, 0x00, 0xFC},
         false,
         ""},  // 4 + 10 = 14 != 11: a mismatch
        {"overlapping copy, distance 1, length 10",
         14,
         {0xE0, 'a', 'b', 'c', 'd', 0x1C, 0x00, 0xFC},
         true,
         "abcddddddddddd"},
        {"FC mid-stream is skipped",
         8,
         {0xE0, 'a', 'b', 'c', 'd', 0xFC, 0xE0, 'e', 'f', 'g', 'h', 0xFC},
         true,
         "abcdefgh"},
        {"FF at the very end copies nothing", 4, {0xE0, 'w', 'x', 'y', 'z', 0xFF}, true, "wxyz"},
        {"FF with fewer literals than asked copies what remains",
         5,
         {0xE0, 'w', 'x', 'y', 'z', 0xFF, '!'},
         true,
         "wxyz!"},
        {"input ends without a stop code", 4, {0xE0, 'a', 'b', 'c', 'd'}, true, "abcd"},
        {"codes after a stop code are ignored",
         5,
         {0xE0, 'a', 'b', 'c', 'd', 0xFD, 'e', 0xE0, 0x00},
         true,
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
        Decoded d =
            DecodeStored(QfsStream(static_cast<std::uint32_t>(c.distance + c.length), codes));
        ASSERT_TRUE(d.ok);
        EXPECT_TRUE(std::equal(d.out.begin() + static_cast<std::ptrdiff_t>(c.distance), d.out.end(),
                               d.out.begin()));
    }
}

// References of the farthest reach, one after another, over an output of several megabytes:
// each repeats the byte 131072 back wherever it falls.
TEST(DecompressEntryTest, TheFarthestReachHoldsThroughoutALongOutput) {
    constexpr std::size_t kReach = 131072;
    const Bytes prefix = test::NoiseBytes(kReach, 9);
    Bytes codes;
    for (std::size_t done = 0; done < prefix.size();) {
        const std::size_t run = std::min<std::size_t>(112, prefix.size() - done);
        codes.push_back(static_cast<std::uint8_t>(0xE0 + (run - 4) / 4));
        codes.insert(codes.end(), prefix.begin() + static_cast<std::ptrdiff_t>(done),
                     prefix.begin() + static_cast<std::ptrdiff_t>(done + run));
        done += run;
    }
    std::size_t produced = kReach;
    for (std::size_t k = 0; produced < (3u << 20); ++k) {
        const std::size_t length = 5 + (k * 7919) % 1024;  // every alignment, short and long
        codes.insert(codes.end(), {static_cast<std::uint8_t>(0xD0 | (((length - 5) >> 8) << 2)),
                                   0xFF, 0xFF, static_cast<std::uint8_t>(length - 5)});
        produced += length;
    }
    codes.push_back(0xFC);
    Decoded d = DecodeStored(QfsStream(static_cast<std::uint32_t>(produced), codes));
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.out.size(), produced);
    for (std::size_t i = 0; i < produced; ++i) {
        if (d.out[i] != prefix[i % kReach]) FAIL() << "byte " << i;
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
        PackageIndexEntry e{
            types::SimDescription, 0, 0, 0, 0, static_cast<std::uint32_t>(stored.size())};
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

// The code table followed literally, one byte at a time: the yardstick for the decoder's
// faster copies. Appends to out; throws ReadError where the decoder must; true when the announced
// size results.
bool DecodeByTheTable(const Bytes& stored, Bytes& out) {
    const std::size_t base = out.size();
    ByteReader in(stored);
    in.Seek(6);
    const std::size_t announced = in.U24Be();
    while (!in.AtEnd()) {
        const std::size_t b0 = in.U8();
        std::size_t literal = 0, distance = 0, length = 0;
        if (b0 < 0x80) {
            const std::size_t b1 = in.U8();
            literal = b0 & 3;
            distance = ((b0 & 0x60) << 3) + b1 + 1;
            length = ((b0 & 0x1C) >> 2) + 3;
        } else if (b0 < 0xC0) {
            const std::size_t b1 = in.U8(), b2 = in.U8();
            literal = b1 >> 6;
            distance = ((b1 & 0x3F) << 8) + b2 + 1;
            length = (b0 & 0x3F) + 4;
        } else if (b0 < 0xE0) {
            const std::size_t b1 = in.U8(), b2 = in.U8(), b3 = in.U8();
            literal = b0 & 3;
            distance = ((b0 & 0x10) << 12) + (b1 << 8) + b2 + 1;
            length = ((b0 & 0x0C) << 6) + b3 + 5;
        } else if (b0 < 0xFC) {
            literal = ((b0 & 0x1F) << 2) + 4;
        } else if (b0 > 0xFC) {
            for (std::size_t i = 0; i < (b0 & 3) && !in.AtEnd(); ++i) out.push_back(in.U8());
            break;
        }
        for (std::size_t i = 0; i < literal; ++i) out.push_back(in.U8());
        if (length == 0) continue;
        if (distance > out.size() - base) throw ReadError("reference before the start");
        const std::size_t start = out.size() - distance;
        for (std::size_t i = 0; i < length; ++i) out.push_back(out[start + i]);
    }
    return out.size() - base == announced;
}

// A valid stream of random codes of every kind: each copy form over its whole range, with short
// overlapping distances and the farthest ones, literal runs, skip codes and a stop code.
Bytes RandomStream(std::size_t approximateSize, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(rng);
    };
    Bytes codes;
    std::size_t produced = 0;
    auto literals = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) codes.push_back(static_cast<std::uint8_t>(rng()));
        produced += count;
    };
    while (produced < approximateSize) {
        const std::size_t kind = pick(0, 19);
        if (kind == 0 || produced < 8) {
            const std::size_t run = 4 * pick(1, 28);
            codes.push_back(static_cast<std::uint8_t>(0xE0 + (run - 4) / 4));
            literals(run);
            continue;
        }
        if (kind == 1) {
            codes.push_back(0xFC);
            continue;
        }
        const std::size_t form = kind % 3;  // 0: 2-byte, 1: 3-byte, 2: 4-byte
        const std::size_t literal = pick(0, 3);
        const std::size_t reach[] = {1024, 16384, 131072};
        const std::size_t farthest = std::min(reach[form], produced + literal);
        const std::size_t band = pick(0, 3);  // overlapping, short, wide or the farthest
        const std::size_t distance = band == 0   ? pick(1, std::min<std::size_t>(15, farthest))
                                     : band == 1 ? pick(1, std::min<std::size_t>(64, farthest))
                                     : band == 2 ? pick(1, farthest)
                                                 : farthest;
        const std::size_t d = distance - 1;
        if (form == 0) {
            const std::size_t length = pick(3, 10);
            codes.push_back(
                static_cast<std::uint8_t>(((d >> 3) & 0x60) | ((length - 3) << 2) | literal));
            codes.push_back(static_cast<std::uint8_t>(d));
            literals(literal);
            produced += length;
        } else if (form == 1) {
            const std::size_t length = pick(4, 67);
            codes.push_back(static_cast<std::uint8_t>(0x80 | (length - 4)));
            codes.push_back(static_cast<std::uint8_t>((literal << 6) | (d >> 8)));
            codes.push_back(static_cast<std::uint8_t>(d));
            literals(literal);
            produced += length;
        } else {
            const std::size_t length = pick(0, 3) == 0 ? pick(5, 1028) : pick(5, 40);
            codes.push_back(static_cast<std::uint8_t>(0xC0 | ((d >> 12) & 0x10) |
                                                      (((length - 5) >> 8) << 2) | literal));
            codes.push_back(static_cast<std::uint8_t>(d >> 8));
            codes.push_back(static_cast<std::uint8_t>(d));
            codes.push_back(static_cast<std::uint8_t>(length - 5));
            literals(literal);
            produced += length;
        }
    }
    const std::size_t last = pick(0, 3);
    codes.push_back(static_cast<std::uint8_t>(0xFC + last));
    literals(last);
    return QfsStream(static_cast<std::uint32_t>(produced), codes);
}

// The decoder against the literal reading of the table: long streams whose output passes through
// the decoder's window several times, short ones decoded near either end, and damaged copies of
// them. The same streams succeed, with the same bytes; what fails leaves the destination as it was.
TEST(DecompressEntryTest, AgreesWithTheCodeTableByteForByte) {
    const std::size_t sizes[] = {0, 5, 40, 1000, 1100, 5000, 70000, 300000, 1500000, 3000000};
    std::uint32_t seed = 1;
    for (std::size_t size : sizes) {
        for (int variant = 0; variant < (size > 100000 ? 2 : 6); ++variant) {
            const Bytes valid = RandomStream(size, seed++);
            std::vector<Bytes> streams = {valid};
            std::mt19937 rng(seed);
            for (int damaged = 0; damaged < (size > 100000 ? 2 : 40); ++damaged) {
                Bytes copy = valid;
                const std::size_t at = 9 + rng() % (copy.size() - 9);
                copy[at] = static_cast<std::uint8_t>(rng());
                if (rng() % 4 == 0) copy.resize(at + 1);
                streams.push_back(copy);
            }
            for (std::size_t i = 0; i < streams.size(); ++i) {
                SCOPED_TRACE(::testing::Message()
                             << "size " << size << " seed " << seed - 1 << " stream " << i);
                Bytes expected = Text("head");
                bool expectedOk = false;
                try {
                    expectedOk = DecodeByTheTable(streams[i], expected);
                } catch (const ReadError&) {
                }
                Bytes out = Text("head");
                bool ok = false;
                try {
                    ok = DecodeRefPack(streams[i], out);
                } catch (const ReadError&) {
                    EXPECT_EQ(out, Text("head"));
                }
                if (i == 0) {
                    ASSERT_TRUE(ok);
                }
                ASSERT_EQ(ok, expectedOk);
                if (ok) {
                    ASSERT_EQ(out, expected);
                }
            }
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
    PackageBuilder(24)
        .add(5, 1, Text("x"))
        .add(4, 2, Text("yy"))
        .add(3, 3, Text("zzz"))
        .write(file);
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
    Bytes badReference =
        PackageBuilder(24)
            .add(types::TextList, 1, Text("fine"))
            .add(types::SimDescription, 2, QfsStream(10, {0xE0, 'a', 'b', 'c', 'd', 0x00, 0x40}))
            .build();
    Bytes sizeMismatch =
        PackageBuilder(24)
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
