#include "core/editing/LoadNeighborhood.h"

#include <algorithm>

#include "core/packages/Compression.h"
#include "core/packages/PropertySet.h"
#include "core/packages/TextList.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"
#include "core/records/BodyProperties.h"
#include "core/records/GeneticsStrings.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFileNameLength = 28;
constexpr std::size_t kVersionLength = 36;
constexpr std::size_t kGuidOffset = 92;

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The plain content of an entry, or nullopt after "Decompression Error".
std::optional<Bytes> Content(ByteView package, const PackageIndexEntry& entry, Messages& messages) {
    Bytes out;
    if (!DecompressEntry(package, entry, out, messages)) return std::nullopt;
    return out;
}

bool IsJpeg(const Bytes& content) {
    return content.size() >= 4 && content[0] == 0xFF && content[1] == 0xD8 && content[2] == 0xFF &&
           content[3] == 0xE0;
}

std::string FileNameOf(const fs::path& file) {
    std::string name = file.filename().string();
    if (name.size() > kFileNameLength) name.resize(kFileNameLength);
    return name;
}

void Report(EditingContext& context, int position, int maximum) {
    if (context.progress) context.progress(position, maximum);
}

}  // namespace

fs::path CharactersFolderOf(const fs::path& packagePath) {
    const fs::path folder = packagePath.parent_path();
    std::error_code ec;
    if (fs::is_directory(folder / "Characters", ec)) return folder / "Characters";
    // Stepping with an error code: a folder that cannot be listed further ends its listing.
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code itemError;
        if (LowerAscii(it->path().filename().string()) == "characters" &&
            it->is_directory(itemError))
            return it->path();
    }
    return folder / "Characters";
}

std::vector<fs::path> PackageFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = LowerAscii(it->path().filename().string());
        std::error_code itemError;
        if (name.size() > 8 && name.ends_with(".package") && it->is_regular_file(itemError))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return LowerAscii(a.filename().string()) < LowerAscii(b.filename().string());
    });
    return files;
}

std::unique_ptr<Character> LoadCharacter(const fs::path& file,
                                         const SimDescriptionIndex& descriptions,
                                         EditingContext& context) {
    Messages& messages = context.messages;
    const std::string fileName = file.filename().string();
    const std::string ignored = "\r\nThis Character will be ignored.";
    try {
        const Bytes data = ReadWholeFile(file);
        EntryList entries;
        if (ReadIndex(data, entries) == 0) {
            messages.Show("An Index Error was found in " + fileName + ignored);
            return nullptr;
        }
        auto sim = std::make_unique<Character>();
        sim->FileName = FileNameOf(file);
        sim->FilePath = file;
        if (context.placeholder) {
            if (auto picture = context.placeholder())
                sim->Thumbnail = SimThumbnail(std::move(picture));
            else
                messages.Show("Bad DLL Load");
        }

        for (const PackageIndexEntry& e : entries) {
            switch (e.Type) {
                case types::ObjectData: {
                    auto content = Content(data, e, messages);
                    if (!content) break;
                    ByteReader r(*content);
                    r.Seek(kGuidOffset);
                    ByteView guid = r.Take(4);
                    std::copy(guid.begin(), guid.end(), sim->GUID.begin());
                    break;
                }
                case types::Version: {
                    auto content = Content(data, e, messages);
                    if (!content) break;
                    sim->CharacterVersion = VersionText(*content).substr(0, kVersionLength);
                    break;
                }
                case types::SimProperties: {
                    auto content = Content(data, e, messages);
                    if (content) ReadSimProperties(*content, *sim);
                    break;
                }
                case types::TextList: {
                    sim->HasNameList = true;  // saving replaces it whole, whatever it holds now
                    auto content = Content(data, e, messages);
                    if (!content) break;
                    if (auto names = ReadTextList(*content, 3, context.GameLanguage)) {
                        sim->FirstName = (*names)[0];
                        sim->CharacterDescription = (*names)[1];
                        sim->LastName = (*names)[2];
                    }
                    break;
                }
                case types::Picture: {
                    // Pictures whose instance starts with byte 0 are not the sim's thumbnail.
                    if ((e.Instance & 0xFF) == 0) break;
                    auto content = Content(data, e, messages);
                    if (!content || !IsJpeg(*content)) break;
                    sim->Thumbnail.AddStored(std::move(*content), 128);
                    break;
                }
                case types::BodyPresence:
                    sim->HasBody = true;
                    break;
                default:
                    break;
            }
        }
        sim->IncompleteBody = !ListsCompleteBody(entries, data);
        descriptions.Match(*sim);
        return sim;
    } catch (const ReadError&) {
    } catch (const FileError&) {
    }
    messages.Show("An Data Error was found in " + fileName + ignored);
    return nullptr;
}

LoadOutcome LoadNeighborhood(const Neighborhood& neighborhood, LoadedNeighborhood& state,
                             LabelForm form, EditingContext& context) {
    state = LoadedNeighborhood{};
    state.Selected = neighborhood;
    state.Form = form;
    LoadOutcome outcome;
    Messages& messages = context.messages;

    std::error_code ec;
    if (!fs::is_regular_file(neighborhood.PackagePath, ec)) return outcome;
    const std::string packageName = neighborhood.FolderName + "_Neighborhood.package";

    Bytes package;
    try {
        package = ReadWholeFile(neighborhood.PackagePath);
        if (ReadIndex(package, state.NeighborhoodIndex) == 0) {
            messages.Show("An Index Error was found in " + packageName +
                          "\r\nThis Neighborhood will be ignored.");
            state.NeighborhoodIndex.clear();
            return outcome;
        }
    } catch (const FileError& e) {
        outcome.Failure = std::string("The neighborhood package cannot be read: ") + e.what();
        return outcome;
    } catch (const ReadError&) {
        messages.Show("An Index Error was found in " + packageName +
                      "\r\nThis Neighborhood will be ignored.");
        state.NeighborhoodIndex.clear();
        return outcome;
    }

    // Characters.
    state.CharactersFolder = CharactersFolderOf(neighborhood.PackagePath);
    const std::vector<fs::path> files = PackageFilesIn(state.CharactersFolder);
    const int fileCount = static_cast<int>(files.size());
    Report(context, 0, fileCount);
    std::optional<SimDescriptionIndex> descriptions;
    for (int i = 0; i < fileCount; ++i) {
        Report(context, i + 1, fileCount);
        const fs::path& file = files[static_cast<std::size_t>(i)];
        if (!fs::exists(file, ec)) continue;
        if (!descriptions) descriptions.emplace(package, state.NeighborhoodIndex, messages);
        if (auto sim = LoadCharacter(file, *descriptions, context))
            state.Characters.push_back(std::move(sim));
    }

    // Neighborhood-wide records. A damaged entry here stops the load: saving regenerates some of
    // these records whole, so a half-read neighborhood must never reach the save.
    const EntryList& index = state.NeighborhoodIndex;
    const int count = static_cast<int>(index.size());
    const int maximum = 4 * count;
    try {
        for (int i = 0; i < count; ++i) {
            Report(context, i, maximum);
            const PackageIndexEntry& e = index[static_cast<std::size_t>(i)];
            if (e.Type != types::Household) continue;
            auto content = Content(package, e, messages);
            if (!content) continue;
            auto household = std::make_unique<Household>();
            household->Instance = e.Instance;
            ReadHousehold(*content, *household);
            state.Households.push_back(std::move(household));
        }
        state.HouseholdNamed.assign(state.Households.size(), false);
        for (int i = 0; i < count; ++i) {
            Report(context, count + i, maximum);
            const PackageIndexEntry& e = index[static_cast<std::size_t>(i)];
            if (e.Type != types::HouseholdText) continue;
            auto it = std::find_if(state.Households.begin(), state.Households.end(),
                                   [&](const auto& h) { return h->Instance == e.Instance; });
            if (it == state.Households.end()) continue;  // a name list without its household
            auto content = Content(package, e, messages);
            if (!content) continue;
            if (auto strings = ReadTextList(*content, 2, context.GameLanguage)) {
                (*it)->HouseholdName = (*strings)[0];
                (*it)->HouseholdDescription = (*strings)[1];
                state.HouseholdNamed[static_cast<std::size_t>(it - state.Households.begin())] =
                    true;
            }
        }
        bool tiesRead = false;
        for (int i = 0; i < count; ++i) {
            Report(context, 2 * count + i, maximum);
            const PackageIndexEntry& e = index[static_cast<std::size_t>(i)];
            if (e.Type == types::FamilyTies && !tiesRead) {
                auto content = Content(package, e, messages);
                if (content) {
                    ReadFamilyTies(*content, state.FamilyTies);
                    tiesRead = true;
                }
            } else if (e.Type == types::GeneticsStrings) {
                auto content = Content(package, e, messages);
                if (content) state.DNAList.push_back(ReadGeneticsStrings(*content, e.Instance));
            }
        }
        Report(context, 3 * count, maximum);
        state.Relationships = LoadRelationships(package, index, messages);
        for (const PackageIndexEntry& e : index) {
            if (e.Type == types::Version) {
                auto content = Content(package, e, messages);
                if (content) state.Selected.NGBDVersion = VersionText(*content).substr(0, 36);
            } else if (e.Type == types::TextList) {
                auto content = Content(package, e, messages);
                if (!content) continue;
                if (auto strings = ReadTextList(*content, 2, context.GameLanguage)) {
                    state.Selected.NGBDName = (*strings)[0];
                    state.Selected.NGBDDescription = (*strings)[1];
                }
            }
        }
    } catch (const ReadError&) {
        state = LoadedNeighborhood{};
        state.Selected = neighborhood;
        outcome.Failure =
            "An Data Error was found in " + packageName + "\r\nThis Neighborhood will be ignored.";
        return outcome;
    }

    state.Selected.Modified = 0;
    state.SortSims(form);
    state.SortHouseholds();
    Report(context, 0, 100);
    outcome.Loaded = true;
    return outcome;
}

}  // namespace kinloom
