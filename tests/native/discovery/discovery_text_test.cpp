// Discovery's text rules: major versions of registry names, and folder-name joining with and without a
// trailing backslash.
#include "setup/discovery/discovery_text.h"

#include <gtest/gtest.h>

namespace {

TEST(DiscoveryText, MajorVersionReadsTheLeadingDigitsBeforeTheFirstDot) {
    struct {
        const char* szText;
        float fExpected;
    } cases[] = {
        {"7.0", 7.0f},  {"9.0", 9.0f},    {"10.0", 10.0f}, {"8", 8.0f},     {"8.0.1", 8.0f}, {"CS2", 0.0f},
        {"", 0.0f},     {".5", 0.0f},     {"12abc.3", 12.0f}, {" 7.0", 7.0f}, {"0x8", 0.0f},  {"inf", 0.0f},
        {"nan", 0.0f},  {"8e2", 8.0f},    {"-3.0", -3.0f}, {"포토샵 7.0", 0.0f},
        {"99999999999999999999999999999999999999999999999999", 1e30f},
    };
    for (const auto& c : cases) EXPECT_EQ(c.fExpected, MajorVersionOf(c.szText)) << "\"" << c.szText << "\"";
}

TEST(DiscoveryText, AppendFolderNameAddsOneBackslashOnlyWhenNeeded) {
    struct {
        const char* szFolder;
        const char* szExpected;
    } cases[] = {
        {"C:\\Photoshop", "C:\\Photoshop\\Plug-Ins\\"},
        {"C:\\Photoshop\\", "C:\\Photoshop\\Plug-Ins\\"},
        {"", "\\Plug-Ins\\"},
        // The last character is double-byte with the trail byte 0x5C: that is no separator.
        {"C:\\\x95\x5C", "C:\\\x95\x5C\\Plug-Ins\\"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\Plug-Ins\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.szExpected, AppendFolderName(c.szFolder, "Plug-Ins\\")) << "folder \"" << c.szFolder << "\"";
}

}  // namespace
