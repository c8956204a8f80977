#include "setup/app/run_log.h"

#include "setup/app/exit_codes.h"
#include "setup/app/run_modes.h"
#include "setup/core/country.h"
#include "setup/core/setup_log.h"
#include "util/kernel32_functions.h"
#include "util/scoped_handles.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string VersionText(DWORD dwMost, DWORD dwLeast) {
    return std::to_string(HIWORD(dwMost)) + "." + std::to_string(LOWORD(dwMost)) + "." + std::to_string(HIWORD(dwLeast)) +
           "." + std::to_string(LOWORD(dwLeast));
}

// The program's own version resource, read from its image (no version library needed): the fixed part
// starts at the signature 0xFEEF04BD.
const VS_FIXEDFILEINFO* OwnVersion() {
    HMODULE hModule = GetModuleHandleA(nullptr);
    HRSRC hResource = FindResourceA(hModule, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));  // RT_VERSION
    if (!hResource) return nullptr;
    const DWORD nSize = SizeofResource(hModule, hResource);
    const BYTE* pData = static_cast<const BYTE*>(LockResource(LoadResource(hModule, hResource)));
    if (!pData) return nullptr;
    for (DWORD n = 0; n + sizeof(VS_FIXEDFILEINFO) <= nSize; n += 4) {
        DWORD dwSignature;
        std::memcpy(&dwSignature, pData + n, sizeof dwSignature);
        if (dwSignature == 0xFEEF04BD) return reinterpret_cast<const VS_FIXEDFILEINFO*>(pData + n);
    }
    return nullptr;
}

bool IsWow64() {
    using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Looked up, not imported: Windows XP before SP2 has no such function (and is never 64-bit).
    const auto pfnIsWow64 = Kernel32Function<IsWow64Function>("IsWow64Process");
    BOOL bWow64 = FALSE;
    return pfnIsWow64 && pfnIsWow64(GetCurrentProcess(), &bWow64) && bWow64;
}

// Elevated: a full administrator token (Vista and later), or membership of Administrators (XP, where
// there is no elevation).
bool IsElevated() {
    ScopedHandle token;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) {
        TOKEN_ELEVATION elevation{};
        DWORD cbReturned = 0;
        if (GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &cbReturned))
            return elevation.TokenIsElevated != 0;
    }
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdministrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &pAdministrators))
        return false;
    BOOL bMember = FALSE;
    if (!CheckTokenMembership(nullptr, pAdministrators, &bMember)) bMember = FALSE;
    FreeSid(pAdministrators);
    return bMember != FALSE;
}

const char* ExitMeaning(int nExitCode) {
    switch (nExitCode) {
    case kExitSuccess: return "done";
    case kExitCancelled: return "cancelled by the user";
    case kExitFailed: return "failed";
    case kExitRestart: return "deferred to the next Windows start";
    case kExitAlreadyRunning: return "another run of the setup program is in progress";
    default: return "?";
    }
}

}  // namespace

void StartRunLog(const CommandLine& commandLine, DllSearch dllSearch, int nCountryCode) {
    if (!commandLine.log) return;
    const bool bDefaultPlace = commandLine.logPath.empty();
    if (!OpenSetupLog(bDefaultPlace ? DefaultSetupLogPath() : commandLine.logPath, bDefaultPlace)) return;

    const VS_FIXEDFILEINFO* pVersion = OwnVersion();
    LogEvent("==== Letterquarry setup, product version %s, file version %s ====",
             pVersion ? VersionText(pVersion->dwProductVersionMS, pVersion->dwProductVersionLS).c_str() : "?",
             pVersion ? VersionText(pVersion->dwFileVersionMS, pVersion->dwFileVersionLS).c_str() : "?");
    LogEvent("Mode: %s; command line: %s", PolicyOf(ActionFor(commandLine)).szLogName, GetCommandLineA());
    OSVERSIONINFOA os;
    ZeroMemory(&os, sizeof os);
    os.dwOSVersionInfoSize = sizeof os;
    if (GetVersionExA(&os))
        LogEvent("Windows %lu.%lu build %lu %s; 64-bit Windows: %s", os.dwMajorVersion, os.dwMinorVersion,
                 os.dwBuildNumber, os.szCSDVersion, IsWow64() ? "yes" : "no");
    LogEvent("Country code %d%s; ANSI code page %u", nCountryCode, commandLine.forceEnglish ? " (/E: English)" : "",
             GetACP());
    char szUser[257] = {};
    DWORD cchUser = sizeof szUser;
    if (!GetUserNameA(szUser, &cchUser)) lstrcpyA(szUser, "?");
    LogEvent("User %s; elevated: %s; DLL search: %s", szUser, IsElevated() ? "yes" : "no", DescribeDllSearch(dllSearch));
}

void EndRunLog(int nExitCode) {
    LogEvent("Exit code %d: %s", nExitCode, ExitMeaning(nExitCode));
    CloseSetupLog();
}
