// The kit's binding glue: asks the host for its service table and fills the module's service tables.
#include "xtension/kit/xt_kit.h"

#include <vector>

#define XT_GROUP(name, request, member, ...)                                                       \
    {name, request, offsetof(XtServices, member), sizeof(XtServices::member) / sizeof(void (*)()), \
     {__VA_ARGS__}}

extern constexpr XtServiceGroup kXtServiceGroups[] = {
    XT_GROUP("menus", 0x584E43B0, menus, kXtSvcGetMenu, kXtSvcNewItemId, kXtSvcAppendItem, kXtSvcEnableItem,
             kXtSvcDisableItem),
    XT_GROUP("document", 0x584E43B1, document, kXtSvcCurrentDocument, kXtSvcVisibleArea),
    XT_GROUP("picture items", 0x584E43B2, pictureItems, kXtSvcCreatePictureItem, kXtSvcPictureExtent),
    XT_GROUP("file references", 0x584E43B3, fileRefs, kXtSvcGetFileRef, kXtSvcSetFileRef),
    XT_GROUP("blocks", 0x584E43B4, blocks, kXtSvcNewBlock, kXtSvcResizeBlock, kXtSvcBlockData),
    XT_GROUP("import", 0x584E43B5, import, kXtSvcImportPicture),
    XT_GROUP("removal", 0x584E43B6, removal, kXtSvcDeleteItem),
    XT_GROUP("redraw", 0x584E43B7, redraw, kXtSvcRedraw),
    XT_GROUP("move", 0x584E43B8, move, kXtSvcMoveItem),
};
const size_t kXtServiceGroupCount = sizeof(kXtServiceGroups) / sizeof(kXtServiceGroups[0]);

namespace {

// Each group lists exactly as many service numbers as its table has slots: a missing number would bind a
// slot to service 0, an extra one would write past the table.
constexpr bool ServiceListsMatchTables() {
    for (const XtServiceGroup& group : kXtServiceGroups) {
        if (group.nServices == 0 || group.nServices > kXtMaxGroupServices) return false;
        for (size_t i = 0; i < kXtMaxGroupServices; ++i)
            if ((group.arrServices[i] != 0) != (i < group.nServices)) return false;
    }
    return true;
}
static_assert(ServiceListsMatchTables(), "a service group's numbers do not match its table");

}  // namespace

bool XtBindServiceTable(const XtHostInterface* pHost, XtServices* pServices) {
    XtServiceTable* pTable = pHost->pfnOpenServices(kXtKitRevision, kXtServiceTableEntries, kXtServiceLevel);
    if (!pTable || !pTable->arrEntries[kXtServiceBindEntry]) return false;
    XtBindProc pfnBind = reinterpret_cast<XtBindProc>(pTable->arrEntries[kXtServiceBindEntry]);

    for (int nPass = 0; nPass < 2; ++nPass) {
        for (size_t i = 0; i < kXtServiceGroupCount; ++i) {
            const XtServiceGroup& group = kXtServiceGroups[i];
            std::vector<uint32_t> arrWords;
            arrWords.push_back(kXtGroupHeader);
            arrWords.insert(arrWords.end(), group.arrServices, group.arrServices + group.nServices);
            void* pModuleTable = reinterpret_cast<char*>(pServices) + group.nOffset;
            if (pfnBind(group.nRequest, pModuleTable, arrWords.data(), static_cast<int32_t>(arrWords.size())) != 0)
                return false;
        }
    }
    return true;
}
