#include "setup/app/run_lock.h"

#include "setup/core/setup_log.h"
#include "util/kernel32_functions.h"

namespace {

// In the global namespace of the system, so that a run in another logon session counts too.
const char kGlobalMutexName[] = "Global\\LetterquarrySetupRun";
const char kNamespaceName[] = "Letterquarry";
const char kPrivateMutexName[] = "Letterquarry\\SetupRun";

// The private-namespace functions (Vista and later), looked up, not imported, so that the program still
// starts on XP.
struct PrivateNamespaces {
    using CreateBoundary = HANDLE(WINAPI*)(LPCSTR, ULONG);
    using AddSid = BOOL(WINAPI*)(HANDLE*, PSID);
    using DeleteBoundary = VOID(WINAPI*)(HANDLE);
    using CreateNamespace = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPVOID, LPCSTR);
    using OpenNamespace = HANDLE(WINAPI*)(LPVOID, LPCSTR);
    CreateBoundary pfnCreateBoundary = Kernel32Function<CreateBoundary>("CreateBoundaryDescriptorA");
    AddSid pfnAddSid = Kernel32Function<AddSid>("AddSIDToBoundaryDescriptor");
    DeleteBoundary pfnDeleteBoundary = Kernel32Function<DeleteBoundary>("DeleteBoundaryDescriptor");
    CreateNamespace pfnCreate = Kernel32Function<CreateNamespace>("CreatePrivateNamespaceA");
    OpenNamespace pfnOpen = Kernel32Function<OpenNamespace>("OpenPrivateNamespaceA");
    bool Exist() const { return pfnCreateBoundary && pfnAddSid && pfnDeleteBoundary && pfnCreate && pfnOpen; }
};

// The namespace "Letterquarry" within the boundary of the Administrators SID, created or, when another run
// made it, opened; null (logged) when neither works.
HANDLE OpenAdministratorsNamespace(const PrivateNamespaces& api) {
    HANDLE hBoundary = api.pfnCreateBoundary(kNamespaceName, 0);
    if (!hBoundary) return nullptr;
    DWORD sidBuffer[SECURITY_MAX_SID_SIZE / sizeof(DWORD)];
    DWORD cbSid = sizeof sidBuffer;
    HANDLE hNamespace = nullptr;
    if (CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sidBuffer, &cbSid) && api.pfnAddSid(&hBoundary, sidBuffer)) {
        hNamespace = api.pfnCreate(nullptr, hBoundary, kNamespaceName);
        if (!hNamespace && GetLastError() == ERROR_ALREADY_EXISTS) hNamespace = api.pfnOpen(hBoundary, kNamespaceName);
    }
    if (!hNamespace) LogEvent("Run lock: private namespace not available: %s", DescribeError(GetLastError()).c_str());
    api.pfnDeleteBoundary(hBoundary);
    return hNamespace;
}

}  // namespace

SetupRunLock::SetupRunLock() {
    const PrivateNamespaces api;
    const char* szName = kGlobalMutexName;
    if (api.Exist()) {
        m_hNamespace = OpenAdministratorsNamespace(api);
        if (!m_hNamespace) return;  // Unknown
        szName = kPrivateMutexName;
    }
    m_mutex.Reset(CreateMutexA(nullptr, FALSE, szName));
    if (!m_mutex.IsValid()) {
        LogEvent("Run lock %s not available: %s", szName, DescribeError(GetLastError()).c_str());
        return;  // Unknown
    }
    // The name existed already: another run created it and holds it until its process ends.
    m_state = GetLastError() == ERROR_ALREADY_EXISTS ? State::Taken : State::Held;
}

SetupRunLock::~SetupRunLock() {
    m_mutex.Close();
    using CloseNamespace = BOOLEAN(WINAPI*)(HANDLE, ULONG);
    static const auto pfnClose = Kernel32Function<CloseNamespace>("ClosePrivateNamespace");
    if (m_hNamespace && pfnClose) pfnClose(m_hNamespace, 0);
}
