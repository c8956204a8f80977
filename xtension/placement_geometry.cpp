#include "xtension/placement_geometry.h"

#include <cstdio>

XtFixedRect PlacementBounds(const XtFixedRect& rctVisible) {
    const XtFixed kHalfUnit = kXtOneUnit / 2;
    XtFixedRect rct;
    rct.top = rctVisible.top - kHalfUnit;
    rct.left = rctVisible.left - kHalfUnit;
    rct.bottom = rct.top + kXtOneUnit;
    rct.right = rct.left + kXtOneUnit;
    return rct;
}

XtFixedPoint CentredPosition(const XtFixedRect& rctVisible, const XtFixedPoint& ptPictureExtent) {
    long long nAreaWidth = static_cast<long long>(rctVisible.right) - rctVisible.left;
    long long nAreaHeight = static_cast<long long>(rctVisible.bottom) - rctVisible.top;
    XtFixedPoint pt;
    pt.h = static_cast<XtFixed>((nAreaWidth - ptPictureExtent.h) / 2);
    pt.v = static_cast<XtFixed>((nAreaHeight - ptPictureExtent.v) / 2);
    return pt;
}

std::string DataFileName(long long nTime, int nAttempt) {
    char szName[64];
    if (nAttempt == 0)
        snprintf(szName, sizeof(szName), "%lld.eps", nTime);
    else
        snprintf(szName, sizeof(szName), "%lld_%d.eps", nTime, nAttempt);
    return szName;
}
