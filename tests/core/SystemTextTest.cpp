// Names crossing the operating system: a file named from UTF-8 text is listed under the same
// text, and on Windows text passes the UTF-16 calls whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PackageBuilder.h"
#include "core/platform/Paths.h"
#ifdef _WIN32
#include "core/platform/WindowsText.h"
#endif

namespace kinloom {
namespace {
namespace fs = std::filesystem;

const char* const kNames[] = {
    "plain.package",
    "Zo\xC3\xAB.package",                                 // Latin-1 range
    "The Sims\xE2\x84\xA2 2 Ultimate Collection",         // outside every 8-bit code page
    "\xE5\xAE\xB6\xE6\x97\x8F \xF0\x9F\x98\x80.package",  // CJK and a character beyond the BMP
};

TEST(SystemTextTest, AFileNamedFromUtf8IsListedUnderTheSameText) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        std::ofstream(dir.path() / PathFromUtf8(name)) << "x";
        std::vector<std::string> listed;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            listed.push_back(Utf8Name(entry.path()));
        EXPECT_EQ(listed, std::vector<std::string>{name});
        EXPECT_TRUE(fs::exists(ChildIgnoringCase(dir.path(), name)));
    }
}

#ifdef _WIN32
TEST(SystemTextTest, WindowsTextConvertsWholeCharacters) {
    for (const char* name : kNames) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Utf8FromWide(WideFromUtf8(name)), name);
    }
    EXPECT_EQ(WideFromUtf8("\xF0\x9F\x98\x80"), std::wstring(L"\xD83D\xDE00"));
    // Broken text on either side becomes the replacement character, never lost bytes.
    EXPECT_EQ(Utf8FromWide(std::wstring(L"a\xD800z")), "a\xEF\xBF\xBDz");
    EXPECT_EQ(WideFromUtf8("a\xFFz"), std::wstring(L"a\xFFFDz"));
    EXPECT_EQ(Utf8FromWide(L""), "");
    EXPECT_NE(SystemErrorText(5).find("(error 5)"), std::string::npos);
}
#endif

}  // namespace
}  // namespace kinloom
