#include "tests/e2e/uninstall/installed_machine.h"

#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"

namespace uninstall_e2e {

namespace {

std::string SourceOf(const std::string& strPath) {
    const std::string strName = strPath.substr(strPath.find_last_of('\\') + 1);
    const std::string strSource = kInstall + "\\" + strName;
    if (lqtest::PathExists(strSource)) return strSource;
    if (strName == "ZmtLetterquarry.axt") return kInstall + "\\ZmtLetterquarry.axt";
    return "";
}

using DllEntry = HRESULT(WINAPI*)();

void CallEntry(const std::string& strPath, const char* szEntry) {
    HMODULE hLib = LoadLibraryA(strPath.c_str());
    if (!hLib) return;
    if (auto pfn = reinterpret_cast<DllEntry>(GetProcAddress(hLib, szEntry))) pfn();
    FreeLibrary(hLib);
}

}  // namespace

const std::vector<InstalledFile>& InstalledFiles() {
    static const std::vector<InstalledFile> arrFiles = {
        {0, 0, "C:\\ZmtPlugin\\bin\\ASYCFILT.DLL"},
        {0, 0, "C:\\ZmtPlugin\\bin\\COMCAT.DLL"},
        {1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"},
        {0, 0, "C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins\\\\ZMT_P7.8bp"},
        {0, 0, "C:\\Program Files\\Adobe\\Illustrator CS2\\Plug-ins\\zmt_i.aip"},
        {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll"},
        {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V12.dll"},
        {0, 0, "C:\\Program Files\\QuarkXPress 6.5\\XTension\\ZmtLetterquarry.axt"},
    };
    return arrFiles;
}

void InstallOffice(const std::vector<std::string>& arrWithBar) {
    // Office lives in a folder of its own. Started from the setup program's folder, the stand-in would bind
    // to the runtime files shipped there (OLEAUT32.DLL among them) instead of the system's.
    lqtest::MakeFolders(kOfficeFolder);
    CopyFileA((kInstall + "\\OfficeStandin.exe").c_str(),
              (std::string(kOfficeFolder) + "\\OfficeStandin.exe").c_str(), FALSE);
    lqtest::RunToEnd("/RegServer", 30000, std::string(kOfficeFolder) + "\\OfficeStandin.exe");
    for (const std::string& strApp : arrWithBar)
        lqtest::CreateKey(HKEY_CURRENT_USER, "Software\\OfficeStandin\\" + strApp + "\\CommandBars\\Letterquarry");
}

void UninstallOfficeApplication(const std::string& strApplication) {
    const std::string strProgID = strApplication + ".Application";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (strProgID + "\\CLSID").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, strProgID.c_str());
}

void SeedInstalledMachine() {
    for (const InstalledFile& file : InstalledFiles()) {
        const std::string strSource = SourceOf(file.strPath);
        const std::string strBytes = strSource.empty() ? "stand-in for " + file.strPath : lqtest::ReadFileBytes(strSource);
        lqtest::WriteFileBytes(file.strPath, strBytes);
        if (file.nRegister == 1) CallEntry(file.strPath, "DllRegisterServer");
    }
    lqtest::WriteFileBytes(kLog, lqtest::UninstallLogOf(InstalledFiles()));


    lqtest::SetRegString(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayName", "Letterquarry Delete");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, kEntryKey, "UninstallString",
                      "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D");
    lqtest::WriteFileBytes("c:\\ZmtPlugin\\Zmt.ini", "[BrelFontPlugin]\r\nRun=1\r\n");
}

lqtest::Snapshot TakeMachineSnapshot() {
    return lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"},
                             {"C:\\ZmtPlugin", "C:\\Program Files\\Adobe", "C:\\Program Files\\QuarkXPress 6.5"});
}

std::string OfficeCalls() { return lqtest::ReadFileBytes("C:\\OfficeStandin\\calls.log"); }

}  // namespace uninstall_e2e
