#include <gtest/gtest.h>

#include "core/editing/SimLabels.h"

namespace kinloom {
namespace {

Character Sim(const std::string& first, const std::string& last, const std::string& file) {
    Character c;
    c.FirstName = first;
    c.LastName = last;
    c.FileName = file;
    return c;
}

TEST(SimLabelsTest, TheThreeForms) {
    const Character anna = Sim("Anna", "Bell", "N001_User00003.package");
    struct Case {
        std::optional<std::string> setting;
        std::u16string label;
    };
    const Case cases[] = {
        {std::nullopt, u"Anna Bell : N001_User00003"},
        {"", u"Anna Bell : N001_User00003"},
        {"First", u"Anna Bell : N001_User00003"},
        {"Last", u"Bell, Anna : N001_User00003"},
        {"File", u"N001_User00003 : Bell, Anna"},
        {"file", u"Anna Bell : N001_User00003"},  // the setting is matched exactly
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting.value_or("(absent)"));
        EXPECT_EQ(SimLabel(anna, LabelFormFromSetting(c.setting)), c.label);
    }
    // Names are decoded and trimmed; a sim without names starts with a blank.
    EXPECT_EQ(SimLabel(Sim(" Ren\xC3\xA9"
                           "e ",
                           "M\xC3\xBCller", "N001_User00009.package"),
                       LabelForm::FirstName),
              u"Ren\u00E9e M\u00FCller : N001_User00009");
    EXPECT_EQ(SimLabel(Sim("", "", "N001_User00010.package"), LabelForm::FirstName),
              u"  : N001_User00010");
}

TEST(SimLabelsTest, SortButtonCyclesThroughTheFormsAndBack) {
    const Character anna = Sim("Anna", "Bell", "N001_User00003.package");
    LabelForm form = LabelForm::FirstName;
    std::vector<std::string> settings;
    for (int press = 0; press < 3; ++press) {
        const std::u16string shown = SimLabel(anna, form);
        auto detected = DetectLabelForm(shown, anna);
        ASSERT_TRUE(detected.has_value());
        EXPECT_EQ(*detected, form);
        form = NextLabelForm(form);
        settings.push_back(LabelFormSetting(form));
    }
    EXPECT_EQ(form, LabelForm::FirstName);
    EXPECT_EQ(settings, (std::vector<std::string>{"File", "Last", "First"}));
}

TEST(SimLabelsTest, DetectingTheFormOfAShownLabel) {
    // A first name that also begins the file name is taken as the first-name form.
    const Character n = Sim("N001", "Smith", "N001_User00001.package");
    EXPECT_EQ(DetectLabelForm(u"N001_User00001 : Smith, N001", n), LabelForm::FirstName);
    const Character anna = Sim("Anna", "Bell", "N001_User00003.package");
    EXPECT_EQ(DetectLabelForm(u"Bell, Anna : N001_User00003", anna), LabelForm::LastName);
    EXPECT_EQ(DetectLabelForm(u"Someone else", anna), std::nullopt);
    EXPECT_EQ(DetectLabelForm(u"", anna), std::nullopt);
    // An empty first name begins nothing: the file form is found instead.
    const Character nameless = Sim("", "", "N001_User00010.package");
    EXPECT_EQ(DetectLabelForm(u"N001_User00010 : , ", nameless), LabelForm::File);
}

TEST(SimLabelsTest, ListOrderIgnoresCaseAndKeepsTiesInLoadingOrder) {
    Character a = Sim("bob", "Zed", "N001_User00002.package");
    Character b = Sim("Alice", "Young", "N001_User00001.package");
    Character c = Sim("\xC3\x89mile", "Xu", "N001_User00003.package");  // Émile
    Character d = Sim("alice", "Young", "N001_User00001.package");      // same label but case
    std::vector<Character*> sims{&a, &b, &c, &d};
    EXPECT_EQ(SortedByLabel(sims, LabelForm::FirstName), (std::vector<Character*>{&b, &d, &a, &c}));
    EXPECT_EQ(SortedByLabel(sims, LabelForm::LastName), (std::vector<Character*>{&c, &b, &d, &a}));
    EXPECT_TRUE(LabelLess(u"apple", u"Banana"));
    EXPECT_FALSE(LabelLess(u"Banana", u"apple"));
    EXPECT_TRUE(LabelLess(u"\u00E9a", u"\u00C9b"));
}

}  // namespace
}  // namespace kinloom
