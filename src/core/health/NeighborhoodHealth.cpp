#include "core/health/NeighborhoodHealth.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "core/careers/Careers.h"
#include "core/editing/DescriptionIndex.h"
#include "core/editing/FamilyTree.h"
#include "core/editing/LoadNeighborhood.h"
#include "core/packages/ByteReader.h"
#include "core/packages/Compression.h"
#include "core/packages/Package.h"
#include "core/packages/Utf8.h"
#include "core/platform/FileIO.h"
#include "core/platform/Messages.h"
#include "core/records/SimDescription.h"

namespace kinloom {
namespace fs = std::filesystem;

namespace {

bool IsUtf8(std::string_view text) {
    return ValidUtf8(text) == text;
}

// What a sim is called in a finding: its name and its file.
std::string SimSubject(const Character& sim) {
    std::string name = EncodeUtf8(SimName(sim));
    if (!IsUtf8(sim.FirstName) || !IsUtf8(sim.LastName)) name = "(name not readable)";
    return name + " (" + sim.FilePath.filename().string() + ")";
}

std::string HouseholdSubject(const LoadedNeighborhood& state, const Household& h) {
    return "Household " + std::to_string(h.Instance) + " (" + EncodeUtf8(state.HouseholdLabel(h)) +
           ")";
}

std::string TieText(const FamilyTie& tie) {
    return "sim " + std::to_string(tie.Owner) + " has " + TieKindLabel(tie.Kind) + " " +
           std::to_string(tie.Relative);
}

// A sim description of the neighborhood package, as far as it could be read.
struct DescriptionEntry {
    std::uint32_t Instance = 0;
    std::optional<FourBytes> Guid;
};

struct PackageSurvey {
    std::vector<DescriptionEntry> Descriptions;
    std::vector<Finding> Findings;  // entries that do not decode, a package that cannot be read
};

bool IsNeighborhoodPackage(const fs::path& file) {
    const std::string name = file.filename().string();
    return name.size() > 21 && name.ends_with("_Neighborhood.package");
}

// Decompresses every entry of a package, noting each that does not decode; visit sees the
// plain content of each that does.
template <typename Visit>
void SurveyPackage(const fs::path& file, std::vector<Finding>& findings, const Character* sim,
                   Visit visit) {
    Package package;
    try {
        package = Package::Open(file);
    } catch (const std::exception& e) {
        findings.push_back({IsNeighborhoodPackage(file) ? FindingKind::UndecodableEntry
                                                        : FindingKind::UnreadableCharacter,
                            Severity::Problem, file.filename().string(),
                            std::string("The package cannot be read: ") + e.what() + ".", false,
                            sim});
        return;
    }
    SilentMessages silent;
    std::size_t undecodable = 0;
    std::string first;
    for (const PackageIndexEntry& e : package.Entries) {
        Bytes plain;
        bool decoded = false;
        try {
            decoded = DecompressEntry(package.View(), e, plain, silent);
        } catch (const ReadError& error) {
            if (first.empty()) first = error.what();
        }
        if (!decoded) {
            ++undecodable;
            continue;
        }
        visit(e, plain);
    }
    if (undecodable > 0) {
        findings.push_back(
            {FindingKind::UndecodableEntry, Severity::Problem, file.filename().string(),
             std::to_string(undecodable) + (undecodable == 1 ? " entry does" : " entries do") +
                 " not decompress" + (first.empty() ? "" : " (" + first + ")") +
                 "; the game may not read them either.",
             false, sim});
    }
}

PackageSurvey SurveyNeighborhoodPackage(const fs::path& file) {
    PackageSurvey survey;
    SurveyPackage(file, survey.Findings, nullptr,
                  [&](const PackageIndexEntry& e, const Bytes& plain) {
                      if (e.Type != types::SimDescription) return;
                      DescriptionEntry d;
                      d.Instance = e.Instance;
                      ByteReader in{ByteView(plain)};
                      if (in.Size() >= 6) {
                          in.Seek(4);
                          const std::uint16_t version = in.U16();
                          const auto offset = SimDescriptionGuidOffset(version);
                          if (offset && in.Size() >= SimDescriptionSize(version) &&
                              *offset + 4 <= in.Size()) {
                              in.Seek(*offset);
                              FourBytes guid;
                              for (std::uint8_t& b : guid) b = in.U8();
                              d.Guid = guid;
                          }
                      }
                      survey.Descriptions.push_back(d);
                  });
    return survey;
}

bool IsParentKind(std::uint32_t kind) {
    return kind == tiekinds::FirstParent || kind == tiekinds::SecondParent;
}

}  // namespace

std::string FindingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::MemberWithoutSim:
            return "Household member without a sim";
        case FindingKind::SimInTwoHouseholds:
            return "Sim listed by two households";
        case FindingKind::FamilyWithoutHousehold:
            return "Family number without a household";
        case FindingKind::NotListedByHousehold:
            return "Sim not listed by its household";
        case FindingKind::TieToNobody:
            return "Family tie to a sim without a description";
        case FindingKind::TiesDisagree:
            return "Family ties that disagree";
        case FindingKind::OwnRelative:
            return "Sim that is its own relative";
        case FindingKind::RelationshipToNobody:
            return "Relationship with a sim without a description";
        case FindingKind::OneSidedRelationship:
            return "One-sided relationship";
        case FindingKind::CharacterWithoutDescription:
            return "Character package without a description";
        case FindingKind::DescriptionWithoutCharacter:
            return "Description without a character package";
        case FindingKind::DuplicateGuid:
            return "Duplicate GUID";
        case FindingKind::UnreadableCharacter:
            return "Unreadable character package";
        case FindingKind::NameNotUtf8:
            return "Name that is not UTF-8";
        case FindingKind::UndecodableEntry:
            return "Entry that does not decode";
    }
    return "Finding";
}

std::string SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Problem:
            return "problem";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "note";
}

std::size_t HealthReport::Count(Severity level) const {
    return static_cast<std::size_t>(std::count_if(
        Findings.begin(), Findings.end(), [level](const Finding& f) { return f.Level == level; }));
}

HealthReport CheckNeighborhood(const LoadedNeighborhood& state, const HealthProgress& progress) {
    std::vector<Finding> found;
    const auto add = [&found](FindingKind kind, Severity level, std::string subject,
                              std::string explanation, bool mendable = false,
                              const Character* sim = nullptr) {
        found.push_back({kind, level, std::move(subject), std::move(explanation), mendable, sim});
    };

    // The files first: what loading passed over or could not read.
    const std::vector<fs::path> files = PackageFilesIn(state.CharactersFolder);
    const std::size_t total = files.size() + 1;
    if (progress) progress(0, total);
    PackageSurvey hood = SurveyNeighborhoodPackage(state.Selected.PackagePath);
    found.insert(found.end(), hood.Findings.begin(), hood.Findings.end());
    if (progress) progress(1, total);

    std::unordered_map<std::string, const Character*> loadedByFile;
    for (const auto& c : state.Characters) loadedByFile.emplace(c->FilePath.string(), c.get());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path& file = files[i];
        const auto loaded = loadedByFile.find(file.string());
        const Character* sim = loaded == loadedByFile.end() ? nullptr : loaded->second;
        std::vector<Finding> own;
        SurveyPackage(file, own, sim, [](const PackageIndexEntry&, const Bytes&) {});
        // A package loading passed over is unreadable, whatever else is wrong with it.
        const bool saidUnreadable = std::any_of(own.begin(), own.end(), [](const Finding& f) {
            return f.Kind == FindingKind::UnreadableCharacter;
        });
        if (!sim && !saidUnreadable)
            own.push_back({FindingKind::UnreadableCharacter, Severity::Problem,
                           file.filename().string(),
                           "The character package could not be loaded (its index or contents "
                           "are damaged), so the sim is not listed.",
                           false, nullptr});
        for (Finding& f : own) found.push_back(std::move(f));
        if (progress) progress(i + 2, total);
    }

    // Who exists: loaded sims by GUID, descriptions by GUID and by the number ties use.
    std::set<std::uint16_t> describedNumbers;
    std::map<FourBytes, std::size_t> descriptionGuids;
    for (const DescriptionEntry& d : hood.Descriptions) {
        describedNumbers.insert(static_cast<std::uint16_t>(d.Instance & 0xFFFF));
        if (d.Guid) ++descriptionGuids[*d.Guid];
    }
    std::map<FourBytes, std::vector<const Character*>> simsByGuid;
    for (const Character* sim : state.Sims) simsByGuid[sim->GUID].push_back(sim);

    // Sims and their descriptions.
    for (const Character* sim : state.Sims) {
        if (sim->DescriptionInstance == kNoDescription)
            add(FindingKind::CharacterWithoutDescription, Severity::Warning, SimSubject(*sim),
                "No sim description in the neighborhood has its GUID " + IdText(sim->GUID) +
                    ": most of its values cannot be shown or saved.",
                false, sim);
        for (const auto& [what, text] :
             {std::pair{"first name", &sim->FirstName}, std::pair{"last name", &sim->LastName}}) {
            if (!IsUtf8(*text))
                add(FindingKind::NameNotUtf8, Severity::Warning, SimSubject(*sim),
                    std::string("Its ") + what +
                        " is not valid UTF-8; it is shown with "
                        "replacement marks.",
                    false, sim);
        }
    }
    for (const auto& [guid, sims] : simsByGuid) {
        if (sims.size() < 2) continue;
        std::string names;
        for (const Character* s : sims)
            names += (names.empty() ? "" : ", ") + s->FilePath.filename().string();
        add(FindingKind::DuplicateGuid, Severity::Problem, "GUID " + IdText(guid),
            "Character packages " + names + " share one GUID; the game takes them for one sim.",
            false, sims.front());
    }
    for (const auto& [guid, count] : descriptionGuids) {
        if (count > 1)
            add(FindingKind::DuplicateGuid, Severity::Problem, "GUID " + IdText(guid),
                std::to_string(count) + " sim descriptions share one GUID.");
        if (!simsByGuid.contains(guid))
            add(FindingKind::DescriptionWithoutCharacter, Severity::Warning, "GUID " + IdText(guid),
                "A sim description has no character package (a sim deleted by hand or by a "
                "tool); ties and relationships may still name it.");
    }
    if (!IsUtf8(state.Selected.NGBDName))
        add(FindingKind::NameNotUtf8, Severity::Warning, state.Selected.FolderName,
            "The neighborhood's name is not valid UTF-8.");

    // Households and their members.
    std::map<FourBytes, std::vector<const Household*>> listedBy;
    for (const auto& h : state.Households) {
        if (!IsUtf8(h->HouseholdName))
            add(FindingKind::NameNotUtf8, Severity::Warning, HouseholdSubject(state, *h),
                "The household's name is not valid UTF-8.");
        std::set<FourBytes> once;
        for (const FourBytes& member : h->Members) {
            if (once.insert(member).second) listedBy[member].push_back(h.get());
            if (!simsByGuid.contains(member) && !descriptionGuids.contains(member))
                add(FindingKind::MemberWithoutSim, Severity::Problem, HouseholdSubject(state, *h),
                    "Member " + IdText(member) +
                        " has neither a character package nor a sim description.",
                    true);
        }
    }
    for (const auto& [guid, households] : listedBy) {
        if (households.size() < 2) continue;
        const auto sims = simsByGuid.find(guid);
        const Character* sim = sims == simsByGuid.end() ? nullptr : sims->second.front();
        std::string names;
        for (const Household* h : households)
            names += (names.empty() ? "" : ", ") + std::to_string(h->Instance);
        add(FindingKind::SimInTwoHouseholds, Severity::Problem,
            sim ? SimSubject(*sim) : "GUID " + IdText(guid),
            "Listed as a member by households " + names + ".", false, sim);
    }
    for (const Character* sim : state.Sims) {
        if (sim->FamilyNumber == 0) continue;
        const Household* home = state.FindHousehold(
            static_cast<std::uint32_t>(static_cast<std::uint16_t>(sim->FamilyNumber)));
        if (!home) {
            add(FindingKind::FamilyWithoutHousehold, Severity::Warning, SimSubject(*sim),
                "Its family number " + std::to_string(sim->FamilyNumber) +
                    " names no household of the neighborhood.",
                false, sim);
        } else if (std::find(home->Members.begin(), home->Members.end(), sim->GUID) ==
                   home->Members.end()) {
            add(FindingKind::NotListedByHousehold, Severity::Warning, SimSubject(*sim),
                "It belongs to household " + std::to_string(home->Instance) +
                    ", which does not list it as a member.",
                false, sim);
        }
    }

    // Family ties.
    std::unordered_map<std::uint16_t, const Character*> simByNumber;
    for (const Character* sim : state.Sims)
        if (auto n = SimNumber(*sim)) simByNumber.try_emplace(*n, sim);
    const auto simOf = [&](std::uint16_t number) -> const Character* {
        const auto it = simByNumber.find(number);
        return it == simByNumber.end() ? nullptr : it->second;
    };
    const auto tieSubject = [&](std::uint16_t number) {
        const Character* sim = simOf(number);
        return sim ? SimSubject(*sim) : "Sim " + std::to_string(number);
    };
    std::set<std::tuple<std::uint16_t, std::uint32_t, std::uint16_t>> ties;
    for (const FamilyTie& t : state.FamilyTies) ties.insert({t.Owner, t.Kind, t.Relative});
    const auto has = [&](std::uint16_t owner, std::uint32_t kind, std::uint16_t relative) {
        return ties.contains({owner, kind, relative});
    };
    for (const FamilyTie& t : state.FamilyTies) {
        const bool ownerKnown = describedNumbers.contains(t.Owner);
        const bool relativeKnown = describedNumbers.contains(t.Relative);
        if (!ownerKnown || !relativeKnown) {
            add(FindingKind::TieToNobody, Severity::Problem, tieSubject(t.Owner),
                "The tie \"" + TieText(t) + "\" names sim " +
                    std::to_string(ownerKnown ? t.Relative : t.Owner) +
                    ", which has no description.",
                true, simOf(t.Owner));
            continue;
        }
        if (t.Owner == t.Relative) {
            add(FindingKind::OwnRelative, Severity::Problem, tieSubject(t.Owner),
                "The tie \"" + TieText(t) + "\" makes the sim its own relative.", false,
                simOf(t.Owner));
            continue;
        }
        std::string missing;
        if (IsParentKind(t.Kind) && !has(t.Relative, tiekinds::Child, t.Owner))
            missing = "sim " + std::to_string(t.Relative) + " does not have " +
                      std::to_string(t.Owner) + " as a child";
        else if (t.Kind == tiekinds::Child && !has(t.Relative, tiekinds::FirstParent, t.Owner) &&
                 !has(t.Relative, tiekinds::SecondParent, t.Owner))
            missing = "sim " + std::to_string(t.Relative) + " does not have " +
                      std::to_string(t.Owner) + " as a parent";
        else if ((t.Kind == tiekinds::Spouse || t.Kind == tiekinds::Sibling) &&
                 !has(t.Relative, t.Kind, t.Owner))
            missing = "sim " + std::to_string(t.Relative) + " does not have the same tie back";
        if (!missing.empty())
            add(FindingKind::TiesDisagree, Severity::Warning, tieSubject(t.Owner),
                "The tie \"" + TieText(t) + "\" has no answer: " + missing + ".", false,
                simOf(t.Owner));
    }

    // Relationships.
    std::unordered_set<std::uint32_t> pairs;
    for (const RelationshipRecord& r : state.Relationships)
        pairs.insert(static_cast<std::uint32_t>(r.SimA) << 16 | r.SimB);
    for (const RelationshipRecord& r : state.Relationships) {
        const bool aKnown = describedNumbers.contains(r.SimA);
        const bool bKnown = describedNumbers.contains(r.SimB);
        if (!aKnown || !bKnown) {
            add(FindingKind::RelationshipToNobody, Severity::Problem, tieSubject(r.SimA),
                "The relationship of sim " + std::to_string(r.SimA) + " with sim " +
                    std::to_string(r.SimB) + " names sim " +
                    std::to_string(aKnown ? r.SimB : r.SimA) + ", which has no description.",
                true, simOf(r.SimA));
        } else if (!pairs.contains(static_cast<std::uint32_t>(r.SimB) << 16 | r.SimA)) {
            add(FindingKind::OneSidedRelationship, Severity::Note, tieSubject(r.SimA),
                "Sim " + std::to_string(r.SimA) + " has a relationship with sim " +
                    std::to_string(r.SimB) + ", who has none the other way.",
                false, simOf(r.SimA));
        }
    }

    HealthReport report;
    report.Findings = std::move(found);
    report.DescribedNumbers = std::move(describedNumbers);
    for (const auto& [guid, count] : descriptionGuids) report.KnownGuids.insert(guid);
    for (const auto& [guid, sims] : simsByGuid) report.KnownGuids.insert(guid);
    std::stable_sort(report.Findings.begin(), report.Findings.end(),
                     [](const Finding& a, const Finding& b) { return a.Kind < b.Kind; });
    return report;
}

}  // namespace kinloom
