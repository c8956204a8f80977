// The silent install "/B" of the real setup program on seeded machines:
//  - DtpMachine: a Korean Windows 7 (32-bit or 64-bit, or English XP) DTP workstation with Photoshop 7.0,
//    CS, CS2 and CS3, Illustrator and QuarkXPress 6.5 full and demo: exit 0 and the whole machine state,
//    byte for byte; on 64-bit Windows the entry and the classes in the 32-bit registry view only;
//  - LockedDestination: Illustrator's plug-in held open without sharing: exit 1603 and nothing after it;
//  - NoHosts: no host keys and a CorelDraw add-in whose registration fails: the eleven files in
//    C:\ZmtPlugin\bin, the failed one logged with R = 1;
//  - ProgressWindow: a large runtime file slows the first step so the window can be photographed.
// Each runs on a machine of its own (see CMakeLists.txt).
#include "tests/support/machine.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using e2e::ExpectedState;

const std::string kInstall = "C:\\ZmtPlugin\\install";
const std::string kBin = "C:\\ZmtPlugin\\bin";
const char kLog[] = "c:\\ZmtPlugin\\install\\UnInsatll.info";
const char kEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LetterquarryUnInstall";
const char kV11Class[] = "CLSID\\{ECE2C42B-84A4-4B91-86EF-E18D8B14D2A1}";
const char kV12Class[] = "CLSID\\{93EF3E70-BA06-4874-9375-425BA735FAD8}";
const char* const kRuntimeFiles[] = {"ASYCFILT.DLL", "COMCAT.DLL", "CorelDraw.tlb", "msvbvm60.dll",
                                     "OLEAUT32.DLL", "OLEPRO32.DLL", "STDOLE2.TLB", "VB6STKIT.DLL"};

const std::string kPs7 = "C:\\Program Files\\Adobe\\Photoshop 7.0";
const std::string kPsCs = "C:\\Program Files\\Adobe\\Photoshop CS";
const std::string kPsCs2 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS2";
const std::string kPsCs3 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS3";
const std::string kAi = "C:\\Program Files\\Adobe\\Illustrator CS";
const std::string kQxp = "C:\\QuarkXPress 6.5";
const std::string kQxpDemo = "C:\\QuarkXPress 6.5 Demo";

bool IsKoreanMachine() {
    const char* sz = getenv("LQ_LOCALE");
    return sz && std::string(sz) == "ko";
}
bool IsWin7() {
    const char* sz = getenv("LQ_WINVER");
    return !sz || std::string(sz) != "winxp";
}
// A 64-bit Windows 7, where this binary and the setup program run as 32-bit programs under WoW64.
bool Is64BitMachine() {
    const char* sz = getenv("LQ_ARCH");
    return sz && std::string(sz) == "win64";
}

// Whether the key exists in the registry view given (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
bool KeyInView(HKEY hRoot, const std::string& strKey, REGSAM samView) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ | samView, &hKey) != ERROR_SUCCESS) return false;
    RegCloseKey(hKey);
    return true;
}

// The outside components that other parts of the build provide; until they are in the shipped folder,
// plain files take their place so the install has something to copy (registration then fails).
void CompleteShippedFolder() {
    for (const char* szName : {"ZmtAddin.dll", "ZmtLetterquarry.axt"})
        if (!e2e::PathExists(kInstall + "\\" + szName))
            e2e::WriteFileBytes(kInstall + "\\" + szName, std::string("scenario placeholder ") + szName + "\r\n");
}

void SeedDtpMachine() {
    e2e::MakeFolders(kPs7 + "\\플러그-인");
    e2e::MakeFolders(kPs7 + "\\Plug-Ins");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0", "ApplicationPath", kPs7 + "\\");
    e2e::MakeFolders(kPsCs2 + "\\플러그인");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\9.0", "ApplicationPath", kPsCs2);
    e2e::MakeFolders(kPsCs3 + "\\Plug-Ins");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\10.0", "ApplicationPath", kPsCs3 + "\\");
    e2e::MakeFolders(kPsCs + "\\Plug-Ins");
    const std::string strUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{Photoshop CS}";
    e2e::SetRegString(HKEY_LOCAL_MACHINE, strUninstall, "DisplayVersion", "8.0");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, strUninstall, "InstallLocation", kPsCs + "\\");
    e2e::MakeFolders(kAi + "\\Plug-Ins");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\11.0", "ApplicationPath", kAi + "\\");
    e2e::MakeFolders(kQxp + "\\XTension");
    e2e::MakeFolders(kQxpDemo + "\\XTension");
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", kQxp);
    e2e::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KDemoPath", kQxpDemo + "\\");
}

// Destinations in copy order, as the install joins them ("\\" where the folder ends in a backslash).
struct Copy {
    int r, u;
    std::string strPath, strSource;
};
std::vector<Copy> DtpCopies() {
    std::vector<Copy> arr;
    for (const char* sz : kRuntimeFiles) arr.push_back({0, 0, kBin + "\\" + sz, sz});
    arr.push_back({1, 0, kBin + "\\ZmtAddin.dll", "ZmtAddin.dll"});
    arr.push_back({0, 0, kPs7 + "\\플러그-인\\\\ZMT_P7.8bp", "ZMT_P7.8bp"});
    arr.push_back({0, 0, kPsCs + "\\Plug-Ins\\\\ZMT_P7.8bp", "ZMT_P7.8bp"});
    arr.push_back({0, 0, kPsCs2 + "\\플러그인\\\\ZMT_CS2.8bp", "ZMT_CS2.8bp"});
    arr.push_back({0, 0, kPsCs + "\\Plug-Ins\\\\ZMT_CS2.8bp", "ZMT_CS2.8bp"});
    arr.push_back({0, 0, kAi + "\\Plug-Ins\\\\zmt_i.aip", "zmt_i.aip"});
    arr.push_back({1, 1, kBin + "\\MyAddIn_V11.dll", "MyAddIn_V11.dll"});
    arr.push_back({1, 1, kBin + "\\MyAddIn_V12.dll", "MyAddIn_V12.dll"});
    arr.push_back({0, 0, kQxp + "\\XTension\\\\ZmtLetterquarry.axt", "ZmtLetterquarry.axt"});
    arr.push_back({0, 0, kQxpDemo + "\\XTension\\\\ZmtLetterquarry.axt", "ZmtLetterquarry.axt"});
    return arr;
}

std::string LogOf(const std::vector<Copy>& arrCopies) {
    std::string strLog = "[UnInstall][E]\r\r\n";
    for (const Copy& c : arrCopies)
        strLog += "[R:" + std::to_string(c.r) + "][E],[U:" + std::to_string(c.u) + "][E],[F:" + c.strPath + "][E]\r\r\n";
    return strLog + "[UnInstall End][E]\r\r\n";
}

// Whether the file's DACL, as Wine reports it, still grants Everyone (S-1-1-0) anything: true for a
// file that got no DACL of ours (Wine maps a DACL to Unix permission bits, and the standard one grants
// nothing to the world).
bool EveryoneHasAccess(const std::string& strPath) {
    DWORD cb = 0;
    GetFileSecurityA(strPath.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &cb);
    std::string buffer(cb ? cb : 1, '\0');
    auto pSd = reinterpret_cast<PSECURITY_DESCRIPTOR>(&buffer[0]);
    if (!GetFileSecurityA(strPath.c_str(), DACL_SECURITY_INFORMATION, pSd, cb, &cb)) return false;
    BOOL bPresent = FALSE, bDefaulted = FALSE;
    PACL pAcl = nullptr;
    GetSecurityDescriptorDacl(pSd, &bPresent, &pAcl, &bDefaulted);
    if (!bPresent || !pAcl) return true;
    for (DWORD i = 0; i < pAcl->AceCount; ++i) {
        void* pAce = nullptr;
        GetAce(pAcl, i, &pAce);
        char* szSid = nullptr;
        ConvertSidToStringSidA(reinterpret_cast<PSID>(&static_cast<ACCESS_ALLOWED_ACE*>(pAce)->SidStart), &szSid);
        bool bEveryone = szSid && std::string(szSid) == "S-1-1-0";
        if (szSid) LocalFree(szSid);
        if (bEveryone) return true;
    }
    return false;
}

TEST(SilentInstall, DtpMachine) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, e2e::RunToEnd("/B"));

    const std::vector<Copy> arrCopies = DtpCopies();
    ExpectedState expected;
    expected.Folder(kBin).File(kLog, LogOf(arrCopies));
    for (const Copy& c : arrCopies) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    // Photoshop CS3 (10.0) and the English folder beside the Korean one get nothing.
    expected.NoFile(kPsCs3 + "\\Plug-Ins\\ZMT_CS2.8bp").NoFile(kPsCs3 + "\\Plug-Ins\\ZMT_P7.8bp");
    expected.NoFile(kPs7 + "\\Plug-Ins\\ZMT_P7.8bp");
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntry, "DisplayName",
                         IsKoreanMachine() ? "Letterquarry 제거" : "Letterquarry Delete");
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntry, "UninstallString",
                         "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D");
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV12Class) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11\\CLSID");
    expected.Key(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn12\\CLSID");
    expected.Key(HKEY_CLASSES_ROOT, "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID");
    for (const char* szApp : {"Excel", "PowerPoint", "Word"})
        expected.Key(HKEY_CURRENT_USER, std::string("Software\\Microsoft\\Office\\") + szApp + "\\Addins\\ZmtAddin.MyAddin");
    EXPECT_MACHINE(expected);
    // Only what the entry needs: no third value.
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntry, 0, KEY_READ, &hKey));
    DWORD dwValues = 0;
    RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &dwValues, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(hKey);
    EXPECT_EQ(2u, dwValues);
    // Windows 7: every copy lost Everyone's access to the standard DACL; XP: no DACL was written.
    for (const Copy& c : arrCopies)
        EXPECT_EQ(!IsWin7(), EveryoneHasAccess(c.strPath)) << c.strPath;

    // 64-bit Windows: the seeds above and everything the setup program wrote are in the 32-bit view,
    // where Windows lists 32-bit programs and where 32-bit programs find 32-bit COM classes; the 64-bit
    // view (what 64-bit programs, a 64-bit Office among them, see) has none of it.
    if (Is64BitMachine()) {
        BOOL bWow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &bWow64) && bWow64) << "not a 64-bit machine";
        const std::vector<std::pair<HKEY, std::string>> arrKeys = {
            {HKEY_LOCAL_MACHINE, kEntry},
            {HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0"},
            {HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32"},
            {HKEY_CLASSES_ROOT, std::string(kV12Class) + "\\InprocServer32"},
            {HKEY_CLASSES_ROOT, "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}\\InprocServer32"},
        };
        for (const auto& key : arrKeys) {
            EXPECT_TRUE(KeyInView(key.first, key.second, KEY_WOW64_32KEY)) << key.second << " in the 32-bit view";
            EXPECT_FALSE(KeyInView(key.first, key.second, KEY_WOW64_64KEY)) << key.second << " in the 64-bit view";
        }
    }
}

TEST(SilentInstall, LockedDestination) {
    CompleteShippedFolder();
    SeedDtpMachine();
    const std::string strHeld = kAi + "\\Plug-Ins\\zmt_i.aip";
    e2e::WriteFileBytes(strHeld, "the plug-in a running Illustrator holds");
    HANDLE hHeld = CreateFileA(strHeld.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const int nExit = e2e::RunToEnd("/B");
    CloseHandle(hHeld);
    EXPECT_EQ(1603, nExit);

    ExpectedState expected;
    expected.NoFile(kLog).NoKey(HKEY_LOCAL_MACHINE, kEntry);
    expected.File(strHeld, "the plug-in a running Illustrator holds");
    // Steps 6 to 8 untouched.
    expected.NoFile(kBin + "\\MyAddIn_V11.dll").NoFile(kBin + "\\MyAddIn_V12.dll");
    expected.NoFile(kQxp + "\\XTension\\ZmtLetterquarry.axt").NoFile(kQxpDemo + "\\XTension\\ZmtLetterquarry.axt");
    expected.NoKey(HKEY_CLASSES_ROOT, kV11Class).NoKey(HKEY_CLASSES_ROOT, kV12Class);
    // Steps 1 to 4 stay installed.
    const std::vector<Copy> arrCopies = DtpCopies();
    for (size_t i = 0; i < 13; ++i) expected.FileLike(arrCopies[i].strPath, kInstall + "\\" + arrCopies[i].strSource);
    EXPECT_MACHINE(expected);
}

TEST(SilentInstall, NoHosts) {
    CompleteShippedFolder();
    e2e::SetRegDword(HKEY_CURRENT_USER, "Software\\LetterquarryStandins\\MyAddIn_V12.dll", "FailRegister", 1);
    ASSERT_EQ(0, e2e::RunToEnd("/B"));
    std::vector<Copy> arrCopies;
    for (const char* sz : kRuntimeFiles) arrCopies.push_back({0, 0, kBin + "\\" + sz, sz});
    arrCopies.push_back({1, 0, kBin + "\\ZmtAddin.dll", "ZmtAddin.dll"});
    arrCopies.push_back({1, 1, kBin + "\\MyAddIn_V11.dll", "MyAddIn_V11.dll"});
    arrCopies.push_back({1, 1, kBin + "\\MyAddIn_V12.dll", "MyAddIn_V12.dll"});
    ExpectedState expected;
    expected.File(kLog, LogOf(arrCopies));
    for (const Copy& c : arrCopies) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32");
    expected.NoKey(HKEY_CLASSES_ROOT, kV12Class).NoKey(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn12");
    expected.Key(HKEY_LOCAL_MACHINE, kEntry);
    EXPECT_MACHINE(expected);
}

TEST(SilentInstall, ProgressWindow) {
    CompleteShippedFolder();
    SeedDtpMachine();
    // A large sixth runtime file keeps the first step busy long enough to be seen, with the file bar at 5 of 8.
    {
        HANDLE h = CreateFileA((kInstall + "\\OLEPRO32.DLL").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        std::string strChunk(1 << 20, 'L');
        DWORD n = 0;
        for (int i = 0; i < 768; ++i) WriteFile(h, strChunk.data(), static_cast<DWORD>(strChunk.size()), &n, nullptr);
        CloseHandle(h);
    }
    e2e::Program program("/B");
    ASSERT_TRUE(program.Started());
    // The install does not pump messages while it copies, so the window answers no message: find it and
    // read its texts with GetWindowTextA, which takes another process's window text from the system.
    HWND hWnd = nullptr;
    for (int i = 0; i < 600 && !hWnd; ++i) {
        HWND hFound = FindWindowA("#32770", "Letterquarry Setup");
        DWORD dwPid = 0;
        if (hFound) GetWindowThreadProcessId(hFound, &dwPid);
        if (hFound && dwPid == program.ProcessId() && IsWindowVisible(hFound)) hWnd = hFound;
        else Sleep(50);
    }
    ASSERT_NE(nullptr, hWnd) << "no setup progress window";
    // Wait until the large file is being copied, then read the stage line.
    char szDetail[256] = {};
    for (int i = 0; i < 600 && std::string(szDetail) != "OLEPRO32.DLL"; ++i) {
        Sleep(50);
        GetWindowTextA(GetDlgItem(hWnd, 1003), szDetail, sizeof szDetail);
    }
    char szStage[256] = {};
    GetWindowTextA(GetDlgItem(hWnd, 1004), szStage, sizeof szStage);
    const std::string strStage = szStage;
    e2e::Screenshot(std::string("silent-install-progress-") + (IsKoreanMachine() ? "korean" : "english"), hWnd);
    EXPECT_EQ(IsKoreanMachine() ? "기본파일 설치중...." : "Copy Basic File ....", strStage);
    EXPECT_STREQ("OLEPRO32.DLL", szDetail) << "the large file is being copied";
    EXPECT_EQ(1u, uidriver::TopLevelWindows(program.ProcessId()).size()) << "no other window";
    EXPECT_EQ(0, program.Wait(120000));
    EXPECT_TRUE(uidriver::TopLevelWindows(program.ProcessId()).empty());
}

}  // namespace
