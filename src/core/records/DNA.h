#pragma once
// One sim's genetics string set, as read from the neighborhood package.

#include <cstdint>
#include <string>

namespace kinloom {

struct DNA {
    std::uint32_t Instance = 0;   // instance of the genetics entry; the sim's description instance
    std::string SkinTone;         // key "6"
    std::string RecSkinTone;      // key "268435462"
    std::string FatherHairColor;  // key "1"
    std::string MotherHairColor;  // key "268435457"
    std::string FatherSkinTone;   // key "268435458"
    std::string MotherSkinTone;   // key "2"
    std::string DomEyeColor;      // key "3"
    std::string RecEyeColor;      // key "268435459"
    std::string Key5;             // key "5"
    std::string Key4;             // key "4"
    std::string Key7;             // key "7"
    std::string Key8;             // key "8"
    std::string Key268435460;
    std::string Key268435461;
    std::string Key268435463;
    std::string Key268435464;
    bool Modified = false;  // set by the genetics editors; cleared after load and after save

    bool operator==(const DNA&) const = default;
};

}  // namespace kinloom
