#include "setup/dialogs/product_picture.h"

#include "setup/dialogs/resource.h"
#include "util/scoped_gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One source pixel's share of one target pixel along an axis.
struct Tap {
    int nSource;
    double dWeight;
};

// The Catmull-Rom cubic: sharp enough for letterforms when enlarging, without the blocks of copied pixels.
double CubicKernel(double x) {
    x = x < 0 ? -x : x;
    if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
    if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    return 0;
}

// For each of nTarget pixels, the source pixels around the point it samples and their weights, which add
// up to 1. A reduction widens the kernel by the reduction, so that every source pixel counts. Pixels
// beyond the edges repeat the edge.
std::vector<std::vector<Tap>> CubicTaps(int nSource, int nTarget) {
    std::vector<std::vector<Tap>> arrTaps(nTarget);
    const double dScale = static_cast<double>(nTarget) / nSource;
    const double dWidth = dScale < 1 ? 1 / dScale : 1;
    for (int i = 0; i < nTarget; ++i) {
        const double dCentre = (i + 0.5) / dScale - 0.5;
        double dSum = 0;
        for (int j = static_cast<int>(std::floor(dCentre - 2 * dWidth)) + 1; j <= dCentre + 2 * dWidth; ++j) {
            const double dWeight = CubicKernel((j - dCentre) / dWidth);
            if (dWeight == 0) continue;
            arrTaps[i].push_back({std::min(std::max(j, 0), nSource - 1), dWeight});
            dSum += dWeight;
        }
        for (Tap& tap : arrTaps[i]) tap.dWeight /= dSum;
    }
    return arrTaps;
}

// A cx by cy copy of hArt, resampled with the cubic: a 24-bit DIB section, so that a static control of
// version 6 shows it as given (it copies only bitmaps with an alpha channel).
HBITMAP ResampleArt(HBITMAP hArt, int cx, int cy) {
    BITMAP bm{};
    if (!GetObjectA(hArt, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0 || cx <= 0 || cy <= 0)
        return nullptr;
    const int sx = bm.bmWidth;
    const int sy = bm.bmHeight;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = sx;
    bi.bmiHeader.biHeight = -sy;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> arrArt(static_cast<size_t>(sx) * sy);
    const ScopedWindowDC screen(nullptr);
    const int nRows = GetDIBits(screen.Get(), hArt, 0, sy, arrArt.data(), &bi, DIB_RGB_COLORS);

    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    ScopedBitmap copy(nRows == sy ? CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &pBits, nullptr, 0) : nullptr);
    if (!copy || !pBits) return nullptr;

    // Across first (sy rows of cx pixels, three channels each), then down.
    const std::vector<std::vector<Tap>> arrAcross = CubicTaps(sx, cx);
    const std::vector<std::vector<Tap>> arrDown = CubicTaps(sy, cy);
    std::vector<double> arrRows(static_cast<size_t>(sy) * cx * 3);
    for (int y = 0; y < sy; ++y) {
        for (int x = 0; x < cx; ++x) {
            double* pOut = &arrRows[(static_cast<size_t>(y) * cx + x) * 3];
            for (const Tap& tap : arrAcross[x]) {
                const RGBQUAD& px = arrArt[static_cast<size_t>(y) * sx + tap.nSource];
                pOut[0] += px.rgbBlue * tap.dWeight;
                pOut[1] += px.rgbGreen * tap.dWeight;
                pOut[2] += px.rgbRed * tap.dWeight;
            }
        }
    }
    const size_t nStride = (static_cast<size_t>(cx) * 3 + 3) & ~static_cast<size_t>(3);
    BYTE* pCopy = static_cast<BYTE*>(pBits);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            double dChannels[3] = {};
            for (const Tap& tap : arrDown[y]) {
                const double* pIn = &arrRows[(static_cast<size_t>(tap.nSource) * cx + x) * 3];
                for (int c = 0; c < 3; ++c) dChannels[c] += pIn[c] * tap.dWeight;
            }
            // The cubic's negative lobes overshoot at sharp edges.
            for (int c = 0; c < 3; ++c)
                pCopy[y * nStride + x * 3 + c] = static_cast<BYTE>(std::min(255.0, std::max(0.0, dChannels[c] + 0.5)));
        }
    }
    GdiFlush();
    return copy.Release();
}

}  // namespace

ProductPicture::~ProductPicture() {
    // A control that outlives this object must not be left showing a freed bitmap.
    if (m_scaled && IsWindow(m_hControl) &&
        reinterpret_cast<HBITMAP>(SendMessageA(m_hControl, STM_GETIMAGE, IMAGE_BITMAP, 0)) == m_scaled.Get())
        SendMessageA(m_hControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hTemplate));
}

bool ProductPicture::Show(HWND hDlg, int nId) {
    m_hControl = GetDlgItem(hDlg, nId);
    if (!m_hControl || m_scaled) return static_cast<bool>(m_scaled);
    // The picture is decoration, with no name for screen readers. The template's text is the bitmap's
    // resource number, which they would read as a name; it goes past the static control's own handling,
    // which would take an empty text for the name of a bitmap to load and drop the picture.
    DefWindowProcA(m_hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    RECT rctPlace{};
    GetClientRect(m_hControl, &rctPlace);
    // The art comes from the module that holds the dialog's template.
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hDlg, GWLP_HINSTANCE));
    const ScopedBitmap art(static_cast<HBITMAP>(
        LoadImageA(hInstance, MAKEINTRESOURCEA(IDB_PRODUCT_PANEL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP bm{};
    if (!art || !GetObjectA(art.Get(), sizeof bm, &bm) || bm.bmHeight <= 0) return false;
    // As high as the place; as wide as the art's proportions make it, but no wider than the place. The
    // place's proportions follow the dialog font's, which are not the art's on every machine.
    const int cy = rctPlace.bottom;
    const int cx = std::min<int>(rctPlace.right, MulDiv(bm.bmWidth, cy, bm.bmHeight));
    if (cx != bm.bmWidth || cy != bm.bmHeight) {
        m_scaled.Reset(ResampleArt(art.Get(), cx, cy));
        if (!m_scaled) return false;
        m_hTemplate = reinterpret_cast<HBITMAP>(
            SendMessageA(m_hControl, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_scaled.Get())));
    }
    // The control now draws its bitmap at its own size, unstretched.
    SetWindowPos(m_hControl, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
