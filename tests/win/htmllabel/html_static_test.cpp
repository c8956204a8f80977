// CHTMLStatic on a real Windows machine, in dialogs shaped like the setup program's own.
//
// Covered: every text of the system in the machine's language (Korean on a Korean machine, English
// otherwise) laid out inside its label, centred lines centred, the blue bold title, a screenshot of each
// for review; a link run turning red and underlined under the mouse and back; a click on a link opening
// its target through the shell (a stand-in program registered for the target's type records it); the
// ".htm" fallback and its command-line limit; layout again after a resize; no hover timer without links;
// the hand cursor taken from the help program loaded as a data file, or the system's where the help
// program has none (Wine's, like Windows 10's stub), always the label's own copy.
#include "htmllabel/html_static.h"

#include "framework/dialog.h"
#include "tests/support/htmllabel/system_texts.h"
#include "tests/support/machine_facts.h"
#include "tests/support/screenshots.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using lqtest::IsKoreanMachine;

void PumpFor(DWORD nMilliseconds) {
    DWORD nStart = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - nStart < nMilliseconds);
}

class LabelDialog : public CDialog {
public:
    LabelDialog(UINT nTemplate, std::vector<int> arrLabelIds) : CDialog(nTemplate), m_arrLabelIds(arrLabelIds) {
        for (size_t i = 0; i < arrLabelIds.size(); ++i) m_arrLabels.push_back(std::make_unique<CHTMLStatic>());
    }

    CHTMLStatic& Label(int nId) {
        for (size_t i = 0; i < m_arrLabelIds.size(); ++i) {
            if (m_arrLabelIds[i] == nId) return *m_arrLabels[i];
        }
        return *m_arrLabels.at(99);
    }

    bool Open() {
        if (!Create(m_nIDTemplate, nullptr)) return false;
        SetWindowPos(m_hWnd, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        return true;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        for (size_t i = 0; i < m_arrLabelIds.size(); ++i) DDX_Control(pDX, m_arrLabelIds[i], *m_arrLabels[i]);
    }

private:
    std::vector<int> m_arrLabelIds;
    std::vector<std::unique_ptr<CHTMLStatic>> m_arrLabels;
};

std::string ShotName(const std::string& strName) {
    return std::string("htmllabel_") + (IsKoreanMachine() ? "ko_" : "en_") + strName;
}

RECT ScreenRectOf(HWND hWnd, const HtmlRect& rct) {
    POINT ptTopLeft{rct.left, rct.top}, ptBottomRight{rct.right, rct.bottom};
    ClientToScreen(hWnd, &ptTopLeft);
    ClientToScreen(hWnd, &ptBottomRight);
    return RECT{ptTopLeft.x, ptTopLeft.y, ptBottomRight.x, ptBottomRight.y};
}

bool IsReddish(COLORREF cr) { return GetRValue(cr) > 180 && GetGValue(cr) < 90 && GetBValue(cr) < 90; }
bool IsBluish(COLORREF cr) { return GetBValue(cr) > 180 && GetRValue(cr) < 90 && GetGValue(cr) < 90; }

// Pixels of a screen rectangle that satisfy fnTest, and the longest horizontal run of them in one row
// of the rectangle's lower third (an underline).
struct PixelCount {
    int nMatching = 0;
    int nLongestLowRow = 0;
};

template <typename Test>
PixelCount CountPixels(const RECT& rct, Test fnTest) {
    PixelCount count;
    HDC hScreen = GetDC(nullptr);
    int nLowFrom = rct.top + (rct.bottom - rct.top) * 2 / 3;
    for (int y = rct.top; y < rct.bottom; ++y) {
        int nRun = 0;
        for (int x = rct.left; x < rct.right; ++x) {
            bool isMatch = fnTest(GetPixel(hScreen, x, y));
            if (isMatch) ++count.nMatching;
            nRun = isMatch ? nRun + 1 : 0;
            if (y >= nLowFrom && nRun > count.nLongestLowRow) count.nLongestLowRow = nRun;
        }
    }
    ReleaseDC(nullptr, hScreen);
    return count;
}

// The atoms of one output line, by index range, in text order.
struct LineSpan {
    size_t nFirst;
    size_t nLast;
};

std::vector<LineSpan> Lines(const CHTMLAtomList& arrAtoms) {
    std::vector<LineSpan> arrLines;
    for (size_t i = 0; i < arrAtoms.size(); ++i) {
        if (i == 0 || arrAtoms[i]->m_nLine != arrAtoms[i - 1]->m_nLine) arrLines.push_back({i, i});
        else arrLines.back().nLast = i;
    }
    return arrLines;
}

void ExpectLaidOutInside(CHTMLStatic& label, const lqtexts::LabelText& text) {
    SCOPED_TRACE(text.pszName);
    RECT rctClient;
    GetClientRect(label.GetSafeHwnd(), &rctClient);
    const CHTMLAtomList& arrAtoms = label.GetDrawer().GetAtoms();
    ASSERT_FALSE(arrAtoms.empty()) << "the text was laid out on the first paint";
    for (const auto& pAtom : arrAtoms) {
        const HtmlRect& r = pAtom->m_rect;
        if (!text.bFitsLabel) {
            EXPECT_TRUE(r.left >= 0 && r.right <= rctClient.right) << "run \"" << pAtom->m_strText << "\" too wide";
            continue;
        }
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= rctClient.right && r.bottom <= rctClient.bottom)
            << "run \"" << pAtom->m_strText << "\" at (" << r.left << "," << r.top << ")-(" << r.right << ","
            << r.bottom << ") is cut by the label's client area " << rctClient.right << " x " << rctClient.bottom;
    }
    for (const LineSpan& line : Lines(arrAtoms)) {
        const CHTMLAtom& first = *arrAtoms[line.nFirst];
        if (first.m_nAlignment != kAlignCenter) continue;
        int nLeftMargin = first.m_rect.left - 5;
        int nRightMargin = (rctClient.right - 5) - arrAtoms[line.nLast]->m_rect.right;
        EXPECT_TRUE(nRightMargin - nLeftMargin == 0 || nRightMargin - nLeftMargin == 1)
            << "centred line starting \"" << first.m_strText << "\": left margin " << nLeftMargin
            << ", right margin " << nRightMargin;
    }
}

void ExpectBlueBoldTitle(CHTMLStatic& label) {
    const CHTMLAtom& title = *label.GetDrawer().GetAtoms().front();
    EXPECT_EQ(RGB(0, 0, 255), title.m_font.m_crColor) << "title colour";
    EXPECT_EQ(1, title.m_font.m_bBold) << "title weight";
    EXPECT_EQ(4, title.m_font.m_nHtmlSize) << "title HTML size";
    EXPECT_DOUBLE_EQ(11.25, title.m_font.m_dPointSize) << "title point size";
    PixelCount blue = CountPixels(ScreenRectOf(label.GetSafeHwnd(), title.m_rect), IsBluish);
    EXPECT_GT(blue.nMatching, 20) << "blue pixels drawn in the title run \"" << title.m_strText << "\"";
}

TEST(HtmlStatic, EverySystemTextIsLaidOutInsideItsLabelAndCentredWhereAsked) {
    bool isKorean = IsKoreanMachine();
    std::vector<lqtexts::LabelText> arrTexts = lqtexts::AllTexts(isKorean);

    // The main dialog shows its three labels together.
    {
        LabelDialog dlg(lqtexts::kMainDialog, {1003, 1004, 1005});
        ASSERT_TRUE(dlg.Open());
        for (const auto& text : arrTexts) {
            if (text.nDialogId == lqtexts::kMainDialog) dlg.Label(text.nLabelId).SetHtmlText(text.strHtml);
        }
        PumpFor(300);
        for (const auto& text : arrTexts) {
            if (text.nDialogId == lqtexts::kMainDialog) ExpectLaidOutInside(dlg.Label(text.nLabelId), text);
        }
        const CHTMLAtom& banner = *dlg.Label(1003).GetDrawer().GetAtoms().front();
        EXPECT_EQ("Letterquarry 5.981", banner.m_strText);
        EXPECT_DOUBLE_EQ(15.0, banner.m_font.m_dPointSize) << "the banner is size 5";
        EXPECT_GT(CountPixels(ScreenRectOf(dlg.Label(1003).GetSafeHwnd(), banner.m_rect), IsBluish).nMatching, 20)
            << "the banner is drawn in blue";
        EXPECT_TRUE(lqtest::Screenshot(ShotName("main_dialog"), dlg.GetSafeHwnd()));
    }

    for (const auto& text : arrTexts) {
        if (text.nDialogId == lqtexts::kMainDialog) continue;
        LabelDialog dlg(static_cast<UINT>(text.nDialogId), {text.nLabelId});
        ASSERT_TRUE(dlg.Open()) << text.pszName;
        CHTMLStatic& label = dlg.Label(text.nLabelId);
        label.SetHtmlText(text.strHtml);
        PumpFor(300);
        EXPECT_EQ(text.strHtml, label.GetHtmlText()) << text.pszName;
        EXPECT_EQ(HtmlPlainText(text.strHtml), label.GetWindowText()) << text.pszName << ": the window text is plain";
        ExpectLaidOutInside(label, text);
        if (text.bHasTitle) ExpectBlueBoldTitle(label);
        EXPECT_EQ(0, label.GetDrawer().GetLinkCount()) << text.pszName << ": the system's texts hold no link";
        EXPECT_FALSE(KillTimer(label.GetSafeHwnd(), CHTMLStatic::kHoverTimerId))
            << text.pszName << ": no hover timer runs without a link";
        EXPECT_TRUE(lqtest::Screenshot(ShotName(text.pszName), dlg.GetSafeHwnd()));
    }
}

TEST(HtmlStatic, ALabelWithoutTextPaintsOnlyItsBackground) {
    LabelDialog dlg(lqtexts::kDeleteDialog, {1005});
    ASSERT_TRUE(dlg.Open());
    SetDlgItemTextA(dlg.GetSafeHwnd(), 1005, "TEMPLATE TEXT THAT IS NEVER DRAWN");
    PumpFor(300);
    CHTMLStatic& label = dlg.Label(1005);
    EXPECT_TRUE(label.GetDrawer().GetAtoms().empty());
    EXPECT_FALSE(KillTimer(label.GetSafeHwnd(), CHTMLStatic::kHoverTimerId)) << "no hover timer";
    RECT rctClient;
    GetClientRect(label.GetSafeHwnd(), &rctClient);
    HtmlRect rct{0, 0, rctClient.right, rctClient.bottom};
    COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    PixelCount other = CountPixels(ScreenRectOf(label.GetSafeHwnd(), rct), [crFace](COLORREF cr) { return cr != crFace; });
    EXPECT_EQ(0, other.nMatching) << "pixels that are not the button face colour";
}

// The system's colours changed while the label shows: its next paint takes them, and the blue title, which
// would not stand out on black (2.4:1), gives way to the text colour.
TEST(HtmlStatic, ColoursFollowTheSystemsSchemeWhenItChanges) {
    LabelDialog dlg(lqtexts::kDeleteDialog, {1005});
    ASSERT_TRUE(dlg.Open());
    CHTMLStatic& label = dlg.Label(1005);
    label.SetHtmlText(lqtexts::UninstallConfirmation(IsKoreanMachine()));
    PumpFor(300);
    const int arrElements[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF arrOrdinary[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    const COLORREF arrBlack[] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    ASSERT_TRUE(SetSysColors(2, arrElements, arrBlack));
    PumpFor(300);
    const HWND hLabel = label.GetSafeHwnd();
    const RECT rctTitle = ScreenRectOf(hLabel, label.GetDrawer().GetAtoms().front()->m_rect);
    const int nWhite = CountPixels(rctTitle, [](COLORREF cr) { return cr == RGB(255, 255, 255); }).nMatching;
    const int nBlue = CountPixels(rctTitle, IsBluish).nMatching;
    const COLORREF crCorner = uidriver::ScreenPixel(ScreenRectOf(hLabel, {1, 1, 2, 2}).left, ScreenRectOf(hLabel, {1, 1, 2, 2}).top);
    lqtest::Screenshot(ShotName("black_scheme"), dlg.GetSafeHwnd());
    SetSysColors(2, arrElements, arrOrdinary);
    EXPECT_GT(nWhite, 20) << "white pixels in the title";
    EXPECT_EQ(0, nBlue) << "blue pixels in the title";
    EXPECT_EQ(RGB(0, 0, 0), crCorner) << std::hex << "the background is the new button face";
}

TEST(HtmlStatic, ResizingLaysTheTextOutAgainForTheNewWidth) {
    LabelDialog dlg(lqtexts::kGuardDialog, {1005});
    ASSERT_TRUE(dlg.Open());
    CHTMLStatic& label = dlg.Label(1005);
    label.SetHtmlText(lqtexts::GuardText(IsKoreanMachine(), "Excel"));
    PumpFor(300);
    size_t nWideAtoms = label.GetDrawer().GetAtoms().size();
    SetWindowPos(label.GetSafeHwnd(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(300);
    size_t nNarrowAtoms = label.GetDrawer().GetAtoms().size();
    EXPECT_GT(nNarrowAtoms, nWideAtoms) << "a narrower label wraps into more runs";
    RECT rctClient;
    GetClientRect(label.GetSafeHwnd(), &rctClient);
    ASSERT_EQ(200, rctClient.right);
    for (const auto& pAtom : label.GetDrawer().GetAtoms()) {
        EXPECT_LE(pAtom->m_rect.right, rctClient.right) << "run \"" << pAtom->m_strText << "\" inside the new width";
    }
}

// A link long enough to wrap over two lines of the test label.
const char kLinkTarget[] = "C:\\lqtest\\page.lqpage";
std::string LinkText() {
    return std::string("<center>See <a href=\"") + kLinkTarget +
           "\">the Letterquarry test page with a title long enough to wrap over two lines</a> now.</center>";
}

std::vector<CHTMLAtom*> LinkRuns(CHTMLStatic& label) {
    std::vector<CHTMLAtom*> arrLinks;
    for (const auto& pAtom : label.GetDrawer().GetAtoms()) {
        if (!pAtom->m_strURL.empty()) arrLinks.push_back(pAtom.get());
    }
    return arrLinks;
}

void MoveCursorTo(HWND hWnd, const HtmlRect& rct) {
    POINT pt{(rct.left + rct.right) / 2, (rct.top + rct.bottom) / 2};
    ClientToScreen(hWnd, &pt);
    SetCursorPos(pt.x, pt.y);
}

// Whether the underline of the run's font, hot, lies inside the run's text cell (DrawTextA clips to it).
bool UnderlineFitsTheCell(HWND hLabel, const CHTMLAtom& run) {
    HDC hDC = GetDC(hLabel);
    HFONT hFont = CreateFontA(HtmlFontHeight(GetDeviceCaps(hDC, LOGPIXELSY), run.m_font.m_dPointSize), 0, 0, 0,
                              run.m_font.m_bBold ? 700 : 400, 0, 1, 0, 0, 0, 0, 0, 0, run.m_font.m_strFace.c_str());
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    OUTLINETEXTMETRICA otm[4] = {};
    bool isInside = true;
    if (GetOutlineTextMetricsA(hDC, sizeof otm, otm)) {
        int nUnderlineBottom = otm[0].otmTextMetrics.tmAscent - otm[0].otmsUnderscorePosition +
                               static_cast<int>(otm[0].otmsUnderscoreSize);
        isInside = nUnderlineBottom <= run.m_rect.bottom - run.m_rect.top;
    }
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    ReleaseDC(hLabel, hDC);
    return isInside;
}

TEST(HtmlStatic, TheLinkRunUnderTheMouseTurnsRedAndUnderlinedAndBack) {
    LabelDialog dlg(lqtexts::kLinkDialog, {1005});
    ASSERT_TRUE(dlg.Open());
    CHTMLStatic& label = dlg.Label(1005);
    HWND hLabel = label.GetSafeHwnd();
    SetCursorPos(0, 0);
    label.SetHtmlText(LinkText());
    PumpFor(300);
    EXPECT_EQ("See the Letterquarry test page with a title long enough to wrap over two lines now.",
              label.GetWindowText()) << "the window text is the text shown, without its mark-up";
    EXPECT_EQ(SS_NOTIFY | SS_NOPREFIX, GetWindowLongA(hLabel, GWL_STYLE) & (SS_NOTIFY | SS_NOPREFIX));
    std::vector<CHTMLAtom*> arrLinks = LinkRuns(label);
    ASSERT_EQ(2u, arrLinks.size()) << "the link wraps into two runs";
    ASSERT_EQ(2, label.GetDrawer().GetLinkCount());
    PixelCount before = CountPixels(ScreenRectOf(hLabel, arrLinks[1]->m_rect), IsReddish);
    EXPECT_EQ(0, before.nMatching) << "a link is drawn in its own colour until it is hot";

    HCURSOR hArrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(hArrow);
    MoveCursorTo(hLabel, arrLinks[1]->m_rect);
    PumpFor(400);
    EXPECT_EQ(0, arrLinks[0]->m_bHot) << "the other line's run of the same link stays cold";
    EXPECT_EQ(1, arrLinks[1]->m_bHot) << "the run under the mouse is hot";
    EXPECT_TRUE(label.IsOverLink());
    PixelCount hot = CountPixels(ScreenRectOf(hLabel, arrLinks[1]->m_rect), IsReddish);
    int nWidth = arrLinks[1]->m_rect.right - arrLinks[1]->m_rect.left;
    EXPECT_GT(hot.nMatching, 20) << "red pixels in the hot run";
    if (UnderlineFitsTheCell(hLabel, *arrLinks[1])) {
        EXPECT_GE(hot.nLongestLowRow, nWidth * 8 / 10) << "an underline across the hot run of width " << nWidth;
    } else {
        std::printf("note: this machine's font puts its underline below the text cell, where the run's own "
                    "rectangle clips it; the underline is not checked by pixels here\n");
    }
    EXPECT_EQ(0, CountPixels(ScreenRectOf(hLabel, arrLinks[0]->m_rect), IsReddish).nMatching)
        << "no red in the cold run";
    lqtest::Screenshot(ShotName("link_hot"), dlg.GetSafeHwnd());

    MoveCursorTo(hLabel, arrLinks[0]->m_rect);
    PumpFor(400);
    EXPECT_EQ(1, arrLinks[0]->m_bHot) << "moving to the first run makes it hot";
    EXPECT_EQ(0, arrLinks[1]->m_bHot) << "and the second cold";

    SetCursorPos(0, 0);  // outside the label altogether
    PumpFor(400);
    EXPECT_EQ(0, arrLinks[0]->m_bHot);
    EXPECT_EQ(0, arrLinks[1]->m_bHot);
    EXPECT_FALSE(label.IsOverLink());
    EXPECT_EQ(hArrow, GetCursor()) << "leaving the link gives the mouse its cursor back (hand cursor "
                                   << (label.HasHandCursor() ? "loaded" : "not available") << ")";
    EXPECT_EQ(0, CountPixels(ScreenRectOf(hLabel, arrLinks[0]->m_rect), IsReddish).nMatching)
        << "the run's own colour is back";
    EXPECT_TRUE(KillTimer(hLabel, CHTMLStatic::kHoverTimerId)) << "a label with a link polls the mouse";
}

std::string HandlerPath() {
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strExe(szPath);
    return strExe.substr(0, strExe.find_last_of('\\') + 1) + "lq_label_open_handler.exe";
}

void SetClassesRootValue(const std::string& strKey, const std::string& strValue) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr))
        << strKey;
    RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                   static_cast<DWORD>(strValue.size() + 1));
    RegCloseKey(hKey);
}

// Lines the stand-in opener recorded so far.
std::vector<std::string> OpenedCommandLines() {
    std::vector<std::string> arrLines;
    std::ifstream file("C:\\lqtest\\opened.txt");
    std::string strLine;
    while (std::getline(file, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        if (!strLine.empty()) arrLines.push_back(strLine);
    }
    return arrLines;
}

std::vector<std::string> WaitForOpenedCommandLines(size_t nCount) {
    for (int i = 0; i < 100; ++i) {
        std::vector<std::string> arrLines = OpenedCommandLines();
        if (arrLines.size() >= nCount) return arrLines;
        PumpFor(100);
    }
    return OpenedCommandLines();
}

class HtmlStaticOpen : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("C:\\lqtest", nullptr);
        DeleteFileA("C:\\lqtest\\opened.txt");
        std::ofstream(kLinkTarget) << "a page";
    }
};

TEST_F(HtmlStaticOpen, ClickingALinkRunOpensItsTargetWithTheRegisteredProgram) {
    SetClassesRootValue(".lqpage", "LqTestPage");
    SetClassesRootValue("LqTestPage\\shell\\open\\command", "\"" + HandlerPath() + "\" \"%1\"");

    LabelDialog dlg(lqtexts::kLinkDialog, {1005});
    ASSERT_TRUE(dlg.Open());
    CHTMLStatic& label = dlg.Label(1005);
    label.SetHtmlText(LinkText());
    PumpFor(300);
    std::vector<CHTMLAtom*> arrLinks = LinkRuns(label);
    ASSERT_FALSE(arrLinks.empty());

    // Plain text first: nothing opens.
    const CHTMLAtom& plain = *label.GetDrawer().GetAtoms().front();
    ASSERT_TRUE(plain.m_strURL.empty());
    MoveCursorTo(label.GetSafeHwnd(), plain.m_rect);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    PumpFor(1000);
    EXPECT_TRUE(OpenedCommandLines().empty()) << "a click on plain text opens nothing";

    MoveCursorTo(label.GetSafeHwnd(), arrLinks[0]->m_rect);
    PumpFor(200);
    SendInput(2, clicks, sizeof(INPUT));
    PumpFor(200);
    std::vector<std::string> arrOpened = WaitForOpenedCommandLines(1);
    ASSERT_EQ(1u, arrOpened.size()) << "one start of the registered program";
    EXPECT_NE(std::string::npos, arrOpened[0].find(kLinkTarget)) << "command line: " << arrOpened[0];
    EXPECT_NE(std::string::npos, arrOpened[0].find("lq_label_open_handler.exe")) << "command line: " << arrOpened[0];
}

TEST_F(HtmlStaticOpen, WhenTheShellCannotOpenTheProgramRegisteredForHtmGetsTheTarget) {
    SetClassesRootValue(".htm", "LqTestHtm");
    SetClassesRootValue("LqTestHtm\\shell\\open\\command", "\"" + HandlerPath() + "\" \"%1\" --dropped-argument");
    CHTMLStatic label;
    const std::string strMissing = "C:\\lqtest\\missing.zzzq";

    HINSTANCE hResult = label.OpenURL(strMissing, SW_SHOW);
    EXPECT_LE(reinterpret_cast<INT_PTR>(hResult), 32) << "the shell's own failure is returned";
    std::vector<std::string> arrOpened = WaitForOpenedCommandLines(1);
    ASSERT_EQ(1u, arrOpened.size());
    std::string strExpected = "\"" + HandlerPath() + "\"  " + strMissing;
    EXPECT_EQ(strExpected, arrOpened[0]) << "cut before the quoted placeholder, a blank and the target appended";

    // A command line of 520 characters or more is not started (nor cut short).
    std::string strLong = "C:\\lqtest\\" + std::string(600, 'x') + ".zzzq";
    label.OpenURL(strLong, SW_SHOW);
    PumpFor(2000);
    EXPECT_EQ(1u, OpenedCommandLines().size()) << "no second start";
}

TEST(HtmlStatic, QueryClassesRootValueReadsDefaultValuesUpTo259Characters) {
    SetClassesRootValue("LqTestShort", "short value");
    SetClassesRootValue("LqTestLong", std::string(300, 'v'));
    std::string strValue;
    EXPECT_EQ(0, CHTMLStatic::QueryClassesRootValue("LqTestShort", strValue));
    EXPECT_EQ("short value", strValue);
    EXPECT_NE(0, CHTMLStatic::QueryClassesRootValue("LqTestLong", strValue)) << "a longer value fails";
    EXPECT_EQ("", strValue);
    EXPECT_NE(0, CHTMLStatic::QueryClassesRootValue("LqTestAbsent", strValue));
}

// The bits of a cursor's mask and colour bitmaps: equal for copies of one image.
std::vector<BYTE> CursorBits(HCURSOR hCursor) {
    std::vector<BYTE> arrBits;
    ICONINFO info{};
    if (!GetIconInfo(hCursor, &info)) return arrBits;
    for (HBITMAP hBitmap : {info.hbmMask, info.hbmColor}) {
        if (!hBitmap) continue;
        BITMAP bm{};
        GetObjectA(hBitmap, sizeof bm, &bm);
        std::vector<BYTE> arrPart(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
        GetBitmapBits(hBitmap, static_cast<LONG>(arrPart.size()), arrPart.data());
        arrBits.insert(arrBits.end(), arrPart.begin(), arrPart.end());
        DeleteObject(hBitmap);
    }
    return arrBits;
}

TEST(HtmlStatic, HandCursorIsTheHelpProgramsOrTheSystemsOwnCopy) {
    // Seeded with LQ_HELP_HAND: <windows>\winhlp32.exe is the test's help program, with cursor 106 (the
    // same as this binary's), which refuses to load but as data. Otherwise it is Wine's, without cursor 106.
    const bool bHelpHand = getenv("LQ_HELP_HAND") != nullptr;
    const HCURSOR hSystemHand = LoadCursorA(nullptr, IDC_HAND);
    const HCURSOR hExpected = bHelpHand ? LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(106)) : hSystemHand;
    ASSERT_NE(nullptr, hExpected);
    const std::vector<BYTE> arrExpected = CursorBits(hExpected);
    const char* szExpected = bHelpHand ? "cursor 106 of the help program, loaded as data" : "the system's hand";
    {
        CHTMLStatic label;
        ASSERT_TRUE(label.HasHandCursor()) << "expected " << szExpected;
        EXPECT_NE(hSystemHand, label.GetHandCursor()) << "the label destroys its cursor: a copy, not the shared one";
        EXPECT_TRUE(CursorBits(label.GetHandCursor()) == arrExpected) << "expected the image of " << szExpected;
    }
    EXPECT_FALSE(CursorBits(LoadCursorA(nullptr, IDC_HAND)).empty()) << "the system's hand outlives the label";
}

}  // namespace
