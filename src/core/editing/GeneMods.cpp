#include "core/editing/GeneMods.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>

#include "core/editing/GeneTables.h"
#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "core/packages/PropertySet.h"
#include "core/packages/TextList.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"

namespace kinloom {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kXmlStart = 0x6D783F3C;  // "<?xm"
constexpr std::size_t kNameListMarker = 64;      // FD FF of a text list

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Name order regardless of case, as the game's own folder listing shows them; ties by bytes so
// the order never depends on the file system.
bool NameLess(const fs::path& a, const fs::path& b) {
    const std::string an = a.filename().string(), bn = b.filename().string();
    const std::string al = LowerAscii(an), bl = LowerAscii(bn);
    return al != bl ? al < bl : an < bn;
}

bool IsPackageName(const fs::path& path) {
    const std::string name = LowerAscii(path.filename().string());
    return name.size() > 8 && name.ends_with(".package");
}

void CollectPackages(const fs::path& folder, std::set<fs::path>& visited,
                     std::vector<fs::path>& out) {
    std::error_code ec;
    // A folder linked into itself would otherwise be searched for ever.
    const fs::path real = fs::weakly_canonical(folder, ec);
    if (ec || !visited.insert(real).second) return;
    std::vector<fs::path> files, folders;
    // Stepping with an error code: a folder that cannot be listed further ends its listing
    // instead of throwing out of the scan.
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& item = *it;
        std::error_code itemError;
        if (item.is_directory(itemError))
            folders.push_back(item.path());
        else if (IsPackageName(item.path()) && item.is_regular_file(itemError))
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end(), NameLess);
    std::sort(folders.begin(), folders.end(), NameLess);
    out.insert(out.end(), files.begin(), files.end());
    for (const fs::path& sub : folders) CollectPackages(sub, visited, out);
}

// A top folder of the user data, spelled as the game spells it or, failing that, in any case.
std::optional<fs::path> UserFolder(const fs::path& userData, const std::string& name) {
    std::error_code ec;
    if (fs::is_directory(userData / name, ec)) return userData / name;
    const std::string wanted = LowerAscii(name);
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(userData, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& item = *it;
        std::error_code itemError;
        if (LowerAscii(item.path().filename().string()) == wanted && item.is_directory(itemError))
            matches.push_back(item.path());
    }
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end(), NameLess);
    return matches.front();
}

// Where the bytes of a package come from.
class PackageBytes {
public:
    virtual ~PackageBytes() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes from offset; ReadError when the range is not inside the package.
    virtual Bytes read(std::uint64_t offset, std::size_t count) = 0;

protected:
    void check(std::uint64_t offset, std::size_t count) const {
        if (offset > size() || count > size() - offset)
            throw ReadError("a range of " + std::to_string(count) + " bytes at " +
                            std::to_string(offset) + " runs past the end of the package");
    }
};

class MemoryBytes final : public PackageBytes {
public:
    explicit MemoryBytes(ByteView data) : data_(data) {}
    std::uint64_t size() const override { return data_.size(); }
    Bytes read(std::uint64_t offset, std::size_t count) override {
        check(offset, count);
        const auto from = data_.begin() + static_cast<std::ptrdiff_t>(offset);
        return Bytes(from, from + static_cast<std::ptrdiff_t>(count));
    }

private:
    ByteView data_;
};

class FileBytes final : public PackageBytes {
public:
    explicit FileBytes(const fs::path& path) : path_(path), in_(path, std::ios::binary) {
        std::error_code ec;
        size_ = fs::file_size(path, ec);
        if (!in_ || ec) throw FileError("cannot open " + path.string());
    }
    std::uint64_t size() const override { return size_; }
    Bytes read(std::uint64_t offset, std::size_t count) override {
        check(offset, count);
        Bytes out(count);
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
        if (!in_ || static_cast<std::size_t>(in_.gcount()) != count)
            throw FileError("cannot read " + path_.string());
        return out;
    }

private:
    fs::path path_;
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// The index of a package, read as ReadIndex reads it but without holding the whole file:
// the header fields, then the index records alone.
EntryList ListIndex(PackageBytes& package) {
    const IndexLocation where = LocateIndex(package.read(kIndexCountField, 12));
    if (where.Count <= 0 || (where.EntrySize != 20 && where.EntrySize != 24)) return {};
    const auto recordSize = static_cast<std::uint64_t>(where.EntrySize);
    const auto wanted = static_cast<std::uint64_t>(where.Count);
    if (where.Offset > package.size() || wanted > (package.size() - where.Offset) / recordSize)
        throw ReadError("the index lists " + std::to_string(wanted) +
                        " entries but runs past the end of the file");
    const Bytes records = package.read(where.Offset, static_cast<std::size_t>(wanted * recordSize));
    return ParseIndexRecords(records, where, package.size());
}

// The plain content of one entry. A content that does not decompress makes the package
// unreadable: it is reported once, for the whole file, by the scan.
Bytes EntryContent(PackageBytes& package, const PackageIndexEntry& entry) {
    const Bytes stored = package.read(entry.Offset, entry.Size);
    PackageIndexEntry alone = entry;
    alone.Offset = 0;
    Bytes content;
    SilentMessages quiet;
    if (!DecompressEntry(stored, alone, content, quiet))
        throw ReadError("the " + TypeIdText(entry) + " entry does not decompress");
    return content;
}

// The text after ">" of the first element opened exactly as opening, up to closing. An element
// that closes itself, or that is never closed, gives an empty text; one opened with further
// attributes is not the element looked for. nullopt when there is none.
std::optional<std::string> ElementText(std::string_view xml, std::string_view opening,
                                       std::string_view closing) {
    std::size_t from = 0;
    while (true) {
        const std::size_t at = xml.find(opening, from);
        if (at == std::string_view::npos) return std::nullopt;
        const std::size_t after = at + opening.size();
        if (after >= xml.size()) return std::string();
        if (xml[after] == '>') {
            const std::size_t end = xml.find(closing, after + 1);
            if (end == std::string_view::npos) return std::string();
            return std::string(xml.substr(after + 1, end - after - 1));
        }
        if (xml[after] == '/') return std::string();
        from = after;
    }
}

std::uint32_t DecimalOrZero(std::string_view text) {
    const std::string trimmed = TrimBytes(text);
    std::int64_t value = 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return 0;
    if (value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<std::uint32_t>(value);
}

// The title of every language-1 string of the package's text lists, the last one winning.
std::optional<std::string> NameFromTextList(ByteView content) {
    if (content.size() < kNameListMarker + 2 || content[kNameListMarker] != 0xFD ||
        content[kNameListMarker + 1] != 0xFF)
        return std::nullopt;
    ByteReader r(content);
    r.Seek(kNameListMarker + 2);
    auto zeroTerminated = [&r]() {
        const ByteView rest = r.Data().subspan(r.Position());
        const auto zero = std::find(rest.begin(), rest.end(), std::uint8_t{0});
        if (zero == rest.end()) throw ReadError("a text of a name list runs past its end");
        const auto length = static_cast<std::size_t>(zero - rest.begin());
        std::string text(rest.begin(), zero);
        r.Skip(length + 1);
        return text;
    };
    std::optional<std::string> name;
    const std::uint16_t count = r.U16();
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t language = r.U8();
        std::string title = zeroTerminated();
        zeroTerminated();  // the description
        if (language == 1) name = TrimBytes(title);
    }
    return name;
}

std::optional<GeneMod> ReadGene(PackageBytes& package, const fs::path& source) {
    const EntryList entries = ListIndex(package);
    if (entries.empty()) return std::nullopt;

    std::uint32_t geneType = 0;
    std::string family;
    for (const PackageIndexEntry& entry : entries) {
        if (entry.Type != genetypes::Hair && entry.Type != genetypes::Skin &&
            entry.Type != genetypes::Eye)
            continue;
        geneType = entry.Type;
        const GeneResourceText text = ReadGeneResource(EntryContent(package, entry));
        if (text.Family) family = *text.Family;
        // Only an eye overlay of subtype 3 is an eye colour the game passes on; any other eye
        // resource also cancels a hair or skin tone found earlier in the package.
        if (entry.Type == genetypes::Eye && !(text.Subtype.value_or(0) == 3 && !family.empty()))
            geneType = 0;
    }
    if (geneType == 0 || family.empty()) return std::nullopt;

    GeneMod gene;
    gene.TypeId = TypeIdText(geneType);
    gene.Family = std::move(family);
    gene.SourceFile = source;
    const std::string fileName = source.stem().string();
    std::optional<std::string> name;
    for (const PackageIndexEntry& entry : entries) {
        if (entry.Type != types::HouseholdText) continue;
        if (std::optional<std::string> title = NameFromTextList(EntryContent(package, entry)))
            name = title->empty() ? fileName : *title;
    }
    // A gene without a name list still needs a readable entry in the lists.
    gene.GeneName = name ? *name : fileName;
    return gene;
}

}  // namespace

std::vector<fs::path> FindGenePackages(const fs::path& userDataFolder) {
    std::vector<fs::path> files;
    std::set<fs::path> visited;
    for (const char* name : {"Downloads", "SavedSims", "Teleport"})
        if (std::optional<fs::path> folder = UserFolder(userDataFolder, name))
            CollectPackages(*folder, visited, files);
    return files;
}

GeneResourceText ReadGeneResource(ByteView content) {
    GeneResourceText text;
    if (content.size() < 4) return text;
    ByteReader r(content);
    const std::uint32_t format = r.U32();
    if (format == kPropertySetFormat) {
        for (const Property& p : ReadPropertySet(content)) {
            if (p.Name == "family")
                text.Family = p.Text;
            else if (p.Name == "subtype" && p.ValueType == valuetypes::Number)
                text.Subtype = p.Number;
        }
    } else if (format == kXmlStart) {
        const std::string_view xml(reinterpret_cast<const char*>(content.data()), content.size());
        text.Family =
            ElementText(xml, R"(<AnyString key="family" type="0x0b8bea18")", "</AnyString>");
        if (std::optional<std::string> subtype =
                ElementText(xml, R"(<AnyUint32 key="subtype" type="0xeb61e4f7")", "</AnyUint32>"))
            text.Subtype = DecimalOrZero(*subtype);
    }
    return text;
}

std::optional<GeneMod> ReadGenePackage(ByteView package, const fs::path& source) {
    MemoryBytes bytes(package);
    return ReadGene(bytes, source);
}

std::optional<GeneMod> ReadGeneFile(const fs::path& file) {
    FileBytes bytes(file);
    return ReadGene(bytes, file);
}

std::string GeneReadErrorText(const fs::path& file) {
    return "Data Read Error Found in:\r\n\"" + file.string() + "\"\r\nThis file will be ignored.";
}

std::vector<GeneMod> ScanGeneMods(const fs::path& userDataFolder, Messages& messages,
                                  const GeneScanProgress& progress) {
    const std::vector<fs::path> files = FindGenePackages(userDataFolder);
    const int count = static_cast<int>(std::min<std::size_t>(files.size(), INT32_MAX));
    const int maximum = count > 1 ? count - 1 : 100;
    std::vector<GeneMod> genes;
    for (int i = 0; i < count; ++i) {
        if (progress) progress(i, maximum);
        const fs::path& file = files[static_cast<std::size_t>(i)];
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        try {
            if (std::optional<GeneMod> gene = ReadGeneFile(file)) genes.push_back(std::move(*gene));
        } catch (const ReadError&) {
            messages.Show(GeneReadErrorText(file));
        } catch (const FileError&) {
            messages.Show(GeneReadErrorText(file));
        }
    }
    // Every list of a kind holds the same entries: the fixed ones, then the genes in scan order.
    // A gene past the last position a list index can name is left out rather than let its index
    // wrap onto another gene's entry.
    std::vector<GeneMod> listed;
    std::size_t next[3] = {FixedGenes(GeneKind::Hair).size(), FixedGenes(GeneKind::Skin).size(),
                           FixedGenes(GeneKind::Eye).size()};
    for (GeneMod& gene : genes) {
        const std::optional<GeneKind> kind = GeneKindOf(gene.TypeId);
        if (!kind) continue;
        std::size_t& position = next[static_cast<std::size_t>(*kind)];
        if (position > UINT16_MAX) continue;
        gene.ListIndex = static_cast<std::uint16_t>(position++);
        listed.push_back(std::move(gene));
    }
    if (progress) progress(0, 100);
    return listed;
}

}  // namespace kinloom
