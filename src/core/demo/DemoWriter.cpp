#include "core/demo/DemoWriter.h"

#include <cstdio>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "core/demo/DemoPackage.h"
#include "core/demo/DemoPeople.h"
#include "core/demo/DemoPictures.h"
#include "core/packages/TextList.h"
#include "core/platform/FileIO.h"
#include "core/records/GeneticsStrings.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace {

namespace fs = std::filesystem;

// Body entries a character package carries besides the presence mark.
constexpr std::uint32_t kBodyTypes[] = {0xAC506764, 0xEBCF3E27, 0xAC4F8687, 0x7BA3838C,
                                        0x49596978, 0xE519C933, 0xFC6EB1F7};
constexpr std::size_t kSpeciesOffset = 384;
constexpr std::size_t kJobWordA = 402;
constexpr std::size_t kJobWordB = 404;
constexpr std::size_t kOutfitSourceOffset = 250;

// Stand-in for the game's own bytes that the editor carries but never reads: varied enough that
// a byte moved or lost in a save shows up when packages are compared.
Bytes Filler(std::size_t count, std::uint32_t seed) {
    Bytes out(count);
    std::uint32_t x = seed * 2654435761u + 0x1234567u;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return out;
}

std::uint32_t GuidValue(const FourBytes& g) {
    return static_cast<std::uint32_t>(g[0]) | static_cast<std::uint32_t>(g[1]) << 8 |
           static_cast<std::uint32_t>(g[2]) << 16 | static_cast<std::uint32_t>(g[3]) << 24;
}

Bytes SimDescriptionContent(const DemoSim& sim, std::uint32_t seed) {
    const Character& c = sim.Record;
    const std::uint16_t version = c.FormatVersion;
    const auto guidOffset = SimDescriptionGuidOffset(version);
    if (!guidOffset) throw DemoError("demo sim with an unknown description version");
    // The game's descriptions run on past the last field the editor knows.
    Bytes out = Filler(SimDescriptionSize(version) + 48, seed ^ c.DescriptionInstance);
    PutU32(out, 0, 0);
    PutU16(out, 4, version);
    for (std::size_t i = 0; i < 4; ++i) out[*guidOffset + i] = c.GUID[i];
    for (std::size_t i = 0; i < 4; ++i) out[kOutfitSourceOffset + i] = c.GUID[i];
    if (version >= 44) PutU16(out, kSpeciesOffset, c.Species);
    if (version >= 42) {
        PutU16(out, kJobWordA, 3);
        PutU16(out, kJobWordB, 5);
    }
    Character all = c;
    all.Modified = true;  // so every saved field of the version is written
    const Character* list[] = {&all};
    WriteSimDescription(out, list);
    return out;
}

Bytes HouseholdContent(const DemoHousehold& h, std::uint32_t version,
                       const std::map<std::uint16_t, FourBytes>& guids, std::uint32_t seed) {
    // Where the household data start and how long the block after the members is.
    std::size_t start = 12, trailing = 4;
    if (version == 81 || version == 84) {
        start = 16;
        trailing = 12;
    } else if (version == 85) {
        start = 20;
        trailing = 12;
    } else if (version == 79) {
        trailing = 8;
    }
    Bytes out = Filler(start, seed ^ h.Instance);
    PutU32(out, 0, 0x0000000C);
    PutU32(out, 4, version);
    AppendU32(out, static_cast<std::uint32_t>(h.Lot));
    AppendU32(out, 0x00000001);
    AppendU32(out, static_cast<std::uint32_t>(h.Cash));
    AppendU32(out, static_cast<std::uint32_t>(h.Friends));
    AppendU32(out, 0x00000003);
    AppendU32(out, static_cast<std::uint32_t>(h.Members.size()));
    for (std::uint16_t m : h.Members) AppendU32(out, GuidValue(guids.at(m)));
    const Bytes tail = Filler(trailing, seed ^ (h.Instance << 8));
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

Bytes RelationshipContent(const DemoRelation& r) {
    Bytes out(44, 0);
    PutU32(out, 0, 0);
    PutU32(out, 4, 3);  // values that follow in the game's layout
    PutU32(out, 8, static_cast<std::uint32_t>(r.Daily));
    out[12] = r.BitOne;
    out[13] = r.BitTwo;
    out[14] = 0x11;  // game bytes kept as loaded
    out[15] = 0x22;
    PutU32(out, 16, static_cast<std::uint32_t>(r.Lifetime));
    PutU32(out, 20, r.From ^ r.To);
    PutU32(out, 40, 0xA5A5A5A5);
    return out;
}

Bytes ObjectDataContent(const DemoSim& sim) {
    Bytes out(160, 0);
    const std::string name = "Demo sim " + std::to_string(sim.Record.DescriptionInstance);
    for (std::size_t i = 0; i < name.size() && i < 64; ++i)
        out[i] = static_cast<std::uint8_t>(name[i]);
    for (std::size_t i = 0; i < 4; ++i) out[92 + i] = sim.Record.GUID[i];
    return out;
}

std::string UserFileName(const std::string& folder, std::size_t number) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "_User%05zu.package", number);
    return folder + buffer;
}

Bytes CharacterPackage(const DemoNeighborhood& n, const DemoSim& sim, std::size_t position,
                       std::uint32_t seed) {
    const Character& c = sim.Record;
    // Most packages carry compressed entries, as the game leaves them; some are plain.
    const bool squeeze = n.Compressed && position % 3 != 2;
    DemoPackage p(n.EntrySize);
    p.Add(types::Version, 1, DemoPropertySet({TextProperty("0", "2"), TextProperty("1", "7")}));
    p.Add(types::ObjectData, 0x80, ObjectDataContent(sim), squeeze && position % 2 == 0);
    p.Add(types::SimProperties, 1,
          DemoPropertySet({NumberProperty("age", c.PropertyAge),
                           NumberProperty("gender", c.PropertyGender),
                           {"creator", valuetypes::Opaque, 0x00C0FFEE, {}},
                           TextProperty("skincolor", c.SkinColor),
                           TextProperty("haircolor", c.HairColor),
                           TextProperty("eyecolor", c.EyeColor),
                           NumberProperty("fitness", static_cast<std::uint16_t>(c.Fatness))}));
    p.Add(types::TextList, 1,
          WriteTextList(TextListShape::Sim, {c.FirstName, c.CharacterDescription, c.LastName},
                        n.LocalLanguage),
          squeeze);
    // An older picture whose instance the game no longer shows, then the current face.
    Character faded = c;
    faded.HairColor = faded.SkinColor = faded.EyeColor = "faded";
    p.Add(types::Picture, 0x00000100, DemoFaceJpeg(faded, 32));
    p.Add(types::Picture, 0x00000001, DemoFaceJpeg(c, 128));
    if (sim.HasBody) {
        p.Add(types::BodyPresence, 1, Filler(24, seed ^ 0xB0D1u ^ c.DescriptionInstance));
        std::uint32_t k = 0;
        for (std::uint32_t type : kBodyTypes) {
            ++k;
            p.Add(type, k, Filler(40 + 23 * k, seed ^ (k << 20) ^ c.DescriptionInstance),
                  squeeze && k == 1);
        }
    }
    return p.Build();
}

// A name and description in language 1 and, when there is a local name, in the local language
// too. Without one the list is exactly what the editor writes for an English game, so a save that
// changes nothing leaves it byte for byte as it was.
Bytes NameList(const std::string& name, const std::string& description, int localLanguage,
               const std::string& localName, const std::string& localDescription) {
    if (localName.empty()) return WriteTextList(TextListShape::Pair, {name, description}, 1);
    return DemoTextList({{1, name},
                         {1, description},
                         {localLanguage, localName},
                         {localLanguage, localDescription}});
}

Bytes NeighborhoodPackage(const DemoNeighborhood& n, std::uint32_t seed) {
    DemoPackage p(n.EntrySize);
    p.Add(types::Version, 1, DemoPropertySet({TextProperty("0", "1.14"), TextProperty("1", "51")}));
    p.Add(types::TextList, 1,
          NameList(n.Name, n.Description, n.LocalLanguage, n.LocalName, n.LocalDescription),
          n.Compressed);
    std::map<std::uint16_t, FourBytes> guids;
    for (const DemoSim& s : n.Sims)
        guids[static_cast<std::uint16_t>(s.Record.DescriptionInstance)] = s.Record.GUID;
    std::size_t k = 0;
    for (const DemoSim& s : n.Sims)
        p.Add(types::SimDescription, s.Record.DescriptionInstance, SimDescriptionContent(s, seed),
              n.Compressed && k++ % 3 == 0);
    k = 0;
    for (const DemoSim& s : n.Sims)
        p.Add(types::GeneticsStrings, s.Record.DescriptionInstance, WriteGeneticsStrings(s.Genes),
              n.Compressed && k++ % 4 == 1);
    for (const DemoHousehold& h : n.Households) {
        p.Add(types::Household, h.Instance, HouseholdContent(h, n.HouseholdVersion, guids, seed));
        p.Add(types::HouseholdText, h.Instance,
              NameList(h.Name, h.Description, n.LocalLanguage, h.LocalName, h.LocalDescription),
              n.Compressed && h.Instance % 2 == 0);
    }
    p.Add(types::FamilyTies, 1, WriteFamilyTies(n.Ties));
    for (const DemoRelation& r : n.Relations)
        p.Add(types::Relationship, static_cast<std::uint32_t>(r.From) << 16 | r.To,
              RelationshipContent(r));
    return p.Build();
}

Bytes GenePackage(const DemoGene& gene) {
    Bytes content;
    const bool eyes = gene.Type == 0x2C1FD8A1;
    if (gene.Xml) {
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n";
        xml += "  <AnyString key=\"name\" type=\"0x0b8bea18\">" + gene.Title + "</AnyString>\n";
        xml += "  <AnyString key=\"family\" type=\"0x0b8bea18\">" + gene.Family + "</AnyString>\n";
        if (eyes) xml += "  <AnyUint32 key=\"subtype\" type=\"0xeb61e4f7\">3</AnyUint32>\n";
        xml += "</cGZPropertySetString>";
        content.assign(xml.begin(), xml.end());
    } else {
        std::vector<Property> props = {TextProperty("name", gene.Title),
                                       {"flags", valuetypes::Opaque, 1, {}},
                                       TextProperty("family", gene.Family)};
        if (eyes) props.push_back(NumberProperty("subtype", 3));
        content = DemoPropertySet(props);
    }
    DemoPackage p(24);
    p.Add(gene.Type, 1, std::move(content), !gene.Xml);
    p.Add(types::HouseholdText, 1, DemoTextList({{1, gene.Title}, {4, gene.Title}}));
    return p.Build();
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) throw DemoError("cannot create " + path.parent_path().string() + ": " + ec.message());
    try {
        ReplaceFileAtomically(path, bytes);
    } catch (const FileError& e) {
        throw DemoError(e.what());
    }
}

void WriteNeighborhood(const fs::path& neighborhoods, const DemoNeighborhood& n,
                       std::uint32_t seed) {
    const fs::path folder = neighborhoods / n.Folder;
    WriteFile(folder / (n.Folder + "_Neighborhood.package"), NeighborhoodPackage(n, seed));
    WriteFile(folder / (n.Folder + "_Neighborhood.png"), DemoNeighborhoodPng(n.Name, 256, 192));
    for (std::size_t i = 0; i < n.Sims.size(); ++i)
        WriteFile(folder / "Characters" / UserFileName(n.Folder, i),
                  CharacterPackage(n, n.Sims[i], i, seed));
}

// Refuses a folder that holds anything but an earlier demo; clears an earlier demo.
void PrepareFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) return;
    if (!fs::is_directory(folder, ec)) throw DemoError(folder.string() + " is not a folder");
    if (fs::is_empty(folder, ec)) return;
    if (!fs::exists(folder / kDemoMarkerFile, ec))
        throw DemoError(folder.string() +
                        " is not empty and was not written as a demo; choose an empty folder");
    for (const char* part : {"Neighborhoods", "Downloads"}) {
        fs::remove_all(folder / part, ec);
        if (ec) throw DemoError("cannot clear " + (folder / part).string() + ": " + ec.message());
    }
}

}  // namespace

void WriteDemoUserData(const fs::path& folder, const DemoOptions& options) {
    if (options.Sims < 0 || options.Sims > kMaxDemoSims)
        throw DemoError("a demo of generated sims holds 1 to " + std::to_string(kMaxDemoSims) +
                        " sims");
    PrepareFolder(folder);
    const std::string marker = "Written by Kinloom as demo data. Every name in it is invented.\n";
    WriteFile(folder / kDemoMarkerFile, Bytes(marker.begin(), marker.end()));

    const fs::path neighborhoods = folder / "Neighborhoods";
    const std::uint32_t seed = options.Seed;
    WriteNeighborhood(neighborhoods,
                      options.Sims > 0
                          ? GeneratedNeighborhood(options.Sims, seed, options.EveryPairRelated)
                          : StandardNeighborhood(seed),
                      seed);
    WriteNeighborhood(neighborhoods, SmallNeighborhoodG(seed), seed);
    WriteNeighborhood(neighborhoods, SmallNeighborhoodF(seed), seed);
    for (const DemoGene& gene : DemoGenes())
        WriteFile(folder / "Downloads" / fs::path(gene.File), GenePackage(gene));
}

MemoryRegistry DemoRegistry() {
    MemoryRegistry registry;
    const auto lm = RegistryRoot::LocalMachine;
    registry.SetString(lm, "\\Software\\EA GAMES\\The Sims 2", "DisplayName", "The Sims 2");
    registry.SetString(lm, "\\Software\\EA GAMES\\The Sims 2\\1.0", "LanguageName", "English US");
    for (const char* pack : {"University", "Nightlife", "Open For Business", "Pets", "Seasons",
                             "Bon Voyage", "FreeTime"})
        registry.AddKey(lm, std::string("\\Software\\EA GAMES\\The Sims 2 ") + pack);
    registry.SetString(lm, "\\Software\\EA GAMES\\The Sims 2 University\\1.0", "LanguageName",
                       "English US");
    return registry;
}

}  // namespace kinloom
