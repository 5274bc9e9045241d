#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <string>
#include <vector>

#include "core/editing/Attraction.h"

namespace kinloom {
namespace {

// A sim whose description keeps every attraction field.
Character Sim() {
    Character sim;
    sim.FormatVersion = 51;
    return sim;
}

void Set(FourBytes& bytes, TwoBytes& ext, int number) {
    const AttractionTrait* t = AttractionTraitOf(number);
    ASSERT_NE(t, nullptr) << number;
    SetTrait(bytes, ext, *t);
}

int BitCount(const FourBytes& bytes, const TwoBytes& ext) {
    int n = 0;
    for (std::uint8_t b : bytes) n += std::popcount(b);
    for (std::uint8_t b : ext) n += std::popcount(b);
    return n;
}

TEST(AttractionTest, EveryListPositionChoosesItsOwnBit) {
    const auto& entries = AttractionListEntries();
    EXPECT_STREQ(entries[0], "NA");
    std::set<std::pair<int, int>> bits;
    for (int number = 1; number <= kTraitCount; ++number) {
        SCOPED_TRACE(number);
        const AttractionTrait* t = AttractionTraitOf(number);
        ASSERT_NE(t, nullptr);
        EXPECT_STREQ(entries[static_cast<std::size_t>(number)], t->Entry);
        EXPECT_TRUE(bits.insert({t->Byte, t->Bit}).second) << "bit shared";

        // Chosen as a turn-on, it reads back at the same position and sets one bit.
        Character sim = Sim();
        WriteTurnChoices(sim, number, kNoTrait, kNoTrait);
        EXPECT_EQ(BitCount(sim.TurnOns, sim.TurnOnsExt), 1);
        EXPECT_EQ(BitCount(sim.TurnOffs, sim.TurnOffsExt), 0);
        EXPECT_EQ(ReadAttraction(sim).TurnOn1, number);
        WriteTurnChoices(sim, kNoTrait, kNoTrait, number);
        EXPECT_EQ(BitCount(sim.TurnOns, sim.TurnOnsExt), 0);
        EXPECT_EQ(ReadAttraction(sim).TurnOff, number);
    }
    EXPECT_EQ(AttractionTraitOf(0), nullptr);
    EXPECT_EQ(AttractionTraitOf(34), nullptr);
}

TEST(AttractionTest, ChoicesLandInTheGameBytes) {
    struct Case {
        int number;
        bool turnOff;
        FourBytes bytes;
        TwoBytes ext;
    };
    const Case cases[] = {
        {33, false, {0, 0x20, 0, 0}, {0, 0}},  // Jewelery: second byte, bit 5
        {33, true, {0, 0x20, 0, 0}, {0, 0}},
        {30, false, {0, 0, 0, 0}, {0x01, 0}},  // Robots: first extension byte
        {32, true, {0, 0, 0, 0}, {0x04, 0}},   // Lycanthropy
        {14, false, {0, 0, 0x01, 0}, {0, 0}},  // Blonde Hair starts the third byte
        {29, false, {0, 0, 0, 0x80}, {0, 0}},  // Zombiism
        {6, true, {0x20, 0, 0, 0}, {0, 0}},    // Swimwear
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + (c.turnOff ? " off" : " on"));
        Character sim = Sim();
        if (c.turnOff)
            WriteTurnChoices(sim, kNoTrait, kNoTrait, c.number);
        else
            WriteTurnChoices(sim, c.number, kNoTrait, kNoTrait);
        EXPECT_EQ(c.turnOff ? sim.TurnOffs : sim.TurnOns, c.bytes);
        EXPECT_EQ(c.turnOff ? sim.TurnOffsExt : sim.TurnOnsExt, c.ext);
    }
}

TEST(AttractionTest, TraitLabelsInScanOrderAtMostEight) {
    struct Case {
        const char* what;
        std::vector<int> traits;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"three", {22, 10, 1}, {"Cologne", "Glasses", "Logical"}},
        {"labels differ from entries", {6, 11}, {"SwimWear", "MakeUp"}},
        {"Jewelery after Hats, before the hair colours",
         {14, 33, 13},
         {"Hats", "Jewelery", "Blonde Hair"}},
        {"ten: the last two are not shown",
         {1, 2, 3, 4, 5, 9, 14, 22, 28, 29},
         {"Cologne", "Stink", "Fatness", "Fitness", "Formal Wear", "Facial Hair", "Blonde Hair",
          "Logical"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Character sim = Sim();
        TwoBytes none{};
        for (int n : c.traits) Set(sim.AttractionTraits, none, n);
        EXPECT_EQ(TraitLabels(sim.AttractionTraits), c.shown);
        EXPECT_EQ(ReadAttraction(sim).Traits, c.shown);
    }
}

TEST(AttractionTest, FirstTwoTurnOnsAndFirstTurnOffAreShown) {
    Character sim = Sim();
    for (int n : {30, 17, 33}) Set(sim.TurnOns, sim.TurnOnsExt, n);  // scan order: 33, 17, 30
    for (int n : {31, 2}) Set(sim.TurnOffs, sim.TurnOffsExt, n);
    const AttractionView view = ReadAttraction(sim);
    EXPECT_EQ(view.TurnOn1, 33);
    EXPECT_EQ(view.TurnOn2, 17);
    EXPECT_EQ(view.TurnOff, 2);
    EXPECT_TRUE(view.Reports.empty());
}

TEST(AttractionTest, ListsRebuildBothSetsWhole) {
    Character sim = Sim();
    for (int n : {1, 9, 30}) Set(sim.TurnOns, sim.TurnOnsExt, n);
    Set(sim.TurnOffs, sim.TurnOffsExt, 31);
    Set(sim.TurnOffs, sim.TurnOffsExt, 4);
    // Bits no list can show go too: the second extension bytes and the unknown bits 6 and 7.
    sim.TurnOnsExt[1] = 0x80;
    sim.TurnOffsExt[1] = 0x01;
    sim.TurnOns[1] |= 0x40;
    const AttractionView shown = ReadAttraction(sim);
    ASSERT_EQ(shown.TurnOn1, 1);
    ASSERT_EQ(shown.TurnOn2, 9);
    ASSERT_EQ(shown.TurnOff, 4);

    WriteTurnChoices(sim, shown.TurnOn1, shown.TurnOn2, shown.TurnOff);
    EXPECT_EQ(sim.TurnOns, (FourBytes{0x01, 0x01, 0, 0}));  // Robots, the third, is gone
    EXPECT_EQ(sim.TurnOnsExt, (TwoBytes{0, 0}));
    EXPECT_EQ(sim.TurnOffs, (FourBytes{0x08, 0, 0, 0}));
    EXPECT_EQ(sim.TurnOffsExt, (TwoBytes{0, 0}));

    // The same entry in both turn-on lists is one bit; "NA" everywhere empties both sets.
    WriteTurnChoices(sim, 25, 25, kNoTrait);
    EXPECT_EQ(sim.TurnOns, (FourBytes{0, 0, 0, 0x08}));
    EXPECT_EQ(sim.TurnOffs, (FourBytes{}));
    WriteTurnChoices(sim, kNoTrait, kNoTrait, kNoTrait);
    EXPECT_EQ(BitCount(sim.TurnOns, sim.TurnOnsExt), 0);
}

TEST(AttractionTest, UnknownBitsOfTheSecondByteAreReportedInOrder) {
    Character sim = Sim();
    sim.AttractionTraits[1] = 0xC0;
    sim.TurnOns[1] = 0x40;
    sim.TurnOffs[1] = 0x80;
    const AttractionView view = ReadAttraction(sim);
    EXPECT_EQ(view.Reports,
              (std::vector<std::string>{"AttractionTraitsA2 Bit 6", "AttractionTraitsA2 Bit 7",
                                        "AttractionTurnOnsA2 6", "AttractionTurnOffsA2 7"}));
    // They are no traits and no choices.
    EXPECT_TRUE(view.Traits.empty());
    EXPECT_EQ(view.TurnOn1, kNoTrait);
    EXPECT_EQ(view.TurnOff, kNoTrait);
}

TEST(AttractionTest, WhatADescriptionVersionKeeps) {
    struct Case {
        std::uint16_t version;
        bool any;
        bool hats;
        bool robots;
    };
    const Case cases[] = {
        {32, false, false, false}, {41, true, true, false}, {46, true, true, false},
        {47, true, true, true},    {51, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        Character sim;
        sim.FormatVersion = c.version;
        EXPECT_EQ(TurnChoicesStored(sim), c.any);
        EXPECT_EQ(TurnChoiceStored(sim, 13), c.hats);
        EXPECT_EQ(TurnChoiceStored(sim, 30), c.robots);
        EXPECT_TRUE(TurnChoiceStored(sim, kNoTrait));
    }
}

}  // namespace
}  // namespace kinloom
