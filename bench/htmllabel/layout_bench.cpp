// CHTMLDrawer::Layout of the longest of the system's texts into the label rectangle of the guard's
// dialog, against DrawTextA(DT_WORDBREAK | DT_CALCRECT) of the same text without markup in the label's
// base font (Times New Roman, 10 points), both measured in turns in the same run on the same device
// context. Prints both medians and the median of the per-turn ratios.
#include "htmllabel/gdi_device.h"
#include "htmllabel/html_drawer.h"
#include "tests/support/htmllabel/system_texts.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

double Median(std::vector<double> arr) {
    std::sort(arr.begin(), arr.end());
    return arr[arr.size() / 2];
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    const bool kKorean = true;
    std::string strLongest;
    for (bool isKorean : {kKorean, !kKorean}) {
        for (const auto& text : lqtexts::AllTexts(isKorean)) {
            if (text.strHtml.size() > strLongest.size()) strLongest = text.strHtml;
        }
    }
    // The same text as GDI sees it: the runs' texts without the markup.
    CHTMLAtomList arrRuns;
    ParseHTML(strLongest, CHTMLFont(), arrRuns, 0);
    std::string strPlain;
    for (const auto& pRun : arrRuns) strPlain += pRun->m_strText;

    HWND hDlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(lqtexts::kGuardDialog), nullptr,
                                   QuietDialogProc, 0);
    HWND hLabel = hDlg ? GetDlgItem(hDlg, 1005) : nullptr;
    if (!hLabel) {
        std::printf("bench_htmllabel_layout: the guard dialog could not be created\n");
        return 1;
    }
    RECT rctClient;
    GetClientRect(hLabel, &rctClient);
    RECT rctLayout = rctClient;
    InflateRect(&rctLayout, -5, -5);
    HtmlRect rct{rctLayout.left, rctLayout.top, rctLayout.right, rctLayout.bottom};

    HDC hDC = GetDC(hLabel);
    CHTMLGdiDevice dc(hDC);
    CHTMLFont fntBase;
    HFONT hBaseFont = CreateFontA(HtmlFontHeight(GetDeviceCaps(hDC, LOGPIXELSY), fntBase.m_dPointSize), 0, 0, 0, 400,
                                  0, 0, 0, 0, 0, 0, 0, 0, fntBase.m_strFace.c_str());

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    CHTMLDrawer drawer;
    const int kWarmUp = 20, kTurns = 301;
    std::vector<double> arrLayout, arrGdi, arrRatio;
    int nLayoutBottom = 0, nGdiBottom = 0;
    for (int i = 0; i < kWarmUp + kTurns; ++i) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        nLayoutBottom = drawer.Layout(dc, strLongest, fntBase, rct, 0);
        QueryPerformanceCounter(&t1);
        HGDIOBJ hOld = SelectObject(hDC, hBaseFont);
        RECT rctCalc = rctLayout;
        DrawTextA(hDC, strPlain.c_str(), static_cast<int>(strPlain.size()), &rctCalc, DT_WORDBREAK | DT_CALCRECT);
        SelectObject(hDC, hOld);
        QueryPerformanceCounter(&t2);
        nGdiBottom = rctCalc.bottom;
        if (i < kWarmUp) continue;
        double dLayout = Seconds(t0, t1, frequency), dGdi = Seconds(t1, t2, frequency);
        arrLayout.push_back(dLayout);
        arrGdi.push_back(dGdi);
        arrRatio.push_back(dLayout / dGdi);
    }
    DeleteObject(hBaseFont);
    ReleaseDC(hLabel, hDC);
    DestroyWindow(hDlg);

    std::printf("text: %u bytes, %u runs; label rectangle %ld x %ld; %u lines laid out, bottom %d (GDI bottom %d)\n",
                static_cast<unsigned>(strLongest.size()), static_cast<unsigned>(arrRuns.size()),
                rctLayout.right - rctLayout.left, rctLayout.bottom - rctLayout.top,
                static_cast<unsigned>(drawer.GetAtoms().empty() ? 0 : drawer.GetAtoms().back()->m_nLine + 1),
                nLayoutBottom, nGdiBottom);
    std::printf("median Layout %.1f us, median DrawTextA(DT_WORDBREAK|DT_CALCRECT) %.1f us over %d turns\n",
                Median(arrLayout) * 1e6, Median(arrGdi) * 1e6, kTurns);
    std::printf("median ratio Layout / DrawTextA: %.2f\n", Median(arrRatio));
    return 0;
}
