#include "core/careers/Education.h"

#include <algorithm>
#include <array>

namespace kinloom {
namespace {

// Kept one class per line, in semester order, so each list reads as the page shows it.
// clang-format off
constexpr School kSchools[] = {
    {"Public School", "B58867D0"},
    {"Private School", "114C8FCC"},
};

constexpr std::string_view kGrades[] = {"F",  "D-", "D", "D+", "C-", "C", "C+",
                                        "B-", "B",  "B+", "A-", "A", "A+"};

constexpr std::string_view kNotEnrolled[] = {"Not Enrolled"};

constexpr std::string_view kPsychologyClasses[] = {
    "Introduction To Psychology: We are too a science!",
    "Developmental Psychology: Why Toddlers Bite",
    "Social Psychology: Peer Pressure for Beginners",
    "Abnormal Psychology: Defining Normal",
    "Cognitive Psychology: Thinking About Thinking",
    "Behavioral Psychology: Rewards, Bells and Drool",
    "Motive Theory: Hunger, Comfort and the Rest",
    "Advanced Autonomy: Finding the Best Action",
};
constexpr std::string_view kPsychologyHours[] = {
    "4:00PM - 6:00PM (1600-1800)",
    "9:00AM - 11:00AM (0900-1100)",
    "12:00PM - 2:00PM (1200-1400)",
    "7:00PM - 10:00PM (1900-2200)",
    "2:00PM - 4:00PM (1400-1600)",
    "4:00PM - 7:00PM (1600-1900)",
    "11:00AM - 1:00PM (1100-1300)",
    "6:00PM - 8:00PM (1800-2000)",
};

constexpr std::string_view kPoliticsClasses[] = {
    "Introduction To Politics: Shaking Hands and Kissing Babies",
    "Political Theory: Who Gets What",
    "Campaign Finance: Follow the Simoleons",
    "Comparative Government: Theirs Versus Ours",
    "Public Policy: Making Rules Stick",
    "Political Speechwriting: Saying Nothing Beautifully",
    "International Relations: Diplomacy Over Dinner",
    "Senior Seminar: Running for Office",
};
constexpr std::string_view kPoliticsHours[] = {
    "8:00AM - 10:00AM (0800-1000)",
    "6:00PM - 8:00PM (1800-2000)",
    "9:00AM - 11:00AM (0900-1100)",
    "7:00PM - 10:00PM (1900-2200)",
    "5:00PM - 8:00PM (1700-2000)",
    "12:00PM - 2:00PM (1200-1400)",
    "5:00PM - 7:00PM (1700-1900)",
    "10:00AM - 12:00PM (1000-1200)",
};

constexpr std::string_view kPhysicsClasses[] = {
    "Newtonian Physics 1: Measuring Falling Stuff",
    "Newtonian Physics 2: Stuff That Bounces",
    "Thermodynamics: Why Coffee Gets Cold",
    "Electricity and Magnetism: Mind the Outlets",
    "Optics: Mirrors, Lenses and Telescopes",
    "Quantum Mechanics: Probably Maybe",
    "Relativity: It Depends Where You Stand",
    "Senior Thesis: Building a Better Rocket",
};
constexpr std::string_view kPhysicsHours[] = {
    "9:00AM - 11:00AM (0900-1100)",
    "1:00PM - 3:00PM (1300-1500)",
    "5:00PM - 8:00PM (1700-2000)",
    "7:00PM - 10:00PM (1900-2200)",
    "8:00AM - 10:00AM (0800-1000)",
    "7:00PM - 9:00PM (1900-2100)",
    "11:00AM - 1:00PM (1100-1300)",
    "10:00AM - 12:00PM (1000-1200)",
};

constexpr std::string_view kPhilosophyClasses[] = {
    "Introduction To Philosophy: Asking Why",
    "Logic: If This, Then Pizza",
    "Ethics: Right, Wrong and Rent",
    "Ancient Philosophy: Togas and Truths",
    "Existentialism: Why Get Up at All",
    "Metaphysics: Is the Fridge Still There When Closed",
    "Aesthetics: The Beauty of Garden Gnomes",
    "Senior Seminar: The Meaning of Sim Life",
};
constexpr std::string_view kPhilosophyHours[] = {
    "10:00AM - 12:00PM (1000-1200)",
    "6:00PM - 8:00PM (1800-2000)",
    "12:00PM - 2:00PM (1200-1400)",
    "4:00PM - 6:00PM (1600-1800)",
    "9:00AM - 12:00PM (0900-1200)",
    "11:00AM - 2:00PM (1100-1400)",
    "4:00PM - 6:00PM (1600-1800)",
    "10:00AM - 12:00PM (1000-1200)",
};

constexpr std::string_view kMathematicsClasses[] = {
    "Calculus 1: Limits of Patience",
    "Calculus 2: Integrating With Others",
    "Linear Algebra: Matrices Everywhere",
    "Probability: Odds of Passing",
    "Number Theory: Primes in the Wild",
    "Abstract Algebra: Groups Without Members",
    "Topology: Donuts and Coffee Mugs",
    "Senior Thesis: Proving the Obvious",
};
constexpr std::string_view kMathematicsHours[] = {
    "1:00PM - 3:00PM (1300-1500)",
    "3:00PM - 6:00PM (1500-1800)",
    "11:00AM - 1:00PM (1100-1300)",
    "6:00PM - 8:00PM (1800-2000)",
    "3:00PM - 6:00PM (1500-1800)",
    "7:00PM - 9:00PM (1900-2100)",
    "11:00AM - 1:00PM (1100-1300)",
    "1:00PM - 3:00PM (1300-1500)",
};

constexpr std::string_view kLiteratureClasses[] = {
    "Introduction To Literature: Reading Between the Lines",
    "Poetry: Rhymes With Orange",
    "The Novel: Very Long Stories",
    "World Literature: Books in Translation",
    "Drama as Literature: Plays on Paper",
    "Literary Criticism: Finding Fault Professionally",
    "Creative Writing: Your First Bestseller",
    "Senior Seminar: The Great Simlish Novel",
};
constexpr std::string_view kLiteratureHours[] = {
    "1:00PM - 3:00PM (1300-1500)",
    "12:00PM - 3:00PM (1200-1500)",
    "2:00PM - 4:00PM (1400-1600)",
    "11:00AM - 1:00PM (1100-1300)",
    "2:00PM - 4:00PM (1400-1600)",
    "9:00AM - 11:00AM (0900-1100)",
    "2:00PM - 5:00PM (1400-1700)",
    "3:00PM - 5:00PM (1500-1700)",
};

constexpr std::string_view kHistoryClasses[] = {
    "World History 1: Cavesims to Castles",
    "World History 2: Empires and Inventions",
    "Ancient Civilizations: Pyramids and Plumbing",
    "Medieval History: Knights Who Say Please",
    "Modern History: Factories and Revolutions",
    "Historiography: Who Wrote This Down",
    "Local History: From Village to Metropolis",
    "Senior Thesis: Digging Up the Past",
};
constexpr std::string_view kHistoryHours[] = {
    "8:00PM - 10:00PM (2000-2200)",
    "3:00PM - 5:00PM (1500-1700)",
    "4:00PM - 6:00PM (1600-1800)",
    "12:00PM - 2:00PM (1200-1400)",
    "1:00PM - 3:00PM (1300-1500)",
    "3:00PM - 6:00PM (1500-1800)",
    "5:00PM - 7:00PM (1700-1900)",
    "1:00PM - 3:00PM (1300-1500)",
};

constexpr std::string_view kEconomicsClasses[] = {
    "Microeconomics: Supply, Demand and Snacks",
    "Macroeconomics: The Big Picture",
    "Money and Banking: Where the Simoleons Go",
    "Econometrics: Graphs That Go Up",
    "Labor Economics: Why Work at All",
    "International Trade: Buying Low Overseas",
    "Game Theory: Winning at Everything",
    "Senior Seminar: Running the Economy",
};
constexpr std::string_view kEconomicsHours[] = {
    "5:00PM - 7:00PM (1700-1900)",
    "6:00PM - 8:00PM (1800-2000)",
    "4:00PM - 6:00PM (1600-1800)",
    "12:00PM - 3:00PM (1200-1500)",
    "2:00PM - 4:00PM (1400-1600)",
    "8:00PM - 10:00PM (2000-2200)",
    "12:00PM - 2:00PM (1200-1400)",
    "2:00PM - 4:00PM (1400-1600)",
};

constexpr std::string_view kDramaClasses[] = {
    "Introduction To Drama: All the World's a Stage",
    "Voice and Speech: Projecting to the Back Row",
    "Stage Movement: Walking With Purpose",
    "Improvisation: Making It Up",
    "Stagecraft: Building Sets",
    "Classical Theater: Tragedy Tonight",
    "Directing: Telling Actors What to Do",
    "Senior Showcase: Opening Night",
};
constexpr std::string_view kDramaHours[] = {
    "10:00AM - 12:00PM (1000-1200)",
    "7:00PM - 9:00PM (1900-2100)",
    "11:00AM - 1:00PM (1100-1300)",
    "2:00PM - 4:00PM (1400-1600)",
    "6:00PM - 9:00PM (1800-2100)",
    "5:00PM - 7:00PM (1700-1900)",
    "11:00AM - 2:00PM (1100-1400)",
    "3:00PM - 5:00PM (1500-1700)",
};

constexpr std::string_view kBiologyClasses[] = {
    "Introduction To Biology: Living Things",
    "Cell Biology: Tiny Rooms",
    "Genetics: Why You Have Your Father's Nose",
    "Botany: Talking to Plants",
    "Zoology: Animals Up Close",
    "Ecology: Everything Is Connected",
    "Microbiology: Germs Among Us",
    "Senior Thesis: Cloning Cowplants",
};
constexpr std::string_view kBiologyHours[] = {
    "5:00PM - 7:00PM (1700-1900)",
    "4:00PM - 7:00PM (1600-1900)",
    "9:00AM - 11:00AM (0900-1100)",
    "10:00AM - 12:00PM (1000-1200)",
    "3:00PM - 6:00PM (1500-1800)",
    "6:00PM - 8:00PM (1800-2000)",
    "8:00PM - 10:00PM (2000-2200)",
    "3:00PM - 5:00PM (1500-1700)",
};

constexpr std::string_view kArtClasses[] = {
    "Introduction To Art: Drawing Stick Figures",
    "Color Theory: Mixing Muddy Browns",
    "Figure Drawing: Hold Still, Please",
    "Sculpture: Chipping Away",
    "Art History: Old Paintings",
    "Photography: Say Cheese",
    "Modern Art: Is It Finished",
    "Senior Portfolio: Your Masterpiece",
};
constexpr std::string_view kArtHours[] = {
    "2:00PM - 4:00PM (1400-1600)",
    "5:00PM - 7:00PM (1700-1900)",
    "10:00AM - 1:00PM (1000-1300)",
    "7:00PM - 9:00PM (1900-2100)",
    "4:00PM - 6:00PM (1600-1800)",
    "9:00AM - 11:00AM (0900-1100)",
    "7:00PM - 10:00PM (1900-2200)",
    "8:00AM - 10:00AM (0800-1000)",
};

constexpr Major kMajors[] = {
    {"Undeclared", "1DBF978E", kNotEnrolled, {}},
    {"Psychology", "7CF09CCE", kPsychologyClasses, kPsychologyHours},
    {"Politics", "6DF09C4E", kPoliticsClasses, kPoliticsHours},
    {"Physics", "63F09CAE", kPhysicsClasses, kPhysicsHours},
    {"Philosophy", "57F09C2E", kPhilosophyClasses, kPhilosophyHours},
    {"Mathematics", "8DF09CEE", kMathematicsClasses, kMathematicsHours},
    {"Literature", "85F09CCE", kLiteratureClasses, kLiteratureHours},
    {"History", "74F09C2E", kHistoryClasses, kHistoryHours},
    {"Economics", "44F09CEE", kEconomicsClasses, kEconomicsHours},
    {"Drama", "4DF09C4E", kDramaClasses, kDramaHours},
    {"Biology", "2BF09C4E", kBiologyClasses, kBiologyHours},
    {"Art", "07F09C2E", kArtClasses, kArtHours},
};

constexpr std::string_view kYears[] = {"Freshman", "Sophomore", "Junior", "Senior"};
// clang-format on

}  // namespace

std::span<const School> SchoolTable() {
    return kSchools;
}

const School* FindSchool(std::string_view idText) {
    auto it = std::find_if(std::begin(kSchools), std::end(kSchools),
                           [&](const School& s) { return s.Id == idText; });
    return it == std::end(kSchools) ? nullptr : &*it;
}

std::span<const std::string_view> GradeScale() {
    return kGrades;
}

std::string_view GradeText(int grade) {
    if (grade < 1 || grade > static_cast<int>(std::size(kGrades))) return {};
    return kGrades[grade - 1];
}

std::span<const Major> MajorTable() {
    return kMajors;
}

const Major* FindMajor(std::string_view idText) {
    auto it = std::find_if(std::begin(kMajors), std::end(kMajors),
                           [&](const Major& m) { return m.Id == idText; });
    return it == std::end(kMajors) ? nullptr : &*it;
}

std::span<const std::string_view> ClassTitles(std::string_view majorId) {
    const Major* major = FindMajor(majorId);
    return major ? major->Classes : std::span<const std::string_view>{};
}

std::string_view ClassHours(std::string_view majorId, int position) {
    const Major* major = FindMajor(majorId);
    if (!major || position < 0 || static_cast<std::size_t>(position) >= major->Hours.size()) {
        return {};
    }
    return major->Hours[static_cast<std::size_t>(position)];
}

std::string_view YearOfSemester(int position) {
    if (position < 0 || position >= 8) return {};
    return kYears[position / 2];
}

}  // namespace kinloom
