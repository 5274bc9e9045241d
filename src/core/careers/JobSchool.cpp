#include "core/careers/JobSchool.h"

#include <algorithm>
#include <cstdlib>

#include "core/records/NumberFit.h"

namespace kinloom {
namespace {

bool InRange(int position, std::size_t size) {
    return position >= 0 && static_cast<std::size_t>(position) < size;
}

std::vector<CareerListItem> UnemployedOnly() {
    return {{std::string(FindCareer(kNoCareerId)->Label), kNoCareerId}};
}

// The list an adult or elder gets. With Pets installed an animal gets the pet list, and a species
// the program does not know gets nothing but "Unemployed"; without Pets every sim is a human.
std::vector<CareerListItem> GrownUpList(const Character& sim, const InstalledPacks& packs,
                                        CareerList human) {
    if (packs.HasPets && sim.Species != 0) {
        if (sim.Species <= 3) return BuildCareerList(CareerList::Pet, packs);
        return UnemployedOnly();
    }
    return BuildCareerList(human, packs);
}

int IndexOfId(const std::vector<CareerListItem>& items, std::string_view idText) {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const CareerListItem& item) { return item.Id == idText; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The first entry, or the one holding the stored career; its levels always come from the stored
// identifier, so a level of a track the list does not offer still shows under its own title.
void SelectCareer(const std::vector<CareerListItem>& items, std::string_view storedId,
                  std::int16_t storedLevel, int& selected, std::vector<std::string_view>& titles,
                  int& level) {
    selected = items.empty() ? -1 : std::max(0, IndexOfId(items, storedId));
    titles = LevelTitles(storedId);
    level = InRange(storedLevel, titles.size()) ? storedLevel : -1;
}

LevelChoice ChooseTrack(FourBytes& career, std::int16_t& level, std::string_view idText) {
    const std::optional<StoredId> id = IdBytes(idText);
    if (!id) return {};
    career = *id;
    LevelChoice choice{LevelTitles(idText), 0};
    if (InRange(level, choice.Titles.size())) choice.Selected = level;
    level = static_cast<std::int16_t>(choice.Selected);
    return choice;
}

// Digits of a decimal text with the trailing zeros of its fraction dropped.
std::string Decimal(long whole, long fraction, int fractionDigits, bool negative) {
    std::string text = (negative ? "-" : "") + std::to_string(whole);
    if (fraction == 0) return text;
    std::string digits = std::to_string(fraction);
    digits.insert(0, static_cast<std::size_t>(fractionDigits) - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    return text + "." + digits;
}

}  // namespace

bool ApplyDefaultSchool(Character& sim) {
    if (FindSchool(IdText(sim.School)) || sim.Ages < kChildStage || sim.Ages > kTeenStage)
        return false;
    sim.School = *IdBytes(kPublicSchoolId);
    sim.Grade = kDefaultGrade;
    return true;
}

JobSchoolView ViewJobSchool(const Character& sim, const InstalledPacks& packs) {
    JobSchoolView view;
    JobSchoolRows& rows = view.Rows;
    rows.Pension = sim.Ages > kTeenStage;
    rows.VacationDays = sim.Ages > kChildStage;

    switch (sim.Ages) {
        case kBabyStage:
        case kToddlerStage:
            view.Careers = UnemployedOnly();
            view.RetiredCareers = UnemployedOnly();
            break;
        case kChildStage:
        case kTeenStage: {
            const bool teen = sim.Ages == kTeenStage;
            rows.School = true;
            rows.Performance = true;
            rows.Career = teen;
            rows.NPCType = teen;
            rows.WorkDays = teen;
            view.Schools = SchoolTable();
            view.Careers = teen ? BuildCareerList(CareerList::TeenElder, packs) : UnemployedOnly();
            view.RetiredCareers = UnemployedOnly();
            break;
        }
        case kAdultStage:
        case kElderStage: {
            const bool elder = sim.Ages == kElderStage;
            rows.Career = true;
            rows.NPCType = true;
            rows.Performance = true;
            rows.WorkDays = true;
            rows.RetiredCareer = elder;
            view.Careers =
                GrownUpList(sim, packs, elder ? CareerList::TeenElder : CareerList::Adult);
            view.RetiredCareers = GrownUpList(
                sim, packs, elder ? CareerList::ElderRetired : CareerList::AdultRetired);
            break;
        }
        default:
            break;  // a life stage the game does not have: no entries, no rows
    }

    const std::string retired = IdText(sim.RetCareer);
    SelectCareer(view.RetiredCareers, retired, sim.RetJobs, view.RetiredCareer, view.RetiredJobs,
                 view.RetiredJob);

    const std::string career = IdText(sim.Career);
    SelectCareer(view.Careers, career, sim.Jobs, view.Career, view.Jobs, view.Job);
    if (!FindCareer(career)) view.UnknownCareer = UnknownCareerMessage(career, sim.Jobs);
    if (view.Career >= 0)
        view.Work = WorkInfoFor(view.Careers[static_cast<std::size_t>(view.Career)].Id, view.Job);

    const std::string school = IdText(sim.School);
    for (std::size_t i = 0; i < view.Schools.size(); ++i)
        if (view.Schools[i].Id == school) view.SchoolPosition = static_cast<int>(i);
    view.GradesListed = FindSchool(school) != nullptr;
    if (view.GradesListed && InRange(sim.Grade - 1, GradeScale().size()))
        view.Grade = sim.Grade - 1;

    view.NpcTypes = NpcTypeList(packs);
    const auto npc = std::find_if(view.NpcTypes.begin(), view.NpcTypes.end(),
                                  [&](const NpcType& t) { return t.Code == sim.NPCType; });
    view.UnknownNpc = npc == view.NpcTypes.end();
    // "NA" leads every list.
    view.Npc = view.UnknownNpc ? 0 : static_cast<int>(npc - view.NpcTypes.begin());
    view.NpcCaption = view.UnknownNpc ? UnknownNpcCaption(sim.NPCType) : std::string(kNpcCaption);

    view.PensionText = PensionText(sim.Pension);
    view.VacationDaysText = VacationDaysText(sim.PTO);

    UniversityView& u = view.University;
    if (!packs.HasUniversity) return view;
    u.Shown = sim.Ages > kChildStage && (sim.Species == 0 || !packs.HasPets);
    if (u.Shown) {
        u.Sliders = sim.YoungAdult == 1;
        for (const Major& m : MajorTable()) u.Majors.push_back(m.Label);
    }
    const std::string major = IdText(sim.UniversityMajor);
    if (!u.Majors.empty()) {
        u.Major = 0;
        const auto table = MajorTable();
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].Id == major) u.Major = static_cast<int>(i);
    }
    // The classes of the stored major, not of the selected one: an unknown major lists none.
    u.Classes = ClassTitles(major);
    u.Class =
        u.Major < 0 ? (u.Classes.empty() ? -1 : 0) : ClassPosition(u.Classes, sim.UniversityClass);
    const ClassShown shown = ShowClass(
        u.Major < 0 ? std::string_view() : MajorTable()[static_cast<std::size_t>(u.Major)].Id,
        u.Class);
    u.Year = shown.Year;
    u.Hours = shown.Hours;
    return view;
}

LevelChoice ChooseCareer(Character& sim, std::string_view idText) {
    return ChooseTrack(sim.Career, sim.Jobs, idText);
}

LevelChoice ChooseRetiredCareer(Character& sim, std::string_view idText) {
    return ChooseTrack(sim.RetCareer, sim.RetJobs, idText);
}

void ChooseSchool(Character& sim, int position) {
    const auto schools = SchoolTable();
    if (!InRange(position, schools.size())) return;
    sim.School = *IdBytes(schools[static_cast<std::size_t>(position)].Id);
}

void ChooseGrade(Character& sim, int position) {
    if (InRange(position, GradeScale().size())) sim.Grade = static_cast<std::int16_t>(position + 1);
}

NumberFit PensionFit(std::u16string_view cleaned) {
    if (cleaned.empty()) return {0, {}};
    return FitNumber(cleaned, {0, kLargestStoredNumber});
}

std::optional<std::int16_t> PensionValue(std::u16string_view cleaned) {
    const NumberFit fit = PensionFit(cleaned);
    if (!fit.Value) return std::nullopt;
    return static_cast<std::int16_t>(*fit.Value);
}

std::string PensionText(std::int16_t pension) {
    return std::to_string(pension);
}

std::u16string CleanVacationDaysText(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if ((c < u'0' || c > u'9') && c != u'.') c = u'0';
    return out;
}

std::optional<std::int16_t> VacationDaysValue(std::u16string_view cleaned) {
    const std::size_t point = cleaned.find(u'.');
    if (point != std::u16string_view::npos && cleaned.find(u'.', point + 1) != cleaned.npos)
        return std::nullopt;
    const std::u16string_view whole = cleaned.substr(0, point);
    const std::u16string_view fraction =
        point == std::u16string_view::npos ? std::u16string_view() : cleaned.substr(point + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;  // empty, or a lone point
    auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    if (!std::all_of(whole.begin(), whole.end(), digit) ||
        !std::all_of(fraction.begin(), fraction.end(), digit))
        return std::nullopt;

    // Read exactly, in hundredths: a binary fraction would turn 0.07 into 7.000000000000001.
    if (std::any_of(fraction.begin() + std::min<std::ptrdiff_t>(2, std::ssize(fraction)),
                    fraction.end(), [](char16_t c) { return c != u'0'; }))
        return std::int16_t{0};  // finer than a hundredth of a day
    std::int64_t hundredths = 0;
    for (char16_t c : whole) {
        hundredths = hundredths * 10 + (c - u'0');
        if (hundredths > kLargestStoredNumber) return std::nullopt;
    }
    hundredths *= 100;
    for (std::size_t i = 0; i < 2; ++i)
        hundredths += (i < fraction.size() ? fraction[i] - u'0' : 0) * (i == 0 ? 10 : 1);
    if (hundredths > kLargestStoredNumber) return std::nullopt;
    return static_cast<std::int16_t>(hundredths);
}

std::string VacationDaysText(std::int16_t pto) {
    const long value = std::labs(pto);
    return Decimal(value / 100, value % 100, 2, pto < 0);
}

std::string PerformanceCaption(int value) {
    return "Performance: (" + std::to_string(value) + ")";
}

std::string UnknownCareerMessage(std::string_view idText, std::int16_t jobs) {
    return "Unknown Job/Career: " + std::string(idText) + " Lvl=" + std::to_string(jobs);
}

std::string UnknownNpcCaption(std::int16_t code) {
    return "Unkown NPC:( " + std::to_string(code) + " )";
}

int ClassPosition(std::span<const std::string_view> classes, std::int16_t universityClass) {
    if (classes.empty()) return -1;
    return InRange(universityClass - 1, classes.size()) ? universityClass - 1 : 0;
}

ClassChoice ChooseMajor(Character& sim, int position) {
    const auto majors = MajorTable();
    if (!InRange(position, majors.size())) return {};
    const Major& major = majors[static_cast<std::size_t>(position)];
    sim.UniversityMajor = *IdBytes(major.Id);
    ClassChoice choice{major.Classes, ClassPosition(major.Classes, sim.UniversityClass)};
    ChooseClass(sim, choice.Selected);
    return choice;
}

void ChooseClass(Character& sim, int position) {
    if (position >= 0) sim.UniversityClass = static_cast<std::int16_t>(position + 1);
}

ClassShown ShowClass(std::string_view majorIdText, int position) {
    if (majorIdText == kUndeclaredMajorId || !FindMajor(majorIdText)) return {};
    return {YearOfSemester(position), ClassHours(majorIdText, position)};
}

std::string GpaText(int gpa) {
    // Over 250 is times 4 over 1000: at most three decimals, all exact.
    const long value = std::labs(gpa) * 4L;
    return Decimal(value / 1000, value % 1000, 3, gpa < 0);
}

std::string ClassPerformanceCaption(int value) {
    return "Class Performance: (" + std::to_string(value) + ")";
}

std::string GpaCaption(int value) {
    return "GPA: (" + GpaText(value) + ")";
}

std::string RemainingHoursCaption(int value) {
    return "Remaining Hours: (" + std::to_string(value) + ")";
}

}  // namespace kinloom
