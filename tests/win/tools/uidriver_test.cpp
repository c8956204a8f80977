// uidriver against a real dialog in another process: list rows and check states read across the process
// boundary, a check box set, a button pressed, controls listed with the names screen readers give them, a
// screenshot saved.
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct ChildProgram {
    PROCESS_INFORMATION pi{};
    ChildProgram() {
        char szPath[MAX_PATH];
        GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        std::string strExe(szPath);
        strExe = strExe.substr(0, strExe.find_last_of('\\') + 1) + "uidriver_test_dialog.exe";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string strCommand = "\"" + strExe + "\"";
        EXPECT_TRUE(CreateProcessA(strExe.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    }
    ~ChildProgram() {
        if (pi.hProcess && WaitForSingleObject(pi.hProcess, 1000) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 9);
        if (pi.hProcess) CloseHandle(pi.hProcess);
        if (pi.hThread) CloseHandle(pi.hThread);
    }
    int ExitCode() {
        if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) return -1;
        DWORD dw = 0;
        GetExitCodeProcess(pi.hProcess, &dw);
        return static_cast<int>(dw);
    }
};

TEST(UiDriver, ReadsAndSetsListRowsAcrossProcessesAndPressesAButton) {
    ChildProgram child;
    HWND hDlg = uidriver::WaitForWindow("uidriver test dialog", "#32770", 20000, child.pi.dwProcessId);
    ASSERT_NE(nullptr, hDlg);

    auto children = uidriver::Children(hDlg);
    ASSERT_EQ(3u, children.size());
    EXPECT_EQ(1000, children[0].nId);
    EXPECT_EQ("SysListView32", children[0].strClass);
    EXPECT_EQ(1, children[1].nId);
    EXPECT_EQ("Done", children[1].strText);
    EXPECT_EQ("static text", children[2].strText);
    EXPECT_EQ("Done", uidriver::AccessibleName(children[1].hWnd)) << "the name a screen reader hears, from the proxy";
    EXPECT_EQ("static text", uidriver::AccessibleName(children[2].hWnd));

    HWND hList = GetDlgItem(hDlg, 1000);
    auto rows = uidriver::ReadListView(hList);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("Microsoft Office", rows[0].strText);
    EXPECT_EQ("포토샵 ( CS2 )", rows[1].strText) << "double-byte text read back byte for byte";
    EXPECT_EQ("QuarkXPress", rows[2].strText);
    EXPECT_TRUE(rows[0].bChecked);
    EXPECT_FALSE(rows[1].bChecked);
    EXPECT_FALSE(rows[2].bChecked);

    EXPECT_TRUE(uidriver::SetListViewCheck(hList, 0, false));
    EXPECT_TRUE(uidriver::SetListViewCheck(hList, 2, true));
    rows = uidriver::ReadListView(hList);
    ASSERT_EQ(3u, rows.size());
    EXPECT_FALSE(rows[0].bChecked);
    EXPECT_TRUE(rows[2].bChecked);

    const char* szArtifacts = getenv("LQ_ARTIFACTS");
    if (szArtifacts) {
        std::string strShot = std::string(szArtifacts) + "\\uidriver-test-dialog.png";
        EXPECT_TRUE(uidriver::SaveWindowShot(hDlg, strShot));
        HANDLE h = CreateFileA(strShot.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        char signature[8] = {};
        DWORD n = 0;
        ReadFile(h, signature, 8, &n, nullptr);
        CloseHandle(h);
        EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(signature, 8));
    }

    EXPECT_TRUE(uidriver::ClickButton(hDlg, IDOK));
    EXPECT_EQ(100 + 4, child.ExitCode()) << "only row 2 checked when Done was pressed";
}

TEST(UiDriver, WaitingForAMissingWindowTimesOut) {
    DWORD dwStart = GetTickCount();
    EXPECT_EQ(nullptr, uidriver::WaitForWindow("no such window", "", 300));
    EXPECT_GE(GetTickCount() - dwStart, 250u);
}

}  // namespace
