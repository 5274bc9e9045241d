#include "PackageBuilder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

#include "FakeMessages.h"
#include "Qfs.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"

namespace kinloom::test {

PackageBuilder& PackageBuilder::add(std::uint32_t type, std::uint32_t instance, Bytes content,
                                    std::uint32_t group, std::uint32_t instanceHigh) {
    return add(
        FixtureEntry{type, group, instance, instanceHigh, std::move(content), false, {}, {}});
}

PackageBuilder& PackageBuilder::addCompressed(std::uint32_t type, std::uint32_t instance,
                                              Bytes content, std::uint32_t group,
                                              std::uint32_t instanceHigh) {
    return add(FixtureEntry{type, group, instance, instanceHigh, std::move(content), true, {}, {}});
}

PackageBuilder& PackageBuilder::addRecord(std::uint32_t type, std::uint32_t instance,
                                          std::uint32_t offset, std::uint32_t size) {
    return add(FixtureEntry{type, 0, instance, 0, {}, false, offset, size});
}

PackageBuilder& PackageBuilder::add(FixtureEntry entry) {
    entries_.push_back(std::move(entry));
    return *this;
}

Bytes PackageBuilder::build() const {
    Bytes image(kPackageHeaderSize, 0);
    image[0] = 'D';
    image[1] = 'B';
    image[2] = 'P';
    image[3] = 'F';
    SetU32(image, 4, 1);                          // major version
    SetU32(image, 8, entrySize_ == 24 ? 2 : 1);   // minor version
    SetU32(image, 32, entrySize_ == 24 ? 2 : 7);  // index version as the game writes it
    SetU32(image, 60, entrySize_ == 24 ? 2 : 0);
    for (std::size_t i = 64; i < kPackageHeaderSize; ++i) image[i] = static_cast<std::uint8_t>(i);

    struct Placed {
        const FixtureEntry* e;
        std::uint32_t offset, size;
    };
    std::vector<Placed> placed;
    bool anyCompressed = false;
    for (const FixtureEntry& e : entries_) {
        if (e.offset || e.size) {
            placed.push_back({&e, e.offset.value_or(0), e.size.value_or(0)});
            continue;
        }
        Bytes stored = e.content;
        if (e.compressed) {
            anyCompressed = true;
            stored = QfsCompress(e.content);
            // Equal sizes would make the entry read as plain; a skipped FC code lengthens it.
            if (stored.size() == e.content.size()) {
                stored.insert(stored.begin() + 9, 0xFC);
                SetU32(stored, 0, static_cast<std::uint32_t>(stored.size()));
            }
        }
        placed.push_back({&e, static_cast<std::uint32_t>(image.size()),
                          static_cast<std::uint32_t>(stored.size())});
        image.insert(image.end(), stored.begin(), stored.end());
    }

    std::vector<PackageIndexEntry> index;
    for (const Placed& p : placed)
        index.push_back(
            {p.e->type, p.e->group, p.e->instance, p.e->instanceHigh, p.offset, p.size});

    if (directory_.value_or(anyCompressed)) {
        Bytes dir;
        for (const FixtureEntry& e : entries_) {
            if (!e.compressed) continue;
            AppendU32(dir, e.type);
            AppendU32(dir, e.group);
            AppendU32(dir, e.instance);
            if (entrySize_ == 24) AppendU32(dir, e.instanceHigh);
            AppendU32(dir, static_cast<std::uint32_t>(e.content.size()));
        }
        index.push_back({types::CompressedDirectory, 0xE86B1EEF, 0x286B1F03, 0,
                         static_cast<std::uint32_t>(image.size()),
                         static_cast<std::uint32_t>(dir.size())});
        image.insert(image.end(), dir.begin(), dir.end());
    }

    if (hole_) {
        const auto holeOffset = static_cast<std::uint32_t>(image.size());
        for (int i = 0; i < 2; ++i) {
            AppendU32(image, holeOffset + 16);
            AppendU32(image, 0);
        }
        SetU32(image, kHoleCountField, 2);
        SetU32(image, kHoleOffsetField, holeOffset);
        SetU32(image, kHoleSizeField, 16);
    }

    const auto indexOffset = static_cast<std::uint32_t>(image.size());
    for (const PackageIndexEntry& e : index) {
        AppendU32(image, e.Type);
        AppendU32(image, e.Group);
        AppendU32(image, e.Instance);
        if (entrySize_ == 24) AppendU32(image, e.InstanceHigh);
        AppendU32(image, e.Offset);
        AppendU32(image, e.Size);
    }
    SetU32(image, kIndexCountField, static_cast<std::uint32_t>(index.size()));
    SetU32(image, kIndexOffsetField, indexOffset);
    SetU32(image, kIndexSizeField,
           static_cast<std::uint32_t>(index.size() * static_cast<std::size_t>(entrySize_)));
    return image;
}

void PackageBuilder::write(const std::filesystem::path& path) const {
    Bytes data = build();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    if (!out) throw std::runtime_error("cannot write fixture " + path.string());
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

void SetU32(Bytes& data, std::size_t offset, std::uint32_t value) {
    if (data.size() < offset + 4) data.resize(offset + 4);
    PutU32(data, offset, value);
}

std::uint32_t GetU32(const Bytes& data, std::size_t offset) {
    ByteReader r(data);
    r.Seek(offset);
    return r.U32();
}

Bytes NoiseBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(count);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng() >> 24);
    return out;
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("kinloom-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<Bytes> StoredContents(const std::filesystem::path& package, std::uint32_t type,
                                  std::uint32_t instance) {
    const Bytes data = ReadWholeFile(package);
    EntryList list;
    ReadIndex(data, list);
    std::vector<Bytes> out;
    FakeMessages quiet;
    for (const PackageIndexEntry& e : list) {
        if (e.Type != type || e.Instance != instance) continue;
        Bytes content;
        if (!DecompressEntry(data, e, content, quiet))
            throw std::runtime_error("an entry of the fixture does not decompress");
        out.push_back(std::move(content));
    }
    return out;
}

}  // namespace kinloom::test
