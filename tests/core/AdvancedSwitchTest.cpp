// The Advanced switch's stored state and its five-times warning.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeMessages.h"
#include "core/editing/AdvancedSwitch.h"
#include "core/platform/Settings.h"

namespace kinloom {
namespace {

TEST(AdvancedSwitch, TheWarningIsShownAtMostFiveTimesEver) {
    MemorySettings settings;
    test::FakeMessages messages;
    // Every application while on counts: the click and each re-application at a page opening.
    for (int application = 1; application <= 8; ++application) {
        SCOPED_TRACE(application);
        EXPECT_EQ(ShowAdvancedWarningIfDue(settings, messages), application <= 5);
        EXPECT_EQ(settings.ReadInteger("AdvMsgCnt"), std::min(application, 5));
    }
    ASSERT_EQ(messages.shown.size(), 5u);
    EXPECT_EQ(messages.shown.front(),
              "Using the Advanced settings available in this program can have adverse and "
              "unusual effects when using the game.\r\nPlease check the User Guide for details on "
              "using each of these settings and the known effects they may have during game "
              "play.");
}

TEST(AdvancedSwitch, TheStoredCountDecides) {
    struct Case {
        const char* name;
        void (*store)(Settings&);
        bool shown;
        int countAfter;
    };
    const Case cases[] = {
        {"missing", [](Settings&) {}, true, 1},
        {"not a number", [](Settings& s) { s.WriteText("AdvMsgCnt", "many"); }, true, 1},
        {"below zero", [](Settings& s) { s.WriteInteger("AdvMsgCnt", -3); }, true, 1},
        {"four", [](Settings& s) { s.WriteInteger("AdvMsgCnt", 4); }, true, 5},
        {"five", [](Settings& s) { s.WriteInteger("AdvMsgCnt", 5); }, false, 5},
        {"more", [](Settings& s) { s.WriteInteger("AdvMsgCnt", 40); }, false, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettings settings;
        test::FakeMessages messages;
        c.store(settings);
        EXPECT_EQ(ShowAdvancedWarningIfDue(settings, messages), c.shown);
        EXPECT_EQ(messages.shown.size(), c.shown ? 1u : 0u);
        EXPECT_EQ(settings.ReadInteger("AdvMsgCnt"), c.countAfter);
    }
}

TEST(AdvancedSwitch, TheSwitchIsOnOnlyWhenStoredAsOne) {
    struct Case {
        const char* name;
        void (*store)(Settings&);
        bool on;
    };
    const Case cases[] = {
        {"missing", [](Settings&) {}, false},
        {"one", [](Settings& s) { s.WriteInteger("Advanced", 1); }, true},
        {"zero", [](Settings& s) { s.WriteInteger("Advanced", 0); }, false},
        {"two", [](Settings& s) { s.WriteInteger("Advanced", 2); }, false},
        {"text", [](Settings& s) { s.WriteText("Advanced", "1x"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettings settings;
        c.store(settings);
        EXPECT_EQ(ReadAdvancedSetting(settings), c.on);
    }
    MemorySettings settings;
    for (bool on : {true, false}) {
        WriteAdvancedSetting(settings, on);
        EXPECT_EQ(settings.ReadInteger("Advanced"), on ? 1 : 0);
        EXPECT_EQ(ReadAdvancedSetting(settings), on);
    }
}

TEST(AdvancedSwitch, WhatItUnlocksDependsOnTheSimAndThePacks) {
    InstalledPacks all;
    all.HasUniversity = all.HasNightlife = all.HasBusiness = all.HasPets = all.HasSeasons =
        all.HasBonVoyage = all.HasFreeTime = true;
    InstalledPacks noBonVoyage = all;
    noBonVoyage.HasBonVoyage = false;
    InstalledPacks universityOnly;
    universityOnly.HasUniversity = true;
    InstalledPacks noUniversity = all;
    noUniversity.HasUniversity = false;
    InstalledPacks noPets = all;
    noPets.HasPets = false;

    struct Case {
        const char* name;
        bool on;
        InstalledPacks packs;
        std::uint16_t species;
        AdvancedControls expected;
    };
    const Case cases[] = {
        {"off, every pack", false, all, 0, {.GovernsAspirations = true}},
        {"off, no pack", false, {}, 0, {}},
        {"on, every pack: the class list stays locked",
         true,
         all,
         0,
         {true, true, true, true, true, false, true, true}},
        {"on, a pet keeps fitness and locomotion hidden",
         true,
         all,
         2,
         {false, true, true, true, true, false, true, true}},
        {"on, a pet species without Pets installed",
         true,
         noPets,
         3,
         {true, true, true, true, true, true, true, true}},
        {"on, one later pack missing",
         true,
         noBonVoyage,
         1,
         {false, true, true, true, true, true, true, true}},
        {"on, University alone",
         true,
         universityOnly,
         0,
         {true, true, true, true, true, true, false, false}},
        {"on, no University",
         true,
         noUniversity,
         0,
         {true, true, true, true, true, false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AdvancedControls got = AdvancedControlsFor(c.on, c.packs, c.species);
        EXPECT_EQ(got.ShowFitnessAndLocomotion, c.expected.ShowFitnessAndLocomotion);
        EXPECT_EQ(got.EnableAgeAndGender, c.expected.EnableAgeAndGender);
        EXPECT_EQ(got.ShowRelationshipStates, c.expected.ShowRelationshipStates);
        EXPECT_EQ(got.ShowMoveIn, c.expected.ShowMoveIn);
        EXPECT_EQ(got.EnableNPCType, c.expected.EnableNPCType);
        EXPECT_EQ(got.EnableUniversityClass, c.expected.EnableUniversityClass);
        EXPECT_EQ(got.GovernsAspirations, c.expected.GovernsAspirations);
        EXPECT_EQ(got.EnableAspirations, c.expected.EnableAspirations);
    }
}

}  // namespace
}  // namespace kinloom
