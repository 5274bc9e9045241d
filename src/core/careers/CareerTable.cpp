// The career tracks: level titles and each level's shift, daily pay and working days.
// Pure data; the lookups over it live in Careers.cpp.

#include "core/careers/Careers.h"

namespace kinloom {
namespace {

// Item 0 of every track but the lot-managed job: no level, nothing to show.
constexpr JobLevel kNoLevel{"Unemployed", "", 0, "-------"};

constexpr JobLevel kUnemployed[] = {kNoLevel};

// A job at a lot the household runs itself: every item, "none" included, shows office hours and
// no pay.
constexpr JobLevel kLotManagedJob[] = {
    {"Unemployed ?", "9:00AM - 5:00PM (0900-1700)", 0, "-XXXXX-"},
    {"Employee ?", "9:00AM - 5:00PM (0900-1700)", 0, "-XXXXX-"},
    {"Manager ?", "9:00AM - 5:00PM (0900-1700)", 0, "-XXXXX-"},
};

// Business, adult
constexpr JobLevel kBusinessAdult[] = {
    kNoLevel,
    {"Mailroom Technician", "9:00AM - 3:00PM (0900-1500)", 168, "-XXXX-X"},
    {"Executive Assistant", "9:00AM - 4:00PM (0900-1600)", 240, "-XXXXX-"},
    {"Field Sales Rep", "9:00AM - 4:00PM (0900-1600)", 320, "-XXXXX-"},
    {"Junior Executive", "9:00AM - 4:00PM (0900-1600)", 448, "-XXXXX-"},
    {"Executive", "9:00AM - 5:00PM (0900-1700)", 560, "-XXXXX-"},
    {"Senior Manager", "9:00AM - 5:00PM (0900-1700)", 672, "-XXXXX-"},
    {"Vice President", "9:00AM - 5:00PM (0900-1700)", 840, "-XXXXX-"},
    {"President", "9:00AM - 5:00PM (0900-1700)", 1050, "-XXXXX-"},
    {"CEO", "9:00AM - 4:00PM (0900-1600)", 1400, "-XXXX--"},
    {"Business Tycoon", "9:00AM - 4:00PM (0900-1600)", 2100, "-XXXX--"},
};

// Law Enforcement, adult
constexpr JobLevel kLawEnforcementAdult[] = {
    kNoLevel,
    {"Security Guard", "8:00PM - 2:00AM (2000-0200)", 150, "-XXXXX-"},
    {"Cadet", "9:00AM - 3:00PM (0900-1500)", 210, "-XXXXX-"},
    {"Patrol Officer", "3:00PM - 11:00PM (1500-2300)", 280, "-XXXXX-"},
    {"Desk Sergeant", "8:00AM - 2:00PM (0800-1400)", 350, "X-XXX-X"},
    {"Vice Squad", "10:00AM - 4:00PM (1000-1600)", 420, "-XXXXX-"},
    {"Detective", "9:00AM - 3:00PM (0900-1500)", 510, "-XXXXX-"},
    {"Lieutenant", "9:00AM - 4:00PM (0900-1600)", 630, "-XXXXX-"},
    {"SWAT Team", "9:00AM - 3:00PM (0900-1500)", 800, "-XXXX--"},
    {"Police Chief", "9:00AM - 3:00PM (0900-1500)", 1010, "-XXXX--"},
    {"Captain Hero", "10:00AM - 4:00PM (1000-1600)", 1400, "-XXXX--"},
};

// Criminal, adult
constexpr JobLevel kCriminalAdult[] = {
    kNoLevel,
    {"Pickpocket", "11:00PM - 5:00AM (2300-0500)", 140, "-XXXXX-"},
    {"Bagman", "10:00PM - 4:00AM (2200-0400)", 200, "-XXXXX-"},
    {"Bookie", "8:00PM - 2:00AM (2000-0200)", 275, "XX-XXX-"},
    {"Con Artist", "6:00PM - 12:00AM (1800-0000)", 350, "-XXXXX-"},
    {"Getaway Driver", "5:00PM - 1:00AM (1700-0100)", 470, "-XXXXX-"},
    {"Bank Robber", "4:00PM - 11:00PM (1600-2300)", 590, "-XXXXX-"},
    {"Cat Burglar", "9:00PM - 3:00AM (2100-0300)", 780, "-XXXX--"},
    {"Counterfeiter", "8:00PM - 2:00AM (2000-0200)", 960, "X-X-XX-"},
    {"Smuggler", "7:00PM - 1:00AM (1900-0100)", 1200, "--XX-X-"},
    {"Criminal Mastermind", "6:00PM - 12:00AM (1800-0000)", 1650, "---X-XX"},
};

// Medicine, adult
constexpr JobLevel kMedicineAdult[] = {
    kNoLevel,
    {"Emergency Medical Technician", "8:00PM - 2:00AM (2000-0200)", 120, "-XXXXX-"},
    {"Paramedic", "6:00PM - 12:00AM (1800-0000)", 180, "-XXXXX-"},
    {"Nurse", "7:00AM - 1:00PM (0700-1300)", 250, "XX-XXX-"},
    {"Intern", "11:00PM - 5:00AM (2300-0500)", 340, "-XXXXX-"},
    {"Resident", "7:00PM - 1:00AM (1900-0100)", 450, "-XXXXX-"},
    {"General", "6:00AM - 1:00PM (0600-1300)", 580, "-XXXXX-"},
    {"Specialist", "9:00AM - 4:00PM (0900-1600)", 740, "-XXXXX-"},
    {"Surgeon", "10:00AM - 4:00PM (1000-1600)", 940, "-XXXX--"},
    {"Medical Researcher", "10:00AM - 3:00PM (1000-1500)", 1200, "-XXXX--"},
    {"Chief Of Staff", "9:00AM - 3:00PM (0900-1500)", 1600, "-XXXX--"},
};

// Military, adult
constexpr JobLevel kMilitaryAdult[] = {
    kNoLevel,
    {"Recruit", "6:00AM - 12:00PM (0600-1200)", 125, "-XXXXX-"},
    {"Elite Forces", "6:00AM - 1:00PM (0600-1300)", 190, "-XXXXX-"},
    {"Drill Instructor", "7:00AM - 1:00PM (0700-1300)", 260, "-XXXXX-"},
    {"Junior Officer", "7:00AM - 2:00PM (0700-1400)", 340, "-XXXXX-"},
    {"Counter Intelligence", "8:00AM - 2:00PM (0800-1400)", 440, "-XXXXX-"},
    {"Flight Officer", "8:00AM - 3:00PM (0800-1500)", 560, "-XXXXX-"},
    {"Senior Officer", "8:00AM - 2:00PM (0800-1400)", 700, "-XXXX-X"},
    {"Commander", "9:00AM - 3:00PM (0900-1500)", 870, "-XXXX--"},
    {"Astronaut", "9:00AM - 3:00PM (0900-1500)", 1080, "-X-X-X-"},
    {"General", "9:00AM - 3:00PM (0900-1500)", 1350, "-XXXX--"},
};

// Politics, adult
constexpr JobLevel kPoliticsAdult[] = {
    kNoLevel,
    {"Campaign Worker", "9:00AM - 3:00PM (0900-1500)", 130, "-XXXXX-"},
    {"Intern", "9:00AM - 3:00PM (0900-1500)", 185, "-XXXXX-"},
    {"Lobbyist", "9:00AM - 4:00PM (0900-1600)", 260, "-XXXXX-"},
    {"Campaign Manager", "9:00AM - 5:00PM (0900-1700)", 345, "-XXXXX-"},
    {"City Council Member", "3:00PM - 9:00PM (1500-2100)", 460, "-XXXXX-"},
    {"State Assembly Person", "9:00AM - 3:00PM (0900-1500)", 600, "-XXXXX-"},
    {"Congress Person", "10:00AM - 4:00PM (1000-1600)", 780, "-XXXXX-"},
    {"Judge", "9:00AM - 3:00PM (0900-1500)", 1000, "-XXXX--"},
    {"Senator", "9:00AM - 3:00PM (0900-1500)", 1350, "-XXXX--"},
    {"Mayor", "10:00AM - 4:00PM (1000-1600)", 1800, "-XXXX--"},
};

// Athletics, adult
constexpr JobLevel kAthleticsAdult[] = {
    kNoLevel,
    {"Team Mascot", "12:00PM - 6:00PM (1200-1800)", 140, "X-XXX-X"},
    {"Minor Leaguer", "10:00AM - 4:00PM (1000-1600)", 195, "X-XXX-X"},
    {"Rookie", "10:00AM - 5:00PM (1000-1700)", 260, "XX-XX-X"},
    {"Starter", "9:00AM - 3:00PM (0900-1500)", 350, "X-XXX-X"},
    {"All Star", "9:00AM - 3:00PM (0900-1500)", 460, "X-XXX-X"},
    {"MVP", "11:00AM - 5:00PM (1100-1700)", 600, "X-X-X-X"},
    {"Superstar", "12:00PM - 6:00PM (1200-1800)", 780, "X-X-X-X"},
    {"Assistant Coach", "9:00AM - 3:00PM (0900-1500)", 950, "-XXXXX-"},
    {"Coach", "9:00AM - 4:00PM (0900-1600)", 1200, "-XXXXX-"},
    {"Hall of Famer", "10:00AM - 3:00PM (1000-1500)", 1550, "-XX-X--"},
};

// Science, adult
constexpr JobLevel kScienceAdult[] = {
    kNoLevel,
    {"Test Subject", "11:00AM - 5:00PM (1100-1700)", 130, "-XXXXX-"},
    {"Lab Assistant", "10:00AM - 4:00PM (1000-1600)", 185, "-XXXXX-"},
    {"Field Researcher", "9:00AM - 3:00PM (0900-1500)", 250, "-XXXXX-"},
    {"Science Teacher", "8:00AM - 2:00PM (0800-1400)", 330, "-XXXXX-"},
    {"Project Leader", "9:00AM - 4:00PM (0900-1600)", 440, "-XXXXX-"},
    {"Inventor", "10:00AM - 5:00PM (1000-1700)", 580, "-XXXXX-"},
    {"Scholar", "10:00AM - 4:00PM (1000-1600)", 760, "-XXXXX-"},
    {"Top Secret Researcher", "11:00AM - 6:00PM (1100-1800)", 980, "-XXXX--"},
    {"Theorist", "12:00PM - 6:00PM (1200-1800)", 1260, "-XXXX--"},
    {"Mad Scientist", "9:00PM - 3:00AM (2100-0300)", 1650, "-XXXX--"},
};

// Culinary, adult
constexpr JobLevel kCulinaryAdult[] = {
    kNoLevel,
    {"Dishwasher", "1:00PM - 7:00PM (1300-1900)", 115, "X-XXX-X"},
    {"Drive Through Clerk", "11:00AM - 5:00PM (1100-1700)", 165, "X-XXX-X"},
    {"Fastfood Shift Manager", "12:00PM - 6:00PM (1200-1800)", 225, "XX-XX-X"},
    {"Host/Hostess", "2:00PM - 8:00PM (1400-2000)", 300, "X-XXX-X"},
    {"Waiter/Waitress", "4:00PM - 10:00PM (1600-2200)", 390, "X-XXXX-"},
    {"Prep Cook", "3:00PM - 9:00PM (1500-2100)", 500, "X-XXX-X"},
    {"Sous Chef", "4:00PM - 11:00PM (1600-2300)", 640, "X-XXX-X"},
    {"Executive Chef", "5:00PM - 11:00PM (1700-2300)", 810, "XX-XX-X"},
    {"Restauranteur", "3:00PM - 9:00PM (1500-2100)", 1030, "X--XX-X"},
    {"Celebrity Chef", "3:00PM - 8:00PM (1500-2000)", 1300, "X--X--X"},
};

// Slacker, adult
constexpr JobLevel kSlackerAdult[] = {
    kNoLevel,
    {"Golf Caddy", "5:00AM - 10:00AM (0500-1000)", 105, "X-XXX-X"},
    {"Gas Station Attendant", "3:00PM - 9:00PM (1500-2100)", 150, "X-XXX-X"},
    {"Convenience Store Clerk", "10:00PM - 4:00AM (2200-0400)", 205, "XX-XX-X"},
    {"Record Store Clerk", "2:00PM - 8:00PM (1400-2000)", 270, "X-XXX-X"},
    {"Party D.J.", "8:00PM - 2:00AM (2000-0200)", 350, "X---XXX"},
    {"Projectionist", "7:00PM - 1:00AM (1900-0100)", 450, "X---XXX"},
    {"Home Video Editor", "10:00AM - 4:00PM (1000-1600)", 570, "-XXXXX-"},
    {"Freelance Photographer", "11:00AM - 5:00PM (1100-1700)", 720, "-XX-XX-"},
    {"Freelance Web Designer", "12:00PM - 6:00PM (1200-1800)", 900, "-X-X-X-"},
    {"Professional Party Guest", "9:00PM - 3:00AM (2100-0300)", 1150, "----XXX"},
};

// Artist, adult
constexpr JobLevel kArtist[] = {
    kNoLevel,
    {"Canvas Stretcher", "10:00AM - 3:00PM (1000-1500)", 235, "-XXXXX-"},
    {"Street Caricaturist", "11:00AM - 5:00PM (1100-1700)", 335, "-XXXXX-"},
    {"Souvenir Whittler", "9:00AM - 3:00PM (0900-1500)", 470, "-XXXXX-"},
    {"Comic Book Penciller", "1:00PM - 7:00PM (1300-1900)", 650, "-XXXX-X"},
    {"Wedding Photographer", "11:00AM - 5:00PM (1100-1700)", 900, "X-X-X-X"},
    {"Art Forger", "8:00PM - 2:00AM (2000-0200)", 1250, "-X-X-X-"},
    {"Fashion Photographer", "10:00AM - 4:00PM (1000-1600)", 1750, "-XX-X--"},
    {"Acclaimed Muralist", "9:00AM - 4:00PM (0900-1600)", 2500, "-X-X-X-"},
    {"Conceptual Artist", "12:00PM - 6:00PM (1200-1800)", 3600, "--X-X--"},
    {"Visionary", "2:00PM - 8:00PM (1400-2000)", 5400, "----X--"},
};

// Natural Scientist, adult
constexpr JobLevel kNaturalScientist[] = {
    kNoLevel,
    {"Rat Keeper", "8:00AM - 2:00PM (0800-1400)", 270, "-XXXXX-"},
    {"Algae Hunter", "9:00PM - 3:00AM (2100-0300)", 390, "-XXXXX-"},
    {"Clam Wrangler", "7:00AM - 1:00PM (0700-1300)", 560, "-XXXXX-"},
    {"Scatmaster", "10:00AM - 4:00PM (1000-1600)", 800, "-XXXX--"},
    {"Soil Identifier", "9:00AM - 3:00PM (0900-1500)", 1150, "-XXXX--"},
    {"Rogue Botanist", "8:00PM - 2:00AM (2000-0200)", 1650, "-X-X-X-"},
    {"Animal Linguist", "11:00AM - 5:00PM (1100-1700)", 2400, "-X-X-X-"},
    {"Unnatural Crossbreeder", "10:00PM - 4:00AM (2200-0400)", 3500, "--X-X--"},
    {"Dinosaur Cloner", "1:00PM - 9:00PM (1300-2100)", 5300, "--X-X--"},
    {"Ecological Guru", "12:00AM - 9:00AM (0000-0900)", 10497, "---X---"},
};

// Paranormal, adult
constexpr JobLevel kParanormal[] = {
    kNoLevel,
    {"Psychic Phone Pal", "7:00PM - 1:00AM (1900-0100)", 220, "-XXXXX-"},
    {"Conspiracy Theorist", "6:00PM - 12:00AM (1800-0000)", 310, "-XXXXX-"},
    {"Tarot Card Reader", "8:00PM - 2:00AM (2000-0200)", 440, "X-XXX-X"},
    {"Hypnotist", "2:00PM - 8:00PM (1400-2000)", 620, "-XXXXX-"},
    {"Medium", "9:00PM - 3:00AM (2100-0300)", 880, "-X-XXX-"},
    {"Douser", "5:00PM - 11:00PM (1700-2300)", 1250, "-X-X-X-"},
    {"Police Psychic", "9:00AM - 3:00PM (0900-1500)", 1800, "-XX-X--"},
    {"UFO Investigator", "10:00PM - 4:00AM (2200-0400)", 2600, "X---X--"},
    {"Exorcist", "11:00PM - 5:00AM (2300-0500)", 3800, "----X-X"},
    {"Cult Leader", "12:00AM - 6:00AM (0000-0600)", 5800, "------X"},
};

// Show Business, adult
constexpr JobLevel kShowBusiness[] = {
    kNoLevel,
    {"Screen Test Stand-In", "10:00AM - 4:00PM (1000-1600)", 250, "-XXXXX-"},
    {"Body Double", "9:00AM - 3:00PM (0900-1500)", 360, "-XXXXX-"},
    {"Bit Player", "11:00AM - 5:00PM (1100-1700)", 510, "-XXXXX-"},
    {"Commerical Actor(ess)", "12:00PM - 6:00PM (1200-1800)", 720, "-XXXX--"},
    {"Cartoon Voice", "1:00PM - 7:00PM (1300-1900)", 1020, "-XX-XX-"},
    {"Supporting Player", "10:00AM - 4:00PM (1000-1600)", 1450, "-X-X-X-"},
    {"Broadway Star", "6:00PM - 11:00PM (1800-2300)", 2100, "--X-X-X"},
    {"Leading Man/Lady", "10:00AM - 3:00PM (1000-1500)", 3000, "--X-X--"},
    {"Blockbuster Director", "9:00AM - 3:00PM (0900-1500)", 4400, "--X----"},
    {"Icon", "7:00PM - 11:00PM (1900-2300)", 6600, "-----X-"},
};

// Adventurer, adult
constexpr JobLevel kAdventurerAdult[] = {
    kNoLevel,
    {"Ambassador's Intern", "9:00AM - 3:00PM (0900-1500)", 180, "-XXXXX-"},
    {"Spelunker", "8:00AM - 2:00PM (0800-1400)", 260, "-XXXXX-"},
    {"Multiregional Sim of Some Question", "10:00AM - 4:00PM (1000-1600)", 350, "-XXXXX-"},
    {"Deep Sea Excavator", "7:00AM - 1:00PM (0700-1300)", 470, "-XXXXX-"},
    {"Relic Liberator", "9:00AM - 4:00PM (0900-1600)", 620, "-XXXX--"},
    {"Dread Pirate", "11:00AM - 5:00PM (1100-1700)", 800, "-XXXX--"},
    {"Warhead Disarmer", "9:00AM - 3:00PM (0900-1500)", 1050, "-XX-XX-"},
    {"Hostage Negotiator", "10:00AM - 4:00PM (1000-1600)", 1350, "-X-X-X-"},
    {"International Sim of Mystery", "12:00PM - 6:00PM (1200-1800)", 1750, "-X-X-X-"},
    {"Space Pirate", "8:00PM - 2:00AM (2000-0200)", 2400, "--X-X--"},
};

// Education, adult
constexpr JobLevel kEducationAdult[] = {
    kNoLevel,
    {"Playground Monitor", "8:00AM - 2:00PM (0800-1400)", 135, "-XXXXX-"},
    {"Teacher's Aide", "8:00AM - 2:00PM (0800-1400)", 190, "-XXXXX-"},
    {"Substitute Teacher", "7:00AM - 1:00PM (0700-1300)", 255, "-XXXXX-"},
    {"Elementary School Teacher", "8:00AM - 3:00PM (0800-1500)", 330, "-XXXXX-"},
    {"High School Teacher", "7:00AM - 2:00PM (0700-1400)", 420, "-XXXXX-"},
    {"University Guest Lecturer", "10:00AM - 3:00PM (1000-1500)", 540, "-XXXX--"},
    {"High School Principal", "7:00AM - 2:00PM (0700-1400)", 700, "-XXXXX-"},
    {"College Senior Professor", "9:00AM - 3:00PM (0900-1500)", 890, "-XXXX--"},
    {"College Dean of Students", "9:00AM - 3:00PM (0900-1500)", 1120, "-XXXX--"},
    {"Education Minister", "10:00AM - 4:00PM (1000-1600)", 1450, "-XXX---"},
};

// Gamer, adult
constexpr JobLevel kGamerAdult[] = {
    kNoLevel,
    {"Noob", "3:00PM - 9:00PM (1500-2100)", 120, "X-XXX-X"},
    {"Button Masher", "4:00PM - 10:00PM (1600-2200)", 175, "X-XXX-X"},
    {"Trash Talker", "6:00PM - 12:00AM (1800-0000)", 240, "X-XXX-X"},
    {"Gold Farmer", "8:00PM - 2:00AM (2000-0200)", 320, "XX-XX-X"},
    {"Flag Capturer", "9:00PM - 3:00AM (2100-0300)", 420, "X-XXX-X"},
    {"Platform Jumper", "2:00PM - 8:00PM (1400-2000)", 540, "X-X-X-X"},
    {"Power Leveler", "10:00PM - 4:00AM (2200-0400)", 700, "X---XXX"},
    {"Real Time Strategizor", "1:00PM - 7:00PM (1300-1900)", 900, "-XX-XX-"},
    {"Guild Leader", "12:00PM - 6:00PM (1200-1800)", 1160, "-XXXX--"},
    {"Game Designer", "10:00AM - 4:00PM (1000-1600)", 1500, "-XXXX--"},
};

// Journalism, adult
constexpr JobLevel kJournalismAdult[] = {
    kNoLevel,
    {"Yearbook Club Supervisor", "9:00AM - 3:00PM (0900-1500)", 140, "-XXXXX-"},
    {"Blog Writer", "11:00AM - 5:00PM (1100-1700)", 200, "X-XXX-X"},
    {"Internet Movie Critic", "7:00PM - 1:00AM (1900-0100)", 270, "X-XXX-X"},
    {"Fact Checker", "9:00AM - 3:00PM (0900-1500)", 360, "-XXXXX-"},
    {"Obituary Writer", "10:00PM - 4:00AM (2200-0400)", 460, "-XXXXX-"},
    {"Horoscope Writer", "12:00PM - 5:00PM (1200-1700)", 590, "-XXXX-X"},
    {"Sports Columnist", "5:00PM - 11:00PM (1700-2300)", 760, "X-X-X-X"},
    {"Investigatory Journalist", "10:00AM - 5:00PM (1000-1700)", 980, "-XXXXX-"},
    {"Magazine Editor", "9:00AM - 4:00PM (0900-1600)", 1260, "-XXXX--"},
    {"Media Magnate", "10:00AM - 4:00PM (1000-1600)", 1700, "-XXX---"},
};

// Law, adult
constexpr JobLevel kLawAdult[] = {
    kNoLevel,
    {"File Clerk", "9:00AM - 3:00PM (0900-1500)", 160, "-XXXXX-"},
    {"Law Firm Receptionist", "9:00AM - 3:00PM (0900-1500)", 225, "-XXXXX-"},
    {"Legal Secretary", "9:00AM - 4:00PM (0900-1600)", 300, "-XXXXX-"},
    {"Legal Biller", "8:00AM - 3:00PM (0800-1500)", 400, "-XXXXX-"},
    {"Paralegal", "9:00AM - 5:00PM (0900-1700)", 520, "-XXXXX-"},
    {"Personal Injury Attorney", "9:00AM - 4:00PM (0900-1600)", 690, "-XXXXX-"},
    {"Family Law Attorney", "10:00AM - 5:00PM (1000-1700)", 900, "-XXXXX-"},
    {"International Corporate Lawyer", "9:00AM - 5:00PM (0900-1700)", 1180, "-XXXX--"},
    {"Entertainment Attorney", "11:00AM - 5:00PM (1100-1700)", 1550, "-XXXX--"},
    {"The Law", "10:00AM - 3:00PM (1000-1500)", 2050, "-XXX---"},
};

// Music, adult
constexpr JobLevel kMusicAdult[] = {
    kNoLevel,
    {"Record Store Clerk", "11:00AM - 5:00PM (1100-1700)", 130, "X-XXX-X"},
    {"Piano Tuner", "10:00AM - 4:00PM (1000-1600)", 185, "-XXXXX-"},
    {"Coffee Shop Sound Engineer", "6:00PM - 12:00AM (1800-0000)", 250, "X-XXX-X"},
    {"Summer Camp Music Teacher", "9:00AM - 3:00PM (0900-1500)", 330, "-XXXXX-"},
    {"Battle of the Bands Judge", "7:00PM - 1:00AM (1900-0100)", 440, "X---XXX"},
    {"Roadie", "4:00PM - 10:00PM (1600-2200)", 580, "X--XXX-"},
    {"Studio Musician", "1:00PM - 7:00PM (1300-1900)", 760, "-XX-XX-"},
    {"Concert Pianist", "7:00PM - 11:00PM (1900-2300)", 990, "-X-X-X-"},
    {"Symphony Conductor", "7:00PM - 11:00PM (1900-2300)", 1300, "--X-X-X"},
    {"Rock God", "9:00PM - 3:00AM (2100-0300)", 1800, "----X-X"},
};

// Oceanography, adult
constexpr JobLevel kOceanographyAdult[] = {
    kNoLevel,
    {"Fish Chummer", "6:00AM - 12:00PM (0600-1200)", 160, "-XXXXX-"},
    {"Dolphin Tank Cleaner", "7:00AM - 1:00PM (0700-1300)", 225, "-XXXXX-"},
    {"Sea Lice Research Assistant", "8:00AM - 2:00PM (0800-1400)", 305, "-XXXXX-"},
    {"Dive Master", "9:00AM - 3:00PM (0900-1500)", 400, "X-XXX-X"},
    {"Underwater Demolitionist", "8:00AM - 2:00PM (0800-1400)", 520, "-XXXXX-"},
    {"Marine Biologist", "9:00AM - 3:00PM (0900-1500)", 680, "-XXXXX-"},
    {"Whale Tracker", "5:00AM - 11:00AM (0500-1100)", 880, "-XXXX-X"},
    {"Deep Sea Fisherman", "4:00AM - 10:00AM (0400-1000)", 1130, "X-X-X-X"},
    {"Protector of Whales", "10:00AM - 4:00PM (1000-1600)", 1450, "-XX-XX-"},
    {"Hand of Posiedon", "9:00AM - 2:00PM (0900-1400)", 1900, "--X-X--"},
};

// Intelligence, adult
constexpr JobLevel kIntelligenceAdult[] = {
    kNoLevel,
    {"Gumshoe", "8:00PM - 2:00AM (2000-0200)", 170, "X-XXX-X"},
    {"Private Eye", "9:00AM - 3:00PM (0900-1500)", 240, "-XXXXX-"},
    {"Crime Scene Investigator", "10:00PM - 4:00AM (2200-0400)", 320, "-XXXXX-"},
    {"Surveillance Operator", "6:00PM - 12:00AM (1800-0000)", 420, "-XXXXX-"},
    {"Reconnaissance Communicator", "10:00AM - 4:00PM (1000-1600)", 550, "-XXXXX-"},
    {"Rookie Field Agent", "8:00AM - 2:00PM (0800-1400)", 720, "-XXXXX-"},
    {"Field Agent", "7:00AM - 2:00PM (0700-1400)", 930, "-XXXX-X"},
    {"Double Agent", "11:00PM - 5:00AM (2300-0500)", 1200, "-X-XX-X"},
    {"Elite Operative", "9:00PM - 3:00AM (2100-0300)", 1560, "-X-X-X-"},
    {"Head of SCIA", "9:00AM - 3:00PM (0900-1500)", 2000, "-XXX---"},
};

// Entertainment, adult
constexpr JobLevel kEntertainmentAdult[] = {
    kNoLevel,
    {"Stand Up Comedian", "8:00PM - 2:00AM (2000-0200)", 135, "X-XXX-X"},
    {"Birthday Party Mascot", "11:00AM - 4:00PM (1100-1600)", 190, "X---XXX"},
    {"Mime", "12:00PM - 6:00PM (1200-1800)", 260, "X-XXX-X"},
    {"Lounge Singer", "7:00PM - 1:00AM (1900-0100)", 345, "X-XXX-X"},
    {"Ventriloquist", "6:00PM - 12:00AM (1800-0000)", 450, "X-XXX-X"},
    {"Round Table Knight", "5:00PM - 11:00PM (1700-2300)", 590, "X--XXX-"},
    {"Juggler", "12:00PM - 6:00PM (1200-1800)", 770, "X-X-X-X"},
    {"Master of Ceremonies", "7:00PM - 12:00AM (1900-0000)", 1000, "X--X-X-"},
    {"Headliner", "8:00PM - 1:00AM (2000-0100)", 1300, "---X-XX"},
    {"Prestidigitator", "8:00PM - 12:00AM (2000-0000)", 1750, "-----XX"},
};

// Dance, adult
constexpr JobLevel kDanceAdult[] = {
    kNoLevel,
    {"Aerobics Intructor", "8:00AM - 2:00PM (0800-1400)", 150, "-XXXXX-"},
    {"Backup Dancer", "7:00PM - 1:00AM (1900-0100)", 210, "X-XXX-X"},
    {"SimJazzer Instructor", "9:00AM - 3:00PM (0900-1500)", 285, "-XXXXX-"},
    {"Pop 'n Lock Performer", "5:00PM - 11:00PM (1700-2300)", 380, "X-XXX-X"},
    {"Dance Video Star", "12:00PM - 6:00PM (1200-1800)", 500, "-XXXX-X"},
    {"Interpretive Dancer", "2:00PM - 8:00PM (1400-2000)", 650, "-XX-XX-"},
    {"Tap Dancer", "3:00PM - 9:00PM (1500-2100)", 840, "X-X-X-X"},
    {"Ballroom Dancer", "7:00PM - 1:00AM (1900-0100)", 1090, "-X-X-XX"},
    {"Flamenco Dancer", "6:00PM - 11:00PM (1800-2300)", 1420, "--X-X-X"},
    {"World Class Ballet Dancer", "7:00PM - 10:00PM (1900-2200)", 1850, "-----XX"},
};

// Architecture, adult
constexpr JobLevel kArchitectureAdult[] = {
    kNoLevel,
    {"Cement Mixer", "7:00AM - 1:00PM (0700-1300)", 165, "-XXXXX-"},
    {"Brick Layer", "7:00AM - 2:00PM (0700-1400)", 235, "-XXXXX-"},
    {"Foreman", "6:00AM - 1:00PM (0600-1300)", 315, "-XXXXX-"},
    {"Head of Construction", "8:00AM - 3:00PM (0800-1500)", 415, "-XXXXX-"},
    {"Architect's Apprentice", "9:00AM - 3:00PM (0900-1500)", 540, "-XXXXX-"},
    {"Draftsman", "9:00AM - 4:00PM (0900-1600)", 700, "-XXXXX-"},
    {"Architect", "9:00AM - 4:00PM (0900-1600)", 910, "-XXXX--"},
    {"Architectural Partner", "10:00AM - 4:00PM (1000-1600)", 1180, "-XXXX--"},
    {"Master Architect", "10:00AM - 3:00PM (1000-1500)", 1530, "-XXX---"},
    {"City Planner", "11:00AM - 4:00PM (1100-1600)", 2000, "--X-X--"},
};

// Business, teen and elder
constexpr JobLevel kBusinessTeen[] = {
    kNoLevel,
    {"Gofer", "3:00PM - 6:00PM (1500-1800)", 52, "-XXXX-X"},
    {"Mailroom Technician", "3:00PM - 7:00PM (1500-1900)", 68, "-XXXX-X"},
    {"Executive Assistant", "3:00PM - 7:00PM (1500-1900)", 86, "-XXXXX-"},
};

// Law Enforcement, teen and elder
constexpr JobLevel kLawEnforcementTeen[] = {
    kNoLevel,
    {"School Crossing Guard", "3:00PM - 6:00PM (1500-1800)", 47, "-XXXXX-"},
    {"Parking Lot Attendant", "4:00PM - 8:00PM (1600-2000)", 62, "-XXXXX-"},
    {"Security Guard", "6:00PM - 10:00PM (1800-2200)", 80, "X-XXX--"},
};

// Criminal, teen and elder
constexpr JobLevel kCriminalTeen[] = {
    kNoLevel,
    {"Street Hawker", "4:00PM - 7:00PM (1600-1900)", 45, "-XXXXX-"},
    {"Numbers Runner", "6:00PM - 9:00PM (1800-2100)", 60, "-XXXXX-"},
    {"Pickpocket", "7:00PM - 10:00PM (1900-2200)", 78, "-XXXX-X"},
};

// Medicine, teen and elder
constexpr JobLevel kMedicineTeen[] = {
    kNoLevel,
    {"Nursing Home Attendant", "3:00PM - 6:00PM (1500-1800)", 50, "-XXXXX-"},
    {"Orderly", "4:00PM - 7:00PM (1600-1900)", 66, "-XXXX-X"},
    {"Emergency Medical Technician", "5:00PM - 9:00PM (1700-2100)", 84, "-XXXXX-"},
};

// Military, teen and elder
constexpr JobLevel kMilitaryTeen[] = {
    kNoLevel,
    {"Paintball Attendant", "3:00PM - 6:00PM (1500-1800)", 48, "-XXXXX-"},
    {"Recruit Training Corps", "3:00PM - 7:00PM (1500-1900)", 63, "-XXXX-X"},
    {"Recruit", "3:00PM - 7:00PM (1500-1900)", 82, "-XXXXX-"},
};

// Politics, teen and elder
constexpr JobLevel kPoliticsTeen[] = {
    kNoLevel,
    {"Door To Door Poller", "4:00PM - 7:00PM (1600-1900)", 46, "-XXXXX-"},
    {"Campaign Worker", "3:00PM - 6:00PM (1500-1800)", 61, "-XXXXX-"},
    {"Intern", "3:00PM - 7:00PM (1500-1900)", 79, "-XXXX-X"},
};

// Athletics, teen and elder
constexpr JobLevel kAthleticsTeen[] = {
    kNoLevel,
    {"Waterperson", "3:00PM - 6:00PM (1500-1800)", 45, "X-XXX-X"},
    {"Locker Room Attendant", "4:00PM - 7:00PM (1600-1900)", 60, "X-XXX-X"},
    {"Team Mascot", "3:00PM - 7:00PM (1500-1900)", 77, "X-XXX-X"},
};

// Science, teen and elder
constexpr JobLevel kScienceTeen[] = {
    kNoLevel,
    {"Lab Glass Scrubber", "3:00PM - 6:00PM (1500-1800)", 49, "-XXXXX-"},
    {"Test Subject", "3:00PM - 7:00PM (1500-1900)", 64, "-XXXXX-"},
    {"Lab Assistant", "4:00PM - 8:00PM (1600-2000)", 83, "-XXXX-X"},
};

// Culinary, teen and elder
constexpr JobLevel kCulinaryTeen[] = {
    kNoLevel,
    {"Dishwasher", "5:00PM - 8:00PM (1700-2000)", 44, "X-XXX-X"},
    {"Drive Through Clerk", "5:00PM - 9:00PM (1700-2100)", 58, "X-XXX-X"},
    {"Fastfood Shift Manager", "4:00PM - 8:00PM (1600-2000)", 75, "XX-XX-X"},
};

// Slacker, teen and elder
constexpr JobLevel kSlackerTeen[] = {
    kNoLevel,
    {"Golf Caddy", "4:00PM - 7:00PM (1600-1900)", 42, "X-XXX-X"},
    {"Gas Station Attendant", "5:00PM - 8:00PM (1700-2000)", 56, "X-XXX-X"},
    {"Convenience Store Clerk", "6:00PM - 9:00PM (1800-2100)", 73, "XX-XX-X"},
};

// Adventurer, teen and elder
constexpr JobLevel kAdventurerTeen[] = {
    kNoLevel,
    {"Ambassador's Intern", "3:00PM - 6:00PM (1500-1800)", 55, "-XXXXX-"},
    {"Spelunker", "3:00PM - 7:00PM (1500-1900)", 72, "-XXXX-X"},
    {"Multiregional Sim of Some Question", "4:00PM - 8:00PM (1600-2000)", 92, "-XXXXX-"},
};

// Education, teen and elder
constexpr JobLevel kEducationTeen[] = {
    kNoLevel,
    {"Playground Monitor", "3:00PM - 6:00PM (1500-1800)", 46, "-XXXXX-"},
    {"Teacher's Aide", "3:00PM - 6:00PM (1500-1800)", 60, "-XXXXX-"},
    {"Substitute Teacher", "3:00PM - 7:00PM (1500-1900)", 78, "-XXXXX-"},
};

// Gamer, teen and elder
constexpr JobLevel kGamerTeen[] = {
    kNoLevel,
    {"Noob", "4:00PM - 7:00PM (1600-1900)", 44, "X-XXX-X"},
    {"Button Masher", "6:00PM - 9:00PM (1800-2100)", 58, "X-XXX-X"},
    {"Trash Talker", "7:00PM - 10:00PM (1900-2200)", 76, "XX-XX-X"},
};

// Journalism, teen and elder
constexpr JobLevel kJournalismTeen[] = {
    kNoLevel,
    {"Yearbook Club Supervisor", "3:00PM - 6:00PM (1500-1800)", 48, "-XXXXX-"},
    {"Blog Writer", "4:00PM - 7:00PM (1600-1900)", 63, "X-XXX-X"},
    {"Internet Movie Critic", "6:00PM - 9:00PM (1800-2100)", 81, "X-XXX-X"},
};

// Law, teen and elder
constexpr JobLevel kLawTeen[] = {
    kNoLevel,
    {"File Clerk", "3:00PM - 6:00PM (1500-1800)", 53, "-XXXXX-"},
    {"Law Firm Receptionist", "3:00PM - 7:00PM (1500-1900)", 69, "-XXXXX-"},
    {"Legal Secretary", "3:00PM - 7:00PM (1500-1900)", 88, "-XXXX-X"},
};

// Music, teen and elder
constexpr JobLevel kMusicTeen[] = {
    kNoLevel,
    {"Record Store Clerk", "4:00PM - 7:00PM (1600-1900)", 45, "X-XXX-X"},
    {"Piano Tuner", "3:00PM - 6:00PM (1500-1800)", 59, "-XXXXX-"},
    {"Coffee Shop Sound Engineer", "6:00PM - 9:00PM (1800-2100)", 77, "X-XXX-X"},
};

// Oceanography, teen and elder
constexpr JobLevel kOceanographyTeen[] = {
    kNoLevel,
    {"Fish Chummer", "3:00PM - 6:00PM (1500-1800)", 51, "-XXXXX-"},
    {"Dolphin Tank Cleaner", "3:00PM - 7:00PM (1500-1900)", 67, "-XXXX-X"},
    {"Sea Lice Research Assistant", "4:00PM - 8:00PM (1600-2000)", 86, "-XXXXX-"},
};

// Intelligence, teen and elder
constexpr JobLevel kIntelligenceTeen[] = {
    kNoLevel,
    {"Gumshoe", "4:00PM - 7:00PM (1600-1900)", 50, "-XXXXX-"},
    {"Private Eye", "6:00PM - 9:00PM (1800-2100)", 65, "X-XXX-X"},
    {"Crime Scene Investigator", "5:00PM - 9:00PM (1700-2100)", 85, "-XXXX-X"},
};

// Entertainment, teen and elder
constexpr JobLevel kEntertainmentTeen[] = {
    kNoLevel,
    {"Stand Up Comedian", "5:00PM - 8:00PM (1700-2000)", 46, "X-XXX-X"},
    {"Birthday Party Mascot", "6:00PM - 9:00PM (1800-2100)", 61, "X-XXX-X"},
    {"Mime", "7:00PM - 10:00PM (1900-2200)", 80, "X--XXX-"},
};

// Dance, teen and elder
constexpr JobLevel kDanceTeen[] = {
    kNoLevel,
    {"Aerobics Intructor", "3:00PM - 6:00PM (1500-1800)", 48, "-XXXXX-"},
    {"Backup Dancer", "5:00PM - 8:00PM (1700-2000)", 63, "X-XXX-X"},
    {"SimJazzer Instructor", "6:00PM - 9:00PM (1800-2100)", 82, "X-XXX-X"},
};

// Architecture, teen and elder
constexpr JobLevel kArchitectureTeen[] = {
    kNoLevel,
    {"Cement Mixer", "3:00PM - 6:00PM (1500-1800)", 54, "-XXXXX-"},
    {"Brick Layer", "3:00PM - 7:00PM (1500-1900)", 70, "-XXXXX-"},
    {"Foreman", "3:00PM - 7:00PM (1500-1900)", 90, "-XXXX-X"},
};

// Security, pet
constexpr JobLevel kSecurityPet[] = {
    kNoLevel,
    {"Snooper Deterrent", "7:00PM - 2:00AM (1900-0200)", 113, "X-XXX-X"},
    {"Guard Pet", "5:00PM - 12:00AM (1700-0000)", 200, "XX-XX-X"},
    {"Contraband Sniffer", "12:00PM - 6:00PM (1200-1800)", 353, "X---XXX"},
    {"Pet Corps", "8:00AM - 1:00PM (0800-1300)", 670, "-XX-X--"},
};

// Service, pet
constexpr JobLevel kServicePet[] = {
    kNoLevel,
    {"Vermin Chaser", "6:00PM - 1:00AM (1800-0100)", 107, "-X-XXXX"},
    {"Therapy Pet", "8:00AM - 3:00PM (0800-1500)", 190, "-XXXXX-"},
    {"Seeing Eye Pet", "8:00AM - 2:00PM (0800-1400)", 335, "XXXX---"},
    {"Rescue Pet", "9:00AM - 3:00PM (0900-1500)", 636, "-X-X-X-"},
};

// ShowBiz, pet
constexpr JobLevel kShowBizPet[] = {
    kNoLevel,
    {"Extra", "9:00AM - 4:00PM (0900-1600)", 125, "-XXXXX-"},
    {"Understudy", "10:00AM - 4:00PM (1000-1600)", 220, "-XXXXX-"},
    {"Stunt Double", "8:00AM - 1:00PM (0800-1300)", 388, "-XX-XX-"},
    {"Star", "12:00PM - 4:00PM (1200-1600)", 737, "-X-X-X-"},
};

constexpr CareerTrack kCareerTable[] = {
    {"00000000", "Unemployed", CareerAudience::Both, Pack::None, kUnemployed},
    {"0A408FD0", "Lot Managed Job", CareerAudience::Both, Pack::Business, kLotManagedJob},
    {"55651945", "Business", CareerAudience::Adult, Pack::None, kBusinessAdult},
    {"E3BC9EAC", "Law Enforcement", CareerAudience::Adult, Pack::None, kLawEnforcementAdult},
    {"0EBD9E6C", "Criminal", CareerAudience::Adult, Pack::None, kCriminalAdult},
    {"FD61770C", "Medicine", CareerAudience::Adult, Pack::None, kMedicineAdult},
    {"32BD9E6C", "Military", CareerAudience::Adult, Pack::None, kMilitaryAdult},
    {"145B942C", "Politics", CareerAudience::Adult, Pack::None, kPoliticsAdult},
    {"5FE9892C", "Athletics", CareerAudience::Adult, Pack::None, kAthleticsAdult},
    {"47BD9E0C", "Science", CareerAudience::Adult, Pack::None, kScienceAdult},
    {"5FBD9EEC", "Culinary", CareerAudience::Adult, Pack::None, kCulinaryAdult},
    {"0B6277EC", "Slacker", CareerAudience::Adult, Pack::None, kSlackerAdult},
    {"BCFF6F4E", "Artist", CareerAudience::Adult, Pack::University, kArtist},
    {"1C0070EE", "Natural Scientist", CareerAudience::Adult, Pack::University, kNaturalScientist},
    {"87FF6F2E", "Paranormal", CareerAudience::Adult, Pack::University, kParanormal},
    {"B0FF6FAE", "Show Business", CareerAudience::Adult, Pack::University, kShowBusiness},
    {"A5CB4032", "Adventurer", CareerAudience::Adult, Pack::Seasons, kAdventurerAdult},
    {"308B4272", "Education", CareerAudience::Adult, Pack::Seasons, kEducationAdult},
    {"06C340F2", "Gamer", CareerAudience::Adult, Pack::Seasons, kGamerAdult},
    {"44D94072", "Journalism", CareerAudience::Adult, Pack::Seasons, kJournalismAdult},
    {"198B4212", "Law", CareerAudience::Adult, Pack::Seasons, kLawAdult},
    {"0C8B42B2", "Music", CareerAudience::Adult, Pack::Seasons, kMusicAdult},
    {"0494E073", "Oceanography", CareerAudience::Adult, Pack::FreeTime, kOceanographyAdult},
    {"0E94E033", "Intelligence", CareerAudience::Adult, Pack::FreeTime, kIntelligenceAdult},
    {"1794E0B3", "Entertainment", CareerAudience::Adult, Pack::FreeTime, kEntertainmentAdult},
    {"2294E0D3", "Dance", CareerAudience::Adult, Pack::FreeTime, kDanceAdult},
    {"01C3E1F3", "Architecture", CareerAudience::Adult, Pack::FreeTime, kArchitectureAdult},
    {"77051E4C", "Business", CareerAudience::TeenElder, Pack::None, kBusinessTeen},
    {"397BA06C", "Law Enforcement", CareerAudience::TeenElder, Pack::None, kLawEnforcementTeen},
    {"CD7AA0AC", "Criminal", CareerAudience::TeenElder, Pack::None, kCriminalTeen},
    {"18E989AC", "Medicine", CareerAudience::TeenElder, Pack::None, kMedicineTeen},
    {"667BA0CC", "Military", CareerAudience::TeenElder, Pack::None, kMilitaryTeen},
    {"8D7BA0CC", "Politics", CareerAudience::TeenElder, Pack::None, kPoliticsTeen},
    {"47E989AC", "Athletics", CareerAudience::TeenElder, Pack::None, kAthleticsTeen},
    {"B07BA0EC", "Science", CareerAudience::TeenElder, Pack::None, kScienceTeen},
    {"0C7BA04C", "Culinary", CareerAudience::TeenElder, Pack::None, kCulinaryTeen},
    {"DC7BA06C", "Slacker", CareerAudience::TeenElder, Pack::None, kSlackerTeen},
    {"35D240F2", "Adventurer", CareerAudience::TeenElder, Pack::Seasons, kAdventurerTeen},
    {"ECBB43D2", "Education", CareerAudience::TeenElder, Pack::Seasons, kEducationTeen},
    {"62C94012", "Gamer", CareerAudience::TeenElder, Pack::Seasons, kGamerTeen},
    {"12E24052", "Journalism", CareerAudience::TeenElder, Pack::Seasons, kJournalismTeen},
    {"DEBB4312", "Law", CareerAudience::TeenElder, Pack::Seasons, kLawTeen},
    {"D2BB43B2", "Music", CareerAudience::TeenElder, Pack::Seasons, kMusicTeen},
    {"4394E013", "Oceanography", CareerAudience::TeenElder, Pack::FreeTime, kOceanographyTeen},
    {"C094E093", "Intelligence", CareerAudience::TeenElder, Pack::FreeTime, kIntelligenceTeen},
    {"9494E053", "Entertainment", CareerAudience::TeenElder, Pack::FreeTime, kEntertainmentTeen},
    {"A594E0D3", "Dance", CareerAudience::TeenElder, Pack::FreeTime, kDanceTeen},
    {"0FC3E153", "Architecture", CareerAudience::TeenElder, Pack::FreeTime, kArchitectureTeen},
    {"00A488D1", "Security", CareerAudience::Pet, Pack::None, kSecurityPet},
    {"C1A488B1", "Service", CareerAudience::Pet, Pack::None, kServicePet},
    {"2DCC75D1", "ShowBiz", CareerAudience::Pet, Pack::None, kShowBizPet},
};

}  // namespace

std::span<const CareerTrack> CareerTable() {
    return kCareerTable;
}

}  // namespace kinloom
