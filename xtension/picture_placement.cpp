#include "xtension/picture_placement.h"

#include "xtension/placement_geometry.h"
#include "xtension/xt_module.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

// The stored prefix has two backslashes after the drive letter; Windows reads them as one.
const char kSuitePrefix[] = "c:\\\\ZmtPlugin\\";
const char kDataFolder[] = "QXP_Data";
const char kDefaultSource[] = "FontEmf.dat";

// Later copies within one second get "_1", "_2" ...; a thousand placements in one second cannot happen.
const int kMaxAttempts = 1000;

struct CopyRecord {
    char szFileName[260];
    char szFullPath[260];
};

// Copies pszSource into the data folder under the first free name for nTime. Returns false when the copy
// failed; szFullPath then names a target that does not hold a previously placed picture, so that the
// following import fails instead of placing the wrong picture.
bool CopyIntoDataFolder(const char* pszSource, long long nTime, const char* pszFolder, CopyRecord& record) {
    for (int nAttempt = 0; nAttempt < kMaxAttempts; ++nAttempt) {
        memset(record.szFileName, 0, sizeof(record.szFileName));
        snprintf(record.szFileName, sizeof(record.szFileName), "%s", DataFileName(nTime, nAttempt).c_str());
        snprintf(record.szFullPath, sizeof(record.szFullPath), "%s\\%s", pszFolder, record.szFileName);
        if (GetFileAttributesA(record.szFullPath) != INVALID_FILE_ATTRIBUTES) continue;
        if (CopyFileA(pszSource, record.szFullPath, TRUE)) return true;
        DWORD dwError = GetLastError();
        // Taken between the test and the copy: try the next name.
        if (dwError != ERROR_FILE_EXISTS && dwError != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

void PlaceIntoDocument(const char* pszPath) {
    const XtServices& svc = g_xt.services;
    int16_t nDocument = -1;
    svc.document.pfnCurrentDocument(&nDocument);
    if (nDocument < 0) return;  // the document was closed while the add-in window stayed open

    XtFixedRect rctVisible = {};
    svc.document.pfnVisibleArea(&rctVisible);
    XtFixedRect rctBounds = PlacementBounds(rctVisible);
    XtItem hItem = nullptr;
    if (svc.pictureItems.pfnCreatePictureItem(&rctBounds, &hItem) != 0 || !hItem) return;

    size_t nPathLength = strlen(pszPath);
    int32_t nBlockSize = static_cast<int32_t>(nPathLength + kXtFileRefOverhead);
    XtBlock hBlock = svc.fileRefs.pfnGetFileRef(hItem);
    bool bHaveBlock = false;
    if (!hBlock) {
        hBlock = svc.blocks.pfnNewBlock(nBlockSize);
        bHaveBlock = hBlock != nullptr;
        if (bHaveBlock) {
            memcpy(svc.blocks.pfnBlockData(hBlock) + kXtFileRefPathOffset, pszPath, nPathLength + 1);
            svc.fileRefs.pfnSetFileRef(hItem, hBlock);
        }
    } else if (svc.blocks.pfnResizeBlock(hBlock, nBlockSize) == 0) {
        bHaveBlock = true;
        uint8_t* pData = svc.blocks.pfnBlockData(hBlock);
        memset(pData, 0, static_cast<size_t>(nBlockSize));
        memcpy(pData + kXtFileRefPathOffset, pszPath, nPathLength + 1);
    }

    // No file reference means nothing to import: that counts as a failed import.
    if (!bHaveBlock || svc.import.pfnImportPicture(hItem) != 0) {
        svc.removal.pfnDeleteItem(hItem);
        svc.redraw.pfnRedraw();
        return;
    }
    svc.redraw.pfnRedraw();

    XtFixedPoint ptExtent = {};
    svc.pictureItems.pfnPictureExtent(hItem, &ptExtent);
    XtFixedPoint ptPosition = CentredPosition(rctVisible, ptExtent);
    svc.move.pfnMoveItem(hItem, ptPosition.h, ptPosition.v);
}

}  // namespace

void PlaceRetData(const char* pszRetData) {
    char szFolder[MAX_PATH];
    snprintf(szFolder, sizeof(szFolder), "%s%s", kSuitePrefix, kDataFolder);
    CreateDirectoryA(szFolder, nullptr);

    long long nTime = static_cast<long long>(time(nullptr));
    char szDefault[MAX_PATH];
    snprintf(szDefault, sizeof(szDefault), "%s%s", kSuitePrefix, kDefaultSource);
    const char* pszSource = (pszRetData && *pszRetData) ? pszRetData : szDefault;

    CopyRecord record;
    if (!CopyIntoDataFolder(pszSource, nTime, szFolder, record))
        MessageBoxA(nullptr, "Already exsist target vector font file!!", "Message", MB_OK);

    if (g_xt.isBound) PlaceIntoDocument(record.szFullPath);
}
