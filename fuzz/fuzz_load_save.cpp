// Hostile neighborhoods end to end: bytes of the neighborhood package and of one character package
// are changed, the neighborhood is loaded, one skill of a sim is edited, the neighborhood is saved
// into a scratch copy of its folder and loaded again. Whatever the bytes, nothing crashes, and the
// outcome is either a clear refusal (the load or the save says why) or a save that reloads with
// the edit in place.
//
// Input: byte 0 chooses the character package (bits 0-5) and whether each package starts from its
// stored bytes or from its plain, decompressed image (bit 6: the character package, bit 7: the
// neighborhood package). Then 4-byte changes: byte 0 picks the package (bit 7 set: the character
// package) and a part of it (bits 0-6: the header, the index or one entry), bytes 1-2 a position
// in that part (little-endian, wrapped), byte 3 is XORed into the byte there. Aiming at parts
// rather than file offsets lets every change land inside some record.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FakeMessages.h"
#include "core/demo/DemoWriter.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/editing/SaveNeighborhood.h"
#include "core/packages/Compression.h"
#include "core/platform/FileIO.h"

namespace {

namespace fs = std::filesystem;
using namespace kinloom;

struct Part {
    std::size_t begin;
    std::size_t size;
};

// One package as the demo wrote it, or its plain image, and the parts changes are aimed at.
struct Form {
    Bytes bytes;
    std::vector<Part> parts;
};

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    ByteReader in(b);
    in.Seek(at);
    return in.U32();
}

Form MakeForm(Bytes bytes) {
    Form form;
    form.bytes = std::move(bytes);
    const std::size_t size = form.bytes.size();
    auto add = [&](std::size_t begin, std::size_t length) {
        if (begin >= size) return;
        length = std::min(length, size - begin);
        if (length != 0) form.parts.push_back({begin, length});
    };
    add(0, 96);
    add(U32At(form.bytes, kIndexOffsetField), U32At(form.bytes, kIndexSizeField));
    EntryList entries;
    ReadIndex(form.bytes, entries);
    for (const PackageIndexEntry& e : entries) add(e.Offset, e.Size);
    return form;
}

// Both forms of a package file: as stored and with every entry plain.
struct KeptPackage {
    std::string name;
    Form forms[2];
};

KeptPackage Keep(const fs::path& file) {
    SilentMessages quiet;
    Bytes stored = ReadWholeFile(file);
    Bytes plain = DecompressPackageImage(stored, quiet).Data;
    return {file.filename().string(), {MakeForm(std::move(stored)), MakeForm(std::move(plain))}};
}

void Write(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

// The demo neighborhood, written once per process into a folder of its own.
struct Demo {
    fs::path root;
    fs::path folder;  // the scratch neighborhood folder each input is written into
    KeptPackage neighborhood;
    std::vector<KeptPackage> characters;

    Demo() {
        root = fs::temp_directory_path() / ("kinloom-fuzz-load-save-" + std::to_string(::getpid()));
        fs::remove_all(root);
        DemoOptions options;
        options.Sims = 4;  // one household: two adults, a teen and a child, with their ties
        WriteDemoUserData(root / "demo", options);
        const fs::path n001 = root / "demo" / "Neighborhoods" / "N001";
        neighborhood = Keep(n001 / "N001_Neighborhood.package");
        for (const fs::path& file : PackageFilesIn(n001 / "Characters"))
            characters.push_back(Keep(file));
        if (characters.empty()) std::abort();
        folder = root / "scratch" / "N001";
    }
    ~Demo() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Demo& TheDemo() {
    static Demo demo;
    return demo;
}

void Apply(const std::uint8_t* change, Form& form, Bytes& bytes) {
    if (form.parts.empty()) return;
    const Part& part = form.parts[(change[0] & 0x7Fu) % form.parts.size()];
    const std::size_t offset = std::size_t{change[1]} | std::size_t{change[2]} << 8;
    const std::size_t at = part.begin + offset % part.size;
    bytes[at] ^= change[3];
}

EditingContext Context(Messages& messages) {
    return EditingContext{
        messages, 1, [] { return std::make_shared<const Bitmap>(Bitmap(8, 8)); }, {}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Demo& demo = TheDemo();
    const std::uint8_t choice = size > 0 ? data[0] : 0;
    const std::size_t chosen = (choice & 0x3Fu) % demo.characters.size();
    Form& neighborhoodForm = demo.neighborhood.forms[choice >> 7];
    Form& characterForm = demo.characters[chosen].forms[(choice >> 6) & 1];
    Bytes neighborhoodBytes = neighborhoodForm.bytes;
    Bytes characterBytes = characterForm.bytes;
    for (std::size_t at = 1; at + 4 <= size; at += 4) {
        if (data[at] & 0x80)
            Apply(data + at, characterForm, characterBytes);
        else
            Apply(data + at, neighborhoodForm, neighborhoodBytes);
    }

    fs::remove_all(demo.folder.parent_path());
    fs::create_directories(demo.folder / "Characters");
    Write(demo.folder / "N001_Neighborhood.package", neighborhoodBytes);
    for (std::size_t i = 0; i < demo.characters.size(); ++i)
        Write(demo.folder / "Characters" / demo.characters[i].name,
              i == chosen ? characterBytes : demo.characters[i].forms[0].bytes);

    Neighborhood n001;
    n001.FolderName = "N001";
    n001.PackagePath = demo.folder / "N001_Neighborhood.package";
    test::FakeMessages messages;
    EditingContext context = Context(messages);

    LoadedNeighborhood state;
    const LoadOutcome loaded = LoadNeighborhood(n001, state, LabelForm::FirstName, context);
    if (!loaded.Loaded) {
        if (!loaded.Failure && messages.shown.empty()) __builtin_trap();  // refused without a word
        return 0;
    }
    // Pictures are drawn when first shown: draw every one, as the window may.
    for (const Character* s : state.Sims) (void)s->Thumbnail.Picture();

    Character* sim = nullptr;
    for (Character* s : state.Sims)
        if (s->DescriptionInstance != kNoDescription) {
            sim = s;
            break;
        }
    if (!sim) return 0;  // no sim whose skills can be stored
    const std::int16_t cooking = sim->Cooking == 777 ? 333 : 777;
    sim->Cooking = cooking;
    sim->Modified = true;
    const fs::path file = sim->FilePath;

    const SaveOutcome saved = SaveNeighborhood(state, context);
    if (!saved.Saved) {
        if (!saved.Failure || saved.Failure->empty()) __builtin_trap();  // refused without a word
        return 0;
    }
    if (saved.Failure) __builtin_trap();  // saved and failed at once

    LoadedNeighborhood again;
    test::FakeMessages messagesAgain;
    EditingContext contextAgain = Context(messagesAgain);
    if (!LoadNeighborhood(n001, again, LabelForm::FirstName, contextAgain).Loaded)
        __builtin_trap();  // saved into something that no longer loads
    const Character* reloaded = nullptr;
    for (const Character* s : again.Sims)
        if (s->FilePath == file) reloaded = s;
    if (!reloaded) __builtin_trap();  // the edited sim's package no longer loads
    if (reloaded->DescriptionInstance == kNoDescription || reloaded->Cooking != cooking)
        __builtin_trap();  // "saved" without the edit
    return 0;
}
