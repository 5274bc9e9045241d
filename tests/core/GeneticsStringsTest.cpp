#include <gtest/gtest.h>

#include "PackageBuilder.h"
#include "core/records/GeneticsStrings.h"

namespace kinloom {
namespace {

std::string Element(const std::string& key, const std::string& value) {
    return "<AnyString key=\"" + key + "\" type=\"0x0b8bea18\">" + value + "</AnyString>";
}

DNA Read(const std::string& xml) {
    return ReadGeneticsStrings(test::Text(xml), 0x1234);
}

TEST(GeneticsStringsTest, ReadsEachKeyIntoItsField) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n";
    const char* keys[] = {"1",         "2",         "3",         "4",
                          "5",         "6",         "7",         "8",
                          "268435457", "268435458", "268435459", "268435460",
                          "268435461", "268435462", "268435463", "268435464"};
    for (const char* k : keys) xml += "  " + Element(k, std::string("v") + k) + "\n";
    xml += "</cGZPropertySetString>";
    DNA d = Read(xml);
    EXPECT_EQ(d.Instance, 0x1234u);
    EXPECT_FALSE(d.Modified);
    EXPECT_EQ(d.SkinTone, "v6");
    EXPECT_EQ(d.RecSkinTone, "v268435462");
    EXPECT_EQ(d.FatherHairColor, "v1");
    EXPECT_EQ(d.MotherHairColor, "v268435457");
    EXPECT_EQ(d.FatherSkinTone, "v268435458");
    EXPECT_EQ(d.MotherSkinTone, "v2");
    EXPECT_EQ(d.DomEyeColor, "v3");
    EXPECT_EQ(d.RecEyeColor, "v268435459");
    EXPECT_EQ(d.Key4, "v4");
    EXPECT_EQ(d.Key5, "v5");
    EXPECT_EQ(d.Key7, "v7");
    EXPECT_EQ(d.Key8, "v8");
    EXPECT_EQ(d.Key268435460, "v268435460");
    EXPECT_EQ(d.Key268435461, "v268435461");
    EXPECT_EQ(d.Key268435463, "v268435463");
    EXPECT_EQ(d.Key268435464, "v268435464");
}

TEST(GeneticsStringsTest, ValueRules) {
    struct Case {
        const char* name;
        std::string xml;
        std::string skinTone;  // key 6
    };
    const Case cases[] = {
        {"plain value", Element("6", "abc"), "abc"},
        {"empty element", Element("6", ""), "NA"},
        {"self-closed", "<AnyString key=\"6\" type=\"0x0b8bea18\"/>", "NA"},
        {"further attribute", "<AnyString key=\"6\" type=\"0x0b8bea18\" x=\"1\">abc</AnyString>",
         "NA"},
        {"absent", Element("60", "abc"), "NA"},
        {"case matters", "<anystring key=\"6\" type=\"0x0b8bea18\">abc</anystring>", "NA"},
        {"other spacing", "<AnyString  key=\"6\" type=\"0x0b8bea18\">abc</AnyString>", "NA"},
        {"first occurrence wins", Element("6", "one") + Element("6", "two"), "one"},
        {"stops at the first closing tag", Element("6", "a</AnyString>b"), "a"},
        {"no closing tag", "<AnyString key=\"6\" type=\"0x0b8bea18\">abc", "NA"},
        {"opening text at the very end", "<AnyString key=\"6\" type=\"0x0b8bea18\"", "NA"},
        {"multi-byte value kept as bytes", Element("6", "\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.xml).SkinTone, c.skinTone);
    }
}

TEST(GeneticsStringsTest, WritesTheGamesLayoutExactly) {
    DNA all = Read("");  // every value "NA"
    const Bytes written = WriteGeneticsStrings(all);
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cGZPropertySetString>\n  " +
        Element("1", "") + "\n  " + Element("2", "") + "\n  " + Element("268435457", "") + "\n  " +
        Element("268435458", "") + "\n  " + Element("268435459", "") + "\n  " +
        Element("268435460", "") + "\n  " + Element("268435461", "") + "\n  " +
        Element("268435462", "") + "\n  " + Element("268435463", "") + "\n  " +
        Element("268435464", "") + "\n  " + Element("3", "") + "\n  " + Element("4", "") + "\n  " +
        Element("5", "") + "\n  " + Element("6", "") + "\n  " + Element("7", "") + "\n  " +
        Element("8", "") + "\n</cGZPropertySetString>";
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);
}

TEST(GeneticsStringsTest, RoundTripKeepsValuesAndTurnsUnknownsEmpty) {
    DNA d = Read(Element("6", "skin") + "<AnyString key=\"3\" type=\"0x0b8bea18\"/>" +
                 Element("268435464", "last&<raw"));
    const Bytes written = WriteGeneticsStrings(d);
    const std::string text(written.begin(), written.end());
    EXPECT_NE(text.find(Element("3", "")), std::string::npos) << "self-closed comes back empty";
    EXPECT_NE(text.find(Element("268435464", "last&<raw")), std::string::npos) << "no escaping";
    DNA again = ReadGeneticsStrings(written, d.Instance);
    EXPECT_EQ(again.SkinTone, "skin");
    EXPECT_EQ(again.DomEyeColor, "NA");
    EXPECT_EQ(again.Key268435464, "last&<raw");
    EXPECT_EQ(WriteGeneticsStrings(again), written);
}

}  // namespace
}  // namespace kinloom
