#pragma once
// A player's home as the start-up benchmarks find it: ~/.wine, a 64-bit Wine prefix whose
// registry is the size of one with a few programs installed (about 2.4 MB of other programs'
// keys, with the game, four packs and its language among them), and a user-data folder whose
// N001 holds a given number of sims.

#include <filesystem>

namespace kinloom::bench {

// What the registry says, for the benchmarks to check that discovery read it.
inline constexpr const char* kGameLanguageName = "German";
inline constexpr int kGameLanguage = 4;

struct GameHome {
    explicit GameHome(int sims);
    ~GameHome();
    GameHome(const GameHome&) = delete;
    GameHome& operator=(const GameHome&) = delete;

    std::filesystem::path Root;      // removed afterwards
    std::filesystem::path Home;      // the fake home
    std::filesystem::path Prefix;    // Home/.wine
    std::filesystem::path UserData;  // the game's user-data folder in the prefix's documents
};

}  // namespace kinloom::bench
