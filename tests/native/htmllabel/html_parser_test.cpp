// The markup parser: runs, tags in their order of precedence, entities, font attributes, colours,
// attribute splitting and the number readers.
#include "htmllabel/html_colors.h"
#include "htmllabel/html_parser.h"
#include "util/mbcs.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

// One run as "text|flags": B bold, I italic, U underline, the alignment digit, and @url for a link.
std::string Describe(const CHTMLAtom& atom) {
    std::string str = atom.m_strText == "\r\n" ? "<BR>" : atom.m_strText;
    str += '|';
    if (atom.m_font.m_bBold) str += 'B';
    if (atom.m_font.m_bItalic) str += 'I';
    if (atom.m_font.m_bUnderline) str += 'U';
    str += static_cast<char>('0' + atom.m_nAlignment);
    if (!atom.m_strURL.empty()) str += "@" + atom.m_strURL;
    return str;
}

std::vector<std::string> Parse(const std::string& strHtml, std::uint16_t nDefaultAlignment = 0) {
    CHTMLAtomList arrAtoms;
    ParseHTML(strHtml, CHTMLFont(), arrAtoms, nDefaultAlignment);
    std::vector<std::string> arrDescribed;
    for (const auto& pAtom : arrAtoms) arrDescribed.push_back(Describe(*pAtom));
    return arrDescribed;
}

std::string Joined(const std::vector<std::string>& arr) {
    std::string str;
    for (const auto& s : arr) str += "[" + s + "]";
    return str;
}

struct RunsCase {
    const char* pszMarkup;
    std::vector<std::string> arrExpected;
};

class ParseHtmlRuns : public ::testing::TestWithParam<RunsCase> {};

TEST_P(ParseHtmlRuns, YieldsTheExpectedRuns) {
    const RunsCase& c = GetParam();
    EXPECT_EQ(Joined(c.arrExpected), Joined(Parse(c.pszMarkup))) << "markup: " << c.pszMarkup;
}

INSTANTIATE_TEST_SUITE_P(Tags, ParseHtmlRuns, ::testing::Values(
    RunsCase{"", {}},
    RunsCase{"plain text", {"plain text|0"}},
    RunsCase{"a<b>b</b>c", {"a|0", "b|B0", "c|0"}},
    RunsCase{"<STRONG>x</strong>y", {"x|B0", "y|0"}},
    RunsCase{"<b><b>x</b>y", {"x|B0", "y|0"}},  // switches, not counted
    RunsCase{"<i>x</i><em>y</EM>z", {"x|I0", "y|I0", "z|0"}},
    RunsCase{"<u>x</u>y", {"x|U0", "y|0"}},
    RunsCase{"<br>x", {"<BR>|0", "x|0"}},
    RunsCase{"x< BR >y", {"x|0", "<BR>|0", "y|0"}},  // stripped before the tests
    RunsCase{"x<br/>y<br />z", {"x|0", "y|0", "z|0"}},
    RunsCase{"<center>x", {"x|1"}},  // at line start: no break
    RunsCase{"x<center>y</center>z", {"x|0", "<BR>|1", "y|1", "<BR>|0", "z|0"}},
    RunsCase{"x\r\n<center>y", {"x\r\n|0", "<BR>|1", "y|1"}},
    RunsCase{"<center> </center>", {" |1", "<BR>|0"}},
    RunsCase{"x<p align=right>y", {"x|0", "<BR>|2", "y|2"}},
    RunsCase{"<P ALIGN=Center>y</p>z", {"y|1", "<BR>|0", "z|0"}},
    RunsCase{"<p align=middle>y", {"y|0"}},
    RunsCase{"x<pre>y", {"x|0", "<BR>|0", "y|0"}},  // a prefix test: pre is p
    RunsCase{"<a href=u>x</a>y", {"x|0@u", "y|0"}},
    RunsCase{"<a href=\"a b\">x", {"x|0@a b"}},
    RunsCase{"<a href=a b>x", {"x|0@a"}},
    RunsCase{"<a href=u>x<a href=>y", {"x|0@u", "y|0"}},
    RunsCase{"<a href=u>x</address>y", {"x|0@u", "y|0"}},  // /address acts as /a
    RunsCase{"<a href=u>x<abbr>y", {"x|0@u", "y|0@u"}},    // abbr acts as a, without href
    RunsCase{"<big>x<img src=y>z", {"x|0", "z|0"}},
    RunsCase{"a<b", {"a<b|0"}},  // an unmatched '<' ends the scan
    RunsCase{"<b>x<i", {"x<i|B0"}},  // the text before it is not split off
    RunsCase{"a>b", {"a>b|0"}},
    RunsCase{"x<b<i>y", {"x|0", "y|0"}},  // tag "b<i" is unknown
    RunsCase{"<font color=red><b>x</font>y", {"x|B0", "y|0"}},
    RunsCase{"</font>x", {"x|0"}},
    RunsCase{"<u><font size=5></u>x</font>y", {"x|0", "y|U0"}}  // /font restores the underline too
));

INSTANTIATE_TEST_SUITE_P(Entities, ParseHtmlRuns, ::testing::Values(
    RunsCase{"&lt;b&gt;", {"<b>|0"}},
    RunsCase{"&amp;lt;", {"<|0"}},  // the '&' from amp is examined again
    RunsCase{"a &amp; b; c", {"a  c|0"}},
    RunsCase{"&AMP;amp;", {"&|0"}},
    RunsCase{"&nbsp;x", {"x|0"}},
    RunsCase{"&quot;&QUOT;", {"\"\"|0"}},
    RunsCase{"&nbsp;", {"|0"}},  // not empty before decoding: an empty run
    RunsCase{"a&b", {"a&b|0"}},
    RunsCase{"&amp", {"&amp|0"}},
    RunsCase{"x&amp;&lt;", {"x|0"}},  // the new '&' and the next ';' enclose "&lt": removed
    RunsCase{"&&lt;", {"|0"}},
    RunsCase{"<a href=&amp;>x", {"x|0@&amp;"}}  // never inside tags
));

TEST(ParseHtml, BreakRunsAfterAnEmptyTextAndAtLineStart) {
    // A text that consists of entities only still counts as a run for the line-start rule.
    EXPECT_EQ(Joined({"|0", "<BR>|1", "y|1"}), Joined(Parse("&nbsp;<center>y")));
    EXPECT_EQ(Joined({"<BR>|0", "<BR>|0"}), Joined(Parse("<br><br>")));
}

// What a screen reader reads: the runs' texts with the line breaks, nothing of the mark-up.
TEST(HtmlPlainText, IsTheTextOfTheRunsWithoutBlankEnds) {
    const struct {
        const char* pszMarkup;
        const char* pszText;
    } cases[] = {
        {"<center><b><font size=5 color=blue>Letterquarry 5.981</font></b></center>", "Letterquarry 5.981"},
        {"<center> </center>", ""},
        {"<center><b><font color=blue size=4>One.</font></b>\r\nTwo<br>Three\r\n</center>", "One.\r\nTwo\r\nThree"},
        {"<p>a</p><p align=right>b &lt;c&gt; &quot;d&quot;</p>", "a\r\nb <c> \"d\""},
        {"x <blink>y</blink> 1 < 2", "x y 1 < 2"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.pszText, HtmlPlainText(c.pszMarkup)) << "markup: " << c.pszMarkup;
}

TEST(ParseHtml, TheBaseFontIsCopiedAndTheDefaultAlignmentIsRestored) {
    CHTMLFont fntBase;
    fntBase.m_strFace = "Gulim";
    fntBase.m_dPointSize = 9.0;
    CHTMLAtomList arrAtoms;
    ParseHTML("<b>x</b><center>y</center>z", fntBase, arrAtoms, kAlignRight);
    ASSERT_EQ(5u, arrAtoms.size());
    EXPECT_EQ("Gulim", arrAtoms[0]->m_font.m_strFace);
    EXPECT_EQ(9.0, arrAtoms[0]->m_font.m_dPointSize);
    EXPECT_EQ(0, fntBase.m_bBold) << "the base font is not changed";
    EXPECT_EQ(kAlignRight, arrAtoms[0]->m_nAlignment);
    EXPECT_EQ(kAlignCenter, arrAtoms[2]->m_nAlignment);
    EXPECT_EQ(kAlignRight, arrAtoms[4]->m_nAlignment) << "/center returns to the default alignment";
}

struct FontCase {
    const char* pszMarkup;
    std::int32_t nHtmlSize;
    double dPointSize;
    HtmlColor crColor;
    const char* pszFace;
};

class ParseHtmlFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(ParseHtmlFont, SetsSizeColourAndFaceOfTheLastRun) {
    const FontCase& c = GetParam();
    CHTMLAtomList arrAtoms;
    ParseHTML(std::string(c.pszMarkup) + "x", CHTMLFont(), arrAtoms, 0);
    ASSERT_FALSE(arrAtoms.empty()) << c.pszMarkup;
    const CHTMLFont& fnt = arrAtoms.back()->m_font;
    EXPECT_EQ(c.nHtmlSize, fnt.m_nHtmlSize) << c.pszMarkup;
    EXPECT_DOUBLE_EQ(c.dPointSize, fnt.m_dPointSize) << c.pszMarkup;
    EXPECT_EQ(c.crColor, fnt.m_crColor) << std::hex << "colour of " << c.pszMarkup;
    EXPECT_EQ(c.pszFace, fnt.m_strFace) << c.pszMarkup;
}

const char kTimes[] = "Times New Roman";

INSTANTIATE_TEST_SUITE_P(Sizes, ParseHtmlFont, ::testing::Values(
    FontCase{"<font size=+1>", 4, 11.25, 0, kTimes},
    FontCase{"<font size=-1>", 2, 8.0, 0, kTimes},
    FontCase{"<font size=4><font size=5>", 5, 15.0, 0, kTimes},
    FontCase{"<font size=1><font size=+2>", 3, 10.0, 0, kTimes},  // relative to the current font
    FontCase{"<font size=7>", 7, 30.0, 0, kTimes},
    FontCase{"<font size=8>", 8, 10.0 * (8.0 / 7.0 * 3.0), 0, kTimes},
    FontCase{"<font size=big>", 0, 10.0, 0, kTimes},
    FontCase{"<font size=4px>", 0, 10.0, 0, kTimes},
    FontCase{"<font size=\"5\">", 5, 15.0, 0, kTimes},
    FontCase{"<font size=  6>", 6, 20.0, 0, kTimes},
    FontCase{"<font size=>", 3, 10.0, 0, kTimes},  // empty values are skipped
    FontCase{"<font size=5 size=+1>", 6, 20.0, 0, kTimes},
    FontCase{"<font size=4></font>", 3, 10.0, 0, kTimes},
    FontCase{"<FONT SIZE=2 FACE=Arial>", 2, 8.0, 0, "Arial"},
    FontCase{"<font face=\"Courier New\">", 3, 10.0, 0, "Courier New"},
    FontCase{"<font weight=5>", 3, 10.0, 0, kTimes}
));

INSTANTIATE_TEST_SUITE_P(Colours, ParseHtmlFont, ::testing::Values(
    FontCase{"<font color=blue>", 3, 10.0, 0xFF0000, kTimes},
    FontCase{"<font color=BLUE>", 3, 10.0, 0xFF0000, kTimes},
    FontCase{"<font color=\"#0000ff\">", 3, 10.0, 0xFF0000, kTimes},
    FontCase{"<font color=#F00>", 3, 10.0, 0x000F00, kTimes},  // padded on the left
    FontCase{"<font color=#>", 3, 10.0, 0, kTimes},
    FontCase{"<font color=red><font color=#>", 3, 10.0, 0, kTimes},
    FontCase{"<font color=#12345678>", 3, 10.0, 0x563412, kTimes},  // after the sixth: ignored
    FontCase{"<font color=#zz00g1>", 3, 10.0, 0x010000, kTimes},   // non-digits count 0
    FontCase{"<font color=Khaki>", 3, 10.0, 0x6CE8F0, kTimes},
    FontCase{"<font color=Mocassin>", 3, 10.0, 0xB5E4FF, kTimes},
    FontCase{"<font color=red><font color=Moccasin>", 3, 10.0, 0x0000FF, kTimes},  // not in the table
    FontCase{"<font color=saddlebrown>", 3, 10.0, 0x13458B, kTimes},
    FontCase{"<font color=red><font color=Light>", 3, 10.0, 0x0000FF, kTimes},
    FontCase{"<font color=LightBlue>", 3, 10.0, 0xE6D8AD, kTimes},
    FontCase{"<font color=red><font color=0000ff>", 3, 10.0, 0x0000FF, kTimes},  // no '#': unchanged
    FontCase{"<font color=red color=blue>", 3, 10.0, 0xFF0000, kTimes},
    FontCase{"<font color=red></font>", 3, 10.0, 0, kTimes}
));

TEST(ParseHtml, OnlyAColourTheMarkupNamesIsMarkedAsSet) {
    CHTMLAtomList arrAtoms;
    ParseHTML("a<font color=blue>b<font size=5>c</font></font>d<font color=nonsense>e", CHTMLFont(), arrAtoms, 0);
    std::string strMarks;
    for (const auto& pAtom : arrAtoms) strMarks += pAtom->m_strText + (pAtom->m_font.m_bColorSet ? "1" : "0");
    EXPECT_EQ("a0b1c1d0e0", strMarks);
}

// The colour a run is drawn in on the ordinary scheme, on a black one whose high-contrast flag is off (as
// Wine always reports it) and in high contrast.
TEST(HtmlRunColor, TheSchemesColoursWinWhereTheMarkupsWouldNotStandOut) {
    const HtmlColor kBlue = HtmlRgb(0, 0, 255), kWhite = HtmlRgb(255, 255, 255), kYellow = HtmlRgb(255, 255, 0);
    const HtmlColorScheme ordinary{0, HtmlRgb(240, 240, 240), HtmlRgb(0, 102, 204), false};
    const HtmlColorScheme black{kWhite, 0, kYellow, false};
    const HtmlColorScheme highContrast{kWhite, 0, kYellow, true};
    CHTMLFont plain, blue, white;
    blue.m_crColor = kBlue;
    white.m_crColor = kWhite;
    blue.m_bColorSet = white.m_bColorSet = 1;
    const struct {
        const char* pszCase;
        const CHTMLFont& fnt;
        bool bLink;
        const HtmlColorScheme& scheme;
        HtmlColor crExpected;
    } cases[] = {
        {"plain text, ordinary", plain, false, ordinary, 0},
        {"blue heading, ordinary (7.5:1)", blue, false, ordinary, kBlue},
        {"white text, ordinary (1.1:1)", white, false, ordinary, 0},
        {"plain text on black", plain, false, black, kWhite},
        {"blue heading on black (2.4:1)", blue, false, black, kWhite},
        {"blue link on black", blue, true, black, kYellow},
        {"blue heading, high contrast", blue, false, highContrast, kWhite},
        {"plain link, high contrast", plain, true, highContrast, kYellow},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.crExpected, HtmlRunColor(c.fnt, c.bLink, c.scheme)) << std::hex << c.pszCase;
    EXPECT_DOUBLE_EQ(21.0, HtmlContrastRatio(0, kWhite));
    EXPECT_DOUBLE_EQ(HtmlContrastRatio(kBlue, 0), HtmlContrastRatio(0, kBlue)) << "the lighter colour counts first";
    EXPECT_NEAR(2.44, HtmlContrastRatio(kBlue, 0), 0.01);
}

TEST(ParseHtml, HugeSizesStayFinite) {
    for (const char* pszMarkup : {"<font size=+2147483647>x", "<font size=-2147483647><font size=-2147483647>x",
                                  "<font size=99999999999>x", "<font size=7><font size=+2147483647><font size=1>x"}) {
        CHTMLAtomList arrAtoms;
        ParseHTML(pszMarkup, CHTMLFont(), arrAtoms, 0);
        ASSERT_EQ(1u, arrAtoms.size()) << pszMarkup;
        EXPECT_TRUE(std::isfinite(arrAtoms[0]->m_font.m_dPointSize)) << pszMarkup;
    }
    CHTMLAtomList arrAtoms;
    ParseHTML("<font size=+2147483647>x", CHTMLFont(), arrAtoms, 0);
    EXPECT_EQ(INT32_MAX, arrAtoms[0]->m_font.m_nHtmlSize) << "the sum is clamped, not wrapped";
}

struct IntCase {
    const char* pszText;
    std::int32_t nExpected;
};

TEST(ParseHtmlInt, ReadsStrictDecimals) {
    const IntCase cases[] = {{"4", 4},      {" \t4 \t", 4},  {"4px", 0},    {"big", 0},   {"", 0},
                             {"-3", -3},    {"+7", 7},       {"--4", 0},    {"4 5", 0},   {"- 4", 0},
                             {"\n4", 0},    {"007", 7},      {"2147483647", INT32_MAX},
                             {"99999999999", INT32_MAX},     {"-99999999999", INT32_MIN}};
    for (const IntCase& c : cases) EXPECT_EQ(c.nExpected, ParseHtmlInt(c.pszText)) << "\"" << c.pszText << "\"";
}

TEST(HexToInt, ReadsRightToLeftWithNonDigitsCountingZero) {
    const struct {
        const char* pszText;
        std::uint32_t nExpected;
    } cases[] = {{"ff", 255}, {"FF", 255}, {" 1A\t", 26}, {"g1", 1}, {"1g", 16}, {"0x10", 16}, {"", 0},
                 {"123456789", 0x23456789}};
    for (const auto& c : cases) EXPECT_EQ(c.nExpected, HexToInt(c.pszText)) << "\"" << c.pszText << "\"";
}

TEST(HtmlSizeFactor, FollowsTheSizeTable) {
    const struct {
        std::int32_t nSize;
        double dFactor;
    } cases[] = {{1, 0.625}, {2, 0.8}, {3, 1.0}, {4, 1.125}, {5, 1.5}, {6, 2.0}, {7, 3.0},
                 {8, 8.0 / 7.0 * 3.0}, {14, 6.0}, {0, 1.0}, {-5, 1.0}, {INT32_MIN, 1.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.dFactor, HtmlSizeFactor(c.nSize)) << "size " << c.nSize;
}

struct SplitCase {
    const char* pszText;
    std::vector<std::string> arrPairs;  // "name=value"
};

TEST(SplitAttributes, SplitsPairsWithAndWithoutQuotes) {
    const SplitCase cases[] = {
        {"a=1 b=2", {"a=1", "b=2"}},
        {" a = 1", {"a=1"}},
        {"a=\"x y\" b=2", {"a=x y", "b=2"}},
        {"a=\"x\"b=2", {"a=x", "b=2"}},
        {"a=\"x", {"a="}},              // no closing quote: empty value, the quote stays in the rest
        {"a=\"x b=2", {"a=", "\"x b=2"}},  // ... and becomes part of the next name
        {"a='x y' b=2", {"a='x", "y' b=2"}},
        {"a=x\tb=2", {"a=x\tb=2"}},     // a tab does not end an unquoted value
        {"=v", {"=v"}},
        {"a=", {"a="}},
        {"novalue", {}},
        {"", {}},
    };
    for (const SplitCase& c : cases) {
        std::vector<std::string> arrNames, arrValues;
        SplitAttributes(c.pszText, arrNames, arrValues);
        ASSERT_EQ(arrNames.size(), arrValues.size());
        std::vector<std::string> arrPairs;
        for (size_t i = 0; i < arrNames.size(); ++i) arrPairs.push_back(arrNames[i] + "=" + arrValues[i]);
        EXPECT_EQ(Joined(c.arrPairs), Joined(arrPairs)) << "attributes: " << c.pszText;
    }
}

TEST(NamedColors, HoldTheKeywordsWithExactlyTheirThreeDeviations) {
    const auto& arrColors = HtmlNamedColors();
    EXPECT_EQ(140u, arrColors.size());
    std::set<std::string> setNames;
    for (const HtmlNamedColor& color : arrColors) {
        const std::string strLower = mbcs::LowerAscii(color.pszName);
        EXPECT_TRUE(setNames.insert(strLower).second) << "duplicate " << color.pszName;
        EXPECT_EQ(std::string::npos, strLower.find("grey")) << color.pszName;
        ASSERT_EQ(7u, std::string(color.pszValue).size()) << color.pszName;
        EXPECT_EQ('#', color.pszValue[0]) << color.pszName;
    }
    EXPECT_EQ(0u, setNames.count("moccasin"));
    EXPECT_EQ(0u, setNames.count("rebeccapurple"));
    EXPECT_STREQ("#F0E86C", LookupHtmlColor("Khaki"));
    EXPECT_STREQ("#FFE4B5", LookupHtmlColor("mocassin"));
    EXPECT_EQ(nullptr, LookupHtmlColor("Moccasin"));
    EXPECT_STREQ("#8b4513", LookupHtmlColor("SADDLEBROWN"));
    EXPECT_STREQ("#00FFFF", LookupHtmlColor("Cyan"));
    EXPECT_STREQ("#00FFFF", LookupHtmlColor("Aqua"));
    EXPECT_STREQ("#FF00FF", LookupHtmlColor("Magenta"));
    EXPECT_STREQ("#FF00FF", LookupHtmlColor("Fuchsia"));
    EXPECT_STREQ("#808080", LookupHtmlColor("gray"));
    EXPECT_EQ(nullptr, LookupHtmlColor("grey"));
    EXPECT_EQ(nullptr, LookupHtmlColor("blue "));
    EXPECT_EQ(nullptr, LookupHtmlColor(""));
    // Every other row has upper-case digits (only SaddleBrown is stored in lower case).
    for (const HtmlNamedColor& color : arrColors) {
        if (std::string(color.pszName) == "SaddleBrown") continue;
        for (const char* p = color.pszValue + 1; *p; ++p) EXPECT_FALSE(*p >= 'a' && *p <= 'f') << color.pszName;
    }
}

TEST(HtmlAtom, DefaultsAndCopiesEveryField) {
    CHTMLAtom atom;
    EXPECT_EQ("", atom.m_strText);
    EXPECT_EQ("Times New Roman", atom.m_font.m_strFace);
    EXPECT_EQ(10.0, atom.m_font.m_dPointSize);
    EXPECT_EQ(3, atom.m_font.m_nHtmlSize);
    EXPECT_EQ(0, atom.m_font.m_bColorSet);
    EXPECT_EQ(CHTMLAtom::kNoLine, atom.m_nLine);
    EXPECT_EQ(0, atom.m_bHot);

    atom.m_strText = "t";
    atom.m_font.m_bItalic = 1;
    atom.m_font.m_crColor = 0xABCDEF;
    atom.m_font.m_bColorSet = 1;
    atom.m_rect = HtmlRect{1, 2, 3, 4};
    atom.m_nAscent = 7;
    atom.m_nAlignment = 2;
    atom.m_nLine = 9;
    atom.m_strURL = "u";
    atom.m_bHot = 1;
    CHTMLAtom copy(atom);
    EXPECT_EQ(Describe(atom), Describe(copy));
    EXPECT_EQ(atom.m_rect, copy.m_rect);
    EXPECT_EQ(7, copy.m_nAscent);
    EXPECT_EQ(9, copy.m_nLine);
    EXPECT_EQ(1, copy.m_bHot);
    EXPECT_EQ(0xABCDEFu, copy.m_font.m_crColor);
    EXPECT_EQ(1, copy.m_font.m_bColorSet);
}

}  // namespace
