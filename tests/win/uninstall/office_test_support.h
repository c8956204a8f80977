// Seeding and inspection of a test machine for the Office add-in removal: the add-in's registration,
// the Office stand-in's registration and bars, and its call log.
#pragma once

#include "standins/office/office_standin.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace office_test {

using lqtest::CreateKey;
using lqtest::KeyExists;

constexpr const char* kServerPath = "C:\\ZmtPlugin\\install\\OfficeStandin.exe";
using lqtest::kAddinClassKey;

inline std::string BarKey(const char* szApplication) {
    return std::string(office_standin::kSettingsKey) + "\\" + szApplication + "\\CommandBars\\Letterquarry";
}

// Registers the stand-in for the three ProgIDs, or only for szOnly, and gives each application named in
// arrWithBar the bar.
inline void InstallOffice(const std::vector<const char*>& arrWithBar, const char* szOnly = nullptr) {
    office_standin::RegisterApplications(kServerPath, true, szOnly);
    for (const char* szApp : arrWithBar) CreateKey(HKEY_CURRENT_USER, BarKey(szApp));
}

// The add-in's registration as an install leaves it, with nested subkeys under both keys.
inline void RegisterAddin() {
    CreateKey(HKEY_CLASSES_ROOT, kAddinClassKey, "ZmtAddin.MyAddin");
    CreateKey(HKEY_CLASSES_ROOT, std::string(kAddinClassKey) + "\\InprocServer32", "C:\\ZmtPlugin\\bin\\ZmtAddin.dll");
    CreateKey(HKEY_CLASSES_ROOT, std::string(kAddinClassKey) + "\\ProgID", "ZmtAddin.MyAddin");
    CreateKey(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID", "{495EFEBF-FC21-4593-89A9-86D772C3636D}");
    CreateKey(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID\\Nested\\Deeper", "x");
    for (const char* szApp : {"Excel", "PowerPoint", "Word"})
        CreateKey(HKEY_CURRENT_USER, std::string("Software\\Microsoft\\Office\\") + szApp + "\\Addins\\ZmtAddin.MyAddin",
                  "Letterquarry");
}

// The call log as lines, without their line ends.
inline std::vector<std::string> CallLogLines() {
    std::vector<std::string> arrLines;
    std::istringstream in(lqtest::ReadFileBytes(office_standin::kCallLogPath));
    std::string strLine;
    while (std::getline(in, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        arrLines.push_back(strLine);
    }
    return arrLines;
}

inline std::string Joined(const std::vector<std::string>& arrLines) {
    std::string str;
    for (const auto& s : arrLines) str += s + "\n";
    return str;
}

// What one application records when the bar is removed, and when it has no such bar. Item is a property
// in Office's object model, so the plain method call is refused and the second try finds it.
inline std::vector<std::string> CallsWithBar(const std::string& strApp) {
    return {strApp + " Start",
            strApp + " Invoke CommandBars flags=3 -> ok",
            strApp + " Invoke Item flags=1 arg=Letterquarry -> member-not-found",
            strApp + " Invoke Item flags=3 arg=Letterquarry -> ok",
            strApp + " Invoke Delete flags=1 -> ok Letterquarry",
            strApp + " Invoke Quit flags=1 -> ok",
            strApp + " End quit=1"};
}
inline std::vector<std::string> CallsWithoutBar(const std::string& strApp) {
    return {strApp + " Start",
            strApp + " Invoke CommandBars flags=3 -> ok",
            strApp + " Invoke Item flags=1 arg=Letterquarry -> member-not-found",
            strApp + " Invoke Item flags=3 arg=Letterquarry -> missing",
            strApp + " End quit=0"};
}

// Waits until every started stand-in has written its end line (the client's last Release reaches the
// server asynchronously).
inline std::vector<std::string> SettledCallLog(size_t nEnds) {
    for (int i = 0; i < 100; ++i) {
        auto arrLines = CallLogLines();
        size_t n = 0;
        for (const auto& s : arrLines) n += s.find(" End ") != std::string::npos;
        if (n >= nEnds) return arrLines;
        Sleep(100);
    }
    return CallLogLines();
}

inline void ResetOffice() {
    office_standin::RegisterApplications(kServerPath, false);
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) RegDeleteKeyA(HKEY_CURRENT_USER, BarKey(szApp).c_str());
    DeleteFileA(office_standin::kCallLogPath);
}

}  // namespace office_test
