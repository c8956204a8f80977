// The program's small text rules (util/mbcs.h, util/numbers.h) on code page 949 text: only single-byte
// ASCII letters fold, a search never matches from a trail byte, white space is the C locale's.
#include "util/mbcs.h"
#include "util/numbers.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TextRules, CaseFoldsOnlySingleByteLetters) {
    EXPECT_EQ("c:\\program files\\adobe\\photoshop cs2\\", mbcs::LowerAscii("C:\\Program Files\\Adobe\\PhotoShop CS2\\"));
    // A double-byte character whose trail byte is an upper-case ASCII letter (0xB0 'A') keeps that byte.
    EXPECT_EQ(std::string("\xB0" "A" "x"), mbcs::LowerAscii("\xB0" "A" "X"));
    EXPECT_EQ("플러그-인", mbcs::LowerAscii("플러그-인"));
    EXPECT_TRUE(mbcs::EqualNoCase("C:\\ZmtPlugin\\BIN\\ZmtAddin.DLL", "c:\\zmtplugin\\bin\\zmtaddin.dll"));
    EXPECT_FALSE(mbcs::EqualNoCase("\xB0" "A", "\xB0" "a")) << "two different Korean characters";
    EXPECT_FALSE(mbcs::EqualNoCase("abc", "abcd"));
    EXPECT_TRUE(mbcs::StartsWithNoCase("/LOG=C:\\x", "/log="));
}

TEST(TextRules, FindNeverMatchesFromATrailByte) {
    const struct {
        std::string strText, strNeedle;
        size_t nExpected;
    } cases[] = {
        {"C:\\ZmtPlugin\\bin\\ZmtAddin.dll", "zmtaddin.dll", 17},
        {"c:\\program files\\adobe\\photoshop 7.0", "photoshop", 23},
        {"\x81zmtaddin.dll", "zmtaddin.dll", std::string::npos},  // 'z' is the trail of 0x81 0x7A
        {"\x81z\\zmtaddin.dll", "zmtaddin.dll", 3},
        {"www.ZMTPLUGIN.co.kr/about", "www.zmtplugin.co.kr", 0},
        {"short", "longer needle", std::string::npos},
    };
    for (const auto& c : cases) EXPECT_EQ(c.nExpected, mbcs::FindNoCase(c.strText, c.strNeedle)) << c.strText;
}

TEST(TextRules, SpacesAndClamping) {
    EXPECT_EQ("1", mbcs::Trim(" \t\r\n\v\f1 \r"));
    EXPECT_EQ("", mbcs::Trim(" \t "));
    EXPECT_EQ("\xB0\xA0", mbcs::Trim("\xB0\xA0")) << "no byte of a double-byte character is a space";
    EXPECT_EQ(INT32_MAX, ClampToInt32(1LL << 40));
    EXPECT_EQ(INT32_MIN, ClampToInt32(-(1LL << 40)));
    EXPECT_EQ(-7, ClampToInt32(-7));
}

}  // namespace
