// The layout and drawing of markup on the fixed-metric device (see fixed_device.h for the numbers):
// word wrap with its two fit tests, the character fallback, hard breaks and blank lines, baselines,
// alignment and vertical centring, hit testing and hot marks, and the font bookkeeping of a device.
#include "htmllabel/html_drawer.h"
#include "tests/support/htmllabel/fixed_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A laid-out run as "text(left,top,right,bottom)".
std::string Describe(const CHTMLAtom& atom) {
    const HtmlRect& r = atom.m_rect;
    return atom.m_strText + "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Describe(const CHTMLDrawer& drawer) {
    std::string str;
    for (const auto& pAtom : drawer.GetAtoms()) str += "[" + Describe(*pAtom) + "]";
    return str;
}

struct LayoutCase {
    const char* pszName;
    const char* pszMarkup;
    HtmlRect rct;
    const char* pszExpected;  // the runs, in order
    int nExpectedBottom;
};

class DrawerLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DrawerLayout, PlacesEveryRunExactly) {
    const LayoutCase& c = GetParam();
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    int nBottom = drawer.Layout(dc, c.pszMarkup, CHTMLFont(), c.rct, kAlignLeft);
    EXPECT_EQ(c.pszExpected, Describe(drawer)) << c.pszName;
    EXPECT_EQ(c.nExpectedBottom, nBottom) << c.pszName;
    EXPECT_EQ(CFixedMetricDevice::kDeviceFont, dc.hSelected) << c.pszName << ": the device's font is back";
    EXPECT_EQ(0, dc.LiveFonts()) << c.pszName << ": every realised font is deleted";
    EXPECT_EQ(0, dc.nBadCalls) << c.pszName;
}

// 10 points: 6 wide, 15 high, ascent 13. 15 points (size 5): 10 wide, 22 high, ascent 20.
INSTANTIATE_TEST_SUITE_P(Wrap, DrawerLayout, ::testing::Values(
    LayoutCase{"one block, vertically centred", "Hello world", {0, 0, 200, 100}, "[Hello world(0,42,66,57)]", 57},
    LayoutCase{"wrap at the last blank; the blank stays up", "aaa bbb ccc", {0, 0, 60, 100},
               "[aaa bbb (0,34,48,49)][ccc(0,50,18,65)]", 65},
    LayoutCase{"word test is strict: a piece as wide as the room fails", "aaa bbb ccc", {0, 0, 48, 100},
               "[aaa bbb(0,34,42,49)][ccc(0,50,18,65)]", 65},
    LayoutCase{"a word wider than the line falls back to characters, which may fill it exactly", "abcdefghij",
               {0, 0, 30, 100}, "[abcde(0,34,30,49)][fghij(0,50,30,65)]", 65},
    LayoutCase{"digits are cut one at a time by the word test", "12345678", {0, 0, 30, 100},
               "[1234(0,34,24,49)][5678(0,50,24,65)]", 65},
    LayoutCase{"after a wrap no leading blanks", "aaaa   bb", {0, 0, 40, 100}, "[aaaa  (0,34,36,49)][bb(0,50,12,65)]",
               65},
    LayoutCase{"after a hard break leading blanks stay", "ab\r\n  cd", {0, 0, 100, 100},
               "[ab(0,34,12,49)][  cd(0,50,24,65)]", 65},
    LayoutCase{"a line of its own for an empty line, a blank high", "a\r\n\r\nb", {0, 0, 100, 100},
               "[a(0,26,6,41)][ (0,42,6,57)][b(0,58,6,73)]", 73},
    LayoutCase{"a break run after a text ending in a line break: an empty line", "x\r\n<center>y", {0, 0, 100, 100},
               "[x(0,26,6,41)][ (0,42,6,57)][y(47,58,53,73)]", 73},
    LayoutCase{"a character wider than the line still goes, one per line", "abc", {0, 0, 4, 100},
               "[a(0,26,6,41)][b(0,42,6,57)][c(0,58,6,73)]", 73},
    LayoutCase{"a narrower than nothing rectangle", "ab", {10, 0, 0, 100}, "[a(10,34,16,49)][b(10,50,16,65)]", 65},
    LayoutCase{"the next run starts where the last ended", "ab<b>cd</b>", {0, 0, 100, 100},
               "[ab(0,42,12,57)][cd(12,42,24,57)]", 57},
    LayoutCase{"a run that does not fit after another wraps as a whole word", "abcd<b>efgh</b>", {0, 0, 40, 100},
               "[abcd(0,34,24,49)][efgh(0,50,24,65)]", 65}
));

INSTANTIATE_TEST_SUITE_P(Baselines, DrawerLayout, ::testing::Values(
    LayoutCase{"mixed sizes share the baseline", "<font size=5>Big</font>small", {0, 0, 200, 100},
               "[Big(0,39,30,61)][small(30,46,60,61)]", 61},
    LayoutCase{"the line after a wrap keeps the larger ascent", "<font size=5>Big</font> small words here",
               {0, 0, 90, 100}, "[Big(0,27,30,49)][ small (30,34,72,49)][words here(0,57,60,72)]", 72},
    LayoutCase{"a hard break resets the ascent", "<font size=5>Big</font>\r\nsmall", {0, 0, 200, 100},
               "[Big(0,31,30,53)][small(0,54,30,69)]", 69}
));

INSTANTIATE_TEST_SUITE_P(Alignment, DrawerLayout, ::testing::Values(
    LayoutCase{"centred: half the free space", "<center>abc</center>", {0, 0, 100, 100}, "[abc(41,42,59,57)]", 57},
    LayoutCase{"centred: rounded toward zero", "<center>abc</center>", {0, 0, 101, 100}, "[abc(41,42,59,57)]", 57},
    LayoutCase{"centred inside an inset rectangle", "<center>abc</center>", {5, 5, 95, 95},
               "[abc(41,40,59,55)]", 55},  // block 5..20: B = 20, (90 - 20) / 2 = 35
    LayoutCase{"right: one pixel left of the edge", "<p align=right>abc", {0, 0, 100, 100}, "[abc(81,42,99,57)]",
               57},
    LayoutCase{"a centred line's trailing blank counts in its width", "<center>aaa bbb ccc", {0, 0, 60, 100},
               "[aaa bbb (6,34,54,49)][ccc(21,50,39,65)]", 65},
    LayoutCase{"a text taller than the rectangle starts at its top", "abc", {0, 0, 100, 10}, "[abc(0,0,18,15)]", 15},
    LayoutCase{"vertical centring uses the absolute bottom", "abc", {0, 50, 100, 150}, "[abc(0,67,18,82)]", 82}
));

TEST(DrawerLayout, EmptyTextsYieldNothing) {
    for (const char* pszMarkup : {"", "<b></b>", "</font><center>"}) {
        CFixedMetricDevice dc;
        CHTMLDrawer drawer;
        EXPECT_EQ(0, drawer.Layout(dc, pszMarkup, CHTMLFont(), {0, 0, 100, 100}, 0)) << pszMarkup;
        EXPECT_TRUE(drawer.GetAtoms().empty()) << pszMarkup;
        EXPECT_EQ(0, drawer.GetLinkCount()) << pszMarkup;
    }
}

TEST(DrawerLayout, ALayoutReplacesTheWholeContent) {
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Layout(dc, "<a href=u>link</a> and text", CHTMLFont(), {0, 0, 200, 100}, 0);
    EXPECT_EQ(1, drawer.GetLinkCount());
    drawer.Layout(dc, "plain", CHTMLFont(), {0, 0, 200, 100}, 0);
    EXPECT_EQ("[plain(0,42,30,57)]", Describe(drawer));
    EXPECT_EQ(0, drawer.GetLinkCount());
}

TEST(DrawerLayout, LinesAreNumberedAndPlaceholdersStandApart) {
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Layout(dc, "<center>aaa bbb ccc\r\n\r\nd", CHTMLFont(), {0, 0, 60, 100}, 0);
    std::vector<std::int32_t> arrLines;
    for (const auto& pAtom : drawer.GetAtoms()) arrLines.push_back(pAtom->m_nLine);
    EXPECT_EQ((std::vector<std::int32_t>{0, 1, CHTMLAtom::kNoLine, 3}), arrLines);
    EXPECT_EQ(0, drawer.GetAtoms()[2]->m_rect.left) << "the placeholder is not centred";
    EXPECT_EQ(27, drawer.GetAtoms()[3]->m_rect.left) << "the line after it is";
}

TEST(DrawerLayout, FontsAreRealisedWithTheHeightFormula) {
    const struct {
        int nLogPixelsY;
        const char* pszMarkup;
        int nHeight;
    } cases[] = {{96, "x", -13}, {96, "<font size=5>x", -20}, {96, "<font size=4>x", -15}, {120, "x", -16},
                 {72, "<font size=1>x", -6}, {96, "<font size=+2147483647>x", -16384}};
    for (const auto& c : cases) {
        CFixedMetricDevice dc;
        dc.nLogPixelsY = c.nLogPixelsY;
        CHTMLDrawer drawer;
        drawer.Layout(dc, c.pszMarkup, CHTMLFont(), {0, 0, 100, 100}, 0);
        ASSERT_FALSE(dc.arrFonts.empty());
        EXPECT_EQ(c.nHeight, dc.arrFonts.back().nHeight) << c.pszMarkup << " at " << c.nLogPixelsY << " dpi";
    }
    EXPECT_EQ(-13, HtmlFontHeight(96, 10.0));
    EXPECT_EQ(-8, HtmlFontHeight(96, 6.25)) << "truncated toward zero";
    EXPECT_EQ(0, HtmlFontHeight(96, 0.0 / 0.0));
}

// Code page 949: 가 B0A1, 나 B3AA, 다 B4D9; 갂 8141 has a trail byte that reads as the letter 'A'.
const char kGaNaDa[] = "\xB0\xA1\xB3\xAA\xB4\xD9";

TEST(TrimLastWord, CutsAWordOrOneCharacter) {
    const struct {
        std::string strPiece;
        std::string strExpected;
    } cases[] = {
        {"hello world", "hello "},  {"hello ", "hello"},        {"abc", ""},           {"12", "1"},
        {"a.", "a"},                {"ab,cd", "ab,"},           {"", ""},              {"ab\xB0\xA1", "ab"},
        {"\xB0\xA1" "ab", "\xB0\xA1"}, {"\x81\x41", ""},        {"x\x81\x41yz", "x\x81\x41"},
        {"ab\xB0", "ab"},  // a lone lead byte at the end is one character
    };
    for (const auto& c : cases) {
        std::string strPiece = c.strPiece;
        CHTMLDrawer::TrimLastWord(strPiece);
        EXPECT_EQ(c.strExpected, strPiece) << "piece \"" << c.strPiece << "\"";
    }
}

TEST(DrawerLayout, DoubleByteTextBreaksBetweenWholeCharacters) {
    // Each character is 12 pixels wide.
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Layout(dc, kGaNaDa, CHTMLFont(), {0, 0, 30, 100}, 0);
    EXPECT_EQ(std::string("[\xB0\xA1\xB3\xAA(0,34,24,49)][\xB4\xD9(0,50,12,65)]"), Describe(drawer));

    // Narrower than one character: the fallback keeps the first character whole.
    drawer.Layout(dc, kGaNaDa, CHTMLFont(), {0, 0, 10, 100}, 0);
    EXPECT_EQ(std::string("[\xB0\xA1(0,26,12,41)][\xB3\xAA(0,42,12,57)][\xB4\xD9(0,58,12,73)]"), Describe(drawer));

    // The fallback adds whole characters: 25 pixels hold two of them (24), not two and a half.
    drawer.Layout(dc, "\x81\x41\x81\x41\x81\x41", CHTMLFont(), {0, 0, 25, 100}, 0);
    EXPECT_EQ(std::string("[\x81\x41\x81\x41(0,34,24,49)][\x81\x41(0,50,12,65)]"), Describe(drawer));
}

TEST(DrawerLayout, KoreanTextWrapsIntoWholeCharactersOnly) {
    std::string strText;
    for (int i = 0; i < 40; ++i) strText += (i % 7 == 6) ? std::string(" ") : std::string(kGaNaDa, 2 * (i % 3), 2);
    for (int nWidth = 1; nWidth < 200; nWidth += 7) {
        CFixedMetricDevice dc;
        CHTMLDrawer drawer;
        drawer.Layout(dc, strText, CHTMLFont(), {0, 0, nWidth, 1000}, 0);
        std::string strJoined;
        for (const auto& pAtom : drawer.GetAtoms()) {
            const std::string& s = pAtom->m_strText;
            size_t i = 0;
            while (i < s.size()) i += static_cast<unsigned char>(s[i]) >= 0x81 ? 2 : 1;
            EXPECT_EQ(s.size(), i) << "run \"" << s << "\" ends inside a character at width " << nWidth;
            if (pAtom->m_nLine != CHTMLAtom::kNoLine) strJoined += s;
        }
        std::string strWithoutBlanks, strJoinedWithoutBlanks;
        for (char c : strText) if (c != ' ') strWithoutBlanks += c;
        for (char c : strJoined) if (c != ' ') strJoinedWithoutBlanks += c;
        EXPECT_EQ(strWithoutBlanks, strJoinedWithoutBlanks) << "no character lost at width " << nWidth;
    }
}

// A link of two runs on two lines: "aaaa " and "bbbb".
class DrawerLinks : public ::testing::Test {
protected:
    void SetUp() override {
        drawer.Layout(dc, "x <a href=target>aaaa bbbb</a> y", CHTMLFont(), {0, 0, 48, 100}, 0);
        for (const auto& pAtom : drawer.GetAtoms()) {
            if (!pAtom->m_strURL.empty()) arrLinks.push_back(pAtom.get());
        }
    }
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    std::vector<CHTMLAtom*> arrLinks;
};

TEST_F(DrawerLinks, AWrappedLinkBecomesOneRunPerLine) {
    EXPECT_EQ("[x (0,34,12,49)][aaaa (12,34,42,49)][bbbb(0,50,24,65)][ y(24,50,36,65)]", Describe(drawer));
    ASSERT_EQ(2u, arrLinks.size());
    EXPECT_EQ(2, drawer.GetLinkCount());
    EXPECT_EQ("target", arrLinks[1]->m_strURL);
}

TEST_F(DrawerLinks, HitTestingCountsLeftAndTopEdgesInside) {
    const struct {
        int x, y;
        int nLink;  // index into arrLinks, -1 for none
    } cases[] = {{12, 34, 0}, {41, 48, 0}, {42, 34, -1}, {12, 49, -1}, {11, 40, -1},
                 {0, 50, 1},  {23, 64, 1}, {24, 55, -1}, {30, 40, 0},  {-1, -1, -1}};
    for (const auto& c : cases) {
        CHTMLAtom* pFound = nullptr;
        bool isHit = drawer.HitTestLink(c.x, c.y, &pFound);
        EXPECT_EQ(c.nLink >= 0, isHit) << "(" << c.x << "," << c.y << ")";
        if (c.nLink >= 0) {
            EXPECT_EQ(arrLinks[c.nLink], pFound) << "(" << c.x << "," << c.y << ")";
        }
    }
    EXPECT_TRUE(drawer.HitTestLink(12, 34, nullptr));
}

TEST_F(DrawerLinks, HotMarksArePerRunAndReportTheChangedRectangle) {
    HtmlRect rct;
    EXPECT_TRUE(drawer.SetHotLink(arrLinks[1], rct));
    EXPECT_EQ(arrLinks[1]->m_rect, rct);
    EXPECT_EQ(0, arrLinks[0]->m_bHot);
    EXPECT_EQ(1, arrLinks[1]->m_bHot);

    HtmlRect rctAgain;
    EXPECT_FALSE(drawer.SetHotLink(arrLinks[1], rctAgain)) << "no change, nothing to repaint";
    EXPECT_TRUE(rctAgain.IsEmpty());

    HtmlRect rctMove;
    EXPECT_TRUE(drawer.SetHotLink(arrLinks[0], rctMove));
    EXPECT_EQ((HtmlRect{0, 34, 42, 65}), rctMove) << "both runs changed: their union";

    HtmlRect rctGiven{100, 100, 110, 110};
    EXPECT_TRUE(drawer.SetHotLink(nullptr, rctGiven));
    EXPECT_EQ((HtmlRect{12, 34, 110, 110}), rctGiven) << "united with what the caller gave";
    EXPECT_EQ(0, arrLinks[0]->m_bHot);
    EXPECT_EQ(0, arrLinks[1]->m_bHot);
}

TEST_F(DrawerLinks, DrawUsesTheHoverColourAndUnderlineOnlyForTheHotRun) {
    HtmlRect rct;
    drawer.SetHotLink(arrLinks[1], rct);
    dc.arrFonts.clear();
    drawer.Draw(dc, 0x0000FF, 1);
    ASSERT_EQ(4u, dc.arrDrawn.size());
    EXPECT_TRUE(dc.isTransparent);
    for (size_t i = 0; i < dc.arrDrawn.size(); ++i) {
        const auto& run = dc.arrDrawn[i];
        bool isHot = i == 2;
        EXPECT_EQ(drawer.GetAtoms()[i]->m_strText, run.strText);
        EXPECT_EQ(drawer.GetAtoms()[i]->m_rect, run.rct);
        EXPECT_EQ(isHot ? 0x0000FFu : 0u, run.crText) << "run " << i;
        EXPECT_EQ(isHot ? 1 : 0, run.fnt.m_bUnderline) << "run " << i;
        EXPECT_EQ(-13, run.nHeight);
    }
    EXPECT_EQ(CFixedMetricDevice::kDeviceFont, dc.hSelected);
    EXPECT_EQ(CFixedMetricDevice::kDeviceColor, dc.crText);
    EXPECT_EQ(0, dc.LiveFonts());
    EXPECT_EQ(0, dc.nBadCalls);

    dc.arrDrawn.clear();
    drawer.Draw(dc, 0x0000FF, 0);
    EXPECT_EQ(0, dc.arrDrawn[2].fnt.m_bUnderline) << "hover underline off";
    EXPECT_EQ(0x0000FFu, dc.arrDrawn[2].crText);
}

TEST(DrawerDraw, RunsKeepTheirOwnFontAndColour) {
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Layout(dc, "<font color=blue size=4><b>T</b></font><i>i</i>", CHTMLFont(), {0, 0, 100, 100}, 0);
    dc.arrFonts.clear();
    drawer.Draw(dc, 0x0000FF, 1);
    ASSERT_EQ(2u, dc.arrDrawn.size());
    EXPECT_EQ(0xFF0000u, dc.arrDrawn[0].crText);
    EXPECT_EQ(1, dc.arrDrawn[0].fnt.m_bBold);
    EXPECT_EQ(-15, dc.arrDrawn[0].nHeight);
    EXPECT_EQ(0u, dc.arrDrawn[1].crText);
    EXPECT_EQ(1, dc.arrDrawn[1].fnt.m_bItalic);
    EXPECT_EQ(0, dc.arrDrawn[1].fnt.m_bBold);
}

TEST(DrawerDraw, NothingToDrawSelectsNothing) {
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Draw(dc, 0x0000FF, 1);
    EXPECT_TRUE(dc.arrFonts.empty());
    EXPECT_TRUE(dc.arrDrawn.empty());
    EXPECT_EQ(CFixedMetricDevice::kDeviceColor, dc.crText);
}

TEST(DrawerLayout, LongWordsInANarrowRectangleAreMeasuredFewTimes) {
    // One run of 4000 digits, one per line: trying every cut one after the other would measure
    // millions of times.
    CFixedMetricDevice dc;
    CHTMLDrawer drawer;
    drawer.Layout(dc, std::string(4000, '7'), CHTMLFont(), {0, 0, 6, 100000}, 0);
    EXPECT_EQ(4000u, drawer.GetAtoms().size());
    EXPECT_LT(dc.nExtentCalls, 4000 * 30) << "measurements";
}

}  // namespace
